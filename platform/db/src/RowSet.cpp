#include "db/RowSet.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <type_traits>

#include "Sqlite.h"
#include "db/Error.h"

namespace db {

namespace {

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

Error typeMismatch() {
    return Error(ErrorKind::TypeMismatch, errnum::kTypeMismatch, "Type mismatch");
}
Error nullValue() {
    return Error(ErrorKind::NullValue, errnum::kInvalidUseOfNull, "Invalid use of Null");
}

template <class T>
std::optional<T> parseNumber(const std::string& text) {
    T out{};
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, ec] = std::from_chars(first, last, out);
    if (ec != std::errc() || end != last || text.empty()) {
        return std::nullopt;
    }
    return out;
}

std::int64_t toInt64(const Value& value) {
    return std::visit(
        [](const auto& v) -> std::int64_t {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Null>) {
                throw nullValue();
            } else if constexpr (std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::int64_t>) {
                return v;
            } else if constexpr (std::is_same_v<T, bool>) {
                return v ? 1 : 0;
            } else if constexpr (std::is_same_v<T, double>) {
                // Only a whole number reads as an integer; a price never silently loses its fraction.
                if (std::trunc(v) != v || std::abs(v) > 9.0e18) {
                    throw typeMismatch();
                }
                return static_cast<std::int64_t>(v);
            } else if constexpr (std::is_same_v<T, std::string>) {
                if (auto n = parseNumber<std::int64_t>(v)) {
                    return *n;
                }
                throw typeMismatch();
            } else {
                throw typeMismatch();
            }
        },
        value.storage());
}

}  // namespace

RowSet::RowSet() = default;
RowSet::RowSet(RowSet&&) noexcept = default;
RowSet& RowSet::operator=(RowSet&&) noexcept = default;
RowSet::~RowSet() = default;

RowSet::RowSet(std::shared_ptr<detail::StatementHandle> statement, CursorType cursor)
    : statement_(std::move(statement)), cursor_(cursor) {
    sqlite3_stmt* s = statement_->checked();
    const int count = sqlite3_column_count(s);
    for (int i = 0; i < count; ++i) {
        const char* name = sqlite3_column_name(s, i);
        names_.emplace_back(name != nullptr ? name : "");
    }
    if (cursor_ == CursorType::Static) {
        while (statement_->step()) {
            readRow();
        }
        sqlite3_reset(s);
        statement_.reset();
        atEnd_ = rows_.empty();
    } else {
        atEnd_ = !stepForward();
    }
}

void RowSet::readRow() {
    std::vector<Value> row;
    row.reserve(names_.size());
    for (int i = 0; i < fieldCount(); ++i) {
        row.push_back(statement_->column(i));
    }
    rows_.push_back(std::move(row));
}

bool RowSet::stepForward() {
    rows_.clear();
    if (!statement_ || !statement_->step()) {
        if (statement_ && statement_->stmt != nullptr) {
            sqlite3_reset(statement_->stmt);
        }
        statement_.reset();
        return false;
    }
    readRow();
    return true;
}

bool RowSet::eof() const {
    return atEnd_;
}

void RowSet::moveNext() {
    if (atEnd_) {
        throw Error(ErrorKind::NoCurrentRow, errnum::kNoCurrentRow,
                    "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
                    "requires a current record.");
    }
    if (cursor_ == CursorType::Static) {
        ++position_;
        atEnd_ = position_ >= rows_.size();
    } else {
        atEnd_ = !stepForward();
    }
}

void RowSet::moveFirst() {
    if (cursor_ != CursorType::Static) {
        throw Error(ErrorKind::Provider, errnum::kProvider, "A forward-only row set cannot go back.");
    }
    position_ = 0;
    atEnd_ = rows_.empty();
}

std::int64_t RowSet::recordCount() const {
    return cursor_ == CursorType::Static ? static_cast<std::int64_t>(rows_.size()) : -1;
}

void RowSet::close() {
    statement_.reset();
    rows_.clear();
    atEnd_ = true;
}

const std::string& RowSet::fieldName(int index) const {
    if (index < 0 || index >= fieldCount()) {
        throw Error(ErrorKind::NoSuchColumn, errnum::kItemNotFound,
                    "Item cannot be found in the collection corresponding to the requested name or ordinal.");
    }
    return names_[static_cast<std::size_t>(index)];
}

int RowSet::fieldIndex(std::string_view name) const {
    for (int i = 0; i < fieldCount(); ++i) {
        if (sameName(names_[static_cast<std::size_t>(i)], name)) {
            return i;
        }
    }
    throw Error(ErrorKind::NoSuchColumn, errnum::kItemNotFound,
                "Item cannot be found in the collection corresponding to the requested name or ordinal.");
}

int RowSet::resolve(Field field) const {
    if (field.index() >= 0) {
        fieldName(field.index());  // range check
        return field.index();
    }
    return fieldIndex(field.name());
}

const std::vector<Value>& RowSet::currentRow() const {
    if (atEnd_) {
        throw Error(ErrorKind::NoCurrentRow, errnum::kNoCurrentRow,
                    "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
                    "requires a current record.");
    }
    return cursor_ == CursorType::Static ? rows_[position_] : rows_.front();
}

const Value& RowSet::value(Field field) const {
    const int index = resolve(field);
    return currentRow()[static_cast<std::size_t>(index)];
}

bool RowSet::isNull(Field field) const {
    return value(field).isNull();
}

std::optional<std::string> RowSet::text(Field field) const {
    return std::visit(
        [](const auto& v) -> std::optional<std::string> {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Null>) {
                return std::nullopt;
            } else if constexpr (std::is_same_v<T, std::string>) {
                return v;
            } else if constexpr (std::is_same_v<T, bool>) {
                return std::string(v ? "True" : "False");
            } else if constexpr (std::is_same_v<T, double>) {
                char buffer[32];
                const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
                return std::string(buffer, ec == std::errc() ? end : buffer);
            } else if constexpr (std::is_same_v<T, Date>) {
                return formatIsoDate(v);
            } else {
                return std::to_string(v);
            }
        },
        value(field).storage());
}

std::string RowSet::textOrEmpty(Field field) const {
    return text(field).value_or(std::string());
}

std::int64_t RowSet::int64(Field field) const {
    return toInt64(value(field));
}

std::int32_t RowSet::int32(Field field) const {
    const std::int64_t v = int64(field);
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) {
        throw Error(ErrorKind::TypeMismatch, 6, "Overflow");
    }
    return static_cast<std::int32_t>(v);
}

double RowSet::real(Field field) const {
    const Value& v = value(field);
    if (const auto* d = std::get_if<double>(&v.storage())) {
        return *d;
    }
    if (const auto* s = std::get_if<std::string>(&v.storage())) {
        if (auto n = parseNumber<double>(*s)) {
            return *n;
        }
        throw typeMismatch();
    }
    return static_cast<double>(toInt64(v));
}

bool RowSet::boolean(Field field) const {
    const Value& v = value(field);
    if (const auto* s = std::get_if<std::string>(&v.storage())) {
        if (sameName(*s, "True")) {
            return true;
        }
        if (sameName(*s, "False")) {
            return false;
        }
    }
    return toInt64(v) != 0;
}

Date RowSet::date(Field field) const {
    const Value& v = value(field);
    if (v.isNull()) {
        throw nullValue();
    }
    if (const auto* d = std::get_if<Date>(&v.storage())) {
        return *d;
    }
    if (const auto* s = std::get_if<std::string>(&v.storage())) {
        if (auto d = parseIsoDate(*s)) {
            return *d;
        }
    }
    throw typeMismatch();
}

}  // namespace db
