#include "skin/form/caption_text.h"

CaptionTextBoxes LayoutCaptionText(const CaptionTextInput& in) {
    const TRect& R = in.area;
    const int Rw = R.Width();
    TRect T{R.Left, R.Top, R.Left + in.textWidth + in.backleft + in.backright, R.Top + in.textHeight};
    const int Tw = T.Width();

    int dx = 0;
    switch (in.alignment) {
    case 0: dx = in.shifts.Left; break;
    case 1: dx = (Rw - Tw) / 2; break;
    case 2: dx = Rw - in.shifts.Right - Tw; break;
    default: break;
    }
    if (in.bidileft) {
        switch (in.alignment) {
        case 0: dx = Rw - in.rightButtons - Tw; break;
        case 1: dx = (Rw - Tw - in.rightButtons) / 2; break;
        case 2: dx = in.shifts.Left; break;
        default: break;
        }
    }
    const int dy = (R.Height() - T.Height()) / 2 + in.shifts.Top / 2;
    T = T.Offset(dx, dy);
    if (in.bidileft && dx <= 0) T.Left = in.shifts.Left;

    // The right clip: before the buttons of a popup window, before the title's clip point otherwise.
    if (in.bidileft) {
        T = T.Offset(10, 0);
    } else if (in.popup) {
        if (in.rightButtons > 5 && R.Right - in.rightButtons - 5 < T.Right)
            T.Right = R.Right - in.rightButtons - 5;
    } else if (R.Right - in.shifts.Right < T.Right) {
        T.Right = R.Right - in.shifts.Right;
    }
    if (in.dialog && in.alignment == 0) T.Left -= 16;

    CaptionTextBoxes out;
    out.text = T;
    out.background = {T.Left, R.Top, T.Right, R.Bottom};
    out.drawn = {T.Left + in.backleft, T.Top, T.Right - in.backright, T.Bottom};
    return out;
}
