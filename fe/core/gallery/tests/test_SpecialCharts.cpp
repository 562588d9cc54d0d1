// The four special chart types inside the chart-control model: the figure each hands the chart for a
// small price series (worked out by hand from the chart types' rules), empty figures, the saved
// properties, the brushes of the box charts and the labels of figure elements.
#include <QImage>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "ExtensionInTheChart.h"
#include "GalleryFixture.h"
#include "com/Activation.h"
#include "com/ClassFactory.h"
#include "com/EventSink.h"
#include "com/InprocServer.h"
#include "dravik/Commands.h"
#include "dravik/Events.h"
#include "dravik/IFinancialCharts.h"
#include "dravik/Identities.h"
#include "gallery/CKagiChart.h"
#include "gallery/CPointFigureChart.h"
#include "gallery/CRenkoChart.h"
#include "gallery/CThreeLineBreakChart.h"
#include "gdi/DeviceContext.h"
#include "persist/CMemoryArchive.h"

namespace dravik::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Values = std::vector<double>;

HRESULT loadSpecialChart(CGalleryBase& chartType, const Bytes& bytes, LONG version) {
    CMemoryArchive archive(bytes.data(), bytes.size());
    return chartType.ExchangeProperties(archive, version, 0);
}

Values blockValues(const korvel::KvlValueBlock& block) {
    return block.values();
}

// A chart of one price series; the chart types build from it (the close series of a one-series chart).
class SpecialChartTest : public GalleryFixture {
protected:
    void prices(const Values& values) {
        korvel::KvlChartModel& model = chart->model();
        model.resize(1, static_cast<LONG>(values.size()));
        for (std::size_t p = 0; p < values.size(); ++p)
            model.setValue(1, 0, static_cast<LONG>(p), values[p]);
        model.autoScale();
    }
    template <typename Chart>
    Chart& chartType(LONG index) {
        return static_cast<Chart&>(type(index));
    }
    Values shownValues() { return blockValues(chart->model().values()); }
    Values shownFromValues() { return blockValues(chart->model().fromValues()); }
    double axisProperty(LONG axis, std::size_t code) { return chart->model().axis(axis)->properties[code]; }
};

// --- The figure handed to the chart ---------------------------------------------------------------------

TEST_F(SpecialChartTest, PointAndFigureHandsItsColumnsToTheChart) {
    prices({10, 12, 14, 11});
    auto& pf = chartType<CPointFigureChart>(CHART_POINTANDFIGURE);
    pf.settings() = PointFigureSettings{1, 1, 0, 1};
    ASSERT_EQ(activate(CHART_POINTANDFIGURE), com::S_OK);
    // A rising column from 11 to 15 (4 boxes; its start moved up a box when the second column came),
    // then a falling one from 14 to 11 (3 boxes).
    EXPECT_EQ(shownValues(), (Values{15, 11}));
    EXPECT_EQ(shownFromValues(), (Values{11, 14}));
    EXPECT_EQ(chart->model().fromValuesUsed(), 1);
    EXPECT_EQ(pf.boxCount(), (std::vector<std::int32_t>{4, 3}));
    EXPECT_EQ(pf.figure().sourcePoint, (std::vector<std::int32_t>{2, 3}));
    EXPECT_EQ(pf.count(), 2);
    // The value axis of the chart type shows the figure's range (10 to 15 plus the box on top), the
    // other value axis is hidden.
    EXPECT_LE(axisProperty(0, 0), 10);
    EXPECT_GE(axisProperty(0, 1), 15);
    EXPECT_EQ(axisProperty(0, 10), 1);
    EXPECT_EQ(axisProperty(1, 10), 0);
    EXPECT_EQ(chart->model().series(0)->attributes[korvel::kAttrYAxis], 0);
}

TEST_F(SpecialChartTest, RenkoHandsItsBricksAndMarksItsSignals) {
    prices({10, 12.5, 11.9, 9.9});
    auto& renko = chartType<CRenkoChart>(CHART_RENKO);
    renko.settings() = RenkoSettings{1, 0};
    ASSERT_EQ(activate(CHART_RENKO), com::S_OK);
    // Two rising bricks 10-11 and 11-12 laid by point 1, one falling brick 11-10 laid by point 3.
    EXPECT_EQ(shownValues(), (Values{11, 12, 10}));
    EXPECT_EQ(shownFromValues(), (Values{10, 11, 11}));
    EXPECT_EQ(renko.figure().sourcePoint, (std::vector<std::int32_t>{1, 1, 3}));
    EXPECT_EQ(renko.figure().signal, (std::vector<std::int32_t>{0, 0, -1}));
}

TEST_F(SpecialChartTest, KagiHandsItsLineAndItsKinds) {
    prices({10, 15, 9, 16});
    auto& kagi = chartType<CKagiChart>(CHART_KAGI);
    kagi.settings() = KagiSettings{2, 0};
    ASSERT_EQ(activate(CHART_KAGI), com::S_OK);
    EXPECT_EQ(shownValues(), (Values{15, 9, 16}));
    EXPECT_EQ(shownFromValues(), (Values{10, 15, 9}));
    // Yang, yang turning yin below 10 (sell 1), yin turning yang above 15 (buy 1).
    EXPECT_EQ(kagi.pointType(), (std::vector<std::int16_t>{-2, -3, -4}));
    EXPECT_EQ(kagi.figure().signal, (std::vector<std::int32_t>{0, -1, 1}));
}

TEST_F(SpecialChartTest, ThreeLineBreakHandsItsLines) {
    prices({10, 11, 12, 13, 9});
    auto& tlb = chartType<CThreeLineBreakChart>(CHART_THREELINEBREAK);
    ASSERT_EQ(tlb.settings().breakDays, 3);
    ASSERT_EQ(activate(CHART_THREELINEBREAK), com::S_OK);
    // Three rising lines, then 9 breaks below 10 and a falling line runs from 12 down to 9.
    EXPECT_EQ(shownValues(), (Values{11, 12, 13, 9}));
    EXPECT_EQ(shownFromValues(), (Values{10, 11, 12, 12}));
    EXPECT_EQ(tlb.figure().sourcePoint, (std::vector<std::int32_t>{1, 2, 3, 4}));
}

TEST_F(SpecialChartTest, TheWorkSeriesChoosesThePrices) {
    // Three series: low 0, close 1, high 2 by the default binding.
    korvel::KvlChartModel& model = chart->model();
    model.resize(3, 3);
    const double rows[3][3] = {{1, 1, 1}, {10, 11, 12}, {20, 30, 40}};
    for (LONG s = 0; s < 3; ++s) {
        for (LONG p = 0; p < 3; ++p)
            model.setValue(1, s, p, rows[s][p]);
    }
    auto& renko = chartType<CRenkoChart>(CHART_RENKO);
    renko.settings() = RenkoSettings{10, 0};
    ASSERT_EQ(extension->put_WorkSeries(-3), com::S_OK);  // the high series
    ASSERT_EQ(activate(CHART_RENKO), com::S_OK);
    EXPECT_EQ(shownValues(), (Values{30, 40}));
    ASSERT_EQ(deactivate(CHART_RENKO), com::S_OK);
    // Out of range: series 0, whose values never move a brick.
    ASSERT_EQ(extension->put_WorkSeries(7), com::S_OK);
    ASSERT_EQ(activate(CHART_RENKO), com::S_OK);
    EXPECT_EQ(chart->model().pointCount(), 0);
}

TEST_F(SpecialChartTest, EmptyFiguresHandTheChartOneSeriesWithoutPoints) {
    for (LONG index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        prices({korvel::kNoValue, korvel::kNoValue, korvel::kNoValue});
        ASSERT_EQ(activate(index), com::S_OK);
        EXPECT_EQ(chart->model().seriesCount(), 1);
        EXPECT_EQ(chart->model().pointCount(), 0);
        EXPECT_EQ(static_cast<CSpecialChartBase&>(type(index)).figure().count(), 0);
        ASSERT_EQ(deactivate(index), com::S_OK);
    }
}

TEST_F(SpecialChartTest, RefusedSizesGiveAnEmptyFigureInsteadOfAHang) {
    prices({10, 11, 12});
    auto& pf = chartType<CPointFigureChart>(CHART_POINTANDFIGURE);
    pf.settings().boxSize = 0;
    ASSERT_EQ(activate(CHART_POINTANDFIGURE), com::S_OK);
    EXPECT_EQ(pf.lastBuildStatus(), com::E_INVALIDARG);
    EXPECT_EQ(chart->model().pointCount(), 0);
    ASSERT_EQ(deactivate(CHART_POINTANDFIGURE), com::S_OK);

    auto& renko = chartType<CRenkoChart>(CHART_RENKO);
    renko.settings() = RenkoSettings{-1, 0};
    ASSERT_EQ(activate(CHART_RENKO), com::S_OK);
    EXPECT_EQ(renko.lastBuildStatus(), com::E_INVALIDARG);
    EXPECT_EQ(chart->model().pointCount(), 0);
}

TEST_F(SpecialChartTest, DeactivationGivesTheChartItsPricesBack) {
    prices({10, 12, 14, 11});
    const std::string before = dumpModel(chart->model());
    for (LONG index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        ASSERT_EQ(activate(index), com::S_OK);
        ASSERT_EQ(deactivate(index), com::S_OK);
        EXPECT_EQ(dumpModel(chart->model()), before);
        EXPECT_EQ(static_cast<CSpecialChartBase&>(type(index)).figure().count(), 0);
    }
}

TEST_F(SpecialChartTest, TheValueRangeFitsTheVisibleFigureWhenAsked) {
    prices({10, 12.5, 11.9, 9.9, 14.2});
    auto& renko = chartType<CRenkoChart>(CHART_RENKO);
    renko.settings() = RenkoSettings{1, 0};
    ASSERT_EQ(activate(CHART_RENKO), com::S_OK);
    // Bricks 10-11, 11-12, 11-10, 11-12, 12-13, 13-14.
    ASSERT_EQ(shownValues(), (Values{11, 12, 10, 12, 13, 14}));
    shared().fitRangeToFigure = true;
    chart->model().setZoomMode(true);
    double min = 0;
    double max = 0;
    EXPECT_EQ(renko.GetValueRange(1, 2, &min, &max), 1);
    EXPECT_EQ(min, 10);
    EXPECT_EQ(max, 12);
    EXPECT_EQ(renko.GetValueRange(4, 99, &min, &max), 1) << "the last element caps the span";
    EXPECT_EQ(min, 12);
    EXPECT_EQ(max, 14);
    EXPECT_EQ(renko.GetValueRange(3, 3, &min, &max), 0) << "one element is no range";
    EXPECT_EQ(renko.GetValueRange(40, 50, &min, &max), 0);
}

TEST_F(SpecialChartTest, AZoomOfTheDaysDoesNotHideTheFigureSwitchedIn) {
    // 400 days climbing by 0.1 from 10 give, with a brick of 1, the 39 bricks 10-11 .. 48-49.
    Values days;
    for (int d = 0; d < 400; ++d)
        days.push_back(10 + d * 0.1);
    prices(days);
    ASSERT_EQ(activate(FINANCIAL_ANALYTICAL), com::S_OK);
    chart->model().setZoomMode(true);
    ASSERT_EQ(chart->ZoomTo(50, 12, 367, 40), com::S_OK);  // days 49 to 366, as a user drags them
    ASSERT_EQ(deactivate(FINANCIAL_ANALYTICAL), com::S_OK);
    chartType<CRenkoChart>(CHART_RENKO).settings() = RenkoSettings{1, 0};
    ASSERT_EQ(activate(CHART_RENKO), com::S_OK);
    ASSERT_EQ(chart->model().pointCount(), 39);
    EXPECT_FALSE(chart->model().zoomed());
    EXPECT_FALSE(chart->model().zoomMode());
    // Every brick is in sight: the X axis spans the 39 elements, the value axis their 10 to 49.
    EXPECT_EQ(chart->model().visibleRange(korvel::kXAxis), (std::pair<double, double>{0.5, 39.5}));
    const auto values = chart->model().visibleRange(0);
    EXPECT_LE(values.first, 10);
    EXPECT_GE(values.second, 49);
}

// --- Saved properties -------------------------------------------------------------------------------------

TEST(SpecialChartProperties, SavedImagesAtVersion33) {
    // "_YAxis" 0, the label mask as a string id, "_Flags" 0, then each chart type's own keys.
    const Bytes common{0, 0, 0, 0, 0, 0, 0, 0};
    const Bytes five{0, 0, 0, 0, 0, 0, 0x14, 0x40};  // 5.0 as a little-endian double
    CPointFigureChart pf(nullptr);
    Bytes expected = common;
    expected.insert(expected.end(), five.begin(), five.end());
    expected.insert(expected.end(), {1, 0, 1, 1});  // reversal 1, percentual, square marks
    EXPECT_EQ(saveChartType(pf, 33, 1), expected);
    EXPECT_EQ(expected.size(), 20u);

    CRenkoChart renko(nullptr);
    CKagiChart kagi(nullptr);
    expected = common;
    expected.insert(expected.end(), five.begin(), five.end());
    expected.push_back(1);
    EXPECT_EQ(saveChartType(renko, 33, 1), expected);
    EXPECT_EQ(saveChartType(kagi, 33, 1), expected);
    EXPECT_EQ(expected.size(), 17u);

    CThreeLineBreakChart tlb(nullptr);
    expected = common;
    expected.insert(expected.end(), {3, 0});
    EXPECT_EQ(saveChartType(tlb, 33, 1), expected);
    EXPECT_EQ(expected.size(), 10u);

    // The estimate: the label mask's 2 bytes and each chart type's own share.
    const std::pair<CGalleryBase*, LONG> sizes[] = {{&pf, 16}, {&renko, 12}, {&kagi, 12}, {&tlb, 4}};
    for (const auto& [chartType, size] : sizes) {
        LONG estimate = 0;
        chartType->GetPersistSize(&estimate);
        EXPECT_EQ(estimate, size);
    }
}

TEST(SpecialChartProperties, LoadsWhatItSavedAndRefusesAnEmptyWindow) {
    CThreeLineBreakChart saved(nullptr);
    saved.settings().breakDays = 5;
    saved.SetYAxis(0, 0, 1);
    CThreeLineBreakChart loaded(nullptr);
    EXPECT_EQ(loadSpecialChart(loaded, saveChartType(saved, 33, 0), 33), com::S_OK);
    EXPECT_EQ(loaded.settings().breakDays, 5);
    EXPECT_EQ(loaded.GetYAxis(), 1);

    // BreakDays 0 from a saved state: the load fails and the chart type keeps its lines.
    Bytes bad = saveChartType(saved, 33, 0);
    bad[bad.size() - 2] = 0;
    CThreeLineBreakChart refused(nullptr);
    EXPECT_NE(loadSpecialChart(refused, bad, 33), com::S_OK);
    EXPECT_EQ(refused.settings().breakDays, 3);
}

TEST(SpecialChartProperties, IdentityTowardsTheChart) {
    CPointFigureChart pf(nullptr);
    CRenkoChart renko(nullptr);
    CKagiChart kagi(nullptr);
    CThreeLineBreakChart tlb(nullptr);
    const std::pair<CGalleryBase*, com::CLSID> pages[] = {{&pf, CLSID_PointFigPage},
                                                          {&renko, CLSID_RenkoPage},
                                                          {&kagi, CLSID_KagiPage},
                                                          {&tlb, CLSID_ThreeLineBreakPage}};
    const char* names[] = {"Point and Figure", "Renko", "Kagi", "Three Line Break"};
    for (LONG index = 0; index < 4; ++index) {
        CGalleryBase& chartType = *pages[index].first;
        EXPECT_EQ(chartType.nameId(), 130 + index);
        EXPECT_EQ(chartType.GetGalleryFlags(), 0x20d7000);
        char name[56] = {};
        chartType.GetName(name, sizeof name);
        EXPECT_STREQ(name, names[index]);
        com::CLSID page{};
        EXPECT_EQ(chartType.GetPageClsid(1, &page), com::S_OK);
        EXPECT_EQ(page, pages[index].second);
        EXPECT_EQ(chartType.GetPageClsid(2, &page), com::S_OK);
        EXPECT_TRUE(page.isNull());
    }
}

// --- Painting -------------------------------------------------------------------------------------------

TEST_F(SpecialChartTest, BoxChartsSelectTheirBrushesAndDeleteThemOnlyOnceTheyAreOut) {
    prices({10, 12.5, 11.9, 9.9});
    auto& renko = chartType<CRenkoChart>(CHART_RENKO);
    renko.settings() = RenkoSettings{1, 0};
    ASSERT_EQ(activate(CHART_RENKO), com::S_OK);
    auto screen = gdi::createImageDC(200, 100);
    const gdi::HGDIOBJ chartBrush = screen->selectObject(gdi::getStockObject(gdi::WHITE_BRUSH));
    screen->selectObject(chartBrush);
    const std::size_t objectsBefore = gdi::liveObjectCount();
    korvel::KvlPaintRecord record;
    record.dc = screen.get();
    LONG kind = 0;
    LONG mode = 0;
    for (LONG element = 0; element < 3; ++element) {
        record.element = element;
        record.flags = (element == 0 ? korvel::kPaintFirst : 0) | (element == 2 ? korvel::kPaintLast : 0);
        EXPECT_EQ(renko.DrawPoint(&kind, &record, &mode), 1);
        EXPECT_EQ(kind, korvel::kDrawKindChart);
        EXPECT_EQ(mode, 1);
        // The chart draws the bar with the brush the chart type selected.
        EXPECT_EQ(renko.lastWasDown(), element == 2);
        EXPECT_TRUE(gdi::isValidObject(renko.selectedBrush()));
    }
    EXPECT_EQ(gdi::liveObjectCount(), objectsBefore + 2);
    // The last bar is drawn after the call: the brushes go at the end of the paint, with the chart's
    // brush back in the DC first.
    renko.OnGalleryNotify(screen.get(), korvel::kNotifyPaintEnd, 0);
    EXPECT_EQ(gdi::liveObjectCount(), objectsBefore);
    EXPECT_EQ(screen->selectObject(chartBrush), chartBrush);
}

// The chart types of the extension the chart loaded by its ProgID, as the program loads it: the chart
// paints them through its extension driver.
class SpecialChartInTheChart : public ExtensionInTheChart {
protected:
    void prices(const Values& values) {
        korvel::KvlChartModel& model = chart->model();
        model.resize(1, static_cast<LONG>(values.size()));
        for (std::size_t p = 0; p < values.size(); ++p)
            model.setValue(1, 0, static_cast<LONG>(p), values[p]);
        chart->dataChanged();
    }
};

// Rising boxes in the up colour (colour index 1), falling ones in the down colour (the series' own),
// as the painted chart shows them at the middle of each box.
TEST_F(SpecialChartInTheChart, BoxChartsPaintRisingAndFallingBoxesInTheirOwnColours) {
    constexpr gdi::COLORREF kUp = 0x00C000;    // green
    constexpr gdi::COLORREF kDown = 0x0000E0;  // red
    prices({10, 12.5, 11.9, 9.9, 7.9});
    static_cast<CRenkoChart&>(*extension->gallery(CHART_RENKO)).settings() = RenkoSettings{1, 0};
    static_cast<CThreeLineBreakChart&>(*extension->gallery(CHART_THREELINEBREAK)).settings().breakDays = 1;
    // Renko: rising 10-11, 11-12, falling 11-10, 10-9, 9-8. Three Line Break with one line: rising
    // 10-12.5 (11.9 breaks nothing), then 9.9 below 10 reverses from 10 down and 7.9 extends the fall.
    const struct {
        LONG index;
        std::vector<bool> rising;
    } cases[] = {{CHART_RENKO, {true, true, false, false, false}},
                 {CHART_THREELINEBREAK, {true, false, false}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        extension->specialChartSeriesRecord(c.index)->color[1] = kUp;
        ASSERT_EQ(chart->put_ChartType(korvel::kFirstExtensionGalleryType + c.index), com::S_OK);
        auto& boxes = static_cast<CSpecialChartBase&>(*extension->gallery(c.index));
        ASSERT_EQ(boxes.figure().count(), static_cast<std::int32_t>(c.rising.size()));
        ASSERT_EQ(chart->SetSeriesColor(0, static_cast<LONG>(kDown)), com::S_OK);
        auto screen = gdi::createImageDC(640, 480);
        chart->paint(screen.get(), korvel::KvlRect{0, 0, 640, 480}, false);
        const QImage image = screen->image();
        for (std::size_t e = 0; e < c.rising.size(); ++e) {
            SCOPED_TRACE(e);
            const double middle = (boxes.figure().startValues[e] + boxes.figure().endValues[e]) / 2;
            LONG x = 0;
            LONG y = 0;
            ASSERT_EQ(chart->ValueToPixel(static_cast<double>(e + 1), middle, &x, &y, 0), com::S_OK);
            const gdi::COLORREF expected = c.rising[e] ? kUp : kDown;
            EXPECT_EQ(image.pixel(x, y),
                      qRgb(expected & 0xFF, (expected >> 8) & 0xFF, (expected >> 16) & 0xFF));
        }
    }
}

// Low, close, high and volume (the default binding of four series: low 0, close 1, high 2, no open).
// Kagi with a reversal of 2 draws 10-15, 15-9, 9-16 (worked out by hand from the closes).
TEST_F(SpecialChartInTheChart, TheSpecialChartsShowTheirFigureAfterTheAnalyticalChartShowedNoPrices) {
    const Values close{10, 15, 9, 16};
    korvel::KvlChartModel& model = chart->model();
    model.resize(4, static_cast<LONG>(close.size()));
    for (std::size_t p = 0; p < close.size(); ++p) {
        const auto point = static_cast<LONG>(p);
        model.setValue(1, 0, point, close[p] - 1);
        model.setValue(1, 1, point, close[p]);
        model.setValue(1, 2, point, close[p] + 1);
        model.setValue(1, 3, point, 1000);
    }
    chart->dataChanged();
    static_cast<CKagiChart&>(*extension->gallery(CHART_KAGI)).settings() = KagiSettings{2, 0};
    ASSERT_EQ(chart->put_ChartType(korvel::kFirstExtensionGalleryType + FINANCIAL_ANALYTICAL), com::S_OK);
    ASSERT_EQ(extension->FireCommand(ID_NOPRICE), com::S_OK);
    ASSERT_EQ(extension->chartTypeState().priceDisplay, NO_PRICE);
    for (const LONG index : {CHART_POINTANDFIGURE, CHART_RENKO, CHART_KAGI, CHART_THREELINEBREAK}) {
        SCOPED_TRACE(index);
        ASSERT_EQ(chart->put_ChartType(korvel::kFirstExtensionGalleryType + index), com::S_OK);
        // The figure's series is shown, and keeps the chart type's own name.
        EXPECT_EQ(chart->model().series(0)->attributes[korvel::kAttrVisible], 1);
        EXPECT_EQ(chart->model().series(0)->legend,
                  (std::array<const char*, 4>{"Point and Figure", "Renko", "Kagi", "Three Line Break"}.at(
                      static_cast<std::size_t>(index))));
    }
    ASSERT_EQ(chart->put_ChartType(korvel::kFirstExtensionGalleryType + CHART_KAGI), com::S_OK);
    auto screen = gdi::createImageDC(640, 480);
    chart->paint(screen.get(), korvel::KvlRect{0, 0, 640, 480}, false);
    const QImage image = screen->image();
    // The vertical run of element e lies at the middle of the bar two thirds as wide as its slot (the
    // slot spans positions e + 0.5 to e + 1.5), from the element's start value to its end value.
    const struct {
        LONG element;
        double from, to;
    } runs[] = {{0, 10, 15}, {1, 15, 9}, {2, 9, 16}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.element);
        LONG slotLeft = 0;
        LONG slotRight = 0;
        LONG row = 0;
        ASSERT_EQ(chart->ValueToPixel(run.element + 0.5, 10, &slotLeft, &row, 0), com::S_OK);
        ASSERT_EQ(chart->ValueToPixel(run.element + 1.5, 10, &slotRight, &row, 0), com::S_OK);
        const LONG slot = slotRight - slotLeft;
        const LONG bar = slot * 2 / 3;
        const LONG x = slotLeft + (slot - bar) / 2 + bar / 2;
        LONG top = 0;
        LONG bottom = 0;
        ASSERT_EQ(chart->ValueToPixel(run.element + 1, std::max(run.from, run.to), &slotLeft, &top, 0),
                  com::S_OK);
        ASSERT_EQ(chart->ValueToPixel(run.element + 1, std::min(run.from, run.to), &slotLeft, &bottom, 0),
                  com::S_OK);
        ASSERT_LT(top + 4, bottom);
        for (LONG y = top + 2; y <= bottom - 2; y += 3)
            EXPECT_EQ(image.pixel(x, y), qRgb(0, 0, 0)) << "row " << y;
    }
}

TEST_F(SpecialChartTest, PointAndFigureDrawsCrossesUpAndRingsDown) {
    prices({10, 12, 14, 11});
    auto& pf = chartType<CPointFigureChart>(CHART_POINTANDFIGURE);
    pf.settings() = PointFigureSettings{1, 1, 0, 1};
    ASSERT_EQ(activate(CHART_POINTANDFIGURE), com::S_OK);
    ASSERT_EQ(pf.boxCount(), (std::vector<std::int32_t>{4, 3}));
    auto dc = gdi::createImageDC(100, 60);
    dc->fillRect(gdi::Rect{0, 0, 100, 60}, gdi::getStockObject(gdi::WHITE_BRUSH));
    const std::size_t objectsBefore = gdi::liveObjectCount();
    pf.OnMouseInput(dc.get(), nullptr, 0);  // the paint bracket makes the marker pen
    // Column 0 rises from row 40 to row 0 in a slot 0..40: four boxes of 10 rows, square marks 10
    // pixels wide centred at x 15..25.
    korvel::KvlPaintRecord record;
    record.dc = dc.get();
    record.element = 0;
    record.slotLeft = 0;
    record.slotWidth = 40;
    record.barWidth = 40;
    record.rowEnd = 0;
    record.rowStart = 40;
    LONG kind = -1;
    LONG mode = 0;
    EXPECT_EQ(pf.DrawPoint(&kind, &record, &mode), 1);
    EXPECT_NE(kind, korvel::kDrawKindChart) << "the chart type draws the column itself";
    const QRgb white = qRgb(255, 255, 255);
    QImage image = dc->image();
    EXPECT_NE(image.pixel(20, 35), white) << "the crossing of the lowest X";
    EXPECT_NE(image.pixel(20, 5), white) << "the crossing of the highest X";
    EXPECT_EQ(image.pixel(10, 35), white) << "outside the square marks";
    // Column 1 falls from row 10 to row 40 in the slot 50..90: three rings of 10 rows.
    record.element = 1;
    record.slotLeft = 50;
    record.rowEnd = 40;
    record.rowStart = 10;
    EXPECT_EQ(pf.DrawPoint(&kind, &record, &mode), 1);
    image = dc->image();
    EXPECT_EQ(image.pixel(70, 35), white) << "a ring is hollow";
    EXPECT_NE(image.pixel(70, 30), white) << "where two rings touch";
    // An alternate paint fills the column black.
    record.flags = korvel::kPaintAlternate;
    EXPECT_EQ(pf.DrawPoint(&kind, &record, &mode), 1);
    EXPECT_EQ(dc->image().pixel(70, 35), qRgb(0, 0, 0));
    EXPECT_EQ(gdi::liveObjectCount(), objectsBefore + 1) << "the marker pen only";
}

TEST_F(SpecialChartTest, KagiChangesItsPenWhereTheLinePassesTheLastWaist) {
    prices({10, 15, 9, 16});
    auto& kagi = chartType<CKagiChart>(CHART_KAGI);
    kagi.settings() = KagiSettings{2, 0};
    ASSERT_EQ(activate(CHART_KAGI), com::S_OK);
    SeriesAttributeRecord& record = *extension->specialChartSeriesRecord(CHART_KAGI);
    record.lineStyle = 0;
    record.lineWidth = {7, 1};  // yang 7 pixels, yin 1
    auto dc = gdi::createImageDC(100, 100);
    dc->fillRect(gdi::Rect{0, 0, 100, 100}, gdi::getStockObject(gdi::WHITE_BRUSH));
    kagi.OnMouseInput(dc.get(), nullptr, 0);
    // Element 1 falls from 15 (row 0) to 9 (row 60): yang down to 10, the start of element 0, which is
    // 5/6 of the way (row 50), then yin. Slot 20..60 with a bar of 40: the line runs at x 40.
    korvel::KvlPaintRecord paint;
    paint.dc = dc.get();
    paint.element = 1;
    paint.slotLeft = 20;
    paint.slotWidth = 40;
    paint.barWidth = 40;
    paint.rowStart = 0;
    paint.rowEnd = 60;
    LONG kind = -1;
    LONG mode = 0;
    EXPECT_EQ(kagi.DrawPoint(&kind, &paint, &mode), 1);
    const QImage image = dc->image();
    const QRgb white = qRgb(255, 255, 255);
    EXPECT_NE(image.pixel(42, 25), white) << "thick above the waist";
    EXPECT_EQ(image.pixel(42, 56), white) << "thin below it";
    EXPECT_NE(image.pixel(40, 56), white);
    EXPECT_NE(image.pixel(30, 0), white) << "joined to the element before on the start row";
    EXPECT_NE(image.pixel(55, 60), white) << "and on to the next on the end row";
}

TEST_F(SpecialChartTest, PaintingEachSpecialChartStaysInsideItsBracket) {
    prices({10, 12, 14, 11, 15, 9, 16, 12});
    chartType<CPointFigureChart>(CHART_POINTANDFIGURE).settings() = PointFigureSettings{1, 1, 0, 1};
    chartType<CKagiChart>(CHART_KAGI).settings() = KagiSettings{2, 0};
    auto screen = gdi::createImageDC(640, 480);
    for (LONG index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        const std::size_t objectsBefore = gdi::liveObjectCount();
        ASSERT_EQ(activate(index), com::S_OK);
        EXPECT_GT(chart->model().pointCount(), 0);
        chart->paint(screen.get(), korvel::KvlRect{0, 0, 640, 480}, false);
        ASSERT_EQ(deactivate(index), com::S_OK);
        // Only the pens of the point-drawing chart types stay (kept for the next paint).
        EXPECT_LE(gdi::liveObjectCount(), objectsBefore + 4);
    }
}

// --- Labels ---------------------------------------------------------------------------------------------

TEST_F(SpecialChartTest, LabelsOfFigureElements) {
    prices({10, 15, 9, 16});
    auto& kagi = chartType<CKagiChart>(CHART_KAGI);
    kagi.settings() = KagiSettings{2, 0};
    ASSERT_EQ(activate(CHART_KAGI), com::S_OK);
    char text[256] = {};
    extension->settings().sellMask.SetText("Sell ", nullptr);
    kagi.labelMask().SetText("%S|%T", nullptr);
    kagi.GetLabelText(text, sizeof text, 0, 0, 0);
    EXPECT_STREQ(text, "2|") << "the first element ends at point 1; no signal";
    kagi.GetLabelText(text, sizeof text, 0, 1, 0);
    EXPECT_STREQ(text, "3|Sell 1");
    kagi.GetLabelText(text, 4, 0, 1, 0);
    EXPECT_STREQ(text, "3|S") << "cut to the buffer";
    EXPECT_EQ(kagi.GetSourcePoint(2), 3);
}

TEST_F(SpecialChartTest, TheInformationStripShowsTheLabelTheApplicationMayReplace) {
    prices({10, 12.5, 11.9, 9.9});
    auto& renko = chartType<CRenkoChart>(CHART_RENKO);
    renko.settings() = RenkoSettings{1, 0};
    ASSERT_EQ(activate(CHART_RENKO), com::S_OK);
    chart->UpdateWindow();
    renko.labelMask().SetText("%V", nullptr);
    std::vector<std::string> asked;
    events().on(kEventGetDateInfo, [&](std::span<com::Variant> args) {
        asked.push_back(std::to_string(args[0].i4()) + ":" + std::to_string(args[1].i4()) + ":" +
                        args[2].bstrRef()->toUtf8());
        *args[2].bstrRef() = com::Bstr::fromUtf8("WWWWWWWW");
        return com::S_OK;
    });
    // The strip runs over the top margin, from the left margin (60) to the plot's right edge.
    const auto stripIsPlain = [&] {
        const QImage image = chart->surface()->image();
        const QRgb background = image.pixel(61, 2);
        for (int y = 2; y < 19; ++y) {
            for (int x = 61; x < 600; ++x) {
                if (image.pixel(x, y) != background)
                    return false;
            }
        }
        return true;
    };
    renko.ShowPointInfo(1, 3);
    // Gallery value 1 (Renko), element 2: the falling brick ending at 10.
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].substr(0, 4), "1:2:");
    EXPECT_NE(asked[0].find("10"), std::string::npos);
    EXPECT_FALSE(stripIsPlain()) << "the application's text is drawn";
    renko.ShowPointInfo(0, 3);
    EXPECT_TRUE(stripIsPlain()) << "hidden: the strip is cleared";
    EXPECT_EQ(asked.size(), 1u);
}

}  // namespace
}  // namespace dravik::test
