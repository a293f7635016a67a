// The contact-sheet PNG writer: its checksums, and its deflate stream as an independent inflater reads it.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/skingen/canvas.h"
#include "tools/skingen/png.h"

namespace {

using skingen::Canvas;
using skingen::Rgb;

std::uint32_t BE32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16 | std::uint32_t(b[at + 2]) << 8 |
           b[at + 3];
}

// Walks the chunks, checks their CRCs with zlib, inflates the image data and compares every pixel.
void ExpectDecodesTo(const Canvas& canvas) {
    const std::vector<std::uint8_t> png = skingen::EncodePng(canvas);
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + 8),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    std::vector<std::uint8_t> idat;
    std::vector<std::string> order;
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = BE32(png, at);
        ASSERT_LE(at + 12 + length, png.size());
        const std::string type(png.begin() + std::ptrdiff_t(at + 4), png.begin() + std::ptrdiff_t(at + 8));
        order.push_back(type);
        const std::uint32_t crc = std::uint32_t(crc32(0, png.data() + at + 4, uInt(length + 4)));
        EXPECT_EQ(BE32(png, at + 8 + length), crc) << type;
        if (type == "IHDR") {
            EXPECT_EQ(BE32(png, at + 8), std::uint32_t(canvas.Width()));
            EXPECT_EQ(BE32(png, at + 12), std::uint32_t(canvas.Height()));
            EXPECT_EQ(png[at + 16], 8);  // bit depth
            EXPECT_EQ(png[at + 17], 2);  // RGB
        }
        if (type == "IDAT")
            idat.insert(idat.end(), png.begin() + std::ptrdiff_t(at + 8),
                        png.begin() + std::ptrdiff_t(at + 8 + length));
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    EXPECT_EQ(order, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));

    const std::size_t rowBytes = std::size_t(canvas.Width()) * 3 + 1;
    std::vector<std::uint8_t> raw(rowBytes * std::size_t(canvas.Height()) + 16);
    uLongf rawLength = uLongf(raw.size());
    ASSERT_EQ(uncompress(raw.data(), &rawLength, idat.data(), uLong(idat.size())), Z_OK);
    ASSERT_EQ(rawLength, rowBytes * std::size_t(canvas.Height()));
    for (int y = 0; y < canvas.Height(); ++y) {
        EXPECT_EQ(raw[std::size_t(y) * rowBytes], 0) << "filter of row " << y;
        for (int x = 0; x < canvas.Width(); ++x) {
            const std::uint8_t* p = &raw[std::size_t(y) * rowBytes + 1 + std::size_t(x) * 3];
            const Rgb c = canvas.At(x, y);
            ASSERT_TRUE(p[0] == c.r && p[1] == c.g && p[2] == c.b) << "pixel " << x << "," << y;
        }
    }
}

TEST(ContactSheetPng, ChecksumsMatchTheirReferenceValues) {
    const std::string_view digits = "123456789";
    const std::string_view wiki = "Wikipedia";
    EXPECT_EQ(skingen::Crc32({reinterpret_cast<const std::uint8_t*>(digits.data()), digits.size()}),
              0xCBF43926u);
    EXPECT_EQ(skingen::Adler32({reinterpret_cast<const std::uint8_t*>(wiki.data()), wiki.size()}),
              0x11E60398u);
    EXPECT_EQ(skingen::Adler32({}), 1u);
}

TEST(ContactSheetPng, ImagesOfEveryKindInflateToTheirPixels) {
    {
        SCOPED_TRACE("one pixel");
        ExpectDecodesTo(Canvas(1, 1, Rgb{1, 2, 3}));
    }
    {
        SCOPED_TRACE("flat: the longest matches, back by one pixel and by one row");
        ExpectDecodesTo(Canvas(300, 200, Rgb{250, 250, 248}));
    }
    {
        SCOPED_TRACE("noise: literals and short matches");
        Canvas c(181, 97);
        std::uint32_t s = 12345;
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x) {
                s = s * 1103515245u + 12345u;
                const std::uint8_t v = std::uint8_t(s >> 16);
                c.Set(x, y, Rgb{v, std::uint8_t(v & 0xF0), std::uint8_t((x * y) & 0xFF)});
            }
        ExpectDecodesTo(c);
    }
    {
        SCOPED_TRACE("rows repeating further back than the window");
        Canvas c(12000, 3);
        for (int x = 0; x < c.Width(); ++x) {
            const Rgb v{std::uint8_t(x), std::uint8_t(x >> 8), std::uint8_t(x * 7)};
            for (int y = 0; y < 3; ++y) c.Set(x, y, v);
        }
        ExpectDecodesTo(c);
    }
}

}  // namespace
