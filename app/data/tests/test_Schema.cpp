#include <gtest/gtest.h>

#include "appdata/MarketDaily.h"
#include "appdata/Schema.h"
#include "db/Connection.h"
#include "db/Error.h"

using namespace tarnwick;
using namespace std::chrono;

namespace {

db::Connection marketDatabase() {
    db::Connection c = db::Connection::openInMemory();
    CreateMarketSchema(c);
    return c;
}

DailyRow dailyRow(db::Date date, std::int32_t company, double close) {
    DailyRow row;
    row.date = date;
    row.companyId = company;
    row.totalShares = 1000;
    row.totalAmount = 2500.5;
    row.openingPrice = close - 1;
    row.maxPrice = close + 1;
    row.minPrice = close - 2;
    row.closingPrice = close;
    return row;
}

std::int64_t countRows(db::Connection& c, const std::string& table) {
    return c.query("SELECT count(*) FROM \"" + table + "\"").int64(0);
}

}  // namespace

TEST(Schema, TablesAndColumnsKeepTheirNames) {
    db::Connection c = marketDatabase();
    struct Case {
        const char* table;
        const char* columns;
    };
    const Case cases[] = {
        {"Markets", "ID,NAME,ANAME,APREV,isDELETED,UpdateDataTag,UpdateNotesTag"},
        {"Company",
         "ID,TICKER,NAME,ANAME,MARKET_ID,CATEGORY_ID,DESCRIPTION,IS_INDEX,IsDELETED,DrawingInfo,"
         "AnnotationInfo"},
        {"Notes", "ID,NOTEDATE,COMPANYID,Text,AText,HasImage,isNew,isDELETED"},
        {"WatchListItem", "ORDER,COMPANYID,WatchListID"},
        {"Settings", "SettingName,VALUE,Description"},
        {"tempData",
         "Date,CompanyID,TotalShares,TotalAmount,OpeningPrice,MaxPrice,MinPrice,ClosingPrice,"
         "IndustryIndex,GeneralIndex,Split,SplitRatio"},
    };
    for (const Case& tc : cases) {
        db::RowSet rows = c.query("SELECT group_concat(name) FROM pragma_table_info(?)", {tc.table});
        EXPECT_EQ(rows.text(0), tc.columns) << tc.table;
    }
    for (const char* table :
         {"MARKETS", "CATEGORY", "company", "SPLIT", "NOTES", "WATCHLISTS", "TEMPLATES"}) {
        EXPECT_TRUE(c.tableExists(table)) << table;
    }
}

TEST(Schema, DailyRowsLandOnlyInTheirMarketsTable) {
    db::Connection c = marketDatabase();
    EnsureMarketDailyTable(c, 12);
    EnsureMarketDailyTable(c, 1);
    EXPECT_TRUE(InsertDailyRow(c, 12, dailyRow(db::Date{2005y, March, 9d}, 7, 10.5)));
    EXPECT_EQ(countRows(c, "MARKETDAILY12"), 1);
    EXPECT_EQ(countRows(c, "MARKETDAILY1"), 0);

    db::RowSet row = c.query("SELECT * FROM MARKETDAILY12");
    EXPECT_EQ(row.text("DATE"), "2005-03-09");
    EXPECT_EQ(row.int32("COMPANYID"), 7);
    EXPECT_DOUBLE_EQ(row.real("ClosingPrice"), 10.5);
    EXPECT_EQ(row.int32("isDELETED"), 0);
}

TEST(Schema, DailyRowsOfMarketsInTurnLandInTheirOwnTables) {
    db::Connection c = marketDatabase();
    EnsureMarketDailyTable(c, 12);
    EnsureMarketDailyTable(c, 1);
    const int markets[] = {12, 1, 1, 12, 1};
    for (int day = 0; day < 5; ++day) {
        EXPECT_TRUE(InsertDailyRow(c, markets[day],
                                   dailyRow(db::Date{2005y, March, std::chrono::day(day + 1)}, 7, day)));
    }
    EXPECT_EQ(countRows(c, "MARKETDAILY12"), 2);
    EXPECT_EQ(countRows(c, "MARKETDAILY1"), 3);
    EXPECT_EQ(c.query("SELECT SUM(ClosingPrice) FROM MARKETDAILY12").real(0), 3.0);
}

TEST(Schema, RepeatedDailyInsertChangesNothing) {
    db::Connection c = marketDatabase();
    EnsureMarketDailyTable(c, 12);
    ASSERT_TRUE(InsertDailyRow(c, 12, dailyRow(db::Date{2005y, March, 9d}, 7, 10.5)));
    EXPECT_FALSE(InsertDailyRow(c, 12, dailyRow(db::Date{2005y, March, 9d}, 7, 99.0)));
    EXPECT_EQ(countRows(c, "MARKETDAILY12"), 1);
    EXPECT_DOUBLE_EQ(c.query("SELECT ClosingPrice FROM MARKETDAILY12").real(0), 10.5);
    // Another day or another company is a new row.
    EXPECT_TRUE(InsertDailyRow(c, 12, dailyRow(db::Date{2005y, March, 10d}, 7, 11.0)));
    EXPECT_TRUE(InsertDailyRow(c, 12, dailyRow(db::Date{2005y, March, 9d}, 8, 11.0)));
}

TEST(Schema, DailyRowOfAMarketWithoutTableIsAnError) {
    db::Connection c = marketDatabase();
    EXPECT_THROW(InsertDailyRow(c, 4, dailyRow(db::Date{2005y, March, 9d}, 7, 1)), db::Error);
}

TEST(Schema, TextsWithQuotesAreStoredIntact) {
    db::Connection c = marketDatabase();
    const TableDef& company = MarketTable("Company");
    const std::string name = "Arab \"Potash\" Co.'s shares";
    const std::string arabic = "البنك \"العربي\"";
    c.execute(InsertSql(company),
              {17, "APOT", name, arabic, 1, 2, "it's \"fine\"", false, false, db::Null{}, db::Null{}});
    db::RowSet row = c.query("SELECT NAME, ANAME, DESCRIPTION, DrawingInfo FROM Company WHERE ID = ?", {17});
    EXPECT_EQ(row.text("NAME"), name);
    EXPECT_EQ(row.text("ANAME"), arabic);
    EXPECT_EQ(row.text("DESCRIPTION"), "it's \"fine\"");
    EXPECT_EQ(row.text("DrawingInfo"), std::nullopt);
    // Look-ups compare texts without regard to case.
    EXPECT_FALSE(c.query("SELECT 1 FROM Company WHERE TICKER = ?", {"apot"}).eof());
}

TEST(Schema, NumberingTakesTheGreatestPlusOne) {
    db::Connection c = marketDatabase();
    const TableDef& lists = MarketTable("WatchLists");
    EXPECT_EQ(NextNumber(c, lists, "ID"), 1);
    c.execute("INSERT INTO WatchLists (ID, NAME) VALUES (?, ?)", {NextNumber(c, lists, "ID"), "Banks"});
    c.execute("INSERT INTO WatchLists (ID, NAME) VALUES (?, ?)", {NextNumber(c, lists, "ID"), "Energy"});
    c.execute("DELETE FROM WatchLists WHERE ID = ?", {1});
    EXPECT_EQ(NextNumber(c, lists, "ID"), 3);  // the greatest number decides, not the count

    const TableDef& items = MarketTable("WatchListItem");
    EXPECT_EQ(NextNumber(c, items, "ORDER", "WatchListID", 2), 1);
    c.execute(InsertSql(items), {1, 10, 2});
    c.execute(InsertSql(items), {2, 11, 2});
    c.execute(InsertSql(items), {5, 12, 3});
    EXPECT_EQ(NextNumber(c, items, "ORDER", "WatchListID", 2), 3);
}

TEST(Schema, DeletionMarksAndKeys) {
    db::Connection c = marketDatabase();
    const TableDef& markets = MarketTable("Markets");
    c.execute(InsertSql(markets), {1, "Amman", "عمان", "ASE", false, "", ""});
    c.execute(InsertSql(markets), {2, "Old", "", "", true, "", ""});
    db::RowSet live = c.query("SELECT ID FROM Markets WHERE " + LiveRowsCondition(markets));
    EXPECT_EQ(live.recordCount(), 1);
    EXPECT_EQ(live.int32(0), 1);
    EXPECT_EQ(LiveRowsCondition(MarketTable("Templates")), "1");
    EXPECT_THROW(c.execute(InsertSql(markets), {1, "Again", "", "", false, "", ""}), db::Error);
    // Split rows are keyed by date and company.
    const TableDef& split = MarketTable("Split");
    c.execute(InsertSql(split), {db::Date{2005y, March, 9d}, 7, 2.0, false});
    EXPECT_TRUE([&] {
        try {
            c.execute(InsertSql(split), {db::Date{2005y, March, 9d}, 7, 3.0, false});
        } catch (const db::Error& e) {
            return e.isDuplicateKey();
        }
        return false;
    }());
}
