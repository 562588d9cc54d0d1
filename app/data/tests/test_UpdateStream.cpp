#include <algorithm>
#include <initializer_list>

#include "MarketDbFixture.h"
#include "UpdateRecorder.h"
#include "appdata/MarketCollections.h"
#include "appdata/MarketQueries.h"
#include "appdata/ProcNames.h"
#include "appdata/update/CheckFileValidty.h"
#include "appdata/update/SingleStatement.h"
#include "appdata/update/UpdateStreamProcessor.h"

using namespace tarnwick;

namespace {

// Market 1 is known (stored and in gMarkets) with data tag "d0" and notes tag "n0".
class UpdateStream : public MarketDbTest {
protected:
    void SetUp() override {
        MarketDbTest::SetUp();
        exec(R"(INSERT INTO Markets (ID, NAME, ANAME, APREV, isDELETED, UpdateDataTag, UpdateNotesTag)
                VALUES (1, 'First', '', 'F', 0, 'd0', 'n0'))");
        EnsureMarketDailyTable(db(), 1);
        clsMarket market;
        market.ID = 1;
        market.UpdateDataTag = "d0";
        market.UpdateNotesTag = "n0";
        gMarkets.add(market, RecordKey(1));
    }

    ProcessOutcome process(std::initializer_list<std::string_view> lines, bool noNewData = false) {
        std::string text;
        for (std::string_view line : lines) {
            text += std::string(line) + "\r\n";
        }
        writeFile(streamFile(), text);
        return UpdateStreamProcessor(streamFile(), recorder.hooks()).ProcessData(noNewData);
    }
    std::filesystem::path streamFile() const { return home / "Socket.Log"; }

    static std::int64_t dailyRows() { return count("SELECT COUNT(*) FROM MARKETDAILY1"); }
    static std::string tags() {
        return text("SELECT UpdateDataTag || '/' || UpdateNotesTag FROM Markets WHERE ID = 1");
    }

    UpdateRecorder recorder;
};

constexpr const char* kDay1 = "2020-1-5|7|100|1000|10|11|9|10.5|NO|1";
constexpr const char* kDay2 = "2020-1-6|7|200|2000|10.5|12|10|11.5|NO|1";

}  // namespace

TEST_F(UpdateStream, ExitAloneStoresNothingAndAppliesNothing) {
    EXPECT_EQ(process({"EXIT"}), ProcessOutcome::NoNewData);
    EXPECT_EQ(recorder.effects(), 0);
    EXPECT_EQ(recorder.statuses, (std::vector<std::int32_t>{langrow::kProcessingData, langrow::kNoNewData}));
    EXPECT_EQ(recorder.successes, 1);
    EXPECT_EQ(recorder.failures, 0);
    EXPECT_EQ(recorder.finishes, 1);
    EXPECT_EQ(recorder.cancelStates, std::vector<bool>{false});
    EXPECT_EQ(tags(), "d0/n0");
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(UpdateStream, ListsWithoutAStoredRecordAreDropped) {
    EXPECT_EQ(
        process({"TIME", "MARKET|1|d9", "NOTES|1|n9", "END", "MESSAGE", "hello", "END", "SQL",
                 "INSERT INTO WatchLists (ID, NAME) VALUES (5, 'x')", "END", "COMMAND",
                 "https://example.com/", "END", "DAILY", "marker", "no record here", "UPDATE", "END", "EXIT"},
                true),
        ProcessOutcome::NoNewData);
    EXPECT_EQ(recorder.effects(), 0);
    EXPECT_EQ(tags(), "d0/n0");
    EXPECT_EQ(gMarkets.item("ID_1").UpdateDataTag, "d0");
    EXPECT_EQ(count("SELECT COUNT(*) FROM WatchLists"), 0);
    // The server said nothing new is waiting: "Processing data..." is not shown.
    EXPECT_EQ(recorder.statuses, std::vector<std::int32_t>{langrow::kNoNewData});
}

TEST_F(UpdateStream, ListsAreAppliedInOrderAfterAStoredRecord) {
    EXPECT_EQ(process({"MESSAGE",
                       "a\xD8\x8C"
                       "b",
                       "END", "COMMAND", "https://example.com/a?b=1", "END", "SQL",
                       "INSERT INTO WatchLists (ID, NAME) VALUES (5, 'x');", "END", "TIME", "market|1|d1",
                       "Notes|1|n1", "END", "SPLIT", "2020-1-5|7|2|NO", "END", "EXIT"}),
              ProcessOutcome::Updated);
    EXPECT_EQ(tags(), "d1/n1");
    EXPECT_EQ(recorder.urls, std::vector<std::string>{"https://example.com/a?b=1"});
    // The message passes through the Arabic letter conversion: a pair outside its table is a blank.
    EXPECT_EQ(recorder.messages, std::vector<std::string>{"a b"});
    EXPECT_EQ(text("SELECT NAME FROM WatchLists WHERE ID = 5"), "x");
    EXPECT_EQ(recorder.statuses.back(), langrow::kDataUpdated);
    EXPECT_EQ(recorder.recharts, 1);
    EXPECT_EQ(recorder.finishes, 1);
    EXPECT_EQ(recorder.progress.back(), 1.0);
    EXPECT_TRUE(std::ranges::is_sorted(recorder.progress));
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(UpdateStream, DailyMarkerLineIsNeverParsed) {
    EXPECT_EQ(process({"DAILY", kDay1, "UPDATE", "END", "EXIT"}), ProcessOutcome::NoNewData);
    EXPECT_EQ(dailyRows(), 0);
}

TEST_F(UpdateStream, DailyRowsBeforeUpdateAreInsertedAndAfterItChanged) {
    exec("INSERT INTO MARKETDAILY1 VALUES ('2019-12-31', 7, 1, 1, 1, 1, 1, 1, 0)");
    EXPECT_EQ(process({"DAILY", "marker", kDay1, kDay2, "UPDATE", "2020-1-5|7|100|1000|10|11|9|99|NO|1",
                       "2019-12-31|7|0|0|0|0|0|0|YES|1", "END", "EXIT"}),
              ProcessOutcome::Updated);
    EXPECT_EQ(dailyRows(), 2);
    EXPECT_EQ(text("SELECT ClosingPrice FROM MARKETDAILY1 WHERE DATE = '2020-01-05'"), "99");
    EXPECT_EQ(text("SELECT ClosingPrice FROM MARKETDAILY1 WHERE DATE = '2020-01-06'"), "11.5");
}

TEST_F(UpdateStream, KeywordsAreExactAndOtherLinesSkipped) {
    // "daily" in lower case is an ordinary line, so its rows are top-level lines and skipped; an
    // empty line and a record line without "|" inside a section are skipped too.
    EXPECT_EQ(process({"", "daily", "marker", kDay1, "UPDATE", "END", "DAILY", "marker", "no fields", kDay2,
                       "UPDATE", "END", "EXIT", "DAILY"}),
              ProcessOutcome::Updated);
    EXPECT_EQ(dailyRows(), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM MARKETDAILY1 WHERE DATE = '2020-01-06'"), 1);
}

TEST_F(UpdateStream, LastOfTwoTagRecordsWinsInCollectionAndDatabase) {
    EXPECT_EQ(
        process({"SPLIT", "2020-1-5|7|2|NO", "END", "TIME", "MARKET|1|d1", "MARKET|1|d2", "END", "EXIT"}),
        ProcessOutcome::Updated);
    EXPECT_EQ(gMarkets.item("ID_1").UpdateDataTag, "d2");
    EXPECT_EQ(tags(), "d2/n0");
}

TEST_F(UpdateStream, UnusableTagRecordsAreLoggedAndTheRestApplied) {
    EXPECT_EQ(process({"SPLIT", "2020-1-5|7|2|NO", "END", "TIME", "MARKET|99|x", "MARKET|1", "NOTES|1|n5",
                       "END", "EXIT"}),
              ProcessOutcome::Updated);
    EXPECT_EQ(tags(), "d0/n5");
    EXPECT_EQ(logRecords(), 2);
    EXPECT_TRUE(logged(procname::kProcessData));
    EXPECT_EQ(recorder.recharts, 1);
}

TEST_F(UpdateStream, MarketStoredByTheStreamGetsItsTagsBeforeTheCollectionsKnowIt) {
    EXPECT_EQ(process({"MARKET", "2|Second|||NO", "END", "TIME", "MARKET|2|t2", "END", "EXIT"}),
              ProcessOutcome::Updated);
    EXPECT_EQ(text("SELECT UpdateDataTag FROM Markets WHERE ID = 2"), "t2");
    EXPECT_FALSE(gMarkets.exists("ID_2"));
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(UpdateStream, SectionWithoutEndLogsOnceAndKeepsStoredRows) {
    EXPECT_EQ(process({"DAILY", "marker", kDay1, "UPDATE", kDay2, "TIME", "MARKET|1|d1"}),
              ProcessOutcome::Failed);
    // The tag line read as a daily row is rejected by the record class; the missing end is logged
    // once by the processing.
    EXPECT_EQ(logRecords(), 2);
    EXPECT_EQ(recordsOf(procname::kProcessData), 1);
    EXPECT_TRUE(logged(procname::kClsDailyDataParseParameters));
    EXPECT_EQ(dailyRows(), 1);  // the row was committed although the reading failed
    EXPECT_EQ(tags(), "d0/n0");
    // The window is finished, not left with its button disabled, and tells that the two records
    // stored (the new row and the change) are kept rather than that the data was invalid.
    EXPECT_EQ(recorder.failures, 1);
    EXPECT_EQ(recorder.finishes, 1);
    EXPECT_EQ(recorder.stoppedAfter, std::vector<std::int64_t>{2});
    EXPECT_EQ(recorder.statuses, std::vector<std::int32_t>{langrow::kProcessingData});
    EXPECT_EQ(recorder.recharts, 0);
}

TEST_F(UpdateStream, ErrorBeforeAnythingWasStoredIsInvalidData) {
    EXPECT_EQ(process({"DAILY", "marker", "no record here", "UPDATE"}), ProcessOutcome::Failed);
    EXPECT_EQ(dailyRows(), 0);
    EXPECT_TRUE(recorder.stoppedAfter.empty());
    EXPECT_EQ(recorder.statuses.back(), langrow::kInvalidData);
    EXPECT_EQ(recorder.failures, 1);
}

TEST_F(UpdateStream, DailySectionWithoutUpdateLineFailsAtTheEnd) {
    EXPECT_EQ(process({"DAILY", "marker", kDay1, "END", "EXIT"}), ProcessOutcome::Failed);
    EXPECT_EQ(dailyRows(), 1);
}

TEST_F(UpdateStream, MissingDownloadFileDoesNothing) {
    UpdateStreamProcessor processor(home / "missing.log", recorder.hooks());
    EXPECT_EQ(processor.ProcessData(false), ProcessOutcome::NotRun);
    EXPECT_TRUE(recorder.statuses.empty());
    EXPECT_TRUE(recorder.cancelStates.empty());
    EXPECT_EQ(recorder.finishes, 0);
}

TEST_F(UpdateStream, NoteImagesAreFetchedForStoredNotesWithImages) {
    EXPECT_EQ(process({"NOTES", "31|7|2020-1-5|with|a|YES|NO", "32|7|2020-1-5|without|a|NO|NO",
                       "33|7|bad date|x|y|YES|NO", "END", "EXIT"}),
              ProcessOutcome::Updated);
    EXPECT_EQ(recorder.downloads, std::vector<std::int32_t>{31});
    EXPECT_EQ(count("SELECT COUNT(*) FROM Notes"), 2);
}

TEST_F(UpdateStream, OnlyWebAddressesAreOpened) {
    EXPECT_EQ(process({"SPLIT", "2020-1-5|7|2|NO", "END", "COMMAND", "rm -rf ~", "http://example.com/page",
                       "file:///etc/passwd", "http://", "https://example.com/a b", "HTTPS://EXAMPLE.COM",
                       "END", "EXIT"}),
              ProcessOutcome::Updated);
    EXPECT_EQ(recorder.urls, (std::vector<std::string>{"http://example.com/page", "HTTPS://EXAMPLE.COM"}));
    EXPECT_EQ(logRecords(), 4);
    EXPECT_NE(log().find("rm -rf ~"), std::string::npos);
}

TEST_F(UpdateStream, SqlLinesRunOneStatementEach) {
    EXPECT_EQ(
        process({"SPLIT", "2020-1-5|7|2|NO", "END", "SQL",
                 "INSERT INTO WatchLists (ID, NAME) VALUES (1, 'a'); DELETE FROM Markets",
                 "INSERT INTO WatchLists (ID, NAME) VALUES (2, 'b;c')", "INSERT INTO NoSuchTable VALUES (1)",
                 "INSERT INTO WatchLists (ID, NAME) VALUES (3, 'd') -- done", "END", "EXIT"}),
        ProcessOutcome::Updated);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Markets"), 1);
    EXPECT_EQ(text("SELECT group_concat(NAME, ',') FROM (SELECT NAME FROM WatchLists ORDER BY ID)"), "b;c,d");
    EXPECT_EQ(logRecords(), 2);  // the double line and the failing one
}

// Statements that pass every rule of what the server may touch, but whose work would never end or
// would grow the database without bound: each is stopped and logged, and the next line runs.
TEST_F(UpdateStream, SqlLinesOfUnboundedWorkAreStoppedAndTheNextRuns) {
    exec(
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 10) "
        "INSERT INTO MARKETDAILY1 SELECT date('2020-01-01', '+' || x || ' days'), 7, 1, 1, 1, 1, 1, 1, 0 "
        "FROM n");
    std::string twelveFold = "SELECT COUNT(*) FROM MARKETDAILY1 a";
    for (char alias = 'b'; alias <= 'l'; ++alias) {
        twelveFold += std::string(", MARKETDAILY1 ") + alias;
    }
    const std::string eightFold =
        "INSERT OR IGNORE INTO MARKETDAILY1 SELECT a.* FROM MARKETDAILY1 a, MARKETDAILY1 b, MARKETDAILY1 c,"
        " MARKETDAILY1 d, MARKETDAILY1 e, MARKETDAILY1 f, MARKETDAILY1 g, MARKETDAILY1 h";
    EXPECT_EQ(process({"SPLIT", "2020-1-5|7|2|NO", "END", "SQL", twelveFold, eightFold,
                       "INSERT INTO WatchLists (ID, NAME) VALUES (9, 'after')", "END", "EXIT"}),
              ProcessOutcome::Updated);
    EXPECT_EQ(dailyRows(), 10);
    EXPECT_EQ(text("SELECT NAME FROM WatchLists WHERE ID = 9"), "after");
    EXPECT_EQ(recordsOf(procname::kProcessData), 2);
    EXPECT_NE(log().find("MARKETDAILY1 l"), std::string::npos);
    EXPECT_NE(log().find("INSERT OR IGNORE"), std::string::npos);
}

TEST(SingleStatement, RecognisesOneStatement) {
    struct Case {
        const char* sql;
        bool single;
    };
    const Case cases[] = {
        {"SELECT 1", true},
        {"SELECT 1;", true},
        {"SELECT 1 ;  ; ", true},
        {"SELECT 1; -- trailing comment", true},
        {"SELECT 1; /* c */", true},
        {"SELECT ';' || \"a;b\" || [c;d] || `e;f`", true},
        {"SELECT 'it''s; fine'", true},
        {"SELECT 1; SELECT 2", false},
        {"SELECT 1;SELECT 2;", false},
        {"SELECT 1 /* ; */; DROP TABLE x", false},
        {"", false},
        {"   ", false},
        {";", false},
        {"-- only a comment", false},
        {"SELECT 'unclosed", false},
        {"SELECT 1 /* unclosed", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsSingleStatement(c.sql), c.single) << c.sql;
    }
}

TEST_F(UpdateStream, CheckFileValidtyLooksForExitAtTheEnd) {
    struct Case {
        const char* bytes;
        bool valid;
        int logRecords;
    };
    const Case cases[] = {
        {"MARKET\r\nEND\r\nEXIT\r\n", true, 0},
        {"exit\r\n", true, 0},
        {"xxEXIT", false, 0},
        {"EXIT", false, 1},
        {"EXIT\r\n\r\n", false, 0},
    };
    int expectedLog = 0;
    for (const Case& c : cases) {
        writeFile(streamFile(), c.bytes);
        expectedLog += c.logRecords;
        EXPECT_EQ(CheckFileValidty(streamFile()), c.valid) << c.bytes;
        EXPECT_EQ(logRecords(), expectedLog) << c.bytes;
    }
    EXPECT_TRUE(logged(procname::kCheckFileValidty));
    EXPECT_FALSE(CheckFileValidty(home / "missing.log"));
    EXPECT_EQ(logRecords(), expectedLog + 1);
}

TEST_F(UpdateStream, FullDiskLeavesTheTimeTagsAndARerunStoresEverything) {
    std::string stream = "DAILY\r\nmarker\r\n";
    for (int d = 1; d <= 28; ++d) {
        for (int company = 1; company <= 100; ++company) {
            stream += "2020-2-" + std::to_string(d) + "|" + std::to_string(company) + "|1|2|3|4|5|6|NO|1\r\n";
        }
    }
    stream += "UPDATE\r\nEND\r\nTIME\r\nMARKET|1|d1\r\nNOTES|1|n1\r\nEND\r\nEXIT\r\n";
    writeFile(streamFile(), stream);
    db().query("PRAGMA max_page_count=" + std::to_string(count("PRAGMA page_count") + 20));

    EXPECT_EQ(UpdateStreamProcessor(streamFile(), recorder.hooks()).ProcessData(false),
              ProcessOutcome::Failed);
    EXPECT_EQ(tags(), "d0/n0");
    EXPECT_EQ(gMarkets.item("ID_1").UpdateDataTag, "d0");
    EXPECT_EQ(dailyRows(), 0);
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(text("PRAGMA integrity_check"), "ok");
    // The rows the database dropped with its transaction are not reported as kept.
    EXPECT_TRUE(recorder.stoppedAfter.empty());
    EXPECT_EQ(recorder.statuses.back(), langrow::kInvalidData);

    db().query("PRAGMA max_page_count=1073741823");
    EXPECT_EQ(UpdateStreamProcessor(streamFile(), recorder.hooks()).ProcessData(false),
              ProcessOutcome::Updated);
    EXPECT_EQ(dailyRows(), 2800);
    EXPECT_EQ(tags(), "d1/n1");
}

TEST_F(UpdateStream, ARecordThatIsNotStoredHoldsBackTheTagsOfItsMarket) {
    exec(R"(INSERT INTO Markets (ID, NAME, ANAME, APREV, isDELETED, UpdateDataTag, UpdateNotesTag)
            VALUES (2, 'Second', '', 'S', 0, 'e0', 'm0'))");
    EnsureMarketDailyTable(db(), 2);
    exec(
        "CREATE TRIGGER refuse_day BEFORE INSERT ON MARKETDAILY1 WHEN NEW.COMPANYID = 8 "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_EQ(process({"DAILY", "marker", kDay1, "2020-1-5|8|1|1|1|1|1|1|NO|1", "2020-1-5|9|1|1|1|1|1|1|NO|2",
                       "UPDATE", "END", "TIME", "MARKET|1|d1", "MARKET|2|e1", "END", "EXIT"}),
              ProcessOutcome::Updated);
    EXPECT_EQ(tags(), "d0/n0");
    EXPECT_EQ(text("SELECT UpdateDataTag FROM Markets WHERE ID = 2"), "e1");
    EXPECT_EQ(recordsOf(procname::kClsDailyDataInsertDB), 1);
    EXPECT_NE(log().find("\"MARKET|1|d1\" was not applied: 1 record(s) of the stream could not be stored"),
              std::string::npos)
        << log();
}

TEST_F(UpdateStream, LeadingByteOrderMarkIsSkipped) {
    writeFile(streamFile(),
              "\xEF\xBB\xBFSPLIT\r\n2020-1-5|7|2|NO\r\nEND\r\nTIME\r\nMARKET|1|d1\r\nEND\r\nEXIT\r\n");
    EXPECT_EQ(UpdateStreamProcessor(streamFile(), recorder.hooks()).ProcessData(false),
              ProcessOutcome::Updated);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Split"), 1);
    EXPECT_EQ(tags(), "d1/n0");
    EXPECT_EQ(logRecords(), 0);
    EXPECT_EQ(recorder.progress.back(), 1.0);
}

TEST_F(UpdateStream, LinesWhereAKeywordBelongsAreLoggedOncePerRun) {
    // A second byte-order mark is no part of the file's start: the keyword behind it is unknown.
    EXPECT_EQ(process({"", "daily", "marker", kDay1, "UPDATE", "END", "SPLIT", "2020-1-5|7|2|NO", "END",
                       "\xEF\xBB\xBFSPLIT", "2020-1-6|7|2|NO", "END", "EXIT"}),
              ProcessOutcome::Updated);
    EXPECT_EQ(recordsOf(procname::kProcessData), 2);
    EXPECT_NE(log().find("5 line(s) where a section keyword was expected were skipped, the first \"daily\""),
              std::string::npos)
        << log();
    EXPECT_NE(log().find("3 line(s) where a section keyword was expected were skipped, the first "
                         "\"\xEF\xBB\xBFSPLIT\""),
              std::string::npos);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Split"), 1);
}

TEST_F(UpdateStream, SplitPastTheYear9999IsRefusedAndLaterSplitsStayReadable) {
    EXPECT_EQ(process({"SPLIT", "20201-1-5|7|4|NO", "2021-3-1|7|2|NO", "END", "EXIT"}),
              ProcessOutcome::Updated);
    EXPECT_EQ(text("SELECT group_concat(SPLITDATE) FROM Split"), "2021-03-01");
    EXPECT_TRUE(logged(procname::kClsSplitParseParameters));
    const KeyedCollection<clsSplit> splits =
        GetSplits(7, db::Date{std::chrono::year(2000), std::chrono::January, std::chrono::day(1)},
                  db::Date{std::chrono::year(2030), std::chrono::January, std::chrono::day(1)});
    ASSERT_EQ(splits.count(), 1u);
    EXPECT_DOUBLE_EQ(splits.at(0).Ratio, 2.0);
    EXPECT_FALSE(logged(procname::kGetSplits));
}
