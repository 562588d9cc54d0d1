#include "indicators/VolumeIndices.h"

#include <algorithm>
#include <span>
#include <vector>

#include "core/Indicator.h"
#include "indicators/PriceColumn.h"

namespace indikon {
namespace {

// Sum of term(r) over the `count` records ending at `last`, oldest first (the rolling sum of the Chaikin
// money flow). Each window is summed afresh,
// so no value carries rounding from the windows before it; a count of 0 or less sums nothing.
template <typename Term>
double windowSum(int last, int count, Term&& term) {
    double sum = 0;
    if (count > 0) {
        for (const double value : term.window(last - count + 1, last))
            sum += value;
    }
    return sum;
}

// The value of `compute(row)` for rows 1..n, each computed the first time a window reaches it: windows
// overlap, so a row's prices are read once rather than once per window.
template <typename Compute>
class RowMemo {
public:
    RowMemo(int n, Compute compute)
        : values_(static_cast<std::size_t>(std::max(n, 0))), known_(values_.size()), compute_(compute) {}

    // A row outside 1..n fails as a subscript out of range.
    double operator()(int row) {
        const std::size_t index = static_cast<std::size_t>(row) - 1;
        if (index >= values_.size())
            raise(RuntimeError::SubscriptOutOfRange);
        if (!known_[index]) {
            values_[index] = compute_(row);
            known_[index] = true;
        }
        return values_[index];
    }

    // Rows first..last (first >= 1) as one block, computing the unknown ones from the oldest on.
    std::span<const double> window(int first, int last) {
        for (int row = first; row <= last; ++row)
            (*this)(row);
        return std::span<const double>(values_).subspan(static_cast<std::size_t>(first) - 1,
                                                        static_cast<std::size_t>(last - first) + 1);
    }

private:
    std::vector<double> values_;
    std::vector<unsigned char> known_;
    Compute compute_;
};

double relativeChange(double previous, double current) {
    return divide(current - previous, previous);
}

// One step of a volume trend: the value at a record from the value before, the previous and the
// current price, and the previous and the current volume.
using TrendStepFunction = double (*)(double before, double pricePrevious, double price, double volumePrevious,
                                     double volume);

double priceVolumeTrendStep(double before, double sp, double s, double, double v) {
    return relativeChange(sp, s) * v + before;
}

double positiveVolumeStep(double before, double sp, double s, double vp, double v) {
    return v > vp ? before + relativeChange(sp, s) * before : before;
}

double negativeVolumeStep(double before, double sp, double s, double vp, double v) {
    return v < vp ? before + relativeChange(sp, s) * before : before;
}

double onBalanceVolumeStep(double before, double sp, double s, double, double v) {
    return s > sp ? before + v : s < sp ? before - v : before;
}

struct TrendStep {
    VolumeTrend kind;
    double start;  // the value at record 1
    TrendStepFunction next;
};

constexpr TrendStep kTrendSteps[] = {
    {VolumeTrend::PriceVolumeTrend, 0, priceVolumeTrendStep},
    {VolumeTrend::PositiveVolumeIndex, 1, positiveVolumeStep},
    {VolumeTrend::NegativeVolumeIndex, 1, negativeVolumeStep},
    {VolumeTrend::OnBalanceVolume, 0, onBalanceVolumeStep},
};

const TrendStep& trendStep(VolumeTrend kind) {
    return *std::find_if(std::begin(kTrendSteps), std::end(kTrendSteps),
                         [kind](const TrendStep& step) { return step.kind == kind; });
}

// The money flow index of the two flow sums: 0 (left unwritten) without a positive flow, 100 without a
// negative one.
bool moneyFlowValue(double positive, double negative, double& value) {
    if (positive == 0)
        return false;
    value = negative == 0 ? 100 : 100 - divide(100, 1 + divide(positive, negative));
    return true;
}

}  // namespace

com::ComPtr<_RecordSet> moneyFlowIndex(_Database* data, _RecordSet* ohlcv, int periods,
                                       const com::Bstr& name) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    if (periods < 1 || periods > n)
        raiseValidation(Error::InvalidPeriods, "Index.MoneyFlowIndex");
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    const PriceColumn high(ohlcv, u"High");
    const PriceColumn low(ohlcv, u"Low");
    const PriceColumn close(ohlcv, u"Close");
    const PriceColumn volume(ohlcv, u"Volume");
    RowMemo typical(n, [&](int p) { return (low.at(p) + close.at(p) + high.at(p)) / 3; });
    RowMemo volumeUsed(n, [&](int p) { return std::max(volume.at(p), 1.0); });
    walkRecords(cursor, periods + 1, n, [&](int q) {
        double positive = 0;
        double negative = 0;
        // prices[k] is the typical price of record q - periods + k, k = 0 the record before the window.
        const std::span<const double> prices = typical.window(q - periods, q);
        const std::span<const double> volumes = volumeUsed.window(q - periods + 1, q);
        for (std::size_t k = 1; k < prices.size(); ++k) {
            const double price = prices[k];
            const double before = prices[k - 1];
            const double flow = price * volumes[k - 1];
            // Without branches, which the direction of each change would mispredict: adding 0 leaves a
            // sum as it is (neither sum is ever -0).
            positive += price > before ? flow : 0.0;
            negative += price < before ? flow : 0.0;
        }
        double value = 0;
        if (moneyFlowValue(positive, negative, value))
            out.set(q, value);
    });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

com::ComPtr<_RecordSet> tradeVolumeIndex(_Database* data, _Field* source, _Field* volume, double minTickValue,
                                         const com::Bstr& name) {
    if (minTickValue < 0)
        raiseValidation(Error::InvalidMinTickValue, "Index.TradeVolumeIndex");
    Cursor cursor(data);
    const Series prices(source);
    const Series volumes(volume);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    int direction = 0;
    double total = 0;
    walkRecords(cursor, 2, n, [&](int p) {
        const double change = prices.at(p) - prices.at(p - 1);
        if (change > minTickValue)
            direction = 1;
        else if (change < -minTickValue)
            direction = -1;
        if (direction > 0)
            total += volumes.at(p);
        else if (direction < 0)
            total -= volumes.at(p);
        out.set(p, total);
    });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

com::ComPtr<_RecordSet> volumeTrend(VolumeTrend kind, _Database* data, _Field* source, _Field* volume,
                                    const com::Bstr& name) {
    const TrendStep& step = trendStep(kind);
    Cursor cursor(data);
    const Series prices(source);
    const Series volumes(volume);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    out.set(1, step.start);
    walkRecords(cursor, 2, n, [&](int p) {
        out.set(p,
                step.next(out.at(p - 1), prices.at(p - 1), prices.at(p), volumes.at(p - 1), volumes.at(p)));
    });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

com::ComPtr<_RecordSet> chaikinMoneyFlow(_Database* data, _RecordSet* ohlcv, int periods,
                                         const com::Bstr& name) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    const PriceColumn high(ohlcv, u"High");
    const PriceColumn low(ohlcv, u"Low");
    const PriceColumn close(ohlcv, u"Close");
    const PriceColumn volume(ohlcv, u"Volume");
    // Close location value times volume; a record without range or volume adds nothing.
    RowMemo flowVolume(n, [&](int r) {
        const double h = high.at(r);
        const double l = low.at(r);
        const double c = close.at(r);
        const double v = volume.at(r);
        const double location = (c - l) - (h - c);
        if (location == 0 || h - l == 0 || v == 0)
            return 0.0;
        return divide(location, h - l) * v;
    });
    RowMemo volumes(n, [&](int r) { return volume.at(r); });
    for (int q = periods + 1; q <= n; ++q) {
        const double flows = windowSum(q, periods, flowVolume);
        out.set(q, divide(flows, windowSum(q, periods, volumes)));
        yieldAfterRecord(q);
    }
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

}  // namespace indikon
