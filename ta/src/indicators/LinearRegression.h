// The `LinearRegression` class: stateless; each method computes into a new record set.
#pragma once

#include "com/ComObject.h"
#include "indikon/_LinearRegression.h"

namespace indikon {

class LinearRegression final : public com::ComObject<_LinearRegression> {
public:
    com::HRESULT Regression(_Database* data, _Field* source, com::SHORT periods,
                            _RecordSet** result) override;
    com::HRESULT TimeSeriesForecast(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                                    _RecordSet** result) override;
};

}  // namespace indikon
