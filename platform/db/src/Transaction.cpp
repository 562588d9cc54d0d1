#include "db/Transaction.h"

#include <exception>

#include "db/Connection.h"
#include "db/Error.h"

namespace db {

Transaction::Transaction(Connection& connection)
    : connection_(connection), uncaught_(std::uncaught_exceptions()) {
    // Save points nest where BEGIN does not; the outermost one behaves as BEGIN ... COMMIT.
    savepoint_ = "tw_tx" + std::to_string(connection_.enterTransaction());
    try {
        connection_.execute("SAVEPOINT " + savepoint_);
    } catch (...) {
        connection_.leaveTransaction();
        throw;
    }
}

Transaction::~Transaction() {
    if (!active_) {
        return;
    }
    try {
        if (std::uncaught_exceptions() > uncaught_) {
            rollback();
        } else {
            commit();
        }
    } catch (...) {
        // A destructor cannot report; call commit() explicitly where its failure matters.
        if (active_) {
            active_ = false;
            connection_.leaveTransaction();
        }
    }
}

void Transaction::commit() {
    if (!active_) {
        return;
    }
    if (!connection_.inTransaction()) {
        // The engine rolled the whole transaction back on its own after an error such as a full
        // disk; committing now would report success for changes that are gone.
        active_ = false;
        connection_.leaveTransaction();
        throw Error(
            ErrorKind::Provider, errnum::kProvider,
            "The changes were not stored: the database ended the transaction after an earlier error.");
    }
    // A failed commit leaves the transaction open, for the caller to roll back or to try again.
    connection_.execute("RELEASE " + savepoint_);
    active_ = false;
    connection_.leaveTransaction();
}

void Transaction::rollback() {
    if (!active_) {
        return;
    }
    active_ = false;
    connection_.leaveTransaction();
    if (connection_.inTransaction()) {
        connection_.execute("ROLLBACK TO " + savepoint_);
        connection_.execute("RELEASE " + savepoint_);
    }
}

}  // namespace db
