#pragma once

// Chart templates in the chart window: where a template's file lives, and what the window puts back
// after the chart control has taken a template's look and studies. The file's content is the chart
// control's own; the program never reads or writes its bytes.

#include <cstdint>
#include <filesystem>
#include <optional>

#include "com/Types.h"
#include "frame/chart/ExtensionCalls.h"
#include "korvel/IKvlChart.h"

namespace frame::chart {

// The chart colour that stands for "no colour of its own": the SAR's border is then left alone.
inline constexpr com::LONG kNoChartColor = 0x40000000;

// The file of a template: "T" and its ID, without extension, in the program folder's Templates.
std::filesystem::path TemplateFilePath(std::int32_t templateId);

// How the volume series is drawn (its VOLUME value); nothing when the study has no series.
std::optional<com::SHORT> VolumeDrawing(StudySlots& studies);

// What a template must not change, as the chart window held it before the load.
struct TemplateKeptSettings {
    bool sectorIndexShown = false;
    bool generalIndexShown = false;
    std::optional<com::SHORT> volumeDrawing;
};

// After a template was applied: the index overlays follow the check boxes, the three extra averages
// are drawn as lines, the SAR's border takes the chart's colour when the chart has one, and the
// volume is drawn as before the load.
void RestoreAfterTemplate(korvel::IKvlChart& chart, StudySlots& studies, const TemplateKeptSettings& kept);

}  // namespace frame::chart
