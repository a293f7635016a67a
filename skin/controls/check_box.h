// Check boxes and radio buttons as data: which cell of the skin's check or radio image a control shows, where
// the image and the caption go, and where the focus frame around the caption lies.
#pragma once

#include <string>

#include "platform/types.h"

// A check or radio image's cell count as the skin gives it: 0 or less (a broken description) counts as 1.
constexpr int CellCount(int frames) { return frames < 1 ? 1 : frames; }

// What a check box shows, as read from its window and (for a framework control) its properties.
struct CheckLook {
    bool checked = false;        // the window's checked bit (BST_CHECKED)
    bool indeterminate = false;  // the window's indeterminate bit (BST_INDETERMINATE)
    bool disabled = false;       // WS_DISABLED
    bool hot = false;            // the mouse is over the control
    bool pressed = false;        // the left button is down on it (BST_PUSHED)
    // Published properties of a framework control; empty names mean the property is missing.
    bool hasState = false;
    std::string stateName{};  // the "State" value name ("cbGrayed")
    bool hasChecked = false;
    std::string checkedName{};  // the "Checked" value name ("True")
    bool hasDataField = false;
    int dataState = 0;  // the last BM_SETCHECK's wParam + 1 (0: none yet)
    bool hasDataBinding = false;
};

// What a radio button shows.
struct RadioLook {
    bool checked = false;
    bool disabled = false;
    bool hot = false;
    bool pressed = false;
    bool hasChecked = false;
    std::string checkedName{};
};

// The cell (from 1) of a check image of `frames` cells. On the basic scheme 1 unchecked, 2 checked, 3
// unchecked disabled, 4 checked disabled, grayed or indeterminate; a 12-cell image holds four looks of each
// state (normal, hot, pressed, disabled: 1-4 unchecked, 5-8 checked, 9-12 indeterminate). A cell beyond the
// image's strip wraps round to its own cells, so an image with fewer cells still shows one of them.
int CheckCell(const CheckLook& look, int frames);
// The cell of a radio image: the basic scheme as for check boxes without the third state; an 8-cell image
// holds normal, hot, pressed and disabled of off (1-4) and on (5-8).
int RadioCell(const RadioLook& look, int frames);

// DrawText flags the layout reads and adds (the platform's values).
constexpr unsigned kDtCenter = 0x1;
constexpr unsigned kDtRight = 0x2;
constexpr unsigned kDtRtlReading = 0x20000;

// Where a check box's image and caption go in rc (window coordinates): the image vertically centred at the
// left, the caption after it; with the text on the left (BS_LEFTTEXT) the image sits at the right. flags are
// the DrawText flags the caption gets for a right-to-left control.
struct CheckLayout {
    TRect image;
    TRect text;
    unsigned flags = 0;
};
CheckLayout LayoutCheckBox(const TRect& rc, int cellWidth, int cellHeight, bool leftText, bool rightToLeft);
// The same for a radio button, whose image at the right keeps one pixel off the edge.
CheckLayout LayoutRadioButton(const TRect& rc, int cellWidth, int cellHeight, bool leftText,
                              bool rightToLeft);

// The caption box of measured height in the text rectangle, moved down to centre it vertically.
TRect CentreCaption(const TRect& text, int measuredHeight);

// Whether a focused control draws a focus frame round its caption: never for an empty caption, nor on a
// system of major version 6 (it shows the focus its own way there).
constexpr bool ShowsCaptionFocus(bool focused, bool captionEmpty, int majorVersion) {
    return focused && !captionEmpty && majorVersion != 6;
}
// The focus frame round a caption of measured size in rect, drawn with flags (centred or right-aligned
// captions move with it): two pixels wider and one taller on each side, never outside rect.
TRect CaptionFocusBox(const TRect& rect, int measuredWidth, int measuredHeight, unsigned flags);
