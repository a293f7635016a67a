// Draws the stopwatch icon with supersampling and packs its images into one .ico file.
#include "tools/iconmaker/icon_art.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace iconart {

namespace {

constexpr int kSamples = 5;  // per axis and pixel
constexpr double kPi = std::numbers::pi;

struct Colour {
    double r, g, b;
};

constexpr Colour kRim{0.11, 0.31, 0.47};
constexpr Colour kRimLight{0.22, 0.50, 0.68};
constexpr Colour kFace{0.96, 0.97, 0.98};
constexpr Colour kSweep{0.62, 0.84, 0.95};
constexpr Colour kTick{0.25, 0.30, 0.36};
constexpr Colour kHand{0.85, 0.20, 0.16};
constexpr Colour kMetal{0.55, 0.60, 0.66};

double Dist(double x, double y, double cx, double cy) { return std::hypot(x - cx, y - cy); }

// Distance from (px, py) to the segment a-b.
double SegmentDist(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    double t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// The colour at a point of the unit square (y grows downwards), or nothing. Small sizes leave out the
// tick marks, which would only blur.
bool Sample(double x, double y, int size, Colour& out) {
    constexpr double cx = 0.5, cy = 0.56, body = 0.42, face = 0.33;
    const double handAngle = kPi / 3;  // from 12 o'clock, clockwise
    const double d = Dist(x, y, cx, cy);

    if (d <= body) {
        if (d > face) {
            // The rim, lit from the top left.
            out = (x - cx) + (y - cy) < -0.12 ? kRimLight : kRim;
            return true;
        }
        if (d <= 0.045 * std::max(1.0, 24.0 / size)) {
            out = kRim;
            return true;
        }
        const double hx = cx + std::sin(handAngle) * 0.28, hy = cy - std::cos(handAngle) * 0.28;
        if (SegmentDist(x, y, cx, cy, hx, hy) <= std::max(0.028, 0.9 / size)) {
            out = kHand;
            return true;
        }
        if (size >= 32) {
            for (int i = 0; i < 12; ++i) {
                const double a = i * kPi / 6;
                const double inner = i % 3 == 0 ? 0.24 : 0.27;
                const double ax = cx + std::sin(a) * inner, ay = cy - std::cos(a) * inner;
                const double bx = cx + std::sin(a) * 0.31, by = cy - std::cos(a) * 0.31;
                if (SegmentDist(x, y, ax, ay, bx, by) <= (i % 3 == 0 ? 0.018 : 0.011)) {
                    out = kTick;
                    return true;
                }
            }
        }
        // The swept part of the dial, from 12 o'clock round to the hand.
        double a = std::atan2(x - cx, cy - y);
        if (a < 0) a += 2 * kPi;
        out = a <= handAngle && d <= 0.29 ? kSweep : kFace;
        return true;
    }
    // Crown and stem on top, a lap button at the upper right.
    if (x >= 0.40 && x <= 0.60 && y >= 0.02 && y <= 0.09) {
        out = kRim;
        return true;
    }
    if (x >= 0.455 && x <= 0.545 && y > 0.09 && y <= 0.16) {
        out = kMetal;
        return true;
    }
    const double bx = cx + std::sin(kPi / 4) * 0.46, by = cy - std::cos(kPi / 4) * 0.46;
    if (SegmentDist(x, y, cx + std::sin(kPi / 4) * 0.40, cy - std::cos(kPi / 4) * 0.40, bx, by) <= 0.055) {
        out = kMetal;
        return true;
    }
    return false;
}

std::uint8_t Byte(double v) { return std::uint8_t(std::clamp(std::lround(v * 255.0), 0L, 255L)); }

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

int Nearest(const std::vector<Rgba>& palette, const Rgba& c) {
    int best = 0;
    long bestDist = -1;
    for (size_t i = 0; i < palette.size(); ++i) {
        const long dr = long(palette[i].r) - c.r, dg = long(palette[i].g) - c.g,
                   db = long(palette[i].b) - c.b;
        const long dist = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (bestDist < 0 || dist < bestDist) {
            best = int(i);
            bestDist = dist;
        }
    }
    return best;
}

int RowBytes(int width, int bitCount) { return (width * bitCount + 31) / 32 * 4; }

// One icon image: BITMAPINFOHEADER (height doubled for the mask), palette, XOR bits, AND mask; rows
// bottom-up.
std::vector<std::uint8_t> EncodeImage(const Image& img, int bitCount) {
    const int n = img.size;
    const int xorRow = RowBytes(n, bitCount), andRow = RowBytes(n, 1);
    const std::vector<Rgba>* palette = bitCount <= 8 ? &Palette(bitCount) : nullptr;
    std::vector<std::uint8_t> out;
    Put32(out, 40);
    Put32(out, std::uint32_t(n));
    Put32(out, std::uint32_t(2 * n));
    Put16(out, 1);
    Put16(out, unsigned(bitCount));
    Put32(out, 0);  // BI_RGB
    Put32(out, std::uint32_t((xorRow + andRow) * n));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, palette ? std::uint32_t(palette->size()) : 0);
    Put32(out, 0);
    if (palette) {
        for (const Rgba& c : *palette) {
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
            out.push_back(0);
        }
    }
    // A palette image has no alpha: a pixel is either drawn or masked out.
    auto opaque = [&](const Rgba& c) { return bitCount == 32 ? c.a != 0 : c.a >= 128; };
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(size_t(xorRow), 0);
        for (int x = 0; x < n; ++x) {
            const Rgba& c = img.At(x, y);
            if (bitCount == 32) {
                row[size_t(x) * 4 + 0] = c.b;
                row[size_t(x) * 4 + 1] = c.g;
                row[size_t(x) * 4 + 2] = c.r;
                row[size_t(x) * 4 + 3] = c.a;
            } else if (opaque(c)) {
                const int index = Nearest(*palette, c);
                if (bitCount == 8)
                    row[size_t(x)] = std::uint8_t(index);
                else
                    row[size_t(x) / 2] |= std::uint8_t(x % 2 == 0 ? index << 4 : index);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(size_t(andRow), 0);
        for (int x = 0; x < n; ++x)
            if (!opaque(img.At(x, y))) row[size_t(x) / 8] |= std::uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

Image DrawStopwatch(int size) {
    Image img;
    img.size = size;
    img.pixels.resize(size_t(size) * size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0;
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    Colour c;
                    const double ux = (x + (sx + 0.5) / kSamples) / size;
                    const double uy = (y + (sy + 0.5) / kSamples) / size;
                    if (!Sample(ux, uy, size, c)) continue;
                    r += c.r;
                    g += c.g;
                    b += c.b;
                    ++hits;
                }
            }
            if (hits == 0) continue;
            img.pixels[size_t(y) * size + x] = {Byte(r / hits), Byte(g / hits), Byte(b / hits),
                                                Byte(double(hits) / (kSamples * kSamples))};
        }
    }
    return img;
}

const std::vector<IconImageSpec>& ProgramIconImages() {
    static const std::vector<IconImageSpec> images = {
        {16, 4}, {24, 4},  {32, 4},  {48, 4},  {16, 8},  {24, 8},   {32, 8},
        {48, 8}, {16, 32}, {24, 32}, {32, 32}, {48, 32}, {128, 32},
    };
    return images;
}

const std::vector<Rgba>& Palette(int bitCount) {
    // The 16 standard colours of the display, as every 4-bit icon uses them.
    static const std::vector<Rgba> vga = {
        {0, 0, 0, 0},       {128, 0, 0, 0},   {0, 128, 0, 0},   {128, 128, 0, 0},
        {0, 0, 128, 0},     {128, 0, 128, 0}, {0, 128, 128, 0}, {192, 192, 192, 0},
        {128, 128, 128, 0}, {255, 0, 0, 0},   {0, 255, 0, 0},   {255, 255, 0, 0},
        {0, 0, 255, 0},     {255, 0, 255, 0}, {0, 255, 255, 0}, {255, 255, 255, 0},
    };
    // 8-bit: those 16, a 6x6x6 colour cube and 24 greys.
    static const std::vector<Rgba> full = [] {
        std::vector<Rgba> p = vga;
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    p.push_back({std::uint8_t(r * 51), std::uint8_t(g * 51), std::uint8_t(b * 51), 0});
        for (int i = 0; i < 24; ++i) {
            const auto v = std::uint8_t(8 + i * 10);
            p.push_back({v, v, v, 0});
        }
        return p;
    }();
    return bitCount == 4 ? vga : full;
}

std::vector<std::uint8_t> BuildIcon(const std::vector<IconImageSpec>& images) {
    std::vector<std::vector<std::uint8_t>> encoded;
    for (const IconImageSpec& image : images)
        encoded.push_back(EncodeImage(DrawStopwatch(image.size), image.bitCount));

    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // icon
    Put16(out, unsigned(images.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const IconImageSpec& image = images[i];
        out.push_back(std::uint8_t(image.size >= 256 ? 0 : image.size));
        out.push_back(std::uint8_t(image.size >= 256 ? 0 : image.size));
        out.push_back(std::uint8_t(image.bitCount == 4 ? 16 : 0));
        out.push_back(0);
        Put16(out, 1);
        Put16(out, unsigned(image.bitCount));
        Put32(out, std::uint32_t(encoded[i].size()));
        Put32(out, offset);
        offset += std::uint32_t(encoded[i].size());
    }
    for (const auto& e : encoded) out.insert(out.end(), e.begin(), e.end());
    return out;
}

}  // namespace iconart
