#include "gallery/CThreeLineBreakChart.h"

#include "dravik/Commands.h"
#include "dravik/Identities.h"
#include "special/ThreeLineBreakBuilder.h"

namespace dravik {

CThreeLineBreakChart::CThreeLineBreakChart(CFinancialCharts* owner)
    : CBoxChartBase(owner, static_cast<SHORT>(kFirstGalleryNumber + CHART_THREELINEBREAK), u"ThreeLineBreak.",
                    CHART_THREELINEBREAK) {}

FigureBuild CThreeLineBreakChart::BuildOwnFigure(std::span<const double> values) {
    return BuildThreeLineBreakFigure(values, settings_, figure_);
}

void CThreeLineBreakChart::MarkSignals() {
    MarkThreeLineBreakSignals(figure_, settings_.breakDays);
}

HRESULT CThreeLineBreakChart::ExchangeOwnSettings(CPropertyArchive& archive, LONG version) {
    return ExchangeThreeLineBreakSettings(settings_, archive, static_cast<std::uint32_t>(version));
}

const com::CLSID& CThreeLineBreakChart::PageClsid() const {
    return CLSID_ThreeLineBreakPage;
}

}  // namespace dravik
