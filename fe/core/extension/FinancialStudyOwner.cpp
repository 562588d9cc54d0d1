// What the study objects see of the extension. The parts that belong to the analytical chart (its study
// table, series buffer, study axes and calculation) answer as for a chart with no study on it until
// that chart takes them over.
#include "axes/AxisObjectFactory.h"
#include "dravik/Commands.h"
#include "extension/CFinancialCharts.h"
#include "format/DefaultRecords.h"
#include "state/StudyTable.h"

namespace dravik {

std::array<AxisSettingsRecord, kStudyCount> CFinancialCharts::MakeDefaultStudyAxes() {
    std::array<AxisSettingsRecord, kStudyCount> axes;
    for (std::size_t study = 0; study < kStudyCount; ++study)
        axes[study] = DefaultAxisRecord(StudyDefaultAxisRecord(static_cast<int>(study)));
    return axes;
}

AxisSettingsRecord* CFinancialCharts::studyAxisSettings(LONG study) {
    return study >= 0 && study < kStudyNumberCount ? &studyAxes_[static_cast<std::size_t>(study)] : nullptr;
}

bool CFinancialCharts::IsAnalyticalChartActive() {
    return activeIndex() == FINANCIAL_ANALYTICAL;
}

SHORT CFinancialCharts::StudyFirstSeries(int) {
    // Only the analytical chart's study table gives studies series of their own.
    return -1;
}

void CFinancialCharts::LayOutStudyAxes(int) {
    // The study axes are laid out by the analytical chart; without it there is nothing to lay out.
}

void CFinancialCharts::RecalculateStudy(int) {
    // Studies are computed by the analytical chart; without it there is nothing to compute.
}

HRESULT CFinancialCharts::CreateStudyAxis(int study, ILomexAxis** axis) {
    if (!axis)
        return com::E_POINTER;
    *axis = nullptr;
    const StudyRecord* record = studyRecord(study);
    if (!record)
        return com::E_INVALIDARG;
    // A price indicator shares the price axis; another study owns no study axis while the analytical
    // chart does not place it, so its object works on the study's settings alone.
    if (record->priceIndicator != 0)
        return CreateChartAxisObject(*this, settings_.priceAxis, 0, axis);
    return CreateChartAxisObject(*this, *studyAxisSettings(study), -1, axis);
}

}  // namespace dravik
