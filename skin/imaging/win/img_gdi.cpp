// ImgUtil on device contexts: the GDI end of composition, keyed copies, regions and the small aids.
#include "skin/imaging/win/img_gdi.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"

namespace {

RECT ToRECT(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

TColor PlatformSysColor(int index) { return TColor(GetSysColor(index)) & 0xFFFFFF; }

void Put(HDC dc, PlacedBitmap& p) {
    if (!p.bitmap) return;
    if (p.keyed)
        DrawKeyedBitmap(dc, Bounds(p.x, p.y, p.bitmap->Width(), p.bitmap->Height()), *p.bitmap, SkinKeyColor);
    else
        BlitOpaque(dc, p.x, p.y, *p.bitmap);
}

}  // namespace

void UseSystemColors() { SetSysColorFunc(&PlatformSysColor); }

HBITMAP MakeKeyMask(const TBitmap& bmp, int w, int h, TColor key) {
    const int rowBytes = ((w + 15) / 16) * 2;  // device-dependent bitmaps have 16-bit aligned rows
    std::vector<BYTE> bits(std::size_t(rowBytes) * std::size_t(h), 0);
    const TColor k = key & 0xFFFFFF;
    auto set = [&](int x, int y) {
        bits[std::size_t(y) * std::size_t(rowBytes) + std::size_t(x >> 3)] |= BYTE(0x80 >> (x & 7));
    };
    const int bpp = bmp.PixelFormat() == pf32bit ? 4 : bmp.PixelFormat() == pf24bit ? 3 : 0;
    if (bpp == 0) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (bmp.Pixel(x, y) == k) set(x, y);
        return CreateBitmap(w, h, 1, 1, bits.data());
    }
    // The rows are read in place: a pixel at a time would bring GDI up to date (GdiFlush) for every one.
    const std::uint8_t kb = std::uint8_t(GetBValue(k)), kg = std::uint8_t(GetGValue(k)),
                       kr = std::uint8_t(GetRValue(k));
    const std::uint8_t* rows = bmp.Bits();
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* p = rows + std::size_t(y) * std::size_t(bmp.RowBytes());
        for (int x = 0; x < w; ++x, p += bpp)
            if (p[0] == kb && p[1] == kg && p[2] == kr) set(x, y);
    }
    return CreateBitmap(w, h, 1, 1, bits.data());
}

void BlitOpaque(HDC dc, int x, int y, TBitmap& bmp) {
    HDC src = BitmapDC(bmp);
    if (!src) return;
    BitBlt(dc, x, y, bmp.Width(), bmp.Height(), src, 0, 0, SRCCOPY);
}

void DrawKeyedBitmap(HDC dc, const TRect& r, TBitmap& bmp, TColor key) {
    if (r.Right < r.Left || r.Bottom < r.Top) return;
    // Only the part of r that bmp covers is copied.
    const int w = std::min(r.Width(), bmp.Width()), h = std::min(r.Height(), bmp.Height());
    if (w <= 0 || h <= 0) return;
    HDC src = BitmapDC(bmp);
    if (!src) return;
    Owned<HBITMAP> mask{MakeKeyMask(bmp, w, h, key)};
    if (!mask) return;
    // Where the mask is set the destination stays; elsewhere the source is copied.
    MaskBlt(dc, r.Left, r.Top, w, h, src, 0, 0, mask.get(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
}

KeyedBitmap::KeyedBitmap(const TBitmap& picture, TColor key)
    : mask_(picture.Width(), picture.Height(), pf24bit), kept_(picture.Width(), picture.Height(), pf24bit) {
    const TColor k = key & 0xFFFFFF;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const TColor p = picture.Pixel(x, y);
            mask_.SetPixel(x, y, p == k ? clWhite : clBlack);
            kept_.SetPixel(x, y, p == k ? clBlack : p);
        }
}

void KeyedBitmap::Draw(HDC dc, int x, int y) {
    HDC mask = BitmapDC(mask_), kept = BitmapDC(kept_);
    if (!mask || !kept) return;
    // The mask clears the picture's pixels to black and keeps the rest; the picture is then added in.
    BitBlt(dc, x, y, mask_.Width(), mask_.Height(), mask, 0, 0, SRCAND);
    BitBlt(dc, x, y, kept_.Width(), kept_.Height(), kept, 0, 0, SRCPAINT);
}

void TileBitmapRect(HDC canvas, const TRect& destRect, const TBitmap& src, const TRect& srcRect) {
    const std::int64_t sw = srcRect.Width(), sh = srcRect.Height();
    if (sw < 0 || sh < 0 || sw * sh == 0) return;
    TBitmap tile(int(sw), int(sh), pf24bit);
    StretchCopy(tile, Rect(0, 0, int(sw), int(sh)), src, srcRect);
    HDC tileDc = BitmapDC(tile);
    if (!tileDc) return;
    for (int x = destRect.Left; x < destRect.Right; x += int(sw))
        for (int y = destRect.Top; y < destRect.Bottom; y += int(sh))
            BitBlt(canvas, x, y, int(sw), int(sh), tileDc, 0, 0, SRCCOPY);
}

void DrawSkinRect(HDC dc, const TRect& r, const TBitmap& image, const TRect& margins, int I, int N, int trans,
                  int Tile, int vertical) {
    PlacedBitmap p = ComposeSkinRect(r, image, margins, I, N, trans, Tile, vertical);
    if (!p.bitmap) return;
    if (p.keyed)
        DrawKeyedBitmap(dc, r, *p.bitmap, SkinKeyColor);
    else
        BlitOpaque(dc, p.x, p.y, *p.bitmap);
}

void DrawSkinBar(HDC canvas, const TRect& r, const TBitmap& image, const TRect& margins, int I, int N,
                 int trans, int vertical) {
    PlacedBitmap p = ComposeSkinBar(r, image, margins, I, N, trans, vertical);
    Put(canvas, p);
}

void StretchSkinBar(HDC dc, const TRect& r, const TBitmap& image, const TRect& margins, int I, int N,
                    int Tile, int vertical) {
    for (PlacedBitmap& p : ComposeStretchSkinBar(r, image, margins, I, N, vertical)) Put(dc, p);
}

void DrawSkinCell(HDC dc, const TRect& r, const TBitmap& image, int I, int N, int trans) {
    PlacedBitmap p = ComposeSkinCell(r, image, I, N, trans);
    Put(dc, p);
}

void DrawSkinCellCentered(HDC dc, const TRect& r, const TBitmap& image, int I, int N, int trans) {
    PlacedBitmap p = ComposeSkinCellCentered(r, image, I, N, trans);
    Put(dc, p);
}

Owned<HRGN> BuildColorKeyRegion(TBitmap& bmp, int xOffset, int yOffset, TColor key, int redTolerance,
                                int greenTolerance, int blueTolerance) {
    Owned<HRGN> result;
    ScanColorKeyRegion(bmp, xOffset, yOffset, key, redTolerance, greenTolerance, blueTolerance,
                       [&](const RegionBlock& block) {
                           Owned<HRGN> part{ExtCreateRegion(nullptr, DWORD(block.ByteSize()),
                                                            static_cast<const RGNDATA*>(block.Data()))};
                           if (!part) return;  // a failed creation leaves the region partial
                           if (!result) {
                               result = std::move(part);
                               return;
                           }
                           CombineRgn(result.get(), result.get(), part.get(), RGN_OR);
                       });
    if (!result) result.reset(CreateRectRgn(0, 0, 0, 0));
    return result;
}

void FillGradientRect(HDC dc, const TRect& r, TColor c1, TColor c2, int orientation) {
    RECT rc = ToRECT(r);
    if (!RectVisible(dc, &rc)) return;
    RECT clip{};
    GetClipBox(dc, &clip);
    int n = 0, first = 0, last = -1;
    if (!GradientBands(r, {clip.left, clip.top, clip.right, clip.bottom}, orientation, n, first, last))
        return;
    const int slot = GetGradient(n, ResolveColor(c1), ResolveColor(c2));
    const std::vector<TColor> table = GradientCache().slots[std::size_t(slot)];
    for (int i = first; i <= last; ++i) {
        const RECT band = orientation == 0 ? RECT{r.Left + i, r.Top, r.Left + i + 1, r.Bottom}
                                           : RECT{r.Left, r.Top + i, r.Right, r.Top + i + 1};
        Owned<HBRUSH> brush{CreateSolidBrush(table[std::size_t(i)])};
        FillRect(dc, &band, brush.get());
    }
}

void FillColorRect(HDC dc, const TRect& r, TColor color) {
    const RECT rc = ToRECT(r);
    Owned<HBRUSH> brush{CreateSolidBrush(ResolveColor(color))};
    FillRect(dc, &rc, brush.get());
}

void DrawTextCentered(HDC canvas, const TRect& r, const std::wstring& text, int enabled, int flag,
                      int alignment) {
    const UINT flags = TextAlignFlags(alignment);
    SetBkMode(canvas, TRANSPARENT);
    SelectObject(canvas, GetStockObject(NULL_BRUSH));
    // The canvas font, made regular.
    LOGFONTW lf{};
    GetObjectW(GetCurrentObject(canvas, OBJ_FONT), sizeof lf, &lf);
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = FALSE;
    lf.lfUnderline = FALSE;
    lf.lfStrikeOut = FALSE;
    Owned<HFONT> font{CreateFontIndirectW(&lf)};
    Selected useFont{canvas, font.get()};
    RECT measured = ToRECT(r);
    DrawTextW(canvas, text.c_str(), int(text.size()), &measured, flags | DT_CALCRECT | DT_NOCLIP);
    const TRect placed = CenteredTextRect(r, measured.right - measured.left, measured.bottom - measured.top);
    if (enabled == 0) SetTextColor(canvas, GetSysColor(COLOR_BTNSHADOW));
    RECT out = ToRECT(placed);
    DrawTextW(canvas, text.c_str(), int(text.size()), &out, flags);
}

void DrawArrowGlyph(HDC canvas, int x, int y, int kind) {
    for (const ArrowStroke& s : ArrowGlyphStrokes(x, y, kind)) {
        MoveToEx(canvas, s.From.X, s.From.Y, nullptr);
        LineTo(canvas, s.To.X, s.To.Y);
    }
}
