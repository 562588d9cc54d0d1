// `_Bands`: bands around a price (see `_Oscillator` for the conventions every indicator shares). The
// band methods take no alias: their fields have fixed names.
#pragma once

#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Database.h"

namespace indikon {

struct _Bands : com::IUnknown {
    static constexpr com::IID iid = IID_Bands;

    // "Fractal High", the high of the latest five-record fractal high, and "Fractal Low", the low of the
    // latest fractal low, each held until the next fractal of its kind. Reads "High" and "Low" of
    // `ohlcv`. `periods` (the length of a simple average in the working values) below 1 is set to 100
    // in the caller's variable.
    virtual com::HRESULT FractalChaosBands(_Database* data, _RecordSet* ohlcv, com::SHORT* periods,
                                           _RecordSet** result) = 0;

protected:
    ~_Bands() = default;
};

}  // namespace indikon
