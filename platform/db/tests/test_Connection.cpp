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

TEST(Connection, RecordsAffectedCountsOnlyChangedRows) {
    db::Connection c = tableOfValues();
    EXPECT_EQ(c.execute("INSERT INTO t (k, i) VALUES (1, 1), (2, 1), (3, 2)"), 3);
    EXPECT_EQ(c.execute("UPDATE t SET r = 1 WHERE i = ?", {1}), 2);
    EXPECT_EQ(c.execute("CREATE TABLE u (a INTEGER)"), 0);
    EXPECT_EQ(c.execute("DELETE FROM t WHERE i = ?", {9}), 0);
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
