// A prepared statement that can be run many times with new parameters. Parameters are bound by
// position (the "?" placeholders, from the first); a statement never takes values as SQL text.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>

#include "db/RowSet.h"
#include "db/Value.h"

namespace db {

class Statement {
public:
    Statement(Statement&&) noexcept;
    Statement& operator=(Statement&&) noexcept;
    ~Statement();

    // Runs the statement to its end and returns the number of rows it inserted, changed or deleted.
    std::int64_t execute(std::span<const Value> params = {});
    std::int64_t execute(std::initializer_list<Value> params) { return execute(asSpan(params)); }
    // Runs a query; a row set still open on this statement ends when the statement is run again.
    RowSet query(std::span<const Value> params = {}, CursorType cursor = CursorType::Static);
    RowSet query(std::initializer_list<Value> params, CursorType cursor = CursorType::Static) {
        return query(asSpan(params), cursor);
    }

    static std::span<const Value> asSpan(std::initializer_list<Value> params) {
        return {params.begin(), params.size()};
    }

private:
    friend class Connection;
    explicit Statement(std::shared_ptr<detail::StatementHandle> handle);

    std::shared_ptr<detail::StatementHandle> handle_;
};

}  // namespace db
