// ImgUtil: the pixel rules of the skin-image routines, on in-memory bitmaps.
//
// Every routine that the skinners call with a device context has its pixel side here, working on a 24- or
// 32-bit TBitmap that stands for the dc (the Windows build copies the result to the real dc in one blit,
// see skin/imaging/win/img_gdi.h). Source images may have any pixel format.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/bitmap.h"
#include "platform/types.h"

// Pixels of exactly this colour are transparent in skin images.
constexpr TColor SkinKeyColor = 0x00FF00FF;

// ---- Colours

// The colour of system colour index nn ($FF0000nn). A fixed table of the classic scheme answers until the
// Windows side installs the platform's colours (UseSystemColors, skin/imaging/win/img_gdi.h).
// SetSysColorFunc replaces the source (tests pin it; nullptr is the classic table) and returns the old.
using SysColorFunc = TColor (*)(int index);
SysColorFunc SetSysColorFunc(SysColorFunc func);
// A system colour becomes its current value; any other value is returned unchanged. Every routine here that
// takes a TColor resolves it first, before any arithmetic or platform call.
TColor ResolveColor(TColor color);

// ---- Skin strips

// One frame of a skin strip: origin and size in the strip image.
struct SkinFrame {
    int x0 = 0;
    int y0 = 0;
    int fw = 0;
    int fh = 0;
};
// Frame I (from 1) of N. False when N < 1 or the strip is empty (nothing is drawn from it then).
bool SkinFrameOf(const TBitmap& strip, int I, int N, bool vertical, SkinFrame& frame);

// Copies the source rectangle of src onto the destination rectangle of dest, dropping or repeating whole
// rows and columns (no smoothing). Destination pixel j of a span of dw takes source pixel j * sw div dw.
// Parts that fall outside either bitmap are skipped. dest must be pf24bit or pf32bit.
void StretchCopy(TBitmap& dest, const TRect& destRect, const TBitmap& src, const TRect& srcRect);
// Unscaled copy of all of src to (x, y) of dest, clipped.
void CopyOpaque(TBitmap& dest, int x, int y, const TBitmap& src);

// ---- Skin-image composition

// Nine-slice composition of frame I of N into a new 24-bit bitmap of r's size. Margins are widths
// (Left, Top, Right, Bottom). Tile: the centre is tiled rather than stretched. A new bitmap always comes back
// (zero-sized for an empty r, blank when there is no frame to draw from).
std::unique_ptr<TBitmap> MakeSkinBitmap(const TRect& r, const TBitmap& image, const TRect& margins, int I,
                                        int N, int Tile, int vertical);
// Tiles the source rectangle of src over dest from destRect's top-left corner; the last tiles are not cut
// at destRect (only dest's edges clip them).
void TileBitmapRect(TBitmap& canvas, const TRect& destRect, const TBitmap& src, const TRect& srcRect);
void DrawSkinRect(TBitmap& dc, const TRect& r, const TBitmap& image, const TRect& margins, int I, int N,
                  int trans, int Tile, int vertical);
void DrawSkinBar(TBitmap& canvas, const TRect& r, const TBitmap& image, const TRect& margins, int I, int N,
                 int trans, int vertical);
void StretchSkinBar(TBitmap& dc, const TRect& r, const TBitmap& image, const TRect& margins, int I, int N,
                    int Tile, int vertical);
void DrawSkinCell(TBitmap& dc, const TRect& r, const TBitmap& image, int I, int N, int trans);
void DrawSkinCellCentered(TBitmap& dc, const TRect& r, const TBitmap& image, int I, int N, int trans);
// Copies r's size from bmp's top-left corner to r, leaving dest pixels where bmp holds the key exactly.
void DrawKeyedBitmap(TBitmap& dc, const TRect& r, const TBitmap& bmp, TColor key);

// The composed images that the dc routines above copy, so that a dc-based caller can blit them itself.
// Each returns the bitmap and where its top-left corner goes; nullptr when nothing is drawn.
struct PlacedBitmap {
    std::unique_ptr<TBitmap> bitmap;
    int x = 0;
    int y = 0;
    bool keyed = false;  // copy leaving SkinKeyColor pixels out
};
PlacedBitmap ComposeSkinRect(const TRect& r, const TBitmap& image, const TRect& margins, int I, int N,
                             int trans, int Tile, int vertical);
PlacedBitmap ComposeSkinBar(const TRect& r, const TBitmap& image, const TRect& margins, int I, int N,
                            int trans, int vertical);
PlacedBitmap ComposeSkinCell(const TRect& r, const TBitmap& image, int I, int N, int trans);
PlacedBitmap ComposeSkinCellCentered(const TRect& r, const TBitmap& image, int I, int N, int trans);
// StretchSkinBar's pieces, in drawing order, each already at its destination size.
std::vector<PlacedBitmap> ComposeStretchSkinBar(const TRect& r, const TBitmap& image, const TRect& margins,
                                                int I, int N, int vertical);

// ---- Colour-key regions

// The platform's region-data block: a 32-byte header (size 32, type 1, count, buffer size 0, bounding
// rectangle) and then 16 bytes per rectangle, as 32-bit little-endian integers in memory order.
class RegionBlock {
public:
    static constexpr int kGrowth = 500;  // rectangles added each time the block is full
    static constexpr int kBatch = 2000;  // rectangles per region creation

    RegionBlock();
    int Count() const { return Field(2); }
    int Capacity() const { return capacity_; }
    TRect Bound() const { return {Field(4), Field(5), Field(6), Field(7)}; }
    TRect RectAt(int i) const;
    // The block as the platform takes it, and its size in bytes (32 + 16 x capacity).
    const void* Data() const { return words_.data(); }
    int ByteSize() const { return 32 + 16 * capacity_; }

    void Add(const TRect& rect);
    void Reset();  // count 0, bounding rectangle back to (MAXLONG, MAXLONG, 0, 0)

private:
    int Field(int i) const { return int(words_[std::size_t(i)]); }
    std::vector<std::int32_t> words_;
    int capacity_ = 0;
};

// Scans bmp (converted to 32 bits per pixel in place) for runs of pixels that are not the key, within the
// per-channel tolerances, and hands full blocks of kBatch rectangles, then the rest, to flush. The last call
// always comes, with a count of 0 for a bitmap without opaque pixels. Rectangles are shifted by the offsets.
void ScanColorKeyRegion(TBitmap& bmp, int xOffset, int yOffset, TColor key, int redTolerance,
                        int greenTolerance, int blueTolerance,
                        const std::function<void(const RegionBlock&)>& flush);
// The same scan, collected into one list (for tests and tools).
std::vector<TRect> ColorKeyRects(TBitmap& bmp, int xOffset, int yOffset, TColor key, int redTolerance,
                                 int greenTolerance, int blueTolerance);

// ---- Colour arithmetic

// Mixes w percent of A with the rest of B for w below 100, and w per mille from 100 up.
TColor BlendColors(TColor A, TColor B, int w);
// 0..255; 200 for any colour whose three channels are all below 160.
int ColorSaturation(TColor c);

constexpr int kGradientSlots = 16;
struct GradientTables {
    std::array<std::vector<TColor>, kGradientSlots> slots;
    int next = 0;  // the slot the next table overwrites
};
// The process-wide cache; tables live until the program ends.
GradientTables& GradientCache();
// Each raises EAssertionFailed for a count of 0 or less.
int MakeGradient(int count, TColor c1, TColor c2);
int FindGradient(int count, TColor c1, TColor c2);
int GetGradient(int count, TColor c1, TColor c2);
// Fills r with a gradient from c1 to c2 (orientation 0 left to right, 1 top to bottom), painting only the
// bands inside clipBox (dc's bounds when nullptr); the colours never depend on the clipping.
void FillGradientRect(TBitmap& dc, const TRect& r, TColor c1, TColor c2, int orientation,
                      const TRect* clipBox = nullptr);
// The band range FillGradientRect paints: first and last offsets along the axis, with n the full length.
// False when nothing is painted.
bool GradientBands(const TRect& r, const TRect& clipBox, int orientation, int& n, int& first, int& last);

// ---- Whole-bitmap transforms

void ReplaceKeyColor(TBitmap& bmp, TColor color);
// Mirror, flip and the rotations keep the bitmap's pixel format, whatever it is.
void MirrorBitmap(TBitmap& bmp);
void FlipBitmap(TBitmap& bmp);
void RotateBitmapLeft(TBitmap& bmp);
void RotateBitmapRight(TBitmap& bmp);
void CloneBitmap(const TBitmap& source, TBitmap& dest);
// The embossed look of a disabled glyph: button-highlight one pixel down and right of every black glyph
// pixel, button-shadow on it, on a button-face background. 24 bits per pixel.
std::unique_ptr<TBitmap> MakeDisabledGlyph(const TBitmap& glyph);

// ---- Small drawing aids

// A system colour paints its current value.
void FillColorRect(TBitmap& dc, const TRect& r, TColor color);
// Where DrawTextCentered puts text of the measured size inside r, and its text format flags.
TRect CenteredTextRect(const TRect& r, int measuredWidth, int measuredHeight);
unsigned TextAlignFlags(int alignment);  // 0 left, 1 right, 2 centre, plus single line and tab expansion
// The pen segments of an arrow glyph (each from From to To, the end point not drawn); none for other kinds.
struct ArrowStroke {
    TPoint From;
    TPoint To;
};
std::vector<ArrowStroke> ArrowGlyphStrokes(int x, int y, int kind);
