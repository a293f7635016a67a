// The colours one skin is drawn in. Both skins are drawn by the same artwork code; the theme decides the
// look.
#pragma once

#include <string>
#include <vector>

#include "tools/skingen/canvas.h"

namespace skingen {

struct Theme {
    std::string name;
    bool dark = false;

    // Faces and text.
    Rgb face;          // ButtonFace: every background
    Rgb window;        // edit and page backgrounds
    Rgb text;          // ButtonText
    Rgb textDisabled;  // disabled text and glyphs
    Rgb shadow;        // ButtonShadow: control outlines
    Rgb dkShadow;      // ButtonDkShadow
    Rgb hilight;       // ButtonHilight
    Rgb accent;        // selection, focus, checked marks
    Rgb accentText;    // text and glyphs on the accent colour

    // The window frame, active and inactive.
    Rgb capTop, capBottom, capGloss, capEdge, capSide, capInner;
    Rgb inTop, inBottom, inGloss, inEdge, inSide, inInner;
    Rgb capText, capTextInactive;
    double cornerRadius = 7;

    // Caption buttons.
    Rgb capGlyph, capGlyphDisabled;
    Rgb closeNormal, closeHot, closePressed;

    // Push buttons: top and bottom of the face gradient and the outline, per state.
    Rgb btnTop, btnBottom, btnBorder;
    Rgb btnHotTop, btnHotBottom, btnHotBorder;
    Rgb btnDownTop, btnDownBottom, btnDownBorder;
    Rgb btnOffTop, btnOffBottom, btnOffBorder;
    Rgb btnGloss;  // the one-pixel highlight under the top edge
    Rgb focusRing;

    // Menus.
    Rgb menuBarTop, menuBarBottom, menuBarLine, menuBarInTop, menuBarInBottom;
    Rgb menuBg, menuBorder, menuSelect, menuSelectBorder, menuSeparator;

    // Tracks (scroll bars, progress) and their thumbs.
    Rgb track, trackBorder;
    Rgb thumb, thumbHot, thumbPressed, thumbBorder;
    Rgb progressTop, progressBottom;

    // The colour scheme written to the skin description; the twelve presets in order.
    Rgb schemeMenubar, schemeMenuBarText, schemeMenuText, schemeMenu, schemeHilight, schemeHilightText;
    Rgb schemeScrollbar, schemeButtonlight;
    bool writeWindowText = false;
    Rgb schemeWindowText;
    std::vector<Rgb> presets;
};

Theme DefaultTheme();
Theme DarkTheme();

}  // namespace skingen
