#include "indicators/LinearRegression.h"

#include "core/Indicator.h"
#include "indicators/Regression.h"

namespace indikon {

// The regression takes no alias, and its unexpected error names the class alone.
com::HRESULT LinearRegression::Regression(_Database* data, _Field* source, com::SHORT periods,
                                          _RecordSet** result) {
    return runIndicator({"LinearRegression", u"Regression"}, nullptr, result,
                        [&](const com::Bstr&) { return regression(data, source, periods); });
}

com::HRESULT LinearRegression::TimeSeriesForecast(_Database* data, _Field* source, com::SHORT periods,
                                                  com::Bstr* alias, _RecordSet** result) {
    return runIndicator(
        {"LinearRegression.TimeSeriesForecast", u"TimeSeriesForecast"}, alias, result,
        [&](const com::Bstr& name) { return timeSeriesForecast(data, source, periods, name); });
}

}  // namespace indikon
