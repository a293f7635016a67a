// The program icon: a stopwatch drawn at any size, and the .ico file that holds all its images.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace iconart {

// Straight (not premultiplied) RGBA, rows top to bottom.
struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct Image {
    int size = 0;
    std::vector<Rgba> pixels;  // size * size
    const Rgba& At(int x, int y) const { return pixels[std::size_t(y) * size + x]; }
};

// The stopwatch at size x size pixels, anti-aliased, transparent around it.
Image DrawStopwatch(int size);

struct IconImageSpec {
    int size;
    int bitCount;  // 4, 8 or 32
};

// The images of the program icon, in the order the file lists them.
const std::vector<IconImageSpec>& ProgramIconImages();

// The whole .ico file for the given images. Palette images carry an AND mask; 32-bit ones alpha and a mask.
std::vector<std::uint8_t> BuildIcon(const std::vector<IconImageSpec>& images);

// The 16 colours of 4-bit images and the 256 of 8-bit ones.
const std::vector<Rgba>& Palette(int bitCount);

}  // namespace iconart
