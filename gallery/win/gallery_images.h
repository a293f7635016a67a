// The Gallery's menu images, drawn from code: six 16 x 16 pictures on the key colour.
#pragma once

#include "platform/bitmap.h"

// New, open, save, cut, copy, paste, side by side; the key colour (magenta) is transparent.
TBitmap DrawMenuImages();
constexpr unsigned kMenuImageKey = 0xFF00FF;

// A glyph strip of 16 x 16 cells for the buttons page: picture 0 a disc, 1 a diamond, 2 an arrow, 3 a
// cross; cell 1 up (its colour, outlined in black), 2 disabled (grey), 3 pressed (darker), 4 down (a
// second colour). The key colour behind the picture is its bottom-left pixel.
TBitmap DrawButtonGlyphs(int picture, int cells);
constexpr unsigned kButtonGlyphKey = 0xFF00FF;
