// The chart's own paint: its galleries and labels against golden images and an independent model of
// where a value lands, value axes on bands of the plot, and charts that could divide by zero.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "KvlTestCharts.h"
#include "gdi/DeviceContext.h"
#include "gdi/EmfRecorder.h"
#include "gdi/Objects.h"
#include "korvel/KvlChart.h"
#include "korvel/KvlLayout.h"
#include "korvel/testing/KvlRecordingExtension.h"

namespace korvel {
namespace {

using test::kBlue;
using test::kGreen;
using test::kRed;
using test::Ohlc;

// A 320 x 200 chart of the twenty days: plot 60..300 across, 20..160 down (default margins).
class KvlChartPaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        chart = KvlChart::create();
        chart->model().setClientSize(320, 200);
        test::bindOhlc(*chart, days);
        // Rising bodies green, falling red, wicks black.
        chart->model().setAttribute(0, kAttrColor, kRed);
        chart->model().setAttribute(0, kAttrBkColor, kGreen);
        chart->model().setAttribute(0, kAttrBorderColor, 0);
    }
    QImage paint() {
        chart->paintSurface();
        return chart->surface()->image();
    }
    // Where the chart must put a point's value: an independent model of the plot's scale.
    static LONG column(int point) { return std::lround(60 + (point + 1 - 0.5) / 20.0 * 240); }
    static LONG row(double value) { return std::lround(160 - (value - 6.5) / (13.5 - 6.5) * 140); }
    static gdi::COLORREF at(const QImage& image, LONG x, LONG y) {
        return gdi::fromQColor(image.pixelColor(x, y));
    }
    std::vector<std::string> majorTexts(LONG axis) const {
        std::vector<std::string> texts;
        for (const KvlDrawnLabel& label : chart->drawnLabels())
            if (label.axis == axis && label.major == 1)
                texts.push_back(label.text);
        return texts;
    }

    Ohlc days = test::twentyDays();
    com::ComPtr<KvlChart> chart;
};

TEST_F(KvlChartPaintTest, CandlesticksShowRisingAndFallingBodiesWhereTheValuesAre) {
    ASSERT_EQ(chart->put_ChartType(kGalleryCandlestick), com::S_OK);
    const QImage image = paint();
    int checked = 0;
    for (int p = 0; p < 20; ++p) {
        const double open = days.open[p], close = days.close[p];
        if (std::fabs(row(open) - row(close)) < 4)
            continue;  // too flat a body to probe its inside
        const gdi::COLORREF body = at(image, column(p), row((open + close) / 2));
        EXPECT_EQ(body, close >= open ? kGreen : kRed) << "point " << p;
        // The wick reaches from the high to the low in the middle of the slot.
        EXPECT_EQ(at(image, column(p), row(days.high[p]) + 1), 0u) << "wick of point " << p;
        ++checked;
    }
    EXPECT_GE(checked, 10);
    test::expectMatchesGolden(image, "candlesticks_320x200");
}

TEST_F(KvlChartPaintTest, OhlcBarsHaveTicksForOpenAndClose) {
    ASSERT_EQ(chart->put_ChartType(kGalleryOpenHighLowClose), com::S_OK);
    const QImage image = paint();
    for (int p = 0; p < 20; ++p) {
        // Open ticks left of the bar, close ticks right, in the series' colour.
        EXPECT_EQ(at(image, column(p) - 2, row(days.open[p])), kRed) << "open of point " << p;
        EXPECT_EQ(at(image, column(p) + 2, row(days.close[p])), kRed) << "close of point " << p;
        EXPECT_EQ(at(image, column(p), row((days.high[p] + days.low[p]) / 2)), kRed) << "bar of point " << p;
    }
    test::expectMatchesGolden(image, "ohlc_320x200");
}

TEST_F(KvlChartPaintTest, OwnAxisLabelsTakeRoundStepsAndTheAxisDecimals) {
    paint();
    // Values 6.5 .. 13.5: a fifth is 1.4, the round step 2; points 0.5 .. 20.5: a fifth is 4, the step 5.
    EXPECT_EQ(majorTexts(0), (std::vector<std::string>{"8.00", "10.00", "12.00"}));
    EXPECT_EQ(majorTexts(kXAxis), (std::vector<std::string>{"5", "10", "15", "20"}));
    EXPECT_TRUE(majorTexts(1).empty()) << "axis 1 carries no series";
    ASSERT_EQ(chart->model().setAxisValue(0, kAxisDecimals, 1), com::S_OK);
    ASSERT_EQ(chart->model().setAxisValue(0, kAxisStep, 2.5), com::S_OK);
    paint();
    EXPECT_EQ(majorTexts(0), (std::vector<std::string>{"7.5", "10.0", "12.5"})) << "a step given holds";
}

TEST_F(KvlChartPaintTest, GridPensComeFromTheAxisWhereGiven) {
    // Row of the label at 10 on axis 0, away from the candles' column at the plot's left edge.
    const LONG y = row(10), x = 61;
    QImage image = paint();
    EXPECT_EQ(at(image, x, y), 0xC0C0C0u) << "the chart's own light grey grid";
    EXPECT_EQ(at(image, x, row(9)), 0xFFFFFFu) << "and no minor grid of its own";
    chart->model().setAxisValue(0, kAxisGridColor, kBlue);
    chart->model().setAxisValue(0, kAxisMinorGridShown, 1);
    chart->model().setAxisValue(0, kAxisMinorGridColor, kGreen);
    image = paint();
    EXPECT_EQ(at(image, x, y), kBlue);
    EXPECT_EQ(at(image, x, row(9)), kGreen) << "minor labels halve the step of 2";
    chart->model().setAxisValue(0, kAxisGridShown, 0);
    chart->model().setAxisValue(0, kAxisMinorGridShown, 0);
    image = paint();
    EXPECT_EQ(at(image, x, y), 0xFFFFFFu);
}

TEST_F(KvlChartPaintTest, EmptyPointsLeaveGapsInLines) {
    chart->model().resize(1, 20);
    for (int p = 0; p < 20; ++p)
        chart->model().setValue(1, 0, p, p == 10 ? kNoValue : 10.0);
    chart->model().setAxisValue(0, kAxisMin, 6.5);
    chart->model().setAxisValue(0, kAxisMax, 13.5);
    const QImage image = paint();
    EXPECT_EQ(at(image, column(5), row(10)), kRed);
    EXPECT_NE(at(image, (column(9) + column(10)) / 2, row(10)), kRed) << "no line into the empty point";
    EXPECT_NE(at(image, (column(10) + column(11)) / 2, row(10)), kRed) << "nor out of it";
    EXPECT_EQ(at(image, column(15), row(10)), kRed);
}

TEST_F(KvlChartPaintTest, SeriesAttributesDecideHowALineIsDrawn) {
    chart->model().resize(1, 20);
    for (int p = 0; p < 20; ++p)
        chart->model().setValue(1, 0, p, 10.0);
    chart->model().setAxisValue(0, kAxisMin, 6.5);
    chart->model().setAxisValue(0, kAxisMax, 13.5);
    const LONG y = row(10), x = (column(4) + column(5)) / 2;
    QImage image = paint();
    EXPECT_EQ(at(image, x, y), kRed);
    EXPECT_NE(at(image, x, y - 1), kRed);

    chart->model().setAttribute(0, kAttrLineWidth, 3);
    image = paint();
    EXPECT_EQ(at(image, x, y - 1), kRed) << "a three-pixel line";
    EXPECT_EQ(at(image, x, y + 1), kRed);

    chart->model().setAttribute(0, kAttrLineWidth, 1);
    chart->model().setAttribute(0, kAttrMarkerShape, 1);
    chart->model().setAttribute(0, kAttrMarkerSize, 3);
    image = paint();
    EXPECT_EQ(at(image, column(4), y - 2), kRed) << "a square marker on each point";
    EXPECT_NE(at(image, x, y - 2), kRed) << "but not between them";

    chart->model().setAttribute(0, kAttrVisible, 0);
    image = paint();
    EXPECT_NE(at(image, x, y), kRed) << "an invisible series is not drawn";
}

TEST_F(KvlChartPaintTest, MarkersTakeTheSizeAndShapeOfTheirSeries) {
    chart->model().resize(1, 20);
    for (int p = 0; p < 20; ++p)
        chart->model().setValue(1, 0, p, 10.0);
    chart->model().setAxisValue(0, kAxisMin, 6.5);
    chart->model().setAxisValue(0, kAxisMax, 13.5);
    const LONG x = column(4), y = row(10);
    chart->model().setAttribute(0, kAttrMarkerShape, 1);
    chart->model().setAttribute(0, kAttrMarkerSize, 6);
    QImage image = paint();
    // A square of size 6 reaches 6 pixels from its point each way: far beyond the default of 3.
    EXPECT_EQ(at(image, x, y - 5), kRed);
    EXPECT_EQ(at(image, x - 5, y + 5), kRed) << "its corner";
    EXPECT_NE(at(image, x, y - 8), kRed) << "and no further";
    chart->model().setAttribute(0, kAttrMarkerSize, 2);
    image = paint();
    EXPECT_EQ(at(image, x, y - 2), kRed);
    EXPECT_NE(at(image, x, y - 4), kRed) << "a smaller size, a smaller marker";
    chart->model().setAttribute(0, kAttrMarkerShape, 2);
    chart->model().setAttribute(0, kAttrMarkerSize, 6);
    image = paint();
    EXPECT_EQ(at(image, x, y - 5), kRed) << "a circle of the same size";
    EXPECT_NE(at(image, x - 5, y - 5), kRed) << "has no corners";
}

TEST_F(KvlChartPaintTest, DashDotDotLinesKeepTheirPattern) {
    chart->model().resize(1, 20);
    for (int p = 0; p < 20; ++p)
        chart->model().setValue(1, 0, p, 10.0);
    chart->model().setAxisValue(0, kAxisMin, 6.5);
    chart->model().setAxisValue(0, kAxisMax, 13.5);
    chart->model().setAttribute(0, kAttrLineStyle, gdi::PS_DASHDOTDOT);
    const QImage image = paint();
    // The runs of the line's colour along its row: dashes of 9 pixels, each followed by two dots of 3.
    std::vector<int> runs;
    int run = 0;
    for (LONG x = column(0); x <= column(19) + 1; ++x) {
        if (at(image, x, row(10)) == kRed) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    std::vector<std::size_t> dashes;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_TRUE(runs[i] == 9 || runs[i] == 3 || i == 0 || i + 1 == runs.size()) << "run " << runs[i];
        if (runs[i] == 9)
            dashes.push_back(i);
    }
    ASSERT_GE(dashes.size(), 5u) << "a dash-dot-dot line is neither solid nor dotted";
    for (std::size_t d = 1; d < dashes.size(); ++d)
        EXPECT_EQ(dashes[d] - dashes[d - 1], 3u) << "two dots between dashes " << d - 1 << " and " << d;
}

TEST_F(KvlChartPaintTest, BarsAndAreasFillFromTheBottomOfTheScale) {
    chart->model().resize(1, 20);
    for (int p = 0; p < 20; ++p)
        chart->model().setValue(1, 0, p, 10.0);
    chart->model().setAxisValue(0, kAxisMin, 6.5);
    chart->model().setAxisValue(0, kAxisMax, 13.5);
    ASSERT_EQ(chart->put_ChartType(kGalleryBars), com::S_OK);
    QImage image = paint();
    EXPECT_EQ(at(image, column(7), row(8)), kRed) << "inside the bar";
    EXPECT_NE(at(image, (column(7) + column(8)) / 2, row(8)), kRed) << "between the bars";
    EXPECT_NE(at(image, column(7), row(11)), kRed) << "above the bar";
    ASSERT_EQ(chart->put_ChartType(kGalleryArea), com::S_OK);
    image = paint();
    EXPECT_EQ(at(image, (column(7) + column(8)) / 2, row(8)), kRed) << "an area has no gaps between points";
    EXPECT_NE(at(image, column(7), row(11)), kRed);
}

TEST_F(KvlChartPaintTest, PictureFormatsShapeTheOwnLabels) {
    chart->model().axis(0)->format = com::Variant::utf8("#,##0.0 $");
    chart->model().setAxisValue(0, kAxisMin, -3000);
    chart->model().setAxisValue(0, kAxisMax, 3000);
    paint();
    EXPECT_EQ(majorTexts(0), (std::vector<std::string>{"-2,000.0 $", "0.0 $", "2,000.0 $"}));
    chart->model().setAxisValue(0, kAxisMin, 0);
    chart->model().setAxisValue(0, kAxisMax, 1.2e6);
    chart->model().axis(0)->format = com::Variant::utf8("0");
    paint();
    // A fifth of the range is 240,000: the next round step is 500,000.
    EXPECT_EQ(majorTexts(0), (std::vector<std::string>{"0", "500000", "1000000"}));
}

TEST_F(KvlChartPaintTest, AMetafilePaintTakesTheSamePathAsTheScreen) {
    ASSERT_EQ(chart->put_ChartType(kGalleryCandlestick), com::S_OK);
    paint();
    const std::vector<KvlDrawnLabel> screen = chart->drawnLabels();
    gdi::EmfRecorder metafile;
    chart->paint(&metafile, chart->model().clientRect(), true);
    ASSERT_EQ(chart->drawnLabels().size(), screen.size());
    for (std::size_t i = 0; i < screen.size(); ++i)
        EXPECT_EQ(chart->drawnLabels()[i].text, screen[i].text);
    // Background, frame, 20 wicks and bodies, labels: far more records than the header and end.
    EXPECT_GT(metafile.recordCount(), 60u);
}

// --- layout ------------------------------------------------------------------------------------------

TEST(KvlChartLayout, PartsFollowTheMarginsTitleAndLegendBox) {
    KvlChartModel model;
    KvlLayout layout = layoutChart(model, 640, 480);
    EXPECT_EQ(layout.plot, (KvlRect{60, 20, 620, 440}));
    EXPECT_EQ(layout.leftAxis, (KvlRect{0, 20, 60, 440}));
    EXPECT_EQ(layout.rightAxis, (KvlRect{620, 20, 640, 440}));
    EXPECT_EQ(layout.bottomAxis, (KvlRect{60, 440, 620, 480}));
    EXPECT_EQ(layout.title, KvlRect{}) << "no title, no title box";
    EXPECT_EQ(layout.legend, KvlRect{});
    model.texts()[kTextTitle] = "Prices";
    model.legendBox() = KvlLegendBox{500, 30, 700, 90, 0, 0xFFFFFF, 1};
    layout = layoutChart(model, 640, 480);
    EXPECT_EQ(layout.title, (KvlRect{0, 0, 640, 18}));
    EXPECT_EQ(layout.legend, (KvlRect{500, 30, 640, 90})) << "kept inside the chart";
    for (const auto& [w, h] : {std::pair{0, 0}, std::pair{-5, 30}, std::pair{50, 30}}) {
        layout = layoutChart(model, w, h);
        for (const KvlRect& r : {layout.client, layout.plot, layout.leftAxis, layout.rightAxis,
                                 layout.bottomAxis, layout.title, layout.legend}) {
            EXPECT_GE(r.width(), 0) << w << "x" << h;
            EXPECT_GE(r.height(), 0) << w << "x" << h;
        }
    }
}

TEST_F(KvlChartPaintTest, TitlesAndLegendAreDrawnInTheirBoxes) {
    auto inked = [](const QImage& image, const KvlRect& r) {
        int count = 0;
        for (LONG y = r.top; y < r.bottom; ++y)
            for (LONG x = r.left; x < r.right; ++x)
                count += at(image, x, y) != 0xFFFFFFu;
        return count;
    };
    const KvlRect belowLabels{60, 182, 300, 200};
    const KvlRect titleBox{0, 0, 320, 18};
    const QImage plain = paint();
    EXPECT_EQ(inked(plain, belowLabels), 0);
    EXPECT_EQ(inked(plain, titleBox), 0);
    chart->model().axisTitles()[2] = "Date";
    chart->model().texts()[kTextTitle] = "Twenty days";
    chart->model().legendBox() = KvlLegendBox{200, 30, 290, 60, 0, 0xFFFFFF, 1};
    chart->model().series(0)->legend = "Open";
    const QImage titled = paint();
    EXPECT_GT(inked(titled, belowLabels), 10);
    EXPECT_GT(inked(titled, titleBox), 10);
    EXPECT_EQ(at(titled, 206, 37), kRed) << "the legend's colour sample of series 0";
}

// --- axis bands ----------------------------------------------------------------------------------------

TEST(KvlAxisBands, TwoSeriesOnTwoBandsEachStayInsideTheirBand) {
    auto chart = KvlChart::create();
    KvlChartModel& model = chart->model();
    model.setClientSize(640, 480);  // plot 60..620 across, 20..440 down
    model.resize(2, 60);
    for (int p = 0; p < 60; ++p) {
        model.setValue(1, 0, p, 100 + 40 * std::sin(p / 5.0));
        model.setValue(1, 1, p, 5 * std::cos(p / 3.0));
    }
    model.setAttribute(0, kAttrColor, kRed);
    model.setAttribute(1, kAttrColor, kBlue);
    model.setAttribute(1, kAttrYAxis, 1);
    ASSERT_EQ(model.setAxisBand(0, 0, 0.5), com::S_OK);
    ASSERT_EQ(model.setAxisBand(1, 0.5, 1), com::S_OK);
    model.autoScale();
    chart->paintSurface();
    const QImage image = chart->surface()->image();
    int red = 0, blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const gdi::COLORREF c = gdi::fromQColor(image.pixelColor(x, y));
            if (c == kRed) {
                ++red;
                EXPECT_TRUE(y >= 20 && y <= 230) << "red at row " << y;
            } else if (c == kBlue) {
                ++blue;
                EXPECT_TRUE(y >= 230 && y <= 440) << "blue at row " << y;
            }
        }
    EXPECT_GT(red, 500);
    EXPECT_GT(blue, 500);
    // Each band's extremes reach its edges: the top of the upper band is series 0's maximum.
    LONG x = 0, y = 0;
    const auto [low0, high0] = model.visibleRange(0);
    ASSERT_EQ(model.valueToPixel(1, high0, &x, &y, 0), com::S_OK);
    EXPECT_EQ(y, 20);
    ASSERT_EQ(model.valueToPixel(1, low0, &x, &y, 0), com::S_OK);
    EXPECT_EQ(y, 230);
    const auto [low1, high1] = model.visibleRange(1);
    ASSERT_EQ(model.valueToPixel(1, low1, &x, &y, 1), com::S_OK);
    EXPECT_EQ(y, 440);
    // The labels of each axis sit in its band.
    for (const KvlDrawnLabel& label : chart->drawnLabels()) {
        if (label.axis == 0 && label.major) {
            EXPECT_TRUE(label.pixel >= 20 && label.pixel <= 230) << label.text;
        }
        if (label.axis == 1 && label.major) {
            EXPECT_TRUE(label.pixel >= 230 && label.pixel <= 440) << label.text;
        }
    }
}

TEST(KvlAxisBands, ValuesBeyondTheAxisRangeAreCutAtTheirBand) {
    auto chart = KvlChart::create();
    KvlChartModel& model = chart->model();
    model.setClientSize(320, 200);  // plot 60..300 x 20..160; the lower band from row 90
    model.resize(1, 20);
    for (int p = 0; p < 20; ++p)
        model.setValue(1, 0, p, p * 1.0);  // up to 19 on an axis that shows 0 .. 10
    model.setAttribute(0, kAttrColor, kRed);
    ASSERT_EQ(model.setAxisBand(0, 0.5, 1), com::S_OK);
    model.setAxisValue(0, kAxisMin, 0);
    model.setAxisValue(0, kAxisMax, 10);
    chart->paintSurface();
    const QImage image = chart->surface()->image();
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (gdi::fromQColor(image.pixelColor(x, y)) == kRed) {
                ++red;
                EXPECT_GE(y, 90) << "nothing above the band";
            }
    EXPECT_GT(red, 100);
}

// A band's lowest value sits on its bottom pixel row and its highest on its top row, and a figure at
// either end shows on that row also where it is clipped to its band (a value beyond the range makes
// the chart clip); nothing shows one row further out.
TEST(KvlAxisBands, FiguresAtTheRangeEndsShowOnTheBandsEdgeRows) {
    auto chart = KvlChart::create();
    KvlChartModel& model = chart->model();
    model.setClientSize(320, 200);  // plot 60..300 x 20..160; bands 20..90 and 90..160
    model.resize(2, 20);
    for (int p = 0; p < 20; ++p) {
        // Series 0: its axis' lowest value on points 0..9, its highest on 10..18, beyond it on 19.
        model.setValue(1, 0, p, p < 10 ? 0.0 : p < 19 ? 10.0 : 25.0);
        // Series 1: its axis' lowest value throughout, one point below the range.
        model.setValue(1, 1, p, p == 19 ? -5.0 : 0.0);
    }
    model.setAttribute(0, kAttrColor, kRed);
    model.setAttribute(1, kAttrColor, kBlue);
    model.setAttribute(1, kAttrYAxis, 1);
    ASSERT_EQ(model.setAxisBand(0, 0, 0.5), com::S_OK);
    ASSERT_EQ(model.setAxisBand(1, 0.5, 1), com::S_OK);
    for (const LONG axis : {0, 1}) {
        model.setAxisValue(axis, kAxisMin, 0);
        model.setAxisValue(axis, kAxisMax, 10);
    }
    chart->paintSurface();
    const QImage image = chart->surface()->image();
    const auto colourAt = [&](int x, int y) { return gdi::fromQColor(image.pixelColor(x, y)); };
    // Slots are 12 pixels wide from x = 60: point p's centre is at 66 + 12 p.
    for (int x = 66 + 12 * 1; x <= 66 + 12 * 8; ++x) {
        EXPECT_EQ(colourAt(x, 90), kRed) << "upper band's bottom row at x " << x;
        EXPECT_NE(colourAt(x, 91), kRed) << "below the upper band at x " << x;
    }
    for (int x = 66 + 12 * 11; x <= 66 + 12 * 17; ++x) {
        EXPECT_EQ(colourAt(x, 20), kRed) << "upper band's top row at x " << x;
        EXPECT_NE(colourAt(x, 19), kRed) << "above the upper band at x " << x;
    }
    for (int x = 66 + 12 * 1; x <= 66 + 12 * 17; ++x) {
        EXPECT_EQ(colourAt(x, 160), kBlue) << "lower band's bottom row at x " << x;
        EXPECT_NE(colourAt(x, 161), kBlue) << "below the plot at x " << x;
    }
}

TEST(KvlAxisBands, AddedValueAxesAndBadBandsAreRefused) {
    KvlChartModel model;
    EXPECT_EQ(model.setAxisBand(kXAxis, 0, 1), com::E_INVALIDARG);
    EXPECT_EQ(model.setAxisBand(0, 0.5, 0.5), com::E_INVALIDARG);
    EXPECT_EQ(model.setAxisBand(0, -0.1, 0.5), com::E_INVALIDARG);
    EXPECT_EQ(model.setAxisBand(0, 0.5, 1.2), com::E_INVALIDARG);
    const LONG added = model.addValueAxis();
    EXPECT_EQ(added, 4);
    EXPECT_EQ(model.setAxisBand(added, 0.25, 0.75), com::S_OK);
    while (model.addValueAxis() >= 0) {
    }
    EXPECT_EQ(model.axisCount(), kMaxAxes);
    EXPECT_EQ(model.setAxisBand(kMaxAxes, 0, 1), com::E_INVALIDARG);
}

// --- charts that could divide by zero or loop for ever ---------------------------------------------------

TEST(KvlChartSoundPaint, DegenerateChartsPaintWithoutFailing) {
    struct Case {
        const char* name;
        LONG points;
        double value;  // every point of the one series
    };
    const Case cases[] = {
        {"no points", 0, 0}, {"one point", 1, 5}, {"all empty", 12, kNoValue}, {"flat", 12, 7}};
    for (const Case& c : cases) {
        auto chart = KvlChart::create();
        chart->model().setClientSize(200, 120);
        chart->model().resize(1, c.points);
        for (LONG p = 0; p < c.points; ++p)
            chart->model().setValue(1, 0, p, c.value);
        chart->dataChanged();
        chart->paintSurface();
        ASSERT_NE(chart->surface(), nullptr) << c.name;
        EXPECT_LT(chart->drawnLabels().size(), 100u) << c.name;
        double position = 0, value = 0;
        EXPECT_EQ(chart->PixelToValue(100, 60, &position, &value, 0), com::S_OK) << c.name;
    }
}

TEST(KvlChartSoundPaint, AZeroRangeHasNoLabelsAndZeroOrNegativeSizesDrawNothing) {
    auto chart = KvlChart::create();
    chart->model().resize(1, 5);
    chart->model().setAxisValue(0, kAxisMin, 5);
    chart->model().setAxisValue(0, kAxisMax, 5);
    chart->paintSurface();
    for (const KvlDrawnLabel& label : chart->drawnLabels())
        EXPECT_NE(label.axis, 0) << "no labels on an axis without a range";
    // Its one value maps to the middle of the band, and back.
    const KvlRect band = chart->model().bandRect(0);
    LONG x = 0, y = 0;
    EXPECT_EQ(chart->ValueToPixel(2, 5, &x, &y, 0), com::S_OK);
    EXPECT_EQ(y, (band.top + band.bottom) / 2);
    double position = 0, value = 0;
    EXPECT_EQ(chart->PixelToValue(x, y, &position, &value, 0), com::S_OK);
    EXPECT_NEAR(value, 5, 0.5 / band.height() + 1e-12);

    for (const auto& [w, h] : {std::pair{0, 0}, std::pair{-20, 50}, std::pair{50, -20}, std::pair{70, 50}}) {
        chart->model().setClientSize(w, h);
        chart->paintSurface();  // a plot smaller than the margins is empty
        EXPECT_EQ(chart->ValueToPixel(2, 5, &x, &y, 0), com::E_FAIL) << w << "x" << h;
    }
    chart->model().setClientSize(0, 0);
    EXPECT_EQ(chart->surface(), nullptr);
    EXPECT_EQ(chart->layout().plot.width(), 0);
}

TEST_F(KvlChartPaintTest, ZoomedFarInsideOnePointStillPaints) {
    ASSERT_EQ(chart->put_ChartType(kGalleryCandlestick), com::S_OK);
    ASSERT_EQ(chart->ShowRange(5, 9, 5 + 1e-9, 9 + 1e-9), com::S_OK);
    const QImage image = paint();
    EXPECT_LE(chart->drawnLabels().size(), 4u * kMaxAxisLabels);
    EXPECT_FALSE(image.isNull());
}

TEST(KvlChartSoundPaint, TinyGivenStepFallsBackToTheChartsOwn) {
    auto chart = KvlChart::create();
    chart->model().resize(1, 3);
    chart->model().setAxisValue(0, kAxisMin, 0);
    chart->model().setAxisValue(0, kAxisMax, 100);
    chart->model().setAxisValue(0, kAxisStep, 1e-12);
    chart->paintSurface();
    std::vector<double> positions;
    for (const KvlDrawnLabel& label : chart->drawnLabels())
        if (label.axis == 0 && label.major)
            positions.push_back(label.position);
    EXPECT_EQ(positions, (std::vector<double>{0, 20, 40, 60, 80, 100}));
}

TEST(KvlChartSoundPaint, LogAxisLeavesOutValuesItCannotShow) {
    auto chart = KvlChart::create();
    KvlChartModel& model = chart->model();
    model.resize(1, 5);
    const double values[] = {10, -5, 100, 0, 1000};
    for (LONG p = 0; p < 5; ++p)
        model.setValue(1, 0, p, values[p]);
    EXPECT_EQ(model.setLogBase(0, 1), com::E_INVALIDARG);
    EXPECT_EQ(model.setLogBase(kXAxis, 10), com::E_INVALIDARG);
    ASSERT_EQ(model.setLogBase(0, 10), com::S_OK);
    EXPECT_EQ(model.visibleRange(0), std::make_pair(10.0, 1000.0)) << "the scale leaves out -5 and 0";
    LONG x = 0, y = 0, yLow = 0, yHigh = 0;
    EXPECT_EQ(model.valueToPixel(2, -5, &x, &y, 0), com::E_INVALIDARG);
    EXPECT_EQ(model.valueToPixel(4, 0, &x, &y, 0), com::E_INVALIDARG);
    ASSERT_EQ(model.valueToPixel(1, 10, &x, &yLow, 0), com::S_OK);
    ASSERT_EQ(model.valueToPixel(1, 1000, &x, &yHigh, 0), com::S_OK);
    ASSERT_EQ(model.valueToPixel(3, 100, &x, &y, 0), com::S_OK);
    EXPECT_EQ(y, (yLow + yHigh) / 2) << "100 halfway between 10 and 1000";
    chart->paintSurface();
    std::vector<std::string> texts;
    for (const KvlDrawnLabel& label : chart->drawnLabels())
        if (label.axis == 0 && label.major)
            texts.push_back(label.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"10.00", "100.00", "1000.00"}));
}

// --- the extension's labels -----------------------------------------------------------------------------

TEST(KvlChartExtensionLabels, XLabelsAndPaneGridLinesComeFromTheExtension) {
    using testing::KvlLabelPane;
    using testing::KvlRecordingExtension;
    ASSERT_EQ(KvlRecordingExtension::startTest(), com::S_OK);
    KvlRecordingExtension::xLabels() = KvlRecordingExtension::XLabels{3, 0x008000};
    KvlRecordingExtension::panes() = {KvlLabelPane{1, 50, 50, 0, 1, kBlue}};
    auto chart = KvlChart::create();
    chart->model().resize(1, 9);
    for (LONG p = 0; p < 9; ++p)
        chart->model().setValue(1, 0, p, p * 10.0);
    chart->model().setAxisValue(0, kAxisMin, 0);
    chart->model().setAxisValue(0, kAxisMax, 100);
    com::ComPtr<com::IUnknown> extension;
    ASSERT_EQ(chart->AddExtension(com::Bstr(u"Korvel.RecordingExtension"), extension.put()), com::S_OK);
    ASSERT_EQ(chart->put_ChartType(kFirstExtensionGalleryType), com::S_OK);
    chart->paintSurface();
    std::vector<std::string> xTexts, yTexts;
    for (const KvlDrawnLabel& label : chart->drawnLabels()) {
        EXPECT_FALSE(label.own);
        if (label.major && label.axis == kXAxis)
            xTexts.push_back(label.text);
        if (label.major && label.axis == 0)
            yTexts.push_back(label.text);
    }
    // X from 0.5 in steps of 3 points to 9.5; the pane's labels at -1, 0, 1 of its own units.
    EXPECT_EQ(xTexts, (std::vector<std::string>{"D0.5", "D3.5", "D6.5", "D9.5"}));
    EXPECT_EQ(yTexts, (std::vector<std::string>{"P0:-1", "P0:0", "P0:1"}));
    const QImage image = chart->surface()->image();
    const KvlRect plot = chart->model().plotRect();
    // The grid lines carry the extension's pens: X at position 3.5, the pane's at value 50.
    LONG x = 0, y = 0;
    ASSERT_EQ(chart->ValueToPixel(3.5, 95, &x, &y, 0), com::S_OK);
    EXPECT_EQ(gdi::fromQColor(image.pixelColor(x, y)), 0x008000u);
    ASSERT_EQ(chart->ValueToPixel(1.75, 50, &x, &y, 0), com::S_OK);
    EXPECT_EQ(gdi::fromQColor(image.pixelColor(x, y)), kBlue);
    EXPECT_LT(plot.left, x);
    EXPECT_EQ(KvlRecordingExtension::faults(), std::vector<std::string>{});
}

// A 320 x 200 box chart (plot 60..300 x 20..160) on a value axis of 0 .. 40 whose extension draws each
// element from its start to its end value with a blue brush, painted.
QImage paintedBoxChart(const std::vector<double>& starts, const std::vector<double>& ends) {
    using testing::KvlRecordingExtension;
    EXPECT_EQ(KvlRecordingExtension::startTest(), com::S_OK);
    KvlRecordingExtension::barBrush() = kBlue;
    auto chart = KvlChart::create();
    chart->model().setClientSize(320, 200);
    const auto points = static_cast<LONG>(ends.size());
    auto values = std::make_unique<KvlValueBlock>(1, points);
    auto from = std::make_unique<KvlValueBlock>(1, points);
    for (LONG p = 0; p < points; ++p) {
        values->at(0, p) = ends[static_cast<std::size_t>(p)];
        from->at(0, p) = starts[static_cast<std::size_t>(p)];
    }
    EXPECT_EQ(chart->SetProperty(1, points, values.release(), kValues), com::S_OK);
    EXPECT_EQ(chart->SetProperty(1, points, from.release(), kFromValues), com::S_OK);
    chart->model().setAxisValue(0, kAxisMin, 0);
    chart->model().setAxisValue(0, kAxisMax, 40);
    com::ComPtr<com::IUnknown> extension;
    EXPECT_EQ(chart->AddExtension(com::Bstr(u"Korvel.RecordingExtension"), extension.put()), com::S_OK);
    EXPECT_EQ(chart->put_ChartType(kFirstExtensionGalleryType), com::S_OK);
    chart->paintSurface();
    return chart->surface()->image().copy();  // the chart and its surface end here
}

TEST(KvlChartExtensionLabels, ABoxChartsElementsAreBarsInTheBrushItSelected) {
    // Four elements from 10 to 20, 20 to 30, none, 30 to 20.
    const QImage image = paintedBoxChart({10, 20, kNoValue, 30}, {20, 30, kNoValue, 20});
    // Slots are 60 pixels wide; a value v sits on row 160 - v * 3.5.
    auto at = [&](LONG x, LONG y) { return gdi::fromQColor(image.pixelColor(x, y)); };
    EXPECT_EQ(at(90, 160 - 15 * 3.5), kBlue) << "element 0 between 10 and 20";
    EXPECT_NE(at(90, 160 - 25 * 3.5), kBlue);
    EXPECT_EQ(at(150, 160 - 25 * 3.5), kBlue) << "element 1 between 20 and 30";
    EXPECT_NE(at(210, 160 - 25 * 3.5), kBlue) << "element 2 has no values";
    EXPECT_EQ(at(270, 160 - 25 * 3.5), kBlue) << "element 3 falls from 30 to 20";
    EXPECT_NE(at(270, 160 - 35 * 3.5), kBlue);
    EXPECT_EQ(testing::KvlRecordingExtension::faults(), std::vector<std::string>{});
}

// A box chart's element from the axis' lowest value has its lower edge on the plot's bottom row, and
// one up to the highest value its upper edge on the top row, as the chart's own figures do.
TEST(KvlChartExtensionLabels, BoxElementsAtTheRangeEndsShowTheirEdgesOnThePlotsEdgeRows) {
    // Two elements: 0 to 10, and 30 to 40.
    const QImage image = paintedBoxChart({0, 30}, {10, 40});
    // Slots are 120 pixels wide, their centres at 120 and 240; a value v sits on row 160 - v * 3.5.
    auto at = [&](LONG x, LONG y) { return gdi::fromQColor(image.pixelColor(x, y)); };
    EXPECT_EQ(at(120, 150), kBlue) << "inside element 0";
    EXPECT_EQ(at(120, 160), 0u) << "element 0's lower edge, in the black pen, on the bottom row";
    EXPECT_EQ(at(120, 125), 0u) << "element 0's upper edge at 10";
    EXPECT_EQ(at(240, 30), kBlue) << "inside element 1";
    EXPECT_EQ(at(240, 20), 0u) << "element 1's upper edge on the top row";
    EXPECT_EQ(at(240, 55), 0u) << "element 1's lower edge at 30";
    EXPECT_EQ(testing::KvlRecordingExtension::faults(), std::vector<std::string>{});
}

}  // namespace
}  // namespace korvel
