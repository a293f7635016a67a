// Push buttons as data: which cell of the skin's button image a button shows, and its caption's lines.
#pragma once

#include <string>

struct ButtonLook {
    bool enabled = true;
    bool pressed = false;
    bool hot = false;
    bool focusedOrDefault = false;
};

// The cell of the button image, from 1: disabled 3, then pressed 2, hot 4, focused or default 5, normal 1.
constexpr int ButtonFrame(ButtonLook s) {
    if (!s.enabled) return 3;
    if (s.pressed) return 2;
    if (s.hot) return 4;
    return s.focusedOrDefault ? 5 : 1;
}

// A caption's first "||" becomes a line break: "Start||Stop" shows on two lines.
std::wstring TwoLineCaption(const std::wstring& caption);
