// BMP reading and writing for TBitmap: every header generation, palettes, bit fields and RLE.
#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

#include "platform/bitmap.h"

namespace {

// Limits of what the loader accepts; skin images are small, screenshots a few megapixels.
constexpr std::int64_t kMaxSide = 32767;
constexpr std::int64_t kMaxPixels = std::int64_t(1) << 25;
constexpr std::int64_t kMaxFileBytes = std::int64_t(1) << 28;

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

// Little-endian reads from a byte range; every read is checked against the end.
struct Bytes {
    const std::uint8_t* data;
    std::size_t size;

    bool Has(std::size_t pos, std::size_t count) const { return pos <= size && count <= size - pos; }
    std::uint32_t U16(std::size_t pos) const {
        return std::uint32_t(data[pos]) | std::uint32_t(data[pos + 1]) << 8;
    }
    std::uint32_t U32(std::size_t pos) const {
        return std::uint32_t(data[pos]) | std::uint32_t(data[pos + 1]) << 8 |
               std::uint32_t(data[pos + 2]) << 16 | std::uint32_t(data[pos + 3]) << 24;
    }
    std::int32_t I32(std::size_t pos) const { return std::int32_t(U32(pos)); }
};

// One colour channel described by a bit mask, scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        bits = 32 - std::countl_zero(m) - shift;
    }
    int Get(std::uint32_t pixel) const {
        if (bits == 0) return 0;
        const std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return int(v >> (bits - 8));
        return int(v * 255u / ((1u << bits) - 1u));
    }
};

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0;  // always positive here
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue
    std::size_t paletteStart = 0;
    std::size_t paletteEntries = 0;
    std::size_t paletteEntrySize = 4;
    std::size_t pixelStart = 0;
};

bool ReadHeader(const Bytes& in, Header& h) {
    if (!in.Has(0, 18) || in.data[0] != 'B' || in.data[1] != 'M') return false;
    const std::size_t offBits = in.U32(10);
    const std::size_t headerSize = in.U32(14);
    std::size_t pos = 14;
    std::uint32_t colorsUsed = 0;
    if (headerSize == 12) {  // the core header: 16-bit sizes, 3-byte palette entries
        if (!in.Has(pos, 12)) return false;
        h.width = in.U16(pos + 4);
        h.height = std::int16_t(in.U16(pos + 6));
        if (in.U16(pos + 8) != 1) return false;
        h.bitCount = int(in.U16(pos + 10));
        h.paletteEntrySize = 3;
        if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 24) return false;
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 64 ||
               headerSize == 108 || headerSize == 124) {
        if (!in.Has(pos, headerSize)) return false;
        h.width = in.I32(pos + 4);
        h.height = in.I32(pos + 8);
        if (in.U16(pos + 12) != 1) return false;
        h.bitCount = int(in.U16(pos + 14));
        h.compression = in.U32(pos + 16);
        colorsUsed = in.U32(pos + 32);
        // The second-generation OS/2 header numbers its compressions differently; only plain and RLE pass.
        if (headerSize == 64 && h.compression > kRle4) return false;
        if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
            if (h.bitCount != 16 && h.bitCount != 32) return false;
            std::size_t maskPos = pos + 40;
            if (headerSize == 40) {  // the masks follow the header
                if (!in.Has(maskPos, 12)) return false;
                h.paletteStart = maskPos + (h.compression == kAlphaBitFields ? 16 : 12);
            }
            for (int i = 0; i < 3; ++i) h.masks[i] = in.U32(maskPos + 4 * std::size_t(i));
            if (h.masks[0] == 0 && h.masks[1] == 0 && h.masks[2] == 0) return false;
        } else if (h.compression == kRle8) {
            if (h.bitCount != 8) return false;
        } else if (h.compression == kRle4) {
            if (h.bitCount != 4) return false;
        } else if (h.compression != kRgb) {
            return false;
        }
        if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 16 && h.bitCount != 24 &&
            h.bitCount != 32)
            return false;
    } else {
        return false;
    }
    if (h.paletteStart == 0) h.paletteStart = pos + headerSize;

    if (h.height < 0) {
        h.topDown = true;
        h.height = -h.height;
    }
    // Run-length data is always stored bottom-up.
    if (h.topDown && (h.compression == kRle8 || h.compression == kRle4)) return false;
    if (h.width < 1 || h.height < 1 || h.width > kMaxSide || h.height > kMaxSide) return false;
    if (h.width * h.height > kMaxPixels) return false;

    if (offBits < h.paletteStart || offBits > in.size) return false;
    h.pixelStart = offBits;
    if (h.bitCount <= 8) {
        const std::size_t maxEntries = std::size_t(1) << h.bitCount;
        std::size_t entries = colorsUsed == 0 ? maxEntries : std::min<std::size_t>(colorsUsed, maxEntries);
        // Entries that would run into the pixel data are not palette entries.
        entries = std::min(entries, (offBits - h.paletteStart) / h.paletteEntrySize);
        if (entries == 0) return false;
        h.paletteEntries = entries;
    }
    return true;
}

std::vector<TColor> ReadPalette(const Bytes& in, const Header& h) {
    std::vector<TColor> palette(h.paletteEntries);
    for (std::size_t i = 0; i < h.paletteEntries; ++i) {
        const std::uint8_t* e = in.data + h.paletteStart + i * h.paletteEntrySize;
        palette[i] = RGBColor(e[2], e[1], e[0]);
    }
    return palette;
}

// Decodes RLE8 or RLE4 data into the bitmap (whose rows are top-down; the data runs bottom-up).
// Pixels the data never reaches stay index 0. Returns false on data that ends before its end marker.
bool DecodeRle(const Bytes& in, std::size_t pos, TBitmap& bmp, bool four) {
    const int w = bmp.Width(), h = bmp.Height();
    int x = 0, y = 0;  // y counts rows from the bottom
    // x never grows past w, so hostile runs cannot overflow it.
    auto put = [&](int index) {
        if (x >= w) return;
        std::uint8_t* row = bmp.ScanLine(h - 1 - y);
        if (four) {
            std::uint8_t& b = row[x >> 1];
            b = (x & 1) ? std::uint8_t((b & 0xF0) | (index & 0x0F)) : std::uint8_t((b & 0x0F) | (index << 4));
        } else {
            row[x] = std::uint8_t(index);
        }
        ++x;
    };
    while (y < h) {
        if (!in.Has(pos, 2)) return false;
        const int count = in.data[pos], value = in.data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (int i = 0; i < count && x < w; ++i)
                put(four ? ((i & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        switch (value) {
        case 0:  // end of line
            x = 0;
            ++y;
            break;
        case 1:  // end of bitmap
            return true;
        case 2:  // move right and up
            if (!in.Has(pos, 2)) return false;
            x = std::min(w, x + in.data[pos]);
            y += in.data[pos + 1];
            pos += 2;
            break;
        default: {  // a literal run of value pixels, padded to a 16-bit boundary
            const std::size_t bytes = four ? (std::size_t(value) + 1) / 2 : std::size_t(value);
            if (!in.Has(pos, bytes)) return false;
            for (int i = 0; i < value && x < w; ++i) {
                const int b = in.data[pos + std::size_t(four ? i / 2 : i)];
                put(four ? ((i & 1) ? b & 0x0F : b >> 4) : b);
            }
            pos += bytes + (bytes & 1);
            break;
        }
        }
    }
    // Data that has run past the top row cannot draw anything more.
    return true;
}

bool Decode(const Bytes& in, const Header& h, TBitmap& bmp) {
    const int w = int(h.width), height = int(h.height);
    const int srcRowBytes = BitmapRowBytes(w, h.bitCount);
    auto srcRow = [&](int y) {  // y counts rows from the top of the image
        const int stored = h.topDown ? y : height - 1 - y;
        return in.data + h.pixelStart + std::size_t(stored) * std::size_t(srcRowBytes);
    };

    if (h.bitCount <= 8) {
        const TPixelFormat f = h.bitCount == 1 ? pf1bit : h.bitCount == 4 ? pf4bit : pf8bit;
        bmp.SetPixelFormat(f);
        bmp.SetSize(w, height);
        bmp.SetPalette(ReadPalette(in, h));
        if (h.compression == kRle8 || h.compression == kRle4)
            return DecodeRle(in, h.pixelStart, bmp, h.compression == kRle4);
        if (!in.Has(h.pixelStart, std::size_t(srcRowBytes) * std::size_t(height))) return false;
        for (int y = 0; y < height; ++y) std::memcpy(bmp.ScanLine(y), srcRow(y), std::size_t(srcRowBytes));
        return true;
    }

    if (!in.Has(h.pixelStart, std::size_t(srcRowBytes) * std::size_t(height))) return false;
    if (h.bitCount == 24) {
        bmp.SetPixelFormat(pf24bit);
        bmp.SetSize(w, height);
        for (int y = 0; y < height; ++y) std::memcpy(bmp.ScanLine(y), srcRow(y), std::size_t(srcRowBytes));
        return true;
    }

    const bool fields = h.compression == kBitFields || h.compression == kAlphaBitFields;
    std::uint32_t r = h.masks[0], g = h.masks[1], b = h.masks[2];
    if (!fields) {
        if (h.bitCount == 16)
            r = 0x7C00, g = 0x03E0, b = 0x001F;
        else
            r = 0xFF0000, g = 0x00FF00, b = 0x0000FF;
    }
    // Layouts that match a pixel format are copied as they are; any other layout is unpacked to 24 or 32
    // bits.
    TPixelFormat direct = pf24bit;
    bool copy = false;
    if (h.bitCount == 16 && r == 0x7C00 && g == 0x03E0 && b == 0x001F)
        direct = pf15bit, copy = true;
    else if (h.bitCount == 16 && r == 0xF800 && g == 0x07E0 && b == 0x001F)
        direct = pf16bit, copy = true;
    else if (h.bitCount == 32 && r == 0xFF0000 && g == 0x00FF00 && b == 0x0000FF)
        direct = pf32bit, copy = true;
    else if (h.bitCount == 32)
        direct = pf32bit;
    bmp.SetPixelFormat(direct);
    bmp.SetSize(w, height);
    if (copy) {
        for (int y = 0; y < height; ++y) std::memcpy(bmp.ScanLine(y), srcRow(y), std::size_t(srcRowBytes));
        return true;
    }
    const Channel cr(r), cg(g), cb(b);
    const int step = h.bitCount / 8;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* s = srcRow(y);
        std::uint8_t* d = bmp.ScanLine(y);
        const int out = direct == pf32bit ? 4 : 3;
        for (int x = 0; x < w; ++x, s += step, d += out) {
            const std::uint32_t px = step == 2 ? (std::uint32_t(s[0]) | std::uint32_t(s[1]) << 8)
                                               : (std::uint32_t(s[0]) | std::uint32_t(s[1]) << 8 |
                                                  std::uint32_t(s[2]) << 16 | std::uint32_t(s[3]) << 24);
            d[0] = std::uint8_t(cb.Get(px));
            d[1] = std::uint8_t(cg.Get(px));
            d[2] = std::uint8_t(cr.Get(px));
        }
    }
    return true;
}

void Put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
    Put16(p, v);
    Put16(p + 2, v >> 16);
}

}  // namespace

bool TBitmap::LoadFromStream(TStream& stream) {
    Clear();
    try {
        const std::int64_t start = stream.Position();
        const std::int64_t available = std::min(stream.Size() - start, kMaxFileBytes);
        if (available < 18) return false;
        std::vector<std::uint8_t> data(static_cast<std::size_t>(available));
        data.resize(std::size_t(stream.Read(data.data(), available)));
        Bytes in{data.data(), data.size()};
        Header h;
        TBitmap loaded;
        if (!ReadHeader(in, h) || !Decode(in, h, loaded)) return false;
        // Leave the stream after the image when its header tells the size, else after what was read.
        const std::size_t fileSize = in.U32(2);
        stream.SetPosition(
            start + std::int64_t(fileSize >= h.pixelStart && fileSize <= in.size ? fileSize : in.size));
        const bool keepTransparent = transparent_;
        const bool keepFixed = fixedTransparent_;
        const TColor keepColor = transparentColor_;
        *this = std::move(loaded);
        transparent_ = keepTransparent;
        fixedTransparent_ = keepFixed;
        transparentColor_ = keepColor;
        return true;
    } catch (const std::bad_alloc&) {
        Clear();
        return false;
    } catch (const EStreamError&) {
        Clear();
        return false;
    }
}

void TBitmap::SaveToStream(TStream& stream, int bitsPerPixel) const {
    const int bpp = bitsPerPixel == 32 ? 32 : 24;
    const int w = std::max(width_, 0), h = std::max(height_, 0);
    const int rowBytes = BitmapRowBytes(w, bpp);
    const std::uint32_t imageBytes = std::uint32_t(rowBytes) * std::uint32_t(h);
    std::uint8_t head[54] = {};
    head[0] = 'B';
    head[1] = 'M';
    Put32(head + 2, 54 + imageBytes);
    Put32(head + 10, 54);
    Put32(head + 14, 40);
    Put32(head + 18, std::uint32_t(w));
    Put32(head + 22, std::uint32_t(h));
    Put16(head + 26, 1);
    Put16(head + 28, std::uint32_t(bpp));
    Put32(head + 34, imageBytes);
    Put32(head + 38, 2835);  // 72 dpi
    Put32(head + 42, 2835);
    stream.WriteBuffer(head, sizeof head);
    std::vector<std::uint8_t> row(std::size_t(rowBytes), 0);
    for (int y = h - 1; y >= 0; --y) {
        const std::uint8_t* src = ScanLine(y);
        if ((bpp == 24 && format_ == pf24bit) || (bpp == 32 && format_ == pf32bit)) {
            // Only the pixels: the padding after them stays zero in the file.
            std::memcpy(row.data(), src, std::size_t(w) * std::size_t(bpp / 8));
        } else {
            for (int x = 0; x < w; ++x) {
                const TColor c = Pixel(x, y);
                std::uint8_t* d = row.data() + std::size_t(x) * std::size_t(bpp / 8);
                d[0] = std::uint8_t(GetBValue(c));
                d[1] = std::uint8_t(GetGValue(c));
                d[2] = std::uint8_t(GetRValue(c));
            }
        }
        stream.WriteBuffer(row.data(), rowBytes);
    }
}
