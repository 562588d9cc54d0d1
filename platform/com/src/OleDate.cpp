#include "com/OleDate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace com {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's days_from_civil).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t z, CalendarTime& out) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    out.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    out.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    out.year = static_cast<int>(yoe + era * 400 + (out.month <= 2 ? 1 : 0));
}

const std::int64_t kEpochDays = daysFromCivil(1899, 12, 30);

// A DATE as a day number (0 = 1899-12-30) and whole seconds into that day.
struct SplitDate {
    std::int64_t day = 0;
    std::int64_t seconds = 0;
};

std::optional<SplitDate> split(DATE date) {
    if (!isValidOleDate(date))
        return std::nullopt;
    const double whole = std::trunc(date);
    SplitDate s{static_cast<std::int64_t>(whole),
                static_cast<std::int64_t>(std::llround(std::fabs(date - whole) * kSecondsPerDay))};
    if (s.seconds >= kSecondsPerDay) {  // rounded up to the next midnight
        s.seconds -= kSecondsPerDay;
        ++s.day;
    }
    return s;
}

DATE join(std::int64_t day, std::int64_t seconds) {
    const double time = static_cast<double>(seconds) / kSecondsPerDay;
    return day < 0 ? static_cast<double>(day) - time : static_cast<double>(day) + time;
}

int toInt(std::string_view text) {
    int value = 0;
    for (char c : text)
        value = value * 10 + (c - '0');
    return value;
}

bool matchesPattern(std::string_view text, std::string_view pattern) {
    if (text.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == '9' ? !digit : text[i] != pattern[i])
            return false;
    }
    return true;
}

}  // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isValidCalendarTime(const CalendarTime& t) {
    return t.year >= kMinOleYear && t.year <= kMaxOleYear && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= daysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
           t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

bool isValidOleDate(DATE date) {
    return date > kFirstOleDay - 1.0 && date < kLastOleDay + 1.0;
}

std::optional<DATE> toOleDate(const CalendarTime& t) {
    if (!isValidCalendarTime(t))
        return std::nullopt;
    const std::int64_t day = daysFromCivil(t.year, t.month, t.day) - kEpochDays;
    return join(day, (t.hour * 60 + t.minute) * 60 + t.second);
}

std::optional<CalendarTime> fromOleDate(DATE date) {
    const auto s = split(date);
    if (!s)
        return std::nullopt;
    CalendarTime t;
    civilFromDays(s->day + kEpochDays, t);
    t.hour = static_cast<int>(s->seconds / 3600);
    t.minute = static_cast<int>(s->seconds / 60 % 60);
    t.second = static_cast<int>(s->seconds % 60);
    // 9999-12-31 23:59:59.6 rounds past the last valid second.
    if (!isValidCalendarTime(t))
        return std::nullopt;
    return t;
}

int weekday(DATE date) {
    return weekdayFromSunday0(date) + 1;
}

int weekdayFromSunday0(DATE date) {
    const auto t = fromOleDate(date);
    if (!t)
        return -1;
    // Day 0, 1899-12-30, was a Saturday.
    const std::int64_t day = daysFromCivil(t->year, t->month, t->day) - kEpochDays;
    return static_cast<int>(((day + 6) % 7 + 7) % 7);
}

std::optional<DATE> addMonths(DATE date, int months) {
    auto t = fromOleDate(date);
    if (!t)
        return std::nullopt;
    const std::int64_t index = static_cast<std::int64_t>(t->year) * 12 + (t->month - 1) + months;
    const std::int64_t year = index >= 0 ? index / 12 : (index - 11) / 12;
    if (year < kMinOleYear || year > kMaxOleYear)
        return std::nullopt;
    t->year = static_cast<int>(year);
    t->month = static_cast<int>(index - year * 12) + 1;
    if (t->day > daysInMonth(t->year, t->month))
        t->day = daysInMonth(t->year, t->month);
    return toOleDate(*t);
}

std::optional<DATE> addYears(DATE date, int years) {
    return addMonths(date,
                     static_cast<int>(std::clamp<std::int64_t>(std::int64_t{years} * 12, -200000, 200000)));
}

std::string formatIsoDate(DATE date) {
    const auto t = fromOleDate(date);
    if (!t)
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", t->year, t->month, t->day);
    return text;
}

std::string formatIsoDateTime(DATE date) {
    const auto t = fromOleDate(date);
    if (!t)
        return {};
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t->year, t->month, t->day, t->hour,
                  t->minute, t->second);
    return text;
}

std::optional<DATE> parseIsoDate(std::string_view text) {
    CalendarTime t;
    if (matchesPattern(text, "9999-99-99 99:99:99")) {
        t.hour = toInt(text.substr(11, 2));
        t.minute = toInt(text.substr(14, 2));
        t.second = toInt(text.substr(17, 2));
    } else if (!matchesPattern(text, "9999-99-99")) {
        return std::nullopt;
    }
    t.year = toInt(text.substr(0, 4));
    t.month = toInt(text.substr(5, 2));
    t.day = toInt(text.substr(8, 2));
    return toOleDate(t);
}

}  // namespace com
