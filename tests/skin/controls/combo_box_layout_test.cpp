// Combo boxes and pickers as data: the state cell in each look, the parts of the default and flat looks for a
// button on either side, hot tracking over the button, and the picker's arrow button.
#include "skin/controls/combo_box_layout.h"

#include <gtest/gtest.h>

namespace {

ComboLook Look(bool enabled, bool focused, bool pressed, bool hot) {
    return {enabled, focused, pressed, hot};
}

TEST(ComboCell, DisabledWinsInTheDefaultLookButNotInTheFlatOne) {
    EXPECT_EQ(ComboCell(Look(true, false, false, false)), ccNormal);
    EXPECT_EQ(ComboCell(Look(true, true, false, false)), ccHot);  // focus shows as hot
    EXPECT_EQ(ComboCell(Look(true, true, true, false)), ccPressed);
    EXPECT_EQ(ComboCell(Look(true, false, false, true)), ccHot);
    EXPECT_EQ(ComboCell(Look(false, true, true, true)), ccDisabled);

    EXPECT_EQ(FlatComboCell(Look(false, false, false, false)), ccDisabled);
    EXPECT_EQ(FlatComboCell(Look(false, true, false, false)), ccHot);
    EXPECT_EQ(FlatComboCell(Look(false, false, false, true)), ccHot);
    EXPECT_EQ(FlatComboCell(Look(false, false, true, true)), ccPressed);
}

TEST(LayoutCombo, ButtonGlyphAndFieldMoveToTheLeftSide) {
    const TRect R = Rect(0, 0, 120, 21);
    const ComboParts right = LayoutCombo(R, 17, false);
    EXPECT_EQ(right.edit, Rect(2, 2, 99, 19));
    EXPECT_EQ(right.button, Rect(101, 0, 120, 21));
    EXPECT_EQ(right.glyph, Rect(101, 0, 118, 21));
    const ComboParts left = LayoutCombo(R, 17, true);
    EXPECT_EQ(left.edit, Rect(21, 2, 118, 19));
    EXPECT_EQ(left.button, Rect(0, 0, 19, 21));
    EXPECT_EQ(left.glyph, Rect(2, 0, 19, 21));
}

TEST(CenterCell, OffsetsRoundTowardZeroEvenForACellLargerThanTheArea) {
    EXPECT_EQ(CenterCell(Rect(101, 0, 118, 21), 12, 8), Rect(103, 6, 115, 14));
    EXPECT_EQ(CenterCell(Rect(0, 0, 10, 10), 13, 13), Rect(-1, -1, 12, 12));  // -3 / 2 is -1, not -2
}

TEST(LayoutFlatCombo, ButtonKeepsTheCellHeightWhenTheColumnIsTaller) {
    const FlatComboParts p = LayoutFlatCombo(Rect(0, 0, 100, 24), 15, 16, 17, false);
    EXPECT_EQ(p.inner, Rect(1, 1, 99, 23));
    EXPECT_EQ(p.column, Rect(81, 2, 98, 22));
    EXPECT_EQ(p.button, Rect(83, 2, 98, 18));
    const FlatComboParts l = LayoutFlatCombo(Rect(0, 0, 100, 24), 15, 20, 17, true);
    EXPECT_EQ(l.column, Rect(2, 2, 19, 22));
    EXPECT_EQ(l.button, Rect(2, 2, 17, 22));  // the column is not taller than the cell
}

TEST(TrackComboHot, EntersOnceLeavesOnceAndIgnoresADisabledBox) {
    const TRect button = Rect(0, 0, 19, 21);  // a button on the left
    EXPECT_EQ(TrackComboHot(false, true, button, {5, 5}), HotChange::Enter);
    EXPECT_EQ(TrackComboHot(true, true, button, {10, 6}), HotChange::None);
    EXPECT_EQ(TrackComboHot(true, true, button, {30, 6}), HotChange::Leave);
    // A captured mouse left of the box is outside the button, not far to its right.
    EXPECT_EQ(TrackComboHot(true, true, button, {-3, 6}), HotChange::Leave);
    EXPECT_EQ(TrackComboHot(false, true, button, {-3, 6}), HotChange::None);
    EXPECT_EQ(TrackComboHot(false, false, button, {5, 5}), HotChange::None);
    EXPECT_EQ(TrackComboHot(true, false, button, {30, 5}), HotChange::None);
}

TEST(ArrowButton, SitsOverThePickersButtonOnEitherSide) {
    EXPECT_EQ(ArrowButtonBounds(120, 24, 17, false), Rect(99, 0, 116, 20));
    EXPECT_EQ(ArrowButtonBounds(120, 24, 17, true), Rect(2, 0, 19, 20));
    EXPECT_EQ(ArrowButtonLeft(Rect(0, 0, 150, 24), 17, false), 129);
    EXPECT_EQ(ArrowButtonLeft(Rect(0, 0, 150, 24), 17, true), 2);
    EXPECT_EQ(ArrowPointToPicker({-5, 3}, 100, 0), 95u | (3u << 16));
}

TEST(StripCell, NoCellsOrCellsNarrowerThanAPixelGiveNothing) {
    EXPECT_EQ(StripCell(68, 17, 4, 4), Rect(51, 0, 68, 17));
    EXPECT_TRUE(StripCell(68, 17, 0, 1).IsEmpty());
    EXPECT_TRUE(StripCell(3, 17, 4, 1).IsEmpty());
    EXPECT_TRUE(StripCell(68, 17, 4, 5).IsEmpty());
}

}  // namespace
