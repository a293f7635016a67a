// Caption buttons as data: the visibility codes, the action vetoes, placement by alignment, the cells of
// each look, and what a click does.
#include "skin/form/caption_buttons.h"

#include <gtest/gtest.h>

#include "skin/data/skin_object.h"

namespace {

TDataSkinSysButton Button(int action, int align, int x, int y, int vis, int vis1 = 0) {
    TDataSkinSysButton b;
    b.Action = action, b.Align = align, b.XCoord = x, b.YCoord = y, b.Visibility = vis, b.Visibility1 = vis1;
    return b;
}

ButtonContext Window(bool min, bool max, bool maximised = false) {
    ButtonContext c;
    c.hasMin = min, c.hasMax = max, c.hasSystem = true, c.maximised = maximised;
    return c;
}

// The buttons of our default skin, as the timing window and an ordinary window see them.
TEST(CaptionButtons, TheDefaultSkinsButtonsOnNormalAndMaximisedWindows) {
    const TDataSkinSysButton close = Button(0, 1, 28, 4, 0), max = Button(1, 1, 52, 4, 2, 6),
                             min = Button(2, 1, 76, 4, 8), restore = Button(1, 1, 52, 5, 1),
                             icon = Button(3, 0, 8, 7, 0);
    ButtonPlaceInput place;
    place.fwidth = 400;
    EXPECT_EQ(PlaceButton(close, 21, 21, place).Left, 372);
    EXPECT_EQ(PlaceButton(max, 21, 21, place).Left, 348);
    EXPECT_EQ(PlaceButton(min, 21, 21, place).Left, 324);
    EXPECT_EQ(PlaceButton(icon, 16, 16, place), (TRect{8, 7, 24, 23}));

    const ButtonContext normal = Window(true, true);
    EXPECT_TRUE(EvaluateButton(close, normal).visible);
    EXPECT_TRUE(EvaluateButton(max, normal).visible);
    EXPECT_TRUE(EvaluateButton(min, normal).visible);
    EXPECT_FALSE(EvaluateButton(restore, normal).visible);
    const ButtonContext maximised = Window(true, true, true);
    EXPECT_FALSE(EvaluateButton(max, maximised).visible);
    EXPECT_TRUE(EvaluateButton(restore, maximised).visible);  // in maximise's place

    // The timing window has no maximise box: maximise stays visible but disabled, in its cell 4.
    const ButtonContext timer = Window(true, false);
    const ButtonVisibility v = EvaluateButton(max, timer);
    EXPECT_TRUE(v.visible);
    EXPECT_FALSE(v.enabled);
    EXPECT_EQ(RestingCell(6, true, v.enabled), 4);
    EXPECT_TRUE(EvaluateButton(min, timer).enabled);

    // Without minimise and maximise boxes, code 8 hides, codes 7 and 9 show.
    const ButtonContext neither = Window(false, false);
    EXPECT_FALSE(EvaluateButton(min, neither).visible);
    EXPECT_TRUE(EvaluateButton(Button(5, 1, 1, 1, 7), neither).visible);
    EXPECT_TRUE(EvaluateButton(Button(5, 1, 1, 1, 9), neither).visible);
}

TEST(CaptionButtons, VisibilityCodesAndActionVetoes) {
    ButtonContext c = Window(true, true);
    auto shown = [&](int vis, int vis1 = 0, int action = 50) {
        return EvaluateButton(Button(action, 0, 0, 0, vis, vis1), c).visible;
    };
    EXPECT_FALSE(shown(-1));
    EXPECT_FALSE(shown(5));
    EXPECT_FALSE(shown(0, 5));  // both conditions must hold
    EXPECT_TRUE(shown(250));
    EXPECT_FALSE(shown(3000));
    c.active = false;
    EXPECT_FALSE(shown(3));
    EXPECT_TRUE(shown(4));
    // Help: the A column wants no minimise or maximise box, the B column only the help flag.
    c = Window(false, false);
    c.hasHelp = true;
    EXPECT_TRUE(shown(10, 10));
    c.hasMin = true;
    EXPECT_FALSE(shown(10, 0));
    EXPECT_TRUE(shown(0, 10));
    // 200: dialog-bordered windows that are not message boxes.
    c.dialogBorder = true;
    EXPECT_TRUE(shown(200));
    c.messageBox = true;
    EXPECT_FALSE(shown(200));

    // 1000..2000 ask the application; its answer stands for the A column alone.
    EXPECT_TRUE(AsksApplication(1000));
    EXPECT_TRUE(AsksApplication(2000));
    EXPECT_FALSE(AsksApplication(2001));
    const TDataSkinSysButton custom = Button(50, 0, 0, 0, 1500);
    EXPECT_FALSE(EvaluateButton(custom, c, false).visible);
    EXPECT_TRUE(EvaluateButton(custom, c, true).visible);

    // Vetoes: close needs the system menu, the icon buttons no dialog border.
    c = Window(true, true);
    c.hasSystem = false;
    EXPECT_FALSE(EvaluateButton(Button(0, 1, 28, 4, 0), c).visible);
    EXPECT_FALSE(EvaluateButton(Button(1, 1, 52, 4, 0), c).enabled);
    c.hasSystem = true;
    c.dialogBorder = true;
    for (int action : {3, 11, 12}) EXPECT_FALSE(EvaluateButton(Button(action, 0, 8, 7, 0), c).visible);
}

TEST(CaptionButtons, PlacementByAlignment) {
    ButtonPlaceInput in;
    in.fwidth = 400;
    in.ctr = {60, 7, 200, 21};
    in.bw = {4, 28, 4, 4};
    in.MenuHeight = 19;
    in.menubarLeft = 3;
    EXPECT_EQ(PlaceButton(Button(50, 2, 5, 6, 0), 16, 14, in), (TRect{39, 6, 55, 20}));  // left of the title
    EXPECT_EQ(PlaceButton(Button(50, 9, 5, 6, 0), 16, 14, in), (TRect{205, 6, 221, 20}));      // right of it
    EXPECT_EQ(PlaceButton(Button(50, 100, 20, 0, 0), 16, 15, in), (TRect{373, 30, 389, 45}));  // menu band
    EXPECT_EQ(PlaceButton(Button(50, 42, 20, 9, 0), 16, 15, in), (TRect{0, 0, 16, 15}));
}

TEST(CaptionButtons, CellsAndClicks) {
    EXPECT_EQ(RestingCell(6, true, true), 1);
    EXPECT_EQ(RestingCell(6, false, true), 4);
    EXPECT_EQ(RestingCell(3, false, false), 1);  // fewer than four cells: always the first
    EXPECT_EQ(StateCell(2, 6, true, false), 2);
    EXPECT_EQ(StateCell(3, 6, true, false), 3);
    EXPECT_EQ(StateCell(0, 6, true, false), 1);
    EXPECT_EQ(StateCell(2, 6, false, false), 4);
    EXPECT_EQ(StateCell(2, 3, false, false), 1);
    EXPECT_EQ(StateCell(3, 6, true, true), 4);

    EXPECT_EQ(ClickOf(0), ButtonClick::Close);
    EXPECT_EQ(ClickOf(22), ButtonClick::Maximize);
    EXPECT_EQ(ClickOf(23), ButtonClick::Minimize);
    EXPECT_EQ(ClickOf(12), ButtonClick::SystemMenu);
    EXPECT_EQ(ClickOf(61), ButtonClick::MdiRestore);
    EXPECT_EQ(ClickOf(5), ButtonClick::Application);
    EXPECT_EQ(ClickOf(-1), ButtonClick::None);
    EXPECT_STREQ(ButtonHint(0), L"Close");
    EXPECT_STREQ(ButtonHint(60), L"Minimize");
    EXPECT_STREQ(ButtonHint(8), L"Restore");
    EXPECT_STREQ(ButtonHint(3), L"");
}

}  // namespace
