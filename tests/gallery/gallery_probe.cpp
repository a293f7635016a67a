// Lists the visible top-level windows of the Wine session for the Gallery's end-to-end test (a console
// program): one line each, "class<TAB>title<TAB>x y width height<TAB>skinned<TAB>children<TAB>process", where
// skinned is what the window answers to the engine's SM_ISSKINNED, children counts its MDI children and
// process is the Windows process id.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT kSmIsSkinned = 13603;

std::string Utf8(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string s(std::size_t(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, s.data(), n, nullptr, nullptr);
    s.resize(s.size() - 1);
    return s;
}

int MdiChildren(HWND window) {
    HWND client = FindWindowExW(window, nullptr, L"MDIClient", nullptr);
    int n = 0;
    for (HWND c = client ? GetWindow(client, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c)) ++n;
    return n;
}

BOOL CALLBACK List(HWND window, LPARAM) {
    if (!IsWindowVisible(window)) return TRUE;
    wchar_t cls[128] = {}, title[256] = {};
    GetClassNameW(window, cls, 128);
    GetWindowTextW(window, title, 256);
    RECT r;
    GetWindowRect(window, &r);
    DWORD_PTR skinned = 0;
    SendMessageTimeoutW(window, kSmIsSkinned, 0, 0, SMTO_ABORTIFHUNG, 2000, &skinned);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    std::printf("%s\t%s\t%ld %ld %ld %ld\t%d\t%d\t%lu\n", Utf8(cls).c_str(), Utf8(title).c_str(),
                long(r.left), long(r.top), long(r.right - r.left), long(r.bottom - r.top), int(skinned == 1),
                MdiChildren(window), static_cast<unsigned long>(process));
    return TRUE;
}

}  // namespace

int main() {
    EnumWindows(&List, 0);
    return 0;
}
