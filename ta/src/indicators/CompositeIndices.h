// Indices built from other indicators of the library: the mass index, the stochastic momentum index
// and the commodity channel index. Each computes its intermediate series with the general functions and
// the moving averages and reads them back by name; the cursor is left at the first record.
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon {

// The sum over the last `periods` records of EMA9(high - low) / EMA9(EMA9(high - low)), from 2 * periods
// on. Raises 1101 "Invalid Periods" under "Index.MassIndex" (a parameter check) unless
// 1 <= periods <= record count. A window that reaches a record where the double average is still 0
// fails (division by zero).
com::ComPtr<_RecordSet> massIndex(_Database* data, _RecordSet* ohlcv, int periods, const com::Bstr& name);

// Fields "%K" and "%D". %K = 100 * (close - midpoint of the kPeriods-record high-low range) over half
// that range, each term smoothed by kind maType over kSmooth and then kDoubleSmooth records (a length of
// 1 or less skips its smoothing), from kPeriods on. "%D" is %K smoothed by kind pctDMAType over dPeriods
// records; with dPeriods of 1 or less it is a field never initialised (no name, no records). A flat
// range or a kind outside 1..7 when its smoothing is due fails.
com::ComPtr<_RecordSet> stochasticMomentumIndex(_Database* data, _RecordSet* ohlcv, int kPeriods, int kSmooth,
                                                int kDoubleSmooth, int dPeriods, int maType, int pctDMAType);

// (TP - SMA(TP)) / (0.015 * MD) of the typical price TP, from 2 * periods on, MD being the sum of
// |TP - SMA(TP)| over the periods + 1 records ending at each record divided by `periods`. A mean
// deviation of 0 fails.
com::ComPtr<_RecordSet> commodityChannelIndex(_Database* data, _RecordSet* ohlcv, int periods,
                                              const com::Bstr& name);

}  // namespace indikon
