#include <algorithm>
#include <initializer_list>

#include "MarketDbFixture.h"
#include "UpdateRecorder.h"
#include "appdata/ProcNames.h"
#include "appdata/update/ServerSql.h"
#include "appdata/update/UpdateStreamProcessor.h"

using namespace tarnwick;

TEST(ServerSql, TranslatesTheDialect) {
    struct Case {
        const char* line;
        const char* sql;
    };
    const Case cases[] = {
        {"UPDATE Notes SET NOTEDATE=#2005-03-09# WHERE ID=1",
         "UPDATE Notes SET NOTEDATE = '2005-03-09' WHERE ID = 1"},
        {"UPDATE Notes SET NOTEDATE=#2005-3-9#", "UPDATE Notes SET NOTEDATE = '2005-03-09'"},
        {"DELETE * FROM WatchListItem WHERE WatchListID=1",
         "DELETE FROM WatchListItem WHERE WatchListID = 1"},
        {"delete WatchListItem.* from WatchListItem", "delete from WatchListItem"},
        {"UPDATE Company SET IS_INDEX=-1", "UPDATE Company SET IS_INDEX = 1"},
        {"UPDATE Company SET [IsDeleted] = - 1 WHERE ID = -1",
         "UPDATE Company SET [IsDeleted] = 1 WHERE ID = - 1"},
        {"SELECT ID FROM Company WHERE c.IS_INDEX <> -1 AND ID = -1",
         "SELECT ID FROM Company WHERE c . IS_INDEX <> 1 AND ID = - 1"},
        // Part of a larger expression, -1 stays what it is.
        {"UPDATE Company SET IS_INDEX = -1 + 1", "UPDATE Company SET IS_INDEX = - 1 + 1"},
        {"UPDATE Company SET IS_INDEX=True, IsDELETED=false",
         "UPDATE Company SET IS_INDEX = 1 , IsDELETED = 0"},
        {"UPDATE Company SET DESCRIPTION=\"Name\" WHERE ID=1",
         "UPDATE Company SET DESCRIPTION = 'Name' WHERE ID = 1"},
        {"UPDATE Company SET NAME=\"it's \"\"big\"\"\"", "UPDATE Company SET NAME = 'it''s \"big\"'"},
        {"UPDATE Company SET NAME='a''b' -- note", "UPDATE Company SET NAME = 'a''b'"},
        {"SELECT [ORDER], `NAME` FROM [WatchListItem] /* c */;",
         "SELECT [ORDER] , [NAME] FROM [WatchListItem]"},
        {"INSERT INTO Company (ID, IS_INDEX, NAME) VALUES (5, -1, -1), (6, -1, 'x')",
         "INSERT INTO Company ( ID , IS_INDEX , NAME ) VALUES ( 5 , 1 , - 1 ) , ( 6 , 1 , 'x' )"},
        // Without a column list the table's own columns count: isDELETED is the fifth of Markets.
        {"INSERT INTO Markets VALUES (-1, 'n', 'a', 'p', -1, NULL, NULL)",
         "INSERT INTO Markets VALUES ( - 1 , 'n' , 'a' , 'p' , 1 , NULL , NULL )"},
        {"INSERT INTO MARKETDAILY3 VALUES (#2020-1-5#, 7, 1, 1, 1, 1, 1, 1.5e2, -1)",
         "INSERT INTO MARKETDAILY3 VALUES ( '2020-01-05' , 7 , 1 , 1 , 1 , 1 , 1 , 1.5e2 , 1 )"},
    };
    for (const Case& c : cases) {
        const TranslatedSql t = TranslateServerSql(c.line);
        EXPECT_EQ(t.refusal, "") << c.line;
        EXPECT_EQ(t.sql, c.sql) << c.line;
    }
}

TEST(ServerSql, RefusesWhatItCannotTranslate) {
    struct Case {
        std::string line;
        const char* why;
    };
    const Case cases[] = {
        {"PRAGMA writable_schema=ON", "only SELECT, INSERT, UPDATE and DELETE are run"},
        {"VACUUM INTO '/tmp/x'", "only SELECT, INSERT, UPDATE and DELETE are run"},
        {"BEGIN", "only SELECT, INSERT, UPDATE and DELETE are run"},
        {"WITH x AS (SELECT 1) DELETE FROM Company", "only SELECT, INSERT, UPDATE and DELETE are run"},
        {"", "the line holds no statement"},
        {" ; ", "the line holds no statement"},
        {"DELETE FROM Notes; DROP TABLE Notes", "the line holds more than one statement"},
        {"UPDATE Notes SET NOTEDATE=#03/09/2005#", "the date #03/09/2005# cannot be translated"},
        {"UPDATE Notes SET NOTEDATE=#20201-1-5#", "the date #20201-1-5# cannot be translated"},
        {"UPDATE Notes SET NOTEDATE=#99-1-5#", "the date #99-1-5# cannot be translated"},
        {"UPDATE Notes SET NOTEDATE=#2005-02-30#", "the date #2005-02-30# cannot be translated"},
        {"UPDATE Notes SET NOTEDATE=#2005-03-09", "a date is not closed"},
        {"UPDATE Notes SET Text='open", "a text is not closed"},
        {"UPDATE Notes SET Text=1 /* open", "a comment is not closed"},
        {"UPDATE Notes SET [] = 1", "a name is empty"},
        {"UPDATE Notes SET Text=?", "the character at position 23 cannot be translated"},
        {"UPDATE Notes SET Text=:a", "the character at position 23 cannot be translated"},
        {"UPDATE Company SET NAME = NAME & 'x'", "the character at position 32 cannot be translated"},
        {std::string("DELETE FROM Company\0 WHERE ID = 101", 35),
         "the character at position 20 cannot be translated"},
        {"UPDATE Company SET ID = 0x10", "a number runs into other characters"},
        {"UPDATE Company SET `a]b` = 1", "a name holds \"]\""},
    };
    for (const Case& c : cases) {
        const TranslatedSql t = TranslateServerSql(c.line);
        EXPECT_EQ(t.refusal, c.why) << c.line;
        EXPECT_EQ(t.sql, "") << c.line;
    }
}

namespace {

// The market database as a file, with market 1, company 1 and a note, a watch list with an item,
// so that the stream's statements act on real rows.
class StreamSql : public MarketDbTest {
protected:
    void SetUp() override {
        MarketDbTest::SetUp();
        gConnection.close();
        { db::Connection::createNew(dbFile()); }
        gConnection = db::Connection::openExisting(dbFile());
        CreateMarketSchema(db());
        EnsureMarketDailyTable(db(), 1);
        db().executeScript(
            "INSERT INTO Markets VALUES (1, 'First', '', 'F', 0, 'd0', 'n0');"
            "INSERT INTO Company (ID, TICKER, NAME, ANAME, MARKET_ID, CATEGORY_ID, DESCRIPTION, IS_INDEX, "
            "IsDELETED)"
            " VALUES (1, 'T1', 'One', 'A', 1, 1, 'old', 0, 0), (101, 'T2', 'Two', 'B', 1, 1, 'old', 0, 0);"
            "INSERT INTO Notes VALUES (1, '2001-01-01', 1, 'n', 'a', 0, 'N', 0);"
            "INSERT INTO WatchLists VALUES (1, 'W');"
            "INSERT INTO WatchListItem VALUES (1, 1, 1);"
            "INSERT INTO MARKETDAILY1 VALUES ('2020-01-05', 1, 1, 1, 1, 1, 1, 1, 0)");
    }

    std::filesystem::path dbFile() const { return home / "MQMKD.mqd"; }

    // Runs a stream that stores a split (so that its lists apply) and carries these SQL lines.
    ProcessOutcome runSql(const std::vector<std::string>& lines) {
        std::string text = "SPLIT\r\n2020-1-5|1|2|NO\r\nEND\r\nSQL\r\n";
        for (const std::string& line : lines) {
            text += line + "\r\n";
        }
        text += "END\r\nEXIT\r\n";
        writeFile(home / "Socket.Log", text);
        return UpdateStreamProcessor(home / "Socket.Log", recorder.hooks()).ProcessData(false);
    }

    // Schema and every row of every table, read through the program's own connection.
    static std::string dump() {
        std::string out;
        db::RowSet schema = db().query("SELECT type, name, sql FROM sqlite_master ORDER BY name");
        std::vector<std::string> tables;
        for (; !schema.eof(); schema.moveNext()) {
            out += schema.textOrEmpty(0) + " " + schema.textOrEmpty(1) + " " + schema.textOrEmpty(2) + "\n";
            if (schema.textOrEmpty(0) == "table") {
                tables.push_back(schema.textOrEmpty(1));
            }
        }
        for (const std::string& table : tables) {
            db::RowSet rows = db().query("SELECT * FROM \"" + table + "\"");
            for (; !rows.eof(); rows.moveNext()) {
                for (int i = 0; i < rows.fieldCount(); ++i) {
                    out += rows.textOrEmpty(i) + "|";
                }
                out += "\n";
            }
        }
        return out;
    }

    UpdateRecorder recorder;
};

}  // namespace

TEST_F(StreamSql, DialectLinesDoWhatTheServerMeant) {
    EXPECT_EQ(runSql({"UPDATE Notes SET NOTEDATE=#2005-03-09# WHERE ID=1",
                      "DELETE * FROM WatchListItem WHERE WatchListID=1", "UPDATE Company SET IS_INDEX=-1",
                      "UPDATE Company SET DESCRIPTION=\"Name\" WHERE ID=1",
                      "INSERT INTO WatchLists (ID, NAME) VALUES (2, \"Banks\")"}),
              ProcessOutcome::Updated);
    EXPECT_EQ(logRecords(), 0) << log();
    EXPECT_EQ(text("SELECT NOTEDATE FROM Notes WHERE ID = 1"), "2005-03-09");
    EXPECT_EQ(count("SELECT COUNT(*) FROM WatchListItem"), 0);
    EXPECT_EQ(text("SELECT group_concat(IS_INDEX) FROM Company"), "1,1");
    EXPECT_EQ(text("SELECT DESCRIPTION FROM Company WHERE ID = 1"), "Name");  // the text, not the column
    EXPECT_EQ(text("SELECT NAME FROM WatchLists WHERE ID = 2"), "Banks");
}

TEST_F(StreamSql, HostileLinesAreRefusedLoggedAndChangeNothing) {
    runSql({});  // the split of the stream itself, so that only the hostile lines differ below
    const std::string before = dump();
    const std::string bytes = readFile(dbFile());
    writeFile(home / "victim.mqd", "");
    { db::Connection::createNew(home / "other.mqd").execute("CREATE TABLE x (a INTEGER)"); }
    const std::string other = readFile(home / "other.mqd");
    const std::vector<std::string> hostile = {
        "SELECT fts3_tokenizer('simple', x'4141414141414141')",
        "CREATE VIRTUAL TABLE ft USING fts3(x, tokenize=simple)",
        "INSERT INTO ft VALUES ('boom')",
        "SELECT fts3_tokenizer('simple')",
        "INSERT INTO Notes (ID, Text) SELECT 9, fts3_tokenizer('simple')",
        "PRAGMA writable_schema=ON",
        "INSERT INTO sqlite_master VALUES ('trigger', 't', 'Notes', 0, 'CREATE TRIGGER t AFTER INSERT ON "
        "Notes BEGIN "
        "DELETE FROM Company; DELETE FROM MARKETDAILY1; END')",
        "UPDATE sqlite_master SET rootpage=2 WHERE name='Company'",
        "ATTACH DATABASE '" + (home / "other.mqd").string() + "' AS v",
        "DROP TABLE v.x",
        "VACUUM INTO '" + (home / "copy.mqd").string() + "'",
        "BEGIN",
        "SAVEPOINT x",
        "PRAGMA journal_mode=OFF",
        "PRAGMA journal_mode=WAL",
        "PRAGMA query_only=ON",
        std::string("DELETE FROM Company\0 WHERE ID = 101", 35),
        "DELETE FROM Company WHERE ID = 101; DELETE FROM Notes",
        "SELECT * FROM sqlite_master",
        "UPDATE Company SET NAME = (SELECT sql FROM sqlite_master)",
        "INSERT INTO Company (ID) SELECT load_extension('libc.so.6')",
        "CREATE TRIGGER t AFTER INSERT ON Notes BEGIN DELETE FROM Company; END",
        "CREATE VIEW v AS SELECT * FROM Company",
        "DROP TABLE Company",
        "ALTER TABLE Company ADD COLUMN x",
        "DELETE FROM sqlite_sequence",
    };
    EXPECT_EQ(runSql(hostile), ProcessOutcome::Updated);  // no crash
    EXPECT_EQ(recordsOf(procname::kProcessData), static_cast<int>(hostile.size())) << log();
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(readFile(dbFile()), bytes);
    EXPECT_EQ(readFile(home / "other.mqd"), other);
    EXPECT_FALSE(std::filesystem::exists(home / "copy.mqd"));
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(text("PRAGMA journal_mode"), "delete");
    EXPECT_EQ(text("PRAGMA query_only"), "0");
    // A refused line is quoted printably: the NUL shows as \x00 and the record stays in one piece.
    EXPECT_NE(log().find("\"DELETE FROM Company\\x00 WHERE ID = 101\" was not run"), std::string::npos);
    EXPECT_EQ(log().find('\0'), std::string::npos);

    // A later note stores normally, with no planted trigger to fire, and later writes still work.
    writeFile(home / "Socket.Log", "NOTES\r\n40|1|2020-1-5|t|a|NO|NO\r\nEND\r\nEXIT\r\n");
    EXPECT_EQ(UpdateStreamProcessor(home / "Socket.Log", recorder.hooks()).ProcessData(false),
              ProcessOutcome::Updated);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Company"), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM MARKETDAILY1"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Notes"), 2);
    EXPECT_EQ(text("PRAGMA integrity_check"), "ok");
}

TEST_F(StreamSql, AnOpenedTransactionCannotSwallowTheNextUpdate) {
    runSql({"BEGIN", "SAVEPOINT x"});
    writeFile(home / "Socket.Log", "SPLIT\r\n2021-1-5|1|3|NO\r\nEND\r\nEXIT\r\n");
    EXPECT_EQ(UpdateStreamProcessor(home / "Socket.Log", recorder.hooks()).ProcessData(false),
              ProcessOutcome::Updated);
    gConnection.close();
    gConnection = db::Connection::openExisting(dbFile());
    EXPECT_EQ(count("SELECT COUNT(*) FROM Split"), 2);
}
