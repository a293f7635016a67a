// The lap timer's logic: start, pause, continue, laps, end and the log, independent of any window.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

// Where the timer reads the time. The product reads the system tick count and the locale's clock texts;
// tests drive a fake one through hours of runs in milliseconds.
struct Clock {
    virtual ~Clock() = default;
    virtual std::uint32_t TickCount() = 0;  // milliseconds, wraps every 2^32
    virtual std::wstring ShortDate() = 0;   // today in the user locale's short date format
    virtual std::wstring LongTime() = 0;    // now in the user locale's long time format
};

// Requests that leave the program: sound cues and web pages. Both are fire-and-forget.
struct Effects {
    virtual ~Effects() = default;
    virtual void PlayWave(const std::wstring& name) = 0;  // a bare wave file name, played asynchronously
    virtual void OpenUrl(const std::wstring& url) = 0;
};

// The controls the timer works through. The run's state is not kept here but read back from them: the
// caption of B2 is the state, Edit_Num holds the next lap number and EditVer the version, so whoever
// changes a control (a skinner, a test) sees the same behaviour the window shows.
struct LapTimerView {
    virtual ~LapTimerView() = default;
    virtual std::wstring B2Caption() = 0;
    virtual void SetB2Caption(const std::wstring& text) = 0;
    virtual std::wstring L1Caption() = 0;
    virtual void SetL1Caption(const std::wstring& text) = 0;
    virtual void SetL1Color(TColor color) = 0;
    virtual std::wstring EditNumText() = 0;
    virtual void SetEditNumText(const std::wstring& text) = 0;
    virtual std::wstring EditVerText() = 0;
    virtual std::wstring WindowCaption() = 0;
    virtual void SetWindowCaption(const std::wstring& text) = 0;
    virtual void AppendLogLine(const std::wstring& line) = 0;
    virtual void ClearLog() = 0;
    virtual void SetTimer1Enabled(bool on) = 0;
    virtual void SetTimer2Enabled(bool on) = 0;
};

inline constexpr wchar_t kCaptionStart[] = L"开始";
inline constexpr wchar_t kCaptionPause[] = L"暂停";
inline constexpr wchar_t kCaptionContinue[] = L"继续";
inline constexpr wchar_t kZeroTime[] = L"00时00分00秒000毫秒";
inline constexpr wchar_t kTitle[] = L"Tocvane";
inline constexpr wchar_t kPausedTitle[] = L"Tocvane -- 暂停";
inline constexpr TColor kRunningColor = RGBColor(0, 0, 255);

// The web sites the upgrade button and the status bar open.
inline constexpr wchar_t kUpgradeHost[] = L"https://update.tocvane.app";
inline constexpr wchar_t kHomeHost[] = L"https://www.tocvane.app";

// The fields of an elapsed time as the label shows them.
struct TimeFields {
    std::wstring hours, minutes, seconds, millis;
    int ms = 0;  // the milliseconds as a number, for the cue window
    std::wstring Text() const;
};

// Splits a signed elapsed time in milliseconds into padded fields; hours count modulo 60.
TimeFields FormatElapsed(std::int32_t elapsed);

// The sound cue due at these fields, or empty for none.
std::wstring CueFor(const TimeFields& f);

// The address of one of the maker's pages, with the program and version as the query.
std::wstring MakerUrl(const std::wstring& host, const std::wstring& version);

class LapTimer {
public:
    LapTimer(LapTimerView& view, Clock& clock, Effects& effects)
        : view_(view), clock_(clock), effects_(effects) {}

    void FormCreate();  // the title gets the version text
    void Timer1Timer();
    void Timer2Timer();
    void B2Click();
    void Button2Click();
    void ButtonClearClick();
    void Button1Click();
    void ButtonWebUrlClick();
    void StatusBar1Click();

    std::uint32_t StartTick = 0;
    std::uint32_t PauseTick = 0;
    std::int32_t BlinkCount = 0;
    std::wstring PausedText;

private:
    bool HasLoggableTime();
    std::wstring Stamp();  // " 时间" + date + " " + time

    LapTimerView& view_;
    Clock& clock_;
    Effects& effects_;
};
