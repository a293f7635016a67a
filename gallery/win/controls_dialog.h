// The dialog box of the Gallery's resources ("CONTROLS"): raw standard controls in a "#32770" window.
#pragma once

#include <windows.h>

// Control identifiers, as the dialog resource numbers them.
constexpr int kIdcName = 101;
constexpr int kIdcRemember = 102;
constexpr int kIdcList = 103;
constexpr int kIdcCombo = 104;
constexpr int kIdcScroll = 105;
constexpr int kIdcScrollValue = 106;
constexpr int kIdcFruit = 107;

// Runs the dialog modally; returns IDOK or IDCANCEL (-1 when the resource is missing).
INT_PTR RunControlsDialog(HWND owner);
// Shows the dialog without a modal loop; it destroys itself when closed. nullptr when it cannot be made.
HWND ShowControlsDialog(HWND owner);
