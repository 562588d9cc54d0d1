#include "studies/StudyRows.h"

#include <algorithm>

namespace dravik {

int WorkSeriesRow(int workSeries, const BoundPriceSeries& bound, int rowCount) {
    int row = workSeries;
    if (workSeries >= -4 && workSeries <= -1) {
        const std::int16_t priceSeries[] = {bound.open, bound.high, bound.low, bound.close};
        row = priceSeries[workSeries + 4];
        if (row == -1)
            row = 0;
    }
    return row < 0 || row >= rowCount ? 0 : row;
}

int PriceSeriesRow(int series, int rowCount) {
    return series < 0 || series >= rowCount ? -1 : series;
}

std::span<double> BufferRow(std::span<double> buffer, std::size_t points, int row) {
    if (row < 0 || points == 0)
        return {};
    const std::size_t first = static_cast<std::size_t>(row) * points;
    if (first / points != static_cast<std::size_t>(row) || first > buffer.size() ||
        buffer.size() - first < points)
        return {};
    return buffer.subspan(first, points);
}

StudyInputs StudyInputRows(std::span<double> buffer, std::size_t points, int workSeries,
                           const BoundPriceSeries& bound) {
    const int rowCount =
        points == 0 ? 0 : static_cast<int>(std::min<std::size_t>(buffer.size() / points, 0x7fffffff));
    auto priceRow = [&](int series) { return BufferRow(buffer, points, PriceSeriesRow(series, rowCount)); };
    StudyInputs rows;
    rows.work = BufferRow(buffer, points, WorkSeriesRow(workSeries, bound, rowCount));
    rows.close = priceRow(bound.close);
    rows.low = priceRow(bound.low);
    rows.high = priceRow(bound.high);
    rows.volume = priceRow(bound.volume);
    return rows;
}

StudyOutputs StudyOutputRows(std::span<double> buffer, std::size_t points, int firstSeries, int count) {
    StudyOutputs rows;
    const int rowCount = std::clamp(count, 0, static_cast<int>(rows.rows.size()));
    for (int k = 0; k < rowCount && firstSeries >= 0; ++k)
        rows.rows[static_cast<std::size_t>(k)] = BufferRow(buffer, points, firstSeries + k);
    return rows;
}

}  // namespace dravik
