// A skinned scroll bar as data: arrows, track, thumb and grip by state, short bars, the cross size, hit
// testing, thumb dragging against both ends, the thumb of a scroll bar control, skins that lack a piece, the
// drop-down list's own thumb drag, signed mouse points and the direction of a scroll bar control.
#include "skin/controls/scroll_bar_layout.h"

#include <gtest/gtest.h>

namespace {

ScrollBarLook MemoBar() {
    ScrollBarLook s;
    s.len = 200;
    s.cw = 17;
    s.arrowImageHeight = 16;
    s.thumbTop = 40, s.thumbBottom = 90;
    return s;
}

TEST(ScrollBarLayout, CellsFollowTheStateOfEachPart) {
    ScrollBarLook s = MemoBar();
    ScrollBarPieces p = LayoutScrollBar(s);
    EXPECT_EQ(p.across, 16);  // the image is within 2 pixels of the arrow length
    EXPECT_EQ(p.arrowLen, 17);
    EXPECT_EQ(p.firstArrowCell, 9);
    EXPECT_EQ(p.secondArrowCell, 13);
    EXPECT_EQ(p.trackFrom, 17);
    EXPECT_EQ(p.trackTo, 183);
    EXPECT_EQ(p.trackCell, 1);
    EXPECT_TRUE(p.thumb);
    EXPECT_EQ(p.thumbCell, 1);
    EXPECT_TRUE(p.grip);
    EXPECT_EQ(p.gripFrom, 40 + (50 - 16) / 2);
    EXPECT_EQ(p.gripCell, 20);

    s.scrollpos = spFirstArrow;
    EXPECT_EQ(LayoutScrollBar(s).firstArrowCell, 12);  // hot
    s.down = true;
    EXPECT_EQ(LayoutScrollBar(s).firstArrowCell, 10);  // pressed
    s.scrollpos = spThumb;
    p = LayoutScrollBar(s);
    EXPECT_EQ(p.thumbCell, 2);
    EXPECT_EQ(p.gripCell, 21);
    EXPECT_EQ(p.firstArrowCell, 9);
    s.down = false;
    EXPECT_EQ(LayoutScrollBar(s).gripCell, 22);
    // Codes that name no part leave every part at rest.
    for (int code : {4, 8}) {
        s.scrollpos = code;
        p = LayoutScrollBar(s);
        EXPECT_EQ(p.firstArrowCell, 9);
        EXPECT_EQ(p.secondArrowCell, 13);
        EXPECT_EQ(p.thumbCell, 1);
    }
    s.vertical = false;
    s.scrollpos = spSecondArrow;
    EXPECT_EQ(LayoutScrollBar(s).secondArrowCell, 8);
    EXPECT_EQ(LayoutScrollBar(s).firstArrowCell, 1);
}

TEST(ScrollBarLayout, ShortDisabledAndOddBars) {
    ScrollBarLook s = MemoBar();
    s.len = 25;  // shorter than two arrows: each gets half, the track has no room
    ScrollBarPieces p = LayoutScrollBar(s);
    EXPECT_EQ(p.arrowLen, 12);
    EXPECT_LE(p.trackTo, p.trackFrom);

    s = MemoBar();
    s.enabled = false;
    p = LayoutScrollBar(s);
    EXPECT_EQ(p.trackCell, 3);
    EXPECT_FALSE(p.thumb);
    EXPECT_FALSE(p.grip);
    EXPECT_EQ(p.firstArrowCell, 9);  // arrows have no disabled look

    s = MemoBar();
    s.arrowImageHeight = 20;  // too far from the arrow length: the arrow length is used
    EXPECT_EQ(LayoutScrollBar(s).across, 17);
    s.arrowImageHeight = 16;
    s.thumbBottom = s.thumbTop + 13;  // a thumb shorter than the grip less one: no grip
    EXPECT_FALSE(LayoutScrollBar(s).grip);
    s.thumbBottom = s.thumbTop + 15;
    EXPECT_TRUE(LayoutScrollBar(s).grip);
}

TEST(ScrollBarLayout, HitTestAndDragging) {
    EXPECT_EQ(ScrollBarHitTest(0, 200, 17, 40, 90), spFirstArrow);
    EXPECT_EQ(ScrollBarHitTest(16, 200, 17, 40, 90), spFirstArrow);
    EXPECT_EQ(ScrollBarHitTest(17, 200, 17, 40, 90), spTrackBefore);
    EXPECT_EQ(ScrollBarHitTest(40, 200, 17, 40, 90), spThumb);
    EXPECT_EQ(ScrollBarHitTest(90, 200, 17, 40, 90), spTrackAfter);
    EXPECT_EQ(ScrollBarHitTest(183, 200, 17, 40, 90), spSecondArrow);

    const ThumbSpan at{40, 90};
    EXPECT_EQ(DragThumb(130, 100, 40, at, 200, 17).top, 70);
    // Past either end the thumb stops an arrow's length from it and keeps its length.
    ThumbSpan t = DragThumb(-500, 100, 40, at, 200, 17);
    EXPECT_EQ(t.top, 17);
    EXPECT_EQ(t.bottom, 67);
    t = DragThumb(900, 100, 40, at, 200, 17);
    EXPECT_EQ(t.bottom, 183);
    EXPECT_EQ(t.top, 133);
}

TEST(ScrollBarLayout, ThumbOfAScrollBarControl) {
    // A tiny page: never shorter than 8 pixels.
    ThumbSpan t = ControlThumb(200, 17, 0, 1000, 2, 0);
    EXPECT_EQ(t.top, 17);
    EXPECT_EQ(t.bottom - t.top, 8);
    t = ControlThumb(200, 17, 0, 1000, 2, 500);
    EXPECT_EQ(t.top, 17 + (166 - 8) * 500 / 1000);
    // A real page.
    t = ControlThumb(200, 17, 0, 100, 51, 0);
    EXPECT_EQ(t.bottom - t.top, 83);
    // No page: an arrow-long thumb; nMin = nMax keeps it at the start.
    t = ControlThumb(200, 17, 0, 100, 0, 50);
    EXPECT_EQ(t.bottom - t.top, 17);
    EXPECT_EQ(t.top, 17 + (200 - 51) * 50 / 100 + 1);  // rounded to the nearest: 74.5 -> 75
    t = ControlThumb(200, 17, 5, 5, 0, 9);
    EXPECT_EQ(t.top, 17);
}

TEST(ScrollBarLayout, APieceWhoseSkinObjectIsMissingIsLeftOut) {
    ScrollBarLook s = MemoBar();
    s.hasTrack = false;
    ScrollBarPieces p = LayoutScrollBar(s);
    EXPECT_FALSE(p.track);
    EXPECT_TRUE(p.thumb);
    s = MemoBar();
    s.hasThumb = false;
    p = LayoutScrollBar(s);
    EXPECT_TRUE(p.track);
    EXPECT_FALSE(p.thumb);
    EXPECT_TRUE(p.grip);  // the grip comes from the arrow strip, which is there
    EXPECT_EQ(p.firstArrowCell, 9);
}

TEST(ScrollBarLayout, AtAPressTheControlThumbHasNoMinimum) {
    const ThumbSpan drawn = ControlThumb(200, 17, 0, 1000, 2, 500);
    const ThumbSpan pressed = ControlThumb(200, 17, 0, 1000, 2, 500, false);
    EXPECT_EQ(drawn.bottom - drawn.top, 8);
    EXPECT_EQ(pressed.bottom - pressed.top, 0);  // 166 * 1 / 1000 rounds to 0
    EXPECT_EQ(pressed.top, 17 + 83);
}

TEST(ScrollBarLayout, TheDropDownListsThumbDragStaysInRange) {
    // A list of 0..99 showing 10 items: a 100-pixel track, a 10-pixel thumb.
    const int track = 100, thumbLen = 10;
    EXPECT_EQ(ListThumbPosition(0, track, thumbLen, 0, 99, 10), 0);
    EXPECT_EQ(ListThumbPosition(-40, track, thumbLen, 0, 99, 10), 0);  // above the track: the first item
    EXPECT_EQ(ListThumbPosition(45, track, thumbLen, 0, 99, 10), 45);
    // Past the end: never beyond nMax - nPage + 1.
    EXPECT_EQ(ListThumbPosition(90, track, thumbLen, 0, 99, 10), 90);
    EXPECT_EQ(ListThumbPosition(500, track, thumbLen, 0, 99, 10), 90);
    // With a minimum other than 0 the answer never goes below it.
    EXPECT_EQ(ListThumbPosition(-5, track, thumbLen, 20, 119, 10), 20);
    EXPECT_EQ(ListThumbPosition(500, track, thumbLen, 20, 119, 10), 110);
    // Without a page: within nMin .. nMax.
    EXPECT_EQ(ListThumbPosition(500, track, thumbLen, 0, 99, 0), 89);
    EXPECT_LE(ListThumbPosition(5000, 100, 0, 0, 99, 0), 99);
    // A thumb as long as the track has no travel: the first position.
    EXPECT_EQ(ListThumbPosition(50, 40, 40, 3, 10, 8), 3);

    // Only a press between the thumb's ends starts the drag.
    EXPECT_TRUE(PressOnThumb(30, 30, 40));
    EXPECT_TRUE(PressOnThumb(40, 30, 40));
    EXPECT_FALSE(PressOnThumb(29, 30, 40));
    EXPECT_FALSE(PressOnThumb(41, 30, 40));
}

TEST(ScrollBarLayout, MousePointsKeepTheirSign) {
    const SignedPoint p = SignedPointOf(PackPoint(-5, -1200));
    EXPECT_EQ(p.x, -5);
    EXPECT_EQ(p.y, -1200);
    const SignedPoint q = SignedPointOf(std::intptr_t(0x0190FFF6));  // as a 32-bit lParam: (-10, 400)
    EXPECT_EQ(q.x, -10);
    EXPECT_EQ(q.y, 400);
    // A 64-bit lParam whose upper half is set by sign extension reads the same.
    const SignedPoint r = SignedPointOf(std::intptr_t(std::int32_t(0xFFF6FFFB)));
    EXPECT_EQ(r.x, -5);
    EXPECT_EQ(r.y, -10);
    EXPECT_EQ(SignedPointOf(PackPoint(32767, 0)).x, 32767);
}

TEST(ScrollBarLayout, DirectionOfAScrollBarControl) {
    EXPECT_FALSE(ScrollControlVertical("sbHorizontal", 1));  // the property wins over the style
    EXPECT_TRUE(ScrollControlVertical("sbVertical", 0));
    EXPECT_TRUE(ScrollControlVertical("", 1));  // no property: SBS_VERT
    EXPECT_FALSE(ScrollControlVertical("", 0));
}

}  // namespace
