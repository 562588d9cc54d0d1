// OLE automation dates: the one place where a DATE meets a calendar.
//
// A DATE is a double counting days from 1899-12-30 00:00. Its integer part (truncated toward zero) is
// the day and the magnitude of its fraction the time of day, so below zero the time runs away from zero:
// -1.25 is 1899-12-29 06:00, and -0.25 and 0.25 are both 1899-12-30 06:00. Valid dates lie in the years
// 100 to 9999. Times are resolved to whole seconds (rounded to the nearest second).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "com/Types.h"

namespace com {

struct CalendarTime {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59

    friend bool operator==(const CalendarTime&, const CalendarTime&) = default;
};

inline constexpr int kMinOleYear = 100;
inline constexpr int kMaxOleYear = 9999;
// Day numbers of 0100-01-01 and 9999-12-31.
inline constexpr int kFirstOleDay = -657434;
inline constexpr int kLastOleDay = 2958465;

bool isLeapYear(int year);
// 0 for a month outside 1..12.
int daysInMonth(int year, int month);
bool isValidCalendarTime(const CalendarTime& time);
// Whether the date lies in the years 100 to 9999 (a NaN does not).
bool isValidOleDate(DATE date);

// nullopt for an invalid calendar time.
std::optional<DATE> toOleDate(const CalendarTime& time);
// nullopt for a DATE outside the valid range or not a number.
std::optional<CalendarTime> fromOleDate(DATE date);

// Day of the week with Sunday = 1 ... Saturday = 7, as the automation Weekday function counts; 0 for an
// invalid date.
int weekday(DATE date);
// Sunday = 0 ... Saturday = 6; -1 for an invalid date.
int weekdayFromSunday0(DATE date);

// Adds calendar months (or years), keeping the time of day and clamping the day to the end of a shorter
// month (Jan 31 + 1 month = Feb 28 or 29). nullopt when the date or the result is out of range.
std::optional<DATE> addMonths(DATE date, int months);
std::optional<DATE> addYears(DATE date, int years);

// "YYYY-MM-DD" and "YYYY-MM-DD HH:MM:SS", independent of the locale; "" for an invalid date.
std::string formatIsoDate(DATE date);
std::string formatIsoDateTime(DATE date);
// Reads either form above (exact digit counts, no surrounding text); nullopt for anything else or an
// impossible date such as 2001-02-29.
std::optional<DATE> parseIsoDate(std::string_view text);

}  // namespace com
