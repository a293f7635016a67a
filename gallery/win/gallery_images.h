// The Gallery's menu images, drawn from code: six 16 x 16 pictures on the key colour.
#pragma once

#include "platform/bitmap.h"

// New, open, save, cut, copy, paste, side by side; the key colour (magenta) is transparent.
TBitmap DrawMenuImages();
constexpr unsigned kMenuImageKey = 0xFF00FF;
