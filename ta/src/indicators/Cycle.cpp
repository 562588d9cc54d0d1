#include "indicators/Cycle.h"

#include "core/Calculation.h"
#include "indicators/Regression.h"

namespace indikon {

com::HRESULT Cycle::Analyze(_Field* source, com::SHORT* length) {
    return runCalculation("Cycle.Analyze", length, [&] { return cycleLength(source); });
}

}  // namespace indikon
