#include "indicators/Oscillator.h"

#include "core/Indicator.h"
#include "indicators/FractalOscillators.h"
#include "indicators/Momentum.h"
#include "indicators/ParabolicSar.h"
#include "indicators/RangeOscillators.h"

namespace indikon {

com::HRESULT Oscillator::ParabolicSAR(_Database* data, _Field* highPrice, _Field* lowPrice, double minAF,
                                      double maxAF, com::Bstr* alias, _RecordSet** result) {
    return runIndicator({"Oscillator.ParabolicSAR", u"ParabolicSAR"}, alias, result,
                        [&](const com::Bstr& name) {
                            return parabolicSar(data, highPrice, lowPrice, {minAF, maxAF}, name);
                        });
}

com::HRESULT Oscillator::CMO(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                             _RecordSet** result) {
    return runIndicator({"Oscillator.CMO", u"CMO"}, alias, result,
                        [&](const com::Bstr& name) { return cmo(data, source, periods, name); });
}

com::HRESULT Oscillator::Momentum(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                                  _RecordSet** result) {
    return runIndicator({"Oscillator.Momentum", u"Momentum"}, alias, result,
                        [&](const com::Bstr& name) { return momentum(data, source, periods, name); });
}

com::HRESULT Oscillator::TRIX(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                              _RecordSet** result) {
    return runIndicator({"Oscillator.TRIX", u"TRIX"}, alias, result,
                        [&](const com::Bstr& name) { return trix(data, source, periods, name); });
}

com::HRESULT Oscillator::UltimateOscillator(_Database* data, _RecordSet* ohlcv, com::SHORT cycle1,
                                            com::SHORT cycle2, com::SHORT cycle3, com::Bstr* alias,
                                            _RecordSet** result) {
    return runIndicator(
        {"Oscillator.UltimateOscillator", u"UltimateOscillator"}, alias, result,
        [&](const com::Bstr& name) { return ultimateOscillator(data, ohlcv, cycle1, cycle2, cycle3, name); });
}

com::HRESULT Oscillator::VerticalHorizontalFilter(_Database* data, _Field* source, com::SHORT periods,
                                                  com::Bstr* alias, _RecordSet** result) {
    return runIndicator(
        {"Oscillator.VerticalHorizontalFilter", u"VerticalHorizontalFilter"}, alias, result,
        [&](const com::Bstr& name) { return verticalHorizontalFilter(data, source, periods, name); });
}

com::HRESULT Oscillator::WilliamsPctR(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                      com::Bstr* alias, _RecordSet** result) {
    return runIndicator({"Oscillator.WilliamsPctR", u"WilliamsPctR"}, alias, result,
                        [&](const com::Bstr& name) { return williamsPctR(data, ohlcv, periods, name); });
}

// The error source keeps the spelling callers have always matched.
com::HRESULT Oscillator::WilliamsAccumulationDistribution(_Database* data, _RecordSet* ohlcv,
                                                          com::Bstr* alias, _RecordSet** result) {
    return runIndicator(
        {"Oscillator.WilliamsAccumultaionDistribution", u"WilliamsAccumulationDistribution"}, alias, result,
        [&](const com::Bstr& name) { return williamsAccumulationDistribution(data, ohlcv, name); });
}

com::HRESULT Oscillator::VolumeOscillator(_Database* data, _Field* volume, com::SHORT shortTerm,
                                          com::SHORT longTerm, com::SHORT maType, com::SHORT pointsOrPercent,
                                          com::Bstr* alias, _RecordSet** result) {
    return runIndicator(
        {"Oscillator.VolumeOscillator", u"VolumeOscillator"}, alias, result, [&](const com::Bstr& name) {
            return volumeOscillator(data, volume, shortTerm, longTerm, maType, pointsOrPercent, name);
        });
}

// The error source keeps the spelling callers have always matched.
com::HRESULT Oscillator::ChaikinVolatility(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                           com::SHORT roc, com::SHORT maType, com::Bstr* alias,
                                           _RecordSet** result) {
    return runIndicator(
        {"Oscillator.ChaikinVolitlity", u"ChaikinVolatility"}, alias, result,
        [&](const com::Bstr& name) { return chaikinVolatility(data, ohlcv, periods, roc, maType, name); });
}

// The fields are always "%K" and "%D".
com::HRESULT Oscillator::StochasticOscillator(_Database* data, _RecordSet* ohlcv, com::SHORT kPeriods,
                                              com::SHORT kSlowingPeriods, com::SHORT dPeriods,
                                              com::SHORT maType, _RecordSet** result) {
    return runIndicator({"Oscillator.StochasticOscillator", u"%K"}, nullptr, result, [&](const com::Bstr&) {
        return stochasticOscillator(data, ohlcv, kPeriods, kSlowingPeriods, dPeriods, maType);
    });
}

com::HRESULT Oscillator::RainbowOscillator(_Database* data, _RecordSet* ohlcv, com::SHORT levels,
                                           com::SHORT maType, com::Bstr* alias, _RecordSet** result) {
    return runIndicator(
        {"Oscillator.RainbowOscillator", u"Rainbow Oscillator"}, alias, result,
        [&](const com::Bstr& name) { return rainbowOscillator(data, ohlcv, levels, maType, name); });
}

com::HRESULT Oscillator::LinearMomentumOscillator(_Database* data, _Field* source, com::SHORT periods,
                                                  com::Bstr* alias, _RecordSet** result) {
    return runIndicator(
        {"Oscillator.LinearMomentumOscillator", u"Linear Momentum Oscillator"}, alias, result,
        [&](const com::Bstr& name) { return linearMomentumOscillator(data, source, periods, name); });
}

// The period is handed back before anything is computed, so a failing call leaves it replaced too.
com::HRESULT Oscillator::ChaosFractalOscillator(_Database* data, _RecordSet* ohlcv, com::SHORT* periods,
                                                _RecordSet** result) {
    if (!periods)
        return com::E_POINTER;
    *periods = fractalPeriods(*periods);
    return runIndicator({"Oscillator.ChaosFractalOscillator", u"Chaos Fractal Oscillator"}, nullptr, result,
                        [&](const com::Bstr&) { return chaosFractalOscillator(data, ohlcv); });
}

}  // namespace indikon
