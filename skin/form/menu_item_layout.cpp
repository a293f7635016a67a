#include "skin/form/menu_item_layout.h"

namespace {
constexpr int kNoImagesRoom = 35;
constexpr int kPopupImagesRoom = 12;
constexpr int kMainImagesRoom = 10;
constexpr int kTextRoom = 26;
constexpr int kDefaultGlyph = 16;
}  // namespace

int PopupItemExtraWidth(int indent, bool hasImages) {
    return indent + (hasImages ? kPopupImagesRoom : kNoImagesRoom);
}

int MainItemExtraWidth(int indent, bool hasImages) {
    return indent + (hasImages ? kMainImagesRoom : kNoImagesRoom);
}

TSize MeasureItemByText(int textWidth, bool emptyText, int proposedHeight, int indent, bool olderFamily) {
    TSize s{textWidth + kTextRoom + indent, emptyText ? 8 : proposedHeight + 4};
    if (olderFamily) s.cy += 4;
    return s;
}

int MenuGlyphWidth(int imagesWidth, bool hasImages, bool checked) {
    const int gw = hasImages ? imagesWidth : kDefaultGlyph;
    return checked && gw < kDefaultGlyph ? kDefaultGlyph : gw;
}

MenuItemPlaces PlaceMenuItem(const TRect& r, bool rightToLeft, bool separator, int glyphWidth, int indent) {
    MenuItemPlaces p;
    TRect& g = p.glyph;
    g.Top = r.Top + 1;
    g.Bottom = g.Top;
    if (!rightToLeft) {
        g.Left = r.Left + 1 + indent;
        if (separator) {
            g.Left = g.Right = 0;
        } else {
            g.Right = g.Left + glyphWidth;
            g.Bottom = g.Top + glyphWidth;
        }
        p.text = {g.Right + 3, r.Top, r.Right - 1, r.Bottom};
        return p;
    }
    g.Right = r.Right - 1 - indent;
    if (separator) {
        g.Left = g.Right = r.Right;
    } else {
        g.Left = g.Right - glyphWidth;
        g.Bottom = g.Top + glyphWidth;
    }
    p.text = {r.Left + 1, r.Top, g.Left - 3, r.Bottom};
    return p;
}

std::array<MenuSlice, 3> SeparatorSlices(int cellWidth, int imageHeight, int width, int height, int left,
                                         int right) {
    const int cw = cellWidth;
    const int sy = imageHeight > height ? imageHeight - height : 0;
    return {{
        {{0, 0, left, height}, {cw, sy, cw + left, imageHeight}},
        {{width - right, 0, width, height}, {2 * cw - right, sy, 2 * cw, imageHeight}},
        {{left, 0, width - right, height}, {cw + left, sy, 2 * cw - right, imageHeight}},
    }};
}
