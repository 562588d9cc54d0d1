// The `Bands` class: stateless; each method computes its bands into a new record set.
#pragma once

#include "com/ComObject.h"
#include "indikon/_Bands.h"

namespace indikon {

class Bands final : public com::ComObject<_Bands> {
public:
    com::HRESULT BollingerBands(_Database* data, _Field* source, com::SHORT periods,
                                com::SHORT standardDeviations, com::SHORT maType,
                                _RecordSet** result) override;
    com::HRESULT MovingAverageEnvelope(_Database* data, _Field* source, com::SHORT periods, com::SHORT maType,
                                       double shift, _RecordSet** result) override;
    com::HRESULT HighLowBands(_Database* data, _Field* highPrice, _Field* lowPrice, _Field* closePrice,
                              com::SHORT periods, _RecordSet** result) override;
    com::HRESULT Keltner(_Database* data, _RecordSet* ohlcv, com::SHORT periods, double factor,
                         _RecordSet** result) override;
    com::HRESULT FractalChaosBands(_Database* data, _RecordSet* ohlcv, com::SHORT* periods,
                                   _RecordSet** result) override;
};

}  // namespace indikon
