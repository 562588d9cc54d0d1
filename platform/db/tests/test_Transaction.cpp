#include <gtest/gtest.h>

#include "db/Connection.h"
#include "db/Error.h"
#include "db/Transaction.h"

namespace {

db::Connection counter() {
    db::Connection c = db::Connection::openInMemory();
    c.execute("CREATE TABLE t (k INTEGER PRIMARY KEY)");
    return c;
}

int count(db::Connection& c) {
    return c.query("SELECT count(*) FROM t").int32(0);
}

}  // namespace

TEST(Transaction, CommitsWhenTheScopeEndsNormally) {
    db::Connection c = counter();
    {
        db::Transaction tx(c);
        c.execute("INSERT INTO t VALUES (1)");
    }
    EXPECT_EQ(count(c), 1);
}

TEST(Transaction, RollsBackWhenAnExceptionLeavesTheScope) {
    db::Connection c = counter();
    try {
        db::Transaction tx(c);
        c.execute("INSERT INTO t VALUES (1)");
        c.execute("INSERT INTO t VALUES (1)");  // duplicate key
    } catch (const db::Error&) {
    }
    EXPECT_EQ(count(c), 0);
    // The connection is usable afterwards, outside any transaction.
    c.execute("INSERT INTO t VALUES (2)");
    EXPECT_EQ(count(c), 1);
}

TEST(Transaction, InnerRollbackKeepsTheOuterWork) {
    db::Connection c = counter();
    {
        db::Transaction outer(c);
        c.execute("INSERT INTO t VALUES (1)");
        {
            db::Transaction inner(c);
            c.execute("INSERT INTO t VALUES (2)");
            inner.rollback();
        }
        c.execute("INSERT INTO t VALUES (3)");
    }
    EXPECT_EQ(c.query("SELECT group_concat(k) FROM (SELECT k FROM t ORDER BY k)").text(0), "1,3");
}

TEST(Transaction, ExplicitRollbackDiscardsEverything) {
    db::Connection c = counter();
    db::Transaction tx(c);
    c.execute("INSERT INTO t VALUES (1)");
    tx.rollback();
    EXPECT_FALSE(tx.isActive());
    EXPECT_EQ(count(c), 0);
}

TEST(Transaction, FullDiskNeverCommitsPartOfTheWork) {
    db::Connection c = db::Connection::openInMemory();
    c.execute("CREATE TABLE t (k INTEGER PRIMARY KEY, s TEXT)");
    const int pages = c.query("PRAGMA page_count").int32(0);
    c.query("PRAGMA max_page_count=" + std::to_string(pages + 8));
    db::Transaction tx(c);
    int stored = 0;
    try {
        for (;; ++stored) {
            c.execute("INSERT INTO t VALUES (?, ?)", {stored, std::string(2000, 'x')});
        }
    } catch (const db::Error& e) {
        EXPECT_NE(e.description().find("full"), std::string::npos) << e.description();
    }
    EXPECT_GT(stored, 3);
    // The engine has rolled the whole transaction back on its own; the commit must say so rather
    // than report the lost rows as stored.
    EXPECT_FALSE(c.inTransaction());
    try {
        tx.commit();
        ADD_FAILURE() << "the commit reported success";
    } catch (const db::Error& e) {
        EXPECT_NE(e.description().find("ended the transaction"), std::string::npos) << e.description();
    }
    EXPECT_FALSE(tx.isActive());
    tx.rollback();  // nothing left to undo, and no error for it
    EXPECT_EQ(count(c), 0);
    c.execute("INSERT INTO t VALUES (1, 'fits')");  // usable afterwards, outside any transaction
    EXPECT_EQ(count(c), 1);
}
