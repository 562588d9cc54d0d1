// The two studies the chart shows but the financial extension does not compute: the Parabolic SAR
// and the relative strength index, computed with the indicator library over the chart's points and
// written point by point into the studies' series.
#pragma once

#include <cstdint>

#include "appchart/fill/ChartTarget.h"

namespace tarnwick::chart {

// The SAR's acceleration never grows past this.
inline constexpr double kSarMaxAcceleration = 0.2;
// Trailing points left out when the caller gives none and the chart carries empty days.
inline constexpr std::int32_t kDefaultTrimDays = 30;

// Computes over the chart's points but the last TrimDays (see kDefaultTrimDays; no trim at all when
// the chart carries no empty days) and writes each value into the point it belongs to, only where the
// point has a close and the value is not 0. Every step runs on when one before it failed; nothing is
// reported, and a point whose value could not be computed keeps what its series held.
void CalculateCustomStudies(StudyChart& chart, std::int32_t TrimDays);

// How many times the studies were computed in this process (calls that found at least two points).
std::uint64_t CustomStudiesCalculationCount();

}  // namespace tarnwick::chart
