// The layout of a skinned menu bar's items and the arrow keys' moves between them and into submenus.
#include "skin/form/menu_bar_layout.h"

#include <gtest/gtest.h>

#include <vector>

TEST(MenuBarLayout, ItemsStartAfterTheMarginAndTakeTheirCaptionAndTenPixels) {
    EXPECT_EQ(MenuBarStart(true, 1, 0, false, 300), 5);  // the image's default left margin
    EXPECT_EQ(MenuBarStart(false, 1, 0, false, 300), 6);
    EXPECT_EQ(MenuBarStart(true, 40, 0, false, 20), 12);  // a band narrower than the start
    EXPECT_EQ(MenuBarStart(true, 1, 3, true, 300), 11);
    EXPECT_EQ(MenuBarItemWidth(22), 32);
    EXPECT_EQ(MenuBarItemWidth(0), 0);

    const std::vector<MenuBarEntry> items{{22, true}, {0, true}, {30, false}, {18, true}};
    const std::vector<TRect> r = LayoutMenuBar(items, 20, 5, false, 300);
    EXPECT_EQ(r[0], (TRect{5, 0, 37, 19}));
    EXPECT_EQ(r[1].Width(), 0);            // an empty caption takes no room
    EXPECT_EQ(r[2], (TRect{0, 0, 0, 0}));  // hidden
    EXPECT_EQ(r[3], (TRect{37, 0, 65, 19}));
}

TEST(MenuBarLayout, RightToLeftBarsStartAtTheRightEnd) {
    const std::vector<MenuBarEntry> items{{22, true}, {18, true}};
    const std::vector<TRect> r = LayoutMenuBar(items, 20, 11, true, 300);
    EXPECT_EQ(r[0], (TRect{257, 0, 289, 19}));
    EXPECT_EQ(r[1], (TRect{229, 0, 257, 19}));
    // Where the MDI child's buttons take the band's right end, the items end before them.
    EXPECT_EQ(LayoutMenuBar(items, 20, 11, true, 250)[0].Right, 239);
}

TEST(MenuBarLayout, ArrowsWrapAroundTheBar) {
    EXPECT_EQ(NextMenuBarIndex(2, 3, true), 0);
    EXPECT_EQ(NextMenuBarIndex(0, 3, true), 1);
    EXPECT_EQ(NextMenuBarIndex(0, 3, false), 2);
    EXPECT_EQ(NextMenuBarIndex(-1, 3, true), 0);
    EXPECT_EQ(NextMenuBarIndex(0, 0, true), -1);
}

TEST(MenuBarLayout, ArrowsEnterAndLeaveSubmenusBeforeTheyMoveAlongTheBar) {
    EXPECT_EQ(ArrowInDropDown(true, false, true), BarArrow::Platform);   // into a submenu's submenu
    EXPECT_EQ(ArrowInDropDown(true, false, false), BarArrow::Next);      // from deep inside, along the bar
    EXPECT_EQ(ArrowInDropDown(false, false, true), BarArrow::Platform);  // out of the submenu only
    EXPECT_EQ(ArrowInDropDown(false, true, true), BarArrow::Previous);
}
