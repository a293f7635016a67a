// Timers on a hidden message-only window of the calling thread.
#include "platform/win/timer.h"

#include <windows.h>

#include <atomic>
#include <map>

#include "platform/win/sys_utils.h"

struct TimerDispatch {
    static void Fire(TTimer* t) { t->Timer(); }
};

namespace {
// The running timers of a thread, by identifier. Never freed: timers owned by forms that outlive main() are
// stopped after thread-local objects are gone.
using TimerTable = std::map<std::uintptr_t, TTimer*>;
TimerTable& Timers() {
    thread_local auto* map = new TimerTable;
    return *map;
}
// Identifiers are unique in the process, so a timer stopped from another thread never takes another's.
std::atomic<std::uintptr_t> nextId{1};

LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_TIMER) {
        auto it = Timers().find(UINT_PTR(wParam));
        if (it != Timers().end()) {
            try {
                TimerDispatch::Fire(it->second);
            } catch (...) {
                // A failing handler must not unwind into the message loop.
            }
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND TimerWindow() {
    thread_local HWND window = nullptr;
    if (window && IsWindow(window)) return window;
    static const ATOM atom = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TimerWindowProc;
        wc.hInstance = HInstance();
        wc.lpszClassName = L"TTimerWindow";
        return RegisterClassExW(&wc);
    }();
    if (!atom) return nullptr;
    // Message-only: never shown, never activated, invisible to window enumeration.
    window =
        CreateWindowExW(0, L"TTimerWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, HInstance(), nullptr);
    return window;
}
}  // namespace

const PropTable TTimer::Props{&TComponent::Props,
                              {
                                  Prop::Enum("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, kBooleanNames),
                                  Prop::Int("Interval", &TTimer::Interval, &TTimer::SetInterval),
                                  Prop::Event("OnTimer", &TTimer::OnTimer),
                              }};
const TClassInfo TTimer::ClassInfo_{"TTimer", &TComponent::ClassInfo_, &TTimer::Props};

TTimer::TTimer(TComponent* owner) : TComponent(owner) { UpdateTimer(); }

TTimer::~TTimer() { Stop(); }

void TTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
    if (value == interval_) return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::Stop() {
    if (!id_) return;
    // The timer belongs to the window and table of the thread that started it, which is the thread that
    // stops it: objects with timers are freed on their own thread.
    KillTimer(window_, id_);
    table_->erase(id_);
    id_ = 0;
    window_ = nullptr;
    table_ = nullptr;
}

void TTimer::UpdateTimer() {
    Stop();
    if (!enabled_ || interval_ == 0) return;
    HWND w = TimerWindow();
    if (!w) return;
    const std::uintptr_t id = nextId++;
    if (SetTimer(w, id, interval_, nullptr)) {
        id_ = id;
        window_ = w;
        table_ = &Timers();
        (*table_)[id] = this;
    }
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}
