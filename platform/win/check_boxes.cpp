// Check boxes and radio buttons over the standard BUTTON control.
#include "platform/win/check_boxes.h"

#include <array>

namespace {
constexpr std::array<std::string_view, 3> kAlignmentNames{"taLeftJustify", "taRightJustify", "taCenter"};
constexpr std::array<std::string_view, 3> kStateNames{"cbUnchecked", "cbChecked", "cbGrayed"};
}  // namespace

// ======================================================================= TButtonControl

const PropTable TButtonControl::Props{
    &TWinControl::Props,
    {
        Prop::Str("Caption", &TButtonControl::Caption, &TButtonControl::SetCaption),
        Prop::Enum("Alignment", &TButtonControl::Alignment, &TButtonControl::SetAlignment,
                   PropNames{kAlignmentNames}),
        Prop::Enum("WordWrap", &TButtonControl::WordWrap, &TButtonControl::SetWordWrap, kBooleanNames),
    }};
const TClassInfo TButtonControl::ClassInfo_{"TButtonControl", &TWinControl::ClassInfo_,
                                            &TButtonControl::Props};

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    SetBoundsQuiet(0, 0, 97, 17);
    SetTabStop(true);
    SetParentColor(true);  // the box stands on its parent's surface
}

void TButtonControl::SetAlignment(TAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    UpdateStyle();
}

void TButtonControl::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    UpdateStyle();
}

void TButtonControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.BaseClass = L"BUTTON";
    p.Style |= ButtonStyle();
    // The caption on the box's left; a right-to-left control mirrors the choice.
    if ((alignment_ == taLeftJustify) != UseRightToLeftAlignment()) p.Style |= BS_LEFTTEXT;
    if (wordWrap_) p.Style |= BS_MULTILINE;
    if (UseRightToLeftReading()) p.ExStyle |= WS_EX_RTLREADING;
    if (UseRightToLeftAlignment()) p.ExStyle |= WS_EX_RIGHT;
}

void TButtonControl::UpdateStyle() {
    if (!HandleAllocated()) return;
    TCreateParams p;
    CreateParams(p);
    const HWND h = Handle();
    const LONG_PTR keep = GetWindowLongPtrW(h, GWL_STYLE) & ~LONG_PTR(BS_LEFTTEXT | BS_MULTILINE);
    SetWindowLongPtrW(h, GWL_STYLE, keep | LONG_PTR(p.Style & (BS_LEFTTEXT | BS_MULTILINE)));
    Invalidate();
}

// ======================================================================= TCustomCheckBox

const PropTable TCustomCheckBox::Props{
    &TButtonControl::Props,
    {
        Prop::Enum("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed,
                   kBooleanNames),
        Prop::Enum("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState, PropNames{kStateNames}),
        Prop::Enum("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked, kBooleanNames),
    }};
const TClassInfo TCustomCheckBox::ClassInfo_{"TCustomCheckBox", &TButtonControl::ClassInfo_,
                                             &TCustomCheckBox::Props};
const TClassInfo TCheckBox::ClassInfo_{"TCheckBox", &TCustomCheckBox::ClassInfo_, &TCustomCheckBox::Props};

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {}

// The object keeps the state (BS_3STATE never changes it by itself); every state, the third too, is one
// BM_SETCHECK away.
DWORD TCustomCheckBox::ButtonStyle() const { return BS_3STATE; }

void TCustomCheckBox::CreateWnd() {
    TButtonControl::CreateWnd();
    SendMessageW(Handle(), BM_SETCHECK, WPARAM(state_), 0);
}

void TCustomCheckBox::SetAllowGrayed(bool value) {
    allowGrayed_ = value;
    if (!value && state_ == cbGrayed && !HasState(csLoading)) SetState(cbUnchecked);
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
    if (value == state_) return;
    state_ = value;
    if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, WPARAM(value), 0);
    if (ClicksEnabled()) Click();
}

TCheckBoxState TCustomCheckBox::NextState() const {
    switch (state_) {
    case cbUnchecked: return allowGrayed_ ? cbGrayed : cbChecked;
    case cbChecked: return cbUnchecked;
    default: return cbChecked;
    }
}

void TCustomCheckBox::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == BN_CLICKED) SetState(NextState());
        return;
    }
    TButtonControl::WndProc(m);
}

// ======================================================================= TRadioButton

const PropTable TRadioButton::Props{
    &TButtonControl::Props,
    {
        Prop::Enum("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked, kBooleanNames),
    }};
const TClassInfo TRadioButton::ClassInfo_{"TRadioButton", &TButtonControl::ClassInfo_, &TRadioButton::Props};

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetBoundsQuiet(0, 0, 113, 17);
    SetTabStop(false);
}

DWORD TRadioButton::ButtonStyle() const { return BS_RADIOBUTTON; }

void TRadioButton::CreateWnd() {
    TButtonControl::CreateWnd();
    SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    SetTabStop(value);
    if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!value) return;
    TurnSiblingsOff();
    if (ClicksEnabled()) Click();
}

void TRadioButton::TurnSiblingsOff() {
    TWinControl* parent = Parent();
    if (!parent) return;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this)
            other->SetChecked(false);
}

void TRadioButton::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND) {
        // A click, or the focus arriving by the arrow keys (the platform clicks an unchecked radio button
        // then), checks it.
        if (HIWORD(m.WParam) == BN_CLICKED || HIWORD(m.WParam) == BN_DOUBLECLICKED) SetChecked(true);
        return;
    }
    TButtonControl::WndProc(m);
}
