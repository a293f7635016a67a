// The title text of a skinned caption: alignment, vertical placement, the right clip before the title's
// clip point or a popup window's buttons, right-to-left windows and dialogs.
#include "skin/form/caption_text.h"

#include <gtest/gtest.h>

namespace {

CaptionTextInput Caption(int areaWidth, int textWidth, int alignment) {
    CaptionTextInput in;
    in.area = {4, 0, 4 + areaWidth, 28};
    in.textWidth = textWidth;
    in.textHeight = 14;
    in.alignment = alignment;
    return in;
}

TEST(CaptionText, AlignmentAndVerticalPlacement) {
    // Centred: a 200-pixel area and a text of 81 with its caps gives dx 59.
    CaptionTextInput in = Caption(200, 71, 1);
    in.backleft = 6;
    in.backright = 4;
    CaptionTextBoxes b = LayoutCaptionText(in);
    EXPECT_EQ(b.text.Left, 4 + 59);
    EXPECT_EQ(b.text.Width(), 81);
    EXPECT_EQ(b.background, (TRect{63, 0, 144, 28}));  // the caps span the full caption height
    EXPECT_EQ(b.drawn.Left, 69);
    EXPECT_EQ(b.drawn.Right, 140);
    // Vertically centred, moved down by half the title's top shift.
    EXPECT_EQ(b.text.Top, 7);
    in.shifts.Top = 5;
    EXPECT_EQ(LayoutCaptionText(in).text.Top, 9);

    // Left: the title's left shift; right: its right clip from the right edge.
    in = Caption(392, 100, 0);
    in.shifts = {15, 0, 80, 0};
    EXPECT_EQ(LayoutCaptionText(in).text.Left, 19);  // the timing window's text starts at x 19
    in.alignment = 2;
    EXPECT_EQ(LayoutCaptionText(in).text.Left, 4 + 392 - 80 - 100);
}

TEST(CaptionText, LongTitlesAreCutBeforeTheButtons) {
    // An ordinary window: at the title's right clip (the timing window's text ends at x 320).
    CaptionTextInput in = Caption(394, 400, 0);
    in.shifts = {15, 0, 78, 0};
    EXPECT_EQ(LayoutCaptionText(in).text.Right, 398 - 78);
    // A popup window: five pixels before its right-aligned buttons.
    in.popup = true;
    in.rightButtons = 76;
    EXPECT_EQ(LayoutCaptionText(in).text.Right, 398 - 76 - 5);
    // ... but only when it has such buttons.
    in.rightButtons = 5;
    EXPECT_EQ(LayoutCaptionText(in).text.Right, 4 + 15 + 400);
}

TEST(CaptionText, RightToLeftAndDialogs) {
    CaptionTextInput in = Caption(200, 50, 0);
    in.bidileft = true;
    in.rightButtons = 60;
    in.shifts = {15, 0, 78, 0};
    // Left alignment becomes right: before the buttons, then ten pixels further right.
    EXPECT_EQ(LayoutCaptionText(in).text.Left, 4 + 200 - 60 - 50 + 10);
    // A text too wide to fit starts at the title's left shift.
    in.textWidth = 300;
    EXPECT_EQ(LayoutCaptionText(in).text.Left, 15 + 10);

    // Dialogs have no icon: a left-aligned title moves 16 pixels left.
    in = Caption(200, 50, 0);
    in.shifts.Left = 20;
    in.dialog = true;
    EXPECT_EQ(LayoutCaptionText(in).text.Left, 4 + 20 - 16);
    in.alignment = 1;
    EXPECT_EQ(LayoutCaptionText(in).text.Left, 4 + 75);
}

}  // namespace
