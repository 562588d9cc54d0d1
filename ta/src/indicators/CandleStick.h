// The `CandleStick` class: stateless candlestick pattern recognition.
#pragma once

#include "com/ComObject.h"
#include "indikon/_CandleStick.h"

namespace indikon {

class CandleStick final : public com::ComObject<_CandleStick> {
public:
    com::HRESULT IdentifyPattern(_RecordSet* ohlcv, com::SHORT period, _Note** result) override;
};

}  // namespace indikon
