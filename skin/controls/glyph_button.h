// Buttons that carry a picture, as data: which cell of the button image and of the glyph strip each look
// shows, and where the glyph, the caption and a menu button's drop-down arrow go. Pure geometry; the
// skinners read the control, measure the caption and draw.
#pragma once

#include <string_view>

#include "platform/types.h"

// Where the glyph sits beside the caption (the "Layout" property).
enum class GlyphLayout { Left = 0, Right = 1, Top = 2, Bottom = 3 };
// "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom" in any case; anything else is Left.
GlyphLayout GlyphLayoutOf(std::string_view name);

// The cells of a glyph strip: "NumGlyphs" below 1 (missing, zero or negative) counts as one cell.
constexpr int GlyphCount(int numGlyphs) { return numGlyphs < 1 ? 1 : numGlyphs; }
// The cell drawn when `cell` is asked of a strip of `count` cells: cell 1 when the strip has no such cell.
constexpr int GlyphCell(int cell, int count) { return cell < 1 || cell > GlyphCount(count) ? 1 : cell; }
// The glyph cell that goes with a frame of the button image: pressed (2) shows cell 3, disabled (3)
// cell 2, every other frame cell 1.
constexpr int GlyphCellForFrame(int frame) { return frame == 2 ? 3 : frame == 3 ? 2 : 1; }

// The frame of a menu button: disabled 3, pressed 2, hot or focused 4, else 1 (no default frame).
constexpr int MenuButtonFrame(bool enabled, bool pressed, bool hot, bool focused) {
    if (!enabled) return 3;
    if (pressed) return 2;
    return hot || focused ? 4 : 1;
}

// A speed button's look: the frame of the button image, the glyph cell, and whether the image is drawn.
struct SpeedButtonLook {
    int frame = 1;
    int glyphCell = 1;
    bool drawFrame = true;  // a flat button shows its image only pressed or hot
};
// Down wins over the mouse; a disabled button that is not down shows frame 3.
SpeedButtonLook SpeedButtonLookOf(bool down, bool enabled, bool pressed, bool hot, bool flat);

// How a caption box is aligned inside the box measured for it.
enum class CaptionAlign { Left, Right, Centre };

// What the placement of a glyph and a caption starts from: the client size, the glyph's and the measured
// caption's sizes (0 x 0 for none), Margin and Spacing (-1: worked out).
struct GlyphPlacementInput {
    int width = 0, height = 0;
    int glyphWidth = 0, glyphHeight = 0;
    int textWidth = 0, textHeight = 0;
    int margin = -1, spacing = -1;
    GlyphLayout layout = GlyphLayout::Left;
};

struct GlyphPlacement {
    TPoint glyph;  // the glyph's top-left corner
    TRect text;    // the caption's box, textWidth x textHeight
    CaptionAlign align = CaptionAlign::Left;
};

// Glyph buttons. centred: Margin -1 or the "Alignment" property reads taCenter; the margin and spacing are
// then shared out evenly (in thirds when Spacing is -1 too).
GlyphPlacement PlaceBitButton(GlyphPlacementInput in, bool centred);
// Speed buttons: as glyph buttons, but only Margin -1 centres, and a given Spacing then puts the pair one
// pixel right of (or below) the exact middle.
GlyphPlacement PlaceSpeedButton(GlyphPlacementInput in);

// The box a glyph button's caption is measured in: the client inflated by 2, less the glyph and a gap of 2
// on the glyph's axis (right for the left and right layouts, bottom for top and bottom).
TRect GlyphTextBounds(int width, int height, int glyphWidth, int glyphHeight, GlyphLayout layout);

// A menu button: the glyph (left), the caption and the drop-down arrow in a row.
constexpr int kMenuArrowWidth = 8;
constexpr int kMenuArrowHeight = 3;
struct MenuButtonPlacement {
    TPoint glyph;
    TRect text;
    TPoint arrow;  // the arrow's centre: its tip is 2 below, its top edge 1 above, 3 to each side
};
// The input's layout is ignored. With Margin set and Spacing -1 the spacing fills what the margin leaves,
// as it does when both are -1, so the arrow stays inside the button.
MenuButtonPlacement PlaceMenuButton(const GlyphPlacementInput& in);
// The box a menu button's caption is measured in: the width left of the glyph and the arrow, inflated by 2.
TRect MenuTextBounds(int width, int height, int glyphWidth);
