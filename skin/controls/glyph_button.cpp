#include "skin/controls/glyph_button.h"
#include "platform/string_list.h"  // AsciiLower

#include <cctype>
#include <string>

namespace {

enum class Rule { BitButton, SpeedButton };

bool Horizontal(GlyphLayout l) { return l == GlyphLayout::Left || l == GlyphLayout::Right; }

GlyphPlacement Place(GlyphPlacementInput in, bool centred, Rule rule) {
    const bool across = Horizontal(in.layout);
    // The axis the glyph and caption share: the width for left and right, the height for top and bottom.
    const int room = across ? in.width : in.height;
    const int glyph = across ? in.glyphWidth : in.glyphHeight;
    const int text = across ? in.textWidth : in.textHeight;
    int M = in.margin, S = in.spacing;
    if (in.textWidth == 0 || in.glyphWidth == 0) S = 0;
    if (centred) {
        if (S == -1) {
            M = (room - (glyph + text)) / 3;
            S = M;
        } else {
            M = (room - (glyph + S + text)) / 2 + (rule == Rule::SpeedButton ? 1 : 0);
        }
    } else if (S == -1) {
        S = ((room - (M + glyph)) - text) / 2;
    }

    GlyphPlacement p;
    int glyphAt = 0, textAt = 0;
    switch (in.layout) {
    case GlyphLayout::Left:
        glyphAt = M;
        textAt = M + glyph + S;
        p.align = CaptionAlign::Left;
        break;
    case GlyphLayout::Right:
        glyphAt = room - M - glyph;
        textAt = glyphAt - S - text;
        p.align = CaptionAlign::Right;
        break;
    case GlyphLayout::Top:
        glyphAt = M;
        textAt = M + glyph + S;
        p.align = CaptionAlign::Centre;
        break;
    case GlyphLayout::Bottom:
        glyphAt = room - M - glyph;
        textAt = glyphAt - S - text;
        p.align = CaptionAlign::Centre;
        break;
    }
    TPoint textCorner;
    if (across) {
        p.glyph = {glyphAt, (in.height - in.glyphHeight + 1) / 2};
        textCorner = {textAt, (in.height - in.textHeight + 1) / 2};
    } else {
        p.glyph = {(in.width - in.glyphWidth + 1) / 2, glyphAt};
        textCorner = {(in.width - in.textWidth + 1) / 2, textAt};
    }
    p.text = Bounds(textCorner.X, textCorner.Y, in.textWidth, in.textHeight);
    return p;
}

}  // namespace

GlyphLayout GlyphLayoutOf(std::string_view name) {
    const std::string lower = AsciiLower(name);
    if (lower == "blglyphright") return GlyphLayout::Right;
    if (lower == "blglyphtop") return GlyphLayout::Top;
    if (lower == "blglyphbottom") return GlyphLayout::Bottom;
    return GlyphLayout::Left;
}

SpeedButtonLook SpeedButtonLookOf(bool down, bool enabled, bool pressed, bool hot, bool flat) {
    const int mouse = pressed ? 2 : hot ? 4 : 1;
    SpeedButtonLook look;
    look.frame = down ? 2 : enabled ? mouse : 3;
    look.glyphCell = down ? 4 : GlyphCellForFrame(look.frame);
    look.drawFrame = !flat || look.frame == 2 || look.frame == 4;
    return look;
}

GlyphPlacement PlaceBitButton(GlyphPlacementInput in, bool centred) {
    return Place(in, centred || in.margin == -1, Rule::BitButton);
}

GlyphPlacement PlaceSpeedButton(GlyphPlacementInput in) {
    return Place(in, in.margin == -1, Rule::SpeedButton);
}

TRect GlyphTextBounds(int width, int height, int glyphWidth, int glyphHeight, GlyphLayout layout) {
    TRect r{2, 2, width - 2, height - 2};
    if (Horizontal(layout))
        r.Right -= glyphWidth + 2;
    else
        r.Bottom -= glyphHeight + 2;
    return r;
}

MenuButtonPlacement PlaceMenuButton(const GlyphPlacementInput& in) {
    const int W = in.width, H = in.height, gw = in.glyphWidth, gh = in.glyphHeight, tw = in.textWidth;
    const int aw = kMenuArrowWidth;
    int M = in.margin, S = in.spacing;
    if (M == -1 && S == -1) {
        M = (W - (gw + tw + aw)) / 4;
        S = M;
    } else if (M == -1) {
        M = (W - (gw + S + tw + S + aw)) / 2;
    } else if (S == -1) {
        // The row is M, glyph, S, caption, 2S, arrow: the spacing takes what is left after the margin.
        S = (W - (M + gw + tw + aw)) / 3;
    }
    MenuButtonPlacement p;
    p.glyph = {M, (H - gh) / 2};
    p.text = Bounds(M + gw + S, (H - in.textHeight + 1) / 2, tw, in.textHeight);
    p.arrow = {M + gw + tw + 3 * S, (H - kMenuArrowHeight) / 2};
    return p;
}

TRect MenuTextBounds(int width, int height, int glyphWidth) {
    return {2, 2, width - glyphWidth - kMenuArrowWidth - 2, height - 2};
}
