#pragma once

// What the chart values window lists for the chart point under the mouse: its date, the price level
// at the mouse's height, its open, high, low and close, then the value of every other shown series
// (volume, index overlays, studies) under the series' legend. A point without value shows an empty
// value. The split markers and ratios are never listed.

#include <QString>

#include <array>
#include <cstdint>

#include "dravik/IFinancialCharts.h"
#include "korvel/IKvlChart.h"

namespace frame {

struct ChartValueRow {
    QString name;
    QString value;
};

inline constexpr int kChartValueRowCount = 30;
// Rows 0 to 5: date, price, open, high, low, close; the series rows follow.
inline constexpr int kFixedChartValueRows = 6;

class ChartValuesModel {
public:
    using Rows = std::array<ChartValueRow, kChartValueRowCount>;

    // The names of the fixed rows, in the order date, price, open, high, low, close.
    void setFixedNames(const std::array<QString, kFixedChartValueRows>& names);

    // Shows the point under the client pixel (x, y); a mouse left of the first point or right of the
    // last leaves the rows as they are. More series than rows fill every row and then fail.
    void DataChange(std::int16_t x, std::int16_t y, korvel::IKvlChart& chart,
                    dravik::IFinancialCharts& extension);

    const Rows& rows() const { return m_rows; }

private:
    void listSeries(korvel::IKvlChart& chart, com::LONG point);

    Rows m_rows;
};

}  // namespace frame
