#include <algorithm>
#include <string>

#include "PriceSet.h"
#include "indicators/LinearRegression.h"
#include "indicators/MovingAverage.h"
#include "indicators/Oscillator.h"

namespace indikon::test {
namespace {

struct OscillatorRun {
    com::HRESULT status = com::E_FAIL;
    com::ComPtr<_RecordSet> result;
    com::Bstr alias;

    std::vector<double> values() const {
        EXPECT_EQ(status, com::S_OK);
        return result ? onlyFieldOf(result.get()) : std::vector<double>{};
    }
};

OscillatorRun rainbow(_Database* database, int levels, int maType) {
    OscillatorRun run;
    com::ComPtr<_RecordSet> prices;
    database->getRecordset(prices.put());
    run.status = com::makeComObject<Oscillator>()->RainbowOscillator(
        database, prices.get(), static_cast<com::SHORT>(levels), static_cast<com::SHORT>(maType), &run.alias,
        run.result.put());
    return run;
}

const std::vector<double> kCloses{1, 2, 4, 7, 11};

TEST(RainbowOscillator, SameAverageAtEveryLevelForTheSimpleKinds) {
    // The simple average over 3 records is 13/3 and 22/3 at records 4 and 5 (0 before); two levels add
    // the same deviation twice, divided by 3 levels.
    const com::ComPtr<_Database> database = makeDatabase(kCloses);
    const OscillatorRun run = rainbow(database.get(), 3, 1);
    expectValues(run.values(), {2.0 / 3, 4.0 / 3, 8.0 / 3, 16.0 / 9, 22.0 / 9});
    EXPECT_EQ(run.alias.view(), u"Rainbow Oscillator");
    EXPECT_EQ(position(database.get()), 1);
    // One level: nothing to sum, and the kind is never used.
    expectValues(rainbow(database.get(), 1, 1).values(), std::vector<double>(5, 0.0));
    expectValues(rainbow(database.get(), 1, 0).values(), std::vector<double>(5, 0.0));
}

TEST(RainbowOscillator, VidyaGrowsWithTheLevel) {
    const com::ComPtr<_Database> database = makeDatabase(kCloses);
    const com::ComPtr<_Field> close = fieldOf(database.get(), u"Close");
    // Deviations from VIDYA over 2 and over 3 records, as the moving-average class computes them.
    std::vector<double> expected(kCloses.size(), 0.0);
    for (int periods : {2, 3}) {
        com::ComPtr<_RecordSet> average;
        com::Bstr alias(u"V");
        ASSERT_EQ(
            com::makeComObject<MovingAverage>()->VIDYA(
                database.get(), close.get(), static_cast<com::SHORT>(periods), 0.65, &alias, average.put()),
            com::S_OK);
        const std::vector<double> vidya = valuesOf(fieldOf(average.get(), u"V").get());
        for (std::size_t i = 0; i < expected.size(); ++i)
            expected[i] += kCloses[i] - vidya[i];
    }
    for (double& value : expected)
        value /= 3;
    expectValues(rainbow(database.get(), 3, 7).values(), expected);
}

TEST(RainbowOscillator, Failures) {
    const com::ComPtr<_Database> database = makeDatabase(kCloses);
    EXPECT_TRUE(
        failedWith(rainbow(database.get(), 0, 1).status, unexpectedIn("Oscillator.RainbowOscillator")));
    EXPECT_TRUE(
        failedWith(rainbow(database.get(), 3, 0).status, unexpectedIn("Oscillator.RainbowOscillator")));
    EXPECT_TRUE(
        failedWith(rainbow(database.get(), 3, 8).status, unexpectedIn("Oscillator.RainbowOscillator")));
}

OscillatorRun linearMomentum(_Database* database, int periods, const std::u16string& alias = u"") {
    OscillatorRun run;
    run.alias = com::Bstr(alias);
    run.status = com::makeComObject<Oscillator>()->LinearMomentumOscillator(
        database, fieldOf(database, u"Close").get(), static_cast<com::SHORT>(periods), &run.alias,
        run.result.put());
    return run;
}

TEST(LinearMomentumOscillator, PerfectFitAndEmptyPositions) {
    // The CMO over 2 records is -100, 0, 100 at records 3..5; any two different values lie on a line.
    const com::ComPtr<_Database> database = makeDatabase({10, 9, 8, 9, 10});
    const OscillatorRun run = linearMomentum(database.get(), 2);
    expectValues(run.values(), {-100, -100, 100, 100, 100});
    EXPECT_EQ(run.alias.view(), u"Linear Momentum Oscillator");
    EXPECT_EQ(position(database.get()), 1);
}

TEST(LinearMomentumOscillator, RescalesTheFitOfTheMomentum) {
    const std::vector<double> closes{10, 11, 10.5, 12, 11, 11.5, 13, 12, 12.5, 14, 13.5, 12};
    const com::ComPtr<_Database> database = makeDatabase(closes);
    com::ComPtr<_RecordSet> momentum;
    com::Bstr momentumName(u"M");
    ASSERT_EQ(com::makeComObject<Oscillator>()->CMO(database.get(), fieldOf(database.get(), u"Close").get(),
                                                    4, &momentumName, momentum.put()),
              com::S_OK);
    com::ComPtr<_RecordSet> fit;
    ASSERT_EQ(com::makeComObject<LinearRegression>()->Regression(
                  database.get(), fieldOf(momentum.get(), u"M").get(), 4, fit.put()),
              com::S_OK);
    std::vector<double> expected = valuesOf(fieldOf(fit.get(), u"RSquared").get());
    for (double& value : expected)
        value = (value - 0.5) * 200;
    ASSERT_GT(*std::max_element(expected.begin(), expected.end()), -50) << "the momentum must have a fit";
    const OscillatorRun run = linearMomentum(database.get(), 4, u"LMO");
    expectValues(run.values(), expected);
    EXPECT_EQ(run.alias.view(), u"LMO");
    // A regression needs two points.
    EXPECT_TRUE(failedWith(linearMomentum(database.get(), 1).status,
                           unexpectedIn("Oscillator.LinearMomentumOscillator")));
}

OscillatorRun chaos(const std::vector<double>& highs, const std::vector<double>& lows, com::SHORT* periods) {
    OscillatorRun run;
    const com::ComPtr<_Database> database = makeDatabase(highs, highs, lows);
    com::ComPtr<_RecordSet> prices;
    database->getRecordset(prices.put());
    run.status = com::makeComObject<Oscillator>()->ChaosFractalOscillator(database.get(), prices.get(),
                                                                          periods, run.result.put());
    return run;
}

struct ChaosCase {
    const char* name;
    std::vector<double> highs;
    std::vector<double> lows;
    std::vector<double> expected;
};

TEST(ChaosFractalOscillator, MarksTwoRecordsAfterTheCentre) {
    const std::vector<double> wave{3, 4, 6, 4, 3, 5, 7, 6, 6, 2};
    const ChaosCase cases[] = {
        // The centre may equal the records after it ...
        {"equal after", {1, 2, 5, 5, 3}, {0, 1, 4, 4, 2}, {0, 0, 0, 0, 1}},
        // ... but must exceed the records before it.
        {"equal before", {5, 2, 5, 1, 1}, {4, 1, 4, 0, 0}, {0, 0, 0, 0, 0}},
        // An outside record, both a fractal high and a fractal low, is marked as a low.
        {"outside record", {1, 2, 5, 3, 2}, {5, 4, 0, 3, 4}, {0, 0, 0, 0, -1}},
        // Highs at records 3 and 7, a low at record 5.
        {"wave", wave, minus(wave, 2), {0, 0, 0, 0, 1, 0, -1, 0, 1, 0}},
        {"too short", {1, 3, 1}, {0, 2, 0}, {0, 0, 0}},
    };
    for (const ChaosCase& c : cases) {
        SCOPED_TRACE(c.name);
        com::SHORT periods = 5;
        const OscillatorRun run = chaos(c.highs, c.lows, &periods);
        expectValues(run.values(), c.expected);
        EXPECT_EQ(periods, 5);
        com::Bstr name;
        ASSERT_NE(run.result.get(), nullptr);
        run.result->getName(1, &name);
        EXPECT_EQ(name.view(), u"Chaos Fractal Oscillator");
    }
}

TEST(ChaosFractalOscillator, PeriodsBelowOneBecomeHundred) {
    const std::vector<double> highs{1, 2, 5, 5, 3};
    const std::vector<double> lows{0, 1, 4, 4, 2};
    for (com::SHORT given : {0, -7}) {
        com::SHORT periods = given;
        expectValues(chaos(highs, lows, &periods).values(), {0, 0, 0, 0, 1});
        EXPECT_EQ(periods, 100) << given;
    }
}

TEST(ChaosFractalOscillator, FailureStillHandsBackThePeriods) {
    const com::ComPtr<_Database> database = makeDatabase({1, 2, 3, 4, 5});
    com::ComPtr<_RecordSet> highOnly = com::makeComObject<RecordSet>();
    highOnly->addField(fieldOf(database.get(), u"High").get());
    com::ComPtr<_RecordSet> result;
    com::SHORT periods = 0;
    EXPECT_TRUE(failedWith(com::makeComObject<Oscillator>()->ChaosFractalOscillator(
                               database.get(), highOnly.get(), &periods, result.put()),
                           unexpectedIn("Oscillator.ChaosFractalOscillator")));
    EXPECT_EQ(periods, 100);
    EXPECT_EQ(result.get(), nullptr);
}

}  // namespace
}  // namespace indikon::test
