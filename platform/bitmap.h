// TBitmap: an image whose pixels live in memory we own, with BMP loading and saving.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/stream.h"
#include "platform/types.h"

// Bits per pixel of a bitmap. pf15bit is 16-bit 5-5-5, pf16bit is 16-bit 5-6-5. The palette formats
// (pf1bit, pf4bit, pf8bit) index Palette(). Drawing targets are pf24bit or pf32bit.
enum TPixelFormat { pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

int BitsPerPixel(TPixelFormat format);

// Where a bitmap's pixels live. The default store is a plain heap block; the Windows build installs a
// factory that makes DIB sections, so GDI draws into the very memory that ScanLine returns.
class TBitmapStore {
public:
    virtual ~TBitmapStore() = default;
    virtual std::uint8_t* Bits() = 0;
    // Called before the pixels are read or written directly (GDI may batch its drawing).
    virtual void Sync() {}
    virtual void PaletteChanged(const std::vector<TColor>& palette) {}
};

// Makes a store of height rows of rowBytes each (top row first), with the given palette (palette formats
// only). Its content may be anything: TBitmap clears it when it must. Returns nullptr when it cannot.
using TBitmapStoreFactory = std::unique_ptr<TBitmapStore> (*)(int width, int height, TPixelFormat format,
                                                              int rowBytes,
                                                              const std::vector<TColor>& palette);
// The factory that new bitmaps use; nullptr restores the heap store. Returns the previous one.
TBitmapStoreFactory SetBitmapStoreFactory(TBitmapStoreFactory factory);

// Asks for a new bitmap whose pixels the caller will overwrite entirely, so they need not be cleared first.
struct TUncleared {};

class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height, TPixelFormat format = pf24bit);
    TBitmap(int width, int height, TPixelFormat format, TUncleared);
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    TBitmap(TBitmap&& other) noexcept;
    TBitmap& operator=(TBitmap&& other) noexcept;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Resizing keeps the pixels of the overlapping top-left area; new pixels are zero (black, or palette
    // entry 0). A width or height of 0 or less leaves an empty bitmap.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    // Frees the pixels; the pixel format and transparency settings stay.
    void Clear();

    TPixelFormat PixelFormat() const { return format_; }
    // Converts the pixels to the new format. Converting to a palette format without a palette of that
    // size picks the nearest colour of a default palette.
    void SetPixelFormat(TPixelFormat format);

    // Rows are stored top-down: ScanLine(0) is the top row. Each row is RowBytes() long (a multiple of 4).
    // The pointers stay valid until the size, pixel format or content is replaced.
    std::uint8_t* ScanLine(int y);
    const std::uint8_t* ScanLine(int y) const;
    int RowBytes() const { return rowBytes_; }
    std::uint8_t* Bits();
    const std::uint8_t* Bits() const;

    // One pixel as $00BBGGRR, for any pixel format; outside the bitmap it reads clBlack and writes nothing.
    // SetPixel on a palette format stores the nearest palette entry.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    // Fills the whole bitmap with one colour (system colours are not resolved here).
    void Fill(TColor color);

    // The colour table of pf1bit, pf4bit and pf8bit bitmaps ($00BBGGRR entries).
    const std::vector<TColor>& Palette() const { return palette_; }
    void SetPalette(std::vector<TColor> palette);

    // Transparency for drawing: with no fixed colour set, the bottom-left pixel is the transparent colour.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value) { transparent_ = value; }
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);  // clDefault goes back to the bottom-left pixel
    bool HasFixedTransparentColor() const { return fixedTransparent_; }

    // A copy of source's image, format, palette and transparency (an empty source empties this one).
    void Assign(const TBitmap& source);

    // BMP reading: false, with the bitmap left empty, when the data is not a BMP this loader accepts.
    // It never reads or writes outside the stream's bytes or its own pixels.
    bool LoadFromStream(TStream& stream);
    bool LoadFromFile(const std::filesystem::path& fileName);
    // BMP writing at 24 or 32 bits per pixel (other values write 24). Stream errors propagate.
    void SaveToStream(TStream& stream, int bitsPerPixel = 24) const;
    void SaveToFile(const std::filesystem::path& fileName, int bitsPerPixel = 24) const;

    // A number that changes whenever the pixels may change (any writable access to them, a new size, format
    // or palette) and that no other bitmap of the process ever shows: the same stamp read twice means the
    // same pixels, so composed copies of them can be kept. Drawing through a dc handed out earlier is not
    // seen; the Windows build renews the stamp whenever it hands one out.
    std::uint64_t ContentStamp() const { return stamp_; }
    void Touch();

    // The store behind the pixels (nullptr while empty). The Windows build reaches its DIB section here.
    TBitmapStore* Store() const { return store_.get(); }
    // Moves the pixels into a new store made by factory. The Windows build uses it once for a bitmap
    // made before its DIB factory was installed.
    void Rehome(TBitmapStoreFactory factory);

private:
    void Allocate(int width, int height, TPixelFormat format, std::vector<TColor> palette, bool clear = true);

    int width_ = 0;
    int height_ = 0;
    int rowBytes_ = 0;
    TPixelFormat format_ = pf24bit;
    std::vector<TColor> palette_;
    std::unique_ptr<TBitmapStore> store_;
    std::uint64_t stamp_ = 0;
    bool transparent_ = false;
    bool fixedTransparent_ = false;
    TColor transparentColor_ = clDefault;
};

// Bytes of one row of a bitmap of that width and bit depth, padded to a multiple of 4.
int BitmapRowBytes(int width, int bitsPerPixel);

// The default palettes that format conversion and new palette bitmaps use.
std::vector<TColor> DefaultPalette(TPixelFormat format);
