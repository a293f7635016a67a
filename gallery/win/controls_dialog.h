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
constexpr int kIdcThreeState = 130;  // BS_AUTO3STATE
constexpr int kIdcRadioA = 131;      // BS_AUTORADIOBUTTON, one group of three
constexpr int kIdcRadioB = 132;
constexpr int kIdcRadioC = 133;
constexpr int kIdcPicture = 107;  // a push button showing a bitmap (BS_BITMAP)
constexpr int kIdcFruit = 108;    // CBS_DROPDOWN
constexpr int kIdcHeader = 160;   // a header control ("SysHeader32")

// Runs the dialog modally; returns IDOK or IDCANCEL (-1 when the resource is missing).
INT_PTR RunControlsDialog(HWND owner);
// Shows the dialog without a modal loop; it destroys itself when closed. nullptr when it cannot be made.
HWND ShowControlsDialog(HWND owner);
