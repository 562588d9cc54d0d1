// Format codes and pictures to prepared formats.
#pragma once

#include <cstdint>
#include <string_view>

#include "com/Variant.h"
#include "format/FormatCode.h"
#include "format/NumberFormatRecord.h"
#include "locale/LocaleInfo.h"

namespace dravik {

// Fills `record` for a code 0..2 (4 counts as 1): the user default locale copies the process-wide
// currency record (and for 1 the number record's fields over it), another locale reads its own number
// (1) or currency (0, 2) format; the symbol is `symbol`, or the locale's when that is empty. For 1 and 2
// a record with a decimal separator gets `digits` (at most 9) as its digit count. A code with bit 15,
// or another kind, leaves the record alone.
void PrepareNumberFormat(NumberFormatRecord& record, FormatCode code, std::int32_t digits, loc::LCID locale,
                         std::string_view symbol = {});

// Parses a picture: "D", "L", "T" or "X" (any case) first gives a pictured date (0x8005), long date
// (0x8006), time (0x8007) or date and time (0x8008) with the rest as picture; anything else is a number
// picture such as "#,##0.00;(#,##0.00)" or "$ #,##0.00;($ #,##0.00)", giving 0x8001 or 0x8002 with
// the record, the picture text and `digits` (the decimals) filled in.
FormatCode ParseFormatString(std::string_view text, PreparedFormat& format, std::int32_t& digits,
                             loc::LCID locale);

// A 16- or 32-bit integer variant is a format code (0..0xFFFF; the record is prepared for it with
// `digits`); a string variant is a picture (ParseFormatString); anything else is refused. True when
// the variant was taken.
bool FormatFromVariant(const com::Variant& variant, PreparedFormat& format, std::int32_t& digits,
                       FormatCode& code, loc::LCID locale);

}  // namespace dravik
