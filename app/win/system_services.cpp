// The real clock and effects of the lap timer.
#include "app/win/system_services.h"

#include <mmsystem.h>
#include <shellapi.h>

namespace {

// GetDateFormatW/GetTimeFormatW into a string; empty when the locale call fails.
template <class F>
std::wstring LocaleText(F format) {
    wchar_t buffer[128] = {};
    const int n = format(buffer, int(std::size(buffer)));
    return n > 0 ? std::wstring(buffer, size_t(n - 1)) : std::wstring();
}

}  // namespace

std::uint32_t SystemClock::TickCount() { return GetTickCount(); }

std::wstring SystemClock::ShortDate() {
    return LocaleText([](wchar_t* b, int n) { return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, b, n); });
}

std::wstring SystemClock::LongTime() {
    // No flags: the locale's long time format, seconds included.
    return LocaleText([](wchar_t* b, int n) { return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, b, n); });
}

void SystemEffects::PlayWave(const std::wstring& name) {
    // Asynchronous, by bare name: an alias first, then a file; a new cue cuts the one still playing.
    PlaySoundW(name.c_str(), nullptr, SND_ASYNC);
}

void SystemEffects::OpenUrl(const std::wstring& url) {
    // The default browser's business from here on; a failure is not ours to report.
    ShellExecuteW(owner_ ? owner_() : nullptr, nullptr, url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
