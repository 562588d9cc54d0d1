#include "frame/data/ChartValuesModel.h"

#include <algorithm>
#include <string>

#include "CheckedCall.h"
#include "appdata/AppError.h"
#include "com/VbMath.h"
#include "frame/data/ChartPointText.h"
#include "korvel/IKvlControl.h"

namespace frame {
namespace {

constexpr int kDateRow = 0;
constexpr int kPriceRow = 1;
constexpr int kOpenRow = 2;
// The first series listed below the prices, and the split markers and ratios, which never are.
constexpr com::SHORT kFirstListedSeries = 4;
constexpr com::SHORT kSplitMarkerSeries = 5;
constexpr com::SHORT kSplitRatioSeries = 8;

com::ComPtr<korvel::IKvlSeries> seriesAt(korvel::IKvlCollection& list, com::SHORT index) {
    com::ComPtr<com::IUnknown> item;
    need(list.Item(index, item.put()), "Item");
    const auto series = item ? item.as<korvel::IKvlSeries>() : com::ComPtr<korvel::IKvlSeries>();
    if (!series)
        throw tarnwick::AppError(13, "Type mismatch");
    return series;
}

// Writes a text only when it differs, so that an unchanged row is not redrawn.
void put(QString& into, const QString& text) {
    if (into != text)
        into = text;
}

}  // namespace

void ChartValuesModel::setFixedNames(const std::array<QString, kFixedChartValueRows>& names) {
    for (int row = 0; row < kFixedChartValueRows; ++row)
        m_rows[static_cast<std::size_t>(row)].name = names[static_cast<std::size_t>(row)];
}

void ChartValuesModel::DataChange(std::int16_t x, std::int16_t y, korvel::IKvlChart& chart,
                                  dravik::IFinancialCharts& extension) {
    double position = 0;
    double price = 0;
    need(chart.PixelToValue(x, y, &position, &price, 0), "PixelToValue");
    if (position < 1 || position > PointCountOf(chart))
        return;
    const auto point = static_cast<com::LONG>(com::vb::roundHalfEven(position)) - 1;
    put(m_rows[kDateRow].value, PointDateText(PointDateOf(chart, point)));
    put(m_rows[kPriceRow].value, PointValueText(price));
    const std::array<com::SHORT, 4> prices = PriceSeriesOf(extension);
    // A special chart holds its figure in place of the price series: there the price rows stay empty
    // rather than naming the figure's values open or failing on every mouse move.
    com::LONG seriesCount = 0;
    need(chart.get_SeriesCount(&seriesCount), "SeriesCount");
    const bool pricesHeld =
        std::all_of(prices.begin(), prices.end(), [&](com::SHORT s) { return s >= 0 && s < seriesCount; });
    for (std::size_t i = 0; i < prices.size(); ++i)
        put(m_rows[kOpenRow + i].value,
            pricesHeld ? PointValueText(PointValueOf(chart, prices[i], point)) : QString());
    listSeries(chart, point);
}

void ChartValuesModel::listSeries(korvel::IKvlChart& chart, com::LONG point) {
    com::LONG count = 0;
    need(chart.get_SeriesCount(&count), "SeriesCount");
    com::ComPtr<korvel::IKvlCollection> list;
    need(chart.get_Series(list.put()), "Series");
    if (!list)
        throw tarnwick::AppError(91, "Object variable or With block variable not set");
    std::size_t next = kFixedChartValueRows;
    for (com::LONG index = kFirstListedSeries; index < count; ++index) {
        if (index == kSplitMarkerSeries || index == kSplitRatioSeries)
            continue;
        const auto series = seriesAt(*list, static_cast<com::SHORT>(index));
        com::VARIANT_BOOL visible = com::VARIANT_FALSE;
        need(series->get_Visible(&visible), "Visible");
        if (visible == com::VARIANT_FALSE)
            continue;
        if (next >= m_rows.size())
            throw tarnwick::AppError(35600, "Index out of bounds");
        com::Bstr legend;
        need(series->get_Legend(&legend), "Legend");
        double value = 0;
        need(series->get_YValue(point, &value), "YValue");
        put(m_rows[next].name, QString::fromStdU16String(std::u16string(legend.view())));
        put(m_rows[next].value, PointValueText(value));
        ++next;
    }
    for (; next < m_rows.size(); ++next) {
        put(m_rows[next].name, QString());
        put(m_rows[next].value, QString());
    }
}

}  // namespace frame
