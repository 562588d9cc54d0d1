// Swing index and accumulative swing index: each record's swing from its open, high, low and close
// against the record before, scaled by the limit move, and the running sum of those swings.
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon {

// 1108 "Invalid LimitMoveValue" under `source` (as a parameter check) for a negative limit move.
void checkLimitMove(double limitMoveValue, const char* source);

// One field named `name`: 0 at record 1, the swing of each record from record 2 on. The prices come
// from the "Open", "High", "Low" and "Close" fields of `ohlcv`. A limit move of 0, or a first record
// on which no one of the three range terms is strictly largest, fails (division by zero).
com::ComPtr<_RecordSet> swingIndex(_Database* data, _RecordSet* ohlcv, double limitMoveValue,
                                   const com::Bstr& name);

// The running sum of the field `swingName` of `swings` from record 2 on, into one field named `name`.
com::ComPtr<_RecordSet> accumulateSwings(_Database* data, _RecordSet* swings, const com::Bstr& swingName,
                                         const com::Bstr& name);

}  // namespace indikon
