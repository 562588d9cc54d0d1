#include "PriceSet.h"
#include "indicators/CandlePattern.h"
#include "indicators/CandleStick.h"

namespace indikon::test {
namespace {

using enum CandleShape;

TEST(CandleStick, ClassOfOneCandle) {
    // Prices on a range of 0..10 unless the high equals the low, so o and c are open and close / 10.
    const struct {
        const char* name;
        CandlePrices candle;
        double size;
        CandleClass expected;
    } cases[] = {
        {"open at the low, close at the high", {0, 10, 0, 10}, 1, {LongBody, +1}},
        {"falling full body, size exactly 0.5", {10, 10, 0, 0}, 0.5, {LongBody, -1}},
        {"full body on a small range", {10, 10, 0, 0}, 0.49, {None, 0}},
        {"high equals low, size 0.5", {5, 5, 5, 5}, 0.5, {Doji, 0}},
        {"high equals low, small range", {5, 5, 5, 5}, 0.2, {Hammer, -1}},
        {"small body near the high", {7, 10, 0, 9}, 0, {Hammer, +1}},
        {"small body near the low", {3, 10, 0, 1.5}, 0, {Hammer, -1}},
        {"body of 0.5 opening high", {9, 10, 0, 4}, 0.2, {None, 0}},
        {"body exactly 0.5 in the middle", {2.5, 10, 0, 7.5}, 0.5, {Star, 0}},
        {"body of 0.3 in the middle", {3.5, 10, 0, 6.5}, 1, {Star, 0}},
        {"body of 0.05 in the middle", {5, 10, 0, 5.5}, 0, {DojiStar, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CandleClass actual = classifyCandle(c.candle, c.size);
        EXPECT_EQ(actual.shape, c.expected.shape);
        EXPECT_EQ(actual.sense, c.expected.sense);
    }
}

struct PatternCase {
    const char* name;
    std::vector<Candle> candles;  // open, high, low, close; the last three are tested
    std::u16string text;
    double value;
};

const PatternCase kPatternCases[] = {
    {"three equal rising candles", {{1, 2, 1, 2}, {1, 2, 1, 2}, {1, 2, 1, 2}}, u"NO PATTERN", 0},
    // Candle 2 is a star (range 1, the smallest); the engulfing test would hold too, but comes later.
    {"morning star", {{10, 10, 5, 5}, {4.6, 5, 4, 4.4}, {4.2, 10, 4.1, 10}}, u"Morning Star", +1},
    {"evening star", {{5, 10, 5, 10}, {5.4, 6, 5, 5.6}, {10, 10, 5, 5}}, u"Evening Star", -1},
    {"piercing line", {{5, 6, 4, 5}, {10, 10, 6, 6}, {5.5, 9, 5.5, 9}}, u"Piercing Line", +1},
    {"two hammers of one sense", {{7, 10, 0, 9}, {7, 10, 0, 9}, {7, 10, 0, 9}}, u"Hanging Man", -1},
    {"dark cloud cover", {{4, 10, 0, 6}, {4, 10, 0, 6}, {5, 11, 1, 7}}, u"Dark Cloud Cover", -1},
    {"two stars", {{3.5, 10, 0, 6.5}, {3.5, 10, 0, 6.5}, {3.5, 10, 0, 6.5}}, u"Spinning Tops", 0},
    // A long candle 2 with its body at 5..10, then a small doji star below, above or level with it.
    {"doji star below the body", {{5, 10, 5, 10}, {10, 10, 5, 5}, {4.45, 5, 4, 4.5}}, u"Doji Star", +1},
    {"doji star above the body", {{5, 10, 5, 10}, {10, 10, 5, 5}, {5.45, 6, 5, 5.5}}, u"Doji Star", -1},
    {"doji star level with the body",
     {{5, 10, 5, 10}, {10, 10, 5, 5}, {4.95, 5.5, 4.5, 5}},
     u"Harami Cross",
     -1},
};

TEST(CandleStick, PatternsInTheirOrder) {
    for (const PatternCase& c : kPatternCases) {
        SCOPED_TRACE(c.name);
        com::ComPtr<_Note> note;
        ASSERT_EQ(
            com::makeComObject<CandleStick>()->IdentifyPattern(makePriceSet(c.candles).get(), 3, note.put()),
            com::S_OK);
        com::Bstr text;
        double value = 1e9;
        com::SHORT period = -1;
        note->getNote(&text);
        note->getValue(&value);
        note->getPeriod(&period);
        EXPECT_EQ(text.view(), c.text);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(period, 0);
    }
}

TEST(CandleStick, ReadsTheThreeRowsEndingAtThePeriod) {
    // Rows 2..4 form a morning star; rows 1..3 do not.
    std::vector<Candle> candles{{1, 2, 1, 2}};
    candles.insert(candles.end(), kPatternCases[1].candles.begin(), kPatternCases[1].candles.end());
    const com::ComPtr<_RecordSet> prices = makePriceSet(candles);
    const auto textAt = [&](com::SHORT period) {
        com::ComPtr<_Note> note;
        EXPECT_EQ(com::makeComObject<CandleStick>()->IdentifyPattern(prices.get(), period, note.put()),
                  com::S_OK);
        com::Bstr text;
        if (note)
            note->getNote(&text);
        return text.text();
    };
    EXPECT_EQ(textAt(4), u"Morning Star");
    EXPECT_NE(textAt(3), u"Morning Star");
}

TEST(CandleStick, Failures) {
    const com::ComPtr<_RecordSet> prices = makePriceSet(kPatternCases[0].candles);
    const com::ComPtr<_RecordSet> withoutClose = makePriceSet(kPatternCases[0].candles);
    withoutClose->removeField(com::Bstr(u"Close"));
    const ExpectedError tooEarly{1014, "CandleStick.IdentifyPattern", "EndPeriod must be greater than 3"};
    const ExpectedError unexpected{1105, "CandleStick.UnexpectedError", "An unexpected error has occured"};
    const struct {
        const char* name;
        _RecordSet* ohlcv;
        com::SHORT period;
        ExpectedError expected;
    } cases[] = {
        {"period 2", prices.get(), 2, tooEarly},
        {"negative period", prices.get(), -5, tooEarly},
        {"period 2 checked before the prices", nullptr, 2, tooEarly},
        {"row beyond the fields", prices.get(), 4, unexpected},
        {"no Close field", withoutClose.get(), 3, unexpected},
        {"no record set", nullptr, 3, unexpected},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        com::ComPtr<_Note> note;
        EXPECT_TRUE(failedWith(
            com::makeComObject<CandleStick>()->IdentifyPattern(c.ohlcv, c.period, note.put()), c.expected));
        EXPECT_EQ(note, nullptr);
    }
}

}  // namespace
}  // namespace indikon::test
