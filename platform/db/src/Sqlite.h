// Internal: the engine handles shared by connections, statements and row sets.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <span>
#include <string>

#include "db/Error.h"
#include "db/Value.h"

namespace db::detail {

// The engine connection. Statements keep it alive; once `open` is false they refuse to run, so a
// closed connection is never used through a statement that outlived it.
struct ConnectionState {
    sqlite3* db = nullptr;
    bool open = false;
    // Work limits in instructions of the engine; 0 for none. The step limit holds for every step of
    // every statement, the statement limit for the whole of the statement run under a
    // StatementWorkLimit. The progress handler that countWork() installs counts the work done.
    std::int64_t stepLimit = 0;
    std::int64_t statementLimit = 0;
    std::int64_t stepWork = 0;
    std::int64_t statementWork = 0;
    bool overLimit = false;  // the engine was stopped for a limit
    ~ConnectionState();
};

// Installs the counter of the work limits on an open connection.
void countWork(ConnectionState& state);

// The statement limit for the statement run while it exists.
class StatementWorkLimit {
public:
    StatementWorkLimit(ConnectionState& state, std::int64_t instructions);
    StatementWorkLimit(const StatementWorkLimit&) = delete;
    StatementWorkLimit& operator=(const StatementWorkLimit&) = delete;
    ~StatementWorkLimit();

private:
    ConnectionState& state_;
};

struct StatementHandle {
    std::shared_ptr<ConnectionState> connection;
    sqlite3_stmt* stmt = nullptr;
    ~StatementHandle();

    sqlite3_stmt* checked() const;
    void bind(std::span<const Value> params);
    // One step; true while a row is there.
    bool step();
    Value column(int index) const;
};

// The error of the last failing call on db, told apart by the engine's extended code.
Error engineError(sqlite3* db, int code);
Error closedError();
std::shared_ptr<StatementHandle> prepareOn(const std::shared_ptr<ConnectionState>& connection,
                                           std::string_view sql);

}  // namespace db::detail
