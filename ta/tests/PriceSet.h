// Price record sets for the tests of indicators that read "Open", "High", "Low", "Close" and "Volume"
// by name from a record set of their own.
#pragma once

#include <vector>

#include "TestSupport.h"
#include "containers/RecordSet.h"

namespace indikon::test {

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

// The values of the only field of an indicator's result.
inline std::vector<double> onlyFieldOf(_RecordSet* result) {
    EXPECT_EQ(fieldCount(result), 1);
    com::Bstr name;
    result->getName(1, &name);
    return valuesOf(fieldOf(result, name.text()).get());
}

inline void expectValues(const std::vector<double>& actual, const std::vector<double>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-9) << "record " << i + 1;
}

}  // namespace indikon::test
