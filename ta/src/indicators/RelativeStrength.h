// Relative strength index, comparative relative strength and performance.
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon {

// Wilder's RSI over `periods` records: 0 up to periods + 1, the first value at periods + 2. A window
// with gains and no losses gives 100; one without gains gives 0. Raises 1101 "Invalid Periods" (as a
// parameter check, under `source`) unless 1 <= periods <= record count.
com::ComPtr<_RecordSet> relativeStrengthIndex(_Database* data, _Field* source, int periods,
                                              const com::Bstr& name, const char* validationSource);

// RSI from the smoothed average gain and loss.
double rsiFromAverages(double averageGain, double averageLoss);

// source1 / source2 at every record from the cursor's position on.
com::ComPtr<_RecordSet> comparativeRelativeStrength(_Database* data, _Field* source1, _Field* source2,
                                                    const com::Bstr& name);

// Percentage change from record 1; 0 at record 1.
com::ComPtr<_RecordSet> performance(_Database* data, _Field* source, const com::Bstr& name);

}  // namespace indikon
