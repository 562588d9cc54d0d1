// A transaction that ends with its scope: committed when the scope is left normally, rolled back
// when an exception leaves it. Guards nest (inner ones are save points of the outer one).
#pragma once

#include <string>

namespace db {

class Connection;

class Transaction {
public:
    explicit Transaction(Connection& connection);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction();

    // Ends the transaction now; raises the engine's error when the commit fails (the transaction then
    // stays open) and an Error when the engine has already rolled it back on its own.
    void commit();
    // Undoes the transaction's changes; nothing to do when the engine has rolled it back already.
    void rollback();
    bool isActive() const { return active_; }

private:
    Connection& connection_;
    std::string savepoint_;
    int uncaught_;
    bool active_ = true;
};

}  // namespace db
