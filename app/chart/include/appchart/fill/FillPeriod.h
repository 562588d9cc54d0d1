// The periods of the chart settings and the first day each one charts, counted back from the last
// trading day of the market.
#pragma once

#include <cstdint>

#include "db/Value.h"

namespace tarnwick::chart {

inline constexpr std::int32_t kPeriodAll = 9;

// The first day of period `period` (0: 1 month ... 8: 10 years, 3: year to date, 9: all) before
// `last`. Month and year steps are calendar steps; a day the target month lacks becomes its last
// day. An unknown period gives 30 December 1899, which takes every row.
db::Date PeriodStart(std::int32_t period, db::Date last);

// Days between 30 December 1899 and `date`: the chart's x value of a day.
double OleDay(db::Date date);
db::Date DateOfOleDay(std::int64_t day);

}  // namespace tarnwick::chart
