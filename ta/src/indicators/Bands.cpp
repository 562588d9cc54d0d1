#include "indicators/Bands.h"

#include "core/Calculation.h"
#include "core/Indicator.h"
#include "indicators/FractalBands.h"
#include "indicators/FractalOscillators.h"
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

// The period is handed back before anything is computed, so a failing call leaves it replaced too.
com::HRESULT Bands::FractalChaosBands(_Database* data, _RecordSet* ohlcv, com::SHORT* periods,
                                      _RecordSet** result) {
    if (!periods)
        return com::E_POINTER;
    *periods = fractalPeriods(*periods);
    return runIndicator({"Bands.FractalChaosBands", u"Fractal High"}, nullptr, result,
                        [&](const com::Bstr&) { return fractalChaosBands(data, ohlcv, *periods); });
}

}  // namespace indikon
