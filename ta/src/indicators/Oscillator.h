// The `Oscillator` class: stateless; each method computes into a new record set.
#pragma once

#include "com/ComObject.h"
#include "indikon/_Oscillator.h"

namespace indikon {

class Oscillator final : public com::ComObject<_Oscillator> {
public:
    com::HRESULT ParabolicSAR(_Database* data, _Field* highPrice, _Field* lowPrice, double minAF,
                              double maxAF, com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT CMO(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                     _RecordSet** result) override;
    com::HRESULT Momentum(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                          _RecordSet** result) override;
    com::HRESULT TRIX(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                      _RecordSet** result) override;
    com::HRESULT UltimateOscillator(_Database* data, _RecordSet* ohlcv, com::SHORT cycle1, com::SHORT cycle2,
                                    com::SHORT cycle3, com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT VerticalHorizontalFilter(_Database* data, _Field* source, com::SHORT periods,
                                          com::Bstr* alias, _RecordSet** result) override;
    // Range and volume oscillators (RangeOscillators.cpp).
    com::HRESULT WilliamsPctR(_Database* data, _RecordSet* ohlcv, com::SHORT periods, com::Bstr* alias,
                              _RecordSet** result) override;
    com::HRESULT WilliamsAccumulationDistribution(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                                                  _RecordSet** result) override;
    com::HRESULT VolumeOscillator(_Database* data, _Field* volume, com::SHORT shortTerm, com::SHORT longTerm,
                                  com::SHORT maType, com::SHORT pointsOrPercent, com::Bstr* alias,
                                  _RecordSet** result) override;
    com::HRESULT ChaikinVolatility(_Database* data, _RecordSet* ohlcv, com::SHORT periods, com::SHORT roc,
                                   com::SHORT maType, com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT StochasticOscillator(_Database* data, _RecordSet* ohlcv, com::SHORT kPeriods,
                                      com::SHORT kSlowingPeriods, com::SHORT dPeriods, com::SHORT maType,
                                      _RecordSet** result) override;
    // Price oscillators and MACD (PriceOscillators.cpp).
    com::HRESULT PriceOscillator(_Database* data, _Field* source, com::SHORT longCycle, com::SHORT shortCycle,
                                 com::SHORT maType, com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT MACD(_Database* data, _RecordSet* ohlcv, com::SHORT signalPeriods, com::Bstr* alias,
                      _RecordSet** result) override;
    com::HRESULT EaseOfMovement(_Database* data, _RecordSet* ohlcv, com::SHORT periods, com::SHORT maType,
                                com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT DetrendedPriceOscillator(_Database* data, _Field* source, com::SHORT periods,
                                          com::SHORT maType, com::Bstr* alias, _RecordSet** result) override;
    // True range, directional movement and Aroon (DirectionalMovement.cpp).
    com::HRESULT AverageTrueRange(_Database* data, _RecordSet* ohlcv, com::SHORT periods, com::Bstr* alias,
                                  _RecordSet** result) override;
    com::HRESULT TrueRange(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                           _RecordSet** result) override;
    com::HRESULT DirectionalMovementSystem(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                           _RecordSet** result) override;
    com::HRESULT Aroon(_Database* data, _RecordSet* ohlcv, com::SHORT periods, _RecordSet** result) override;
    // Rainbow, linear momentum and chaos fractal oscillators (FractalOscillators.cpp).
    com::HRESULT RainbowOscillator(_Database* data, _RecordSet* ohlcv, com::SHORT levels, com::SHORT maType,
                                   com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT LinearMomentumOscillator(_Database* data, _Field* source, com::SHORT periods,
                                          com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT ChaosFractalOscillator(_Database* data, _RecordSet* ohlcv, com::SHORT* periods,
                                        _RecordSet** result) override;
};

}  // namespace indikon
