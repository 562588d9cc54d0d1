#include "appchart/fill/ChartDataSet.h"

#include <charconv>
#include <cmath>

namespace tarnwick::chart {

std::string ChartValueText(double value) {
    if (IsNoValueMark(value) || !std::isfinite(value)) {
        return {};
    }
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc{} ? std::string(buffer, end) : std::string();
}

std::int32_t ChartDataSet::addPoint(double xValue, std::string legend) {
    xValues.push_back(xValue);
    legends.push_back(std::move(legend));
    for (std::vector<double>& column : values) {
        column.push_back(kNoValueMark);
    }
    return pointCount() - 1;
}

ColumnKind ChartDataSet::kindOf(int column) {
    if (column == kXValueColumn) {
        return ColumnKind::XValue;
    }
    return column == kLegendColumn ? ColumnKind::Legend : ColumnKind::Value;
}

}  // namespace tarnwick::chart
