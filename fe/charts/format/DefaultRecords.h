// The process-wide default records: the series defaults of the special charts and the price series,
// the axis defaults and the date-label formats. Filled once when the library loads (after the locale
// records) and read-only afterwards; the chart types, the study records, the price series and the
// settings copy their initial values from them and compare against them when they save.
#pragma once

#include <array>
#include <cstddef>

#include "format/DateLabelFormats.h"
#include "format/FormatCode.h"
#include "format/NumberFormatRecord.h"
#include "series/SeriesAttributeRecord.h"
#include "state/AxisSettingsRecord.h"

namespace dravik {

enum DefaultSeriesIndex : std::size_t {
    DSR_POINTFIGURE = 0,
    DSR_KAGI = 1,
    DSR_BOXCHART = 2,  // Renko and Three Line Break
    DSR_PRICE0 = 3,    // the four price series follow in order
    DSR_COUNT = 7,
};

inline constexpr std::size_t kPriceSeriesCount = 4;
inline constexpr std::size_t kDefaultAxisCount = 6;
// The axis default records the price axis and the date axis start from.
inline constexpr std::size_t kPriceAxisDefault = 2;
inline constexpr std::size_t kDateAxisDefault = 3;

struct DefaultRecords {
    std::array<SeriesAttributeRecord, DSR_COUNT> series;
    std::array<AxisSettingsRecord, kDefaultAxisCount> axes;
    std::array<FormatCode, kDateLabelFormatCount> dateCodes{};
    std::array<PreparedFormat, kDateLabelFormatCount> dateFormats;
};

// Fills the records (again, after a test replaced the locale records).
void InitDefaultRecords();

// The records (filled on first use when InitDefaultRecords has not run).
const DefaultRecords& GetDefaultRecords();
const SeriesAttributeRecord& DefaultSeriesRecord(DefaultSeriesIndex index);
const SeriesAttributeRecord& DefaultPriceSeriesRecord(std::size_t priceSeries);
const AxisSettingsRecord& DefaultAxisRecord(std::size_t index);

}  // namespace dravik
