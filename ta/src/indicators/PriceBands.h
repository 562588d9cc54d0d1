// Bands around a central average: Bollinger, envelope, high-low and Keltner bands. Each returns a new
// record set of fixed field names (positions not computed hold 0) and leaves the cursor at the first
// record.
//
// The first three check their arguments in a fixed order and raise the check's own error to the caller
// (1100 kind, 1101 periods, 1102 the band parameter), and report any failure of their averages as
// 1104 "<source>.MAError"; other failures are left to the method's catch-all.
#pragma once

#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon {

// The kind code's average as "BollingerBandsMedian", then "BollingerBandsTop" and
// "BollingerBandsBottom": the median plus and minus standardDeviations population deviations of the
// `periods` values ending at each record around the median at that record, from periods + 1 on.
com::ComPtr<_RecordSet> bollingerBands(_Database* data, _Field* source, int periods, int standardDeviations,
                                       int maType);

// "EnvelopeTop" and "EnvelopeBottom": the average of the kind code times (1 + shift) and (1 - shift).
com::ComPtr<_RecordSet> movingAverageEnvelope(_Database* data, _Field* source, int periods, int maType,
                                              double shift);

// "HighLowBandsTop", "HighLowBandsMedian", "HighLowBandsBottom": VIDYA with R-squared scale 0.8 of the
// highs and lows over `periods` (6 .. record count), and of the closes over periods / 2 rounded halves
// to even.
com::ComPtr<_RecordSet> highLowBands(_Database* data, _Field* highPrice, _Field* lowPrice, _Field* closePrice,
                                     int periods);

// "Keltner Median" (VIDYA of "Close" over `periods`), "Keltner Top" and "Keltner Bottom": the median plus
// and minus factor times the average true range, from record `periods` on. Checks nothing.
com::ComPtr<_RecordSet> keltner(_Database* data, _RecordSet* ohlcv, int periods, double factor);

}  // namespace indikon
