// Indices that combine price and volume: money flow index, trade volume index, price and volume trend,
// positive and negative volume indices, on-balance volume and Chaikin money flow. Each returns one field
// named `name`; positions before the first computed one keep 0.
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon {

// Money flow index over `periods` records of typical price (H + L + C) / 3, from periods + 1 on. A
// volume below 1 counts as 1. A window of rising typical prices only gives 100; one without any rise
// keeps 0. Raises 1101 "Invalid Periods" under "Index.MoneyFlowIndex" (a parameter check) unless
// 1 <= periods <= record count.
com::ComPtr<_RecordSet> moneyFlowIndex(_Database* data, _RecordSet* ohlcv, int periods,
                                       const com::Bstr& name);

// Adds the volume on a rise of more than `minTickValue`, subtracts it on a fall of more, and repeats the
// last direction in between. Raises 1107 "Invalid MinTickValue" under "Index.TradeVolumeIndex" (a
// parameter check) for a negative tick.
com::ComPtr<_RecordSet> tradeVolumeIndex(_Database* data, _Field* source, _Field* volume, double minTickValue,
                                         const com::Bstr& name);

// The indices that step from record to record on the change of price and volume.
enum class VolumeTrend {
    PriceVolumeTrend,     // from 0: relative price change times volume, summed
    PositiveVolumeIndex,  // from 1: grows with the price on a day of rising volume
    NegativeVolumeIndex,  // from 1: grows with the price on a day of falling volume
    OnBalanceVolume,      // from 0: the volume added on a rise, subtracted on a fall
};

// A relative change from a previous price of 0 fails (division by zero).
com::ComPtr<_RecordSet> volumeTrend(VolumeTrend kind, _Database* data, _Field* source, _Field* volume,
                                    const com::Bstr& name);

// Chaikin money flow: the money-flow volume (close location value times volume) of the last `periods`
// records over their volume, from periods + 1 on. Prices are read by row; a window whose volume sums to
// 0 (every window when periods <= 0) fails.
com::ComPtr<_RecordSet> chaikinMoneyFlow(_Database* data, _RecordSet* ohlcv, int periods,
                                         const com::Bstr& name);

}  // namespace indikon
