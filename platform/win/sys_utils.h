// Platform variables, the user locale's date and time texts, and shift states.
#pragma once

#include <windows.h>

#include <string_view>

#include <cstdint>
#include <string>

// The running system, read once at start-up: GetVersion's top bit tells the NT family from the older one.
struct TPlatformInfo {
    int Win32Platform = VER_PLATFORM_WIN32_NT;  // or VER_PLATFORM_WIN32_WINDOWS
    int Win32MajorVersion = 0;
    int Win32MinorVersion = 0;
    bool IsNT() const { return Win32Platform == VER_PLATFORM_WIN32_NT; }
};
const TPlatformInfo& PlatformInfo();
// Decodes a GetVersion value (exposed for tests).
TPlatformInfo PlatformInfoFromVersion(DWORD version);

// A window's class name (at most 255 characters) and its text, wide; the class name with its ASCII letters
// lower-cased, as 8-bit text, for the class tests of the skinning engine.
std::wstring WindowClassName(HWND hwnd);
std::string LowerClassName(HWND hwnd);
std::wstring WindowText(HWND hwnd);

// The module instance of the program (the executable), as used for window classes and property keys.
HINSTANCE HInstance();
// The bytes of the program's own RCDATA resource `name` (form descriptions, skin packages); empty when
// absent.
std::string_view ProgramResourceText(const wchar_t* name);

// The current date in the user locale's short date format and the current time in its long time format.
// Each reads the clock itself.
std::wstring DateToStrNow();
std::wstring TimeToStrNow();
std::wstring FormatLocaleDate(const SYSTEMTIME& t);
std::wstring FormatLocaleTime(const SYSTEMTIME& t);

// Keys and mouse buttons held during an input event.
enum class TShiftStateItem : std::uint8_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};
struct TShiftState {
    std::uint8_t Bits = 0;
    bool Has(TShiftStateItem i) const { return (Bits & std::uint8_t(i)) != 0; }
    TShiftState& operator|=(TShiftStateItem i) {
        Bits |= std::uint8_t(i);
        return *this;
    }
    friend bool operator==(TShiftState, TShiftState) = default;
};
constexpr TShiftStateItem ssShift = TShiftStateItem::ssShift;
constexpr TShiftStateItem ssAlt = TShiftStateItem::ssAlt;
constexpr TShiftStateItem ssCtrl = TShiftStateItem::ssCtrl;
constexpr TShiftStateItem ssLeft = TShiftStateItem::ssLeft;
constexpr TShiftStateItem ssRight = TShiftStateItem::ssRight;
constexpr TShiftStateItem ssMiddle = TShiftStateItem::ssMiddle;
constexpr TShiftStateItem ssDouble = TShiftStateItem::ssDouble;

// From the MK_xxx flags of a mouse message's wParam (Alt is read from the keyboard: mice do not report it).
TShiftState KeysToShiftState(WPARAM keys);
// From the current keyboard state.
TShiftState KeyboardStateToShiftState();

enum TMouseButton { mbLeft, mbRight, mbMiddle };
