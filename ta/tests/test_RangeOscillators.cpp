#include <string>

#include "PriceSet.h"
#include "indicators/Oscillator.h"

namespace indikon::test {
namespace {

// A database of highs, lows and closes, and its own record set as the OHLCV argument.
struct Prices {
    com::ComPtr<_Database> database;
    com::ComPtr<_RecordSet> ohlcv;

    Prices(const std::vector<double>& highs, const std::vector<double>& lows,
           const std::vector<double>& closes)
        : database(makeDatabase(closes, highs, lows)) {
        database->getRecordset(ohlcv.put());
    }
};

const std::vector<double> kHighs{10, 12, 11, 13, 12, 14};
const std::vector<double> kLows{8, 9, 9, 10, 10, 11};
const std::vector<double> kCloses{9, 11, 10, 12, 10, 13};

std::vector<double> pctR(const Prices& p, int periods, com::HRESULT* status = nullptr) {
    com::ComPtr<_RecordSet> result;
    com::Bstr alias(u"R");
    const com::HRESULT hr = com::makeComObject<Oscillator>()->WilliamsPctR(
        p.database.get(), p.ohlcv.get(), static_cast<com::SHORT>(periods), &alias, result.put());
    if (status)
        *status = hr;
    if (hr != com::S_OK)
        return {};
    EXPECT_EQ(position(p.database.get()), 1);
    return onlyFieldOf(result.get());
}

TEST(WilliamsPctR, HandComputedFromTheWindowItself) {
    // Record 3: window 2..3, highest 12, lowest 9, close 10: -2/3 of the way down.
    expectValues(pctR(Prices(kHighs, kLows, kCloses), 2), {0, 0, -200.0 / 3, -25, -100, -25});
    // A low of 5 in the record after the first window does not reach into it.
    expectValues(pctR(Prices({10, 12, 11, 13, 12}, {8, 9, 9, 5, 10}, {9, 11, 10, 12, 10}), 2),
                 {0, 0, -200.0 / 3, -12.5, -37.5});
    // Negative prices: the highest of the window is -2, not 0.
    expectValues(pctR(Prices({-1, -2, -3}, {-4, -5, -6}, {-2, -3, -4}), 2), {0, 0, -50});
}

TEST(WilliamsPctR, FirstValueAfterTheWindowAndNoReadPastTheEnd) {
    std::vector<double> highs, lows, closes;
    for (int i = 0; i < 15; ++i) {
        highs.push_back(20 + i % 3);
        lows.push_back(10 - i % 2);
        closes.push_back(15);
    }
    closes[14] = highs[14];
    // Exactly periods + 1 records: the only value is computed from records 2..15.
    const std::vector<double> values = pctR(Prices(highs, lows, closes), 14);
    ASSERT_EQ(values.size(), 15u);
    EXPECT_EQ(values[13], 0);
    EXPECT_EQ(values[14], 0) << "close at the highest high";
    closes[14] = 9;
    EXPECT_EQ(pctR(Prices(highs, lows, closes), 14)[14], -100) << "close at the lowest low";
}

TEST(WilliamsPctR, WindowsWithoutRangeFail) {
    com::HRESULT status = com::S_OK;
    pctR(Prices({5, 5, 5}, {5, 5, 5}, {5, 5, 5}), 2, &status);
    EXPECT_TRUE(failedWith(status, unexpectedIn("Oscillator.WilliamsPctR")));
    pctR(Prices(kHighs, kLows, kCloses), 0, &status);
    EXPECT_TRUE(failedWith(status, unexpectedIn("Oscillator.WilliamsPctR")));
    pctR(Prices(kHighs, kLows, kCloses), -1, &status);
    EXPECT_TRUE(failedWith(status, unexpectedIn("Oscillator.WilliamsPctR")));
}

TEST(WilliamsAccumulationDistribution, AccumulatesFromTheTrueRange) {
    // 2: rise from the true low 10 (the previous close) +2; 3: fall to 11 from the true high 13, -2;
    // 4: unchanged; 5: gap up from 11 to 13 (low 12) +2; 6: rise from the low 12.5, +1.5.
    const Prices p({10.5, 12.5, 13, 11.5, 13.5, 14.5}, {9.5, 10.5, 10.8, 10.5, 12, 12.5},
                   {10, 12, 11, 11, 13, 14});
    com::ComPtr<_RecordSet> result;
    com::Bstr alias;
    ASSERT_EQ(com::makeComObject<Oscillator>()->WilliamsAccumulationDistribution(
                  p.database.get(), p.ohlcv.get(), &alias, result.put()),
              com::S_OK);
    expectValues(onlyFieldOf(result.get()), {0, 2, 0, 0, 2, 3.5});
    EXPECT_EQ(alias.view(), u"WilliamsAccumulationDistribution");
}

TEST(WilliamsAccumulationDistribution, FailureKeepsItsSourceSpelling) {
    const Prices p(kHighs, kLows, kCloses);
    com::ComPtr<_RecordSet> noClose = com::makeComObject<RecordSet>();
    noClose->addField(fieldOf(p.ohlcv.get(), u"High").get());
    noClose->addField(fieldOf(p.ohlcv.get(), u"Low").get());
    com::ComPtr<_RecordSet> result;
    com::Bstr alias;
    EXPECT_TRUE(failedWith(com::makeComObject<Oscillator>()->WilliamsAccumulationDistribution(
                               p.database.get(), noClose.get(), &alias, result.put()),
                           unexpectedIn("Oscillator.WilliamsAccumultaionDistribution")));
    EXPECT_EQ(result.get(), nullptr);
}

struct VolumeCase {
    int maType;
    int mode;
    std::vector<double> expected;  // empty: the call fails
};

TEST(VolumeOscillator, PointsPercentAndOtherModes) {
    // Simple averages of 10, 20, ... 60: over 1 record from record 2 (20, 30, ...), over 3 from record 4
    // (30, 40, 50).
    const VolumeCase cases[] = {
        {1, 1, {0, 20, 30, 10, 10, 10}},
        {1, 2, {0, 0, 0, 100.0 / 3, 25, 20}},
        {1, 3, {0, 0, 0, 0, 0, 0}},
        {0, 3, {0, 0, 0, 0, 0, 0}},  // nothing reads the missing averages
        {0, 1, {}},
        {8, 2, {}},
    };
    for (const VolumeCase& c : cases) {
        const com::ComPtr<_Database> database = makeDatabase(std::vector<double>(6, 1));
        const com::ComPtr<_Field> volume = makeField({10, 20, 30, 40, 50, 60}, u"Vol");
        com::ComPtr<_RecordSet> result;
        com::Bstr alias;
        const com::HRESULT status = com::makeComObject<Oscillator>()->VolumeOscillator(
            database.get(), volume.get(), 1, 3, static_cast<com::SHORT>(c.maType),
            static_cast<com::SHORT>(c.mode), &alias, result.put());
        SCOPED_TRACE("type " + std::to_string(c.maType) + " mode " + std::to_string(c.mode));
        if (c.expected.empty()) {
            EXPECT_TRUE(failedWith(status, unexpectedIn("Oscillator.VolumeOscillator")));
            continue;
        }
        ASSERT_EQ(status, com::S_OK);
        expectValues(onlyFieldOf(result.get()), c.expected);
        EXPECT_EQ(alias.view(), u"VolumeOscillator");
        EXPECT_EQ(position(database.get()), 1);
    }
}

std::vector<double> chaikin(int roc, int maType, com::HRESULT* status = nullptr) {
    // Daily ranges 2, 4, 6, 4, 8, 8.
    const Prices p({12, 14, 16, 14, 18, 18}, {10, 10, 10, 10, 10, 10}, {11, 12, 13, 12, 14, 15});
    com::ComPtr<_RecordSet> result;
    com::Bstr alias(u"CV");
    const com::HRESULT hr = com::makeComObject<Oscillator>()->ChaikinVolatility(
        p.database.get(), p.ohlcv.get(), 1, static_cast<com::SHORT>(roc), static_cast<com::SHORT>(maType),
        &alias, result.put());
    if (status)
        *status = hr;
    return hr == com::S_OK ? onlyFieldOf(result.get()) : std::vector<double>{};
}

TEST(ChaikinVolatility, ChangeOfTheAveragedRange) {
    // The average over one record is the range from record 2 on (4, 6, 4, 8, 8) and 0 at record 1, so
    // record 2 repeats 0; then (4 - 6) / 4 * -100 = 50 and so on.
    expectValues(chaikin(1, 1), {0, 0, 50, -100.0 / 3, 100, 0});
    // Two records back: record 3 still meets the empty average of record 1; record 4 compares 4 with 4.
    expectValues(chaikin(2, 1), {0, 0, 0, 0, 100.0 / 3, 100});
}

TEST(ChaikinVolatility, FailureKeepsItsSourceSpelling) {
    com::HRESULT status = com::S_OK;
    chaikin(1, 0, &status);
    EXPECT_TRUE(failedWith(status, unexpectedIn("Oscillator.ChaikinVolitlity")));
}

struct Stochastic {
    com::HRESULT status = com::E_FAIL;
    com::ComPtr<_RecordSet> result;

    std::vector<double> field(const std::u16string& name) const {
        return valuesOf(fieldOf(result.get(), name).get());
    }
};

Stochastic stochastic(const Prices& p, int k, int slowing, int d, int maType) {
    Stochastic run;
    run.status = com::makeComObject<Oscillator>()->StochasticOscillator(
        p.database.get(), p.ohlcv.get(), static_cast<com::SHORT>(k), static_cast<com::SHORT>(slowing),
        static_cast<com::SHORT>(d), static_cast<com::SHORT>(maType), run.result.put());
    return run;
}

TEST(StochasticOscillator, RawAndSlowedK) {
    const Prices p(kHighs, kLows, kCloses);
    // Raw %K over 2 records: 0, 0, 100/3, 75, 0, 75.
    const Stochastic raw = stochastic(p, 2, 1, 2, 1);
    ASSERT_EQ(raw.status, com::S_OK);
    ASSERT_EQ(fieldCount(raw.result.get()), 2);
    com::Bstr first, second;
    raw.result->getName(1, &first);
    raw.result->getName(2, &second);
    EXPECT_EQ(first.view(), u"%K");
    EXPECT_EQ(second.view(), u"%D");
    expectValues(raw.field(u"%K"), {0, 0, 100.0 / 3, 75, 0, 75});
    expectValues(raw.field(u"%D"), {0, 0, 50.0 / 3, 325.0 / 6, 37.5, 37.5});
    EXPECT_EQ(position(p.database.get()), 1);

    // Slowed over 2 records, the leading zeros of the raw field take part.
    const Stochastic slowed = stochastic(p, 2, 2, 2, 1);
    ASSERT_EQ(slowed.status, com::S_OK);
    expectValues(slowed.field(u"%K"), {0, 0, 50.0 / 3, 325.0 / 6, 37.5, 37.5});
    expectValues(slowed.field(u"%D"), {0, 0, 25.0 / 3, 425.0 / 12, 275.0 / 6, 37.5});
}

TEST(StochasticOscillator, Failures) {
    const ExpectedError error = unexpectedIn("Oscillator.StochasticOscillator");
    EXPECT_TRUE(failedWith(stochastic(Prices({5, 5, 5}, {5, 5, 5}, {5, 5, 5}), 2, 1, 1, 1).status, error));
    EXPECT_TRUE(failedWith(stochastic(Prices(kHighs, kLows, kCloses), 2, 1, 2, 0).status, error));
    EXPECT_TRUE(failedWith(stochastic(Prices(kHighs, kLows, kCloses), 2, 3, 2, 9).status, error));
}

TEST(RangeOscillators, EmptyAliasTakesTheMethodName) {
    const Prices p(kHighs, kLows, kCloses);
    const com::ComPtr<_Oscillator> oscillator = com::makeComObject<Oscillator>();
    com::ComPtr<_RecordSet> result;
    com::Bstr alias;
    ASSERT_EQ(oscillator->WilliamsPctR(p.database.get(), p.ohlcv.get(), 2, &alias, result.put()), com::S_OK);
    EXPECT_EQ(alias.view(), u"WilliamsPctR");
    alias = com::Bstr();
    ASSERT_EQ(oscillator->ChaikinVolatility(p.database.get(), p.ohlcv.get(), 1, 1, 1, &alias, result.put()),
              com::S_OK);
    EXPECT_EQ(alias.view(), u"ChaikinVolatility");
}

}  // namespace
}  // namespace indikon::test
