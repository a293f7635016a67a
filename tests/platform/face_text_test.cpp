// Which text takes a skin's text colour: only default-coloured text on the skin's own face.
#include "platform/face_text.h"

#include <gtest/gtest.h>

TEST(FaceText, OnlyDefaultColouredTextOnTheFaceTakesTheSkinsColour) {
    const TColor dark = RGBColor(45, 45, 48), light = RGBColor(230, 230, 230);
    const TFaceText skin{dark, light};
    EXPECT_EQ(FaceTextColor(clWindowText, dark, &skin), light);
    EXPECT_EQ(FaceTextColor(clBtnText, dark, &skin), light);
    // A colour of its own stays, black included (it only looks like the default).
    EXPECT_EQ(FaceTextColor(clBlue, dark, &skin), clBlue);
    EXPECT_EQ(FaceTextColor(clBlack, dark, &skin), clBlack);
    // Another background keeps the default: the white of an edit, the platform's face, no skin at all.
    EXPECT_EQ(FaceTextColor(clWindowText, clWindow, &skin), clWindowText);
    EXPECT_EQ(FaceTextColor(clWindowText, clBtnFace, &skin), clWindowText);
    EXPECT_EQ(FaceTextColor(clWindowText, dark, nullptr), clWindowText);
}
