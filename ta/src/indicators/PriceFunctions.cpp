#include "indicators/PriceFunctions.h"

#include <cmath>
#include <optional>

#include "containers/Note.h"
#include "core/Indicator.h"
#include "indicators/Averages.h"
#include "indicators/kernels/Window.h"

namespace indikon {
namespace {

// One result field, `value` at each record from `first` on, the cursor back at the first record.
template <typename Value>
com::ComPtr<_RecordSet> perRecord(_Database* data, const com::Bstr& name, int first, Value&& value) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    walkRecords(cursor, first, n, [&](int i) { out.set(i, value(i)); });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

struct DailyPriceRule {
    DailyPrice kind;
    bool readsClose;
    double (*price)(double high, double low, double close);
};

constexpr DailyPriceRule kDailyPrices[] = {
    {DailyPrice::HighMinusLow, false, [](double h, double l, double) { return h - l; }},
    {DailyPrice::Median, false, [](double h, double l, double) { return (h + l) / 2; }},
    {DailyPrice::Typical, true, [](double h, double l, double c) { return (h + l + c) / 3; }},
    {DailyPrice::WeightedClose, true, [](double h, double l, double c) { return (h + l + 2 * c) / 4; }},
};

template <typename Better>
com::ComPtr<_Note> extremeOf(_Field* source, int startPeriod, int endPeriod, const char* validationSource,
                             Better better) {
    if (startPeriod > endPeriod)
        raiseValidation(Error::InvalidPeriod, validationSource);
    const Series values(source);
    int found = startPeriod;
    double extreme = values.at(startPeriod);
    for (int i = startPeriod; i <= endPeriod; ++i) {
        const double value = values.at(i);
        if (better(value, extreme)) {
            extreme = value;
            found = i;
        }
    }
    com::ComPtr<_Note> note = com::makeComObject<Note>();
    check(note->setPeriod(toInteger(found)));
    check(note->setValue(extreme));
    return note;
}

}  // namespace

com::ComPtr<_RecordSet> highestHigh(_Database* data, _Field* high, int periods, const com::Bstr& name) {
    const Series highs(high);
    return perRecord(data, name, periods + 1,
                     [&](int i) { return kernels::windowHighest(highs, i, periods + 1); });
}

com::ComPtr<_RecordSet> lowestLow(_Database* data, _Field* low, int periods, const com::Bstr& name) {
    const Series lows(low);
    return perRecord(data, name, periods + 1,
                     [&](int i) { return kernels::windowLowest(lows, i, periods + 1); });
}

com::ComPtr<_RecordSet> dailyPrice(DailyPrice kind, _Database* data, _RecordSet* ohlcv,
                                   const com::Bstr& name) {
    const DailyPriceRule& rule = kDailyPrices[static_cast<int>(kind)];
    const com::ComPtr<_Field> highField = fieldNamed(ohlcv, com::Bstr(u"High"));
    const com::ComPtr<_Field> lowField = fieldNamed(ohlcv, com::Bstr(u"Low"));
    const com::ComPtr<_Field> closeField = rule.readsClose ? fieldNamed(ohlcv, com::Bstr(u"Close")) : nullptr;
    const Series high(highField.get());
    const Series low(lowField.get());
    std::optional<Series> closes;
    if (closeField)
        closes.emplace(closeField.get());
    return perRecord(data, name, 1, [&](int i) {
        const double close = closes ? closes->at(i) : 0;
        return rule.price(high.at(i), low.at(i), close);
    });
}

com::ComPtr<_RecordSet> volumeRateOfChange(_Database* data, _Field* volume, int periods,
                                           const com::Bstr& name) {
    const Series volumes(volume);
    double change = 0;
    return perRecord(data, name, periods + 1, [&](int i) {
        const double old = volumes.at(i - periods);
        if (old != 0)
            change = divide(volumes.at(i) - old, old) * 100;
        return change;
    });
}

com::ComPtr<_RecordSet> priceRateOfChange(_Database* data, _Field* source, int periods,
                                          const com::Bstr& name) {
    const Series prices(source);
    return perRecord(data, name, periods + 1, [&](int i) {
        const double old = prices.at(i - periods);
        return divide(prices.at(i) - old, old) * 100;
    });
}

double correlationAnalysis(_Field* source1, _Field* source2) {
    const Series first(source1);
    const Series second(source2);
    com::SHORT n = 0;
    check(source1->getRecordCount(&n));
    double sum = 0;
    for (int i = 2; i <= n; ++i) {
        sum += std::abs(first.at(i) - first.at(i - 1)) * std::abs(second.at(i) - second.at(i - 1));
        yieldAfterRecord(i);
    }
    return 1 - divide(sum, n - 2);
}

com::ComPtr<_RecordSet> standardDeviation(_Database* data, _Field* source, int periods,
                                          int standardDeviations, int maType, const com::Bstr& name) {
    Cursor cursor(data);
    const Series values(source);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());

    const com::Bstr averageName(u"Temp");
    com::ComPtr<_RecordSet> records;
    try {
        records = movingAverageOfType(maType, data, source, periods, averageName, kVidyaScale);
    } catch (...) {
        raiseValidation(Error::StandardDeviationMAError, "General.StandardDeviation.MAError");
    }
    if (!records)
        raise(RuntimeError::ObjectNotSet);  // a kind outside 1..7: there is no average to read
    const Series average(fieldNamed(records.get(), averageName).get());

    // The one calculation of the library that does not yield per record.
    cursor.setPosition(periods + 1);
    for (int i = periods + 1; i <= n; ++i) {
        const double mean = average.at(i);
        const double spread = kernels::squaredDeviations(values, i, periods, mean);
        out.set(i, standardDeviations * std::sqrt(divide(spread, periods)));
        if (i < n)
            cursor.moveNext();
    }
    check(records->removeField(averageName));
    check(records->addField(result.get()));
    cursor.moveFirst();
    return records;
}

com::ComPtr<_Note> maxValue(_Field* source, int startPeriod, int endPeriod) {
    return extremeOf(source, startPeriod, endPeriod, "MaxValue",
                     [](double value, double held) { return value > held; });
}

com::ComPtr<_Note> minValue(_Field* source, int startPeriod, int endPeriod) {
    return extremeOf(source, startPeriod, endPeriod, "MinValue",
                     [](double value, double held) { return value < held; });
}

}  // namespace indikon
