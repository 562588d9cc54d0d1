// The `Index` class: stateless; each method computes into a new record set.
#pragma once

#include "com/ComObject.h"
#include "indikon/_Index.h"

namespace indikon {

class Index final : public com::ComObject<_Index> {
public:
    com::HRESULT MoneyFlowIndex(_Database* data, _RecordSet* ohlcv, com::SHORT periods, com::Bstr* alias,
                                _RecordSet** result) override;
    com::HRESULT TradeVolumeIndex(_Database* data, _Field* source, _Field* volume, double minTickValue,
                                  com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT SwingIndex(_Database* data, _RecordSet* ohlcv, double limitMoveValue, com::Bstr* alias,
                            _RecordSet** result) override;
    com::HRESULT AccumulativeSwingIndex(_Database* data, _RecordSet* ohlcv, double limitMoveValue,
                                        com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT RelativeStrengthIndex(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                                       _RecordSet** result) override;
    com::HRESULT ComparativeRelativeStrength(_Database* data, _Field* source1, _Field* source2,
                                             com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT PriceVolumeTrend(_Database* data, _Field* source, _Field* volume, com::Bstr* alias,
                                  _RecordSet** result) override;
    com::HRESULT PositiveVolumeIndex(_Database* data, _Field* source, _Field* volume, com::Bstr* alias,
                                     _RecordSet** result) override;
    com::HRESULT NegativeVolumeIndex(_Database* data, _Field* source, _Field* volume, com::Bstr* alias,
                                     _RecordSet** result) override;
    com::HRESULT Performance(_Database* data, _Field* source, com::Bstr* alias, _RecordSet** result) override;
    com::HRESULT OnBalanceVolume(_Database* data, _Field* source, _Field* volume, com::Bstr* alias,
                                 _RecordSet** result) override;
    com::HRESULT MassIndex(_Database* data, _RecordSet* ohlcv, com::SHORT periods, com::Bstr* alias,
                           _RecordSet** result) override;
    com::HRESULT ChaikinMoneyFlow(_Database* data, _RecordSet* ohlcv, com::SHORT periods, com::Bstr* alias,
                                  _RecordSet** result) override;
    com::HRESULT StochasticMomentumIndex(_Database* data, _RecordSet* ohlcv, com::SHORT kPeriods,
                                         com::SHORT kSmooth, com::SHORT kDoubleSmooth, com::SHORT dPeriods,
                                         com::SHORT maType, com::SHORT pctDMAType,
                                         _RecordSet** result) override;
    com::HRESULT CommodityChannelIndex(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                       com::Bstr* alias, _RecordSet** result) override;
};

}  // namespace indikon
