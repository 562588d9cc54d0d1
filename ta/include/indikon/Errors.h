// Error numbers the library reports in the thread's error information (com/ErrorInfo.h), and the
// HRESULT its methods return with them.
#pragma once

#include <cstdint>

#include "com/HResult.h"

namespace indikon {

inline constexpr std::int32_t kErrCursor = 1001;         // "BOF", "EOF"
inline constexpr std::int32_t kErrInvalidPeriod = 1010;  // range methods
inline constexpr std::int32_t kErrInvalidPercentTrain = 1011;
inline constexpr std::int32_t kErrLoad = 1012;  // both loaders
inline constexpr std::int32_t kErrEndPeriod = 1014;
inline constexpr std::int32_t kErrCycles = 1015;
inline constexpr std::int32_t kErrInvalidMAType = 1100;
inline constexpr std::int32_t kErrInvalidPeriods = 1101;
inline constexpr std::int32_t kErrInvalidParameter = 1102;
inline constexpr std::int32_t kErrMovingAverage = 1104;
inline constexpr std::int32_t kErrUnexpected = 1105;
inline constexpr std::int32_t kErrInvalidMinTick = 1107;
inline constexpr std::int32_t kErrInvalidLimitMove = 1108;
inline constexpr std::int32_t kErrInvalidFieldName = 1110;

// The HRESULT of a failure with error number `number`: an automation error of the control facility
// (0x800A0000 | number), as an automation client sees a raised error.
constexpr com::HRESULT errorResult(std::int32_t number) {
    return com::hr(0x800A0000u | (static_cast<std::uint32_t>(number) & 0xFFFFu));
}

}  // namespace indikon
