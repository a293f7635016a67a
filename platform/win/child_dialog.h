// A child dialog: a dialog of the program's resources (a template of style WS_CHILD | DS_CONTROL) shown
// inside this control, filling it, with the standard controls its template holds. The framework knows the
// control; the dialog's own windows are raw ones, which the program reaches through DialogWindow.
#pragma once

#include <string>

#include "platform/win/controls.h"

class TChildDialog : public TWinControl {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TChildDialog(TComponent* owner);

    // The name of the dialog template among the program's resources.
    const std::wstring& Template() const { return template_; }
    void SetTemplate(const std::wstring& value);
    // The dialog window (made with this control's window), nullptr when the template cannot be made.
    HWND DialogWindow() const { return dialog_; }

    // The dialog has just been made (its controls can be filled).
    TNotifyEvent OnDialogCreate;
    void WndProc(TMessage& m) override;
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void HandleDestroyed() override { dialog_ = nullptr; }

private:
    void MakeDialog();
    void FitDialog();

    std::wstring template_;
    HWND dialog_ = nullptr;
};
