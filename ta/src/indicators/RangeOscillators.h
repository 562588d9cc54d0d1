// Range and volume oscillators: Williams %R, Williams accumulation/distribution, the volume oscillator,
// Chaikin volatility and the stochastic oscillator. Each returns a new record set; positions not
// computed hold 0 and the cursor is left at the first record. The price methods read "High", "Low" and
// "Close" of `ohlcv` by name; the averages come by kind code (Averages.h), and a code outside 1..7 fails
// where the average is read.
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon {

// Where the close lies in the range of the `periods` records ending at each record, from 0 (at the
// highest high) to -100 (at the lowest low), from periods + 1 on. The extremes come from the window
// itself. A window without range, or an empty one, fails.
com::ComPtr<_RecordSet> williamsPctR(_Database* data, _RecordSet* ohlcv, int periods, const com::Bstr& name);

// Running sum from record 2 of the close's distance from the true low (on a rise) or the true high (on
// a fall); an unchanged close adds nothing.
com::ComPtr<_RecordSet> williamsAccumulationDistribution(_Database* data, _RecordSet* ohlcv,
                                                         const com::Bstr& name);

// How the volume oscillator shows the short average against the long one.
enum class VolumeDifference : com::SHORT {
    Points = 1,   // short - long
    Percent = 2,  // (short - long) / long in per cent; a long average of 0 or less repeats the value before
};

// The short-term average ("MA1") against the long-term one ("MA2") at every record; a mode outside
// Points and Percent writes 0 everywhere (and reads neither average).
com::ComPtr<_RecordSet> volumeOscillator(_Database* data, _Field* volume, int shortTerm, int longTerm,
                                         int maType, int pointsOrPercent, const com::Bstr& name);

// The change of the averaged daily range ("HLMA", `periods` records) over `roc` records, in per cent,
// from roc + 1 on; where either average is 0 the value before is repeated.
com::ComPtr<_RecordSet> chaikinVolatility(_Database* data, _RecordSet* ohlcv, int periods, int roc,
                                          int maType, const com::Bstr& name);

// "%K", the close's place in the range of the last kPeriods records in per cent (from kPeriods + 1 on),
// smoothed over kSlowingPeriods when that is 2 or more, then "%D", its average over dPeriods. A window
// without range fails.
com::ComPtr<_RecordSet> stochasticOscillator(_Database* data, _RecordSet* ohlcv, int kPeriods,
                                             int kSlowingPeriods, int dPeriods, int maType);

}  // namespace indikon
