// Skinned scroll bars. A TWScrollbar panel is laid exactly over a control's platform scroll bar, paints the
// skin there and hands presses on it to the control's own scroll bar handling, so scrolling, auto-repeat
// and the thumb drag stay the platform's; the panel follows the scroll notifications and repaints.
// TSkinScrollbar puts two such panels over a framework control's window scroll bars (a memo's, say),
// TSkinListView does the same for a list view, TSkinScrollbarH for a bare window, and TSkinScControl lays
// one panel over a whole scroll bar control.
#pragma once

#include "platform/win/std_controls.h"
#include "skin/controls/win/skin_control.h"

class TSkinScrollbar;

class TWScrollbar : public TCustomPanel {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TWScrollbar(TComponent* AOwner);
    // aType 0: the control's horizontal window scroll bar, 1: its vertical one, 2: the control is a scroll
    // bar control (its direction from its "Kind", or from its style).
    void Attach(TSkinControl* aobj, TWinControl* aControl, int aType);
    // The same for a bare window without framework object.
    void AttachHwnd(TSkinControl* aobj, HWND ahwnd, int aType);
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
    // What the panel covers (`sbType`): a window's horizontal or vertical scroll bar, or a scroll bar
    // control.
    static constexpr int kWindowHorz = 0;
    static constexpr int kWindowVert = 1;
    static constexpr int kBarControl = 2;
    int sbType = kWindowHorz;
    TRect sbRect;
    bool sbVisible = false;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    // The bar as the platform reports it: its rectangle (screen), thumb ends along it and state bits.
    struct BarGeometry {
        RECT bar{};
        int thumbTop = 0, thumbBottom = 0;
        DWORD state = 0;
    };
    // False when the platform cannot say. A scroll bar control's thumb is worked out from its scroll
    // information (minLength: drawn never shorter than 8 pixels).
    bool Geometry(BarGeometry& g, bool minLength = true);
    void Bind(TSkinControl* aobj, HWND ahwnd, int aType);
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

// A list view: its window scroll bars as TSkinScrollbar's, and its header window, which gets the header
// skinner from AttachHeader.
class TSkinListView : public TSkinScrollbar {
public:
    explicit TSkinListView(TComponent* AOwner);
    void InitScrollbar(TWinControl* acontrol, TSkinData* sd, TCanvas* acanvas, TComponent* sf) override;

    void Notification(TComponent* component, TOperation operation) override;

    HWND hHeader = nullptr;          // the list view's header window, if it has one
    TSkinControl* header = nullptr;  // its skinner (a TSkinHeader), owned by this skinner

protected:
    // Attaches the header skinner to the header window.
    virtual TSkinControl* AttachHeader(HWND aheader, TSkinData* sd, TCanvas* acanvas, TComponent* sf);
};

// The window scroll bars of a bare window without framework object (the always-visible list of a simple
// combo box, say).
class TSkinScrollbarH : public TSkinControl {
public:
    explicit TSkinScrollbarH(TComponent* AOwner);
    ~TSkinScrollbarH() override;

    void Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TComponent* sf) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const TRect& rc) override;
    void Unsubclass() override;

    TWScrollbar* hb = nullptr;  // owned
    TWScrollbar* vb = nullptr;

private:
    void FreeBars();
};

// A scroll bar control, a framework one (InitScrollbar) or a bare one of a dialog box (Inithwnd): one panel
// covers the whole control and hands presses on it to the control.
class TSkinScControl : public TSkinControl {
public:
    explicit TSkinScControl(TComponent* AOwner);
    ~TSkinScControl() override;

    void InitScrollbar(TWinControl* acontrol, TSkinData* sd, TCanvas* acanvas, TComponent* sf);
    void Inithwnd(HWND ahwnd, TSkinData* sd, TCanvas* acanvas, TComponent* sf) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const TRect& rc) override;
    void Unsubclass() override;

    TWScrollbar* sb = nullptr;  // owned

private:
    void FreeBar();
};
