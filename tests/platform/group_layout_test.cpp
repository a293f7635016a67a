// The items of a radio or check group: columns filled from the top, spare rows split, mirrored right to left.
#include "platform/group_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(GroupLayout, ItemsFillColumnsFromTheTop) {
    // Five items in two columns of a 210 x 100 group with a 12-pixel caption font: three rows of 27
    // (83 pixels below the caption, 2 spare, split), each column 100 wide after the 10-pixel margin.
    const std::vector<TRect> r = ArrangeGroupItems(5, 2, 210, 100, 12, false);
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[0], (TRect{8, 14, 108, 41}));
    EXPECT_EQ(r[2], (TRect{8, 68, 108, 95}));
    EXPECT_EQ(r[3], (TRect{108, 14, 208, 41}));
    EXPECT_EQ(r[4], (TRect{108, 41, 208, 68}));
    // Right to left the first column is at the right, its items still 100 wide.
    const std::vector<TRect> m = ArrangeGroupItems(5, 2, 210, 100, 12, true);
    EXPECT_EQ(m[0], (TRect{102, 14, 202, 41}));
    EXPECT_EQ(m[3], (TRect{2, 14, 102, 41}));
}

TEST(GroupLayout, DegenerateSizesGiveEmptyItemsNotNegativeOnes) {
    EXPECT_TRUE(ArrangeGroupItems(0, 1, 100, 100, 12, false).empty());
    // No columns counts as one; more columns than items as one per item.
    EXPECT_EQ(ArrangeGroupItems(2, 0, 100, 60, 12, false)[1].Left, 8);
    EXPECT_EQ(ArrangeGroupItems(2, 5, 110, 60, 12, false)[1].Left, 58);
    // A group smaller than its caption: items of no size, never of negative size.
    for (const TRect& r : ArrangeGroupItems(3, 1, 4, 6, 12, false)) {
        EXPECT_GE(r.Width(), 0);
        EXPECT_GE(r.Height(), 0);
    }
}

}  // namespace
