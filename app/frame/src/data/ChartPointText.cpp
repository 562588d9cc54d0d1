#include "frame/data/ChartPointText.h"

#include <charconv>

#include "CheckedCall.h"
#include "com/OleDate.h"
#include "com/VbMath.h"
#include "frame/chart/DrawingDates.h"
#include "locale/LocaleInfo.h"

namespace frame {

QString PointValueText(double value) {
    if (value == kNoPointValue)
        return {};
    const double shown = com::vb::roundDecimals(value, 3).valueOr(value);
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, shown, std::chars_format::general, 15);
    if (error != std::errc())
        return {};
    return QString::fromLatin1(buffer, static_cast<qsizetype>(end - buffer));
}

QString PointDateText(com::DATE date) {
    return QString::fromStdString(chart::ExtensionDateText(date, loc::LOCALE_USER_DEFAULT));
}

QString PointSortingDate(com::DATE date) {
    const std::optional<com::CalendarTime> time = com::fromOleDate(date);
    if (!time)
        return {};
    return QStringLiteral("%1%2%3")
        .arg(time->year, 4, 10, QLatin1Char('0'))
        .arg(time->month, 2, 10, QLatin1Char('0'))
        .arg(time->day, 2, 10, QLatin1Char('0'));
}

com::LONG PointCountOf(korvel::IKvlChart& chart) {
    com::LONG count = 0;
    need(chart.get_PointCount(&count), "PointCount");
    return count;
}

com::DATE PointDateOf(korvel::IKvlChart& chart, com::LONG point) {
    com::DATE date = 0;
    need(chart.get_PointXValue(point, &date), "PointXValue");
    return date;
}

double PointValueOf(korvel::IKvlChart& chart, com::SHORT series, com::LONG point) {
    double value = 0;
    need(chart.get_ValueAt(series, point, &value), "ValueAt");
    return value;
}

std::array<com::SHORT, 4> PriceSeriesOf(dravik::IFinancialCharts& extension) {
    std::array<com::SHORT, 4> series{};
    need(extension.get_OpenSeries(&series[0]), "OpenSeries");
    need(extension.get_HighSeries(&series[1]), "HighSeries");
    need(extension.get_LowSeries(&series[2]), "LowSeries");
    need(extension.get_CloseSeries(&series[3]), "CloseSeries");
    return series;
}

com::SHORT VolumeSeriesOf(dravik::IFinancialCharts& extension) {
    com::SHORT series = 0;
    need(extension.get_VolumeSeries(&series), "VolumeSeries");
    return series;
}

}  // namespace frame
