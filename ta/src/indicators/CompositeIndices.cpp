#include "indicators/CompositeIndices.h"

#include <cmath>

#include "containers/Field.h"
#include "core/Indicator.h"
#include "indicators/Averages.h"
#include "indicators/PriceColumn.h"
#include "indicators/PriceFunctions.h"

namespace indikon {
namespace {

// The mass index always compares nine-record averages of the range, whatever its own window.
constexpr int kMassAveragePeriods = 9;
// The commodity channel index measures in units of 1.5 % of the mean deviation.
constexpr double kChannelScale = 0.015;

// `field` smoothed by kind `code` over `periods` records under the alias `name`, read back by that
// name; a length of 1 or less leaves the field as it is. A code outside 1..7 computes no average, and
// the lookup of the missing result fails.
com::ComPtr<_Field> smoothedByKind(_Database* data, const com::ComPtr<_Field>& field, int code, int periods,
                                   const com::Bstr& name) {
    if (periods <= 1)
        return field;
    const com::ComPtr<_RecordSet> averaged = movingAverageOfType(code, data, field.get(), periods, name);
    return fieldNamed(averaged.get(), name);
}

}  // namespace

com::ComPtr<_RecordSet> massIndex(_Database* data, _RecordSet* ohlcv, int periods, const com::Bstr& name) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    if (periods < 1 || periods > n)
        raiseValidation(Error::InvalidPeriods, "Index.MassIndex");
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());

    const com::Bstr rangeName(u"HML");
    const com::Bstr averageName(u"EMA");
    const com::ComPtr<_RecordSet> range = dailyPrice(DailyPrice::HighMinusLow, data, ohlcv, rangeName);
    const com::ComPtr<_RecordSet> single = exponentialMovingAverage(
        data, fieldNamed(range.get(), rangeName).get(), kMassAveragePeriods, averageName);
    const com::ComPtr<_RecordSet> twice = exponentialMovingAverage(
        data, fieldNamed(single.get(), averageName).get(), kMassAveragePeriods, averageName);
    const PriceColumn e1(single.get(), averageName.view());
    const PriceColumn e2(twice.get(), averageName.view());

    for (int q = toInteger(2 * periods); q <= n; ++q) {
        double sum = 0;
        for (int p = q - periods + 1; p <= q; ++p)
            sum += divide(e1.at(p), e2.at(p));
        out.set(q, sum);
        yieldAfterRecord(q);
    }
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

com::ComPtr<_RecordSet> stochasticMomentumIndex(_Database* data, _RecordSet* ohlcv, int kPeriods, int kSmooth,
                                                int kDoubleSmooth, int dPeriods, int maType, int pctDMAType) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    // HHV and LLV of k span k + 1 records, so the range covers the kPeriods records asked for. The
    // caller's kPeriods is left as it was.
    const int k = toInteger(kPeriods - 1);
    const com::Bstr highestName(u"HHV");
    const com::Bstr lowestName(u"LLV");
    const com::ComPtr<_RecordSet> highest =
        highestHigh(data, fieldNamed(ohlcv, com::Bstr(u"High")).get(), k, highestName);
    const com::ComPtr<_RecordSet> lowest =
        lowestLow(data, fieldNamed(ohlcv, com::Bstr(u"Low")).get(), k, lowestName);
    const PriceColumn hhv(highest.get(), highestName.view());
    const PriceColumn llv(lowest.get(), lowestName.view());
    const PriceColumn close(ohlcv, u"Close");

    const com::Bstr rangeName(u"HHLL");
    const com::Bstr distanceName(u"CHHLL");
    com::ComPtr<_Field> range = newField(n, rangeName);
    com::ComPtr<_Field> distance = newField(n, distanceName);
    {
        const Series rangeOut(range.get());
        const Series distanceOut(distance.get());
        walkRecords(cursor, 1, n, [&](int p) {
            const double high = hhv.at(p);
            const double low = llv.at(p);
            rangeOut.set(p, high - low);
            distanceOut.set(p, close.at(p) - 0.5 * (high + low));
        });
    }
    distance = smoothedByKind(data, distance, maType, kSmooth, distanceName);
    distance = smoothedByKind(data, distance, maType, kDoubleSmooth, distanceName);
    range = smoothedByKind(data, range, maType, kSmooth, rangeName);
    range = smoothedByKind(data, range, maType, kDoubleSmooth, rangeName);

    const com::Bstr kName(u"%K");
    const com::ComPtr<_Field> percentK = newField(n, kName);
    const Series out(percentK.get());
    const Series smoothedRange(range.get());
    const Series smoothedDistance(distance.get());
    walkRecords(cursor, k + 1, n,
                [&](int p) { out.set(p, divide(100 * smoothedDistance.at(p), 0.5 * smoothedRange.at(p))); });

    const com::Bstr dName(u"%D");
    const com::ComPtr<_Field> percentD = dPeriods > 1
                                             ? smoothedByKind(data, percentK, pctDMAType, dPeriods, dName)
                                             : com::ComPtr<_Field>(com::makeComObject<Field>());
    cursor.moveFirst();
    return newRecordSet({percentK.get(), percentD.get()});
}

com::ComPtr<_RecordSet> commodityChannelIndex(_Database* data, _RecordSet* ohlcv, int periods,
                                              const com::Bstr& name) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series out(result.get());

    const com::Bstr typicalName(u"TP");
    const com::Bstr averageName(u"TPMA");
    const com::ComPtr<_RecordSet> typical = dailyPrice(DailyPrice::Typical, data, ohlcv, typicalName);
    const com::ComPtr<_Field> tpField = fieldNamed(typical.get(), typicalName);
    const com::ComPtr<_RecordSet> average = simpleMovingAverage(data, tpField.get(), periods, averageName);
    const Series tp(tpField.get());
    const PriceColumn tpma(average.get(), averageName.view());

    // Every record before 2 * periods keeps 0; with fewer records than that nothing is computed.
    const int first = toInteger(2 * periods);
    if (first <= n) {
        walkRecords(cursor, first, n, [&](int q) {
            double deviations = 0;
            for (int j = q - periods; j <= q; ++j)
                deviations += std::abs(tp.at(j) - tpma.at(j));
            const double meanDeviation = divide(deviations, periods);
            out.set(q, divide(tp.at(q) - tpma.at(q), kChannelScale * meanDeviation));
        });
    }
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

}  // namespace indikon
