// The container-like controls: group boxes with a rounded frame and their caption on it, panels and nested
// forms only recoloured, and status bars drawn panel by panel from the skin's status-bar image.
#pragma once

#include "skin/controls/win/skin_control.h"

class TSkinGroupBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    Route BeforeProc(TMessage& Message) override;
    void DrawControl(HDC dc, const TRect& rc) override;
};

// Takes no messages: it only gives the control the skin's button face while skinned.
class TSkinBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void AfterProc(TMessage&) override {}
    void Unsubclass() override;
};

class TSkinStatusBar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    Route BeforeProc(TMessage& Message) override;
    void DrawControl(HDC dc, const TRect& rc) override;

private:
    void DrawPanelFrame(HDC dc, const TRect& rect, int frame);
    void DrawPanelBevel(HDC dc, const TRect& rect, int frame);
};
