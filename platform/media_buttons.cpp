// The media player's buttons: hit testing along the bar and the glyphs of the nine buttons.
#include "platform/media_buttons.h"

#include <cstdlib>

namespace {

constexpr int kGlyphWidth = 15;
constexpr int kGlyphHeight = 13;
constexpr int kMiddle = kGlyphHeight / 2;

// A triangle pointing right whose flat side is column left, r columns long and 2r + 1 rows high.
bool RightTriangle(int x, int y, int left, int r) {
    const int d = x - left;
    return d >= 0 && d <= r && std::abs(y - kMiddle) <= r - d;
}
bool LeftTriangle(int x, int y, int right, int r) { return RightTriangle(2 * right - x, y, right, r); }
bool Box(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x <= right && y >= top && y <= bottom;
}

// The pixels of a button's picture.
bool GlyphPixel(TMPBtnType button, int x, int y) {
    switch (button) {
    case btPlay: return RightTriangle(x, y, 5, 5);
    case btPause: return Box(x, y, 4, 2, 5, 10) || Box(x, y, 9, 2, 10, 10);
    case btStop: return Box(x, y, 4, 3, 10, 9);
    case btNext: return RightTriangle(x, y, 3, 5) || Box(x, y, 9, 1, 10, 11);
    case btPrev: return Box(x, y, 4, 1, 5, 11) || LeftTriangle(x, y, 11, 5);
    case btStep: return RightTriangle(x, y, 3, 4) || RightTriangle(x, y, 8, 4);
    case btBack: return LeftTriangle(x, y, 6, 4) || LeftTriangle(x, y, 11, 4);
    case btRecord: return (x - 7) * (x - 7) + (y - kMiddle) * (y - kMiddle) <= 20;
    case btEject: {
        const int d = y - 2;
        return (d >= 0 && d <= 4 && std::abs(x - 7) <= d) || Box(x, y, 3, 9, 11, 10);
    }
    }
    return false;
}

TColor ColouredInk(TMPBtnType button) {
    switch (button) {
    case btPlay: return RGBColor(0, 128, 0);
    case btPause: return RGBColor(160, 120, 0);
    case btStop:
    case btRecord: return RGBColor(192, 0, 0);
    default: return RGBColor(0, 0, 160);
    }
}

bool IsDark(TColor c) { return GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114 < 128000; }

// Half way to white.
TColor Lighter(TColor c) {
    return RGBColor((GetRValue(c) + 255) / 2, (GetGValue(c) + 255) / 2, (GetBValue(c) + 255) / 2);
}

}  // namespace

int MediaButtonCount(TButtonSet shown) {
    int n = 0;
    for (int b = 0; b < kMPButtonCount; ++b) n += shown.Contains(TMPBtnType(b));
    return n;
}

int MediaButtonAt(TButtonSet shown, int btnWidth, int x) {
    int s = 0;
    for (int b = 0; b < kMPButtonCount; ++b) {
        if (!shown.Contains(TMPBtnType(b))) continue;
        if (s <= x && x <= s + btnWidth) return b;
        s += btnWidth;
    }
    return kMPNoButton;
}

TBitmap MediaButtonGlyph(TMPBtnType button, TMPGlyphState state, TColor face) {
    TBitmap glyph(kGlyphWidth, kGlyphHeight, pf24bit);
    glyph.Fill(kMPGlyphBackground);
    const bool dark = IsDark(face);
    TColor ink = dark ? RGBColor(235, 235, 235) : clBlack;
    if (state == TMPGlyphState::Coloured) ink = dark ? Lighter(ColouredInk(button)) : ColouredInk(button);
    if (state == TMPGlyphState::Disabled) ink = dark ? RGBColor(120, 120, 120) : RGBColor(128, 128, 128);
    // A disabled picture is embossed: a highlight below and right of it.
    const TColor emboss = dark ? RGBColor(20, 20, 20) : clWhite;
    for (int y = 0; y < kGlyphHeight; ++y)
        for (int x = 0; x < kGlyphWidth; ++x) {
            if (GlyphPixel(button, x, y))
                glyph.SetPixel(x, y, ink);
            else if (state == TMPGlyphState::Disabled && x > 0 && y > 0 && GlyphPixel(button, x - 1, y - 1))
                glyph.SetPixel(x, y, emboss);
        }
    return glyph;
}
