// A connection to one SQLite database file, standing in for the data-access connection of the
// program. Opening never creates a database by accident: the file must exist unless createNew is
// asked for explicitly.
//
// Every connection runs with the engine's defensive settings: no writes to the schema table, no
// FTS3 tokenizer pointers, functions of the schema treated as untrusted, no extension loading. A
// read-write connection keeps a rollback journal: a database left in write-ahead-log mode is
// recovered (its log checkpointed) and switched back when it is opened. A statement text holding a
// NUL character is refused, so that nothing after it goes unseen.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <span>
#include <string_view>

#include "db/Confinement.h"
#include "db/RowSet.h"
#include "db/Statement.h"
#include "db/Value.h"

namespace db {

class Connection {
public:
    // A closed connection; every operation on it raises an Error of kind Closed.
    Connection();
    Connection(Connection&&) noexcept;
    Connection& operator=(Connection&&) noexcept;
    ~Connection();

    // Read-write on an existing database; a missing file is refused and never created.
    static Connection openExisting(const std::filesystem::path& file);
    // Read-only, for data files that must not change.
    static Connection openReadOnly(const std::filesystem::path& file);
    // A fresh database in memory, gone when the connection closes.
    static Connection openInMemory();
    // A new, empty database file; refused when the file exists already.
    static Connection createNew(const std::filesystem::path& file);

    bool isOpen() const;
    const std::filesystem::path& file() const;
    void close();

    std::int64_t execute(std::string_view sql, std::span<const Value> params);
    std::int64_t execute(std::string_view sql, std::initializer_list<Value> params = {}) {
        return execute(sql, Statement::asSpan(params));
    }
    // Several statements separated by ";", without parameters (schema text).
    void executeScript(std::string_view sql);
    RowSet query(std::string_view sql, std::span<const Value> params, CursorType cursor = CursorType::Static);
    RowSet query(std::string_view sql, std::initializer_list<Value> params = {},
                 CursorType cursor = CursorType::Static) {
        return query(sql, Statement::asSpan(params), cursor);
    }
    Statement prepare(std::string_view sql);
    // Runs one statement that came from outside the program: a SELECT, INSERT, UPDATE or DELETE that
    // touches only what `rules` allow. Anything else raises Error of kind Refused before it runs. A
    // statement whose work passes rules.workLimit is stopped and undone and raises Error of kind
    // WorkLimit; the engine then rolls back a transaction open around it as a whole, so run such
    // statements outside transactions that hold anything else.
    std::int64_t executeConfined(std::string_view sql, const Confinement& rules);
    // Bounds the work of each step of every statement on this connection (one row of a query, the
    // whole of a change) to `instructions` instructions of the engine; a step past it is stopped and
    // raises Error of kind WorkLimit. For databases from outside, whose schema could make a single row
    // cost without end. 0 lifts the limit.
    void setStepWorkLimit(std::int64_t instructions);
    // True while a transaction is open; false again when the engine ended one on its own (a full
    // disk rolls the whole transaction back).
    bool inTransaction() const;

    bool tableExists(std::string_view name);
    // Writes a compacted copy of the whole database into a new file and flushes it to disk. The
    // destination must not exist; on failure a partly written destination is removed.
    void vacuumInto(const std::filesystem::path& destination);

    // Used by Transaction to name nested save points.
    int enterTransaction();
    void leaveTransaction();

private:
    struct Impl;
    explicit Connection(std::unique_ptr<Impl> impl);
    Impl& impl() const;

    std::unique_ptr<Impl> impl_;
};

}  // namespace db
