// Colour text, the option sets, the third-party class map and the built-in images.
#include <gtest/gtest.h>

#include "skin/data/skin_options.h"
#include "skin/data/skin_resources.h"

TEST(ParseColorText, ReadsUpToThreeNumbersSeparatedByAnything) {
    EXPECT_EQ(ParseColorText("237, 237, 237"), RGBColor(237, 237, 237));
    EXPECT_EQ(ParseColorText("  237 237 237  "), RGBColor(237, 237, 237));
    EXPECT_EQ(ParseColorText("0 0 0"), clBlack);
    EXPECT_EQ(ParseColorText("1;2/3"), RGBColor(1, 2, 3));
    EXPECT_EQ(ParseColorText("300 0 0"), RGBColor(44, 0, 0));   // modulo 256
    EXPECT_EQ(ParseColorText("1 2 3 4 5"), RGBColor(1, 2, 3));  // only the first three count
    EXPECT_EQ(ParseColorText(""), clBlack);
    EXPECT_EQ(ParseColorText("   "), clBlack);
    // a number is stored only when a non-digit follows it, except the third
    EXPECT_EQ(ParseColorText("200"), clBlack);
    EXPECT_EQ(ParseColorText("1 2"), RGBColor(1, 0, 0));
    EXPECT_EQ(ParseColorText("1 2 "), RGBColor(1, 0, 0));  // trimmed first
    EXPECT_EQ(ParseColorText("1 2,"), RGBColor(1, 2, 0));
    EXPECT_EQ(ParseColorText("red 10 green 20 blue 30"), RGBColor(10, 20, 30));
    // numbers far beyond 32 bits still come out modulo 256
    EXPECT_EQ(ParseColorText("999999999999999999999 256 257"), RGBColor(255, 0, 1));  // 10^21 - 1
}

TEST(SkinOptions, DefaultsAndBitOrdinals) {
    const TSkinControlTypes controls = DefaultSkinControls();
    EXPECT_EQ(controls.Bits(), 0x1FFFFBu);  // 22 values without xcMenuItem (bit 2) and xcFastReport (bit 21)
    EXPECT_TRUE(controls.Contains(xcMainMenu));
    EXPECT_TRUE(controls.Contains(xcSystemMenu));
    EXPECT_FALSE(controls.Contains(xcMenuItem));
    EXPECT_FALSE(controls.Contains(xcFastReport));
    EXPECT_EQ(DefaultSkinOptions().Bits(), (1u << 3) | (1u << 6) | (1u << 10));
    EXPECT_EQ(AllWinContainers().Bits(), 0x3FFu);
    EXPECT_EQ(kSkinControlTypeNames[21], "xcFastReport");
    EXPECT_EQ(kSkinOptionNames[10], "xoCaptionButtonHint");
    EXPECT_EQ(kSkinFormTypeNames[1], "sfOnlyThisForm");
}

TEST(SkinOptions, SchemeDefaultsAreSystemColours) {
    const TShemeColors c = DefaultSchemeColors();
    EXPECT_EQ(c[0], clWindowText);
    EXPECT_EQ(c[3], clBtnFace);
    EXPECT_EQ(c[6], clBtnHighlight);
    EXPECT_EQ(c[13], clBtnFace);
    EXPECT_EQ(c[18], clScrollBar);
    EXPECT_EQ(c[9], 0u);
    EXPECT_EQ(c[17], 0u);
    EXPECT_EQ(c[19], 0u);
}

TEST(Skin3rd, DefaultRowsAndLookup) {
    const auto& rows = DefaultSkin3rdRows();
    ASSERT_EQ(rows.size(), 118u);
    EXPECT_EQ(rows.front(), "TCategoryButtons=scrollbar");
    EXPECT_EQ(rows.back(), "TOVCDBNUMERICFIELD=Edit");
    TStringList list;
    FillDefaultSkin3rd(list);
    EXPECT_EQ(list.Count(), 118);
    EXPECT_EQ(LookupSkin3rd(list, "TPngBitBtn"), "pngbitbtn");
    EXPECT_EQ(LookupSkin3rd(list, "tlmdgroupbox"), "groupbox");  // the first of two rows wins
    EXPECT_EQ(LookupSkin3rd(list, "TRzGroup"), "panel");         // a prefix of TRzGroup... needs the "="
    EXPECT_EQ(LookupSkin3rd(list, "TRzGro"), "");
    EXPECT_EQ(LookupSkin3rd(list, "TButton"), "");
    list.Add("TMine=" + std::string(80, 'x'));
    EXPECT_EQ(LookupSkin3rd(list, "tmine").size(), 50u);
}

TEST(BuiltInImages, GroovesAndMenuGlyphs) {
    TBitmap track;
    ASSERT_TRUE(LoadSkinResourceBitmap("TRACK", track));
    ASSERT_EQ(track.Width(), 16);
    ASSERT_EQ(track.Height(), 4);
    const TColor silver = RGBColor(0xC0, 0xC0, 0xC0), grey = RGBColor(0x80, 0x80, 0x80);
    EXPECT_EQ(track.Pixel(0, 0), silver);
    EXPECT_EQ(track.Pixel(2, 0), grey);
    EXPECT_EQ(track.Pixel(13, 0), grey);
    EXPECT_EQ(track.Pixel(14, 0), clWhite);
    EXPECT_EQ(track.Pixel(0, 2), grey);
    EXPECT_EQ(track.Pixel(1, 2), silver);
    EXPECT_EQ(track.Pixel(15, 3), clWhite);

    TBitmap vert;
    ASSERT_TRUE(LoadSkinResourceBitmap("trackvert", vert));
    ASSERT_EQ(vert.Width(), 4);
    ASSERT_EQ(vert.Height(), 16);
    EXPECT_EQ(vert.Pixel(2, 0), grey);
    EXPECT_EQ(vert.Pixel(3, 0), silver);
    EXPECT_EQ(vert.Pixel(3, 1), silver);
    EXPECT_EQ(vert.Pixel(0, 2), grey);
    EXPECT_EQ(vert.Pixel(0, 13), grey);
    EXPECT_EQ(vert.Pixel(1, 13), clWhite);
    EXPECT_EQ(vert.Pixel(0, 14), clWhite);

    TBitmap glyphs;
    ASSERT_TRUE(LoadSkinResourceBitmap("PELISKMENU", glyphs));
    ASSERT_EQ(glyphs.Width(), 64);
    ASSERT_EQ(glyphs.Height(), 16);
    EXPECT_EQ(glyphs.PixelFormat(), pf1bit);
    auto inked = [&](int cell) {
        int n = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) n += glyphs.Pixel(cell * 16 + x, y) == clBlack;
        return n;
    };
    for (int cell = 0; cell < 4; ++cell) EXPECT_GT(inked(cell), 8) << cell;
    EXPECT_EQ(glyphs.Pixel(mgMinimize * 16 + 7, 11), clBlack);  // the bar sits low
    EXPECT_EQ(glyphs.Pixel(mgMinimize * 16 + 7, 5), clWhite);
    EXPECT_EQ(glyphs.Pixel(mgClose * 16 + 3, 3), clBlack);  // the cross's corners
    EXPECT_EQ(glyphs.Pixel(mgClose * 16 + 3, 11), clBlack);
    EXPECT_EQ(glyphs.Pixel(0, 0), clWhite);

    EXPECT_FALSE(LoadSkinResourceBitmap("NOSUCH", glyphs));
    EXPECT_TRUE(glyphs.Empty());
}
