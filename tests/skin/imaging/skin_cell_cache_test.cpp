// The composed-cell cache: a cell comes back composed once per size and look, follows its image, and the
// least recently used cell goes first.
#include "skin/imaging/skin_cell_cache.h"

#include <gtest/gtest.h>

#include "skin/imaging/img_util.h"

namespace {

TBitmap Strip(int tag) {
    TBitmap b(30, 10, pf24bit);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 30; ++x) b.SetPixel(x, y, RGBColor(x, y, tag));
    return b;
}

void ExpectSamePixels(const TBitmap& got, const TBitmap& want) {
    ASSERT_EQ(got.Width(), want.Width());
    ASSERT_EQ(got.Height(), want.Height());
    for (int y = 0; y < got.Height(); ++y)
        for (int x = 0; x < got.Width(); ++x) ASSERT_EQ(got.Pixel(x, y), want.Pixel(x, y)) << x << "," << y;
}

TEST(SkinCellCache, ComposesOncePerSizeAndLookAndFollowsItsImage) {
    TBitmap strip = Strip(1);
    const TRect margins = Rect(2, 3, 2, 3);
    SkinCellCache cache;
    TBitmap& first = cache.Cell(strip, margins, 2, 3, 0, 0, 25, 14);
    ExpectSamePixels(first, *MakeSkinBitmap(Rect(0, 0, 25, 14), strip, margins, 2, 3, 0, 0));
    EXPECT_EQ(&cache.Cell(strip, margins, 2, 3, 0, 0, 25, 14), &first);  // kept, not composed again
    // Another cell, size, tiling or margins is another composition.
    EXPECT_NE(&cache.Cell(strip, margins, 3, 3, 0, 0, 25, 14), &first);
    EXPECT_NE(&cache.Cell(strip, margins, 2, 3, 0, 0, 26, 14), &first);
    EXPECT_NE(&cache.Cell(strip, margins, 2, 3, 1, 0, 25, 14), &first);
    EXPECT_NE(&cache.Cell(strip, Rect(1, 3, 2, 3), 2, 3, 0, 0, 25, 14), &first);
    EXPECT_EQ(cache.Size(), 5u);

    // A skin loaded anew into the same image shows at once.
    strip.Assign(Strip(2));
    ExpectSamePixels(cache.Cell(strip, margins, 2, 3, 0, 0, 25, 14),
                     *MakeSkinBitmap(Rect(0, 0, 25, 14), strip, margins, 2, 3, 0, 0));
    cache.Clear();
    EXPECT_EQ(cache.Size(), 0u);
}

TEST(SkinCellCache, AFullCacheDropsTheLeastRecentlyUsedCell) {
    const TBitmap strip = Strip(1);
    SkinCellCache cache(2);
    TBitmap* normal = &cache.Cell(strip, {}, 1, 3, 0, 0, 20, 10);
    cache.Cell(strip, {}, 2, 3, 0, 0, 20, 10);
    EXPECT_EQ(&cache.Cell(strip, {}, 1, 3, 0, 0, 20, 10), normal);  // used again: now the newest
    cache.Cell(strip, {}, 3, 3, 0, 0, 20, 10);                      // cell 2 goes
    EXPECT_EQ(cache.Size(), 2u);
    EXPECT_EQ(&cache.Cell(strip, {}, 1, 3, 0, 0, 20, 10), normal);
    // An empty size still answers, with an empty bitmap.
    EXPECT_TRUE(cache.Cell(strip, {}, 1, 3, 0, 0, 0, 10).Empty());
}

}  // namespace
