// Oscillators that compare a price with moving averages of it: the price oscillator, MACD, ease of
// movement and the detrended price oscillator. Each walks the cursor, returns a new record set and
// leaves the cursor at the first record; positions not computed hold 0. Averages of a kind code
// (1..7) are those of movingAverageOfType; a code outside 1..7 fails (there is no average to read).
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon {

// (short average - long average) / long average in per cent, from the longer cycle + 1 on. A zero long
// average fails. The caller has checked that shortCycle < longCycle.
com::ComPtr<_RecordSet> priceOscillator(_Database* data, _Field* source, int longCycle, int shortCycle,
                                        int maType, const com::Bstr& name);

// Fields `name` and `name` + "Signal": the 12- less the 26-record exponential average of "Close" from
// signalPeriods + 1 on (whatever history the averages have there), and the exponential average of that
// over signalPeriods.
com::ComPtr<_RecordSet> macd(_Database* data, _RecordSet* ohlcv, int signalPeriods, const com::Bstr& name);

// From record 2: the move of the high-low midpoint over the box ratio volume / (high - low), times
// 10,000; a record without range reuses the last box ratio. Returned averaged by kind over `periods`, in
// one field `name`. A zero box ratio (or none yet) fails.
com::ComPtr<_RecordSet> easeOfMovement(_Database* data, _RecordSet* ohlcv, int periods, int maType,
                                       const com::Bstr& name);

// From periods + 1 on: source(p) less the average of kind maType at p - (periods / 2 + 1), that
// position rounded halves to even (so an odd period alternates between two offsets).
com::ComPtr<_RecordSet> detrendedPriceOscillator(_Database* data, _Field* source, int periods, int maType,
                                                 const com::Bstr& name);

}  // namespace indikon
