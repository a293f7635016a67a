#include "skin/controls/obj_image_glyphs.h"

int GlyphStripCells(int kind) {
    switch (kind) {
    case 1: return 9;
    case 2:
    case 3: return 6;
    default: return 0;
    }
}

std::vector<GlyphCellCopy> GlyphStripCopies(int kind, int sourceCells) {
    std::vector<GlyphCellCopy> all;
    switch (kind) {
    case 1:
        all = {{1, 1}, {4, 1}, {2, 2}, {5, 2}, {7, 3}, {8, 4}};
        if (sourceCells == 5) all.insert(all.end(), {{3, 5}, {6, 5}, {9, 5}});
        break;
    case 2: all = {{1, 1}, {3, 1}, {2, 2}, {4, 2}, {5, 3}, {6, 4}}; break;
    case 3:
        all = {{1, 1}, {4, 1}, {2, 2}, {5, 2}};
        if (sourceCells == 5) all.insert(all.end(), {{3, 5}, {6, 5}});
        break;
    default: break;
    }
    std::vector<GlyphCellCopy> copies;
    for (const GlyphCellCopy& c : all)
        if (c.source <= sourceCells) copies.push_back(c);
    return copies;
}
