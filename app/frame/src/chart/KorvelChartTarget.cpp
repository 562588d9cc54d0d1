#include "frame/chart/KorvelChartTarget.h"

#include <QApplication>
#include <QCursor>

#include <vector>

#include "appdata/AppError.h"
#include "com/ComObject.h"
#include "dravik/AxisInterfaces.h"
#include "dravik/SeriesInterfaces.h"
#include "frame/chart/ChartEvents.h"
#include "ostbar/OstBarContract.h"

namespace frame::chart {
namespace {

using tarnwick::chart::ChartDataSet;

constexpr com::SHORT kAnalyticalGallery = 4;
constexpr com::LONG kAllKinds = -1;
constexpr com::LONG kAllObjects = -1;

void check(com::HRESULT result, std::string_view member) {
    if (com::FAILED(result))
        throw tarnwick::AppError(result, std::string(member) + " failed");
}

// The fill's table as the chart's data provider hands it over: one row per point, the columns in
// the fill's order.
class DataSetProvider final : public com::ComObject<korvel::IKvlDataProvider> {
public:
    explicit DataSetProvider(const ChartDataSet& data) : data_(data) {}

    com::HRESULT SetRecordset(com::IUnknown*) override { return com::E_NOTIMPL; }
    com::HRESULT GetShape(com::LONG* columns, com::LONG* rows) override {
        if (!columns || !rows)
            return com::E_POINTER;
        *columns = tarnwick::chart::kColumnCount;
        *rows = data_.pointCount();
        return com::S_OK;
    }
    com::HRESULT GetCell(com::LONG row, com::LONG column, com::Variant* value) override {
        if (!value)
            return com::E_POINTER;
        *value = com::Variant();
        if (row < 0 || row >= data_.pointCount() || column < 0 || column >= tarnwick::chart::kColumnCount)
            return com::E_INVALIDARG;
        const auto r = static_cast<std::size_t>(row);
        if (column < tarnwick::chart::kValueColumnCount) {
            const double v = data_.values[static_cast<std::size_t>(column)][r];
            *value = tarnwick::chart::IsNoValueMark(v) ? com::Variant::null() : com::Variant(v);
        } else if (column == tarnwick::chart::kXValueColumn) {
            *value = com::Variant::date(data_.xValues[r]);
        } else {
            *value = com::Variant::utf8(data_.legends[r]);
        }
        return com::S_OK;
    }

private:
    const ChartDataSet& data_;
};

}  // namespace

KorvelChartTarget::KorvelChartTarget(korvel::IKvlChart& chart, dravik::IFinancialCharts* extension,
                                     glossor::IGlosxList* annotations, ChartWindowLinks links)
    : chart_(chart),
      extension_(extension),
      annotations_(annotations),
      studies_(extension),
      links_(std::move(links)) {}

std::int32_t KorvelChartTarget::pointCount() const {
    com::LONG count = 0;
    check(chart_.get_PointCount(&count), "PointCount");
    return count;
}

double KorvelChartTarget::valueAt(int series, std::int32_t point) const {
    double value = 0;
    check(chart_.get_ValueAt(static_cast<com::SHORT>(series), point, &value), "ValueAt");
    return value;
}

void KorvelChartTarget::setValueAt(int series, std::int32_t point, double value) {
    check(chart_.put_ValueAt(static_cast<com::SHORT>(series), point, value), "ValueAt");
}

double KorvelChartTarget::xValueAt(std::int32_t point) const {
    double value = 0;
    check(chart_.get_XValueAt(korvel::kXValues, point, &value), "XValueAt");
    return value;
}

tarnwick::chart::PriceSeriesNumbers KorvelChartTarget::priceSeries() const {
    tarnwick::chart::PriceSeriesNumbers n;
    check(extension_->get_OpenSeries(&n.open), "OpenSeries");
    check(extension_->get_HighSeries(&n.high), "HighSeries");
    check(extension_->get_LowSeries(&n.low), "LowSeries");
    check(extension_->get_CloseSeries(&n.close), "CloseSeries");
    check(extension_->get_VolumeSeries(&n.volume), "VolumeSeries");
    return n;
}

tarnwick::chart::StudySettings KorvelChartTarget::studySettings() const {
    tarnwick::chart::StudySettings s;
    s.sarPeriods = studies_.get16(Study::CUSTOM4, kStudyPeriods, s.sarPeriods);
    s.sarSeries = studies_.get16(Study::CUSTOM4, kStudySeriesIndex, s.sarSeries);
    s.rsiPeriods = studies_.get16(Study::RSI, kStudyPeriods, s.rsiPeriods);
    s.rsiWorkSeries = studies_.get16(Study::RSI, kStudyWorkSeries, s.rsiWorkSeries);
    s.rsiSeries = studies_.get16(Study::RSI, kStudySeriesIndex, s.rsiSeries);
    return s;
}

void KorvelChartTarget::showCompany(std::string_view name, std::string_view symbol) {
    check(chart_.put_TextAt(korvel::kTextTitle, com::Bstr::fromUtf8(name)), "TextAt");
    if (links_.showSymbol)
        links_.showSymbol(std::string(symbol));
}

void KorvelChartTarget::setColumnKinds(std::span<const tarnwick::chart::ColumnKind> kinds) {
    for (std::size_t i = 0; i < kinds.size(); ++i)
        check(chart_.put_ColumnKind(static_cast<com::SHORT>(i), static_cast<com::SHORT>(kinds[i])),
              "ColumnKind");
}

void KorvelChartTarget::setUpPriceSeries(const tarnwick::chart::PriceSeriesNumbers& prices,
                                         std::int32_t firstUser, std::int32_t userCount) {
    check(extension_->put_OpenSeries(prices.open), "OpenSeries");
    check(extension_->put_HighSeries(prices.high), "HighSeries");
    check(extension_->put_LowSeries(prices.low), "LowSeries");
    check(extension_->put_CloseSeries(prices.close), "CloseSeries");
    check(extension_->put_VolumeSeries(prices.volume), "VolumeSeries");
    check(extension_->put_FirstUserIndex(static_cast<com::SHORT>(firstUser)), "FirstUserIndex");
    check(extension_->put_UserSeries(static_cast<com::SHORT>(userCount)), "UserSeries");
    for (const Study s : {Study::USER0, Study::USER1, Study::USER2, Study::USER3})
        studies_.put(s, kStudyPriceIndicator, com::Variant(true));
    check(extension_->put_ZoomRescale(com::VARIANT_TRUE), "ZoomRescale");
}

void KorvelChartTarget::clearDrawings() {
    if (annotations_)
        check(annotations_->Remove(kAllObjects), "Remove");
    check(extension_->DeleteAllDrawing(kAllKinds), "DeleteAllDrawing");
}

void KorvelChartTarget::showAnalyticalChart() {
    com::LONG type = 0;
    check(extension_->get_GalleryType(kAnalyticalGallery, &type), "GalleryType");
    check(chart_.put_ChartType(type), "ChartType");
}

void KorvelChartTarget::loadData(const ChartDataSet& data) {
    const auto provider = com::makeComObject<DataSetProvider>(data);
    check(chart_.SetDataProvider(provider.get()), "SetDataProvider");
}

void KorvelChartTarget::setPriceDisplay(std::int32_t display) {
    check(extension_->put_PriceDisplay(static_cast<com::SHORT>(display)), "PriceDisplay");
}

void KorvelChartTarget::refillDataEditor(std::int32_t trim) {
    if (links_.refillDataEditor)
        links_.refillDataEditor(trim);
}

void KorvelChartTarget::setLegends(const tarnwick::chart::SeriesLegends& legends) {
    const auto legendOf = [&](com::SHORT series, const std::string& text) {
        com::ComPtr<dravik::IIndexSeries> s;
        if (Succeeded(extension_->get_PriceSeries(series, s.put()), "PriceSeries") && s)
            Succeeded(s->put_Legend(com::Bstr::fromUtf8(text)), "Legend");
    };
    const tarnwick::chart::PriceSeriesNumbers n = priceSeries();
    legendOf(n.open, legends.open);
    legendOf(n.high, legends.high);
    legendOf(n.low, legends.low);
    legendOf(n.close, legends.close);
    const std::pair<Study, const std::string*> users[] = {
        {Study::USER0, &legends.splits}, {Study::USER1, &legends.sector}, {Study::USER2, &legends.general}};
    for (const auto& [study, text] : users) {
        if (const auto series = studies_.defaultSeries(study))
            if (const auto s = series.as<dravik::IIndexSeries>())
                Succeeded(s->put_Legend(com::Bstr::fromUtf8(*text)), "Legend");
    }
}

void KorvelChartTarget::showUserSeries() {
    studies_.put(Study::USER0, kStudyVisible, com::Variant(true));
    studies_.put(Study::USER3, kStudyVisible, com::Variant(false));
    com::ComPtr<dravik::ILomexAxis> prices;
    if (Succeeded(extension_->get_PricesAxis(prices.put()), "PricesAxis") && prices)
        Succeeded(prices->put_ScaleUnit(1.0), "ScaleUnit");
    if (const auto axis = studies_.axis(Study::VOLUME))
        if (const auto a = axis.as<dravik::ILomexAxis>())
            Succeeded(a->put_ScaleUnit(1.0), "ScaleUnit");
}

std::string KorvelChartTarget::restoreDrawings(const tarnwick::clsCompany& company) {
    return links_.restoreDrawings ? links_.restoreDrawings(company) : std::string();
}

void KorvelChartTarget::setChartCompanyID(std::string_view id) {
    check(chart_.put_ChartCompanyID(com::Bstr::fromUtf8(id)), "ChartCompanyID");
}

std::string KorvelChartTarget::chartCompanyID() const {
    com::Bstr id;
    check(chart_.get_ChartCompanyID(&id), "ChartCompanyID");
    return id.toUtf8();
}

void KorvelChartTarget::listNotes(const tarnwick::clsCompany& company) {
    if (links_.listNotes)
        links_.listNotes(company);
}

void KorvelChartTarget::disableZoomOut() {
    com::ComPtr<com::IUnknown> object;
    check(chart_.get_ToolBarObject(object.put()), "ToolBarObject");
    const auto bar = object ? object.as<ostbar::IOstToolbar>() : com::ComPtr<ostbar::IOstToolbar>();
    if (!bar)
        return;
    com::ComPtr<ostbar::IOstCommand> zoomOut;
    check(bar->Command(static_cast<com::SHORT>(kCommandZoomOut), zoomOut.put()), "Command");
    check(zoomOut->put_Enabled(com::VARIANT_FALSE), "Enabled");
}

void KorvelChartTarget::setBusy(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace frame::chart
