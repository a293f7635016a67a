#include "skin/controls/win/skin_edit.h"

#include <optional>

#include "platform/win/gdi.h"
#include "platform/win/graphics.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_messages.h"
#include "skin/imaging/img_util.h"

namespace {

// Fills the ring of one pixel along rc's inside edge.
void Ring(HDC dc, const TRect& rc, COLORREF color) {
    if (rc.IsEmpty()) return;
    Owned<HBRUSH> brush(CreateSolidBrush(color));
    const RECT r = ToRECT(rc);
    FrameRect(dc, &r, brush.get());
}

}  // namespace

void TSkinEdit::AfterProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PAINT: PaintControl(PassedDc(Message)); break;
    case WM_PRINT: PrintBorder(PassedDc(Message)); break;
    case SM_PRINTCONTROL:
        if (Message.LParam != SkinSignature) break;
        if (Message.WParam) {
            // The control's own image into the sender's dc.
            TMessage paint{WM_PAINT, Message.WParam, 0, 0};
            CallDefault(paint);
        }
        Message.Result = SkinSignature;
        break;
    default: TSkinControl::AfterProc(Message); break;
    }
}

void TSkinEdit::DrawControl(HDC dc, const TRect& rc) {
    RECT client;
    GetClientRect(hwnd, &client);
    if (client.right >= rc.Width() || client.bottom >= rc.Height()) return;  // no border to draw over
    Ring(dc, rc, ColorToRGB(ResolveColor(fsd->Colors[scheme::kButtonShadow])));
    Ring(dc, {rc.Left + 1, rc.Top + 1, rc.Right - 1, rc.Bottom - 1}, RGB(255, 255, 255));
    Ring(dc, {rc.Left + 2, rc.Top + 2, rc.Right - 2, rc.Bottom - 2}, RGB(255, 255, 255));
}

void TSkinEdit::PrintBorder(HDC dc) {
    RECT w;
    if (!GetWindowRect(hwnd, &w)) return;
    boundsrect = ToTRect(w);
    const TRect rc{0, 0, w.right - w.left, w.bottom - w.top};
    try {
        std::optional<WindowDC> own;
        if (!dc) {
            own.emplace(hwnd);
            dc = own->get();
        }
        RECT client;
        GetClientRect(hwnd, &client);
        if (client.right + 2 >= rc.Width() || client.bottom + 2 >= rc.Height()) return;
        const RECT inner{1, 1, rc.Right - 1, rc.Bottom - 1};
        FrameRect(dc, &inner, HBRUSH(GetCurrentObject(dc, OBJ_BRUSH)));
        Ring(dc, rc, ColorToRGB(ResolveColor(fsd->Colors[scheme::kButtonShadow])));
    } catch (...) {
        // A border that fails to print is left out.
    }
}
