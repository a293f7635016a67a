// Text on a skinned face. While a skin paints a window's face in a colour of its own, text that has kept
// the platform's default text colour is drawn in the skin's text colour instead: black text would vanish
// on a dark face. Text given a colour of its own keeps it, and text on other backgrounds (the white of an
// edit, say) keeps the default.
#pragma once

#include "platform/types.h"

struct TFaceText {
    TColor face = clBtnFace;  // the colour the skin gave the window's face
    TColor text = clBtnText;  // what default-coloured text is drawn in on that face
    friend constexpr bool operator==(const TFaceText&, const TFaceText&) = default;
};

// The platform's own text colours: a font that still has one was given no colour of its own.
constexpr bool IsDefaultTextColor(TColor c) { return c == clWindowText || c == clBtnText; }

// The colour a text whose font has colour font is drawn in on a background of colour background, under a
// window that wears scheme (nullptr: none).
constexpr TColor FaceTextColor(TColor font, TColor background, const TFaceText* scheme) {
    if (!scheme || background != scheme->face || !IsDefaultTextColor(font)) return font;
    return scheme->text;
}
