// The chart as a user sees it: the chart window loads the sample market as a first start does, with
// the real chart control, financial extension and annotation list, and the chart is painted into a
// picture. The default chart must show its prices, indicators and dates on the plot's colour; the
// studies and the special chart types are compared with golden pictures.
#include <QFontMetrics>
#include <QRegularExpression>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "ChartWindowFixture.h"
#include "GoldenImage.h"
#include "dravik/Commands.h"
#include "frame/chart/ExtensionCalls.h"
#include "gdi/DeviceContext.h"
#include "gdi/SystemColors.h"
#include "korvel/KvlChart.h"
#include "korvel/KvlChartWidget.h"
#include "ostbar/OstToolbarWidget.h"

namespace {

using com::LONG;
using frame::chart::ExtensionStudySlots;
using frame::chart::Study;

// The sample's first company, which an installation charts until a company has been chosen.
constexpr std::int32_t kSampleCompany = 101;
constexpr int kChartWidth = 900;
constexpr int kChartHeight = 560;
// Golden pictures may differ in this share of their pixels (label text rasterised by another font
// version); a bar, marker or line out of place changes far more.
constexpr double kGoldenTolerance = 0.004;
// A picture drawn otherwise changes 40 or more of its 256 pixels, about 0.2% of a 900-pixel bar; the
// bars' captions may move fewer than that with another font version.
constexpr double kToolBarTolerance = 0.0015;

gdi::COLORREF at(const QImage& image, LONG x, LONG y) {
    return gdi::fromQColor(image.pixelColor(static_cast<int>(x), static_cast<int>(y)));
}

class ChartOnScreenTest : public ChartWindowTest {
protected:
    // The installation's first database: the sample update stream stored by the installer's own
    // tool, made once for all the tests and copied for each.
    static void SetUpTestSuite() {
        s_database = new testsupport::TempFolder("tarnwick-sample-db");
        const std::filesystem::path file = s_database->path() / "MQMKD.mqd";
        const std::string command = std::string(TARNWICK_INITDB) + " '" + file.string() + "' '" +
                                    TARNWICK_SAMPLE_DIR + "/update-stream.txt' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    static void TearDownTestSuite() {
        delete s_database;
        s_database = nullptr;
    }

    void placeDatabase() override {
        ASSERT_NE(s_database, nullptr);
        std::filesystem::copy_file(s_database->path() / "MQMKD.mqd", m_home / "MQMKD.mqd",
                                   std::filesystem::copy_options::overwrite_existing);
        saveSetting("SelectedCompany", std::to_string(kSampleCompany).c_str());
    }
    void seedMarket() override {}

    // The chart at a fixed size, painted as the screen shows it.
    QImage paintChart() {
        window().Korvel1()->resize(kChartWidth, kChartHeight);
        processEvents();
        chartObject().model().setClientSize(kChartWidth, kChartHeight);
        chartObject().paintSurface();
        return chartObject().surface()->image().convertToFormat(QImage::Format_RGB32);
    }
    korvel::KvlRect plot() { return chartObject().model().plotRect(); }
    dravik::IFinancialCharts& extension() { return *window().financialExtension(); }

    // The chart series of a study's first output.
    LONG seriesOf(Study study) {
        ExtensionStudySlots studies(&extension());
        return studies.get16(study, frame::chart::kStudySeriesIndex, -1);
    }
    gdi::COLORREF colourOf(LONG series) {
        LONG colour = -1;
        EXPECT_EQ(chartObject().model().attribute(series, korvel::kAttrColor, &colour), com::S_OK);
        return static_cast<gdi::COLORREF>(colour) & 0xFFFFFF;
    }
    int countInPlot(const QImage& image, gdi::COLORREF colour) {
        int count = 0;
        const korvel::KvlRect p = plot();
        for (LONG y = p.top + 1; y < p.bottom; ++y)
            for (LONG x = p.left + 1; x < p.right; ++x)
                count += at(image, x, y) == colour ? 1 : 0;
        return count;
    }

    static testsupport::TempFolder* s_database;
};

testsupport::TempFolder* ChartOnScreenTest::s_database = nullptr;

TEST_F(ChartOnScreenTest, TheDefaultChartShowsPricesIndicatorsAndDatesOnThePlotsColour) {
    loadFrame();
    ASSERT_EQ(chartCompanyID(chart()), std::to_string(kSampleCompany));
    EXPECT_EQ(errorLog(), "");
    const QImage image = paintChart();
    const korvel::KvlRect p = plot();
    ASSERT_GT(p.width(), 400);

    // The plot in the colour of Setting21 (white by the default set-up), nothing of the caption navy.
    LONG background = -1;
    ASSERT_EQ(chart().get_Setting(21, &background), com::S_OK);
    EXPECT_EQ(background, 0xFFFFFF);
    const int plotPixels = (p.width() - 1) * (p.height() - 1);
    EXPECT_GT(countInPlot(image, static_cast<gdi::COLORREF>(background)), plotPixels / 2);
    EXPECT_EQ(at(image, p.left + 2, p.top + 2), static_cast<gdi::COLORREF>(background));
    EXPECT_EQ(countInPlot(image, gdi::getSysColor(gdi::COLOR_ACTIVECAPTION)), 0);

    // High-low-close bars in black: at five dates over the visible range, black from the day's high
    // down to its low.
    com::SHORT high = -1, low = -1, open = -1;
    ASSERT_EQ(extension().get_HighSeries(&high), com::S_OK);
    ASSERT_EQ(extension().get_LowSeries(&low), com::S_OK);
    ASSERT_EQ(extension().get_OpenSeries(&open), com::S_OK);
    LONG openShown = -1;
    ASSERT_EQ(chartObject().model().attribute(open, korvel::kAttrVisible, &openShown), com::S_OK);
    EXPECT_EQ(openShown, 0) << "no open line through high-low-close bars";
    // The days with prices (the last points of the period can be empty).
    std::vector<LONG> days;
    for (LONG point = 0; point < chartObject().model().pointCount(); ++point) {
        double dayHigh = 0, dayLow = 0;
        if (chartObject().model().value(1, high, point, &dayHigh) == com::S_OK && dayHigh < 1e308 &&
            chartObject().model().value(1, low, point, &dayLow) == com::S_OK && dayLow < 1e308)
            days.push_back(point);
    }
    ASSERT_GT(days.size(), 100u);
    for (const std::size_t index :
         {days.size() / 10, days.size() / 3, days.size() / 2, days.size() * 3 / 4, days.size() - 1}) {
        const LONG point = days[index];
        double dayHigh = 0, dayLow = 0, date = 0;
        chartObject().model().value(1, high, point, &dayHigh);
        chartObject().model().value(1, low, point, &dayLow);
        ASSERT_EQ(chartObject().model().xValue(point, &date), com::S_OK);
        LONG x = 0, top = 0, bottom = 0;
        ASSERT_EQ(chart().ValueToPixel(point + 1.0, dayHigh, &x, &top, 0), com::S_OK);
        ASSERT_EQ(chart().ValueToPixel(point + 1.0, dayLow, &x, &bottom, 0), com::S_OK);
        ASSERT_LE(top, bottom);
        int black = 0;
        for (LONG y = top; y <= bottom; ++y)
            black += at(image, x, y) == 0 ? 1 : 0;
        // The bars take the low series' default line style, dash-dot-dot, so about half of a bar is
        // ink; the averages and the SAR cross it here and there. It ends at the day's high and low.
        EXPECT_GE(black, (bottom - top + 1) / 3) << "the bar of the day " << date << " (point " << point
                                                 << ") from " << top << " to " << bottom << " at " << x;
        EXPECT_NE(at(image, x, top - 2), 0u) << "above the high of the day " << date;
        EXPECT_NE(at(image, x, bottom + 2), 0u) << "below the low of the day " << date;
    }

    // The Parabolic SAR's circles and the three averages, each in its own colour.
    for (const Study study : {Study::CUSTOM4, Study::CUSTOM1, Study::CUSTOM2, Study::CUSTOM3}) {
        const LONG series = seriesOf(study);
        ASSERT_GE(series, 0);
        const gdi::COLORREF colour = colourOf(series);
        EXPECT_NE(colour, 0u);
        EXPECT_NE(colour, static_cast<gdi::COLORREF>(background));
        EXPECT_GT(countInPlot(image, colour), 150) << "series " << series << " colour " << std::hex << colour;
    }

    // The X axis carries dates from the chart type's label pass, not point numbers, apart.
    const QRegularExpression date(
        QStringLiteral(R"(^([A-Z][a-z]{2}( \d{2})?|\d{4}|[SQ]\d( \d{2})?|\d{1,2})$)"));
    std::vector<std::pair<LONG, LONG>> spans;
    std::vector<LONG> gridColumns;
    bool named = false;
    for (const korvel::KvlDrawnLabel& label : chartObject().drawnLabels()) {
        if (label.axis != korvel::kXAxis || label.major != 1)
            continue;
        EXPECT_FALSE(label.own) << "a label of the chart's own: " << label.text;
        if (label.text.empty() || label.text == " ")
            continue;
        EXPECT_TRUE(date.match(QString::fromStdString(label.text)).hasMatch()) << label.text;
        named = named || QString::fromStdString(label.text)
                             .contains(QRegularExpression(QStringLiteral("[A-Za-z]|\\d{4}")));
        spans.emplace_back(label.textLeft, label.textRight);
        gridColumns.push_back(label.pixel);
    }
    ASSERT_GE(spans.size(), 3u);
    EXPECT_TRUE(named) << "month names or years among the labels";
    for (std::size_t i = 1; i < spans.size(); ++i)
        EXPECT_LE(spans[i - 1].second, spans[i].first) << "labels " << i - 1 << " and " << i << " overlap";

    // The dotted date grid runs down the plot at each label, until the vertical grid is switched off.
    const LONG column = gridColumns[1];
    auto gridDots = [&](const QImage& picture) {
        int dots = 0;
        for (LONG y = p.top + 1; y < p.bottom; ++y)
            dots += at(picture, column, y) != static_cast<gdi::COLORREF>(background) ? 1 : 0;
        return dots;
    };
    const int withGrid = gridDots(image);
    EXPECT_GT(withGrid, p.height() / 4);
    ASSERT_EQ(chart().RunCommand(korvel::kCommandVerticalGrid, 0), com::S_OK);
    EXPECT_LT(gridDots(paintChart()), withGrid - p.height() / 5) << "the vertical grid switched off";
}

TEST_F(ChartOnScreenTest, StudyPanesAddedByTheExtensionsCommandsMatchTheGoldenPicture) {
    loadFrame();
    ASSERT_EQ(extension().FireCommand(dravik::ID_RSI), com::S_OK);
    ASSERT_EQ(extension().FireCommand(dravik::ID_MACD), com::S_OK);
    processEvents();
    const QImage image = paintChart();
    // Two panes below the prices, each study on its own pane axis in its own colours.
    for (const Study study : {Study::RSI, Study::MACD}) {
        const LONG series = seriesOf(study);
        ASSERT_GE(series, 0);
        LONG axis = 0;
        ASSERT_EQ(chartObject().model().attribute(series, korvel::kAttrYAxis, &axis), com::S_OK);
        EXPECT_GE(axis, korvel::kAxisCount) << "a pane axis";
        EXPECT_GT(countInPlot(image, colourOf(series)), 150);
    }
    compareWithGolden(image, QStringLiteral("chart_rsi_macd.png"), kGoldenTolerance);
}

TEST_F(ChartOnScreenTest, TheSpecialChartTypesMatchTheirGoldenPictures) {
    loadFrame();
    const std::pair<com::SHORT, const char*> types[] = {{0, "chart_point_and_figure.png"},
                                                        {1, "chart_renko.png"},
                                                        {2, "chart_kagi.png"},
                                                        {3, "chart_three_line_break.png"}};
    for (const auto& [gallery, file] : types) {
        LONG type = 0;
        ASSERT_EQ(extension().get_GalleryType(gallery, &type), com::S_OK);
        ASSERT_EQ(chart().put_ChartType(type), com::S_OK) << file;
        processEvents();
        const QImage image = paintChart();
        EXPECT_EQ(at(image, plot().left + 2, plot().top + 2), 0xFFFFFFu) << file;
        compareWithGolden(image, QString::fromLatin1(file), kGoldenTolerance);
    }
}

// The chart's own tool bar, with the chart types' buttons, and each bar it hosts (the financial
// extension's price displays, drawings and studies tool, the annotation tools), as the user sees
// them: every picture in its place. Text on the bars may rasterise a little differently.
TEST_F(ChartOnScreenTest, TheToolBarsMatchTheirGoldenPictures) {
    loadFrame();
    processEvents();
    std::vector<ostbar::OstToolbarWidget*> rows = {window().Korvel1()->toolBar()};
    for (ostbar::OstToolbarWidget* row : window().Korvel1()->hostedToolBars())
        rows.push_back(row);
    int shown = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i]->isVisible())
            continue;
        ++shown;
        // The row as a window wide enough for all of its buttons shows it: the same bar in a row of
        // its own at its full width (the test screen is narrower than the bars).
        ostbar::OstToolbarWidget whole(com::ComPtr<ostbar::OstCommandBar>(rows[i]->bar()));
        whole.rebuild();
        whole.resize(whole.sizeHint());
        whole.show();
        processEvents();
        compareWithGolden(whole.grab().toImage(), QStringLiteral("toolbar_%1.png").arg(i), kToolBarTolerance);
    }
    EXPECT_GE(shown, 2) << "the chart's bar and the financial bar";
}

}  // namespace
