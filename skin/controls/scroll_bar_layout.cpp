#include "skin/controls/scroll_bar_layout.h"
#include "platform/string_list.h"  // AsciiLower

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

// a * b / c with a 64-bit product, rounded to the nearest integer, as the platform's MulDiv.
int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const double v = double(std::int64_t(a) * b) / c;
    return int(std::lround(v));
}

}  // namespace

ScrollBarPieces LayoutScrollBar(const ScrollBarLook& s) {
    ScrollBarPieces p;
    p.across = std::abs(s.arrowImageHeight - s.cw) > 2 ? s.cw : s.arrowImageHeight;
    p.trackFrom = s.cw;
    p.trackTo = s.len - s.cw;
    p.trackCell = s.enabled ? 1 : 3;
    p.track = s.hasTrack;
    p.arrowLen = s.len < 2 * s.cw ? s.len / 2 : s.cw;

    const int firstBase = s.vertical ? 9 : 1, secondBase = s.vertical ? 13 : 5;
    auto raised = [&](int part) { return s.scrollpos == part ? (s.down ? 1 : 3) : 0; };
    p.firstArrowCell = firstBase + raised(spFirstArrow);
    p.secondArrowCell = secondBase + raised(spSecondArrow);

    p.thumb = s.enabled && s.hasThumb;
    p.thumbCell = s.scrollpos == spThumb ? (s.down ? 2 : 3) : 1;
    const int grip = (s.vertical ? 20 : 17) + (s.scrollpos == spThumb ? (s.down ? 1 : 2) : 0);
    const int length = s.thumbBottom - s.thumbTop;
    const int h = s.arrowImageHeight;
    if (s.enabled && h < length + 2) {
        const int o = (length - h) / 2;
        p.grip = true;
        p.gripFrom = s.thumbTop + o;
        p.gripTo = s.thumbTop + o + h;
        p.gripCell = grip;
    }
    return p;
}

int ScrollBarHitTest(int at, int len, int cw, int thumbTop, int thumbBottom) {
    if (at < cw) return spFirstArrow;
    if (at < thumbTop) return spTrackBefore;
    if (at < thumbBottom) return spThumb;
    if (at < len - cw) return spTrackAfter;
    return spSecondArrow;
}

ThumbSpan DragThumb(int cursor, int pressCursor, int pressThumbTop, ThumbSpan current, int len, int cw) {
    const int length = current.bottom - current.top;
    int top = cursor - pressCursor + pressThumbTop;
    top = std::min(top, len - cw - length);
    top = std::max(top, cw);
    return {top, top + length};
}

ThumbSpan ControlThumb(int len, int cw, int nMin, int nMax, unsigned nPage, int nPos, bool minLength) {
    const int range = nMax == nMin ? 9999999 : nMax - nMin;
    const int usable = len - 2 * cw;
    int start = cw, length = 0;
    if (nPage != 0) {
        length = MulDiv(usable, int(nPage) - 1, range);
        if (minLength && length < 8) {
            length = 8;
            if (nPos != nMin) start = MulDiv(usable - 8, nPos - nMin, range) + cw;
        } else if (nPos != nMin) {
            start = MulDiv(usable, nPos - nMin, range) + cw;
        }
    } else {
        length = cw;
        if (nPos != nMin) start = MulDiv(len - 3 * cw, nPos - nMin, range) + cw;
    }
    return {start, start + length};
}

int ListThumbPosition(int pos, int track, int thumbLen, int nMin, int nMax, unsigned nPage) {
    pos = std::max(pos, 0);
    int at = 0;
    if (nPage == 0) {
        pos = std::min(pos, track - thumbLen);
        at = std::min(MulDiv(pos, nMax - nMin, track) + nMin, nMax);
    } else {
        const int page = int(nPage);
        if (pos > track - thumbLen) pos = track - thumbLen + 1;
        at = MulDiv(pos, nMax - nMin - page, track - thumbLen) + nMin;
        if (at >= nMax - page) at = nMax - page + 1;
    }
    return std::max(at, nMin);
}

bool PressOnThumb(int at, int thumbTop, int thumbBottom) { return thumbTop <= at && at <= thumbBottom; }

SignedPoint SignedPointOf(std::intptr_t lParam) {
    const auto bits = std::uint32_t(std::uintptr_t(lParam));
    return {int(std::int16_t(bits & 0xFFFF)), int(std::int16_t(bits >> 16))};
}

std::intptr_t PackPoint(int x, int y) {
    return std::intptr_t((std::uint32_t(std::uint16_t(y)) << 16) | std::uint16_t(x));
}

bool ScrollControlVertical(std::string_view kindProp, unsigned style) {
    if (kindProp.empty()) return (style & 1) != 0;  // SBS_VERT
    return AsciiLower(kindProp) != "sbhorizontal";
}
