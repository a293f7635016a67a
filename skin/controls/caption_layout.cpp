#include "skin/controls/caption_layout.h"

#include <algorithm>

TRect PlaceCaption(const TRect& rc, int width, int height, bool centred) {
    const int dy = (rc.Height() - height) / 2 - 1;
    if (centred) {
        const int left = rc.Left + (rc.Width() - width) / 2;
        return {left, rc.Top + dy, left + width, rc.Top + dy + height};
    }
    return {rc.Left, rc.Top + dy, rc.Right, rc.Top + dy + height};
}

ImageCaptionBoxes PlaceImageCaption(const TRect& rc, bool hasImage, int imageWidth, int imageHeight,
                                    int textWidth, int textHeight, int talign) {
    const bool drawn = hasImage && imageWidth < rc.Width();
    const int cx = drawn ? imageWidth : 0;
    int x = talign == 1   ? (rc.Width() - cx - textWidth) / 2
            : talign == 2 ? rc.Width() - cx - textWidth - 2
                          : 3;
    if (x < 2) x = 1;
    ImageCaptionBoxes boxes;
    if (drawn) {
        const int top = rc.Top + (rc.Height() - imageHeight) / 2;
        boxes.image = {rc.Left + x, top, rc.Left + x + cx, top + imageHeight};
    }
    const int left = rc.Left + x + cx;
    const int top = rc.Top + (rc.Height() - textHeight) / 2;
    // The text never leaves rc across.
    boxes.text = {std::max(left, rc.Left), top, std::min(left + textWidth, rc.Right), top + textHeight};
    return boxes;
}
