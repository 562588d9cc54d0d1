// The smoothing kernels behind the moving averages, for every indicator that smooths a series.
//
// The cursor kernels walk the cursor from their first position to the last record (yielding once per
// record), read `source` by position and write `out` at each position they compute; other positions
// of `out` are left as they are. A first position the cursor refuses (below 1, or beyond record count
// + 1) fails as the cursor reports it, and first = record count + 1 computes nothing. Divisions by a
// zero period fail with the language's Division by zero.
#pragma once

#include "core/Indicator.h"

namespace indikon::kernels {

// out(i) = mean of the `window` values ending at i, for i = first .. n.
void rollingMean(Cursor& cursor, const Series& source, const Series& out, int first, int window);

// Simple average of `periods` values, from periods + 1 on.
void simpleAverage(Cursor& cursor, const Series& source, const Series& out, int periods);

// Exponential average with factor 2 / (periods + 1), from periods + 1 on. Each record starts from the
// average before it, or from the source value before it when that average is exactly 0 (so the first
// value starts from source(periods)).
void exponentialAverage(Cursor& cursor, const Series& source, const Series& out, int periods);

// Weights periods (newest) down to 1, divided by their sum, from periods + 1 on.
void weightedAverage(Cursor& cursor, const Series& source, const Series& out, int periods);

// A mean of `a` values (into `work`), then a mean of `b` values of `work` (into `out`), both from
// periods + 1 on: a = b = periods / 2 + 1 for odd periods, a = periods / 2 and b = a + 1 for even.
// Positions of `work` before periods + 1 must read 0.
void triangularAverage(Cursor& cursor, const Series& source, const Series& work, const Series& out,
                       int periods);

// Wilder's smoothing over records 1..count by position, without a cursor: out(1) = 0 and
// out(i) = out(i - 1) + (source(i) - out(i - 1)) / periods. Yields every kRecordsPerYield records.
void wilderSmoothing(const Series& source, const Series& out, int periods, int count);

}  // namespace indikon::kernels
