// Timers on a hidden message-only window of the calling thread.
#include "platform/win/timer.h"

#include <windows.h>

#include <map>

#include "platform/win/sys_utils.h"

struct TimerDispatch {
    static void Fire(TTimer* t) { t->Timer(); }
};

namespace {
// Never freed: timers owned by forms that outlive main() are stopped after thread-local objects are gone.
std::map<UINT_PTR, TTimer*>& Timers() {
    thread_local auto* map = new std::map<UINT_PTR, TTimer*>;
    return *map;
}
thread_local UINT_PTR nextId = 1;

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
    HWND w = TimerWindow();
    if (w) KillTimer(w, id_);
    Timers().erase(id_);
    id_ = 0;
}

void TTimer::UpdateTimer() {
    Stop();
    if (!enabled_ || interval_ == 0) return;
    HWND w = TimerWindow();
    if (!w) return;
    const UINT_PTR id = nextId++;
    if (SetTimer(w, id, interval_, nullptr)) {
        id_ = id;
        Timers()[id] = this;
    }
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}
