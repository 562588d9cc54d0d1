#include <gtest/gtest.h>

#include "StudyTestSupport.h"
#include "studies/MovingAverages.h"

namespace dravik {
namespace {

using testing::AllEmpty;
using testing::IsSeeds;
using testing::kE;
using testing::Row;
using testing::RowsMatch;

TEST(SimpleMovingAverage, EmptyPointsLengthenTheWindow) {
    const Row values = {1, 2, kE, 3, 4, 5};
    Row out(values.size());
    StudyRange range;
    CalcSimpleMovingAverage(values, out, 3, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, 2, 3, 4}));  // (1+2+3)/3 at the third valid point
    EXPECT_EQ(range.min, 2);
    EXPECT_EQ(range.max, 4);

    range = {};
    CalcSimpleMovingAverage(values, out, 3, range, true);
    EXPECT_TRUE(RowsMatch(out, {1, 1.5, kE, 2, 3, 4}));
    EXPECT_EQ(range.min, 1);
}

TEST(SimpleMovingAverage, TenPeriodsOverTwelvePoints) {
    Row values;
    for (int i = 1; i <= 12; ++i)
        values.push_back(i);
    Row out(12);
    StudyRange range;
    CalcSimpleMovingAverage(values, out, 10, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, kE, kE, kE, kE, kE, kE, 5.5, 6.5, 7.5}));
    CalcSimpleMovingAverage(values, out, 10, range, true);
    EXPECT_TRUE(RowsMatch(out, {1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5, 5, 5.5, 6.5, 7.5}));
}

TEST(MovingAverages, ZeroOrNegativePeriodOrMissingInputEmptiesEverything) {
    const Row values = {1, 2, 3, 4};
    for (int periods : {0, -1, -32768}) {
        Row out(4, 7.0), lower(4, 7.0);
        StudyRange range;
        CalcSimpleMovingAverage(values, out, periods, range, true);
        EXPECT_TRUE(AllEmpty(out));
        CalcExponentialMovingAverage(values, out, periods, range, true);
        EXPECT_TRUE(AllEmpty(out));
        CalcTriangularMovingAverage(values, out, periods, range, true);
        EXPECT_TRUE(AllEmpty(out));
        CalcWeightedMovingAverage(values, out, periods, {}, range, true);
        EXPECT_TRUE(AllEmpty(out));
        CalcStandardDeviation(values, out, periods, range, true);
        EXPECT_TRUE(AllEmpty(out));
        CalcBollingerBands(values, out, lower, periods, 2.0, range, true);
        EXPECT_TRUE(AllEmpty(out) && AllEmpty(lower));
        CalcEnvelopes(values, out, lower, periods, 6.0, range, true);
        EXPECT_TRUE(AllEmpty(out) && AllEmpty(lower));
        EXPECT_TRUE(IsSeeds(range)) << periods;
    }
    Row out(4, 7.0);
    StudyRange range;
    CalcSimpleMovingAverage({}, out, 3, range, true);
    EXPECT_TRUE(AllEmpty(out));
    CalcSimpleMovingAverage(Row{1, 2, 3}, out, 3, range, true);  // shorter than the output
    EXPECT_TRUE(AllEmpty(out));
    EXPECT_TRUE(IsSeeds(range));
}

TEST(MovingAverages, NotFiniteInputCountsAsEmpty) {
    const Row values = {1, std::nan(""), 3, INFINITY, 5};
    Row out(values.size());
    StudyRange range;
    CalcSimpleMovingAverage(values, out, 2, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, 2, kE, 4}));

    // A sum that overflows gives an empty point, never an infinity in the row or the range.
    range = {};
    CalcSimpleMovingAverage(Row{1.7e308, 1.7e308}, out = Row(2), 2, range, true);
    EXPECT_TRUE(RowsMatch(out, {1.7e308, kE}));
    EXPECT_EQ(range.max, 1.7e308);
}

TEST(ExponentialMovingAverage, TenPeriodsReachesTheWorkedValue) {
    const Row values = {10, 11, 12, 11, 13, 14, 13, 15, 16, 15, 17, 18};
    Row out(values.size());
    StudyRange range;
    CalcExponentialMovingAverage(values, out, 10, range, false);
    // Weight 2/11 for the new value, starting from the first value.
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, kE, kE, kE, kE, kE, kE, 13.415173167215102, 14.066959864085083,
                                14.782058070615069}));
    EXPECT_NEAR(out[11], 14.78206, 5e-6);
    // The emptied lead-in and the first value count in the range.
    EXPECT_EQ(range.min, 10);
    EXPECT_NEAR(range.max, 14.782058070615069, 1e-12);
}

TEST(ExponentialMovingAverage, LeadInAndRangeOfTheFirstValue) {
    const Row values = {2, kE, 4, 8};  // weight 200 / 4 % = 0.5
    Row out(values.size());
    StudyRange range;
    CalcExponentialMovingAverage(values, out, 3, range, true);
    EXPECT_TRUE(RowsMatch(out, {2, kE, 3, 5.5}));
    EXPECT_EQ(range.min, 3);  // the copied first value is shown but not in the range
    EXPECT_EQ(range.max, 5.5);

    range = {};
    CalcExponentialMovingAverage(values, out, 3, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, 5.5}));
    EXPECT_EQ(range.min, 2);  // hidden, yet in the range
    EXPECT_EQ(range.max, 5.5);

    range = {};
    out.assign(2, 0.0);
    CalcExponentialMovingAverage(Row{5, 3}, out, 1, range, false);
    EXPECT_TRUE(RowsMatch(out, {5, 3}));
    EXPECT_EQ(range.min, 3);
    EXPECT_EQ(range.max, 3);
}

TEST(ExponentialMovingAverage, WeightIsARealQuotient) {
    // Two periods: 200 / 3 = 66.67 %, not 66 % from an integer division (which would give 1.98).
    Row out(2);
    StudyRange range;
    CalcExponentialMovingAverage(Row{0, 3}, out, 2, range, true);
    EXPECT_NEAR(out[1], 2.0, 1e-12);
}

TEST(ExponentialSmooth, LeadingEmptyPointsStayEmpty) {
    Row out(4);
    StudyRange range;
    ExponentialSmooth(Row{kE, kE, 4, 8}, out, 1, 25.0, range, true);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, 4, 5}));  // 0.25 x 8 + 0.75 x 4
}

TEST(TriangularMovingAverage, HalvesRoundUpThenDown) {
    const Row values = {1, 2, 3, 4, 5, 6, 7};
    Row out(values.size());
    StudyRange range;
    // Five periods: an average of 3 (rounded up), then of 5 / 2 + 1 = 3.
    CalcTriangularMovingAverage(values, out, 5, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, kE, 3, 4, 5}));
    EXPECT_EQ(range.min, 3);
    // Four periods: 2, then 3.
    range = {};
    CalcTriangularMovingAverage(values, out, 4, range, true);
    EXPECT_TRUE(RowsMatch(out, {1, 1.25, 5.0 / 3.0, 2.5, 3.5, 4.5, 5.5}));
    EXPECT_EQ(range.min, 1);
    EXPECT_EQ(range.max, 5.5);
}

TEST(WeightedMovingAverage, LinearAndTableWeights) {
    const Row values = {1, 2, kE, 4, 8};
    Row out(values.size());
    StudyRange range;
    CalcWeightedMovingAverage(values, out, 3, {}, range, false);
    // (3 x 4 + 2 x 2 + 1 x 1) / 6 and (3 x 8 + 2 x 4 + 1 x 2) / 6
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, 17.0 / 6.0, 34.0 / 6.0}));
    CalcWeightedMovingAverage(values, out, 3, {}, range, true);
    EXPECT_TRUE(RowsMatch(out, {1, 1.5, kE, 17.0 / 6.0, 34.0 / 6.0}));

    const std::int16_t currentOnly[] = {0, 0, 1};
    CalcWeightedMovingAverage(values, out, 3, currentOnly, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, 4, 8}));

    const std::int16_t zeroSum[] = {1, -1, 0};
    range = {};
    CalcWeightedMovingAverage(values, out, 3, zeroSum, range, false);
    EXPECT_TRUE(AllEmpty(out));
    EXPECT_TRUE(IsSeeds(range));

    const std::int16_t shortTable[] = {5};  // weights 5, 2, 3: the missing ones stay linear
    CalcWeightedMovingAverage(values, out, 3, shortTable, range, false);
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, (3 * 4 + 2 * 2 + 5 * 1) / 10.0, (3 * 8 + 2 * 4 + 5 * 2) / 10.0}));
}

TEST(StandardDeviation, PopulationDeviationAboutTheCurrentAverage) {
    const Row values = {2, 4, kE, 6, 9};
    Row out(values.size());
    StudyRange range;
    CalcStandardDeviation(values, out, 3, range, false);
    // sqrt(8 / 3) about 4; sqrt(((4 - 19/3)^2 + (6 - 19/3)^2 + (9 - 19/3)^2) / 3); not divided by n - 1
    EXPECT_TRUE(RowsMatch(out, {kE, kE, kE, 1.632993161855452, 2.0548046676563256}));
    CalcStandardDeviation(values, out, 3, range, true);
    EXPECT_TRUE(RowsMatch(out, {0, 1, kE, 1.632993161855452, 2.0548046676563256}));
    EXPECT_EQ(range.min, 0);

    const Row average = {10, 10, 10, 10, 10};
    CalcStandardDeviation(values, out, 2, range, false, average);
    EXPECT_TRUE(RowsMatch(
        out, {kE, std::sqrt((64 + 36) / 2.0), kE, std::sqrt((36 + 16) / 2.0), std::sqrt((16 + 1) / 2.0)}));
}

TEST(BollingerBands, BandsAroundTheAverage) {
    const Row values = {2, 4, kE, 6, 9};
    Row upper(values.size()), lower(values.size());
    StudyRange range;
    CalcBollingerBands(values, upper, lower, 3, 2.0, range, false);
    EXPECT_TRUE(RowsMatch(upper, {kE, kE, kE, 7.265986323710904, 10.442942668645983}));
    EXPECT_TRUE(RowsMatch(lower, {kE, kE, kE, 0.7340136762890959, 2.2237239980206818}));
    EXPECT_NEAR(range.min, 0.7340136762890959, 1e-12);
    EXPECT_NEAR(range.max, 10.442942668645983, 1e-12);

    CalcBollingerBands(values, upper, lower, 3, 2.0, range, true);
    EXPECT_TRUE(RowsMatch(upper, {2, 5, kE, 7.265986323710904, 10.442942668645983}));
    EXPECT_TRUE(RowsMatch(lower, {2, 1, kE, 0.7340136762890959, 2.2237239980206818}));
}

TEST(Envelopes, PercentAroundTheExponentialAverage) {
    const Row values = {2, kE, 4, 8};
    Row upper(values.size()), lower(values.size());
    StudyRange range;
    CalcEnvelopes(values, upper, lower, 3, 10.0, range, true);
    EXPECT_TRUE(RowsMatch(upper, {2.2, kE, 3.3, 6.05}));
    EXPECT_TRUE(RowsMatch(lower, {1.8, kE, 2.7, 4.95}));
    EXPECT_NEAR(range.min, 1.8, 1e-12);
    EXPECT_NEAR(range.max, 6.05, 1e-12);
}

}  // namespace
}  // namespace dravik
