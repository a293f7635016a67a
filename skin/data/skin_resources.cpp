// The built-in bitmaps, drawn pixel by pixel so that the program carries them without resource files.
#include "skin/data/skin_resources.h"

#include <array>

#include "platform/string_list.h"

namespace {

constexpr TColor kSilver = RGBColor(0xC0, 0xC0, 0xC0);
constexpr TColor kGrey = RGBColor(0x80, 0x80, 0x80);

TColor GrooveColor(char c) {
    switch (c) {
    case 'S': return kSilver;
    case 'G': return kGrey;
    default: return clWhite;
    }
}

// A 16-colour image from rows of S (silver), G (grey) and W (white).
template <std::size_t N>
void DrawRows(TBitmap& bitmap, const std::array<const char*, N>& rows) {
    const int w = int(std::string_view(rows[0]).size());
    bitmap = TBitmap(w, int(N), pf4bit);
    bitmap.SetPalette(DefaultPalette(pf4bit));
    for (int y = 0; y < int(N); ++y)
        for (int x = 0; x < w; ++x) bitmap.SetPixel(x, y, GrooveColor(rows[std::size_t(y)][x]));
}

void DrawTrack(TBitmap& bitmap) {  // a sunken horizontal groove, 16 x 4
    DrawRows(bitmap, std::array<const char*, 4>{"SSGGGGGGGGGGGGWW", "SSWWWWWWWWWWWWWW", "GSWWWWWWWWWWWWWW",
                                                "SSWWWWWWWWWWWWWW"});
}

void DrawTrackVert(TBitmap& bitmap) {  // the vertical groove, 4 x 16
    std::array<const char*, 16> rows{};
    rows[0] = "SSGS";
    rows[1] = "SSSS";
    for (int y = 2; y < 14; ++y) rows[std::size_t(y)] = "GWWW";
    rows[14] = rows[15] = "WWWW";
    DrawRows(bitmap, rows);
}

void Box(TBitmap& b, int x0, int y0, int x1, int y1) {  // inclusive corners, filled
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) b.SetPixel(x, y, clBlack);
}

// A window outline with a two-pixel title bar, inclusive corners.
void WindowOutline(TBitmap& b, int x0, int y0, int x1, int y1) {
    Box(b, x0, y0, x1, y0 + 1);
    Box(b, x0, y1, x1, y1);
    Box(b, x0, y0, x0, y1);
    Box(b, x1, y0, x1, y1);
}

void DrawMenuGlyphs(TBitmap& bitmap) {  // four 16 x 16 glyphs, black on white
    bitmap = TBitmap(4 * kMenuGlyphSize, kMenuGlyphSize, pf1bit);
    bitmap.SetPalette({clBlack, clWhite});
    bitmap.Fill(clWhite);
    const int s = kMenuGlyphSize;
    // restore: two overlapping windows, the back one showing only above and right of the front one
    WindowOutline(bitmap, mgRestore * s + 6, 2, mgRestore * s + 13, 8);
    for (int y = 6; y <= 12; ++y)
        for (int x = 3; x <= 9; ++x) bitmap.SetPixel(mgRestore * s + x, y, clWhite);
    WindowOutline(bitmap, mgRestore * s + 3, 6, mgRestore * s + 10, 12);
    // maximise: one window with a thick top
    WindowOutline(bitmap, mgMaximize * s + 3, 2, mgMaximize * s + 12, 12);
    // minimise: a short thick bar low in the cell
    Box(bitmap, mgMinimize * s + 4, 10, mgMinimize * s + 10, 11);
    // close: a diagonal cross, two pixels thick
    for (int i = 0; i < 9; ++i) {
        const int x = mgClose * s + 3 + i;
        Box(bitmap, x, 3 + i, x + 1, 3 + i);
        Box(bitmap, x, 11 - i, x + 1, 11 - i);
    }
}

}  // namespace

bool LoadSkinResourceBitmap(std::string_view name, TBitmap& bitmap) {
    if (SameTextAscii(name, "TRACK")) {
        DrawTrack(bitmap);
    } else if (SameTextAscii(name, "TRACKVERT")) {
        DrawTrackVert(bitmap);
    } else if (SameTextAscii(name, "PELISKMENU")) {
        DrawMenuGlyphs(bitmap);
    } else {
        bitmap.Clear();
        return false;
    }
    return true;
}
