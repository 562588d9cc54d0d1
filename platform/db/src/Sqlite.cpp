#include "Sqlite.h"

#include <string>
#include <type_traits>

namespace db::detail {

ConnectionState::~ConnectionState() {
    if (db != nullptr) {
        sqlite3_close_v2(db);
    }
}

namespace {

// The progress handler runs after every this many instructions: the limits are met to within it.
constexpr int kWorkPeriod = 1000;

int addWork(void* context) {
    auto& state = *static_cast<ConnectionState*>(context);
    state.stepWork += kWorkPeriod;
    state.statementWork += kWorkPeriod;
    state.overLimit = (state.stepLimit > 0 && state.stepWork > state.stepLimit) ||
                      (state.statementLimit > 0 && state.statementWork > state.statementLimit);
    return state.overLimit ? 1 : 0;
}

}  // namespace

void countWork(ConnectionState& state) {
    sqlite3_progress_handler(state.db, kWorkPeriod, &addWork, &state);
}

StatementWorkLimit::StatementWorkLimit(ConnectionState& state, std::int64_t instructions) : state_(state) {
    state_.statementLimit = instructions;
    state_.statementWork = 0;
}

StatementWorkLimit::~StatementWorkLimit() {
    state_.statementLimit = 0;
}

StatementHandle::~StatementHandle() {
    sqlite3_finalize(stmt);
}

sqlite3_stmt* StatementHandle::checked() const {
    if (!connection || !connection->open) {
        throw closedError();
    }
    return stmt;
}

namespace {

int bindOne(sqlite3_stmt* stmt, int index, const Value& value) {
    return std::visit(
        [&](const auto& v) -> int {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Null>) {
                return sqlite3_bind_null(stmt, index);
            } else if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::int64_t>) {
                return sqlite3_bind_int64(stmt, index, v);
            } else if constexpr (std::is_same_v<T, bool>) {
                return sqlite3_bind_int(stmt, index, v ? 1 : 0);
            } else if constexpr (std::is_same_v<T, double>) {
                return sqlite3_bind_double(stmt, index, v);
            } else if constexpr (std::is_same_v<T, std::string>) {
                return sqlite3_bind_text64(stmt, index, v.data(), v.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
            } else {
                // A date past the four-digit years would be stored as text that sorts out of order.
                if (!isStorableDate(v)) {
                    throw Error(ErrorKind::TypeMismatch, errnum::kTypeMismatch, "Type mismatch");
                }
                const std::string text = formatIsoDate(v);
                return sqlite3_bind_text64(stmt, index, text.data(), text.size(), SQLITE_TRANSIENT,
                                           SQLITE_UTF8);
            }
        },
        value.storage());
}

}  // namespace

void StatementHandle::bind(std::span<const Value> params) {
    sqlite3_stmt* s = checked();
    sqlite3_reset(s);
    sqlite3_clear_bindings(s);
    const int expected = sqlite3_bind_parameter_count(s);
    if (static_cast<std::size_t>(expected) != params.size()) {
        throw Error(ErrorKind::Provider, errnum::kProvider,
                    "The statement takes " + std::to_string(expected) + " parameters but " +
                        std::to_string(params.size()) + " were given.");
    }
    for (std::size_t i = 0; i < params.size(); ++i) {
        const int rc = bindOne(s, static_cast<int>(i) + 1, params[i]);
        if (rc != SQLITE_OK) {
            throw engineError(connection->db, rc);
        }
    }
}

bool StatementHandle::step() {
    sqlite3_stmt* s = checked();
    connection->stepWork = 0;
    connection->overLimit = false;
    const int rc = sqlite3_step(s);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    Error error = rc == SQLITE_INTERRUPT && connection->overLimit
                      ? Error(ErrorKind::WorkLimit, errnum::kProvider,
                              "The statement was stopped: it took more work than it may.")
                      : engineError(connection->db, rc);
    sqlite3_reset(s);
    throw error;
}

Value StatementHandle::column(int index) const {
    switch (sqlite3_column_type(stmt, index)) {
        case SQLITE_INTEGER:
            return Value(static_cast<std::int64_t>(sqlite3_column_int64(stmt, index)));
        case SQLITE_FLOAT:
            return Value(sqlite3_column_double(stmt, index));
        case SQLITE_NULL:
            return Value();
        default: {
            const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt, index));
            const int size = sqlite3_column_bytes(stmt, index);
            return Value(std::string(bytes != nullptr ? bytes : "", static_cast<std::size_t>(size)));
        }
    }
}

Error engineError(sqlite3* db, int code) {
    const int extended = db != nullptr ? sqlite3_extended_errcode(db) : code;
    const std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    if (extended == SQLITE_CONSTRAINT_PRIMARYKEY || extended == SQLITE_CONSTRAINT_UNIQUE) {
        return Error(ErrorKind::DuplicateKey, errnum::kDuplicateKey, message);
    }
    if (extended == SQLITE_AUTH) {
        return Error(ErrorKind::Refused, errnum::kProvider, message);
    }
    return Error(ErrorKind::Provider, errnum::kProvider, message);
}

Error closedError() {
    return Error(ErrorKind::Closed, errnum::kClosed, "Operation is not allowed when the object is closed.");
}

// One text is one statement: whatever follows the first statement must be blanks, semicolons or
// comments. Anything else is refused rather than silently dropped, so that text joined from outside
// can never carry a second statement.
void refuseSecondStatement(sqlite3* db, const char* tail, const char* end) {
    if (tail == nullptr || tail >= end) {
        return;
    }
    sqlite3_stmt* next = nullptr;
    const int rc = sqlite3_prepare_v2(db, tail, static_cast<int>(end - tail), &next, nullptr);
    if (next != nullptr) {
        sqlite3_finalize(next);
    }
    if (rc != SQLITE_OK || next != nullptr) {
        throw Error(ErrorKind::Provider, errnum::kProvider,
                    "The statement text holds more than one statement.");
    }
}

std::shared_ptr<StatementHandle> prepareOn(const std::shared_ptr<ConnectionState>& connection,
                                           std::string_view sql) {
    if (!connection || !connection->open) {
        throw closedError();
    }
    // The engine stops reading at a NUL; what follows it would be dropped unseen.
    if (sql.find('\0') != std::string_view::npos) {
        throw Error(ErrorKind::Refused, errnum::kProvider, "The statement text holds a NUL character.");
    }
    auto handle = std::make_shared<StatementHandle>();
    handle->connection = connection;
    const char* tail = nullptr;
    const int rc =
        sqlite3_prepare_v2(connection->db, sql.data(), static_cast<int>(sql.size()), &handle->stmt, &tail);
    if (rc != SQLITE_OK) {
        throw engineError(connection->db, rc);
    }
    if (handle->stmt == nullptr) {
        throw Error(ErrorKind::Provider, errnum::kProvider, "The statement text is empty.");
    }
    refuseSecondStatement(connection->db, tail, sql.data() + sql.size());
    return handle;
}

}  // namespace db::detail
