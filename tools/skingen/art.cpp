#include "tools/skingen/art.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace skingen {

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

Shape Box(double x0, double y0, double x1, double y1) { return RoundRect(x0, y0, x1, y1, 0); }

struct Look {
    Rgb top, bottom, border;
    std::optional<Rgb> gloss;  // one-pixel highlight under the top edge
};

// A rounded body: vertical gradient, one-pixel outline and an optional gloss line, anti-aliased over
// whatever the canvas holds.
void DrawBody(Canvas& c, double x0, double y0, double x1, double y1, double r, const Look& look) {
    const Shape outer = RoundRect(x0, y0, x1, y1, r);
    const Shape inner = RoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, std::max(0.0, r - 1));
    const int bx0 = int(std::floor(x0)), by0 = int(std::floor(y0));
    const int bx1 = int(std::ceil(x1)), by1 = int(std::ceil(y1));
    c.FillShape(inner, VGradient(y0 + 1, y1 - 1, look.top, look.bottom), bx0, by0, bx1, by1);
    if (look.gloss) {
        const Shape gloss = Minus(inner, Box(x0, y0 + 2, x1, y1));
        c.FillShape(gloss, Solid(*look.gloss), bx0, by0, bx1, by1);
    }
    c.FillShape(Minus(outer, inner), Solid(look.border), bx0, by0, bx1, by1);
}

void KeyOutside(Canvas& c, const Shape& s, int x0, int y0, int x1, int y1) {
    c.KeyOutside(s, x0, y0, x1, y1);
}

// Crisp glyph pixels: painted where the pixel centre lies in the shape.
void Crisp(Canvas& c, const Shape& s, Rgb colour, int x0, int y0, int x1, int y1) {
    c.FillShape(s, Solid(colour), x0, y0, x1, y1, false);
}

// Copies cell `from` of a side-by-side strip over cell `to`.
void CopyCell(Canvas& c, int cellWidth, int from, int to) {
    c.Copy(Canvas(c), (from - 1) * cellWidth, 0, cellWidth, c.Height(), (to - 1) * cellWidth, 0);
}

// A small filled triangle pointing in a direction, in whole pixels: rows of 2n, 2n-2, ..., 2 pixels.
// (cx, cy) is the centre point between the middle two pixels of the widest row.
void Triangle(Canvas& c, Pointer p, int cx, int cy, int n, Rgb colour) {
    // Rows are laid out from the base (widest) towards the tip.
    const int base = -(n / 2);
    for (int k = 0; k < n; ++k) {
        const int half = n - k;  // this row spans [-half, half)
        const int along = base + k;
        for (int s = -half; s < half; ++s) {
            switch (p) {
            case Pointer::Down: c.Set(cx + s, cy + along, colour); break;
            case Pointer::Up: c.Set(cx + s, cy - along - 1, colour); break;
            case Pointer::Right: c.Set(cx + along, cy + s, colour); break;
            case Pointer::Left: c.Set(cx - along - 1, cy + s, colour); break;
            }
        }
    }
}

// --- Window frame -----------------------------------------------------------------------------------

// Paints a whole small window frame so that the pieces cut from it meet seamlessly.
void PaintFrame(Canvas& c, const Theme& t, bool active) {
    const int w = c.Width(), h = c.Height();
    const Rgb top = active ? t.capTop : t.inTop, bottom = active ? t.capBottom : t.inBottom;
    const Rgb gloss = active ? t.capGloss : t.inGloss, edge = active ? t.capEdge : t.inEdge;
    const Rgb side = active ? t.capSide : t.inSide, inner = active ? t.capInner : t.inInner;
    const double radius = t.cornerRadius;

    c.FillRect(0, 0, w, kCaptionHeight, VGradient(0, kCaptionHeight, top, bottom));
    c.FillRect(0, kCaptionHeight, w, h, side);
    // The client area is never cut from this canvas; face colour keeps the inner line honest.
    c.FillRect(kBorderWidth, kCaptionHeight, w - kBorderWidth, h - kBorderWidth, t.face);
    // Inner line around the client area and under the caption.
    c.HLine(kBorderWidth - 1, w - kBorderWidth + 1, kCaptionHeight - 1, inner);
    c.VLine(kBorderWidth - 1, kCaptionHeight - 1, h - kBorderWidth + 1, inner);
    c.VLine(w - kBorderWidth, kCaptionHeight - 1, h - kBorderWidth + 1, inner);
    c.HLine(kBorderWidth - 1, w - kBorderWidth + 1, h - kBorderWidth, inner);
    // Gloss under the top edge, following the rounded corners.
    const Shape outerShape = RoundTopRect(0, 0, w, h, radius);
    const Shape innerShape = RoundTopRect(1, 1, w - 1, h - 1, radius - 1);
    const Shape glossShape = Minus(innerShape, RoundTopRect(1, 2, w - 1, h - 1, radius - 1));
    c.FillShape(glossShape, Solid(gloss), 0, 0, w, 4);
    // Outer edge.
    c.FillShape(Minus(outerShape, innerShape), Solid(edge), 0, 0, w, h);
    KeyOutside(c, outerShape, 0, 0, w, int(radius) + 2);
}

// --- Caption buttons ---------------------------------------------------------------------------------

Shape CaptionGlyphShape(CaptionGlyph g, double dx, double dy) {
    switch (g) {
    case CaptionGlyph::Close:
        return Union(Segment(dx + 6.6, dy + 6.6, dx + 14.4, dy + 14.4, 1.9),
                     Segment(dx + 14.4, dy + 6.6, dx + 6.6, dy + 14.4, 1.9));
    case CaptionGlyph::Maximize:
        return Minus(Box(dx + 6, dy + 6, dx + 15, dy + 15), Box(dx + 7, dy + 8, dx + 14, dy + 14));
    case CaptionGlyph::Minimize: return Box(dx + 6, dy + 12, dx + 15, dy + 14);
    case CaptionGlyph::Restore: {
        const Shape back =
            Minus(Box(dx + 8, dy + 5, dx + 16, dy + 12), Box(dx + 9, dy + 7, dx + 15, dy + 11));
        const Shape front =
            Minus(Box(dx + 5, dy + 8, dx + 13, dy + 16), Box(dx + 6, dy + 10, dx + 12, dy + 15));
        return Union(Minus(back, Box(dx + 5, dy + 8, dx + 13, dy + 16)), front);
    }
    }
    return Box(0, 0, 0, 0);
}

Canvas CaptionButtonImpl(const Theme& t, CaptionGlyph glyph) {
    constexpr int kCell = 21;
    Canvas c(6 * kCell, kCell);
    const bool close = glyph == CaptionGlyph::Close;
    // Cells 1 normal, 2 pressed, 3 hot: drawn over the active caption they sit on.
    for (int cell = 1; cell <= 3; ++cell) {
        const int ox = (cell - 1) * kCell;
        c.FillRect(ox, 0, ox + kCell, kCell,
                   VGradient(-kCaptionButtonTop, kCaptionHeight - kCaptionButtonTop, t.capTop, t.capBottom));
        const Rgb mid = Mix(t.capTop, t.capBottom, 0.5);
        Look look;
        if (close) {
            const Rgb base = cell == 1 ? t.closeNormal : cell == 2 ? t.closePressed : t.closeHot;
            look = {Lighter(base, cell == 2 ? 0.0 : 0.18), cell == 2 ? Lighter(base, 0.12) : base,
                    Darker(base, 0.35), cell == 2 ? std::nullopt : std::optional<Rgb>(Lighter(base, 0.4))};
        } else if (cell == 1) {
            look = {Mix(mid, kWhite, 0.24), Mix(mid, kWhite, 0.08), Mix(t.capEdge, mid, 0.35),
                    Mix(mid, kWhite, 0.42)};
        } else if (cell == 2) {
            look = {Mix(mid, kBlack, 0.42), Mix(mid, kBlack, 0.24), Mix(t.capEdge, kBlack, 0.2),
                    std::nullopt};
        } else {
            look = {Mix(mid, kWhite, 0.46), Mix(mid, kWhite, 0.26), Mix(t.capEdge, mid, 0.2),
                    Mix(mid, kWhite, 0.66)};
        }
        const Shape body = RoundRect(ox + 1, 1, ox + kCell - 1, kCell - 1, 4);
        DrawBody(c, ox + 1, 1, ox + kCell - 1, kCell - 1, 4, look);
        const double shift = cell == 2 ? 1 : 0;  // a pressed glyph sinks by a pixel
        c.FillShape(CaptionGlyphShape(glyph, ox + shift, shift), Solid(t.capGlyph), ox, 0, ox + kCell, kCell);
        KeyOutside(c, body, ox, 0, ox + kCell, kCell);
    }
    // Cell 4, disabled or inactive window: the glyph alone, crisp, over any caption.
    {
        const int ox = 3 * kCell;
        Crisp(c, CaptionGlyphShape(glyph, ox, 0), t.capGlyphDisabled, ox, 0, ox + kCell, kCell);
    }
    // Cells 5 and 6 are never shown; they repeat the normal look.
    CopyCell(c, kCell, 1, 5);
    CopyCell(c, kCell, 1, 6);
    return c;
}

}  // namespace

// --- Frame -------------------------------------------------------------------------------------------

FramePieces DrawFrame(const Theme& t) {
    // The side strips are 63 high: 28 caption rows, 31 stretched rows, 4 bottom rows. The top strip is
    // 223 wide; a virtual window of 231 x 63 holds them all.
    constexpr int kSideHeight = 63, kTopWidth = 223, kBottomWidth = 41;
    constexpr int kW = kTopWidth + 2 * kBorderWidth, kH = kSideHeight;
    FramePieces p{Canvas(2 * kBorderWidth, kSideHeight), Canvas(2 * kBorderWidth, kSideHeight),
                  Canvas(kTopWidth, 2 * kCaptionHeight), Canvas(kBottomWidth, 2 * kBorderWidth)};
    for (int state = 0; state < 2; ++state) {
        Canvas win(kW, kH, t.face);
        PaintFrame(win, t, state == 0);
        p.left.Copy(win, 0, 0, kBorderWidth, kH, state * kBorderWidth, 0);
        p.right.Copy(win, kW - kBorderWidth, 0, kBorderWidth, kH, state * kBorderWidth, 0);
        p.top.Copy(win, kBorderWidth, 0, kTopWidth, kCaptionHeight, 0, state * kCaptionHeight);
        p.bottom.Copy(win, kBorderWidth, kH - kBorderWidth, kBottomWidth, kBorderWidth, 0,
                      state * kBorderWidth);
    }
    return p;
}

Canvas DrawCaptionButton(const Theme& t, CaptionGlyph glyph) { return CaptionButtonImpl(t, glyph); }

// Child-window buttons in the menu band: minimise (cells 1-4), restore (5-8), close (9-12). Within each
// four: 1 normal (glyph only), 2 pressed, 3 never shown, 4 hot.
Canvas DrawMdiControls(const Theme& t) {
    constexpr int kCell = 13;
    Canvas c(12 * kCell, kCell);
    const Rgb band = Mix(t.menuBarTop, t.menuBarBottom, 0.5);
    for (int g = 0; g < 3; ++g) {
        auto glyph = [&](double ox, double oy) -> Shape {
            switch (g) {
            case 0: return Box(ox + 3, oy + 8, ox + 10, oy + 10);
            case 1: {
                const Shape back =
                    Minus(Box(ox + 5, oy + 2, ox + 11, oy + 8), Box(ox + 6, oy + 4, ox + 10, oy + 7));
                const Shape front =
                    Minus(Box(ox + 2, oy + 5, ox + 8, oy + 11), Box(ox + 3, oy + 7, ox + 7, oy + 10));
                return Union(Minus(back, Box(ox + 2, oy + 5, ox + 8, oy + 11)), front);
            }
            default:
                return Union(Segment(ox + 3.5, oy + 3.5, ox + 9.5, oy + 9.5, 1.6),
                             Segment(ox + 9.5, oy + 3.5, ox + 3.5, oy + 9.5, 1.6));
            }
        };
        const int base = g * 4 * kCell;
        Crisp(c, glyph(base, 0), t.text, base, 0, base + kCell, kCell);
        for (int cell : {2, 4}) {
            const int ox = base + (cell - 1) * kCell;
            c.FillRect(ox, 0, ox + kCell, kCell, band);
            const Look look = cell == 2
                                  ? Look{Darker(t.menuSelect, 0.12), t.menuSelect, t.menuSelectBorder, {}}
                                  : Look{Lighter(t.menuSelect, 0.4), t.menuSelect, t.menuSelectBorder, {}};
            DrawBody(c, ox, 0, ox + kCell, kCell, 2.5, look);
            const double shift = cell == 2 ? 1 : 0;
            Crisp(c, glyph(ox + shift, shift), t.text, ox, 0, ox + kCell, kCell);
            KeyOutside(c, RoundRect(ox, 0, ox + kCell, kCell, 2.5), ox, 0, ox + kCell, kCell);
        }
        CopyCell(c, kCell, g * 4 + 4, g * 4 + 3);
    }
    return c;
}

// The menu band behind a window's menu bar: cell 1 active window, cell 2 inactive.
Canvas DrawMenuBar(const Theme& t) {
    Canvas c(32, 40);
    c.FillRect(0, 0, 32, 19, VGradient(0, 19, t.menuBarTop, t.menuBarBottom));
    c.HLine(0, 32, 19, t.menuBarLine);
    c.FillRect(0, 20, 32, 39, VGradient(20, 39, t.menuBarInTop, t.menuBarInBottom));
    c.HLine(0, 32, 39, t.menuBarLine);
    return c;
}

// A pill behind the caption text: cell 1 active, cell 2 inactive, both over their caption.
Canvas DrawTitleTextBack(const Theme& t) {
    Canvas c(40, 2 * kCaptionHeight);
    for (int state = 0; state < 2; ++state) {
        const int oy = state * kCaptionHeight;
        const Rgb top = state == 0 ? t.capTop : t.inTop, bottom = state == 0 ? t.capBottom : t.inBottom;
        c.FillRect(0, oy, 40, oy + kCaptionHeight, VGradient(oy, oy + kCaptionHeight, top, bottom));
        const Rgb fill = Darker(Mix(top, bottom, 0.5), 0.28);
        const Look look{Lighter(fill, 0.06), fill, state == 0 ? t.capInner : t.inInner, {}};
        DrawBody(c, 0, oy + 4, 40, oy + 24, 9.5, look);
        KeyOutside(c, RoundRect(0, oy + 4, 40, oy + 24, 9.5), 0, oy, 40, oy + kCaptionHeight);
    }
    return c;
}

// --- Buttons -----------------------------------------------------------------------------------------

// Push button faces: 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused or default. The middle columns
// 8..15 and rows 9..13 of each 39 x 23 cell are the stretched part: they vary only from top to bottom.
Canvas DrawPushButton(const Theme& t) {
    constexpr int kW = 39, kH = 23;
    Canvas c(5 * kW, kH, t.face);
    const Look looks[5] = {
        {t.btnTop, t.btnBottom, t.btnBorder, t.btnGloss},
        {t.btnDownTop, t.btnDownBottom, t.btnDownBorder, std::nullopt},
        {t.btnOffTop, t.btnOffBottom, t.btnOffBorder, std::nullopt},
        {t.btnHotTop, t.btnHotBottom, t.btnHotBorder, t.btnGloss},
        {t.btnTop, t.btnBottom, t.focusRing, t.btnGloss},
    };
    for (int cell = 0; cell < 5; ++cell) {
        const int ox = cell * kW;
        DrawBody(c, ox, 0, ox + kW, kH, 3.5, looks[cell]);
        if (cell == 4) {  // the default button: a second, softer ring inside the accent outline
            const Shape ring = Minus(RoundRect(ox + 1, 1, ox + kW - 1, kH - 1, 2.5),
                                     RoundRect(ox + 2, 2, ox + kW - 2, kH - 2, 1.5));
            c.FillShape(ring, Solid(Mix(t.focusRing, t.btnTop, 0.55)), ox, 0, ox + kW, kH);
        }
        KeyOutside(c, RoundRect(ox, 0, ox + kW, kH, 3.5), ox, 0, ox + kW, kH);
    }
    return c;
}

namespace {

enum class Mark { None, Tick, Square };  // unchecked, checked, indeterminate
enum class Mouse { Normal, Hot, Pressed, Disabled };

// One check box cell at ox: the box in its look, its mark on top.
void PaintCheckCell(Canvas& c, const Theme& t, int ox, Mark mark, Mouse mouse) {
    constexpr int kS = 13;
    const bool disabled = mouse == Mouse::Disabled;
    const Rgb boxTop = t.window, boxBottom = Mix(t.window, t.face, 0.7);
    Look look{boxTop, boxBottom, t.dark ? t.btnBorder : t.shadow, {}};
    if (mouse == Mouse::Hot) look = {boxTop, Mix(boxBottom, t.accent, 0.12), Lighter(t.accent, 0.1), {}};
    if (mouse == Mouse::Pressed) look = {boxBottom, Mix(boxBottom, t.accent, 0.3), Darker(t.accent, 0.1), {}};
    if (mark == Mark::Tick && !disabled) {
        const double lift = mouse == Mouse::Hot ? 0.18 : mouse == Mouse::Pressed ? -0.2 : 0;
        const Rgb body = lift >= 0 ? Lighter(t.accent, lift) : Darker(t.accent, -lift);
        look = {Lighter(body, 0.18), body, Darker(body, 0.25), {}};
    }
    if (disabled) look = {t.btnOffTop, t.btnOffBottom, t.btnOffBorder, {}};
    DrawBody(c, ox, 0, ox + kS, kS, 2.5, look);
    if (mark == Mark::Tick) {
        const Shape tick =
            Union(Segment(ox + 3.2, 6.6, ox + 5.5, 9.0, 1.8), Segment(ox + 5.5, 9.0, ox + 9.9, 3.9, 1.8));
        c.FillShape(tick, Solid(disabled ? t.textDisabled : t.accentText), ox, 0, ox + kS, kS);
    }
    if (mark == Mark::Square) {
        const Rgb square = disabled                  ? t.textDisabled
                           : mouse == Mouse::Hot     ? Lighter(t.accent, 0.25)
                           : mouse == Mouse::Pressed ? Darker(t.accent, 0.2)
                                                     : t.accent;
        c.FillShape(RoundRect(ox + 3, 3, ox + 10, 10, 1.5), VGradient(3, 10, Lighter(square, 0.2), square),
                    ox, 0, ox + kS, kS);
    }
    KeyOutside(c, RoundRect(ox, 0, ox + kS, kS, 2.5), ox, 0, ox + kS, kS);
}

// One radio button cell at ox.
void PaintRadioCell(Canvas& c, const Theme& t, double ox, bool on, Mouse mouse) {
    constexpr int kS = 13;
    const bool disabled = mouse == Mouse::Disabled;
    const Rgb border = disabled                  ? t.btnOffBorder
                       : mouse == Mouse::Hot     ? Lighter(t.accent, 0.1)
                       : mouse == Mouse::Pressed ? Darker(t.accent, 0.2)
                       : on                      ? Darker(t.accent, 0.1)
                                                 : (t.dark ? t.btnBorder : t.shadow);
    const Shape outer = Ellipse(ox + 6.5, 6.5, 6.5, 6.5);
    const Shape inner = Ellipse(ox + 6.5, 6.5, 5.5, 5.5);
    Rgb top = disabled ? t.btnOffTop : t.window,
        bottom = disabled ? t.btnOffBottom : Mix(t.window, t.face, 0.7);
    if (mouse == Mouse::Hot) bottom = Mix(bottom, t.accent, 0.12);
    if (mouse == Mouse::Pressed) top = bottom, bottom = Mix(bottom, t.accent, 0.3);
    c.FillShape(inner, VGradient(1, 12, top, bottom), int(ox), 0, int(ox) + kS, kS);
    c.FillShape(Minus(outer, inner), Solid(border), int(ox), 0, int(ox) + kS, kS);
    if (on) {
        const Rgb dot = mouse == Mouse::Hot       ? Lighter(t.accent, 0.2)
                        : mouse == Mouse::Pressed ? Darker(t.accent, 0.2)
                                                  : t.accent;
        c.FillShape(Ellipse(ox + 6.5, 6.5, 3.1, 3.1),
                    disabled ? Solid(t.textDisabled) : VGradient(3.5, 9.5, Lighter(dot, 0.25), dot), int(ox),
                    0, int(ox) + kS, kS);
    }
    KeyOutside(c, outer, int(ox), 0, int(ox) + kS, kS);
}

constexpr Mouse kLooks[] = {Mouse::Normal, Mouse::Hot, Mouse::Pressed, Mouse::Disabled};

}  // namespace

// Check boxes: 1 unchecked, 2 checked, 3 unchecked disabled, 4 checked disabled, 5 indeterminate; or with
// four looks of each state (normal, hot, pressed, disabled), 1-4 unchecked, 5-8 checked, 9-12 indeterminate.
Canvas DrawCheckBox(const Theme& t, bool fourLooks) {
    constexpr int kS = 13;
    Canvas c((fourLooks ? 12 : 5) * kS, kS, t.face);
    if (fourLooks) {
        int cell = 0;
        for (Mark mark : {Mark::None, Mark::Tick, Mark::Square})
            for (Mouse mouse : kLooks) PaintCheckCell(c, t, kS * cell++, mark, mouse);
        return c;
    }
    PaintCheckCell(c, t, 0, Mark::None, Mouse::Normal);
    PaintCheckCell(c, t, kS, Mark::Tick, Mouse::Normal);
    PaintCheckCell(c, t, 2 * kS, Mark::None, Mouse::Disabled);
    PaintCheckCell(c, t, 3 * kS, Mark::Tick, Mouse::Disabled);
    PaintCheckCell(c, t, 4 * kS, Mark::Square, Mouse::Normal);
    return c;
}

// Radio buttons: 1 off, 2 on, 3 off disabled, 4 on disabled, 5 unused (as 1); or with four looks of each
// state, 1-4 off, 5-8 on.
Canvas DrawRadioButton(const Theme& t, bool fourLooks) {
    constexpr int kS = 13;
    Canvas c((fourLooks ? 8 : 5) * kS, kS, t.face);
    if (fourLooks) {
        int cell = 0;
        for (bool on : {false, true})
            for (Mouse mouse : kLooks) PaintRadioCell(c, t, kS * cell++, on, mouse);
        return c;
    }
    PaintRadioCell(c, t, 0, false, Mouse::Normal);
    PaintRadioCell(c, t, kS, true, Mouse::Normal);
    PaintRadioCell(c, t, 2 * kS, false, Mouse::Disabled);
    PaintRadioCell(c, t, 3 * kS, true, Mouse::Disabled);
    CopyCell(c, kS, 1, 5);
    return c;
}

// Tool bar buttons: 1 normal (flat), 2 pressed, 3 disabled, 4 hot, 5 checked. Opaque.
Canvas DrawToolbarButton(const Theme& t) {
    constexpr int kW = 23, kH = 22;
    Canvas c(5 * kW, kH, t.face);
    DrawBody(c, 1 * kW, 0, 2 * kW, kH, 3, {t.btnDownTop, t.btnDownBottom, t.btnDownBorder, {}});
    DrawBody(c, 3 * kW, 0, 4 * kW, kH, 3, {t.btnHotTop, t.btnHotBottom, t.btnHotBorder, t.btnGloss});
    DrawBody(c, 4 * kW, 0, 5 * kW, kH, 3,
             {Mix(t.btnDownTop, t.face, 0.5), Mix(t.btnDownBottom, t.face, 0.5), t.btnDownBorder, {}});
    return c;
}

// --- Scroll bars ---------------------------------------------------------------------------------------

// Arrow buttons (4 cells each for left, right, up, down: normal, pressed, disabled, hot), the thumb grips
// (horizontal then vertical: normal, pressed, hot) and a spare cell. Arrows are opaque; grips are keyed.
Canvas DrawScrollArrows(const Theme& t) {
    constexpr int kW = 17, kH = 16;
    Canvas c(23 * kW, kH, t.track);
    const Pointer dirs[4] = {Pointer::Left, Pointer::Right, Pointer::Up, Pointer::Down};
    for (int d = 0; d < 4; ++d) {
        for (int s = 0; s < 4; ++s) {
            const int ox = (d * 4 + s) * kW;
            c.FillRect(ox, 0, ox + kW, kH, t.track);
            Rgb glyph = t.dark ? Lighter(t.thumb, 0.45) : Darker(t.thumbBorder, 0.35);
            if (s == 1) {
                DrawBody(c, ox + 1, 1, ox + kW - 1, kH - 1, 2.5,
                         {t.thumbPressed, Darker(t.thumbPressed, 0.08), Darker(t.thumbPressed, 0.2), {}});
                glyph = t.accentText;
            } else if (s == 3) {
                DrawBody(c, ox + 1, 1, ox + kW - 1, kH - 1, 2.5,
                         {Lighter(t.thumbHot, 0.25), t.thumbHot, Darker(t.thumbHot, 0.15), {}});
                glyph = t.dark ? t.text : Darker(t.thumbHot, 0.6);
            } else if (s == 2) {
                glyph = Mix(t.track, glyph, 0.35);
            }
            const int shift = s == 1 ? 1 : 0;
            Triangle(c, dirs[d], ox + 8 + shift, 8 + shift, 4, glyph);
        }
    }
    // Thumb grips: three short ridges across the thumb's length.
    const Rgb grips[3] = {Darker(t.thumb, t.dark ? 0.35 : 0.22), Lighter(t.thumbPressed, 0.55),
                          Darker(t.thumbHot, 0.3)};
    for (int g = 0; g < 6; ++g) {
        const int ox = (16 + g) * kW;
        c.FillRect(ox, 0, ox + kW, kH, kKey);
        const Rgb col = grips[g % 3];
        for (int k = -1; k <= 1; ++k) {
            if (g < 3)
                c.VLine(ox + 8 + 2 * k, 5, 11, col);
            else
                c.HLine(ox + 5, ox + 12, 8 + 2 * k - 1, col);
        }
    }
    return c;  // cell 23 keeps the plain track colour
}

// The shaft between the arrows: 1 enabled, 3 disabled (2 and 4 repeat them). Opaque.
Canvas DrawScrollTrack(const Theme& t, bool vertical) {
    const int kW = vertical ? 16 : 17, kH = vertical ? 17 : 16;
    Canvas c(4 * kW, kH, t.track);
    for (int cell = 0; cell < 4; ++cell) {
        const int ox = cell * kW;
        const Rgb fill = cell >= 2 ? Mix(t.track, t.face, 0.6) : t.track;
        c.FillRect(ox, 0, ox + kW, kH, fill);
        if (vertical) {
            c.VLine(ox, 0, kH, t.trackBorder);
            c.VLine(ox + kW - 1, 0, kH, t.trackBorder);
        } else {
            c.HLine(ox, ox + kW, 0, t.trackBorder);
            c.HLine(ox, ox + kW, kH - 1, t.trackBorder);
        }
    }
    return c;
}

// Thumbs: 1 normal, 2 pressed, 3 hot; rounded, floating one pixel inside the track, keyed corners.
Canvas DrawScrollThumb(const Theme& t, bool vertical) {
    const int kW = vertical ? 16 : 24, kH = vertical ? 24 : 16;
    Canvas c(3 * kW, kH, t.track);
    const Rgb fills[3] = {t.thumb, t.thumbPressed, t.thumbHot};
    for (int cell = 0; cell < 3; ++cell) {
        const int ox = cell * kW;
        const double x0 = ox + (vertical ? 2 : 1), x1 = ox + kW - (vertical ? 2 : 1);
        const double y0 = vertical ? 1 : 2, y1 = kH - (vertical ? 1 : 2);
        const Rgb f = fills[cell];
        DrawBody(c, x0, y0, x1, y1, 3.5,
                 {Lighter(f, 0.14), f, cell == 1 ? Darker(f, 0.25) : t.thumbBorder, {}});
        KeyOutside(c, RoundRect(x0, y0, x1, y1, 3.5), ox, 0, ox + kW, kH);
    }
    return c;
}

// --- Other controls -------------------------------------------------------------------------------------

// Progress bar: cell 1 the empty groove, cell 2 the filled part. With one cell only the groove.
Canvas DrawProgress(const Theme& t, int cells) {
    constexpr int kW = 24, kH = 14;
    Canvas c(cells * kW, kH, t.face);
    DrawBody(c, 0, 0, kW, kH, 3.5,
             {Darker(t.track, t.dark ? 0.2 : 0.06),
              Lighter(t.track, t.dark ? 0.04 : 0.5),
              t.dark ? t.dkShadow : t.thumbBorder,
              {}});
    KeyOutside(c, RoundRect(0, 0, kW, kH, 3.5), 0, 0, kW, kH);
    if (cells > 1) {
        DrawBody(
            c, kW, 0, 2 * kW, kH, 3.5,
            {t.progressTop, t.progressBottom, Darker(t.progressBottom, 0.25), Lighter(t.progressTop, 0.35)});
        // A soft sheen over the upper half.
        c.FillShape(RoundRect(kW + 1, 2, 2 * kW - 1, 7, 2.5), Solid(kWhite), kW, 0, 2 * kW, kH);
        c.FillRect(kW + 1, 2, 2 * kW - 1, 7, [&](double x, double y) {
            return Mix(Mix(t.progressTop, t.progressBottom, (y - 1) / 12.0), kWhite, 0.22);
        });
        KeyOutside(c, RoundRect(kW, 0, 2 * kW, kH, 3.5), kW, 0, 2 * kW, kH);
    }
    return c;
}

// One chunk of the chunked progress look: a block and its gap, opaque.
Canvas DrawProgressChunk(const Theme& t) {
    Canvas c(8, 10, Darker(t.track, t.dark ? 0.2 : 0.06));
    DrawBody(c, 0, 0, 6, 10, 1.5, {t.progressTop, t.progressBottom, Darker(t.progressBottom, 0.2), {}});
    return c;
}

// Group box frame (1 normal, 2 disabled) and label background.
Canvas DrawGroupBoxEdge(const Theme& t) {
    Canvas c(32, 16, t.face);
    DrawBody(c, 0, 0, 16, 16, 4.5, {t.face, t.face, t.shadow, {}});
    DrawBody(c, 16, 0, 32, 16, 4.5, {t.face, t.face, t.btnOffBorder, {}});
    return c;
}

Canvas DrawGroupBoxLabel(const Theme& t) {
    Canvas c(24, 18, t.face);
    DrawBody(c, 0, 1, 24, 17, 7.5, {Lighter(t.face, 0.5), t.face, Mix(t.face, t.shadow, 0.5), {}});
    return c;
}

// Tabs: 1 other tabs, 2 the current tab, 3 hot, 4 disabled, 5 as 1. Rounded tops keyed out.
Canvas DrawTabs(const Theme& t) {
    constexpr int kW = 30, kH = 21;
    Canvas c(5 * kW, kH, t.face);
    const Rgb border = t.dark ? t.btnBorder : t.shadow;
    for (int cell = 0; cell < 5; ++cell) {
        const int ox = cell * kW;
        const bool current = cell == 1;
        const double top = current ? 0 : 2;
        Rgb a = Mix(t.face, t.dark ? kBlack : t.shadow, t.dark ? 0.18 : 0.04),
            b = Mix(t.face, t.dark ? kBlack : t.shadow, t.dark ? 0.3 : 0.18);
        if (current) a = t.dark ? Lighter(t.face, 0.08) : t.window, b = t.face;
        if (cell == 2) a = t.btnHotTop, b = t.btnHotBottom;
        if (cell == 3) a = t.btnOffTop, b = t.btnOffBottom;
        const Shape outer = RoundTopRect(ox, top, ox + kW, kH + 4, 3.5);
        const Shape inner = RoundTopRect(ox + 1, top + 1, ox + kW - 1, kH + 4, 2.5);
        c.FillShape(inner, VGradient(top, kH, a, b), ox, 0, ox + kW, kH);
        c.FillShape(Minus(outer, inner), Solid(cell == 3 ? t.btnOffBorder : border), ox, 0, ox + kW, kH);
        if (current) {
            c.FillShape(Minus(inner, Box(ox, 3, ox + kW, kH)), Solid(t.accent), ox, 0, ox + kW, kH);
        } else {
            c.HLine(ox, ox + kW, kH - 1, border);  // the page's top line runs under the other tabs
        }
        KeyOutside(c, outer, ox, 0, ox + kW, kH);
    }
    return c;
}

// A page frame: a one-pixel outline around the face colour. Opaque.
Canvas DrawTabBorder(const Theme& t, int size) {
    Canvas c(size, size, t.face);
    const Rgb border = t.dark ? t.btnBorder : t.shadow;
    c.HLine(0, size, 0, border);
    c.HLine(0, size, size - 1, border);
    c.VLine(0, 0, size, border);
    c.VLine(size - 1, 0, size, border);
    c.HLine(1, size - 1, 1, Mix(t.face, t.dark ? t.hilight : t.window, 0.7));
    return c;
}

// Status bar panels: 1 simple or lowered, 2 raised, 3 no bevel. Opaque.
Canvas DrawStatusBar(const Theme& t) {
    constexpr int kW = 16, kH = 19;
    Canvas c(3 * kW, kH, t.face);
    const Rgb low = Mix(t.face, t.dark ? kBlack : t.shadow, t.dark ? 0.2 : 0.1);
    const Rgb line = t.dark ? t.dkShadow : Mix(t.face, t.shadow, 0.6);
    for (int cell = 0; cell < 3; ++cell) {
        const int ox = cell * kW;
        const Rgb top = cell == 0 ? low : cell == 1 ? Lighter(t.face, t.dark ? 0.08 : 0.6) : t.face;
        const Rgb bottom = cell == 0 ? Lighter(low, 0.1) : t.face;
        c.FillRect(ox, 0, ox + kW, kH, VGradient(0, kH, top, bottom));
        c.HLine(ox, ox + kW, 0, line);
        if (cell != 2) {
            c.VLine(ox + kW - 2, 3, kH - 2, line);
            c.VLine(ox + kW - 1, 3, kH - 2, t.dark ? t.hilight : t.window);
        }
    }
    return c;
}

// Combo box button column: 1 normal, 2 pressed, 3 disabled, 4 hot or focused. Only the right corners
// round, to meet the sunken edge; column 0 is keyed so the field shows through.
Canvas DrawComboButton(const Theme& t) {
    constexpr int kW = 17, kH = 21;
    Canvas c(4 * kW, kH, t.face);
    const Look looks[4] = {
        {t.btnTop, t.btnBottom, t.dark ? t.btnBorder : t.shadow, {}},
        {t.btnDownTop, t.btnDownBottom, t.btnDownBorder, {}},
        {t.btnOffTop, t.btnOffBottom, t.btnOffBorder, {}},
        {t.btnHotTop, t.btnHotBottom, t.btnHotBorder, {}},
    };
    for (int cell = 0; cell < 4; ++cell) {
        const int ox = cell * kW;
        const Shape outer = [=](double x, double y) {
            return x >= ox + 1 && RoundRect(ox - 8, 0, ox + kW, kH, 3.5)(x, y);
        };
        const Shape inner = [=](double x, double y) {
            return x >= ox + 2 && RoundRect(ox - 8, 1, ox + kW - 1, kH - 1, 2.5)(x, y);
        };
        c.FillShape(inner, VGradient(1, kH - 1, looks[cell].top, looks[cell].bottom), ox, 0, ox + kW, kH);
        c.FillShape(Minus(outer, inner), Solid(looks[cell].border), ox, 0, ox + kW, kH);
        KeyOutside(c, outer, ox, 0, ox + kW, kH);
    }
    return c;
}

// The edge of an edit field or combo box: 1 normal, 2 pressed, 3 disabled, 4 hot or focused.
Canvas DrawSunkenEdge(const Theme& t) {
    constexpr int kW = 20, kH = 21;
    Canvas c(4 * kW, kH, t.face);
    const Rgb borders[4] = {t.dark ? t.btnBorder : t.shadow, t.btnDownBorder, t.btnOffBorder, t.accent};
    for (int cell = 0; cell < 4; ++cell) {
        const int ox = cell * kW;
        const Rgb fill = cell == 2 ? t.btnOffTop : t.window;
        DrawBody(c, ox, 0, ox + kW, kH, 3.5, {fill, fill, borders[cell], {}});
        KeyOutside(c, RoundRect(ox, 0, ox + kW, kH, 3.5), ox, 0, ox + kW, kH);
    }
    return c;
}

// Cells 1-4: the drop-down arrow for normal, pressed, disabled, hot; cell 5: the size grip. Keyed.
Canvas DrawExtraImages(const Theme& t) {
    constexpr int kS = 12;
    Canvas c(5 * kS, kS);
    const Rgb colours[4] = {t.text, t.text, t.textDisabled, t.dark ? Lighter(t.accent, 0.3) : t.accent};
    for (int cell = 0; cell < 4; ++cell) {
        const int shift = cell == 1 ? 1 : 0;
        Triangle(c, Pointer::Down, cell * kS + 6 + shift, 6 + shift, 3, colours[cell]);
    }
    // Size grip: six raised dots in a triangle at the bottom-right corner.
    const int ox = 4 * kS;
    const Rgb dot = t.dark ? Lighter(t.face, 0.35) : Mix(t.shadow, t.face, 0.2);
    const Rgb lit = t.dark ? t.dkShadow : t.window;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            if (row + col < 2) continue;
            const int x = ox + 2 + col * 3, y = 2 + row * 3;
            c.FillRect(x + 1, y + 1, x + 3, y + 3, lit);
            c.FillRect(x, y, x + 2, y + 2, dot);
        }
    return c;
}

// List-view header items: 1 normal, 2 hot, 3 pressed, 4 and 5 as 1. Opaque.
Canvas DrawHeader(const Theme& t) {
    constexpr int kS = 20;
    Canvas c(5 * kS, kS, t.face);
    const Rgb line = t.dark ? t.dkShadow : Mix(t.face, t.shadow, 0.75);
    for (int cell = 0; cell < 5; ++cell) {
        const int ox = cell * kS;
        Rgb top = Lighter(t.face, t.dark ? 0.08 : 0.7), bottom = t.face, base = line;
        if (cell == 1) top = t.btnHotTop, bottom = t.btnHotBottom, base = t.btnHotBorder;
        if (cell == 2) top = t.btnDownTop, bottom = t.btnDownBottom, base = t.btnDownBorder;
        c.FillRect(ox, 0, ox + kS, kS - 1, VGradient(0, kS - 1, top, bottom));
        c.HLine(ox, ox + kS, kS - 1, base);
        c.VLine(ox + kS - 2, 3, kS - 4, line);
        c.VLine(ox + kS - 1, 3, kS - 4, t.dark ? t.hilight : t.window);
    }
    return c;
}

// The popup menu background: a one-pixel outline and the menu colour. Opaque.
Canvas DrawMenuBackground(const Theme& t) {
    Canvas c(40, 40, t.menuBg);
    c.HLine(0, 40, 0, t.menuBorder);
    c.HLine(0, 40, 39, t.menuBorder);
    c.VLine(0, 0, 40, t.menuBorder);
    c.VLine(39, 0, 40, t.menuBorder);
    return c;
}

// Menu items: 1 normal (transparent), 2 separator, 3 unused, 4 selected, 5 unused. A separator item is
// 8 pixels high and takes the bottom rows of its cell, so the line sits in the middle of those.
Canvas DrawMenuItem(const Theme& t) {
    constexpr int kW = 24, kH = 20;
    Canvas c(5 * kW, kH);
    c.HLine(kW + 3, 2 * kW - 3, kH - 5, t.menuSeparator);
    const int ox = 3 * kW;
    c.FillRect(ox, 0, ox + kW, kH, t.menuBg);
    DrawBody(c, ox + 1, 1, ox + kW - 1, kH - 1, 3.5,
             {Lighter(t.menuSelect, 0.2), t.menuSelect, t.menuSelectBorder, {}});
    KeyOutside(c, RoundRect(ox + 1, 1, ox + kW - 1, kH - 1, 3.5), ox, 0, ox + kW, kH);
    return c;
}

// Track bar thumbs, a rounded tab with a point: 1 normal, 2 normal (the one drawn), 3 hot, 4 pressed,
// 5 disabled.
Canvas DrawTrackbarThumb(const Theme& t, Pointer p) {
    const bool upright = p == Pointer::Down || p == Pointer::Up;
    const int kW = upright ? 11 : 21, kH = upright ? 21 : 11;
    Canvas c(5 * kW, kH, t.face);
    const Look looks[5] = {
        {t.btnTop, t.btnBottom, t.dark ? t.btnBorder : t.thumbBorder, {}},
        {t.btnTop, t.btnBottom, t.dark ? t.btnBorder : t.thumbBorder, {}},
        {t.btnHotTop, t.btnHotBottom, t.btnHotBorder, {}},
        {t.btnDownTop, t.btnDownBottom, t.btnDownBorder, {}},
        {t.btnOffTop, t.btnOffBottom, t.btnOffBorder, {}},
    };
    for (int cell = 0; cell < 5; ++cell) {
        const int ox = cell * kW;
        // The outline in the thumb's own frame: u across (0..11), v along (0..21), point at v = 21.
        auto frame = [=](double inset) {
            return std::vector<std::pair<double, double>>{{inset, inset},
                                                          {11 - inset, inset},
                                                          {11 - inset, 15 - inset * 0.4},
                                                          {5.5, 21 - inset * 1.4},
                                                          {inset, 15 - inset * 0.4}};
        };
        auto place = [=](std::vector<std::pair<double, double>> pts) {
            for (auto& [u, v] : pts) {
                double x = u, y = v;
                switch (p) {
                case Pointer::Down: break;
                case Pointer::Up: y = 21 - v; break;
                case Pointer::Right: x = v, y = u; break;
                case Pointer::Left: x = 21 - v, y = u; break;
                }
                u = ox + x, v = y;
            }
            return Polygon(std::move(pts));
        };
        const Shape outer = place(frame(0)), inner = place(frame(1));
        const Paint fill = upright ? VGradient(0, kH, looks[cell].top, looks[cell].bottom)
                                   : HGradient(ox, ox + kW, looks[cell].top, looks[cell].bottom);
        c.FillShape(outer, Solid(looks[cell].border), ox, 0, ox + kW, kH);
        c.FillShape(inner, fill, ox, 0, ox + kW, kH);
        KeyOutside(c, outer, ox, 0, ox + kW, kH);
    }
    return c;
}

// Up-down buttons: cells 1-4 the first button (up or left), 5-8 the second; each: normal, pressed,
// disabled, hover. The arrows come from the glyph image.
Canvas DrawUpDown(const Theme& t, bool vertical) {
    const int kW = 16, kH = vertical ? 10 : 16;
    Canvas c(8 * kW, kH, t.face);
    for (int cell = 0; cell < 8; ++cell) {
        const int ox = cell * kW;
        const int s = cell % 4;
        Look look{t.btnTop, t.btnBottom, t.btnBorder, t.btnGloss};
        if (s == 1) look = {t.btnDownTop, t.btnDownBottom, t.btnDownBorder, {}};
        if (s == 2) look = {t.btnOffTop, t.btnOffBottom, t.btnOffBorder, {}};
        if (s == 3) look = {t.btnHotTop, t.btnHotBottom, t.btnHotBorder, t.btnGloss};
        DrawBody(c, ox, 0, ox + kW, kH, 2.5, look);
        KeyOutside(c, RoundRect(ox, 0, ox + kW, kH, 2.5), ox, 0, ox + kW, kH);
    }
    return c;
}

Canvas DrawUpDownGlyph(const Theme& t, bool vertical) {
    constexpr int kS = 8;
    Canvas c(8 * kS, kS);
    const Rgb colours[4] = {t.text, t.text, t.textDisabled, t.dark ? Lighter(t.accent, 0.3) : t.accent};
    for (int cell = 0; cell < 8; ++cell) {
        const bool first = cell < 4;
        const Pointer p =
            vertical ? (first ? Pointer::Up : Pointer::Down) : (first ? Pointer::Left : Pointer::Right);
        const int shift = cell % 4 == 1 ? 1 : 0;
        Triangle(c, p, cell * kS + 4 + shift, 4 + shift, 3, colours[cell % 4]);
    }
    return c;
}

// A track bar channel: a thin rounded groove, opaque.
Canvas DrawTrackChannel(const Theme& t, bool vertical) {
    const int kW = vertical ? 6 : 24, kH = vertical ? 24 : 6;
    Canvas c(kW, kH, t.face);
    DrawBody(c, 0, 0, kW, kH, 2.5,
             {Darker(t.track, t.dark ? 0.3 : 0.1), t.track, t.dark ? t.dkShadow : t.thumbBorder, {}});
    return c;
}

}  // namespace skingen
