#pragma once

// The chart fill's view of the chart window: the chart control, its financial extension and its
// annotation list. Calls the extension does not offer yet leave their setting undone (ExtensionCalls.h).

#include <functional>
#include <string>

#include "appchart/fill/ChartTarget.h"
#include "com/ComPtr.h"
#include "dravik/IFinancialCharts.h"
#include "frame/chart/ExtensionCalls.h"
#include "glossor/IGlosxList.h"
#include "korvel/IKvlChart.h"

namespace frame::chart {

struct ChartWindowLinks {
    // The window caption: the charted symbol.
    std::function<void(const std::string& symbol)> showSymbol;
    std::function<void(std::int32_t trim)> refillDataEditor;
    std::function<void(const tarnwick::clsCompany& company)> listNotes;
    // Re-creates the company's stored drawings; answers the drawing text they came from.
    std::function<std::string(const tarnwick::clsCompany& company)> restoreDrawings;
};

class KorvelChartTarget final : public tarnwick::chart::ChartFillTarget {
public:
    KorvelChartTarget(korvel::IKvlChart& chart, dravik::IFinancialCharts* extension,
                      glossor::IGlosxList* annotations, ChartWindowLinks links);

    std::int32_t pointCount() const override;
    double valueAt(int series, std::int32_t point) const override;
    void setValueAt(int series, std::int32_t point, double value) override;
    double xValueAt(std::int32_t point) const override;
    tarnwick::chart::PriceSeriesNumbers priceSeries() const override;
    tarnwick::chart::StudySettings studySettings() const override;

    void showCompany(std::string_view name, std::string_view symbol) override;
    void setColumnKinds(std::span<const tarnwick::chart::ColumnKind> kinds) override;
    void setUpPriceSeries(const tarnwick::chart::PriceSeriesNumbers& prices, std::int32_t firstUser,
                          std::int32_t userCount) override;
    void clearDrawings() override;
    void showAnalyticalChart() override;
    void loadData(const tarnwick::chart::ChartDataSet& data) override;
    void setPriceDisplay(std::int32_t display) override;
    void refillDataEditor(std::int32_t trim) override;
    void setLegends(const tarnwick::chart::SeriesLegends& legends) override;
    void showUserSeries() override;
    std::string restoreDrawings(const tarnwick::clsCompany& company) override;
    void setChartCompanyID(std::string_view id) override;
    std::string chartCompanyID() const override;
    void listNotes(const tarnwick::clsCompany& company) override;
    void disableZoomOut() override;
    void setBusy(bool busy) override;

private:
    korvel::IKvlChart& chart_;
    dravik::IFinancialCharts* extension_;
    glossor::IGlosxList* annotations_;
    mutable ExtensionStudySlots studies_;
    ChartWindowLinks links_;
};

}  // namespace frame::chart
