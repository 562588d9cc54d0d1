// General price functions: rolling extremes, daily prices, rates of change, correlation, standard
// deviation and the extremes of a range. The rolling functions return a new record set holding one
// field `name` (positions not computed hold 0) and leave the cursor at the first record.
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "indikon/_Database.h"
#include "indikon/_Note.h"

namespace indikon {

// Highest high (lowest low) of the periods + 1 records ending at each record, from periods + 1 on.
com::ComPtr<_RecordSet> highestHigh(_Database* data, _Field* high, int periods, const com::Bstr& name);
com::ComPtr<_RecordSet> lowestLow(_Database* data, _Field* low, int periods, const com::Bstr& name);

// A price of each record from the "High", "Low" and "Close" fields of `ohlcv`.
enum class DailyPrice { HighMinusLow, Median, Typical, WeightedClose };
com::ComPtr<_RecordSet> dailyPrice(DailyPrice kind, _Database* data, _RecordSet* ohlcv,
                                   const com::Bstr& name);

// Change over `periods` records in per cent, from periods + 1 on. A zero old volume repeats the last
// change (0 before the first); a zero old price fails.
com::ComPtr<_RecordSet> volumeRateOfChange(_Database* data, _Field* volume, int periods,
                                           const com::Bstr& name);
com::ComPtr<_RecordSet> priceRateOfChange(_Database* data, _Field* source, int periods,
                                          const com::Bstr& name);

// 1 - sum of |change of source1| * |change of source2| over records 2..n, divided by n - 2 (n being
// the record count of source1).
double correlationAnalysis(_Field* source1, _Field* source2);

// standardDeviations * sqrt(mean squared deviation of the last `periods` values from the moving
// average of kind maType at each record), from periods + 1 on. A failing average raises 1102
// "Error calculating moving average" (source "General.StandardDeviation.MAError") past the method's
// catch-all; a kind outside 1..7 computes no average and fails.
com::ComPtr<_RecordSet> standardDeviation(_Database* data, _Field* source, int periods,
                                          int standardDeviations, int maType, const com::Bstr& name);

// The greatest (least) value of records startPeriod..endPeriod as a note: period = its position (the
// first on ties), value = the value. startPeriod > endPeriod raises 1010 "Invalid period" with source
// "MaxValue" ("MinValue") past the catch-all.
com::ComPtr<_Note> maxValue(_Field* source, int startPeriod, int endPeriod);
com::ComPtr<_Note> minValue(_Field* source, int startPeriod, int endPeriod);

}  // namespace indikon
