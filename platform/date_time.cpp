#include "platform/date_time.h"

#include <cstdio>

namespace {

// Exactly n decimal digits at text[at...]; -1 otherwise.
int Digits(std::string_view text, std::size_t at, std::size_t n) {
    if (at + n > text.size()) return -1;
    int v = 0;
    for (std::size_t i = at; i < at + n; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(const TDateValue& d) {
    return d.Year >= 1601 && d.Year <= 9999 && d.Day >= 1 && d.Day <= DaysInMonth(d.Year, d.Month);
}

bool IsValidTime(const TTimeValue& t) {
    return t.Hour >= 0 && t.Hour < 24 && t.Minute >= 0 && t.Minute < 60 && t.Second >= 0 && t.Second < 60;
}

bool ParseIsoDate(std::string_view text, TDateValue& out) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
    const TDateValue d{Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2)};
    if (!IsValidDate(d)) return false;
    out = d;
    return true;
}

bool ParseIsoTime(std::string_view text, TTimeValue& out) {
    if ((text.size() != 5 && text.size() != 8) || text[2] != ':') return false;
    TTimeValue t{Digits(text, 0, 2), Digits(text, 3, 2), 0};
    if (text.size() == 8) {
        if (text[5] != ':') return false;
        t.Second = Digits(text, 6, 2);
    }
    if (!IsValidTime(t)) return false;
    out = t;
    return true;
}

std::string FormatIsoDate(const TDateValue& d) {
    char s[16];
    std::snprintf(s, sizeof s, "%04d-%02d-%02d", d.Year % 10000, d.Month % 100, d.Day % 100);
    return s;
}

std::string FormatIsoTime(const TTimeValue& t) {
    char s[16];
    std::snprintf(s, sizeof s, "%02d:%02d:%02d", t.Hour % 100, t.Minute % 100, t.Second % 100);
    return s;
}
