#include "skin/form/menu_bar_layout.h"

namespace {
constexpr int kItemRoom = 10;
constexpr int kPlainStart = 6;
constexpr int kNarrowStart = 12;
}  // namespace

int MenuBarItemWidth(int textWidth) { return textWidth > 0 ? textWidth + kItemRoom : textWidth; }

int MenuBarStart(bool hasImage, int marginLeft, int marginRight, bool rightToLeft, int bandWidth) {
    int s = kPlainStart;
    if (hasImage) s = rightToLeft ? marginRight + 8 : marginLeft + 4;
    return s > bandWidth ? kNarrowStart : s;
}

std::vector<TRect> LayoutMenuBar(std::span<const MenuBarEntry> items, int bandHeight, int start,
                                 bool rightToLeft, int rightEdge) {
    std::vector<TRect> out;
    out.reserve(items.size());
    int x = rightToLeft ? rightEdge - start : start;
    for (const MenuBarEntry& e : items) {
        if (!e.visible) {
            out.push_back({0, 0, 0, 0});
            continue;
        }
        const int w = MenuBarItemWidth(e.textWidth);
        if (rightToLeft) {
            out.push_back({x - w, 0, x, bandHeight - 1});
            x -= w;
        } else {
            out.push_back({x, 0, x + w, bandHeight - 1});
            x += w;
        }
    }
    return out;
}

int NextMenuBarIndex(int current, int count, bool forward) {
    if (count <= 0) return -1;
    if (forward) return current >= count - 1 ? 0 : current + 1;
    return current <= 0 ? count - 1 : current - 1;
}

BarArrow ArrowInDropDown(bool right, bool inDropDown, bool selectedOpensSubmenu) {
    if (right) return selectedOpensSubmenu ? BarArrow::Platform : BarArrow::Next;
    return inDropDown ? BarArrow::Previous : BarArrow::Platform;
}
