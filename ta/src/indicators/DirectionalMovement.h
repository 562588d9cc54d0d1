// True range, average true range, directional movement and Aroon. Each reads "High", "Low" and "Close"
// of `ohlcv` by position (n = the database's record count) and returns a new record set; positions not
// computed hold 0.
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon {

// The greatest of 0, high - low, |high - previous close| and |previous close - low|, from record 2 on,
// in one field `name`. The cursor is left at the first record.
com::ComPtr<_RecordSet> trueRange(_Database* data, _RecordSet* ohlcv, const com::Bstr& name);

// The simple average over `periods` records of the true range, in one field `name`: the first value at
// periods + 1 averages the true ranges of records 2 .. periods + 1.
com::ComPtr<_RecordSet> averageTrueRange(_Database* data, _RecordSet* ohlcv, int periods,
                                         const com::Bstr& name);

// Wilder's directional movement system: fields "ADX", "ADXR", "DX", "TRSum", "DI-", "DI+" in this
// order. DI, DX, ADX and ADXR are whole numbers (halves to even); TRSum is the Wilder-smoothed true
// range. ADX and ADXR start at periods + 1. A zero smoothed true range from record 2 on fails.
com::ComPtr<_RecordSet> directionalMovementSystem(_Database* data, _RecordSet* ohlcv, int periods);

// Fields "Aroon Up", "Aroon Down", "Aroon Oscillator" from periods + 1 on: 100 when the window's
// highest high (lowest low) over the records p - periods .. p is the current record, falling by
// 100 / periods for each record it lies back. The current record wins a tie, then the oldest. The cursor
// is not moved.
com::ComPtr<_RecordSet> aroon(_Database* data, _RecordSet* ohlcv, int periods);

}  // namespace indikon
