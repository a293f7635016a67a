#include "skin/controls/header_layout.h"

#include <algorithm>

TRect HeaderHoverRect(const TRect& item) { return {item.Left + 3, item.Top, item.Right - 3, item.Bottom}; }

int TrackHotItem(const std::vector<TRect>& items, TPoint p, int current) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TRect& r = items[i];
        if (p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom) current = int(i);
    }
    return current;
}

HeaderAlign HeaderItemAlign(int format) {
    switch (format & 0xFF) {
    case 1: return HeaderAlign::Right;
    case 2: return HeaderAlign::Centre;
    default: return HeaderAlign::Left;
    }
}

bool HeaderItemShowsImage(int format) { return (format & (0x0800 | 0x8000)) != 0; }

HeaderItemBoxes PlaceHeaderItem(const TRect& r, HeaderAlign align, bool hasImage, int iw, int ih, int tw,
                                int th) {
    const int width = r.Width(), height = r.Height();
    const bool picture = hasImage && width > iw;
    if (!picture) iw = 0;
    int x = 3;
    if (align == HeaderAlign::Centre) x = (width - iw - tw) / 2;
    if (align == HeaderAlign::Right) x = width - iw - tw - 2;
    if (x < 2) x = 1;
    HeaderItemBoxes b;
    if (picture) {
        const int top = r.Top + (height - ih) / 2;
        b.image = {r.Left + x, top, r.Left + x + iw, top + ih};
    }
    const int left = r.Left + x + iw, top = r.Top + (height - th) / 2;
    b.text = {std::max(left, r.Left), top, std::min(left + tw, r.Right), top + th};
    return b;
}
