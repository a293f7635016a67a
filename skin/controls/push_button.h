// Push buttons as data: which cell of the skin's button image a button shows, and its caption's lines.
#pragma once

#include <string>

#include "platform/types.h"

class TDataSkinButton;

struct ButtonLook {
    bool enabled = true;
    bool pressed = false;
    bool hot = false;
    bool focusedOrDefault = false;
};

// The cells of the button image, from 1.
constexpr int kButtonNormalCell = 1;
constexpr int kButtonPressedCell = 2;
constexpr int kButtonDisabledCell = 3;
constexpr int kButtonHotCell = 4;
constexpr int kButtonFocusedCell = 5;  // focused or default

// The cell a button shows: disabled, then pressed, hot, focused or default, normal.
constexpr int ButtonFrame(ButtonLook s) {
    if (!s.enabled) return kButtonDisabledCell;
    if (s.pressed) return kButtonPressedCell;
    if (s.hot) return kButtonHotCell;
    return s.focusedOrDefault ? kButtonFocusedCell : kButtonNormalCell;
}

// The caption's colour on a cell of the button image: the skin's own colours of the normal, hot and pressed
// looks where it gives them, base otherwise; a disabled caption takes the platform's shadow colour.
TColor ButtonCaptionColour(const TDataSkinButton& skin, TColor base, int frame, bool enabled);

// A caption's first "||" becomes a line break: "Start||Stop" shows on two lines.
std::wstring TwoLineCaption(const std::wstring& caption);
