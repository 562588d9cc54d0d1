#include "indicators/FractalBands.h"

#include "core/Indicator.h"
#include "indicators/Averages.h"
#include "indicators/kernels/Fractal.h"

namespace indikon {
namespace {

// The simple average of `source` over `periods` records, as a field named `name`.
com::ComPtr<_Field> averaged(_Database* data, _Field* source, int periods, const com::Bstr& name) {
    const com::ComPtr<_RecordSet> records = simpleMovingAverage(data, source, periods, name);
    return fieldNamed(records.get(), name);
}

}  // namespace

com::ComPtr<_RecordSet> fractalChaosBands(_Database* data, _RecordSet* ohlcv, int periods) {
    const com::Bstr upperName(u"Fractal High");
    const com::Bstr lowerName(u"Fractal Low");
    const com::ComPtr<_Field> highField = fieldNamed(ohlcv, com::Bstr(u"High"));
    const com::ComPtr<_Field> lowField = fieldNamed(ohlcv, com::Bstr(u"Low"));
    const Series high(highField.get());
    const Series low(lowField.get());
    const kernels::FractalWindow fractal(high, low);
    const int n = Cursor(data).recordCount();

    // Working values: the average of (high + low) / 3 plus the centre's high, and the centre's low less
    // the average of an all-zero field (which stays 0).
    const com::ComPtr<_Field> midline = newField(n, upperName);
    const Series mid(midline.get());
    for (int p = 1; p <= n; ++p)
        mid.set(p, (high.at(p) + low.at(p)) / 3);
    const com::ComPtr<_Field> upperField = averaged(data, midline.get(), periods, upperName);
    const com::ComPtr<_Field> lowerField = averaged(data, newField(n, lowerName).get(), periods, lowerName);
    const Series upper(upperField.get());
    const Series lower(lowerField.get());
    for (int p = 1; p <= n; ++p) {
        upper.set(p, upper.at(p) + fractal.laggedHigh(p, 2));
        lower.set(p, fractal.laggedLow(p, 2) - lower.at(p));
    }

    // Each band takes its centre where the record's marker equals its working value, and otherwise
    // repeats the value before.
    for (int p = 2; p <= n; ++p) {
        double marker = fractal.isHigh(p) ? upper.at(p) : 0;
        if (marker == 0)
            marker = fractal.isLow(p) ? lower.at(p) : 0;
        upper.set(p, upper.at(p) == marker ? fractal.laggedHigh(p, 2) : upper.at(p - 1));
        lower.set(p, lower.at(p) == marker ? fractal.laggedLow(p, 2) : lower.at(p - 1));
    }
    return newRecordSet({upperField.get(), lowerField.get()});
}

}  // namespace indikon
