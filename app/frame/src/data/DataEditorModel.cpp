#include "frame/data/DataEditorModel.h"

#include <algorithm>

#include "frame/data/ChartPointText.h"

namespace frame {

void DataEditorModel::FillData(korvel::IKvlChart& chart, dravik::IFinancialCharts& extension,
                               std::int32_t trailing) {
    m_rows.clear();
    const std::array<com::SHORT, 4> prices = PriceSeriesOf(extension);
    const std::array<com::SHORT, 5> columns = {prices[0], prices[1], prices[2], prices[3],
                                               VolumeSeriesOf(extension)};
    const com::LONG listed = PointCountOf(chart) - std::max<std::int32_t>(trailing, 0);
    // Rows are added as they are read, so that a failing read keeps the rows before it.
    for (com::LONG point = 0; point < listed; ++point) {
        const com::DATE date = PointDateOf(chart, point);
        DataEditorRow& row = m_rows.emplace_back();
        row[static_cast<std::size_t>(DataColumn::Date)] = PointDateText(date);
        for (std::size_t i = 0; i < columns.size(); ++i)
            row[static_cast<std::size_t>(DataColumn::Open) + i] =
                PointValueText(PointValueOf(chart, columns[i], point));
        row[static_cast<std::size_t>(DataColumn::SortingDate)] = PointSortingDate(date);
    }
    sortRows();
}

void DataEditorModel::ColumnClick(int position) {
    if (position < 0 || position >= kDataColumnCount)
        return;
    m_sorted = true;
    m_sortKey = position == static_cast<int>(DataColumn::Date) ? DataColumn::SortingDate
                                                               : static_cast<DataColumn>(position);
    m_descending = !m_descending;
    sortRows();
}

// Every column sorts by its text, without regard to case, the prices too.
void DataEditorModel::sortRows() {
    if (!m_sorted)
        return;
    const auto column = static_cast<std::size_t>(m_sortKey);
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const DataEditorRow& a, const DataEditorRow& b) {
        const int order = QString::compare(a[column], b[column], Qt::CaseInsensitive);
        return m_descending ? order > 0 : order < 0;
    });
}

}  // namespace frame
