// The chart fill over the fixture market (ChartFillFixture.h): what the chart receives by day, week
// and month, split adjustment, index scaling, the fallback company and failures part-way.
#include <gtest/gtest.h>

#include <span>

#include "ChartFillFixture.h"
#include "NoValue.h"
#include "appchart/fill/FillPeriod.h"

namespace tarnwick::chart::test {
namespace {

// One point as the chart must hold it: its legend (the ISO date the fixture's legends give, also its
// x value) and its nine value cells in column order.
struct PointExpectation {
    const char* date;
    double cells[kValueColumnCount];
};

// Adjusted by hand: before the first split / 4 (shares x 4), between the splits / 2, after as stored.
// Index factors from the first day: 10.5 / 100 = 0.105 and 10.5 / 1000 = 0.0105.
constexpr PointExpectation kAdjustedDays[] = {
    {"2005-03-01", {9.5, 10, 10.5, 11, 400, N, 10.5, 10.5, N}},
    {"2005-03-02", {10, 10.5, 11, 11.5, 800, N, N, 10.605, N}},
    {"2005-03-03", {10, 11, 11.5, 12, 800, 11.55, 10.92, 10.71, 2}},
    {"2005-03-04", {10.5, 11.5, 12, 12.5, 600, N, 11.13, 10.815, N}},
    {"2005-03-07", {11, 12, 12.5, 13, 800, 12.6, 11.34, 10.92, 2}},
    {"2005-03-08", {12, 12.5, 13, 13.5, 600, N, 11.55, 11.025, N}},
};

void expectPoints(const FakeChart& chart, std::span<const PointExpectation> points) {
    ASSERT_EQ(chart.pointCount(), static_cast<std::int32_t>(points.size()));
    for (std::int32_t p = 0; p < chart.pointCount(); ++p) {
        const PointExpectation& e = points[static_cast<std::size_t>(p)];
        EXPECT_EQ(chart.data.legends[static_cast<std::size_t>(p)], e.date);
        EXPECT_EQ(chart.xValueAt(p), OleDay(*db::parseIsoDate(e.date))) << e.date;
        for (int column = 0; column < kValueColumnCount; ++column) {
            const double expected = e.cells[column];
            const double actual = chart.value(column, p);
            if (expected == N) {
                EXPECT_EQ(actual, N) << e.date << " column " << column;
            } else {
                EXPECT_NEAR(actual, expected, 1e-9) << e.date << " column " << column;
            }
        }
    }
}

TEST_F(ChartFillTest, DailyFillAdjustsForTwoSplitsAndMarksThem) {
    chart10(0);
    expectPoints(chart, kAdjustedDays);
    EXPECT_EQ(chart.xValueAt(0), 38412);  // 1 March 2005 as an OLE date
    EXPECT_EQ(chart.data.columnNames[kSplitColumn], "Divident");
    EXPECT_EQ(fill.Trim(), 0);
    EXPECT_EQ(chart.editorTrim, 0);
}

TEST_F(ChartFillTest, WithoutAdjustmentShowsStoredPricesAndNoMarkers) {
    chart10(0, false);
    ASSERT_EQ(chart.pointCount(), 6);
    EXPECT_EQ(at(kOpenColumn, 0), 40);
    EXPECT_EQ(at(kVolumeColumn, 0), 100);
    EXPECT_EQ(at(kCloseColumn, 2), 23);
    for (int p = 0; p < 6; ++p) {
        EXPECT_EQ(at(kSplitColumn, p), N);
        EXPECT_EQ(at(kRatioColumn, p), N);
    }
    // Scaled from the stored close: 42 / 100 and 42 / 1000.
    EXPECT_NEAR(at(kSectorColumn, 0), 42, 1e-9);
    EXPECT_NEAR(at(kGeneralColumn, 5), 1050 * 0.042, 1e-9);
}

TEST_F(ChartFillTest, ChartIsSetUpForTheCompany) {
    chart.storedDrawings[kCompany] = "drawing of Alpha";
    chart10(0);
    const std::vector<ColumnKind> kinds(9, ColumnKind::Value);
    ASSERT_EQ(chart.kinds.size(), 11u);
    EXPECT_TRUE(std::equal(kinds.begin(), kinds.end(), chart.kinds.begin()));
    EXPECT_EQ(chart.kinds[9], ColumnKind::XValue);
    EXPECT_EQ(chart.kinds[10], ColumnKind::Legend);
    EXPECT_EQ(chart.title, "Alpha Holding");
    EXPECT_EQ(chart.caption, "ALP");
    EXPECT_EQ(chart.firstUser, 5);
    EXPECT_EQ(chart.userCount, 3);
    EXPECT_EQ(chart.prices.close, 2);
    EXPECT_EQ(chart.prices.low, 0);
    EXPECT_TRUE(chart.analytical);
    EXPECT_EQ(chart.priceDisplay, 1);
    EXPECT_EQ(chart.annotations, 0);
    ASSERT_EQ(chart.drawings, std::vector<std::string>{"drawing of Alpha"});
    EXPECT_EQ(fill.DrawingText, "drawing of Alpha");
    EXPECT_EQ(chart.companyId, "10");
    EXPECT_EQ(fill.CompanyID, kCompany);
    EXPECT_EQ(chart.notesOf, kCompany);
    EXPECT_FALSE(chart.zoomOutEnabled);
    EXPECT_TRUE(chart.splitsShown);
    EXPECT_FALSE(chart.fourthUserShown);
    EXPECT_FALSE(chart.busy);
    EXPECT_EQ(chart.legends.open, "text88");
    EXPECT_EQ(chart.legends.high, "text89");
    EXPECT_EQ(chart.legends.low, "text90");
    EXPECT_EQ(chart.legends.close, "text91");
    EXPECT_EQ(chart.legends.splits, "text185");
    EXPECT_EQ(chart.legends.sector, "Banks text97");
    EXPECT_EQ(chart.legends.general, "TASI text97");
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(ChartFillTest, EmptyDaysFollowTheMarketsLastDay) {
    gSpecial = true;
    chart10(0);
    ASSERT_EQ(chart.pointCount(), 36);
    EXPECT_EQ(chart.data.legends[6], "2005-03-09");
    EXPECT_EQ(chart.data.legends[35], "2005-04-07");
    for (int column = 0; column < kValueColumnCount; ++column) {
        EXPECT_EQ(at(column, 35), N);
    }
    EXPECT_EQ(fill.Trim(), 30);
    EXPECT_EQ(chart.editorTrim, 30);
}

TEST_F(ChartFillTest, CustomStudiesLeaveOutTheEmptyDays) {
    registry.registerIndicatorLibrary();
    gSpecial = true;
    chart10(0);
    ASSERT_EQ(chart.pointCount(), 36);
    const std::vector<double>& sar = chart.studySeries.at(kSarSeries);
    // Long from the first adjusted low 9.5: 9.5 + 0.02 (11 - 9.5).
    EXPECT_EQ(sar[0], N);
    EXPECT_NEAR(sar[1], 9.53, 1e-12);
    EXPECT_TRUE(IsChartValue(sar[5]));
    // Adjusted closes only rise: no losses, an RSI of 100 from the first point after the seed.
    const std::vector<double>& rsi = chart.studySeries.at(kRsiSeries);
    EXPECT_EQ(rsi[2], N);
    EXPECT_EQ(rsi[3], 100);
    EXPECT_EQ(rsi[5], 100);
    for (int p = 6; p < 36; ++p) {
        EXPECT_EQ(sar[p], N) << p;
        EXPECT_EQ(rsi[p], N) << p;
    }
}

// Weeks run Sunday to Saturday. The week of the last day (Tuesday 8 March) ends on empty days, so
// its close comes from that day; the four weeks after it hold only empty days.
constexpr PointExpectation kWeeks[] = {
    {"2005-03-03", {9.5, 10, 12, 12.5, 2600, 11.55, 11.13, 10.815, 2}},
    {"2005-03-10", {11, 12, 13, 13.5, 1400, 12.6, N, N, 2}},
    {"2005-03-17", {N, N, N, N, N, N, N, N, N}},
    {"2005-03-24", {N, N, N, N, N, N, N, N, N}},
    {"2005-03-31", {N, N, N, N, N, N, N, N, N}},
    {"2005-04-07", {N, N, N, N, N, N, N, N, N}},
};

TEST_F(ChartFillTest, WeeklyFillRepairsTheCloseOfTheLastWeek) {
    gSpecial = true;
    chart10(1);
    expectPoints(chart, kWeeks);
    EXPECT_EQ(fill.Trim(), 4);
    EXPECT_EQ(chart.editorTrim, 4);
    EXPECT_EQ(chart.data.columnNames[kSplitColumn], "Split");
}

TEST_F(ChartFillTest, TheRepairedCloseIsInTheDataTheChartReads) {
    // The chart type shown copies the chart's data as it reads them; a close written afterwards
    // would be missing from the copy that the other chart types are built from.
    gSpecial = true;
    chart10(1);
    ASSERT_EQ(chart.loaded.pointCount(), 6);
    EXPECT_EQ(chart.loaded.values[kCloseColumn][1], 13);  // the close of Tuesday 8 March
    EXPECT_EQ(chart.loaded.values[kCloseColumn][2], N);
}

TEST_F(ChartFillTest, RepairLeavesAWeekThatHasItsClose) {
    // Without empty days the last week ends on the last trading day and keeps its own close.
    chart10(1);
    ASSERT_EQ(chart.pointCount(), 2);
    EXPECT_EQ(at(kCloseColumn, 1), 13);
    EXPECT_EQ(fill.Trim(), 0);
}

TEST_F(ChartFillTest, RepairLeavesTheWeekAfterALastDayOnSaturday) {
    gSpecial = true;
    // A market that trades on Saturdays: the week of the last day ends on it and has its close; the
    // week after it holds only empty days and must stay without one.
    addDay(day(2005, 3, 12), kCompany, 13, 14.5, 13, 14, 500, 7000);
    chart10(1);
    ASSERT_EQ(chart.pointCount(), 7);
    EXPECT_EQ(chart.data.legends[1], "2005-03-10");
    EXPECT_EQ(at(kCloseColumn, 1), 14);
    EXPECT_EQ(at(kCloseColumn, 2), N);
    EXPECT_EQ(chart.data.legends[6], "2005-04-14");  // 11 April, the thirtieth empty day
    EXPECT_EQ(fill.Trim(), 5);
}

TEST_F(ChartFillTest, RepairTakesTheCompanysLastCloseWhenTheMarketTradedLater) {
    gSpecial = true;
    // The market's last day is now Thursday 10 March, on which the company has no row: its last week
    // ends on empty days all the same and takes the close of its own last day, Tuesday 8 March.
    addDay(day(2005, 3, 10), kGeneralIndex, 0, 0, 0, 1060, 0, 0);
    chart10(1);
    ASSERT_EQ(chart.pointCount(), 6);
    EXPECT_EQ(chart.data.legends[1], "2005-03-10");
    EXPECT_EQ(at(kCloseColumn, 1), 13);
    EXPECT_EQ(chart.loaded.values[kCloseColumn][1], 13);
    EXPECT_EQ(at(kCloseColumn, 2), N);
    EXPECT_EQ(fill.Trim(), 4);
}

TEST_F(ChartFillTest, MonthlyFillIsDatedOnThe15th) {
    gSpecial = true;
    addDay(day(2005, 2, 28), kCompany, 80, 90, 70, 84, 50, 4200);
    chart10(2, false);
    ASSERT_EQ(chart.pointCount(), 3);
    EXPECT_EQ(chart.data.legends[0], "15/2/2005");
    EXPECT_EQ(chart.data.legends[1], "15/3/2005");
    EXPECT_EQ(chart.data.legends[2], "15/4/2005");
    EXPECT_EQ(chart.xValueAt(1), 38426);  // 15 March 2005
    // March: lowest low, first open, highest high, summed shares, the close repaired from 8 March.
    EXPECT_EQ(at(kLowColumn, 1), 11);
    EXPECT_EQ(at(kOpenColumn, 1), 40);
    EXPECT_EQ(at(kHighColumn, 1), 46);
    EXPECT_EQ(at(kVolumeColumn, 1), 2400);
    EXPECT_EQ(at(kCloseColumn, 1), 13);
    EXPECT_EQ(at(kCloseColumn, 0), 84);
    EXPECT_EQ(at(kCloseColumn, 2), N);
    EXPECT_EQ(fill.Trim(), 1);
}

TEST_F(ChartFillTest, ChangingOnlyTheIntervalKeepsTheAdjustment) {
    chart10(0);
    // The company ID and the adjustment flag are not looked at when the work table is kept.
    fill.GetData(kSectorIndex, 8, false, 1, true, true, true, 0);
    ASSERT_EQ(chart.pointCount(), 2);
    EXPECT_EQ(at(kOpenColumn, 0), 10);
    EXPECT_EQ(at(kLowColumn, 0), 9.5);
    EXPECT_DOUBLE_EQ(at(kSplitColumn, 0), 11.55);
    EXPECT_NEAR(at(kSectorColumn, 0), 11.13, 1e-9);
}

TEST_F(ChartFillTest, AnUnknownCompanyChartsTheFallbackCompany) {
    addDay(day(2005, 3, 8), FallbackCompanyID, 5, 6, 4, 5.5, 10, 55);
    fill.GetData(999, 8, true, 0, true, true, false, 0);
    EXPECT_EQ(fill.CompanyID, 999);
    ASSERT_TRUE(fill.Company);
    EXPECT_EQ(fill.Company->ID, FallbackCompanyID);
    EXPECT_EQ(chart.companyId, "33");
    EXPECT_EQ(chart.title, "Fallback Trading");
    ASSERT_EQ(chart.pointCount(), 1);
    EXPECT_EQ(at(kCloseColumn, 0), 5.5);
    // Sector 3 is not in the collections: no sector legend, and no error.
    EXPECT_EQ(chart.legends.sector, "");
    EXPECT_EQ(chart.legends.general, "TASI text97");
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(ChartFillTest, NoCompanyAtAllEndsTheFillBeforeTheChart) {
    exec(R"(UPDATE "Company" SET "IsDELETED" = 1 WHERE "ID" = 33)");
    fill.GetData(999, 8, true, 0, true, true, false, 0);
    EXPECT_EQ(recordsOf("GetData"), 1);
    EXPECT_EQ(chart.companyId, "7");
    EXPECT_EQ(chart.drawings.size(), 1u);
    EXPECT_FALSE(chart.busy);
}

TEST_F(ChartFillTest, AFailurePartWayLeavesNoCompanyOnTheChart) {
    fill.DrawingText = "drawings of company 7";
    chart.failOn = "loadData";
    chart10(0);
    EXPECT_EQ(chart.companyId, "");
    EXPECT_EQ(fill.DrawingText, "");
    EXPECT_TRUE(chart.drawings.empty());
    EXPECT_EQ(recordsOf("GetData"), 1);
    EXPECT_NE(log().find("chart refused loadData"), std::string::npos);
    EXPECT_FALSE(chart.busy);
    EXPECT_EQ(chart.notesOf, -1);
}

TEST_F(ChartFillTest, AFailingChartTypeDoesNotEndTheFill) {
    chart.failOn = "showAnalyticalChart";
    chart10(0);
    EXPECT_FALSE(chart.analytical);
    EXPECT_EQ(chart.companyId, "10");
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(ChartFillTest, AnIndexShowsItsAmountByDayAsACloseLine) {
    fill.GetData(kSectorIndex, 8, true, 0, true, true, false, 0);
    ASSERT_EQ(chart.pointCount(), 5);
    EXPECT_EQ(at(kVolumeColumn, 0), 0);  // TotalAmount of the index rows
    EXPECT_EQ(chart.priceDisplay, 0);
    EXPECT_EQ(fill.PriceDisplay, 1);
    exec(R"(UPDATE "MARKETDAILY1" SET "TotalAmount" = 77, "TotalShares" = 5 WHERE "COMPANYID" = 20)");
    fill.GetData(kSectorIndex, 8, true, 0, true, true, false, 0);
    EXPECT_EQ(at(kVolumeColumn, 0), 77);
    fill.GetData(kSectorIndex, 8, true, 1, true, true, true, 0);
    EXPECT_EQ(at(kVolumeColumn, 0), 15);  // weeks sum the shares: 3 days of 5
}

TEST_F(ChartFillTest, ASplitWithoutAPositiveRatioIsSkippedAndLogged) {
    exec(R"(UPDATE "Split" SET "Ratio" = 0 WHERE "SPLITDATE" = '2005-03-03')");
    chart10(0);
    ASSERT_EQ(chart.pointCount(), 6);
    // Only the split of 7 March remains: every earlier row is divided by 2.
    EXPECT_EQ(at(kOpenColumn, 0), 20);
    EXPECT_EQ(at(kVolumeColumn, 0), 200);
    EXPECT_EQ(at(kOpenColumn, 2), 11);
    EXPECT_EQ(at(kSplitColumn, 2), N);
    EXPECT_DOUBLE_EQ(at(kSplitColumn, 4), 12.6);
    EXPECT_EQ(recordsOf("GetData"), 1);
    EXPECT_NE(log().find("Split of 2005-03-03 skipped: ratio 0 is not above zero"), std::string::npos);
    EXPECT_EQ(chart.companyId, "10");
}

TEST_F(ChartFillTest, ThePeriodLimitsTheRowsFromTheMarketsLastDay) {
    // One month before 8 March 2005 is 8 February: every row; year to date as well.
    fill.GetData(kCompany, 0, false, 0, true, true, false, 0);
    EXPECT_EQ(chart.pointCount(), 6);
    addDay(day(2005, 4, 8), kGeneralIndex, 0, 0, 0, 1100, 0, 0);  // the market's last day moves on
    fill.GetData(kCompany, 0, false, 0, true, true, false, 0);
    EXPECT_EQ(chart.pointCount(), 1);  // from 8 March
    EXPECT_EQ(chart.data.legends[0], "2005-03-08");
}

}  // namespace
}  // namespace tarnwick::chart::test
