#include "tools/skingen/theme.h"

namespace skingen {

// A light theme around a deep blue caption.
Theme DefaultTheme() {
    Theme t;
    t.name = "Tocvane";
    t.face = {237, 237, 237};
    t.window = {255, 255, 255};
    t.text = {24, 24, 24};
    t.textDisabled = {158, 158, 158};
    t.shadow = {150, 150, 150};
    t.dkShadow = {96, 96, 96};
    t.hilight = {255, 255, 255};
    t.accent = {0, 70, 213};
    t.accentText = {255, 255, 255};

    t.capTop = {38, 112, 238};
    t.capBottom = {0, 66, 204};
    t.capGloss = {112, 162, 246};
    t.capEdge = {0, 34, 120};
    t.capSide = {0, 64, 198};
    t.capInner = {0, 42, 146};
    t.inTop = {150, 166, 200};
    t.inBottom = {124, 141, 180};
    t.inGloss = {184, 196, 222};
    t.inEdge = {82, 96, 128};
    t.inSide = {122, 139, 178};
    t.inInner = {94, 110, 148};
    t.capText = {255, 255, 255};
    t.capTextInactive = {228, 233, 242};

    t.capGlyph = {255, 255, 255};
    t.capGlyphDisabled = {188, 204, 236};
    t.closeNormal = {204, 64, 48};
    t.closeHot = {236, 88, 66};
    t.closePressed = {150, 34, 24};

    t.btnTop = {253, 253, 253};
    t.btnBottom = {224, 224, 224};
    t.btnBorder = {150, 150, 150};
    t.btnHotTop = {242, 248, 255};
    t.btnHotBottom = {202, 222, 252};
    t.btnHotBorder = {46, 110, 224};
    t.btnDownTop = {182, 202, 234};
    t.btnDownBottom = {214, 226, 246};
    t.btnDownBorder = {0, 56, 176};
    t.btnOffTop = {245, 245, 245};
    t.btnOffBottom = {236, 236, 236};
    t.btnOffBorder = {200, 200, 200};
    t.btnGloss = {255, 255, 255};
    t.focusRing = {0, 70, 213};

    t.menuBarTop = {251, 251, 251};
    t.menuBarBottom = {230, 230, 230};
    t.menuBarLine = {196, 196, 196};
    t.menuBarInTop = {245, 245, 245};
    t.menuBarInBottom = {236, 236, 236};
    t.menuBg = {252, 252, 252};
    t.menuBorder = {150, 150, 150};
    t.menuSelect = {212, 226, 252};
    t.menuSelectBorder = {96, 146, 232};
    t.menuSeparator = {214, 214, 214};

    t.track = {226, 226, 226};
    t.trackBorder = {208, 208, 208};
    t.thumb = {200, 200, 200};
    t.thumbHot = {170, 186, 220};
    t.thumbPressed = {96, 136, 220};
    t.thumbBorder = {146, 146, 146};
    t.progressTop = {92, 150, 246};
    t.progressBottom = {0, 70, 213};

    t.schemeMenubar = {236, 233, 216};
    t.schemeMenuBarText = {24, 24, 24};
    t.schemeMenuText = {24, 24, 24};
    t.schemeMenu = {252, 252, 252};
    t.schemeHilight = {0, 70, 213};
    t.schemeHilightText = {255, 255, 255};
    t.schemeScrollbar = {226, 226, 226};
    t.schemeButtonlight = {250, 250, 250};
    t.writeWindowText = false;
    t.presets = {{255, 255, 255}, {237, 237, 237}, {192, 192, 192}, {128, 128, 128},
                 {64, 64, 64},    {0, 0, 0},       {0, 70, 213},    {0, 120, 215},
                 {0, 153, 188},   {16, 124, 16},   {202, 80, 16},   {196, 43, 28}};
    return t;
}

// Dark faces, light text, a teal accent.
Theme DarkTheme() {
    Theme t;
    t.name = "Tocvane Dusk";
    t.dark = true;
    t.face = {45, 45, 48};
    t.window = {30, 30, 32};
    t.text = {232, 232, 232};
    t.textDisabled = {118, 118, 124};
    t.shadow = {92, 92, 98};
    t.dkShadow = {18, 18, 20};
    t.hilight = {74, 74, 80};
    t.accent = {0, 166, 156};
    t.accentText = {255, 255, 255};

    t.capTop = {60, 60, 66};
    t.capBottom = {38, 38, 42};
    t.capGloss = {86, 86, 94};
    t.capEdge = {10, 10, 12};
    t.capSide = {38, 38, 42};
    t.capInner = {0, 150, 140};
    t.inTop = {48, 48, 52};
    t.inBottom = {36, 36, 40};
    t.inGloss = {62, 62, 68};
    t.inEdge = {18, 18, 20};
    t.inSide = {36, 36, 40};
    t.inInner = {64, 64, 70};
    t.capText = {242, 242, 242};
    t.capTextInactive = {150, 150, 156};
    t.cornerRadius = 6;

    t.capGlyph = {236, 236, 236};
    t.capGlyphDisabled = {104, 104, 110};
    t.closeNormal = {124, 54, 50};
    t.closeHot = {214, 64, 52};
    t.closePressed = {148, 34, 26};

    t.btnTop = {72, 72, 78};
    t.btnBottom = {56, 56, 61};
    t.btnBorder = {100, 100, 108};
    t.btnHotTop = {62, 86, 88};
    t.btnHotBottom = {46, 70, 72};
    t.btnHotBorder = {0, 166, 156};
    t.btnDownTop = {24, 58, 58};
    t.btnDownBottom = {34, 76, 74};
    t.btnDownBorder = {0, 136, 128};
    t.btnOffTop = {50, 50, 54};
    t.btnOffBottom = {48, 48, 52};
    t.btnOffBorder = {66, 66, 72};
    t.btnGloss = {98, 98, 106};
    t.focusRing = {0, 166, 156};

    t.menuBarTop = {54, 54, 58};
    t.menuBarBottom = {42, 42, 46};
    t.menuBarLine = {22, 22, 24};
    t.menuBarInTop = {46, 46, 50};
    t.menuBarInBottom = {40, 40, 44};
    t.menuBg = {38, 38, 42};
    t.menuBorder = {86, 86, 94};
    t.menuSelect = {0, 104, 98};
    t.menuSelectBorder = {0, 166, 156};
    t.menuSeparator = {70, 70, 76};

    t.track = {34, 34, 38};
    t.trackBorder = {26, 26, 28};
    t.thumb = {86, 86, 94};
    t.thumbHot = {112, 112, 122};
    t.thumbPressed = {0, 140, 132};
    t.thumbBorder = {58, 58, 64};
    t.progressTop = {52, 206, 194};
    t.progressBottom = {0, 140, 132};

    t.schemeMenubar = {42, 42, 46};
    t.schemeMenuBarText = {230, 230, 230};
    t.schemeMenuText = {230, 230, 230};
    t.schemeMenu = {38, 38, 42};
    t.schemeHilight = {0, 120, 112};
    t.schemeHilightText = {255, 255, 255};
    t.schemeScrollbar = {34, 34, 38};
    t.schemeButtonlight = {74, 74, 80};
    t.writeWindowText = true;
    t.schemeWindowText = {230, 230, 230};
    t.presets = {{0, 166, 156}, {0, 120, 112},  {38, 38, 42},  {45, 45, 48},   {92, 92, 98},  {232, 232, 232},
                 {0, 70, 213},  {236, 146, 44}, {214, 64, 52}, {130, 90, 210}, {60, 170, 80}, {240, 200, 60}};
    return t;
}

}  // namespace skingen
