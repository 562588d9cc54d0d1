#include "MarketDbFixture.h"
#include "UpdateRecorder.h"
#include "appdata/ProcNames.h"
#include "appdata/update/BulkImport.h"
#include "appdata/update/StoreTally.h"
#include "db/Transaction.h"

using namespace tarnwick;

namespace {

constexpr const char* kDailyTable =
    "CREATE TABLE MarketDaily (Date TEXT, COMPANYID INTEGER, OpeningPrice REAL, MaxPrice REAL, MinPrice REAL,"
    " ClosingPrice REAL, TotalShares REAL, TotalAmount REAL, MarketID INTEGER, IsUPDATE INTEGER)";

// The market database holds market 1 with tags "d0"/"n0" and one daily row; each test writes a data
// file of its own.
class BulkImportTest : public MarketDbTest {
protected:
    void SetUp() override {
        MarketDbTest::SetUp();
        exec(R"(INSERT INTO Markets (ID, NAME, ANAME, APREV, isDELETED, UpdateDataTag, UpdateNotesTag)
                VALUES (1, 'First', '', 'F', 0, 'd0', 'n0'))");
        EnsureMarketDailyTable(db(), 1);
        exec("INSERT INTO MARKETDAILY1 VALUES ('2020-01-05', 7, 1, 1, 1, 1, 1, 1, 0)");
    }

    // A data file with the fixed tables; `dailyTable` empty leaves MarketDaily out.
    db::Connection dataFile(const std::string& dailyTable = kDailyTable) {
        db::Connection file = db::Connection::createNew(filePath());
        file.executeScript(
            "CREATE TABLE Markets (ID INTEGER, AName TEXT, Name TEXT, Aprev TEXT, UpdateDataTag TEXT,"
            " UpdateNotesTag TEXT, isDeleted INTEGER);"
            "CREATE TABLE Category (ID INTEGER, AName TEXT, Name TEXT, Aprev TEXT, isDeleted INTEGER);"
            "CREATE TABLE Split (companyID INTEGER, SplitDate TEXT, Ratio REAL, isDeleted INTEGER);"
            "CREATE TABLE Company (ID INTEGER, AName TEXT, Name TEXT, Category_ID INTEGER, Ticker TEXT,"
            " MARKET_ID INTEGER, IS_INDEX INTEGER, IsDeleted INTEGER, Description TEXT)");
        if (!dailyTable.empty()) {
            file.execute(dailyTable);
        }
        return file;
    }
    static void fillReferenceTables(db::Connection& file) {
        file.executeScript(
            "INSERT INTO Markets VALUES (1, NULL, 'First', '', 'd7', 'n7', 0);"
            "INSERT INTO Markets VALUES (2, 'Second A', 'Second', 'S', NULL, '', 0);"
            "INSERT INTO Category VALUES (3, 'Banks A', 'Banks', NULL, 1);"
            "INSERT INTO Split VALUES (7, '2020-01-06', 2.0, 0);"
            "INSERT INTO Company VALUES (7, 'Seven A', 'Seven \"Q\"', 3, 'SVN', 1, 0, 0, 'ignored')");
    }
    std::filesystem::path filePath() const { return home / "data.mqd"; }

    ImportOutcome import() { return BulkImport(recorder.hooks()).GetDataFromFile(filePath()); }
    static std::string tags(int market) {
        return text(
            "SELECT ifnull(UpdateDataTag, 'NULL') || '/' || ifnull(UpdateNotesTag, 'NULL') FROM Markets "
            "WHERE ID = " +
            std::to_string(market));
    }

    ImportRecorder recorder;
};

}  // namespace

TEST_F(BulkImportTest, ImportsEveryTableThroughTheRecordClasses) {
    {
        db::Connection file = dataFile();
        fillReferenceTables(file);
        file.executeScript(
            "INSERT INTO MarketDaily VALUES ('2020-01-06', 7, 10, 11, 9, 10.5, 100, 1000, 1, NULL);"
            "INSERT INTO MarketDaily VALUES ('2020-01-07', 7, 10, 11, 9, 10.5, 100, 1000, 1, 0);"
            "INSERT INTO MarketDaily VALUES ('2020-01-05', 7, 2, 2, 2, 42, 2, 2, 1, 1);"
            "INSERT INTO MarketDaily VALUES ('2020-01-06', 8, 5, 5, 5, 5, 5, 5, 2, 0)");
    }
    EXPECT_EQ(import(), ImportOutcome::Imported);
    EXPECT_EQ(logRecords(), 0) << log();
    EXPECT_EQ(recorder.statuses, (std::vector<std::int32_t>{langrow::kUpdatingData, langrow::kImportDone}));
    EXPECT_EQ(recorder.okStates, std::vector<bool>{true});
    EXPECT_EQ(recorder.maxima, (std::vector<std::int64_t>{2, 1, 1, 1, 4}));
    EXPECT_EQ(recorder.lastValue, 4);

    // A NULL Arabic name and NULL tags become empty texts; the file's tags become the markets' tags.
    EXPECT_EQ(text("SELECT ANAME FROM Markets WHERE ID = 1"), "");
    EXPECT_EQ(tags(1), "d7/n7");
    EXPECT_EQ(tags(2), "/");
    EXPECT_EQ(text("SELECT APREV || '/' || isDELETED FROM Category WHERE ID = 3"), "/1");
    EXPECT_EQ(text("SELECT Ratio FROM Split WHERE COMPANYID = 7"), "2");
    // Texts are values, never SQL: a double quote in a name is stored as it stands.
    EXPECT_EQ(text("SELECT NAME || '/' || TICKER || '/' || DESCRIPTION FROM Company WHERE ID = 7"),
              "Seven \"Q\"/SVN/");
    // NULL and 0 in IsUPDATE insert; 1 replaces the existing row.
    EXPECT_EQ(count("SELECT COUNT(*) FROM MARKETDAILY1"), 3);
    EXPECT_EQ(text("SELECT ClosingPrice FROM MARKETDAILY1 WHERE DATE = '2020-01-05'"), "42");
    EXPECT_EQ(count("SELECT COUNT(*) FROM MARKETDAILY2"), 1);
}

TEST_F(BulkImportTest, MissingDailyTableKeepsStoredRowsAndTheOldTags) {
    {
        db::Connection file = dataFile("");
        fillReferenceTables(file);
    }
    EXPECT_EQ(import(), ImportOutcome::Failed);
    EXPECT_EQ(recorder.statuses.back(), langrow::kImportInvalidData);
    EXPECT_EQ(recorder.okStates, std::vector<bool>{true});
    EXPECT_EQ(logRecords(), 1);
    EXPECT_TRUE(logged(procname::kGetDataFromFile));
    // Markets, sectors, splits and companies came before the failure and stay.
    EXPECT_EQ(count("SELECT COUNT(*) FROM Markets"), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Company"), 1);
    EXPECT_EQ(tags(1), "d0/n0");
    EXPECT_EQ(tags(2), "NULL/NULL");
}

TEST_F(BulkImportTest, NullOrMissingRequiredColumnsEndTheImport) {
    struct Case {
        const char* name;
        const char* script;
        std::int64_t companies;
    };
    const Case cases[] = {
        {"NULL market name", "UPDATE Markets SET Name = NULL WHERE ID = 2", 0},
        {"NULL company ticker", "UPDATE Company SET Ticker = NULL", 0},
        {"NULL daily price", "INSERT INTO MarketDaily VALUES ('2020-01-08', 7, NULL, 1, 1, 1, 1, 1, 1, 0)",
         1},
        {"missing column", "ALTER TABLE Company DROP COLUMN Ticker", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(filePath());
        exec("DELETE FROM Company");
        {
            db::Connection file = dataFile();
            fillReferenceTables(file);
            file.executeScript(c.script);
        }
        EXPECT_EQ(import(), ImportOutcome::Failed);
        EXPECT_EQ(count("SELECT COUNT(*) FROM Company"), c.companies);
        EXPECT_EQ(tags(1), "d0/n0");
    }
}

// A data file holds tables only: with a view (here one that would count for ever), a trigger or a
// virtual table in it the file is refused before anything of it is stored, and the refusal is logged.
TEST_F(BulkImportTest, FileWithAViewATriggerOrAVirtualTableIsRefusedWhole) {
    struct Case {
        const char* name;
        std::string dailyTable;
        const char* script;
        const char* logged;
    };
    const Case cases[] = {
        {"endless view",
         "CREATE VIEW MarketDaily AS WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) "
         "SELECT '2020-01-06' AS Date, 7 AS COMPANYID, x AS OpeningPrice, x AS MaxPrice, x AS MinPrice, "
         "x AS ClosingPrice, x AS TotalShares, x AS TotalAmount, 1 AS MarketID, 0 AS IsUPDATE FROM n",
         "", "view \"MarketDaily\""},
        {"trigger", kDailyTable, "CREATE TRIGGER t AFTER INSERT ON Split BEGIN DELETE FROM Company; END",
         "trigger \"t\""},
        {"virtual table", kDailyTable, "CREATE VIRTUAL TABLE words USING fts5(text)", "\"words"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(filePath());
        {
            db::Connection file = dataFile(c.dailyTable);
            fillReferenceTables(file);
            if (*c.script != '\0') {
                file.executeScript(c.script);
            }
        }
        EXPECT_EQ(import(), ImportOutcome::Failed);
        EXPECT_EQ(recorder.statuses.back(), langrow::kImportInvalidData);
        EXPECT_EQ(count("SELECT COUNT(*) FROM Markets"), 1);
        EXPECT_EQ(count("SELECT COUNT(*) FROM Company"), 0);
        EXPECT_EQ(tags(1), "d0/n0");
        EXPECT_NE(log().find(c.logged), std::string::npos) << log();
    }
    EXPECT_EQ(recordsOf(procname::kGetDataFromFile), 3);
}

TEST_F(BulkImportTest, EmptyMarketsTableLeavesTheMaximumAlone) {
    {
        db::Connection file = dataFile();
        file.execute("INSERT INTO Company VALUES (9, 'N A', 'N', 3, 'N', 1, 0, 0, NULL)");
    }
    EXPECT_EQ(import(), ImportOutcome::Imported);
    EXPECT_EQ(recorder.maxima, std::vector<std::int64_t>{1});
    EXPECT_EQ(count("SELECT COUNT(*) FROM Company"), 1);
}

TEST_F(BulkImportTest, RefusesAFileThatIsNoDatabaseNoFileAndASecondImport) {
    writeFile(filePath(), "not a database at all, just text");
    EXPECT_EQ(import(), ImportOutcome::Failed);
    EXPECT_TRUE(logged(procname::kGetDataFromFile));
    EXPECT_EQ(recorder.statuses.back(), langrow::kImportInvalidData);

    ImportRecorder quiet;
    EXPECT_EQ(BulkImport(quiet.hooks()).GetDataFromFile({}), ImportOutcome::NotRun);
    EXPECT_TRUE(quiet.statuses.empty());

    // A second call while the first runs (from the message loop the import yields to) does nothing.
    std::filesystem::remove(filePath());
    {
        db::Connection file = dataFile();
        fillReferenceTables(file);
    }
    ImportHooks hooks;
    BulkImport* running = nullptr;
    ImportOutcome nested = ImportOutcome::Imported;
    hooks.setProgressValue = [&](std::int64_t) {
        if (running != nullptr && running->isImporting()) {
            nested = running->GetDataFromFile(filePath());
        }
    };
    BulkImport importer(hooks);
    running = &importer;
    EXPECT_EQ(importer.GetDataFromFile(filePath()), ImportOutcome::Imported);
    EXPECT_EQ(nested, ImportOutcome::NotRun);
    EXPECT_FALSE(importer.isImporting());
}

namespace {

// A file of two markets with `days` daily rows each, for companies 7 (market 1) and 8 (market 2).
void fillDays(db::Connection& file, int days) {
    db::Transaction tx(file);
    for (int d = 0; d < days; ++d) {
        const db::Date date = std::chrono::sys_days(std::chrono::year_month_day{
                                  std::chrono::year(2001), std::chrono::January, std::chrono::day(1)}) +
                              std::chrono::days(d);
        file.execute("INSERT INTO MarketDaily VALUES (?, 7, 1, 2, 0.5, 1.5, 100, 150, 1, 0)", {date});
        file.execute("INSERT INTO MarketDaily VALUES (?, 8, 1, 2, 0.5, 1.5, 100, 150, 2, 0)", {date});
    }
    tx.commit();
}

}  // namespace

TEST_F(BulkImportTest, FullDiskLeavesTheTagsAndTellsTheUserAndARerunStoresEverything) {
    {
        db::Connection file = dataFile();
        fillReferenceTables(file);
        fillDays(file, 3000);
    }
    const std::int64_t pages = count("PRAGMA page_count");
    db().query("PRAGMA max_page_count=" + std::to_string(pages + 40));

    EXPECT_EQ(import(), ImportOutcome::Failed);
    EXPECT_EQ(tags(1), "d0/n0");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Markets"), 1);  // market 2 went with the rest
    EXPECT_EQ(count("SELECT COUNT(*) FROM MARKETDAILY1"), 1);
    ASSERT_EQ(recorder.told.size(), 1u);
    EXPECT_EQ(recorder.told[0], std::make_pair(langrow::kImportNothingStored, std::int64_t{0}));
    EXPECT_EQ(recorder.statuses.back(), langrow::kImportInvalidData);
    EXPECT_EQ(recorder.okStates, std::vector<bool>{true});
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(text("PRAGMA integrity_check"), "ok");
    EXPECT_TRUE(logged(procname::kGetDataFromFile));

    db().query("PRAGMA max_page_count=1073741823");
    ImportRecorder again;
    EXPECT_EQ(BulkImport(again.hooks()).GetDataFromFile(filePath()), ImportOutcome::Imported);
    EXPECT_TRUE(again.told.empty());
    EXPECT_EQ(count("SELECT COUNT(*) FROM MARKETDAILY1"), 3001);
    EXPECT_EQ(count("SELECT COUNT(*) FROM MARKETDAILY2"), 3000);
    EXPECT_EQ(tags(1), "d7/n7");
    EXPECT_EQ(tags(2), "/");
}

TEST_F(BulkImportTest, ARowThatIsNotStoredHoldsBackTheTagsOfItsMarket) {
    {
        db::Connection file = dataFile();
        fillReferenceTables(file);
        fillDays(file, 3);
        // Market 3 has no daily table: "no such table: MARKETDAILY3".
        file.execute("INSERT INTO MarketDaily VALUES ('2001-01-01', 9, 1, 1, 1, 1, 1, 1, 3, 0)");
        file.execute("INSERT INTO Markets VALUES (4, NULL, 'Fourth', '', 'd4', 'n4', 0)");
    }
    // One day of market 1 cannot be stored.
    exec(
        "CREATE TRIGGER refuse_day BEFORE INSERT ON MARKETDAILY1 WHEN NEW.DATE = '2001-01-02' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");

    EXPECT_EQ(import(), ImportOutcome::Incomplete);
    EXPECT_EQ(tags(1), "d0/n0");  // one of its rows is missing
    EXPECT_EQ(tags(2), "/");      // all of its rows are here: the file's (empty) tags
    EXPECT_EQ(tags(4), "d4/n4");
    EXPECT_EQ(count("SELECT COUNT(*) FROM MARKETDAILY1"), 3);  // the old row and two of three days
    EXPECT_EQ(count("SELECT COUNT(*) FROM MARKETDAILY2"), 3);
    ASSERT_EQ(recorder.told.size(), 1u);
    EXPECT_EQ(recorder.told[0], std::make_pair(langrow::kImportRowsNotStored, std::int64_t{2}));
    EXPECT_EQ(recorder.statuses.back(), langrow::kImportInvalidData);
    EXPECT_EQ(recordsOf(procname::kClsDailyDataInsertDB), 2);
    EXPECT_NE(log().find("no such table: MARKETDAILY3"), std::string::npos);
}

// A single row that cannot be stored, the file's last, still makes the import incomplete and is
// reported as one row, logged once; the other rows and the other market's tags are stored.
TEST_F(BulkImportTest, OneRowThatIsNotStoredIsReportedAsOneRow) {
    {
        db::Connection file = dataFile();
        fillReferenceTables(file);
        fillDays(file, 2);
        file.execute("INSERT INTO MarketDaily VALUES ('2001-02-01', 7, 1, 2, 0.5, 1.5, 100, 150, 1, 0)");
    }
    exec(
        "CREATE TRIGGER refuse_last BEFORE INSERT ON MARKETDAILY1 WHEN NEW.DATE = '2001-02-01' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");

    EXPECT_EQ(import(), ImportOutcome::Incomplete);
    ASSERT_EQ(recorder.told.size(), 1u);
    EXPECT_EQ(recorder.told[0], std::make_pair(langrow::kImportRowsNotStored, std::int64_t{1}));
    EXPECT_EQ(recorder.statuses.back(), langrow::kImportInvalidData);
    EXPECT_EQ(recorder.okStates, std::vector<bool>{true});
    EXPECT_EQ(recordsOf(procname::kClsDailyDataInsertDB), 1);
    EXPECT_EQ(logRecords(), 1);
    EXPECT_NE(log().find("refused"), std::string::npos);
    EXPECT_EQ(tags(1), "d0/n0");
    EXPECT_EQ(tags(2), "/");
    EXPECT_EQ(count("SELECT COUNT(*) FROM MARKETDAILY1"), 3);  // the old row and both days
    EXPECT_EQ(count("SELECT COUNT(*) FROM MARKETDAILY2"), 2);
}

// The tally's rule at its smallest: one failed row of a market holds back that market alone; one
// failed row of no market holds back every market.
TEST(StoreTally, OneFailureIsCountedAndHoldsBackItsMarket) {
    StoreTally tally;
    tally.record(true, 1);
    tally.record(true);
    EXPECT_EQ(tally.failures(), 0);
    EXPECT_TRUE(tally.complete(1));
    tally.record(false, 1);
    EXPECT_EQ(tally.failures(), 1);
    EXPECT_EQ(tally.stored(), 2);
    EXPECT_FALSE(tally.complete(1));
    EXPECT_TRUE(tally.complete(2));
    StoreTally anyMarket;
    anyMarket.record(false);
    EXPECT_EQ(anyMarket.failures(), 1);
    EXPECT_FALSE(anyMarket.complete(1));
    EXPECT_FALSE(anyMarket.complete(2));
}
