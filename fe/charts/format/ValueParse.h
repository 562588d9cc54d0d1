// Label and edit-field texts back to values.
#pragma once

#include <cstdint>
#include <string_view>

#include "format/FormatCode.h"
#include "locale/LocaleFormat.h"

namespace dravik {

// Reads a date and/or time. With `timeOnly` the date is 1980-01-01; otherwise three numbers are the
// date in `dateOrder` (0 month/day/year, 1 day/month/year, 2 year/month/day); a year below 100 is taken
// in 1930..2029. Then up to three numbers are hour, minute and second (missing ones 0), and after them
// the locale's PM designator ("PM" when it has none) adds 12 to an hour below 12 and the AM designator
// ("AM") takes 12 from an hour above 11. The fields are not checked here.
loc::SystemTime ParseDateText(loc::LCID locale, std::string_view text, bool timeOnly, std::int32_t dateOrder);

// Reads a value of format `code`: empty text is the empty value 1e308; percent (4) takes a hundredth;
// the date kinds (5..8) read a date (7 a time) into an OLE date; others a number with "." as separator.
// The result is multiplied by `scaleUnit`. False (value 1e308) for a date that does not exist.
bool ParseValueText(std::string_view text, FormatCode code, double& value, double scaleUnit,
                    std::int32_t dateOrder, loc::LCID locale = loc::LOCALE_USER_DEFAULT);

}  // namespace dravik
