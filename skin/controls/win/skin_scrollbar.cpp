#include "skin/controls/win/skin_scrollbar.h"
#include "platform/string_list.h"  // AsciiLower

#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/bitmap.h"
#include "platform/props.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"
#include "platform/win/graphics.h"
#include "skin/controls/scroll_bar_layout.h"
#include "skin/controls/win/skin_header.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/data/skin_object.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

namespace {

// The box between a window's two bars, in window coordinates: the bars' rectangles are the client's,
// moved by whatever border the window has.
TRect CornerBox(HWND hwnd, const TWScrollbar& hb, const TWScrollbar& vb) {
    RECT w;
    GetWindowRect(hwnd, &w);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    const int dx = origin.x - w.left, dy = origin.y - w.top;
    return {vb.sbRect.Left + dx, hb.sbRect.Top + dy, vb.sbRect.Right + dx, hb.sbRect.Bottom + dy};
}

}  // namespace

// ---- The panel

const TClassInfo TWScrollbar::ClassInfo_{"TWScrollbar", &TCustomPanel::ClassInfo_, &TCustomPanel::Props};

TWScrollbar::TWScrollbar(TComponent* AOwner) : TCustomPanel(AOwner), CW(GetSystemMetrics(SM_CXHSCROLL)) {
    SetTabStop(false);
    SetBevelOuter(bvNone);
}

void TWScrollbar::CreateParams(TCreateParams& params) {
    TCustomPanel::CreateParams(params);
    params.ExStyle = WS_EX_TOOLWINDOW;
}

void TWScrollbar::Bind(TSkinControl* aobj, HWND ahwnd, int aType) {
    obj = aobj;
    hwnd = ahwnd;
    sbType = aType;
    sbDir = aType;
}

void TWScrollbar::Attach(TSkinControl* aobj, TWinControl* aControl, int aType) {
    control = aControl;
    Bind(aobj, aControl->Handle(), aType);
    SetColor(aobj->GetParentColor(aobj->fsd ? aobj->fsd->Colors[scheme::kButtonFace] : clBtnFace));
    if (aType == 2)
        sbDir =
            ScrollControlVertical(GetEnumPropByName(aControl, "Kind"), DWORD(GetWindowLongW(hwnd, GWL_STYLE)))
                ? 1
                : 0;
    SetParentWindow(GetParent(hwnd));
    SetPosition(hwnd);
}

void TWScrollbar::AttachHwnd(TSkinControl* aobj, HWND ahwnd, int aType) {
    control = nullptr;
    Bind(aobj, ahwnd, aType);
    if (aType == 2) sbDir = ScrollControlVertical({}, DWORD(GetWindowLongW(hwnd, GWL_STYLE))) ? 1 : 0;
    SetParentWindow(GetParent(hwnd));
    SetPosition(hwnd);
}

bool TWScrollbar::Geometry(BarGeometry& g, bool minLength) {
    g = {};
    if (sbType != kBarControl) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        if (!SkinGetScrollBarInfo(hwnd, sbType == kWindowHorz ? OBJID_HSCROLL : OBJID_VSCROLL, &info))
            return false;
        g.bar = info.rcScrollBar;
        g.thumbTop = info.xyThumbTop;
        g.thumbBottom = info.xyThumbBottom;
        g.state = info.rgstate[0];
        return true;
    }
    // A scroll bar control: the whole window is the bar.
    if (!IsWindow(hwnd) || !GetWindowRect(hwnd, &g.bar)) return false;
    Len = sbDir == 0 ? g.bar.right - g.bar.left : g.bar.bottom - g.bar.top;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    if (!GetScrollInfo(hwnd, SB_CTL, &si)) return false;
    const ThumbSpan t = ControlThumb(Len, CW, si.nMin, si.nMax, si.nPage, si.nPos, minLength);
    g.thumbTop = t.top;
    g.thumbBottom = t.bottom;
    if (!IsWindowEnabled(hwnd)) g.state |= STATE_SYSTEM_UNAVAILABLE;
    return true;
}

void TWScrollbar::SetPosition(HWND ahwnd) {
    hwnd = ahwnd;
    const HWND parent = GetParent(ahwnd);
    BarGeometry g;
    sbVisible = Geometry(g);
    if (!sbVisible) return;
    if (!(DWORD(GetWindowLongW(hwnd, GWL_STYLE)) & WS_VISIBLE) || (g.state & STATE_SYSTEM_INVISIBLE)) {
        HideScrollbar();
        return;
    }
    const RECT& r = g.bar;
    POINT tl{r.left, r.top}, br{r.right, r.bottom};
    ::ScreenToClient(hwnd, &tl);
    ::ScreenToClient(hwnd, &br);
    sbRect = {tl.x, tl.y, br.x, br.y};
    Len = sbDir == 1 ? r.bottom - r.top : r.right - r.left;
    OffsetSC = {r.left, r.top};
    POINT p{r.left, r.top};
    ::ScreenToClient(parent, &p);
    const HWND after = GetWindow(hwnd, GW_HWNDPREV);
    sbVisible = true;
    SetVisible(true);
    const HWND self = Handle();
    SetWindowPos(self, after, p.x, p.y, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW);
    MoveWindow(self, p.x, p.y, r.right - r.left, r.bottom - r.top, TRUE);
}

void TWScrollbar::HideScrollbar() {
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    sbVisible = false;
    SetVisible(false);
}

void TWScrollbar::ButtonUp() {
    fdown = false;
    ReleaseCapture();
    if (sbType == kBarControl) Invalidate();
}

int TWScrollbar::HitTest(TPoint p) const {
    return ScrollBarHitTest(sbDir == 0 ? p.X : p.Y, Len, CW, thumbTop, thumbbottom);
}

void TWScrollbar::Paint() {
    TSkinData* fsd = obj ? obj->fsd : nullptr;
    const TDataSkinObject* arrows = fsd ? fsd->SArrow.get() : nullptr;
    if (!arrows || arrows->Map.Empty()) return;
    BarGeometry g;
    if (!Geometry(g) || (g.state & STATE_SYSTEM_INVISIBLE)) return;
    const bool enabled = !(g.state & STATE_SYSTEM_UNAVAILABLE);
    const bool vertical = sbDir == 1;
    const RECT& bar = g.bar;
    int w = bar.right - bar.left, h = bar.bottom - bar.top;
    if (w < 0 || h < 0 || Width() < w || Height() < h) return;
    Len = vertical ? h : w;

    const TDataSkinObject* track = vertical ? fsd->VBar.get() : fsd->HBar.get();
    const TDataSkinObject* thumb = vertical ? fsd->VSlider.get() : fsd->HSlider.get();
    ScrollBarLook look;
    look.vertical = vertical;
    look.len = Len;
    look.cw = CW;
    look.arrowImageHeight = arrows->Map.Height();
    look.scrollpos = scrollpos;
    look.down = fdown;
    look.enabled = enabled;
    look.hasTrack = track != nullptr;
    look.hasThumb = thumb != nullptr;
    if (fdown && scrollpos == spThumb && sbType != kBarControl) {
        POINT cursor;
        GetCursorPos(&cursor);
        const ThumbSpan t = DragThumb(vertical ? cursor.y : cursor.x, vertical ? trackp.Y : trackp.X,
                                      trackthumb, {thumbTop, thumbbottom}, Len, CW);
        thumbTop = t.top, thumbbottom = t.bottom;
    } else {
        thumbTop = g.thumbTop, thumbbottom = g.thumbBottom;
    }
    look.thumbTop = thumbTop, look.thumbBottom = thumbbottom;
    const ScrollBarPieces p = LayoutScrollBar(look);
    const int A = p.across;
    // A scroll bar control is composed A thick and stretched over the control; a window scroll bar keeps
    // its full thickness, and what lies beyond A stays the face colour.
    if (sbType == kBarControl) (vertical ? w : h) = A;
    if (w <= 0 || h <= 0) return;

    TBitmap B(w, h, pf24bit);
    const HDC dc = BitmapDC(B);
    if (!dc) return;
    SetStretchBltMode(dc, COLORONCOLOR);
    FillColorRect(B, Rect(0, 0, w, h), ResolveColor(fsd->Colors[scheme::kButtonFace]));
    // Rectangles from positions along the bar, A thick across it.
    auto span = [&](int from, int to) { return vertical ? Rect(0, from, A, to) : Rect(from, 0, to, A); };

    if (p.track)
        DrawSkinRect(dc, span(p.trackFrom, p.trackTo), track->Map, track->r, p.trackCell, 4, track->trans,
                     track->Tile, 0);
    obj->DrawSkinMap1(dc, span(0, p.arrowLen), arrows->Map, p.firstArrowCell, kArrowStripCells);
    obj->DrawSkinMap1(dc, span(Len - p.arrowLen, Len), arrows->Map, p.secondArrowCell, kArrowStripCells);
    const int extent = vertical ? Height() : Width();
    if (enabled && thumbTop < extent && thumbbottom < extent) {
        if (p.thumb)
            DrawSkinRect(dc, span(thumbTop, thumbbottom), thumb->Map, thumb->r, p.thumbCell, thumb->frame,
                         thumb->trans, 0, 0);
        if (p.grip && p.gripFrom < extent && p.gripTo < extent)
            obj->DrawSkinMap1(dc, span(p.gripFrom, p.gripTo), arrows->Map, p.gripCell, kArrowStripCells);
    }
    if (sbType == kBarControl) {
        StretchBlt(Canvas().Handle(), 0, 0, Width(), Height(), dc, 0, 0, w, h, SRCCOPY);
    } else {
        BlitOpaque(Canvas().Handle(), 0, 0, B);
    }
}

void TWScrollbar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND: m.Result = 1; return;  // the paint covers the panel
    case WM_MOUSEMOVE: {
        TCustomPanel::WndProc(m);
        const SignedPoint at = SignedPointOf(m.LParam);
        const int part = HitTest({at.x, at.y});
        if (part != scrollpos) {
            scrollpos = part;
            Invalidate();
        }
        TrackMouseLeave(Handle());
        return;
    }
    case WM_MOUSELEAVE:
        if (!fdown) {
            scrollpos = -1;
            Invalidate();
        }
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: Press(m); return;
    case WM_LBUTTONUP: Release(m); return;
    default: TCustomPanel::WndProc(m); return;
    }
}

void TWScrollbar::Press(TMessage& m) {
    TCustomPanel::WndProc(m);
    const SignedPoint p = SignedPointOf(m.LParam);
    POINT cursor;
    GetCursorPos(&cursor);
    trackp = {cursor.x, cursor.y};
    BarGeometry g;
    if (Geometry(g, false)) {
        trackthumb = g.thumbTop;
        if (sbType != kBarControl) {
            thumbTop = g.thumbTop, thumbbottom = g.thumbBottom;
            OffsetSC = {g.bar.left, g.bar.top};
        }
    }
    scrollpos = HitTest({p.x, p.y});
    fdown = true;
    Repaint();
    ReleaseCapture();
    // The control's own scroll bar handling runs its tracking loop; the call returns when it is over.
    if (sbType == kBarControl) {
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, m.LParam);  // panel and control cover the same place
    } else {
        SendMessageW(hwnd, WM_NCLBUTTONDOWN, sbDir == 1 ? HTVSCROLL : HTHSCROLL,
                     PackPoint(p.x + OffsetSC.X, p.y + OffsetSC.Y));
    }
    fdown = false;
    ReleaseCapture();
    Invalidate();
}

void TWScrollbar::Release(TMessage& m) {
    TCustomPanel::WndProc(m);
    fdown = false;
    ReleaseCapture();
    if (sbType == kBarControl) {
        PostMessageW(hwnd, WM_LBUTTONUP, MK_LBUTTON, m.LParam);
        Invalidate();
        return;
    }
    const SignedPoint p = SignedPointOf(m.LParam);
    PostMessageW(hwnd, WM_NCLBUTTONUP, sbDir == 1 ? HTVSCROLL : HTHSCROLL,
                 PackPoint(p.x + OffsetSC.X, p.y + OffsetSC.Y));
}

// ---- Window scroll bars of a framework control

TSkinScrollbar::TSkinScrollbar(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinScrollbar::~TSkinScrollbar() { FreeBars(); }

void TSkinScrollbar::FreeBars() {
    delete hb;
    delete vb;
    hb = vb = nullptr;
}

void TSkinScrollbar::InitScrollbar(TWinControl* acontrol, TSkinData* sd, TCanvas* acanvas, TComponent* sf) {
    fsd = sd;
    fCanvas = acanvas;
    control = acontrol;
    hwnd = acontrol->Handle();
    EnterList(sf);
    border = AsciiLower(GetEnumPropByName(acontrol, "BorderStyle")) != "bsnone";
    if (acontrol->ClassName() == "TImageScrollBox" || kind == 1) border = false;
    SwapFixedColor(true);
    hb = new TWScrollbar(this);
    hb->Attach(this, acontrol, TWScrollbar::kWindowHorz);
    vb = new TWScrollbar(this);
    vb->Attach(this, acontrol, TWScrollbar::kWindowVert);
    for (TWScrollbar* b : {hb, vb}) {
        b->SetEnabled(acontrol->Enabled());
        if (!acontrol->Visible()) b->HideScrollbar();
    }
    HookWindowProc(*control);
    Inited = true;
    skinstate = kAttached;
}

void TSkinScrollbar::SwapFixedColor(bool skinned) {
    const Prop* p = FindProp(control, "FixedColor");
    if (!p || p->Kind != PropKind::Integer) return;
    if (skinned) {
        if (!newColor) oldcolor = TColor(GetOrdPropByName(control, "FixedColor"));
        newColor = true;
        SetPropByName(control, "FixedColor", std::string_view(std::to_string(ButtonFace())));
    } else if (newColor) {
        SetPropByName(control, "FixedColor", std::string_view(std::to_string(oldcolor)));
        newColor = false;
    }
}

Route TSkinScrollbar::BeforeProc(TMessage& Message) {
    if (Message.Msg == WM_NCPAINT && border) {
        CallDefault(Message);
        WindowDC dc(hwnd);
        PaintBorder(dc);
        return Route::Swallow;
    }
    return TSkinControl::BeforeProc(Message);
}

void TSkinScrollbar::PaintBorder(HDC dc) {
    RECT w;
    GetWindowRect(hwnd, &w);
    RECT r{0, 0, w.right - w.left, w.bottom - w.top};
    Owned<HBRUSH> shadow(CreateSolidBrush(ColorToRGB(ResolveColor(fsd->Colors[scheme::kButtonShadow]))));
    Owned<HBRUSH> face(CreateSolidBrush(ColorToRGB(ResolveColor(ButtonFace()))));
    FrameRect(dc, &r, shadow.get());
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, face.get());
}

void TSkinScrollbar::SetBars() {
    if (hb) hb->SetPosition(hwnd);
    if (vb) vb->SetPosition(hwnd);
}

void TSkinScrollbar::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        sizing = true;
        SetBars();
        break;
    case WM_HSCROLL:
        if (hb) {
            hb->scrollpos = LOWORD(Message.WParam);
            hb->Invalidate();
        }
        break;
    case WM_VSCROLL:
        if (vb) {
            vb->scrollpos = LOWORD(Message.WParam);
            vb->Invalidate();
        }
        break;
    case WM_MOUSEWHEEL:
        for (TWScrollbar* b : {hb, vb})
            if (b && b->sbVisible) b->Invalidate();
        break;
    case CM_VISIBLECHANGED:
        if (Message.WParam) {
            SetBars();
        } else {
            for (TWScrollbar* b : {hb, vb})
                if (b) b->HideScrollbar();
        }
        break;
    case CM_ENABLEDCHANGED:
        for (TWScrollbar* b : {hb, vb})
            if (b && control) b->SetEnabled(control->Enabled());
        break;
    case CM_RECREATEWND:
        // The window is about to be made again: the form skinner gives the control a new skinner.
        if (control && skinform) PostMessageW(GetAncestor(hwnd, GA_ROOT), SM_RESETSCROLLBAR, WPARAM(hwnd), 0);
        break;
    case SM_PAINTTODC:
        if (Message.LParam == SkinSignature) {
            if (Message.WParam) PaintBorder(PassedDc(Message));
            Message.Result = SkinSignature;
        }
        break;
    default: TSkinControl::AfterProc(Message); break;
    }
}

void TSkinScrollbar::DrawControl(HDC dc, const TRect&) {
    const DWORD style = DWORD(GetWindowLongW(hwnd, GWL_STYLE));
    if (vb) {
        if (vb->sbVisible)
            vb->Invalidate();
        else if (style & WS_VSCROLL)
            vb->SetPosition(hwnd);
    }
    if (hb) {
        if (hb->sbVisible)
            hb->Invalidate();
        else if (style & WS_HSCROLL)
            hb->SetPosition(hwnd);
    }
    if (hb && vb && hb->sbVisible && vb->sbVisible) FillFace(dc, CornerBox(hwnd, *hb, *vb));
}

void TSkinScrollbar::SkinChange() {
    if (newColor) SetPropByName(control, "FixedColor", std::string_view(std::to_string(ButtonFace())));
    TSkinControl::SkinChange();
}

void TSkinScrollbar::Unsubclass() {
    SwapFixedColor(false);
    TSkinControl::Unsubclass();
    if (skinstate != kWindowGone) FreeBars();
}

// ---- List views

TSkinListView::TSkinListView(TComponent* AOwner) : TSkinScrollbar(AOwner) {}

void TSkinListView::InitScrollbar(TWinControl* acontrol, TSkinData* sd, TCanvas* acanvas, TComponent* sf) {
    TSkinScrollbar::InitScrollbar(acontrol, sd, acanvas, sf);
    hHeader = reinterpret_cast<HWND>(SendMessageW(hwnd, LVM_GETHEADER, 0, 0));
    if (hHeader) header = AttachHeader(hHeader, sd, acanvas, sf);
}

TSkinControl* TSkinListView::AttachHeader(HWND aheader, TSkinData* sd, TCanvas* acanvas, TComponent* sf) {
    // Owned by this skinner: a list view skinner made again for the same control brings a header skinner
    // of its own, and the old one goes with the old skinner.
    auto* h = new TSkinHeader(this);
    h->Inithwnd(aheader, sd, acanvas, sf);
    return h;
}

void TSkinListView::Notification(TComponent* component, TOperation operation) {
    TSkinScrollbar::Notification(component, operation);
    if (operation == TOperation::opRemove && component == header) header = nullptr;
}

// ---- Window scroll bars of a bare window

TSkinScrollbarH::TSkinScrollbarH(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinScrollbarH::~TSkinScrollbarH() { FreeBars(); }

void TSkinScrollbarH::FreeBars() {
    delete hb;
    delete vb;
    hb = vb = nullptr;
}

void TSkinScrollbarH::Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TComponent* sf) {
    control = nullptr;
    // The panels first: attaching places them, and the window's own procedure is not replaced yet.
    fsd = sd;
    hwnd = ahwnd;
    hb = new TWScrollbar(this);
    hb->AttachHwnd(this, ahwnd, 0);
    vb = new TWScrollbar(this);
    vb->AttachHwnd(this, ahwnd, 1);
    TSkinControl::Inithwnd(ahwnd, sd, acanvas, sf);
}

void TSkinScrollbarH::AfterProc(TMessage& Message) {
    if (!IsWindowVisible(hwnd))
        for (TWScrollbar* b : {hb, vb})
            if (b && b->sbVisible) b->HideScrollbar();
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
        for (TWScrollbar* b : {hb, vb})
            if (b) b->SetPosition(hwnd);
        RepaintNow();
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (TWScrollbar* b = Message.Msg == WM_HSCROLL ? hb : vb) {
            b->scrollpos = LOWORD(Message.WParam);
            b->Invalidate();
        }
        break;
    case WM_MOUSEWHEEL:
        for (TWScrollbar* b : {hb, vb})
            if (b && b->sbVisible) b->Invalidate();
        break;
    default: TSkinControl::AfterProc(Message); break;
    }
}

void TSkinScrollbarH::DrawControl(HDC dc, const TRect&) {
    for (TWScrollbar* b : {hb, vb})
        if (b && b->sbVisible) b->Invalidate();
    if (hb && vb && hb->sbVisible && vb->sbVisible) FillFace(dc, CornerBox(hwnd, *hb, *vb));
}

void TSkinScrollbarH::Unsubclass() {
    TSkinControl::Unsubclass();
    if (skinstate != kWindowGone) FreeBars();
}

// ---- Scroll bar controls

TSkinScControl::TSkinScControl(TComponent* AOwner) : TSkinControl(AOwner) {}

TSkinScControl::~TSkinScControl() { FreeBar(); }

void TSkinScControl::FreeBar() {
    delete sb;
    sb = nullptr;
}

void TSkinScControl::InitScrollbar(TWinControl* acontrol, TSkinData* sd, TCanvas* acanvas, TComponent* sf) {
    fsd = sd;
    fCanvas = acanvas;
    control = acontrol;
    hwnd = acontrol->Handle();
    EnterList(sf);
    sb = new TWScrollbar(this);
    sb->ShowHint = acontrol->ShowHint;
    sb->Hint = acontrol->Hint;
    sb->Attach(this, acontrol, TWScrollbar::kBarControl);
    if (!acontrol->Visible()) sb->HideScrollbar();
    HookWindowProc(*control);
    Inited = true;
    skinstate = kAttached;
}

void TSkinScControl::Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TComponent* sf) {
    fsd = sd;
    hwnd = ahwnd;
    sb = new TWScrollbar(this);
    sb->AttachHwnd(this, ahwnd, 2);
    if (!IsWindowVisible(ahwnd)) sb->HideScrollbar();
    TSkinControl::Inithwnd(ahwnd, sd, acanvas, sf);
}

void TSkinScControl::AfterProc(TMessage& Message) {
    if (!sb) {
        TSkinControl::AfterProc(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_WINDOWPOSCHANGED: sb->SetPosition(hwnd); break;
    case WM_NCPAINT:
        if (control) hwnd = control->Handle();
        sb->SetPosition(hwnd);
        break;
    // Whatever moves the thumb or changes the range: the control has just drawn itself (under the panel,
    // or over it where the two overlap), so the panel is painted again at once.
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
    case CN_VSCROLL: sb->Repaint(); break;
    case CM_VISIBLECHANGED:
        if (Message.WParam) {
            sb->SetPosition(hwnd);
        } else {
            sb->HideScrollbar();
        }
        break;
    default: TSkinControl::AfterProc(Message); break;
    }
}

void TSkinScControl::DrawControl(HDC, const TRect&) {
    if (sb && sb->sbVisible) sb->Repaint();
}

void TSkinScControl::Unsubclass() {
    TSkinControl::Unsubclass();
    if (skinstate != kWindowGone) FreeBar();
}
