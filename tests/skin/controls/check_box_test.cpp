// Check boxes and radio buttons as data: the cell of every look on 4-, 8- and 12-cell images, broken cell
// counts, the image and caption places, and the focus frame round the caption.
#include "skin/controls/check_box.h"

#include <gtest/gtest.h>

namespace {

TEST(CheckCell, BasicSchemeAndItsTwelveCellRemapping) {
    const CheckLook unchecked{}, checked{.checked = true};
    const CheckLook offDisabled{.disabled = true}, onDisabled{.checked = true, .disabled = true};
    const CheckLook third{.checked = false, .indeterminate = true};
    const CheckLook thirdDisabled{.indeterminate = true, .disabled = true};
    for (int frames : {4, 5, 8}) {
        SCOPED_TRACE(frames);
        EXPECT_EQ(CheckCell(unchecked, frames), 1);
        EXPECT_EQ(CheckCell(checked, frames), 2);
        EXPECT_EQ(CheckCell(offDisabled, frames), 3);
        EXPECT_EQ(CheckCell(onDisabled, frames), 4);
        EXPECT_EQ(CheckCell(third, frames), 4);
        EXPECT_EQ(CheckCell(thirdDisabled, frames), 4);
    }
    EXPECT_EQ(CheckCell(unchecked, 12), 1);
    EXPECT_EQ(CheckCell(checked, 12), 5);
    EXPECT_EQ(CheckCell(offDisabled, 12), 4);
    EXPECT_EQ(CheckCell(onDisabled, 12), 8);
    EXPECT_EQ(CheckCell(third, 12), 9);
    EXPECT_EQ(CheckCell(thirdDisabled, 12), 12);
}

TEST(CheckCell, TwelveCellImagesShowHotAndPressedOfEachState) {
    // Every cell of the image is reached: normal, hot, pressed, disabled of each of the three states.
    auto cell = [](bool checked, bool third, bool disabled, bool hot, bool pressed) {
        return CheckCell({.checked = checked,
                          .indeterminate = third,
                          .disabled = disabled,
                          .hot = hot,
                          .pressed = pressed},
                         12);
    };
    int want = 1;
    for (int state = 0; state < 3; ++state) {
        const bool checked = state == 1, third = state == 2;
        EXPECT_EQ(cell(checked, third, false, false, false), want++);
        EXPECT_EQ(cell(checked, third, false, true, false), want++);
        EXPECT_EQ(cell(checked, third, false, true, true), want++);
        EXPECT_EQ(cell(checked, third, true, true, true), want++);  // disabled: the mouse changes nothing
    }
    // Images without those looks ignore the mouse.
    EXPECT_EQ(CheckCell({.checked = true, .hot = true, .pressed = true}, 4), 2);
}

TEST(CheckCell, FrameworkPropertiesDecideOverTheWindow) {
    // "State" by its value name; "uncheck" is tested before "check", which it contains.
    EXPECT_EQ(CheckCell({.checked = true, .hasState = true, .stateName = "cbUnchecked"}, 4), 1);
    EXPECT_EQ(CheckCell({.hasState = true, .stateName = "cbChecked"}, 4), 2);
    EXPECT_EQ(CheckCell({.hasState = true, .stateName = "cbGrayed"}, 4), 4);
    EXPECT_EQ(CheckCell({.checked = true, .hasState = true, .stateName = "other"}, 4), 2);  // the window's
    // "Checked" only without "State".
    EXPECT_EQ(CheckCell({.checked = true, .hasChecked = true, .checkedName = "False"}, 4), 1);
    EXPECT_EQ(CheckCell({.hasChecked = true, .checkedName = "TRUE"}, 4), 2);
    EXPECT_EQ(
        CheckCell({.hasState = true, .stateName = "cbChecked", .hasChecked = true, .checkedName = "False"},
                  4),
        2);
    // Data-aware boxes: the last BM_SETCHECK (3, the third state, shows as 4); a binding shows unchecked.
    EXPECT_EQ(CheckCell({.checked = true, .hasDataField = true, .dataState = 0}, 4), 2);
    EXPECT_EQ(CheckCell({.hasDataField = true, .dataState = 3}, 4), 4);
    EXPECT_EQ(CheckCell({.checked = true, .hasDataField = true, .dataState = 2, .hasDataBinding = true}, 4),
              1);
}

TEST(RadioCell, BasicSchemeAndItsEightCellRemapping) {
    EXPECT_EQ(RadioCell({}, 4), 1);
    EXPECT_EQ(RadioCell({.checked = true}, 4), 2);
    EXPECT_EQ(RadioCell({.disabled = true}, 4), 3);
    EXPECT_EQ(RadioCell({.checked = true, .disabled = true}, 4), 4);
    EXPECT_EQ(RadioCell({.checked = true}, 8), 5);
    EXPECT_EQ(RadioCell({.disabled = true}, 8), 4);
    EXPECT_EQ(RadioCell({.checked = true, .disabled = true, .hot = true}, 8), 8);
    EXPECT_EQ(RadioCell({.hot = true}, 8), 2);
    EXPECT_EQ(RadioCell({.checked = true, .hot = true, .pressed = true}, 8), 7);
    // A 12-cell radio image is not remapped; the framework's "Checked" decides over the window.
    EXPECT_EQ(RadioCell({.checked = true}, 12), 2);
    EXPECT_EQ(RadioCell({.checked = true, .hasChecked = true, .checkedName = "False"}, 8), 1);
}

TEST(CheckCell, BrokenCellCountsStillGiveACellOfTheStrip) {
    // No division by a count of 0 or less: it counts as one cell, which every look shows.
    EXPECT_EQ(CellCount(0), 1);
    EXPECT_EQ(CellCount(-3), 1);
    for (int frames : {0, -1, 1}) {
        EXPECT_EQ(CheckCell({.checked = true, .disabled = true}, frames), 1);
        EXPECT_EQ(RadioCell({.checked = true}, frames), 1);
    }
    // Two cells (unchecked, checked): the disabled looks wrap onto them and keep their checked state.
    EXPECT_EQ(CheckCell({.disabled = true}, 2), 1);
    EXPECT_EQ(CheckCell({.checked = true, .disabled = true}, 2), 2);
}

TEST(CheckLayout, ImageAtTheLeftOrAfterTheText) {
    // 100 wide, a 13-pixel cell, the text on the left: the image at 87..100, the text ending at 85.
    const CheckLayout left = LayoutCheckBox({0, 0, 100, 20}, 13, 13, true, false);
    EXPECT_EQ(left.image, (TRect{87, 3, 100, 16}));
    EXPECT_EQ(left.text, (TRect{0, 0, 85, 20}));
    EXPECT_EQ(left.flags, 0u);
    EXPECT_EQ(LayoutCheckBox({0, 0, 100, 20}, 13, 13, true, true).flags, kDtRtlReading | kDtRight);
    const CheckLayout plain = LayoutCheckBox({0, 0, 100, 17}, 13, 13, false, true);
    EXPECT_EQ(plain.image, (TRect{0, 2, 13, 15}));
    EXPECT_EQ(plain.text, (TRect{15, 0, 100, 17}));
    EXPECT_EQ(plain.flags, kDtRtlReading);
    // A radio button's image keeps a pixel off the right edge.
    const CheckLayout radio = LayoutRadioButton({0, 0, 100, 20}, 13, 13, true, false);
    EXPECT_EQ(radio.image, (TRect{86, 3, 99, 16}));
    EXPECT_EQ(radio.text.Right, 84);
    EXPECT_EQ(LayoutRadioButton({0, 0, 100, 20}, 13, 13, false, false).image, (TRect{0, 3, 13, 16}));
}

TEST(CheckLayout, CaptionFocusFrameHugsTheTextInsideItsRectangle) {
    EXPECT_EQ(CentreCaption({15, 0, 100, 20}, 12), (TRect{15, 4, 100, 24}));
    // Left-aligned: 2 wider and 1 taller on each side, clamped at the rectangle's left and top.
    EXPECT_EQ(CaptionFocusBox({15, 4, 100, 24}, 40, 12, 0), (TRect{15, 4, 57, 17}));
    EXPECT_EQ(CaptionFocusBox({10, 10, 100, 40}, 40, 12, 0), (TRect{10, 10, 52, 23}));
    // Right-aligned: moved to the right edge, clamped there.
    EXPECT_EQ(CaptionFocusBox({0, 0, 85, 20}, 40, 12, kDtRight), (TRect{43, 0, 85, 13}));
    // Centred both ways (one pixel above the exact middle); a caption wider than the rectangle stays in it.
    EXPECT_EQ(CaptionFocusBox({0, 0, 100, 30}, 40, 12, kDtCenter), (TRect{28, 7, 72, 21}));
    EXPECT_EQ(CaptionFocusBox({0, 0, 30, 10}, 60, 14, 0), (TRect{0, 0, 30, 10}));
    EXPECT_TRUE(ShowsCaptionFocus(true, false, 5));
    EXPECT_FALSE(ShowsCaptionFocus(true, false, 6));
    EXPECT_FALSE(ShowsCaptionFocus(true, true, 10));
    EXPECT_FALSE(ShowsCaptionFocus(false, false, 10));
}

}  // namespace
