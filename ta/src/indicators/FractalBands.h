// The fractal chaos bands: two step lines that jump to the high of each five-record fractal high and
// to the low of each fractal low, and otherwise repeat their previous value.
#pragma once

#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon {

// Fields "Fractal High" and "Fractal Low", in that order, from the "High" and "Low" of `ohlcv`. Both
// start at 0 and hold it until the first fractal of their kind. A record that is both a fractal high
// and a fractal low moves the upper band only.
//
// The jumps are found by comparing a working value with the marker of the record: for the upper band
// the simple average over `periods` records of (high + low) / 3 plus the candidate centre's high, for
// the lower band the centre's low. So `periods` shows only where those comparisons meet by chance (a
// working value of 0 where no fractal marks the record), and an average that fails (periods beyond
// the records) fails the bands.
com::ComPtr<_RecordSet> fractalChaosBands(_Database* data, _RecordSet* ohlcv, int periods);

}  // namespace indikon
