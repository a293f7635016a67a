// What a skin component skins: the form types, the three option sets, the colour scheme tables and the
// class-name map of third-party controls.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/props.h"
#include "platform/string_list.h"
#include "platform/types.h"

enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

enum TSkinControlType {
    xcMainMenu,
    xcPopupMenu,
    xcMenuItem,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcCheckBox,
    xcRadioButton,
    xcProgress,
    xcScrollbar,
    xcEdit,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcSpin,
    xcPanel,
    xcGroupBox,
    xcStatusBar,
    xcTab,
    xcTrackBar,
    xcSystemMenu,
    xcFastReport
};

enum TSkinOption {
    xoMDIScrollbar,
    xoMenuMerge,
    xoTransparent,
    xoPreview,
    xoParentBackGround,
    xoNoFocusRect,
    xoToolbarBK,
    xoToolbarButton,
    xoMDIChildBorder,
    xoMenuBG,
    xoCaptionButtonHint,
    xoFormScrollbar
};

enum TWinContainer {
    xccForm,
    xccFrame,
    xccToolbar,
    xccCoolbar,
    xccControlbar,
    xccPanel,
    xccScrollBox,
    xccGroupBox,
    xccTabSheet,
    xccPageScroller
};

// Sets: bit n holds the value with ordinal n (stored in 3, 2 and 2 bytes).
using TSkinControlTypes = SetOf<TSkinControlType>;
using TSkinOptions = SetOf<TSkinOption>;
using TWinContainers = SetOf<TWinContainer>;

// The value names, in ordinal order, as the published properties spell them.
extern const std::array<std::string_view, 4> kSkinFormTypeNames;
extern const std::array<std::string_view, 22> kSkinControlTypeNames;
extern const std::array<std::string_view, 12> kSkinOptionNames;

TWinContainers AllWinContainers();

// Defaults after the component is created.
TSkinControlTypes DefaultSkinControls();  // every value except xcMenuItem and xcFastReport
TSkinOptions DefaultSkinOptions();        // xoPreview, xoToolbarBK, xoCaptionButtonHint

// The colour scheme: 20 colours and whether the skin gave each one.
using TShemeColors = std::array<TColor, 20>;
// The slots of the scheme, as the Colours section's keys fill them (9, 10 and 19 are no key's; 17 is the
// caption colour read off the title image).
namespace scheme {
constexpr int kWindowText = 0;
constexpr int kTitleTextActive = 1;
constexpr int kTitleTextNoActive = 2;
constexpr int kButtonFace = 3;
constexpr int kButtonText = 4;
constexpr int kButtonHilight = 5;
constexpr int kButtonlight = 6;
constexpr int kButtonShadow = 7;
constexpr int kButtonDkShadow = 8;
constexpr int kHilightText = 11;
constexpr int kHilight = 12;
constexpr int kMenubar = 13;
constexpr int kMenuBarText = 14;
constexpr int kMenuText = 15;
constexpr int kMenu = 16;
constexpr int kCaptionColor = 17;
constexpr int kScrollbar = 18;
}  // namespace scheme
using THasColors = std::array<bool, 20>;

// The Colours section keys and their defaults, in reading order. Index 13 (Menubar) defaults to the
// ButtonFace value just read, which the reader substitutes for kDefaultFromButtonFace.
struct TSchemeColorKey {
    int index;
    const char* key;
    TColor fallback;
};
inline constexpr TColor kDefaultFromButtonFace = clDefault;
extern const std::array<TSchemeColorKey, 16> kSchemeColorKeys;

// The scheme an unskinned component starts with: every keyed entry at its system colour default.
TShemeColors DefaultSchemeColors();

// "237, 237, 237", "0 0 0": up to three decimal numbers (red, green, blue) separated by non-digits, each
// taken modulo 256. Only a number followed by a non-digit is stored, except the third; an empty text
// gives black.
TColor ParseColorText(std::string_view text);

// The class-name map of third-party controls: "ClassName=kind" rows, 118 of them by default.
const std::vector<std::string>& DefaultSkin3rdRows();
void FillDefaultSkin3rd(TStringList& list);
// The kind for a class: the first row that, lower-cased, begins with the lower-cased class name and "=";
// the lower-cased text after its first "=", at most 50 characters. Empty when no row matches.
std::string LookupSkin3rd(const TStringList& rows, std::string_view className);
