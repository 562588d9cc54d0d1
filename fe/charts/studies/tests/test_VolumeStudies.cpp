#include <gtest/gtest.h>

#include "StudyTestSupport.h"
#include "studies/VolumeStudies.h"

namespace dravik {
namespace {

using testing::AllEmpty;
using testing::IsSeeds;
using testing::kE;
using testing::Row;
using testing::RowsMatch;

TEST(PriceVolumeTrend, RunningSumSkipsAZeroPreviousClose) {
    const Row close = {10, 11, kE, 0, 5, 10};
    const Row volume = {100, 200, 50, 300, 400, 100};
    Row out(close.size());
    StudyRange range;
    CalcPriceVolumeTrend(close, volume, out, range);
    // 200 x 1 / 10 = 20; 300 x (0 - 11) / 11 = -300; previous close 0: empty; 100 x (10 - 5) / 5 = 100
    EXPECT_TRUE(RowsMatch(out, {kE, 20, kE, -280, kE, -180}));
    EXPECT_EQ(range.min, -280);
    EXPECT_EQ(range.max, 20);

    range = {};
    CalcPriceVolumeTrend(Row{1, 1e10, 2e10}, Row{1, 1e300, 1}, out = Row(3), range);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, 1}));  // 1e300 x (1e10 - 1) overflows; the sum stays 0
    EXPECT_EQ(range.min, 1);
}

TEST(NegativeVolumeIndex, MovesOnlyWhenTheVolumeFell) {
    const Row close = {10, 11, 0, 6, 9};
    const Row volume = {100, 90, 95, 80, 70};
    Row index(5), average(5);
    StudyRange range;
    CalcNegativeVolumeIndex(close, volume, index, average, 1000.0, 2, range, false);
    // 1000 + 1000 x 1 / 10; volume rose: repeat; previous close 0: empty; 1100 + 1100 x 3 / 6
    EXPECT_TRUE(RowsMatch(index, {1000, 1100, 1100, kE, 1650}));
    EXPECT_TRUE(RowsMatch(average, {kE, 1050, 1100, kE, 1375}));
    EXPECT_EQ(range.min, 1000);
    EXPECT_EQ(range.max, 1650);
}

TEST(PositiveVolumeIndex, ZeroVolumeLeavesTheStateAlone) {
    const Row close = {10, 11, 12, 15, 0, 8};
    const Row volume = {100, 110, 0, 120, 130, 140};
    Row index(6), average(6);
    StudyRange range;
    CalcPositiveVolumeIndex(close, volume, index, average, 1000.0, 2, range, true);
    // The zero volume point is skipped, so the next change is taken from the close of 11:
    // 1100 + 1100 x 4 / 11 = 1500; then 1500 x (0 - 15) / 15 takes it to 0; then the previous close is 0.
    EXPECT_TRUE(RowsMatch(index, {1000, 1100, kE, 1500, 0, kE}));
    EXPECT_TRUE(RowsMatch(average, {1000, 1050, kE, 1300, 750, kE}));
    EXPECT_EQ(range.min, 0);
    EXPECT_EQ(range.max, 1500);

    range = {};
    CalcPositiveVolumeIndex(close, volume, index, average, 1000.0, 0, range, true);
    EXPECT_TRUE(AllEmpty(index) && AllEmpty(average));
    EXPECT_TRUE(IsSeeds(range));
}

TEST(OnBalanceVolume, AddsOnRisesAndTakesOnFalls) {
    const Row close = {10, 11, 11, kE, 9, 12};
    const Row volume = {100, 200, 300, 50, 400, 500};
    Row out(6);
    StudyRange range;
    CalcOnBalanceVolume(close, volume, out, range);
    EXPECT_TRUE(RowsMatch(out, {kE, 200, 200, kE, -200, 300}));
    EXPECT_EQ(range.min, -200);
    EXPECT_EQ(range.max, 300);
}

TEST(AccumulationDistribution, StartsAtZeroAndRepeatsOnFlatBars) {
    const Row high = {10, 12, 12, 14, kE, 15};
    const Row low = {8, 10, 12, 10, 9, 11};
    const Row close = {9, 12, 12, 11, 10, 11};
    const Row volume = {100, 100, 100, 200, 50, 100};
    Row out(6);
    StudyRange range;
    CalcAccumulationDistribution(high, low, close, volume, out, range);
    // 100 x (2 - 0) / 2; high = low: repeat; 200 x (1 - 3) / 4; empty; 100 x (0 - 4) / 4
    EXPECT_TRUE(RowsMatch(out, {0, 100, 100, 0, kE, -100}));
    EXPECT_EQ(range.min, -100);
    EXPECT_EQ(range.max, 100);

    range = {};
    CalcAccumulationDistribution(Row{5, 6}, Row{1, 2}, Row{5, 6}, Row{10, 10}, out = Row(2), range);
    EXPECT_TRUE(RowsMatch(out, {0, 10}));
    EXPECT_EQ(range.min, 0);  // the range starts at 0..0
}

TEST(ChaikinOscillator, DifferenceOfTheAveragesOfTheLine) {
    const Row high = {10, 12, 12, 14, kE, 15};
    const Row low = {8, 10, 12, 10, 9, 11};
    const Row close = {9, 12, 12, 11, 10, 11};
    const Row volume = {100, 100, 100, 200, 50, 100};
    Row out(6);
    StudyRange range;
    // Short average of 1 is the line itself; the long one of 3 weighs new values by a half.
    CalcChaikinOscillator(high, low, close, volume, out, 1, 3, range, true);
    EXPECT_TRUE(RowsMatch(out, {0, 50, 25, -37.5, kE, -68.75}));
    EXPECT_EQ(range.min, -68.75);
    EXPECT_EQ(range.max, 50);

    range = {};
    CalcChaikinOscillator(high, low, close, volume, out, 1, 3, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, 25, -37.5, kE, -68.75}));
    EXPECT_EQ(range.max, 25);  // only the differences
}

TEST(MoneyFlowIndex, FlowsOverTheLastPoints) {
    const Row price = {10, 11, 10.5, kE, 12, 12};  // high = low = close
    const Row volume = {1, 2, 2, 1, 1, 3};
    Row out(6);
    StudyRange range;
    // Flows: none, +22, -21, +12, unchanged. Over three: 100 - 100 / (22/21 + 1), then 34/21, then 12/21.
    CalcMoneyFlowIndex(price, price, price, volume, out, 3, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, 51.16279069767442, kE, 61.81818181818182, 36.36363636363636}));
    EXPECT_NEAR(range.min, 36.36363636363636, 1e-12);

    CalcMoneyFlowIndex(price, price, price, volume, out, 4, range, true);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, 51.16279069767442, kE, 61.81818181818182, 61.81818181818182}));
    CalcMoneyFlowIndex(price, price, price, volume, out, 4, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, kE, 61.81818181818182, 61.81818181818182}));

    // Without a negative flow the index has no value.
    const Row rising = {1, 2, 3, 4};
    CalcMoneyFlowIndex(rising, rising, rising, Row{1, 1, 1, 1}, out = Row(4), 2, range, true);
    EXPECT_TRUE(AllEmpty(out));
}

TEST(VolumeOscillator, RangeStartsFromTheLongAverage) {
    const Row volume = {10, 20, kE, 30, 40, 50};
    Row out(6);
    StudyRange range;
    CalcVolumeOscillator(volume, out, 1, 2, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, 5, kE, 5, 5, 5}));
    EXPECT_EQ(range.min, 5);
    EXPECT_EQ(range.max, 45);  // the long average's last value
}

TEST(VolumeStudies, MissingRowsAndPeriods) {
    Row out(3, 1.0), second(3, 1.0);
    const Row some = {1, 2, 3};
    StudyRange range;
    CalcPriceVolumeTrend(some, {}, out, range);
    EXPECT_TRUE(AllEmpty(out));
    CalcOnBalanceVolume({}, some, out, range);
    EXPECT_TRUE(AllEmpty(out));
    CalcAccumulationDistribution(some, some, some, {}, out, range);
    EXPECT_TRUE(AllEmpty(out));
    CalcNegativeVolumeIndex(some, some, out, second, 1000.0, -3, range, true);
    EXPECT_TRUE(AllEmpty(out) && AllEmpty(second));
    CalcChaikinOscillator(some, some, some, some, out, 0, 10, range, true);
    EXPECT_TRUE(AllEmpty(out));
    CalcMoneyFlowIndex(some, some, some, some, out, 0, range, true);
    EXPECT_TRUE(AllEmpty(out));
    CalcVolumeOscillator(some, out, 5, 0, range, true);
    EXPECT_TRUE(AllEmpty(out));
    EXPECT_TRUE(IsSeeds(range));
}

}  // namespace
}  // namespace dravik
