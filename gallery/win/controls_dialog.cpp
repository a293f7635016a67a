// The dialog box with raw standard controls: filled at WM_INITDIALOG, the scroll bar moved by hand.
#include "gallery/win/controls_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "gallery/win/gallery_images.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"
#include "platform/win/sys_utils.h"

namespace {

constexpr const wchar_t* kColours[] = {L"红 Red",  L"橙 Orange", L"黄 Yellow", L"绿 Green",
                                       L"青 Cyan", L"蓝 Blue",   L"紫 Violet", L"灰 Grey"};
constexpr const wchar_t* kSizes[] = {L"小 Small", L"中 Medium", L"大 Large"};
constexpr const wchar_t* kFruits[] = {L"苹果 Apple", L"香蕉 Banana", L"樱桃 Cherry", L"枣 Date",
                                      L"葡萄 Grape", L"柠檬 Lemon",  L"芒果 Mango",  L"橙 Orange",
                                      L"桃 Peach",   L"梨 Pear",     L"李子 Plum",   L"西瓜 Watermelon"};

void ShowScrollValue(HWND dlg, int pos) {
    SetDlgItemTextW(dlg, kIdcScrollValue, std::to_wstring(pos).c_str());
}

// The picture button's bitmap: a copy of a glyph on the button face (the button keeps it until the dialog
// goes, and frees it then).
void SetPicture(HWND dlg) {
    TBitmap glyph = DrawButtonGlyphs(0, 1);
    for (int y = 0; y < glyph.Height(); ++y)
        for (int x = 0; x < glyph.Width(); ++x)
            if (glyph.Pixel(x, y) == TColor(kButtonGlyphKey))
                glyph.SetPixel(x, y, TColor(GetSysColor(COLOR_BTNFACE)));
    ClientDC screen{nullptr};
    Owned<HBITMAP> picture{CreateCompatibleBitmap(screen, glyph.Width(), glyph.Height())};
    {
        MemoryDC to{screen};
        Selected select{to, picture.get()};
        BitBlt(to, 0, 0, glyph.Width(), glyph.Height(), BitmapDC(glyph), 0, 0, SRCCOPY);
    }
    SendDlgItemMessageW(dlg, kIdcPicture, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
    picture.release();  // FreePicture deletes it
}

void FreePicture(HWND dlg) {
    auto picture =
        reinterpret_cast<HBITMAP>(SendDlgItemMessageW(dlg, kIdcPicture, BM_GETIMAGE, IMAGE_BITMAP, 0));
    SendDlgItemMessageW(dlg, kIdcPicture, BM_SETIMAGE, IMAGE_BITMAP, 0);
    Owned<HBITMAP> gone{picture};
}

void FillHeader(HWND header) {
    struct Column {
        const wchar_t* text;
        int width, format;
    };
    static constexpr Column kColumns[] = {
        {L"名称 Name", 180, HDF_LEFT}, {L"大小 Size", 110, HDF_RIGHT}, {L"类型 Type", 120, HDF_CENTER}};
    for (int i = 0; i < int(std::size(kColumns)); ++i) {
        std::wstring text = kColumns[i].text;
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.cxy = kColumns[i].width;
        item.fmt = kColumns[i].format | HDF_STRING;
        item.pszText = text.data();
        SendMessageW(header, HDM_INSERTITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
}

void InitControls(HWND dlg) {
    FillHeader(GetDlgItem(dlg, kIdcHeader));
    SetPicture(dlg);
    SetDlgItemTextW(dlg, kIdcName, L"画廊 Gallery");
    CheckDlgButton(dlg, kIdcRemember, BST_CHECKED);
    CheckDlgButton(dlg, kIdcThreeState, BST_INDETERMINATE);
    CheckRadioButton(dlg, kIdcRadioA, kIdcRadioC, kIdcRadioB);
    HWND list = GetDlgItem(dlg, kIdcList);
    for (const wchar_t* c : kColours) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c));
    SendMessageW(list, LB_SETCURSEL, 5, 0);
    HWND combo = GetDlgItem(dlg, kIdcCombo);
    for (const wchar_t* s : kSizes) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    HWND fruit = GetDlgItem(dlg, kIdcFruit);
    for (const wchar_t* f : kFruits) SendMessageW(fruit, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f));
    SetWindowTextW(fruit, L"苹果 Apple");
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 40, 0};
    SetScrollInfo(GetDlgItem(dlg, kIdcScroll), SB_CTL, &si, FALSE);
    ShowScrollValue(dlg, 40);
}

void Scroll(HWND dlg, HWND bar, int code) {
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(bar, SB_CTL, &si);
    int pos = si.nPos;
    const int last = si.nMax - int(si.nPage) + 1;
    switch (code) {
    case SB_LINELEFT: --pos; break;
    case SB_LINERIGHT: ++pos; break;
    case SB_PAGELEFT: pos -= int(si.nPage); break;
    case SB_PAGERIGHT: pos += int(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_LEFT: pos = si.nMin; break;
    case SB_RIGHT: pos = last; break;
    default: return;
    }
    pos = std::max(si.nMin, std::min(pos, last));
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(bar, SB_CTL, &si, TRUE);
    ShowScrollValue(dlg, pos);
}

// modal: ended with EndDialog; otherwise destroyed.
template <bool modal>
INT_PTR HandleDialogMessage(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG: InitControls(dlg); return TRUE;
    case WM_HSCROLL: Scroll(dlg, reinterpret_cast<HWND>(lParam), LOWORD(wParam)); return TRUE;
    case WM_DESTROY: FreePicture(dlg); return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            if (modal)
                EndDialog(dlg, LOWORD(wParam));
            else
                DestroyWindow(dlg);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

template <bool modal>
INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        return HandleDialogMessage<modal>(dlg, msg, wParam, lParam);
    } catch (...) {
        return FALSE;  // nothing unwinds into the dialog manager
    }
}

}  // namespace

INT_PTR RunControlsDialog(HWND owner) {
    return DialogBoxParamW(HInstance(), L"CONTROLS", owner, &DialogProc<true>, 0);
}

HWND ShowControlsDialog(HWND owner) {
    HWND dlg = CreateDialogParamW(HInstance(), L"CONTROLS", owner, &DialogProc<false>, 0);
    if (dlg) ShowWindow(dlg, SW_SHOW);
    return dlg;
}
