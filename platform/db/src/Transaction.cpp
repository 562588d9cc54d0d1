#include "db/Transaction.h"

#include <exception>

#include "db/Connection.h"

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
    if (connection_.isOpen()) {
        connection_.execute("ROLLBACK TO " + savepoint_);
        connection_.execute("RELEASE " + savepoint_);
    }
}

}  // namespace db
