#include "gallery/ChartTypes.h"

#include "analytical/CAnalyticalChart.h"
#include "dravik/Commands.h"
#include "gallery/CBarTypeChart.h"
#include "gallery/CPlainChartType.h"

namespace dravik {
namespace {

// Capability word of each chart type: the four special charts, the analytical chart, the bar type.
constexpr LONG kCapabilities[kChartTypeCount] = {
    kGalleryFlagsSpecial, kGalleryFlagsSpecial, kGalleryFlagsSpecial,
    kGalleryFlagsSpecial, kGalleryFlagsBase,    kGalleryFlagsBarType,
};

}  // namespace

std::unique_ptr<CGalleryBase> CreateChartType(SHORT index, CFinancialCharts* owner) {
    if (index < 0 || index >= kChartTypeCount)
        return nullptr;
    if (index == FINANCIAL_BARTYPE)
        return std::make_unique<CBarTypeChart>(owner);
    if (index == FINANCIAL_ANALYTICAL)
        return std::make_unique<CAnalyticalChart>(owner);
    return std::make_unique<CPlainChartType>(owner, static_cast<SHORT>(kFirstGalleryNumber + index),
                                             kCapabilities[index]);
}

}  // namespace dravik
