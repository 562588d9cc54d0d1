// `_MovingAverage`: eight ways of smoothing one field (see `_Oscillator` for the conventions every
// indicator shares). Other indicators choose among the first seven by a kind code (1 simple,
// 2 exponential, 3 time series, 4 variable, 5 triangular, 6 weighted, 7 VIDYA). No method checks its
// periods: a period the data cannot hold fails as the library's unexpected error.
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Database.h"

namespace indikon {

struct _MovingAverage : com::IUnknown {
    static constexpr com::IID iid = IID_MovingAverage;

    // Mean of the last `periods` values; the first value at periods + 1.
    virtual com::HRESULT SimpleMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                             com::Bstr* alias, _RecordSet** result) = 0;
    // Factor 2 / (periods + 1), started from the source value before periods + 1.
    virtual com::HRESULT ExponentialMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                                  com::Bstr* alias, _RecordSet** result) = 0;
    // The forecast of the rolling regression over `periods` records.
    virtual com::HRESULT TimeSeriesMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                                 com::Bstr* alias, _RecordSet** result) = 0;
    // Smoothing by the size of a nine-record Chande momentum oscillator; `periods` is not used.
    virtual com::HRESULT VariableMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                               com::Bstr* alias, _RecordSet** result) = 0;
    // A simple average of a simple average.
    virtual com::HRESULT TriangularMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                                 com::Bstr* alias, _RecordSet** result) = 0;
    // Linear weights, the newest value weighing `periods`.
    virtual com::HRESULT WeightedMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                               com::Bstr* alias, _RecordSet** result) = 0;
    // Blend of each value with the one before it by the regression's R-squared times r2Scale.
    virtual com::HRESULT VIDYA(_Database* data, _Field* source, com::SHORT periods, double r2Scale,
                               com::Bstr* alias, _RecordSet** result) = 0;
    // Wilder's smoothing from 0 at the first record; reads the field alone, without a database.
    virtual com::HRESULT WellesWilderSmoothing(_Field* source, com::SHORT periods, com::Bstr* alias,
                                               _RecordSet** result) = 0;

protected:
    ~_MovingAverage() = default;
};

}  // namespace indikon
