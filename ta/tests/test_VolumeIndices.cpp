#include <functional>

#include "PriceSet.h"
#include "indicators/Index.h"

namespace indikon::test {
namespace {

// One call of an Index method over a price set: the database is the cursor, Source is the set's
// "Close" and Volume its "Volume".
using IndexCall =
    std::function<com::HRESULT(_Index& index, _Database* data, _RecordSet* prices, _Field* source,
                               _Field* volume, com::Bstr* alias, _RecordSet** result)>;

struct VolumeRun {
    com::HRESULT status = com::E_FAIL;
    com::ComPtr<_RecordSet> result;
    com::Bstr alias{u""};
    com::SHORT position = 0;

    std::vector<double> values() const { return result ? onlyFieldOf(result.get()) : std::vector<double>{}; }
};

VolumeRun call(const IndexCall& method, const std::vector<Candle>& candles) {
    const com::ComPtr<_Database> database = makeDatabase(std::vector<double>(candles.size(), 1.0));
    const com::ComPtr<_RecordSet> prices = makePriceSet(candles);
    VolumeRun outcome;
    outcome.status = method(*com::makeComObject<Index>(), database.get(), prices.get(),
                            fieldOf(prices.get(), u"Close").get(), fieldOf(prices.get(), u"Volume").get(),
                            &outcome.alias, outcome.result.put());
    outcome.position = position(database.get());
    return outcome;
}

IndexCall moneyFlow(com::SHORT periods) {
    return [=](_Index& index, _Database* d, _RecordSet* p, _Field*, _Field*, com::Bstr* a, _RecordSet** r) {
        return index.MoneyFlowIndex(d, p, periods, a, r);
    };
}

IndexCall tradeVolume(double tick) {
    return [=](_Index& index, _Database* d, _RecordSet*, _Field* s, _Field* v, com::Bstr* a, _RecordSet** r) {
        return index.TradeVolumeIndex(d, s, v, tick, a, r);
    };
}

IndexCall chaikin(com::SHORT periods) {
    return [=](_Index& index, _Database* d, _RecordSet* p, _Field*, _Field*, com::Bstr* a, _RecordSet** r) {
        return index.ChaikinMoneyFlow(d, p, periods, a, r);
    };
}

const IndexCall kPriceVolumeTrend = [](_Index& index, _Database* d, _RecordSet*, _Field* s, _Field* v,
                                       com::Bstr* a,
                                       _RecordSet** r) { return index.PriceVolumeTrend(d, s, v, a, r); };
const IndexCall kPositiveVolume = [](_Index& index, _Database* d, _RecordSet*, _Field* s, _Field* v,
                                     com::Bstr* a,
                                     _RecordSet** r) { return index.PositiveVolumeIndex(d, s, v, a, r); };
const IndexCall kNegativeVolume = [](_Index& index, _Database* d, _RecordSet*, _Field* s, _Field* v,
                                     com::Bstr* a,
                                     _RecordSet** r) { return index.NegativeVolumeIndex(d, s, v, a, r); };
const IndexCall kOnBalanceVolume = [](_Index& index, _Database* d, _RecordSet*, _Field* s, _Field* v,
                                      com::Bstr* a,
                                      _RecordSet** r) { return index.OnBalanceVolume(d, s, v, a, r); };

// Closes 10, 11, 11, 10, 12 on volumes 100, 200, 150, 100, 300: a rise on rising volume, no change on
// falling volume, a fall on falling volume, a rise on rising volume.
const std::vector<Candle> kTrend = flatCandles({10, 11, 11, 10, 12}, {100, 200, 150, 100, 300});

TEST(VolumeIndices, PriceAndVolumeTrends) {
    const struct {
        const char* name;
        IndexCall method;
        std::vector<double> expected;
    } cases[] = {
        {"price volume trend", kPriceVolumeTrend, {0, 20, 20, 20 - 100.0 / 11, 20 - 100.0 / 11 + 60}},
        {"positive volume index", kPositiveVolume, {1, 1.1, 1.1, 1.1, 1.1 * 1.2}},
        {"negative volume index", kNegativeVolume, {1, 1, 1, 10.0 / 11, 10.0 / 11}},
        {"on-balance volume", kOnBalanceVolume, {0, 200, 200, 100, 400}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const VolumeRun outcome = call(c.method, kTrend);
        ASSERT_EQ(outcome.status, com::S_OK);
        expectValues(outcome.values(), c.expected);
        EXPECT_EQ(outcome.position, 1);
    }
}

TEST(VolumeIndices, TradeVolumeIndexFollowsMovesBeyondTheTick) {
    // +0.3 is inside the tick (R stays 0), +0.7 sets the direction up, -0.2 repeats it, -1.8 turns it down.
    const std::vector<Candle> candles = flatCandles({10, 10.3, 11, 10.8, 9}, {100, 200, 150, 100, 300});
    expectValues(call(tradeVolume(0.5), candles).values(), {0, 0, 150, 250, -50});
    // A tick of 0 is accepted: an unchanged price sets no direction.
    expectValues(call(tradeVolume(0), flatCandles({10, 10, 11}, {5, 6, 7})).values(), {0, 0, 7});
    EXPECT_TRUE(failedWith(call(tradeVolume(-0.01), candles).status,
                           {1107, "Index.TradeVolumeIndex", "Invalid MinTickValue"}));
}

TEST(VolumeIndices, MoneyFlowIndex) {
    // Typical prices 10, 11, 12, 11, 13 with P = 2. Record 3: two rises (11 * 200 and 12 * 1, the zero
    // volume counting as 1) and no fall give 100. Record 4: 12 up, 11 * 50 down. Record 5: 11 * 50 down,
    // 13 * 100 up.
    const std::vector<Candle> candles = flatCandles({10, 11, 12, 11, 13}, {100, 200, 0, 50, 100});
    const VolumeRun outcome = call(moneyFlow(2), candles);
    ASSERT_EQ(outcome.status, com::S_OK);
    expectValues(outcome.values(), {0, 0, 100, 100 - 100 / (1 + 12.0 / 550), 100 - 100 / (1 + 1300.0 / 550)});
    EXPECT_EQ(outcome.position, 1);
    // A volume below 1 counts as 1 too: 12 * 1 up against 11 * 50 down.
    expectValues(call(moneyFlow(2), flatCandles({10, 11, 12, 11}, {1, 1, 0.25, 50})).values(),
                 {0, 0, 100, 100 - 100 / (1 + 12.0 / 550)});
}

TEST(VolumeIndices, MoneyFlowWithoutARiseStaysZero) {
    expectValues(call(moneyFlow(2), flatCandles({13, 12, 11}, {1, 1, 1})).values(), {0, 0, 0});
    expectValues(call(moneyFlow(2), flatCandles({5, 5, 5}, {1, 1, 1})).values(), {0, 0, 0});
    // Periods equal to the record count passes the check and computes nothing.
    expectValues(call(moneyFlow(3), flatCandles({1, 2, 3}, {1, 1, 1})).values(), {0, 0, 0});
}

TEST(VolumeIndices, MoneyFlowPeriodsAreChecked) {
    const std::vector<Candle> candles = flatCandles({1, 2, 3}, {1, 1, 1});
    for (com::SHORT periods : {0, 4, -1}) {
        SCOPED_TRACE(periods);
        EXPECT_TRUE(failedWith(call(moneyFlow(periods), candles).status,
                               {1101, "Index.MoneyFlowIndex", "Invalid Periods"}));
    }
}

// Close location values 0.5, none (high = low), -0.6, none (volume 0), 0.5 on volumes 100, 300, 200, 0, 100.
const std::vector<Candle> kChaikin{{10, 12, 8, 11, 100},
                                   {10, 10, 10, 10, 300},
                                   {12, 15, 10, 11, 200},
                                   {13, 14, 12, 14, 0},
                                   {13, 14, 12, 13.5, 100}};

TEST(VolumeIndices, ChaikinMoneyFlowIsMoneyFlowVolumeOverVolume) {
    const VolumeRun outcome = call(chaikin(2), kChaikin);
    ASSERT_EQ(outcome.status, com::S_OK);
    // Records without range or volume add no flow but keep their volume in the divisor.
    expectValues(outcome.values(), {0, 0, -0.6 * 200 / 500, -0.6 * 200 / 200, 0.5 * 100 / 100});
    EXPECT_EQ(outcome.position, 1);
    expectValues(call(chaikin(5), kChaikin).values(), {0, 0, 0, 0, 0});
    expectValues(call(chaikin(7), kChaikin).values(), {0, 0, 0, 0, 0});
}

TEST(VolumeIndices, DefaultNamesAreWrittenBack) {
    const struct {
        IndexCall method;
        std::u16string name;
    } cases[] = {
        {moneyFlow(2), u"MoneyFlowIndex"},         {tradeVolume(0), u"TradeVolumeIndex"},
        {kPriceVolumeTrend, u"PriceVolumeTrend"},  {kPositiveVolume, u"PositiveVolumeIndex"},
        {kNegativeVolume, u"NegativeVolumeIndex"}, {kOnBalanceVolume, u"OnBalanceVolume"},
        {chaikin(2), u"ChaikinMoneyFlow"},
    };
    for (const auto& c : cases) {
        const VolumeRun outcome = call(c.method, kTrend);
        ASSERT_EQ(outcome.status, com::S_OK);
        EXPECT_EQ(outcome.alias.view(), c.name);
        EXPECT_EQ(onlyFieldOf(outcome.result.get()).size(), kTrend.size());
    }
}

TEST(VolumeIndices, RunTimeFailuresAreUnexpectedErrors) {
    const std::vector<Candle> zeroPrice = flatCandles({0, 1, 2}, {1, 2, 3});
    const std::vector<Candle> noVolume = flatCandles({1, 2, 3}, {0, 0, 0});
    const auto missingVolume = [](_Index& index, _Database* d, _RecordSet* p, _Field*, _Field*, com::Bstr* a,
                                  _RecordSet** r) {
        p->removeField(com::Bstr(u"Volume"));
        return index.MoneyFlowIndex(d, p, 1, a, r);
    };
    const auto shortVolume = [](_Index& index, _Database* d, _RecordSet*, _Field* s, _Field*, com::Bstr* a,
                                _RecordSet** r) {
        return index.OnBalanceVolume(d, s, makeField({1, 2}, u"V").get(), a, r);
    };
    const struct {
        const char* name;
        IndexCall method;
        std::vector<Candle> candles;
        const char* source;
    } cases[] = {
        {"price volume trend from a zero price", kPriceVolumeTrend, zeroPrice, "Index.PriceVolumeTrend"},
        {"positive volume index from a zero price", kPositiveVolume, zeroPrice, "Index.PositiveVolumeIndex"},
        {"negative volume index from a zero price", kNegativeVolume, flatCandles({0, 1}, {2, 1}),
         "Index.NegativeVolumeIndex"},
        {"Chaikin with Periods 0", chaikin(0), kChaikin, "Index.ChaikinMoneyFlow"},
        {"Chaikin with negative Periods", chaikin(-2), kChaikin, "Index.ChaikinMoneyFlow"},
        {"Chaikin over a window without volume", chaikin(2), noVolume, "Index.ChaikinMoneyFlow"},
        {"money flow without a volume field", missingVolume, kTrend, "Index.MoneyFlowIndex"},
        {"on-balance volume over a short volume field", shortVolume, kTrend, "Index.OnBalanceVolume"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const VolumeRun outcome = call(c.method, c.candles);
        EXPECT_TRUE(
            failedWith(outcome.status, {1105, std::string(c.source) + ".UnexpectedError", kUnexpected}));
        EXPECT_EQ(outcome.result, nullptr);
    }
    // A zero price is only divided by on a record whose volume qualifies.
    expectValues(call(kPositiveVolume, flatCandles({0, 1, 2}, {3, 2, 1})).values(), {1, 1, 1});
}

}  // namespace
}  // namespace indikon::test
