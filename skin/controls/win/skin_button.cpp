#include "skin/controls/win/skin_button.h"
#include "platform/string_list.h"  // AsciiLower

#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <cwctype>
#include <string>

#include "platform/bitmap.h"
#include "platform/props.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"
#include "platform/win/graphics.h"
#include "platform/win/sys_utils.h"
#include "skin/controls/caption_layout.h"
#include "skin/controls/push_button.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_object.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

namespace {

constexpr int kTransparentTag = 5555;

}  // namespace

TSkinButton::TSkinButton(TComponent* AOwner) : TSkinControl(AOwner), btemp(std::make_unique<TBitmap>()) {}

TSkinButton::~TSkinButton() = default;

void TSkinButton::Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    TSkinControl::Init(sf, sd, acanvas, acolor);
    if (!control) return;
    const std::string name = LowerClassName(hwnd);
    kind = name.rfind("trz", 0) == 0 || name.rfind("tel", 0) == 0 ? 1 : 0;
    trans = control->Tag() == kTransparentTag || (fsd && fsd->Options().Contains(xoTransparent));
}

Route TSkinButton::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT: PaintFromMessage(Message); return Route::Swallow;
    case WM_ERASEBKGND: Message.Result = 1; return Route::Swallow;  // the button never erases
    case WM_TIMER: KillTimer(hwnd, 1); return Route::Swallow;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The control never sees the press: it neither captures the mouse nor clicks by itself.
        if (!HasFocus()) SetFocus(hwnd);
        state |= kPressed;
        PaintControl(nullptr);
        if (kind == 0 && control) ForwardMouseDown(Message);
        return Route::Swallow;
    default: return TSkinControl::BeforeProc(Message);
    }
}

void TSkinButton::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETTEXT: PaintControl(nullptr); break;
    case WM_KEYDOWN:
        if (Message.WParam == VK_SPACE) {
            state |= kPressed;
            RepaintNow();
        }
        break;
    case WM_KEYUP:
        if (Message.WParam == VK_SPACE) {
            state &= ~kPressed;
            RepaintNow();
        }
        break;
    case WM_MOUSEMOVE:
        if (enabled && !(state & kHot)) {
            state |= kHot;
            RepaintNow();
        }
        TrackMouseLeave(hwnd);
        break;
    case WM_MOUSELEAVE:
        state &= ~(kHot | kPressed);
        RepaintNow();
        break;
    case WM_LBUTTONUP:
        if (state & kPressed) {
            state &= ~kPressed;
            RepaintNow();
            PerformClick();
        }
        break;
    case CM_DIALOGKEY:
    case CM_FOCUSCHANGED: RepaintNow(); break;  // the default-button look may move
    default: TSkinControl::AfterProc(Message); break;
    }
}

void TSkinButton::PerformClick() {
    if (control) {
        control->Click();
        return;
    }
    const HWND parent = GetParent(hwnd);
    const WPARAM id = LowerClassName(hwnd) == "tbutton" ? 0 : WPARAM(GetDlgCtrlID(hwnd));
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(hwnd));
}

void TSkinButton::ForwardMouseDown(const TMessage& Message) {
    int x = GET_X_LPARAM(Message.LParam), y = GET_Y_LPARAM(Message.LParam);
    if (control->Width() > 32768 || control->Height() > 32768) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd, &p);
        x = p.x, y = p.y;
    }
    control->MouseDown(mbLeft, KeysToShiftState(Message.WParam), x, y);
}

void TSkinButton::DrawControl(HDC dc, const TRect& rc) {
    const TDataSkinButton* skin = fsd ? fsd->Button.get() : nullptr;
    if (!skin || skin->Map.Empty() || rc.IsEmpty()) return;
    focused = HasFocus();
    enabled = !(DWORD(GetWindowLongW(hwnd, GWL_STYLE)) & WS_DISABLED);
    const bool isDefault = control && AsciiLower(GetEnumPropByName(control, "Default")) == "true";
    caption = control ? GetStrPropByName(control, "Caption") : GetWindowCaption(hwnd);
    const int frame =
        ButtonFrame({enabled, (state & kPressed) != 0, (state & kHot) != 0, focused || isDefault});

    // The background and the skin cell are composed in btemp's own pixels; only the text needs GDI.
    btemp->SetSize(rc.Width(), rc.Height());
    const HDC bdc = BitmapDC(*btemp);
    if (!bdc) return;
    if (trans && control) {
        PaintParentBackground(control, bdc);
    } else {
        FillColorRect(*btemp, rc, ButtonFace());
    }
    const TBitmap& cell = SkinCell(*skin, frame, skin->frame, rc.Width(), rc.Height());
    if (skin->trans == 1)
        DrawKeyedBitmap(*btemp, rc, cell, SkinKeyColor);
    else
        CopyOpaque(*btemp, rc.Left, rc.Top, cell);

    SavedDC saved(bdc);
    TColor color;
    if (control) {
        TFont* font = GetObjectPropByName<TFont>(control, "Font");
        if (font) SelectObject(bdc, font->Handle());
        color = font ? font->Color() : clBtnText;
    } else {
        if (HFONT font = HFONT(SendMessageW(hwnd, WM_GETFONT, 0, 0))) SelectObject(bdc, font);
        color = fsd->Colors[scheme::kButtonText];
    }
    SetTextColor(bdc, ColorToRGB(ResolveColor(ButtonCaptionColour(*skin, color, frame, enabled))));
    DrawButtonText(bdc, rc, DT_CENTER);
    BlitOpaque(dc, rc.Left, rc.Top, *btemp);
}

void TSkinButton::DrawButtonText(HDC dc, const TRect& rc, unsigned Alignment) {
    caption = TwoLineCaption(caption);
    RECT measured{rc.Left + 2, rc.Top + 2, rc.Right - 2, rc.Bottom - 2};
    SetBkMode(dc, TRANSPARENT);
    const unsigned flags = Alignment | DT_EXPANDTABS | DT_WORDBREAK;
    DrawTextW(dc, caption.c_str(), int(caption.size()), &measured, flags | DT_CALCRECT | DT_NOCLIP);
    const TRect box = PlaceCaption(rc, measured.right - measured.left, measured.bottom - measured.top,
                                   Alignment == DT_CENTER);
    RECT r = ToRECT(box);
    DrawTextW(dc, caption.c_str(), int(caption.size()), &r, CheckBiDi(flags));
    SetBkMode(dc, OPAQUE);
    if (focused && !(fsd && fsd->Options().Contains(xoNoFocusRect))) {
        RECT f{r.left - 2, r.top - 2, r.right + 2, r.bottom + 2};
        DrawFocusRect(dc, &f);
    }
}
