// Values to label texts under a format code. Every routine writes into a caller's buffer of `size`
// bytes (cut at a character boundary, always terminated when size > 0) and returns the length written;
// a formatting call that fails gives the empty text and length 0.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "com/Types.h"
#include "format/FormatCode.h"
#include "format/NumberFormatRecord.h"
#include "locale/LocaleFormat.h"

namespace dravik {

// The empty point: a value that is not there.
inline constexpr double kEmptyValue = 1e308;

// Conversions between an OLE date and a system time (day of the week filled in, milliseconds 0).
// False for a date or time out of range; the output is then untouched.
bool VariantTimeToSystemTimeHelper(com::DATE date, loc::SystemTime& time);
bool SystemTimeToVariantTimeHelper(const loc::SystemTime& time, com::DATE& date);

// Label text of `value` (an OLE date for the date kinds). For pictured date codes the picture of
// `format` is used; `format.number` drives the number, currency, percent and plain kinds.
std::string formatValueText(double value, FormatCode code, int decimals, const PreparedFormat& format,
                            loc::LCID locale);
int FormatValue(char* buffer, std::size_t size, double value, FormatCode code, int decimals,
                const PreparedFormat& format, loc::LCID locale);

// A date and/or time by kind (5 short date, 6 long date, 7 time, 8 date and time, other: short date);
// an empty result becomes one blank.
std::string formatSystemTimeText(const loc::SystemTime& time, std::optional<std::string_view> picture,
                                 FormatCode code, loc::LCID locale);
int FormatSystemTime(const loc::SystemTime& time, std::optional<std::string_view> picture, FormatCode code,
                     char* buffer, std::size_t size, loc::LCID locale);

// Axis edit-field text: empty for the empty value; else value / scaleUnit (a zero scale unit counts as
// 1) in scientific (3), percent (4, times 100), date (5, 6), time (7) or date and time (8) form, other
// codes fixed decimals; "." as separator.
std::string formatAxisValueText(double value, int decimals, FormatCode code, double scaleUnit,
                                loc::LCID locale);
int FormatAxisValue(char* buffer, std::size_t size, double value, int decimals, FormatCode code,
                    double scaleUnit, loc::LCID locale);

}  // namespace dravik
