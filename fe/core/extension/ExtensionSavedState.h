// The extension's saved body apart from its chart types and its toolbar: the settings block, the
// series binding, the special charts' series, the studies with the price series and each study's axis,
// and the drawing list, with the entries of the header and trailer that belong to the extension
// object. A load fills a copy of the extension's state and hands it back whole only when the entire
// stream was good.
#pragma once

#include <array>
#include <cstdint>

#include "com/HResult.h"
#include "drawing/CDrawingList.h"
#include "state/AxisSettingsRecord.h"
#include "state/ChartStateBlocks.h"
#include "state/ExtensionSettings.h"
#include "state/SeriesBinding.h"

namespace dravik {

class CPropertyArchive;

// Estimated saved sizes of the parts of the state (GetSizeMax): the header and trailer, the special
// charts' series, the studies block.
inline constexpr std::uint32_t kStateFrameSavedSize = 20;
inline constexpr std::uint32_t kSpecialChartSeriesSavedSize = 10 + 4 * 72;
inline constexpr std::uint32_t kStudiesBlockSavedSize = 58 * 360 + 4 * 72 + 4;

// What the extension keeps only for its saved state and for the objects that view these records.
struct ExtensionStateFields {
    std::int16_t baseTypeCommand = 0;
    std::int16_t baseType = 0;
    std::int16_t toolCommand = 0;
    std::uint8_t studiesToolShown = 0;
    // Point & Figure, Renko, Kagi, Three Line Break.
    std::array<SeriesAttributeRecord, kSpecialChartSeriesCount> specialChartSeries;
    // The axis settings of each study number, kept whether or not the study is in use.
    std::array<AxisSettingsRecord, kStudyCount> studyAxes;
};

// The special charts' series and the study axes at their defaults.
ExtensionStateFields MakeDefaultStateFields();

struct ExtensionSavedState {
    std::int16_t baseTypeCommand = 0;
    std::int16_t baseType = 0;
    std::int16_t toolCommand = 0;
    std::uint8_t studiesToolShown = 0;
    ExtensionSettings settings;
    SeriesBinding binding;
    SpecialChartSeriesBlock specialCharts;
    StudiesBlock studies;
    CDrawingList drawings;

    // The settings block, the series binding, the special charts' series, the studies and the
    // drawing list, in this order; the first failure ends the exchange and is returned.
    com::HRESULT ExchangeBody(CPropertyArchive& archive, std::uint32_t version, std::uint32_t flags);
};

}  // namespace dravik
