// Where the parts of one skinned menu item go: what the painter adds to the platform's measurement, the
// glyph column and the caption's rectangle (left to right or mirrored), and the three slices of the
// separator cell. Pure geometry; the painter draws into the rectangles.
#pragma once

#include <array>

#include "platform/types.h"

// Extra width of a popup-menu item (the skin's item indent, then room for the glyph column).
int PopupItemExtraWidth(int indent, bool hasImages);
// Extra width of a drop-down item of a main menu.
int MainItemExtraWidth(int indent, bool hasImages);
// The size of an item measured from its text alone (a menu without framework items): the text's width plus
// room for the glyph column and the indent; a separator (no text) is 8 high, other items 4 more than the
// platform proposed, 8 more on the older platform family.
TSize MeasureItemByText(int textWidth, bool emptyText, int proposedHeight, int indent, bool olderFamily);
// The glyph column's width: the image list's width, 16 without one; a checked item gets at least 16.
int MenuGlyphWidth(int imagesWidth, bool hasImages, bool checked);

struct MenuItemPlaces {
    TRect glyph;  // the glyph box (no width for a separator)
    TRect text;   // the caption's rectangle before it is centred vertically
};
// The glyph box and the caption's rectangle of an item drawn in r. `indent` is the skin's item indent
// (0 without an item image); a right-to-left menu mirrors the layout.
MenuItemPlaces PlaceMenuItem(const TRect& r, bool rightToLeft, bool separator, int glyphWidth, int indent);

// One copy of the separator: dest in the item, src in the item image.
struct MenuSlice {
    TRect dest, src;
};
// The separator drawn from cell 2 of a 5-cell item image: left edge, right edge, middle. When the image is
// taller than the item its bottom rows are used.
std::array<MenuSlice, 3> SeparatorSlices(int cellWidth, int imageHeight, int width, int height, int left,
                                         int right);
