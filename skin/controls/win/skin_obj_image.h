// Check boxes and radio buttons of other control libraries, which paint themselves from glyph strips they
// publish as properties: TSkinObjImage replaces no window procedure; it builds the strip such a control
// takes from the skin's check box or radio button image and hands it over (again at every skin change),
// and gives the control its own glyphs back when skinning ends. kind (set before Init): 1 check boxes
// taking "CustomGlyphs", 2 radio buttons taking "CustomGlyphs", 3 check boxes taking "Properties.Glyph".
#pragma once

#include "skin/controls/win/skin_control.h"

class TSkinObjImage : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

    void Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void Unsubclass() override;
    void SkinChange() override;

private:
    void ApplyGlyphs();
    // The strip of this kind from the skin's image (empty when the skin has no such image).
    TBitmap MakeStrip() const;
    void MakeCheckGlyphs() { HandOverCustomGlyphs(); }
    void MakeRadioGlyphs() { HandOverCustomGlyphs(); }
    void MakePropertiesGlyph();
    void HandOverCustomGlyphs();
};
