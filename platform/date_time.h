// Calendar dates and times of day as the framework publishes them: plain values, written in form
// descriptions as ISO text ("2013-01-19", "08:30:00").
#pragma once

#include <string>
#include <string_view>

struct TDateValue {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    friend constexpr bool operator==(const TDateValue&, const TDateValue&) = default;
};

struct TTimeValue {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    friend constexpr bool operator==(const TTimeValue&, const TTimeValue&) = default;
};

// The Gregorian calendar, years 1601 to 9999 (what the platform's calendar controls accept).
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(const TDateValue& d);
bool IsValidTime(const TTimeValue& t);

// "YYYY-MM-DD" and "HH:MM:SS" (or "HH:MM"); false on any other text or an impossible value.
bool ParseIsoDate(std::string_view text, TDateValue& out);
bool ParseIsoTime(std::string_view text, TTimeValue& out);
std::string FormatIsoDate(const TDateValue& d);
std::string FormatIsoTime(const TTimeValue& t);
