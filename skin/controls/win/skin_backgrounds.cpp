#include "skin/controls/win/skin_backgrounds.h"

#include "platform/win/graphics.h"
#include "skin/data/skin_data.h"
#include "skin/imaging/img_util.h"

namespace {
constexpr int kButtonTextSlot = 4;
}  // namespace

void TSkinSizer::DrawControl(HDC dc, const TRect& rc) { FillFace(dc, rc); }

Route TSkinBoxH::BeforeProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_ERASEBKGND: {
        RECT w;
        GetWindowRect(hwnd, &w);
        FillFace(reinterpret_cast<HDC>(Message.WParam), {0, 0, w.right - w.left, w.bottom - w.top});
        Message.Result = 0;
        return Route::Swallow;
    }
    case WM_CTLCOLORSTATIC: {
        CallDefault(Message);  // the default handling prepares the dc
        if (!fsd || !fsd->BGBrush()) return Route::Swallow;
        // The static's text sits on the skin's face: it takes the skin's button text, without a box of
        // the platform's face round it (dark text would vanish on a dark face).
        const HDC dc = reinterpret_cast<HDC>(Message.WParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(ResolveColor(fsd->Colors[kButtonTextSlot])));
        Message.Result = reinterpret_cast<LRESULT>(fsd->BGBrush());
        return Route::Swallow;
    }
    default: return TSkinControl::BeforeProc(Message);
    }
}
