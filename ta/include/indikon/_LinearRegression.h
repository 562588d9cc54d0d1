// `_LinearRegression`: a straight line fitted to each window of the last `periods` values of a series
// (see `_Oscillator` for the conventions every indicator shares).
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Database.h"

namespace indikon {

struct _LinearRegression : com::IUnknown {
    static constexpr com::IID iid = IID_LinearRegression;

    // Four fields "Slope", "Intercept", "Forecast" (the line at the window's newest record) and
    // "RSquared", from record `periods` on. Takes no alias.
    virtual com::HRESULT Regression(_Database* data, _Field* source, com::SHORT periods,
                                    _RecordSet** result) = 0;
    // The "Forecast" of Regression alone, named after the alias.
    virtual com::HRESULT TimeSeriesForecast(_Database* data, _Field* source, com::SHORT periods,
                                            com::Bstr* alias, _RecordSet** result) = 0;

protected:
    ~_LinearRegression() = default;
};

}  // namespace indikon
