// Column headers as data: the part of an item that counts as under the mouse, which item a point is over,
// how an item's format bits align its text and say whether it shows an image, and where the image and the
// text of an item go.
#pragma once

#include <vector>

#include "platform/types.h"

// An item's rectangle as the hover test keeps it: 3 pixels off at each end, so that the mouse on a divider
// is over neither item.
TRect HeaderHoverRect(const TRect& item);
// The new item under the mouse when it moves to p (signed header coordinates): the item whose hover
// rectangle holds p, or current when p is over none.
int TrackHotItem(const std::vector<TRect>& items, TPoint p, int current);

enum class HeaderAlign { Left, Right, Centre };
// By the low byte of an item's format: 1 right, 2 centre, anything else left (HDF_xxx).
HeaderAlign HeaderItemAlign(int format);
// The item shows its image-list picture: its format has HDF_IMAGE or HDF_OWNERDRAW.
bool HeaderItemShowsImage(int format);

struct HeaderItemBoxes {
    TRect image;  // empty when no picture is drawn
    TRect text;
};
// The picture (imageWidth x imageHeight, left out when there is none or it is not narrower than r) and the
// text (textWidth x textHeight) of an item drawn in r: side by side, aligned as the item says and vertically
// centred; the text box kept within r's left and right.
HeaderItemBoxes PlaceHeaderItem(const TRect& r, HeaderAlign align, bool hasImage, int imageWidth,
                                int imageHeight, int textWidth, int textHeight);
