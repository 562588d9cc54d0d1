// The `General` class: stateless; basic series functions.
#pragma once

#include "com/ComObject.h"
#include "indikon/_General.h"

namespace indikon {

class General final : public com::ComObject<_General> {
public:
    com::HRESULT HHV(_Database* data, _Field* high, com::SHORT periods, com::Bstr* alias,
                     _RecordSet** result) override;
    com::HRESULT LLV(_Database* data, _Field* low, com::SHORT periods, com::Bstr* alias,
                     _RecordSet** result) override;
    com::HRESULT HighMinusLow(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                              _RecordSet** result) override;
    com::HRESULT MedianPrice(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                             _RecordSet** result) override;
    com::HRESULT TypicalPrice(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                              _RecordSet** result) override;
    com::HRESULT WeightedClose(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                               _RecordSet** result) override;
    com::HRESULT VolumeROC(_Database* data, _Field* volume, com::SHORT periods, com::Bstr* alias,
                           _RecordSet** result) override;
    com::HRESULT PriceROC(_Database* data, _Field* source, com::SHORT periods, com::Bstr* alias,
                          _RecordSet** result) override;
    com::HRESULT CorrelationAnalysis(_Field* source1, _Field* source2, double* result) override;
    com::HRESULT StandardDeviation(_Database* data, _Field* source, com::SHORT periods,
                                   com::SHORT standardDeviations, com::SHORT maType, com::Bstr* alias,
                                   _RecordSet** result) override;
    com::HRESULT MaxValue(_Field* source, com::SHORT startPeriod, com::SHORT endPeriod,
                          _Note** result) override;
    com::HRESULT MinValue(_Field* source, com::SHORT startPeriod, com::SHORT endPeriod,
                          _Note** result) override;
};

}  // namespace indikon
