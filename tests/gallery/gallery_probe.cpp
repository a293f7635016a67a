// Answers the Gallery's end-to-end test about the windows of the Wine session (a console program).
//   gallery_probe      one line per visible top-level window: "class<TAB>title<TAB>x y width height<TAB>
//                      skinned<TAB>children<TAB>process", where skinned is what the window answers to the
//                      engine's SM_ISSKINNED, children counts its visible MDI children and process is the
//                      Windows process id
//   gallery_probe log  the lines of the log of the first visible "TGalleryForm", one per line
//   gallery_probe client CLASS  the client area of the first visible window of that class on the screen:
//                      "x y width height"
//   gallery_probe mdi  the first visible "TMdiForm", one line each: "client<TAB>x y width height" (its client
//                      area on the screen, below the skinned frame's menu band); "menu<TAB>height" (the
//                      band's height, the platform's menu-bar height); "menubar<TAB>0|1" (whether the
//                      platform's own menu bar is on the window); "status<TAB>text" (its status bar's first
//                      panel); then per MDI child "child<TAB>title<TAB>state<TAB>x y width
//                      height<TAB>skinned<TAB>active", where state is normal, max or min
//   gallery_probe controls TEXT
//                      every child window of the first visible top-level window whose title contains TEXT
//                      (ASCII: arguments reach the probe in the system's code page), one line
//                      each: "class<TAB>text<TAB>x y width height<TAB>style<TAB>skinned<TAB>check", the
//                      style in hex and check what a button answers to BM_GETCHECK (0, 1 or 2; -1 for
//                      windows of other classes)
//   gallery_probe children CLASS
//                      every child window of the first visible top-level window of that class, one line each:
//                      "class<TAB>id<TAB>x y width height<TAB>skinned<TAB>style" (style in hex; the rectangle
//                      on the screen), in the order of the platform's walk (parents before their children)
//   gallery_probe droplist
//                      the visible dropped list of a combo box: "x y width height<TAB>top<TAB>count<TAB>
//                      skinned<TAB>bar-top bar-bottom thumb-top thumb-bottom" (its vertical scroll bar on the
//                      screen, the thumb's ends from the bar's top; "-" when the bar cannot be read)
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/app/win/probe_text.h"

namespace {

using probe::ClassOf;
using probe::TextOf;
using probe::Utf8;

constexpr UINT kSmIsSkinned = 13603;

std::string OneLine(const std::wstring& w) {
    std::string s = Utf8(w);
    for (char& c : s)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return s;
}

int Skinned(HWND h) {
    DWORD_PTR skinned = 0;
    SendMessageTimeoutW(h, kSmIsSkinned, 0, 0, SMTO_ABORTIFHUNG, 2000, &skinned);
    return int(skinned == 1);
}

HWND MdiClientOf(HWND window) { return FindWindowExW(window, nullptr, L"MDIClient", nullptr); }

int MdiChildren(HWND window) {
    HWND client = MdiClientOf(window);
    int n = 0;
    for (HWND c = client ? GetWindow(client, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c)) ++n;
    return n;
}

BOOL CALLBACK List(HWND window, LPARAM) {
    if (!IsWindowVisible(window)) return TRUE;
    RECT r;
    GetWindowRect(window, &r);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    std::printf("%s\t%s\t%ld %ld %ld %ld\t%d\t%d\t%lu\n", Utf8(ClassOf(window)).c_str(),
                OneLine(TextOf(window)).c_str(), long(r.left), long(r.top), long(r.right - r.left),
                long(r.bottom - r.top), Skinned(window), MdiChildren(window),
                static_cast<unsigned long>(process));
    return TRUE;
}

struct Search {
    const wchar_t* cls;
    HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    if (!IsWindowVisible(window) || ClassOf(window) != s->cls) return TRUE;
    s->found = window;
    return FALSE;
}

HWND FindForm(const wchar_t* cls) {
    Search s{cls, nullptr};
    EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&s));
    if (!s.found) std::fprintf(stderr, "gallery_probe: no visible %s\n", Utf8(cls).c_str());
    return s.found;
}

BOOL CALLBACK Collect(HWND h, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
    return TRUE;
}

int Log() {
    HWND form = FindForm(L"TGalleryForm");
    if (!form) return 1;
    std::vector<HWND> children;
    EnumChildWindows(form, &Collect, reinterpret_cast<LPARAM>(&children));
    for (HWND c : children) {
        if ((GetWindowLongW(c, GWL_STYLE) & ES_MULTILINE) == 0) continue;
        std::wstring cls = ClassOf(c);
        for (wchar_t& ch : cls) ch = wchar_t(towlower(ch));
        if (cls.find(L"memo") == std::wstring::npos && cls.find(L"edit") == std::wstring::npos) continue;
        const std::wstring text = TextOf(c);
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find(L"\r\n", start);
            if (end == std::wstring::npos) end = text.size();
            std::printf("%s\n", Utf8(text.substr(start, end - start)).c_str());
            start = end + 2;
        }
        return 0;
    }
    std::fprintf(stderr, "gallery_probe: the Gallery has no log\n");
    return 1;
}

int Client(const char* cls) {
    const std::wstring name(cls, cls + std::strlen(cls));  // class names are ASCII
    HWND form = FindForm(name.c_str());
    if (!form) return 1;
    RECT cr{};
    GetClientRect(form, &cr);
    POINT origin{0, 0};
    ClientToScreen(form, &origin);
    std::printf("%ld %ld %ld %ld\n", long(origin.x), long(origin.y), long(cr.right), long(cr.bottom));
    return 0;
}

int Mdi() {
    HWND form = FindForm(L"TMdiForm");
    if (!form) return 1;
    RECT cr{};
    GetClientRect(form, &cr);
    POINT origin{0, 0};
    ClientToScreen(form, &origin);
    std::printf("client\t%ld %ld %ld %ld\n", long(origin.x), long(origin.y), long(cr.right), long(cr.bottom));
    std::printf("menu\t%d\n", GetSystemMetrics(SM_CYMENU));
    std::printf("menubar\t%d\n", GetMenu(form) ? 1 : 0);
    std::vector<HWND> controls;
    EnumChildWindows(form, &Collect, reinterpret_cast<LPARAM>(&controls));
    for (HWND c : controls) {
        std::wstring cls = ClassOf(c);
        for (wchar_t& ch : cls) ch = wchar_t(towlower(ch));
        if (cls.find(L"status") != std::wstring::npos) {
            std::printf("status\t%s\n", OneLine(TextOf(c)).c_str());
            break;
        }
    }
    HWND client = MdiClientOf(form);
    if (!client) return 0;
    DWORD_PTR active = 0;
    SendMessageTimeoutW(client, WM_MDIGETACTIVE, 0, 0, SMTO_ABORTIFHUNG, 2000, &active);
    for (HWND c = GetWindow(client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsWindowVisible(c)) continue;
        RECT r;
        GetWindowRect(c, &r);
        const char* state = IsZoomed(c) ? "max" : IsIconic(c) ? "min" : "normal";
        std::printf("child\t%s\t%s\t%ld %ld %ld %ld\t%d\t%d\n", OneLine(TextOf(c)).c_str(), state,
                    long(r.left), long(r.top), long(r.right - r.left), long(r.bottom - r.top), Skinned(c),
                    int(HWND(active) == c));
    }
    return 0;
}

struct Titled {
    std::wstring title;
    HWND found;
};

BOOL CALLBACK FindTitled(HWND window, LPARAM lp) {
    auto* t = reinterpret_cast<Titled*>(lp);
    if (!IsWindowVisible(window) || TextOf(window).find(t->title) == std::wstring::npos) return TRUE;
    t->found = window;
    return FALSE;
}

int Controls(const char* title) {
    const int n = MultiByteToWideChar(CP_ACP, 0, title, -1, nullptr, 0);
    Titled t{std::wstring(std::size_t(n > 0 ? n - 1 : 0), L'\0'), nullptr};
    MultiByteToWideChar(CP_ACP, 0, title, -1, t.title.data(), n);
    EnumWindows(&FindTitled, reinterpret_cast<LPARAM>(&t));
    if (!t.found) {
        std::fprintf(stderr, "gallery_probe: no visible window with %s in its title\n", title);
        return 1;
    }
    std::vector<HWND> controls;
    EnumChildWindows(t.found, &Collect, reinterpret_cast<LPARAM>(&controls));
    for (HWND c : controls) {
        RECT r;
        GetWindowRect(c, &r);
        std::wstring cls = ClassOf(c);
        for (wchar_t& ch : cls) ch = wchar_t(towlower(ch));
        // Check boxes and radio buttons: the platform's own class, or the framework's named after theirs.
        const bool button = cls == L"button" || cls.find(L"check") != std::wstring::npos ||
                            cls.find(L"radio") != std::wstring::npos || cls == L"tgroupbutton";
        DWORD_PTR check = DWORD_PTR(-1);
        if (button) SendMessageTimeoutW(c, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &check);
        std::printf("%s\t%s\t%ld %ld %ld %ld\t%08lx\t%d\t%ld\n", Utf8(ClassOf(c)).c_str(),
                    OneLine(TextOf(c)).c_str(), long(r.left), long(r.top), long(r.right - r.left),
                    long(r.bottom - r.top), static_cast<unsigned long>(GetWindowLongW(c, GWL_STYLE)),
                    Skinned(c), long(LONG_PTR(check)));
    }
    return 0;
}

int Children(const char* cls) {
    const std::wstring name(cls, cls + std::strlen(cls));
    HWND form = FindForm(name.c_str());
    if (!form) return 1;
    std::vector<HWND> controls;
    EnumChildWindows(form, &Collect, reinterpret_cast<LPARAM>(&controls));
    for (HWND c : controls) {
        RECT r;
        GetWindowRect(c, &r);
        std::printf("%s\t%d\t%ld %ld %ld %ld\t%d\t%08lx\n", Utf8(ClassOf(c)).c_str(), GetDlgCtrlID(c),
                    long(r.left), long(r.top), long(r.right - r.left), long(r.bottom - r.top), Skinned(c),
                    static_cast<unsigned long>(GetWindowLongW(c, GWL_STYLE)));
    }
    return 0;
}

int DropList() {
    HWND list = FindForm(L"ComboLBox");
    if (!list) return 1;
    RECT r;
    GetWindowRect(list, &r);
    std::printf("%ld %ld %ld %ld\t%d\t%d\t%d\t", long(r.left), long(r.top), long(r.right - r.left),
                long(r.bottom - r.top), int(SendMessageW(list, LB_GETTOPINDEX, 0, 0)),
                int(SendMessageW(list, LB_GETCOUNT, 0, 0)), Skinned(list));
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    if (GetScrollBarInfo(list, OBJID_VSCROLL, &bar))
        std::printf("%ld %ld %d %d\n", long(bar.rcScrollBar.top), long(bar.rcScrollBar.bottom),
                    bar.xyThumbTop, bar.xyThumbBottom);
    else
        std::printf("-\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "droplist") == 0) return DropList();
    if (argc > 2 && std::strcmp(argv[1], "controls") == 0) return Controls(argv[2]);
    if (argc > 2 && std::strcmp(argv[1], "children") == 0) return Children(argv[2]);
    if (argc > 1 && std::strcmp(argv[1], "log") == 0) return Log();
    if (argc > 1 && std::strcmp(argv[1], "mdi") == 0) return Mdi();
    if (argc > 2 && std::strcmp(argv[1], "client") == 0) return Client(argv[2]);
    EnumWindows(&List, 0);
    return 0;
}
