// Reading work-table rows into chart points: aggregation of weeks and months with empty cells, the
// legends, and the text of chart values.
#include <gtest/gtest.h>

#include "NoValue.h"
#include "appchart/fill/ChartReading.h"
#include "appchart/fill/FillPeriod.h"
#include "locale/LocaleRegistry.h"

namespace tarnwick::chart {
namespace {

TempDataRow row(const char* date, std::optional<double> open, std::optional<double> close,
                std::optional<double> shares = std::nullopt) {
    TempDataRow r;
    r.date = *db::parseIsoDate(date);
    r.openingPrice = open;
    r.closingPrice = close;
    r.minPrice = close;
    r.maxPrice = open;
    r.totalShares = shares;
    return r;
}

TEST(ChartReading, FirstAndLastTakeTheRowsCellEvenWhenEmpty) {
    // First open is empty although later rows have one; last close is empty on an empty day.
    const TempDataRow rows[] = {row("2008-03-03", std::nullopt, 5, 10), row("2008-03-04", 7, 6),
                                row("2008-03-05", 8, std::nullopt)};
    ChartReading reading;
    reading.interval = ChartInterval::Weekly;
    reading.dayLegend = [](db::Date d) { return "week of " + db::formatIsoDate(d); };
    const ChartDataSet data = reading.read(rows);
    ASSERT_EQ(data.pointCount(), 1);
    EXPECT_EQ(data.values[kOpenColumn][0], test::N);
    EXPECT_EQ(data.values[kCloseColumn][0], test::N);
    EXPECT_EQ(data.values[kLowColumn][0], 5);  // empty lows left out
    EXPECT_EQ(data.values[kHighColumn][0], 8);
    EXPECT_EQ(data.values[kVolumeColumn][0], 10);
    EXPECT_EQ(data.values[kSplitColumn][0], test::N);  // no marker in the week
    EXPECT_EQ(data.legends[0], "week of 2008-03-06");
    EXPECT_EQ(data.xValues[0], OleDay(*db::parseIsoDate("2008-03-06")));
}

TEST(ChartReading, MonthsAreGroupedByYearAndMonth) {
    const TempDataRow rows[] = {row("2004-12-31", 1, 2, 3), row("2005-01-01", 4, 5, 6),
                                row("2005-01-31", 7, 8, 9), row("2005-12-01", 10, 11, 12)};
    ChartReading reading;
    reading.interval = ChartInterval::Monthly;
    const ChartDataSet data = reading.read(rows);
    ASSERT_EQ(data.pointCount(), 3);
    EXPECT_EQ(data.legends[0], "15/12/2004");
    EXPECT_EQ(data.legends[1], "15/1/2005");
    EXPECT_EQ(data.legends[2], "15/12/2005");
    EXPECT_EQ(data.values[kOpenColumn][1], 4);
    EXPECT_EQ(data.values[kCloseColumn][1], 8);
    EXPECT_EQ(data.values[kVolumeColumn][1], 15);
}

TEST(ChartReading, DailyVolumeIsTheAmountForAnIndex) {
    TempDataRow r = row("2008-03-03", 1, 2, 300);
    r.totalAmount = 4500;
    const TempDataRow rows[] = {r};
    ChartReading reading;
    reading.dayLegend = [](db::Date) { return std::string("d"); };
    EXPECT_EQ(reading.read(rows).values[kVolumeColumn][0], 300);
    reading.amountAsVolume = true;
    const ChartDataSet data = reading.read(rows);
    EXPECT_EQ(data.values[kVolumeColumn][0], 4500);
    EXPECT_EQ(data.columnNames[kSplitColumn], "Divident");
    EXPECT_EQ(data.columnNames[kXValueColumn], "Date");
    EXPECT_EQ(data.columnNames[kLegendColumn], "Legend");
}

TEST(ChartReading, DayLegendsAreTheUsersShortDate) {
    loc::LocaleInfo info = loc::LocaleRegistry::userDefault();
    info.shortDate = "dd/MM/yyyy";
    loc::LocaleRegistry::setUserDefault(info);
    EXPECT_EQ(ShortDateLegend(*db::parseIsoDate("2005-03-08")), "08/03/2005");
    info.shortDate = "M/d/yyyy";
    loc::LocaleRegistry::setUserDefault(info);
    const TempDataRow rows[] = {row("2005-03-08", 1, 2)};
    EXPECT_EQ(ChartReading{}.read(rows).legends[0], "3/8/2005");
    loc::LocaleRegistry::reset();
}

TEST(ChartReading, SumsOfTenBillionSharesAndMoreAreKeptWhole) {
    // 6e9 + 5e9 + 1e9 in one week: the running sum passes 1e10 at the second day.
    const TempDataRow rows[] = {row("2008-03-03", 1, 2, 6e9), row("2008-03-04", 1, 2, 5e9),
                                row("2008-03-05", 1, 2, 1e9), row("2008-03-10", 1, 2, 2e10),
                                row("2008-03-11", 1, 2, 3e10)};
    ChartReading reading;
    reading.interval = ChartInterval::Weekly;
    reading.dayLegend = [](db::Date d) { return db::formatIsoDate(d); };
    ChartDataSet data = reading.read(rows);
    ASSERT_EQ(data.pointCount(), 2);
    EXPECT_EQ(data.values[kVolumeColumn][0], 12000000000.0);
    EXPECT_EQ(data.values[kVolumeColumn][1], 50000000000.0);
    reading.interval = ChartInterval::Monthly;
    data = reading.read(rows);
    ASSERT_EQ(data.pointCount(), 1);
    EXPECT_EQ(data.values[kVolumeColumn][0], 62000000000.0);
}

TEST(ChartReading, LowsAndHighsOfTenBillionAndMoreAreComparedLikeAnyOther) {
    // An index quoted in amounts: lows and highs far above 1e10.
    TempDataRow a = row("2008-03-03", 1, 2);
    a.minPrice = 2e10;
    a.maxPrice = 3e10;
    a.splitRatio = 4e10;
    TempDataRow b = row("2008-03-04", 1, 2);
    b.minPrice = 3e10;
    b.maxPrice = 2.5e10;
    b.splitRatio = 1.5e10;
    TempDataRow c = row("2008-03-05", 1, 2);
    c.minPrice = 2.5e10;
    c.maxPrice = 1.5e10;
    const TempDataRow rows[] = {a, b, c};
    ChartReading reading;
    reading.interval = ChartInterval::Weekly;
    reading.dayLegend = [](db::Date d) { return db::formatIsoDate(d); };
    const ChartDataSet data = reading.read(rows);
    ASSERT_EQ(data.pointCount(), 1);
    EXPECT_EQ(data.values[kLowColumn][0], 2e10);
    EXPECT_EQ(data.values[kHighColumn][0], 3e10);
    EXPECT_EQ(data.values[kRatioColumn][0], 4e10);
}

TEST(ChartReading, ChartValueTextLeavesOnlyTheEmptyMarkEmpty) {
    EXPECT_EQ(ChartValueText(1e308), "");
    EXPECT_EQ(ChartValueText(std::numeric_limits<double>::quiet_NaN()), "");
    // Volumes, not marks, in the shortest form that reads back.
    EXPECT_EQ(ChartValueText(1e10), "1e+10");
    EXPECT_EQ(ChartValueText(2.5e10), "2.5e+10");
    EXPECT_EQ(ChartValueText(12345678901.5), "12345678901.5");
    EXPECT_EQ(ChartValueText(9999999999.5), "9999999999.5");
    EXPECT_EQ(ChartValueText(11.55), "11.55");
    EXPECT_EQ(ChartValueText(-3), "-3");
    EXPECT_TRUE(IsNoValueMark(1e308));
    EXPECT_FALSE(IsNoValueMark(1e10));
    EXPECT_FALSE(IsNoValueMark(9.9e307));
    // The custom studies still take 1e10 and more as missing.
    EXPECT_TRUE(IsChartValue(9.9e9));
    EXPECT_FALSE(IsChartValue(1e10));
}

}  // namespace
}  // namespace tarnwick::chart
