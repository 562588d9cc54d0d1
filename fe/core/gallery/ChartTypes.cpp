#include "gallery/ChartTypes.h"

#include "analytical/CAnalyticalChart.h"
#include "dravik/Commands.h"
#include "gallery/CBarTypeChart.h"
#include "gallery/CKagiChart.h"
#include "gallery/CPointFigureChart.h"
#include "gallery/CRenkoChart.h"
#include "gallery/CThreeLineBreakChart.h"

namespace dravik {

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
        case FINANCIAL_ANALYTICAL:
            return std::make_unique<CAnalyticalChart>(owner);
        case FINANCIAL_BARTYPE:
            return std::make_unique<CBarTypeChart>(owner);
        default:
            return nullptr;
    }
}

}  // namespace dravik
