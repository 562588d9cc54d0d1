// The work table step by step over the fixture market (ChartFillFixture.h).
#include <gtest/gtest.h>

#include "ChartFillFixture.h"
#include "appchart/fill/FillPeriod.h"
#include "appchart/fill/TempDataTable.h"
#include "appdata/MarketQueries.h"

namespace tarnwick::chart::test {
namespace {

class TempDataTableTest : public ChartFillTest {
protected:
    TempDataTable table{db()};
};

TEST_F(TempDataTableTest, LastDayOfTheMarket) {
    EXPECT_EQ(table.lastMarketDate(kMarket), day(2005, 3, 8));
    EnsureMarketDailyTable(db(), 4);
    EXPECT_EQ(table.lastMarketDate(4), std::nullopt);
}

TEST_F(TempDataTableTest, RebuildTakesTheCompanysRowsFromTheStart) {
    addDay(day(1978, 6, 1), kCompany, 1, 1, 1, 1, 1, 1);
    exec(R"(INSERT INTO "tempData" ("Date") VALUES ('1999-01-01'))");
    const db::Date last = day(2005, 3, 8);
    EXPECT_EQ(table.rebuild(kMarket, kCompany, kSector, PeriodStart(kPeriodAll, last)), 6);
    EXPECT_EQ(table.rebuild(kMarket, kCompany, kSector, PeriodStart(-1, last)), 7);
    EXPECT_EQ(table.rebuild(kMarket, kCompany, kSector, day(2005, 3, 4)), 3);
    EXPECT_EQ(count(R"(SELECT COUNT(*) FROM "tempData")"), 3);
    EXPECT_EQ(text(R"(SELECT MIN("Date") FROM "tempData")"), "2005-03-04");
}

TEST_F(TempDataTableTest, IndexClosesAndTheirScaling) {
    table.rebuild(kMarket, kCompany, kSector, day(2005, 1, 1));
    EXPECT_EQ(text(R"(SELECT "IndustryIndex" FROM "tempData" WHERE "Date" = '2005-03-02')"), "<NULL>");
    EXPECT_EQ(text(R"(SELECT "GeneralIndex" FROM "tempData" WHERE "Date" = '2005-03-02')"), "1010");
    table.addEmptyDays(day(2005, 3, 8));
    EXPECT_EQ(count(R"(SELECT COUNT(*) FROM "tempData" WHERE "CompanyID" IS NULL)"), 30);
    EXPECT_EQ(text(R"(SELECT MAX("Date") FROM "tempData")"), "2005-04-07");

    const IndexScaling scaling = table.scaleIndexes();
    ASSERT_TRUE(scaling.sector && scaling.general);
    EXPECT_DOUBLE_EQ(*scaling.sector, 42.0 / 100);
    EXPECT_DOUBLE_EQ(*scaling.general, 42.0 / 1000);
    const std::vector<TempDataRow> rows = table.rowsByDate();
    ASSERT_EQ(rows.size(), 36u);
    EXPECT_DOUBLE_EQ(*rows[0].industryIndex, 42);
    EXPECT_DOUBLE_EQ(*rows[5].generalIndex, 1050 * 0.042);
    EXPECT_FALSE(rows[35].closingPrice);
}

TEST_F(TempDataTableTest, OfSeveralSectorIndexesTheHighestNumberWinsWhereItHasARow) {
    addCompany(25, "BN2", "Second Banks Index", kSector, true);
    addDay(day(2005, 3, 4), 25, 0, 0, 0, 555, 0, 0);
    // An index of the same sector number in another market is not the company's sector index.
    exec(
        R"(INSERT INTO "Company" ("ID", "NAME", "MARKET_ID", "CATEGORY_ID", "IS_INDEX") VALUES (26, 'x', 2, 2, 1))");
    addDay(day(2005, 3, 1), 26, 0, 0, 0, 777, 0, 0);
    table.rebuild(kMarket, kCompany, kSector, day(2005, 1, 1));
    const std::vector<TempDataRow> rows = table.rowsByDate();
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(*rows[0].industryIndex, 100);
    EXPECT_EQ(*rows[3].industryIndex, 555);
    EXPECT_EQ(*rows[4].industryIndex, 108);
}

TEST_F(TempDataTableTest, ScalingWaitsForTheFirstDayBothIndexesAreKnown) {
    exec(R"(DELETE FROM "MARKETDAILY1" WHERE "COMPANYID" = 30 AND "DATE" < '2005-03-04')");
    table.rebuild(kMarket, kCompany, kSector, day(2005, 1, 1));
    const IndexScaling scaling = table.scaleIndexes();
    // 4 March: close 24, sector 106, general 1030.
    EXPECT_DOUBLE_EQ(*scaling.sector, 24.0 / 106);
    EXPECT_DOUBLE_EQ(*scaling.general, 24.0 / 1030);
}

TEST_F(TempDataTableTest, NoDayWithBothIndexesLeavesThemUnscaled) {
    exec(R"(DELETE FROM "MARKETDAILY1" WHERE "COMPANYID" = 20)");
    table.rebuild(kMarket, kCompany, kSector, day(2005, 1, 1));
    const IndexScaling scaling = table.scaleIndexes();
    EXPECT_FALSE(scaling.sector);
    EXPECT_FALSE(scaling.general);
    EXPECT_EQ(text(R"(SELECT "GeneralIndex" FROM "tempData" WHERE "Date" = '2005-03-08')"), "1050");
}

TEST_F(TempDataTableTest, SplitsAdjustFromTheStartOnly) {
    table.rebuild(kMarket, kCompany, kSector, day(2005, 1, 1));
    // Adjusting from 2 March leaves 1 March as stored.
    table.adjustForSplits(GetSplits(kCompany, day(2005, 3, 2), day(2005, 3, 8)), day(2005, 3, 2));
    const std::vector<TempDataRow> rows = table.rowsByDate();
    EXPECT_EQ(*rows[0].openingPrice, 40);
    EXPECT_EQ(*rows[1].openingPrice, 10.5);
    EXPECT_EQ(*rows[1].totalShares, 800);
    EXPECT_EQ(*rows[1].totalAmount, 8000);  // the amount is never adjusted
    EXPECT_EQ(*rows[2].split, 11 * 1.05);
    EXPECT_EQ(*rows[2].splitRatio, 2);
    EXPECT_EQ(table.closeOn(day(2005, 3, 2)), 11);
    EXPECT_EQ(table.closeOn(day(2005, 3, 5)), std::nullopt);
}

}  // namespace
}  // namespace tarnwick::chart::test
