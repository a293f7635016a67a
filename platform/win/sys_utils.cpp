// Platform variables, locale date and time, shift states.
#include "platform/win/sys_utils.h"

#include <vector>

TPlatformInfo PlatformInfoFromVersion(DWORD version) {
    TPlatformInfo p;
    p.Win32MajorVersion = int(LOBYTE(LOWORD(version)));
    p.Win32MinorVersion = int(HIBYTE(LOWORD(version)));
    // The top bit is set on the older (non-NT) family.
    p.Win32Platform = (version & 0x80000000u) ? VER_PLATFORM_WIN32_WINDOWS : VER_PLATFORM_WIN32_NT;
    return p;
}

const TPlatformInfo& PlatformInfo() {
    static const TPlatformInfo info = PlatformInfoFromVersion(GetVersion());
    return info;
}

HINSTANCE HInstance() { return GetModuleHandleW(nullptr); }

namespace {
std::wstring LocaleText(int (*format)(const SYSTEMTIME&, wchar_t*, int), const SYSTEMTIME& t) {
    const int n = format(t, nullptr, 0);
    if (n <= 0) return {};
    std::vector<wchar_t> buf(std::size_t(n) + 1);
    const int got = format(t, buf.data(), n + 1);
    if (got <= 0) return {};
    return std::wstring(buf.data());
}
int DateInto(const SYSTEMTIME& t, wchar_t* out, int size) {
    return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, out, size);
}
int TimeInto(const SYSTEMTIME& t, wchar_t* out, int size) {
    return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &t, nullptr, out, size);
}
}  // namespace

std::wstring FormatLocaleDate(const SYSTEMTIME& t) { return LocaleText(&DateInto, t); }
std::wstring FormatLocaleTime(const SYSTEMTIME& t) { return LocaleText(&TimeInto, t); }

std::wstring DateToStrNow() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return FormatLocaleDate(t);
}
std::wstring TimeToStrNow() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return FormatLocaleTime(t);
}

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState s;
    if (keys & MK_SHIFT) s |= ssShift;
    if (keys & MK_CONTROL) s |= ssCtrl;
    if (keys & MK_LBUTTON) s |= ssLeft;
    if (keys & MK_RBUTTON) s |= ssRight;
    if (keys & MK_MBUTTON) s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    return s;
}

TShiftState KeyboardStateToShiftState() {
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    if (GetKeyState(VK_LBUTTON) < 0) s |= ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) s |= ssRight;
    if (GetKeyState(VK_MBUTTON) < 0) s |= ssMiddle;
    return s;
}

std::string_view ProgramResourceText(const wchar_t* name) {
    HRSRC res = FindResourceW(HInstance(), name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!res) return {};
    HGLOBAL data = LoadResource(HInstance(), res);
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) return {};
    return {static_cast<const char*>(bytes), SizeofResource(HInstance(), res)};
}

std::wstring WindowClassName(HWND hwnd) {
    wchar_t name[256] = {};
    if (!hwnd || !GetClassNameW(hwnd, name, 256)) return {};
    return name;
}

std::string LowerClassName(HWND hwnd) {
    std::string out;
    for (wchar_t c : WindowClassName(hwnd))
        out.push_back(c >= L'A' && c <= L'Z' ? char(c - L'A' + 'a') : c < 128 ? char(c) : '?');
    return out;
}

std::wstring WindowText(HWND hwnd) {
    const int length = hwnd ? GetWindowTextLengthW(hwnd) : 0;
    if (length <= 0) return {};
    std::wstring text(std::size_t(length) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(std::size_t(got > 0 ? got : 0));
    return text;
}
