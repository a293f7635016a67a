#include "skin/controls/win/skin_obj_image.h"

#include <string>

#include "platform/graphic_bitmap.h"
#include "platform/props.h"
#include "skin/controls/check_box.h"
#include "skin/controls/obj_image_glyphs.h"
#include "skin/data/skin_data.h"
#include "skin/data/skin_object.h"
#include "skin/imaging/img_util.h"

void TSkinObjImage::Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool) {
    // Nothing of the control's window is taken over, and its colour stays.
    if (Inited || !BindOwner(sf, sd, acanvas, false)) return;
    ApplyGlyphs();
}

void TSkinObjImage::SkinChange() { ApplyGlyphs(); }

void TSkinObjImage::ApplyGlyphs() {
    switch (kind) {
    case 1: MakeCheckGlyphs(); break;
    case 2: MakeRadioGlyphs(); break;
    case 3: MakePropertiesGlyph(); break;
    default: break;
    }
}

void TSkinObjImage::Unsubclass() {
    if (!control) return;
    if (kind == 1 || kind == 2) {
        SetPropByName(control, "UseCustomGlyphs", std::string_view("false"));
    } else if (kind == 3) {
        if (auto* props = GetObjectPropByName<TPersistent>(control, "Properties"))
            if (auto* glyph = GetObjectPropByName<TGraphicBitmap>(props, "Glyph")) glyph->Clear();
    }
}

TBitmap TSkinObjImage::MakeStrip() const {
    const TDataSkinButton* button = fsd ? fsd->Button.get() : nullptr;
    if (!button) return {};
    const bool radio = kind == 2;
    const TBitmap& source = radio ? button->RadioMap : button->CheckMap;
    const int frames = CellCount(radio ? button->radioframe : button->checkframe);
    const int cells = GlyphStripCells(kind);
    const int c = source.Width() / frames, h = source.Height();
    if (source.Empty() || cells == 0 || c <= 0) return {};
    TBitmap strip(cells * c, h, pf24bit);
    for (const GlyphCellCopy& copy : GlyphStripCopies(kind, frames))
        StretchCopy(strip, Rect((copy.dest - 1) * c, 0, copy.dest * c, h), source,
                    Rect((copy.source - 1) * c, 0, copy.source * c, h));
    return strip;
}

void TSkinObjImage::HandOverCustomGlyphs() {
    auto* glyphs = GetObjectPropByName<TGraphicBitmap>(control, "CustomGlyphs");
    if (!glyphs) return;
    TBitmap strip = MakeStrip();
    if (strip.Empty()) return;
    glyphs->SetBitmap(strip);
    SetPropByName(control, "transparentcolor", std::string_view(std::to_string(SkinKeyColor)));
    // Switched off and on again: the control reads its glyphs anew.
    SetPropByName(control, "UseCustomGlyphs", std::string_view("false"));
    SetPropByName(control, "UseCustomGlyphs", std::string_view("true"));
}

void TSkinObjImage::MakePropertiesGlyph() {
    auto* props = GetObjectPropByName<TPersistent>(control, "Properties");
    auto* glyph = props ? GetObjectPropByName<TGraphicBitmap>(props, "Glyph") : nullptr;
    if (!glyph) return;
    TBitmap strip = MakeStrip();
    if (strip.Empty()) return;
    strip.SetTransparentColor(SkinKeyColor);
    strip.SetTransparent(false);
    glyph->SetBitmap(std::move(strip));
}
