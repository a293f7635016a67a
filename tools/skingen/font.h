// A 5 x 7 pixel font for labels: capitals (lower case is shown as capitals), digits and common marks.
#pragma once

#include <string_view>

#include "tools/skingen/canvas.h"

namespace skingen {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;

// Draws text with its top-left corner at (x, y), each font pixel a scale x scale block. Returns the x
// after the last character.
int DrawText(Canvas& c, int x, int y, std::string_view text, Rgb colour, int scale = 1);
int TextWidth(std::string_view text, int scale = 1);

}  // namespace skingen
