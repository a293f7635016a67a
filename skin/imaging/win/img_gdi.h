// ImgUtil on device contexts: each routine composes in memory (img_util.h) and copies the result to the dc
// in one operation, so a surface never shows its intermediate pieces.
#pragma once

#include <string>

#include "platform/win/gdi.h"
#include "skin/imaging/img_util.h"

#include <windows.h>

// From now on system colours resolve to the platform's current values (see ResolveColor).
void UseSystemColors();

// Opaque copy of all of bmp to (x, y).
void BlitOpaque(HDC dc, int x, int y, TBitmap& bmp);
// Copies r's size from bmp's top-left corner to r, leaving the dc's pixels where bmp holds the key exactly.
void DrawKeyedBitmap(HDC dc, const TRect& r, TBitmap& bmp, TColor key);
// The mask DrawKeyedBitmap draws through: a monochrome w x h bitmap with a set bit wherever bmp holds the
// key. The caller owns it (callers that draw one picture often keep it).
HBITMAP MakeKeyMask(const TBitmap& bmp, int w, int h, TColor key);

// A picture drawn again and again with its key-coloured pixels left out, as DrawKeyedBitmap draws it: made
// once, it is drawn with two plain blits (a masked blit costs several times as much under Wine).
class KeyedBitmap {
public:
    KeyedBitmap() = default;
    KeyedBitmap(const TBitmap& picture, TColor key);
    bool Empty() const { return mask_.Empty(); }
    void Draw(HDC dc, int x, int y);

private:
    TBitmap mask_;  // white where the picture holds the key, black elsewhere
    TBitmap kept_;  // the picture with its key pixels black
};

void TileBitmapRect(HDC canvas, const TRect& destRect, const TBitmap& src, const TRect& srcRect);
void DrawSkinRect(HDC dc, const TRect& r, const TBitmap& image, const TRect& margins, int I, int N, int trans,
                  int Tile, int vertical);
void DrawSkinBar(HDC canvas, const TRect& r, const TBitmap& image, const TRect& margins, int I, int N,
                 int trans, int vertical);
void StretchSkinBar(HDC dc, const TRect& r, const TBitmap& image, const TRect& margins, int I, int N,
                    int Tile, int vertical);
void DrawSkinCell(HDC dc, const TRect& r, const TBitmap& image, int I, int N, int trans);
void DrawSkinCellCentered(HDC dc, const TRect& r, const TBitmap& image, int I, int N, int trans);

// The region of bmp's pixels that are not the key (bmp becomes 32 bits per pixel), shifted by the offsets.
// It is empty for a bitmap without opaque pixels.
Owned<HRGN> BuildColorKeyRegion(TBitmap& bmp, int xOffset, int yOffset, TColor key, int redTolerance,
                                int greenTolerance, int blueTolerance);

// Paints one-pixel bands of the cached gradient, only those inside the dc's clip box.
void FillGradientRect(HDC dc, const TRect& r, TColor c1, TColor c2, int orientation);
void FillColorRect(HDC dc, const TRect& r, TColor color);
// Text centred both ways in r with the canvas's font made regular; flag has no effect (callers pass 0).
void DrawTextCentered(HDC canvas, const TRect& r, const std::wstring& text, int enabled, int flag,
                      int alignment);
// A small arrow of the current pen: kind 0 up, 1 down, 2 left, 3 right; other kinds draw nothing.
void DrawArrowGlyph(HDC canvas, int x, int y, int kind);
