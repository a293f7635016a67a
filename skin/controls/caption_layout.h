// Where a control skinner puts a caption: the text box of a plain caption and the image and text boxes of a
// caption with an image-list picture. Pure geometry; the drawing code measures the text and draws.
#pragma once

#include "platform/types.h"

// Text of measured size (width, height) in rc: vertically one pixel above the exact middle; centred across
// when centred is set, else spanning rc's full width (left or right alignment is the text drawer's job).
TRect PlaceCaption(const TRect& rc, int width, int height, bool centred);

// A picture of imageWidth x imageHeight before a text of textWidth x textHeight in rc, aligned left (0),
// centred (1) or right (2). The picture is left out (imageWidth 0, empty image box) when there is none or
// it is not narrower than rc.
struct ImageCaptionBoxes {
    TRect image;  // empty when no picture is drawn
    TRect text;
};
ImageCaptionBoxes PlaceImageCaption(const TRect& rc, bool hasImage, int imageWidth, int imageHeight,
                                    int textWidth, int textHeight, int talign);
