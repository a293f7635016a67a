// The geometry of one skinned menu item.
#include "skin/form/menu_item_layout.h"

#include <gtest/gtest.h>

TEST(MenuItemMeasure, WidthsGrowByTheIndentAndTheGlyphRoom) {
    EXPECT_EQ(PopupItemExtraWidth(0, false), 35);
    EXPECT_EQ(PopupItemExtraWidth(6, true), 18);
    EXPECT_EQ(MainItemExtraWidth(6, true), 16);
    EXPECT_EQ(MainItemExtraWidth(0, false), 35);
    // From the text alone: +26 and the indent; separators 8 high, others 4 (8 on the older family) more.
    EXPECT_EQ(MeasureItemByText(50, false, 13, 5, false), (TSize{81, 17}));
    EXPECT_EQ(MeasureItemByText(0, true, 13, 0, false), (TSize{26, 8}));
    EXPECT_EQ(MeasureItemByText(50, false, 13, 0, true), (TSize{76, 21}));
}

TEST(MenuItemMeasure, GlyphColumnIsSixteenUnlessTheImagesSayOtherwise) {
    EXPECT_EQ(MenuGlyphWidth(0, false, false), 16);
    EXPECT_EQ(MenuGlyphWidth(24, true, false), 24);
    EXPECT_EQ(MenuGlyphWidth(12, true, false), 12);
    EXPECT_EQ(MenuGlyphWidth(12, true, true), 16);  // a check mark needs its room
}

TEST(MenuItemPlace, LeftToRightPutsTheGlyphAfterTheIndentAndTheTextAfterIt) {
    const MenuItemPlaces p = PlaceMenuItem({0, 0, 120, 20}, false, false, 16, 6);
    EXPECT_EQ(p.glyph, (TRect{7, 1, 23, 17}));
    EXPECT_EQ(p.text, (TRect{26, 0, 119, 20}));
    // A separator has no glyph column: its line starts 3 pixels in.
    const MenuItemPlaces s = PlaceMenuItem({0, 0, 120, 8}, false, true, 16, 6);
    EXPECT_EQ(s.glyph.Width(), 0);
    EXPECT_EQ(s.text, (TRect{3, 0, 119, 8}));
}

TEST(MenuItemPlace, RightToLeftMirrorsGlyphAndText) {
    const MenuItemPlaces p = PlaceMenuItem({0, 0, 120, 20}, true, false, 16, 6);
    EXPECT_EQ(p.glyph, (TRect{97, 1, 113, 17}));
    EXPECT_EQ(p.text, (TRect{1, 0, 94, 20}));
    const MenuItemPlaces s = PlaceMenuItem({0, 0, 120, 8}, true, true, 16, 6);
    EXPECT_EQ(s.glyph.Left, 120);
    EXPECT_EQ(s.glyph.Right, 120);
    EXPECT_EQ(s.text, (TRect{1, 0, 117, 8}));
}

TEST(MenuSeparator, SlicesComeFromCellTwoUsingTheBottomRowsOfATallImage) {
    // A 5-cell image of 40 x 20 pixels per cell, drawn into an item 100 x 8 with margins 4 and 6.
    const auto s = SeparatorSlices(40, 20, 100, 8, 4, 6);
    EXPECT_EQ(s[0].dest, (TRect{0, 0, 4, 8}));
    EXPECT_EQ(s[0].src, (TRect{40, 12, 44, 20}));
    EXPECT_EQ(s[1].dest, (TRect{94, 0, 100, 8}));
    EXPECT_EQ(s[1].src, (TRect{74, 12, 80, 20}));
    EXPECT_EQ(s[2].dest, (TRect{4, 0, 94, 8}));
    EXPECT_EQ(s[2].src, (TRect{44, 12, 74, 20}));
    // An image no taller than the item starts at its top row.
    EXPECT_EQ(SeparatorSlices(40, 8, 100, 8, 4, 6)[0].src.Top, 0);
}
