// The skin reader's messages as a message box.
#include "skin/storage/win/skin_message_box.h"

#include <windows.h>

#include <string>

#include "skin/storage/skin_read.h"

namespace {

std::wstring AnsiText(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(std::size_t(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), n);
    return wide;
}

// The program's file name without folder and extension.
std::wstring ProgramName() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, n);
    const std::size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0) name.erase(dot);
    return name;
}

void ShowMessageBox(const std::string& text) {
    const std::wstring caption = ProgramName();
    MessageBoxW(GetActiveWindow(), AnsiText(text).c_str(), caption.c_str(), MB_OK);
}

}  // namespace

void InstallSkinMessageBox() { SetSkinMessageHook(&ShowMessageBox); }
