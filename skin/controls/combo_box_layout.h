// Skinned combo boxes and date-time pickers as data: which state cell a combo box shows, where its button,
// its arrow glyph and the edit area it leaves alone go in each look, when the mouse makes the button hot,
// and where a picker's arrow button sits. The Win32 side reads the window and draws what these answer.
#pragma once

#include "platform/types.h"

// The state cells of the combo images, from 1.
enum ComboCellIndex : int { ccNormal = 1, ccPressed = 2, ccDisabled = 3, ccHot = 4 };

struct ComboLook {
    bool enabled = true;
    bool focused = false;
    bool pressed = false;
    bool hot = false;
};

// The default and whole-control looks: focus shows as hot, a press or the mouse over the button wins over
// focus, and a disabled combo box shows its disabled cell whatever else holds.
constexpr int ComboCell(ComboLook s) {
    int I = s.focused ? ccHot : ccNormal;
    if (s.pressed) {
        I = ccPressed;
    } else if (s.hot) {
        I = ccHot;
    }
    return s.enabled ? I : ccDisabled;
}

// The flat look: here focus and the mouse win over the disabled cell.
constexpr int FlatComboCell(ComboLook s) {
    int I = s.enabled ? ccNormal : ccDisabled;
    if (s.focused) I = ccHot;
    if (s.pressed) {
        I = ccPressed;
    } else if (s.hot) {
        I = ccHot;
    }
    return I;
}

// The default look on the window rectangle R (at the origin), d the platform's arrow width.
struct ComboParts {
    TRect edit;    // left alone: the control's own field shows there
    TRect button;  // the button cell is stretched over it; also where the mouse makes the button hot
    TRect glyph;   // the arrow glyph is centred in it
};
ComboParts LayoutCombo(const TRect& R, int d, bool buttonLeft);

// A cell w x h centred in G (offsets rounded toward zero).
TRect CenterCell(const TRect& G, int w, int h);

// The flat look: R at the origin, the button cell w x h, c the platform's vertical thumb height.
struct FlatComboParts {
    TRect inner;   // R shrunk by 1: framed with the control's background brush
    TRect column;  // the button's column inside R shrunk by 2, filled with that brush
    TRect button;  // the button cell is stretched over it
};
FlatComboParts LayoutFlatCombo(const TRect& R, int w, int h, int c, bool buttonLeft);

// What a mouse move at p does to the hot look: it comes over the button, leaves it, or nothing changes.
// p is in the combo box's coordinates, read signed (a captured mouse may be left of or above it).
enum class HotChange { None, Enter, Leave };
HotChange TrackComboHot(bool hot, bool enabled, const TRect& button, TPoint p);

// A control draws a border of its own when its client area is smaller than its window.
constexpr bool HasOwnBorder(const TRect& window, int clientWidth, int clientHeight) {
    return clientWidth < window.Width() && clientHeight < window.Height();
}

// The arrow button over a date-time picker's own button, in the picker's client coordinates: cw wide and
// 4 pixels less high than the picker's window, at the top, 2 from the left for a right-to-left picker,
// else 4 plus its width in from the window's right edge.
TRect ArrowButtonBounds(int pickerWidth, int pickerHeight, int cw, bool leftScrollBar);
// Its left edge after the picker was sized to window rectangle r (the top stays).
int ArrowButtonLeft(const TRect& r, int cw, bool leftScrollBar);
// Cell index (from 1) of a horizontal strip of frame cells, imageWidth x imageHeight; empty when the strip
// has no such cell (no cells at all, or cells less than a pixel wide).
TRect StripCell(int imageWidth, int imageHeight, int frame, int index);
// A point on the arrow button moved into the picker's client coordinates, as a mouse message's lParam.
unsigned ArrowPointToPicker(TPoint p, int left, int top);
