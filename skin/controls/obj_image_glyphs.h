// The glyph strips handed to check boxes and radio buttons of other control libraries, which take their
// pictures through published properties: which cell of the skin's check or radio image goes to which cell
// of the strip each kind of control expects.
#pragma once

#include <vector>

// The kinds: 1 check boxes taking "CustomGlyphs" (nine cells), 2 radio buttons taking "CustomGlyphs" (six
// cells), 3 check boxes taking "Properties.Glyph" (six cells).
// Cells of the strip a kind takes; 0 for a kind that takes none.
int GlyphStripCells(int kind);

struct GlyphCellCopy {
    int dest;    // cell of the strip, from 1
    int source;  // cell of the skin's image, from 1
};
// The copies that make the strip of a kind from a skin image of sourceCells cells. A cell the image does not
// have is not copied (the strip keeps that cell as it comes).
std::vector<GlyphCellCopy> GlyphStripCopies(int kind, int sourceCells);
