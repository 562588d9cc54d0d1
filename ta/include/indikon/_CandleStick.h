// `_CandleStick`: candlestick pattern recognition.
#pragma once

#include "com/Unknown.h"
#include "indikon/Identities.h"
#include "indikon/_Note.h"
#include "indikon/_RecordSet.h"

namespace indikon {

struct _CandleStick : com::IUnknown {
    static constexpr com::IID iid = IID_CandleStick;

    // The pattern of the three candles ending at row `period` of the "Open", "High", "Low" and "Close"
    // fields of `ohlcv`: a note whose text is the pattern's name (or "NO PATTERN") and whose value is
    // its sense (+1 bullish, -1 bearish, 0 neutral or none). 1014 for a period below 3.
    virtual com::HRESULT IdentifyPattern(_RecordSet* ohlcv, com::SHORT period, _Note** result) = 0;

protected:
    ~_CandleStick() = default;
};

}  // namespace indikon
