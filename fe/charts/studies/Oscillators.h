// Oscillators and other derived studies. Common rules as in MovingAverages.h: periods count valid
// points, `full` shows the lead-in, a period of zero or less or a missing input row empties every output.
#pragma once

#include "studies/StudyRange.h"

namespace dravik {

// value - the value `periods` valid points earlier (lead-in: - the first valid value). The range
// starts at 0..0; still 0..0 at the end, it reports the seeds.
void CalcRateOfChange(InRow values, OutRow out, int periods, StudyRange& range, bool full);
// (value - earlier) / earlier as a fraction; the lead-in is relative to the first valid non-zero value.
// Range as the rate of change.
void CalcRateOfChangePercent(InRow values, OutRow out, int periods, StudyRange& range, bool full);
// value / (the value `periods` valid points earlier) x 100; the first `periods` valid points are empty.
void CalcMomentum(InRow values, OutRow out, int periods, StudyRange& range);
// 100 - 100 / (gains / losses + 1) over the last `periods` differences of plain sums; 100 without
// losses. The range starts at 0..100.
void CalcRsi(InRow values, OutRow out, int periods, StudyRange& range, bool full);
// %K over `kPeriods` points and %D, its simple average of `dPeriods`; the range is always 0..100.
void CalcStochastics(InRow high, InRow low, InRow close, OutRow percentK, OutRow percentD, int kPeriods,
                     int dPeriods, StudyRange& range, bool full);
// (highest high - C) / (highest high - lowest low) x -100; the range is always -100..0.
void CalcWilliamsR(InRow high, InRow low, InRow close, OutRow out, int periods, StudyRange& range, bool full);
// (typical - average) / (mean deviation x 0.015); 0 when the mean deviation is 0. The range starts at
// -200..200.
void CalcCommodityChannelIndex(InRow high, InRow low, InRow close, OutRow out, int periods, StudyRange& range,
                               bool full);
// value - the simple average periods / 2 + 1 valid points earlier.
void CalcDetrendedPriceOscillator(InRow values, OutRow out, int periods, StudyRange& range, bool full);
// MACD line = exponential average of `shortPeriod` - that of `longPeriod`; signal = its exponential
// average of `signalPeriod`; divergence = line - signal.
void CalcMacd(InRow values, OutRow divergence, OutRow line, OutRow signal, int signalPeriod, int shortPeriod,
              int longPeriod, StudyRange& range, bool full);
// Change between consecutive values of a triple exponential average of `periods`, and its simple
// average of `signalPeriod`.
void CalcTrix(InRow values, OutRow trix, OutRow signal, int periods, int signalPeriod, StudyRange& range,
              bool full);
// Simple average of the true range.
void CalcAverageTrueRange(InRow high, InRow low, InRow close, OutRow out, int periods, StudyRange& range,
                          bool full);
// Simple average of `periods` of the raw ease of movement, and its simple average of `signalPeriod`.
void CalcEaseOfMovement(InRow high, InRow low, InRow volume, OutRow out, OutRow average, int periods,
                        int signalPeriod, StudyRange& range, bool full);
// Sum over `periods` points of e1 / e2, e1 the exponential average of H - L of `averagePeriod`, e2 that
// of e1.
void CalcMassIndex(InRow high, InRow low, OutRow out, int periods, int averagePeriod, StudyRange& range,
                   bool full);
// (value - base) / base x 100, the base being the first valid non-zero value.
void CalcPerformance(InRow values, OutRow out, StudyRange& range);
// |highest - lowest| / sum of |changes| over a window of `periods` valid points.
void CalcVerticalHorizontalFilter(InRow values, OutRow out, int periods, StudyRange& range, bool full);
// Change in percent of the exponential average of H - L of `averagePeriod` over `periods` valid points.
void CalcChaikinVolatility(InRow high, InRow low, OutRow out, int periods, int averagePeriod,
                           StudyRange& range, bool full);

}  // namespace dravik
