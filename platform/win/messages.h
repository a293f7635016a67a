// Window messages as the framework passes them around, and the framework's own notice numbers.
#pragma once

#include <windows.h>

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Notices between framework objects. The numbers are fixed: skinners send and read some of them by value.
// None of them is $BC4A..$BC4E, which skinners use for their own purposes.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DIALOGKEY = 0xB005;
constexpr UINT CM_DIALOGCHAR = 0xB006;
constexpr UINT CM_FOCUSCHANGED = 0xB007;
constexpr UINT CM_PARENTFONTCHANGED = 0xB008;
constexpr UINT CM_PARENTCOLORCHANGED = 0xB009;
constexpr UINT CM_VISIBLECHANGED = 0xB00B;
constexpr UINT CM_ENABLEDCHANGED = 0xB00C;
constexpr UINT CM_COLORCHANGED = 0xB00D;
constexpr UINT CM_FONTCHANGED = 0xB00E;
constexpr UINT CM_TEXTCHANGED = 0xB012;
constexpr UINT CM_MOUSEENTER = 0xB013;
constexpr UINT CM_MOUSELEAVE = 0xB014;
constexpr UINT CM_MENUCHANGED = 0xB015;
constexpr UINT CM_EXIT = 0xB01B;
constexpr UINT CM_RELEASE = 0xB021;
constexpr UINT CM_RECREATEWND = 0xB033;

// Reflected notifications are delivered by a direct call to the child object under these numbers:
// WM_COMMAND + CN_BASE and so on. CN_NOTIFY is never interpreted on a form (it doubles as a skinner's
// private message there).
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;

// Pointer-sized window data, through one pair of helpers.
inline LONG_PTR WindowData(HWND hwnd, int index) { return GetWindowLongPtrW(hwnd, index); }
inline void SetWindowData(HWND hwnd, int index, LONG_PTR value) { SetWindowLongPtrW(hwnd, index, value); }

// The device context a message lends in wParam (WM_ERASEBKGND, WM_PAINT from PaintControls, WM_PRINTCLIENT,
// WM_CTLCOLORxxx and the engine's paint requests); 0 for WM_PAINT of the window itself.
inline HDC PassedDc(const TMessage& m) { return reinterpret_cast<HDC>(m.WParam); }

// Signed mouse coordinates from lParam (a captured mouse can report negative ones).
inline POINT MousePoint(LPARAM lp) {
    return {short(LOWORD(static_cast<DWORD>(lp))), short(HIWORD(static_cast<DWORD>(lp)))};
}
