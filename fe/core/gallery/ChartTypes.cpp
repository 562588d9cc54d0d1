#include "gallery/ChartTypes.h"

#include "dravik/Commands.h"
#include "gallery/CBarTypeChart.h"
#include "gallery/CKagiChart.h"
#include "gallery/CPlainChartType.h"
#include "gallery/CPointFigureChart.h"
#include "gallery/CRenkoChart.h"
#include "gallery/CThreeLineBreakChart.h"

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
    switch (index) {
        case CHART_POINTANDFIGURE:
            return std::make_unique<CPointFigureChart>(owner);
        case CHART_RENKO:
            return std::make_unique<CRenkoChart>(owner);
        case CHART_KAGI:
            return std::make_unique<CKagiChart>(owner);
        case CHART_THREELINEBREAK:
            return std::make_unique<CThreeLineBreakChart>(owner);
        case FINANCIAL_BARTYPE:
            return std::make_unique<CBarTypeChart>(owner);
        default:
            break;
    }
    return std::make_unique<CPlainChartType>(owner, static_cast<SHORT>(kFirstGalleryNumber + index),
                                             kCapabilities[index]);
}

}  // namespace dravik
