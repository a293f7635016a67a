// TTimer: a component that fires OnTimer every Interval milliseconds while Enabled, from WM_TIMER on the
// thread that made it (through a hidden message-only window), so handlers never overlap.
#pragma once

#include "platform/component.h"
#include "platform/handles.h"

#include <cstdint>
#include <map>

class TTimer : public TComponent {
public:
    static const TClassInfo ClassInfo_;
    static const PropTable Props;
    const TClassInfo& ClassType() const override { return ClassInfo_; }

    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned value);
    TNotifyEvent OnTimer;
    // Whether the platform timer is running now.
    bool Running() const { return id_ != 0; }

protected:
    virtual void Timer();

private:
    friend struct TimerDispatch;
    void UpdateTimer();
    void Stop();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    std::uintptr_t id_ = 0;
    // Where the running timer lives: the message window and the timer table of the thread that started it.
    HWND window_ = nullptr;
    std::map<std::uintptr_t, TTimer*>* table_ = nullptr;
};
