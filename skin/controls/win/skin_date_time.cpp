#include "skin/controls/win/skin_date_time.h"

#include <commctrl.h>

#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"
#include "skin/controls/combo_box_layout.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_object.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

namespace {

void FrameColor(HDC dc, const TRect& r, COLORREF color) {
    if (r.IsEmpty()) return;
    Owned<HBRUSH> brush(CreateSolidBrush(color));
    const RECT rr = ToRECT(r);
    FrameRect(dc, &rr, brush.get());
}

}  // namespace

// ======================================================================= TArrowButton

const TClassInfo TArrowButton::ClassInfo_{"TArrowButton", &TCustomControl::ClassInfo_, &TWinControl::Props};

TArrowButton::TArrowButton(TComponent* AOwner) : TCustomControl(AOwner), cw(GetSystemMetrics(SM_CXHSCROLL)) {}

bool TArrowButton::LeftSide() const {
    return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
}

void TArrowButton::Attach(TSkinControl* aobj, TWinControl* acontrol) {
    obj = aobj;
    control = acontrol;
    hwnd = acontrol->Handle();
    SetParentWindow(hwnd);
    RECT w;
    GetWindowRect(hwnd, &w);
    SetBoundsRect(ArrowButtonBounds(w.right - w.left, w.bottom - w.top, cw, LeftSide()));
    // The picker paints its own button under ours: it must leave our window alone.
    SetWindowLongPtrW(hwnd, GWL_STYLE, GetWindowLongPtrW(hwnd, GWL_STYLE) | WS_CLIPCHILDREN);
    HandleNeeded();
}

void TArrowButton::MoveArrow(const TRect& r) {
    const int left = ArrowButtonLeft(r, cw, LeftSide());
    if (left != Left()) SetLeft(left);
}

void TArrowButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN: {
        TCustomControl::WndProc(m);
        // A click on the picker's own button, which drops the calendar down.
        const POINT p = MousePoint(m.LParam);
        const LPARAM at = LPARAM(ArrowPointToPicker({p.x, p.y}, Left(), Top()));
        PostMessageW(hwnd, WM_LBUTTONDOWN, m.WParam, at);
        PostMessageW(hwnd, WM_LBUTTONUP, m.WParam, at);
        Invalidate();
        return;
    }
    case WM_LBUTTONUP:
        TCustomControl::WndProc(m);
        // Not while the calendar is down: it has the focus, and taking it back would bring the picker's
        // form up over the calendar.
        if (GetFocus() != hwnd && !SendMessageW(hwnd, DTM_GETMONTHCAL, 0, 0)) ::SetFocus(hwnd);
        return;
    case WM_MOUSEMOVE:
        TCustomControl::WndProc(m);
        if (!inside_) {
            inside_ = true;
            TrackMouseLeave(Handle());
            Perform(CM_MOUSEENTER);
        }
        return;
    case WM_MOUSELEAVE:
        inside_ = false;
        Perform(CM_MOUSELEAVE);
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        if (control && control->Enabled()) {
            if (m.Msg == CM_MOUSEENTER)
                state |= TSkinControl::kHot;
            else
                state &= ~TSkinControl::kHot;
            Invalidate();
        }
        return;
    case WM_ERASEBKGND: m.Result = 1; return;  // Paint covers the whole button
    default: TCustomControl::WndProc(m);
    }
}

void TArrowButton::Paint() {
    RECT w{};
    GetWindowRect(hwnd, &w);
    const int width = Width(), height = (w.bottom - w.top) - 4;
    if (width <= 0 || height <= 0) return;
    TSkinData* skin = obj ? obj->fsd : nullptr;
    // Composed off the screen and copied in one blit.
    TBitmap face(width, height, pf24bit);
    FillColorRect(face, Rect(0, 0, width, height), skin ? skin->Colors[scheme::kButtonFace] : clBtnFace);
    const TDataSkinObject* arrow = skin ? skin->comboxarrow.get() : nullptr;
    if (arrow && !arrow->Map.Empty()) {
        const int index = (state & TSkinControl::kHot) ? ccHot : ccNormal;
        // A strip without cells leaves the face plain.
        const TRect cell = StripCell(arrow->Map.Width(), arrow->Map.Height(), arrow->frame, index);
        if (!cell.IsEmpty()) StretchCopy(face, Rect(0, 0, width, height), arrow->Map, cell);
    }
    BlitOpaque(Canvas().Handle(), 0, 0, face);
}

// ======================================================================= TSkinDateTime

TSkinDateTime::TSkinDateTime(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinDateTime::~TSkinDateTime() { delete arrow; }

void TSkinDateTime::Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) {
    if (Inited) return;
    TSkinControl::Init(sf, sd, acanvas, acolor);
    if (!Inited) return;
    arrow = new TArrowButton(this);
    arrow->Attach(this, control);
}

void TSkinDateTime::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == arrow) arrow = nullptr;
}

void TSkinDateTime::Unsubclass() {
    TSkinControl::Unsubclass();
    // Unskinned, the picker shows its own button again.
    delete arrow;
}

void TSkinDateTime::AfterProc(TMessage& Message) {
    if (Message.Msg == WM_SIZE) {
        if (arrow) arrow->Repaint();
        return;
    }
    TSkinControl::AfterProc(Message);
}

void TSkinDateTime::DrawControl(HDC dc, const TRect& rc) {
    if (arrow) arrow->MoveArrow(rc);
    RECT client;
    GetClientRect(hwnd, &client);
    if (!HasOwnBorder(rc, client.right, client.bottom)) return;
    FrameColor(dc, rc, ColorToRGB(ResolveColor(fsd->Colors[scheme::kButtonShadow])));
    FrameColor(dc, Rect(rc.Left + 1, rc.Top + 1, rc.Right - 1, rc.Bottom - 1), RGB(255, 255, 255));
}
