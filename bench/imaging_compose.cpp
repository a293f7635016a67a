// Skin-image composition, region building and gradient fills, each against a plain copy of as many pixels.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <vector>

#include "skin/imaging/img_util.h"

namespace {

// Process CPU time: the machine is shared, and wall time would measure the neighbours as well.
struct Clock {
    using time_point = double;
    static double now() {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
    }
};

// Nanoseconds for one memcpy of the given size, measured here and now so that the ratio shares the run.
double MemcpyNanos(std::size_t bytes) {
    std::vector<std::uint8_t> a(bytes, 1), b(bytes, 2);
    int reps = 0;
    const double start = Clock::now();
    double now = start;
    do {
        std::memcpy(b.data(), a.data(), bytes);
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
        ++reps;
        now = Clock::now();
    } while (now - start < 2e8);
    return (now - start) / reps;
}

// x_memcpy: our time per iteration over the time of copying the same number of pixels with memcpy.
void ReportRatio(benchmark::State& state, double start, std::size_t pixels, std::size_t bytesPerPixel) {
    const double ours =
        (Clock::now() - start) / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    const double copy = MemcpyNanos(pixels * bytesPerPixel);
    state.counters["memcpy_us"] = copy / 1000.0;
    state.counters["x_memcpy"] = ours / copy;
}

// A button-like strip: 4 frames of 60 x 40 with a magenta rim.
TBitmap SkinStrip() {
    TBitmap b(240, 40, pf24bit);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 240; ++x) {
            const int fx = x % 60;
            const bool rim = (fx < 2 || fx > 57) && (y < 2 || y > 37);
            b.SetPixel(x, y, rim ? SkinKeyColor : RGBColor(fx * 4, y * 6, (x / 60) * 60));
        }
    return b;
}

void BM_MakeSkinBitmap(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1)), tile = int(state.range(2));
    const TBitmap strip = SkinStrip();
    const double start = Clock::now();
    for (auto _ : state) {
        auto b = MakeSkinBitmap(Rect(0, 0, w, h), strip, Rect(8, 6, 8, 6), 2, 4, tile, 0);
        benchmark::DoNotOptimize(b->Bits());
    }
    ReportRatio(state, start, std::size_t(w) * std::size_t(h), 3);
}
BENCHMARK(BM_MakeSkinBitmap)
    ->ArgNames({"w", "h", "tile"})
    ->Args({400, 300, 0})
    ->Args({400, 300, 1})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Unit(benchmark::kMicrosecond);

// A window frame: opaque, with key-coloured rounded corners and a key-coloured client hole, so that rows
// near the top and bottom are one run and the others two.
TBitmap FrameImage(int w, int h) {
    TBitmap b(w, h, pf32bit);
    b.Fill(0x404040);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int cx = x < 8 ? 8 - x : x >= w - 8 ? x - (w - 9) : 0;
            const int cy = y < 8 ? 8 - y : y >= h - 8 ? y - (h - 9) : 0;
            const bool corner = cx * cx + cy * cy > 64;
            const bool hole = x >= 6 && x < w - 6 && y >= 30 && y < h - 6;
            if (corner || hole) b.SetPixel(x, y, SkinKeyColor);
        }
    return b;
}

void BM_BuildColorKeyRegion(benchmark::State& state) {
    const int w = int(state.range(0)), h = int(state.range(1));
    TBitmap frame = FrameImage(w, h);
    const double start = Clock::now();
    for (auto _ : state) {
        int rects = 0;
        ScanColorKeyRegion(frame, 0, 0, SkinKeyColor, 1, 1, 1,
                           [&](const RegionBlock& b) { rects += b.Count(); });
        benchmark::DoNotOptimize(rects);
    }
    state.counters["ns_per_row"] = benchmark::Counter(
        double(h), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    ReportRatio(state, start, std::size_t(w) * std::size_t(h), 4);
}
BENCHMARK(BM_BuildColorKeyRegion)
    ->ArgNames({"w", "h"})
    ->Args({1920, 270})
    ->Args({1920, 540})
    ->Args({1920, 1080})
    ->Args({1920, 2160})
    ->Unit(benchmark::kMicrosecond);

void BM_FillGradientRect(benchmark::State& state) {
    const int h = int(state.range(0));
    TBitmap dc(1920, h, pf24bit);
    const double start = Clock::now();
    for (auto _ : state) {
        FillGradientRect(dc, Rect(0, 0, 1920, h), 0x203040, 0xF0E0D0, 0);
        benchmark::DoNotOptimize(dc.Bits());
    }
    ReportRatio(state, start, std::size_t(1920) * std::size_t(h), 3);
}
BENCHMARK(BM_FillGradientRect)->ArgName("h")->Arg(1)->Arg(30)->Unit(benchmark::kMicrosecond);

}  // namespace
