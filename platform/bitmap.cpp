// TBitmap: pixel storage, formats and conversion between them.
#include "platform/bitmap.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace {

// Largest pixel block a bitmap may hold; anything above is refused rather than allocated.
constexpr std::int64_t kMaxPixelBytes = std::int64_t(1) << 30;

class HeapStore final : public TBitmapStore {
public:
    explicit HeapStore(std::size_t bytes)
        : bits_(static_cast<std::uint8_t*>(std::malloc(bytes ? bytes : 1))) {
        if (!bits_) throw std::bad_alloc();
    }
    ~HeapStore() override { std::free(bits_); }
    HeapStore(const HeapStore&) = delete;
    HeapStore& operator=(const HeapStore&) = delete;
    std::uint8_t* Bits() override { return bits_; }

private:
    std::uint8_t* bits_;
};

std::unique_ptr<TBitmapStore> MakeHeapStore(int, int height, TPixelFormat, int rowBytes,
                                            const std::vector<TColor>&) {
    return std::make_unique<HeapStore>(std::size_t(rowBytes) * std::size_t(height));
}

TBitmapStoreFactory g_factory = nullptr;

// Content stamps: one counter for the whole process, so that no two bitmaps share one.
std::atomic<std::uint64_t> g_lastStamp{0};

int Expand5(int v) { return (v << 3) | (v >> 2); }
int Expand6(int v) { return (v << 2) | (v >> 4); }

int ColorDistance(TColor a, TColor b) {
    const int dr = GetRValue(a) - GetRValue(b);
    const int dg = GetGValue(a) - GetGValue(b);
    const int db = GetBValue(a) - GetBValue(b);
    return dr * dr + dg * dg + db * db;
}

int NearestIndex(const std::vector<TColor>& palette, TColor c) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < int(palette.size()); ++i) {
        const int d = ColorDistance(palette[std::size_t(i)], c);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
            if (d == 0) break;
        }
    }
    return best;
}

int PaletteSize(TPixelFormat f) {
    switch (f) {
    case pf1bit: return 2;
    case pf4bit: return 16;
    case pf8bit: return 256;
    default: return 0;
    }
}

// Reads pixel x of a row in the given format as $00BBGGRR.
TColor ReadPixel(const std::uint8_t* row, int x, TPixelFormat f, const std::vector<TColor>& palette) {
    auto fromPalette = [&](int index) {
        return index < int(palette.size()) ? (palette[std::size_t(index)] & 0xFFFFFF) : clBlack;
    };
    switch (f) {
    case pf1bit: return fromPalette((row[x >> 3] >> (7 - (x & 7))) & 1);
    case pf4bit: return fromPalette((x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4));
    case pf8bit: return fromPalette(row[x]);
    case pf15bit: {
        const int w = row[2 * x] | (row[2 * x + 1] << 8);
        return RGBColor(Expand5((w >> 10) & 31), Expand5((w >> 5) & 31), Expand5(w & 31));
    }
    case pf16bit: {
        const int w = row[2 * x] | (row[2 * x + 1] << 8);
        return RGBColor(Expand5((w >> 11) & 31), Expand6((w >> 5) & 63), Expand5(w & 31));
    }
    case pf24bit: return RGBColor(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    case pf32bit: return RGBColor(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    }
    return clBlack;
}

void WritePixel(std::uint8_t* row, int x, TPixelFormat f, const std::vector<TColor>& palette, TColor c) {
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    switch (f) {
    case pf1bit: {
        const int bit = 7 - (x & 7);
        row[x >> 3] = std::uint8_t((row[x >> 3] & ~(1 << bit)) | ((NearestIndex(palette, c) & 1) << bit));
        break;
    }
    case pf4bit: {
        const int i = NearestIndex(palette, c) & 15;
        std::uint8_t& v = row[x >> 1];
        v = (x & 1) ? std::uint8_t((v & 0xF0) | i) : std::uint8_t((v & 0x0F) | (i << 4));
        break;
    }
    case pf8bit: row[x] = std::uint8_t(NearestIndex(palette, c)); break;
    case pf15bit: {
        const int w = ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3);
        row[2 * x] = std::uint8_t(w);
        row[2 * x + 1] = std::uint8_t(w >> 8);
        break;
    }
    case pf16bit: {
        const int w = ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
        row[2 * x] = std::uint8_t(w);
        row[2 * x + 1] = std::uint8_t(w >> 8);
        break;
    }
    case pf24bit:
        row[3 * x] = std::uint8_t(b);
        row[3 * x + 1] = std::uint8_t(g);
        row[3 * x + 2] = std::uint8_t(r);
        break;
    case pf32bit:
        row[4 * x] = std::uint8_t(b);
        row[4 * x + 1] = std::uint8_t(g);
        row[4 * x + 2] = std::uint8_t(r);
        row[4 * x + 3] = 0;
        break;
    }
}

}  // namespace

int BitsPerPixel(TPixelFormat format) {
    switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    }
    return 24;
}

int BitmapRowBytes(int width, int bitsPerPixel) {
    return int(((std::int64_t(width) * bitsPerPixel + 31) / 32) * 4);
}

std::vector<TColor> DefaultPalette(TPixelFormat format) {
    switch (format) {
    case pf1bit: return {clBlack, clWhite};
    case pf4bit:
        return {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
                0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    case pf8bit: {
        // 3-3-2 colour cube: red and green in 8 steps, blue in 4.
        std::vector<TColor> p(256);
        for (int i = 0; i < 256; ++i)
            p[std::size_t(i)] = RGBColor((i & 7) * 255 / 7, ((i >> 3) & 7) * 255 / 7, (i >> 6) * 255 / 3);
        return p;
    }
    default: return {};
    }
}

TBitmapStoreFactory SetBitmapStoreFactory(TBitmapStoreFactory factory) {
    return std::exchange(g_factory, factory);
}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format) {
    if (width > 0 && height > 0) Allocate(width, height, format, DefaultPalette(format));
}

TBitmap::TBitmap(int width, int height, TPixelFormat format, TUncleared) : format_(format) {
    if (width > 0 && height > 0) Allocate(width, height, format, DefaultPalette(format), false);
}

TBitmap::~TBitmap() = default;

TBitmap::TBitmap(TBitmap&& other) noexcept { *this = std::move(other); }

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
    if (this != &other) {
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        rowBytes_ = std::exchange(other.rowBytes_, 0);
        format_ = other.format_;
        palette_ = std::move(other.palette_);
        store_ = std::move(other.store_);
        stamp_ = std::exchange(other.stamp_, ++g_lastStamp);
        transparent_ = other.transparent_;
        fixedTransparent_ = other.fixedTransparent_;
        transparentColor_ = other.transparentColor_;
    }
    return *this;
}

void TBitmap::Touch() { stamp_ = ++g_lastStamp; }

void TBitmap::Allocate(int width, int height, TPixelFormat format, std::vector<TColor> palette, bool clear) {
    const int bpp = BitsPerPixel(format);
    const int rowBytes = BitmapRowBytes(width, bpp);
    if (width > 0 && height > 0 && std::int64_t(rowBytes) * height > kMaxPixelBytes) throw std::bad_alloc();
    Touch();
    store_.reset();
    width_ = height_ = rowBytes_ = 0;
    format_ = format;
    palette_ = std::move(palette);
    if (width <= 0 || height <= 0) return;
    const TBitmapStoreFactory make = g_factory ? g_factory : &MakeHeapStore;
    store_ = make(width, height, format, rowBytes, palette_);
    if (!store_) throw std::bad_alloc();
    width_ = width;
    height_ = height;
    rowBytes_ = rowBytes;
    if (clear) std::memset(store_->Bits(), 0, std::size_t(rowBytes) * std::size_t(height));
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    TBitmap old(std::move(*this));
    Allocate(width, height, old.format_, old.palette_.empty() ? DefaultPalette(old.format_) : old.palette_);
    transparent_ = old.transparent_;
    fixedTransparent_ = old.fixedTransparent_;
    transparentColor_ = old.transparentColor_;
    if (Empty() || old.Empty()) return;
    // Exactly the overlapping pixels: row padding may hold anything.
    const int bits = std::min(width_, old.width_) * BitsPerPixel(format_);
    const int rows = std::min(height_, old.height_);
    for (int y = 0; y < rows; ++y) {
        std::uint8_t* dst = ScanLine(y);
        const std::uint8_t* src = old.ScanLine(y);
        std::memcpy(dst, src, std::size_t(bits / 8));
        if (bits % 8) {
            const std::uint8_t mask = std::uint8_t(0xFF << (8 - bits % 8));
            dst[bits / 8] = std::uint8_t((dst[bits / 8] & ~mask) | (src[bits / 8] & mask));
        }
    }
}

void TBitmap::Clear() {
    Touch();
    store_.reset();
    width_ = height_ = rowBytes_ = 0;
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == format_) return;
    if (Empty()) {
        format_ = format;
        palette_ = DefaultPalette(format);
        return;
    }
    TBitmap old(std::move(*this));
    std::vector<TColor> palette = DefaultPalette(format);
    // A palette that fits the new format is kept (8-bit to 8-bit with more entries needs no quantising).
    if (!old.palette_.empty() && int(old.palette_.size()) <= PaletteSize(format)) palette = old.palette_;
    Allocate(old.width_, old.height_, format, std::move(palette), false);
    transparent_ = old.transparent_;
    fixedTransparent_ = old.fixedTransparent_;
    transparentColor_ = old.transparentColor_;
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t* src = old.ScanLine(y);
        std::uint8_t* dst = ScanLine(y);
        if (old.format_ == pf24bit && format_ == pf32bit) {
            for (int x = 0; x < width_; ++x) {
                dst[4 * x] = src[3 * x];
                dst[4 * x + 1] = src[3 * x + 1];
                dst[4 * x + 2] = src[3 * x + 2];
            }
        } else if (old.format_ == pf32bit && format_ == pf24bit) {
            for (int x = 0; x < width_; ++x) {
                dst[3 * x] = src[4 * x];
                dst[3 * x + 1] = src[4 * x + 1];
                dst[3 * x + 2] = src[4 * x + 2];
            }
        } else {
            for (int x = 0; x < width_; ++x)
                WritePixel(dst, x, format_, palette_, ReadPixel(src, x, old.format_, old.palette_));
        }
    }
}

std::uint8_t* TBitmap::Bits() {
    if (!store_) return nullptr;
    Touch();  // the caller may write
    store_->Sync();
    return store_->Bits();
}

const std::uint8_t* TBitmap::Bits() const {
    if (!store_) return nullptr;
    store_->Sync();
    return store_->Bits();
}

std::uint8_t* TBitmap::ScanLine(int y) {
    if (!store_ || y < 0 || y >= height_) return nullptr;
    return Bits() + std::size_t(y) * std::size_t(rowBytes_);
}

const std::uint8_t* TBitmap::ScanLine(int y) const {
    if (!store_ || y < 0 || y >= height_) return nullptr;
    return Bits() + std::size_t(y) * std::size_t(rowBytes_);
}

TColor TBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return clBlack;
    return ReadPixel(ScanLine(y), x, format_, palette_);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    WritePixel(ScanLine(y), x, format_, palette_, color);
}

void TBitmap::Fill(TColor color) {
    if (Empty()) return;
    std::uint8_t* first = ScanLine(0);
    for (int x = 0; x < width_; ++x) WritePixel(first, x, format_, palette_, color);
    for (int y = 1; y < height_; ++y) std::memcpy(ScanLine(y), first, std::size_t(rowBytes_));
}

void TBitmap::SetPalette(std::vector<TColor> palette) {
    const int limit = PaletteSize(format_);
    if (limit == 0) return;
    if (int(palette.size()) > limit) palette.resize(std::size_t(limit));
    palette_ = std::move(palette);
    Touch();
    if (store_) store_->PaletteChanged(palette_);
}

TColor TBitmap::TransparentColor() const {
    if (fixedTransparent_) return transparentColor_;
    if (Empty()) return clDefault;
    return Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
    fixedTransparent_ = color != clDefault;
    transparentColor_ = color;
}

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this) return;
    Allocate(source.width_, source.height_, source.format_, source.palette_, false);
    transparent_ = source.transparent_;
    fixedTransparent_ = source.fixedTransparent_;
    transparentColor_ = source.transparentColor_;
    if (!Empty()) std::memcpy(Bits(), source.Bits(), std::size_t(rowBytes_) * std::size_t(height_));
}

void TBitmap::Rehome(TBitmapStoreFactory factory) {
    if (Empty() || !factory) return;
    std::unique_ptr<TBitmapStore> next = factory(width_, height_, format_, rowBytes_, palette_);
    if (!next) return;
    std::memcpy(next->Bits(), Bits(), std::size_t(rowBytes_) * std::size_t(height_));
    store_ = std::move(next);
}

bool TBitmap::LoadFromFile(const std::filesystem::path& fileName) {
    try {
        TFileStream stream(fileName, fmOpenRead);
        return LoadFromStream(stream);
    } catch (const EStreamError&) {
        Clear();
        return false;
    }
}

void TBitmap::SaveToFile(const std::filesystem::path& fileName, int bitsPerPixel) const {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream, bitsPerPixel);
}
