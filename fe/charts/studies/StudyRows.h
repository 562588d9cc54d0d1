// Where a study's rows lie in the analytical chart's series buffer: the data series first, then the
// study outputs, `points` doubles per row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "studies/StudyDescriptor.h"

namespace dravik {

// Chart series numbers of the bound price series; -1 = not bound.
struct BoundPriceSeries {
    std::int16_t open = -1, high = -1, low = -1, close = -1, volume = -1;
};

// The buffer row of a study's work series: -4..-1 name the bound open, high, low and close series
// (series 0 when that one is not bound), other values a chart series. A work series below -4, or a row
// not below `rowCount`, reads row 0.
int WorkSeriesRow(int workSeries, const BoundPriceSeries& bound, int rowCount);

// The buffer row of a bound price series, or -1 when it is not bound or lies outside the buffer.
int PriceSeriesRow(int series, int rowCount);

// Row `row` of the buffer; empty when the row lies outside it.
std::span<double> BufferRow(std::span<double> buffer, std::size_t points, int row);

// The input rows of a study: its work series and the bound price series (empty rows where not bound).
StudyInputs StudyInputRows(std::span<double> buffer, std::size_t points, int workSeries,
                           const BoundPriceSeries& bound);

// The output rows of a study: `count` (at most 3) rows from `firstSeries` on; rows past the buffer are
// empty.
StudyOutputs StudyOutputRows(std::span<double> buffer, std::size_t points, int firstSeries, int count);

}  // namespace dravik
