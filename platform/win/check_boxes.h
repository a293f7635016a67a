// Check boxes and radio buttons: the standard BUTTON control in its check and radio styles. The object
// keeps the state and the control shows it; a click (mouse or keyboard) arrives as BN_CLICKED.
#pragma once

#include "platform/win/std_controls.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// What check boxes and radio buttons share: a caption beside the box, on its right (taRightJustify, the
// default) or its left (taLeftJustify); a right-to-left control mirrors that and reads its caption right
// to left.
class TButtonControl : public TWinControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TButtonControl(TComponent* owner);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    // The window style of the box's kind (BS_3STATE, BS_RADIOBUTTON).
    virtual DWORD ButtonStyle() const = 0;
    // Whether a change of state runs Click: not while the control is read from a description.
    bool ClicksEnabled() const { return !HasState(csLoading) && clicksDisabled_ == 0; }
    // The window style changes of a property set once the window exists.
    void UpdateStyle();
    int clicksDisabled_ = 0;

private:
    TAlignment alignment_ = taRightJustify;
    bool wordWrap_ = false;
};

// A check box of two states, or of three with AllowGrayed (the third is grayed, "partly checked"). A click
// moves unchecked to checked (or to grayed when allowed), grayed to checked, checked to unchecked. Every
// change of state, by a click or by the program, runs OnClick (not while it is read from a description).
class TCustomCheckBox : public TButtonControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TCustomCheckBox(TComponent* owner);
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState value);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value);
    // The state a click gives.
    TCheckBoxState NextState() const;
    void WndProc(TMessage& m) override;

protected:
    DWORD ButtonStyle() const override;
    void CreateWnd() override;

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
};

class TCheckBox : public TCustomCheckBox {
public:
    static const TClassInfo ClassInfo_;
    const TClassInfo& ClassType() const override { return ClassInfo_; }
    using TCustomCheckBox::TCustomCheckBox;
};

// A radio button: checking one unchecks the other radio buttons of the same parent. Only the checked one
// is a tab stop (the arrow keys move among the others). Being checked, by a click or by the program, runs
// OnClick.
class TRadioButton : public TButtonControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TRadioButton(TComponent* owner);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    void WndProc(TMessage& m) override;

protected:
    DWORD ButtonStyle() const override;
    void CreateWnd() override;

private:
    void TurnSiblingsOff();
    bool checked_ = false;
};
