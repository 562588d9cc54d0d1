#include "indicators/ChartPattern.h"

#include "core/Failure.h"
#include "indicators/Retracement.h"

namespace indikon {

// The range checks and the first extreme searches come before the method's catch-all, so their
// errors reach the caller as they were raised; percentRetracement wraps only what follows.
com::HRESULT ChartPattern::PercentRetracement(_Database* data, _Field* source, com::SHORT startPeriod,
                                              com::SHORT endPeriod, _Note** result) {
    if (!result)
        return com::E_POINTER;
    *result = nullptr;
    return reportFailures(
        [&] { *result = percentRetracement(data, source, startPeriod, endPeriod).detach(); });
}

}  // namespace indikon
