#include <cmath>

#include "PriceSet.h"
#include "indicators/MovingAverage.h"
#include "indicators/Oscillator.h"

namespace indikon::test {
namespace {

IndicatorRun priceOscillator(const std::vector<double>& source, int longCycle, int shortCycle, int maType) {
    IndicatorRun run;
    run.database = makeDatabase(source);
    run.status = com::makeComObject<Oscillator>()->PriceOscillator(
        run.database.get(), fieldOf(run.database.get(), u"Close").get(), s(longCycle), s(shortCycle),
        s(maType), &run.alias, run.result.put());
    return run;
}

IndicatorRun macd(const std::vector<double>& closes, int signalPeriods, std::u16string alias = u"") {
    IndicatorRun run;
    run.database = makeDatabase(closes);
    run.alias = com::Bstr(alias);
    com::ComPtr<_RecordSet> prices;
    run.database->getRecordset(prices.put());
    run.status = com::makeComObject<Oscillator>()->MACD(run.database.get(), prices.get(), s(signalPeriods),
                                                        &run.alias, run.result.put());
    return run;
}

IndicatorRun easeOfMovement(const std::vector<Candle>& candles, int periods, int maType) {
    IndicatorRun run;
    run.database = makeDatabase(std::vector<double>(candles.size(), 1));
    const com::ComPtr<_RecordSet> prices = makePriceSet(candles);
    run.status = com::makeComObject<Oscillator>()->EaseOfMovement(
        run.database.get(), prices.get(), s(periods), s(maType), &run.alias, run.result.put());
    return run;
}

IndicatorRun detrended(const std::vector<double>& source, int periods, int maType) {
    IndicatorRun run;
    run.database = makeDatabase(source);
    run.status = com::makeComObject<Oscillator>()->DetrendedPriceOscillator(
        run.database.get(), fieldOf(run.database.get(), u"Close").get(), s(periods), s(maType), &run.alias,
        run.result.put());
    return run;
}

TEST(PriceOscillator, ShortAgainstLongAverage) {
    // Simple averages of 1, 2, 3, 4: over 1 record 3 and 4, over 2 records 2.5 and 3.5.
    const IndicatorRun run = priceOscillator({1, 2, 3, 4}, 2, 1, 1);
    expectValues(run.field(u"PriceOscillator"), {0, 0, 20, 50.0 / 3.5});
    EXPECT_EQ(run.alias.view(), u"PriceOscillator");
    EXPECT_EQ(position(run.database.get()), 1);
}

TEST(PriceOscillator, FirstValueAfterTheLongCycle) {
    std::vector<double> rising;
    for (int i = 1; i <= 14; ++i)
        rising.push_back(i);
    const std::vector<double> values = priceOscillator(rising, 10, 3, 1).field(u"PriceOscillator");
    ASSERT_EQ(values.size(), 14u);
    EXPECT_EQ(values[9], 0) << "record 10";
    EXPECT_NEAR(values[10], (10.0 - 6.5) / 6.5 * 100, 1e-12) << "record 11";
}

TEST(PriceOscillator, CyclesAreCheckedBeforeTheAlias) {
    for (const auto& [longCycle, shortCycle] : {std::pair{5, 5}, std::pair{3, 5}}) {
        const IndicatorRun run = priceOscillator({1, 2, 3, 4, 5, 6}, longCycle, shortCycle, 1);
        EXPECT_TRUE(
            failedWith(run.status, {1015, "PriceOscillator", "ShortCycle must be less than LongCycle"}));
        EXPECT_EQ(run.result.get(), nullptr);
        EXPECT_TRUE(run.alias.isEmpty()) << "the alias keeps its empty value";
    }
}

TEST(PriceOscillator, BadKindOrZeroAverageFails) {
    EXPECT_TRUE(failedWith(priceOscillator({1, 2, 3, 4}, 2, 1, 0).status,
                           unexpectedIn("Oscillator.PriceOscillator")));
    EXPECT_TRUE(failedWith(priceOscillator({1, 2, 3, 4}, 2, 1, 8).status,
                           unexpectedIn("Oscillator.PriceOscillator")));
    EXPECT_TRUE(failedWith(priceOscillator({0, 0, 0, 0}, 2, 1, 1).status,
                           unexpectedIn("Oscillator.PriceOscillator")));
}

TEST(MACD, FilledFromSignalPeriodsPlusOneWithTheSignalBehind) {
    // A flat close of 10: the 12-record average is 10 from record 13, the 26-record one from record 27,
    // so MACD is 10 on records 13..26 and 0 elsewhere. The 9-record signal (factor 0.2) starts from the
    // zeros before record 13: 2 at 13, then 0.8 * previous + 0.2 * MACD.
    const IndicatorRun run = macd(std::vector<double>(40, 10), 9);
    const std::vector<double> line = run.field(u"MACD");
    const std::vector<double> signal = run.field(u"MACDSignal");
    ASSERT_EQ(line.size(), 40u);
    ASSERT_EQ(signal.size(), 40u);
    for (int p = 1; p <= 40; ++p)
        EXPECT_EQ(line[p - 1], p >= 13 && p <= 26 ? 10 : 0) << "record " << p;
    EXPECT_EQ(signal[11], 0);
    EXPECT_NEAR(signal[12], 2, 1e-12);
    EXPECT_NEAR(signal[13], 3.6, 1e-12);
    const double last = 10 * (1 - std::pow(0.8, 14));
    EXPECT_NEAR(signal[25], last, 1e-9) << "record 26";
    EXPECT_NEAR(signal[26], 0.8 * last, 1e-9) << "record 27";
    EXPECT_EQ(run.alias.view(), u"MACD");
    EXPECT_EQ(position(run.database.get()), 1);
}

TEST(MACD, SignalFieldFollowsTheAlias) {
    const IndicatorRun run = macd(std::vector<double>(30, 5), 4, u"M");
    ASSERT_EQ(run.status, com::S_OK);
    ASSERT_EQ(fieldCount(run.result.get()), 2);
    com::Bstr first;
    com::Bstr second;
    run.result->getName(1, &first);
    run.result->getName(2, &second);
    EXPECT_EQ(first.view(), u"M");
    EXPECT_EQ(second.view(), u"MSignal");
}

TEST(MACD, TooFewRecordsForTheLongAverageFail) {
    EXPECT_TRUE(failedWith(macd(std::vector<double>(25, 10), 9).status, unexpectedIn("Oscillator.MACD")));
}

// Record 2: midpoint 9 -> 11 over box ratio 1000 / 2: 40. Record 3 has no range and reuses the ratio:
// midpoint 11 -> 12, 20. Record 4: midpoint unchanged, 0.
const std::vector<Candle> kMoves{
    {9, 10, 8, 9, 0}, {11, 12, 10, 11, 1000}, {12, 12, 12, 12, 500}, {12, 14, 10, 12, 2000}};

TEST(EaseOfMovement, MidpointMoveOverBoxRatioAveraged) {
    const IndicatorRun one = easeOfMovement(kMoves, 1, 1);
    expectValues(one.field(u"EaseOfMovement"), {0, 40, 20, 0});
    EXPECT_EQ(fieldCount(one.result.get()), 1) << "the raw values are not returned";
    EXPECT_EQ(position(one.database.get()), 1);
    expectValues(easeOfMovement(kMoves, 2, 1).field(u"EaseOfMovement"), {0, 0, 30, 10});
}

TEST(EaseOfMovement, NoBoxRatioFails) {
    // A record without range before any box ratio, and a record without volume.
    std::vector<Candle> flatFirst = kMoves;
    flatFirst[1] = {11, 11, 11, 11, 1000};
    EXPECT_TRUE(
        failedWith(easeOfMovement(flatFirst, 1, 1).status, unexpectedIn("Oscillator.EaseOfMovement")));
    std::vector<Candle> noVolume = kMoves;
    noVolume[1].volume = 0;
    EXPECT_TRUE(failedWith(easeOfMovement(noVolume, 1, 1).status, unexpectedIn("Oscillator.EaseOfMovement")));
    EXPECT_TRUE(failedWith(easeOfMovement(kMoves, 1, 0).status, unexpectedIn("Oscillator.EaseOfMovement")));
}

std::vector<double> wandering(int count) {
    std::vector<double> values;
    for (int i = 1; i <= count; ++i)
        values.push_back(i + (i * i) % 17);
    return values;
}

// The variable moving average has values from record 10 on whatever its period, so the record the
// oscillator reaches back to shows in the result.
std::vector<double> variableAverageOf(const std::vector<double>& source) {
    const com::ComPtr<_Database> database = makeDatabase(source);
    com::ComPtr<_RecordSet> result;
    com::Bstr alias(u"V");
    EXPECT_EQ(com::makeComObject<MovingAverage>()->VariableMovingAverage(
                  database.get(), fieldOf(database.get(), u"Close").get(), 1, &alias, result.put()),
              com::S_OK);
    return valuesOf(fieldOf(result.get(), u"V").get());
}

TEST(DetrendedPriceOscillator, ReachesBackHalfThePeriodPlusOne) {
    const std::vector<double> source = wandering(30);
    const std::vector<double> average = variableAverageOf(source);
    const auto expected = [&](int p, int back) { return source[p - 1] - average[back - 1]; };

    // Periods 20: always 11 records back.
    const std::vector<double> even = detrended(source, 20, 4).field(u"DetrendedPriceOscillator");
    ASSERT_EQ(even.size(), 30u);
    EXPECT_EQ(even[19], 0) << "record 20";
    for (int p = 21; p <= 30; ++p)
        EXPECT_DOUBLE_EQ(even[p - 1], expected(p, p - 11)) << "record " << p;

    // Periods 21: p - 11.5 rounds to the even neighbour, 12 back on even records and 11 on odd ones.
    const std::vector<double> odd = detrended(source, 21, 4).field(u"DetrendedPriceOscillator");
    const std::pair<int, int> backs[] = {{22, 10}, {23, 12}, {24, 12}, {25, 14},
                                         {26, 14}, {29, 18}, {30, 18}};
    for (const auto& [p, back] : backs)
        EXPECT_DOUBLE_EQ(odd[p - 1], expected(p, back)) << "record " << p;
}

TEST(DetrendedPriceOscillator, PeriodOneReachesRecordZeroAndFails) {
    const IndicatorRun run = detrended(wandering(5), 1, 1);
    EXPECT_TRUE(failedWith(run.status, unexpectedIn("Oscillator.DetrendedPriceOscillator")));
    EXPECT_EQ(run.alias.view(), u"DetrendedPriceOscillator") << "the alias was set before the failure";
}

}  // namespace
}  // namespace indikon::test
