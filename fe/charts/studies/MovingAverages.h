// Moving averages, bands and the standard deviation of the analytical chart's studies.
//
// Common rules (see StudyRange.h for rows and empty points):
// - Periods count valid points; an empty point gets an empty output and lengthens the window by one.
// - `full` shows the lead-in: the points before a window is complete get a value over the valid points
//   seen so far instead of the empty value.
// - A period of zero or less, or a missing input row, empties every output row and leaves the range at
//   its seeds.
#pragma once

#include <cstdint>

#include "studies/StudyRange.h"

namespace dravik {

// Mean of the last `periods` valid values, kept as a running sum.
void CalcSimpleMovingAverage(InRow values, OutRow out, int periods, StudyRange& range, bool full);

// Exponential smoothing with weight percent / 100 for the new value. The output repeats the input up to
// and including its first valid point. Without `full` the first periods - 1 valid points are emptied
// after use. The range takes every value computed (also the emptied ones), and the first valid value
// only when `full` is off and periods > 1.
void ExponentialSmooth(InRow values, OutRow out, int periods, double percent, StudyRange& range, bool full);

// Exponential smoothing with percent 200 / (periods + 1).
void CalcExponentialMovingAverage(InRow values, OutRow out, int periods, StudyRange& range, bool full);

// Simple average of period ceil(periods / 2), then a simple average of that with period periods / 2 + 1.
void CalcTriangularMovingAverage(InRow values, OutRow out, int periods, StudyRange& range, bool full);

// weights[periods - 1] applies to the current value, weights[0] to the value periods - 1 valid points
// back; the sum is divided by the sum of the weights (empty when that is 0). Weights the table does not
// hold (an empty table: linear weights) are k + 1 for position k.
void CalcWeightedMovingAverage(InRow values, OutRow out, int periods, std::span<const std::int16_t> weights,
                               StudyRange& range, bool full);

// Population deviation of the last `periods` valid values about the current average: the simple
// average of the values, or `average` when given (a row as long as `out`).
void CalcStandardDeviation(InRow values, OutRow out, int periods, StudyRange& range, bool full,
                           InRow average = {});

// upper = average + deviations x deviation, lower = average - deviations x deviation. The range starts
// as the average's range.
void CalcBollingerBands(InRow values, OutRow upper, OutRow lower, int periods, double deviations,
                        StudyRange& range, bool full);

// (1 +- percent / 100) x the exponential average; the range starts as the average's range.
void CalcEnvelopes(InRow values, OutRow upper, OutRow lower, int periods, double percent, StudyRange& range,
                   bool full);

}  // namespace dravik
