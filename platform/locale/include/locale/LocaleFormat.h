// Number, currency, date and time formatting by a locale, as the platform's formatting calls do it.
// Each call answers nullopt where the platform call would fail (a malformed value text, a format field
// out of range, an impossible date); callers turn that into an empty text.
//
// Rounding: a value text with more decimals than the format keeps is rounded half away from zero on its
// decimal digits ("0.125" with 2 digits gives "0.13", "-0.125" gives "-0.13"), as the platform did. A
// value that rounds to zero loses its minus sign.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "locale/LocaleInfo.h"

namespace loc {

// The number format record of the formatting calls. Grouping is a number whose decimal digits are the
// group sizes from the decimal point leftwards; a last digit 0 stops grouping after the groups before
// it, any other last size repeats (3 = 1,234,567; 32 = 12,34,567; 30 = 1234,567; 0 = no grouping).
struct NumberFormat {
    std::uint32_t digits = 2;  // 0..9
    std::uint32_t leadingZero = 1;
    std::uint32_t grouping = 3;
    std::string decimalSeparator = ".";
    std::string thousandSeparator = ",";
    std::uint32_t negativeOrder = 1;  // 0..4, see LocaleInfo
};

// Negative currency orders, with $ the symbol and n the number:
//   0 ($n)   1 -$n   2 $-n   3 $n-   4 (n$)   5 -n$   6 n-$   7 n$-
//   8 -n $   9 -$ n  10 n $-  11 $ n-  12 $ -n  13 n- $  14 ($ n)  15 (n $)
struct CurrencyFormat {
    std::uint32_t digits = 2;
    std::uint32_t leadingZero = 1;
    std::uint32_t grouping = 3;
    std::string decimalSeparator = ".";
    std::string thousandSeparator = ",";
    std::uint32_t negativeOrder = 0;  // 0..15
    std::uint32_t positiveOrder = 0;  // 0..3
    std::string currencySymbol = "$";
};

// The platform's date and time record. Day of the week: 0 = Sunday (ignored by formatting, which
// computes it from the date).
struct SystemTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t dayOfWeek = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;

    friend bool operator==(const SystemTime&, const SystemTime&) = default;
};

enum class DateForm { Short, Long };

// The text of one item of a locale (see LocaleRegistry for which record an id reads).
std::string getLocaleInfo(LCID lcid, LocaleItem item);

// "3;0" -> 3, "3;2;0" -> 32, "3" -> 30, "" -> 0: the record value of a grouping text.
std::uint32_t groupingValue(const std::string& text);
NumberFormat numberFormatOf(const LocaleInfo& info);
CurrencyFormat currencyFormatOf(const LocaleInfo& info);

// `value` is "[-]digits[.digits]" (a '.' always, whatever the locale). A null format uses the locale's
// own values.
std::optional<std::string> formatNumber(LCID lcid, std::string_view value, const NumberFormat* format);
std::optional<std::string> formatCurrency(LCID lcid, std::string_view value, const CurrencyFormat* format);

// Dates and times; without a picture the locale's short or long date pattern, or its time pattern.
std::optional<std::string> formatDate(LCID lcid, DateForm form, const SystemTime& time,
                                      std::optional<std::string_view> picture);
std::optional<std::string> formatTime(LCID lcid, const SystemTime& time,
                                      std::optional<std::string_view> picture);

}  // namespace loc
