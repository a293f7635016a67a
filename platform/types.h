// Basic value types shared by the portable core and the Win32 side: colours, points, rectangles.
#pragma once

#include <cstdint>

// $00BBGGRR, or a system colour $FF0000nn (nn = system colour index), resolved before any arithmetic.
using TColor = std::uint32_t;

constexpr TColor RGBColor(int r, int g, int b) {
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
// <windows.h> defines these three as macros; when it came first, the functions below take their place
// (the macros give the same values where it comes later).
#ifdef GetRValue
#undef GetRValue
#undef GetGValue
#undef GetBValue
#endif
constexpr int GetRValue(TColor c) { return int(c & 0xFF); }
constexpr int GetGValue(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int GetBValue(TColor c) { return int((c >> 16) & 0xFF); }
constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == 0xFF000000u; }
constexpr int SystemColorIndex(TColor c) { return int(c & 0xFF); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours by index, as the platform numbers them (COLOR_xxx).
constexpr TColor SystemColor(int index) { return 0xFF000000u | TColor(index & 0xFF); }
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);

struct TPoint {
    int X = 0;
    int Y = 0;
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(TPoint p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    constexpr TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
constexpr TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

// The overlap of two rectangles; empty (all zero) when they do not meet.
constexpr TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
            a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
    return r.IsEmpty() ? TRect{} : r;
}
