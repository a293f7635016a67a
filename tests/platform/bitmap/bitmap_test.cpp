// TBitmap: BMP variants as image editors write them, damaged files, saving, and pixel format changes.
#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "tests/platform/bitmap/bmp_builder.h"

namespace {

using Rows = std::vector<std::vector<std::uint32_t>>;

bool Load(TBitmap& b, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream s(bytes);
    return b.LoadFromStream(s);
}

const std::vector<TColor> kPalette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF, 0x808080,
                                      0x00FFFF, 0xFF00FF, 0x123456, 0x654321, 0xABCDEF, 0x0F0F0F,
                                      0xF0F0F0, 0x010203, 0x302010, 0x7F7F7F};

void ExpectIndexed(const TBitmap& b, const Rows& indices, const std::vector<TColor>& palette) {
    ASSERT_EQ(b.Height(), int(indices.size()));
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            EXPECT_EQ(b.Pixel(x, y), palette[indices[std::size_t(y)][std::size_t(x)]]) << x << "," << y;
}

TEST(BmpLoad, PaletteImagesOfEveryDepthInBothRowOrders) {
    // Widths that leave row padding, 9 pixels crossing byte boundaries at 1 and 4 bits.
    const Rows twoColours = {
        {0, 1, 1, 0, 1, 0, 0, 1, 1}, {1, 1, 0, 0, 0, 1, 1, 1, 0}, {0, 0, 0, 1, 1, 1, 0, 1, 0}};
    const Rows sixteen = {
        {0, 1, 2, 3, 4, 5, 6, 7, 8}, {9, 10, 11, 12, 13, 14, 15, 0, 1}, {15, 14, 13, 12, 11, 10, 9, 8, 7}};
    for (int bits : {1, 4, 8}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(::testing::Message() << bits << " bits, top-down " << topDown);
            const Rows& rows = bits == 1 ? twoColours : sixteen;
            BmpSpec s;
            s.width = 9;
            s.height = topDown ? -3 : 3;
            s.bitCount = bits;
            s.palette.assign(kPalette.begin(), kPalette.begin() + (bits == 1 ? 2 : 16));
            s.colorsUsed = bits == 1 ? 0 : 16;  // 0 means the full table for the depth
            s.pixels = PackRows(rows, bits, topDown);
            TBitmap b;
            ASSERT_TRUE(Load(b, BuildBmp(s)));
            EXPECT_EQ(b.PixelFormat(), bits == 1 ? pf1bit : bits == 4 ? pf4bit : pf8bit);
            EXPECT_EQ(b.Width(), 9);
            ExpectIndexed(b, rows, kPalette);
        }
    }
}

TEST(BmpLoad, CoreHeaderWithThreeBytePaletteAndTrueColour) {
    const Rows rows = {{1, 2, 3}, {4, 5, 6}};
    BmpSpec s;
    s.headerSize = 12;
    s.width = 3;
    s.height = 2;
    s.bitCount = 8;
    s.palette.assign(kPalette.begin(), kPalette.begin() + 256 / 32);  // a short table ending at the pixels
    s.pixels = PackRows(rows, 8, false);
    TBitmap b;
    ASSERT_TRUE(Load(b, BuildBmp(s)));
    ExpectIndexed(b, rows, kPalette);

    s.bitCount = 24;
    s.palette.clear();
    s.pixels = PackRows({{0x0000FF, 0x00FF00, 0xFF0000}, {0x010203, 0x040506, 0x070809}}, 24, false);
    ASSERT_TRUE(Load(b, BuildBmp(s)));
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    EXPECT_EQ(b.Pixel(0, 0), RGBColor(0, 0, 255));  // the low byte of each stored value is blue
    EXPECT_EQ(b.Pixel(2, 0), RGBColor(255, 0, 0));
    EXPECT_EQ(b.Pixel(1, 1), RGBColor(4, 5, 6));
}

TEST(BmpLoad, SixteenBitLayoutsByDefaultAndByBitFields) {
    // 5-5-5 without masks, then 5-6-5 and 5-5-5 through bit fields after the info header and inside V4/V5.
    const std::uint32_t white555 = 0x7FFF, red555 = 0x7C00, white565 = 0xFFFF, green565 = 0x07E0;
    BmpSpec s;
    s.width = 2;
    s.height = 1;
    s.bitCount = 16;
    s.pixels = PackRows({{white555, red555}}, 16, false);
    TBitmap b;
    ASSERT_TRUE(Load(b, BuildBmp(s)));
    EXPECT_EQ(b.PixelFormat(), pf15bit);
    EXPECT_EQ(b.Pixel(0, 0), RGBColor(255, 255, 255));
    EXPECT_EQ(b.Pixel(1, 0), RGBColor(255, 0, 0));

    for (int header : {40, 108, 124}) {
        SCOPED_TRACE(header);
        s.headerSize = header;
        s.compression = 3;
        s.masks = {0xF800, 0x07E0, 0x001F};
        s.pixels = PackRows({{white565, green565}}, 16, false);
        ASSERT_TRUE(Load(b, BuildBmp(s)));
        EXPECT_EQ(b.PixelFormat(), pf16bit);
        EXPECT_EQ(b.Pixel(0, 0), RGBColor(255, 255, 255));
        EXPECT_EQ(b.Pixel(1, 0), RGBColor(0, 255, 0));
    }
    // An unusual layout (4-4-4 in the high bits) is unpacked to true colour.
    s.headerSize = 40;
    s.masks = {0xF000, 0x0F00, 0x00F0};
    s.pixels = PackRows({{0xF000, 0x00F0}}, 16, false);
    ASSERT_TRUE(Load(b, BuildBmp(s)));
    EXPECT_EQ(b.Pixel(0, 0), RGBColor(255, 0, 0));
    EXPECT_EQ(b.Pixel(1, 0), RGBColor(0, 0, 255));
}

TEST(BmpLoad, ThirtyTwoBitPlainAndWithUnusualMasks) {
    BmpSpec s;
    s.headerSize = 124;
    s.width = 2;
    s.height = -2;
    s.bitCount = 32;
    s.pixels = PackRows({{0x00112233, 0xFF445566}, {0x00778899, 0x00AABBCC}}, 32, true);
    TBitmap b;
    ASSERT_TRUE(Load(b, BuildBmp(s)));
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_EQ(b.Pixel(0, 0), RGBColor(0x11, 0x22, 0x33));
    EXPECT_EQ(b.Pixel(1, 0), RGBColor(0x44, 0x55, 0x66));
    EXPECT_EQ(b.Pixel(1, 1), RGBColor(0xAA, 0xBB, 0xCC));

    // Red in the top byte, blue in the second: R-G-B-A order as some editors write with alpha.
    s.compression = 3;
    s.masks = {0xFF000000, 0x00FF0000, 0x0000FF00};
    s.pixels = PackRows({{0x112233FF, 0x44556600}, {0, 0}}, 32, true);
    ASSERT_TRUE(Load(b, BuildBmp(s)));
    EXPECT_EQ(b.Pixel(0, 0), RGBColor(0x11, 0x22, 0x33));
    EXPECT_EQ(b.Pixel(1, 0), RGBColor(0x44, 0x55, 0x66));
}

TEST(BmpLoad, RunLengthEncodedImagesWithEveryEscape) {
    BmpSpec s;
    s.width = 6;
    s.height = 3;
    s.bitCount = 8;
    s.compression = 1;
    s.palette.assign(kPalette.begin(), kPalette.begin() + 16);
    s.colorsUsed = 16;
    // Bottom row: 3 x index 1, a literal run 2 3 4 (padded), end of line. Middle row: move 2 right and 1 up
    // (to the top row), 7 x index 5 clipped at the row end. End of bitmap.
    s.pixels = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 1, 7, 5, 0, 1};
    TBitmap b;
    ASSERT_TRUE(Load(b, BuildBmp(s)));
    EXPECT_EQ(b.PixelFormat(), pf8bit);
    ExpectIndexed(b, {{0, 0, 5, 5, 5, 5}, {0, 0, 0, 0, 0, 0}, {1, 1, 1, 2, 3, 4}}, kPalette);

    // The 4-bit form: runs alternate the two nibbles, literals hold two pixels a byte.
    s.bitCount = 4;
    s.compression = 2;
    s.pixels = {5, 0x12, 0, 1};  // 1 2 1 2 1, then end of bitmap
    s.height = 1;
    ASSERT_TRUE(Load(b, BuildBmp(s)));
    EXPECT_EQ(b.PixelFormat(), pf4bit);
    ExpectIndexed(b, {{1, 2, 1, 2, 1, 0}}, kPalette);
    s.pixels = {0, 5, 0x34, 0x56, 0x70, 0, 0, 1};  // a literal of 5 nibbles in 3 bytes, padded to 4
    ASSERT_TRUE(Load(b, BuildBmp(s)));
    ExpectIndexed(b, {{3, 4, 5, 6, 7, 0}}, kPalette);
}

TEST(BmpLoad, DamagedOrHostileFilesLeaveAnEmptyBitmap) {
    BmpSpec good;
    good.width = 4;
    good.height = 2;
    good.bitCount = 8;
    good.palette.assign(kPalette.begin(), kPalette.begin() + 4);
    good.colorsUsed = 4;
    good.pixels = PackRows({{0, 1, 2, 3}, {3, 2, 1, 0}}, 8, false);
    const std::vector<std::uint8_t> valid = BuildBmp(good);

    auto patched = [&](std::size_t at, std::uint32_t v) {
        std::vector<std::uint8_t> f = valid;
        for (int i = 0; i < 4; ++i) f.at(at + std::size_t(i)) = std::uint8_t(v >> (8 * i));
        return f;
    };
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"not a BMP", {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"truncated header", std::vector<std::uint8_t>(valid.begin(), valid.begin() + 30)},
        {"truncated pixels", std::vector<std::uint8_t>(valid.begin(), valid.end() - 1)},
        {"zero width", patched(18, 0)},
        {"negative width", patched(18, 0xFFFFFFFF)},
        {"absurd height", patched(22, 0x7FFFFFFF)},
        {"most negative height", patched(22, 0x80000000)},
        {"wide image with too little data", patched(18, 30000)},
        {"unknown header size", patched(14, 41)},
        {"bit count 7", patched(28, 7)},
        {"unknown compression", patched(30, 9)},
        {"pixel offset inside the header", patched(10, 20)},
        {"pixel offset past the end", patched(10, 100000)},
        {"palette that leaves no entries", patched(10, 14 + 40)},
    };
    // Both sides within the limit, the area beyond it.
    {
        auto f = patched(18, 30000);
        for (int i = 0; i < 4; ++i) f[22 + std::size_t(i)] = std::uint8_t(30000 >> (8 * i));
        cases.push_back({"area too large", f});
    }
    BmpSpec rle = good;
    rle.compression = 1;
    rle.pixels = {4, 1, 0, 0};  // stops in the middle of the data
    cases.push_back({"run-length data without an end", BuildBmp(rle)});
    rle.pixels = {0, 3, 1, 2};  // literal longer than the data
    cases.push_back({"run-length literal past the end", BuildBmp(rle)});
    rle.height = -2;
    rle.pixels = {0, 1};
    cases.push_back({"top-down run-length data", BuildBmp(rle)});
    BmpSpec fields = good;
    fields.bitCount = 24;
    fields.compression = 3;
    fields.masks = {0xFF0000, 0xFF00, 0xFF};
    fields.palette.clear();
    fields.colorsUsed = 0;
    cases.push_back({"bit fields on 24 bits", BuildBmp(fields)});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TBitmap b(5, 5);  // a loaded bitmap that a failed load must empty
        EXPECT_FALSE(Load(b, c.bytes));
        EXPECT_TRUE(b.Empty());
    }
    TBitmap b;
    EXPECT_TRUE(Load(b, valid));  // the base file itself is fine
}

TEST(BmpLoad, OverlongPaletteCountIsCutAtThePixelData) {
    BmpSpec s;
    s.width = 2;
    s.height = 1;
    s.bitCount = 8;
    s.palette = {0x0000FF, 0x00FF00};
    s.colorsUsed = 1000;      // claims more than 256 and more than the file holds
    s.pixels = {1, 7, 0, 0};  // index 7 has no palette entry
    TBitmap b;
    ASSERT_TRUE(Load(b, BuildBmp(s)));
    EXPECT_EQ(b.Palette().size(), 2u);
    EXPECT_EQ(b.Pixel(0, 0), 0x00FF00u);
    EXPECT_EQ(b.Pixel(1, 0), clBlack);
}

TEST(BmpSave, RoundTripsAtBothDepthsFromAnyFormat) {
    TBitmap src(5, 3, pf8bit);  // odd width: rows need padding
    src.SetPalette(kPalette);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) src.SetPixel(x, y, kPalette[std::size_t((x + y * 5) % 16)]);
    for (int bits : {24, 32}) {
        SCOPED_TRACE(bits);
        TMemoryStream stream;
        src.SaveToStream(stream, bits);
        stream.SetPosition(0);
        TBitmap back;
        ASSERT_TRUE(back.LoadFromStream(stream));
        EXPECT_EQ(back.PixelFormat(), bits == 24 ? pf24bit : pf32bit);
        EXPECT_EQ(stream.Position(), stream.Size());
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) EXPECT_EQ(back.Pixel(x, y), src.Pixel(x, y));
    }
}

TEST(BmpLoad, TwoImagesInOneStreamLoadOneAfterTheOther) {
    TBitmap a(2, 2), c(3, 1);
    a.Fill(0x112233);
    c.Fill(0x445566);
    TMemoryStream stream;
    a.SaveToStream(stream);
    c.SaveToStream(stream);
    stream.SetPosition(0);
    TBitmap first, second;
    ASSERT_TRUE(first.LoadFromStream(stream));
    ASSERT_TRUE(second.LoadFromStream(stream));
    EXPECT_EQ(first.Pixel(1, 1), 0x112233u);
    EXPECT_EQ(second.Width(), 3);
    EXPECT_EQ(second.Pixel(2, 0), 0x445566u);
}

TEST(Bitmap, FormatChangesKeepColoursAndResizeKeepsTheOverlap) {
    TBitmap b(3, 2, pf24bit);
    b.SetPixel(0, 0, 0x0000FF);
    b.SetPixel(2, 1, 0x123456);
    b.SetPixelFormat(pf32bit);
    EXPECT_EQ(b.Pixel(2, 1), 0x123456u);
    b.SetPixelFormat(pf16bit);  // 5-6-5 loses low bits
    EXPECT_EQ(b.Pixel(0, 0), 0x0000FFu);
    b.SetPixelFormat(pf24bit);
    b.SetPixelFormat(pf1bit);  // nearest of black and white
    EXPECT_EQ(b.Pixel(1, 0), clBlack);
    b.SetPixelFormat(pf24bit);
    b.SetSize(4, 1);
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(b.Pixel(0, 0), clBlack);
    EXPECT_EQ(b.Pixel(3, 0), clBlack);  // new pixels are zero

    TBitmap c(2, 2, pf24bit);
    c.Fill(0xABCDEF);
    c.SetSize(3, 3);
    EXPECT_EQ(c.Pixel(1, 1), 0xABCDEFu);
    EXPECT_EQ(c.Pixel(2, 2), clBlack);
    c.SetSize(0, 7);
    EXPECT_TRUE(c.Empty());
}

TEST(Bitmap, AssignMakesAnIndependentCopyWithTransparency) {
    TBitmap a(2, 2, pf8bit);
    a.SetPalette({0x000000, 0x00FF00});
    a.SetPixel(1, 1, 0x00FF00);
    a.SetTransparent(true);
    TBitmap b;
    b.Assign(a);
    a.SetPixel(1, 1, 0x000000);
    EXPECT_EQ(b.PixelFormat(), pf8bit);
    EXPECT_EQ(b.Pixel(1, 1), 0x00FF00u);
    EXPECT_TRUE(b.Transparent());
    // Without a fixed colour the bottom-left pixel is transparent.
    b.SetPixel(0, 1, 0x00FF00);
    EXPECT_EQ(b.TransparentColor(), 0x00FF00u);
    b.SetTransparentColor(0x000000);
    EXPECT_EQ(b.TransparentColor(), 0x000000u);
    b.Assign(TBitmap());
    EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, TheContentStampChangesWithEveryWritableAccessAndOnlyThen) {
    TBitmap a(4, 4, pf24bit), b(4, 4, pf24bit);
    EXPECT_NE(a.ContentStamp(), b.ContentStamp());
    const std::uint64_t before = a.ContentStamp();
    const TBitmap& view = a;
    view.Pixel(1, 1);
    view.ScanLine(2);
    EXPECT_EQ(a.ContentStamp(), before);  // reading leaves it
    a.SetPixel(1, 1, 0x123456);
    const std::uint64_t written = a.ContentStamp();
    EXPECT_NE(written, before);
    a.ScanLine(0);
    EXPECT_NE(a.ContentStamp(), written);  // a writable row may be written
    for (auto change : {+[](TBitmap& x) { x.SetSize(5, 4); }, +[](TBitmap& x) { x.SetPixelFormat(pf32bit); },
                        +[](TBitmap& x) { x.Assign(TBitmap(5, 4)); }, +[](TBitmap& x) { x.Clear(); }}) {
        const std::uint64_t s = a.ContentStamp();
        change(a);
        EXPECT_NE(a.ContentStamp(), s);
    }
    // A moved-from bitmap is another image now.
    const std::uint64_t bs = b.ContentStamp();
    TBitmap c(std::move(b));
    EXPECT_EQ(c.ContentStamp(), bs);
    EXPECT_NE(b.ContentStamp(), bs);
}

}  // namespace
