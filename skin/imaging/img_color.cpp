// ImgUtil: colour resolution, blending, saturation and the cached gradient tables.
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/assertion.h"
#include "skin/imaging/img_util.h"

namespace {

// The classic scheme, until the Windows side installs the system's own colours (UseSystemColors).
TColor ClassicSysColor(int index) {
    static constexpr TColor kClassic[31] = {
        0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
        0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
        0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
        0xE1FFFF, 0x000000, 0x800000, 0xF0CAA6, 0xC0C0C0, 0x6A240A, 0xC8D0D4};
    return index >= 0 && index < 31 ? kClassic[index] : clBlack;
}

SysColorFunc g_sysColor = &ClassicSysColor;

// Unit name and lines that the gradient checks report.
constexpr const char* kUnit = "imgutil";
constexpr int kFindGradientLine = 304;
constexpr int kMakeGradientLine = 323;

}  // namespace

SysColorFunc SetSysColorFunc(SysColorFunc func) {
    return std::exchange(g_sysColor, func ? func : &ClassicSysColor);
}

TColor ResolveColor(TColor color) {
    if (IsSystemColor(color)) return g_sysColor(SystemColorIndex(color)) & 0xFFFFFF;
    return color;
}

TColor BlendColors(TColor A, TColor B, int w) {
    const TColor a = ResolveColor(A), b = ResolveColor(B);
    const std::int64_t D = w < 100 ? 100 : 1000;
    auto mix = [&](int ca, int cb) { return int((cb * (D - w) + std::int64_t(ca) * w + D / 2) / D) & 0xFF; };
    return RGBColor(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
                    mix(GetBValue(a), GetBValue(b)));
}

int ColorSaturation(TColor color) {
    const TColor c = ResolveColor(color);
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    if (r < 160 && g < 160 && b < 160) return 200;
    const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
    if (hi == 0) return 0;
    // 255 x (max - min) / max, rounded to nearest with ties to even, in exact integer arithmetic.
    const int num = 255 * (hi - lo);
    int q = num / hi;
    const int twice = 2 * (num % hi);
    if (twice > hi || (twice == hi && (q & 1))) ++q;
    return q;
}

GradientTables& GradientCache() {
    static GradientTables cache;
    return cache;
}

int MakeGradient(int count, TColor c1, TColor c2) {
    if (count <= 0) throw EAssertionFailed(kUnit, kMakeGradientLine);
    GradientTables& cache = GradientCache();
    const int slot = cache.next;
    cache.next = (cache.next + 1) % kGradientSlots;
    std::vector<TColor>& table = cache.slots[std::size_t(slot)];
    table.assign(std::size_t(count), 0);
    const int n = count - 1, h = n / 2;
    const int r1 = GetRValue(c1), g1 = GetGValue(c1), b1 = GetBValue(c1);
    const int dr = GetRValue(c2) - r1, dg = GetGValue(c2) - g1, db = GetBValue(c2) - b1;
    if (n > 0) {
        for (int i = 0; i <= n; ++i) {
            const auto step = [&](int base, int d) { return base + int((std::int64_t(d) * i + h) / n); };
            table[std::size_t(i)] = RGBColor(step(r1, dr), step(g1, dg), step(b1, db));
        }
    } else {
        table[0] = RGBColor(r1 + dr / 2, g1 + dg / 2, b1 + db / 2);
    }
    return slot;
}

int FindGradient(int count, TColor c1, TColor c2) {
    if (count <= 0) throw EAssertionFailed(kUnit, kFindGradientLine);
    const GradientTables& cache = GradientCache();
    for (int slot = kGradientSlots - 1; slot >= 0; --slot) {
        const std::vector<TColor>& t = cache.slots[std::size_t(slot)];
        if (int(t.size()) == count && t.front() == c1 && t.back() == c2) return slot;
    }
    return -1;
}

int GetGradient(int count, TColor c1, TColor c2) {
    const int slot = FindGradient(count, c1, c2);
    return slot >= 0 ? slot : MakeGradient(count, c1, c2);
}

bool GradientBands(const TRect& r, const TRect& clipBox, int orientation, int& n, int& first, int& last) {
    if (Intersect(r, clipBox).IsEmpty()) return false;
    const bool horizontal = orientation == 0;
    const int start = horizontal ? r.Left : r.Top, end = horizontal ? r.Right : r.Bottom;
    const int clipStart = horizontal ? clipBox.Left : clipBox.Top,
              clipEnd = horizontal ? clipBox.Right : clipBox.Bottom;
    n = end - start;
    if (n <= 0) return false;
    first = start < clipStart ? clipStart - start : 0;
    last = n - 1 - (end > clipEnd ? end - clipEnd : 0);
    return last >= first;
}

void FillGradientRect(TBitmap& dc, const TRect& r, TColor c1, TColor c2, int orientation,
                      const TRect* clipBox) {
    const TRect bounds = Rect(0, 0, dc.Width(), dc.Height());
    const TRect clip = clipBox ? Intersect(*clipBox, bounds) : bounds;
    int n = 0, first = 0, last = -1;
    if (!GradientBands(r, clip, orientation, n, first, last)) return;
    // The table always spans the whole rectangle, so clipping never changes the colours.
    const int slot = GetGradient(n, ResolveColor(c1), ResolveColor(c2));
    const std::vector<TColor>& table = GradientCache().slots[std::size_t(slot)];
    if (orientation == 0) {
        // One row of bands, then copied down the rectangle's clipped height.
        const TRect area = Intersect(Rect(r.Left + first, r.Top, r.Left + last + 1, r.Bottom), clip);
        if (area.IsEmpty()) return;
        if (dc.PixelFormat() != pf24bit && dc.PixelFormat() != pf32bit) {
            for (int x = area.Left; x < area.Right; ++x)
                FillColorRect(dc, Rect(x, area.Top, x + 1, area.Bottom), table[std::size_t(x - r.Left)]);
            return;
        }
        const int bpp = dc.PixelFormat() == pf32bit ? 4 : 3;
        std::uint8_t* bits = dc.Bits();
        const std::size_t stride = std::size_t(dc.RowBytes());
        std::uint8_t* first =
            bits + std::size_t(area.Top) * stride + std::size_t(area.Left) * std::size_t(bpp);
        std::uint8_t* p = first;
        for (int x = area.Left; x < area.Right; ++x, p += bpp) {
            const TColor c = table[std::size_t(x - r.Left)];
            p[0] = std::uint8_t(GetBValue(c));
            p[1] = std::uint8_t(GetGValue(c));
            p[2] = std::uint8_t(GetRValue(c));
            if (bpp == 4) p[3] = 0;
        }
        const std::size_t span = std::size_t(area.Width()) * std::size_t(bpp);
        for (int y = area.Top + 1; y < area.Bottom; ++y)
            std::memcpy(first + std::size_t(y - area.Top) * stride, first, span);
    } else {
        for (int i = first; i <= last; ++i)
            FillColorRect(dc, Intersect(Rect(r.Left, r.Top + i, r.Right, r.Top + i + 1), clip),
                          table[std::size_t(i)]);
    }
}
