#include "StudyTestDispatch.h"

#include "studies/StudyDescriptor.h"
#include "studies/StudyRows.h"

namespace dravik::test {

bool DispatchStudy(const DispatchedStudy& study, std::span<double> buffer, std::size_t points) {
    BoundPriceSeries bound;
    bound.close = 0;
    const StudyInputs inputs = StudyInputRows(buffer, points, study.workSeries, bound);
    const StudyOutputs outputs = StudyOutputRows(buffer, points, study.firstSeries, study.outputs);
    StudyArguments parameters;
    parameters.periods = study.periods;
    parameters.signal = study.signal;
    parameters.longPeriod = study.longPeriod;
    parameters.shortPeriod = study.shortPeriod;
    parameters.value = study.d;
    parameters.weights = study.weights;
    StudyRange range;
    return ComputeBuiltInStudy(study.kind, inputs, parameters, outputs, false, range) ==
           StudyComputeResult::Computed;
}

}  // namespace dravik::test
