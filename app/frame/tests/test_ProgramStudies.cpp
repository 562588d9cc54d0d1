// The Parabolic SAR on the assembled program's chart: whatever the user does to the chart, the series
// holds the stop-and-reverse levels of the charted company's days, computed here from the database
// rows by a model of the indicator written out below.
#include <QAction>
#include <QColor>
#include <QImage>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

#include "AssembledProgramFixture.h"
#include "CommandActions.h"
#include "appchart/studies/CustomStudies.h"
#include "dravik/Commands.h"
#include "dravik/IFinancialCharts.h"
#include "frame/chart/ChartEvents.h"
#include "frame/chart/ExtensionCalls.h"
#include "gdi/DeviceContext.h"

namespace {

using frame::chart::ExtensionStudySlots;
using frame::chart::Study;

// The days the chart carries after the last trading day, left out of the studies.
constexpr com::LONG kEmptyDays = 30;
// The default chart's acceleration step (Periods 2 / 100) and its ceiling.
constexpr double kSarStep = 0.02;
constexpr double kSarMaxFactor = 0.2;

// Stop-and-reverse levels of a day series, one per day; day 0 has none (0). The trend starts short
// only when the lows rose strictly more than the highs from day 0 to day 1. Each step moves the stop
// by the factor and the extreme that held before the day; a day that crosses the stop reverses the
// trend, and its stop is the old trend's extreme. The factor is a whole number of steps (0.02, 0.04,
// ... 0.2), growing while it is below the ceiling.
std::vector<double> parabolicSarModel(const std::vector<double>& high, const std::vector<double>& low) {
    const std::size_t n = high.size();
    std::vector<double> out(n, 0.0);
    if (n < 2)
        return out;
    bool longTrend = !(low[1] - low[0] > high[1] - high[0]);
    double stop = longTrend ? low[0] : high[0];
    int steps = 1, stepsBefore = 1;
    const auto grow = [&steps] {
        if (steps * kSarStep < kSarMaxFactor)
            ++steps;
    };
    double extremeHigh = high[0], extremeLow = low[0];
    double extremeHighBefore = high[0], extremeLowBefore = low[0];
    for (std::size_t i = 1; i < n; ++i) {
        if (longTrend) {
            if (high[i] > extremeHigh) {
                extremeHigh = high[i];
                grow();
            }
            stop += stepsBefore * kSarStep * (extremeHighBefore - stop);
            if (low[i] < stop) {
                longTrend = false;
                steps = 1;
                stop = extremeHighBefore;
                extremeHigh = 0;
                extremeLow = low[i];
            }
        } else {
            if (low[i] < extremeLow) {
                extremeLow = low[i];
                grow();
            }
            stop += stepsBefore * kSarStep * (extremeLowBefore - stop);
            if (high[i] > stop) {
                longTrend = true;
                steps = 1;
                stop = extremeLowBefore;
                extremeLow = 0;
                extremeHigh = high[i];
            }
        }
        extremeHighBefore = extremeHigh;
        extremeLowBefore = extremeLow;
        stepsBefore = steps;
        out[i] = stop;
    }
    return out;
}

// "YYYY-MM-DD" of an OLE date (days since 30 December 1899).
std::string isoDate(double oleDate) {
    using namespace std::chrono;
    const year_month_day day{sys_days(1899y / December / 30) + days(static_cast<int>(oleDate))};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

class ProgramStudiesTest : public AssembledProgramTest {
protected:
    struct Day {
        double high = 0;
        double low = 0;
        double open = 0;
        double close = 0;
    };

    // The stored prices of a company, by date (the sample's banks have no splits: the chart shows
    // them as stored).
    static std::map<std::string, Day> storedDays(std::int32_t company) {
        std::map<std::string, Day> days;
        db::RowSet rows = database().query(
            R"(SELECT "DATE", "MaxPrice", "MinPrice", "OpeningPrice", "ClosingPrice" FROM "MARKETDAILY1")"
            R"( WHERE "COMPANYID" = ?)",
            {company});
        for (; !rows.eof(); rows.moveNext())
            days[rows.textOrEmpty(0).substr(0, 10)] =
                Day{rows.real(1), rows.real(2), rows.real(3), rows.real(4)};
        return days;
    }

    // The series the extension names for each price hold that price of the day at every point.
    void expectPricesOf(std::int32_t company, const char* when) {
        SCOPED_TRACE(when);
        const std::map<std::string, Day> stored = storedDays(company);
        com::SHORT high = -1, low = -1, open = -1, close = -1;
        ASSERT_EQ(extension().get_HighSeries(&high), com::S_OK);
        ASSERT_EQ(extension().get_LowSeries(&low), com::S_OK);
        ASSERT_EQ(extension().get_OpenSeries(&open), com::S_OK);
        ASSERT_EQ(extension().get_CloseSeries(&close), com::S_OK);
        const com::LONG points = chartObject().model().pointCount() - kEmptyDays;
        int mismatches = 0;
        for (com::LONG point = 0; point < points; ++point) {
            double date = 0, h = 0, l = 0, o = 0, c = 0;
            ASSERT_EQ(chartObject().model().xValue(point, &date), com::S_OK);
            const auto day = stored.find(isoDate(date));
            ASSERT_NE(day, stored.end());
            chart().get_ValueAt(high, point, &h);
            chart().get_ValueAt(low, point, &l);
            chart().get_ValueAt(open, point, &o);
            chart().get_ValueAt(close, point, &c);
            const Day& d = day->second;
            mismatches += (h != d.high || l != d.low || o != d.open || c != d.close) ? 1 : 0;
        }
        EXPECT_EQ(mismatches, 0) << "of " << points << " days";
    }

    com::SHORT sarSeries() {
        ExtensionStudySlots studies(&extension());
        return studies.get16(Study::CUSTOM4, frame::chart::kStudySeriesIndex, -1);
    }

    // Compares the chart's SAR series with the model over the company's stored days, at points spread
    // over the chart and at its last day.
    void expectTheSarOf(std::int32_t company, const char* when) {
        SCOPED_TRACE(when);
        const std::map<std::string, Day> stored = storedDays(company);
        const com::LONG points = chartObject().model().pointCount() - kEmptyDays;
        ASSERT_GT(points, 100);
        std::vector<double> high, low;
        for (com::LONG point = 0; point < points; ++point) {
            double date = 0;
            ASSERT_EQ(chartObject().model().xValue(point, &date), com::S_OK);
            const auto day = stored.find(isoDate(date));
            ASSERT_NE(day, stored.end()) << "point " << point << " on " << isoDate(date);
            high.push_back(day->second.high);
            low.push_back(day->second.low);
        }
        const std::vector<double> expected = parabolicSarModel(high, low);
        const com::SHORT series = sarSeries();
        ASSERT_GE(series, 0);
        for (const com::LONG point : {com::LONG{1}, com::LONG{2}, points / 10, points / 3, points / 2,
                                      points * 3 / 4, points - 2, points - 1}) {
            double shown = 0;
            ASSERT_EQ(chart().get_ValueAt(series, point, &shown), com::S_OK);
            EXPECT_NEAR(shown, expected[static_cast<std::size_t>(point)], 1e-9) << "point " << point;
        }
    }
};

// The sample's second bank.
constexpr std::int32_t kOtherBank = 102;

}  // namespace

TEST_F(ProgramStudiesTest, TheSarIsTheIndicatorsAtStartAndAfterACompanySwitch) {
    startProgram();
    ASSERT_EQ(chartWindow().chartFill()->CompanyID, kSampleCompany);
    expectTheSarOf(kSampleCompany, "at start-up");

    chartTicker("AMLB");
    ASSERT_EQ(chartWindow().chartFill()->CompanyID, kOtherBank);
    expectTheSarOf(kOtherBank, "after a company switch");
    EXPECT_EQ(errorLog(), "");
}

// The price display exchanges the open and the low series for the high-low-close bars; charting the
// next company binds them anew, and the exchange must not be undone over the new binding.
TEST_F(ProgramStudiesTest, EachCompanysSeriesHoldItsOwnPricesAfterASwitch) {
    startProgram();
    expectPricesOf(kSampleCompany, "at start-up");
    chartTicker("AMLB");
    ASSERT_EQ(chartWindow().chartFill()->CompanyID, kOtherBank);
    expectPricesOf(kOtherBank, "after a company switch");
    chartTicker("NORB");
    expectPricesOf(kSampleCompany, "back on the first company");
}

TEST_F(ProgramStudiesTest, TheSarStaysTheIndicatorsWhenStudiesComeAndGo) {
    startProgram();
    ExtensionStudySlots studies(&extension());
    for (const Study study : {Study::MACD, Study::ExponentialMA}) {
        studies.put(study, frame::chart::kStudyVisible, com::Variant(true));
        processEvents();
        expectTheSarOf(kSampleCompany, "after a study was shown");
        studies.put(study, frame::chart::kStudyVisible, com::Variant(false));
        processEvents();
        expectTheSarOf(kSampleCompany, "after a study was hidden");
    }
    // The averages of the default chart too.
    studies.put(Study::CUSTOM2, frame::chart::kStudyVisible, com::Variant(false));
    processEvents();
    studies.put(Study::CUSTOM2, frame::chart::kStudyVisible, com::Variant(true));
    processEvents();
    expectTheSarOf(kSampleCompany, "after an average was hidden and shown again");
}

TEST_F(ProgramStudiesTest, TheSarStaysTheIndicatorsThroughZoomResizeAndPriceDisplays) {
    startProgram();
    const com::LONG points = chartObject().model().pointCount();
    ASSERT_EQ(chart().ShowRange(points / 4.0, 0, points / 2.0, 0), com::S_OK);
    processEvents();
    expectTheSarOf(kSampleCompany, "zoomed in");
    ASSERT_EQ(chart().ShowRange(0, 0, static_cast<double>(points), 0), com::S_OK);
    processEvents();
    expectTheSarOf(kSampleCompany, "zoomed out");

    chartWindow().Korvel1()->resize(500, 300);
    processEvents();
    expectTheSarOf(kSampleCompany, "resized");

    // Candlesticks want the open before the low, high-low-close the other way round.
    ASSERT_EQ(extension().put_PriceDisplay(3), com::S_OK);
    processEvents();
    expectTheSarOf(kSampleCompany, "as candlesticks");
    ASSERT_EQ(extension().put_PriceDisplay(1), com::S_OK);
    processEvents();
    expectTheSarOf(kSampleCompany, "as high-low-close bars again");
}

namespace {

constexpr int kTwoYearPeriod = 5;
constexpr int kWeeklyChart = 1;
constexpr int kMonthlyChart = 2;

class ProgramStudyWorkTest : public ProgramStudiesTest, public ::testing::WithParamInterface<int> {
protected:
    static std::uint64_t calculations() { return tarnwick::chart::CustomStudiesCalculationCount(); }
    // The screen takes the chart's picture as soon as the action returns, as a window system asks for
    // it; whatever the program does afterwards and marks on the chart needs another picture.
    void showOnScreenThenSettle() {
        if (chartObject().invalidRect())
            chartWindow().Korvel1()->repaint();
        for (int pass = 0; pass < 5; ++pass)
            processEvents();
    }

    struct Studies {
        std::vector<double> sar, rsi;
    };
    com::SHORT seriesOf(Study study) {
        ExtensionStudySlots studies(&extension());
        return studies.get16(study, frame::chart::kStudySeriesIndex, -1);
    }
    double valueAt(com::SHORT series, com::LONG point) {
        double value = 0;
        EXPECT_EQ(chart().get_ValueAt(series, point, &value), com::S_OK);
        return value;
    }
    Studies shownStudies(com::LONG points) {
        Studies shown;
        for (com::LONG p = 0; p < points; ++p) {
            shown.sar.push_back(valueAt(seriesOf(Study::CUSTOM4), p));
            shown.rsi.push_back(valueAt(seriesOf(Study::RSI), p));
        }
        return shown;
    }
    // The points up to the last one with a close: the trailing empty ones carry no study values.
    com::LONG pointsWithStudies() {
        com::SHORT close = -1;
        EXPECT_EQ(extension().get_CloseSeries(&close), com::S_OK);
        com::LONG points = chartObject().model().pointCount();
        while (points > 0 && valueAt(close, points - 1) >= 1e10)
            --points;
        return points;
    }
    void expectStudies(const Studies& expected, const char* when) {
        SCOPED_TRACE(when);
        const Studies shown = shownStudies(static_cast<com::LONG>(expected.sar.size()));
        for (std::size_t p = 0; p < expected.sar.size(); ++p) {
            EXPECT_EQ(shown.sar[p], expected.sar[p]) << "SAR at point " << p;
            EXPECT_EQ(shown.rsi[p], expected.rsi[p]) << "RSI at point " << p;
        }
    }
};

// A company switch and a period change compute the custom studies once and paint the chart once.
TEST_F(ProgramStudyWorkTest, ACompanySwitchAndAPeriodChangeComputeAndPaintOnce) {
    startProgram();
    showOnScreenThenSettle();
    struct Action {
        const char* name;
        std::function<void()> run;
    };
    const Action actions[] = {
        {"company switch", [this] { typeTicker("AMLB"); }},
        {"period change", [this] { chooseChartSetting("cmbPeriod", kTwoYearPeriod); }},
        {"switch back", [this] { typeTicker("NORB"); }},
    };
    for (const Action& action : actions) {
        const std::uint64_t computedBefore = calculations();
        const com::LONG paintedBefore = chartObject().surfacePaintCount();
        action.run();
        showOnScreenThenSettle();
        EXPECT_EQ(calculations() - computedBefore, 1U) << action.name;
        EXPECT_EQ(chartObject().surfacePaintCount() - paintedBefore, 1) << action.name;
    }
    EXPECT_EQ(chartWindow().chartFill()->CompanyID, kSampleCompany);
    expectTheSarOf(kSampleCompany, "after the actions");
    EXPECT_EQ(errorLog(), "");
}

// On a weekly or monthly chart of the company that stopped trading before the market (its last week or
// month takes its last close), the SAR, the RSI and the averages reach the last period, and the SAR and
// the RSI keep their values there after every hand-over of the extension's values. A hand-over that
// keeps them computes nothing again.
TEST_P(ProgramStudyWorkTest, TheStudiesKeepTheirValuesOnTheLastPeriodsAfterEveryHandOver) {
    startProgram();
    chooseChartSetting("cmbPeriod", kTwoYearPeriod);
    processEvents();
    chooseChartSetting("cmbInterval", GetParam());
    processEvents();
    chartTicker("NORN");
    const com::LONG points = pointsWithStudies();
    ASSERT_GT(points, 20);
    const Studies fill = shownStudies(points);
    // The SAR of the periods' highs and lows, the last period included.
    com::SHORT high = -1, low = -1;
    ASSERT_EQ(extension().get_HighSeries(&high), com::S_OK);
    ASSERT_EQ(extension().get_LowSeries(&low), com::S_OK);
    std::vector<double> highs, lows;
    for (com::LONG p = 0; p < points; ++p) {
        highs.push_back(valueAt(high, p));
        lows.push_back(valueAt(low, p));
    }
    const std::vector<double> model = parabolicSarModel(highs, lows);
    for (com::LONG p = 1; p < points; ++p)
        EXPECT_NEAR(fill.sar[static_cast<std::size_t>(p)], model[static_cast<std::size_t>(p)], 1e-9) << p;
    EXPECT_LT(fill.rsi.back(), 1e10);
    EXPECT_LT(valueAt(seriesOf(Study::CUSTOM1), points - 1), 1e10) << "the 20-period average";

    ExtensionStudySlots studies(&extension());
    for (const bool shown : {true, false}) {
        const std::uint64_t before = calculations();
        studies.put(Study::MACD, frame::chart::kStudyVisible, com::Variant(shown));
        processEvents();
        expectStudies(fill, shown ? "MACD shown" : "MACD hidden");
        EXPECT_EQ(calculations(), before) << "nothing computed again";
    }

    // Another chart type and back computes the studies anew; the recalculation command, before the
    // program gets round to it, puts the SAR and the RSI back on every period with a close.
    com::LONG renko = 0, analytical = 0;
    ASSERT_EQ(extension().get_GalleryType(1, &renko), com::S_OK);
    ASSERT_EQ(extension().get_GalleryType(4, &analytical), com::S_OK);
    ASSERT_EQ(chart().put_ChartType(renko), com::S_OK);
    ASSERT_EQ(chart().put_ChartType(analytical), com::S_OK);
    chartObject().runCommand(frame::chart::kCommandRecalculateCustom);
    expectStudies(fill, "Renko and back, then the recalculation command");
    processEvents();
    expectStudies(fill, "Renko and back, settled");

    ASSERT_EQ(extension().put_PriceDisplay(3), com::S_OK);
    processEvents();
    expectStudies(fill, "as candlesticks");
    EXPECT_EQ(errorLog(), "");
}

INSTANTIATE_TEST_SUITE_P(WeeksAndMonths, ProgramStudyWorkTest, ::testing::Values(kWeeklyChart, kMonthlyChart),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == kWeeklyChart ? "Weekly" : "Monthly");
                         });

}  // namespace

// Zoomed in, every study pane keeps its figure inside it: a view of the last trading day alone gives
// each pane a scale around its value, and a view where the MACD stays below zero hangs its divergence
// bars from the top of the MACD's pane instead of drawing them up across the panes above.
TEST_F(ProgramStudiesTest, AZoomedViewKeepsEveryStudysFigureInItsPane) {
    startProgram();
    // The RSI, of one output, and the MACD, of three.
    for (const com::SHORT id : {dravik::ID_RSI, dravik::ID_MACD}) {
        QAction* study = findCommandAction(financialRow()->actions(), id);
        ASSERT_NE(study, nullptr) << id;
        study->trigger();
        processEvents();
    }
    korvel::KvlChartModel& model = chartObject().model();
    const com::LONG lastDay = model.pointCount() - kEmptyDays - 1;
    const auto axisOf = [&](com::LONG series) {
        com::LONG axis = -1;
        model.attribute(series, korvel::kAttrYAxis, &axis);
        return static_cast<com::SHORT>(axis);
    };
    ASSERT_EQ(chart().ShowRange(lastDay + 0.5, 0, lastDay + 10.0, 0), com::S_OK);
    processEvents();
    com::LONG seriesCount = 0;
    chart().get_SeriesCount(&seriesCount);
    int panes = 0;
    for (com::LONG series = 0; series < seriesCount; ++series) {
        double value = 0;
        const korvel::KvlSeriesState* state = model.series(series);
        if (axisOf(series) < 4 || state->attributes[korvel::kAttrVisible] == 0 ||
            model.value(1, series, lastDay, &value) != com::S_OK || value >= 1e10)
            continue;
        ++panes;
        const auto [low, high] = model.visibleRange(axisOf(series));
        EXPECT_LT(low, high) << state->legend << " on the last day alone";
    }
    EXPECT_EQ(panes, 4) << "the RSI's and the MACD's outputs";

    ASSERT_EQ(chart().ShowRange(0, 0, static_cast<double>(model.pointCount()), 0), com::S_OK);
    processEvents();
    std::vector<com::LONG> outputs;
    com::LONG divergence = -1;
    for (com::LONG series = 0; series < seriesCount; ++series) {
        if (model.series(series)->legend.rfind("Macd", 0) == 0)
            outputs.push_back(series);
        if (model.series(series)->legend == "Macd Divergence")
            divergence = series;
    }
    ASSERT_EQ(outputs.size(), 3u);
    ASSERT_GE(divergence, 0);
    // Ten days on which every output of the MACD is below zero.
    com::LONG first = -1;
    for (com::LONG point = 0, run = 0; point <= lastDay && first < 0; ++point) {
        bool below = true;
        for (const com::LONG series : outputs) {
            double value = 0;
            below = below && model.value(1, series, point, &value) == com::S_OK && value < 0;
        }
        run = below ? run + 1 : 0;
        first = run == 10 ? point - 9 : -1;
    }
    ASSERT_GE(first, 0) << "the sample has no ten days of a MACD below zero";
    ASSERT_EQ(chart().ShowRange(first + 0.5, 0, first + 10.5, 0), com::S_OK);
    processEvents();
    const QImage image = painted();
    const com::SHORT axis = axisOf(divergence);
    double top = 0;
    ASSERT_EQ(model.axisValue(axis, korvel::kAxisDataMax, &top), com::S_OK);
    com::LONG x = 0, paneTop = 0;
    ASSERT_EQ(chart().ValueToPixel(first + 1.0, top, &x, &paneTop, axis), com::S_OK);
    const korvel::KvlRect plot = model.plotRect();
    const korvel::KvlRect legend = chartObject().drawnLegend();
    const QRgb bars =
        gdi::toQColor(static_cast<gdi::COLORREF>(model.series(divergence)->attributes[korvel::kAttrColor]))
            .rgb();
    int above = 0;
    for (com::LONG row = plot.top + 1; row < paneTop - 1; ++row)
        for (com::LONG column = plot.left + 1; column < plot.right; ++column)
            above += image.pixel(column, row) == bars && !(column >= legend.left && column <= legend.right &&
                                                           row >= legend.top && row <= legend.bottom)
                         ? 1
                         : 0;
    EXPECT_EQ(above, 0) << "divergence bar pixels above the MACD's pane, which starts at row " << paneTop;
}
