// The six chart types of the extension object, by gallery index (lomexFinancialGallery).
#pragma once

#include <functional>
#include <memory>

#include "gallery/CGalleryBase.h"

namespace dravik {

inline constexpr LONG kChartTypeCount = 6;
// Chart types 0-4 get gallery commands; the bar type (5) has none.
inline constexpr LONG kCommandChartTypeCount = 5;

// Makes the chart type of `index` for `owner`; null when it cannot be made.
using ChartTypeFactory = std::function<std::unique_ptr<CGalleryBase>(SHORT index, CFinancialCharts* owner)>;

std::unique_ptr<CGalleryBase> CreateChartType(SHORT index, CFinancialCharts* owner);

}  // namespace dravik
