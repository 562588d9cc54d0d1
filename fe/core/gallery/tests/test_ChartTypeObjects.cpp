// The chart-type objects the extension hands out: each property set through its object changes the
// chart type (and rebuilds the figure the chart shows), booleans count only -1 as true, colours and
// widths live in the chart type's series, and an object kept after the client let the extension go
// stays usable without reaching a chart.
#include <vector>

#include "GalleryFixture.h"
#include "dravik/ChartTypeInterfaces.h"
#include "dravik/Commands.h"
#include "gallery/CKagiChart.h"
#include "gallery/CPointFigureChart.h"
#include "gallery/CRenkoChart.h"
#include "gallery/CThreeLineBreakChart.h"

namespace dravik::test {
namespace {

using Values = std::vector<double>;

class ChartTypeObjectTest : public GalleryFixture {
protected:
    void SetUp() override {
        GalleryFixture::SetUp();
        korvel::KvlChartModel& model = chart->model();
        const Values prices{10, 12, 14, 11, 15, 9, 16, 12};
        model.resize(1, static_cast<LONG>(prices.size()));
        for (std::size_t p = 0; p < prices.size(); ++p)
            model.setValue(1, 0, static_cast<LONG>(p), prices[p]);
        ASSERT_EQ(extension->put_AutoRecalc(com::VARIANT_TRUE), com::S_OK);
    }
    template <typename Interface>
    com::ComPtr<Interface> object(HRESULT (CFinancialCharts::*getter)(Interface**)) {
        Interface* raw = nullptr;
        EXPECT_EQ(((*extension).*getter)(&raw), com::S_OK);
        return com::ComPtr<Interface>::attach(raw);
    }
    Values shownValues() { return chart->model().values().values(); }
    LONG refreshes() { return chart->dataRefreshCount(); }
};

TEST_F(ChartTypeObjectTest, PointAndFigurePropertiesRebuildTheFigure) {
    ASSERT_EQ(activate(CHART_POINTANDFIGURE), com::S_OK);
    auto pf = object(&CFinancialCharts::get_PointAndFigure);
    ASSERT_TRUE(pf);
    ASSERT_EQ(pf->put_PercentualBox(com::VARIANT_FALSE), com::S_OK);
    ASSERT_EQ(pf->put_BoxSize(2), com::S_OK);
    ASSERT_EQ(pf->put_ReversalAmount(1), com::S_OK);  // the value held: nothing to do
    // Boxes of 2 on 10, 12, 14, 11, 15, 9, 16, 12, a turn after one box: columns up to 14, down to 12,
    // up to 14, down to 10, up to 16, down to 12; rising columns end a box above their level.
    EXPECT_EQ(shownValues(), (Values{16, 12, 16, 10, 18, 12}));
    // Three boxes for a turn: only 14 -> 9 (2 boxes from 14 at the box size 2... trunc(5 / 2) = 2) is
    // too little; 15 is one box up (14 -> 14), 9 two boxes down: one rising column is all.
    ASSERT_EQ(pf->put_ReversalAmount(3), com::S_OK);
    auto& chartType = static_cast<CPointFigureChart&>(type(CHART_POINTANDFIGURE));
    EXPECT_EQ(chartType.settings().reversalAmount, 3);
    EXPECT_EQ(chartType.figure().endValues, shownValues());
    EXPECT_LT(shownValues().size(), 6u);

    double box = 0;
    EXPECT_EQ(pf->get_BoxSize(&box), com::S_OK);
    EXPECT_EQ(box, 2);
    // A boolean put of 1 (not -1) is false.
    ASSERT_EQ(pf->put_PercentualBox(com::VARIANT_TRUE), com::S_OK);
    ASSERT_EQ(pf->put_PercentualBox(1), com::S_OK);
    com::VARIANT_BOOL flag = com::VARIANT_TRUE;
    EXPECT_EQ(pf->get_PercentualBox(&flag), com::S_OK);
    EXPECT_EQ(flag, com::VARIANT_FALSE);
}

TEST_F(ChartTypeObjectTest, ValuesAlreadyHeldAndDisplayValuesDoNotRebuild) {
    ASSERT_EQ(activate(CHART_POINTANDFIGURE), com::S_OK);
    auto pf = object(&CFinancialCharts::get_PointAndFigure);
    const LONG before = refreshes();
    const LONG repaints = chart->repaintCount();
    EXPECT_EQ(pf->put_BoxSize(5), com::S_OK);
    EXPECT_EQ(pf->put_PercentualBox(com::VARIANT_TRUE), com::S_OK);
    EXPECT_EQ(refreshes(), before);
    EXPECT_EQ(pf->put_RectMarkers(com::VARIANT_FALSE), com::S_OK);
    EXPECT_EQ(refreshes(), before) << "square marks only repaint";
    EXPECT_GT(chart->repaintCount(), repaints);
    EXPECT_EQ(static_cast<CPointFigureChart&>(type(CHART_POINTANDFIGURE)).settings().rectMarkers, 0);
}

TEST_F(ChartTypeObjectTest, RenkoPropertiesRebuildTheFigure) {
    ASSERT_EQ(activate(CHART_RENKO), com::S_OK);
    auto renko = object(&CFinancialCharts::get_Renko);
    ASSERT_EQ(renko->put_PercentualBox(com::VARIANT_FALSE), com::S_OK);
    ASSERT_EQ(renko->put_BoxSize(3), com::S_OK);
    // Bricks of 3 from 10: 14 lays 10-13; 15 is less than a brick above 13 and 9 less than one below
    // 10; 16 lays 13-16; 12 is less than a brick below 13.
    EXPECT_EQ(shownValues(), (Values{13, 16}));
    // Up and down colours are the series' colours 1 and 0.
    ASSERT_EQ(renko->put_UpColor(0x00FF00), com::S_OK);
    ASSERT_EQ(renko->put_DownColor(0x0000FF), com::S_OK);
    LONG color = 0;
    EXPECT_EQ(renko->get_UpColor(&color), com::S_OK);
    EXPECT_EQ(color, 0x00FF00);
    SeriesAttributeRecord& record = *extension->specialChartSeriesRecord(CHART_RENKO);
    EXPECT_EQ(record.color[0], 0x0000FFu);
    EXPECT_EQ(record.color[1], 0x00FF00u);
}

TEST_F(ChartTypeObjectTest, KagiPropertiesRebuildTheFigure) {
    ASSERT_EQ(activate(CHART_KAGI), com::S_OK);
    auto kagi = object(&CFinancialCharts::get_Kagi);
    ASSERT_EQ(kagi->put_Percentual(com::VARIANT_FALSE), com::S_OK);
    ASSERT_EQ(kagi->put_ReversalAmount(4), com::S_OK);
    // Reversal 4 on 10, 12, 14, 11, 15, 9, 16, 12: up to 15, down to 9, up to 16, down to 12.
    EXPECT_EQ(shownValues(), (Values{15, 9, 16, 12}));
    ASSERT_EQ(kagi->put_YangWidth(5), com::S_OK);
    ASSERT_EQ(kagi->put_YinWidth(2), com::S_OK);
    SHORT width = 0;
    EXPECT_EQ(kagi->get_YangWidth(&width), com::S_OK);
    EXPECT_EQ(width, 5);
    EXPECT_EQ(kagi->get_YinWidth(&width), com::S_OK);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(extension->specialChartSeriesRecord(CHART_KAGI)->lineWidth[1], 2);
}

TEST_F(ChartTypeObjectTest, ThreeLineBreakRefusesAnEmptyWindow) {
    ASSERT_EQ(activate(CHART_THREELINEBREAK), com::S_OK);
    auto tlb = object(&CFinancialCharts::get_ThreeLineBreak);
    const Values withThree = shownValues();
    EXPECT_EQ(tlb->put_BreakDays(0), com::E_INVALIDARG);
    EXPECT_EQ(tlb->put_BreakDays(-2), com::E_INVALIDARG);
    SHORT days = 0;
    EXPECT_EQ(tlb->get_BreakDays(&days), com::S_OK);
    EXPECT_EQ(days, 3);
    EXPECT_EQ(shownValues(), withThree);
    ASSERT_EQ(tlb->put_BreakDays(1), com::S_OK);
    // One line to break: 10-12, 12-14; 11 is below the last line's bottom 12: 12-11; 15 above its top
    // 12: 12-15; 9: 12-9; 16: 12-16; 12 is not below the last line's bottom 12.
    EXPECT_EQ(shownValues(), (Values{12, 14, 11, 15, 9, 16}));
}

TEST_F(ChartTypeObjectTest, LabelMaskCrossesAsWideText) {
    auto pf = object(&CFinancialCharts::get_PointAndFigure);
    com::Bstr mask;
    EXPECT_EQ(pf->get_LabelMask(&mask), com::S_OK);
    EXPECT_EQ(mask.toUtf8(), "%t (%s)");
    ASSERT_EQ(pf->put_LabelMask(com::Bstr::fromUtf8("%V ▲")), com::S_OK);
    EXPECT_STREQ(type(CHART_POINTANDFIGURE).labelMask().GetText(nullptr), "%V ▲");
}

TEST_F(ChartTypeObjectTest, AnObjectKeptAfterTheExtensionWasReleasedStaysUsable) {
    ASSERT_EQ(activate(CHART_RENKO), com::S_OK);
    auto renko = object(&CFinancialCharts::get_Renko);
    com::ComPtr<IKvlBasedSeries> series;
    ASSERT_EQ(renko->get_Series(series.put()), com::S_OK);
    // The client unloads the extension and lets go of it.
    ASSERT_EQ(deactivate(CHART_RENKO), com::S_OK);
    ASSERT_EQ(extension->SetChart(nullptr), com::S_OK);
    extension.reset();
    const std::string chartBefore = dumpModel(chart->model());

    EXPECT_EQ(renko->put_BoxSize(7), com::S_OK);
    double box = 0;
    EXPECT_EQ(renko->get_BoxSize(&box), com::S_OK);
    EXPECT_EQ(box, 7);
    EXPECT_EQ(renko->put_UpColor(0x123456), com::S_OK);
    LONG color = 0;
    EXPECT_EQ(renko->get_UpColor(&color), com::S_OK);
    EXPECT_EQ(color, 0x123456);
    // A series object kept from before reaches no chart any more.
    EXPECT_EQ(series->put_Color(com::Variant(LONG{0}), 0x654321), com::S_OK);
    EXPECT_EQ(renko->get_DownColor(&color), com::S_OK);
    EXPECT_EQ(color, 0x654321);
    EXPECT_EQ(dumpModel(chart->model()), chartBefore);
    renko.reset();
    series.reset();
}

}  // namespace
}  // namespace dravik::test
