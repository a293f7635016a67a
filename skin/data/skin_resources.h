// The bitmaps the skin engine carries itself, independent of any skin: the track bar grooves used when a
// skin has none, and the glyphs of the menu bar's window buttons.
#pragma once

#include <string_view>

#include "platform/bitmap.h"

// Fills bitmap with the built-in image of that name ("TRACK", "TRACKVERT", "PELISKMENU"; ASCII case
// ignored). False, with the bitmap emptied, for any other name.
bool LoadSkinResourceBitmap(std::string_view name, TBitmap& bitmap);

// Cells of the "PELISKMENU" strip, each 16 x 16, black on white (white is transparent).
enum TMenuGlyph { mgRestore, mgMaximize, mgMinimize, mgClose };
inline constexpr int kMenuGlyphSize = 16;
