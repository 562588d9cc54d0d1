#include "gallery/CRenkoChart.h"

#include "dravik/Commands.h"
#include "dravik/Identities.h"
#include "special/RenkoBuilder.h"

namespace dravik {

CRenkoChart::CRenkoChart(CFinancialCharts* owner)
    : CBoxChartBase(owner, static_cast<SHORT>(kFirstGalleryNumber + CHART_RENKO), u"Renko.", CHART_RENKO) {}

FigureBuild CRenkoChart::BuildOwnFigure(std::span<const double> values) {
    return BuildRenkoFigure(values, settings_, figure_);
}

void CRenkoChart::MarkSignals() {
    MarkRenkoSignals(figure_);
}

HRESULT CRenkoChart::ExchangeOwnSettings(CPropertyArchive& archive, LONG version) {
    return ExchangeRenkoSettings(settings_, archive, static_cast<std::uint32_t>(version));
}

const com::CLSID& CRenkoChart::PageClsid() const {
    return CLSID_RenkoPage;
}

}  // namespace dravik
