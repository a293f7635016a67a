#include "skin/controls/win/skin_header.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"
#include "skin/controls/header_layout.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_object.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

namespace {
constexpr int kWindowTextSlot = 0;
constexpr int kMaxItemText = 200;  // longer texts are cut
}  // namespace

void TSkinHeader::Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    TSkinControl::Init(sf, sd, acanvas, acolor);
    indexitem = -1;
}

void TSkinHeader::Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TComponent* sf) {
    TSkinControl::Inithwnd(ahwnd, sd, acanvas, sf);
    indexitem = -1;
}

bool TSkinHeader::HasImage() const { return fsd && fsd->Header && !fsd->Header->Map.Empty(); }

Route TSkinHeader::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT:
        if (!HasImage()) return Route::PassOn;  // the header paints itself
        PaintFromMessage(Message);
        return Route::Swallow;
    case WM_ERASEBKGND:
        if (!HasImage()) return Route::PassOn;
        Message.Result = 1;  // the paint covers the whole header
        return Route::Swallow;
    default: return TSkinControl::BeforeProc(Message);
    }
}

void TSkinHeader::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_MOUSEMOVE: TrackHot(Message.LParam); break;
    case WM_MOUSELEAVE:
        indexitem = -1;
        RepaintNow();
        break;
    default: TSkinControl::AfterProc(Message);
    }
}

void TSkinHeader::TrackHot(LPARAM lParam) {
    // Read signed: with the mouse held by the header (a divider dragged) it reports points left of it too.
    const POINT p = MousePoint(lParam);
    const int hot = TrackHotItem(Items, {p.x, p.y}, indexitem);
    if (hot != indexitem) {
        indexitem = hot;
        RepaintNow();
    }
    TrackMouseLeave(hwnd);
}

void TSkinHeader::DrawControl(HDC dc, const TRect& rc) {
    if (!HasImage() || rc.IsEmpty()) return;
    const TDataSkinObject& header = *fsd->Header;
    TBitmap buffer(rc.Width(), rc.Height(), pf24bit);
    const HDC bdc = BitmapDC(buffer);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    Selected useFont{bdc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT)};
    const auto IL = reinterpret_cast<HIMAGELIST>(SendMessageW(hwnd, HDM_GETIMAGELIST, 0, 0));
    const int n = std::max(0, int(SendMessageW(hwnd, HDM_GETITEMCOUNT, 0, 0)));
    Items.assign(std::size_t(n), TRect{});
    int m = 0;
    for (int i = 0; i < n; ++i) {
        RECT r{};
        if (!SendMessageW(hwnd, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r))) continue;
        const TRect R{r.left, r.top, r.right, r.bottom};
        DrawItem(buffer, bdc, IL, i, R);
        Items[std::size_t(i)] = HeaderHoverRect(R);
        m = std::max(m, R.Right);
    }
    if (m < rc.Right) {
        // The rest of the header, right of the last item.
        const TRect rest{m, rc.Top, rc.Right, rc.Bottom};
        GdiFlush();
        CopyOpaque(buffer, rest.Left, rest.Top,
                   SkinCell(header, 1, header.frame, rest.Width(), rest.Height()));
    }
    GdiFlush();
    BlitOpaque(dc, rc.Left, rc.Top, buffer);
}

void TSkinHeader::DrawItem(TBitmap& buffer, HDC dc, HIMAGELIST IL, int i, const TRect& R) {
    if (R.IsEmpty()) return;
    const TDataSkinObject& header = *fsd->Header;
    wchar_t text[kMaxItemText + 1] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = kMaxItemText + 1;
    if (!SendMessageW(hwnd, HDM_GETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item))) item = {};
    const std::wstring caption = item.pszText ? std::wstring(item.pszText).substr(0, kMaxItemText) : L"";
    // The dc draws into the buffer's pixels: what it has drawn so far lands before the cell is copied.
    GdiFlush();
    CopyOpaque(buffer, R.Left, R.Top,
               SkinCell(header, i == indexitem ? 2 : 1, header.frame, R.Width(), R.Height()));
    if (caption.empty()) return;  // neither text nor picture on an item without text
    const bool picture = HeaderItemShowsImage(item.fmt);
    DrawItemText(dc, R, item.fmt, caption, picture ? item.iImage : -1, IL);
}

void TSkinHeader::DrawItemText(HDC dc, const TRect& R, int format, const std::wstring& text, int image,
                               HIMAGELIST IL) {
    int iw = 0, ih = 0;
    if (IL) ImageList_GetIconSize(IL, &iw, &ih);
    const UINT flags = DT_END_ELLIPSIS | DT_EXPANDTABS;
    RECT measured{0, 0, R.Width(), R.Height()};
    DrawTextW(dc, text.c_str(), int(text.size()), &measured, flags | DT_CALCRECT | DT_NOCLIP);
    const HeaderItemBoxes boxes =
        PlaceHeaderItem(R, HeaderItemAlign(format), image >= 0 && IL, iw, ih, measured.right - measured.left,
                        measured.bottom - measured.top);
    SavedDC saved{dc};
    IntersectClipRect(dc, R.Left, R.Top, R.Right, R.Bottom);  // as drawn on the item's own bitmap
    if (!boxes.image.IsEmpty())
        ImageList_Draw(IL, image, dc, boxes.image.Left, boxes.image.Top, ILD_TRANSPARENT);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, fsd->hasColors[kWindowTextSlot] ? ColorToRGB(ResolveColor(fsd->Colors[kWindowTextSlot]))
                                                     : GetSysColor(COLOR_WINDOWTEXT));
    RECT r = ToRECT(boxes.text);
    DrawTextW(dc, text.c_str(), int(text.size()), &r, CheckBiDi(flags));
}
