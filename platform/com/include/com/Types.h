// Fixed-width names of the automation types. A Windows LONG is 32 bits; `long` is 64 bits here and
// is never used for one.
#pragma once

#include <cstdint>

namespace com {

using BYTE = std::uint8_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using BOOL = std::int32_t;
using DWORD = std::uint32_t;
using COLORREF = std::uint32_t;
using LCID = std::uint32_t;
using DISPID = std::int32_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;

// Automation Boolean: true is -1, false is 0.
using VARIANT_BOOL = std::int16_t;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;
constexpr VARIANT_BOOL toVariantBool(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

// OLE automation date: days since 1899-12-30, the fraction being the time of day.
using DATE = double;

}  // namespace com
