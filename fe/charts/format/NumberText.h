// Numbers to text and back without the process C locale: the decimal separator is always given.
//
// Rounding: an exact tie rounds away from zero (0.125 with 2 decimals gives "0.13", 2.5 with none gives
// "3"), as the runtime the labels were designed on printed them; other values round to the nearest. The
// decision is made on the exact binary value, so 2.675 (stored just below 2.675) gives "2.67".
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dravik {

// "%.<decimals>f" (or "%.<decimals>e" when scientific: at least two exponent digits) with the first "."
// replaced by `separator`; negative decimals mean 6 as in C, and more than 1100 count as 1100 (a double
// has no non-zero digit beyond the 1074th). Infinities and NaN print as "inf", "-inf"
// and "nan". Returns the text.
std::string formatDoubleText(double value, int decimals, std::string_view separator, bool scientific);

// The same into a buffer of `size` bytes, cut at a character boundary and always terminated when size
// > 0; returns the length written.
int FormatDouble(char* buffer, std::size_t size, int decimals, double value, std::string_view separator,
                 bool scientific);

// Reads a number as atof reads it, after taking the first `separator` for the decimal point: leading
// blanks, a sign, digits, a fraction and an exponent; what follows is ignored, no number gives 0; "inf"
// and "nan" are read; a value too large gives an infinity, one too small 0. The text is not changed.
double ParseNumber(std::string_view text, std::string_view separator);

// Skips blanks and reads decimal digits into `number` (0 when there are none; digits beyond 32 bits
// saturate). Returns the rest of the text after the first character that is not a digit; when no digit
// was read that character is left in place, and at the end of the text the rest is empty.
std::string_view ParseUnsigned(std::string_view text, unsigned& number);

// Edit-field conversions with "." as separator: a field is read as at most 20 characters, and written in
// at most 40.
double ReadItemNumber(std::string_view fieldText);
std::string FormatItemNumber(double value, int decimals);

}  // namespace dravik
