// The checks of the user walk: what the database holds, read by the test itself, and what the chart
// of the assembled program must show after every step (the price figure between each sampled day's
// high and low, drawn study panes, a special chart's figure, Chart Values and the tip against the
// database, date labels that neither overlap nor leave the chart).
#pragma once

#include <QImage>
#include <QTreeWidget>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AssembledProgramFixture.h"
#include "frame/chart/DrawingHandles.h"
#include "frame/data/DataWindowsWiring.h"
#include "frame/data/frmData.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "korvel/KvlLabelLoop.h"

namespace userwalk {

using com::LONG;

constexpr LONG kAnalyticalType = korvel::kFirstExtensionGalleryType + 4;
constexpr com::SHORT kCloseLineDisplay = 0;
// About a month of trading days: a special chart over no more may have no figure yet.
constexpr int kShortPeriodDays = 23;

// One market row as the database holds it, read by the test itself.
struct DayPrices {
    double open = 0, high = 0, low = 0, close = 0;
};

// OLE automation date (days since 30 Dec 1899) to "YYYY-MM-DD".
inline std::string isoDate(double oleDate) {
    using namespace std::chrono;
    const sys_days day = sys_days(year{1899} / December / 30) + days(static_cast<int>(std::floor(oleDate)));
    const year_month_day ymd(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    return text;
}

// "3 Oct 2024" for "2024-10-03", as the chart's tips and values window write a date.
inline std::string shownDate(const std::string& iso) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const int month = std::stoi(iso.substr(5, 2));
    return std::to_string(std::stoi(iso.substr(8, 2))) + " " + kMonths[month - 1] + " " + iso.substr(0, 4);
}

class UserWalkChecks : public AssembledProgramTest {
protected:
    // --- What the database holds ---------------------------------------------------------------

    void readCompanies() {
        db::RowSet rows = database().query(
            R"(SELECT "ID", "TICKER" FROM "Company" WHERE "IS_INDEX" = 0 AND "MARKET_ID" = 1 ORDER BY "ID")",
            {});
        for (; !rows.eof(); rows.moveNext())
            m_companies.emplace_back(static_cast<std::int32_t>(rows.int32(0)), *rows.text(1));
        ASSERT_GT(m_companies.size(), 4u);
    }
    std::int32_t chartedCompany() {
        com::Bstr id;
        EXPECT_EQ(chart().get_ChartCompanyID(&id), com::S_OK);
        return std::atoi(id.toUtf8().c_str());
    }
    std::int32_t marketOf(std::int32_t company) {
        db::RowSet rows = database().query(R"(SELECT "MARKET_ID" FROM "Company" WHERE "ID" = ?)", {company});
        return rows.eof() ? 1 : rows.int32(0);
    }
    std::string dailyTable(std::int32_t company) {
        return "\"MARKETDAILY" + std::to_string(marketOf(company)) + "\"";
    }
    DayPrices lastDay(std::int32_t company) {
        db::RowSet rows = database().query(
            R"(SELECT "OpeningPrice", "MaxPrice", "MinPrice", "ClosingPrice" FROM )" + dailyTable(company) +
                R"( WHERE "COMPANYID" = ? AND "isDELETED" = 0 ORDER BY "DATE" DESC LIMIT 1)",
            {company});
        return rows.eof() ? DayPrices{10, 10, 10, 10}
                          : DayPrices{rows.real(0), rows.real(1), rows.real(2), rows.real(3)};
    }
    // The first day of the chosen period, counted back from the last day of the company's market.
    std::string periodStart() {
        const std::int32_t market = marketOf(chartedCompany());
        db::RowSet rows =
            database().query(R"(SELECT MAX("DATE") FROM "MARKETDAILY)" + std::to_string(market) + "\"", {});
        const std::string last = rows.textOrEmpty(0);
        if (last.size() < 10)
            return "1899-12-30";
        using namespace std::chrono;
        const year_month_day day{year{std::stoi(last.substr(0, 4))},
                                 month{unsigned(std::stoi(last.substr(5, 2)))},
                                 std::chrono::day{unsigned(std::stoi(last.substr(8, 2)))}};
        const auto back = [&](months by) {
            const year_month shifted = year_month(day.year(), day.month()) - by;
            const year_month_day_last end(shifted.year(), month_day_last(shifted.month()));
            return year_month_day(shifted.year(), shifted.month(), std::min(day.day(), end.day()));
        };
        static const int kMonthsBack[] = {1, 3, 6, 0, 12, 24, 36, 60, 120};
        const int period = chartWindow().chartChoices().period;
        year_month_day start{year{1979}, November, std::chrono::day{1}};
        if (period == 3)
            start = year_month_day(day.year(), January, std::chrono::day{1});
        else if (period >= 0 && period < 9)
            start = back(months(kMonthsBack[period]));
        char text[16];
        std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(start.year()),
                      static_cast<unsigned>(start.month()), static_cast<unsigned>(start.day()));
        return text;
    }
    int daysTradedSince(std::int32_t company, const std::string& start) {
        db::RowSet rows = database().query(
            "SELECT COUNT(*) FROM " + dailyTable(company) + R"( WHERE "COMPANYID" = ? AND "DATE" >= ?)",
            {company, start});
        return rows.int32(0);
    }
    // The day's prices, divided by the ratios of the splits after it up to `lastDate` (the adjustment
    // keeps the newest prices as they are).
    std::optional<DayPrices> dayPrices(std::int32_t company, const std::string& date, bool adjusted,
                                       const std::string& firstDate, const std::string& lastDate) {
        db::RowSet rows = database().query(
            R"(SELECT "OpeningPrice", "MaxPrice", "MinPrice", "ClosingPrice" FROM )" + dailyTable(company) +
                R"( WHERE "COMPANYID" = ? AND "DATE" = ? AND "isDELETED" = 0)",
            {company, date});
        if (rows.eof())
            return std::nullopt;
        DayPrices day{rows.real(0), rows.real(1), rows.real(2), rows.real(3)};
        if (adjusted) {
            db::RowSet splits =
                database().query(R"(SELECT "Ratio" FROM "Split" WHERE "COMPANYID" = ? AND "isDELETED" = 0)"
                                 R"( AND "SPLITDATE" > ? AND "SPLITDATE" >= ? AND "SPLITDATE" <= ?)",
                                 {company, date, firstDate, lastDate});
            for (; !splits.eof(); splits.moveNext())
                for (double* price : {&day.open, &day.high, &day.low, &day.close})
                    *price /= splits.real(0);
        }
        return day;
    }

    // --- What the chart must show after every step -----------------------------------------------

    void checkChart(const std::string& step) {
        SCOPED_TRACE("after " + step);
        processEvents();
        ASSERT_TRUE(frameWindow().isVisible());
        LONG type = -1;
        ASSERT_EQ(chart().get_ChartType(&type), com::S_OK);
        if (chartObject().model().pointCount() == 0) {
            // An empty chart: the period holds no day of the company, or the special chart's figure has
            // no element yet (its first box is 5% of the first close: a short period may not reach it).
            const int days = daysTradedSince(chartedCompany(), periodStart());
            if (type == kAnalyticalType)
                EXPECT_EQ(days, 0) << "the chart is empty";
            else
                EXPECT_LE(days, kShortPeriodDays) << "the chart type shows no figure";
            return;
        }
        chartObject().paintSurface();
        ASSERT_NE(chartObject().surface(), nullptr);
        const QImage image = chartObject().surface()->image().convertToFormat(QImage::Format_RGB32);
        m_lastPicture = image;
        checkDateAxis(image);
        if (type != kAnalyticalType) {
            checkFigureDrawn(image);
            return;
        }
        checkPriceFigure(image);
        checkStudyPanes(image);
        checkValuesAgainstDatabase();
    }

    gdi::COLORREF at(const QImage& image, LONG x, LONG y) {
        if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
            return 0xFFFFFFFF;
        return gdi::fromQColor(image.pixelColor(static_cast<int>(x), static_cast<int>(y)));
    }
    gdi::COLORREF background() {
        LONG colour = -1;
        EXPECT_EQ(chart().get_Setting(21, &colour), com::S_OK);
        return static_cast<gdi::COLORREF>(colour) & 0xFFFFFF;
    }
    bool visible(LONG series) {
        LONG shown = 0;
        return chartObject().model().attribute(series, korvel::kAttrVisible, &shown) == com::S_OK &&
               shown != 0;
    }
    gdi::COLORREF colour(LONG series) {
        LONG value = -1;
        EXPECT_EQ(chartObject().model().attribute(series, korvel::kAttrColor, &value), com::S_OK);
        return static_cast<gdi::COLORREF>(value) & 0xFFFFFF;
    }
    std::optional<double> value(LONG series, LONG point) {
        double v = 0;
        if (chartObject().model().value(1, series, point, &v) != com::S_OK || v >= 1e308)
            return std::nullopt;
        return v;
    }
    // Whether a pixel of one of `colours` lies in the column band [x-1, x+1] between rows top and bottom.
    bool colourBetween(const QImage& image, LONG x, LONG top, LONG bottom,
                       const std::vector<gdi::COLORREF>& colours) {
        // Four columns either side: a dashed line may leave a gap of a few pixels at the day.
        for (LONG column = x - 4; column <= x + 4; ++column)
            for (LONG row = std::min(top, bottom) - 1; row <= std::max(top, bottom) + 1; ++row)
                if (std::find(colours.begin(), colours.end(), at(image, column, row)) != colours.end())
                    return true;
        return false;
    }
    // Whether the plot's colour shows in column x between rows top and bottom.
    bool showsPlot(const QImage& image, LONG x, LONG top, LONG bottom, gdi::COLORREF plot) {
        for (LONG row = std::min(top, bottom); row <= std::max(top, bottom); ++row)
            if (at(image, x, row) == plot)
                return true;
        return false;
    }
    // The points with a high and a low that lie in the visible range, left of the legend box (which
    // covers what is below it).
    std::vector<LONG> visibleDays(LONG high, LONG low) {
        const auto range = chartObject().model().visibleRange(korvel::kXAxis);
        const korvel::KvlRect legend = chartObject().drawnLegend();
        std::vector<LONG> days;
        for (LONG point = 0; point < chartObject().model().pointCount(); ++point) {
            LONG x = 0, y = 0;
            if (point + 1.0 < range.first || point + 1.0 > range.second || !value(high, point) ||
                !value(low, point) ||
                chart().ValueToPixel(point + 1.0, *value(high, point), &x, &y, 0) != com::S_OK)
                continue;
            if (legend.width() <= 0 || x < legend.left - 8 || x > legend.right + 8)
                days.push_back(point);
        }
        return days;
    }
    std::vector<LONG> sample(const std::vector<LONG>& days) {
        if (days.empty())
            return {};
        std::vector<LONG> picked;
        for (std::size_t i = 0; i < 8; ++i)
            picked.push_back(days[i * (days.size() - 1) / 7]);
        return picked;
    }

    com::SHORT priceSeries(com::HRESULT (dravik::IFinancialCharts::*getter)(com::SHORT*)) {
        com::SHORT series = -1;
        EXPECT_EQ((extension().*getter)(&series), com::S_OK);
        return series;
    }

    // The chosen price display is drawn: at sampled days, a pixel of a shown price series' colour
    // lies between the day's high and low.
    void checkPriceFigure(const QImage& image) {
        com::SHORT display = -1;
        ASSERT_EQ(extension().get_PriceDisplay(&display), com::S_OK);
        const LONG high = priceSeries(&dravik::IFinancialCharts::get_HighSeries);
        const LONG low = priceSeries(&dravik::IFinancialCharts::get_LowSeries);
        std::vector<gdi::COLORREF> colours;
        for (com::HRESULT (dravik::IFinancialCharts::*getter)(com::SHORT*) :
             {&dravik::IFinancialCharts::get_OpenSeries, &dravik::IFinancialCharts::get_HighSeries,
              &dravik::IFinancialCharts::get_LowSeries, &dravik::IFinancialCharts::get_CloseSeries}) {
            const LONG series = priceSeries(getter);
            if (visible(series))
                colours.push_back(colour(series));
        }
        if (display == 4) {  // no prices
            EXPECT_TRUE(colours.empty()) << "no price series shows without prices";
            return;
        }
        ASSERT_FALSE(colours.empty()) << "display " << display << " shows no price series";
        const gdi::COLORREF plot = background();
        for (const gdi::COLORREF c : colours)
            EXPECT_NE(c, plot) << "a price series in the plot's colour, display " << display;
        // Study lines may cover a bar: a day counts as missing only where the plot shows through
        // between its high and low, and then no more than a third of the sampled days may miss.
        // With more days than columns a column shows some of its days: then the figure only has to be there.
        const korvel::KvlRect area = chartObject().model().plotRect();
        const auto range = chartObject().model().visibleRange(korvel::kXAxis);
        if (range.second - range.first > area.width()) {
            int shown = 0;
            for (LONG y = area.top + 1; y < area.bottom; ++y)
                for (LONG x = area.left + 1; x < area.right; ++x)
                    shown +=
                        std::find(colours.begin(), colours.end(), at(image, x, y)) != colours.end() ? 1 : 0;
            EXPECT_GT(shown, area.width()) << "display " << display << ": the price figure is not drawn";
            return;
        }
        const std::vector<LONG> days = sample(visibleDays(high, low));
        std::string missing;
        for (const LONG point : days) {
            LONG x = 0, top = 0, bottom = 0;
            ASSERT_EQ(chart().ValueToPixel(point + 1.0, *value(high, point), &x, &top, 0), com::S_OK);
            ASSERT_EQ(chart().ValueToPixel(point + 1.0, *value(low, point), &x, &bottom, 0), com::S_OK);
            // The close line passes the day at its close only: the plot must not show through there.
            LONG closeRow = top;
            const LONG close = priceSeries(&dravik::IFinancialCharts::get_CloseSeries);
            if (display == kCloseLineDisplay && value(close, point))
                chart().ValueToPixel(point + 1.0, *value(close, point), &x, &closeRow, 0);
            const bool plotShows = display == kCloseLineDisplay
                                       ? showsPlot(image, x, closeRow - 1, closeRow + 1, plot)
                                       : showsPlot(image, x, top, bottom, plot);
            if (!colourBetween(image, x, top, bottom, colours) && plotShows)
                missing += " point " + std::to_string(point) + " (x " + std::to_string(x) + ", rows " +
                           std::to_string(top) + "-" + std::to_string(bottom) + ")";
        }
        EXPECT_LE(std::count(missing.begin(), missing.end(), '(') * 3,
                  static_cast<std::ptrdiff_t>(days.size()))
            << "display " << display << ": no price figure at" << missing;
    }

    // Every shown series off the price axis is drawn in its pane: at some sampled point with a value,
    // a pixel of its colour lies within two pixels of where the value maps.
    void checkStudyPanes(const QImage& image) {
        LONG count = 0;
        ASSERT_EQ(chart().get_SeriesCount(&count), com::S_OK);
        const auto range = chartObject().model().visibleRange(korvel::kXAxis);
        const gdi::COLORREF plot = background();
        for (LONG series = 0; series < count; ++series) {
            LONG axis = 0;
            if (!visible(series) ||
                chartObject().model().attribute(series, korvel::kAttrYAxis, &axis) != com::S_OK || axis < 4)
                continue;
            std::vector<LONG> points;
            for (LONG point = static_cast<LONG>(std::ceil(range.first)) - 1;
                 point < static_cast<LONG>(range.second) && point < chartObject().model().pointCount();
                 ++point)
                if (point >= 0 && value(series, point))
                    points.push_back(point);
            if (points.size() < 2)
                continue;
            const gdi::COLORREF c = colour(series);
            EXPECT_NE(c, plot) << "series " << series << " in the plot's colour";
            // A series of the same pane drawn later may lie over this one (a flat average over its study).
            std::vector<gdi::COLORREF> pane = {c};
            for (LONG other = series + 1; other < count; ++other) {
                LONG otherAxis = 0;
                if (visible(other) &&
                    chartObject().model().attribute(other, korvel::kAttrYAxis, &otherAxis) == com::S_OK &&
                    otherAxis == axis)
                    pane.push_back(colour(other));
            }
            bool drawn = false;
            std::string aimed;
            for (const LONG point : sample(points)) {
                LONG x = 0, y = 0;
                if (chart().ValueToPixel(point + 1.0, *value(series, point), &x, &y,
                                         static_cast<com::SHORT>(axis)) != com::S_OK)
                    continue;
                drawn = drawn || colourBetween(image, x, y - 2, y + 2, pane);
                aimed += " (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
            EXPECT_TRUE(drawn) << "series " << series << " (axis " << axis << ", colour " << std::hex << c
                               << std::dec << ") has no pixels in its pane at" << aimed;
        }
    }

    // A special chart type draws its figure: the plot holds pixels other than its colour and the grid's.
    void checkFigureDrawn(const QImage& image) {
        const korvel::KvlRect plot = chartObject().model().plotRect();
        const gdi::COLORREF back = background();
        int figure = 0;
        for (LONG y = plot.top + 2; y < plot.bottom - 1; ++y)
            for (LONG x = plot.left + 2; x < plot.right - 1; ++x) {
                const gdi::COLORREF c = at(image, x, y);
                figure += c != back && c != korvel::KvlLabelLoop::kGridColor && c != 0xC0C0C0 ? 1 : 0;
            }
        EXPECT_GT(figure, 30) << "the chart type draws nothing";
    }

    // The date axis lies inside the chart, and its labels neither overlap nor leave the chart.
    void checkDateAxis(const QImage& image) {
        const korvel::KvlRect plot = chartObject().model().plotRect();
        EXPECT_GE(plot.left, 0);
        EXPECT_LE(plot.right, image.width());
        EXPECT_LT(plot.bottom + 3, image.height()) << "the date labels fall below the chart";
        std::vector<std::pair<LONG, LONG>> spans;
        for (const korvel::KvlDrawnLabel& label : chartObject().drawnLabels())
            if (label.axis == korvel::kXAxis && label.major != 0 && label.textRight > label.textLeft)
                spans.emplace_back(label.textLeft, label.textRight);
        std::sort(spans.begin(), spans.end());
        for (std::size_t i = 0; i < spans.size(); ++i) {
            EXPECT_GE(spans[i].first, 0) << "a date label starts left of the chart";
            EXPECT_LE(spans[i].second, image.width()) << "a date label ends right of the chart";
            if (i > 0) {
                EXPECT_LE(spans[i - 1].second, spans[i].first) << "date labels overlap";
            }
        }
    }

    // At a sampled day, the chart values window and the price tip show the day's prices as the
    // database holds them (adjusted for the splits of the charted period when adjustment is on).
    void checkValuesAgainstDatabase() {
        const LONG high = priceSeries(&dravik::IFinancialCharts::get_HighSeries);
        const LONG low = priceSeries(&dravik::IFinancialCharts::get_LowSeries);
        const std::vector<LONG> days = visibleDays(high, low);
        if (days.size() < 3 || chartWindow().chartChoices().interval != 0)
            return;
        const LONG point = days[days.size() / 2];
        LONG x = 0, y = 0;
        ASSERT_EQ(chart().ValueToPixel(point + 1.0, *value(high, point), &x, &y, 0), com::S_OK);
        chartWindow().drawingHandles()->Korvel1_MouseMoving(static_cast<std::int16_t>(x),
                                                            static_cast<std::int16_t>(y));
        frame::frmData* values = frame::ChartValuesOf(&frameWindow());
        ASSERT_NE(values, nullptr);
        QTreeWidget* list = values->lsvDataList();
        const auto shown = [list](int row) { return list->topLevelItem(row)->text(1).toStdString(); };
        // Several days may share the pixel: the day shown is one of the days near the one aimed at.
        const DayPrices expected = pricesOfShownDay(shown(0), point, high);
        const double prices[] = {expected.open, expected.high, expected.low, expected.close};
        for (int row = 0; row < 4; ++row)
            EXPECT_NEAR(std::atof(shown(2 + row).c_str()), prices[row], 0.0006)
                << list->topLevelItem(2 + row)->text(0).toStdString() << " of " << shown(0) << ", company "
                << chartedCompany();
        const std::optional<std::string> tip = chartObject().tipToShow(x, y);
        if (!tip || tip->find("\r\nO: ") == std::string::npos)
            return;  // the mouse rests on another series or a drawing
        const std::size_t at = tip->find("\r\nO: ");
        const DayPrices tipped = pricesOfShownDay(tip->substr(0, at), point, high);
        double open = 0, dayHigh = 0, dayLow = 0, close = 0;
        ASSERT_EQ(std::sscanf(tip->c_str() + at, "\r\nO: %lf - H: %lf\r\nL: %lf - C: %lf", &open, &dayHigh,
                              &dayLow, &close),
                  4)
            << *tip;
        EXPECT_NEAR(open, tipped.open, 0.0006) << *tip;
        EXPECT_NEAR(dayHigh, tipped.high, 0.0006) << *tip;
        EXPECT_NEAR(dayLow, tipped.low, 0.0006) << *tip;
        EXPECT_NEAR(close, tipped.close, 0.0006) << *tip;
    }
    // The database's prices of the day a window shows as `text` ("3 Oct 2024"), which must be the date
    // of a chart point within two of `point`; adjusted for the splits of the charted days when
    // adjustment is on.
    DayPrices pricesOfShownDay(const std::string& text, LONG point, LONG high) {
        std::optional<std::string> iso;
        for (LONG near = std::max<LONG>(0, point - 2);
             near <= point + 2 && near < chartObject().model().pointCount(); ++near) {
            double date = 0;
            if (chartObject().model().xValue(near, &date) == com::S_OK && shownDate(isoDate(date)) == text)
                iso = isoDate(date);
        }
        if (!iso) {
            ADD_FAILURE() << "the shown day " << text << " is not near the day aimed at, point " << point;
            return {};
        }
        double first = 0, last = 0;
        EXPECT_EQ(chartObject().model().xValue(firstChartedDay(high), &first), com::S_OK);
        EXPECT_EQ(chartObject().model().xValue(lastChartedDay(high), &last), com::S_OK);
        const std::optional<DayPrices> stored =
            dayPrices(chartedCompany(), *iso, chartWindow().chartChoices().adjusted != 0, isoDate(first),
                      isoDate(last));
        if (!stored)
            ADD_FAILURE() << "the chart shows " << *iso << ", which the database lacks";
        return stored.value_or(DayPrices{});
    }
    LONG firstChartedDay(LONG high) {
        for (LONG point = 0; point < chartObject().model().pointCount(); ++point)
            if (value(high, point))
                return point;
        return 0;
    }
    LONG lastChartedDay(LONG high) {
        for (LONG point = chartObject().model().pointCount() - 1; point > 0; --point)
            if (value(high, point))
                return point;
        return 0;
    }

    std::vector<std::pair<std::int32_t, std::string>> m_companies;
    QImage m_lastPicture;
};

}  // namespace userwalk
