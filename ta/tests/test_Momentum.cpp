#include "PriceSet.h"
#include "indicators/Oscillator.h"

namespace indikon::test {
namespace {

using SourceMethod = com::HRESULT (_Oscillator::*)(_Database*, _Field*, com::SHORT, com::Bstr*, _RecordSet**);

IndicatorRun oscillate(SourceMethod method, const std::vector<double>& source, int periods) {
    IndicatorRun run;
    run.database = makeDatabase(source);
    const com::ComPtr<_Oscillator> oscillator = com::makeComObject<Oscillator>();
    run.status = (oscillator.get()->*method)(run.database.get(), fieldOf(run.database.get(), u"Close").get(),
                                             static_cast<com::SHORT>(periods), &run.alias, run.result.put());
    return run;
}

IndicatorRun ultimate(const std::vector<double>& highs, const std::vector<double>& lows,
                      const std::vector<double>& closes, int cycle1, int cycle2, int cycle3) {
    IndicatorRun run;
    run.database = makeDatabase(closes, highs, lows);
    com::ComPtr<_RecordSet> prices;
    run.database->getRecordset(prices.put());
    run.status = com::makeComObject<Oscillator>()->UltimateOscillator(
        run.database.get(), prices.get(), static_cast<com::SHORT>(cycle1), static_cast<com::SHORT>(cycle2),
        static_cast<com::SHORT>(cycle3), &run.alias, run.result.put());
    return run;
}

TEST(CMO, HandComputedAndFlatStretchRepeats) {
    // Record 3: up 2, down 1 gives 100/3; record 4: down 1 only, -100; then no change repeats -100.
    expectValues(oscillate(&_Oscillator::CMO, {1, 3, 2, 2, 2, 2}, 2).values(),
                 {0, 0, 100.0 / 3, -100, -100, -100});
    // Flat from the start: nothing to repeat but 0, and no failure.
    expectValues(oscillate(&_Oscillator::CMO, {5, 5, 5, 5}, 2).values(), {0, 0, 0, 0});
    EXPECT_EQ(oscillate(&_Oscillator::CMO, {5, 5, 5, 5}, 2).alias.view(), u"CMO");
}

TEST(MomentumOscillator, FirstValueTwoRecordsAfterTheWindow) {
    expectValues(oscillate(&_Oscillator::Momentum, {10, 20, 10}, 1).values(), {0, 0, 50});
    std::vector<double> flat(14, 7);
    const std::vector<double> values = oscillate(&_Oscillator::Momentum, flat, 10).values();
    ASSERT_EQ(values.size(), 14u);
    EXPECT_EQ(values[10], 0) << "record 11 stays 0";
    EXPECT_EQ(values[11], 100) << "record 12 is the first, and no change is 100";
    EXPECT_EQ(values[13], 100);
}

TEST(MomentumOscillator, ZeroOldValueFails) {
    EXPECT_TRUE(failedWith(oscillate(&_Oscillator::Momentum, {10, 0, 5}, 1).status,
                           unexpectedIn("Oscillator.Momentum")));
}

TEST(TRIX, TripleAverageChange) {
    // With P = 1 every average equals the source from record 2: changes of the source from record 3.
    expectValues(oscillate(&_Oscillator::TRIX, {10, 20, 25, 20}, 1).values(), {0, 0, 25, -20});
    // P = 2: the third average is first non-zero at record 3 (32/27), so the first change is at 4.
    expectValues(oscillate(&_Oscillator::TRIX, {1, 2, 3, 4, 5, 6}, 2).values(),
                 {0, 0, 0, 100, 45.833333333333314, 29.841269841269856});
}

TEST(UltimateOscillator, WeightsFollowTheArgumentOrder) {
    const std::vector<double> highs{10, 11, 12, 11, 13, 14};
    const std::vector<double> lows{9, 9.5, 10, 10, 11, 12};
    const std::vector<double> closes{9.5, 10.5, 11, 10.5, 12.5, 13};
    // Record 4 by hand: pressures 1, 1, 0.5 over ranges 1.5, 2, 1 (records 2..4):
    // (0.5 * 2 + 0.5 * 4 + 2.5 / 4.5) / 7 * 100.
    expectValues(ultimate(highs, lows, closes, 1, 2, 3).values(),
                 {0, 0, 0, 50.79365079365079, 75.21335807050093, 56.7099567099567});
    expectValues(ultimate(highs, lows, closes, 3, 2, 1).values(),
                 {0, 0, 0, 53.17460317460318, 68.2003710575139, 62.55411255411255});
}

TEST(UltimateOscillator, TrueRangeReachesBackToAGapDown) {
    // Record 2 opens below the close of record 1: its true low is its own low 7, its true range runs
    // from the previous close 9.5 down to 7 (2.5), and its buying pressure is 7.5 - 7 = 0.5, so every
    // cycle gives 0.2 and the oscillator 20. Record 3 has no gap: 0.5 over its range 1, so 50.
    expectValues(ultimate({10, 8, 8}, {9, 7, 7}, {9.5, 7.5, 7.5}, 1, 1, 1).values(), {0, 20, 50});
}

TEST(UltimateOscillator, FirstValueAfterTheLongestCycle) {
    std::vector<double> highs;
    std::vector<double> lows;
    std::vector<double> closes;
    for (int i = 0; i < 30; ++i) {
        closes.push_back(100 + (i % 4));
        highs.push_back(closes.back() + 1);
        lows.push_back(closes.back() - 1);
    }
    const std::vector<double> values = ultimate(highs, lows, closes, 7, 14, 28).values();
    ASSERT_EQ(values.size(), 30u);
    EXPECT_EQ(values[27], 0);
    EXPECT_NE(values[28], 0) << "record 29";
    EXPECT_EQ(ultimate(highs, lows, closes, 7, 14, 30).values(), std::vector<double>(30, 0.0));
}

TEST(UltimateOscillator, WindowWithoutRangeFails) {
    const std::vector<double> flat(6, 5);
    EXPECT_TRUE(failedWith(ultimate(flat, flat, flat, 1, 2, 3).status,
                           unexpectedIn("Oscillator.UltimateOscillator")));
}

TEST(VerticalHorizontalFilter, ExtremesComeFromTheWindow) {
    // Windows 4, 3, 6 (range 3 over changes 2 + 1 + 3) and 3, 6, 5 (range 3 over 1 + 3 + 1).
    expectValues(oscillate(&_Oscillator::VerticalHorizontalFilter, {2, 4, 3, 6, 5}, 3).values(),
                 {0, 0, 0, 0.5, 0.6});
    // A negative series: the highest of -1, -3 is -1, not 0 (range 2 over changes 4 + 2).
    expectValues(oscillate(&_Oscillator::VerticalHorizontalFilter, {-5, -1, -3, -2}, 2).values(),
                 {0, 0, 2.0 / 6, 1.0 / 3});
    // Exactly periods + 1 records: the only value is computed from its own window 3, 2 (range 1 over
    // changes 2 + 1), without reading past the last record.
    expectValues(oscillate(&_Oscillator::VerticalHorizontalFilter, {1, 3, 2}, 2).values(), {0, 0, 1.0 / 3});
}

TEST(VerticalHorizontalFilter, WindowWithoutChangeFails) {
    EXPECT_TRUE(failedWith(oscillate(&_Oscillator::VerticalHorizontalFilter, {3, 3, 3, 3}, 2).status,
                           unexpectedIn("Oscillator.VerticalHorizontalFilter")));
}

TEST(MomentumOscillators, WindowsLongerThanTheDataComputeNothing) {
    const std::vector<double> prices{1, 2, 4, 3};
    for (SourceMethod method :
         {&_Oscillator::CMO, &_Oscillator::Momentum, &_Oscillator::VerticalHorizontalFilter}) {
        for (int periods : {4, 5, 100})
            EXPECT_EQ(oscillate(method, prices, periods).values(), std::vector<double>(4, 0.0)) << periods;
    }
    EXPECT_EQ(oscillate(&_Oscillator::TRIX, prices, 4).values(), std::vector<double>(4, 0.0));
    // The averages under TRIX refuse a period beyond the records.
    EXPECT_TRUE(failedWith(oscillate(&_Oscillator::TRIX, prices, 5).status, unexpectedIn("Oscillator.TRIX")));
}

}  // namespace
}  // namespace indikon::test
