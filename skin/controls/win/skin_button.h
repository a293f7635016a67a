// TSkinButton: push buttons painted from the skin's button image, for framework buttons and raw dialog
// buttons. The skinner owns the press: it swallows the mouse-down, tracks hot and pressed itself and clicks
// on release over the button, so a press dragged off the button clicks nothing.
#pragma once

#include <memory>

#include "skin/controls/win/skin_control.h"

class TBitmap;

class TSkinButton : public TSkinControl {
public:
    explicit TSkinButton(TComponent* AOwner);
    ~TSkinButton() override;

    void Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    Route BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const TRect& rc) override;

    std::unique_ptr<TBitmap> btemp;  // each paint is composed here and copied once
    bool trans = false;              // the parent's background behind the button

protected:
    void ForwardMouseDown(const TMessage& Message);
    void DrawButtonText(HDC dc, const TRect& rc, unsigned Alignment);
    // The click of a release over the pressed button.
    void PerformClick();
};
