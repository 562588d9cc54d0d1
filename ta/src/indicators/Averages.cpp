#include "indicators/Averages.h"

#include <cmath>
#include <string>

#include "indicators/Momentum.h"
#include "indicators/Regression.h"
#include "indicators/kernels/Smoothing.h"

namespace indikon {
namespace {

const com::Bstr kRegressionFields[] = {com::Bstr(u"RSquared"), com::Bstr(u"Slope"), com::Bstr(u"Intercept"),
                                       com::Bstr(u"Forecast")};

// The outline of the averages that smooth by a cursor kernel: a result field of record-count values,
// the kernel, the cursor back at the first record.
template <typename Kernel>
com::ComPtr<_RecordSet> smoothed(_Database* data, _Field* source, const com::Bstr& name, Kernel&& kernel) {
    Cursor cursor(data);
    const Series input(source);
    const com::ComPtr<_Field> result = newField(cursor.recordCount(), name);
    kernel(cursor, input, Series(result.get()));
    cursor.moveFirst();
    return newRecordSet({result.get()});
}

// The averages built on another indicator's record set: the result field joins that record set,
// `blend` fills it at each record from `first` on, and the helper fields are removed by name (the
// first field of each name, so a result named like a helper stays).
template <typename Blend>
com::ComPtr<_RecordSet> builtOn(_Database* data, const com::ComPtr<_RecordSet>& records, int first,
                                std::span<const com::Bstr> helpers, const com::Bstr& name, Blend&& blend) {
    Cursor cursor(data);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    check(records->addField(result.get()));
    const Series out(result.get());
    walkRecords(cursor, first, n, [&](int i) { out.set(i, blend(i, out)); });
    for (const com::Bstr& helper : helpers)
        check(records->removeField(helper));
    cursor.moveFirst();
    return records;
}

constexpr MovingAverageKind kKinds[] = {
    {MAType::Simple,
     {"MovingAverage.SimpleMovingAverage", u"SimpleMovingAverage"},
     [](_Database* d, _Field* s, int p, double, const com::Bstr& n) {
         return simpleMovingAverage(d, s, p, n);
     }},
    {MAType::Exponential,
     {"MovingAverage.ExponentialMovingAverage", u"ExponentialMovingAverage"},
     [](_Database* d, _Field* s, int p, double, const com::Bstr& n) {
         return exponentialMovingAverage(d, s, p, n);
     }},
    {MAType::TimeSeries,
     {"MovingAverage.TimeSeriesMovingAverage", u"TimeSeriesMovingAverage"},
     [](_Database* d, _Field* s, int p, double, const com::Bstr& n) {
         return timeSeriesMovingAverage(d, s, p, n);
     }},
    {MAType::Variable,
     {"MovingAverage.VariableMovingAverage", u"VariableMovingAverage"},
     [](_Database* d, _Field* s, int p, double, const com::Bstr& n) {
         return variableMovingAverage(d, s, p, n);
     }},
    {MAType::Triangular,
     {"MovingAverage.TriangularMovingAverage", u"TriangularMovingAverage"},
     [](_Database* d, _Field* s, int p, double, const com::Bstr& n) {
         return triangularMovingAverage(d, s, p, n);
     }},
    {MAType::Weighted,
     {"MovingAverage.WeightedMovingAverage", u"WeightedMovingAverage"},
     [](_Database* d, _Field* s, int p, double, const com::Bstr& n) {
         return weightedMovingAverage(d, s, p, n);
     }},
    {MAType::VIDYA,
     {"MovingAverage.VIDYA", u"VIDYA"},
     [](_Database* d, _Field* s, int p, double scale, const com::Bstr& n) {
         return vidya(d, s, p, scale, n);
     }},
};

}  // namespace

com::ComPtr<_RecordSet> simpleMovingAverage(_Database* data, _Field* source, int periods,
                                            const com::Bstr& name) {
    return smoothed(data, source, name, [&](Cursor& cursor, const Series& in, const Series& out) {
        kernels::simpleAverage(cursor, in, out, periods);
    });
}

com::ComPtr<_RecordSet> exponentialMovingAverage(_Database* data, _Field* source, int periods,
                                                 const com::Bstr& name) {
    return smoothed(data, source, name, [&](Cursor& cursor, const Series& in, const Series& out) {
        kernels::exponentialAverage(cursor, in, out, periods);
    });
}

com::ComPtr<_RecordSet> weightedMovingAverage(_Database* data, _Field* source, int periods,
                                              const com::Bstr& name) {
    return smoothed(data, source, name, [&](Cursor& cursor, const Series& in, const Series& out) {
        kernels::weightedAverage(cursor, in, out, periods);
    });
}

com::ComPtr<_RecordSet> triangularMovingAverage(_Database* data, _Field* source, int periods,
                                                const com::Bstr& name) {
    return smoothed(data, source, name, [&](Cursor& cursor, const Series& in, const Series& out) {
        const com::ComPtr<_Field> work = newField(cursor.recordCount(), com::Bstr(u"MA1"));
        kernels::triangularAverage(cursor, in, Series(work.get()), out, periods);
    });
}

com::ComPtr<_RecordSet> timeSeriesMovingAverage(_Database* data, _Field* source, int periods,
                                                const com::Bstr& name) {
    const com::ComPtr<_RecordSet> records = regression(data, source, periods);
    const com::ComPtr<_Field> forecast = fieldNamed(records.get(), com::Bstr(u"Forecast"));
    const Series line(forecast.get());
    return builtOn(data, records, 1, kRegressionFields, name,
                   [&](int i, const Series&) { return line.at(i); });
}

com::ComPtr<_RecordSet> variableMovingAverage(_Database* data, _Field* source, int, const com::Bstr& name) {
    // The oscillator's window is fixed; the average's own period plays no part.
    constexpr int kOscillatorPeriods = 9;
    const com::Bstr oscillatorName(u"CMO");
    const com::ComPtr<_RecordSet> records = cmo(data, source, kOscillatorPeriods, oscillatorName);
    const Series oscillator(fieldNamed(records.get(), oscillatorName).get());
    const Series input(source);
    return builtOn(data, records, 2, std::span(&oscillatorName, 1), name, [&](int i, const Series& out) {
        const double c = std::abs(oscillator.at(i) / 100);
        return (1 - c) * out.at(i - 1) + c * input.at(i);
    });
}

com::ComPtr<_RecordSet> vidya(_Database* data, _Field* source, int periods, double r2Scale,
                              const com::Bstr& name) {
    const com::ComPtr<_RecordSet> records = regression(data, source, periods);
    const Series rSquared(fieldNamed(records.get(), com::Bstr(u"RSquared")).get());
    const Series input(source);
    return builtOn(data, records, 2, kRegressionFields, name, [&](int i, const Series&) {
        const double k = rSquared.at(i) * r2Scale;
        return (1 - k) * input.at(i - 1) + k * input.at(i);
    });
}

com::ComPtr<_RecordSet> wellesWilderSmoothing(_Field* source, int periods, const com::Bstr& name) {
    const Series input(source);
    com::SHORT n = 0;
    check(source->getRecordCount(&n));
    const com::ComPtr<_Field> result = newField(n, name);
    kernels::wilderSmoothing(input, Series(result.get()), periods, n);
    return newRecordSet({result.get()});
}

std::span<const MovingAverageKind> movingAverageKinds() {
    return kKinds;
}

const MovingAverageKind* findMovingAverageKind(int code) {
    for (const MovingAverageKind& kind : kKinds) {
        if (static_cast<int>(kind.type) == code)
            return &kind;
    }
    return nullptr;
}

bool isMovingAverageType(int code) {
    return findMovingAverageKind(code) != nullptr;
}

com::ComPtr<_RecordSet> movingAverageOfType(int code, _Database* data, _Field* source, int periods,
                                            const com::Bstr& alias, double r2Scale) {
    const MovingAverageKind* kind = findMovingAverageKind(code);
    if (!kind)
        return nullptr;
    return convertFailures(Error::Unexpected, unexpectedSource(kind->method.source),
                           [&] { return kind->compute(data, source, periods, r2Scale, alias); });
}

}  // namespace indikon
