// A chart target in memory that keeps what the fill's calls mean: the points the chart holds (with
// two study series beside the data columns), the drawings it shows and which company they belong to,
// the legends, the price display and the windows the fill refreshes. Any call named in `failOn`
// raises instead of taking effect.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "appchart/fill/ChartTarget.h"
#include "appdata/records/clsCompany.h"

namespace tarnwick::chart::test {

inline constexpr int kSarSeries = 20;
inline constexpr int kRsiSeries = 21;

class FakeChart final : public ChartFillTarget {
public:
    // --- chart control state ---
    std::vector<ColumnKind> kinds;
    std::string title, caption;
    ChartDataSet data;
    ChartDataSet loaded;  // the data set as the chart read it, before any value written into the chart
    std::map<int, std::vector<double>> studySeries;
    bool analytical = false;
    std::int32_t priceDisplay = -1;
    PriceSeriesNumbers prices;
    std::int32_t firstUser = -1, userCount = 0;
    std::vector<std::string> drawings{"trend line of the company shown before"};
    int annotations = 2;
    SeriesLegends legends;
    bool splitsShown = false, fourthUserShown = true;
    std::string companyId = "7";
    std::map<std::int32_t, std::string> storedDrawings;  // company ID -> drawing text of its row
    // --- windows ---
    std::int32_t editorTrim = -1;
    std::int32_t notesOf = -1;
    bool zoomOutEnabled = true;
    bool busy = false;
    StudySettings settings{2, kSarSeries, 2, 0, kRsiSeries};
    std::string failOn;

    std::int32_t pointCount() const override { return data.pointCount(); }
    double valueAt(int series, std::int32_t point) const override { return cell(series, point); }
    void setValueAt(int series, std::int32_t point, double value) override { cell(series, point) = value; }
    double xValueAt(std::int32_t point) const override {
        return data.xValues.at(static_cast<std::size_t>(point));
    }
    PriceSeriesNumbers priceSeries() const override { return prices; }
    StudySettings studySettings() const override {
        fail("studySettings");
        return settings;
    }

    void showCompany(std::string_view name, std::string_view symbol) override {
        fail("showCompany");
        title = name;
        caption = symbol;
    }
    void setColumnKinds(std::span<const ColumnKind> k) override {
        fail("setColumnKinds");
        kinds.assign(k.begin(), k.end());
    }
    void setUpPriceSeries(const PriceSeriesNumbers& p, std::int32_t first, std::int32_t count) override {
        fail("setUpPriceSeries");
        prices = p;
        firstUser = first;
        userCount = count;
    }
    void clearDrawings() override {
        fail("clearDrawings");
        drawings.clear();
        annotations = 0;
    }
    void showAnalyticalChart() override {
        fail("showAnalyticalChart");
        analytical = true;
    }
    // Takes the columns whose kinds were set; the study series start empty.
    void loadData(const ChartDataSet& d) override {
        fail("loadData");
        if (kinds.size() != kColumnCount) {
            throw std::logic_error("column kinds not set");
        }
        data = d;
        loaded = d;
        studySeries[kSarSeries].assign(d.xValues.size(), kNoValueMark);
        studySeries[kRsiSeries].assign(d.xValues.size(), kNoValueMark);
    }
    void setPriceDisplay(std::int32_t display) override {
        fail("setPriceDisplay");
        priceDisplay = display;
    }
    void refillDataEditor(std::int32_t trim) override {
        fail("refillDataEditor");
        editorTrim = trim;
    }
    void setLegends(const SeriesLegends& l) override {
        fail("setLegends");
        legends = l;
    }
    void showUserSeries() override {
        fail("showUserSeries");
        splitsShown = true;
        fourthUserShown = false;
    }
    std::string restoreDrawings(const clsCompany& company) override {
        fail("restoreDrawings");
        const std::string text = storedDrawings[company.ID];
        if (!text.empty()) {
            drawings.push_back(text);
        }
        return text;
    }
    void setChartCompanyID(std::string_view id) override {
        fail("setChartCompanyID");
        companyId = id;
    }
    std::string chartCompanyID() const override { return companyId; }
    void listNotes(const clsCompany& company) override {
        fail("listNotes");
        notesOf = company.ID;
    }
    void disableZoomOut() override {
        fail("disableZoomOut");
        zoomOutEnabled = false;
    }
    void setBusy(bool b) override { busy = b; }

    double value(int series, std::int32_t point) const { return cell(series, point); }

private:
    void fail(std::string_view call) const {
        if (call == failOn) {
            throw std::runtime_error("chart refused " + std::string(call));
        }
    }
    const double& cell(int series, std::int32_t point) const {
        const std::size_t p = static_cast<std::size_t>(point);
        if (series >= 0 && series < kValueColumnCount) {
            return data.values[static_cast<std::size_t>(series)].at(p);
        }
        return studySeries.at(series).at(p);
    }
    double& cell(int series, std::int32_t point) {
        return const_cast<double&>(static_cast<const FakeChart&>(*this).cell(series, point));
    }
};

}  // namespace tarnwick::chart::test
