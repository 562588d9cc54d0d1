#include "TestSupport.h"
#include "indicators/Oscillator.h"

namespace indikon::test {
namespace {

std::vector<double> sar(const std::vector<double>& highs, const std::vector<double>& lows, double minAF,
                        double maxAF, com::Bstr* alias = nullptr) {
    com::ComPtr<_Database> database = makeDatabase(highs, highs, lows);
    com::ComPtr<_RecordSet> result;
    com::Bstr name;
    EXPECT_EQ(com::makeComObject<Oscillator>()->ParabolicSAR(
                  database.get(), fieldOf(database.get(), u"High").get(),
                  fieldOf(database.get(), u"Low").get(), minAF, maxAF, alias ? alias : &name, result.put()),
              com::S_OK);
    if (!result)
        return {};
    EXPECT_EQ(fieldCount(result.get()), 1);
    EXPECT_EQ(position(database.get()), 1);
    com::Bstr resultName;
    result->getName(1, &resultName);
    return valuesOf(fieldOf(result.get(), resultName.text()).get());
}

// The factor each record's stop was stepped with, recovered from a long trend:
// SAR(i) = SAR(i-1) + AF * (H(i-1) - SAR(i-1)) when every high is a new extreme.
std::vector<double> factorsOfRisingTrend(int records, double minAF, double maxAF) {
    std::vector<double> highs;
    std::vector<double> lows;
    for (int i = 1; i <= records; ++i) {
        highs.push_back(100 + i);
        lows.push_back(99 + i);
    }
    const std::vector<double> stops = sar(highs, lows, minAF, maxAF);
    std::vector<double> factors;
    double before = lows[0];
    for (int i = 1; i < records; ++i) {
        factors.push_back((stops[i] - before) / (highs[i - 1] - before));
        before = stops[i];
    }
    return factors;
}

TEST(ParabolicSAR, HandWorkedSeriesWithAReversal) {
    // Equal first moves start long from L(1) = 9; record 5 falls through the stop and reverses to the
    // old extreme high 12; record 6 steps down from there with the factor reset to 0.02.
    const std::vector<double> highs{10, 11, 12, 11.5, 10, 9};
    const std::vector<double> lows{9, 10, 11, 10, 8.5, 8};
    const std::vector<double> expected{0, 9.02, 9.0992, 9.273248, 12, 11.93};
    const std::vector<double> stops = sar(highs, lows, 0.02, 0.2);
    ASSERT_EQ(stops.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(stops[i], expected[i], 1e-12) << "record " << i + 1;
}

// A price that only touches the stop keeps the trend; one that crosses it reverses. Factors of 0.25 and
// 0.5 keep every stop exact in binary, so the touches are exact.
//   start: dH = 2 > dL = 1, long from L(1) = 8; AF 0.25, extreme high 10
//   2: new high 12, AF 0.5;  SAR = 8 + 0.25 (10 - 8) = 8.5
//   3: SAR = 8.5 + 0.5 (12 - 8.5) = 10.25; the low 10.25 touches it: still long
//   4: SAR = 10.25 + 0.5 (12 - 10.25) = 11.125; the low 11 crosses it: short at the old extreme 12,
//      AF 0.25, extreme low 11
//   5: new low 10.5, AF 0.5; SAR = 12 + 0.25 (11 - 12) = 11.75; the high 11.75 touches it: still short
//   6: SAR = 11.75 + 0.5 (10.5 - 11.75) = 11.125; the high 11.25 crosses it: long at the old extreme 10.5
TEST(ParabolicSAR, TouchingTheStopKeepsTheTrendAndCrossingItReverses) {
    const std::vector<double> highs{10, 12, 12, 12, 11.75, 11.25};
    const std::vector<double> lows{8, 9, 10.25, 11, 10.5, 10.5};
    const std::vector<double> expected{0, 8.5, 10.25, 12, 11.75, 10.5};
    EXPECT_EQ(sar(highs, lows, 0.25, 0.5), expected);
}

TEST(ParabolicSAR, StartsShortWhenLowsRiseMoreThanHighs) {
    const std::vector<double> stops = sar({10, 10.5, 10}, {9, 10, 9.5}, 0.02, 0.2);
    // Short from H(1) = 10: record 2 steps to 9.98, its high 10.5 reverses to the extreme low 9, and
    // record 3 steps long from there toward the new extreme 10.5.
    ASSERT_EQ(stops.size(), 3u);
    EXPECT_EQ(stops[0], 0);
    EXPECT_EQ(stops[1], 9);
    EXPECT_NEAR(stops[2], 9.03, 1e-12);
}

TEST(ParabolicSAR, FactorGrowsByWholeStepsUntilItIsNoLongerBelowItsMaximum) {
    const struct {
        double minAF;
        double maxAF;
        double last;
    } cases[] = {{0.02, 0.2, 0.2}, {0.03, 0.1, 0.12}, {0.05, 0.1, 0.1}};
    for (const auto& c : cases) {
        const std::vector<double> factors = factorsOfRisingTrend(40, c.minAF, c.maxAF);
        EXPECT_NEAR(factors.front(), c.minAF, 1e-9);
        for (double factor : factors)
            EXPECT_LE(factor, c.last + 1e-9);
        EXPECT_NEAR(factors.back(), c.last, 1e-9) << c.minAF << " up to " << c.maxAF;
    }
}

// Two records are the fewest with a trend: 0, then 8 + 0.25 (10 - 8). One record has no second to
// start a trend from and fails as unexpected.
TEST(ParabolicSAR, TwoRecordsGiveOneStopAndOneRecordFails) {
    EXPECT_EQ(sar({10, 12}, {8, 9}, 0.25, 0.5), (std::vector<double>{0, 8.5}));
    com::ComPtr<_Database> database = makeDatabase({10}, {10}, {8});
    com::ComPtr<_RecordSet> result;
    com::Bstr alias(u"SAR");
    EXPECT_TRUE(failedWith(
        com::makeComObject<Oscillator>()->ParabolicSAR(database.get(), fieldOf(database.get(), u"High").get(),
                                                       fieldOf(database.get(), u"Low").get(), 0.02, 0.2,
                                                       &alias, result.put()),
        {1105, "Oscillator.ParabolicSAR.UnexpectedError", "An unexpected error has occured"}));
    EXPECT_FALSE(result);
}

TEST(ParabolicSAR, EmptyAliasGetsTheMethodName) {
    com::Bstr alias(u"");
    sar({1, 2, 3}, {0.5, 1.5, 2.5}, 0.02, 0.2, &alias);
    EXPECT_EQ(alias.view(), u"ParabolicSAR");
    com::Bstr own(u"SAR");
    sar({1, 2, 3}, {0.5, 1.5, 2.5}, 0.02, 0.2, &own);
    EXPECT_EQ(own.view(), u"SAR");
}

TEST(ParabolicSAR, ShortInputFieldFailsAsUnexpected) {
    com::ComPtr<_Database> database = makeDatabase({1, 2, 3});
    com::ComPtr<_RecordSet> result;
    EXPECT_TRUE(failedWith(
        com::makeComObject<Oscillator>()->ParabolicSAR(database.get(), fieldOf(database.get(), u"High").get(),
                                                       makeField({1, 2}, u"L").get(), 0.02, 0.2, nullptr,
                                                       result.put()),
        {1105, "Oscillator.ParabolicSAR.UnexpectedError", "An unexpected error has occured"}));
}

}  // namespace
}  // namespace indikon::test
