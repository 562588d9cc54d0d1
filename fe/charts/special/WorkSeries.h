// The chart series a special chart builds its figure from.
#pragma once

#include <cstdint>

namespace dravik {

struct BoundPriceSeries;

// The extension's WorkSeries: -4..-1 name the bound open, high, low and close series (series 0 when
// that one is not bound), 0..seriesCount-1 a chart series; any other index means series 0.
int SpecialWorkSeries(int workSeries, const BoundPriceSeries& bound, int seriesCount);
// The same with the bound series given one by one (-1: not bound).
int SpecialWorkSeries(int workSeries, std::int16_t open, std::int16_t high, std::int16_t low,
                      std::int16_t close, int seriesCount);

}  // namespace dravik
