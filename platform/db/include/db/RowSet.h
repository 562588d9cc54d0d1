// The rows of one query. A forward-only row set reads one row at a time from the engine; a static
// row set holds every row, knows its count and can go back to the first row.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/Value.h"

namespace db {

namespace detail {
struct StatementHandle;
}

enum class CursorType { ForwardOnly, Static };

// A field of the current row, by 0-based position or by name (names compare without regard to case).
class Field {
public:
    Field(int index) : index_(index) {}
    Field(std::string_view name) : index_(-1), name_(name) {}
    Field(const char* name) : index_(-1), name_(name) {}

    int index() const { return index_; }
    std::string_view name() const { return name_; }

private:
    int index_;
    std::string_view name_;
};

class RowSet {
public:
    RowSet();
    RowSet(RowSet&&) noexcept;
    RowSet& operator=(RowSet&&) noexcept;
    ~RowSet();

    CursorType cursorType() const { return cursor_; }
    bool eof() const;
    void moveNext();
    // Static row sets only: back to the first row.
    void moveFirst();
    // The number of rows of a static row set; -1 for a forward-only one, which cannot know it.
    std::int64_t recordCount() const;
    void close();

    int fieldCount() const { return static_cast<int>(names_.size()); }
    const std::string& fieldName(int index) const;
    int fieldIndex(std::string_view name) const;

    // Typed reads of the current row. A NULL reads as nullopt through text(), and raises "Invalid use
    // of Null" through the getters that cannot hold it.
    const Value& value(Field field) const;
    bool isNull(Field field) const;
    std::optional<std::string> text(Field field) const;
    std::string textOrEmpty(Field field) const;
    std::int32_t int32(Field field) const;
    std::int64_t int64(Field field) const;
    double real(Field field) const;
    bool boolean(Field field) const;
    Date date(Field field) const;

private:
    friend class Statement;
    RowSet(std::shared_ptr<detail::StatementHandle> statement, CursorType cursor);

    void readRow();
    bool stepForward();
    int resolve(Field field) const;
    const std::vector<Value>& currentRow() const;

    std::shared_ptr<detail::StatementHandle> statement_;
    CursorType cursor_ = CursorType::Static;
    std::vector<std::string> names_;
    std::vector<std::vector<Value>> rows_;  // static: all rows; forward-only: the current row
    std::size_t position_ = 0;
    bool atEnd_ = true;
};

}  // namespace db
