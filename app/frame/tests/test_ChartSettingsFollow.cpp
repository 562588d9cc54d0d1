// What the chart settings window's choices bring along besides the chart: the charted company shown in
// the watch list, the work table kept or rebuilt, and split-adjusted prices read anew.
#include <QAbstractButton>
#include <QComboBox>

#include <vector>

#include "ChartSettingsFixture.h"
#include "db/Connection.h"

namespace {

class ChartSettingsFollowTest : public ChartSettingsTest {
protected:
    // A day that comes in after the last rebuild of the work table: only a rebuild reads it.
    static void addNewDay() {
        tarnwick::gConnection.execute(
            R"(INSERT INTO "MARKETDAILY1" ("DATE", "COMPANYID", "TotalShares", "TotalAmount", "OpeningPrice",)"
            R"( "MaxPrice", "MinPrice", "ClosingPrice") VALUES ('2026-11-09', ?, 100, 1000, 20, 21, 19, 20.5))",
            {kDefaultCompany});
    }

    std::vector<double> seriesValues(com::HRESULT (dravik::IFinancialCharts::*getter)(com::SHORT*)) {
        com::SHORT series = -1;
        EXPECT_EQ((ext().*getter)(&series), com::S_OK);
        std::vector<double> values;
        for (com::LONG point = 0; point < points(); ++point) {
            double value = 0;
            EXPECT_EQ(chart().get_ValueAt(series, point, &value), com::S_OK);
            values.push_back(value);
        }
        return values;
    }
    std::vector<double> closes() { return seriesValues(&dravik::IFinancialCharts::get_CloseSeries); }
    std::vector<double> opens() { return seriesValues(&dravik::IFinancialCharts::get_OpenSeries); }
    std::vector<double> volumes() { return seriesValues(&dravik::IFinancialCharts::get_VolumeSeries); }
};

TEST_F(ChartSettingsFollowTest, PeriodIntervalAndTypedTickerShowTheChartedCompanyInTheWatchList) {
    loadFrame();
    m_shownInWatchList.clear();
    choose("cmbPeriod", 9);
    EXPECT_EQ(m_shownInWatchList, std::vector<std::string>{"ID_199"});
    choose("cmbInterval", 1);
    EXPECT_EQ(m_shownInWatchList, (std::vector<std::string>{"ID_199", "ID_199"}));
    // Adjustment recharts the same company and leaves the watch list as it is.
    click("chkAdjusted");
    EXPECT_EQ(m_shownInWatchList.size(), 2U);

    // The company of a typed ticker, once it is charted.
    m_fills = 0;
    type(QStringLiteral("T205"));
    click("cmdRefresh");
    EXPECT_EQ(m_fills, 1);
    EXPECT_EQ(chartCompanyID(chart()), "205");
    EXPECT_EQ(m_shownInWatchList, (std::vector<std::string>{"ID_199", "ID_199", "ID_205"}));
    // An unknown ticker charts nothing and shows nothing.
    type(QStringLiteral("NOPE"));
    click("cmdRefresh");
    EXPECT_EQ(m_shownInWatchList.size(), 3U);
    EXPECT_EQ(errorLog(), "");
}

// A template chosen while the program runs re-reads the company on the chart from the work table of
// the last rebuild, and shows it in the watch list.
TEST_F(ChartSettingsFollowTest, ATemplateChosenLaterKeepsTheWorkTableAndShowsTheCompanyInTheWatchList) {
    loadFrame();
    saveAsNewTemplate(QStringLiteral("Kept"));
    ASSERT_EQ(points(), 5);
    addNewDay();
    m_shownInWatchList.clear();
    m_fills = 0;
    choose("cmbTemplates", 0);
    EXPECT_EQ(m_fills, 1);
    EXPECT_EQ(points(), 5) << "the work table was rebuilt";
    EXPECT_EQ(m_shownInWatchList, std::vector<std::string>{"ID_199"});

    choose("cmbPeriod", 4);  // a rebuild reads the new day
    EXPECT_EQ(points(), 6);
    EXPECT_EQ(errorLog(), "");
}

// At start-up the template of the last run builds the work table: the table the last run left in the
// database is not what the new start charts.
TEST_F(ChartSettingsFollowTest, TheLastTemplateAtStartUpBuildsTheWorkTableAnew) {
    loadFrame();
    saveAsNewTemplate(QStringLiteral("Mine"));
    window().Finalize();
    m_frame.reset();
    processEvents();
    tarnwick::gConnection = db::Connection::openExisting(m_home / "MQMKD.mqd");
    addNewDay();
    tarnwick::gStarting = true;
    m_shownInWatchList.clear();
    loadFrame();
    ASSERT_EQ(shownTemplate(), "Mine");
    EXPECT_EQ(points(), 6);
    EXPECT_EQ(closes().back(), 20.5);
    EXPECT_EQ(errorLog(), "");
}

// "Adjust data" reads the days again, divided by the splits after them. The expected prices: the split
// of 4 November 2026 of ratio 2 divides the prices of the days before it (2 and 3 November: closes 10.5
// and 11.5, opens 10 and 11) by 2 and multiplies their volumes (100) by 2; the days from the split on
// stay as stored.
TEST_F(ChartSettingsFollowTest, AdjustDataReadsTheSplitAdjustedPricesAndUnadjustingReadsTheStoredOnes) {
    saveSetting("Adjusted", "0");
    exec(
        R"(INSERT INTO "Split" ("SPLITDATE", "COMPANYID", "Ratio", "isDELETED") VALUES ('2026-11-04', 199, 2, 0))");
    loadFrame();
    ASSERT_EQ(points(), 5);
    EXPECT_EQ(closes(), (std::vector<double>{10.5, 11.5, 12.5, 13.5, 14.5}));

    click("chkAdjusted");
    ASSERT_EQ(choices()[2], 1);
    EXPECT_EQ(closes(), (std::vector<double>{5.25, 5.75, 12.5, 13.5, 14.5}));
    EXPECT_EQ(opens(), (std::vector<double>{5, 5.5, 12, 13, 14}));
    EXPECT_EQ(volumes(), (std::vector<double>{200, 200, 100, 100, 100}));

    // The interval regroups the adjusted table; back to the stored prices takes a rebuild again.
    choose("cmbInterval", 1);
    choose("cmbInterval", 0);
    EXPECT_EQ(closes(), (std::vector<double>{5.25, 5.75, 12.5, 13.5, 14.5}));
    click("chkAdjusted");
    EXPECT_EQ(closes(), (std::vector<double>{10.5, 11.5, 12.5, 13.5, 14.5}));
    EXPECT_EQ(volumes(), (std::vector<double>{100, 100, 100, 100, 100}));
    EXPECT_EQ(errorLog(), "");
}

}  // namespace
