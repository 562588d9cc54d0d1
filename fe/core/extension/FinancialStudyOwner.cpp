// What the study objects see of the extension. The parts that belong to the analytical chart (its study
// table, series buffer, study axes and calculation) go to that chart; without it (chart types made by
// another maker) they answer as for a chart with no study on it.
#include "analytical/CAnalyticalChartBase.h"
#include "axes/AxisObjectFactory.h"
#include "dravik/Commands.h"
#include "extension/CFinancialCharts.h"
#include "format/DefaultRecords.h"
#include "state/StudyTable.h"

namespace dravik {

bool CFinancialCharts::IsAnalyticalChartActive() {
    return activeIndex() == FINANCIAL_ANALYTICAL;
}

SHORT CFinancialCharts::StudyFirstSeries(int study) {
    CAnalyticalChartBase* analytical = analyticalChart();
    const LONG entry = analytical ? analytical->FindStudyEntry(static_cast<SHORT>(study)) : -1;
    return entry >= 0 ? analytical->entry(entry).firstSeries : SHORT{-1};
}

void CFinancialCharts::LayOutStudyAxes(int) {
    // The panes take their studies' Space and SpaceGap as they are laid out.
    if (CAnalyticalChartBase* analytical = analyticalChart())
        analytical->LayoutStudyAxes();
}

void CFinancialCharts::RecalculateStudy(int study) {
    CAnalyticalChartBase* analytical = analyticalChart();
    const LONG entry = analytical ? analytical->FindStudyEntry(static_cast<SHORT>(study)) : -1;
    if (entry < 0)
        return;
    analytical->RepaintStudy(entry);
    analytical->LayoutStudyAxes();
}

HRESULT CFinancialCharts::CreateStudyAxis(int study, ILomexAxis** axis) {
    if (!axis)
        return com::E_POINTER;
    *axis = nullptr;
    const StudyRecord* record = studyRecord(study);
    if (!record)
        return com::E_INVALIDARG;
    CAnalyticalChartBase* analytical = analyticalChart();
    if (analytical && activeIndex() == FINANCIAL_ANALYTICAL) {
        if (record->priceIndicator != 0)
            return analytical->CreatePriceAxisObject(axis);
        for (SHORT a = 0; a < static_cast<SHORT>(kStudyAxisCount); ++a) {
            if (analytical->axisRecord(a).study == study)
                return analytical->CreateStudyAxisObject(a, axis);
        }
    }
    // A price indicator shares the price axis; a study that owns no study axis gets an object on the
    // study's settings alone.
    if (record->priceIndicator != 0)
        return CreateChartAxisObject(*this, settings_.priceAxis, 0, axis);
    return CreateChartAxisObject(*this, *studyAxisSettings(study), -1, axis);
}

}  // namespace dravik
