// The display attributes of one chart series as the extension keeps them, so that they outlive the
// series in the chart and are saved with the extension.
#pragma once

#include <array>
#include <cstdint>

#include "resources/ResourceText.h"

namespace dravik {

// Set-mask bits: bit n set = attribute n was set by the user (or loaded) and is applied to the chart.
enum SeriesAttributeBit : std::uint32_t {
    SA_TYPEMASK = 1u << 0,
    SA_GALLERY = 1u << 1,
    SA_POINTLABELALIGN = 1u << 2,
    SA_YAXIS = 1u << 3,
    SA_XAXIS = 1u << 4,
    SA_LINESTYLE = 1u << 5,
    SA_POINTTYPE = 1u << 6,
    SA_CYLSIDES = 1u << 7,
    SA_MARKERSIZE = 1u << 8,
    SA_VOLUME = 1u << 9,
    SA_MARKERSTEP = 1u << 10,
    SA_POINTLABELANGLE = 1u << 11,
    SA_BORDER = 1u << 12,
    SA_POINTLABELS = 1u << 13,
    SA_STACKED = 1u << 14,
    SA_VISIBLE = 1u << 15,
    SA_LINEWIDTH = 1u << 16,
    SA_PATTERN = 1u << 17,
    SA_COLOR = 1u << 18,
    SA_BORDERCOLOR = 1u << 19,
    SA_BKCOLOR = 1u << 20,
    SA_LEGEND = 1u << 21,
    SA_ALL = (1u << 22) - 1,
};

// The chart control's series attribute ids.
enum SeriesAttributeId : std::int32_t {
    SAID_VOLUME = 0,
    SAID_YAXIS = 1,
    SAID_COLOR = 2,
    SAID_BKCOLOR = 3,
    SAID_BORDERCOLOR = 4,
    SAID_GALLERY = 5,
    SAID_POINTTYPE = 6,
    SAID_BORDER = 7,
    SAID_LINEWIDTH = 8,
    SAID_LINESTYLE = 9,
    SAID_VISIBLE = 10,
    SAID_TYPEMASK = 11,
    SAID_CYLSIDES = 12,
    SAID_STACKED = 13,
    SAID_MARKERSIZE = 14,
    SAID_XAXIS = 15,
    SAID_POINTLABELS = 17,
    SAID_PATTERN = 18,
    SAID_MARKERSTEP = 19,
    SAID_POINTLABELALIGN = 20,
    SAID_POINTLABELANGLE = 21,
};

// Estimated bytes of one saved record.
inline constexpr std::uint32_t kSeriesRecordSavedSize = 72;

// Legend texts hold 40 bytes, terminator included.
inline constexpr std::int16_t kLegendBytes = 40;

struct SeriesAttributeRecord {
    SeriesAttributeRecord() { legend.SetSize(kLegendBytes); }

    std::uint32_t setMask = 0;
    std::int32_t typeMask = 0;
    std::int16_t gallery = 0;
    std::int16_t pointLabelAlign = 0;
    std::int16_t yAxis = 0;
    std::int16_t xAxis = 0;
    std::int16_t lineStyle = 0;
    std::int16_t pointType = 0;  // marker shape
    std::int16_t cylSides = 0;
    std::int16_t markerSize = 0;
    std::int16_t volume = 0;
    std::int16_t markerStep = 0;
    std::int16_t pointLabelAngle = 0;
    std::uint8_t border = 0;  // booleans as 0/1
    std::uint8_t pointLabels = 0;
    std::uint8_t stacked = 0;
    std::uint8_t visible = 0;
    std::uint32_t borderColor = 0;  // COLORREF
    CResourceText legend;
    std::array<std::int16_t, 2> lineWidth{};
    std::array<std::int16_t, 2> pattern{};
    std::array<std::uint32_t, 2> color{};  // COLORREF
    std::array<std::uint32_t, 2> bkColor{};
};

}  // namespace dravik
