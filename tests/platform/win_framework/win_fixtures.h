// Helpers for tests that make real windows: message pumping with a time limit and a host form.
#pragma once

#include "platform/win/forms.h"
#include "platform/win/sys_utils.h"  // WindowClassName

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Dispatches the messages that arrive within ms milliseconds (at least one pass over the queue).
void Pump(int ms);
// Dispatches messages until done() is true or ms milliseconds have passed; returns done().
bool PumpUntil(const std::function<bool()>& done, int ms);

// A visible form to put controls on, freed with the test.
std::unique_ptr<TForm> MakeHostForm(int clientWidth = 400, int clientHeight = 300);

// What the client area of a window shows now, row by row ($00RRGGBB).
std::vector<std::uint32_t> ClientPixels(HWND hwnd);

// Registers a window class of this module with a button-face background (nullptr: DefWindowProcW).
void RegisterTestClass(const wchar_t* name, WNDPROC proc = nullptr);
