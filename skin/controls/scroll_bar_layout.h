// A skinned scroll bar as data: where its arrows, track, thumb and grip go and which cells of the skin's
// arrow strip they show, what part a point is over, and where a dragged thumb is drawn. Coordinates run
// along the bar ("along") and across it ("across"); the Win32 side turns them into rectangles.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/types.h"

// The parts of a bar, numbered as the scroll codes that act on them; -1 for none.
enum ScrollPart : int {
    spNone = -1,
    spFirstArrow = 0,   // SB_LINEUP / SB_LINELEFT
    spSecondArrow = 1,  // SB_LINEDOWN / SB_LINERIGHT
    spTrackBefore = 2,  // SB_PAGEUP
    spTrackAfter = 3,   // SB_PAGEDOWN
    spThumb = 5,        // SB_THUMBTRACK
};

// The cells of the arrow strip (23 cells): arrows by direction, grips by orientation.
constexpr int kArrowStripCells = 23;

struct ScrollBarLook {
    bool vertical = true;
    int len = 0;  // extent along the bar
    int cw = 17;  // the platform's arrow length
    int arrowImageHeight = 0;
    int thumbTop = 0, thumbBottom = 0;
    int scrollpos = spNone;  // the part under the cursor or acted on
    bool down = false;       // a press is being handed to the control
    bool enabled = true;
    // The skin objects of the track (HBar or VBar) and of the thumb (HSlider or VSlider) exist: a skin may
    // lack either, and the piece is then left out (the bar's face shows there).
    bool hasTrack = true;
    bool hasThumb = true;
};

struct ScrollBarPieces {
    int across = 0;    // the cross size A the skin draws at
    int arrowLen = 0;  // each arrow's extent along the bar
    int firstArrowCell = 0, secondArrowCell = 0;
    int trackFrom = 0, trackTo = 0;  // along; empty when the bar is too short
    int trackCell = 1;
    bool track = false;
    bool thumb = false;  // drawn only when enabled
    int thumbCell = 1;
    bool grip = false;
    int gripFrom = 0, gripTo = 0;
    int gripCell = 0;
};

ScrollBarPieces LayoutScrollBar(const ScrollBarLook& s);

// The part under a point `at` along the bar (panel coordinates).
int ScrollBarHitTest(int at, int len, int cw, int thumbTop, int thumbBottom);

// The thumb while dragged: moved by the cursor's travel since the press, kept between the arrows.
struct ThumbSpan {
    int top = 0, bottom = 0;
};
ThumbSpan DragThumb(int cursor, int pressCursor, int pressThumbTop, ThumbSpan current, int len, int cw);

// The thumb of a scroll bar control from its scroll information. Drawn, it is never shorter than 8 pixels
// with a page; at a press (minLength false) it is the plain proportion.
ThumbSpan ControlThumb(int len, int cw, int nMin, int nMax, unsigned nPage, int nPos, bool minLength = true);

// The position a drop-down list's dragged thumb reports. pos: the thumb's travel from the end of the first
// arrow (cursor travel plus where the thumb was); track: the bar's length between the arrows; thumbLen: the
// thumb's length. With a page the answer stays within nMin .. nMax - nPage + 1, without one within nMin ..
// nMax.
int ListThumbPosition(int pos, int track, int thumbLen, int nMin, int nMax, unsigned nPage);

// A press on a drop-down list's bar starts the list's own thumb drag only when it is on the thumb: at
// (along the bar, from its start) between the thumb's ends.
bool PressOnThumb(int at, int thumbTop, int thumbBottom);

// A mouse message's point: both halves of lParam signed, so that points left of or above a window (the
// mouse captured, monitors left of the primary one) keep their sign.
struct SignedPoint {
    int x = 0, y = 0;
};
SignedPoint SignedPointOf(std::intptr_t lParam);
// The point packed again as lParam (each coordinate in 16 bits).
std::intptr_t PackPoint(int x, int y);

// Which way a scroll bar control runs: its "Kind" property when it has one ("sbhorizontal" in any case is
// horizontal, any other value vertical), else its window style's SBS_VERT bit.
bool ScrollControlVertical(std::string_view kindProp, unsigned style);
