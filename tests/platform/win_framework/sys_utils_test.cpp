// Platform variables, locale date and time texts, shift states.
#include <gtest/gtest.h>

#include "platform/win/sys_utils.h"

namespace {

TEST(PlatformVariables, DecodedFromTheVersionWord) {
    // Low byte major, next byte minor; the top bit marks the older family.
    const TPlatformInfo nt = PlatformInfoFromVersion(0x1DB10106);
    EXPECT_TRUE(nt.IsNT());
    EXPECT_EQ(nt.Win32MajorVersion, 6);
    EXPECT_EQ(nt.Win32MinorVersion, 1);
    const TPlatformInfo old = PlatformInfoFromVersion(0xC0000A04);
    EXPECT_FALSE(old.IsNT());
    EXPECT_EQ(old.Win32Platform, VER_PLATFORM_WIN32_WINDOWS);
    EXPECT_EQ(old.Win32MajorVersion, 4);
    EXPECT_EQ(old.Win32MinorVersion, 10);
    EXPECT_EQ(PlatformInfo().IsNT(), (GetVersion() & 0x80000000u) == 0);
}

TEST(LocaleDateTime, ShortDateAndLongTimeOfTheUserLocale) {
    SYSTEMTIME t{};
    t.wYear = 2013;
    t.wMonth = 1;
    t.wDay = 19;
    t.wHour = 21;
    t.wMinute = 7;
    t.wSecond = 5;
    const std::wstring date = FormatLocaleDate(t);
    const std::wstring time = FormatLocaleTime(t);
    EXPECT_NE(date.find(L"19"), std::wstring::npos) << std::string(date.begin(), date.end());
    EXPECT_NE(date.find(L"13"), std::wstring::npos);
    EXPECT_NE(time.find(L"07"), std::wstring::npos);
    EXPECT_NE(time.find(L"05"), std::wstring::npos);  // the long format has seconds
    EXPECT_EQ(time.find(L'\0'), std::wstring::npos);
    EXPECT_FALSE(DateToStrNow().empty());
    EXPECT_FALSE(TimeToStrNow().empty());
}

TEST(ShiftState, FromMouseKeys) {
    const TShiftState s = KeysToShiftState(MK_LBUTTON | MK_SHIFT);
    EXPECT_TRUE(s.Has(ssLeft));
    EXPECT_TRUE(s.Has(ssShift));
    EXPECT_FALSE(s.Has(ssCtrl));
    EXPECT_FALSE(s.Has(ssRight));
    EXPECT_TRUE(KeysToShiftState(MK_CONTROL | MK_RBUTTON | MK_MBUTTON).Has(ssMiddle));
}

}  // namespace
