// The `LineStudy` class: stateless; reference lines over a range of records.
#pragma once

#include "com/ComObject.h"
#include "indikon/_LineStudy.h"

namespace indikon {

class LineStudy final : public com::ComObject<_LineStudy> {
public:
    com::HRESULT QuadrantLines(_Database* data, _RecordSet* ohlcv, com::SHORT startPeriod,
                               com::SHORT endPeriod, _RecordSet** result) override;
    com::HRESULT TironeLevel(_Database* data, _RecordSet* ohlcv, com::SHORT startPeriod, com::SHORT endPeriod,
                             _RecordSet** result) override;
    com::HRESULT SpeedResistanceLines(_Database* data, _RecordSet* ohlcv, com::SHORT* startPeriod,
                                      com::SHORT* endPeriod, _RecordSet** result) override;
    com::HRESULT Fibonacci(_Field* source, com::SHORT startPeriod, com::SHORT endPeriod, com::Bstr* alias,
                           _RecordSet** result) override;
    com::HRESULT TrendLinePenetration(_Field* source, com::SHORT trendStartPeriod, double trendStartValue,
                                      com::SHORT trendEndPeriod, double trendEndValue, com::Bstr* alias,
                                      _RecordSet** result) override;
};

}  // namespace indikon
