// The chart series a special chart builds its figure from.
#pragma once

#include "studies/StudyRows.h"

namespace dravik {

// The extension's WorkSeries: -4..-1 name the bound open, high, low and close series (series 0 when
// that one is not bound), 0..seriesCount-1 a chart series; any other index means series 0.
int SpecialWorkSeries(int workSeries, const BoundPriceSeries& bound, int seriesCount);

}  // namespace dravik
