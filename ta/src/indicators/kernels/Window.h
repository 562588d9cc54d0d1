// Values over a window of records, read by position from the newest value back. A window of `count`
// records ending at `newest` covers newest - count + 1 .. newest; a count of 0 or less is empty.
// Reading outside the field fails as the field reports it.
#pragma once

#include <cstddef>
#include <span>

#include "core/Indicator.h"

namespace indikon::kernels {

// Sum of the window, added from the newest value back.
double windowSum(const Series& source, int newest, int count);
// Sum with linear weights: the newest value weighs `count`, the oldest 1.
double weightedWindowSum(const Series& source, int newest, int count);
// Greatest (least) value of a window of at least one record; scanning from the newest value back,
// only a strictly greater (less) value replaces the one held.
double windowHighest(const Series& source, int newest, int count);
double windowLowest(const Series& source, int newest, int count);
// Sum of the squared deviations of the window's values from `mean`.
double squaredDeviations(const Series& source, int newest, int count, double mean);
// Sum of the absolute changes from each record of the window to the record before it (so the record
// before the window is read too).
double absoluteChangeSum(const Series& source, int newest, int count);

// The index of the first value v of `values` with low < v < high; values.size() when there is none.
std::size_t firstStrictlyBetween(std::span<const double> values, double low, double high);

// The true low of a record: its low, or the previous close when that is lower.
double trueLow(double low, double previousClose);
// The true range: high - low, widened to the previous close when it lies outside the record's range.
double trueRange(double high, double low, double previousClose);
// The greatest of 0, high - low, |high - previousClose| and |previousClose - low|: like trueRange for a
// sound record, and never negative, even for a record whose high lies below its low.
double absoluteTrueRange(double high, double low, double previousClose);

}  // namespace indikon::kernels
