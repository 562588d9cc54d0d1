// Rolling linear regression and the cycle length of a series.
#pragma once

#include "com/Bstr.h"
#include "com/ComPtr.h"
#include "indikon/_Database.h"

namespace indikon {

// Fits y = slope * x + intercept to the `periods` values ending at each record r = periods .. n
// (x = 1 for the oldest, periods for record r) and returns the fields "Slope", "Intercept",
// "Forecast" (the line at x = periods) and "RSquared", in that order; records before `periods` hold 0.
// The intercept is taken about x = periods / 2 rounded halves to even (2 for 5, 4 for 7). A window
// whose R-squared has a zero numerator or denominator repeats the R-squared of the record before.
// Fails for periods below 2 (no line through fewer than two points), for x * x beyond an Integer
// (periods of 182 or more) and for a window whose x values do not vary; periods beyond the record
// count compute nothing. The cursor walks the records and is left at the first.
com::ComPtr<_RecordSet> regression(_Database* data, _Field* source, int periods);

// Regression's "Forecast" alone, renamed `name`.
com::ComPtr<_RecordSet> timeSeriesForecast(_Database* data, _Field* source, int periods,
                                           const com::Bstr& name);

// For every inner record whose neighbours fall (next below previous), the distance to the first later
// record strictly between them (0 when none does, or n - i when the previous value is exactly 0);
// the mean distance over the n - 2 inner records, halves to even. 0 for fewer than two records; two
// records fail (0 / 0).
com::SHORT cycleLength(_Field* source);

}  // namespace indikon
