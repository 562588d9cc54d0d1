#include "db/Statement.h"

#include "Sqlite.h"

namespace db {

Statement::Statement(std::shared_ptr<detail::StatementHandle> handle) : handle_(std::move(handle)) {}
Statement::Statement(Statement&&) noexcept = default;
Statement& Statement::operator=(Statement&&) noexcept = default;
Statement::~Statement() = default;

std::int64_t Statement::execute(std::span<const Value> params) {
    if (!handle_) {
        throw detail::closedError();
    }
    handle_->bind(params);
    sqlite3* db = handle_->connection->db;
    const sqlite3_int64 before = sqlite3_total_changes64(db);
    while (handle_->step()) {
    }
    const sqlite3_int64 affected = sqlite3_total_changes64(db) - before;
    sqlite3_reset(handle_->stmt);
    return affected;
}

RowSet Statement::query(std::span<const Value> params, CursorType cursor) {
    if (!handle_) {
        throw detail::closedError();
    }
    handle_->bind(params);
    return RowSet(handle_, cursor);
}

}  // namespace db
