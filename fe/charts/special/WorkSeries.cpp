#include "special/WorkSeries.h"

namespace dravik {

int SpecialWorkSeries(int workSeries, const BoundPriceSeries& bound, int seriesCount) {
    // The studies read their work series by the same rule.
    return WorkSeriesRow(workSeries, bound, seriesCount);
}

}  // namespace dravik
