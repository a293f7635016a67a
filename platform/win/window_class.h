// Framework window classes: standard controls registered again under framework class names, and the
// window property that leads from a window back to its framework object.
#pragma once

#include <windows.h>

#include <string>

// A registered framework window class. Messages the framework object does not handle go to baseProc
// (the standard control's class procedure, or DefWindowProcW for plain windows) through CallWindowProcW.
// The object pointer sits at byte offset slot of the window's extra bytes, after the base class's own.
struct TWindowClassRecord {
    ATOM atom = 0;
    WNDPROC baseProc = nullptr;
    int slot = 0;
    std::wstring name;
};

// Registers className once per process, as a copy of baseClass (nullptr: a plain window with
// DefWindowProcW, the arrow cursor and no background brush) whose procedure is proc. Later calls with
// the same name return the first registration. Throws std::runtime_error when the platform refuses.
const TWindowClassRecord& RegisterFrameworkClass(const std::wstring& className, const wchar_t* baseClass,
                                                 WNDPROC proc, UINT addStyle = 0);
// The registration of the class a framework window belongs to; nullptr for other windows.
const TWindowClassRecord* FrameworkClassOf(HWND hwnd);

// The name of the window property that holds a framework window's object: "ControlOfs" followed by the
// module instance and the current thread id, each as 8 upper-case hex digits.
std::wstring ControlPropertyName();
// The global atom of that name (added on first use).
ATOM ControlAtom();
// The object stored under the property, or nullptr for windows the framework did not make.
void* FrameworkObjectOfWindow(HWND hwnd);
void SetFrameworkObjectProperty(HWND hwnd, void* object);
void RemoveFrameworkObjectProperty(HWND hwnd);

// LPCWSTR form of an atom (MinGW lacks MAKEINTATOMW).
inline LPCWSTR AtomName(ATOM atom) { return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(atom)); }
