// Dialogs: message boxes and the platform's common file-open dialog.
#pragma once

#include "platform/component.h"
#include "platform/props.h"

#include <windows.h>

#include <string>

// MessageBoxW owned by the active form (or the application window), titled with the application's title
// when caption is empty. Returns the button pressed (IDOK, IDYES ...).
int ShowMessageBox(const std::wstring& text, const std::wstring& caption = {}, UINT flags = MB_OK);
// An information box with an OK button.
void ShowMessage(const std::wstring& text);

enum class TOpenOption {
    ofReadOnly,
    ofHideReadOnly,
    ofAllowMultiSelect,
    ofFileMustExist,
    ofPathMustExist,
    ofNoChangeDir
};
using TOpenOptions = SetOf<TOpenOption>;
constexpr TOpenOption ofReadOnly = TOpenOption::ofReadOnly;
constexpr TOpenOption ofHideReadOnly = TOpenOption::ofHideReadOnly;
constexpr TOpenOption ofAllowMultiSelect = TOpenOption::ofAllowMultiSelect;
constexpr TOpenOption ofFileMustExist = TOpenOption::ofFileMustExist;
constexpr TOpenOption ofPathMustExist = TOpenOption::ofPathMustExist;
constexpr TOpenOption ofNoChangeDir = TOpenOption::ofNoChangeDir;

// The platform's file-open dialog. Filter pairs a description with its patterns, all separated by '|':
// "Text files (*.txt)|*.txt|All files|*.*".
class TOpenDialog : public TComponent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TOpenDialog(TComponent* owner);

    std::wstring FileName;
    std::wstring Filter;
    int FilterIndex = 1;
    std::wstring InitialDir;
    std::wstring Title;
    std::wstring DefaultExt;
    TOpenOptions Options{ofHideReadOnly, ofPathMustExist};
    // With ofAllowMultiSelect: every file chosen, full paths.
    std::vector<std::wstring> Files;
    TNotifyEvent OnShow;

    // Runs the dialog modally (owned by owner, or by the active form); true when a file was chosen.
    virtual bool Execute(HWND owner = nullptr);
    // The dialog window while Execute runs (for OnShow handlers and tests); nullptr otherwise.
    HWND Handle() const { return handle_; }

    // The Filter text as the platform wants it: each '|' a NUL, and two NULs at the end.
    static std::wstring PlatformFilter(const std::wstring& filter);

private:
    static UINT_PTR CALLBACK HookProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    HWND handle_ = nullptr;
};
