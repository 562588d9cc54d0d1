// Weeks and months of a company with a split, after a switch to it in the assembled program: the data
// editor, the chart values window and the price tip show the values that a small model of the grouping
// computes here from the database's daily rows and split rows, in English and in Arabic.
#include <QAbstractButton>
#include <QComboBox>
#include <QImage>
#include <QTreeWidget>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "AssembledProgramFixture.h"
#include "frame/chart/DrawingHandles.h"
#include "frame/chart/ExtensionCalls.h"
#include "frame/data/DataEditorModel.h"
#include "frame/data/DataWindowsWiring.h"
#include "frame/data/frmData.h"
#include "frame/data/frmDataEditor.h"

namespace {

using namespace std::chrono;
using frame::chart::ExtensionStudySlots;
using frame::chart::Study;

// The sample's real-estate company of the first market, split 3 for 2 on 10 June 2024 (within the last
// year of the market, which ends on 31 December 2024).
constexpr const char* kSplitTicker = "NORR";
constexpr std::int32_t kSplitCompany = 117;
constexpr int kOneYear = 4;
constexpr int kWeekly = 1;
constexpr int kMonthly = 2;
// The windows show three decimals.
constexpr double kShownPrecision = 0.0006;

// A week runs Sunday to Saturday and is dated on its Thursday; a month is dated on its 15th.
sys_days groupDate(sys_days day, int interval) {
    if (interval == kWeekly)
        return day - days(weekday(day).c_encoding()) + days(4);
    const year_month_day ymd(day);
    return sys_days(ymd.year() / ymd.month() / 15);
}

sys_days parseDay(const std::string& iso) {
    return sys_days(year(std::stoi(iso.substr(0, 4))) / std::stoi(iso.substr(5, 2)) /
                    std::stoi(iso.substr(8, 2)));
}

std::string isoOf(sys_days day) {
    const year_month_day ymd(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    return text;
}

// "20240613" for 13 June 2024, as the data editor's sorting column writes a date.
std::string sortingOf(sys_days day) {
    std::string iso = isoOf(day);
    return iso.substr(0, 4) + iso.substr(5, 2) + iso.substr(8, 2);
}

// "13 Jun 2024", as the windows write a date.
std::string shownDate(sys_days day) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const year_month_day ymd(day);
    return std::to_string(static_cast<unsigned>(ymd.day())) + " " +
           kMonths[static_cast<unsigned>(ymd.month()) - 1] + " " +
           std::to_string(static_cast<int>(ymd.year()));
}

sys_days fromOle(double date) {
    return sys_days(1899y / December / 30) + days(static_cast<int>(std::floor(date)));
}

// The numbers that follow each legend's ": " in a price tip; the legends are the price display's and
// the language's.
std::vector<double> valuesAfterLegends(const std::string& text) {
    std::vector<double> numbers;
    for (std::size_t at = text.find(": "); at != std::string::npos; at = text.find(": ", at + 2))
        numbers.push_back(std::strtod(text.c_str() + at + 2, nullptr));
    return numbers;
}

struct Bar {
    double open = 0, high = 0, low = 0, close = 0, volume = 0;
};

struct Params {
    int interval;
    bool arabic;
};

void PrintTo(const Params& p, std::ostream* out) {
    *out << (p.interval == kWeekly ? "weekly" : "monthly") << (p.arabic ? ", Arabic" : ", English");
}

class ProgramGroupedValuesTest : public AssembledProgramTest, public ::testing::WithParamInterface<Params> {
protected:
    // The company's days from the period's start on, each divided by the ratios of the company's splits
    // within the period that came after it (volumes multiplied), then grouped: the first open, the
    // highest high, the lowest low, the last close and the summed volume of the group's days.
    std::map<sys_days, Bar> expectedBars(int interval) {
        const std::string last = *database().query(R"(SELECT MAX("DATE") FROM "MARKETDAILY1")", {}).text(0);
        const year_month_day end(parseDay(last));
        const std::string start = isoOf(sys_days((end.year() - years(1)) / end.month() / end.day()));
        struct Split {
            sys_days day;
            double ratio;
        };
        std::vector<Split> splits;
        for (db::RowSet rows = database().query(
                 R"(SELECT "SPLITDATE", "Ratio" FROM "Split" WHERE "COMPANYID" = ? AND "isDELETED" = 0)",
                 {kSplitCompany});
             !rows.eof(); rows.moveNext()) {
            const std::string date = rows.textOrEmpty(0).substr(0, 10);
            if (date >= start && date <= last.substr(0, 10))
                splits.push_back({parseDay(date), rows.real(1)});
        }
        EXPECT_EQ(splits.size(), 1U) << "the sample's split lies in the last year";
        std::map<sys_days, Bar> bars;
        db::RowSet rows = database().query(
            R"(SELECT "DATE", "OpeningPrice", "MaxPrice", "MinPrice", "ClosingPrice", "TotalShares" FROM )"
            R"("MARKETDAILY1" WHERE "COMPANYID" = ? AND substr("DATE", 1, 10) >= ? ORDER BY "DATE")",
            {kSplitCompany, start});
        for (; !rows.eof(); rows.moveNext()) {
            const sys_days day = parseDay(rows.textOrEmpty(0));
            double factor = 1;
            for (const Split& split : splits)
                if (day < split.day)
                    factor *= split.ratio;
            const Bar d{rows.real(1) / factor, rows.real(2) / factor, rows.real(3) / factor,
                        rows.real(4) / factor, rows.real(5) * factor};
            const auto [at, first] = bars.try_emplace(groupDate(day, interval), d);
            Bar& bar = at->second;
            if (!first) {
                bar.high = std::max(bar.high, d.high);
                bar.low = std::min(bar.low, d.low);
                bar.close = d.close;
                bar.volume += d.volume;
            }
        }
        return bars;
    }

    template <class Widget>
    Widget* settingsControl(const char* name) {
        frame::Form* settings = frameWindow().toolWindow(QStringLiteral("frmChartSettings"));
        EXPECT_NE(settings, nullptr);
        return static_cast<Widget*>(settings->controlWidget(QString::fromLatin1(name)));
    }
    void choose(const char* list, int index) {
        auto* combo = settingsControl<QComboBox>(list);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        processEvents();
    }
    void adjust() {
        settingsControl<QAbstractButton>("chkAdjusted")->click();
        processEvents();
        ASSERT_EQ(chartWindow().chartChoices().adjusted, 1);
    }

    std::int32_t chartedCompany() {
        com::Bstr id;
        EXPECT_EQ(chart().get_ChartCompanyID(&id), com::S_OK);
        return std::atoi(id.toUtf8().c_str());
    }
    com::SHORT series(com::HRESULT (dravik::IFinancialCharts::*getter)(com::SHORT*)) {
        com::SHORT s = -1;
        EXPECT_EQ((extension().*getter)(&s), com::S_OK);
        return s;
    }
    std::optional<double> valueAt(com::SHORT s, com::LONG point) {
        double v = 0;
        if (chart().get_ValueAt(s, point, &v) != com::S_OK || v >= 1e308)
            return std::nullopt;
        return v;
    }
    sys_days pointDay(com::LONG point) {
        double date = 0;
        EXPECT_EQ(chart().get_PointXValue(point, &date), com::S_OK);
        return fromOle(date);
    }

    // The pixel column nearest `x` whose x value belongs to the point: the pixel of a point's own value
    // may lie a fraction of a point before it, which for the first point is before the chart.
    com::LONG columnOfPoint(com::LONG point, com::LONG x, com::LONG y) {
        com::LONG count = 0;
        EXPECT_EQ(chart().get_PointCount(&count), com::S_OK);
        for (const com::LONG dx : {0, 1, -1, 2, -2}) {
            double position = 0, value = 0;
            if (chart().PixelToValue(x + dx, y, &position, &value, 0) == com::S_OK && position >= 1 &&
                position <= count && std::abs(position - (point + 1.0)) < 0.5)
                return x + dx;
        }
        ADD_FAILURE() << "no pixel column shows point " << point;
        return x;
    }

    static void expectBar(const Bar& shown, const Bar& expected, const std::string& where) {
        EXPECT_NEAR(shown.open, expected.open, kShownPrecision) << where;
        EXPECT_NEAR(shown.high, expected.high, kShownPrecision) << where;
        EXPECT_NEAR(shown.low, expected.low, kShownPrecision) << where;
        EXPECT_NEAR(shown.close, expected.close, kShownPrecision) << where;
    }

    // Every row of the data editor is a group of the model, in date order, with its prices and volume.
    void checkDataEditor(const std::map<sys_days, Bar>& bars) {
        frame::frmDataEditor* editor = frame::DataEditorOf(&frameWindow());
        ASSERT_NE(editor, nullptr);
        std::vector<std::string> listed, expected;
        for (const frame::DataEditorRow& row : editor->dataModel().rows())
            listed.push_back(row[static_cast<std::size_t>(frame::DataColumn::SortingDate)].toStdString());
        for (const auto& [day, bar] : bars)
            expected.push_back(sortingOf(day));
        ASSERT_EQ(listed, expected);
        auto bar = bars.begin();
        for (const frame::DataEditorRow& row : editor->dataModel().rows()) {
            const auto number = [&row](frame::DataColumn c) {
                return row[static_cast<std::size_t>(c)].toDouble();
            };
            const Bar shown{number(frame::DataColumn::Open), number(frame::DataColumn::High),
                            number(frame::DataColumn::Low), number(frame::DataColumn::Close),
                            number(frame::DataColumn::Volume)};
            expectBar(shown, bar->second, "data editor, " + isoOf(bar->first));
            EXPECT_NEAR(shown.volume, bar->second.volume, 0.5) << "data editor, " << isoOf(bar->first);
            ++bar;
        }
    }

    // With the mouse on each group's high, the chart values window and the price tip show that group.
    void checkPointsUnderTheMouse(const std::map<sys_days, Bar>& bars) {
        const com::SHORT high = series(&dravik::IFinancialCharts::get_HighSeries);
        com::LONG count = 0;
        ASSERT_EQ(chart().get_PointCount(&count), com::S_OK);
        frame::frmData* values = frame::ChartValuesOf(&frameWindow());
        ASSERT_NE(values, nullptr);
        QTreeWidget* list = values->lsvDataList();
        // A right-to-left window isolates each value's run; the number inside is what is compared.
        const auto inWindow = [list](int row) { return list->topLevelItem(row)->text(1); };
        const auto shown = [inWindow](int row) {
            return inWindow(row).remove(QChar(0x2068)).remove(QChar(0x2069));
        };
        int pointed = 0, tipped = 0;
        for (com::LONG point = 0; point < count; ++point) {
            const auto top = valueAt(high, point);
            if (!top)
                continue;
            const auto bar = bars.find(pointDay(point));
            ASSERT_NE(bar, bars.end())
                << "the chart shows a group the model lacks: " << isoOf(pointDay(point));
            const std::string where = isoOf(bar->first);
            com::LONG x = 0, y = 0;
            ASSERT_EQ(chart().ValueToPixel(point + 1.0, *top, &x, &y, 0), com::S_OK);
            x = columnOfPoint(point, x, y);
            chartWindow().drawingHandles()->Korvel1_MouseMoving(static_cast<std::int16_t>(x),
                                                                static_cast<std::int16_t>(y));
            ++pointed;
            EXPECT_EQ(shown(0).toStdString(), shownDate(bar->first)) << where;
            if (GetParam().arabic) {
                EXPECT_TRUE(inWindow(0).startsWith(QChar(0x2068)) && inWindow(0).endsWith(QChar(0x2069)))
                    << where;
            }
            expectBar({shown(2).toDouble(), shown(3).toDouble(), shown(4).toDouble(), shown(5).toDouble(), 0},
                      bar->second, "chart values, " + where);
            const std::optional<std::string> tip = chartObject().tipToShow(x, y);
            if (!tip)
                continue;
            const std::size_t at = tip->find("\r\n");
            ASSERT_NE(at, std::string::npos) << *tip;
            const std::vector<double> numbers = valuesAfterLegends(tip->substr(at));
            ASSERT_EQ(numbers.size(), 4U) << *tip;
            const Bar inTip{numbers[0], numbers[1], numbers[2], numbers[3], 0};
            expectBar(inTip, bar->second, "tip " + *tip);
            EXPECT_EQ(QString::fromStdString(tip->substr(0, at)), shown(0)) << "the tip's date, " << where;
            ++tipped;
        }
        EXPECT_EQ(pointed, static_cast<int>(bars.size()));
        EXPECT_GT(tipped, pointed / 2) << "the tip shows on the high of most groups";
    }
};

TEST_P(ProgramGroupedValuesTest, TheWindowsShowTheAdjustedGroupsOfTheCompanySwitchedTo) {
    if (GetParam().arabic)
        saveSetting("Language", "True");
    saveSetting("Adjusted", "0");
    startProgram();
    ASSERT_EQ(gArabic, GetParam().arabic);
    ASSERT_EQ(chartedCompany(), kSampleCompany);
    choose("cmbPeriod", kOneYear);
    choose("cmbInterval", GetParam().interval);

    chartTicker(kSplitTicker);
    ASSERT_EQ(chartedCompany(), kSplitCompany);
    ASSERT_EQ(chartWindow().chartChoices().interval, GetParam().interval);
    // "Adjust data" on the company switched to.
    ASSERT_EQ(chartWindow().chartChoices().adjusted, 0);
    adjust();
    const std::map<sys_days, Bar> bars = expectedBars(GetParam().interval);
    ASSERT_GT(bars.size(), GetParam().interval == kWeekly ? 50U : 12U);
    checkDataEditor(bars);
    checkPointsUnderTheMouse(bars);
    EXPECT_EQ(errorLog(), "");
}

// The sample's company that did not trade on the market's last day: its last day is Monday 30 December
// 2024, the market's Tuesday 31 December.
constexpr const char* kEarlyEndTicker = "NORN";
constexpr std::int32_t kEarlyEndCompany = 113;
constexpr int kOneMonth = 0;

// Its last week (29 December to 4 January, dated 2 January) or month ends on the empty days after the
// market's last day; it still has the close of the company's last day, its bar is drawn and the SAR
// reaches it (the studies' own tests look at two years of the same company).
TEST_P(ProgramGroupedValuesTest, TheLastPeriodOfACompanyThatStoppedBeforeTheMarketHasItsClose) {
    if (GetParam().arabic)
        saveSetting("Language", "True");
    startProgram();
    chartWindow().Korvel1()->resize(900, 600);
    choose("cmbPeriod", kOneMonth);
    choose("cmbInterval", GetParam().interval);
    chartTicker(kEarlyEndTicker);
    ASSERT_EQ(chartedCompany(), kEarlyEndCompany);
    db::RowSet lastRow = database().query(R"(SELECT "DATE", "ClosingPrice" FROM "MARKETDAILY1" WHERE)"
                                          R"( "COMPANYID" = ? ORDER BY "DATE" DESC LIMIT 1)",
                                          {kEarlyEndCompany});
    ASSERT_FALSE(lastRow.eof());
    const sys_days lastDay = parseDay(lastRow.textOrEmpty(0));
    const double lastClose = lastRow.real(1);
    ASSERT_EQ(isoOf(lastDay), "2024-12-30");

    const com::SHORT close = series(&dravik::IFinancialCharts::get_CloseSeries);
    const com::SHORT high = series(&dravik::IFinancialCharts::get_HighSeries);
    const com::SHORT low = series(&dravik::IFinancialCharts::get_LowSeries);
    com::LONG count = 0;
    ASSERT_EQ(chart().get_PointCount(&count), com::S_OK);
    com::LONG last = count - 1;
    while (last >= 0 && !valueAt(close, last))
        --last;
    ASSERT_GE(last, 0);
    EXPECT_EQ(isoOf(pointDay(last)), isoOf(groupDate(lastDay, GetParam().interval)));
    EXPECT_EQ(valueAt(close, last), lastClose);
    // The points after it hold only empty days.
    for (com::LONG p = last + 1; p < count; ++p)
        EXPECT_FALSE(valueAt(high, p)) << isoOf(pointDay(p));

    ExtensionStudySlots studies(&extension());
    const com::SHORT sar = studies.get16(Study::CUSTOM4, frame::chart::kStudySeriesIndex, -1);
    // A month of December alone has no SAR; the weeks have one.
    if (GetParam().interval == kWeekly) {
        EXPECT_TRUE(valueAt(sar, last)) << "the SAR reaches the last period";
    }

    // The bar: most of the column between the period's low and high is not the plot's colour.
    const QImage image = painted();
    const korvel::KvlRect plot = chartObject().model().plotRect();
    ASSERT_TRUE(valueAt(high, last) && valueAt(low, last));
    const int x = pixel(last + 1.0, *valueAt(high, last)).x();
    const int top = pixel(last + 1.0, *valueAt(high, last)).y();
    const int bottom = pixel(last + 1.0, *valueAt(low, last)).y();
    ASSERT_GT(bottom - top, 4);
    const QRgb background = plotColour(image, plot);
    int drawn = 0;
    for (int y = top; y <= bottom; ++y) {
        bool any = false;
        for (int dx = -1; dx <= 1; ++dx)
            any = any || image.pixel(x + dx, y) != background;
        drawn += any ? 1 : 0;
    }
    EXPECT_GT(drawn, (bottom - top + 1) * 3 / 4) << "the bar of " << isoOf(pointDay(last));
    EXPECT_EQ(errorLog(), "");
}

INSTANTIATE_TEST_SUITE_P(WeeksAndMonths, ProgramGroupedValuesTest,
                         ::testing::Values(Params{kWeekly, false}, Params{kMonthly, false},
                                           Params{kWeekly, true}, Params{kMonthly, true}),
                         [](const ::testing::TestParamInfo<Params>& info) {
                             return std::string(info.param.interval == kWeekly ? "Weekly" : "Monthly") +
                                    (info.param.arabic ? "Arabic" : "English");
                         });

}  // namespace
