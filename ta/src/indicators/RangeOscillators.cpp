#include "indicators/RangeOscillators.h"

#include <optional>

#include "core/Indicator.h"
#include "indicators/Averages.h"
#include "indicators/kernels/Window.h"

namespace indikon {
namespace {

// The "High", "Low" and "Close" fields of a price record set, looked up when a value first needs them:
// a method that computes nothing reads nothing.
class LazyPrices {
public:
    explicit LazyPrices(_RecordSet* ohlcv) : ohlcv_(ohlcv) {}

    const Series& high() { return column(high_, u"High"); }
    const Series& low() { return column(low_, u"Low"); }
    const Series& close() { return column(close_, u"Close"); }

private:
    struct Column {
        com::ComPtr<_Field> field;
        std::optional<Series> series;
    };

    const Series& column(Column& column, const char16_t* name) {
        if (!column.series) {
            column.field = fieldNamed(ohlcv_, com::Bstr(name));
            column.series.emplace(column.field.get());
        }
        return *column.series;
    }

    _RecordSet* ohlcv_;
    Column high_;
    Column low_;
    Column close_;
};

// The highest high and the lowest low of the `periods` records ending at t.
struct WindowRange {
    double highest;
    double lowest;
};

WindowRange rangeOf(LazyPrices& prices, int t, int periods) {
    if (periods < 1)
        raise(RuntimeError::InvalidCall);  // an empty window has no range
    return {kernels::windowHighest(prices.high(), t, periods),
            kernels::windowLowest(prices.low(), t, periods)};
}

// The field `alias` of an average of kind `maType`; fails when the code computed nothing.
com::ComPtr<_Field> averageOf(int maType, _Database* data, _Field* source, int periods,
                              const com::Bstr& alias, com::ComPtr<_RecordSet>* records = nullptr) {
    com::ComPtr<_RecordSet> averaged = movingAverageOfType(maType, data, source, periods, alias);
    com::ComPtr<_Field> field = fieldNamed(averaged.get(), alias);
    if (records)
        *records = averaged;
    return field;
}

// One result field with `value(t)` at each record from `first` to the last, walked by the cursor,
// which is left at the first record.
template <typename Value>
com::ComPtr<_RecordSet> walkResult(_Database* data, const com::Bstr& name, int first, Value&& value) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    walkRecords(cursor, first, n, [&](int t) { out.set(t, value(t, out)); });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

}  // namespace

com::ComPtr<_RecordSet> williamsPctR(_Database* data, _RecordSet* ohlcv, int periods, const com::Bstr& name) {
    LazyPrices prices(ohlcv);
    return walkResult(data, name, periods + 1, [&](int t, const Series&) {
        const WindowRange range = rangeOf(prices, t, periods);
        return divide(range.highest - prices.close().at(t), range.highest - range.lowest) * -100;
    });
}

com::ComPtr<_RecordSet> williamsAccumulationDistribution(_Database* data, _RecordSet* ohlcv,
                                                         const com::Bstr& name) {
    LazyPrices prices(ohlcv);
    return walkResult(data, name, 2, [&](int t, const Series& out) {
        const double previousClose = prices.close().at(t - 1);
        const double close = prices.close().at(t);
        const double trueHigh = greaterOf(prices.high().at(t), previousClose);
        const double trueLow = kernels::trueLow(prices.low().at(t), previousClose);
        double move = 0;
        if (close > previousClose)
            move = close - trueLow;
        else if (close < previousClose)
            move = close - trueHigh;
        return out.at(t - 1) + move;
    });
}

com::ComPtr<_RecordSet> volumeOscillator(_Database* data, _Field* volume, int shortTerm, int longTerm,
                                         int maType, int pointsOrPercent, const com::Bstr& name) {
    const com::Bstr shortName(u"MA1");
    const com::Bstr longName(u"MA2");
    const com::ComPtr<_RecordSet> shortAverage =
        movingAverageOfType(maType, data, volume, shortTerm, shortName);
    const com::ComPtr<_RecordSet> longAverage = movingAverageOfType(maType, data, volume, longTerm, longName);
    const auto mode = static_cast<VolumeDifference>(pointsOrPercent);
    const bool readsAverages = mode == VolumeDifference::Points || mode == VolumeDifference::Percent;
    // The averages are read only by the two modes, so an unknown kind fails only there.
    com::ComPtr<_Field> shortField;
    com::ComPtr<_Field> longField;
    std::optional<Series> shortSeries;
    std::optional<Series> longSeries;
    double last = 0;
    return walkResult(data, name, 1, [&](int t, const Series&) {
        if (!readsAverages)
            return 0.0;
        if (!shortField) {
            shortField = fieldNamed(shortAverage.get(), shortName);
            longField = fieldNamed(longAverage.get(), longName);
            shortSeries.emplace(shortField.get());
            longSeries.emplace(longField.get());
        }
        const double shortValue = shortSeries->at(t);
        const double longValue = longSeries->at(t);
        if (mode == VolumeDifference::Points)
            return shortValue - longValue;
        if (longValue > 0)
            last = divide(shortValue - longValue, longValue) * 100;
        return last;
    });
}

com::ComPtr<_RecordSet> chaikinVolatility(_Database* data, _RecordSet* ohlcv, int periods, int roc,
                                          int maType, const com::Bstr& name) {
    const int n = Cursor(data).recordCount();
    LazyPrices prices(ohlcv);
    const com::ComPtr<_Field> range = newField(n, com::Bstr(u"HL"));
    const Series hl(range.get());
    for (int t = 1; t <= n; ++t)
        hl.set(t, prices.high().at(t) - prices.low().at(t));
    const com::ComPtr<_Field> averaged = averageOf(maType, data, range.get(), periods, com::Bstr(u"HLMA"));
    const Series average(averaged.get());
    double last = 0;
    return walkResult(data, name, roc + 1, [&](int t, const Series&) {
        const double older = average.at(t - roc);
        const double newer = average.at(t);
        if (older != 0 && newer != 0)
            last = divide(older - newer, older) * -100;
        return last;
    });
}

com::ComPtr<_RecordSet> stochasticOscillator(_Database* data, _RecordSet* ohlcv, int kPeriods,
                                             int kSlowingPeriods, int dPeriods, int maType) {
    const com::Bstr kName(u"%K");
    const com::Bstr dName(u"%D");
    const int n = Cursor(data).recordCount();
    LazyPrices prices(ohlcv);
    const com::ComPtr<_Field> raw = newField(n, kName);
    const Series rawK(raw.get());
    for (int t = kPeriods + 1; t <= n; ++t) {
        const WindowRange range = rangeOf(prices, t, kPeriods);
        rawK.set(t, divide(prices.close().at(t) - range.lowest, range.highest - range.lowest) * 100);
    }

    com::ComPtr<_RecordSet> result;
    com::ComPtr<_Field> k = raw;
    if (kSlowingPeriods < 2)
        result = newRecordSet({raw.get()});
    else
        k = averageOf(maType, data, raw.get(), kSlowingPeriods, kName, &result);
    const com::ComPtr<_Field> d = averageOf(maType, data, k.get(), dPeriods, dName);
    check(result->addField(d.get()));
    Cursor(data).moveFirst();
    return result;
}

}  // namespace indikon
