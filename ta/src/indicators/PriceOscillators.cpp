#include "indicators/PriceOscillators.h"

#include <algorithm>

#include "core/Indicator.h"
#include "indicators/Averages.h"
#include "indicators/Oscillator.h"
#include "indicators/PriceColumn.h"

namespace indikon {
namespace {

const com::Bstr kAverageName(u"MA");

// The average of kind `maType` under the name "MA"; a code outside 1..7 leaves nothing to read.
com::ComPtr<_Field> averageOfKind(int maType, _Database* data, _Field* source, int periods) {
    const com::ComPtr<_RecordSet> averaged = movingAverageOfType(maType, data, source, periods, kAverageName);
    if (!averaged)
        raise(RuntimeError::ObjectNotSet);
    return fieldNamed(averaged.get(), kAverageName);
}

PriceColumn exponentialOf(_Database* data, _Field* source, int periods) {
    const com::Bstr name(u"EMA");
    return PriceColumn(exponentialMovingAverage(data, source, periods, name).get(), name.view());
}

}  // namespace

com::ComPtr<_RecordSet> priceOscillator(_Database* data, _Field* source, int longCycle, int shortCycle,
                                        int maType, const com::Bstr& name) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    const com::ComPtr<_Field> longField = averageOfKind(maType, data, source, longCycle);
    const com::ComPtr<_Field> shortField = averageOfKind(maType, data, source, shortCycle);
    const Series longAverage(longField.get());
    const Series shortAverage(shortField.get());
    walkRecords(cursor, std::max(longCycle, shortCycle) + 1, n, [&](int p) {
        const double base = longAverage.at(p);
        out.set(p, finiteValue(divide(shortAverage.at(p) - base, base) * 100));
    });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

com::ComPtr<_RecordSet> macd(_Database* data, _RecordSet* ohlcv, int signalPeriods, const com::Bstr& name) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    const com::ComPtr<_Field> closeField = fieldNamed(ohlcv, com::Bstr(u"Close"));
    const PriceColumn slow = exponentialOf(data, closeField.get(), 26);
    const PriceColumn fast = exponentialOf(data, closeField.get(), 12);
    walkRecords(cursor, signalPeriods + 1, n,
                [&](int p) { out.set(p, finiteValue(fast.at(p) - slow.at(p))); });

    const com::Bstr averageName(u"EMA");
    const com::ComPtr<_Field> signal = fieldNamed(
        exponentialMovingAverage(data, result.get(), signalPeriods, averageName).get(), averageName);
    check(signal->setName(com::Bstr(name.text() + u"Signal")));
    cursor.moveFirst();
    return newRecordSet({result.get(), signal.get()});
}

com::ComPtr<_RecordSet> easeOfMovement(_Database* data, _RecordSet* ohlcv, int periods, int maType,
                                       const com::Bstr& name) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> raw = newField(n, name);
    const Series out(raw.get());
    const PriceColumn high(ohlcv, u"High");
    const PriceColumn low(ohlcv, u"Low");
    const PriceColumn volume(ohlcv, u"Volume");
    double boxRatio = 0;
    walkRecords(cursor, 2, n, [&](int p) {
        const double move = (low.at(p) + high.at(p)) / 2 - (low.at(p - 1) + high.at(p - 1)) / 2;
        const double range = high.at(p) - low.at(p);
        if (range != 0)
            boxRatio = divide(volume.at(p), range);
        out.set(p, finiteValue(divide(move, boxRatio) * 10000));
    });
    const com::ComPtr<_Field> average = averageOfKind(maType, data, raw.get(), periods);
    check(average->setName(name));
    cursor.moveFirst();
    return newRecordSet({average.get()});
}

com::ComPtr<_RecordSet> detrendedPriceOscillator(_Database* data, _Field* source, int periods, int maType,
                                                 const com::Bstr& name) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());
    const Series price(source);
    const com::ComPtr<_Field> averageField = averageOfKind(maType, data, source, periods);
    const Series average(averageField.get());
    walkRecords(cursor, periods + 1, n, [&](int p) {
        const int back = roundToInteger(p - (periods / 2.0 + 1));
        out.set(p, finiteValue(price.at(p) - average.at(back)));
    });
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

com::HRESULT Oscillator::PriceOscillator(_Database* data, _Field* source, com::SHORT longCycle,
                                         com::SHORT shortCycle, com::SHORT maType, com::Bstr* alias,
                                         _RecordSet** result) {
    // The cycles are checked before the alias takes its default.
    if (longCycle <= shortCycle && result) {
        *result = nullptr;
        return reportFailures([] { raiseValidation(Error::ShortCycleNotLess, "PriceOscillator"); });
    }
    return runIndicator({"Oscillator.PriceOscillator", u"PriceOscillator"}, alias, result,
                        [&](const com::Bstr& name) {
                            return priceOscillator(data, source, longCycle, shortCycle, maType, name);
                        });
}

com::HRESULT Oscillator::MACD(_Database* data, _RecordSet* ohlcv, com::SHORT signalPeriods, com::Bstr* alias,
                              _RecordSet** result) {
    return runIndicator({"Oscillator.MACD", u"MACD"}, alias, result,
                        [&](const com::Bstr& name) { return macd(data, ohlcv, signalPeriods, name); });
}

com::HRESULT Oscillator::EaseOfMovement(_Database* data, _RecordSet* ohlcv, com::SHORT periods,
                                        com::SHORT maType, com::Bstr* alias, _RecordSet** result) {
    return runIndicator(
        {"Oscillator.EaseOfMovement", u"EaseOfMovement"}, alias, result,
        [&](const com::Bstr& name) { return easeOfMovement(data, ohlcv, periods, maType, name); });
}

com::HRESULT Oscillator::DetrendedPriceOscillator(_Database* data, _Field* source, com::SHORT periods,
                                                  com::SHORT maType, com::Bstr* alias, _RecordSet** result) {
    return runIndicator(
        {"Oscillator.DetrendedPriceOscillator", u"DetrendedPriceOscillator"}, alias, result,
        [&](const com::Bstr& name) { return detrendedPriceOscillator(data, source, periods, maType, name); });
}

}  // namespace indikon
