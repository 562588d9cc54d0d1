#include "special/WorkSeries.h"

#include "studies/StudyRows.h"

namespace dravik {

int SpecialWorkSeries(int workSeries, const BoundPriceSeries& bound, int seriesCount) {
    // The studies read their work series by the same rule.
    return WorkSeriesRow(workSeries, bound, seriesCount);
}

int SpecialWorkSeries(int workSeries, std::int16_t open, std::int16_t high, std::int16_t low,
                      std::int16_t close, int seriesCount) {
    BoundPriceSeries bound;
    bound.open = open;
    bound.high = high;
    bound.low = low;
    bound.close = close;
    return SpecialWorkSeries(workSeries, bound, seriesCount);
}

}  // namespace dravik
