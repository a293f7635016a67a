// Column headers as data: the hover rectangles, the item under the mouse (signed points, points on no
// item), the format bits, and where an item's picture and text go for each alignment.
#include "skin/controls/header_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(HeaderLayout, TheHotItemFollowsTheMouseAndStaysOverGapsAndOutside) {
    const std::vector<TRect> items{HeaderHoverRect({0, 0, 100, 20}), HeaderHoverRect({100, 0, 180, 20})};
    EXPECT_EQ(items[0], (TRect{3, 0, 97, 20}));
    EXPECT_EQ(TrackHotItem(items, {3, 0}, -1), 0);
    EXPECT_EQ(TrackHotItem(items, {96, 19}, -1), 0);
    EXPECT_EQ(TrackHotItem(items, {103, 5}, 0), 1);
    // On the divider between two items and right of the last one, the hot item stays what it was.
    EXPECT_EQ(TrackHotItem(items, {99, 5}, 1), 1);
    EXPECT_EQ(TrackHotItem(items, {300, 5}, 0), 0);
    EXPECT_EQ(TrackHotItem(items, {50, 20}, -1), -1);  // the bottom row is outside
    // A point left of the header (the mouse held while dragging a divider) is over no item. Read unsigned
    // it would be at 65531.
    const std::vector<TRect> wide{HeaderHoverRect({0, 0, 40000, 20}), HeaderHoverRect({40000, 0, 70000, 20})};
    EXPECT_EQ(TrackHotItem(wide, {-5, 5}, -1), -1);
    EXPECT_EQ(TrackHotItem({}, {5, 5}, 2), 2);
}

TEST(HeaderLayout, FormatBitsGiveTheAlignmentAndThePicture) {
    EXPECT_EQ(HeaderItemAlign(0x4000), HeaderAlign::Left);
    EXPECT_EQ(HeaderItemAlign(0x4001), HeaderAlign::Right);
    EXPECT_EQ(HeaderItemAlign(0x4802), HeaderAlign::Centre);
    EXPECT_EQ(HeaderItemAlign(0x0103), HeaderAlign::Left);  // only the low byte counts, and only 1 and 2
    EXPECT_TRUE(HeaderItemShowsImage(0x0800));
    EXPECT_TRUE(HeaderItemShowsImage(0x8000));
    EXPECT_FALSE(HeaderItemShowsImage(0x4000));
}

TEST(HeaderLayout, PictureAndTextGoSideBySideAlignedAndCentredVertically) {
    const TRect r{100, 0, 200, 20};
    HeaderItemBoxes b = PlaceHeaderItem(r, HeaderAlign::Left, true, 16, 16, 40, 12);
    EXPECT_EQ(b.image, (TRect{103, 2, 119, 18}));
    EXPECT_EQ(b.text, (TRect{119, 4, 159, 16}));
    b = PlaceHeaderItem(r, HeaderAlign::Centre, true, 16, 16, 40, 12);
    EXPECT_EQ(b.image.Left, 100 + 22);  // (100 - 16 - 40) / 2
    EXPECT_EQ(b.text.Left, 100 + 38);
    b = PlaceHeaderItem(r, HeaderAlign::Right, false, 16, 16, 40, 12);
    EXPECT_TRUE(b.image.IsEmpty());
    EXPECT_EQ(b.text, (TRect{158, 4, 198, 16}));
    // Text wider than the item: it starts one pixel in and is cut at the item's right end.
    b = PlaceHeaderItem(r, HeaderAlign::Right, false, 0, 0, 150, 12);
    EXPECT_EQ(b.text, (TRect{101, 4, 200, 16}));
    // A picture not narrower than the item is left out.
    b = PlaceHeaderItem({0, 0, 16, 20}, HeaderAlign::Left, true, 16, 16, 10, 12);
    EXPECT_TRUE(b.image.IsEmpty());
    EXPECT_EQ(b.text.Left, 3);
}

}  // namespace
