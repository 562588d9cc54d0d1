// The blocks of the saved chart state that hold series records: the special-chart series (Point &
// Figure, Renko, Kagi, Three Line Break) and the studies with the price series and each study's axis.
#pragma once

#include <array>
#include <cstdint>

#include "com/HResult.h"
#include "format/DefaultRecords.h"
#include "series/SeriesAttributeRecord.h"
#include "state/AxisSettingsRecord.h"
#include "state/SeriesBinding.h"
#include "state/StudyRecord.h"

namespace dravik {

class CPropertyArchive;

inline constexpr std::size_t kSpecialChartSeriesCount = 4;

struct SpecialChartSeriesBlock {
    std::int16_t workSeries = -1;
    std::uint8_t autoRecalc = 1;
    std::array<SeriesAttributeRecord, kSpecialChartSeriesCount> series;
};

struct StudiesBlock {
    std::int16_t priceDisplay = 0;
    std::uint8_t priceStartInZero = 0;
    std::array<SeriesAttributeRecord, kPriceSeriesCount> priceSeries;
    std::array<StudyRecord, kStudyCount> studies;
    std::array<AxisSettingsRecord, kStudyCount> studyAxes;
};

// The series defaults of special chart i (Point & Figure, Renko, Kagi, Three Line Break).
const SeriesAttributeRecord& SpecialChartSeriesDefaults(std::size_t chart);

SpecialChartSeriesBlock MakeDefaultSpecialChartSeries();
StudiesBlock MakeDefaultStudiesBlock(const res::ResourceModule* module);

// "WorkSeries", "AutoRecalc", "_JapaneseImplNumber" and the series records; a body-only exchange keeps
// only the series that one of the four price bindings names. More than four series is a damaged save.
// A load that fails changes nothing.
com::HRESULT ExchangeSpecialChartSeries(SpecialChartSeriesBlock& block, CPropertyArchive& archive,
                                        std::uint32_t version, std::uint32_t flags,
                                        const SeriesBinding& binding);

// "PriceDisplay", "PriceStartInZero", the price series, the studies and the axis of each study in use.
// More than four price series or 58 studies is a damaged save; a load that fails changes nothing.
com::HRESULT ExchangeStudiesBlock(StudiesBlock& block, CPropertyArchive& archive, std::uint32_t version,
                                  std::uint32_t flags);

}  // namespace dravik
