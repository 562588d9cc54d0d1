// The mark a chart series holds where it has no value, short enough for expected-value tables.
#pragma once

#include "appchart/fill/ChartDataSet.h"

namespace tarnwick::chart::test {

inline constexpr double N = kNoValueMark;

}  // namespace tarnwick::chart::test
