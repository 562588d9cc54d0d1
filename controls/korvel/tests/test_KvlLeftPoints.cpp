// What the chart draws while an extension's chart type is active: the points the chart type leaves to
// it in the chart's own galleries, nothing over the points it draws itself, the axis grid as the chart
// keeps it under the extension's labels, and the legend box.
#include <gtest/gtest.h>

#include <cmath>

#include "KvlTestCharts.h"
#include "gdi/Objects.h"
#include "korvel/KvlChart.h"
#include "korvel/KvlExtensionDriver.h"
#include "korvel/testing/KvlRecordingExtension.h"

namespace korvel {
namespace {

using test::kBlack;
using test::kBlue;
using test::kGreen;
using test::kRed;
using test::kWhite;
using testing::KvlRecordingExtension;

// Twenty points on a 320 x 200 chart (plot 60..300 across, 20..160 down) with the values 6.5 .. 13.5
// on axis 0: a high-low-close figure in the order the financial extension binds it (low, close,
// high), a line with circle markers and a volume-like series in the extension's bar type.
class KvlLeftPointsTest : public ::testing::Test {
protected:
    static constexpr LONG kLow = 0, kClose = 1, kHigh = 2, kLine = 3, kBars = 4;

    void SetUp() override {
        ASSERT_EQ(KvlRecordingExtension::startTest(), com::S_OK);
        chart = KvlChart::create();
        KvlChartModel& model = chart->model();
        model.setClientSize(320, 200);
        model.resize(5, 20);
        for (int p = 0; p < 20; ++p) {
            model.setValue(1, kLow, p, low(p));
            model.setValue(1, kClose, p, close(p));
            model.setValue(1, kHigh, p, high(p));
            model.setValue(1, kLine, p, 13.2);
            model.setValue(1, kBars, p, 7.5);
        }
        for (const LONG s : {kLow, kClose, kHigh}) {
            model.setAttribute(s, kAttrGallery, kGalleryHighLowClose);
            model.setAttribute(s, kAttrColor, kBlack);
        }
        model.setAttribute(kLine, kAttrGallery, kGalleryLines);
        model.setAttribute(kLine, kAttrColor, kRed);
        model.setAttribute(kLine, kAttrMarkerShape, 2);
        model.setAttribute(kLine, kAttrMarkerSize, 3);
        model.setAttribute(kBars, kAttrGallery, kFirstExtensionGalleryType + 5);
        model.setAttribute(kBars, kAttrColor, kBlue);
        model.setAxisValue(0, kAxisMin, 6.5);
        model.setAxisValue(0, kAxisMax, 13.5);
        com::ComPtr<com::IUnknown> extension;
        ASSERT_EQ(chart->AddExtension(com::Bstr(u"Korvel.RecordingExtension"), extension.put()), com::S_OK);
        ASSERT_EQ(chart->put_ChartType(kFirstExtensionGalleryType), com::S_OK);
    }
    void TearDown() override { EXPECT_EQ(KvlRecordingExtension::faults(), std::vector<std::string>{}); }

    static double low(int p) { return 8 + (p % 3); }
    static double close(int p) { return low(p) + 1 + (p % 2) * 0.5; }
    static double high(int p) { return low(p) + 2.5; }
    // Where the chart must put a point's value: an independent model of the plot's scale.
    static LONG column(int point) { return std::lround(60 + (point + 1 - 0.5) / 20.0 * 240); }
    static LONG row(double value) { return std::lround(160 - (value - 6.5) / (13.5 - 6.5) * 140); }

    QImage paint() {
        chart->paintSurface();
        return chart->surface()->image();
    }
    static gdi::COLORREF at(const QImage& image, LONG x, LONG y) {
        return gdi::fromQColor(image.pixelColor(x, y));
    }

    com::ComPtr<KvlChart> chart;
};

TEST_F(KvlLeftPointsTest, AChartTypeThatPaintsNoPointLeavesEverySeriesToTheChart) {
    KvlRecordingExtension::drawAnswer() = {0, 0};
    auto dc = gdi::createImageDC(320, 200);
    EXPECT_EQ(chart->paint(dc.get(), chart->model().clientRect(), false), 20) << "every point left";
    const QImage image = paint();
    for (int p = 0; p < 20; ++p) {
        // The bar runs from the high to the low; the close tick points right at the close.
        const LONG x = column(p);
        EXPECT_EQ(at(image, x, row(high(p)) + 1), kBlack) << "top of the bar of point " << p;
        EXPECT_EQ(at(image, x, row(low(p)) - 1), kBlack) << "bottom of the bar of point " << p;
        EXPECT_NE(at(image, x, row(high(p)) - 3), kBlack) << "nothing above the high of point " << p;
        EXPECT_EQ(at(image, x + 2, row(close(p))), kBlack) << "close tick of point " << p;
        EXPECT_NE(at(image, x - 2, row(close(p))), kBlack) << "no open tick on point " << p;
        EXPECT_EQ(at(image, x, row(13.2) - 2), kRed) << "circle marker on point " << p;
        EXPECT_EQ(at(image, x, row(7)), kBlue) << "the bar-type series as a bar at point " << p;
    }
    EXPECT_EQ(at(image, (column(3) + column(4)) / 2, row(13.2)), kRed) << "the line joins its points";
    EXPECT_NE(at(image, (column(3) + column(4)) / 2, row(7)), kBlue) << "bars stand apart";
}

// The first extension gallery number is an extension's gallery like every later one: the series is
// drawn as bars; a number below it that is no gallery of the chart's own draws in the chart's type.
TEST_F(KvlLeftPointsTest, ASeriesInAnExtensionGalleryFromTheFirstOnIsDrawnAsBars) {
    KvlRecordingExtension::drawAnswer() = {0, 0};
    const struct {
        LONG gallery;
        bool bars;
    } cases[] = {{kFirstExtensionGalleryType - 1, false},
                 {kFirstExtensionGalleryType, true},
                 {kFirstExtensionGalleryType + 1, true}};
    for (const auto& c : cases) {
        chart->model().setAttribute(kBars, kAttrGallery, c.gallery);
        const QImage image = paint();
        const LONG between = (column(3) + column(4)) / 2;
        EXPECT_EQ(at(image, column(3), row(7)) == kBlue, c.bars) << "below the value, gallery " << c.gallery;
        EXPECT_EQ(at(image, between, row(7.5)) == kBlue, !c.bars) << "between points, gallery " << c.gallery;
    }
}

// A price figure's bars are drawn whole whatever line style its first series has (the financial
// extension gives its low and close series the dash-dot-dot style): only lines are dashed.
TEST_F(KvlLeftPointsTest, APriceFiguresBarsAreSolidInEveryLineStyle) {
    KvlRecordingExtension::drawAnswer() = {0, 0};
    for (const LONG style : {gdi::PS_DASH, gdi::PS_DOT, gdi::PS_DASHDOTDOT}) {
        chart->model().setAttribute(kLow, kAttrLineStyle, style);
        const QImage image = paint();
        for (int p = 0; p < 20; p += 5) {
            int gaps = 0;
            for (LONG y = row(high(p)) + 1; y < row(low(p)); ++y)
                gaps += at(image, column(p), y) != kBlack ? 1 : 0;
            EXPECT_EQ(gaps, 0) << "style " << style << ", point " << p;
        }
    }
}

TEST_F(KvlLeftPointsTest, AChartTypeThatDrawsItsOwnPointsGetsNothingDrawnOverThem) {
    KvlRecordingExtension::drawAnswer() = {0, 1};
    auto dc = gdi::createImageDC(320, 200);
    EXPECT_EQ(chart->paint(dc.get(), chart->model().clientRect(), false), 0);
    const QImage image = paint();
    for (int p = 0; p < 20; ++p) {
        EXPECT_NE(at(image, column(p), row(high(p)) + 1), kBlack) << "point " << p;
        EXPECT_NE(at(image, column(p), row(13.2)), kRed) << "point " << p;
    }
}

TEST_F(KvlLeftPointsTest, ABoxChartsBarsAreDrawnOnlyWhereTheChartTypeAsks) {
    // Kind kDrawKindChart without from-values: a bar-type point, drawn in the chart's galleries.
    KvlRecordingExtension::drawAnswer() = {kDrawKindChart, 1};
    const QImage image = paint();
    EXPECT_EQ(at(image, column(7), row(high(7)) + 1), kBlack);
    EXPECT_EQ(at(image, column(7), row(7)), kBlue);
}

TEST_F(KvlLeftPointsTest, TheDateGridUnderTheExtensionsLabelsFollowsTheAxis) {
    // X labels every 3 points from the axis's start (0.5), in whatever pen the chart selected.
    KvlRecordingExtension::xLabels() = KvlRecordingExtension::XLabels{3, std::nullopt};
    KvlRecordingExtension::drawAnswer() = {0, 1};  // nothing drawn across the grid
    chart->model().setAxisValue(kXAxis, kAxisGridColor, kGreen);
    LONG x = 0, y = 0;
    ASSERT_EQ(chart->ValueToPixel(3.5, 11, &x, &y, 0), com::S_OK);
    QImage image = paint();
    EXPECT_EQ(at(image, x, y), kGreen) << "a grid line at the second label";
    EXPECT_EQ(at(image, x + 3, y), kWhite);
    ASSERT_EQ(chart->RunCommand(kCommandVerticalGrid, 0), com::S_OK);
    image = paint();
    EXPECT_EQ(at(image, x, y), kWhite) << "the vertical grid switched off";
    ASSERT_EQ(chart->RunCommand(kCommandVerticalGrid, 0), com::S_OK);
    image = paint();
    EXPECT_EQ(at(image, x, y), kGreen) << "and on again";
}

TEST_F(KvlLeftPointsTest, TheLegendBoxShowsInThePlotsCornerWhenItHasNoPlace) {
    KvlRecordingExtension::drawAnswer() = {0, 1};
    chart->model().series(kLine)->legend = "Parabolic SAR";
    chart->model().series(kBars)->legend = "Volume";
    const QImage without = paint();
    ASSERT_EQ(chart->RunCommand(kCommandLegendBox, 0), com::S_OK);
    ASSERT_EQ(chart->model().legendBox().visible, 1);
    const QImage with = paint();
    // Framed from 6 pixels inside the plot's corner, two entries high, the samples in the series'
    // colours on the plot's colour.
    EXPECT_EQ(at(with, 70, 26), kBlack) << "top edge of the frame";
    EXPECT_EQ(at(with, 66, 40), kBlack) << "left edge of the frame";
    EXPECT_EQ(at(with, 73, 33), kRed) << "the first entry's sample";
    EXPECT_EQ(at(with, 73, 47), kBlue) << "the second entry's sample";
    EXPECT_EQ(at(with, 68, 52), kWhite);
    int changed = 0;
    for (int x = 66; x < 160; ++x)
        for (int y = 26; y < 60; ++y)
            changed += with.pixel(x, y) != without.pixel(x, y) ? 1 : 0;
    EXPECT_GT(changed, 200) << "the legend texts are written";
}

}  // namespace
}  // namespace korvel
