// A skinned scroll bar as data: where its arrows, track, thumb and grip go and which cells of the skin's
// arrow strip they show, what part a point is over, and where a dragged thumb is drawn. Coordinates run
// along the bar ("along") and across it ("across"); the Win32 side turns them into rectangles.
#pragma once

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
};

struct ScrollBarPieces {
    int across = 0;    // the cross size A the skin draws at
    int arrowLen = 0;  // each arrow's extent along the bar
    int firstArrowCell = 0, secondArrowCell = 0;
    int trackFrom = 0, trackTo = 0;  // along; empty when the bar is too short
    int trackCell = 1;
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

// The thumb of a scroll bar control from its scroll information (never shorter than 8 pixels with a page).
ThumbSpan ControlThumb(int len, int cw, int nMin, int nMax, unsigned nPage, int nPos);
