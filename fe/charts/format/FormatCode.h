// Format codes of value labels: the low 15 bits select the kind, bit 15 says that a picture text goes
// with the code.
#pragma once

#include <cstdint>

namespace dravik {

using FormatCode = std::int32_t;

inline constexpr FormatCode FC_PLAIN = 0;       // fixed decimals, locale decimal separator
inline constexpr FormatCode FC_NUMBER = 1;      // locale number format
inline constexpr FormatCode FC_CURRENCY = 2;    // locale currency format
inline constexpr FormatCode FC_SCIENTIFIC = 3;  // exponent form
inline constexpr FormatCode FC_PERCENT = 4;     // value times 100, then "%"
inline constexpr FormatCode FC_DATE = 5;        // short date
inline constexpr FormatCode FC_LONGDATE = 6;    // long date
inline constexpr FormatCode FC_TIME = 7;
inline constexpr FormatCode FC_DATETIME = 8;  // date, a blank, then time
inline constexpr FormatCode FC_PICTURE = 0x8000;

constexpr FormatCode formatKind(FormatCode code) {
    return code & 0x7FFF;
}
constexpr bool hasPicture(FormatCode code) {
    return (code & FC_PICTURE) != 0;
}
constexpr bool isDateKind(FormatCode code) {
    return formatKind(code) >= FC_DATE && formatKind(code) <= FC_DATETIME;
}

// word | bits, or word & ~bits.
constexpr std::uint32_t ModifyBits(std::uint32_t word, std::uint32_t bits, bool set) {
    return set ? word | bits : word & ~bits;
}

}  // namespace dravik
