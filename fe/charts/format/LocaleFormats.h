// The user's number and currency formats and date order as the value labels use them: read from the
// locale records (platform locale) once when the library loads, read-only afterwards. Tests that
// replace the locale records call InitLocaleFormats again.
#pragma once

#include <cstdint>

#include "format/NumberFormatRecord.h"
#include "locale/LocaleInfo.h"

namespace dravik {

// A numeric locale item (read as at most 20 characters of text); `defaultValue` when the locale has no
// text for it.
std::int32_t GetLocaleNumber(loc::LCID locale, loc::LocaleItem item, std::int32_t defaultValue);

// Fill a record with the number format, or the currency format, of a locale. The currency symbol is
// taken from the locale only when the record has none.
void ReadNumberFormat(loc::LCID locale, NumberFormatRecord& record);
void ReadCurrencyFormat(loc::LCID locale, NumberFormatRecord& record);

// Reads the process-wide records from the user's default locale.
void InitLocaleFormats();

// The process-wide records (read on first use when InitLocaleFormats has not run).
const NumberFormatRecord& DefaultNumberRecord();
const NumberFormatRecord& DefaultCurrencyRecord();
// 0 month/day/year, 1 day/month/year, 2 year/month/day.
std::int32_t DefaultDateOrder();

}  // namespace dravik
