// The child dialog control.
#include "platform/win/child_dialog.h"

namespace {

// The dialog's own procedure: its controls need nothing of it beyond the dialog manager's handling.
INT_PTR CALLBACK ChildDialogProc(HWND, UINT msg, WPARAM, LPARAM) noexcept {
    return msg == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace

const PropTable TChildDialog::Props{
    &TWinControl::Props,
    {
        Prop::Str("Template", &TChildDialog::Template, &TChildDialog::SetTemplate),
        Prop::Event("OnDialogCreate", &TChildDialog::OnDialogCreate),
    }};
const TClassInfo TChildDialog::ClassInfo_{"TChildDialog", &TWinControl::ClassInfo_, &TChildDialog::Props};

TChildDialog::TChildDialog(TComponent* owner) : TWinControl(owner) { SetBoundsQuiet(0, 0, 200, 100); }

void TChildDialog::SetTemplate(const std::wstring& value) {
    if (value == template_) return;
    template_ = value;
    if (!HandleAllocated()) return;
    if (dialog_) DestroyWindow(dialog_);
    dialog_ = nullptr;
    MakeDialog();
}

void TChildDialog::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.Style |= WS_CLIPCHILDREN;
    p.ExStyle |= WS_EX_CONTROLPARENT;  // Tab goes on into the dialog's controls
}

void TChildDialog::CreateWnd() {
    TWinControl::CreateWnd();
    MakeDialog();
}

void TChildDialog::Loaded() {
    TWinControl::Loaded();
    if (HandleAllocated() && !dialog_) MakeDialog();
}

void TChildDialog::MakeDialog() {
    if (template_.empty() || HasState(csLoading)) return;
    dialog_ = CreateDialogParamW(HInstance(), template_.c_str(), Handle(), &ChildDialogProc, 0);
    if (!dialog_) return;
    FitDialog();
    ShowWindow(dialog_, SW_SHOWNA);
    if (OnDialogCreate) OnDialogCreate(this);
}

void TChildDialog::FitDialog() {
    if (!dialog_) return;
    RECT r;
    GetClientRect(Handle(), &r);
    SetWindowPos(dialog_, nullptr, 0, 0, r.right, r.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TChildDialog::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_SIZE:
        TWinControl::WndProc(m);
        FitDialog();
        return;
    case WM_ERASEBKGND: m.Result = 1; return;  // the dialog covers it
    default: TWinControl::WndProc(m);
    }
}
