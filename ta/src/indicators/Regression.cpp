#include "indicators/Regression.h"

#include <cstdint>
#include <span>
#include <vector>

#include "core/Indicator.h"
#include "indicators/kernels/Window.h"

namespace indikon {
namespace {

struct WindowSums {
    double x = 0;
    double y = 0;
    double xx = 0;
    double yy = 0;
    double xy = 0;
};

// Sums over the window of `periods` values ending at `newest`, x = 1 (oldest) .. periods. Each x * x
// is an Integer product, so a window of 182 or more overflows.
WindowSums windowSums(const Series& source, int newest, int periods) {
    WindowSums sums;
    for (int x = 1; x <= periods; ++x) {
        const double y = source.at(newest - periods + x);
        sums.x += x;
        sums.y += y;
        sums.xx += toInteger(x * x);
        sums.yy += y * y;
        sums.xy += x * y;
    }
    return sums;
}

struct Line {
    double slope = 0;
    double intercept = 0;
    double forecast = 0;
};

struct RegressionOutput {
    Series slope;
    Series intercept;
    Series forecast;
    Series rSquared;
};

}  // namespace

com::ComPtr<_RecordSet> regression(_Database* data, _Field* source, int periods) {
    Cursor cursor(data);
    const Series values(source);
    const int n = cursor.recordCount();
    const com::ComPtr<_Field> slopeField = newField(n, com::Bstr(u"Slope"));
    const com::ComPtr<_Field> interceptField = newField(n, com::Bstr(u"Intercept"));
    const com::ComPtr<_Field> forecastField = newField(n, com::Bstr(u"Forecast"));
    const com::ComPtr<_Field> rSquaredField = newField(n, com::Bstr(u"RSquared"));
    const RegressionOutput out{Series(slopeField.get()), Series(interceptField.get()),
                               Series(forecastField.get()), Series(rSquaredField.get())};
    cursor.moveFirst();

    // Carried from record to record: a window without a defined R-squared repeats the last one.
    double rSquared = 0;
    const double p = periods;
    if (periods <= n) {
        walkRecords(cursor, periods, n, [&](int r) {
            const WindowSums s = windowSums(values, r, periods);
            const double sxy = s.xy - divide(s.x * s.y, p);
            const double sxx = s.xx - divide(s.x * s.x, p);
            const double syy = s.yy - divide(s.y * s.y, p);
            Line line;
            line.slope = divide(sxy, sxx);
            const int middle = roundToInteger(p / 2);
            line.intercept = divide(1, p) * s.y - middle * line.slope;
            line.forecast = p * line.slope + line.intercept;
            if (sxy * sxy != 0 && syy * sxx != 0)
                rSquared = divide(sxy * sxy, syy * sxx);
            out.slope.set(r, line.slope);
            out.intercept.set(r, line.intercept);
            out.forecast.set(r, line.forecast);
            out.rSquared.set(r, rSquared);
        });
    }
    cursor.moveFirst();
    return newRecordSet({slopeField.get(), interceptField.get(), forecastField.get(), rSquaredField.get()});
}

com::ComPtr<_RecordSet> timeSeriesForecast(_Database* data, _Field* source, int periods,
                                           const com::Bstr& name) {
    const com::ComPtr<_RecordSet> records = regression(data, source, periods);
    check(records->renameField(com::Bstr(u"Forecast"), name));
    for (const char16_t* unused : {u"Slope", u"Intercept", u"RSquared"})
        check(records->removeField(com::Bstr(unused)));
    Cursor(data).moveFirst();
    return records;
}

com::SHORT cycleLength(_Field* source) {
    const Series series(source);
    com::SHORT n = 0;
    check(source->getRecordCount(&n));
    // The search for a return looks ahead over the rest of the series; read it once.
    std::vector<double> s(static_cast<std::size_t>(n > 0 ? n : 0) + 1);
    for (int i = 1; i <= n; ++i)
        s[static_cast<std::size_t>(i)] = series.at(i);

    // The distances of a series of n records add up to at most about n * n / 2: a 16-bit total
    // would overflow on any real series of a few hundred records, so it is kept in 64 bits; the
    // mean returned is at most n and fits the 16-bit result.
    std::int64_t total = 0;
    for (int i = 2; i <= n - 1; ++i) {
        const double previous = s[static_cast<std::size_t>(i - 1)];
        const double next = s[static_cast<std::size_t>(i + 1)];
        int distance = 0;
        bool found = false;
        // Only falling neighbours leave room for a value strictly between them.
        if (next < previous) {
            // Positions i + 2 .. n.
            const std::span<const double> rest(s.data() + i + 2, static_cast<std::size_t>(n - i - 1));
            if (const std::size_t k = kernels::firstStrictlyBetween(rest, next, previous); k < rest.size()) {
                distance = static_cast<int>(k) + 1;
                found = true;
            }
        }
        if (!found && previous == 0)
            distance = n - i;
        total += distance;
        yieldToMessageLoop();
    }
    return roundToInteger(divide(static_cast<double>(total), n - 2));
}

}  // namespace indikon
