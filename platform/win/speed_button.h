// TSpeedButton: a windowless button (tool bars, groups of choices). It stays down when it belongs to a
// group (GroupIndex > 0): pressing one button of a group lets the others up, and AllowAllUp lets the
// down one come up again on a second press. Flat buttons show their edge only under the mouse or down.
#pragma once

#include "platform/win/button_glyph.h"
#include "platform/win/controls.h"

class TSpeedButton : public TGraphicControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    // Only a button of a group stays down; setting one down lets the rest of its group up. A down button
    // comes up only when its group allows all up.
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    // The group: 0 none, otherwise every speed button of the same parent with this index.
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    // Shared by the whole group.
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);

    TGraphicBitmap* Glyph() { return glyph_.Glyph(); }
    void SetGlyph(const TGraphicBitmap& value) { glyph_.Glyph()->Assign(value); }
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int value) { glyph_.SetNumGlyphs(value); }
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);

    // The look it would draw now: up, disabled, pressed (bsDown) or held down (bsExclusive).
    TButtonState State() const { return state_; }
    // The mouse is over it.
    bool MouseInControl() const { return mouseIn_; }

    void WndProc(TMessage& m) override;
    // A description that left several buttons of a group down keeps the first one read.
    void Loaded() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool Inside(int x, int y) const { return x >= 0 && x < Width() && y >= 0 && y < Height(); }
    // Lets the other buttons of the group up, and gives them this button's AllowAllUp.
    void UpdateExclusive();

    TButtonGlyph glyph_;
    bool down_ = false;
    bool flat_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    TButtonState state_ = bsUp;
    bool dragging_ = false;
    bool mouseIn_ = false;
};
