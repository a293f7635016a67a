#include "platform/win/button_glyph.h"

#include <algorithm>

#include "platform/win/bitmap_win.h"
#include "platform/win/gdi.h"
#include "platform/win/graphics.h"

// One cell ready to draw: the picture with its transparent pixels black, and a mask white where it is
// transparent (for an embossed cell, white where the shape is not).
struct TButtonGlyph::Cell {
    TBitmap image, mask;
    bool embossed = false;
};

TButtonGlyph::TButtonGlyph() {
    glyph_.OnChange = [this] {
        cells_.clear();
        if (OnChange) OnChange();
    };
}

TButtonGlyph::~TButtonGlyph() { glyph_.OnChange = nullptr; }

void TButtonGlyph::SetNumGlyphs(int value) {
    value = std::clamp(value, 1, 4);
    if (value == numGlyphs_) return;
    numGlyphs_ = value;
    cells_.clear();
    if (OnChange) OnChange();
}

TSize TButtonGlyph::CellSize() const {
    if (glyph_.Empty()) return {0, 0};
    return {glyph_.Width() / numGlyphs_, glyph_.Height()};
}

TButtonGlyph::Cell& TButtonGlyph::Prepared(int index, bool embossed) {
    const std::size_t slot = std::size_t(index) * 2 + (embossed ? 1 : 0);
    if (cells_.size() <= slot) cells_.resize(slot + 1);
    if (cells_[slot]) return *cells_[slot];
    auto cell = std::make_unique<Cell>();
    const TBitmap& strip = glyph_.Bitmap();
    const TSize size = CellSize();
    const TColor key = strip.Pixel(0, strip.Height() - 1);
    cell->image.SetSize(size.cx, size.cy);
    cell->mask.SetSize(size.cx, size.cy);
    cell->embossed = embossed;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            const TColor p = strip.Pixel(index * size.cx + x, y);
            const bool clear = p == key;
            // The emboss takes the darker pixels of the picture as its shape.
            const bool shape = !clear && (GetRValue(p) + GetGValue(p) + GetBValue(p)) < 3 * 0xC0;
            const bool shown = embossed ? shape : !clear;
            cell->image.SetPixel(x, y, shown && !embossed ? p : clBlack);
            cell->mask.SetPixel(x, y, shown ? clBlack : clWhite);
        }
    cells_[slot] = std::move(cell);
    return *cells_[slot];
}

void TButtonGlyph::Draw(HDC dc, int x, int y, TButtonState state) {
    if (!dc || glyph_.Empty() || CellSize().cx < 1) return;
    const int wanted = int(state);  // bsUp 0 (cell 1) ... bsExclusive 3 (cell 4)
    const bool embossed = state == bsDisabled && numGlyphs_ < 2;
    Cell& cell = Prepared(wanted < numGlyphs_ ? wanted : 0, embossed);
    const int w = cell.image.Width(), h = cell.image.Height();
    HDC maskDc = BitmapDC(cell.mask);
    if (!maskDc) return;
    if (!cell.embossed) {
        // The mask clears the picture's pixels to black, then the picture (black elsewhere) is added.
        BitBlt(dc, x, y, w, h, maskDc, 0, 0, SRCAND);
        BitBlt(dc, x, y, w, h, BitmapDC(cell.image), 0, 0, SRCPAINT);
        return;
    }
    // The shape in the highlight colour one pixel down and right, then in the shadow colour: where the
    // mask is white the destination stays, elsewhere the brush goes (PSDPxax).
    constexpr DWORD kBrushThroughMask = 0x00B8074A;
    SavedDC saved{dc};
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    Owned<HBRUSH> light{CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT))};
    Owned<HBRUSH> shadow{CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW))};
    {
        Selected use{dc, light.get()};
        BitBlt(dc, x + 1, y + 1, w, h, maskDc, 0, 0, kBrushThroughMask);
    }
    Selected use{dc, shadow.get()};
    BitBlt(dc, x, y, w, h, maskDc, 0, 0, kBrushThroughMask);
}

RECT DrawButtonContent(HDC dc, const RECT& client, const ButtonFaceContent& c, POINT offset) {
    SavedDC saved{dc};
    if (c.font) SelectObject(dc, c.font);
    const TSize g = c.glyph ? c.glyph->CellSize() : TSize{0, 0};
    const bool across = c.layout == blGlyphLeft || c.layout == blGlyphRight;
    const int W = client.right - client.left, H = client.bottom - client.top;
    RECT measure{0, 0, std::max(across ? W - g.cx - 6 : W - 4, 1), 0};
    SIZE t{0, 0};
    if (!c.caption.empty()) {
        DrawTextW(dc, c.caption.c_str(), int(c.caption.size()), &measure, DT_CALCRECT | DT_WORDBREAK);
        t = {measure.right, measure.bottom};
    }
    // Along the axis the two share: margin, glyph, spacing, caption.
    const int room = across ? W : H, glyph = across ? g.cx : g.cy, text = across ? t.cx : t.cy;
    int spacing = (glyph == 0 || text == 0) ? 0 : c.spacing;
    int margin = c.margin;
    if (margin == -1) {
        if (spacing == -1)
            spacing = margin = (room - glyph - text) / 3;
        else
            margin = (room - glyph - spacing - text + 1) / 2;
    } else if (spacing == -1) {
        spacing = (room - margin - glyph - text) / 2;
    }
    const bool reversed = c.layout == blGlyphRight || c.layout == blGlyphBottom;
    const int glyphAt = reversed ? room - margin - glyph : margin;
    const int textAt = reversed ? glyphAt - spacing - text : margin + glyph + spacing;
    POINT gp{}, tp{};
    if (across) {
        gp = {glyphAt, (H - g.cy + 1) / 2};
        tp = {textAt, (H - int(t.cy) + 1) / 2};
    } else {
        gp = {(W - g.cx + 1) / 2, glyphAt};
        tp = {(W - int(t.cx) + 1) / 2, textAt};
    }
    const int ox = client.left + offset.x, oy = client.top + offset.y;
    if (c.glyph) c.glyph->Draw(dc, ox + gp.x, oy + gp.y, c.state);
    RECT box{ox + tp.x, oy + tp.y, ox + tp.x + t.cx, oy + tp.y + t.cy};
    if (c.caption.empty()) return box;
    SetBkMode(dc, TRANSPARENT);
    const UINT flags = DT_WORDBREAK | DT_CENTER;
    if (c.state == bsDisabled) {
        // Engraved: highlight one pixel down and right, then the shadow.
        RECT lower = box;
        OffsetRect(&lower, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextW(dc, c.caption.c_str(), int(c.caption.size()), &lower, flags);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
        SetTextColor(dc, c.textColor);
    }
    DrawTextW(dc, c.caption.c_str(), int(c.caption.size()), &box, flags);
    return box;
}
