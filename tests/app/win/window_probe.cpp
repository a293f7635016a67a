// window_probe: reports what a running Tocvane window shows, read through window messages.
//   window_probe wait MS    waits up to MS ms for a visible "TForm1" window; prints "shown" or fails
//   window_probe resources EXE   prints what the program file carries: icon images, version, manifest, form
//   window_probe count      prints how many visible "TForm1" windows there are
//   window_probe dump       prints the title, the client origin and size, the window's state, every child
//                           control (class, text, client-relative bounds, visible, skinned) and the log's
//                           lines, as UTF-8
//   window_probe hit X Y    prints the window's answer to WM_NCHITTEST at screen point (X, Y)
//   window_probe popups     prints the class of every visible top-level window of the program but its own
//   window_probe menus      prints the screen rectangle (x y w h) and skinned state of every open popup menu
//   window_probe other MS   shows a window of its own, takes the activation from the program, holds MS ms
//   window_probe restore    restores the minimised window
//   window_probe firstline  prints the first visible line of the log
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/app/win/probe_text.h"

namespace {

using probe::ClassOf;
using probe::TextOf;
using probe::Utf8;

// The engine's answer to "are you skinned?" (1 when a skinner owns the window).
constexpr UINT kIsSkinned = 0x3523;

int Skinned(HWND h) {
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutW(h, kIsSkinned, 0, 0, SMTO_ABORTIFHUNG, 2000, &r)) return -1;
    return int(r);
}

std::string OneLine(const std::wstring& w) {
    std::string s = Utf8(w);
    for (char& c : s)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return s;
}

HWND FindForm() {
    HWND h = FindWindowW(L"TForm1", nullptr);
    return h && IsWindowVisible(h) ? h : nullptr;
}

struct Child {
    HWND h;
    std::wstring cls;
};

BOOL CALLBACK Collect(HWND h, LPARAM lp) {
    reinterpret_cast<std::vector<Child>*>(lp)->push_back({h, ClassOf(h)});
    return TRUE;
}

bool IsMemo(const Child& c) {
    std::wstring lower = c.cls;
    for (wchar_t& ch : lower) ch = wchar_t(towlower(ch));
    return (lower.find(L"memo") != std::wstring::npos || lower.find(L"edit") != std::wstring::npos) &&
           (GetWindowLongW(c.h, GWL_STYLE) & ES_MULTILINE) != 0;
}

int Dump() {
    HWND form = FindForm();
    if (!form) {
        std::fprintf(stderr, "window_probe: no visible TForm1 window\n");
        return 1;
    }
    POINT origin{0, 0};
    ClientToScreen(form, &origin);
    RECT wr{};
    GetWindowRect(form, &wr);
    std::printf("title\t%s\n", OneLine(TextOf(form)).c_str());
    std::printf("client\t%ld %ld\n", origin.x, origin.y);
    std::printf("window\t%ld %ld %ld %ld\n", wr.left, wr.top, wr.right - wr.left, wr.bottom - wr.top);
    std::printf("topmost\t%d\n", (GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    RECT cr{};
    GetClientRect(form, &cr);
    std::printf("clientsize\t%ld %ld\n", cr.right, cr.bottom);
    std::printf("skinned\t%d\n", Skinned(form));
    std::printf("minimized\t%d\n", IsIconic(form) ? 1 : 0);
    std::printf("active\t%d\n", GetForegroundWindow() == form ? 1 : 0);
    std::vector<Child> children;
    EnumChildWindows(form, Collect, reinterpret_cast<LPARAM>(&children));
    for (const Child& c : children) {
        RECT r{};
        GetWindowRect(c.h, &r);
        MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
        std::printf("control\t%s\t%s\t%ld %ld %ld %ld\t%d\t%d\n", Utf8(c.cls).c_str(),
                    OneLine(TextOf(c.h)).c_str(), r.left, r.top, r.right - r.left, r.bottom - r.top,
                    IsWindowVisible(c.h) ? 1 : 0, Skinned(c.h));
    }
    for (const Child& c : children) {
        if (!IsMemo(c)) continue;
        std::wstring text = TextOf(c.h);
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find(L"\r\n", start);
            if (end == std::wstring::npos) end = text.size();
            std::printf("log\t%s\n", Utf8(text.substr(start, end - start)).c_str());
            start = end + 2;
        }
        break;
    }
    return 0;
}

BOOL CALLBACK CountForms(HWND h, LPARAM lp) {
    if (IsWindowVisible(h) && ClassOf(h) == L"TForm1") ++*reinterpret_cast<int*>(lp);
    return TRUE;
}

int Count() {
    int n = 0;
    EnumWindows(CountForms, reinterpret_cast<LPARAM>(&n));
    std::printf("%d\n", n);
    return 0;
}

// The resources of a program file, read without running it.
int Resources(const wchar_t* path) {
    HMODULE m = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!m) {
        std::fprintf(stderr, "window_probe: cannot open the program file\n");
        return 1;
    }
    auto bytes = [m](const wchar_t* name, const wchar_t* type, DWORD& size) -> const BYTE* {
        HRSRC r = FindResourceW(m, name, type);
        if (!r) return nullptr;
        size = SizeofResource(m, r);
        HGLOBAL g = LoadResource(m, r);
        return g ? static_cast<const BYTE*>(LockResource(g)) : nullptr;
    };
    DWORD size = 0;
    // Icon group: 6-byte header, then 14-byte entries {w, h, colours, 0, planes, bits, bytes, id}.
    if (const BYTE* g = bytes(L"MAINICON", MAKEINTRESOURCEW(14), size); g && size >= 6) {
        const int count = g[4] | g[5] << 8;
        std::printf("icons\t%d\n", count);
        for (int i = 0; i < count && 6 + 14 * (i + 1) <= int(size); ++i) {
            const BYTE* e = g + 6 + 14 * i;
            std::printf("icon\t%d %d\n", e[0] ? e[0] : 256, e[6] | e[7] << 8);
        }
    }
    if (const BYTE* v = bytes(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16), size); v) {
        std::vector<BYTE> copy(v, v + size);
        wchar_t* text = nullptr;
        UINT len = 0;
        if (VerQueryValueW(copy.data(), L"\\StringFileInfo\\080404B0\\FileVersion",
                           reinterpret_cast<void**>(&text), &len))
            std::printf("version\t%s\n", Utf8(std::wstring(text, len ? len - 1 : 0)).c_str());
    }
    if (const BYTE* x = bytes(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24), size); x) {
        const std::string manifest(reinterpret_cast<const char*>(x), size);
        std::printf("manifest\tcomctl6=%d dpiaware=%s\n",
                    manifest.find("Microsoft.Windows.Common-Controls") != std::string::npos &&
                        manifest.find("6.0.0.0") != std::string::npos,
                    manifest.find(">false</dpiAware>") != std::string::npos ? "false" : "?");
    }
    if (bytes(L"TFORM1", MAKEINTRESOURCEW(10), size)) std::printf("form\t%lu\n", size);
    FreeLibrary(m);
    return 0;
}

int Hit(int x, int y) {
    HWND form = FindForm();
    if (!form) return 1;
    DWORD_PTR r = 0;
    SendMessageTimeoutW(form, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000, &r);
    std::printf("%ld\n", long(LRESULT(r)));
    return 0;
}

struct PopupScan {
    DWORD pid;
    HWND form;
    bool menusOnly;
};

BOOL CALLBACK ListPopups(HWND h, LPARAM lp) {
    const auto* scan = reinterpret_cast<const PopupScan*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != scan->pid || h == scan->form || !IsWindowVisible(h)) return TRUE;
    const std::wstring cls = ClassOf(h);
    if (!scan->menusOnly) {
        std::printf("%s\n", Utf8(cls).c_str());
    } else if (cls == L"#32768") {
        RECT r{};
        GetWindowRect(h, &r);
        std::printf("%ld %ld %ld %ld\t%d\n", r.left, r.top, r.right - r.left, r.bottom - r.top, Skinned(h));
    }
    return TRUE;
}

int Popups(bool menusOnly) {
    HWND form = FindForm();
    if (!form) return 1;
    PopupScan scan{0, form, menusOnly};
    GetWindowThreadProcessId(form, &scan.pid);
    EnumWindows(ListPopups, reinterpret_cast<LPARAM>(&scan));
    return 0;
}

int Other(DWORD ms) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ProbeOther";
    wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&wc);
    // In the screen's bottom right corner, away from the centred program window.
    HWND h = CreateWindowExW(0, L"ProbeOther", L"probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                             GetSystemMetrics(SM_CXSCREEN) - 160, GetSystemMetrics(SM_CYSCREEN) - 110, 150,
                             100, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(h);
    std::printf("shown\n");
    std::fflush(stdout);
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < ms) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
    DestroyWindow(h);
    return 0;
}

int FirstLine() {
    HWND form = FindForm();
    if (!form) return 1;
    std::vector<Child> children;
    EnumChildWindows(form, Collect, reinterpret_cast<LPARAM>(&children));
    for (const Child& c : children) {
        if (!IsMemo(c)) continue;
        DWORD_PTR line = 0;
        SendMessageTimeoutW(c.h, EM_GETFIRSTVISIBLELINE, 0, 0, SMTO_ABORTIFHUNG, 2000, &line);
        std::printf("%lu\n", static_cast<unsigned long>(line));
        return 0;
    }
    return 1;
}

int Restore() {
    HWND form = FindWindowW(L"TForm1", nullptr);
    if (!form) return 1;
    ShowWindow(form, SW_RESTORE);
    return 0;
}

int Wait(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        if (FindForm()) {
            std::printf("shown\n");
            return 0;
        }
        Sleep(50);
    }
    std::fprintf(stderr, "window_probe: no window after %lu ms\n", ms);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "dump") return Dump();
    if (argc >= 2 && std::string(argv[1]) == "count") return Count();
    if (argc >= 3 && std::string(argv[1]) == "resources") {
        const std::string narrow = argv[2];
        return Resources(std::wstring(narrow.begin(), narrow.end()).c_str());
    }
    if (argc >= 4 && std::string(argv[1]) == "hit") return Hit(std::atoi(argv[2]), std::atoi(argv[3]));
    if (argc >= 2 && std::string(argv[1]) == "popups") return Popups(false);
    if (argc >= 2 && std::string(argv[1]) == "menus") return Popups(true);
    if (argc >= 3 && std::string(argv[1]) == "other") return Other(DWORD(std::strtoul(argv[2], nullptr, 10)));
    if (argc >= 2 && std::string(argv[1]) == "restore") return Restore();
    if (argc >= 2 && std::string(argv[1]) == "firstline") return FirstLine();
    if (argc >= 3 && std::string(argv[1]) == "wait") return Wait(DWORD(std::strtoul(argv[2], nullptr, 10)));
    std::fprintf(
        stderr,
        "usage: window_probe resources EXE | count | dump | hit X Y | popups | menus | other MS | restore | "
        "wait MS\n");
    return 2;
}
