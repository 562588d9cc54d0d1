#include "indicators/CandlePattern.h"

#include <algorithm>
#include <cmath>

#include "containers/Note.h"
#include "core/Indicator.h"
#include "indicators/PriceColumn.h"

namespace indikon {
namespace {

constexpr std::u16string_view kNoPattern = u"NO PATTERN";

// The three candles as the pattern tests see them: their classes, and their prices placed within the
// joint range of the three (0 at the lowest low, 1 at the highest high).
struct Formation {
    std::array<CandleClass, 3> classes;
    ThreeCandles placed;

    // Candle k counts from 1, the oldest.
    const CandleClass& kind(int k) const { return classes[static_cast<std::size_t>(k - 1)]; }
    const CandlePrices& at(int k) const { return placed[static_cast<std::size_t>(k - 1)]; }
    double top(int k) const { return greaterOf(at(k).open, at(k).close); }
    double bottom(int k) const { return lesserOf(at(k).open, at(k).close); }
    bool is(int k, CandleShape shape) const { return kind(k).shape == shape; }
    bool is(int k, CandleShape shape, int sense) const { return kind(k) == CandleClass{shape, sense}; }
    bool isStarLike(int k) const {
        return is(k, CandleShape::Star) || is(k, CandleShape::DojiStar) || is(k, CandleShape::Hammer);
    }
};

struct Pattern {
    std::u16string_view text;
    int sense;
    bool (*holds)(const Formation& f);
};

using enum CandleShape;

// In the order they are tried; the first that holds wins.
constexpr Pattern kPatterns[] = {
    {u"Morning Star", +1,
     [](const Formation& f) { return f.is(1, LongBody, -1) && f.isStarLike(2) && f.is(3, LongBody, +1); }},
    {u"Evening Star", -1,
     [](const Formation& f) { return f.is(1, LongBody, +1) && f.isStarLike(2) && f.is(3, LongBody, -1); }},
    {u"Piercing Line", +1,
     [](const Formation& f) {
         return f.is(2, LongBody, -1) && f.is(3, LongBody, +1) && f.at(3).low < f.at(2).low &&
                f.at(3).close >= (f.at(2).high + f.at(2).low) / 2;
     }},
    {u"Engulfing Line", +1,
     [](const Formation& f) {
         return f.at(2).close < f.at(2).open && f.at(3).open < f.at(3).close && f.top(2) < f.at(3).close &&
                f.bottom(2) > f.at(3).low;
     }},
    {u"Doji Star", +1,
     [](const Formation& f) { return f.is(2, LongBody) && f.is(3, DojiStar) && f.top(3) < f.bottom(2); }},
    {u"Hanging Man", -1,
     [](const Formation& f) {
         return f.is(2, Hammer) && f.is(3, Hammer) && f.kind(2).sense == f.kind(3).sense;
     }},
    {u"Dark Cloud Cover", -1,
     [](const Formation& f) { return f.top(2) < f.top(3) && f.bottom(3) > f.at(2).low; }},
    {u"Engulfing Line", -1,
     [](const Formation& f) {
         return f.is(3, LongBody, -1) && f.top(3) > f.at(2).high && f.bottom(3) < f.at(2).low;
     }},
    {u"Doji Star", -1,
     [](const Formation& f) { return f.is(2, LongBody) && f.is(3, DojiStar) && f.top(3) > f.bottom(2); }},
    {u"Shooting Star", -1,
     [](const Formation& f) { return f.is(2, LongBody) && f.is(3, Star) && f.top(3) > f.bottom(2); }},
    {u"Spinning Tops", 0, [](const Formation& f) { return f.is(2, Star) && f.is(3, Star); }},
    {u"Harami Cross", -1,
     [](const Formation& f) {
         return f.is(2, LongBody) && f.is(3, DojiStar) && f.top(2) > f.at(3).high &&
                f.bottom(2) > f.at(3).low;
     }},
};

// Where each candle's range stands among the three; all 1 when the ranges are equal.
std::array<double, 3> rangeSizes(const ThreeCandles& candles) {
    std::array<double, 3> ranges{};
    std::transform(candles.begin(), candles.end(), ranges.begin(),
                   [](const CandlePrices& c) { return std::abs(c.high - c.low); });
    const auto [smallest, largest] = std::minmax_element(ranges.begin(), ranges.end());
    const double least = *smallest;
    const double most = *largest;
    for (double& range : ranges)
        range = most == least ? 1 : divide(range - least, most - least);
    return ranges;
}

ThreeCandles placeInJointRange(const ThreeCandles& candles) {
    double highest = candles[0].high;
    double lowest = candles[0].low;
    for (const CandlePrices& c : candles) {
        highest = greaterOf(highest, c.high);
        lowest = lesserOf(lowest, c.low);
    }
    const auto place = [&](double price) { return rangeRatio(highest, lowest, price); };
    ThreeCandles placed{};
    std::transform(candles.begin(), candles.end(), placed.begin(), [&](const CandlePrices& c) {
        return CandlePrices{place(c.open), place(c.high), place(c.low), place(c.close)};
    });
    return placed;
}

ThreeCandles readCandles(_RecordSet* ohlcv, int period) {
    const PriceColumn open(ohlcv, u"Open");
    const PriceColumn high(ohlcv, u"High");
    const PriceColumn low(ohlcv, u"Low");
    const PriceColumn close(ohlcv, u"Close");
    ThreeCandles candles{};
    // Newest first, as the rows are read.
    for (int k = 3; k >= 1; --k) {
        const int row = period - 3 + k;
        candles[static_cast<std::size_t>(k - 1)] = {open.at(row), high.at(row), low.at(row), close.at(row)};
    }
    return candles;
}

}  // namespace

CandleClass classifyCandle(const CandlePrices& candle, double rangeSize) {
    const double o = rangeRatio(candle.high, candle.low, candle.open);
    const double c = rangeRatio(candle.high, candle.low, candle.close);
    const double body = std::abs(o - c);
    if (body > 0.5 && rangeSize >= 0.5)
        return {LongBody, candle.close > candle.open ? 1 : candle.close < candle.open ? -1 : 0};
    if (body < 0.2 && rangeSize >= 0.5)
        return {Doji, 0};
    if (body < 0.4 && (o > 0.65 || c < 0.35))
        return {Hammer, o > 0.65 ? 1 : -1};
    if (body >= 0.66 || o >= 0.8 || c <= 0.2)
        return {None, 0};
    return {body < 0.1 ? DojiStar : Star, 0};
}

PatternMatch identifyPattern(const ThreeCandles& candles) {
    Formation formation{{}, placeInJointRange(candles)};
    const std::array<double, 3> sizes = rangeSizes(candles);
    for (std::size_t k = 0; k < candles.size(); ++k)
        formation.classes[k] = classifyCandle(candles[k], sizes[k]);
    for (const Pattern& pattern : kPatterns) {
        if (pattern.holds(formation))
            return {pattern.text, pattern.sense};
    }
    return {kNoPattern, 0};
}

com::ComPtr<_Note> identifyCandlePattern(_RecordSet* ohlcv, int period) {
    com::ComPtr<_Note> note = com::makeComObject<Note>();
    check(note->setNote(com::Bstr(kNoPattern)));
    if (period < 3)
        raiseValidation(Error::EndPeriodTooSmall, "CandleStick.IdentifyPattern");
    const PatternMatch match = identifyPattern(readCandles(ohlcv, period));
    check(note->setNote(com::Bstr(match.text)));
    check(note->setValue(match.sense));
    return note;
}

}  // namespace indikon
