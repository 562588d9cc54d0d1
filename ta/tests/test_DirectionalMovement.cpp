#include "PriceSet.h"
#include "core/Indicator.h"
#include "indicators/Oscillator.h"

namespace indikon::test {
namespace {

struct Bars {
    std::vector<double> highs, lows, closes;
};

template <typename Call>
IndicatorRun runOn(const Bars& bars, Call&& call) {
    IndicatorRun run;
    run.database = makeDatabase(bars.closes, bars.highs, bars.lows);
    com::ComPtr<_RecordSet> prices;
    run.database->getRecordset(prices.put());
    run.database->setPosition(2);
    const com::ComPtr<_Oscillator> oscillator = com::makeComObject<Oscillator>();
    run.status = call(*oscillator, run, prices.get());
    return run;
}

IndicatorRun trueRange(const Bars& bars) {
    return runOn(bars, [](_Oscillator& o, IndicatorRun& run, _RecordSet* prices) {
        return o.TrueRange(run.database.get(), prices, &run.alias, run.result.put());
    });
}

IndicatorRun averageTrueRange(const Bars& bars, int periods, std::u16string alias = u"") {
    return runOn(bars, [&](_Oscillator& o, IndicatorRun& run, _RecordSet* prices) {
        run.alias = com::Bstr(alias);
        return o.AverageTrueRange(run.database.get(), prices, static_cast<com::SHORT>(periods), &run.alias,
                                  run.result.put());
    });
}

IndicatorRun directionalMovement(const Bars& bars, int periods) {
    return runOn(bars, [&](_Oscillator& o, IndicatorRun& run, _RecordSet* prices) {
        return o.DirectionalMovementSystem(run.database.get(), prices, static_cast<com::SHORT>(periods),
                                           run.result.put());
    });
}

IndicatorRun aroon(const Bars& bars, int periods) {
    return runOn(bars, [&](_Oscillator& o, IndicatorRun& run, _RecordSet* prices) {
        return o.Aroon(run.database.get(), prices, static_cast<com::SHORT>(periods), run.result.put());
    });
}

TEST(TrueRange, GreatestOfZeroTheRangeAndTheGaps) {
    const struct {
        double high, low, previousClose, expected;
    } cases[] = {
        {11, 9, 9, 2},     // the record's own range
        {9.5, 8, 10, 2},   // previous close above the high: down to the low
        {12, 11, 9, 3},    // gap up: from the previous close
        {9, 9.5, 10, 1},   // high below its low, close above both: |high - previous close|
        {5, 6, 5.5, 0.5},  // high below its low: never negative
        {5, 6, 6, 1},      // high below its low at the previous close
        {7, 7, 7, 0},      // no movement at all
    };
    for (const auto& c : cases) {
        const IndicatorRun run =
            trueRange({{c.previousClose, c.high}, {c.previousClose, c.low}, {c.previousClose, 0}});
        expectValues(run.field(u"TR"), {0, c.expected});
        EXPECT_EQ(run.alias.view(), u"TR");
        EXPECT_EQ(position(run.database.get()), 1);
    }
}

// Closes stay at 10 and each record spans `range` around them, so that its true range is `range`.
Bars rangesAroundTen(const std::vector<double>& ranges) {
    Bars bars;
    for (double range : ranges) {
        bars.closes.push_back(10);
        bars.highs.push_back(10 + range / 2);
        bars.lows.push_back(10 - range / 2);
    }
    return bars;
}

TEST(AverageTrueRange, SimpleAverageOfTheTrueRangesFromRecordTwo) {
    // True ranges 0, 2, 4, 6, 8: the first window (records 2 and 3) does not average record 1's 0.
    const IndicatorRun run = averageTrueRange(rangesAroundTen({0, 2, 4, 6, 8}), 2);
    expectValues(run.field(u"ATR"), {0, 0, 3, 5, 7});
    EXPECT_EQ(run.alias.view(), u"ATR");
    EXPECT_EQ(run.names(), std::vector<std::u16string>{u"ATR"});
    EXPECT_EQ(position(run.database.get()), 1);

    const IndicatorRun named = averageTrueRange(rangesAroundTen({0, 2, 4, 6, 8}), 4, u"Range");
    expectValues(named.field(u"Range"), {0, 0, 0, 0, 5});
    EXPECT_EQ(named.names(), std::vector<std::u16string>{u"Range"});
}

TEST(AverageTrueRange, PeriodsTheDataCannotHoldFail) {
    const Bars bars = rangesAroundTen({0, 2, 4});
    EXPECT_TRUE(failedWith(averageTrueRange(bars, 0).status, unexpectedIn("Oscillator.AverageTrueRange")));
    EXPECT_TRUE(failedWith(averageTrueRange(bars, 4).status, unexpectedIn("Oscillator.AverageTrueRange")));
    expectValues(averageTrueRange(bars, 3).field(u"ATR"), {0, 0, 0});
}

// Worked through by hand with Wilder smoothing over 2 records; ADX(5) = (60 + 7) / 2 = 33.5 rounds up
// to 34 and ADX(6) = (34 + 35) / 2 = 34.5 down to 34 (halves go to the even neighbour). Record 3 moves
// neither high nor low: no directional movement.
const Bars kTrend{{10.5, 11.5, 11.5, 10.5, 11.0, 11.5},
                  {9.0, 10.0, 10.0, 8.5, 9.5, 10.5},
                  {9.5, 11.0, 11.0, 9.5, 10.0, 11.0}};

TEST(DirectionalMovementSystem, HandComputedWholeNumbers) {
    const IndicatorRun run = directionalMovement(kTrend, 2);
    ASSERT_EQ(run.status, com::S_OK);
    expectValues(run.field(u"TRSum"), {0, 1, 1.25, 1.875, 1.6875, 1.59375});
    expectValues(run.field(u"DI+"), {0, 50, 20, 7, 19, 25});
    expectValues(run.field(u"DI-"), {0, 0, 0, 40, 22, 12});
    expectValues(run.field(u"DX"), {0, 100, 100, 70, 7, 35});
    expectValues(run.field(u"ADX"), {0, 0, 50, 60, 34, 34});
    expectValues(run.field(u"ADXR"), {0, 0, 25, 55, 47, 34});
    EXPECT_EQ(position(run.database.get()), 1);
}

TEST(DirectionalMovementSystem, FieldOrderIsFixed) {
    EXPECT_EQ(directionalMovement(kTrend, 2).names(),
              (std::vector<std::u16string>{u"ADX", u"ADXR", u"DX", u"TRSum", u"DI-", u"DI+"}));
}

TEST(DirectionalMovementSystem, LargerMoveWinsAndTiesCancel) {
    // Record 2: the high rises by 2 while the low rises by 5 (a fall of -5): the rise counts alone.
    // With one-record smoothing DI+ = 2 / true range 4.
    const IndicatorRun single = directionalMovement({{10, 12}, {5, 10}, {8, 11}}, 1);
    expectValues(single.field(u"DI+"), {0, 50});
    expectValues(single.field(u"DI-"), {0, 0});
    // Record 2: high up by 1 and low down by 1 (up = down): nothing on either side, so DX stays 0.
    const IndicatorRun tie = directionalMovement({{10, 11}, {8, 7}, {9, 9}}, 1);
    expectValues(tie.field(u"DI+"), {0, 0});
    expectValues(tie.field(u"DI-"), {0, 0});
    expectValues(tie.field(u"DX"), {0, 0});
}

TEST(DirectionalMovementSystem, NoTrueRangeAtRecordTwoFails) {
    // The first two records without any movement: the smoothed true range at record 2 is 0.
    EXPECT_TRUE(failedWith(directionalMovement({{10, 10, 12}, {10, 10, 10}, {10, 10, 11}}, 2).status,
                           unexpectedIn("Oscillator.DirectionalMovementSystem")));
    EXPECT_TRUE(failedWith(directionalMovement(kTrend, 0).status,
                           unexpectedIn("Oscillator.DirectionalMovementSystem")));
}

TEST(Aroon, TiesGoToTheCurrentRecordThenTheOldest) {
    // Window of record 6 (P = 5): highs 3, 9, 1, 9, 2 before it. The older 9 (record 2) is reported.
    const std::vector<double> closes(6, 2.5);
    IndicatorRun run = aroon({{3, 9, 1, 9, 2, 4}, {1, 0.5, 2, 0.5, 3, 2}, closes}, 5);
    expectValues(run.field(u"Aroon Up"), {0, 0, 0, 0, 0, 20});
    expectValues(run.field(u"Aroon Down"), {0, 0, 0, 0, 0, 20});
    expectValues(run.field(u"Aroon Oscillator"), {0, 0, 0, 0, 0, 0});
    EXPECT_EQ(position(run.database.get()), 2) << "Aroon leaves the cursor alone";
    EXPECT_EQ(run.names(), (std::vector<std::u16string>{u"Aroon Up", u"Aroon Down", u"Aroon Oscillator"}));

    // The current high equals the window's highest: 100. The low at record 4 (two back) gives 60.
    run = aroon({{3, 9, 1, 9, 2, 9}, {1, 0.7, 2, 0.5, 3, 2}, closes}, 5);
    expectValues(run.field(u"Aroon Up"), {0, 0, 0, 0, 0, 100});
    expectValues(run.field(u"Aroon Down"), {0, 0, 0, 0, 0, 60});
    expectValues(run.field(u"Aroon Oscillator"), {0, 0, 0, 0, 0, 40});
}

TEST(Aroon, EveryRecordFromPeriodsPlusOne) {
    // Rising highs and lows: the high is always current (100), the low always P records back (0).
    const IndicatorRun run = aroon({{1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}}, 2);
    expectValues(run.field(u"Aroon Up"), {0, 0, 100, 100, 100});
    expectValues(run.field(u"Aroon Down"), {0, 0, 0, 0, 0});
    expectValues(run.field(u"Aroon Oscillator"), {0, 0, 100, 100, 100});
}

TEST(Aroon, ZeroOrNegativePeriodsFail) {
    const Bars bars{{1, 2, 3}, {1, 2, 3}, {1, 2, 3}};
    EXPECT_TRUE(failedWith(aroon(bars, 0).status, unexpectedIn("Oscillator.Aroon")));
    EXPECT_TRUE(failedWith(aroon(bars, -2).status, unexpectedIn("Oscillator.Aroon")));
}

TEST(TrueRangeFamily, MissingPriceFieldFails) {
    const com::ComPtr<_Database> database = makeDatabase({1, 2, 3});
    const com::ComPtr<_RecordSet> closesOnly = newRecordSet({fieldOf(database.get(), u"Close").get()});
    const com::ComPtr<_Oscillator> oscillator = com::makeComObject<Oscillator>();
    com::ComPtr<_RecordSet> result;
    com::Bstr alias;
    EXPECT_TRUE(failedWith(oscillator->TrueRange(database.get(), closesOnly.get(), &alias, result.put()),
                           unexpectedIn("Oscillator.TrueRange")));
    EXPECT_EQ(result.get(), nullptr);
    EXPECT_TRUE(failedWith(oscillator->Aroon(database.get(), closesOnly.get(), 1, result.put()),
                           unexpectedIn("Oscillator.Aroon")));
}

}  // namespace
}  // namespace indikon::test
