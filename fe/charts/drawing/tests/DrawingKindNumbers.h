// The numbers of the drawing kinds the tests work with, as the drawing interfaces take them.
#pragma once

#include "com/Types.h"

namespace dravik::test {

inline constexpr com::LONG kGann = 0;
inline constexpr com::LONG kRetracements = 3;
inline constexpr com::LONG kTimeZones = 4;
inline constexpr com::LONG kTrend = 9;

}  // namespace dravik::test
