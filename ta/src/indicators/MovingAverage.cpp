#include "indicators/MovingAverage.h"

#include "indicators/Averages.h"

namespace indikon {

com::HRESULT MovingAverage::runKind(MAType type, _Database* data, _Field* source, com::SHORT periods,
                                    double r2Scale, com::Bstr* alias, _RecordSet** result) {
    const MovingAverageKind& kind = *findMovingAverageKind(static_cast<int>(type));
    return runIndicator(kind.method, alias, result, [&](const com::Bstr& name) {
        return kind.compute(data, source, periods, r2Scale, name);
    });
}

com::HRESULT MovingAverage::SimpleMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                                com::Bstr* alias, _RecordSet** result) {
    return runKind(MAType::Simple, data, source, periods, 0, alias, result);
}

com::HRESULT MovingAverage::ExponentialMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                                     com::Bstr* alias, _RecordSet** result) {
    return runKind(MAType::Exponential, data, source, periods, 0, alias, result);
}

com::HRESULT MovingAverage::TimeSeriesMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                                    com::Bstr* alias, _RecordSet** result) {
    return runKind(MAType::TimeSeries, data, source, periods, 0, alias, result);
}

com::HRESULT MovingAverage::VariableMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                                  com::Bstr* alias, _RecordSet** result) {
    return runKind(MAType::Variable, data, source, periods, 0, alias, result);
}

com::HRESULT MovingAverage::TriangularMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                                    com::Bstr* alias, _RecordSet** result) {
    return runKind(MAType::Triangular, data, source, periods, 0, alias, result);
}

com::HRESULT MovingAverage::WeightedMovingAverage(_Database* data, _Field* source, com::SHORT periods,
                                                  com::Bstr* alias, _RecordSet** result) {
    return runKind(MAType::Weighted, data, source, periods, 0, alias, result);
}

com::HRESULT MovingAverage::VIDYA(_Database* data, _Field* source, com::SHORT periods, double r2Scale,
                                  com::Bstr* alias, _RecordSet** result) {
    return runKind(MAType::VIDYA, data, source, periods, r2Scale, alias, result);
}

com::HRESULT MovingAverage::WellesWilderSmoothing(_Field* source, com::SHORT periods, com::Bstr* alias,
                                                  _RecordSet** result) {
    return runIndicator({"MovingAverage.WellesWilderSmoothing", u"WellesWilderSmoothing"}, alias, result,
                        [&](const com::Bstr& name) { return wellesWilderSmoothing(source, periods, name); });
}

}  // namespace indikon
