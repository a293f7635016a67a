#include "skin/controls/media_player_layout.h"

TButtonSet ButtonsFromSetText(std::string_view text) {
    TButtonSet set;
    for (int b = 0; b < kMPButtonCount; ++b)
        if (text.find(kMPBtnNames[std::size_t(b)]) != std::string_view::npos) set.Include(TMPBtnType(b));
    return set;
}

TMPGlyphState PlayerGlyphState(bool enabled, bool coloured) {
    if (!enabled) return TMPGlyphState::Disabled;
    return coloured ? TMPGlyphState::Coloured : TMPGlyphState::Enabled;
}

int PlayerFaceCell(bool pressed, TMPGlyphState glyph) {
    if (glyph == TMPGlyphState::Disabled) return 3;
    return pressed ? 2 : 1;
}

TPoint PlayerGlyphAt(const TRect& r, int gw, int gh, bool pressed) {
    const int shift = pressed ? 1 : 0;
    return {r.Left + (r.Width() - gw) / 2 + shift, (r.Height() - gh) / 2 + shift};
}
