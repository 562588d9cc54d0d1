#include "indicators/Momentum.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "core/Indicator.h"
#include "indicators/Averages.h"
#include "indicators/kernels/Window.h"

namespace indikon {
namespace {

// The outline these oscillators share: one result field, `value` at each record from `first` on, the
// cursor back at the first record. A first record beyond the data computes nothing (and reads nothing).
template <typename Value>
com::ComPtr<_RecordSet> oscillate(_Database* data, const com::Bstr& name, int first, Value&& value) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    if (first <= n)
        walkRecords(cursor, first, n, [&](int t) { out.set(t, value(t)); });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

struct Pressure {
    double buying = 0;
    double range = 0;
};

struct PriceSeries {
    Series high;
    Series low;
    Series close;

    Pressure at(int k) const {
        const double previousClose = close.at(k - 1);
        return {close.at(k) - kernels::trueLow(low.at(k), previousClose),
                kernels::trueRange(high.at(k), low.at(k), previousClose)};
    }
};

// The pressure of every record 2..n, computed once: each window of the oscillator sums these values.
class PressureTable {
public:
    PressureTable(const PriceSeries& prices, int n) : pressures_(static_cast<std::size_t>(std::max(n, 1))) {
        for (int k = 2; k <= n; ++k)
            pressures_[static_cast<std::size_t>(k) - 1] = prices.at(k);
    }

    // Buying pressure over true range, summed over the `cycle` records ending at t (from t back).
    double ratio(int t, int cycle) const {
        Pressure sum;
        for (int k = t; k > t - cycle; --k) {
            const Pressure& p = pressures_.at(static_cast<std::size_t>(k) - 1);
            sum.buying += p.buying;
            sum.range += p.range;
        }
        return divide(sum.buying, sum.range);
    }

private:
    std::vector<Pressure> pressures_;
};

}  // namespace

com::ComPtr<_RecordSet> cmo(_Database* data, _Field* source, int periods, const com::Bstr& name) {
    const Series s(source);
    double last = 0;
    return oscillate(data, name, periods + 1, [&](int t) {
        double up = 0;
        double down = 0;
        for (int k = t - periods + 1; k <= t; ++k) {
            // Without branches, which the sign of a change would mispredict; adding or taking away
            // 0 leaves the sums as they are.
            const double change = s.at(k) - s.at(k - 1);
            up += change > 0 ? change : 0.0;
            down -= change < 0 ? change : 0.0;
        }
        if (up + down != 0)
            last = divide(100 * (up - down), up + down);
        return last;
    });
}

com::ComPtr<_RecordSet> momentum(_Database* data, _Field* source, int periods, const com::Bstr& name) {
    const Series s(source);
    return oscillate(data, name, periods + 2, [&](int t) {
        const double old = s.at(t - periods);
        return divide(s.at(t) - old, old) * 100 + 100;
    });
}

com::ComPtr<_RecordSet> trix(_Database* data, _Field* source, int periods, const com::Bstr& name) {
    const com::Bstr names[] = {com::Bstr(u"EMA1"), com::Bstr(u"EMA2"), com::Bstr(u"EMA3")};
    com::ComPtr<_Field> average(source);
    for (const com::Bstr& averageName : names) {
        const com::ComPtr<_RecordSet> records =
            exponentialMovingAverage(data, average.get(), periods, averageName);
        average = fieldNamed(records.get(), averageName);
    }
    const Series triple(average.get());
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    walkRecords(cursor, 2, n, [&](int t) {
        const double before = triple.at(t - 1);
        if (before != 0)
            out.set(t, divide(triple.at(t) - before, before) * 100);
    });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

com::ComPtr<_RecordSet> ultimateOscillator(_Database* data, _RecordSet* ohlcv, int cycle1, int cycle2,
                                           int cycle3, const com::Bstr& name) {
    const int longest = std::max({cycle1, cycle2, cycle3});
    std::optional<PressureTable> pressures;
    return oscillate(data, name, longest + 1, [&](int t) {
        // The price fields are looked up, and the pressures computed, when the first value needs them:
        // the windows of the longest cycle cover every record from 2 on.
        if (!pressures) {
            const PriceSeries prices{Series(fieldNamed(ohlcv, com::Bstr(u"High")).get()),
                                     Series(fieldNamed(ohlcv, com::Bstr(u"Low")).get()),
                                     Series(fieldNamed(ohlcv, com::Bstr(u"Close")).get())};
            pressures.emplace(prices, Cursor(data).recordCount());
        }
        const double first = pressures->ratio(t, cycle1);
        const double second = pressures->ratio(t, cycle2);
        const double third = pressures->ratio(t, cycle3);
        return (second * 2 + first * 4 + third) / 7 * 100;
    });
}

com::ComPtr<_RecordSet> verticalHorizontalFilter(_Database* data, _Field* source, int periods,
                                                 const com::Bstr& name) {
    const Series s(source);
    return oscillate(data, name, periods + 1, [&](int t) {
        // The extremes come from the window itself, so negative series and a window ending at the last
        // record are measured like any other.
        const double highest = periods > 0 ? kernels::windowHighest(s, t, periods) : 0;
        const double lowest = periods > 0 ? kernels::windowLowest(s, t, periods) : 0;
        return divide(std::abs(highest - lowest), kernels::absoluteChangeSum(s, t, periods));
    });
}

}  // namespace indikon
