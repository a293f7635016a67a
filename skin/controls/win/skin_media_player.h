// Media players skinned: TSkinMP leaves the media player control alone and lays a TWMediaPlayer panel of
// the same bounds over it, which draws the button bar from the skin's button faces with the player's glyphs
// and passes the mouse presses and releases on to the control beneath, so the control acts on them.
#pragma once

#include <array>

#include "platform/bitmap.h"
#include "platform/media_buttons.h"
#include "platform/win/std_controls.h"
#include "skin/controls/win/skin_control.h"
#include "skin/imaging/skin_cell_cache.h"

class TWMediaPlayer : public TCustomPanel {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TWMediaPlayer(TComponent* AOwner);
    ~TWMediaPlayer() override;

    // Covers aObj (the panel takes its parent, bounds and place above it); askin is the skinner that made it.
    void Attach(TSkinControl* askin, TWinControl* aObj);
    // Takes aObj's bounds.
    void SetPosition(TWinControl* aObj);
    // The covered control went: the panel shows nothing more and passes nothing on.
    void Detach();
    // The skin changed: its faces are composed again.
    void SkinChanged();
    // The shown button at x (panel coordinates), kMPNoButton for none.
    int ButtonAt(int x) const;
    void WndProc(TMessage& m) override;
    void Notification(TComponent* component, TOperation operation) override;

    struct Button {
        bool shown = false, enabled = false, coloured = false;
        std::array<TBitmap, 3> glyphs;  // by TMPGlyphState: EN, DI, CL
    };
    std::array<Button, kMPButtonCount> Buttons;
    int count = 0;  // shown buttons at the last paint
    TSkinData* fsd = nullptr;
    bool IsDown = false;
    int BtnClick = kMPNoButton;   // the button the press began on
    int BtnFocuse = kMPNoButton;  // the button under the last mouse event
    int BtnWidth = 0;
    TWinControl* obj = nullptr;
    TSkinControl* skincontrol = nullptr;

protected:
    void Paint() override;

private:
    void LoadGlyphs();
    void FreeGlyphs();
    void ReadButtons();
    void DrawPlayerButton(TBitmap& bar, int b, const TRect& R);
    void Relay(TMessage& m);

    // The glyph shown for a button in a look: the program's, or the framework player's own for that button
    // (inked for the skin's face) where the program has none.
    const TBitmap& Glyph(int b, TMPGlyphState g);

    SkinCellCache faces_;  // the skin's button faces at the buttons' size
    std::array<std::array<TBitmap, 3>, kMPButtonCount> ownGlyphs_;
    TColor ownGlyphsFace_ = clNone;  // the face colour they were inked for
};

class TSkinMP : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~TSkinMP() override;

    void Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void Unsubclass() override;
    void AfterProc(TMessage& Message) override;
    void SkinChange() override;
    void Notification(TComponent* component, TOperation operation) override;

    TWMediaPlayer* mp = nullptr;  // the panel over the control, owned by the form skinner
};
