// The Windows side of the skin component's unit: the platform services of every component (caption font,
// application icon, button-face brush, hint window), the optional user32 entry points and the text
// helpers the skinners share.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "skin/data/skin_data.h"

// Looks up the optional user32 entry points and makes every later skin component use the Windows
// services. Called once at program start, before the first form is read; calling it again does nothing.
void InstallSkinDataPlatform();

// The optional user32 entry points (nullptr when the system lacks one).
struct User32EntryPoints {
    BOOL(WINAPI* GetScrollBarInfo)(HWND, LONG, PSCROLLBARINFO) = nullptr;
    BOOL(WINAPI* TrackMouseEvent)(LPTRACKMOUSEEVENT) = nullptr;
    BOOL(WINAPI* GetComboBoxInfo)(HWND, PCOMBOBOXINFO) = nullptr;
    void(WINAPI* DisableProcessWindowsGhosting)() = nullptr;
};
const User32EntryPoints& User32Entries();

// The platform's GetScrollBarInfo when it was found; false otherwise.
bool SkinGetScrollBarInfo(HWND window, LONG objectId, PSCROLLBARINFO info);
bool SkinGetComboBoxInfo(HWND window, PCOMBOBOXINFO info);

// 8-bit text in the system code page to wide text.
std::wstring AnsiToWide(std::string_view text);
// The first count characters, or the whole text for count -1.
std::wstring WideLeft(const std::wstring& text, int count);
// Asks for one WM_MOUSELEAVE for the window; nothing when TrackMouseEvent is missing.
void TrackMouseLeave(HWND window);
// The framework object of a window (FrameworkObjectOfWindow); nullptr for 0 or a foreign window.
TObject* ControlOfWindow(HWND window);
