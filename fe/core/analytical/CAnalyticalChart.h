// The analytical chart type of the extension: gallery 134, "Analytical".
#pragma once

#include "analytical/CAnalyticalChartBase.h"

namespace dravik {

class CAnalyticalChart final : public CAnalyticalChartBase {
public:
    explicit CAnalyticalChart(CFinancialCharts* owner)
        : CAnalyticalChartBase(owner, kAnalyticalGalleryNumber) {}
};

}  // namespace dravik
