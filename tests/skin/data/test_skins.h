// Skin packages for the skin component's tests: a skin laid out like the lap timer's (the same image
// sizes, margins, caption buttons and colours), with every cell of every image a solid colour of its own
// so that derived images can be checked pixel by pixel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "skin/storage/skin_package_writer.h"

namespace testskin {

constexpr TColor kMagenta = 0xFF00FF;

// The colour of cell `cell` (from 1) of the image made with `seed`; never magenta.
TColor CellColor(int seed, int cell);
// An image of `cells` solid cells, side by side or stacked.
TBitmap CellStrip(int width, int height, int cells, int seed, bool stacked = false);
std::vector<std::uint8_t> BmpBytes(const TBitmap& bitmap);

// The description and images of the lap-timer-like skin. Seeds of the images: see test_skins.cpp.
std::string DefaultIni();
std::vector<SkinPackageEntry> DefaultImages();
// Packed package of the given description and images (the description stored as "skin.ini").
std::vector<std::uint8_t> Package(const std::string& ini, const std::vector<SkinPackageEntry>& images);
std::vector<std::uint8_t> DefaultPackage();

// A second skin, different in every object: other sizes, other cell counts, other colours.
std::vector<std::uint8_t> SecondPackage();

// The built skin packages of the tree, when the build has made them (empty when not).
std::vector<std::uint8_t> BuiltPackage(const std::string& fileName);
// The program's built skin, or the default package where the build has not made it.
std::vector<std::uint8_t> ProgramPackage();

}  // namespace testskin
