// The rows of tempData read into chart points by interval: one point per row (daily), per week from
// Sunday to Saturday dated on its Thursday, or per month dated on its 15th.
//
// A week or month takes the lowest low, the highest high, the sum of the volumes, the highest split
// marker and ratio (empty cells left out), the open of its first row and the close and both index
// closes of its last row, also when that row has none (an empty day after the last trading day).
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "appchart/fill/ChartDataSet.h"
#include "appchart/fill/TempDataTable.h"

namespace tarnwick::chart {

enum class ChartInterval : std::int16_t { Daily = 0, Weekly = 1, Monthly = 2 };

// Any value other than weekly or monthly reads by day.
ChartInterval IntervalOf(std::int16_t value);

// The text of a day as the legend of a daily or weekly point.
using DayLegend = std::function<std::string(db::Date)>;

// The locale's short date of the day.
std::string ShortDateLegend(db::Date date);

struct ChartReading {
    ChartInterval interval = ChartInterval::Daily;
    // By day the volume is the traded amount for an index, else the shares; weeks and months always
    // sum the shares.
    bool amountAsVolume = false;
    DayLegend dayLegend = ShortDateLegend;

    ChartDataSet read(std::span<const TempDataRow> rows) const;
};

// The day a point of that interval is dated on for a day in it.
db::Date PointDay(ChartInterval interval, db::Date day);

}  // namespace tarnwick::chart
