#include <gtest/gtest.h>

#include "StudyTestSupport.h"
#include "studies/Oscillators.h"

namespace dravik {
namespace {

using testing::AllEmpty;
using testing::IsSeeds;
using testing::kE;
using testing::Row;
using testing::RowsMatch;

TEST(RateOfChange, DifferenceOverValidPoints) {
    const Row values = {10, 12, kE, 15, 9, 9};
    Row out(6);
    StudyRange range;
    CalcRateOfChange(values, out, 2, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, 5, -3, -6}));
    EXPECT_EQ(range.min, -6);
    EXPECT_EQ(range.max, 5);
    CalcRateOfChange(values, out, 2, range, true);
    EXPECT_TRUE(RowsMatch(out, {0, 2, kE, 5, -3, -6}));

    range = {};
    CalcRateOfChange(Row{10, 12, 14, 16}, out = Row(4), 1, range, false);
    EXPECT_EQ(range.min, 0);  // the range starts at 0..0
    EXPECT_EQ(range.max, 2);

    range = {};
    CalcRateOfChange(Row{5, 5, 5}, out = Row(3), 1, range, true);
    EXPECT_TRUE(RowsMatch(out, {0, 0, 0}));
    EXPECT_TRUE(IsSeeds(range));  // still 0..0: reported as the seeds
}

TEST(RateOfChangePercent, FractionAndZeroBases) {
    Row out(5);
    StudyRange range;
    // A first value of 0 is no base; an earlier value of 0 gives empty; the result is not times 100.
    CalcRateOfChangePercent(Row{0, 4, 5, 6, 8}, out, 3, range, true);
    EXPECT_TRUE(RowsMatch(out, {kE, 0, 0.25, kE, 1}));
    EXPECT_EQ(range.min, 0);
    EXPECT_EQ(range.max, 1);
    CalcRateOfChangePercent(Row{0, 4, 5, kE, 0, 2}, out = Row(6), 1, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, 0.25, kE, -1, kE}));
}

TEST(Momentum, RatioTimesHundredAfterThePeriod) {
    Row out(6);
    StudyRange range;
    CalcMomentum(Row{10, 0, kE, 12, 5, 8}, out, 2, range);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, 120, kE, 200.0 / 3.0}));
    EXPECT_NEAR(range.min, 200.0 / 3.0, 1e-12);
    EXPECT_EQ(range.max, 120);
}

TEST(Rsi, PlainSumsOfTheLastDifferences) {
    const Row values = {10, 12, 11, kE, 13, 13, 10};
    Row out(values.size());
    StudyRange range;
    // Differences +2, -1, +2, 0, -3. Three of them: 100 - 100 / (4/1 + 1) = 80, then 2/1, then 2/3.
    CalcRsi(values, out, 3, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, kE, 80, 200.0 / 3.0, 40}));
    EXPECT_EQ(range.min, 0);  // the range starts at 0..100
    EXPECT_EQ(range.max, 100);
    CalcRsi(values, out, 3, range, true);
    EXPECT_TRUE(RowsMatch(out, {kE, 100, 200.0 / 3.0, kE, 80, 200.0 / 3.0, 40}));

    CalcRsi(Row{7, 7, 7, 7}, out = Row(4), 2, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, 100, 100}));
}

const Row kHigh = {10, 12, 11, kE, 14, 13};
const Row kLow = {8, 9, 7, 5, 10, 12};
const Row kClose = {9, 11, 8, 6, 13, 12};

TEST(Stochastics, PercentKAndItsAverage) {
    Row k(6), d(6);
    StudyRange range;
    CalcStochastics(kHigh, kLow, kClose, k, d, 3, 2, range, false);
    // Windows 0-2: 12/7; 1,2,4: 14/7; 2,4,5: 14/7.
    EXPECT_TRUE(RowsMatch(k, {kE, kE, 20, kE, 600.0 / 7.0, 500.0 / 7.0}));
    EXPECT_TRUE(RowsMatch(d, {kE, kE, kE, kE, (20 + 600.0 / 7.0) / 2, 550.0 / 7.0}));
    EXPECT_EQ(range.min, 0);
    EXPECT_EQ(range.max, 100);
    CalcStochastics(kHigh, kLow, kClose, k, d, 3, 2, range, true);
    EXPECT_TRUE(RowsMatch(k, {50, 75, 20, kE, 600.0 / 7.0, 500.0 / 7.0}));
    EXPECT_TRUE(RowsMatch(d, {50, 62.5, 47.5, kE, (20 + 600.0 / 7.0) / 2, 550.0 / 7.0}));

    const Row flat = {5, 5, 5};
    range = {};
    CalcStochastics(flat, flat, flat, k = Row(3), d = Row(3), 2, 2, range, true);
    EXPECT_TRUE(AllEmpty(k) && AllEmpty(d));
    EXPECT_EQ(range.min, 0);
    EXPECT_EQ(range.max, 100);
}

TEST(WilliamsR, DistanceFromTheHighestHigh) {
    Row out(6);
    StudyRange range;
    CalcWilliamsR(kHigh, kLow, kClose, out, 3, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, -80, kE, -100.0 / 7.0, -200.0 / 7.0}));
    EXPECT_EQ(range.min, -100);
    EXPECT_EQ(range.max, 0);
    CalcWilliamsR(kHigh, kLow, kClose, out, 3, range, true);
    EXPECT_TRUE(RowsMatch(out, {-50, -25, -80, kE, -100.0 / 7.0, -200.0 / 7.0}));
    const Row flat = {5, 5};
    CalcWilliamsR(flat, flat, flat, out = Row(2), 3, range, true);
    EXPECT_TRUE(AllEmpty(out));
}

TEST(CommodityChannelIndex, MeanDeviationOverPointsWithAnAverage) {
    const Row price = {10, 12, 11, kE, 15};  // high = low = close
    Row out(5);
    StudyRange range;
    CalcCommodityChannelIndex(price, price, price, out, 3, range, true);
    // At the last point: average 38/3, mean deviation (2/3 + 5/3 + 7/3) / 3 = 14/9, (7/3) / (14/9 x 0.015)
    EXPECT_TRUE(RowsMatch(out, {0, 66.66666666666667, 0, kE, 100}, 1e-9));
    EXPECT_EQ(range.min, -200);
    EXPECT_EQ(range.max, 200);
    CalcCommodityChannelIndex(price, price, price, out, 3, range, false);
    // Without the lead-in the average starts at the third point: deviations over points 2 and 4 only.
    EXPECT_TRUE(RowsMatch(out, {kE, kE, 0, kE, 77.7777777777778}, 1e-9));
}

TEST(DetrendedPriceOscillator, ValueLessAnEarlierAverage) {
    const Row values = {1, 2, kE, 3, 4, 5, 6, 7, 8};
    Row out(values.size());
    StudyRange range;
    // Four periods: shift 3 valid points.
    CalcDetrendedPriceOscillator(values, out, 4, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, kE, kE, kE, kE, 4.5, 4.5}));
    CalcDetrendedPriceOscillator(values, out, 4, range, true);
    // Lead-in against the first average (1); then against the average 3 valid points back.
    EXPECT_TRUE(RowsMatch(out, {0, 1, kE, 2, 3, 3.5, 4, 4.5, 4.5}));
    EXPECT_EQ(range.min, 0);
    EXPECT_EQ(range.max, 4.5);
}

TEST(Macd, LineSignalAndDivergence) {
    const Row values = {2, 4, 8, kE, 5};
    Row divergence(5), line(5), signal(5);
    StudyRange range;
    CalcMacd(values, divergence, line, signal, 2, 1, 3, range, true);
    EXPECT_TRUE(RowsMatch(line, {0, 1, 2.5, kE, -0.25}));
    EXPECT_TRUE(RowsMatch(signal, {0, 2.0 / 3.0, 17.0 / 9.0, kE, 0.46296296296296297}));
    EXPECT_TRUE(RowsMatch(divergence, {0, 1.0 / 3.0, 0.6111111111111107, kE, -0.712962962962963}));
    EXPECT_NEAR(range.min, -0.712962962962963, 1e-12);
    EXPECT_EQ(range.max, 2.5);
}

TEST(Trix, ChangeOfATripleAverage) {
    const Row values = {10, 12, kE, 9, 15};
    Row trix(5), signal(5);
    StudyRange range;
    CalcTrix(values, trix, signal, 2, 2, range, true);
    EXPECT_TRUE(RowsMatch(trix, {0, 0.5925925925925917, kE, -0.2962962962962976, 1.2839506172839528}, 1e-9));
    EXPECT_TRUE(
        RowsMatch(signal, {0, 0.29629629629629584, kE, 0.14814814814814703, 0.4938271604938276}, 1e-9));
    EXPECT_NEAR(range.min, -0.2962962962962976, 1e-9);
    EXPECT_NEAR(range.max, 1.2839506172839528, 1e-9);
    CalcTrix(values, trix, signal, 1, 2, range, false);
    EXPECT_TRUE(RowsMatch(trix, {kE, 2, kE, -3, 6}));
    EXPECT_TRUE(RowsMatch(signal, {kE, kE, kE, -0.5, 1.5}));
}

TEST(AverageTrueRange, LargestOfTheThreeDistances) {
    const Row high = {10, 12, kE, 15};
    const Row low = {8, 11, 5, 13};
    const Row close = {9, 11.5, 6, 14};
    Row out(4);
    StudyRange range;
    // True ranges 2, |9 - 12| = 3, -, |11.5 - 15| = 3.5.
    CalcAverageTrueRange(high, low, close, out, 2, range, true);
    EXPECT_TRUE(RowsMatch(out, {2, 2.5, kE, 3.25}));
    CalcAverageTrueRange(high, low, close, out, 2, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, 2.5, kE, 3.25}));
}

TEST(EaseOfMovement, PointsWithoutVolumeDoNotMoveThePrevious) {
    const Row high = {10, 12, 13, kE, 14};
    const Row low = {8, 10, 11, 9, 12};
    const Row volume = {1000, 2000, 0, 500, 4000};
    Row out(5), average(5);
    StudyRange range;
    // (11 - 9) x 2 x 10000 / 2000 = 20; then from midpoint 11, not 12: (13 - 11) x 2 x 10000 / 4000 = 10
    CalcEaseOfMovement(high, low, volume, out, average, 1, 2, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, 20, kE, kE, 10}));
    EXPECT_TRUE(RowsMatch(average, {kE, kE, kE, kE, 15}));
    EXPECT_EQ(range.min, 10);
    EXPECT_EQ(range.max, 20);
}

TEST(MassIndex, SumOfTheAverageRatios) {
    const Row high = {10, 12, 12, kE, 15, 14};
    const Row low = {8, 9, 12, 5, 11, 13};
    Row out(6);
    StudyRange range;
    CalcMassIndex(high, low, out, 2, 3, range, true);
    EXPECT_TRUE(RowsMatch(out, {1, 2.111111111111111, 1.8253968253968256, kE, 1.9142857142857141, 2.10625}));
    // With one-point averages each ratio is 1 where the range is not 0.
    CalcMassIndex(Row{3, 4, 4, 6}, Row{1, 2, 4, 5}, out = Row(4), 2, 1, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, 2, kE, 2}));
}

TEST(Performance, PercentFromTheFirstNonZeroValue) {
    Row out(6);
    StudyRange range;
    CalcPerformance(Row{kE, 0, 4, 5, kE, 2}, out, range);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, 0, 25, kE, -50}));
    EXPECT_EQ(range.min, -50);
    EXPECT_EQ(range.max, 25);
}

TEST(VerticalHorizontalFilter, SpreadOverTheSumOfChanges) {
    const Row values = {10, 12, 11, kE, 15, 14};
    Row out(6);
    StudyRange range;
    CalcVerticalHorizontalFilter(values, out, 3, range, true);
    // The oldest value of a window counts its change from the value before it: 4 / (2 + 1 + 4).
    EXPECT_TRUE(RowsMatch(out, {kE, 1, 2.0 / 3.0, kE, 4.0 / 7.0, 4.0 / 6.0}));
    CalcVerticalHorizontalFilter(values, out, 3, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, 2.0 / 3.0, kE, 4.0 / 7.0, 4.0 / 6.0}));
    CalcVerticalHorizontalFilter(Row{3, 3, 3}, out = Row(3), 2, range, true);
    EXPECT_TRUE(AllEmpty(out));
}

TEST(ChaikinVolatility, PercentChangeOfTheAverageRange) {
    const Row high = {3, 5, kE, 4, 7, 1, 4, 6};
    const Row low = {1, 1, 1, 1, 1, 1, 1, 1};  // ranges 2, 4, -, 3, 6, 0, 3, 5
    Row out(8);
    StudyRange range;
    CalcChaikinVolatility(high, low, out, 2, 1, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, 50, 50, -100, -50, kE}));  // the last: earlier average 0
    CalcChaikinVolatility(high, low, out, 2, 1, range, true);
    EXPECT_TRUE(RowsMatch(out, {0, 100, kE, 50, 50, -100, -50, kE}));
}

TEST(Oscillators, ZeroPeriodsAndMissingRowsEmptyEverything) {
    const Row some = {1, 2, 3};
    Row a(3, 1.0), b(3, 1.0), c(3, 1.0);
    StudyRange range;
    CalcRateOfChange(some, a, 0, range, true);
    EXPECT_TRUE(AllEmpty(a));
    CalcRateOfChangePercent(some, a, -2, range, true);
    EXPECT_TRUE(AllEmpty(a));
    CalcMomentum(some, a, 0, range);
    EXPECT_TRUE(AllEmpty(a));
    CalcRsi({}, a, 3, range, true);
    EXPECT_TRUE(AllEmpty(a));
    CalcStochastics(some, some, some, a, b, 0, 3, range, true);
    EXPECT_TRUE(AllEmpty(a) && AllEmpty(b));
    CalcMacd(some, a, b, c, 9, 12, 0, range, true);
    EXPECT_TRUE(AllEmpty(a) && AllEmpty(b) && AllEmpty(c));
    CalcTrix(some, a, b, 3, 0, range, true);
    EXPECT_TRUE(AllEmpty(a) && AllEmpty(b));
    CalcEaseOfMovement(some, some, {}, a, b, 3, 3, range, true);
    EXPECT_TRUE(AllEmpty(a) && AllEmpty(b));
    CalcMassIndex(some, some, a, 0, 9, range, true);
    EXPECT_TRUE(AllEmpty(a));
    CalcPerformance({}, a, range);
    EXPECT_TRUE(AllEmpty(a));
    CalcVerticalHorizontalFilter(some, a, 0, range, true);
    EXPECT_TRUE(AllEmpty(a));
    CalcChaikinVolatility(some, some, a, 10, 0, range, true);
    EXPECT_TRUE(AllEmpty(a));
    CalcCommodityChannelIndex(some, some, some, a, 0, range, true);
    CalcWilliamsR(some, some, some, b, -1, range, true);
    CalcDetrendedPriceOscillator(some, c, 0, range, true);
    EXPECT_TRUE(AllEmpty(a) && AllEmpty(b) && AllEmpty(c));
    CalcAverageTrueRange(some, {}, some, a, 3, range, true);
    EXPECT_TRUE(AllEmpty(a));
    EXPECT_TRUE(IsSeeds(range));
}

}  // namespace
}  // namespace dravik
