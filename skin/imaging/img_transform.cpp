// ImgUtil: colour-key regions and whole-bitmap transforms (key colour, mirror, flip, rotate, clone, emboss).
#include <algorithm>
#include <climits>
#include <cstring>

#include "skin/imaging/img_util.h"

// ---- RegionBlock

namespace {
constexpr int kHeaderWords = 8;
constexpr std::int32_t kMaxLong = INT32_MAX;
}  // namespace

RegionBlock::RegionBlock() : words_(kHeaderWords + 4 * kGrowth, 0), capacity_(kGrowth) {
    words_[0] = 32;  // header size
    words_[1] = 1;   // rectangles
    Reset();
}

void RegionBlock::Reset() {
    words_[2] = 0;
    words_[3] = 0;
    words_[4] = kMaxLong;
    words_[5] = kMaxLong;
    words_[6] = 0;
    words_[7] = 0;
}

TRect RegionBlock::RectAt(int i) const {
    const std::size_t at = std::size_t(kHeaderWords + 4 * i);
    return {int(words_[at]), int(words_[at + 1]), int(words_[at + 2]), int(words_[at + 3])};
}

void RegionBlock::Add(const TRect& rect) {
    const int count = Count();
    if (count == capacity_) {
        capacity_ += kGrowth;
        words_.resize(std::size_t(kHeaderWords + 4 * capacity_), 0);
    }
    const std::size_t at = std::size_t(kHeaderWords + 4 * count);
    words_[at] = rect.Left;
    words_[at + 1] = rect.Top;
    words_[at + 2] = rect.Right;
    words_[at + 3] = rect.Bottom;
    words_[2] = count + 1;
    words_[4] = std::min(words_[4], std::int32_t(rect.Left));
    words_[5] = std::min(words_[5], std::int32_t(rect.Top));
    words_[6] = std::max(words_[6], std::int32_t(rect.Right));
    words_[7] = std::max(words_[7], std::int32_t(rect.Bottom));
}

void ScanColorKeyRegion(TBitmap& bmp, int xOffset, int yOffset, TColor key, int redTolerance,
                        int greenTolerance, int blueTolerance,
                        const std::function<void(const RegionBlock&)>& flush) {
    RegionBlock block;
    if (!bmp.Empty()) {
        bmp.SetPixelFormat(pf32bit);
        // One table per channel: bit 0 of red, bit 1 of green, bit 2 of blue say "within the key range".
        std::uint8_t inRange[256] = {};
        auto mark = [&](int lo, int tolerance, int bit) {
            const int hi = std::min(255, lo + tolerance);
            for (int v = lo; v <= hi; ++v) inRange[v] |= std::uint8_t(1 << bit);
        };
        mark(GetRValue(key), redTolerance, 0);
        mark(GetGValue(key), greenTolerance, 1);
        mark(GetBValue(key), blueTolerance, 2);
        const int w = bmp.Width();
        const std::uint8_t* bits = bmp.Bits();
        for (int y = 0; y < bmp.Height(); ++y) {
            const std::uint8_t* row = bits + std::size_t(y) * std::size_t(bmp.RowBytes());
            auto isKey = [&](int x) {
                const std::uint8_t* p = row + 4 * x;
                return ((inRange[p[2]] & 1) & (inRange[p[1]] >> 1) & (inRange[p[0]] >> 2)) != 0;
            };
            int x = 0;
            while (x < w) {
                while (x < w && isKey(x)) ++x;
                if (x >= w) break;
                const int x0 = x;
                while (x < w && !isKey(x)) ++x;
                // The header's bounding rectangle takes the shifted coordinates, as the rectangles do.
                block.Add(Rect(x0 + xOffset, y + yOffset, x + xOffset, y + 1 + yOffset));
                if (block.Count() == RegionBlock::kBatch) {
                    flush(block);
                    block.Reset();
                }
            }
        }
    }
    flush(block);
}

std::vector<TRect> ColorKeyRects(TBitmap& bmp, int xOffset, int yOffset, TColor key, int redTolerance,
                                 int greenTolerance, int blueTolerance) {
    std::vector<TRect> rects;
    ScanColorKeyRegion(bmp, xOffset, yOffset, key, redTolerance, greenTolerance, blueTolerance,
                       [&](const RegionBlock& b) {
                           for (int i = 0; i < b.Count(); ++i) rects.push_back(b.RectAt(i));
                       });
    return rects;
}

// ---- Transforms

namespace {

// A pixel's raw value (palette index or packed bytes), for moving pixels without changing their format.
std::uint32_t RawPixel(const std::uint8_t* row, int x, int bpp) {
    switch (bpp) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    case 8: return row[x];
    case 16: return std::uint32_t(row[2 * x]) | std::uint32_t(row[2 * x + 1]) << 8;
    case 24:
        return std::uint32_t(row[3 * x]) | std::uint32_t(row[3 * x + 1]) << 8 |
               std::uint32_t(row[3 * x + 2]) << 16;
    default: {
        std::uint32_t v;
        std::memcpy(&v, row + 4 * x, 4);
        return v;
    }
    }
}

void SetRawPixel(std::uint8_t* row, int x, int bpp, std::uint32_t v) {
    switch (bpp) {
    case 1: {
        const int bit = 7 - (x & 7);
        row[x >> 3] = std::uint8_t((row[x >> 3] & ~(1 << bit)) | ((v & 1) << bit));
        break;
    }
    case 4: {
        std::uint8_t& b = row[x >> 1];
        b = (x & 1) ? std::uint8_t((b & 0xF0) | (v & 0x0F)) : std::uint8_t((b & 0x0F) | ((v & 0x0F) << 4));
        break;
    }
    case 8: row[x] = std::uint8_t(v); break;
    case 16:
        row[2 * x] = std::uint8_t(v);
        row[2 * x + 1] = std::uint8_t(v >> 8);
        break;
    case 24:
        row[3 * x] = std::uint8_t(v);
        row[3 * x + 1] = std::uint8_t(v >> 8);
        row[3 * x + 2] = std::uint8_t(v >> 16);
        break;
    default: std::memcpy(row + 4 * x, &v, 4); break;
    }
}

// Builds a bitmap of the given size in bmp's format and palette from a pixel mapping, then takes its image.
template <class Map>
void Remap(TBitmap& bmp, int newWidth, int newHeight, Map sourceOf) {
    if (bmp.Empty()) return;
    const int bpp = BitsPerPixel(bmp.PixelFormat());
    TBitmap out(newWidth, newHeight, bmp.PixelFormat());
    out.SetPalette(bmp.Palette());
    for (int y = 0; y < newHeight; ++y) {
        std::uint8_t* row = out.ScanLine(y);
        for (int x = 0; x < newWidth; ++x) {
            const TPoint s = sourceOf(x, y);
            SetRawPixel(row, x, bpp, RawPixel(bmp.ScanLine(s.Y), s.X, bpp));
        }
    }
    const bool transparent = bmp.Transparent();
    const bool fixed = bmp.HasFixedTransparentColor();
    const TColor color = bmp.TransparentColor();
    bmp = std::move(out);
    bmp.SetTransparent(transparent);
    if (fixed) bmp.SetTransparentColor(color);
}

}  // namespace

void ReplaceKeyColor(TBitmap& bmp, TColor replacement) {
    const TColor color = ResolveColor(replacement);
    bmp.SetPixelFormat(pf24bit);
    const std::uint8_t r = std::uint8_t(GetRValue(color)), g = std::uint8_t(GetGValue(color)),
                       b = std::uint8_t(GetBValue(color));
    for (int y = 0; y < bmp.Height(); ++y) {
        std::uint8_t* p = bmp.ScanLine(y);
        for (int x = 0; x < bmp.Width(); ++x, p += 3) {
            if (p[2] == 255 && p[1] == 0 && p[0] == 255) {
                p[0] = b;
                p[1] = g;
                p[2] = r;
            }
        }
    }
}

void MirrorBitmap(TBitmap& bmp) {
    const int w = bmp.Width();
    Remap(bmp, w, bmp.Height(), [w](int x, int y) { return TPoint{w - 1 - x, y}; });
}

void FlipBitmap(TBitmap& bmp) {
    const int h = bmp.Height();
    Remap(bmp, bmp.Width(), h, [h](int x, int y) { return TPoint{x, h - 1 - y}; });
}

void RotateBitmapLeft(TBitmap& bmp) {
    // Counter-clockwise: the old top edge becomes the new left edge.
    const int w = bmp.Width();
    Remap(bmp, bmp.Height(), w, [w](int x, int y) { return TPoint{w - 1 - y, x}; });
}

void RotateBitmapRight(TBitmap& bmp) {
    // Clockwise: the old left edge becomes the new top edge.
    const int h = bmp.Height();
    Remap(bmp, h, bmp.Width(), [h](int x, int y) { return TPoint{y, h - 1 - x}; });
}

void CloneBitmap(const TBitmap& source, TBitmap& dest) {
    if (&source == &dest) return;
    dest.SetPixelFormat(source.PixelFormat());
    dest.SetSize(source.Width(), source.Height());
    if (dest.Empty()) return;
    if (!source.Palette().empty()) dest.SetPalette(source.Palette());
    // Drawing the source honours its transparency, as a canvas draw does.
    if (source.Transparent()) {
        const TColor key = source.TransparentColor();
        for (int y = 0; y < source.Height(); ++y)
            for (int x = 0; x < source.Width(); ++x) {
                const TColor c = source.Pixel(x, y);
                if (c != (key & 0xFFFFFF)) dest.SetPixel(x, y, c);
            }
        return;
    }
    for (int y = 0; y < source.Height(); ++y)
        std::memcpy(dest.ScanLine(y), source.ScanLine(y), std::size_t(source.RowBytes()));
}

std::unique_ptr<TBitmap> MakeDisabledGlyph(const TBitmap& glyph) {
    const int w = glyph.Width(), h = glyph.Height();
    auto result = std::make_unique<TBitmap>(w, h, pf24bit);
    if (result->Empty()) return result;
    result->Fill(ResolveColor(clBtnFace));
    const TColor highlight = ResolveColor(clBtnHighlight), shadow = ResolveColor(clBtnShadow);
    std::vector<std::uint8_t> mask(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            mask[std::size_t(y) * std::size_t(w) + std::size_t(x)] = glyph.Pixel(x, y) == clBlack;
    auto paint = [&](int dx, int dy, TColor c) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (mask[std::size_t(y) * std::size_t(w) + std::size_t(x)])
                    result->SetPixel(x + dx, y + dy, c);
    };
    paint(1, 1, highlight);
    paint(0, 0, shadow);
    return result;
}
