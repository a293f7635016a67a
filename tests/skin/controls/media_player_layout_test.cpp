// The media player's bar as data: which shown button a point hits (shared edges, the leftover pixels,
// points left of the bar), the buttons named by a set's text, the face cell and glyph of each look, and the
// glyph strips of other libraries' check boxes and radio buttons.
#include "skin/controls/media_player_layout.h"

#include <gtest/gtest.h>

#include "skin/controls/obj_image_glyphs.h"

namespace {

TEST(MediaPlayerLayout, ButtonsAreHitAlongTheBarTheLeftOneKeepingASharedEdge) {
    const TButtonSet two{btPlay, btStop};  // a bar 100 wide: 50 each
    EXPECT_EQ(MediaButtonCount(two), 2);
    EXPECT_EQ(MediaButtonAt(two, 50, 0), btPlay);
    EXPECT_EQ(MediaButtonAt(two, 50, 50), btPlay);
    EXPECT_EQ(MediaButtonAt(two, 50, 51), btStop);
    EXPECT_EQ(MediaButtonAt(two, 50, 100), btStop);
    EXPECT_EQ(MediaButtonAt(two, 50, 101), kMPNoButton);
    EXPECT_EQ(MediaButtonAt({}, 50, 10), kMPNoButton);
    // A point left of the bar hits nothing. Read unsigned (-3 as 65533) it would hit the second of two
    // buttons 40000 wide.
    EXPECT_EQ(MediaButtonAt(two, 40000, -3), kMPNoButton);
    EXPECT_EQ(MediaButtonAt(two, 40000, 65533), btStop);
}

TEST(MediaPlayerLayout, SetTextsNameTheirButtons) {
    EXPECT_EQ(ButtonsFromSetText("btPlay,btStop,btEject"), (TButtonSet{btPlay, btStop, btEject}));
    EXPECT_TRUE(ButtonsFromSetText("").Empty());
    EXPECT_EQ(ButtonsFromSetText("btRecord"), (TButtonSet{btRecord}));
}

TEST(MediaPlayerLayout, FaceCellsAndGlyphsOfEachLook) {
    EXPECT_EQ(PlayerGlyphState(false, true), TMPGlyphState::Disabled);
    EXPECT_EQ(PlayerGlyphState(true, true), TMPGlyphState::Coloured);
    EXPECT_EQ(PlayerGlyphState(true, false), TMPGlyphState::Enabled);
    EXPECT_EQ(PlayerFaceCell(false, TMPGlyphState::Enabled), 1);
    EXPECT_EQ(PlayerFaceCell(true, TMPGlyphState::Coloured), 2);
    EXPECT_EQ(PlayerFaceCell(true, TMPGlyphState::Disabled), 3);  // a press on a disabled button shows none
    EXPECT_EQ(PlayerGlyphAt({50, 0, 100, 30}, 15, 13, false), (TPoint{67, 8}));
    EXPECT_EQ(PlayerGlyphAt({50, 0, 100, 30}, 15, 13, true), (TPoint{68, 9}));
}

TEST(MediaPlayerLayout, GlyphsStandOutOnLightAndDarkFaces) {
    for (int b = 0; b < kMPButtonCount; ++b) {
        const TBitmap light =
            MediaButtonGlyph(TMPBtnType(b), TMPGlyphState::Enabled, RGBColor(240, 240, 240));
        const TBitmap dark = MediaButtonGlyph(TMPBtnType(b), TMPGlyphState::Enabled, RGBColor(40, 40, 40));
        int inked = 0;
        for (int y = 0; y < light.Height(); ++y)
            for (int x = 0; x < light.Width(); ++x)
                if (light.Pixel(x, y) != kMPGlyphBackground) {
                    ++inked;
                    EXPECT_EQ(light.Pixel(x, y), clBlack);
                    EXPECT_GT(GetRValue(dark.Pixel(x, y)), 200);
                }
        EXPECT_GT(inked, 10) << b;
    }
}

TEST(ObjImageGlyphs, EachKindsStripFromTheSkinsCells) {
    EXPECT_EQ(GlyphStripCells(1), 9);
    EXPECT_EQ(GlyphStripCells(2), 6);
    EXPECT_EQ(GlyphStripCells(3), 6);
    EXPECT_EQ(GlyphStripCells(0), 0);
    auto map = [](int kind, int cells) {
        std::vector<int> dest(std::size_t(GlyphStripCells(kind) + 1), 0);
        for (const GlyphCellCopy& c : GlyphStripCopies(kind, cells)) dest[std::size_t(c.dest)] = c.source;
        return std::vector<int>(dest.begin() + 1, dest.end());
    };
    // A radio image of 4 cells gives 1, 2, 1, 2, 3, 4; a check image of 4 cells leaves 3, 6 and 9 alone.
    EXPECT_EQ(map(2, 4), (std::vector<int>{1, 2, 1, 2, 3, 4}));
    EXPECT_EQ(map(1, 4), (std::vector<int>{1, 2, 0, 1, 2, 0, 3, 4, 0}));
    EXPECT_EQ(map(1, 5), (std::vector<int>{1, 2, 5, 1, 2, 5, 3, 4, 5}));
    EXPECT_EQ(map(3, 5), (std::vector<int>{1, 2, 5, 1, 2, 5}));
    EXPECT_EQ(map(3, 12), (std::vector<int>{1, 2, 0, 1, 2, 0}));
    // An image with fewer cells than the copies read: those cells are not copied.
    EXPECT_EQ(map(2, 2), (std::vector<int>{1, 2, 1, 2, 0, 0}));
}

}  // namespace
