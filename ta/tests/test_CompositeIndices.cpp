#include <cmath>

#include "PriceSet.h"
#include "indicators/Index.h"

namespace indikon::test {
namespace {

struct Call {
    com::HRESULT status = com::E_FAIL;
    com::ComPtr<_RecordSet> result;
    com::SHORT position = 0;
};

// Calls `method` with a database of the candles' length as the cursor and the candles as OHLCV.
template <typename Method>
Call runOn(const std::vector<Candle>& candles, Method&& method) {
    const com::ComPtr<_Database> database = makeDatabase(std::vector<double>(candles.size(), 1.0));
    const com::ComPtr<_RecordSet> prices = makePriceSet(candles);
    Call run;
    run.status = method(*com::makeComObject<Index>(), database.get(), prices.get(), run.result.put());
    run.position = position(database.get());
    return run;
}

// ---- mass index

// Every record ranges over 2: the single average is 2 from record 10 on, the double one starts from
// 0 at record 9 and climbs as 2 (1 - 0.8^(p - 9)), so the ratio at record p is 1 / (1 - 0.8^(p - 9)).
const std::vector<Candle> kSteadyRange(20, Candle{10, 11, 9, 10});

double ratioAt(int p) {
    return 1 / (1 - std::pow(0.8, p - 9));
}

double ratioSum(int first, int last) {
    double sum = 0;
    for (int p = first; p <= last; ++p)
        sum += ratioAt(p);
    return sum;
}

Call massIndex(const std::vector<Candle>& candles, com::SHORT periods, com::Bstr* alias) {
    return runOn(candles, [&](_Index& index, _Database* d, _RecordSet* p, _RecordSet** r) {
        return index.MassIndex(d, p, periods, alias, r);
    });
}

TEST(MassIndex, SumsTheRatioOfTheAveragesFromTwicePeriods) {
    com::Bstr alias(u"");
    const Call run = massIndex(kSteadyRange, 9, &alias);
    ASSERT_EQ(run.status, com::S_OK);
    EXPECT_EQ(alias.view(), u"MassIndex");
    std::vector<double> expected(20, 0.0);
    for (int q = 18; q <= 20; ++q)
        expected[q - 1] = ratioSum(q - 8, q);
    expectValues(onlyFieldOf(run.result.get()), expected);
    EXPECT_EQ(run.position, 1);
}

TEST(MassIndex, PeriodsAboveHalfTheRecordsComputeNothing) {
    com::Bstr alias(u"MI");
    const Call run = massIndex(kSteadyRange, 11, &alias);
    ASSERT_EQ(run.status, com::S_OK);
    EXPECT_EQ(alias.view(), u"MI");
    expectValues(onlyFieldOf(run.result.get()), std::vector<double>(20, 0.0));
    // Ten periods: one value, at record 20.
    std::vector<double> expected(20, 0.0);
    expected[19] = ratioSum(11, 20);
    expectValues(onlyFieldOf(massIndex(kSteadyRange, 10, &alias).result.get()), expected);
}

TEST(MassIndex, PeriodsAreCheckedAgainstTheRecordCount) {
    for (com::SHORT periods : {0, -1, 21}) {
        SCOPED_TRACE(periods);
        com::Bstr alias(u"");
        const Call run = massIndex(kSteadyRange, periods, &alias);
        EXPECT_TRUE(failedWith(run.status, {1101, "Index.MassIndex", "Invalid Periods"}));
        EXPECT_EQ(run.result, nullptr);
    }
}

TEST(MassIndex, AWindowOverTheUnsetDoubleAverageFails) {
    // Five periods: the first window, records 6..10, divides by the double average's leading zeros.
    com::Bstr alias(u"");
    EXPECT_TRUE(failedWith(massIndex(kSteadyRange, 5, &alias).status,
                           {1105, "Index.MassIndex.UnexpectedError", kUnexpected}));
}

// ---- stochastic momentum index

// Ranges over three records (KPeriods 3): record 3 closes at the midpoint of 8..12, record 4 one above
// the midpoint of 9..13, record 5 1.5 above that of 9..14.
const std::vector<Candle> kMomentum{
    {9, 10, 8, 9}, {11, 12, 9, 11}, {10, 11, 9, 10}, {12, 13, 10, 12}, {13, 14, 12, 13}};

struct SmiArguments {
    com::SHORT kPeriods = 3, kSmooth = 1, kDoubleSmooth = 1, dPeriods = 1, maType = 1, pctDMAType = 1;
};

Call smi(const std::vector<Candle>& candles, const SmiArguments& a) {
    return runOn(candles, [&](_Index& index, _Database* d, _RecordSet* p, _RecordSet** r) {
        return index.StochasticMomentumIndex(d, p, a.kPeriods, a.kSmooth, a.kDoubleSmooth, a.dPeriods,
                                             a.maType, a.pctDMAType, r);
    });
}

std::vector<double> fieldValues(_RecordSet* records, com::SHORT index) {
    com::Bstr name;
    EXPECT_EQ(records->getName(index, &name), com::S_OK);
    return valuesOf(fieldOf(records, name.text()).get());
}

TEST(StochasticMomentumIndex, RawValuesStartAtKPeriods) {
    const Call run = smi(kMomentum, {});
    ASSERT_EQ(run.status, com::S_OK);
    ASSERT_EQ(fieldCount(run.result.get()), 2);
    com::Bstr name;
    run.result->getName(1, &name);
    EXPECT_EQ(name.view(), u"%K");
    expectValues(fieldValues(run.result.get(), 1), {0, 0, 0, 50, 60});
    EXPECT_EQ(run.position, 1);

    // Without a %D average the second field was never initialised: no name and no records.
    run.result->getName(2, &name);
    EXPECT_TRUE(name.isEmpty());
    com::SHORT count = -1;
    com::ComPtr<_Field> percentD;
    ASSERT_EQ(run.result->getField(name, percentD.put()), com::S_OK);
    EXPECT_EQ(percentD->getRecordCount(&count), com::S_OK);
    EXPECT_EQ(count, 0);
}

TEST(StochasticMomentumIndex, SmoothsBothTermsAndAveragesPercentD) {
    // Before record 3 the range is 0 and the distance is the close itself (9, 11), which the smoothing
    // carries into record 3. Simple averages of 2: distance 5.5, 0.5, 1.25 over range 2, 4, 4.5.
    SmiArguments once;
    once.kSmooth = 2;
    once.dPeriods = 2;
    const Call run = smi(kMomentum, once);
    ASSERT_EQ(run.status, com::S_OK);
    expectValues(fieldValues(run.result.get(), 1), {0, 0, 550, 25, 100 * 1.25 / 2.25});
    com::Bstr name;
    run.result->getName(2, &name);
    EXPECT_EQ(name.view(), u"%D");
    expectValues(fieldValues(run.result.get(), 2), {0, 0, 275, 287.5, (25 + 100 * 1.25 / 2.25) / 2});

    // A second pass of 2: distance 2.75, 3, 0.875 over range 1, 3, 4.25.
    SmiArguments twice = once;
    twice.kDoubleSmooth = 2;
    twice.dPeriods = 1;
    expectValues(fieldValues(smi(kMomentum, twice).result.get(), 1), {0, 0, 550, 200, 100 * 0.875 / 2.125});
}

TEST(StochasticMomentumIndex, FailuresAreUnexpectedErrors) {
    SmiArguments badKind;
    badKind.kSmooth = 2;
    badKind.maType = 8;
    SmiArguments badDKind;
    badDKind.dPeriods = 3;
    badDKind.pctDMAType = 0;
    SmiArguments noWindow;
    noWindow.kPeriods = 0;
    const struct {
        const char* name;
        std::vector<Candle> candles;
        SmiArguments arguments;
    } cases[] = {
        {"flat market", flatCandles({5, 5, 5, 5}), {}},
        {"moving-average kind 8 when smoothing", kMomentum, badKind},
        {"%D kind 0 when averaging", kMomentum, badDKind},
        {"KPeriods 0", kMomentum, noWindow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Call run = smi(c.candles, c.arguments);
        EXPECT_TRUE(
            failedWith(run.status, {1105, "Index.StochasticMomentumIndex.UnexpectedError", kUnexpected}));
        EXPECT_EQ(run.result, nullptr);
    }
    // Kinds that govern no smoothing are never looked at.
    SmiArguments unused;
    unused.maType = 8;
    unused.pctDMAType = 0;
    EXPECT_EQ(smi(kMomentum, unused).status, com::S_OK);
}

// ---- commodity channel index

Call cci(const std::vector<Candle>& candles, com::SHORT periods, com::Bstr* alias) {
    return runOn(candles, [&](_Index& index, _Database* d, _RecordSet* p, _RecordSet** r) {
        return index.CommodityChannelIndex(d, p, periods, alias, r);
    });
}

TEST(CommodityChannelIndex, MeasuresFromTwicePeriods) {
    // Typical prices 10, 12, 11, 13, 15, 14; averages of 2 from record 3: 11.5, 12, 14, 14.5. The
    // deviations at records 2..4 (the first against the average's unset 0) sum to 13.5, at 3..5 and
    // 4..6 to 2.5; each sum is divided by 2.
    com::Bstr alias(u"CCI");
    const Call run = cci(flatCandles({10, 12, 11, 13, 15, 14}), 2, &alias);
    ASSERT_EQ(run.status, com::S_OK);
    com::Bstr name;
    run.result->getName(1, &name);
    EXPECT_EQ(name.view(), u"CCI");
    expectValues(onlyFieldOf(run.result.get()),
                 {0, 0, 0, 1 / (0.015 * 6.75), 1 / (0.015 * 1.25), -0.5 / (0.015 * 1.25)});
    EXPECT_EQ(run.position, 1);
}

TEST(CommodityChannelIndex, KeepsAnEmptyAlias) {
    // Neither an empty nor a null alias is replaced or written to.
    for (const com::Bstr& given : {com::Bstr(u""), com::Bstr()}) {
        com::Bstr alias = given;
        const Call run = cci(flatCandles({10, 12, 11, 13, 15, 14}), 2, &alias);
        ASSERT_EQ(run.status, com::S_OK);
        com::Bstr name(u"unread");
        run.result->getName(1, &name);
        EXPECT_TRUE(name.isEmpty());
        EXPECT_EQ(alias, given);
    }
}

TEST(CommodityChannelIndex, ShortSeriesAndZeroDeviation) {
    com::Bstr alias(u"CCI");
    // Three periods over six records: one value, at record 6, whose average is 44 / 3; the deviations
    // at records 3..6 are 11 (against the unset average), 1, 2 and 4 / 3. Four periods: none.
    const std::vector<Candle> six = flatCandles({10, 12, 11, 13, 15, 16});
    expectValues(onlyFieldOf(cci(six, 3, &alias).result.get()),
                 {0, 0, 0, 0, 0, (16 - 44.0 / 3) / (0.015 * (11 + 1 + 2 + 4.0 / 3) / 3)});
    expectValues(onlyFieldOf(cci(six, 4, &alias).result.get()), std::vector<double>(6, 0.0));
    // Typical price equal to its average over records 2..4: no deviation to divide by.
    const Call flat = cci(flatCandles({5, 0, 0, 0}), 2, &alias);
    EXPECT_TRUE(failedWith(flat.status, {1105, "Index.CommodityChannelIndex.UnexpectedError", kUnexpected}));
    EXPECT_EQ(flat.result, nullptr);
}

}  // namespace
}  // namespace indikon::test
