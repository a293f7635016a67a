// A small RGB raster for drawing skin artwork: anti-aliased shapes by supersampled coverage, gradients,
// crisp one-pixel lines, and cutting shapes out with the key colour.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace skingen {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb kKey{255, 0, 255};  // the key colour: exactly magenta

// t = 0 gives a, t = 1 gives b.
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Lighter(Rgb c, double t);  // towards white
Rgb Darker(Rgb c, double t);   // towards black
// True for the key colour and its neighbours that a colour-key region would treat as key too.
bool IsNearKey(Rgb c);

// A shape in continuous coordinates: pixel (x, y) covers [x, x+1) x [y, y+1).
using Shape = std::function<bool(double x, double y)>;
// The colour a shape is painted with at a point (for gradients).
using Paint = std::function<Rgb(double x, double y)>;

Shape RoundRect(double x0, double y0, double x1, double y1, double radius);
// Only the top corners rounded (a caption, a tab).
Shape RoundTopRect(double x0, double y0, double x1, double y1, double radius);
Shape Ellipse(double cx, double cy, double rx, double ry);
Shape Segment(double x0, double y0, double x1, double y1, double width);
Shape Polygon(std::vector<std::pair<double, double>> points);
// Points in a but not in b (an outline: RoundRect minus a smaller RoundRect).
Shape Minus(Shape a, Shape b);
Shape Union(Shape a, Shape b);

Paint Solid(Rgb c);
// A vertical gradient from top at y0 to bottom at y1 (clamped outside).
Paint VGradient(double y0, double y1, Rgb top, Rgb bottom);
Paint HGradient(double x0, double x1, Rgb left, Rgb right);

class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height, Rgb fill = kKey);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb At(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }
    void Set(int x, int y, Rgb c);  // ignores points outside
    // Blends c over the pixel with the given opacity 0..1.
    void Blend(int x, int y, Rgb c, double alpha);

    void FillRect(int x0, int y0, int x1, int y1, Rgb c);  // [x0, x1) x [y0, y1)
    void FillRect(int x0, int y0, int x1, int y1, const Paint& paint);
    void HLine(int x0, int x1, int y, Rgb c);  // [x0, x1)
    void VLine(int x, int y0, int y1, Rgb c);  // [y0, y1)

    // Paints a shape within the pixel box [x0, x1) x [y0, y1), each pixel blended by its coverage
    // (16 samples). With aa false a pixel is painted only when its centre is inside.
    void FillShape(const Shape& shape, const Paint& paint, int x0, int y0, int x1, int y1, bool aa = true);
    // Sets every pixel of the box whose coverage by the shape is below one half to the key colour.
    void KeyOutside(const Shape& shape, int x0, int y0, int x1, int y1);

    // Copies the box [sx, sy, sx+w, sy+h) of source to (dx, dy).
    void Copy(const Canvas& source, int sx, int sy, int w, int h, int dx, int dy);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

// Coverage 0..16 of pixel (x, y) by a shape, from a 4 x 4 grid of samples.
int Coverage(const Shape& shape, int x, int y);

}  // namespace skingen
