// What a skin load gives: the skin objects, caption buttons, colours and derived images of a skin laid out
// like the lap timer's, the image naming rules, and damaged packages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "skin/data/skin_data.h"
#include "skin/data/skin_manager_link.h"
#include "skin/imaging/img_util.h"
#include "skin/storage/lzh.h"
#include "skin/storage/skin_read.h"
#include "test_skins.h"

using namespace testskin;

namespace {

// The bytes of a SkinStream value: the count, then the packed skin.
std::vector<std::uint8_t> Framed(const std::vector<std::uint8_t>& packed) {
    TMemoryStream s;
    s.WriteInt32(std::int32_t(packed.size()));
    s.WriteBuffer(packed.data(), std::int64_t(packed.size()));
    return s.TakeBytes();
}

// A component that has read a SkinStream value, as the form reader hands it over.
std::unique_ptr<TSkinData> Read(const std::vector<std::uint8_t>& packed) {
    auto d = std::make_unique<TSkinData>(nullptr);
    TMemoryStream s(Framed(packed));
    d->ReadSkinStream(s);
    return d;
}

class DefaultSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite() { skin_ = Read(DefaultPackage()).release(); }
    static void TearDownTestSuite() {
        delete skin_;
        skin_ = nullptr;
    }
    static TSkinData* skin_;
    const TSkinData& d = *skin_;
};
TSkinData* DefaultSkin::skin_ = nullptr;

bool SameChannels(TColor a, TColor b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace

TEST_F(DefaultSkin, LoadsCompletely) {
    EXPECT_FALSE(d.Empty);
    EXPECT_EQ(d.SkinName, "Test Skin");
}

TEST_F(DefaultSkin, FrameBordersKeepTheirEndsAndCellLayout) {
    const TDataSkinBorder& left = *d.border[0];
    const TDataSkinBorder& right = *d.border[1];
    const TDataSkinBorder& top = *d.border[2];
    const TDataSkinBorder& bottom = *d.border[3];
    EXPECT_EQ(left.IDName, "Left");
    EXPECT_EQ(left.Map.Width(), 8);
    EXPECT_EQ(left.Map.Height(), 63);
    EXPECT_EQ(left.r, Rect(0, 28, 0, 4));
    EXPECT_EQ(left.frame, 2);
    EXPECT_EQ(CellWidth(left.Map, left.frame), 4);
    EXPECT_EQ(left.Tile, 1);
    EXPECT_EQ(left.trans, 1);
    // "Skin\right.bmp": the folder part is ignored
    EXPECT_EQ(right.Map.Width(), 8);
    EXPECT_EQ(right.Map.Pixel(5, 0), CellColor(2, 2));
    EXPECT_EQ(top.Map.Width(), 223);
    EXPECT_EQ(top.Map.Height(), 56);
    EXPECT_EQ(top.r, Rect(11, 0, 140, 0));
    EXPECT_EQ(CellHeight(top.Map, top.frame), 28);
    EXPECT_EQ(top.Tile, 0);
    EXPECT_EQ(bottom.Map.Width(), 41);
    EXPECT_EQ(bottom.r, Rect(1, 0, 1, 0));
    EXPECT_EQ(CellHeight(bottom.Map, bottom.frame), 4);
    // the caption colour: a pixel in the first third of the Top image's first cell
    EXPECT_EQ(d.GetCaptionColor(), CellColor(3, 1));
    EXPECT_EQ(d.Colors[17], CellColor(3, 1));
}

TEST_F(DefaultSkin, ButtonFaceAndCheckAndRadioMaps) {
    const TDataSkinButton& b = *d.Button;
    EXPECT_EQ(b.IDName, "Buttons");
    EXPECT_EQ(b.Map.Width(), 195);
    EXPECT_EQ(b.Map.Height(), 23);
    EXPECT_EQ(b.frame, 5);
    EXPECT_EQ(b.r, Rect(8, 9, 23, 9));
    EXPECT_EQ(b.trans, 1);
    EXPECT_EQ(b.CheckMap.Width(), 65);
    EXPECT_EQ(b.RadioMap.Height(), 13);
    EXPECT_EQ(b.checkframe, 5);
    EXPECT_EQ(b.radioframe, 5);
    // only the colour the skin gives counts as a new text colour; the others fall back to ButtonText
    EXPECT_TRUE(b.newnormal);
    EXPECT_FALSE(b.newover);
    EXPECT_EQ(b.Normalcolor2, RGBColor(12, 34, 56));
    EXPECT_EQ(b.Overcolor2, d.Colors[4]);
    EXPECT_EQ(b.Normalcolor, -1);
}

TEST_F(DefaultSkin, CaptionButtonsThenThreeMdiButtons) {
    ASSERT_EQ(d.SysBtn.size(), 8u);
    for (int i = 0; i < 4; ++i) {
        const TDataSkinSysButton& b = *d.SysBtn[std::size_t(i)];
        EXPECT_EQ(b.IDName, "BUTTON" + std::to_string(i));
        EXPECT_EQ(b.Map.Width(), 126);
        EXPECT_EQ(b.frame, 6) << i;  // 126 / 21 = 6.0 > 3.8
        EXPECT_EQ(b.Visibility1, 0);
        EXPECT_EQ(b.CombineOp, -1);
    }
    // Action 4 takes the position of the earlier Action 1 / Visibility 2 button
    EXPECT_EQ(d.SysBtn[2]->Action, 4);
    EXPECT_EQ(d.SysBtn[2]->XCoord, 44);
    EXPECT_EQ(d.SysBtn[2]->YCoord, 5);
    // the icon button has no image
    EXPECT_EQ(d.SysBtn[4]->Action, 3);
    EXPECT_TRUE(d.SysBtn[4]->Map.Empty());
    EXPECT_EQ(d.SysBtn[4]->frame, 6);

    const int xs[3] = {51, 34, 17};
    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& b = *d.SysBtn[std::size_t(5 + i)];
        EXPECT_EQ(b.Action, 7 + i);
        EXPECT_EQ(b.Align, 100);
        EXPECT_EQ(b.Visibility, 100);
        EXPECT_EQ(b.Visibility1, 100);
        EXPECT_EQ(b.frame, 4);
        EXPECT_EQ(b.Map.Width(), 52);
        EXPECT_EQ(b.Map.Height(), 13);
        EXPECT_EQ(b.XCoord, xs[i]);
        // its four cells are cells 4i+1 .. 4i+4 of the 12-cell strip
        EXPECT_EQ(b.Map.Pixel(0, 0), CellColor(13, 4 * i + 1));
        EXPECT_EQ(b.Map.Pixel(51, 12), CellColor(13, 4 * i + 4));
    }
}

TEST_F(DefaultSkin, TitleKeysAndTextColours) {
    const TDataSkinTitle& t = *d.Title;
    EXPECT_TRUE(t.Map.Empty());
    EXPECT_EQ(t.r, Rect(15, 0, 78, 0));
    EXPECT_EQ(t.FontHeight, 14);
    EXPECT_EQ(t.activetext, clWhite);
    EXPECT_EQ(t.inactivetext, clWhite);
    EXPECT_EQ(t.frame, 2);
}

TEST_F(DefaultSkin, AbsentSectionsLeaveNilAndBuiltInTracksStandIn) {
    EXPECT_EQ(d.MenuItem, nullptr);  // its Image key is empty
    EXPECT_EQ(d.TabSheet, nullptr);
    EXPECT_EQ(d.progresschunk, nullptr);
    EXPECT_EQ(d.MinCaption, nullptr);
    EXPECT_EQ(d.tab, nullptr);
    EXPECT_EQ(d.HSpin, nullptr);
    ASSERT_NE(d.TrackBar, nullptr);
    ASSERT_NE(d.TrackBarVert, nullptr);
    EXPECT_EQ(d.TrackBar->IDName, "TRACK");
    EXPECT_EQ(d.TrackBar->Map.Width(), 16);
    EXPECT_EQ(d.TrackBar->Map.Height(), 4);
    EXPECT_EQ(d.TrackBar->frame, 1);
    EXPECT_EQ(d.TrackBar->r, Rect(3, 3, 3, 3));
    EXPECT_EQ(d.TrackBarVert->Map.Width(), 4);
    EXPECT_EQ(d.TrackBarVert->Map.Height(), 16);
}

TEST_F(DefaultSkin, ScrollBarImagesAndCellCounts) {
    ASSERT_NE(d.SArrow, nullptr);
    EXPECT_EQ(d.SArrow->Map.Width(), 391);
    EXPECT_EQ(d.SArrow->frame, 23);
    EXPECT_EQ(CellWidth(d.SArrow->Map, d.SArrow->frame), 17);
    EXPECT_EQ(d.SArrow->trans, 1);
    EXPECT_EQ(d.HBar->frame, 4);
    EXPECT_EQ(d.VBar->r, Rect(0, 3, 0, 3));
    EXPECT_EQ(d.HSlider->frame, 3);  // FrameCount absent
    EXPECT_EQ(d.HSlider->r.Left, 4);
    EXPECT_EQ(d.VSlider->frame, 1);  // FrameCount=0 would divide by zero
    EXPECT_EQ(d.Header->frame, 5);
}

TEST_F(DefaultSkin, OtherObjectsFollowTheirReaders) {
    ASSERT_NE(d.Menubar, nullptr);
    EXPECT_EQ(d.Menubar->IDName, "Personality");
    EXPECT_EQ(d.Menubar->r, Rect(1, 0, 1, 0));  // the tiling flags, not margins
    EXPECT_EQ(d.Menubar->Tile, 1);
    EXPECT_EQ(d.Menubar->frame, 2);
    ASSERT_NE(d.boxlabel, nullptr);
    EXPECT_EQ(d.boxlabel->Tile, 0);  // 7 is no tiling mode
    EXPECT_EQ(d.boxlabel->Alignment, 1);
    EXPECT_EQ(d.boxlabel->frame, 1);
    EXPECT_EQ(d.Box->frame, 2);
    EXPECT_EQ(d.StatusBar->frame, 3);
    EXPECT_EQ(d.StatusBar->Tile, 1);
    ASSERT_NE(d.progress, nullptr);
    EXPECT_EQ(d.progress->Tile, 1);  // progress caps Tile at 1
    EXPECT_EQ(d.progress->frame, 2);
    EXPECT_EQ(d.progress->Normalcolor, 0);  // no colours are read for it
}

TEST_F(DefaultSkin, ColourSchemePresetsAndCustomColours) {
    EXPECT_EQ(d.Colors[3], RGBColor(237, 237, 237));
    EXPECT_TRUE(d.hasColors[3]);
    EXPECT_EQ(d.Colors[0], clWindowText);
    EXPECT_FALSE(d.hasColors[0]);
    EXPECT_EQ(d.Colors[13], RGBColor(236, 233, 216));
    EXPECT_EQ(d.Colors[1], clWhite);
    EXPECT_EQ(d.Colors[2], clInactiveCaptionText);
    EXPECT_EQ(d.Colors[9], 0u);
    ASSERT_EQ(d.ColorPreset.size(), 12u);
    EXPECT_EQ(d.ColorPreset[0], RGBColor(10, 20, 30));
    EXPECT_EQ(d.ColorPreset[6], RGBColor(0, 70, 213));
    EXPECT_EQ(d.ColorPreset[8], clWindowText);  // empty colour key
    for (TColor c : d.PresetColors) EXPECT_EQ(c, clWhite);

    TColor c = 0;
    EXPECT_TRUE(d.GetPrecolor(c, 6));
    EXPECT_EQ(c, RGBColor(0, 70, 213));
    EXPECT_FALSE(d.GetPrecolor(c, 12));
    EXPECT_FALSE(d.GetPrecolor(c, -1));
}

TEST_F(DefaultSkin, ComboFacesAreComposedFromEdgeAndButton) {
    // four 50 x 21 faces: the edge cell, the button cell in the right-hand 19 pixels, a transparent middle
    const TDataSkinBorder& combo = *d.combox;
    const TDataSkinObject& mirrored = *d.Comboxborder;
    const int w = 17 + 2;
    ASSERT_EQ(combo.Map.Width(), 200);
    ASSERT_EQ(combo.Map.Height(), 21);
    EXPECT_EQ(combo.style, 2);
    EXPECT_EQ(combo.r, Rect(2, 2, w + 2, 2));
    EXPECT_EQ(combo.frame, 4);
    for (int i = 1; i <= 4; ++i) {
        const int x0 = (i - 1) * 50;
        EXPECT_EQ(combo.Map.Pixel(x0, 0), CellColor(24, i)) << i;  // edge
        EXPECT_EQ(combo.Map.Pixel(x0 + 1, 10), CellColor(24, i)) << i;
        EXPECT_EQ(combo.Map.Pixel(x0 + 2, 2), kMagenta) << i;  // text area
        EXPECT_EQ(combo.Map.Pixel(x0 + 48 - w, 17), kMagenta) << i;
        EXPECT_EQ(combo.Map.Pixel(x0 + 49 - w, 10), CellColor(24, i)) << i;
        EXPECT_EQ(combo.Map.Pixel(x0 + 50 - w + 5, 10), CellColor(23, i)) << i;  // button
        EXPECT_EQ(combo.Map.Pixel(x0 + 49, 20), CellColor(23, i)) << i;
    }
    // the mirror: button on the left, margins swapped
    for (int x = 0; x < 200; x += 7)
        for (int y = 0; y < 21; y += 5) ASSERT_EQ(mirrored.Map.Pixel(199 - x, y), combo.Map.Pixel(x, y));
    EXPECT_EQ(mirrored.r.Left, w + 2);
    EXPECT_EQ(mirrored.r.Right, 2);
    // the mirrored copy of the button image as the skin gave it
    EXPECT_EQ(combo.MaskMap.Width(), 68);
    EXPECT_EQ(combo.MaskMap.Pixel(0, 0), CellColor(23, 4));
    EXPECT_EQ(combo.MaskMap.Pixel(67, 0), CellColor(23, 1));
}

TEST_F(DefaultSkin, ComboArrowAndToolbarAreDerived) {
    const TDataSkinObject& arrow = *d.comboxarrow;
    EXPECT_EQ(arrow.IDName, "ComboxArrow");
    ASSERT_EQ(arrow.Map.Width(), 68);
    ASSERT_EQ(arrow.Map.Height(), 17);
    EXPECT_EQ(arrow.frame, 4);
    for (int i = 1; i <= 4; ++i)
        for (int y = 0; y < 17; y += 4)
            for (int x = 0; x < 17; x += 4)
                ASSERT_EQ(arrow.Map.Pixel(17 * (i - 1) + x, y), d.combox->Map.Pixel(i * 50 - 19 + x, 2 + y));

    const TDataSkinObject& bar = *d.Toolbar;
    EXPECT_EQ(bar.IDName, "Toolbar");
    ASSERT_EQ(bar.Map.Width(), 10);
    ASSERT_EQ(bar.Map.Height(), 40);
    EXPECT_EQ(bar.frame, 1);
    const TColor caption = CellColor(3, 1);
    TColor bottom = BlendColors(RGBColor(0x80, 0x80, 0x80), caption, 150);
    if (ColorSaturation(caption) > 110)
        bottom = BlendColors(caption, clWhite, (225 - ColorSaturation(caption)) * 25 / 140 + 50);
    const TColor top = BlendColors(RGBColor(237, 237, 237), clWhite, 150);
    EXPECT_TRUE(SameChannels(bar.Map.Pixel(5, 0), top, 8));
    EXPECT_TRUE(SameChannels(bar.Map.Pixel(5, 39), bottom, 8));
    EXPECT_EQ(bar.Map.Pixel(0, 20), bar.Map.Pixel(9, 20));  // vertical: rows are uniform
}

TEST(SkinImages, NamesMustEndInLowerCaseBmpAndFoldersAreIgnored) {
    const std::string ini = R"([Buttons]
Bitmap=BUTTONS.BMP
CheckButton=C:\skins\x\CheckBox.bmp
RadioButton=radio.tga
[Personality]
Left=..\left.bmp.bak
Top=folder.bmp\top.bmp
Right=
)";
    auto d = Read(Package(ini, DefaultImages()));
    ASSERT_FALSE(d->Empty);
    EXPECT_TRUE(d->Button->Map.Empty());         // ".BMP" in capitals does not count
    EXPECT_EQ(d->Button->CheckMap.Width(), 65);  // folder part dropped, entry found in any case
    EXPECT_TRUE(d->Button->RadioMap.Empty());
    EXPECT_TRUE(d->border[0]->Map.Empty());
    EXPECT_EQ(d->border[2]->Map.Width(), 223);
    EXPECT_TRUE(d->border[1]->Map.Empty());
    // images cannot be read outside a load
    TBitmap b(3, 3);
    d->Readbmp(b, "left.bmp");
    EXPECT_TRUE(b.Empty());
}

TEST(SkinImages, CaptionButtonAndPresetSectionsAreChosenByName) {
    const std::string ini = R"([Button.Radio]
Action=0
[BUTTON.CHECKBOX]
Action=0
[Button]
Action=0
[ButtonX]
Action=-1
Visibility=0
ButtonImage=min.bmp
[ButtonY]
Action=-1
[buttonz]
Action=5
frame=2
[Colours]
ButtonFace=1 2 3
[Colours2]
color=300 0 0
[colour7]
)";
    auto d = Read(Package(ini, DefaultImages()));
    ASSERT_EQ(d->SysBtn.size(), 2u + 3u);
    EXPECT_EQ(d->SysBtn[0]->IDName, "BUTTONX");
    EXPECT_EQ(d->SysBtn[0]->Visibility1, -1);
    EXPECT_EQ(d->SysBtn[0]->frame, 6);  // any Action below 0
    EXPECT_EQ(d->SysBtn[1]->IDName, "BUTTONZ");
    EXPECT_EQ(d->SysBtn[1]->frame, 2);
    EXPECT_EQ(d->SysBtn[2]->Action, 7);
    EXPECT_TRUE(d->SysBtn[2]->Map.Empty());  // no MDI image
    ASSERT_EQ(d->ColorPreset.size(), 2u);
    EXPECT_EQ(d->ColorPreset[0], RGBColor(44, 0, 0));
    EXPECT_EQ(d->ColorPreset[1], clWindowText);
}

TEST(DamagedSkins, AnImageThatIsNoBmpLeavesAnEmptyBitmap) {
    std::vector<SkinPackageEntry> images = DefaultImages();
    for (auto& e : images)
        if (e.name == "buttons.bmp")
            e.data = {'B', 'M', 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3};
        else if (e.name == "checkbox.bmp")
            e.data.resize(40);  // cut short
    auto d = Read(Package(DefaultIni(), images));
    ASSERT_FALSE(d->Empty);
    EXPECT_TRUE(d->Button->Map.Empty());
    EXPECT_TRUE(d->Button->CheckMap.Empty());
    EXPECT_EQ(d->Button->checkframe, 4);  // the least a check box image has
    EXPECT_EQ(d->Button->RadioMap.Width(), 65);
}

TEST(DamagedSkins, ZeroAndNegativeCountsNeverReachThePainters) {
    const std::string ini = R"([Personality]
Top=top.bmp
TopFrame=0
Left=left.bmp
LeftFrame=-3
[Buttons]
CheckButton=checkbox.bmp
CheckButtonFrame=-2
[Headerbar]
Image=header.bmp
Frame=-1
[Track]
Image=hscroll.bmp
[Progress.Chunk]
Image=progress.bmp
Frame=-5
)";
    auto d = Read(Package(ini, DefaultImages()));
    ASSERT_FALSE(d->Empty);
    EXPECT_EQ(d->border[2]->frame, 1);
    EXPECT_EQ(d->border[0]->frame, 1);
    EXPECT_EQ(d->GetCaptionColor(), CellColor(3, 1));
    EXPECT_EQ(d->Button->checkframe, 5);  // as if the skin gave none
    EXPECT_EQ(d->Header->frame, 5);
    EXPECT_EQ(d->TrackBar->frame, 1);
    EXPECT_EQ(d->progresschunk->frame, 1);
    EXPECT_EQ(d->comboxarrow->frame, 1);  // neither combo image: an empty arrow
}

TEST(DamagedSkins, AFailedLoadKeepsThePreviousSkin) {
    auto d = Read(DefaultPackage());
    d->SetSkinFormtype(sfDialog);
    ASSERT_FALSE(d->Empty);
    const TDataSkinObject* arrows = d->SArrow.get();
    const std::size_t buttons = d->SysBtn.size();

    auto damagedHeader = [](std::int32_t dirLen, std::int32_t version) {
        std::vector<std::uint8_t> raw = BuildSkinPackageUnpacked({{"skin.ini", {'[', 'a', ']'}}});
        for (int i = 0; i < 4; ++i) {
            raw[std::size_t(i)] = std::uint8_t(std::uint32_t(version) >> (8 * i));
            raw[std::size_t(4 + i)] = std::uint8_t(std::uint32_t(dirLen) >> (8 * i));
        }
        return LzhPackBytes(raw);
    };
    const std::vector<std::vector<std::uint8_t>> rejected{
        {},                              // nothing
        {1, 2, 3},                       // shorter than the size prefix
        {0xFF, 0xFF, 0xFF, 0x7F, 1, 2},  // a size beyond reason
        damagedHeader(1 << 30, 70000),   // a directory longer than the package
        damagedHeader(-7, 70000),
        damagedHeader(12, 12345),  // a version nobody knows
    };
    std::vector<std::string> messages;
    const TSkinMessageHook previous =
        SetSkinMessageHook([&](const std::string& m) { messages.push_back(m); });
    for (const auto& bytes : rejected) {
        TMemoryStream s(bytes);
        d->LoadFromStream(s);
        EXPECT_TRUE(d->Empty);
        EXPECT_EQ(d->SArrow.get(), arrows);
        EXPECT_EQ(d->SysBtn.size(), buttons);
        EXPECT_EQ(d->Colors[3], RGBColor(237, 237, 237));
        EXPECT_EQ(d->SkinName, "Test Skin");
    }
    SetSkinMessageHook(previous);
    // only the unknown version is reported to the user; damage is refused silently
    EXPECT_EQ(messages, std::vector<std::string>{kOlderSkinMessage});
}

TEST(DamagedSkins, DamageTheCodecCannotSeeGivesAWholeSkinOrNone) {
    // The packed format has no check sum: a cut or garbled package may still unpack. Whatever comes out,
    // the component holds either the previous skin or a complete new one.
    const std::vector<std::uint8_t> good = DefaultPackage();
    std::vector<std::vector<std::uint8_t>> damaged;
    damaged.emplace_back(good.begin(), good.begin() + std::ptrdiff_t(good.size() / 2));
    damaged.emplace_back(good.begin(), good.begin() + 40);
    for (std::size_t step : {13u, 101u, 997u}) {
        auto flipped = good;
        for (std::size_t i = 4 + step; i < flipped.size(); i += step) flipped[i] ^= 0x5A;
        damaged.push_back(std::move(flipped));
    }
    for (const auto& bytes : damaged) {
        auto d = Read(DefaultPackage());
        const TDataSkinObject* arrows = d->SArrow.get();
        TMemoryStream s(bytes);
        d->SetSkinFormtype(sfDialog);
        d->LoadFromStream(s);
        if (d->Empty) {
            EXPECT_EQ(d->SArrow.get(), arrows);
        } else {
            ASSERT_NE(d->Button, nullptr);
            ASSERT_NE(d->Title, nullptr);
            ASSERT_NE(d->comboxarrow, nullptr);
            ASSERT_NE(d->Toolbar, nullptr);
            EXPECT_GE(d->SysBtn.size(), 3u);
        }
    }
}

TEST(DamagedSkins, ASkinStreamCountBeyondItsBytesLoadsNothing) {
    const std::vector<std::uint8_t> packed = DefaultPackage();
    for (std::int32_t count : {std::int32_t(packed.size()) + 1, std::int32_t(-5), std::int32_t(0x7FFFFFFF)}) {
        TSkinData d(nullptr);
        TMemoryStream s;
        s.WriteInt32(count);
        s.WriteBuffer(packed.data(), std::int64_t(packed.size()));
        s.SetPosition(0);
        d.ReadSkinStream(s);
        EXPECT_TRUE(d.Empty) << count;
        EXPECT_EQ(d.data.Size(), 0) << count;
        EXPECT_EQ(d.SArrow, nullptr);
    }
}

TEST(SecondSkin, ReplacesEveryObjectOfTheFirst) {
    auto d = Read(DefaultPackage());
    ASSERT_FALSE(d->Empty);
    TDataSkinButton* button = d->Button.get();
    TDataSkinBorder* top = d->border[2].get();
    const TDataSkinObject* before[] = {
        d->SArrow.get(),   d->HBar.get(),     d->VBar.get(),        d->HSlider.get(),      d->VSlider.get(),
        d->Header.get(),   d->Box.get(),      d->StatusBar.get(),   d->Comboxborder.get(), d->combox.get(),
        d->progress.get(), d->TrackBar.get(), d->TrackBarVert.get()};

    d->SetSkinFormtype(sfDialog);  // no manager involved
    TMemoryStream s(SecondPackage());
    d->LoadFromStream(s);
    ASSERT_FALSE(d->Empty);
    EXPECT_EQ(d->SkinName, "Second");
    const TDataSkinObject* after[] = {
        d->SArrow.get(),   d->HBar.get(),     d->VBar.get(),        d->HSlider.get(),      d->VSlider.get(),
        d->Header.get(),   d->Box.get(),      d->StatusBar.get(),   d->Comboxborder.get(), d->combox.get(),
        d->progress.get(), d->TrackBar.get(), d->TrackBarVert.get()};
    for (std::size_t i = 0; i < std::size(before); ++i) {
        ASSERT_NE(after[i], nullptr) << i;
        EXPECT_NE(after[i], before[i]) << i;
    }
    EXPECT_EQ(d->Menubar, nullptr);  // the second skin has no menu bar image
    // the long-lived objects stay where they were, with the new skin's contents
    EXPECT_EQ(d->Button.get(), button);
    EXPECT_EQ(d->border[2].get(), top);
    EXPECT_EQ(button->Map.Width(), 100);
    EXPECT_EQ(button->checkframe, 4);
    EXPECT_EQ(top->Map.Height(), 24);
    EXPECT_EQ(top->frame, 1);
    EXPECT_EQ(top->r, Rect(0, 0, 0, 0));
    EXPECT_EQ(d->Title->r.Left, 3);
    EXPECT_EQ(d->Title->activetext, clNone);
    // new objects of the second skin
    EXPECT_NE(d->MenuItem, nullptr);
    EXPECT_NE(d->progresschunk, nullptr);
    EXPECT_EQ(d->progresschunk->frame, 3);
    ASSERT_NE(d->TabSheet, nullptr);
    EXPECT_EQ(d->TabSheet->r, Rect(4, 2, 0, 0));  // margins above 4 are cut
    EXPECT_EQ(d->tab->frame, 5);
    EXPECT_EQ(d->tab->MaskMap.Width(), 64);
    EXPECT_EQ(d->HSpin->frame, 8);
    EXPECT_EQ(d->HSpin->MaskMap.Width(), 64);
    EXPECT_EQ(d->VSpin->MaskMap.Width(), 0);
    EXPECT_EQ(d->TrackBar->IDName, "Track");
    EXPECT_EQ(d->TrackBar->frame, 2);
    EXPECT_EQ(d->HSlider->frame, 2);
    EXPECT_EQ(d->Header->frame, 2);
    EXPECT_EQ(d->TrackHorz->frame, 5);
    // caption buttons, MDI images, colours
    ASSERT_EQ(d->SysBtn.size(), 4u);
    EXPECT_EQ(d->SysBtn[0]->frame, 3);  // 60 / 20 = 3.0
    EXPECT_EQ(d->SysBtn[1]->Map.Width(), 40);
    EXPECT_EQ(d->SysBtn[1]->XCoord, (10 + 4) * 3);
    EXPECT_EQ(d->Colors[3], RGBColor(10, 20, 30));
    EXPECT_EQ(d->Colors[13], RGBColor(10, 20, 30));  // Menubar defaults to the ButtonFace just read
    EXPECT_EQ(d->Colors[1], clCaptionText);
    ASSERT_EQ(d->ColorPreset.size(), 1u);
    EXPECT_EQ(d->PresetColors[3], RGBColor(1, 2, 3));
    EXPECT_EQ(d->PresetColors[4], clWhite);
}

namespace {

// Every object a skin can describe, with the section it is read from.
struct SkinPart {
    const char* section;
    const TDataSkinObject* (*get)(const TSkinData&);
};
#define TV_PART(section, field)                                                             \
    {                                                                                       \
        section, [](const TSkinData& d) -> const TDataSkinObject* { return d.field.get(); } \
    }
const SkinPart kOptionalParts[] = {
    TV_PART("Progress", progress),
    TV_PART("Progress.Chunk", progresschunk),
    TV_PART("GroupBoxEdge", Box),
    TV_PART("GroupBox", boxlabel),
    TV_PART("Tabs", tab),
    TV_PART("StatusBarEdges", StatusBar),
    TV_PART("Tab.Pane", TabSheet),
    TV_PART("ToolBars", Toolbarbtn),
    TV_PART("ComboButton", combox),
    TV_PART("SunkEdge", Comboxborder),
    TV_PART("ExtraImages", ExtraImages),
    TV_PART("Headerbar", Header),
    TV_PART("MenuItem", MenuItem),
    TV_PART("MenuBackground", MenuitemBG),
    TV_PART("Scrollbar", SArrow),
    TV_PART("HorzScroll", HBar),
    TV_PART("VertScroll", VBar),
    TV_PART("HorzScrollThumb", HSlider),
    TV_PART("VertScrollThumb", VSlider),
    TV_PART("Trackbar.ThumbHorz", TrackHorz),
    TV_PART("Trackbar.ThumbVert", TrackVert),
    TV_PART("Trackbar.ThumbLeft", TrackLeft),
    TV_PART("Trackbar.ThumbRight", Trackright),
    TV_PART("Trackbar.ThumbUp", Tracktop),
    TV_PART("Trackbar.ThumbDown", Trackbottom),
    TV_PART("UpDown.Horz", HSpin),
    TV_PART("UpDown.Vert", VSpin),
    TV_PART("Track", TrackBar),
    TV_PART("TRACKVERT", TrackBarVert),
};
#undef TV_PART

// A skin that sets every object, every scheme colour, presets and custom colours: each object section
// has its own image and its own Trans value (its position in kOptionalParts, from 1).
std::vector<std::uint8_t> CompleteSkin() {
    std::string ini = "[TitlebarSkin]\nSkinName=Complete\n[Fonts]\nFontHeight=20\n";
    ini +=
        "[Personality]\nLeft=left.bmp\nRight=right.bmp\nTop=top.bmp\nBottom=bottom.bmp\nmenuBar=menubar.bmp\n"
        "TextBack=menubar.bmp\nActiveTextR=1\nActiveTextG=2\nActiveTextB=3\n";
    ini +=
        "[Buttons]\nBitmap=buttons.bmp\nCheckButton=checkbox.bmp\nRadioButton=radio.bmp\n"
        "NormalColour2=1 1 1\nMouseOverColour2=2 2 2\nPressedColour2=3 3 3\n";
    ini += "[Button0]\nAction=0\nButtonImage=close.bmp\n[MDIControls]\nImage=mdi.bmp\n";
    ini += "[Colours]\n";
    for (const TSchemeColorKey& k : kSchemeColorKeys)
        ini += std::string(k.key) + "=" + std::to_string(k.index) + " 100 200\n";
    ini += "[Colour0]\ncolor=1 2 3\n[Colour1]\ncolor=4 5 6\n[Customcolors]\n";
    for (int i = 0; i < 10; ++i) ini += "Color" + std::to_string(i) + "=" + std::to_string(i) + " 9 9\n";
    std::vector<SkinPackageEntry> images = DefaultImages();
    for (std::size_t i = 0; i < std::size(kOptionalParts); ++i) {
        const std::string image = "part" + std::to_string(i) + ".bmp";
        const char* key = std::string(kOptionalParts[i].section) == "Progress" ? "Bitmap" : "Image";
        ini += std::string("[") + kOptionalParts[i].section + "]\n" + key + "=" + image +
               "\nTrans=" + std::to_string(i + 1) + "\nBorder=radio.bmp\nGlyphImage=radio.bmp\n";
        images.push_back({image, BmpBytes(CellStrip(80, 21, 4, 40 + int(i)))});
    }
    return Package(ini, images);
}

}  // namespace

TEST(WholeSkin, EveryPartIsTakenOverAndAnEmptySkinClearsEveryOne) {
    auto d = Read(DefaultPackage());
    d->SetSkinFormtype(sfDialog);  // no manager involved
    {
        TMemoryStream s(CompleteSkin());
        d->LoadFromStream(s);
    }
    ASSERT_FALSE(d->Empty);
    EXPECT_EQ(d->SkinName, "Complete");
    for (std::size_t i = 0; i < std::size(kOptionalParts); ++i) {
        const SkinPart& part = kOptionalParts[i];
        const TDataSkinObject* o = part.get(*d);
        ASSERT_NE(o, nullptr) << part.section;
        EXPECT_EQ(o->IDName, part.section);
        EXPECT_EQ(o->trans, int(i + 1)) << part.section;
        EXPECT_FALSE(o->Map.Empty()) << part.section;
    }
    ASSERT_NE(d->Menubar, nullptr);
    EXPECT_EQ(d->MinCaption, nullptr);  // no section fills it
    for (const auto& b : d->border) EXPECT_FALSE(b->Map.Empty()) << b->IDName;
    EXPECT_FALSE(d->Title->Map.Empty());
    EXPECT_EQ(d->Title->FontHeight, 20);
    EXPECT_EQ(d->Title->activetext, RGBColor(1, 2, 3));
    EXPECT_FALSE(d->Button->RadioMap.Empty());
    EXPECT_TRUE(d->Button->newdown);
    ASSERT_EQ(d->SysBtn.size(), 1u + 3u);
    EXPECT_FALSE(d->SysBtn[3]->Map.Empty());
    for (const TSchemeColorKey& k : kSchemeColorKeys) {
        EXPECT_TRUE(d->hasColors[std::size_t(k.index)]) << k.key;
        EXPECT_EQ(d->Colors[std::size_t(k.index)], RGBColor(k.index, 100, 200)) << k.key;
    }
    EXPECT_EQ(d->ColorPreset, (std::vector<TColor>{RGBColor(1, 2, 3), RGBColor(4, 5, 6)}));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(d->PresetColors[std::size_t(i)], RGBColor(i, 9, 9));
    ASSERT_FALSE(d->comboxarrow->Map.Empty());

    // A skin that says nothing: every part of the complete skin goes, the long-lived objects stay and
    // are emptied, the colours fall back to the scheme defaults.
    const TDataSkinBorder* top = d->border[2].get();
    const TDataSkinTitle* title = d->Title.get();
    const TDataSkinButton* button = d->Button.get();
    const TDataSkinObject* toolbar = d->Toolbar.get();
    const TDataSkinObject* arrow = d->comboxarrow.get();
    const int arrowWidth = arrow->Map.Width();
    {
        TMemoryStream s(Package("", {}));
        d->LoadFromStream(s);
    }
    ASSERT_FALSE(d->Empty);
    EXPECT_EQ(d->SkinName, "");
    for (const SkinPart& part : kOptionalParts) {
        const TDataSkinObject* o = part.get(*d);
        if (std::string(part.section) == "Track" || std::string(part.section) == "TRACKVERT") {
            ASSERT_NE(o, nullptr);  // the built-in tracks stand in
            EXPECT_EQ(o->trans, 0);
            EXPECT_EQ(o->r, Rect(3, 3, 3, 3));
            continue;
        }
        EXPECT_EQ(o, nullptr) << part.section;
    }
    EXPECT_EQ(d->Menubar, nullptr);
    EXPECT_EQ(d->border[2].get(), top);
    for (const auto& b : d->border) EXPECT_TRUE(b->Map.Empty()) << b->IDName;
    EXPECT_EQ(d->Title.get(), title);
    EXPECT_TRUE(title->Map.Empty());
    EXPECT_EQ(title->FontHeight, 14);
    EXPECT_EQ(title->activetext, clNone);
    EXPECT_EQ(d->Button.get(), button);
    EXPECT_TRUE(button->Map.Empty());
    EXPECT_TRUE(button->RadioMap.Empty());
    EXPECT_FALSE(button->newdown);
    EXPECT_EQ(d->Toolbar.get(), toolbar);
    EXPECT_EQ(d->comboxarrow.get(), arrow);  // no combo images: the arrow keeps what it had
    EXPECT_EQ(arrow->Map.Width(), arrowWidth);
    ASSERT_EQ(d->SysBtn.size(), 3u);  // the MDI buttons only, without images
    for (const auto& b : d->SysBtn) EXPECT_TRUE(b->Map.Empty());

    TShemeColors defaults = DefaultSchemeColors();
    defaults[17] = defaults[3];  // the caption colour of a skin without a Top image
    EXPECT_EQ(d->Colors, defaults);
    EXPECT_EQ(d->hasColors, THasColors{});
    EXPECT_TRUE(d->ColorPreset.empty());
    for (TColor c : d->PresetColors) EXPECT_EQ(c, clWhite);
}
