// ImgUtil: stretching, tiling, nine-slice composition and keyed copies on in-memory bitmaps.
#include "skin/imaging/img_util.h"

#include <algorithm>
#include <cstring>

namespace {

int BytesPerPixel(const TBitmap& b) { return b.PixelFormat() == pf32bit ? 4 : 3; }
bool IsDrawable(const TBitmap& b) { return b.PixelFormat() == pf24bit || b.PixelFormat() == pf32bit; }

// src in dest's pixel format: src itself when it already matches, else a converted copy kept in scratch.
const TBitmap& InFormat(const TBitmap& src, TPixelFormat format, TBitmap& scratch) {
    if (src.PixelFormat() == format) return src;
    scratch.Assign(src);
    scratch.SetPixelFormat(format);
    return scratch;
}

TPixelFormat DrawFormat(const TBitmap& dest) { return dest.PixelFormat() == pf32bit ? pf32bit : pf24bit; }

// Destination pixels are written through the pixel interface when dest is not a 24/32-bit surface.
void SlowStretch(TBitmap& dest, const TRect& d, const TBitmap& src, const TRect& s) {
    const int dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();
    for (int i = 0; i < dh; ++i) {
        const int y = d.Top + i, sy = s.Top + int(std::int64_t(i) * sh / dh);
        if (y < 0 || y >= dest.Height() || sy < 0 || sy >= src.Height()) continue;
        for (int j = 0; j < dw; ++j) {
            const int x = d.Left + j, sx = s.Left + int(std::int64_t(j) * sw / dw);
            if (x < 0 || x >= dest.Width() || sx < 0 || sx >= src.Width()) continue;
            dest.SetPixel(x, y, src.Pixel(sx, sy));
        }
    }
}

void StretchSameFormat(TBitmap& dest, const TRect& d, const TBitmap& src, const TRect& s) {
    const int dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();
    const int bpp = BytesPerPixel(dest);
    // Destination columns inside dest whose source column lies inside src.
    const int j0 = std::max(0, -d.Left), j1 = std::min(dw, dest.Width() - d.Left);
    if (j1 <= j0) return;
    std::vector<int> columns(std::size_t(j1 - j0));
    bool contiguous = sw == dw;  // a 1:1 span is copied row by row
    int first = -1, last = -1;   // the j range that maps inside src
    int inside = 0;
    for (int j = j0; j < j1; ++j) {
        const int sx = s.Left + int(std::int64_t(j) * sw / dw);
        const bool in = sx >= 0 && sx < src.Width();
        columns[std::size_t(j - j0)] = in ? sx * bpp : -1;
        if (in) {
            if (first < 0) first = j;
            last = j;
            ++inside;
        }
    }
    if (first < 0) return;
    // Rows may be repeated by copying the previous one only when that row was written across the span.
    const bool wholeSpan = inside == last - first + 1;
    const std::size_t spanBytes = std::size_t(last - first + 1) * std::size_t(bpp);
    const int firstSx = columns[std::size_t(first - j0)] / bpp;
    int prevSy = -1;
    std::uint8_t* prevRow = nullptr;
    std::uint8_t* destBits = dest.Bits();
    const std::uint8_t* srcBits = src.Bits();
    for (int i = 0; i < dh; ++i) {
        const int y = d.Top + i;
        if (y < 0) continue;
        if (y >= dest.Height()) break;
        const int sy = s.Top + int(std::int64_t(i) * sh / dh);
        if (sy < 0 || sy >= src.Height()) continue;
        std::uint8_t* out = destBits + std::size_t(y) * std::size_t(dest.RowBytes()) +
                            std::size_t(d.Left + first) * std::size_t(bpp);
        if (sy == prevSy && wholeSpan) {  // a repeated row: copy the one just made
            std::memcpy(out, prevRow, spanBytes);
            continue;
        }
        const std::uint8_t* in = srcBits + std::size_t(sy) * std::size_t(src.RowBytes());
        if (contiguous) {
            std::memcpy(out, in + std::size_t(firstSx) * std::size_t(bpp), spanBytes);
        } else if (bpp == 3) {
            for (int j = first; j <= last; ++j, out += 3) {
                const int off = columns[std::size_t(j - j0)];
                if (off < 0) continue;
                out[0] = in[off];
                out[1] = in[off + 1];
                out[2] = in[off + 2];
            }
            out -= spanBytes;
        } else {
            for (int j = first; j <= last; ++j, out += 4) {
                const int off = columns[std::size_t(j - j0)];
                if (off >= 0) std::memcpy(out, in + off, 4);
            }
            out -= spanBytes;
        }
        prevSy = sy;
        prevRow = out;
    }
}

// Repeats tile (dest's format) over dest from (left, top), whole tiles while they start inside
// [left, right) x [top, bottom); only dest's edges clip them.
void TileInto(TBitmap& dest, const TRect& area, const TBitmap& tile) {
    const int sw = tile.Width(), sh = tile.Height();
    const int W = area.Width(), H = area.Height();
    if (sw <= 0 || sh <= 0 || W <= 0 || H <= 0) return;
    const std::int64_t xEnd = area.Left + (std::int64_t(W) + sw - 1) / sw * sw;
    const std::int64_t yEnd = area.Top + (std::int64_t(H) + sh - 1) / sh * sh;
    const int x0 = std::max(0, area.Left), x1 = int(std::min<std::int64_t>(dest.Width(), xEnd));
    const int y0 = std::max(0, area.Top), y1 = int(std::min<std::int64_t>(dest.Height(), yEnd));
    if (x1 <= x0 || y1 <= y0) return;
    const int bpp = BytesPerPixel(dest);
    const std::size_t spanBytes = std::size_t(x1 - x0) * std::size_t(bpp);
    std::uint8_t* bits = dest.Bits();
    const std::uint8_t* tileBits = tile.Bits();
    const std::size_t stride = std::size_t(dest.RowBytes());
    for (int y = y0; y < y1; ++y) {
        std::uint8_t* out = bits + std::size_t(y) * stride + std::size_t(x0) * std::size_t(bpp);
        if (y - y0 >= sh) {  // the tile rows repeat: copy the row one tile height up
            std::memcpy(out, out - std::size_t(sh) * stride, spanBytes);
            continue;
        }
        const std::uint8_t* in = tileBits + std::size_t((y - area.Top) % sh) * std::size_t(tile.RowBytes());
        int x = x0;
        while (x < x1) {
            const int tx = (x - area.Left) % sw;
            const int n = std::min(sw - tx, x1 - x);
            std::memcpy(out, in + std::size_t(tx) * std::size_t(bpp), std::size_t(n) * std::size_t(bpp));
            out += std::size_t(n) * std::size_t(bpp);
            x += n;
        }
    }
}

void KeyedCopy(TBitmap& dest, int dx, int dy, const TBitmap& srcAny, int w, int h, TColor key) {
    TBitmap scratch;
    const TPixelFormat f = DrawFormat(dest);
    const TBitmap& src = InFormat(srcAny, f, scratch);
    w = std::min(w, src.Width());
    h = std::min(h, src.Height());
    const int bpp = f == pf32bit ? 4 : 3;
    const std::uint8_t kb = std::uint8_t(GetBValue(key)), kg = std::uint8_t(GetGValue(key)),
                       kr = std::uint8_t(GetRValue(key));
    const bool slow = !IsDrawable(dest);
    for (int y = std::max(0, -dy); y < h && y + dy < dest.Height(); ++y) {
        const std::uint8_t* in = src.ScanLine(y);
        std::uint8_t* out = slow ? nullptr : dest.ScanLine(y + dy);
        for (int x = std::max(0, -dx); x < w && x + dx < dest.Width(); ++x) {
            const std::uint8_t* p = in + std::size_t(x) * std::size_t(bpp);
            if (p[0] == kb && p[1] == kg && p[2] == kr) continue;
            if (slow)
                dest.SetPixel(x + dx, y + dy, RGBColor(p[2], p[1], p[0]));
            else
                std::memcpy(out + std::size_t(x + dx) * std::size_t(bpp), p, std::size_t(bpp));
        }
    }
}

void Place(TBitmap& dest, const PlacedBitmap& placed) {
    if (!placed.bitmap) return;
    if (placed.keyed)
        KeyedCopy(dest, placed.x, placed.y, *placed.bitmap, placed.bitmap->Width(), placed.bitmap->Height(),
                  SkinKeyColor);
    else
        CopyOpaque(dest, placed.x, placed.y, *placed.bitmap);
}

TRect ClampMargins(const TRect& m) {
    return {std::max(0, m.Left), std::max(0, m.Top), std::max(0, m.Right), std::max(0, m.Bottom)};
}

bool Inverted(const TRect& r) { return r.Right < r.Left || r.Bottom < r.Top; }

}  // namespace

bool SkinFrameOf(const TBitmap& strip, int I, int N, bool vertical, SkinFrame& frame) {
    if (N < 1 || strip.Empty()) return false;
    if (vertical) {
        frame.fw = strip.Width();
        frame.fh = strip.Height() / N;
        frame.x0 = 0;
        frame.y0 = int(std::int64_t(I - 1) * frame.fh);
    } else {
        frame.fw = strip.Width() / N;
        frame.fh = strip.Height();
        frame.x0 = int(std::int64_t(I - 1) * frame.fw);
        frame.y0 = 0;
    }
    return frame.fw > 0 && frame.fh > 0;
}

void StretchCopy(TBitmap& dest, const TRect& destRect, const TBitmap& src, const TRect& srcRect) {
    if (destRect.Width() <= 0 || destRect.Height() <= 0 || srcRect.Width() <= 0 || srcRect.Height() <= 0)
        return;
    if (dest.Empty() || src.Empty()) return;
    if (!IsDrawable(dest)) return SlowStretch(dest, destRect, src, srcRect);
    TBitmap scratch;
    StretchSameFormat(dest, destRect, InFormat(src, dest.PixelFormat(), scratch), srcRect);
}

void CopyOpaque(TBitmap& dest, int x, int y, const TBitmap& src) {
    StretchCopy(dest, Bounds(x, y, src.Width(), src.Height()), src, Rect(0, 0, src.Width(), src.Height()));
}

void TileBitmapRect(TBitmap& canvas, const TRect& destRect, const TBitmap& src, const TRect& srcRect) {
    const std::int64_t sw = srcRect.Width(), sh = srcRect.Height();
    if (sw < 0 || sh < 0 || sw * sh == 0 || canvas.Empty()) return;
    TBitmap tile(int(sw), int(sh), DrawFormat(canvas));
    StretchCopy(tile, Rect(0, 0, int(sw), int(sh)), src, srcRect);
    if (IsDrawable(canvas)) {
        TileInto(canvas, destRect, tile);
        return;
    }
    for (int x = destRect.Left; x < destRect.Right; x += int(sw))
        for (int y = destRect.Top; y < destRect.Bottom; y += int(sh)) CopyOpaque(canvas, x, y, tile);
}

std::unique_ptr<TBitmap> MakeSkinBitmap(const TRect& r, const TBitmap& image, const TRect& margins, int I,
                                        int N, int Tile, int vertical) {
    const int W = std::max(0, r.Width()), H = std::max(0, r.Height());
    SkinFrame f;
    if (W == 0 || H == 0 || !SkinFrameOf(image, I, N, vertical != 0, f))
        return std::make_unique<TBitmap>(W, H, pf24bit);
    const TRect m = ClampMargins(margins);
    int mL = m.Left, mT = m.Top, mR = m.Right, mB = m.Bottom;
    if (mL + mR > W) mL = mR = 0;
    if (mT + mB > H) mT = mB = 0;
    // Margins wider than the frame itself would read slices of negative width.
    if (mL + mR > f.fw) mL = mR = 0;
    if (mT + mB > f.fh) mT = mB = 0;
    // When every piece has source pixels the nine pieces cover the whole bitmap; only otherwise must it start
    // out blank.
    const bool covered = I >= 1 && I <= N && f.fw - mL - mR > 0 && f.fh - mT - mB > 0;
    auto result = covered ? std::make_unique<TBitmap>(W, H, pf24bit, TUncleared{})
                          : std::make_unique<TBitmap>(W, H, pf24bit);
    TBitmap scratch;
    const TBitmap& src = InFormat(image, pf24bit, scratch);
    const int x0 = f.x0, y0 = f.y0, fw = f.fw, fh = f.fh;
    TBitmap& b = *result;
    auto piece = [&](const TRect& d, const TRect& s) { StretchCopy(b, d, src, s); };

    if (mL * mT > 0) piece(Rect(0, 0, mL, mT), Rect(x0, y0, x0 + mL, y0 + mT));
    if (mL * mB > 0) piece(Rect(0, H - mB, mL, H), Rect(x0, y0 + fh - mB, x0 + mL, y0 + fh));
    if (mR * mT > 0) piece(Rect(W - mR, 0, W, mT), Rect(x0 + fw - mR, y0, x0 + fw, y0 + mT));
    if (mL > 0) piece(Rect(0, mT, mL, H - mB), Rect(x0, y0 + mT, x0 + mL, y0 + fh - mB));
    if (mT > 0) piece(Rect(mL, 0, W - mR, mT), Rect(x0 + mL, y0, x0 + fw - mR, y0 + mT));
    const TRect centre = Rect(mL, mT, W - mR, H - mB);
    const TRect centreSrc = Rect(x0 + mL, y0 + mT, x0 + fw - mR, y0 + fh - mB);
    if (Tile != 0)
        TileBitmapRect(b, centre, src, centreSrc);
    else
        piece(centre, centreSrc);
    // Drawn after the centre: they cover the tiles that run past its right and bottom ends.
    if (mR * mB > 0) piece(Rect(W - mR, H - mB, W, H), Rect(x0 + fw - mR, y0 + fh - mB, x0 + fw, y0 + fh));
    if (mR > 0) piece(Rect(W - mR, mT, W, H - mB), Rect(x0 + fw - mR, y0 + mT, x0 + fw, y0 + fh - mB));
    if (mB > 0) piece(Rect(mL, H - mB, W - mR, H), Rect(x0 + mL, y0 + fh - mB, x0 + fw - mR, y0 + fh));
    return result;
}

PlacedBitmap ComposeSkinRect(const TRect& r, const TBitmap& image, const TRect& margins, int I, int N,
                             int trans, int Tile, int vertical) {
    PlacedBitmap p;
    // An empty image (missing, or rejected when loaded) draws nothing, as it does for every other routine.
    SkinFrame f;
    if (Inverted(r) || !SkinFrameOf(image, I, N, vertical != 0, f)) return p;
    p.bitmap = MakeSkinBitmap(r, image, margins, I, N, Tile, vertical);
    p.x = r.Left;
    p.y = r.Top;
    p.keyed = trans != 0;
    return p;
}

PlacedBitmap ComposeSkinBar(const TRect& r, const TBitmap& image, const TRect& margins, int I, int N,
                            int trans, int vertical) {
    PlacedBitmap p;
    SkinFrame f;
    const int W = r.Width(), H = r.Height();
    if (W <= 0 || H <= 0 || !SkinFrameOf(image, I, N, vertical != 0, f)) return p;
    TBitmap scratch;
    const TBitmap& src = InFormat(image, pf24bit, scratch);
    const TRect m = ClampMargins(margins);
    const int mL = m.Left, mR = m.Right, tw = f.fw - mL - mR;
    auto b = std::make_unique<TBitmap>(W, H, pf24bit);
    StretchCopy(*b, Rect(0, 0, mL, H), src, Rect(f.x0, f.y0, f.x0 + mL, f.y0 + f.fh));
    // Middle tiles keep their width and stretch only in height. A frame with no middle has none.
    if (tw > 0) {
        for (int x = mL; x < W - mR; x += tw)
            StretchCopy(*b, Rect(x, 0, x + tw, H), src, Rect(f.x0 + mL, f.y0, f.x0 + mL + tw, f.y0 + f.fh));
    }
    StretchCopy(*b, Rect(W - mR, 0, W, H), src, Rect(f.x0 + f.fw - mR, f.y0, f.x0 + f.fw, f.y0 + f.fh));
    p.bitmap = std::move(b);
    p.x = r.Left;
    p.y = r.Top;
    p.keyed = trans != 0;
    return p;
}

std::vector<PlacedBitmap> ComposeStretchSkinBar(const TRect& r, const TBitmap& image, const TRect& margins,
                                                int I, int N, int vertical) {
    std::vector<PlacedBitmap> pieces;
    SkinFrame f;
    if (Inverted(r) || !SkinFrameOf(image, I, N, vertical != 0, f)) return pieces;
    TBitmap scratch;
    const TBitmap& src = InFormat(image, pf24bit, scratch);
    const int W = r.Width(), H = r.Height();
    auto add = [&](const TRect& d, const TRect& s) {
        if (d.Width() <= 0 || d.Height() <= 0 || s.Width() <= 0 || s.Height() <= 0) return;
        PlacedBitmap p;
        p.bitmap = std::make_unique<TBitmap>(d.Width(), d.Height(), pf24bit);
        StretchCopy(*p.bitmap, Rect(0, 0, d.Width(), d.Height()), src, s);
        p.x = d.Left;
        p.y = d.Top;
        pieces.push_back(std::move(p));
    };
    if (f.fw > W) {
        add(r, Bounds(f.x0, f.y0, f.fw, f.fh));
        return pieces;
    }
    const TRect m = ClampMargins(margins);
    const int mL = m.Left, mR = m.Right;
    add(Bounds(r.Left, r.Top, mL, H), Bounds(f.x0, f.y0, mL, f.fh));
    add(Bounds(r.Left + mL, r.Top, W - mL - mR, H), Bounds(f.x0 + mL, f.y0, f.fw - mL - mR, f.fh));
    add(Bounds(r.Right - mR, r.Top, mR, H), Bounds(f.x0 + f.fw - mR, f.y0, mR, f.fh));
    return pieces;
}

PlacedBitmap ComposeSkinCell(const TRect& r, const TBitmap& image, int I, int N, int trans) {
    PlacedBitmap p;
    SkinFrame f;
    const int W = r.Width(), H = r.Height();
    if (W <= 0 || H <= 0 || !SkinFrameOf(image, I, N, false, f)) return p;
    p.bitmap = std::make_unique<TBitmap>(W, H, pf24bit);
    StretchCopy(*p.bitmap, Rect(0, 0, W, H), image, Bounds(f.x0, f.y0, f.fw, f.fh));
    p.x = r.Left;
    p.y = r.Top;
    p.keyed = trans != 0;
    return p;
}

PlacedBitmap ComposeSkinCellCentered(const TRect& r, const TBitmap& image, int I, int N, int trans) {
    PlacedBitmap p;
    SkinFrame f;
    if (r.Width() <= 0 || r.Height() <= 0 || !SkinFrameOf(image, I, N, false, f)) return p;
    p.bitmap = std::make_unique<TBitmap>(f.fw, f.fh, pf24bit);
    StretchCopy(*p.bitmap, Rect(0, 0, f.fw, f.fh), image, Bounds(f.x0, f.y0, f.fw, f.fh));
    // Division truncates toward zero: a cell larger than the rectangle gets negative offsets.
    p.x = r.Left + (r.Width() - f.fw) / 2;
    p.y = r.Top + (r.Height() - f.fh) / 2;
    p.keyed = trans != 0;
    return p;
}

void DrawSkinRect(TBitmap& dc, const TRect& r, const TBitmap& image, const TRect& margins, int I, int N,
                  int trans, int Tile, int vertical) {
    PlacedBitmap p = ComposeSkinRect(r, image, margins, I, N, trans, Tile, vertical);
    if (!p.bitmap) return;
    if (p.keyed)
        DrawKeyedBitmap(dc, r, *p.bitmap, SkinKeyColor);
    else
        CopyOpaque(dc, p.x, p.y, *p.bitmap);
}

void DrawSkinBar(TBitmap& canvas, const TRect& r, const TBitmap& image, const TRect& margins, int I, int N,
                 int trans, int vertical) {
    Place(canvas, ComposeSkinBar(r, image, margins, I, N, trans, vertical));
}

void StretchSkinBar(TBitmap& dc, const TRect& r, const TBitmap& image, const TRect& margins, int I, int N,
                    int Tile, int vertical) {
    for (const PlacedBitmap& p : ComposeStretchSkinBar(r, image, margins, I, N, vertical)) Place(dc, p);
}

void DrawSkinCell(TBitmap& dc, const TRect& r, const TBitmap& image, int I, int N, int trans) {
    Place(dc, ComposeSkinCell(r, image, I, N, trans));
}

void DrawSkinCellCentered(TBitmap& dc, const TRect& r, const TBitmap& image, int I, int N, int trans) {
    Place(dc, ComposeSkinCellCentered(r, image, I, N, trans));
}

void DrawKeyedBitmap(TBitmap& dc, const TRect& r, const TBitmap& bmp, TColor key) {
    if (Inverted(r) || bmp.Empty() || dc.Empty()) return;
    KeyedCopy(dc, r.Left, r.Top, bmp, r.Width(), r.Height(), key);
}

void FillColorRect(TBitmap& dc, const TRect& r, TColor color) {
    const TRect area = Intersect(r, Rect(0, 0, dc.Width(), dc.Height()));
    if (area.IsEmpty()) return;
    const TColor c = ResolveColor(color) & 0xFFFFFF;
    if (!IsDrawable(dc)) {
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x) dc.SetPixel(x, y, c);
        return;
    }
    const int bpp = BytesPerPixel(dc);
    std::uint8_t* first = dc.ScanLine(area.Top) + std::size_t(area.Left) * std::size_t(bpp);
    for (int x = 0; x < area.Width(); ++x) {
        first[x * bpp] = std::uint8_t(GetBValue(c));
        first[x * bpp + 1] = std::uint8_t(GetGValue(c));
        first[x * bpp + 2] = std::uint8_t(GetRValue(c));
        if (bpp == 4) first[x * bpp + 3] = 0;
    }
    for (int y = area.Top + 1; y < area.Bottom; ++y)
        std::memcpy(dc.ScanLine(y) + std::size_t(area.Left) * std::size_t(bpp), first,
                    std::size_t(area.Width()) * std::size_t(bpp));
}

TRect CenteredTextRect(const TRect& r, int measuredWidth, int measuredHeight) {
    const int dx = (r.Width() - measuredWidth) / 2, dy = (r.Height() - measuredHeight) / 2;
    return Bounds(r.Left + dx, r.Top + dy, measuredWidth, measuredHeight);
}

unsigned TextAlignFlags(int alignment) {
    constexpr unsigned kLeft = 0, kCenter = 1, kRight = 2, kSingleLine = 0x20, kExpandTabs = 0x40;
    const unsigned align = alignment == 1 ? kRight : alignment == 2 ? kCenter : kLeft;
    return align | kSingleLine | kExpandTabs;
}

std::vector<ArrowStroke> ArrowGlyphStrokes(int x, int y, int kind) {
    auto s = [](int x1, int y1, int x2, int y2) { return ArrowStroke{{x1, y1}, {x2, y2}}; };
    switch (kind) {
    case 0:
        return {s(x, y, x, y - 1),         s(x + 1, y + 1, x + 4, y + 4), s(x, y + 1, x + 3, y + 4),
                s(x, y + 2, x + 2, y + 4), s(x - 1, y + 1, x - 4, y + 4), s(x, y + 2, x - 3, y + 4),
                s(x, y + 1, x - 2, y + 4)};
    case 1:
        return {s(x, y + 3, x, y + 4), s(x + 1, y + 2, x + 4, y - 1), s(x, y + 2, x + 3, y - 1),
                s(x, y + 1, x + 2, y), s(x - 1, y + 2, x - 4, y - 1), s(x, y + 2, x - 3, y - 1),
                s(x, y + 1, x - 2, y)};
    case 2:
        return {s(x, y, x + 1, y + 2), s(x + 1, y + 2, x + 1, y - 2), s(x + 1, y - 2, x - 1, y),
                s(x - 1, y, x + 1, y + 2)};
    case 3:
        return {s(x, y, x - 1, y + 2), s(x - 1, y + 2, x - 1, y - 2), s(x - 1, y - 2, x + 1, y),
                s(x + 1, y, x - 1, y + 2)};
    default: return {};
    }
}
