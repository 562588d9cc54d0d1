#include <string>

#include "PriceSet.h"
#include "indicators/Bands.h"
#include "indicators/Oscillator.h"

namespace indikon::test {
namespace {

const ExpectedError kChaosBandsUnexpected = unexpectedIn("Bands.FractalChaosBands");

IndicatorRun bands(const std::vector<double>& highs, const std::vector<double>& lows, com::SHORT* periods) {
    IndicatorRun run;
    run.database = makeDatabase(highs, highs, lows);
    com::ComPtr<_RecordSet> prices;
    run.database->getRecordset(prices.put());
    run.status = com::makeComObject<Bands>()->FractalChaosBands(run.database.get(), prices.get(), periods,
                                                                run.result.put());
    return run;
}

struct BandsCase {
    const char* name;
    std::vector<double> highs;
    std::vector<double> lows;
    com::SHORT periods;
    std::vector<double> upper;
    std::vector<double> lower;
};

TEST(FractalChaosBands, StepToEachFractal) {
    const std::vector<double> wave{3, 4, 6, 4, 3, 5, 7, 6, 6, 2};
    const BandsCase cases[] = {
        // Rising prices hold no fractal: both bands stay 0.
        {"none",
         {1, 2, 3, 4, 5, 6, 7, 8},
         {0, 1, 2, 3, 4, 5, 6, 7},
         2,
         std::vector<double>(8),
         std::vector<double>(8)},
        // A high of 5 at record 3 (marked at 5), then a low of 2 at record 5 (marked at 7).
        {"high then low",
         {1, 2, 5, 5, 3, 4, 4},
         {0, 1, 4, 4, 2, 3, 3},
         2,
         {0, 0, 0, 0, 5, 5, 5},
         {0, 0, 0, 0, 0, 0, 2}},
        // Highs at records 3 and 7, a low at record 5; the period makes no difference here.
        {"wave", wave, minus(wave, 2), 2, {0, 0, 0, 0, 6, 6, 6, 6, 7, 7}, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1}},
        {"wave, 3 records",
         wave,
         minus(wave, 2),
         3,
         {0, 0, 0, 0, 6, 6, 6, 6, 7, 7},
         {0, 0, 0, 0, 0, 0, 1, 1, 1, 1}},
        // An outside record moves the upper band only ...
        {"outside record", {1, 2, 5, 3, 2}, {6, 5, 1, 4, 5}, 2, {0, 0, 0, 0, 5}, {0, 0, 0, 0, 0}},
        // ... unless the upper working value is 0 (an average of 0 and a high of 0), when the low counts.
        {"outside record at 0",
         {-3, -2, 0, -1, -2},
         {-5, -4, -6, -3, -4},
         5,
         {0, 0, 0, 0, 0},
         {0, 0, 0, 0, -6}},
    };
    for (const BandsCase& c : cases) {
        SCOPED_TRACE(c.name);
        com::SHORT periods = c.periods;
        const IndicatorRun run = bands(c.highs, c.lows, &periods);
        ASSERT_EQ(run.status, com::S_OK);
        ASSERT_EQ(fieldCount(run.result.get()), 2);
        com::Bstr first, second;
        run.result->getName(1, &first);
        run.result->getName(2, &second);
        EXPECT_EQ(first.view(), u"Fractal High");
        EXPECT_EQ(second.view(), u"Fractal Low");
        expectValues(run.field(u"Fractal High"), c.upper);
        expectValues(run.field(u"Fractal Low"), c.lower);
        EXPECT_EQ(periods, c.periods);
        EXPECT_EQ(position(run.database.get()), 1);
    }
}

TEST(FractalChaosBands, OutsideRecordDiffersFromTheOscillator) {
    // The oscillator marks the same outside record as a low.
    const com::ComPtr<_Database> database = makeDatabase({1, 2, 5, 3, 2}, {1, 2, 5, 3, 2}, {6, 5, 1, 4, 5});
    com::ComPtr<_RecordSet> prices;
    database->getRecordset(prices.put());
    com::ComPtr<_RecordSet> marks;
    com::SHORT periods = 2;
    ASSERT_EQ(com::makeComObject<Oscillator>()->ChaosFractalOscillator(database.get(), prices.get(), &periods,
                                                                       marks.put()),
              com::S_OK);
    expectValues(onlyFieldOf(marks.get()), {0, 0, 0, 0, -1});
}

TEST(FractalChaosBands, PeriodsBelowOneBecomeHundred) {
    std::vector<double> highs;
    for (int i = 0; i < 120; ++i)
        highs.push_back(50 + (i % 7) * (i % 3));
    const std::vector<double> lows = minus(highs, 4);
    com::SHORT hundred = 100;
    const IndicatorRun expected = bands(highs, lows, &hundred);
    ASSERT_EQ(expected.status, com::S_OK);
    for (com::SHORT given : {0, -1}) {
        com::SHORT periods = given;
        const IndicatorRun run = bands(highs, lows, &periods);
        ASSERT_EQ(run.status, com::S_OK);
        EXPECT_EQ(periods, 100);
        EXPECT_EQ(run.field(u"Fractal High"), expected.field(u"Fractal High"));
        EXPECT_EQ(run.field(u"Fractal Low"), expected.field(u"Fractal Low"));
    }
    EXPECT_NE(expected.field(u"Fractal High"), std::vector<double>(120)) << "the data must hold fractals";
}

TEST(FractalChaosBands, Failures) {
    // The period of 100 that replaces 0 is longer than the records, so its average fails; the caller's
    // variable is replaced all the same.
    com::SHORT periods = 0;
    EXPECT_TRUE(failedWith(bands({1, 2, 5, 5, 3}, {0, 1, 4, 4, 2}, &periods).status, kChaosBandsUnexpected));
    EXPECT_EQ(periods, 100);

    const com::ComPtr<_Database> database = makeDatabase({1, 2, 3, 4, 5});
    com::ComPtr<_RecordSet> highOnly = com::makeComObject<RecordSet>();
    highOnly->addField(fieldOf(database.get(), u"High").get());
    com::ComPtr<_RecordSet> result;
    periods = 2;
    EXPECT_TRUE(failedWith(com::makeComObject<Bands>()->FractalChaosBands(database.get(), highOnly.get(),
                                                                          &periods, result.put()),
                           kChaosBandsUnexpected));
    EXPECT_EQ(result.get(), nullptr);
}

}  // namespace
}  // namespace indikon::test
