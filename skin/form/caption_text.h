// Where the title text of a skinned caption goes: laid out from the measured text, the title object's
// shifts and alignment, the right-aligned caption buttons and the window's reading order.
#pragma once

#include "platform/types.h"

struct CaptionTextInput {
    TRect area;         // the caption area (between the side borders)
    int textWidth = 0;  // the measured text (with its leading and trailing spaces)
    int textHeight = 0;
    int backleft = 0;  // end caps of the text background
    int backright = 0;
    TRect shifts;           // the title's r: Left shift, Top shift, Right clip
    int alignment = 0;      // 0 left, 1 centre, 2 right
    int rightButtons = 0;   // RightBtn: the largest XCoord of the visible right-aligned buttons
    bool bidileft = false;  // right-to-left layout
    bool popup = false;     // the window has WS_POPUP
    bool dialog = false;    // the window has a dialog border (no icon to leave room for)
};

struct CaptionTextBoxes {
    TRect text;        // ctr: the text with its background caps; caption buttons align to it
    TRect background;  // the text background, the full caption height
    TRect drawn;       // FTitleRect: where the text itself is drawn (clipped, ellipsis beyond)
};

CaptionTextBoxes LayoutCaptionText(const CaptionTextInput& in);
