#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <stdexcept>

#include "TestHome.h"
#include "appdata/Compaction.h"
#include "appdata/Schema.h"
#include "db/Connection.h"
#include "db/Transaction.h"

using namespace tarnwick;

namespace {

// A market database with 2000 rows of which most are deleted again, so compaction shrinks it.
void makeDatabase(const std::filesystem::path& file) {
    db::Connection c = db::Connection::createNew(file);
    CreateMarketSchema(c);
    db::Transaction tx(c);
    c.execute("INSERT INTO WatchLists (ID, NAME) VALUES (1, 'Banks')");
    for (int i = 2; i < 2000; ++i) {
        c.execute("INSERT INTO WatchLists (ID, NAME) VALUES (?, ?)", {i, std::string(200, 'n')});
    }
    c.execute("DELETE FROM WatchLists WHERE ID > 1");
    tx.commit();
}

std::string listName(const std::filesystem::path& file) {
    return db::Connection::openReadOnly(file).query("SELECT NAME FROM WatchLists").textOrEmpty(0);
}

class CompactionTest : public ::testing::Test {
protected:
    std::filesystem::path database() const { return home / "MQMKD.mqd"; }
    std::filesystem::path backup() const { return home / "MQMKD.bak"; }

    TestHome home;
};

}  // namespace

TEST_F(CompactionTest, ReplacesTheDatabaseWithItsCompactedCopy) {
    makeDatabase(database());
    const auto before = std::filesystem::file_size(database());
    EXPECT_EQ(CompactAtStart(home.path()), CompactionResult::Compacted);
    EXPECT_LT(std::filesystem::file_size(database()), before);
    EXPECT_FALSE(std::filesystem::exists(backup()));
    EXPECT_EQ(listName(database()), "Banks");
}

TEST_F(CompactionTest, LeftoverBackupIsRemovedFirst) {
    makeDatabase(database());
    writeFile(backup(), "half a backup from an interrupted run");
    EXPECT_EQ(CompactAtStart(home.path()), CompactionResult::Compacted);
    EXPECT_EQ(listName(database()), "Banks");
    EXPECT_FALSE(std::filesystem::exists(backup()));
}

TEST_F(CompactionTest, FailureLeavesTheDatabaseByteIdentical) {
    makeDatabase(database());
    const std::string original = readFile(database());
    const Compactor failures[] = {
        // writes part of a backup, then fails
        [](const std::string&, const std::string& destination, auto&&...) {
            writeFile(destination, "partial");
            return false;
        },
        [](auto&&...) -> bool { throw std::runtime_error("engine gone"); },
    };
    for (const Compactor& compact : failures) {
        EXPECT_EQ(CompactAtStart(home.path(), compact), CompactionResult::Failed);
        EXPECT_EQ(readFile(database()), original);
        EXPECT_FALSE(std::filesystem::exists(backup()));
    }
}

TEST_F(CompactionTest, FileThatIsNotADatabaseIsLeftAsItIs) {
    const std::string junk(4096, 'j');
    writeFile(database(), junk);
    EXPECT_EQ(CompactAtStart(home.path()), CompactionResult::Failed);
    EXPECT_EQ(readFile(database()), junk);
    EXPECT_FALSE(std::filesystem::exists(backup()));
}

TEST_F(CompactionTest, CrashBetweenCompactionAndReplacementLosesNothing) {
    // The run stopped after the old database was gone and before the backup took its place.
    makeDatabase(database());
    ASSERT_TRUE(CompactMarketDatabase(database().string(), backup().string(), "", "", "", 0));
    std::filesystem::remove(database());
    EXPECT_EQ(CompactAtStart(home.path()), CompactionResult::Compacted);
    EXPECT_EQ(listName(database()), "Banks");
    EXPECT_FALSE(std::filesystem::exists(backup()));
}

TEST_F(CompactionTest, DamagedBackupIsNotPutInPlaceOfAMissingDatabase) {
    writeFile(backup(), std::string(4096, 'b'));
    EXPECT_EQ(CompactAtStart(home.path()), CompactionResult::Missing);
    EXPECT_FALSE(std::filesystem::exists(database()));
    EXPECT_TRUE(std::filesystem::exists(backup()));  // kept for rescue
}

TEST_F(CompactionTest, NothingToCompactCreatesNothing) {
    EXPECT_EQ(CompactAtStart(home.path()), CompactionResult::Missing);
    EXPECT_TRUE(std::filesystem::is_empty(home.path()));
}

TEST_F(CompactionTest, CompactMarketDatabaseReportsFailureWithoutLeavingAFile) {
    makeDatabase(database());
    EXPECT_FALSE(CompactMarketDatabase((home / "none.mqd").string(), backup().string(), "", "", "", 0));
    EXPECT_FALSE(std::filesystem::exists(home / "none.mqd"));
    EXPECT_FALSE(std::filesystem::exists(backup()));
    writeFile(backup(), "x");  // never overwrites a file
    EXPECT_FALSE(CompactMarketDatabase(database().string(), backup().string(), "", "", "", 0));
    EXPECT_EQ(readFile(backup()), "x");
}

namespace {

// Runs `work` on a connection to the database in a child process, which then waits, the connection
// still open, until it is killed with SIGKILL: a program ended by a crash, with whatever the engine
// left beside the database.
void killAfter(const std::filesystem::path& database, const std::function<void(db::Connection&)>& work) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        // Never closed: the process ends only by the kill.
        auto* connection = new db::Connection();
        try {
            *connection = db::Connection::openExisting(database);
            work(*connection);
        } catch (...) {
            ::_exit(2);
        }
        const char done = 'x';
        if (::write(ready[1], &done, 1) != 1) {
            ::_exit(3);
        }
        for (;;) {
            ::pause();
        }
    }
    ::close(ready[1]);
    char done = 0;
    const ssize_t got = ::read(ready[0], &done, 1);
    ::close(ready[0]);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_EQ(got, 1) << "the child did not finish its work";
    ASSERT_TRUE(WIFSIGNALED(status));
}

}  // namespace

TEST_F(CompactionTest, LiveWriteAheadLogIsCheckpointedBeforeTheCopyReplacesTheDatabase) {
    makeDatabase(database());
    killAfter(database(), [](db::Connection& c) {
        if (c.query("PRAGMA journal_mode=WAL").textOrEmpty(0) != "wal") {
            throw std::runtime_error("no WAL");
        }
        c.execute("PRAGMA wal_autocheckpoint=0");
        for (int i = 10; i < 60; ++i) {
            c.execute("INSERT INTO WatchLists (ID, NAME) VALUES (?, 'committed')", {i});
        }
    });
    ASSERT_GT(std::filesystem::file_size(home / "MQMKD.mqd-wal"), 0u);

    EXPECT_EQ(CompactAtStart(home.path()), CompactionResult::Compacted);
    for (const char* side : {"MQMKD.mqd-wal", "MQMKD.mqd-shm", "MQMKD.mqd-journal"}) {
        EXPECT_FALSE(std::filesystem::exists(home / side)) << side;
    }
    db::Connection c = db::Connection::openExisting(database());
    EXPECT_EQ(c.query("PRAGMA integrity_check").textOrEmpty(0), "ok");
    EXPECT_EQ(c.query("PRAGMA journal_mode").textOrEmpty(0), "delete");
    EXPECT_EQ(c.query("SELECT COUNT(*) FROM WatchLists WHERE NAME = 'committed'").int32(0), 50);
    EXPECT_EQ(c.query("SELECT NAME FROM WatchLists WHERE ID = 1").textOrEmpty(0), "Banks");
}

TEST_F(CompactionTest, HotJournalIsRolledBackBeforeTheCopyIsMade) {
    makeDatabase(database());
    killAfter(database(), [](db::Connection& c) {
        c.execute("PRAGMA cache_size=5");  // so that the open transaction spills into the file
        c.execute("INSERT INTO WatchLists (ID, NAME) VALUES (2, 'committed')");
        c.execute("SAVEPOINT open");
        for (int i = 100; i < 2000; ++i) {
            c.execute("INSERT INTO WatchLists (ID, NAME) VALUES (?, ?)", {i, std::string(300, 'u')});
        }
    });
    ASSERT_TRUE(std::filesystem::exists(home / "MQMKD.mqd-journal"));

    EXPECT_EQ(CompactAtStart(home.path()), CompactionResult::Compacted);
    EXPECT_FALSE(std::filesystem::exists(home / "MQMKD.mqd-journal"));
    db::Connection c = db::Connection::openExisting(database());
    EXPECT_EQ(c.query("PRAGMA integrity_check").textOrEmpty(0), "ok");
    EXPECT_EQ(c.query("SELECT group_concat(NAME) FROM WatchLists").textOrEmpty(0), "Banks,committed");
}

TEST_F(CompactionTest, JournalThatCannotBeSettledSkipsTheCompactionAndSaysSo) {
    makeDatabase(database());
    const std::string original = readFile(database());
    // A log the engine can neither read nor remove: a folder in its place.
    std::filesystem::create_directory(home / "MQMKD.mqd-wal");
    EXPECT_EQ(CompactAtStart(home.path()), CompactionResult::Failed);
    EXPECT_EQ(readFile(database()), original);
    EXPECT_FALSE(std::filesystem::exists(backup()));
    const std::string log = readFile(home / "Tarnwick.log");
    EXPECT_NE(log.find("The market database was not compacted: \"MQMKD.mqd-wal\" is still beside it"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("Function:CompactAtStart\r\n"), std::string::npos);
}
