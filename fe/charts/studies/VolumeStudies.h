// Studies over prices and volume. Common rules as in MovingAverages.h; a point where an input the study
// reads is empty gets an empty output and does not move the study's running state.
#pragma once

#include "studies/StudyRange.h"

namespace dravik {

// Running sum of V x (C - previous C) / previous C; empty at the first point (which starts the sum at 0)
// and where the previous close is 0.
void CalcPriceVolumeTrend(InRow close, InRow volume, OutRow out, StudyRange& range);

// Index starting at `startValue` that follows the close's relative change only at points where the
// volume fell; the second output is its simple average of `periods`.
void CalcNegativeVolumeIndex(InRow close, InRow volume, OutRow index, OutRow average, double startValue,
                             int periods, StudyRange& range, bool full);
// As the negative index, at points where the volume rose; a volume of 0 gives an empty point.
void CalcPositiveVolumeIndex(InRow close, InRow volume, OutRow index, OutRow average, double startValue,
                             int periods, StudyRange& range, bool full);

// Running sum of the volume, added when the close rose and taken away when it fell; empty at the first
// point, which starts the sum at 0.
void CalcOnBalanceVolume(InRow close, InRow volume, OutRow out, StudyRange& range);

// Point 0 is 0 and the range starts at 0..0; each later point adds V x ((C - L) - (H - C)) / (H - L)
// when the high differs from the low.
void CalcAccumulationDistribution(InRow high, InRow low, InRow close, InRow volume, OutRow out,
                                  StudyRange& range);

// Exponential average of the accumulation/distribution line of `shortPeriod` minus that of `longPeriod`.
void CalcChaikinOscillator(InRow high, InRow low, InRow close, InRow volume, OutRow out, int shortPeriod,
                           int longPeriod, StudyRange& range, bool full);

// 100 - 100 / (positive flow / negative flow + 1) over the last `periods` points; empty while the
// negative flow is 0.
void CalcMoneyFlowIndex(InRow high, InRow low, InRow close, InRow volume, OutRow out, int periods,
                        StudyRange& range, bool full);

// Simple average of the volume of `shortPeriod` minus that of `longPeriod`; the range starts as the long
// average's range.
void CalcVolumeOscillator(InRow volume, OutRow out, int shortPeriod, int longPeriod, StudyRange& range,
                          bool full);

}  // namespace dravik
