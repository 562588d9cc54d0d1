#include "indicators/DirectionalMovement.h"

#include <cmath>
#include <cstdint>

#include "com/VbMath.h"
#include "core/Calculation.h"
#include "core/Indicator.h"
#include "indicators/Averages.h"
#include "indicators/Oscillator.h"
#include "indicators/PriceColumn.h"
#include "indicators/kernels/Window.h"

namespace indikon {
namespace {

// Visits positions first..last by position, without the cursor, yielding every kRecordsPerYield
// records.
template <typename Visit>
void eachRecord(int first, int last, Visit&& visit) {
    for (int position = first; position <= last; ++position) {
        visit(position);
        yieldAfterRecord(position);
    }
}

// Round(value, 0): whole numbers, halves to the even neighbour. Values of ordinary size that are not
// a half take a path without library calls (it runs four times per record); its floor is exact below
// 2^52 and matches std::floor for every non-zero value, so the result is the same to the bit.
double whole(double value) {
    if (value != 0 && std::abs(value) < 0x1p52) {
        double floor = static_cast<double>(static_cast<std::int64_t>(value));
        if (floor > value)
            floor -= 1.0;
        const double fraction = value - floor;
        if (fraction < 0.5)
            return floor;
        if (fraction > 0.5)
            return floor + 1.0;
    }
    return com::vb::roundHalfEven(value);
}

struct WorkField {
    com::ComPtr<_Field> field;
    Series series;

    WorkField(int recordCount, const char16_t* name)
        : field(newField(recordCount, com::Bstr(name))), series(field.get()) {}
};

// The directional movement of record p against p - 1: the larger of the rise of the high and the fall
// of the low, when it is positive; nothing on a tie.
struct Movement {
    double up = 0;
    double down = 0;
};

Movement movementAt(const PriceColumn& high, const PriceColumn& low, int p) {
    const double up = high.at(p) - high.at(p - 1);
    const double down = low.at(p - 1) - low.at(p);
    if ((up < 0 && down < 0) || up == down)
        return {};
    if (up > down)
        return {up, 0};
    return {0, down};
}

}  // namespace

com::ComPtr<_RecordSet> trueRange(_Database* data, _RecordSet* ohlcv, const com::Bstr& name) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const PriceColumn high(ohlcv, u"High");
    const PriceColumn low(ohlcv, u"Low");
    const PriceColumn close(ohlcv, u"Close");
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    eachRecord(2, n, [&](int p) {
        out.set(p, finiteValue(kernels::absoluteTrueRange(high.at(p), low.at(p), close.at(p - 1))));
    });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

com::ComPtr<_RecordSet> averageTrueRange(_Database* data, _RecordSet* ohlcv, int periods,
                                         const com::Bstr& name) {
    const com::Bstr rangeName(u"TR");
    const com::ComPtr<_RecordSet> ranges = trueRange(data, ohlcv, rangeName);
    const com::Bstr averageName(u"A");
    const com::ComPtr<_RecordSet> averaged =
        simpleMovingAverage(data, fieldNamed(ranges.get(), rangeName).get(), periods, averageName);
    const com::ComPtr<_Field> average = fieldNamed(averaged.get(), averageName);
    check(average->setName(name));
    Cursor(data).moveFirst();
    return newRecordSet({average.get()});
}

com::ComPtr<_RecordSet> directionalMovementSystem(_Database* data, _RecordSet* ohlcv, int periods) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::Bstr rangeName(u"TR");
    const com::ComPtr<_RecordSet> ranges = trueRange(data, ohlcv, rangeName);
    const com::Bstr trSumName(u"TRSum");
    const com::ComPtr<_Field> trSumField =
        fieldNamed(wellesWilderSmoothing(fieldNamed(ranges.get(), rangeName).get(), periods, trSumName).get(),
                   trSumName);
    const Series trSum(trSumField.get());

    const PriceColumn high(ohlcv, u"High");
    const PriceColumn low(ohlcv, u"Low");
    const WorkField upMove(n, u"UpDMI");
    const WorkField downMove(n, u"DnDMI");
    const WorkField diMinus(n, u"DI-");
    const WorkField diPlus(n, u"DI+");
    eachRecord(2, n, [&](int p) {
        const Movement movement = movementAt(high, low, p);
        upMove.series.set(p, movement.up);
        downMove.series.set(p, movement.down);
    });

    const PriceColumn upSum(wellesWilderSmoothing(upMove.field.get(), periods, com::Bstr(u"DM+Sum")).get(),
                            u"DM+Sum");
    const PriceColumn downSum(
        wellesWilderSmoothing(downMove.field.get(), periods, com::Bstr(u"DM-Sum")).get(), u"DM-Sum");
    eachRecord(2, n, [&](int p) {
        const double range = trSum.at(p);
        diPlus.series.set(p, whole(divide(upSum.at(p) * 100, range)));
        diMinus.series.set(p, whole(divide(downSum.at(p) * 100, range)));
    });

    const WorkField dx(n, u"DX");
    eachRecord(2, n, [&](int p) {
        const double plus = diPlus.series.at(p);
        const double minus = diMinus.series.at(p);
        const double difference = std::abs(plus - minus);
        const double sum = plus + minus;
        if (difference > 0 && sum > 0)
            dx.series.set(p, whole(difference / sum * 100));
    });

    // ADX(periods) is the 0 the average grows from; ADXR averages two neighbouring ADX values.
    const WorkField adx(n, u"ADX");
    eachRecord(periods + 1, n, [&](int p) {
        adx.series.set(p, whole(divide((periods - 1) * adx.series.at(p - 1) + dx.series.at(p), periods)));
    });
    const WorkField adxr(n, u"ADXR");
    eachRecord(periods + 1, n,
               [&](int p) { adxr.series.set(p, whole((adx.series.at(p - 1) + adx.series.at(p)) / 2)); });

    cursor.moveFirst();
    return newRecordSet({adx.field.get(), adxr.field.get(), dx.field.get(), trSumField.get(),
                         diMinus.field.get(), diPlus.field.get()});
}

com::ComPtr<_RecordSet> aroon(_Database* data, _RecordSet* ohlcv, int periods) {
    const int n = Cursor(data).recordCount();
    const PriceColumn high(ohlcv, u"High");
    const PriceColumn low(ohlcv, u"Low");
    const WorkField up(n, u"Aroon Up");
    const WorkField down(n, u"Aroon Down");
    const WorkField oscillator(n, u"Aroon Oscillator");
    const auto recency = [&](int p, int extreme) { return divide(periods - (p - extreme), periods) * 100; };
    for (int p = periods + 1; p <= n; ++p) {
        double highest = high.at(p);
        double lowest = low.at(p);
        int highestAt = p;
        int lowestAt = p;
        for (int j = p - periods; j <= p - 1; ++j) {
            if (const double h = high.at(j); h > highest) {
                highest = h;
                highestAt = j;
            }
            if (const double l = low.at(j); l < lowest) {
                lowest = l;
                lowestAt = j;
            }
        }
        up.series.set(p, recency(p, highestAt));
        down.series.set(p, recency(p, lowestAt));
        oscillator.series.set(p, up.series.at(p) - down.series.at(p));
    }
    return newRecordSet({up.field.get(), down.field.get(), oscillator.field.get()});
}

com::HRESULT Oscillator::AverageTrueRange(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                          com::Bstr* alias, _RecordSet** result) {
    return runIndicator({"Oscillator.AverageTrueRange", u"ATR"}, alias, result,
                        [&](const com::Bstr& name) { return averageTrueRange(data, ohlcv, periods, name); });
}

com::HRESULT Oscillator::TrueRange(_Database* data, _RecordSet* ohlcv, com::Bstr* alias,
                                   _RecordSet** result) {
    return runIndicator({"Oscillator.TrueRange", u"TR"}, alias, result,
                        [&](const com::Bstr& name) { return trueRange(data, ohlcv, name); });
}

com::HRESULT Oscillator::DirectionalMovementSystem(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                                   _RecordSet** result) {
    return runCalculation("Oscillator.DirectionalMovementSystem", result,
                          [&] { return directionalMovementSystem(data, ohlcv, periods); });
}

com::HRESULT Oscillator::Aroon(_Database* data, _RecordSet* ohlcv, com::SHORT periods, _RecordSet** result) {
    return runCalculation("Oscillator.Aroon", result, [&] { return aroon(data, ohlcv, periods); });
}

}  // namespace indikon
