#include "indicators/Bands.h"

#include "core/Calculation.h"
#include "indicators/PriceBands.h"

namespace indikon {

com::HRESULT Bands::BollingerBands(_Database* data, _Field* source, com::SHORT periods,
                                   com::SHORT standardDeviations, com::SHORT maType, _RecordSet** result) {
    return runCalculation("Bands.BollingerBands", result,
                          [&] { return bollingerBands(data, source, periods, standardDeviations, maType); });
}

com::HRESULT Bands::MovingAverageEnvelope(_Database* data, _Field* source, com::SHORT periods,
                                          com::SHORT maType, double shift, _RecordSet** result) {
    return runCalculation("Bands.MovingAverageEnvelope", result,
                          [&] { return movingAverageEnvelope(data, source, periods, maType, shift); });
}

com::HRESULT Bands::HighLowBands(_Database* data, _Field* highPrice, _Field* lowPrice, _Field* closePrice,
                                 com::SHORT periods, _RecordSet** result) {
    return runCalculation("Bands.HighLowBands", result,
                          [&] { return highLowBands(data, highPrice, lowPrice, closePrice, periods); });
}

com::HRESULT Bands::Keltner(_Database* data, _RecordSet* ohlcv, com::SHORT periods, double factor,
                            _RecordSet** result) {
    return runCalculation("Bands.Keltner", result, [&] { return keltner(data, ohlcv, periods, factor); });
}

}  // namespace indikon
