// A skin as the generator builds it: its images with what each cell means, and its skin description.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/skingen/canvas.h"
#include "tools/skingen/theme.h"

namespace skingen {

enum class CellLayout { SideBySide, Stacked };

struct SkinImage {
    std::string file;     // the package entry, also the value of the key that names it
    std::string section;  // where the skin description names it; empty when nothing refers to it
    std::string key;
    int cells = 1;
    CellLayout layout = CellLayout::SideBySide;
    std::vector<std::string> meanings;  // one per cell, for the contact sheet
    Canvas pixels;
};

struct IniSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;
};

struct Skin {
    std::string stem;  // output file names: <stem>.skn, <stem>-contact.png
    Theme theme;
    std::string iniName;  // the package entry of the skin description
    std::vector<IniSection> ini;
    std::vector<SkinImage> images;

    // The skin description as 8-bit text, every line ended by CR LF.
    std::string IniText() const;
    const SkinImage* Find(const std::string& file) const;
};

Skin BuildDefaultSkin();
Skin BuildFullSkin();

// A 24-bit uncompressed BMP of the canvas.
std::vector<std::uint8_t> EncodeBmp(const Canvas& canvas);
// The unpacked version 70000 package: the skin description first, then the images in their order.
std::vector<std::uint8_t> PackageUnpacked(const Skin& skin);
// The same, packed as a skin file stores it.
std::vector<std::uint8_t> PackagePacked(const Skin& skin);

}  // namespace skingen
