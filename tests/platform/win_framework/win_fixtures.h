// Helpers for tests that make real windows: message pumping with a time limit and a host form.
#pragma once

#include "platform/win/forms.h"
#include "platform/win/sys_utils.h"  // WindowClassName

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Dispatches the messages that arrive within ms milliseconds (at least one pass over the queue).
void Pump(int ms);
// Dispatches messages until done() is true or ms milliseconds have passed; returns done().
bool PumpUntil(const std::function<bool()>& done, int ms);

// Dispatches messages until none is waiting (the posted work of a step is done), at most ms milliseconds.
void PumpIdle(int ms = 2000);

// The messages a window's own procedure receives, in order: the log puts itself in front of that procedure
// when made, so that procedures put in front later (skinners) come before it. Each entry may carry a
// note taken when the message arrived.
class MessageLog {
public:
    struct Entry {
        UINT msg;
        WPARAM wParam;
        int note;
    };
    explicit MessageLog(HWND hwnd, std::function<int(HWND, UINT)> noter = nullptr);
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;
    const std::vector<Entry>& Entries() const { return entries_; }
    void Clear() { entries_.clear(); }
    // The entries of one message.
    std::vector<Entry> Of(UINT msg) const;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_;
    WNDPROC prev_;
    std::function<int(HWND, UINT)> noter_;
    std::vector<Entry> entries_;
};

// One step of an expected sequence; an optional step may be missing.
struct Expect {
    UINT msg;
    bool optional = false;
};
// Whether the log holds the steps in this order (other messages between them are not looked at); the
// failure names the first step not found.
testing::AssertionResult InOrder(const MessageLog& log, std::initializer_list<Expect> steps);

// A visible form to put controls on, freed with the test.
std::unique_ptr<TForm> MakeHostForm(int clientWidth = 400, int clientHeight = 300);

// What the client area of a window shows now, row by row ($00RRGGBB).
std::vector<std::uint32_t> ClientPixels(HWND hwnd);

// Registers a window class of this module with a button-face background (nullptr: DefWindowProcW).
void RegisterTestClass(const wchar_t* name, WNDPROC proc = nullptr);
