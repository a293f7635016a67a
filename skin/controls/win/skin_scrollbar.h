// Skinned scroll bars. A TWScrollbar panel is laid exactly over a control's platform scroll bar, paints the
// skin there and hands presses on it to the control's own scroll bar handling, so scrolling, auto-repeat
// and the thumb drag stay the platform's; the panel follows the scroll notifications and repaints.
// TSkinScrollbar puts two such panels over a framework control's window scroll bars (a memo's, say).
#pragma once

#include "platform/win/std_controls.h"
#include "skin/controls/win/skin_control.h"

class TSkinScrollbar;

class TWScrollbar : public TCustomPanel {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TWScrollbar(TComponent* AOwner);
    // aType 0: the control's horizontal window scroll bar, 1: its vertical one.
    void Attach(TSkinControl* aobj, TWinControl* aControl, int aType);
    // Places the panel over the bar of ahwnd, or hides it when the bar is not shown.
    void SetPosition(HWND ahwnd);
    void HideScrollbar();
    void ButtonUp();
    void WndProc(TMessage& m) override;

    int Len = 0;
    int thumbTop = 0, thumbbottom = 0;
    TPoint OffsetSC;
    TPoint trackp;
    int trackthumb = 0;
    bool fdown = false;
    int sbDir = 0;  // 0 horizontal, 1 vertical
    int scrollpos = -1;
    int CW = 0;
    HWND hwnd = nullptr;
    TWinControl* control = nullptr;
    TSkinControl* obj = nullptr;
    int sbType = 0;
    TRect sbRect;
    bool sbVisible = false;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    // The platform's view of the bar; false when it cannot say.
    bool BarInfo(SCROLLBARINFO& info) const;
    int HitTest(TPoint p) const;
    void Press(TMessage& m);
    void Release(TMessage& m);
};

class TSkinScrollbar : public TSkinControl {
public:
    explicit TSkinScrollbar(TComponent* AOwner);
    ~TSkinScrollbar() override;

    virtual void InitScrollbar(TWinControl* acontrol, TSkinData* sd, TCanvas* acanvas, TComponent* sf);
    Route BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const TRect& rc) override;
    void SkinChange() override;
    void Unsubclass() override;

    TWScrollbar* hb = nullptr;  // owned (as components of this skinner)
    TWScrollbar* vb = nullptr;
    bool border = false;  // the skinner draws the control's border

private:
    void SetBars();
    void PaintBorder(HDC dc);
    void FreeBars();
    void SwapFixedColor(bool skinned);
};
