#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "db/Connection.h"
#include "db/Error.h"
#include "testsupport/TempFolder.h"

using namespace std::chrono;
using testsupport::TempFolder;

namespace {

db::Error errorOf(auto&& action) {
    try {
        action();
    } catch (const db::Error& e) {
        return e;
    }
    ADD_FAILURE() << "no error raised";
    return db::Error(db::ErrorKind::Provider, 0, "");
}

db::Connection tableOfValues() {
    db::Connection c = db::Connection::openInMemory();
    c.execute("CREATE TABLE t (k INTEGER PRIMARY KEY, i INTEGER, r REAL, s TEXT, d TEXT, b INTEGER)");
    return c;
}

}  // namespace

TEST(Connection, MissingFileIsRefusedAndNeverCreated) {
    TempFolder folder;
    const auto file = folder / "MQMKD.mqd";
    for (auto open : {&db::Connection::openExisting, &db::Connection::openReadOnly}) {
        const db::Error e = errorOf([&] { open(file); });
        EXPECT_EQ(e.kind(), db::ErrorKind::NotFound);
        EXPECT_NE(e.description().find("MQMKD.mqd"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(file));
    }
}

TEST(Connection, FileThatIsNotADatabaseFailsAtOpen) {
    TempFolder folder;
    const auto file = folder / "junk.mqd";
    std::ofstream(file) << "this is not a database file, just some text long enough to be read";
    EXPECT_EQ(errorOf([&] { db::Connection::openExisting(file); }).kind(), db::ErrorKind::Provider);
}

TEST(Connection, CreateNewRefusesAnExistingFile) {
    TempFolder folder;
    const auto file = folder / "new.mqd";
    { db::Connection::createNew(file).execute("CREATE TABLE x (a INTEGER)"); }
    EXPECT_TRUE(db::Connection::openExisting(file).tableExists("X"));
    errorOf([&] { db::Connection::createNew(file); });
}

TEST(Connection, ValuesRoundTripAsStored) {
    db::Connection c = tableOfValues();
    const std::string quoted = "Al \"Quds\" 'Bank'";
    c.execute("INSERT INTO t VALUES (1, ?, ?, ?, ?, ?)",
              {std::int64_t{5000000000}, 1.25, quoted, db::Date{2005y, March, 9d}, true});
    c.execute("INSERT INTO t VALUES (2, ?, ?, ?, ?, ?)", {db::Null{}, db::Null{}, "", db::Null{}, false});

    db::RowSet rows = c.query("SELECT i, r, s, d, b, typeof(b) AS tb FROM t ORDER BY k");
    EXPECT_EQ(rows.int64("I"), 5000000000);
    EXPECT_DOUBLE_EQ(rows.real("r"), 1.25);
    EXPECT_EQ(rows.text("s"), quoted);
    EXPECT_EQ(rows.text("d"), "2005-03-09");  // dates are ISO text
    EXPECT_EQ(rows.date("d"), (db::Date{2005y, March, 9d}));
    EXPECT_EQ(rows.int32("b"), 1);  // Booleans are 0/1 integers
    EXPECT_EQ(rows.text("tb"), "integer");
    EXPECT_TRUE(rows.boolean("b"));
    rows.moveNext();
    EXPECT_TRUE(rows.isNull("i"));
    EXPECT_EQ(rows.text("i"), std::nullopt);  // NULL is told from empty text
    EXPECT_EQ(rows.text("s"), std::string());
    EXPECT_FALSE(rows.boolean("b"));
    rows.moveNext();
    EXPECT_TRUE(rows.eof());
}

TEST(Connection, GettersRaiseTheApplicationErrorNumbers) {
    db::Connection c = tableOfValues();
    c.execute("INSERT INTO t VALUES (1, NULL, 2.5, 'abc', 'no date', 3000000000)");
    db::RowSet rows = c.query("SELECT * FROM t");
    struct Case {
        const char* name;
        std::function<void()> read;
        std::int32_t number;
    };
    const Case cases[] = {
        {"null into int", [&] { rows.int32("i"); }, 94},
        {"null into date", [&] { rows.date("i"); }, 94},
        {"fraction into int", [&] { rows.int32("r"); }, 13},
        {"text into real", [&] { rows.real("s"); }, 13},
        {"bad date", [&] { rows.date("d"); }, 13},
        {"int overflow", [&] { rows.int32("b"); }, 6},
        {"unknown column", [&] { rows.value("nope"); }, 3265},
        {"column past end", [&] { rows.value(6); }, 3265},
    };
    for (const Case& tc : cases) {
        EXPECT_EQ(errorOf(tc.read).number(), tc.number) << tc.name;
    }
    rows.moveNext();
    EXPECT_EQ(errorOf([&] { rows.value(0); }).number(), 3021);
    EXPECT_EQ(errorOf([&] { rows.moveNext(); }).number(), 3021);
}

TEST(Connection, DatesPastTheFourDigitYearsAreNeverStored) {
    db::Connection c = tableOfValues();
    const db::Error e = errorOf([&] {
        c.execute("INSERT INTO t (k, d) VALUES (1, ?)", {db::Date{year(20201), January, 5d}});
    });
    EXPECT_EQ(e.kind(), db::ErrorKind::TypeMismatch);
    EXPECT_EQ(e.number(), 13);
    EXPECT_EQ(errorOf([&] {
                  c.execute("INSERT INTO t (k, d) VALUES (2, ?)", {db::Date{year(99), January, 5d}});
              }).number(),
              13);
    EXPECT_EQ(c.query("SELECT COUNT(*) FROM t").int32(0), 0);
}

TEST(Connection, RecordsAffectedCountsOnlyChangedRows) {
    db::Connection c = tableOfValues();
    EXPECT_EQ(c.execute("INSERT INTO t (k, i) VALUES (1, 1), (2, 1), (3, 2)"), 3);
    EXPECT_EQ(c.execute("UPDATE t SET r = 1 WHERE i = ?", {1}), 2);
    EXPECT_EQ(c.execute("CREATE TABLE u (a INTEGER)"), 0);
    EXPECT_EQ(c.execute("DELETE FROM t WHERE i = ?", {9}), 0);
}

TEST(Connection, KeptStatementsRunTheirOwnTextThroughAFullCache) {
    db::Connection c = db::Connection::openInMemory();
    c.execute("CREATE TABLE a (n INTEGER)");
    c.execute("CREATE TABLE b (n INTEGER)");
    // Texts of one length that differ in one letter, in turn, then more texts than the cache keeps.
    for (int n = 0; n < 3; ++n) {
        c.execute("INSERT INTO a (n) VALUES (?)", {n});
        c.execute("INSERT INTO b (n) VALUES (?)", {n * 10});
    }
    for (int n = 0; n < 100; ++n) {
        c.execute("INSERT INTO a (n) VALUES (? + " + std::to_string(n) + ")", {1000});
    }
    c.execute("INSERT INTO b (n) VALUES (?)", {5});
    c.execute("INSERT INTO b (n) VALUES (?)", {7});
    EXPECT_EQ(c.query("SELECT COUNT(*) FROM a").int32(0), 103);
    EXPECT_EQ(c.query("SELECT SUM(n) FROM a").int64(0), 3 + 100 * 1000 + 4950);
    EXPECT_EQ(c.query("SELECT SUM(n) FROM b").int64(0), 30 + 12);
}

TEST(Connection, DuplicateKeyIsToldApartFromOtherErrors) {
    db::Connection c = db::Connection::openInMemory();
    c.execute("CREATE TABLE d (day TEXT, id INTEGER, PRIMARY KEY (day, id))");
    c.execute("INSERT INTO d VALUES ('2005-03-09', 1)");
    const db::Error dup = errorOf([&] { c.execute("INSERT INTO d VALUES ('2005-03-09', 1)"); });
    EXPECT_TRUE(dup.isDuplicateKey());
    EXPECT_EQ(dup.number(), db::errnum::kDuplicateKey);
    EXPECT_EQ(errorOf([&] { c.execute("INSERT INTO missing VALUES (1)"); }).kind(), db::ErrorKind::Provider);
    EXPECT_EQ(errorOf([&] { c.execute("INSERT INTO d VALUES (?, ?)", {1}); }).kind(),
              db::ErrorKind::Provider);
}

TEST(Connection, ForwardAndStaticRowSets) {
    db::Connection c = tableOfValues();
    c.execute("INSERT INTO t (k) VALUES (1), (2), (3)");
    db::RowSet fixed = c.query("SELECT k FROM t ORDER BY k", {}, db::CursorType::Static);
    EXPECT_EQ(fixed.recordCount(), 3);
    fixed.moveNext();
    fixed.moveNext();
    EXPECT_EQ(fixed.int32(0), 3);
    fixed.moveFirst();
    EXPECT_EQ(fixed.int32(0), 1);

    db::RowSet forward = c.query("SELECT k FROM t ORDER BY k", {}, db::CursorType::ForwardOnly);
    EXPECT_EQ(forward.recordCount(), -1);
    std::vector<int> seen;
    for (; !forward.eof(); forward.moveNext()) {
        seen.push_back(forward.int32("K"));
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
    EXPECT_THROW(forward.moveFirst(), db::Error);

    db::RowSet none = c.query("SELECT k FROM t WHERE k > 9", {}, db::CursorType::ForwardOnly);
    EXPECT_TRUE(none.eof());
}

TEST(Connection, ClosedConnectionRefusesWorkEvenThroughOldStatements) {
    db::Connection c = tableOfValues();
    db::Statement insert = c.prepare("INSERT INTO t (k) VALUES (?)");
    insert.execute({1});
    c.close();
    EXPECT_EQ(errorOf([&] { insert.execute({2}); }).number(), db::errnum::kClosed);
    EXPECT_EQ(errorOf([&] { c.execute("SELECT 1"); }).kind(), db::ErrorKind::Closed);
    db::Connection never;
    EXPECT_EQ(errorOf([&] { never.query("SELECT 1"); }).number(), 3704);
}

TEST(Connection, VacuumIntoWritesACompleteCopy) {
    TempFolder folder;
    {
        db::Connection c = db::Connection::createNew(folder / "a.mqd");
        c.execute("CREATE TABLE t (k INTEGER)");
        c.execute("INSERT INTO t VALUES (1), (2)");
        c.vacuumInto(folder / "b.mqd");
        EXPECT_THROW(c.vacuumInto(folder / "b.mqd"), db::Error);  // never overwrites
        EXPECT_THROW(c.vacuumInto(folder / "no" / "c.mqd"), db::Error);
        EXPECT_FALSE(std::filesystem::exists(folder / "no" / "c.mqd"));
    }
    db::Connection copy = db::Connection::openReadOnly(folder / "b.mqd");
    EXPECT_EQ(copy.query("SELECT count(*) FROM t").int32(0), 2);
    EXPECT_THROW(copy.execute("INSERT INTO t VALUES (3)"), db::Error);  // read-only stays read-only
}

TEST(Connection, TextWithASecondStatementIsRefusedWhole) {
    db::Connection c = tableOfValues();
    c.execute("INSERT INTO t (k) VALUES (1); -- a trailing comment and blanks are fine\n ;  ");
    const db::Error e = errorOf([&] { c.execute("DELETE FROM t WHERE k = 1; DROP TABLE t"); });
    EXPECT_EQ(e.kind(), db::ErrorKind::Provider);
    EXPECT_TRUE(c.tableExists("t"));
    EXPECT_EQ(c.query("SELECT COUNT(*) FROM t").int32(0), 1);  // the first statement did not run either
}

namespace {

std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Rows of t and u may be read and changed, with lower() and count(); nothing else.
const db::Confinement kRules{
    [](std::string_view table) { return table == "t" || table == "u"; },
    [](std::string_view function) { return function == "lower" || function == "count"; },
};

}  // namespace

TEST(Connection, EveryConnectionRunsWithTheDefensiveSettings) {
    TempFolder folder;
    db::Connection c = db::Connection::createNew(folder / "a.mqd");
    c.execute("CREATE TABLE t (k INTEGER)");
    // No schema-table writes even with writable_schema, no tokenizer pointers, no extensions.
    c.execute("PRAGMA writable_schema=ON");
    EXPECT_THROW(c.execute("UPDATE sqlite_master SET rootpage = 7"), db::Error);
    EXPECT_THROW(c.execute("INSERT INTO sqlite_master VALUES ('table', 'x', 'x', 9, 'CREATE TABLE x (a)')"),
                 db::Error);
    c.execute("PRAGMA writable_schema=OFF");
    EXPECT_THROW(c.query("SELECT fts3_tokenizer('simple', x'4141414141414141')"), db::Error);
    EXPECT_THROW(c.query("SELECT load_extension('libc.so.6')"), db::Error);
    EXPECT_EQ(c.query("PRAGMA trusted_schema").int32(0), 0);
    EXPECT_EQ(c.query("PRAGMA journal_mode").textOrEmpty(0), "delete");
    EXPECT_EQ(c.query("PRAGMA integrity_check").textOrEmpty(0), "ok");
}

TEST(Connection, TextHoldingANulIsRefused) {
    db::Connection c = tableOfValues();
    c.execute("INSERT INTO t (k) VALUES (1), (2)");
    const std::string sql("DELETE FROM t\0 WHERE k = 1", 26);
    EXPECT_EQ(errorOf([&] { c.execute(sql); }).kind(), db::ErrorKind::Refused);
    EXPECT_EQ(errorOf([&] { c.executeConfined(sql, kRules); }).kind(), db::ErrorKind::Refused);
    EXPECT_EQ(errorOf([&] { c.executeScript(sql); }).kind(), db::ErrorKind::Refused);
    EXPECT_EQ(c.query("SELECT COUNT(*) FROM t").int32(0), 2);
}

TEST(Connection, DatabaseLeftInWalModeIsRecoveredIntoARollbackJournal) {
    TempFolder folder;
    const auto file = folder / "w.mqd";
    { db::Connection::createNew(file).execute("CREATE TABLE t (k INTEGER)"); }
    db::Connection writer = db::Connection::openExisting(file);
    EXPECT_EQ(writer.query("PRAGMA journal_mode=WAL").textOrEmpty(0), "wal");
    writer.execute("INSERT INTO t VALUES (1), (2)");
    ASSERT_TRUE(std::filesystem::exists(folder / "w.mqd-wal"));
    // The rows live in the log only; a second connection opened meanwhile cannot take the log
    // away from the first and says so.
    EXPECT_EQ(errorOf([&] { db::Connection::openExisting(file); }).kind(), db::ErrorKind::Provider);
    writer.close();

    db::Connection reopened = db::Connection::openExisting(file);
    EXPECT_EQ(reopened.query("PRAGMA journal_mode").textOrEmpty(0), "delete");
    EXPECT_FALSE(std::filesystem::exists(folder / "w.mqd-wal"));
    EXPECT_EQ(reopened.query("SELECT COUNT(*) FROM t").int32(0), 2);
}

TEST(Connection, ConfinedStatementsChangeOnlyTheAllowedTables) {
    TempFolder folder;
    const auto file = folder / "c.mqd";
    {
        db::Connection c = db::Connection::createNew(file);
        c.executeScript(
            "CREATE TABLE t (a INTEGER PRIMARY KEY, b TEXT); CREATE TABLE u (a INTEGER);"
            "CREATE TABLE secret (a INTEGER); INSERT INTO t VALUES (1, 'x'), (2, 'y');"
            "INSERT INTO secret VALUES (42)");
    }
    { db::Connection::createNew(folder / "other.mqd").execute("CREATE TABLE x (a INTEGER)"); }
    const std::string before = fileBytes(file);
    const std::string other = fileBytes(folder / "other.mqd");
    db::Connection c = db::Connection::openExisting(file);

    const std::string attach = "ATTACH DATABASE '" + (folder / "other.mqd").string() + "' AS v";
    const std::string vacuumInto = "VACUUM INTO '" + (folder / "copy.mqd").string() + "'";
    const char* const refused[] = {
        "PRAGMA writable_schema=ON",
        "PRAGMA journal_mode=OFF",
        "PRAGMA journal_mode=WAL",
        "PRAGMA query_only=ON",
        attach.c_str(),
        "DETACH DATABASE v",
        "VACUUM",
        vacuumInto.c_str(),
        "BEGIN",
        "SAVEPOINT x",
        "COMMIT",
        "ROLLBACK",
        "CREATE TABLE n (a)",
        "CREATE TEMP TABLE n (a)",
        "DROP TABLE u",
        "ALTER TABLE t ADD COLUMN z",
        "CREATE INDEX i ON t (b)",
        "CREATE VIEW w AS SELECT * FROM t",
        "CREATE TRIGGER g AFTER INSERT ON u BEGIN DELETE FROM t; END",
        "CREATE VIRTUAL TABLE ft USING fts3(x, tokenize=simple)",
        "ANALYZE",
        "REINDEX",
        "INSERT INTO sqlite_master VALUES ('table', 'x', 'x', 9, 'CREATE TABLE x (a)')",
        "SELECT sql FROM sqlite_master",
        "SELECT * FROM secret",
        "INSERT INTO u SELECT a FROM secret",
        "DELETE FROM secret",
        "SELECT fts3_tokenizer('simple')",
        "SELECT fts3_tokenizer('simple', x'4141414141414141')",
        "SELECT load_extension('libc.so.6')",
        "SELECT upper(b) FROM t",
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) SELECT count(*) FROM n",
        "EXPLAIN SELECT * FROM t",
        "DELETE FROM t WHERE a = 1; DROP TABLE u",
    };
    for (const char* sql : refused) {
        EXPECT_EQ(errorOf([&] { c.executeConfined(sql, kRules); }).kind(), db::ErrorKind::Refused) << sql;
    }
    // The engine itself refuses these before the rules are asked.
    EXPECT_NE(errorOf([&] { c.executeConfined("UPDATE sqlite_master SET rootpage = 7", kRules); })
                  .description()
                  .find("may not be modified"),
              std::string::npos);
    EXPECT_FALSE(c.inTransaction());
    EXPECT_FALSE(std::filesystem::exists(folder / "copy.mqd"));
    EXPECT_EQ(fileBytes(file), before);
    EXPECT_EQ(fileBytes(folder / "other.mqd"), other);

    EXPECT_EQ(c.executeConfined("INSERT INTO t VALUES (3, lower('Z'))", kRules), 1);
    EXPECT_EQ(c.executeConfined("UPDATE t SET b = 'w' WHERE a IN (SELECT count(*) FROM u)", kRules), 0);
    EXPECT_EQ(c.executeConfined("DELETE FROM t WHERE a = 1", kRules), 1);
    EXPECT_EQ(c.executeConfined("SELECT * FROM t", kRules), 0);
    EXPECT_EQ(c.query("SELECT group_concat(b, ',') FROM t").textOrEmpty(0), "y,z");
    // Ordinary statements of the program itself are not confined.
    EXPECT_EQ(c.query("SELECT a FROM secret").int32(0), 42);
}

TEST(Connection, ConfinedStatementsNeverRunATriggerOrAView) {
    db::Connection c = tableOfValues();
    c.executeScript(
        "CREATE TABLE u (a INTEGER); INSERT INTO t (k) VALUES (1);"
        "CREATE TRIGGER g AFTER INSERT ON u BEGIN DELETE FROM t; END;"
        "CREATE VIEW w AS SELECT k FROM t");
    EXPECT_EQ(errorOf([&] { c.executeConfined("INSERT INTO u VALUES (1)", kRules); }).kind(),
              db::ErrorKind::Refused);
    EXPECT_EQ(errorOf([&] { c.executeConfined("SELECT * FROM w", kRules); }).kind(), db::ErrorKind::Refused);
    EXPECT_EQ(c.query("SELECT COUNT(*) FROM t").int32(0), 1);
    EXPECT_EQ(c.query("SELECT COUNT(*) FROM u").int32(0), 0);
}

// Ten rows a = 1 to 10 in u, and rules allowing t and u with a limit of a million instructions.
db::Connection tenRows(db::Confinement& rules) {
    db::Connection c = tableOfValues();
    c.executeScript(
        "CREATE TABLE u (a INTEGER);"
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 10) "
        "INSERT INTO u SELECT x FROM n");
    rules = kRules;
    rules.workLimit = 1'000'000;
    return c;
}

TEST(Connection, ConfinedStatementsStopAtTheirWorkLimitAndChangeNothing) {
    db::Confinement rules;
    db::Connection c = tenRows(rules);
    // 10^12 rows: each one is cheap, all of them never end.
    const std::string twelveFold =
        "SELECT * FROM u a1, u a2, u a3, u a4, u a5, u a6, u a7, u a8, u a9, u a10, u a11, u a12";
    EXPECT_EQ(errorOf([&] { c.executeConfined(twelveFold, rules); }).kind(), db::ErrorKind::WorkLimit);
    // A million rows would go in: the statement is stopped and none of them stays.
    EXPECT_EQ(errorOf([&] {
                  c.executeConfined("INSERT INTO u SELECT a.a FROM u a, u b, u c, u d, u e, u f", rules);
              }).kind(),
              db::ErrorKind::WorkLimit);
    EXPECT_EQ(c.query("SELECT COUNT(*) FROM u").int32(0), 10);
    // Within the limit the same kind of statement runs.
    EXPECT_EQ(c.executeConfined("INSERT INTO u SELECT a.a FROM u a, u b", rules), 100);
    // The program's own statements have no limit: 110^3 rows take far more than a million.
    EXPECT_EQ(c.query("SELECT COUNT(*) FROM u a, u b, u c").int64(0), 1'331'000);
}

TEST(Connection, StoppedConfinedChangeEndsTheTransactionAroundIt) {
    db::Confinement rules;
    db::Connection c = tenRows(rules);
    c.execute("SAVEPOINT a");
    c.execute("INSERT INTO t (k) VALUES (1)");
    EXPECT_EQ(errorOf([&] {
                  c.executeConfined("INSERT INTO u SELECT a.a FROM u a, u b, u c, u d, u e, u f", rules);
              }).kind(),
              db::ErrorKind::WorkLimit);
    EXPECT_FALSE(c.inTransaction());
    EXPECT_EQ(c.query("SELECT COUNT(*) FROM t").int32(0), 0);
}

TEST(Connection, StepWorkLimitBoundsEachRowOfEveryQuery) {
    db::Connection c = tableOfValues();
    c.execute(
        "CREATE VIEW endless AS WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) "
        "SELECT x FROM n");
    c.setStepWorkLimit(1'000'000);
    EXPECT_EQ(errorOf([&] { c.query("SELECT COUNT(*) FROM endless"); }).kind(), db::ErrorKind::WorkLimit);
    // Every row of the endless view is cheap; the limit is per step, not per query.
    db::RowSet rows = c.query("SELECT x FROM endless LIMIT 100000", {}, db::CursorType::ForwardOnly);
    std::int64_t read = 0;
    for (; !rows.eof(); rows.moveNext()) {
        ++read;
    }
    EXPECT_EQ(read, 100000);
    c.setStepWorkLimit(0);
    EXPECT_EQ(c.query("SELECT COUNT(*) FROM (SELECT x FROM endless LIMIT 100000)").int64(0), 100000);
}

TEST(Connection, InTransactionFollowsTheEngine) {
    db::Connection c = tableOfValues();
    EXPECT_FALSE(c.inTransaction());
    c.execute("SAVEPOINT a");
    EXPECT_TRUE(c.inTransaction());
    c.execute("RELEASE a");
    EXPECT_FALSE(c.inTransaction());
    EXPECT_FALSE(db::Connection().inTransaction());
}
