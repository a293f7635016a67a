#include "skin/controls/combo_box_layout.h"

#include <cstdint>

ComboParts LayoutCombo(const TRect& R, int d, bool buttonLeft) {
    ComboParts p;
    if (buttonLeft) {
        p.edit = Rect(R.Left + d + 4, R.Top + 2, R.Right - 2, R.Bottom - 2);
        p.button = Rect(R.Left, R.Top, R.Left + d + 2, R.Bottom);
        p.glyph = Rect(2, R.Top, d + 2, R.Bottom);
    } else {
        p.edit = Rect(R.Left + 2, R.Top + 2, R.Right - d - 4, R.Bottom - 2);
        p.button = Rect(R.Right - d - 2, R.Top, R.Right, R.Bottom);
        p.glyph = Rect(R.Right - d - 2, R.Top, R.Right - 2, R.Bottom);
    }
    return p;
}

TRect CenterCell(const TRect& G, int w, int h) {
    const int x = G.Left + (G.Width() - w) / 2;
    const int y = G.Top + (G.Height() - h) / 2;
    return Bounds(x, y, w, h);
}

FlatComboParts LayoutFlatCombo(const TRect& R, int w, int h, int c, bool buttonLeft) {
    FlatComboParts p;
    p.inner = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
    const TRect S = Rect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
    p.column =
        buttonLeft ? Rect(S.Left, S.Top, S.Left + c, S.Bottom) : Rect(S.Right - c, S.Top, S.Right, S.Bottom);
    p.button =
        buttonLeft ? Rect(S.Left, S.Top, S.Left + w, S.Bottom) : Rect(S.Right - w, S.Top, S.Right, S.Bottom);
    if (c > h) p.button.Bottom = p.button.Top + h;
    return p;
}

HotChange TrackComboHot(bool hot, bool enabled, const TRect& button, TPoint p) {
    if (!enabled) return HotChange::None;
    const bool over = button.Contains(p);
    if (hot && !over) return HotChange::Leave;
    if (!hot && over) return HotChange::Enter;
    return HotChange::None;
}

TRect ArrowButtonBounds(int pickerWidth, int pickerHeight, int cw, bool leftScrollBar) {
    const int left = leftScrollBar ? 2 : pickerWidth - cw - 4;
    return Bounds(left, 0, cw, pickerHeight - 4);
}

int ArrowButtonLeft(const TRect& r, int cw, bool leftScrollBar) {
    return leftScrollBar ? 2 : r.Right - cw - 4;
}

TRect StripCell(int imageWidth, int imageHeight, int frame, int index) {
    if (frame < 1 || index < 1 || index > frame || imageHeight < 1) return {};
    const int w = imageWidth / frame;
    if (w < 1) return {};
    return Rect(w * (index - 1), 0, w * index, imageHeight);
}

unsigned ArrowPointToPicker(TPoint p, int left, int top) {
    const auto x = std::uint16_t(p.X + left), y = std::uint16_t(p.Y + top);
    return unsigned(x) | (unsigned(y) << 16);
}
