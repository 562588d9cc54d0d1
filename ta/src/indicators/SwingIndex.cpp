#include "indicators/SwingIndex.h"

#include <cmath>

#include "core/Indicator.h"
#include "indicators/PriceColumn.h"

namespace indikon {
namespace {

struct SwingPrices {
    double open, high, low, close;
    double previousOpen, previousClose;
};

// The swing's range term R: the strictly largest of the high's and the low's distance from the previous
// close and the day's range, each with its own weights. When none is strictly largest the term of the
// record before stands (`previous`, 0 before the first record).
double rangeTerm(const SwingPrices& s, double previous) {
    const double a = std::abs(s.high - s.previousClose);
    const double b = std::abs(s.low - s.previousClose);
    const double d = s.high - s.low;
    const double drift = 0.25 * std::abs(s.previousClose - s.previousOpen);
    if (a > b && a > d)
        return a - 0.5 * b + drift;
    if (b > a && b > d)
        return b - 0.5 * a + drift;
    if (d > a && d > b)
        return std::abs(s.high - s.low) + drift;
    return previous;
}

double swing(const SwingPrices& s, double range, double limitMoveValue) {
    const double k = greaterOf(std::abs(s.low - s.previousClose), std::abs(s.high - s.previousClose));
    const double move =
        s.close - s.previousClose + 0.5 * (s.close - s.open) + 0.25 * (s.previousClose - s.previousOpen);
    return divide(divide(50 * move, range) * k, limitMoveValue);
}

}  // namespace

void checkLimitMove(double limitMoveValue, const char* source) {
    if (limitMoveValue < 0)
        raiseValidation(Error::InvalidLimitMoveValue, source);
}

com::ComPtr<_RecordSet> swingIndex(_Database* data, _RecordSet* ohlcv, double limitMoveValue,
                                   const com::Bstr& name) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    const PriceColumn open(ohlcv, u"Open");
    const PriceColumn high(ohlcv, u"High");
    const PriceColumn low(ohlcv, u"Low");
    const PriceColumn close(ohlcv, u"Close");
    double range = 0;
    walkRecords(cursor, 2, n, [&](int p) {
        const SwingPrices prices{open.at(p),  high.at(p),     low.at(p),
                                 close.at(p), open.at(p - 1), close.at(p - 1)};
        range = rangeTerm(prices, range);
        out.set(p, swing(prices, range, limitMoveValue));
    });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

com::ComPtr<_RecordSet> accumulateSwings(_Database* data, _RecordSet* swings, const com::Bstr& swingName,
                                         const com::Bstr& name) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series total(result.get());
    const PriceColumn swing(swings, swingName.view());
    walkRecords(cursor, 2, n, [&](int p) { total.set(p, total.at(p - 1) + swing.at(p)); });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

}  // namespace indikon
