// Parabolic stop and reverse.
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon {

struct SarParameters {
    double minAF = 0.02;  // starting factor, and the step by which it grows
    double maxAF = 0.2;   // the factor never grows beyond this
};

// One field named `name`: 0 at record 1, the stop of each record from record 2 on. Highs and lows are
// read by position; the cursor walks records 2..n and is left at the first record.
com::ComPtr<_RecordSet> parabolicSar(_Database* data, _Field* high, _Field* low, SarParameters parameters,
                                     const com::Bstr& name);

}  // namespace indikon
