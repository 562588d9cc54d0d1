// `_Index`: index indicators (see `_Oscillator` for the conventions every indicator shares).
#pragma once

#include "com/Bstr.h"
#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Database.h"

namespace indikon {

struct _Index : com::IUnknown {
    static constexpr com::IID iid = IID_Index;

    // Money flow over `periods` records of typical price; the first value stands at periods + 1.
    virtual com::HRESULT MoneyFlowIndex(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                        com::Bstr* alias, _RecordSet** result) = 0;
    // Volume added or subtracted by the direction of moves larger than the tick.
    virtual com::HRESULT TradeVolumeIndex(_Database* data, _Field* source, _Field* volume,
                                          double minTickValue, com::Bstr* alias, _RecordSet** result) = 0;
    // The swing of each record against the one before, scaled by the limit move; 0 at record 1.
    virtual com::HRESULT SwingIndex(_Database* data, _RecordSet* ohlcv, double limitMoveValue,
                                    com::Bstr* alias, _RecordSet** result) = 0;
    // The running sum of the swing index.
    virtual com::HRESULT AccumulativeSwingIndex(_Database* data, _RecordSet* ohlcv, double limitMoveValue,
                                                com::Bstr* alias, _RecordSet** result) = 0;
    // Wilder's RSI; the first value stands at periods + 2.
    virtual com::HRESULT RelativeStrengthIndex(_Database* data, _Field* source, com::SHORT periods,
                                               com::Bstr* alias, _RecordSet** result) = 0;
    // source1 / source2 at every record.
    virtual com::HRESULT ComparativeRelativeStrength(_Database* data, _Field* source1, _Field* source2,
                                                     com::Bstr* alias, _RecordSet** result) = 0;
    // Relative price change times volume, summed from 0.
    virtual com::HRESULT PriceVolumeTrend(_Database* data, _Field* source, _Field* volume, com::Bstr* alias,
                                          _RecordSet** result) = 0;
    // From 1, follows the price on records of rising volume.
    virtual com::HRESULT PositiveVolumeIndex(_Database* data, _Field* source, _Field* volume,
                                             com::Bstr* alias, _RecordSet** result) = 0;
    // From 1, follows the price on records of falling volume.
    virtual com::HRESULT NegativeVolumeIndex(_Database* data, _Field* source, _Field* volume,
                                             com::Bstr* alias, _RecordSet** result) = 0;
    // Percentage change from the first record.
    virtual com::HRESULT Performance(_Database* data, _Field* source, com::Bstr* alias,
                                     _RecordSet** result) = 0;
    // Volume added on a rise and subtracted on a fall, from 0.
    virtual com::HRESULT OnBalanceVolume(_Database* data, _Field* source, _Field* volume, com::Bstr* alias,
                                         _RecordSet** result) = 0;
    // Sum of EMA9(range) / EMA9(EMA9(range)) over `periods` records; the first value at 2 * periods.
    virtual com::HRESULT MassIndex(_Database* data, _RecordSet* ohlcv, com::SHORT periods, com::Bstr* alias,
                                   _RecordSet** result) = 0;
    // Money-flow volume over volume of the last `periods` records; the first value at periods + 1.
    virtual com::HRESULT ChaikinMoneyFlow(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                          com::Bstr* alias, _RecordSet** result) = 0;
    // Close against the midpoint of the kPeriods-record range, smoothed twice: fields "%K" and "%D".
    // The caller's kPeriods is not changed.
    virtual com::HRESULT StochasticMomentumIndex(_Database* data, _RecordSet* ohlcv, com::SHORT kPeriods,
                                                 com::SHORT kSmooth, com::SHORT kDoubleSmooth,
                                                 com::SHORT dPeriods, com::SHORT maType,
                                                 com::SHORT pctDMAType, _RecordSet** result) = 0;
    // Typical price against its simple average, in units of 1.5 % of the mean deviation; the first
    // value at 2 * periods. The field takes the alias as given, even when empty.
    virtual com::HRESULT CommodityChannelIndex(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                               com::Bstr* alias, _RecordSet** result) = 0;

protected:
    ~_Index() = default;
};

}  // namespace indikon
