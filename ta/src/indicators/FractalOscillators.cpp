#include "indicators/FractalOscillators.h"

#include "core/Indicator.h"
#include "indicators/Averages.h"
#include "indicators/Momentum.h"
#include "indicators/Regression.h"
#include "indicators/kernels/Fractal.h"

namespace indikon {
namespace {

// The average of kind `maType` of the close over `periods` records.
com::ComPtr<_Field> averageOf(_Database* data, const Series& close, int maType, int periods) {
    const com::Bstr averageName(u"MA");
    const com::ComPtr<_RecordSet> averaged =
        movingAverageOfType(maType, data, close.field(), periods, averageName);
    return fieldNamed(averaged.get(), averageName);
}

}  // namespace

com::ComPtr<_RecordSet> rainbowOscillator(_Database* data, _RecordSet* ohlcv, int levels, int maType,
                                          const com::Bstr& name) {
    const int n = Cursor(data).recordCount();
    const com::ComPtr<_Field> result = newField(n, name);
    const Series sum(result.get());
    const com::ComPtr<_Field> closeField = fieldNamed(ohlcv, com::Bstr(u"Close"));
    const Series close(closeField.get());
    // Only VIDYA's window grows with the level; every other kind averages `levels` records at each
    // level, so its average is computed once and its deviation added once per level.
    const bool growing = maType == static_cast<int>(MAType::VIDYA);
    com::ComPtr<_Field> average;
    for (int level = 2; level <= levels; ++level) {
        if (growing || !average)
            average = averageOf(data, close, maType, growing ? level : levels);
        const Series ma(average.get());
        for (int j = 1; j <= n; ++j)
            sum.set(j, sum.at(j) + (close.at(j) - ma.at(j)));
        yieldToMessageLoop();
    }
    // The division is by the number of levels, one more than the averages summed.
    for (int j = 1; j <= n; ++j)
        sum.set(j, divide(sum.at(j), levels));
    return newRecordSet({result.get()});
}

com::ComPtr<_RecordSet> linearMomentumOscillator(_Database* data, _Field* source, int periods,
                                                 const com::Bstr& name) {
    const com::Bstr momentumName(u"CMO");
    const com::ComPtr<_RecordSet> momentum = cmo(data, source, periods, momentumName);
    const com::ComPtr<_RecordSet> fit =
        regression(data, fieldNamed(momentum.get(), momentumName).get(), periods);
    const com::ComPtr<_Field> result = fieldNamed(fit.get(), com::Bstr(u"RSquared"));
    check(result->setName(name));
    const Series value(result.get());
    const int n = Cursor(data).recordCount();
    for (int j = 1; j <= n; ++j)
        value.set(j, (value.at(j) - 0.5) * 2 * 100);
    return newRecordSet({result.get()});
}

com::ComPtr<_RecordSet> chaosFractalOscillator(_Database* data, _RecordSet* ohlcv) {
    const com::ComPtr<_Field> high = fieldNamed(ohlcv, com::Bstr(u"High"));
    const com::ComPtr<_Field> low = fieldNamed(ohlcv, com::Bstr(u"Low"));
    const kernels::FractalWindow fractal{Series(high.get()), Series(low.get())};
    const int n = Cursor(data).recordCount();
    const com::ComPtr<_Field> result = newField(n, com::Bstr(u"Chaos Fractal Oscillator"));
    const Series mark(result.get());
    for (int p = 2; p <= n; ++p) {
        // The low test runs second, so a record that is both ends up marked as a low.
        if (fractal.isHigh(p))
            mark.set(p, 1);
        if (fractal.isLow(p))
            mark.set(p, -1);
        yieldAfterRecord(p);
    }
    return newRecordSet({result.get()});
}

com::SHORT fractalPeriods(com::SHORT periods) {
    constexpr com::SHORT kDefaultPeriods = 100;
    return periods < 1 ? kDefaultPeriods : periods;
}

}  // namespace indikon
