#pragma once

// The texts the chart values window and the data editor write for a chart point: its date in the
// user's short date form, and a value rounded to 3 decimals (halves to even), or nothing for a point
// without value.

#include <QString>

#include <array>

#include "com/Types.h"
#include "dravik/IFinancialCharts.h"
#include "korvel/IKvlChart.h"

namespace frame {

// The value the chart holds at a point without value.
inline constexpr double kNoPointValue = 1e308;

// "" for exactly kNoPointValue, else the value rounded to 3 decimals in at most 15 digits.
QString PointValueText(double value);

// The date of a chart point (its x value taken as an automation date) in the user's short form.
QString PointDateText(com::DATE date);

// The sort key of that date: four-digit year, two-digit month, two-digit day; "" outside the dates.
QString PointSortingDate(com::DATE date);

// The chart's checked calls: each throws an AppError that the calling routine's trap logs.
com::LONG PointCountOf(korvel::IKvlChart& chart);
com::DATE PointDateOf(korvel::IKvlChart& chart, com::LONG point);
double PointValueOf(korvel::IKvlChart& chart, com::SHORT series, com::LONG point);
// The series that the financial extension names for open, high, low and close, in this order.
std::array<com::SHORT, 4> PriceSeriesOf(dravik::IFinancialCharts& extension);
com::SHORT VolumeSeriesOf(dravik::IFinancialCharts& extension);

}  // namespace frame
