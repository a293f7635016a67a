// Registration of framework window classes and the object property.
#include "platform/win/window_class.h"

#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>

#include "platform/win/sys_utils.h"

namespace {
// Keyed by name and by atom; records never move once made. Never freed: windows of forms still alive at
// exit get their last messages during static destruction.
std::map<std::wstring, std::unique_ptr<TWindowClassRecord>>& ByName() {
    static auto* m = new std::map<std::wstring, std::unique_ptr<TWindowClassRecord>>;
    return *m;
}
std::map<ATOM, const TWindowClassRecord*>& ByAtom() {
    static auto* m = new std::map<ATOM, const TWindowClassRecord*>;
    return *m;
}
}  // namespace

const TWindowClassRecord& RegisterFrameworkClass(const std::wstring& className, const wchar_t* baseClass,
                                                 WNDPROC proc, UINT addStyle) {
    if (auto it = ByName().find(className); it != ByName().end()) return *it->second;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (baseClass) {
        if (!GetClassInfoExW(nullptr, baseClass, &wc) && !GetClassInfoExW(HInstance(), baseClass, &wc))
            throw std::runtime_error("window class to superclass is missing");
    } else {
        wc.lpfnWndProc = DefWindowProcW;
        wc.style = CS_DBLCLKS;
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    }
    auto rec = std::make_unique<TWindowClassRecord>();
    rec->baseProc = wc.lpfnWndProc;
    rec->slot = wc.cbWndExtra;
    rec->name = className;

    wc.cbSize = sizeof wc;
    wc.cbWndExtra += int(sizeof(LONG_PTR));
    wc.style = (wc.style & ~UINT(CS_GLOBALCLASS)) | addStyle;
    wc.hInstance = HInstance();
    wc.lpszClassName = className.c_str();
    wc.lpfnWndProc = proc;
    wc.lpszMenuName = nullptr;
    rec->atom = RegisterClassExW(&wc);
    if (!rec->atom) throw std::runtime_error("RegisterClassExW failed");

    const TWindowClassRecord& r = *rec;
    ByAtom()[rec->atom] = rec.get();
    ByName()[className] = std::move(rec);
    return r;
}

const TWindowClassRecord* FrameworkClassOf(HWND hwnd) {
    const ATOM atom = ATOM(GetClassWord(hwnd, GCW_ATOM));
    auto it = ByAtom().find(atom);
    return it == ByAtom().end() ? nullptr : it->second;
}

std::wstring ControlPropertyName() {
    wchar_t buf[40];
    std::swprintf(buf, 40, L"ControlOfs%.8X%.8X", unsigned(reinterpret_cast<ULONG_PTR>(HInstance())),
                  unsigned(GetCurrentThreadId()));
    return buf;
}

ATOM ControlAtom() {
    // Per thread: the name carries the thread id.
    thread_local ATOM atom = GlobalAddAtomW(ControlPropertyName().c_str());
    return atom;
}

void* FrameworkObjectOfWindow(HWND hwnd) {
    if (!hwnd) return nullptr;
    return GetPropW(hwnd, AtomName(ControlAtom()));
}

void SetFrameworkObjectProperty(HWND hwnd, void* object) { SetPropW(hwnd, AtomName(ControlAtom()), object); }

void RemoveFrameworkObjectProperty(HWND hwnd) { RemovePropW(hwnd, AtomName(ControlAtom())); }
