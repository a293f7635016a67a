// Small pictures for the menus, made of rectangles and lines so that the program needs no image files.
#include "gallery/win/gallery_images.h"

#include <algorithm>
#include <cstdlib>

namespace {

void Box(TBitmap& b, int x0, int y0, int x1, int y1, TColor c) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) b.SetPixel(x, y, c);
}

void Frame(TBitmap& b, int x0, int y0, int x1, int y1, TColor c) {
    for (int x = x0; x <= x1; ++x) b.SetPixel(x, y0, c), b.SetPixel(x, y1, c);
    for (int y = y0; y <= y1; ++y) b.SetPixel(x0, y, c), b.SetPixel(x1, y, c);
}

void Line(TBitmap& b, int x0, int y0, int x1, int y1, TColor c) {
    const int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= n; ++i)
        b.SetPixel(x0 + (x1 - x0) * i / (n ? n : 1), y0 + (y1 - y0) * i / (n ? n : 1), c);
}

// A sheet of paper with a folded corner at offset ox.
void Sheet(TBitmap& b, int ox, int oy, TColor paper) {
    Box(b, ox + 3, oy + 1, ox + 12, oy + 14, paper);
    Frame(b, ox + 3, oy + 1, ox + 12, oy + 14, 0x404040);
    for (int y = oy + 4; y <= oy + 11; y += 2) Line(b, ox + 5, y, ox + 10, y, 0xA0A0A0);
}

}  // namespace

TBitmap DrawMenuImages() {
    TBitmap b(16 * 6, 16);
    b.Fill(kMenuImageKey);
    // New: a white sheet with a yellow star.
    Sheet(b, 0, 0, 0xFFFFFF);
    Box(b, 10, 0, 13, 3, 0x00D7FF);
    // Open: a yellow folder.
    Box(b, 16 + 1, 4, 16 + 14, 13, 0x40C8F0);
    Box(b, 16 + 1, 3, 16 + 6, 4, 0x40C8F0);
    Frame(b, 16 + 1, 4, 16 + 14, 13, 0x206080);
    // Save: a blue disk with a white label.
    Box(b, 32 + 1, 1, 32 + 14, 14, 0xA05020);
    Box(b, 32 + 4, 2, 32 + 11, 6, 0xFFFFFF);
    Box(b, 32 + 5, 10, 32 + 10, 14, 0xC0C0C0);
    // Cut: two blades and two red handles.
    Line(b, 48 + 4, 1, 48 + 10, 10, 0x606060);
    Line(b, 48 + 11, 1, 48 + 5, 10, 0x606060);
    Frame(b, 48 + 2, 10, 48 + 6, 14, 0x2020D0);
    Frame(b, 48 + 9, 10, 48 + 13, 14, 0x2020D0);
    // Copy: two sheets.
    Sheet(b, 64 - 2, -0, 0xF0F0F0);
    Sheet(b, 64 + 2, 0, 0xFFFFFF);
    // Paste: a clipboard with a sheet.
    Box(b, 80 + 2, 2, 80 + 13, 14, 0x3070A0);
    Box(b, 80 + 5, 1, 80 + 10, 3, 0xB0B0B0);
    Box(b, 80 + 5, 5, 80 + 12, 13, 0xFFFFFF);
    Frame(b, 80 + 5, 5, 80 + 12, 13, 0x404040);
    return b;
}

namespace {

bool InPicture(int picture, int x, int y) {
    const int dx = 2 * x - 15, dy = 2 * y - 15;  // doubled distances from the cell's centre
    switch (picture) {
    case 0: return dx * dx + dy * dy <= 13 * 13;
    case 1: return std::abs(dx) + std::abs(dy) <= 14;
    case 2:
        return (x >= 2 && x <= 8 && y >= 5 && y <= 10) || (x >= 8 && x <= 14 && std::abs(dy) <= 2 * (14 - x));
    default:
        return (std::abs(dx - dy) <= 4 || std::abs(dx + dy) <= 4) && std::abs(dx) <= 13 && std::abs(dy) <= 13;
    }
}

}  // namespace

TBitmap DrawButtonGlyphs(int picture, int cells) {
    static const TColor kUp[4] = {0x20C0F0, 0xE08030, 0x30B040, 0x3030D0};
    static const TColor kDown[4] = {0x3070FF, 0xB040A0, 0x20A0A0, 0x208020};
    cells = std::max(1, std::min(cells, 4));
    TBitmap b(16 * cells, 16);
    b.Fill(kButtonGlyphKey);
    const int p = ((picture % 4) + 4) % 4;
    for (int cell = 0; cell < cells; ++cell) {
        const TColor fill = cell == 1   ? TColor(0xA0A0A0)
                            : cell == 2 ? TColor((kUp[p] >> 1) & 0x7F7F7F)
                            : cell == 3 ? kDown[p]
                                        : kUp[p];
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                if (!InPicture(p, x, y)) continue;
                const bool edge = !InPicture(p, x - 1, y) || !InPicture(p, x + 1, y) ||
                                  !InPicture(p, x, y - 1) || !InPicture(p, x, y + 1);
                b.SetPixel(16 * cell + x, y, edge ? (cell == 1 ? TColor(0x707070) : clBlack) : fill);
            }
    }
    return b;
}
