// TComboxScrollBar: the vertical scroll bar of a combo box's drop-down list, painted from the skin straight
// into the list's non-client area (nothing covers the list). A press on the thumb is dragged by a loop of
// the skinner's own that waits for the next message between moves; presses on the arrows and the track
// stay the platform's.
#pragma once

#include "skin/controls/win/skin_control.h"

class TComboxScrollBar : public TSkinControl {
public:
    explicit TComboxScrollBar(TComponent* AOwner);

    Route BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const TRect& rc) override;

    int cw = 0;   // the platform's arrow length
    int len = 0;  // the list window's height at the last paint
    int thumbtop = 0, thumbBottom = 0;

private:
    void DrawBar(HDC dc, const TRect& rc);
    // The list's own thumb drag; false when the press is not on the thumb (the list then handles it).
    bool TrackListThumb(TMessage& Message);
};
