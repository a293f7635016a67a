// Pixel rules of the skin-image routines: composition, keyed copies, regions, colours, gradients, transforms.
#include "skin/imaging/img_util.h"

#include <gtest/gtest.h>

#include "platform/assertion.h"

namespace {

// Every source pixel tells where it came from: red = x, green = y, blue = a tag.
TBitmap Coded(int w, int h, int tag = 0, TPixelFormat f = pf24bit) {
    TBitmap b(w, h, f);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, RGBColor(x, y, tag));
    return b;
}
TColor At(int x, int y, int tag = 0) { return RGBColor(x, y, tag); }

TEST(SkinStrip, FramesOfHorizontalAndVerticalStrips) {
    SkinFrame f;
    ASSERT_TRUE(SkinFrameOf(Coded(30, 10), 2, 3, false, f));
    EXPECT_EQ(f.x0, 10);
    EXPECT_EQ(f.fw, 10);
    EXPECT_EQ(f.fh, 10);
    ASSERT_TRUE(SkinFrameOf(Coded(10, 30), 2, 3, true, f));
    EXPECT_EQ(f.y0, 10);
    EXPECT_EQ(f.fh, 10);
    // A width not divisible by the count truncates; no count means no frame.
    ASSERT_TRUE(SkinFrameOf(Coded(31, 10), 3, 3, false, f));
    EXPECT_EQ(f.x0, 20);
    EXPECT_FALSE(SkinFrameOf(Coded(30, 10), 1, 0, false, f));
    EXPECT_FALSE(SkinFrameOf(Coded(30, 10), 1, -2, false, f));
    EXPECT_FALSE(SkinFrameOf(TBitmap(), 1, 1, false, f));

    // Drawing frame 2 of a strip picks exactly those columns or rows.
    auto cell = MakeSkinBitmap(Rect(0, 0, 10, 10), Coded(30, 10), {}, 2, 3, 0, 0);
    EXPECT_EQ(cell->Pixel(0, 0), At(10, 0));
    EXPECT_EQ(cell->Pixel(9, 9), At(19, 9));
    cell = MakeSkinBitmap(Rect(0, 0, 10, 10), Coded(10, 30), {}, 2, 3, 0, 1);
    EXPECT_EQ(cell->Pixel(0, 0), At(0, 10));
    EXPECT_EQ(cell->Pixel(9, 9), At(9, 19));
}

TEST(MakeSkinBitmap, PlainStretchRepeatsOrDropsWholeColumnsAndRows) {
    const TBitmap src = Coded(4, 3);
    auto big = MakeSkinBitmap(Rect(0, 0, 8, 9), src, {}, 1, 1, 0, 0);
    ASSERT_EQ(big->Width(), 8);
    EXPECT_EQ(big->PixelFormat(), pf24bit);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(big->Pixel(x, y), At(x / 2, y / 3));
    auto small = MakeSkinBitmap(Rect(5, 5, 7, 6), src, {}, 1, 1, 0, 0);  // 2 x 1: every other column
    EXPECT_EQ(small->Pixel(0, 0), At(0, 0));
    EXPECT_EQ(small->Pixel(1, 0), At(2, 0));
    // Palette sources compose the same as true colour.
    TBitmap indexed(2, 1, pf8bit);
    indexed.SetPalette({0x0000FF, 0x00FF00});
    indexed.SetPixel(1, 0, 0x00FF00);
    auto fromIndexed = MakeSkinBitmap(Rect(0, 0, 4, 1), indexed, {}, 1, 1, 0, 0);
    EXPECT_EQ(fromIndexed->Pixel(1, 0), 0x0000FFu);
    EXPECT_EQ(fromIndexed->Pixel(2, 0), 0x00FF00u);
}

TEST(MakeSkinBitmap, PlainTileStartsAtTheTopLeftCorner) {
    const TBitmap src = Coded(3, 2);
    auto b = MakeSkinBitmap(Rect(0, 0, 8, 5), src, {}, 1, 1, 1, 0);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(b->Pixel(x, y), At(x % 3, y % 2)) << x << "," << y;
}

TEST(MakeSkinBitmap, NineSlicePiecesKeepTheirBorders) {
    // Frame 2 of a two-frame strip 16 x 8, margins 2, 1, 3, 2, into 20 x 10.
    const TBitmap src = Coded(16, 8);
    auto b = MakeSkinBitmap(Rect(0, 0, 20, 10), src, Rect(2, 1, 3, 2), 2, 2, 0, 0);
    EXPECT_EQ(b->Pixel(0, 0), At(8, 0));  // top-left corner, unscaled
    EXPECT_EQ(b->Pixel(1, 0), At(9, 0));
    EXPECT_EQ(b->Pixel(19, 9), At(15, 7));  // bottom-right corner
    EXPECT_EQ(b->Pixel(17, 8), At(13, 6));
    EXPECT_EQ(b->Pixel(0, 9), At(8, 7));                        // bottom-left
    EXPECT_EQ(b->Pixel(19, 0), At(15, 0));                      // top-right
    EXPECT_EQ(b->Pixel(0, 5), At(8, 1 + (5 - 1) * 5 / 7));      // left edge, stretched in height only
    EXPECT_EQ(b->Pixel(10, 0), At(10 + (10 - 2) * 3 / 15, 0));  // top edge, stretched in width only
    EXPECT_EQ(b->Pixel(2, 1), At(10, 1));                       // the centre's first pixel
}

TEST(MakeSkinBitmap, MarginsWiderThanTheTargetAreDropped) {
    // 4 + 4 > 6: the left and right margins go, the top and bottom ones stay, each full width.
    const TBitmap src = Coded(12, 12);
    auto b = MakeSkinBitmap(Rect(0, 0, 6, 20), src, Rect(4, 4, 4, 4), 1, 1, 0, 0);
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(b->Pixel(x, 0), At(x * 12 / 6, 0));    // top edge across the whole width
        EXPECT_EQ(b->Pixel(x, 19), At(x * 12 / 6, 11));  // bottom edge
        EXPECT_EQ(b->Pixel(x, 4), At(x * 12 / 6, 4));    // centre starts below the top margin
    }
    // Exactly as wide as the two borders: only borders, no centre.
    auto exact = MakeSkinBitmap(Rect(0, 0, 8, 12), src, Rect(4, 0, 4, 0), 1, 1, 0, 0);
    EXPECT_EQ(exact->Pixel(3, 5), At(3, 5));
    EXPECT_EQ(exact->Pixel(4, 5), At(8, 5));
}

TEST(MakeSkinBitmap, MarginsWiderThanTheFrameNeverMirrorSlices) {
    // A 4-wide frame with margins 3 + 3 would give the centre a source width of -2.
    const TBitmap src = Coded(4, 4);
    auto b = MakeSkinBitmap(Rect(0, 0, 20, 4), src, Rect(3, 0, 3, 0), 1, 1, 0, 0);
    auto plain = MakeSkinBitmap(Rect(0, 0, 20, 4), src, {}, 1, 1, 0, 0);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(b->Pixel(x, 2), plain->Pixel(x, 2)) << x;
    // Negative margins count as none.
    auto negative = MakeSkinBitmap(Rect(0, 0, 20, 4), src, Rect(-5, -1, -2, 0), 1, 1, 0, 0);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(negative->Pixel(x, 1), plain->Pixel(x, 1)) << x;
}

TEST(MakeSkinBitmap, TilesRunningPastTheCentreAreCoveredByTheRightAndBottomPieces) {
    // Frame 8 x 8, margins 2: centre source 4 x 4; a 13 x 13 target has a 9 x 9 centre, whose third tile
    // column and row run 3 pixels into the right and bottom borders.
    const TBitmap src = Coded(8, 8);
    auto b = MakeSkinBitmap(Rect(0, 0, 13, 13), src, Rect(2, 2, 2, 2), 1, 1, 1, 0);
    for (int i = 2; i < 11; ++i) {
        EXPECT_EQ(b->Pixel(11, i), At(6, 2 + (i - 2) * 4 / 9)) << i;  // right edge, stretched
        EXPECT_EQ(b->Pixel(12, i), At(7, 2 + (i - 2) * 4 / 9)) << i;
        EXPECT_EQ(b->Pixel(i, 11), At(2 + (i - 2) * 4 / 9, 6)) << i;  // bottom edge
    }
    EXPECT_EQ(b->Pixel(11, 11), At(6, 6));
    EXPECT_EQ(b->Pixel(10, 10), At(2 + 8 % 4, 2 + 8 % 4));  // the last whole-tile pixel inside the centre
}

TEST(MakeSkinBitmap, NoFramesOrEmptyTargetsDrawNothing) {
    const TBitmap src = Coded(8, 8);
    auto none = MakeSkinBitmap(Rect(0, 0, 5, 5), src, {}, 1, 0, 0, 0);
    ASSERT_EQ(none->Width(), 5);
    EXPECT_EQ(none->Pixel(2, 2), clBlack);
    EXPECT_TRUE(MakeSkinBitmap(Rect(5, 5, 2, 2), src, {}, 1, 1, 0, 0)->Empty());
    auto outside = MakeSkinBitmap(Rect(0, 0, 5, 5), src, {}, 9, 2, 1, 0);  // frame 9 of 2: no source pixels
    EXPECT_EQ(outside->Pixel(4, 4), clBlack);

    TBitmap dc(10, 10);
    dc.Fill(0x123456);
    DrawSkinRect(dc, Rect(0, 0, 10, 10), src, {}, 1, 0, 0, 0, 0);
    DrawSkinBar(dc, Rect(0, 0, 10, 10), src, {}, 1, -1, 0, 0);
    StretchSkinBar(dc, Rect(0, 0, 10, 10), src, {}, 1, 0, 0, 0);
    DrawSkinCell(dc, Rect(0, 0, 10, 10), src, 1, 0, 0);
    DrawSkinCellCentered(dc, Rect(0, 0, 10, 10), src, 1, 0, 1);
    DrawSkinRect(dc, Rect(5, 0, 4, 10), src, {}, 1, 1, 0, 0, 0);  // right before left
    DrawKeyedBitmap(dc, Rect(0, 5, 10, 4), src, SkinKeyColor);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(dc.Pixel(x, y), 0x123456u);
}

TEST(DrawSkinRect, AnEmptySkinImageDrawsNothingOpaqueOrKeyed) {
    // A skin image that is missing or was rejected on load stays empty: the surface keeps its pixels.
    const TBitmap missing;
    TBitmap dc(12, 8);
    dc.Fill(0x123456);
    for (int trans : {0, 1})
        for (int tile : {0, 1})
            DrawSkinRect(dc, Rect(1, 1, 11, 7), missing, Rect(2, 2, 2, 2), 1, 2, trans, tile, 0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x) ASSERT_EQ(dc.Pixel(x, y), 0x123456u);
    EXPECT_EQ(ComposeSkinRect(Rect(0, 0, 5, 5), missing, {}, 1, 1, 0, 0, 0).bitmap, nullptr);
}

TEST(DrawSkinBar, CapsAtTheEndsAndWholeTilesBetween) {
    // Frame 10 wide: caps 2 and 3, middle tile 5. Target 16 x 4: tiles at 2, 7 and 12, the last running
    // under the right cap, which starts at 13 and is drawn over it.
    const TBitmap src = Coded(10, 2);
    TBitmap dc(20, 6);
    DrawSkinBar(dc, Rect(2, 1, 18, 5), src, Rect(2, 0, 3, 0), 1, 1, 0, 0);
    EXPECT_EQ(dc.Pixel(2, 1), At(0, 0));
    EXPECT_EQ(dc.Pixel(3, 4), At(1, 1));   // height stretched 2 -> 4
    EXPECT_EQ(dc.Pixel(4, 1), At(2, 0));   // first tile
    EXPECT_EQ(dc.Pixel(9, 1), At(2, 0));   // second tile
    EXPECT_EQ(dc.Pixel(14, 1), At(2, 0));  // x 12 of the bar: the third tile's only visible column
    EXPECT_EQ(dc.Pixel(15, 1), At(7, 0));  // right cap
    EXPECT_EQ(dc.Pixel(17, 1), At(9, 0));
    EXPECT_EQ(dc.Pixel(18, 1), clBlack);  // outside the bar

    // No middle at all (5 + 5 = the frame): the caps alone, and it terminates.
    TBitmap dc2(12, 2);
    DrawSkinBar(dc2, Rect(0, 0, 12, 2), src, Rect(5, 0, 5, 0), 1, 1, 0, 0);
    EXPECT_EQ(dc2.Pixel(0, 0), At(0, 0));
    EXPECT_EQ(dc2.Pixel(11, 0), At(9, 0));
    EXPECT_EQ(dc2.Pixel(6, 0), clBlack);
    DrawSkinBar(dc2, Rect(0, 0, 12, 2), src, Rect(8, 0, 8, 0), 1, 1, 0, 0);  // negative middle
}

TEST(StretchSkinBar, WholeFrameWhenNarrowerElseThreeStretches) {
    const TBitmap src = Coded(20, 2, 0);  // frames of 10 x 2
    TBitmap dc(30, 4);
    StretchSkinBar(dc, Rect(0, 0, 5, 4), src, Rect(2, 0, 2, 0), 2, 2, 1, 0);  // 10 > 5: whole frame
    EXPECT_EQ(dc.Pixel(0, 0), At(10, 0));
    EXPECT_EQ(dc.Pixel(4, 3), At(18, 1));
    StretchSkinBar(dc, Rect(5, 0, 30, 2), src, Rect(2, 0, 3, 0), 2, 2, 0, 0);
    EXPECT_EQ(dc.Pixel(5, 0), At(10, 0));
    EXPECT_EQ(dc.Pixel(6, 0), At(11, 0));
    EXPECT_EQ(dc.Pixel(7, 0), At(12, 0));  // middle: 5 source columns over 20
    EXPECT_EQ(dc.Pixel(26, 0), At(12 + 19 * 5 / 20, 0));
    EXPECT_EQ(dc.Pixel(27, 0), At(17, 0));  // right cap
    EXPECT_EQ(dc.Pixel(29, 1), At(19, 1));
}

TEST(DrawSkinCell, CentredCellsTakeNegativeOffsetsAndKeyedCopiesKeepTheBackground) {
    TBitmap strip = Coded(32, 16);
    TBitmap dc(10, 10);
    DrawSkinCellCentered(dc, Rect(0, 0, 10, 10), strip, 2, 2, 0);
    EXPECT_EQ(dc.Pixel(0, 0), At(16 + 3, 3));  // the 16 x 16 cell sits at (-3, -3)
    EXPECT_EQ(dc.Pixel(9, 9), At(16 + 12, 12));
    // Odd leftovers truncate toward zero on both sides of the rectangle.
    TBitmap wide(20, 20);
    DrawSkinCellCentered(wide, Rect(1, 1, 8, 20), strip, 1, 2, 0);  // (7 - 16) / 2 = -4
    EXPECT_EQ(wide.Pixel(0, 0), clBlack);
    EXPECT_EQ(wide.Pixel(1, 2), At(4, 0));

    // Keyed: magenta pixels of the cell leave the destination alone; near-magenta is copied.
    TBitmap keyStrip(4, 1);
    keyStrip.SetPixel(0, 0, SkinKeyColor);
    keyStrip.SetPixel(1, 0, RGBColor(255, 1, 255));
    keyStrip.SetPixel(2, 0, SkinKeyColor);
    keyStrip.SetPixel(3, 0, 0x00FF00);
    TBitmap bg(4, 2);
    bg.Fill(0x0000FF);
    DrawSkinCell(bg, Rect(0, 0, 4, 2), keyStrip, 1, 2, 1);  // cell 1 = columns 0..1, stretched 2x
    EXPECT_EQ(bg.Pixel(0, 0), 0x0000FFu);
    EXPECT_EQ(bg.Pixel(1, 1), 0x0000FFu);
    EXPECT_EQ(bg.Pixel(2, 0), RGBColor(255, 1, 255));
    DrawSkinCell(bg, Rect(0, 0, 4, 2), keyStrip, 1, 2, 0);  // opaque copies the key too
    EXPECT_EQ(bg.Pixel(0, 0), SkinKeyColor);
}

TEST(TileBitmapRect, TilesAreNotCutAtTheRectangleOnlyAtTheCanvas) {
    const TBitmap src = Coded(6, 6);
    TBitmap canvas(12, 12);
    TileBitmapRect(canvas, Rect(1, 1, 6, 4), src, Rect(2, 2, 5, 4));  // 3 x 2 tiles
    EXPECT_EQ(canvas.Pixel(1, 1), At(2, 2));
    EXPECT_EQ(canvas.Pixel(6, 1), At(4, 2));  // the second tile column starts at 4, inside, and ends at 6
    EXPECT_EQ(canvas.Pixel(7, 1), clBlack);
    EXPECT_EQ(canvas.Pixel(1, 4), At(2, 3));  // second tile row runs to y 4
    EXPECT_EQ(canvas.Pixel(1, 5), clBlack);
    TileBitmapRect(canvas, Rect(10, 10, 30, 30), src, Rect(0, 0, 4, 4));  // clipped by the canvas only
    EXPECT_EQ(canvas.Pixel(11, 11), At(1, 1));
    TBitmap untouched(4, 4);
    TileBitmapRect(untouched, Rect(0, 0, 4, 4), src, Rect(3, 3, 1, 5));  // negative width: nothing
    EXPECT_EQ(untouched.Pixel(0, 0), clBlack);
}

TEST(ColorKeyRegion, RunsOfOpaquePixelsShiftedByTheOffset) {
    TBitmap b(3, 1);
    b.SetPixel(0, 0, SkinKeyColor);
    b.SetPixel(1, 0, 0x0000FF);
    b.SetPixel(2, 0, SkinKeyColor);
    EXPECT_EQ(ColorKeyRects(b, 10, 20, SkinKeyColor, 1, 1, 1), std::vector<TRect>{Rect(11, 20, 12, 21)});
    EXPECT_EQ(b.PixelFormat(), pf32bit);  // the caller's bitmap is converted

    TBitmap all(4, 3);
    all.Fill(SkinKeyColor);
    all.SetPixel(2, 1, RGBColor(255, 1, 255));  // within the tolerance of 1
    EXPECT_TRUE(ColorKeyRects(all, 0, 0, SkinKeyColor, 1, 1, 1).empty());
    all.SetPixel(2, 1, RGBColor(255, 2, 255));
    EXPECT_EQ(ColorKeyRects(all, -5, -5, SkinKeyColor, 1, 1, 1), std::vector<TRect>{Rect(-3, -4, -2, -3)});

    TBitmap rows(5, 2);  // row 0: two runs; row 1: one run across the row
    rows.SetPixel(2, 0, SkinKeyColor);
    EXPECT_EQ(ColorKeyRects(rows, 0, 0, SkinKeyColor, 1, 1, 1),
              (std::vector<TRect>{Rect(0, 0, 2, 1), Rect(3, 0, 5, 1), Rect(0, 1, 5, 2)}));
}

TEST(ColorKeyRegion, BlocksGrowBy500AndFlushEvery2000Rectangles) {
    // Alternating pixels: 2 runs per 4-pixel row... 1500 rows x 2 runs = 3000 rectangles.
    TBitmap b(4, 1500);
    for (int y = 0; y < 1500; ++y) {
        b.SetPixel(1, y, SkinKeyColor);
        b.SetPixel(3, y, SkinKeyColor);
    }
    std::vector<int> counts, capacities;
    std::vector<TRect> bounds;
    ScanColorKeyRegion(b, 100, 0, SkinKeyColor, 1, 1, 1, [&](const RegionBlock& block) {
        counts.push_back(block.Count());
        capacities.push_back(block.Capacity());
        bounds.push_back(block.Bound());
        EXPECT_EQ(block.ByteSize(), 32 + 16 * block.Capacity());
        const auto* words = static_cast<const std::int32_t*>(block.Data());
        EXPECT_EQ(words[0], 32);
        EXPECT_EQ(words[1], 1);
        EXPECT_EQ(words[2], block.Count());
        EXPECT_EQ(words[3], 0);
    });
    EXPECT_EQ(counts, (std::vector<int>{2000, 1000}));
    EXPECT_EQ(capacities, (std::vector<int>{2000, 2000}));
    // The bounding rectangle covers the shifted rectangles of its own block.
    EXPECT_EQ(bounds[0], Rect(100, 0, 103, 1000));
    EXPECT_EQ(bounds[1], Rect(100, 1000, 103, 1500));

    // An empty scan still flushes once, with nothing in it and the initial bounds.
    TBitmap none(2, 2);
    none.Fill(SkinKeyColor);
    int calls = 0;
    ScanColorKeyRegion(none, 0, 0, SkinKeyColor, 1, 1, 1, [&](const RegionBlock& block) {
        ++calls;
        EXPECT_EQ(block.Count(), 0);
        EXPECT_EQ(block.Capacity(), 500);
        EXPECT_EQ(block.Bound(), Rect(INT32_MAX, INT32_MAX, 0, 0));
    });
    EXPECT_EQ(calls, 1);
}

TEST(BlendColors, PercentBelow100AndPerMilleFrom100) {
    EXPECT_EQ(BlendColors(0x000000, 0xFFFFFF, 50), 0x808080u);
    EXPECT_EQ(BlendColors(0xFFFFFF, 0x000000, 99), RGBColor(252, 252, 252));  // (255 * 99 + 50) div 100
    EXPECT_EQ(BlendColors(0xFFFFFF, 0x000000, 100), RGBColor(26, 26, 26));    // 10 %: (25500 + 500) div 1000
    EXPECT_EQ(BlendColors(0xFFFFFF, 0x000000, 150), RGBColor(38, 38, 38));    // 15 %
    EXPECT_EQ(BlendColors(0x0000FF, 0xFF0000, 0), 0xFF0000u);
    EXPECT_EQ(BlendColors(0x0000FF, 0xFF0000, 1000), 0x0000FFu);
    // System colours are resolved first.
    const SysColorFunc old = SetSysColorFunc([](int i) -> TColor { return i == 15 ? 0x102030 : 0; });
    EXPECT_EQ(BlendColors(clBtnFace, clBtnFace, 50), 0x102030u);
    SetSysColorFunc(old);
}

TEST(ColorSaturation, SpreadOverMaxWithTheDarkRule) {
    EXPECT_EQ(ColorSaturation(0x00FF0000), 255);
    EXPECT_EQ(ColorSaturation(0x00808080), 200);
    EXPECT_EQ(ColorSaturation(RGBColor(160, 160, 160)), 0);
    EXPECT_EQ(ColorSaturation(RGBColor(159, 0, 159)), 200);
    EXPECT_EQ(ColorSaturation(RGBColor(200, 100, 50)), 191);  // 191.25
    EXPECT_EQ(ColorSaturation(RGBColor(204, 202, 203)), 2);   // exactly 2.5: ties go to even
    EXPECT_EQ(ColorSaturation(RGBColor(170, 165, 168)), 8);   // 7.5 -> 8
}

class Gradients : public ::testing::Test {
protected:
    void SetUp() override { GradientCache() = GradientTables{}; }
};

TEST_F(Gradients, TablesRoundTowardTheirEnds) {
    const int slot = MakeGradient(3, 0x000000, 0x0000FF);
    EXPECT_EQ(GradientCache().slots[std::size_t(slot)], (std::vector<TColor>{0x000000, 0x000080, 0x0000FF}));
    const int one = MakeGradient(1, 0x000000, 0x0000FF);
    EXPECT_EQ(GradientCache().slots[std::size_t(one)], std::vector<TColor>{0x00007F});
    // Decreasing channels truncate toward zero too, so they stop one short of the last colour:
    // (-255 + 1) div 2 = -127, (-510 + 1) div 2 = -254.
    const int down = MakeGradient(3, 0x0000FF, 0x000000);
    EXPECT_EQ(GradientCache().slots[std::size_t(down)], (std::vector<TColor>{0x0000FF, 0x000080, 0x000001}));
    const int wide = MakeGradient(4, RGBColor(10, 200, 0), RGBColor(20, 100, 255));
    EXPECT_EQ(GradientCache().slots[std::size_t(wide)],
              (std::vector<TColor>{RGBColor(10, 200, 0), RGBColor(13, 167, 85), RGBColor(17, 134, 170),
                                   RGBColor(20, 101, 255)}));
}

TEST_F(Gradients, SixteenSlotRingIsSearchedFromTheTop) {
    EXPECT_EQ(GetGradient(10, 0x000000, 0x0000FF), 0);
    EXPECT_EQ(GetGradient(10, 0x000000, 0x0000FF), 0);  // found, not made again
    EXPECT_EQ(GradientCache().next, 1);
    for (int i = 1; i < 16; ++i) EXPECT_EQ(GetGradient(10 + i, 0, 0xFFFFFF), i);
    EXPECT_EQ(GetGradient(99, 0, 0xFFFFFF), 0);  // the 17th overwrites slot 0
    EXPECT_EQ(FindGradient(10, 0x000000, 0x0000FF), -1);
    EXPECT_EQ(GetGradient(10, 0x000000, 0x0000FF), 1);  // made again, in the next slot of the ring
    // Equal tables in two slots: the higher slot wins.
    GradientCache().slots[5] = GradientCache().slots[1];
    EXPECT_EQ(FindGradient(10, 0x000000, 0x0000FF), 5);
}

TEST_F(Gradients, CountsBelowOneFailTheirAssertion) {
    auto lineOf = [](auto call) {
        try {
            call();
        } catch (const EAssertionFailed& e) {
            EXPECT_STREQ(e.Message(), "Assertion failure");
            EXPECT_EQ(e.Unit(), "imgutil");
            return e.Line();
        }
        return 0;
    };
    EXPECT_EQ(lineOf([] { FindGradient(0, 0, 0); }), 304);
    EXPECT_EQ(lineOf([] { MakeGradient(-1, 0, 0); }), 323);
    EXPECT_EQ(lineOf([] { GetGradient(0, 0, 0); }), 304);
    EXPECT_EQ(GradientCache().next, 0);  // nothing was made
}

TEST_F(Gradients, ClippedFillsPaintOnlyVisibleBandsWithFullLengthColours) {
    TBitmap dc(120, 10);
    dc.Fill(0x777777);
    const TRect clip = Rect(30, 0, 120, 10);
    FillGradientRect(dc, Rect(0, 2, 100, 6), 0x000000, 0x0000FF, 0, &clip);
    const std::vector<TColor>& table = GradientCache().slots[0];
    ASSERT_EQ(table.size(), 100u);
    EXPECT_EQ(dc.Pixel(29, 3), 0x777777u);
    for (int x = 30; x < 100; ++x) {
        EXPECT_EQ(dc.Pixel(x, 2), table[std::size_t(x)]) << x;
        EXPECT_EQ(dc.Pixel(x, 5), table[std::size_t(x)]) << x;
    }
    EXPECT_EQ(dc.Pixel(50, 1), 0x777777u);
    EXPECT_EQ(dc.Pixel(50, 6), 0x777777u);
    EXPECT_EQ(dc.Pixel(100, 3), 0x777777u);

    // Vertical, with the bottom clipped; system colours resolve before the table is made.
    const SysColorFunc old = SetSysColorFunc([](int) -> TColor { return 0x00FF00; });
    const TRect top = Rect(0, 0, 120, 4);
    FillGradientRect(dc, Rect(110, 0, 112, 10), clBtnFace, 0xFF0000, 1, &top);
    SetSysColorFunc(old);
    EXPECT_EQ(dc.Pixel(110, 0), 0x00FF00u);
    EXPECT_EQ(dc.Pixel(111, 3), GradientCache().slots[1][3]);
    EXPECT_EQ(dc.Pixel(111, 4), 0x777777u);

    // Nothing visible, or no length: nothing, and no table.
    const TRect away = Rect(0, 0, 5, 5);
    FillGradientRect(dc, Rect(50, 5, 60, 9), 0, 0xFF, 0, &away);
    FillGradientRect(dc, Rect(50, 5, 50, 9), 0, 0xFF, 0);
    EXPECT_EQ(GradientCache().next, 2);
}

TEST(Transforms, MirrorFlipAndRotateInEveryPixelFormat) {
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf16bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(int(f));
        // 3 x 2 with one white pixel at the top-right corner on black.
        TBitmap b(3, 2, f);
        b.Fill(clBlack);
        b.SetPixel(2, 0, clWhite);
        MirrorBitmap(b);
        EXPECT_EQ(b.Pixel(0, 0), clWhite);
        FlipBitmap(b);
        EXPECT_EQ(b.Pixel(0, 1), clWhite);
        EXPECT_EQ(b.PixelFormat(), f);
        RotateBitmapLeft(b);  // bottom-left corner of 3 x 2 moves to bottom-right of 2 x 3
        ASSERT_EQ(b.Width(), 2);
        ASSERT_EQ(b.Height(), 3);
        EXPECT_EQ(b.Pixel(1, 2), clWhite);
        RotateBitmapRight(b);
        EXPECT_EQ(b.Width(), 3);
        EXPECT_EQ(b.Pixel(0, 1), clWhite);
        EXPECT_EQ(b.PixelFormat(), f);
    }
    // Left: the old top edge becomes the new left edge, read downward from the old right end.
    TBitmap c = Coded(4, 3);
    RotateBitmapLeft(c);
    EXPECT_EQ(c.Pixel(0, 0), At(3, 0));
    EXPECT_EQ(c.Pixel(0, 3), At(0, 0));
    EXPECT_EQ(c.Pixel(2, 0), At(3, 2));
    TBitmap d = Coded(4, 3);
    RotateBitmapRight(d);  // the old left edge becomes the new top edge, read from the bottom
    EXPECT_EQ(d.Pixel(0, 0), At(0, 2));
    EXPECT_EQ(d.Pixel(2, 0), At(0, 0));
    EXPECT_EQ(d.Pixel(2, 3), At(3, 0));
}

TEST(Transforms, KeyColourReplacementCloneAndDisabledGlyph) {
    TBitmap b(3, 1, pf32bit);
    b.SetPixel(0, 0, SkinKeyColor);
    b.SetPixel(1, 0, RGBColor(255, 1, 255));
    ReplaceKeyColor(b, 0x80FF0000);  // used as given, not resolved
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_EQ(b.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(b.Pixel(1, 0), RGBColor(255, 1, 255));

    TBitmap src(2, 2, pf8bit);
    src.SetPalette({0x000000, 0x0000FF});
    src.SetPixel(1, 0, 0x0000FF);
    TBitmap dst(9, 9, pf24bit);
    CloneBitmap(src, dst);
    EXPECT_EQ(dst.PixelFormat(), pf8bit);
    EXPECT_EQ(dst.Width(), 2);
    EXPECT_EQ(dst.Pixel(1, 0), 0x0000FFu);

    const SysColorFunc old = SetSysColorFunc([](int i) -> TColor {
        return i == 15 ? 0xC0C0C0 : i == 20 ? 0xFFFFFF : i == 16 ? 0x808080 : 0;
    });
    TBitmap glyph(3, 3, pf24bit);
    glyph.Fill(0x00FF00);
    glyph.SetPixel(1, 1, clBlack);
    glyph.SetPixel(2, 2, clBlack);  // its highlight would fall outside
    auto disabled = MakeDisabledGlyph(glyph);
    SetSysColorFunc(old);
    EXPECT_EQ(disabled->Pixel(0, 0), 0xC0C0C0u);
    EXPECT_EQ(disabled->Pixel(1, 1), 0x808080u);  // shadow on the glyph pixel
    EXPECT_EQ(disabled->Pixel(2, 2), 0x808080u);  // shadow painted over the other's highlight
    EXPECT_EQ(disabled->Pixel(2, 1), 0xC0C0C0u);
    glyph.SetPixel(2, 2, 0x00FF00);
    disabled = MakeDisabledGlyph(glyph);
    EXPECT_EQ(disabled->Pixel(2, 2), ResolveColor(clBtnHighlight));
}

TEST(TextLayout, CentredBothWaysWithTruncatingHalves) {
    EXPECT_EQ(CenteredTextRect(Rect(10, 10, 110, 30), 41, 13), Rect(39, 13, 80, 26));
    EXPECT_EQ(CenteredTextRect(Rect(0, 0, 10, 10), 15, 14), Rect(-2, -2, 13, 12));  // larger than the box
}

}  // namespace
