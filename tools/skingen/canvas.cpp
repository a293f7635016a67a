#include "tools/skingen/canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace skingen {

namespace {

std::uint8_t Channel(double v) { return std::uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

// Distance from (px, py) to the segment (x0, y0)-(x1, y1).
double SegmentDistance(double px, double py, double x0, double y0, double x1, double y1) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = x0 + t * dx - px, ey = y0 + t * dy - py;
    return std::sqrt(ex * ex + ey * ey);
}

bool InRoundRect(double x, double y, double x0, double y0, double x1, double y1, double r, bool bottomToo) {
    if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
    const double cx = x < x0 + r ? x0 + r : (x > x1 - r ? x1 - r : x);
    double cy = y;
    if (y < y0 + r)
        cy = y0 + r;
    else if (bottomToo && y > y1 - r)
        cy = y1 - r;
    const double ex = x - cx, ey = y - cy;
    return ex * ex + ey * ey <= r * r;
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    return {Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t), Channel(a.b + (b.b - a.b) * t)};
}
Rgb Lighter(Rgb c, double t) { return Mix(c, Rgb{255, 255, 255}, t); }
Rgb Darker(Rgb c, double t) { return Mix(c, Rgb{0, 0, 0}, t); }

bool IsNearKey(Rgb c) { return c.r >= 254 && c.g <= 1 && c.b >= 254; }

Shape RoundRect(double x0, double y0, double x1, double y1, double radius) {
    return [=](double x, double y) { return InRoundRect(x, y, x0, y0, x1, y1, radius, true); };
}

Shape RoundTopRect(double x0, double y0, double x1, double y1, double radius) {
    return [=](double x, double y) { return InRoundRect(x, y, x0, y0, x1, y1, radius, false); };
}

Shape Ellipse(double cx, double cy, double rx, double ry) {
    return [=](double x, double y) {
        const double ex = (x - cx) / rx, ey = (y - cy) / ry;
        return ex * ex + ey * ey <= 1.0;
    };
}

Shape Segment(double x0, double y0, double x1, double y1, double width) {
    return [=](double x, double y) { return SegmentDistance(x, y, x0, y0, x1, y1) <= width / 2; };
}

Shape Polygon(std::vector<std::pair<double, double>> points) {
    return [pts = std::move(points)](double x, double y) {
        bool inside = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const auto [xi, yi] = pts[i];
            const auto [xj, yj] = pts[j];
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
        }
        return inside;
    };
}

Shape Minus(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && !b(x, y); };
}

Shape Union(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}

Paint Solid(Rgb c) {
    return [c](double, double) { return c; };
}

Paint VGradient(double y0, double y1, Rgb top, Rgb bottom) {
    return [=](double, double y) {
        const double t = y1 > y0 ? std::clamp((y - y0) / (y1 - y0), 0.0, 1.0) : 0.0;
        return Mix(top, bottom, t);
    };
}

Paint HGradient(double x0, double x1, Rgb left, Rgb right) {
    return [=](double x, double) {
        const double t = x1 > x0 ? std::clamp((x - x0) / (x1 - x0), 0.0, 1.0) : 0.0;
        return Mix(left, right, t);
    };
}

int Coverage(const Shape& shape, int x, int y) {
    int n = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
            if (shape(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0)) ++n;
    return n;
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * height, fill) {}

void Canvas::Set(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[std::size_t(y) * width_ + x] = c;
}

void Canvas::Blend(int x, int y, Rgb c, double alpha) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Rgb& p = pixels_[std::size_t(y) * width_ + x];
    p = Mix(p, c, alpha);
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, Rgb c) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) Set(x, y, c);
}

void Canvas::FillRect(int x0, int y0, int x1, int y1, const Paint& paint) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) Set(x, y, paint(x + 0.5, y + 0.5));
}

void Canvas::HLine(int x0, int x1, int y, Rgb c) { FillRect(x0, y, x1, y + 1, c); }
void Canvas::VLine(int x, int y0, int y1, Rgb c) { FillRect(x, y0, x + 1, y1, c); }

void Canvas::FillShape(const Shape& shape, const Paint& paint, int x0, int y0, int x1, int y1, bool aa) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            if (aa) {
                const int n = Coverage(shape, x, y);
                if (n > 0) Blend(x, y, paint(x + 0.5, y + 0.5), n / 16.0);
            } else if (shape(x + 0.5, y + 0.5)) {
                Set(x, y, paint(x + 0.5, y + 0.5));
            }
        }
}

void Canvas::KeyOutside(const Shape& shape, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (Coverage(shape, x, y) < 8) Set(x, y, kKey);
}

void Canvas::Copy(const Canvas& source, int sx, int sy, int w, int h, int dx, int dy) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int px = sx + x, py = sy + y;
            if (px < 0 || py < 0 || px >= source.width_ || py >= source.height_) continue;
            Set(dx + x, dy + y, source.At(px, py));
        }
}

}  // namespace skingen
