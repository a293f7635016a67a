// A small timing harness for the benchmarks that must run as Windows programs (under Wine here): each
// case runs a batch of iterations several times and reports the median time per iteration, so two cases
// measured in one run can be compared as a ratio.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/stream.h"
#include "platform/win/forms.h"
#include "skin/data/skin_data.h"

namespace bench {

// Loads the skin package the benchmark was given (argv[1], else tocvane.skn beside it) into skin, as a
// dialog component (no manager); false, after saying so, when there is none to load.
inline bool LoadBenchSkin(TSkinData& skin, int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "tocvane.skn";
    skin.SetSkinFormtype(sfDialog);
    try {
        TMemoryStream s(ReadFileBytes(path));
        skin.LoadFromStream(s);
    } catch (...) {
    }
    if (skin.Empty) std::printf("no skin package at %s\n", path);
    return !skin.Empty;
}

// A form the size of the lap timer's window (client 394 x 244, single border) at (x, 40), not yet shown.
inline std::unique_ptr<TForm> MakeTimerSizedForm(int x, const wchar_t* caption = L"Tocvane 计时器") {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(bsSingle);
    form->SetClientWidth(394);
    form->SetClientHeight(244);
    form->SetLeft(x);
    form->SetTop(40);
    form->SetCaption(caption);
    return form;
}

// Median nanoseconds per call of fn over `rounds` batches of `iterations` calls.
inline double TimePerCall(const std::function<void()>& fn, int iterations, int rounds = 7) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    std::vector<double> samples;
    fn();  // warm up: caches, first-use allocations
    for (int r = 0; r < rounds; ++r) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        for (int i = 0; i < iterations; ++i) fn();
        QueryPerformanceCounter(&b);
        samples.push_back(double(b.QuadPart - a.QuadPart) * 1e9 / double(f.QuadPart) / iterations);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// Median nanoseconds per call of a and of b, their batches taken in turn (a, b, a, b, ...), so that a load
// that comes and goes on the machine weighs on both alike.
struct PairTimes {
    double a = 0, b = 0;
};
inline PairTimes TimePairPerCall(const std::function<void()>& a, const std::function<void()>& b,
                                 int iterations, int rounds = 9) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    auto batch = [&](const std::function<void()>& fn) {
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        for (int i = 0; i < iterations; ++i) fn();
        QueryPerformanceCounter(&t1);
        return double(t1.QuadPart - t0.QuadPart) * 1e9 / double(f.QuadPart) / iterations;
    };
    a();  // warm up both
    b();
    std::vector<double> as, bs;
    for (int r = 0; r < rounds; ++r) {
        as.push_back(batch(a));
        bs.push_back(batch(b));
    }
    std::sort(as.begin(), as.end());
    std::sort(bs.begin(), bs.end());
    return {as[as.size() / 2], bs[bs.size() / 2]};
}

inline void Report(const std::string& name, double ns) { std::printf("%-52s %12.0f ns\n", name.c_str(), ns); }

inline void Ratio(const std::string& name, double a, double b, double goal) {
    std::printf("%-52s %12.2f x   (goal: at most %.2f x) %s\n", name.c_str(), a / b, goal,
                a / b <= goal ? "met" : "NOT MET");
}

inline void Growth(const std::string& name, long before, long after) {
    std::printf("%-52s %6ld -> %6ld   %s\n", name.c_str(), before, after,
                after <= before ? "no growth" : "GROWS");
}

// Dispatches whatever is queued for this thread.
inline void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

// The windows of this thread: the USER objects the engine can make (Wine answers GetGuiResources with 0).
inline BOOL CALLBACK CountWindow(HWND, LPARAM counter) {
    ++*reinterpret_cast<long*>(counter);
    return TRUE;
}

inline BOOL CALLBACK CountWindowAndChildren(HWND h, LPARAM counter) {
    ++*reinterpret_cast<long*>(counter);
    EnumChildWindows(h, &CountWindow, counter);
    return TRUE;
}

inline long ThreadWindows() {
    long n = 0;
    EnumThreadWindows(GetCurrentThreadId(), &CountWindowAndChildren, LPARAM(&n));
    return n;
}

}  // namespace bench
