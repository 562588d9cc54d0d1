// The rainbow, linear momentum and chaos fractal oscillators. They read and write by position; only the
// averages, the CMO and the regression they call walk the cursor, which is left at the first record.
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon {

// The close's deviation from its average of kind `maType`, summed over the levels 2..levels and divided
// by `levels`. Kinds 1 to 6 average over `levels` records at every level (so every level adds the same
// deviation); VIDYA (7) averages over the level's own number of records. Reads "Close" of `ohlcv`.
// Fails for levels = 0 and, when there is a level, for a kind outside 1..7.
com::ComPtr<_RecordSet> rainbowOscillator(_Database* data, _RecordSet* ohlcv, int levels, int maType,
                                          const com::Bstr& name);

// (R-squared - 0.5) * 200 of the regression over `periods` records of the source's CMO over `periods`:
// +100 for a perfect fit, -100 where the regression has no value.
com::ComPtr<_RecordSet> linearMomentumOscillator(_Database* data, _Field* source, int periods,
                                                 const com::Bstr& name);

// The field "Chaos Fractal Oscillator": 1 where the record two before is a fractal high, -1 where it is
// a fractal low (a record that is both is marked -1), 0 elsewhere. Reads "High" and "Low" of `ohlcv`.
com::ComPtr<_RecordSet> chaosFractalOscillator(_Database* data, _RecordSet* ohlcv);

// The period that the chaos fractal methods accept and hand back: below 1 it becomes 100.
com::SHORT fractalPeriods(com::SHORT periods);

}  // namespace indikon
