// The real clock and effects of the lap timer.
#include "app/win/system_services.h"

#include <mmsystem.h>
#include <shellapi.h>

#include "platform/win/sys_utils.h"

std::uint32_t SystemClock::TickCount() { return GetTickCount(); }

// Each reads the clock on its own, as the log line's date and time do.
std::wstring SystemClock::ShortDate() { return DateToStrNow(); }
std::wstring SystemClock::LongTime() { return TimeToStrNow(); }

void SystemEffects::PlayWave(const std::wstring& name) {
    // Asynchronous, by bare name: an alias first, then a file; a new cue cuts the one still playing.
    PlaySoundW(name.c_str(), nullptr, SND_ASYNC);
}

void SystemEffects::OpenUrl(const std::wstring& url) {
    // The default browser's business from here on; a failure is not ours to report.
    ShellExecuteW(owner_ ? owner_() : nullptr, nullptr, url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
