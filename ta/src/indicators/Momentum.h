// Momentum oscillators: CMO, momentum, TRIX, the ultimate oscillator and the vertical horizontal
// filter. Each returns a new record set holding one field `name`; positions not computed hold 0, a
// window longer than the data computes nothing, and the cursor is left at the first record.
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon {

// 100 (up - down) / (up + down) over the `periods` changes ending at each record, from periods + 1 on;
// a window without change repeats the value before it (0 before the first).
com::ComPtr<_RecordSet> cmo(_Database* data, _Field* source, int periods, const com::Bstr& name);

// source(t) / source(t - periods) in per cent (100 for no change), from periods + 2 on. A zero old
// value fails.
com::ComPtr<_RecordSet> momentum(_Database* data, _Field* source, int periods, const com::Bstr& name);

// Percentage change of a triple exponential average ("EMA1" of the source, "EMA2" of that, "EMA3" of
// that); a record whose average before it is 0 is skipped.
com::ComPtr<_RecordSet> trix(_Database* data, _Field* source, int periods, const com::Bstr& name);

// Buying pressure over true range summed over three windows ending at each record, weighted 4 (cycle1),
// 2 (cycle2) and 1 (cycle3), in per cent; from the longest cycle + 1 on. Reads "High", "Low" and
// "Close" of `ohlcv`. A window whose true ranges sum to 0 fails.
com::ComPtr<_RecordSet> ultimateOscillator(_Database* data, _RecordSet* ohlcv, int cycle1, int cycle2,
                                           int cycle3, const com::Bstr& name);

// |highest - lowest| of the `periods` values ending at each record over the sum of their absolute
// changes, from periods + 1 on. A window without change fails.
com::ComPtr<_RecordSet> verticalHorizontalFilter(_Database* data, _Field* source, int periods,
                                                 const com::Bstr& name);

}  // namespace indikon
