// `_Oscillator`: oscillator indicators. Like every indicator, a method walks the cursor of `data`,
// returns a new record set and, when `alias` points at an empty string, writes the method's own name
// into it (a null `alias` means the argument was left out).
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Database.h"

namespace indikon {

struct _Oscillator : com::IUnknown {
    static constexpr com::IID iid = IID_Oscillator;

    // Stop-and-reverse levels; the factor starts at minAF, grows by minAF per new extreme, up to maxAF.
    virtual com::HRESULT ParabolicSAR(_Database* data, _Field* highPrice, _Field* lowPrice, double minAF,
                                      double maxAF, com::Bstr* alias, _RecordSet** result) = 0;
    // Chande momentum oscillator: 100 (up - down) / (up + down) over the last `periods` changes; a
    // window without change repeats the value before it.
    virtual com::HRESULT CMO(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                             _RecordSet** result) = 0;
    // source / source `periods` records earlier, in per cent; the first value at periods + 2.
    virtual com::HRESULT Momentum(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                                  _RecordSet** result) = 0;
    // Percentage change of a triple exponential average.
    virtual com::HRESULT TRIX(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                              _RecordSet** result) = 0;
    // Buying pressure over true range on three windows, weighted 4, 2 and 1 in argument order.
    virtual com::HRESULT UltimateOscillator(_Database* data, _RecordSet* ohlcv, com::SHORT cycle1,
                                            com::SHORT cycle2, com::SHORT cycle3, com::Bstr* alias,
                                            _RecordSet** result) = 0;
    // Range of the last `periods` values over the sum of their absolute changes.
    virtual com::HRESULT VerticalHorizontalFilter(_Database* data, _Field* source, com::SHORT periods,
                                                  com::Bstr* alias, _RecordSet** result) = 0;
    // Williams %R: the close in the range of the last `periods` records, 0 at the high, -100 at the low;
    // the first value at periods + 1.
    virtual com::HRESULT WilliamsPctR(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                      com::Bstr* alias, _RecordSet** result) = 0;
    // Running sum of each close's distance from its true low (rising) or true high (falling).
    virtual com::HRESULT WilliamsAccumulationDistribution(_Database* data, _RecordSet* ohlcv,
                                                          com::Bstr* alias, _RecordSet** result) = 0;
    // Short against long average of the volume, in points (1) or per cent (2); 0 for any other mode.
    virtual com::HRESULT VolumeOscillator(_Database* data, _Field* volume, com::SHORT shortTerm,
                                          com::SHORT longTerm, com::SHORT maType, com::SHORT pointsOrPercent,
                                          com::Bstr* alias, _RecordSet** result) = 0;
    // Change of the averaged high-low range over `roc` records, in per cent.
    virtual com::HRESULT ChaikinVolatility(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                           com::SHORT roc, com::SHORT maType, com::Bstr* alias,
                                           _RecordSet** result) = 0;
    // Fields "%K" (slowed when kSlowingPeriods is 2 or more) and "%D"; takes no alias.
    virtual com::HRESULT StochasticOscillator(_Database* data, _RecordSet* ohlcv, com::SHORT kPeriods,
                                              com::SHORT kSlowingPeriods, com::SHORT dPeriods,
                                              com::SHORT maType, _RecordSet** result) = 0;
    // (short average - long average) / long average in per cent, both averages of kind maType (1..7);
    // the first value at longCycle + 1. Fails with 1015 unless shortCycle < longCycle.
    virtual com::HRESULT PriceOscillator(_Database* data, _Field* source, com::SHORT longCycle,
                                         com::SHORT shortCycle, com::SHORT maType, com::Bstr* alias,
                                         _RecordSet** result) = 0;
    // 12- less 26-record exponential average of "Close" from signalPeriods + 1 on, then its exponential
    // average over signalPeriods as the field alias + "Signal".
    virtual com::HRESULT MACD(_Database* data, _RecordSet* ohlcv, com::SHORT signalPeriods, com::Bstr* alias,
                              _RecordSet** result) = 0;
    // Midpoint move over volume per unit of range, times 10,000, averaged by kind maType over `periods`.
    virtual com::HRESULT EaseOfMovement(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                        com::SHORT maType, com::Bstr* alias, _RecordSet** result) = 0;
    // The source less its average of kind maType from about periods / 2 + 1 records back.
    virtual com::HRESULT DetrendedPriceOscillator(_Database* data, _Field* source, com::SHORT periods,
                                                  com::SHORT maType, com::Bstr* alias,
                                                  _RecordSet** result) = 0;
    // Simple average over `periods` records of the true range.
    virtual com::HRESULT AverageTrueRange(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                          com::Bstr* alias, _RecordSet** result) = 0;
    // The greatest of 0, high - low and the distances from the previous close; 0 at record 1.
    virtual com::HRESULT TrueRange(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                                   _RecordSet** result) = 0;
    // Fields "ADX", "ADXR", "DX", "TRSum", "DI-", "DI+" (whole numbers but TRSum), in this order.
    virtual com::HRESULT DirectionalMovementSystem(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                                   _RecordSet** result) = 0;
    // Fields "Aroon Up", "Aroon Down", "Aroon Oscillator": how recent the window's extremes are.
    virtual com::HRESULT Aroon(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                               _RecordSet** result) = 0;
    // How far the close lies from a stack of moving averages of it.
    virtual com::HRESULT RainbowOscillator(_Database* data, _RecordSet* ohlcv, com::SHORT levels,
                                           com::SHORT maType, com::Bstr* alias, _RecordSet** result) = 0;
    // The goodness of fit of a regression over the CMO, from -100 to +100.
    virtual com::HRESULT LinearMomentumOscillator(_Database* data, _Field* source, com::SHORT periods,
                                                  com::Bstr* alias, _RecordSet** result) = 0;
    // "Chaos Fractal Oscillator": +1 two records after a five-record fractal high, -1 after a low.
    // `periods` plays no part in the values; one below 1 is set to 100 in the caller's variable.
    virtual com::HRESULT ChaosFractalOscillator(_Database* data, _RecordSet* ohlcv, com::SHORT* periods,
                                                _RecordSet** result) = 0;

protected:
    ~_Oscillator() = default;
};

}  // namespace indikon
