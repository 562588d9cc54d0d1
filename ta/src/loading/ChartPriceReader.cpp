#include "loading/ChartPriceReader.h"

#include <cmath>

#include "com/OleDate.h"
#include "core/Failure.h"

namespace indikon {

ChartPriceReader::ChartPriceReader(com::IUnknown* chart) {
    if (!chart)
        raise(RuntimeError::ObjectNotSet);
    if (com::FAILED(chart->QueryInterface(korvel::IKvlChart::iid, chart_.putVoid())) || !chart_)
        raise(RuntimeError::TypeMismatch);
    com::ComPtr<com::IUnknown> extension;
    check(chart_->AddExtension(com::Bstr(dravik::kFinancialChartsProgId), extension.put()));
    if (!extension)
        raise(RuntimeError::ObjectNotSet);
    extension_ = extension.as<dravik::IFinancialCharts>();
    if (!extension_)
        raise(RuntimeError::TypeMismatch);
}

com::LONG ChartPriceReader::pointCount() const {
    com::LONG count = 0;
    check(chart_->get_PointCount(&count));
    return count;
}

double ChartPriceReader::valueAt(com::HRESULT (dravik::IFinancialCharts::*series)(com::SHORT*),
                                 com::LONG index) const {
    com::SHORT number = 0;
    check((extension_.get()->*series)(&number));
    double value = 0;
    check(chart_->get_ValueAt(number, index, &value));
    return value;
}

ChartPoint ChartPriceReader::point(com::LONG index) const {
    ChartPoint point;
    double x = 0;
    check(chart_->get_PointXValue(index, &x));
    point.date = chartDateText(x);
    point.open = valueAt(&dravik::IFinancialCharts::get_OpenSeries, index);
    point.high = valueAt(&dravik::IFinancialCharts::get_HighSeries, index);
    point.low = valueAt(&dravik::IFinancialCharts::get_LowSeries, index);
    point.close = valueAt(&dravik::IFinancialCharts::get_CloseSeries, index);
    point.volume = valueAt(&dravik::IFinancialCharts::get_VolumeSeries, index);
    return point;
}

com::Bstr chartDateText(double xValue) {
    if (!com::isValidOleDate(xValue))
        raise(RuntimeError::Overflow);
    double whole = 0;
    const bool hasTime = std::modf(xValue, &whole) != 0;
    return com::Bstr::fromUtf8(hasTime ? com::formatIsoDateTime(xValue) : com::formatIsoDate(xValue));
}

}  // namespace indikon
