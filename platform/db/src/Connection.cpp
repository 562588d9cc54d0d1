#include "db/Connection.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>

#include "Authorizer.h"
#include "Sqlite.h"
#include "db/Error.h"
#include "db/Files.h"

namespace db {

namespace {

// Statements run through execute() are kept prepared, keyed by their text; the record classes run
// the same few statements for every row of an update.
constexpr std::size_t kStatementCacheLimit = 64;
constexpr int kBusyTimeoutMs = 2000;

// The engine's defensive settings, on for every connection the program opens.
struct DbConfig {
    int option;
    int value;
};
constexpr DbConfig kDefensiveSettings[] = {
    {SQLITE_DBCONFIG_DEFENSIVE, 1},              // no writes to the schema table, no journal_mode=OFF
    {SQLITE_DBCONFIG_ENABLE_FTS3_TOKENIZER, 0},  // no tokenizer pointers from SQL text
    {SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0},         // functions named in the schema are not trusted
    {SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0},  // no extension loading, from C or SQL
};

Error openError(const std::filesystem::path& file, const Error& error) {
    return Error(error.kind(), error.number(),
                 "The database \"" + file.string() + "\" cannot be opened: " + error.description());
}

void applyDefensiveSettings(sqlite3* db, const std::filesystem::path& file) {
    for (const DbConfig& setting : kDefensiveSettings) {
        int applied = -1;
        const int rc = sqlite3_db_config(db, setting.option, setting.value, &applied);
        if (rc != SQLITE_OK || applied != setting.value) {
            throw openError(
                file, Error(ErrorKind::Provider, errnum::kProvider, "the engine refused a safety setting"));
        }
    }
}

// Switches a read-write connection to a rollback journal. Opening a database that another run left
// in write-ahead-log mode first replays its log, and the switch checkpoints the log into the
// database and removes it, so that the file alone holds every committed row.
void useRollbackJournal(sqlite3* db, const std::filesystem::path& file) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA journal_mode=DELETE", -1, &stmt, nullptr);
    std::string mode;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            mode = text != nullptr ? text : "";
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_OK) {
        throw openError(file, detail::engineError(db, rc));
    }
    if (mode != "delete") {
        throw openError(file, Error(ErrorKind::Provider, errnum::kProvider,
                                    "its journal stays in \"" + mode + "\" mode"));
    }
}

Error notFound(const std::filesystem::path& file) {
    return Error(ErrorKind::NotFound, errnum::kNotFound,
                 "The database file \"" + file.string() + "\" does not exist.");
}

// Looks statements up by the text the caller holds, without copying it first.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

using StatementCache =
    std::unordered_map<std::string, std::shared_ptr<detail::StatementHandle>, TextHash, std::equal_to<>>;

}  // namespace

struct Connection::Impl {
    std::shared_ptr<detail::ConnectionState> state = std::make_shared<detail::ConnectionState>();
    std::filesystem::path file;
    StatementCache cache;
    // The entry run last, compared before the cache is searched: an update runs one statement for
    // row after row, and comparing its text costs less than hashing it. Entries stay where they are
    // until the cache is cleared.
    StatementCache::value_type* last = nullptr;
    int transactionDepth = 0;

    // The prepared statement of that text, prepared now when the cache does not hold it.
    const std::shared_ptr<detail::StatementHandle>& cached(std::string_view sql) {
        if (last != nullptr && last->first == sql) {
            return last->second;
        }
        auto it = cache.find(sql);
        if (it == cache.end()) {
            if (cache.size() >= kStatementCacheLimit) {
                clearCache();
            }
            it = cache.emplace(std::string(sql), detail::prepareOn(state, sql)).first;
        }
        last = &*it;
        return it->second;
    }

    void clearCache() {
        last = nullptr;
        cache.clear();
    }

    static std::unique_ptr<Impl> open(const std::filesystem::path& file, const std::string& name, int flags) {
        auto impl = std::make_unique<Impl>();
        impl->file = file;
        sqlite3* db = nullptr;
        const int rc = sqlite3_open_v2(name.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
        impl->state->db = db;
        if (rc != SQLITE_OK) {
            throw openError(file, detail::engineError(db, rc));
        }
        impl->state->open = true;
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        detail::countWork(*impl->state);
        applyDefensiveSettings(db, file);
        // Reading the schema here makes a file that is not a database fail at open, not at first use.
        const int check = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        if (check != SQLITE_OK) {
            throw openError(file, detail::engineError(db, check));
        }
        if ((flags & SQLITE_OPEN_READWRITE) != 0 && name != ":memory:") {
            useRollbackJournal(db, file);
        }
        return impl;
    }
};

Connection::Connection() = default;
Connection::Connection(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Connection::Connection(Connection&&) noexcept = default;
Connection& Connection::operator=(Connection&& other) noexcept {
    if (this != &other) {
        close();
        impl_ = std::move(other.impl_);
    }
    return *this;
}
Connection::~Connection() {
    close();
}

Connection Connection::openExisting(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        throw notFound(file);
    }
    // No SQLITE_OPEN_CREATE: a file removed in between is refused, not recreated empty.
    return Connection(Impl::open(file, file.string(), SQLITE_OPEN_READWRITE));
}

Connection Connection::openReadOnly(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        throw notFound(file);
    }
    return Connection(Impl::open(file, file.string(), SQLITE_OPEN_READONLY));
}

Connection Connection::openInMemory() {
    return Connection(Impl::open(":memory:", ":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
}

Connection Connection::createNew(const std::filesystem::path& file) {
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) {
        throw Error(ErrorKind::Provider, errnum::kProvider,
                    "The database file \"" + file.string() + "\" exists already.");
    }
    return Connection(Impl::open(file, file.string(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE));
}

bool Connection::isOpen() const {
    return impl_ && impl_->state->open;
}

const std::filesystem::path& Connection::file() const {
    static const std::filesystem::path none;
    return impl_ ? impl_->file : none;
}

void Connection::close() {
    if (!impl_) {
        return;
    }
    impl_->clearCache();
    impl_->state->open = false;
    // Statements or row sets still held elsewhere keep the engine handle until they go; the handle is
    // released with the last of them (the state's destructor).
    impl_.reset();
}

Connection::Impl& Connection::impl() const {
    if (!isOpen()) {
        throw detail::closedError();
    }
    return *impl_;
}

std::int64_t Connection::execute(std::string_view sql, std::span<const Value> params) {
    // A copy of the handle keeps the statement alive even if the cache is cleared meanwhile.
    Statement statement(impl().cached(sql));
    return statement.execute(params);
}

void Connection::executeScript(std::string_view sql) {
    Impl& self = impl();
    self.state->stepWork = 0;
    if (sql.find('\0') != std::string_view::npos) {
        throw Error(ErrorKind::Refused, errnum::kProvider, "The statement text holds a NUL character.");
    }
    const std::string text(sql);
    char* message = nullptr;
    const int rc = sqlite3_exec(self.state->db, text.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        sqlite3_free(message);
        throw detail::engineError(self.state->db, rc);
    }
}

RowSet Connection::query(std::string_view sql, std::span<const Value> params, CursorType cursor) {
    return prepare(sql).query(params, cursor);
}

Statement Connection::prepare(std::string_view sql) {
    return Statement(detail::prepareOn(impl().state, sql));
}

std::int64_t Connection::executeConfined(std::string_view sql, const Confinement& rules) {
    Impl& self = impl();
    // The authorizer stays in place until the statement is finalized: the engine may prepare it
    // again while it runs, and that preparation is checked too.
    detail::AuthorizerScope authorizer(self.state->db, rules);
    std::shared_ptr<detail::StatementHandle> handle;
    try {
        handle = detail::prepareOn(self.state, sql);
    } catch (const Error& e) {
        if (e.kind() == ErrorKind::Refused || authorizer.deniedSomething()) {
            throw Error(ErrorKind::Refused, e.number(), "The statement is not allowed: " + e.description());
        }
        throw;
    }
    if (!authorizer.sawDataStatement() || sqlite3_stmt_isexplain(handle->stmt) != 0) {
        throw Error(ErrorKind::Refused, errnum::kProvider,
                    "The statement is not allowed: only SELECT, INSERT, UPDATE and DELETE are run.");
    }
    Statement statement(std::move(handle));
    const detail::StatementWorkLimit limit(*self.state, rules.workLimit);
    return statement.execute();
}

void Connection::setStepWorkLimit(std::int64_t instructions) {
    impl().state->stepLimit = std::max<std::int64_t>(instructions, 0);
}

bool Connection::inTransaction() const {
    return isOpen() && sqlite3_get_autocommit(impl_->state->db) == 0;
}

bool Connection::tableExists(std::string_view name) {
    RowSet rows = query("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE",
                        {std::string(name)});
    return !rows.eof();
}

void Connection::vacuumInto(const std::filesystem::path& destination) {
    impl();
    std::error_code ec;
    if (std::filesystem::exists(destination, ec)) {
        throw Error(ErrorKind::Provider, errnum::kProvider,
                    "The file \"" + destination.string() + "\" exists already.");
    }
    try {
        execute("VACUUM INTO ?", {destination.string()});
        syncFile(destination);
    } catch (...) {
        std::filesystem::remove(destination, ec);
        throw;
    }
}

int Connection::enterTransaction() {
    return ++impl().transactionDepth;
}

void Connection::leaveTransaction() {
    if (impl_ && impl_->transactionDepth > 0) {
        --impl_->transactionDepth;
    }
}

}  // namespace db
