// The checks of the user walk: what the database holds, read by the test itself, and what the chart
// of the assembled program must show after every step (the price figure between each sampled day's
// high and low, drawn study panes, a special chart's figure, Chart Values and the tip against the
// database, date labels that neither overlap nor leave the chart).
#pragma once

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPoint>
#include <QRect>
#include <QToolTip>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AssembledProgramFixture.h"
#include "dravik/ChartTypeInterfaces.h"
#include "frame/chart/DrawingHandles.h"
#include "frame/data/DataWindowsWiring.h"
#include "frame/data/frmData.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "korvel/KvlChartWidget.h"
#include "korvel/KvlLabelLoop.h"

namespace userwalk {

using com::LONG;

constexpr LONG kAnalyticalType = korvel::kFirstExtensionGalleryType + 4;
constexpr com::SHORT kCloseLineDisplay = 0;
constexpr com::SHORT kCandlestickDisplay = 3;
// Columns either side of a point where a dashed close line must show: a line leaves out its end
// pixel, and a dash's gap is 6 pixels, so the first or last point of the line, with the line on one
// side only, may show it no nearer.
constexpr LONG kCloseReach = 7;
constexpr LONG kPointFigureType = korvel::kFirstExtensionGalleryType + 0;
constexpr LONG kRenkoType = korvel::kFirstExtensionGalleryType + 1;
constexpr LONG kKagiType = korvel::kFirstExtensionGalleryType + 2;
constexpr LONG kThreeLineBreakType = korvel::kFirstExtensionGalleryType + 3;

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

// "YYYY-MM-DD" to an OLE automation date.
inline double oleDateOf(const std::string& iso) {
    using namespace std::chrono;
    const year_month_day ymd{year{std::stoi(iso.substr(0, 4))}, month{unsigned(std::stoi(iso.substr(5, 2)))},
                             day{unsigned(std::stoi(iso.substr(8, 2)))}};
    return static_cast<double>((sys_days(ymd) - sys_days(year{1899} / December / 30)).count());
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
    // A special chart type's box, brick or reversal as the chart type holds it now (the user may have
    // changed it on its page): its size and whether it is per cent of the first close. None for Three
    // Line Break, whose first line needs no box.
    struct FirstBox {
        double size = 0;
        bool percent = true;
    };
    std::optional<FirstBox> firstBoxOf(LONG type) {
        FirstBox box;
        com::VARIANT_BOOL percent = com::VARIANT_TRUE;
        if (com::ComPtr<dravik::IPointFigure> figure;
            type == kPointFigureType && extension().get_PointAndFigure(figure.put()) == com::S_OK) {
            figure->get_BoxSize(&box.size);
            figure->get_PercentualBox(&percent);
        } else if (com::ComPtr<dravik::IRenko> renko;
                   type == kRenkoType && extension().get_Renko(renko.put()) == com::S_OK) {
            renko->get_BoxSize(&box.size);
            renko->get_PercentualBox(&percent);
        } else if (com::ComPtr<dravik::IKagi> kagi;
                   type == kKagiType && extension().get_Kagi(kagi.put()) == com::S_OK) {
            kagi->get_ReversalAmount(&box.size);
            kagi->get_Percentual(&percent);
        } else {
            return std::nullopt;
        }
        box.percent = percent != com::VARIANT_FALSE;
        return box;
    }

    // The first charted close (of the chart's interval, adjusted or not, from the database) that moved
    // from the first close by a whole first box (any move for Three Line Break, which needs none):
    // there a special chart has its first element. Empty when none did.
    std::string firstMoveOfTheClose(LONG type) {
        const std::optional<FirstBox> unit = firstBoxOf(type);
        const std::int32_t company = chartedCompany();
        const frame::frmMain::ChartChoices& choices = chartWindow().chartChoices();
        std::optional<double> first;
        for (
            db::RowSet rows = database().query(
                R"(SELECT DISTINCT substr("DATE", 1, 10) FROM )" + dailyTable(company) +
                    R"( WHERE "COMPANYID" = ? AND "isDELETED" = 0 AND substr("DATE", 1, 10) >= ? ORDER BY 1)",
                {company, periodStart()});
            !rows.eof(); rows.moveNext()) {
            const std::string day = rows.textOrEmpty(0);
            const std::optional<DayPrices> group =
                groupPrices(company, oleDateOf(day), choices.interval, choices.adjusted != 0);
            if (!group)
                continue;
            if (!first) {
                first = group->close;
                continue;
            }
            const double move = std::abs(group->close - *first);
            const double box = unit && unit->percent ? unit->size * *first * 0.01 : unit ? unit->size : 0;
            if (!unit ? move != 0 : std::trunc(move / box) != 0)
                return "the close moved from " + std::to_string(*first) + " to " +
                       std::to_string(group->close) + " by " + day;
        }
        return "";
    }

    // The company's rows of the chart's group holding `date` (daily: the day; weekly: its Sunday to
    // Saturday; monthly: its month) from the period's start on: the first open, the highest high, the
    // lowest low, the last close, each day divided by the ratios of the splits of the charted period
    // after it when adjustment is on. Empty when the group has no row.
    std::optional<DayPrices> groupPrices(std::int32_t company, double oleDate, int interval, bool adjusted) {
        using namespace std::chrono;
        const sys_days day =
            sys_days(year{1899} / December / 30) + days(static_cast<int>(std::floor(oleDate)));
        sys_days from = day, to = day;
        if (interval == 1) {
            from = day - days(weekday(day).c_encoding());
            to = from + days(6);
        } else if (interval == 2) {
            const year_month_day ymd(day);
            from = sys_days(ymd.year() / ymd.month() / 1);
            to = sys_days(year_month_day_last(ymd.year(), month_day_last(ymd.month())));
        }
        const auto iso = [](sys_days d) {
            return isoDate(static_cast<double>((d - sys_days(year{1899} / December / 30)).count()));
        };
        const std::string start = std::max(iso(from), periodStart());
        db::RowSet last =
            database().query(R"(SELECT MAX(substr("DATE", 1, 10)) FROM )" + dailyTable(company), {});
        const std::string end = last.textOrEmpty(0);
        std::vector<std::pair<std::string, double>> splits;
        if (adjusted)
            for (
                db::RowSet rows = database().query(
                    R"(SELECT substr("SPLITDATE", 1, 10), "Ratio" FROM "Split" WHERE "COMPANYID" = ? AND "isDELETED" = 0)",
                    {company});
                !rows.eof(); rows.moveNext())
                if (rows.textOrEmpty(0) >= periodStart() && rows.textOrEmpty(0) <= end)
                    splits.emplace_back(rows.textOrEmpty(0), rows.real(1));
        std::optional<DayPrices> group;
        for (
            db::RowSet rows = database().query(
                R"(SELECT substr("DATE", 1, 10), "OpeningPrice", "MaxPrice", "MinPrice", "ClosingPrice" FROM )" +
                    dailyTable(company) +
                    R"( WHERE "COMPANYID" = ? AND "isDELETED" = 0 AND substr("DATE", 1, 10) BETWEEN ? AND ?)"
                    R"( ORDER BY "DATE")",
                {company, start, iso(to)});
            !rows.eof(); rows.moveNext()) {
            double factor = 1;
            for (const auto& [date, ratio] : splits)
                if (rows.textOrEmpty(0) < date)
                    factor *= ratio;
            const DayPrices d{rows.real(1) / factor, rows.real(2) / factor, rows.real(3) / factor,
                              rows.real(4) / factor};
            if (!group) {
                group = d;
                continue;
            }
            group->high = std::max(group->high, d.high);
            group->low = std::min(group->low, d.low);
            group->close = d.close;
        }
        return group;
    }

    // --- What the chart must show after every step -----------------------------------------------

    // What the user sees of the chart: the canvas as it paints itself on screen.
    QImage onScreen() { return widget().canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    korvel::KvlChartWidget& widget() { return *chartWindow().Korvel1(); }
    void sendMouse(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButton button,
                   Qt::KeyboardModifiers keys = Qt::NoModifier) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || button == Qt::NoButton
                                          ? Qt::NoButton
                                          : Qt::MouseButtons(button);
        QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, held, keys);
        QApplication::sendEvent(to, &event);
    }
    void count(const char* check) { ++m_counts[check]; }

    void checkChart(const std::string& step) {
        SCOPED_TRACE("after " + step);
        processEvents();
        ASSERT_TRUE(frameWindow().isVisible());
        LONG type = -1;
        ASSERT_EQ(chart().get_ChartType(&type), com::S_OK);
        if (chartObject().model().pointCount() == 0) {
            // An empty chart: the period holds no day of the company, or the special chart's figure has
            // no element yet: no charted close moved a first box from the first one.
            if (type == kAnalyticalType)
                EXPECT_EQ(daysTradedSince(chartedCompany(), periodStart()), 0) << "the chart is empty";
            else
                EXPECT_EQ(firstMoveOfTheClose(type), "") << "the chart type shows no figure";
            count("empty");
            return;
        }
        const QImage image = onScreen();
        m_lastPicture = image;
        noteGridLines(image);
        checkDateAxis(image);
        checkChartFillsItsWindow();
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
    LONG axisOf(LONG series) {
        LONG axis = -1;
        return chartObject().model().attribute(series, korvel::kAttrYAxis, &axis) == com::S_OK ? axis : -1;
    }
    gdi::COLORREF colour(LONG series, LONG attribute = korvel::kAttrColor) {
        LONG value = -1;
        EXPECT_EQ(chartObject().model().attribute(series, attribute, &value), com::S_OK);
        return static_cast<gdi::COLORREF>(value) & 0xFFFFFF;
    }
    std::optional<double> value(LONG series, LONG point) {
        double v = 0;
        if (chartObject().model().value(1, series, point, &v) != com::S_OK || v >= 1e308)
            return std::nullopt;
        return v;
    }
    // The rows of the horizontal grid lines and the columns of the vertical ones that the picture
    // shows (a line across a third of the plot or more), with the plot's frame, each with its
    // colour: their pixels of that colour are not a series' figure.
    void noteGridLines(const QImage& image) {
        const korvel::KvlRect plot = chartObject().model().plotRect();
        const gdi::COLORREF back = background();
        m_gridRows.clear();
        m_gridColumns.clear();
        const auto note = [&](bool column, LONG pixel) {
            const LONG length = column ? plot.height() : plot.width();
            std::map<gdi::COLORREF, LONG> inked;
            for (LONG along = 0; along < length; ++along)
                ++inked[column ? at(image, pixel, plot.top + along) : at(image, plot.left + along, pixel)];
            inked.erase(back);
            const auto most = std::max_element(
                inked.begin(), inked.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
            // A row of a grid line runs from the plot's left edge to its right one; a flat series on a
            // label's row starts and ends at its points.
            const auto inkedNear = [&](LONG from) {
                for (LONG x = from; x < from + 6; ++x)
                    if (at(image, x, pixel) == most->first)
                        return true;
                return false;
            };
            if (most != inked.end() && most->second * 3 > length &&
                (column || (inkedNear(plot.left) && inkedNear(plot.right - 6))))
                (column ? m_gridColumns : m_gridRows).emplace_back(pixel, most->first);
        };
        note(false, plot.top);
        note(false, plot.bottom - 1);
        note(true, plot.left);
        note(true, plot.right - 1);
        for (const korvel::KvlDrawnLabel& label : chartObject().drawnLabels())
            note(label.axis == korvel::kXAxis, label.pixel);
    }
    bool onGrid(LONG x, LONG y, gdi::COLORREF c) const {
        const auto line = [c](const std::vector<std::pair<LONG, gdi::COLORREF>>& lines, LONG pixel) {
            return std::find(lines.begin(), lines.end(), std::pair{pixel, c}) != lines.end();
        };
        return line(m_gridRows, y) || line(m_gridColumns, x);
    }
    // Whether a pixel of one of `colours`, off the grid lines, lies in columns [x-reach, x+reach]
    // between rows top - 1 and bottom + 1.
    bool colourBetween(const QImage& image, LONG x, LONG top, LONG bottom,
                       const std::vector<gdi::COLORREF>& colours, LONG reach = 1) {
        for (LONG column = x - reach; column <= x + reach; ++column)
            for (LONG row = std::min(top, bottom) - 1; row <= std::max(top, bottom) + 1; ++row)
                if (!onGrid(column, row, at(image, column, row)) &&
                    std::find(colours.begin(), colours.end(), at(image, column, row)) != colours.end())
                    return true;
        return false;
    }
    // The user's drawings as lines on the screen, start to end.
    virtual std::vector<std::pair<QPoint, QPoint>> drawnLines() { return {}; }
    // Whether one of `lines`, with its highlight and its selection handles, passes over column x
    // between rows top and bottom.
    static bool underDrawing(const std::vector<std::pair<QPoint, QPoint>>& lines, LONG x, LONG top,
                             LONG bottom) {
        constexpr LONG kWidth = 4;
        for (const auto& [a, b] : lines) {
            if (x < std::min(a.x(), b.x()) - kWidth || x > std::max(a.x(), b.x()) + kWidth)
                continue;
            // The rows the line crosses in the columns beside x, within its ends.
            const auto rowAt = [&](double column) {
                const double t =
                    a.x() == b.x() ? 0 : std::clamp((column - a.x()) / (b.x() - a.x()), 0.0, 1.0);
                return a.y() + (b.y() - a.y()) * t;
            };
            const double first = a.x() == b.x() ? a.y() : rowAt(x - 1.0);
            const double last = a.x() == b.x() ? b.y() : rowAt(x + 1.0);
            if (std::max(first, last) + kWidth >= std::min(top, bottom) &&
                std::min(first, last) - kWidth <= std::max(top, bottom))
                return true;
        }
        return false;
    }
    bool underLegend(LONG x, LONG top, LONG bottom) {
        const korvel::KvlRect legend = chartObject().drawnLegend();
        return legend.width() > 0 && x >= legend.left - 3 && x <= legend.right + 3 &&
               std::max(top, bottom) >= legend.top - 3 && std::min(top, bottom) <= legend.bottom + 3;
    }
    // The points of the visible range with a value in every one of `series`.
    std::vector<LONG> visiblePoints(std::initializer_list<LONG> series) {
        const auto range = chartObject().model().visibleRange(korvel::kXAxis);
        std::vector<LONG> points;
        for (LONG point = 0; point < chartObject().model().pointCount(); ++point) {
            if (point + 1.0 < range.first || point + 1.0 > range.second)
                continue;
            bool all = true;
            for (const LONG s : series)
                all = all && value(s, point).has_value();
            if (all)
                points.push_back(point);
        }
        return points;
    }
    // Eight points spread over `points`, with the last one; a point `usable` refuses (under the legend,
    // covered by a study) is replaced by the nearest one it accepts that is not yet chosen.
    std::vector<LONG> spread(const std::vector<LONG>& points, const std::function<bool(LONG)>& usable) {
        std::vector<LONG> picked;
        if (points.empty())
            return picked;
        for (std::size_t i = 0; i < 8; ++i) {
            const std::size_t aim = i * (points.size() - 1) / 7;
            for (std::size_t off = 0; off < points.size(); ++off) {
                std::optional<LONG> found;
                for (const std::size_t at : {aim + off, aim - off})
                    if (at < points.size() &&
                        std::find(picked.begin(), picked.end(), points[at]) == picked.end() &&
                        usable(points[at])) {
                        found = points[at];
                        break;
                    }
                if (found) {
                    picked.push_back(*found);
                    break;
                }
            }
        }
        return picked;
    }

    com::SHORT priceSeries(com::HRESULT (dravik::IFinancialCharts::*getter)(com::SHORT*)) {
        com::SHORT series = -1;
        EXPECT_EQ((extension().*getter)(&series), com::S_OK);
        return series;
    }
    struct Prices {
        LONG open, high, low, close;
    };
    Prices prices() {
        return {priceSeries(&dravik::IFinancialCharts::get_OpenSeries),
                priceSeries(&dravik::IFinancialCharts::get_HighSeries),
                priceSeries(&dravik::IFinancialCharts::get_LowSeries),
                priceSeries(&dravik::IFinancialCharts::get_CloseSeries)};
    }

    // The chosen price display is drawn: at every sampled point whose period has an open, a high, a
    // low and a close, a pixel of a shown price series' colour lies between its high and low (for the
    // close line: at its close). Points under the legend box or under a study line drawn over the
    // figure are replaced by others; the last period with trades is always sampled.
    void checkPriceFigure(const QImage& image) {
        com::SHORT display = -1;
        ASSERT_EQ(extension().get_PriceDisplay(&display), com::S_OK);
        const Prices p = prices();
        std::vector<gdi::COLORREF> colours;
        for (const LONG series : {p.open, p.high, p.low, p.close})
            if (visible(series))
                colours.push_back(colour(series));
        // A candle's wick takes its series' border colour, a rising body its background colour.
        if (display == kCandlestickDisplay)
            for (const LONG series : {p.open, p.high, p.low, p.close})
                if (visible(series))
                    for (const LONG attribute : {korvel::kAttrBkColor, korvel::kAttrBorderColor})
                        colours.push_back(colour(series, attribute));
        if (display == 4) {  // no prices
            EXPECT_TRUE(colours.empty()) << "no price series shows without prices";
            count("price");
            return;
        }
        ASSERT_FALSE(colours.empty()) << "display " << display << " shows no price series";
        const gdi::COLORREF plot = background();
        for (const gdi::COLORREF c : colours)
            EXPECT_NE(c, plot) << "a price series in the plot's colour, display " << display;
        // Lines of other series drawn over the price pane.
        std::vector<gdi::COLORREF> over;
        LONG seriesCount = 0;
        ASSERT_EQ(chart().get_SeriesCount(&seriesCount), com::S_OK);
        for (LONG s = 0; s < seriesCount; ++s)
            if (s != p.open && s != p.high && s != p.low && s != p.close && visible(s) && axisOf(s) >= 0 &&
                axisOf(s) < 4)
                over.push_back(colour(s));
        const korvel::KvlRect area = chartObject().model().plotRect();
        const auto range = chartObject().model().visibleRange(korvel::kXAxis);
        std::vector<LONG> points = visiblePoints({p.open, p.high, p.low, p.close});
        // A close line is drawn between points: a point with no close either side has no line.
        if (display == kCloseLineDisplay)
            std::erase_if(points, [&](LONG point) {
                return !(point > 0 && value(p.close, point - 1)) && !value(p.close, point + 1);
            });
        const auto rows = [&](LONG point) {
            LONG x = 0, top = 0, bottom = 0, close = 0;
            chart().ValueToPixel(point + 1.0, *value(p.high, point), &x, &top, 0);
            chart().ValueToPixel(point + 1.0, *value(p.low, point), &x, &bottom, 0);
            chart().ValueToPixel(point + 1.0, *value(p.close, point), &x, &close, 0);
            if (display == kCloseLineDisplay) {
                // The line, dashed perhaps, passes the columns beside the point on its way to the
                // neighbours' closes; where points lie closer than the reach, the line within it runs
                // on through the rows of further points (a dash's gap may hide the nearest ones).
                top = bottom = close;
                for (const LONG step : {LONG{-1}, LONG{1}}) {
                    LONG lastX = x, lastY = close;
                    for (LONG next = point + step; next >= 0 && value(p.close, next); next += step) {
                        LONG nx = 0, ny = 0;
                        if (chart().ValueToPixel(next + 1.0, *value(p.close, next), &nx, &ny, 0) != com::S_OK)
                            break;
                        LONG reached = ny;
                        if (std::abs(nx - x) > kCloseReach && nx != lastX)
                            reached = lastY + (ny - lastY) * (kCloseReach - std::abs(lastX - x)) /
                                                  std::abs(nx - lastX);
                        top = std::min(top, reached);
                        bottom = std::max(bottom, reached);
                        if (std::abs(nx - x) >= kCloseReach)
                            break;
                        lastX = nx;
                        lastY = ny;
                    }
                }
            }
            return std::array<LONG, 3>{x, top, bottom};
        };
        const LONG reach = display == kCloseLineDisplay ? kCloseReach : 1;
        if (range.second - range.first > area.width()) {
            // More points than columns: a column shows some of its points; the figure must fill most
            // of the columns between the first and the last point with prices.
            if (points.empty())
                return;
            const LONG first = std::max(area.left + 1, rows(points.front())[0]);
            const LONG last = std::min(area.right - 1, rows(points.back())[0]);
            // Columns where a study line lies over the figure count for neither.
            int columns = 0, covered = 0;
            for (LONG x = first; x < last; ++x) {
                bool shown = false, under = false;
                for (LONG y = area.top + 1; y < area.bottom - 1 && !shown; ++y) {
                    const gdi::COLORREF c = at(image, x, y);
                    shown = !onGrid(x, y, c) && std::find(colours.begin(), colours.end(), c) != colours.end();
                    under = under || std::find(over.begin(), over.end(), c) != over.end();
                }
                columns += shown ? 1 : 0;
                covered += !shown && under ? 1 : 0;
            }
            EXPECT_GT(columns, (last - first - covered) / 2)
                << "display " << display << ": the price figure is not drawn";
            count("price");
            return;
        }
        // A point on the plot's edge shows half its bar, clipped at its centre.
        const auto inside = [&](LONG x) { return x > area.left + 1 && x < area.right - 2; };
        // A close line along a grid line of its own colour cannot be told from the grid.
        const auto alongItsGrid = [&](LONG top, LONG bottom) {
            return display == kCloseLineDisplay &&
                   std::any_of(m_gridRows.begin(), m_gridRows.end(), [&](const auto& line) {
                       return line.first >= std::min(top, bottom) - 1 &&
                              line.first <= std::max(top, bottom) + 1 &&
                              std::find(colours.begin(), colours.end(), line.second) != colours.end();
                   });
        };
        const auto drawings = drawnLines();
        const auto usable = [&](LONG point) {
            const auto [x, top, bottom] = rows(point);
            return inside(x) && !underLegend(x, top, bottom) && !alongItsGrid(top, bottom) &&
                   !underDrawing(drawings, x, top, bottom) &&
                   (over.empty() || !colourBetween(image, x, top, bottom, over, reach));
        };
        std::vector<LONG> chosen = spread(points, usable);
        if (!points.empty() && std::find(chosen.begin(), chosen.end(), points.back()) == chosen.end() &&
            usable(points.back()))
            chosen.push_back(points.back());
        std::string missing;
        for (const LONG point : chosen) {
            const auto [x, top, bottom] = rows(point);
            count("price");
            if (!colourBetween(image, x, top, bottom, colours, reach))
                missing += " point " + std::to_string(point) + " (x " + std::to_string(x) + ", rows " +
                           std::to_string(top) + "-" + std::to_string(bottom) + ")";
        }
        std::string lines;
        for (const gdi::COLORREF c : over) {
            char text[16];
            std::snprintf(text, sizeof text, " %06x", c);
            lines += text;
        }
        EXPECT_EQ(missing, "") << "display " << display << ": no price figure at" << missing
                               << "; lines over the figure:" << lines;
        // The last period with trades has its figure.
        const LONG lastPoint = lastChartedDay(p.high);
        if (value(p.high, lastPoint) && value(p.low, lastPoint) && !value(p.close, lastPoint) &&
            static_cast<double>(lastPoint) + 1.0 <= range.second)
            ADD_FAILURE() << "the last period with trades, point " << lastPoint << ", has no close";
    }

    // Every shown series off the price axis is drawn in its pane: at sampled points with a value, away
    // from the legend box, a pixel of its colour lies within two pixels of where the value maps.
    void checkStudyPanes(const QImage& image) {
        LONG count_ = 0;
        ASSERT_EQ(chart().get_SeriesCount(&count_), com::S_OK);
        const gdi::COLORREF plot = background();
        for (LONG series = 0; series < count_; ++series) {
            const LONG axis = axisOf(series);
            if (!visible(series) || axis < 4)
                continue;
            const std::vector<LONG> points = visiblePoints({series});
            if (points.size() < 2)
                continue;
            const gdi::COLORREF c = colour(series);
            EXPECT_NE(c, plot) << "series " << series << " in the plot's colour";
            // A series of the same pane drawn later may lie over this one (a flat average over its study).
            std::vector<gdi::COLORREF> pane = {c};
            for (LONG other = series + 1; other < count_; ++other)
                if (visible(other) && axisOf(other) == axis)
                    pane.push_back(colour(other));
            const auto pixelOf = [&](LONG point) {
                LONG x = -1, y = -1;
                chart().ValueToPixel(point + 1.0, *value(series, point), &x, &y,
                                     static_cast<com::SHORT>(axis));
                return std::pair{x, y};
            };
            const std::vector<LONG> chosen = spread(points, [&](LONG point) {
                const auto [x, y] = pixelOf(point);
                return x >= 0 && !underLegend(x, y - 2, y + 2);
            });
            if (chosen.empty())
                continue;
            bool drawn = false;
            std::string aimed;
            for (const LONG point : chosen) {
                const auto [x, y] = pixelOf(point);
                drawn = drawn || colourBetween(image, x, y - 1, y + 1, pane);
                aimed += " (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
            count("study");
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
        count("figure");
        EXPECT_GT(figure, 30) << "the chart type draws nothing";
    }

    // On screen, the chart fills its window, its date axis lies inside it, and the date labels are
    // there, neither overlapping nor leaving the chart.
    // The chart control takes its window less a narrow margin at the right and a strip at the bottom: it
    // is neither cut off by the window nor left at an older size.
    void checkChartFillsItsWindow() {
        const QWidget& window = chartWindow();
        const QRect chart(widget().mapTo(&window, QPoint(0, 0)), widget().size());
        count("window");
        EXPECT_TRUE(window.rect().contains(chart))
            << "the chart " << chart.width() << "x" << chart.height() << " is cut off by its window "
            << window.width() << "x" << window.height();
        EXPECT_GT(chart.right(), window.width() - 20) << "the chart does not reach its window's right edge";
        EXPECT_GT(chart.bottom(), window.height() - 50) << "the chart does not reach its window's bottom";
        const QRect canvas(widget().canvas()->mapTo(&widget(), QPoint(0, 0)), widget().canvas()->size());
        EXPECT_EQ(canvas.right(), widget().width() - 1) << "the chart's picture does not fill the control";
        EXPECT_EQ(canvas.bottom(), widget().height() - 1) << "the chart's picture does not fill the control";
    }

    void checkDateAxis(const QImage& image) {
        const korvel::KvlRect plot = chartObject().model().plotRect();
        const QSize canvas = widget().canvas()->size();
        count("date-axis");
        EXPECT_EQ(image.size(), canvas);
        EXPECT_GE(plot.left, 0);
        EXPECT_LE(plot.right, image.width());
        EXPECT_GT(plot.right, image.width() - 100) << "the chart does not fill its window";
        EXPECT_LT(plot.bottom + 3, image.height()) << "the date labels fall below the chart";
        EXPECT_GT(plot.bottom, image.height() - 80) << "the chart does not fill its window";
        const gdi::COLORREF back = at(image, plot.left + 1, plot.bottom + 2);
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
            int ink = 0;
            for (LONG x = spans[i].first; x < spans[i].second; ++x)
                for (LONG y = plot.bottom + 1; y < image.height(); ++y)
                    ink += at(image, x, y) != back ? 1 : 0;
            EXPECT_GT(ink, 3) << "the date label at columns " << spans[i].first << "-" << spans[i].second
                              << " is not on screen";
        }
    }

    // The mouse moved over a point shows in the chart values window, and the tip it rests for shows,
    // the point's group of the database's rows.
    void checkValuesAgainstDatabase() {
        const Prices p = prices();
        const std::vector<LONG> points = visiblePoints({p.high});
        if (points.empty())
            return;
        std::vector<LONG> aimed = {points[points.size() / 2], points.back()};
        if (points.size() > 2)
            aimed.push_back(points.front());
        for (const LONG point : aimed)
            checkValuesAt(point, p.high);
    }
    static std::string unisolated(QString text) {
        return text.remove(QChar(0x2068)).remove(QChar(0x2069)).trimmed().toStdString();
    }
    void checkValuesAt(LONG point, LONG high) {
        LONG x = 0, y = 0;
        ASSERT_EQ(chart().ValueToPixel(point + 1.0, *value(high, point), &x, &y, 0), com::S_OK);
        // The column whose position rounds to the point.
        LONG column = -1;
        for (const LONG dx : {0, 1, -1, 2, -2}) {
            double position = 0, price = 0;
            if (chart().PixelToValue(x + dx, y, &position, &price, 0) == com::S_OK && position >= 1 &&
                position <= chartObject().model().pointCount() && std::abs(position - (point + 1.0)) < 0.5) {
                column = x + dx;
                break;
            }
        }
        if (column < 0)
            return;  // more points than columns
        QWidget* canvas = widget().canvas();
        sendMouse(canvas, QEvent::MouseMove, {static_cast<int>(column), static_cast<int>(y)}, Qt::NoButton);
        processEvents();
        frame::frmData* values = frame::ChartValuesOf(&frameWindow());
        ASSERT_NE(values, nullptr);
        QTreeWidget* list = values->lsvDataList();
        const auto shown = [list](int row) { return unisolated(list->topLevelItem(row)->text(1)); };
        double date = 0;
        ASSERT_EQ(chartObject().model().xValue(point, &date), com::S_OK);
        const std::string where = isoDate(date) + ", company " + std::to_string(chartedCompany()) +
                                  ", interval " + std::to_string(chartWindow().chartChoices().interval);
        const std::optional<DayPrices> expected =
            groupPrices(chartedCompany(), date, chartWindow().chartChoices().interval,
                        chartWindow().chartChoices().adjusted != 0);
        ASSERT_TRUE(expected) << "the chart shows a group the database lacks: " << where;
        count("values");
        EXPECT_EQ(shown(0), shownDate(isoDate(date))) << where;
        const double wanted[] = {expected->open, expected->high, expected->low, expected->close};
        for (int row = 0; row < 4; ++row)
            EXPECT_NEAR(std::atof(shown(2 + row).c_str()), wanted[row], 0.0006)
                << list->topLevelItem(2 + row)->text(0).toStdString() << " of " << where;
        // The mouse rests: the tip shows. A tip hidden before waits a while before it goes: take it
        // off the screen first, so that only a tip shown here is read.
        for (QWidget* shown : QApplication::topLevelWidgets())
            if (shown->inherits("QTipLabel"))
                shown->hide();
        QHelpEvent help(QEvent::ToolTip, QPoint(static_cast<int>(column), static_cast<int>(y)),
                        canvas->mapToGlobal(QPoint(static_cast<int>(column), static_cast<int>(y))));
        QApplication::sendEvent(canvas, &help);
        if (!QToolTip::isVisible())
            return;  // the mouse rests on nothing with a tip
        const std::string tip = unisolated(QToolTip::text());
        const std::size_t lineEnd = tip.find('\n');
        std::vector<double> numbers;
        for (std::size_t at = tip.find(": ", lineEnd);
             lineEnd != std::string::npos && at != std::string::npos; at = tip.find(": ", at + 2))
            numbers.push_back(std::strtod(tip.c_str() + at + 2, nullptr));
        if (numbers.size() != 4)
            return;  // the tip of a study or a drawing
        count("tip");
        std::string day = tip.substr(0, lineEnd);
        while (!day.empty() && (day.back() == '\r' || day.back() == ' '))
            day.pop_back();
        EXPECT_EQ(day, shownDate(isoDate(date))) << "the tip's day: " << tip;
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(numbers[static_cast<std::size_t>(i)], wanted[i], 0.0006) << tip << ", " << where;
    }
    LONG lastChartedDay(LONG high) {
        for (LONG point = chartObject().model().pointCount() - 1; point > 0; --point)
            if (value(high, point))
                return point;
        return 0;
    }

    std::map<std::string, int> m_counts;
    std::vector<std::pair<LONG, gdi::COLORREF>> m_gridRows, m_gridColumns;
    std::vector<std::pair<std::int32_t, std::string>> m_companies;
    QImage m_lastPicture;
};

}  // namespace userwalk
