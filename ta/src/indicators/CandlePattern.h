// Candlestick pattern recognition over three candles: each candle is classified by the size of its body
// within its own range and of its range among the three, then twelve two- and three-candle patterns are
// tested in a fixed order and the first that holds is reported.
#pragma once

#include <array>
#include <string_view>

#include "com/ComPtr.h"
#include "indikon/_Note.h"
#include "indikon/_RecordSet.h"

namespace indikon {

struct CandlePrices {
    double open, high, low, close;
};

// Three candles, oldest first.
using ThreeCandles = std::array<CandlePrices, 3>;

enum class CandleShape { None, LongBody, Doji, Hammer, Star, DojiStar };

struct CandleClass {
    CandleShape shape = CandleShape::None;
    int sense = 0;  // +1, -1, or 0 when not set

    bool operator==(const CandleClass&) const = default;
};

struct PatternMatch {
    std::u16string_view text;  // "NO PATTERN" when none holds
    int sense = 0;
};

// The class of one candle, given where its range stands among the three (0 the smallest, 1 the largest).
CandleClass classifyCandle(const CandlePrices& candle, double rangeSize);

// The first of the twelve patterns that the candles form.
PatternMatch identifyPattern(const ThreeCandles& candles);

// A new note holding the pattern of the candles at rows period - 2 .. period of `ohlcv` as text and its
// sense as value. 1014 "EndPeriod must be greater than 3" under "CandleStick.IdentifyPattern" (a
// parameter check) for a period below 3.
com::ComPtr<_Note> identifyCandlePattern(_RecordSet* ohlcv, int period);

}  // namespace indikon
