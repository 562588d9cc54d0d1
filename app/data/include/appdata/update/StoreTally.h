// How many records the storing of an update stream or a data file stored, what it could not store,
// and the rule that follows from it: a market's update tags say that its data is here, so they
// advance only when every row of that market was stored and the transaction committed. A daily row
// that failed holds back its own market; a row of no single market (a market, sector, company, split
// or note row) holds back all.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string_view>

namespace db {
class Connection;
class Transaction;
}  // namespace db

namespace tarnwick {

class StoreTally {
public:
    void record(bool stored, std::optional<std::int32_t> market = std::nullopt) {
        if (stored) {
            ++stored_;
            return;
        }
        ++failures_;
        if (market) {
            markets_.insert(*market);
        } else {
            everyMarket_ = true;
        }
    }
    bool complete(std::int32_t market) const { return !everyMarket_ && !markets_.contains(market); }
    std::int64_t failures() const { return failures_; }
    std::int64_t stored() const { return stored_; }

private:
    std::set<std::int32_t> markets_;
    bool everyMarket_ = false;
    std::int64_t failures_ = 0;
    std::int64_t stored_ = 0;
};

// Raises AppError when the engine has ended the connection's transaction on its own (a full disk
// rolls it back whole): every row stored after that would go in unguarded, one by one.
void RequireOpenTransaction(const db::Connection& connection);

// After an error ended the storing: keeps the rows stored so far when the database still holds
// them. False, with the failure logged under procName and the transaction rolled back, when they
// could not be kept. Never raises.
bool KeepStoredRows(db::Transaction& transaction, std::string_view procName) noexcept;

}  // namespace tarnwick
