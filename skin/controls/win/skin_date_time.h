// Date-time pickers shown as a drop-down: TSkinDateTime draws a two-ring border over the picker's own and
// lays a TArrowButton, a small window of the skin's arrow, over the picker's button; a click on it is a
// click on the picker's button (the calendar drops down).
#pragma once

#include "platform/win/controls.h"
#include "skin/controls/win/skin_control.h"

class TArrowButton : public TCustomControl {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TArrowButton(TComponent* AOwner);

    // Becomes a child window of the picker, over its button; the picker no longer paints there.
    void Attach(TSkinControl* aobj, TWinControl* acontrol);
    // Follows the picker's new window rectangle r (at the origin).
    void MoveArrow(const TRect& r);
    void WndProc(TMessage& m) override;

    int cw = 0;  // the platform's arrow width
    TWinControl* control = nullptr;
    TSkinControl* obj = nullptr;
    HWND hwnd = nullptr;  // the picker's window
    std::uint8_t state = 0;

protected:
    void Paint() override;

private:
    bool LeftSide() const;
    bool inside_ = false;  // the mouse is over the button (its enter and leave notices)
};

class TSkinDateTime : public TSkinControl {
public:
    explicit TSkinDateTime(TComponent* AOwner);
    ~TSkinDateTime() override;

    void Init(TComponent* sf, TSkinData* sd, TCanvas* acanvas, bool acolor) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC dc, const TRect& rc) override;
    void Unsubclass() override;
    void Notification(TComponent* component, TOperation operation) override;

    TArrowButton* arrow = nullptr;  // owned by this skinner
};
