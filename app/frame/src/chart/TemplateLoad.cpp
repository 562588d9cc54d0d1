#include "frame/chart/TemplateLoad.h"

#include <string>

#include "appdata/DataFolder.h"

namespace frame::chart {

std::filesystem::path TemplateFilePath(std::int32_t templateId) {
    return tarnwick::ProgramFolder() / "Templates" / ("T" + std::to_string(templateId));
}

std::optional<com::SHORT> VolumeDrawing(StudySlots& studies) {
    const auto series = seriesOf(studies, Study::VOLUME);
    if (!series)
        return std::nullopt;
    com::SHORT value = 0;
    if (!Succeeded(series->get_VOLUME(&value), "VOLUME"))
        return std::nullopt;
    return value;
}

void RestoreAfterTemplate(korvel::IKvlChart& chart, StudySlots& studies, const TemplateKeptSettings& kept) {
    studies.put(Study::USER1, kStudyVisible, com::Variant(kept.sectorIndexShown));
    studies.put(Study::USER2, kStudyVisible, com::Variant(kept.generalIndexShown));
    for (const Study average : {Study::CUSTOM1, Study::CUSTOM2, Study::CUSTOM3})
        if (const auto series = seriesOf(studies, average))
            Succeeded(series->put_Gallery(kLinesGallery), "Gallery");
    com::LONG color = kNoChartColor;
    Succeeded(chart.get_ChartColor(&color), "ChartColor");
    if (color != kNoChartColor)
        if (const auto series = seriesOf(studies, Study::CUSTOM4))
            Succeeded(series->put_BorderColor(color), "BorderColor");
    if (kept.volumeDrawing)
        if (const auto series = seriesOf(studies, Study::VOLUME))
            Succeeded(series->put_VOLUME(*kept.volumeDrawing), "VOLUME");
}

}  // namespace frame::chart
