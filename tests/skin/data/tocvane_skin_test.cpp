// The skin the program carries, as the build draws and packs it: what the engine reads from it, and the
// second skin loading over it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"

namespace {

std::vector<std::uint8_t> FileBytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class TocvaneSkin : public ::testing::Test {
protected:
    void SetUp() override {
        const std::vector<std::uint8_t> packed = FileBytes(TV_DEFAULT_SKIN);
        ASSERT_FALSE(packed.empty()) << TV_DEFAULT_SKIN;
        d.SetSkinFormtype(sfDialog);
        TMemoryStream s(packed);
        d.LoadFromStream(s);
        ASSERT_FALSE(d.Empty);
    }
    void TearDown() override { FreeSkinManager(); }
    TSkinData d{nullptr};
};

}  // namespace

TEST_F(TocvaneSkin, FrameButtonAndTitle) {
    for (int i : {0, 1}) {
        const TDataSkinBorder& side = *d.border[std::size_t(i)];
        EXPECT_EQ(side.Map.Width(), 8);
        EXPECT_EQ(side.Map.Height(), 63);
        EXPECT_EQ(side.r, Rect(0, 28, 0, 4));
        EXPECT_EQ(CellWidth(side.Map, side.frame), 4);
        EXPECT_EQ(side.Tile, 1);
        EXPECT_EQ(side.trans, 1);
    }
    const TDataSkinBorder& top = *d.border[2];
    EXPECT_EQ(top.Map.Width(), 223);
    EXPECT_EQ(top.Map.Height(), 56);
    EXPECT_EQ(top.r, Rect(11, 0, 140, 0));
    EXPECT_EQ(CellHeight(top.Map, top.frame), 28);
    EXPECT_EQ(top.Tile, 0);
    const TDataSkinBorder& bottom = *d.border[3];
    EXPECT_EQ(bottom.Map.Width(), 41);
    EXPECT_EQ(bottom.r, Rect(1, 0, 1, 0));
    EXPECT_EQ(CellHeight(bottom.Map, bottom.frame), 4);

    const TDataSkinButton& b = *d.Button;
    EXPECT_EQ(b.Map.Width(), 195);
    EXPECT_EQ(b.Map.Height(), 23);
    EXPECT_EQ(b.frame, 5);
    EXPECT_EQ(b.r, Rect(8, 9, 23, 9));
    EXPECT_EQ(b.trans, 1);
    EXPECT_EQ(b.CheckMap.Width(), 65);
    EXPECT_EQ(b.RadioMap.Height(), 13);
    EXPECT_EQ(b.checkframe, 5);
    EXPECT_EQ(b.radioframe, 5);

    EXPECT_TRUE(d.Title->Map.Empty());
    EXPECT_EQ(d.Title->r.Left, 15);
    EXPECT_EQ(d.Title->r.Right, 78);
    EXPECT_EQ(d.Title->FontHeight, 14);
    EXPECT_EQ(d.Title->activetext, clWhite);
    EXPECT_EQ(d.Title->inactivetext, clWhite);
}

TEST_F(TocvaneSkin, CaptionButtonsAndMdiImages) {
    ASSERT_EQ(d.SysBtn.size(), 8u);
    int withImage = 0;
    for (int i = 0; i < 5; ++i) {
        const TDataSkinSysButton& b = *d.SysBtn[std::size_t(i)];
        if (b.Map.Width() == 126 && b.Map.Height() == 21) {
            ++withImage;
            EXPECT_EQ(b.frame, 6) << i;
        }
        if (b.Action == 3) {
            EXPECT_TRUE(b.Map.Empty());
        }
    }
    EXPECT_EQ(withImage, 4);
    EXPECT_EQ(d.SysBtn[4]->Action, 3);
    const int xs[3] = {51, 34, 17};
    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& b = *d.SysBtn[std::size_t(5 + i)];
        EXPECT_EQ(b.Map.Width(), 52);
        EXPECT_EQ(b.Map.Height(), 13);
        EXPECT_EQ(b.XCoord, xs[i]);
    }
}

TEST_F(TocvaneSkin, AbsentObjectsAndScrollImages) {
    EXPECT_EQ(d.MenuItem, nullptr);
    EXPECT_EQ(d.TabSheet, nullptr);
    EXPECT_EQ(d.progresschunk, nullptr);
    ASSERT_NE(d.TrackBar, nullptr);
    EXPECT_EQ(d.TrackBar->IDName, "TRACK");
    EXPECT_EQ(d.TrackBarVert->IDName, "TRACKVERT");
    ASSERT_NE(d.SArrow, nullptr);
    EXPECT_EQ(d.SArrow->Map.Width(), 391);
    EXPECT_EQ(d.SArrow->Map.Height(), 16);
    EXPECT_EQ(d.SArrow->frame, 23);
    EXPECT_EQ(CellWidth(d.SArrow->Map, 23), 17);
    EXPECT_EQ(d.HSlider->frame, 3);
    EXPECT_EQ(d.Header->frame, 5);
}

TEST_F(TocvaneSkin, ColoursAndPresets) {
    EXPECT_EQ(d.Colors[3], RGBColor(237, 237, 237));
    EXPECT_TRUE(d.hasColors[3]);
    EXPECT_EQ(d.Colors[0], clWindowText);
    EXPECT_FALSE(d.hasColors[0]);
    EXPECT_EQ(d.Colors[13], RGBColor(236, 233, 216));
    EXPECT_EQ(d.ColorPreset.size(), 12u);
    TColor c = 0;
    EXPECT_TRUE(d.GetPrecolor(c, 6));
    EXPECT_EQ(c, RGBColor(0, 70, 213));
    EXPECT_FALSE(d.GetPrecolor(c, 12));
    for (TColor custom : d.PresetColors) EXPECT_EQ(custom, clWhite);
}

TEST_F(TocvaneSkin, TheFullSkinReplacesItWhole) {
    const TDataSkinObject* arrows = d.SArrow.get();
    const TDataSkinButton* button = d.Button.get();
    TMemoryStream s(FileBytes(TV_FULL_SKIN));
    d.LoadFromStream(s);
    ASSERT_FALSE(d.Empty);
    EXPECT_NE(d.SArrow.get(), arrows);
    EXPECT_EQ(d.Button.get(), button);
    EXPECT_NE(d.SkinName, "Tocvane");
    // the full skin supplies the optional elements the default one lacks
    EXPECT_NE(d.MenuItem, nullptr);
    EXPECT_NE(d.TabSheet, nullptr);
    EXPECT_NE(d.progresschunk, nullptr);
}
