// What the chart fill hands the chart: eleven columns in a fixed order, nine of values, the points'
// x values (OLE dates) and their legends. A cell without a value holds kNoValueMark, as the chart
// control reads it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::chart {

// The chart's mark of a point without a value. Only this exact value marks an empty cell: volumes and
// index amounts reach far beyond 1e10.
inline constexpr double kNoValueMark = 1e308;
// The custom studies take every value from here up as missing.
inline constexpr double kMissingFrom = 1e10;

inline bool IsNoValueMark(double value) {
    return value == kNoValueMark;
}

// The custom studies' test of a usable value; the fill and the windows test IsNoValueMark.
inline bool IsChartValue(double value) {
    return value < kMissingFrom;
}

// A chart value as text for the windows that list values: empty for the empty mark (and for a value
// that is not a number), else the shortest text that reads back to the same double, with a full stop.
std::string ChartValueText(double value);

// What a data column feeds in the chart (the chart control's column kinds).
enum class ColumnKind : std::int16_t { Value = 2, XValue = 3, Legend = 4 };

// Value columns, which are also the chart's series numbers.
enum ChartColumn : int {
    kLowColumn = 0,
    kOpenColumn = 1,
    kCloseColumn = 2,
    kHighColumn = 3,
    kVolumeColumn = 4,
    kSplitColumn = 5,    // split markers, the extension's first user series
    kSectorColumn = 6,   // sector index
    kGeneralColumn = 7,  // market general index
    kRatioColumn = 8,    // the split's own ratio on a split day
    kValueColumnCount = 9,
    kXValueColumn = 9,
    kLegendColumn = 10,
    kColumnCount = 11,
};

struct ChartDataSet {
    std::array<std::string, kColumnCount> columnNames;
    std::array<std::vector<double>, kValueColumnCount> values;
    std::vector<double> xValues;  // OLE dates
    std::vector<std::string> legends;

    std::int32_t pointCount() const { return static_cast<std::int32_t>(xValues.size()); }
    // Appends one point whose value cells are all empty; returns its index.
    std::int32_t addPoint(double xValue, std::string legend);
    static ColumnKind kindOf(int column);
};

}  // namespace tarnwick::chart
