// The user's locale information as the formatting routines read it: separators, grouping, currency
// symbol and orders, date and time patterns, designators and the names of days and months.
//
// Records are plain values. The process-wide records (LocaleRegistry.h) are seeded from the system
// locale; tests replace them. Nothing here consults the process C locale.
//
// Patterns use the letters of the platform the program was designed on: d dd ddd dddd, M MM MMM MMMM,
// y yy yyyy, g gg (era), h hh (12-hour), H HH (24-hour), m mm, s ss, t tt (AM/PM designator), and text in
// single quotes ('' is one quote).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "com/Types.h"

namespace loc {

using com::LCID;

// Locale ids the routines accept; any id that was not registered reads the user's default record.
inline constexpr LCID LOCALE_USER_DEFAULT = 0x400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x800;

// The items of getLocaleInfo(), with the values the original platform gives them.
enum class LocaleItem : std::uint32_t {
    SDECIMAL = 0x0E,
    STHOUSAND = 0x0F,
    SGROUPING = 0x10,
    IDIGITS = 0x11,
    ILZERO = 0x12,
    SCURRENCY = 0x14,
    SMONDECIMALSEP = 0x16,
    SMONTHOUSANDSEP = 0x17,
    SMONGROUPING = 0x18,
    ICURRDIGITS = 0x19,
    ICURRENCY = 0x1B,
    INEGCURR = 0x1C,
    SSHORTDATE = 0x1F,
    SLONGDATE = 0x20,
    IDATE = 0x21,
    S1159 = 0x28,
    S2359 = 0x29,
    INEGNUMBER = 0x1010,
    STIMEFORMAT = 0x1003,
};

// Date order of short dates: month/day/year, day/month/year, year/month/day.
enum class DateOrder : std::int32_t { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };

struct LocaleInfo {
    // Numbers. Grouping is the platform's text: group sizes from the decimal point leftwards, separated
    // by ';', a trailing ";0" meaning the last size repeats ("3;0" = 1,234,567; "3;2;0" = 12,34,567).
    std::string decimalSeparator = ".";
    std::string thousandSeparator = ",";
    std::string grouping = "3;0";
    std::int32_t digits = 2;
    std::int32_t leadingZero = 1;
    // 0 "(1.1)", 1 "-1.1", 2 "- 1.1", 3 "1.1-", 4 "1.1 -".
    std::int32_t negativeNumberOrder = 1;

    // Currency. Positive order: 0 "$1.1", 1 "1.1$", 2 "$ 1.1", 3 "1.1 $"; negative order 0..15 (see
    // LocaleFormat.h).
    std::string currencySymbol = "$";
    std::string monetaryDecimalSeparator = ".";
    std::string monetaryThousandSeparator = ",";
    std::string monetaryGrouping = "3;0";
    std::int32_t currencyDigits = 2;
    std::int32_t positiveCurrencyOrder = 0;
    std::int32_t negativeCurrencyOrder = 0;

    // Dates and times.
    std::string shortDate = "M/d/yyyy";
    std::string longDate = "dddd, MMMM d, yyyy";
    std::string timeFormat = "h:mm:ss tt";
    DateOrder dateOrder = DateOrder::MonthDayYear;
    std::string amDesignator = "AM";
    std::string pmDesignator = "PM";
    // Index 0 is Sunday, as a system time's day of the week counts.
    std::array<std::string, 7> dayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    std::array<std::string, 7> abbreviatedDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    // Index 0 is January.
    std::array<std::string, 12> monthNames{"January",   "February", "March",    "April",
                                           "May",       "June",     "July",     "August",
                                           "September", "October",  "November", "December"};
    std::array<std::string, 12> abbreviatedMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

    // United States English, the record a default-constructed LocaleInfo holds.
    static LocaleInfo english() { return LocaleInfo{}; }

    friend bool operator==(const LocaleInfo&, const LocaleInfo&) = default;
};

// The text of one item as the platform reports it (numbers as decimal text, "3;0" for grouping).
std::string localeItemText(const LocaleInfo& info, LocaleItem item);

// The date order that a short-date pattern implies (by which of d, M and y comes first); month/day/year
// when the pattern does not tell.
DateOrder dateOrderOfPattern(const std::string& pattern);

}  // namespace loc
