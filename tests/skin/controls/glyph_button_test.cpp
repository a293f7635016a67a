// Buttons with a picture as data: the glyph and caption placed in every layout, the menu button's row and
// its arrow inside the button, the cells each look asks for.
#include "skin/controls/glyph_button.h"

#include <gtest/gtest.h>

namespace {

GlyphPlacementInput Input(int w, int h, int gw, int gh, int tw, int th, int margin, int spacing,
                          GlyphLayout layout) {
    return {w, h, gw, gh, tw, th, margin, spacing, layout};
}

TEST(GlyphPlacement, EveryLayoutPutsTheGlyphAndCaptionWhereTheMarginAndSpacingSay) {
    // Top, both worked out, in a 75 x 60 button: a third of what the pair leaves on each side and between.
    GlyphPlacement p = PlaceBitButton(Input(75, 60, 16, 16, 30, 13, -1, -1, GlyphLayout::Top), false);
    EXPECT_EQ(p.glyph, (TPoint{30, 10}));
    EXPECT_EQ(p.text, Bounds(23, 36, 30, 13));
    EXPECT_EQ(p.align, CaptionAlign::Centre);

    // Left and right with a margin of 4 and a spacing of 6 in a 100 x 30 button.
    p = PlaceBitButton(Input(100, 30, 16, 16, 40, 13, 4, 6, GlyphLayout::Left), false);
    EXPECT_EQ(p.glyph, (TPoint{4, 7}));
    EXPECT_EQ(p.text, Bounds(26, 9, 40, 13));
    p = PlaceBitButton(Input(100, 30, 16, 16, 40, 13, 4, 6, GlyphLayout::Right), false);
    EXPECT_EQ(p.glyph, (TPoint{80, 7}));
    EXPECT_EQ(p.text.Left, 80 - 6 - 40);
    EXPECT_EQ(p.align, CaptionAlign::Right);

    // Bottom with the spacing worked out from the margin: the caption sits midway in what is left above.
    p = PlaceBitButton(Input(80, 70, 16, 16, 30, 13, 5, -1, GlyphLayout::Bottom), false);
    EXPECT_EQ(p.glyph, (TPoint{32, 70 - 5 - 16}));
    const int S = (70 - (5 + 16) - 13) / 2;
    EXPECT_EQ(p.text.Top, p.glyph.Y - S - 13);

    // taCenter centres even with a margin given; without a caption there is no spacing.
    p = PlaceBitButton(Input(100, 30, 16, 16, 40, 13, 4, 6, GlyphLayout::Left), true);
    EXPECT_EQ(p.glyph.X, (100 - (16 + 6 + 40)) / 2);
    p = PlaceBitButton(Input(100, 30, 16, 16, 0, 0, -1, 10, GlyphLayout::Left), false);
    EXPECT_EQ(p.glyph.X, (100 - 16) / 2);
}

TEST(GlyphPlacement, SpeedButtonsCentreOnAMissingMarginOnlyAndSitOnePixelOver) {
    // Margin -1 with a spacing given: one pixel right of the middle (a glyph button has none).
    GlyphPlacementInput in = Input(60, 24, 16, 16, 20, 13, -1, 4, GlyphLayout::Left);
    EXPECT_EQ(PlaceSpeedButton(in).glyph.X, (60 - 40) / 2 + 1);
    EXPECT_EQ(PlaceBitButton(in, false).glyph.X, (60 - 40) / 2);
    // Margin given: no centring, whatever a glyph button's "Alignment" would do.
    in.margin = 3;
    EXPECT_EQ(PlaceSpeedButton(in).glyph.X, 3);
}

TEST(GlyphCells, MissingCellsFallBackToTheFirstAndNoCountIsBelowOne) {
    EXPECT_EQ(GlyphCount(0), 1);  // a strip is never cut in zero-width cells
    EXPECT_EQ(GlyphCount(-1), 1);
    EXPECT_EQ(GlyphCount(4), 4);
    EXPECT_EQ(GlyphCell(GlyphCellForFrame(2), 2), 1);  // pressed asks for cell 3 of two: cell 1
    EXPECT_EQ(GlyphCell(GlyphCellForFrame(3), 2), 2);  // disabled
    EXPECT_EQ(GlyphCell(3, 0), 1);
    EXPECT_EQ(GlyphLayoutOf("BLGLYPHTOP"), GlyphLayout::Top);
    EXPECT_EQ(GlyphLayoutOf("blGlyphBottom"), GlyphLayout::Bottom);
    EXPECT_EQ(GlyphLayoutOf(""), GlyphLayout::Left);
}

TEST(SpeedButtonLook, DownWinsAndFlatButtonsShowTheirImageOnlyPressedOrHot) {
    SpeedButtonLook l = SpeedButtonLookOf(true, true, false, false, false);
    EXPECT_EQ(l.frame, 2);
    EXPECT_EQ(l.glyphCell, 4);
    l = SpeedButtonLookOf(true, false, false, false, true);  // down beats disabled
    EXPECT_EQ(l.frame, 2);
    EXPECT_TRUE(l.drawFrame);
    l = SpeedButtonLookOf(false, false, true, true, false);
    EXPECT_EQ(l.frame, 3);
    EXPECT_EQ(l.glyphCell, 2);
    EXPECT_FALSE(SpeedButtonLookOf(false, true, false, false, true).drawFrame);  // flat and idle
    EXPECT_TRUE(SpeedButtonLookOf(false, true, false, true, true).drawFrame);    // flat and hot
    EXPECT_EQ(SpeedButtonLookOf(false, true, true, true, false).frame, 2);       // pressed beats hot
    EXPECT_EQ(MenuButtonFrame(true, false, false, true), 4);                     // focus looks hot
    EXPECT_EQ(MenuButtonFrame(false, true, true, true), 3);
}

TEST(MenuButtonPlacement, TheArrowFollowsTheCaptionAndStaysInsideTheButton) {
    // Both worked out: a quarter of what is left each, the arrow two spacings after the caption.
    MenuButtonPlacement p = PlaceMenuButton(Input(100, 25, 0, 0, 40, 13, -1, -1, GlyphLayout::Left));
    EXPECT_EQ(p.text.Left, 26);
    EXPECT_EQ(p.arrow, (TPoint{92, 11}));

    // A margin with the spacing worked out: the arrow lands where the evenly spread row puts it, inside the
    // button (the spacing once came out so large that it landed at 134 of 100).
    for (int margin : {0, 4, 13, 20}) {
        p = PlaceMenuButton(Input(100, 25, 0, 0, 40, 13, margin, -1, GlyphLayout::Left));
        EXPECT_LE(p.arrow.X + 3, 100 - 1) << "margin " << margin;
        EXPECT_GT(p.arrow.X - 3, p.text.Right) << "margin " << margin;
    }
    p = PlaceMenuButton(Input(100, 25, 0, 0, 40, 13, 13, -1, GlyphLayout::Left));
    EXPECT_EQ(p.arrow.X, 92);  // the margin both rules agree on gives the same row
    p = PlaceMenuButton(Input(120, 30, 16, 16, 40, 13, 6, -1, GlyphLayout::Left));
    EXPECT_EQ(p.glyph, (TPoint{6, 7}));
    EXPECT_LE(p.arrow.X + 3, 119);
}

}  // namespace
