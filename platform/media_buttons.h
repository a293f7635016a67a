// The media player's button bar as data: its nine buttons in their order, the button sets it publishes
// ("VisibleButtons", "EnabledButtons", "ColoredButtons"), which shown button a point along the bar hits, and
// the glyph drawn on each button in each of its three looks.
#pragma once

#include <array>
#include <string_view>

#include "platform/bitmap.h"
#include "platform/props.h"

enum TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
constexpr int kMPButtonCount = 9;
// What a hit test answers for a point on no shown button: the value one past btEject.
constexpr int kMPNoButton = kMPButtonCount;
inline constexpr std::array<std::string_view, kMPButtonCount> kMPBtnNamesArray{
    "btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord", "btEject"};
inline constexpr PropNames kMPBtnNames{kMPBtnNamesArray};
using TButtonSet = SetOf<TMPBtnType>;
inline constexpr TButtonSet kAllMPButtons = TButtonSet::FromBits((1u << kMPButtonCount) - 1);

int MediaButtonCount(TButtonSet shown);
// The shown button whose span [s, s + btnWidth] holds x, the buttons laid side by side from 0 in their
// order; a point on the edge two buttons share belongs to the left one. kMPNoButton when none holds it.
int MediaButtonAt(TButtonSet shown, int btnWidth, int x);

// The glyph looks: enabled, disabled and coloured (the button's action in colour).
enum class TMPGlyphState { Enabled, Disabled, Coloured };
// The colour a glyph's background is drawn in, to be replaced by the button's face when it is shown.
constexpr TColor kMPGlyphBackground = 0x008080;
// The glyph of a button in a look (15 x 13 pixels, on kMPGlyphBackground), inked to stand out on a button
// face of colour face (an RGB value): dark pictures on a light face, light ones on a dark face.
TBitmap MediaButtonGlyph(TMPBtnType button, TMPGlyphState state, TColor face = RGBColor(240, 240, 240));
