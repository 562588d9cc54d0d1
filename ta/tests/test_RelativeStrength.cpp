#include "PriceSet.h"
#include "indicators/Index.h"

namespace indikon::test {
namespace {

struct IndexRun {
    explicit IndexRun(com::ComPtr<_Database> db) : database(std::move(db)) {}

    com::ComPtr<_Database> database;
    com::ComPtr<_RecordSet> result;
    com::HRESULT status = com::E_FAIL;
    com::Bstr alias{u""};

    std::vector<double> values() const {
        com::Bstr name;
        result->getName(1, &name);
        return valuesOf(fieldOf(result.get(), name.text()).get());
    }
};

IndexRun rsi(const std::vector<double>& closes, int periods) {
    IndexRun run(makeDatabase(closes));
    run.status = com::makeComObject<Index>()->RelativeStrengthIndex(
        run.database.get(), fieldOf(run.database.get(), u"Close").get(), static_cast<com::SHORT>(periods),
        &run.alias, run.result.put());
    return run;
}

TEST(RelativeStrengthIndex, HandComputedSeries) {
    // Changes +1, -0.5, +1, -0.5, +1 with P = 3. Seed at 4: AU = 2/3, AD = 1/6.
    // Record 5: AU = 4/9, AD = 5/18, RS = 1.6; record 6: AU = 17/27, AD = 5/27, RS = 3.4.
    const IndexRun run = rsi({10, 11, 10.5, 11.5, 11, 12}, 3);
    ASSERT_EQ(run.status, com::S_OK);
    expectValues(run.values(), {0, 0, 0, 0, 100 - 100 / 2.6, 100 - 100 / 4.4});
    EXPECT_EQ(fieldCount(run.result.get()), 1) << "the AU and AD work fields are not returned";
    EXPECT_EQ(run.alias.view(), u"RelativeStrengthIndex");
    EXPECT_EQ(position(run.database.get()), 1);
}

TEST(RelativeStrengthIndex, RisingIsHundredAndFlatIsZero) {
    expectValues(rsi({1, 2, 3, 4, 5, 6}, 2).values(), {0, 0, 0, 100, 100, 100});
    expectValues(rsi({5, 5, 5, 5, 5}, 2).values(), {0, 0, 0, 0, 0});
    expectValues(rsi({6, 5, 4, 3}, 1).values(), {0, 0, 0, 0});
}

TEST(RelativeStrengthIndex, PeriodsNearTheRecordCount) {
    // P = n - 2: only record n gets a value (seed AU = AD = 0.5, then AU = 0.75, AD = 0.25, RS = 3);
    // P = n - 1: none does.
    expectValues(rsi({1, 2, 1, 2}, 2).values(), {0, 0, 0, 75});
    expectValues(rsi({1, 2, 1, 2}, 3).values(), {0, 0, 0, 0});
}

TEST(RelativeStrengthIndex, ValidationAndFailuresAsTheyAre) {
    const std::vector<double> closes{1, 2, 3, 4};
    EXPECT_TRUE(failedWith(rsi(closes, 0).status, {1101, "Index.RelativeStrengthIndex", "Invalid Periods"}));
    EXPECT_TRUE(failedWith(rsi(closes, 5).status, {1101, "Index.RelativeStrengthIndex", "Invalid Periods"}));
    EXPECT_TRUE(failedWith(rsi(closes, -1).status, {1101, "Index.RelativeStrengthIndex", "Invalid Periods"}));
    // P = n passes the check and then reads one record past the end; no handler replaces that error.
    EXPECT_TRUE(failedWith(rsi(closes, 4).status, {1105, "Field.getValue.ArrayOutOfBounds",
                                                   "An unexpected out of bounds error has occured"}));
}

TEST(RelativeStrengthIndex, LargestRecordCountRunsToTheLastRecord) {
    std::vector<double> closes;
    for (int i = 0; i < 32767; ++i)
        closes.push_back(100 + (i % 7) - (i % 3));
    const IndexRun run = rsi(closes, 32765);
    ASSERT_EQ(run.status, com::S_OK);
    EXPECT_GT(run.values().back(), 0);
}

TEST(ComparativeRelativeStrength, RatioAtEveryRecord) {
    IndexRun run(makeDatabase({2, 4, 6}));
    ASSERT_EQ(com::makeComObject<Index>()->ComparativeRelativeStrength(
                  run.database.get(), fieldOf(run.database.get(), u"Close").get(),
                  makeField({1, 8, 6}, u"Other").get(), &run.alias, run.result.put()),
              com::S_OK);
    expectValues(run.values(), {2, 0.5, 1});
    EXPECT_EQ(run.alias.view(), u"ComparativeRelativeStrength");
}

TEST(Performance, PercentFromTheFirstRecord) {
    IndexRun run(makeDatabase({50, 55, 45, 50}));
    ASSERT_EQ(
        com::makeComObject<Index>()->Performance(
            run.database.get(), fieldOf(run.database.get(), u"Close").get(), &run.alias, run.result.put()),
        com::S_OK);
    expectValues(run.values(), {0, 10, -10, 0});
    EXPECT_EQ(run.alias.view(), u"Performance");
}

}  // namespace
}  // namespace indikon::test
