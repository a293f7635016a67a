// The lap timer's handlers: each reads the controls, updates them and the run's ticks.
#include "app/lap_timer.h"

#include <charconv>
#include <string_view>

#include "platform/object.h"

namespace {

std::wstring Decimal(long long v) { return std::to_wstring(v); }

std::wstring Pad2(std::wstring s) { return s.size() == 1 ? L"0" + s : s; }

// The lap number as written back by the lap button: the text parsed as a signed 32-bit decimal number.
bool ParseLapNumber(const std::wstring& text, std::int32_t& out) {
    std::string narrow;
    for (wchar_t c : text) {
        if (c > 0x7F) return false;
        narrow += char(c);
    }
    // Tolerate surrounding blanks, as the conversion of a typed number does.
    const auto first = narrow.find_first_not_of(" \t");
    if (first == std::string::npos) return false;
    const auto last = narrow.find_last_not_of(" \t");
    std::string_view digits(narrow.data() + first, last - first + 1);
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), out);
    return ec == std::errc() && end == digits.data() + digits.size();
}

bool IsUnreserved(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// Percent-encodes a query value as UTF-8, so the version text can never add keys or leave the address.
std::wstring EncodeQueryValue(const std::wstring& value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::wstring out;
    auto byte = [&](unsigned b) {
        out += L'%';
        out += wchar_t(kHex[b >> 4]);
        out += wchar_t(kHex[b & 15]);
    };
    for (const char c : WideToUtf8(value)) {
        const auto b = static_cast<unsigned char>(c);
        if (IsUnreserved(char32_t(b)))
            out += wchar_t(b);
        else
            byte(b);
    }
    return out;
}

}  // namespace

std::wstring TimeFields::Text() const {
    return hours + L"时" + minutes + L"分" + seconds + L"秒" + millis + L"毫秒";
}

TimeFields FormatElapsed(std::int32_t elapsed) {
    TimeFields f;
    f.ms = elapsed % 1000;  // truncating, as is the division below
    f.millis = Decimal(f.ms);
    if (f.millis.size() == 1) f.millis = L"00" + f.millis;
    if (f.millis.size() == 2) f.millis = L"0" + f.millis;
    const std::int32_t s = elapsed / 1000;
    f.seconds = Pad2(Decimal(s % 60));
    f.minutes = Pad2(Decimal(s / 60 % 60));
    f.hours = Pad2(Decimal(s / 60 / 60 % 60));  // the field has two digits, so hours wrap at 60
    return f;
}

std::wstring CueFor(const TimeFields& f) {
    if (f.seconds != L"00" || f.ms > 100) return {};
    if (f.minutes == L"20") return L"20.wav";
    if (f.minutes == L"30") return L"30.wav";
    if (f.minutes == L"00") return {};  // neither at the start of a run nor on the hour
    return L"ding.wav";
}

std::wstring MakerUrl(const std::wstring& host, const std::wstring& version) {
    return host + L"/?qq=" + EncodeQueryValue(kTitle + version);
}

void LapTimer::FormCreate() { view_.SetWindowCaption(view_.WindowCaption() + view_.EditVerText()); }

void LapTimer::Timer1Timer() {
    // Wrap-around difference: the tick counter's own wrap does no harm.
    const auto elapsed = static_cast<std::int32_t>(clock_.TickCount() - StartTick);
    const TimeFields f = FormatElapsed(elapsed);
    view_.SetL1Caption(f.Text());
    const std::wstring cue = CueFor(f);
    if (!cue.empty()) effects_.PlayWave(cue);
}

void LapTimer::Timer2Timer() {
    BlinkCount += 1;
    if (BlinkCount >= 256) BlinkCount = 0;
    view_.SetL1Caption(BlinkCount % 2 != 0 ? std::wstring() : PausedText);
}

void LapTimer::B2Click() {
    if (view_.B2Caption() == kCaptionPause) {
        view_.SetTimer1Enabled(false);
        PauseTick = clock_.TickCount();
        view_.SetB2Caption(kCaptionContinue);
        PausedText = view_.L1Caption();
        view_.AppendLogLine(L"暂停 " + view_.L1Caption() + Stamp());
        view_.SetTimer2Enabled(true);
        view_.SetWindowCaption(kPausedTitle);
    } else {
        view_.SetTimer1Enabled(true);
        // Continuing moves the start forward by the length of the pause; at the first start both are 0.
        StartTick = clock_.TickCount() + StartTick - PauseTick;
        view_.SetB2Caption(kCaptionPause);
        view_.SetL1Color(kRunningColor);
        view_.SetTimer2Enabled(false);
        view_.SetWindowCaption(kTitle);
    }
}

bool LapTimer::HasLoggableTime() {
    if (view_.B2Caption() == kCaptionContinue) return false;
    const std::wstring shown = view_.L1Caption();
    return !shown.empty() && shown != kZeroTime;
}

std::wstring LapTimer::Stamp() {
    std::wstring date = clock_.ShortDate();
    std::wstring time = clock_.LongTime();
    return L" 时间" + date + L" " + time;
}

void LapTimer::Button2Click() {
    if (!HasLoggableTime()) return;
    view_.AppendLogLine(view_.EditNumText() + L".计次 " + view_.L1Caption() + Stamp());
    std::int32_t n = 0;
    // The program only ever writes decimal text here; anything else is left as it is.
    if (!ParseLapNumber(view_.EditNumText(), n)) return;
    view_.SetEditNumText(Decimal(static_cast<std::int32_t>(static_cast<std::uint32_t>(n) + 1u)));
}

void LapTimer::ButtonClearClick() {
    if (HasLoggableTime()) {
        view_.AppendLogLine(view_.EditNumText() + L".结束 " + view_.L1Caption() + Stamp());
        view_.AppendLogLine(std::wstring(53, L'-'));
    }
    view_.SetTimer1Enabled(false);
    view_.SetTimer2Enabled(false);
    view_.SetL1Caption(kZeroTime);
    view_.SetL1Color(kRunningColor);
    view_.SetB2Caption(kCaptionStart);
    PauseTick = 0;
    StartTick = 0;
    view_.SetWindowCaption(kTitle);
    view_.SetEditNumText(L"1");
}

void LapTimer::Button1Click() { view_.ClearLog(); }

void LapTimer::ButtonWebUrlClick() { effects_.OpenUrl(MakerUrl(kUpgradeHost, view_.EditVerText())); }

void LapTimer::StatusBar1Click() { effects_.OpenUrl(MakerUrl(kHomeHost, view_.EditVerText())); }
