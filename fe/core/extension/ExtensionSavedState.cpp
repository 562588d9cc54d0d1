#include "extension/ExtensionSavedState.h"

#include "format/DefaultRecords.h"
#include "state/StudyTable.h"

namespace dravik {

ExtensionStateFields MakeDefaultStateFields() {
    ExtensionStateFields fields;
    for (std::size_t i = 0; i < kSpecialChartSeriesCount; ++i)
        fields.specialChartSeries[i] = SpecialChartSeriesDefaults(i);
    for (std::size_t i = 0; i < kStudyCount; ++i)
        fields.studyAxes[i] = DefaultAxisRecord(StudyDefaultAxisRecord(static_cast<int>(i)));
    return fields;
}

com::HRESULT ExtensionSavedState::ExchangeBody(CPropertyArchive& archive, std::uint32_t version,
                                               std::uint32_t flags) {
    if (const auto result = settings.Exchange(archive, version, flags); com::FAILED(result))
        return result;
    if (const auto result = ExchangeSeriesBinding(binding, archive, version, flags); com::FAILED(result))
        return result;
    if (const auto result = ExchangeSpecialChartSeries(specialCharts, archive, version, flags, binding);
        com::FAILED(result))
        return result;
    if (const auto result = ExchangeStudiesBlock(studies, archive, version, flags); com::FAILED(result))
        return result;
    return drawings.Exchange(archive, version, flags);
}

}  // namespace dravik
