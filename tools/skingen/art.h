// The artwork of one skin: every image drawn from code in the colours of a theme. Sizes and cell layouts
// are the ones the skin description promises; the comments give each cell's use.
#pragma once

#include "tools/skingen/canvas.h"
#include "tools/skingen/theme.h"

namespace skingen {

// Caption geometry the frame and the caption buttons agree on.
constexpr int kCaptionHeight = 28;
constexpr int kBorderWidth = 4;
constexpr int kCaptionButtonTop = 4;

struct FramePieces {
    Canvas left, right;  // 8 x 63: 2 cells side by side (active, inactive)
    Canvas top;          // 223 x 56: 2 cells stacked
    Canvas bottom;       // 41 x 8: 2 cells stacked
};
FramePieces DrawFrame(const Theme& t);

enum class CaptionGlyph { Close, Maximize, Minimize, Restore };
Canvas DrawCaptionButton(const Theme& t, CaptionGlyph glyph);  // 126 x 21, 6 cells
Canvas DrawMdiControls(const Theme& t);                        // 156 x 13, 12 cells
Canvas DrawMenuBar(const Theme& t);                            // 32 x 40, 2 cells stacked
Canvas DrawTitleTextBack(const Theme& t);                      // 40 x 56, 2 cells stacked

Canvas DrawPushButton(const Theme& t);                   // 195 x 23, 5 cells
Canvas DrawCheckBox(const Theme& t, bool fourLooks);     // 65 x 13, 5 cells; 156 x 13, 12 cells
Canvas DrawRadioButton(const Theme& t, bool fourLooks);  // 65 x 13, 5 cells; 104 x 13, 8 cells
Canvas DrawToolbarButton(const Theme& t);                // 115 x 22, 5 cells

Canvas DrawScrollArrows(const Theme& t);                // 391 x 16, 23 cells
Canvas DrawScrollTrack(const Theme& t, bool vertical);  // 68 x 16 or 64 x 17, 4 cells
Canvas DrawScrollThumb(const Theme& t, bool vertical);  // 72 x 16 or 48 x 24, 3 cells

Canvas DrawProgress(const Theme& t, int cells);  // 48 x 14 (bar, fill) or 24 x 14 (bar only)
Canvas DrawProgressChunk(const Theme& t);        // 8 x 10
Canvas DrawGroupBoxEdge(const Theme& t);         // 32 x 16, 2 cells
Canvas DrawGroupBoxLabel(const Theme& t);        // 24 x 18
Canvas DrawTabs(const Theme& t);                 // 150 x 21, 5 cells
Canvas DrawTabBorder(const Theme& t, int size);  // size x size page frame
Canvas DrawStatusBar(const Theme& t);            // 48 x 19, 3 cells
Canvas DrawComboButton(const Theme& t);          // 68 x 21, 4 cells
Canvas DrawSunkenEdge(const Theme& t);           // 80 x 21, 4 cells
Canvas DrawExtraImages(const Theme& t);          // 60 x 12, 5 cells
Canvas DrawHeader(const Theme& t);               // 100 x 20, 5 cells
Canvas DrawMenuBackground(const Theme& t);       // 40 x 40
Canvas DrawMenuItem(const Theme& t);             // 120 x 20, 5 cells

enum class Pointer { Down, Right, Left, Up };
// 55 x 21 (Down, Up: cells 11 x 21) or 105 x 11 (Right, Left: cells 21 x 11), 5 cells.
Canvas DrawTrackbarThumb(const Theme& t, Pointer p);
Canvas DrawUpDown(const Theme& t, bool vertical);        // 128 x 16 or 128 x 10, 8 cells
Canvas DrawUpDownGlyph(const Theme& t, bool vertical);   // 64 x 8, 8 cells
Canvas DrawTrackChannel(const Theme& t, bool vertical);  // 24 x 6 or 6 x 24

}  // namespace skingen
