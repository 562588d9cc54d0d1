#include <cmath>

#include "PriceSet.h"
#include "indicators/General.h"

namespace indikon::test {
namespace {

using FieldMethod = com::HRESULT (_General::*)(_Database*, _Field*, com::SHORT, com::Bstr*, _RecordSet**);
using PriceMethod = com::HRESULT (_General::*)(_Database*, _RecordSet*, com::Bstr*, _RecordSet**);

IndicatorRun onField(FieldMethod method, const std::vector<double>& values, int periods) {
    IndicatorRun run;
    run.database = makeDatabase(values);
    const com::ComPtr<_General> general = com::makeComObject<General>();
    run.status = (general.get()->*method)(run.database.get(), fieldOf(run.database.get(), u"Close").get(),
                                          static_cast<com::SHORT>(periods), &run.alias, run.result.put());
    return run;
}

IndicatorRun onPrices(PriceMethod method, _RecordSet* prices, com::ComPtr<_Database> database) {
    IndicatorRun run;
    run.database = std::move(database);
    const com::ComPtr<_General> general = com::makeComObject<General>();
    run.status = (general.get()->*method)(run.database.get(), prices, &run.alias, run.result.put());
    return run;
}

IndicatorRun deviation(const std::vector<double>& values, int periods, int deviations, int maType) {
    IndicatorRun run;
    run.database = makeDatabase(values);
    run.status = com::makeComObject<General>()->StandardDeviation(
        run.database.get(), fieldOf(run.database.get(), u"Close").get(), static_cast<com::SHORT>(periods),
        static_cast<com::SHORT>(deviations), static_cast<com::SHORT>(maType), &run.alias, run.result.put());
    return run;
}

TEST(General, RollingExtremesOverPeriodsPlusOneRecords) {
    expectNear(onField(&_General::HHV, {1, 5, 2, 3, 4}, 2).values(), {0, 0, 5, 5, 4});
    expectNear(onField(&_General::LLV, {1, 5, 2, 3, 4}, 2).values(), {0, 0, 1, 2, 2});
    expectNear(onField(&_General::HHV, {-3, -2, -4}, 0).values(), {-3, -2, -4});
    EXPECT_EQ(onField(&_General::LLV, {1, 2}, 1).alias.view(), u"LLV");
    EXPECT_TRUE(failedWith(onField(&_General::HHV, {1, 2, 3}, 4).status,
                           {1105, "General.HHV.UnexpectedError", kUnexpected}));
    EXPECT_TRUE(failedWith(onField(&_General::LLV, {1, 2, 3}, -1).status,
                           {1105, "General.LLV.UnexpectedError", kUnexpected}));
}

TEST(General, DailyPrices) {
    const com::ComPtr<_Database> database = makeDatabase({11, 5}, {12, 6}, {8, 3});
    com::ComPtr<_RecordSet> prices;
    database->getRecordset(prices.put());
    const struct {
        PriceMethod method;
        const char16_t* name;
        std::vector<double> expected;
    } cases[] = {
        {&_General::HighMinusLow, u"HighMinusLow", {4, 3}},
        {&_General::MedianPrice, u"MedianPrice", {10, 4.5}},
        {&_General::TypicalPrice, u"TypicalPrice", {31.0 / 3, 14.0 / 3}},
        {&_General::WeightedClose, u"WeightedClose", {10.5, 4.75}},
    };
    for (const auto& c : cases) {
        const IndicatorRun run = onPrices(c.method, prices.get(), database);
        expectNear(run.values(), c.expected);
        EXPECT_EQ(run.alias.view(), c.name);
    }
}

TEST(General, DailyPriceWithoutItsFieldsFails) {
    const com::ComPtr<_Database> database = makeDatabase({1, 2});
    com::ComPtr<_RecordSet> prices;
    database->getRecordset(prices.put());
    prices->removeField(com::Bstr(u"High"));
    EXPECT_TRUE(failedWith(onPrices(&_General::HighMinusLow, prices.get(), database).status,
                           {1105, "General.HighMinusLow.UnexpectedError", kUnexpected}));
    EXPECT_TRUE(failedWith(onPrices(&_General::WeightedClose, prices.get(), database).status,
                           {1105, "General.WeightedClose.UnexpectedError", kUnexpected}));
}

TEST(General, RatesOfChange) {
    // The zero old volume repeats the change before it.
    expectNear(onField(&_General::VolumeROC, {100, 0, 50}, 1).values(), {0, -100, -100});
    expectNear(onField(&_General::VolumeROC, {0, 40, 50, 20}, 2).values(), {0, 0, 0, -50});
    expectNear(onField(&_General::PriceROC, {10, 12, 9}, 1).values(), {0, 20, -25});
    EXPECT_TRUE(failedWith(onField(&_General::PriceROC, {10, 0, 5}, 1).status,
                           {1105, "General.PriceROC.UnexpectedError", kUnexpected}));
}

TEST(General, CorrelationAnalysis) {
    const com::ComPtr<_Field> series = makeField({1, 2, 3}, u"S");
    double result = 0;
    ASSERT_EQ(com::makeComObject<General>()->CorrelationAnalysis(series.get(), series.get(), &result),
              com::S_OK);
    EXPECT_EQ(result, -1);  // 1 - (1 + 1) / 1
    ASSERT_EQ(com::makeComObject<General>()->CorrelationAnalysis(
                  makeField({1, 3, 2, 2}, u"A").get(), makeField({5, 4, 6, 9}, u"B").get(), &result),
              com::S_OK);
    EXPECT_EQ(result, 1 - (2 * 1 + 1 * 2 + 0 * 3) / 2.0);
    const com::ComPtr<_Field> two = makeField({1, 2}, u"T");
    EXPECT_TRUE(failedWith(com::makeComObject<General>()->CorrelationAnalysis(two.get(), two.get(), &result),
                           {1105, "General.CorrelationAnalysis.UnexpectedError", kUnexpected}));
}

TEST(General, StandardDeviation) {
    // Temp(3) = 2.5; deviations 0.5 and -0.5: 2 * sqrt(0.5 / 2) = 1.
    const IndicatorRun run = deviation({1, 2, 3}, 2, 2, 1);
    expectNear(run.values(), {0, 0, 1});
    EXPECT_EQ(run.alias.view(), u"StandardDeviation");
    // Around the weighted average 8/3 at record 3: (1/9 + 4/9) / 2, one deviation.
    expectNear(deviation({1, 2, 3}, 2, 1, 6).values(), {0, 0, std::sqrt(5.0 / 18)});
}

TEST(General, StandardDeviationErrors) {
    const ExpectedError averageError{1102, "General.StandardDeviation.MAError",
                                     "Error calculating moving average"};
    EXPECT_TRUE(failedWith(deviation({1, 2, 3}, 0, 2, 1).status, averageError));
    EXPECT_TRUE(failedWith(deviation({1, 2, 3}, 4, 2, 5).status, averageError));
    const ExpectedError unexpected{1105, "General.StandardDeviation.UnexpectedError", kUnexpected};
    for (int kind : {0, 8})
        EXPECT_TRUE(failedWith(deviation({1, 2, 3}, 2, 2, kind).status, unexpected)) << kind;
    // The variable average ignores the period, so a period of 0 gets as far as the deviation itself.
    EXPECT_TRUE(failedWith(deviation({1, 2, 3}, 0, 2, 4).status, unexpected));
}

struct Extreme {
    com::HRESULT status;
    com::SHORT period = -1;
    double value = -1;
};

Extreme extreme(bool greatest, const std::vector<double>& values, int start, int end) {
    const com::ComPtr<_Field> source = makeField(values, u"S");
    const com::ComPtr<_General> general = com::makeComObject<General>();
    com::ComPtr<_Note> note;
    const com::HRESULT status = greatest ? general->MaxValue(source.get(), static_cast<com::SHORT>(start),
                                                             static_cast<com::SHORT>(end), note.put())
                                         : general->MinValue(source.get(), static_cast<com::SHORT>(start),
                                                             static_cast<com::SHORT>(end), note.put());
    Extreme found{status};
    if (note) {
        note->getPeriod(&found.period);
        note->getValue(&found.value);
    }
    return found;
}

TEST(General, MaxAndMinValueNotes) {
    const struct {
        bool greatest;
        std::vector<double> values;
        int start;
        int end;
        com::SHORT period;
        double value;
    } cases[] = {
        {true, {-3, -1, -2}, 1, 3, 2, -1}, {true, {1, 5, 5, 2}, 1, 4, 2, 5},  // the first of equal highs
        {true, {9, 1, 4, 3}, 2, 4, 3, 4},  {false, {4, 1, 1, 3}, 1, 4, 2, 1}, {false, {4, 7, 6}, 2, 2, 2, 7},
    };
    for (const auto& c : cases) {
        const Extreme found = extreme(c.greatest, c.values, c.start, c.end);
        ASSERT_EQ(found.status, com::S_OK);
        EXPECT_EQ(found.period, c.period);
        EXPECT_EQ(found.value, c.value);
    }
}

TEST(General, MaxAndMinValueRanges) {
    EXPECT_TRUE(failedWith(extreme(true, {1, 2, 3}, 3, 2).status, {1010, "MaxValue", "Invalid period"}));
    EXPECT_TRUE(failedWith(extreme(false, {1, 2, 3}, 3, 2).status, {1010, "MinValue", "Invalid period"}));
    EXPECT_TRUE(failedWith(extreme(true, {1, 2, 3}, 2, 4).status,
                           {1105, "General.MaxValue.UnexpectedError", kUnexpected}));
    EXPECT_TRUE(failedWith(extreme(false, {1, 2, 3}, 0, 2).status,
                           {1105, "General.MinValue.UnexpectedError", kUnexpected}));
}

}  // namespace
}  // namespace indikon::test
