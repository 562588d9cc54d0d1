#pragma once

// What the data editor lists: one row per trading day on the chart (date, open, high, low, close,
// volume and the date's sort key), refilled after every chart fill, sortable by any column as text.
//
// The points at the chart's end without a close (the empty days the chart carries after the last
// trading day, whole or grouped into weeks and months) are no trading days and are left out.

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

#include "dravik/IFinancialCharts.h"
#include "korvel/IKvlChart.h"

namespace frame {

enum class DataColumn { Date, Open, High, Low, Close, Volume, SortingDate };
inline constexpr int kDataColumnCount = 7;

using DataEditorRow = std::array<QString, kDataColumnCount>;

class DataEditorModel {
public:
    // Lists the chart's points but the last `trailing` ones, which the chart fill found without a
    // close. An error ends the fill; the rows listed so far stay.
    void FillData(korvel::IKvlChart& chart, dravik::IFinancialCharts& extension, std::int32_t trailing);

    // A click on a column header (its position from 0): sorting goes on, by that column (by the sort
    // key for the date) and in the other order than before.
    void ColumnClick(int position);

    const std::vector<DataEditorRow>& rows() const { return m_rows; }
    bool sorted() const { return m_sorted; }
    DataColumn sortKey() const { return m_sortKey; }
    bool descending() const { return m_descending; }

private:
    void sortRows();

    std::vector<DataEditorRow> m_rows;
    bool m_sorted = false;
    DataColumn m_sortKey = DataColumn::Date;
    bool m_descending = true;  // the first click sorts ascending
};

}  // namespace frame
