// The extension with its real chart types, attached to a chart of the chart-control model, and a full
// text dump of that model for before-and-after comparisons.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "com/ComObject.h"
#include "com/EventSink.h"
#include "dravik/Events.h"
#include "extension/CFinancialCharts.h"
#include "gallery/CGalleryBase.h"
#include "korvel/KvlChart.h"
#include "persist/CMemoryArchive.h"

namespace dravik::test {

// The study numbers of the first two user studies.
inline constexpr SHORT kUser0 = 38;
inline constexpr SHORT kUser1 = 39;

// The chart type's saved properties of `version` and `flags`, as the archive holds them.
inline std::vector<std::uint8_t> saveChartType(CGalleryBase& chartType, LONG version, LONG flags = 0) {
    CMemoryArchive archive;
    EXPECT_EQ(chartType.ExchangeProperties(archive, version, flags), com::S_OK);
    com::HGLOBAL memory = archive.DetachGlobal();
    return memory ? memory->bytes : std::vector<std::uint8_t>{};
}

inline void dumpBlock(std::ostringstream& out, const char* name, const korvel::KvlValueBlock& block) {
    out << name << ' ' << block.seriesCount() << 'x' << block.pointCount() << ':';
    for (double v : block.values())
        out << ' ' << v;
    out << '\n';
}

// Everything the model keeps that a chart type could change: tables, series, axes, zoom, layout and
// the chart-wide settings.
inline std::string dumpModel(const korvel::KvlChartModel& model) {
    std::ostringstream out;
    out.precision(17);
    dumpBlock(out, "values", model.values());
    dumpBlock(out, "from", model.fromValues());
    out << "fromUsed " << model.fromValuesUsed() << '\n';
    for (LONG p = 0; p < model.pointCount(); ++p) {
        double x = 0;
        model.xValue(p, &x);
        out << "x" << p << ' ' << x << ' ' << model.pointLegend(p) << '\n';
    }
    for (LONG s = 0; s < model.seriesCount(); ++s) {
        const korvel::KvlSeriesState* series = model.series(s);
        out << "series" << s << ' ' << series->legend << ':';
        for (LONG a : series->attributes)
            out << ' ' << a;
        out << '\n';
    }
    for (LONG a = 0; a < korvel::kAxisCount; ++a) {
        const korvel::KvlAxisState* axis = model.axis(a);
        out << "axis" << a << ':';
        for (double v : axis->properties)
            out << ' ' << v;
        out << " text=" << axis->text << " zoom=";
        if (axis->zoomRange)
            out << axis->zoomRange->first << ".." << axis->zoomRange->second;
        for (const auto& [index, text] : axis->labelTexts)
            out << " label" << index << '=' << text;
        out << '\n';
    }
    const korvel::KvlChartSettings& s = model.settings();
    out << "settings " << s.flagA << ' ' << s.flagB << ' ' << s.flagC << ' ' << s.flagD << ' ' << s.valueA
        << ' ' << s.valueB << ' ' << s.chartStyle << ' ' << s.switchedStyles << ' ' << s.styleWord << ' '
        << s.chartFlags << ' ' << s.options << ' ' << s.backColor << ' ' << s.chartColor << ' '
        << s.borderStyle << ' ' << s.indexedValue << '\n';
    // A numbered setting the chart never had reads 0: one written back as 0 is the same.
    for (const auto& [number, value] : s.numbered) {
        if (value != 0)
            out << "setting" << number << '=' << value << '\n';
    }
    out << "zoomMode " << model.zoomMode() << '\n';
    auto& m = const_cast<korvel::KvlChartModel&>(model);
    for (SHORT margin : m.margins())
        out << "margin " << margin << '\n';
    for (const std::string& title : m.axisTitles())
        out << "title " << title << '\n';
    out << "caption " << m.caption() << " tip " << m.toolTip() << '\n';
    return out.str();
}

class GalleryFixture : public ::testing::Test {
protected:
    static constexpr LONG kSeries = 5;
    static constexpr LONG kPoints = 20;

    void SetUp() override {
        chart = korvel::KvlChart::create();
        extension = com::makeComObject<CFinancialCharts>();
        ASSERT_EQ(extension->SetChart(static_cast<korvel::IKvlExtensionSite*>(chart.get())), com::S_OK);
        // After the attach, which prepares the chart's series.
        fillChart(kSeries, kPoints);
    }
    void TearDown() override {
        if (sink_)
            eventPoint()->Unadvise(cookie_);
        if (extension) {
            if (extension->activeIndex() >= 0)
                extension->ActivateGallery(extension->activeIndex(), 0, -1);
            extension->SetChart(nullptr);
        }
    }

    // Series s at point p holds 100 + s + p; x values are consecutive days.
    void fillChart(LONG series, LONG points) {
        korvel::KvlChartModel& model = chart->model();
        model.resize(series, points);
        for (LONG s = 0; s < series; ++s) {
            for (LONG p = 0; p < points; ++p)
                model.setValue(1, s, p, 100.0 + s + p);
        }
        for (LONG p = 0; p < points; ++p)
            model.setXValue(p, 45000.0 + p);
        model.autoScale();
    }

    // A sink on the extension's events, advised on first use; handlers are added with on().
    com::EventSink& events() {
        if (!sink_) {
            sink_ = com::makeComObject<com::EventSink>(DIID_DLomex_Events);
            EXPECT_EQ(eventPoint()->Advise(sink_->identity(), &cookie_), com::S_OK);
        }
        return *sink_;
    }
    com::ComPtr<com::IConnectionPoint> eventPoint() {
        com::ComPtr<com::IConnectionPoint> point;
        extension.as<com::IConnectionPointContainer>()->FindConnectionPoint(DIID_DLomex_Events, point.put());
        return point;
    }

    CGalleryBase& type(LONG index) { return *extension->gallery(index); }
    ChartTypeState& shared() { return extension->chartTypeState(); }
    HRESULT activate(LONG index) { return extension->ActivateGallery(index, 1, -1); }
    HRESULT deactivate(LONG index) { return extension->ActivateGallery(index, 0, -1); }

    com::ComPtr<korvel::KvlChart> chart;
    com::ComPtr<CFinancialCharts> extension;

private:
    com::ComPtr<com::EventSink> sink_;
    com::DWORD cookie_ = 0;
};

}  // namespace dravik::test
