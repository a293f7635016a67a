// Where control skinners put captions: a plain caption one pixel above the middle, an image caption's
// picture and text by alignment, the picture dropped when it does not fit.
#include "skin/controls/caption_layout.h"

#include <gtest/gtest.h>

namespace {

TEST(CaptionLayout, PlainCaptionSitsOnePixelAboveTheMiddle) {
    const TRect rc{10, 20, 110, 45};  // 100 x 25
    // Centred: across by half the spare width, down by half the spare height less one.
    EXPECT_EQ(PlaceCaption(rc, 40, 13, true), (TRect{40, 25, 80, 38}));
    // Left or right alignment keeps rc's full width for the drawer.
    EXPECT_EQ(PlaceCaption(rc, 40, 13, false), (TRect{10, 25, 110, 38}));
    // Odd spare heights round toward the top; a text taller than rc starts above it.
    EXPECT_EQ(PlaceCaption({0, 0, 50, 20}, 10, 17, true).Top, 0);
    EXPECT_EQ(PlaceCaption({0, 0, 50, 10}, 10, 16, true).Top, -4);
}

TEST(CaptionLayout, ImageCaptionPlacesPictureAndTextByAlignment) {
    const TRect rc{0, 0, 80, 24};
    // Centred: (80 - 16 - 40) div 2 = 12 for the picture, the text right after it.
    ImageCaptionBoxes b = PlaceImageCaption(rc, true, 16, 16, 40, 14, 1);
    EXPECT_EQ(b.image, (TRect{12, 4, 28, 20}));
    EXPECT_EQ(b.text, (TRect{28, 5, 68, 19}));
    // Left: three pixels in.
    b = PlaceImageCaption(rc, true, 16, 16, 40, 14, 0);
    EXPECT_EQ(b.image.Left, 3);
    EXPECT_EQ(b.text.Left, 19);
    // Right: two pixels short of the right edge.
    b = PlaceImageCaption(rc, true, 16, 16, 40, 14, 2);
    EXPECT_EQ(b.image.Left, 22);
    EXPECT_EQ(b.text.Right, 78);
    // Offsets are from rc's corner.
    b = PlaceImageCaption(rc.Offset(100, 50), true, 16, 16, 40, 14, 1);
    EXPECT_EQ(b.image, (TRect{112, 54, 128, 70}));
}

TEST(CaptionLayout, ImageCaptionWithoutRoomOrPicture) {
    const TRect rc{0, 0, 80, 24};
    // A picture as wide as rc is left out and takes no room.
    ImageCaptionBoxes b = PlaceImageCaption(rc, true, 80, 16, 40, 14, 1);
    EXPECT_TRUE(b.image.IsEmpty());
    EXPECT_EQ(b.text.Left, 20);
    b = PlaceImageCaption(rc, false, 16, 16, 40, 14, 0);
    EXPECT_TRUE(b.image.IsEmpty());
    EXPECT_EQ(b.text.Left, 3);
    // An offset below 2 becomes 1; a text wider than rc is cut at rc.
    b = PlaceImageCaption(rc, true, 16, 16, 70, 14, 1);
    EXPECT_EQ(b.image.Left, 1);
    EXPECT_EQ(b.text, (TRect{17, 5, 80, 19}));
}

}  // namespace
