// What the framework's picture buttons share: the glyph strip with its cells (1 up, 2 disabled, 3 pressed,
// 4 down), drawn with the colour of its bottom-left pixel transparent, and the button's own face with the
// glyph and the caption laid out beside each other.
#pragma once

#include "platform/graphic_bitmap.h"
#include "platform/types.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
inline constexpr std::array<std::string_view, 4> kButtonLayoutNamesArray{"blGlyphLeft", "blGlyphRight",
                                                                         "blGlyphTop", "blGlyphBottom"};
// The cell a button shows: up 1, disabled 2, pressed 3, down (a speed button held down) 4.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

class TButtonGlyph {
public:
    TButtonGlyph();
    ~TButtonGlyph();
    TButtonGlyph(const TButtonGlyph&) = delete;
    TButtonGlyph& operator=(const TButtonGlyph&) = delete;

    TGraphicBitmap* Glyph() { return &glyph_; }
    const TGraphicBitmap& Glyph() const { return glyph_; }
    // Cells in the strip, 1 to 4; other values are kept to 1..4.
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    // One cell's size (0 x 0 without a glyph).
    TSize CellSize() const;

    // Draws the state's cell with its top-left corner at (x, y). A strip without that cell shows cell 1;
    // without a disabled cell the disabled look is cell 1 embossed.
    void Draw(HDC dc, int x, int y, TButtonState state);

    // The glyph or the cell count changed.
    std::function<void()> OnChange;

private:
    struct Cell;
    Cell& Prepared(int index, bool embossed);

    TGraphicBitmap glyph_;
    int numGlyphs_ = 1;
    std::vector<std::unique_ptr<Cell>> cells_;  // made on first use, dropped at every change
};

// The framework's look of a picture button: glyph and caption side by side (or one above the other), the
// pair centred when margin is -1, spacing -1 sharing what is left out evenly. Returns where the caption
// went (for a focus rectangle).
struct ButtonFaceContent {
    TButtonGlyph* glyph = nullptr;
    std::wstring caption;
    TButtonLayout layout = blGlyphLeft;
    int margin = -1;
    int spacing = 4;
    TButtonState state = bsUp;
    HFONT font = nullptr;
    COLORREF textColor = 0;
};
RECT DrawButtonContent(HDC dc, const RECT& client, const ButtonFaceContent& content, POINT offset);
