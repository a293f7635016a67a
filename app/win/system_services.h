// The lap timer's clock and effects on the real system: tick count, locale clock texts, sounds, the shell.
#pragma once

#include "app/lap_timer.h"

#include <windows.h>

#include <functional>

class SystemClock : public Clock {
public:
    std::uint32_t TickCount() override;
    std::wstring ShortDate() override;
    std::wstring LongTime() override;
};

class SystemEffects : public Effects {
public:
    // owner gives the window the shell's dialogs belong to (asked at each request: it may be recreated).
    explicit SystemEffects(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    void PlayWave(const std::wstring& name) override;
    void OpenUrl(const std::wstring& url) override;

private:
    std::function<HWND()> owner_;
};
