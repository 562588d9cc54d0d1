#include <gtest/gtest.h>

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
