// Price record sets for the tests of indicators that read "Open", "High", "Low", "Close" and "Volume"
// by name from a record set of their own, and what the tests check of an indicator's run: its result
// fields, its values and its errors.
#pragma once

#include <string>
#include <vector>

#include "TestSupport.h"
#include "containers/RecordSet.h"

namespace indikon::test {

inline constexpr const char* kUnexpected = "An unexpected error has occured";
inline constexpr const char* kOutOfBounds = "An unexpected out of bounds error has occured";

// The error of a method that failed unexpectedly; `source` is "Class.Method".
inline ExpectedError unexpectedIn(const std::string& source) {
    return {1105, source + ".UnexpectedError", kUnexpected};
}

// A 16-bit argument of an indicator method.
inline com::SHORT s(int value) {
    return static_cast<com::SHORT>(value);
}

struct Candle {
    double open, high, low, close, volume = 0;
};

inline com::ComPtr<_RecordSet> makePriceSet(const std::vector<Candle>& candles) {
    std::vector<double> open, high, low, close, volume;
    for (const Candle& c : candles) {
        open.push_back(c.open);
        high.push_back(c.high);
        low.push_back(c.low);
        close.push_back(c.close);
        volume.push_back(c.volume);
    }
    com::ComPtr<_RecordSet> records = com::makeComObject<RecordSet>();
    records->addField(makeField(open, u"Open").get());
    records->addField(makeField(high, u"High").get());
    records->addField(makeField(low, u"Low").get());
    records->addField(makeField(close, u"Close").get());
    records->addField(makeField(volume, u"Volume").get());
    return records;
}

// Candles whose open, high, low and close are one price (so the typical price is that price), with
// the given volumes (none: volume 0).
inline std::vector<Candle> flatCandles(const std::vector<double>& prices,
                                       const std::vector<double>& volumes = {}) {
    std::vector<Candle> candles;
    for (std::size_t i = 0; i < prices.size(); ++i)
        candles.push_back({prices[i], prices[i], prices[i], prices[i], volumes.empty() ? 0 : volumes.at(i)});
    return candles;
}

inline std::vector<double> minus(const std::vector<double>& values, double amount) {
    std::vector<double> result;
    for (double value : values)
        result.push_back(value - amount);
    return result;
}

// The names of a result's fields, in order.
inline std::vector<std::u16string> fieldNames(_RecordSet* result) {
    std::vector<std::u16string> all;
    for (com::SHORT i = 1; result && i <= fieldCount(result); ++i) {
        com::Bstr name;
        result->getName(i, &name);
        all.push_back(name.text());
    }
    return all;
}

// The values of the only field of an indicator's result.
inline std::vector<double> onlyFieldOf(_RecordSet* result) {
    EXPECT_EQ(fieldCount(result), 1);
    com::Bstr name;
    result->getName(1, &name);
    return valuesOf(fieldOf(result, name.text()).get());
}

inline void expectValues(const std::vector<double>& actual, const std::vector<double>& expected,
                         double tolerance = 1e-9) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "record " << i + 1;
}

// Values that a calculation must reproduce to the last few bits.
inline void expectNear(const std::vector<double>& actual, const std::vector<double>& expected) {
    expectValues(actual, expected, 1e-12);
}

// One call of an indicator method: what it returned, its result and the database it ran over.
struct IndicatorRun {
    com::HRESULT status = com::E_FAIL;
    com::ComPtr<_RecordSet> result;
    com::ComPtr<_Database> database;
    com::Bstr alias{u""};

    // A field of the result of a call that succeeded.
    std::vector<double> field(const std::u16string& name) const {
        EXPECT_EQ(status, com::S_OK);
        return result ? valuesOf(fieldOf(result.get(), name).get()) : std::vector<double>{};
    }
    std::vector<std::u16string> names() const { return fieldNames(result.get()); }
    // The only field of the result, named by the alias, of a call that succeeded and left the cursor
    // on record 1.
    std::vector<double> values() const {
        EXPECT_EQ(status, com::S_OK);
        if (!result)
            return {};
        EXPECT_EQ(fieldCount(result.get()), 1);
        EXPECT_EQ(position(database.get()), 1);
        return valuesOf(fieldOf(result.get(), alias.text()).get());
    }
};

}  // namespace indikon::test
