// The contact sheet of a skin: a preview of a window drawn from the skin, then every image enlarged cell
// by cell, labelled with its section, key and what each cell is for.
#pragma once

#include <cstddef>

#include "tools/skingen/canvas.h"
#include "tools/skingen/skin.h"

namespace skingen {

Canvas DrawContactSheet(const Skin& skin, std::size_t unpackedSize, std::size_t packedSize);

}  // namespace skingen
