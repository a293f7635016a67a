#include "skin/controls/win/combox_scroll_bar.h"

#include <algorithm>

#include "platform/bitmap.h"
#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"
#include "platform/win/graphics.h"
#include "skin/controls/scroll_bar_layout.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_object.h"
#include "skin/data/win/skin_data_platform.h"
#include "skin/imaging/img_util.h"
#include "skin/imaging/win/img_gdi.h"

namespace {

// A list box message sent when the list has scrolled by itself (the combo box's drop-down).
constexpr UINT kListScrolled = 0x1AE;

bool VerticalBar(HWND list, SCROLLBARINFO& info) {
    info = {};
    info.cbSize = sizeof info;
    return SkinGetScrollBarInfo(list, OBJID_VSCROLL, &info);
}

// A mouse message's point on the screen.
POINT ScreenPoint(const MSG& m) {
    const SignedPoint p = SignedPointOf(m.lParam);
    POINT at{p.x, p.y};
    if (m.message == WM_MOUSEMOVE || m.message == WM_LBUTTONUP) ClientToScreen(m.hwnd, &at);
    return at;
}

}  // namespace

TComboxScrollBar::TComboxScrollBar(TComponent* AOwner)
    : TSkinControl(AOwner), cw(GetSystemMetrics(SM_CXHSCROLL)) {}

Route TComboxScrollBar::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCPAINT:
        return Route::PassOn;  // the list paints its frame first; AfterProc paints the bar over it
    case WM_NCMOUSEMOVE:
        // No hot-tracking of the bar by the platform: it would draw its own look over the skin.
        if (Message.WParam == HTVSCROLL || Message.WParam == HTHSCROLL) {
            Message.Result = 0;
            return Route::Swallow;
        }
        return Route::PassOn;
    case WM_NCLBUTTONDOWN:
        if (TrackListThumb(Message)) {
            Message.Result = 0;
            return Route::Swallow;
        }
        return Route::PassOn;
    default: return TSkinControl::BeforeProc(Message);
    }
}

void TComboxScrollBar::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCPAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case kListScrolled:
    // The list scrolls itself on these without a scroll message, and the platform redraws its own bar.
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case LB_SETTOPINDEX:
    case LB_SETCURSEL: PaintControl(nullptr); break;
    default: TSkinControl::AfterProc(Message); break;
    }
}

void TComboxScrollBar::DrawControl(HDC dc, const TRect& rc) { DrawBar(dc, rc); }

void TComboxScrollBar::DrawBar(HDC dc, const TRect& rc) {
    const TDataSkinObject* arrows = fsd ? fsd->SArrow.get() : nullptr;
    if (!arrows || arrows->Map.Empty()) return;
    SCROLLBARINFO info;
    if (!VerticalBar(hwnd, info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) return;
    const bool enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    RECT W;
    GetWindowRect(hwnd, &W);
    const RECT& bar = info.rcScrollBar;
    const int barLen = bar.bottom - bar.top, windowW = W.right - W.left, windowH = W.bottom - W.top;
    if (bar.right - bar.left < 0 || barLen < 0 || windowW < bar.right - bar.left || windowH < barLen) return;
    len = rc.Height();

    const TDataSkinObject* track = fsd->VBar.get();
    const TDataSkinObject* thumb = fsd->VSlider.get();
    ScrollBarLook look;
    look.vertical = true;
    look.len = barLen;
    look.cw = cw;
    look.arrowImageHeight = arrows->Map.Height();
    look.enabled = enabled;  // never hot or pressed: the bar has no hover tracking
    look.hasTrack = track != nullptr;
    look.hasThumb = thumb != nullptr;
    thumbtop = info.xyThumbTop;
    thumbBottom = info.xyThumbBottom;
    look.thumbTop = thumbtop, look.thumbBottom = thumbBottom;
    ScrollBarPieces p = LayoutScrollBar(look);
    p.arrowLen = windowH < 2 * cw ? barLen / 2 : cw;
    const int A = p.across;
    if (A <= 0 || barLen <= 0) return;

    TBitmap B(A, barLen, pf24bit);
    const HDC bdc = BitmapDC(B);
    if (!bdc) return;
    SetStretchBltMode(bdc, COLORONCOLOR);
    FillColorRect(B, Rect(0, 0, A, barLen), ResolveColor(fsd->Colors[scheme::kButtonFace]));
    auto span = [&](int from, int to) { return Rect(0, from, A, to); };
    if (p.track)
        DrawSkinRect(bdc, span(p.trackFrom, p.trackTo), track->Map, track->r, p.trackCell, 4, track->trans,
                     track->Tile, 0);
    DrawSkinMap1(bdc, span(0, p.arrowLen), arrows->Map, p.firstArrowCell, kArrowStripCells);
    DrawSkinMap1(bdc, span(barLen - p.arrowLen, barLen), arrows->Map, p.secondArrowCell, kArrowStripCells);
    if (enabled && thumbtop < windowH && thumbBottom < windowH) {
        if (p.thumb)
            DrawSkinRect(bdc, span(thumbtop, thumbBottom), thumb->Map, thumb->r, p.thumbCell, thumb->frame,
                         thumb->trans, 0, 0);
        if (p.grip && p.gripFrom < windowH && p.gripTo < windowH)
            DrawSkinMap1(bdc, span(p.gripFrom, p.gripTo), arrows->Map, p.gripCell, kArrowStripCells);
    }
    BlitOpaque(dc, bar.left - W.left, bar.top - W.top, B);
}

bool TComboxScrollBar::TrackListThumb(TMessage& Message) {
    if (Message.WParam != HTVSCROLL) return false;
    SCROLLBARINFO info;
    if (!VerticalBar(hwnd, info)) return false;
    const SignedPoint press = SignedPointOf(Message.LParam);
    if (!PressOnThumb(press.y - info.rcScrollBar.top, info.xyThumbTop, info.xyThumbBottom)) return false;

    const HWND list = hwnd;
    SetCapture(list);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(list, SB_VERT, &si);
    const int offs = info.xyThumbTop - cw;
    const int track = info.rcScrollBar.bottom - info.rcScrollBar.top - 2 * cw;
    const int thumbLen = info.xyThumbBottom - info.xyThumbTop;
    int last = si.nPos, cur = si.nPos;
    // The cursor's travel is read from the mouse messages' own points: the press point, then each move's.
    const int startY = press.y;

    // Waits for each message: a thumb held still costs nothing.
    MSG m;
    for (;;) {
        const BOOL got = GetMessageW(&m, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(int(m.wParam));  // the application's loop still gets to end
            break;
        }
        if (got < 0) break;
        if (m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP) break;
        TranslateMessage(&m);
        DispatchMessageW(&m);
        if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) {
            const int at = ListThumbPosition(offs + ScreenPoint(m).y - startY, track, thumbLen, si.nMin,
                                             si.nMax, si.nPage);
            if (at != last) {
                // A list may read a tracked position from its scroll bar rather than from the message (Wine's
                // does): outside the platform's own tracking that is the bar's position, so it is set first.
                SetScrollPos(list, SB_VERT, at, FALSE);
                SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, at), 0);
                cur = last = at;
            }
        }
        // The list went away, or something else took the mouse: the drag is over.
        if (!IsWindow(list) || GetCapture() != list) break;
    }
    if (IsWindow(list)) {
        SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, cur), 0);
        PostMessageW(list, WM_VSCROLL, SB_ENDSCROLL, 0);
        if (GetCapture() == list) ReleaseCapture();
    }
    return true;
}
