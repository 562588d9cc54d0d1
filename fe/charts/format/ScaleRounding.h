// Tidy axis ranges and steps.
//
// Every routine ends for any input: NaN, infinities and zero ranges give a defined answer instead of a
// loop without end or a NaN step.
#pragma once

#include <cstdint>

namespace dravik {

// Seeds of a range search: a minimum not yet found is the largest single-precision value, a maximum its
// negative.
inline constexpr double kRangeSeedMin = 3.4028234663852886e38;
inline constexpr double kRangeSeedMax = -3.4028234663852886e38;

// Rounds a step up to a tidy value at the power of ten of `range` (or a tenth of it when that moves it
// by more than a tenth of the range): (23, 100) -> 30, (23, 50) -> 23, (0.37, 0.5) -> 0.4. A range that
// is zero, negative or not finite, or a value that is not finite, leaves the value as it is.
double RoundStepToPowerOfTen(double value, double range);

// Widens [min, max] outwards to multiples of a power of ten a hundredth of the range (a tenth of that
// when the range is nearly a whole number of such steps); a min of 0 stays 0. Nothing changes for an
// empty or not finite range.
void RoundRangeToStep(double& min, double& max);

// Gives a range that cannot be drawn something to draw: an unset range (still at its seeds) becomes
// 0..1 (result 2); an empty range is widened around its value (result 0), unless decimals is -1
// (result 1, left alone); a proper range is left alone (result 0).
std::int32_t NormaliseRange(double& min, double& max, std::int32_t decimals);

// The decimals needed to tell the steps of a range apart: the smallest k >= 0 with 10^k * n >= 10 for
// n = |(to - from) / step|; 0 when n is 0 or not finite.
std::int32_t CountSteps(double from, double to, double step);

// The decimals to show a value with: start = decimals (plus 2 for percent, code 4); the smallest
// k >= start with 10^k * |value| >= 10, or start for 0 and for values that are not finite.
std::int32_t CountDecimals(double value, std::int32_t code, std::int32_t decimals);

}  // namespace dravik
