// The skinned media player bar as data: the buttons a set property's text names, the look of each button's
// glyph, the face cell it shows and where its glyph goes.
#pragma once

#include <string_view>

#include "platform/media_buttons.h"
#include "platform/types.h"

// The buttons whose names ("btPlay" ...) occur in the text of a set property ("btPlay,btStop").
TButtonSet ButtonsFromSetText(std::string_view text);

// The glyph a button shows: disabled when it is not enabled, else coloured when it is, else enabled.
TMPGlyphState PlayerGlyphState(bool enabled, bool coloured);
// The cell of the skin's button face (1 normal, 2 pressed, 3 disabled) of a button; pressed: the press
// went down on this button and is not yet released.
int PlayerFaceCell(bool pressed, TMPGlyphState glyph);
// The top-left corner of a glyph of gw x gh centred on the button r, one pixel further down and right on
// a pressed face.
TPoint PlayerGlyphAt(const TRect& r, int gw, int gh, bool pressed);
