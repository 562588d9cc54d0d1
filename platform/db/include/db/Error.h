// The error object of the database layer: a number and a description, as the application's own
// error object carries them, plus the kind of failure for callers that must tell them apart.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace db {

enum class ErrorKind {
    Provider,      // the engine refused the operation (syntax, I/O, constraint other than a key...)
    DuplicateKey,  // an insert or update would give two rows the same key
    NotFound,      // the database file does not exist
    Closed,        // the connection is not open
    NoCurrentRow,  // a field was read at the end of a row set
    NoSuchColumn,  // a field name or position that the row set does not have
    NullValue,     // a NULL read through a getter that cannot hold one
    TypeMismatch,  // a value that does not convert to the type asked for
    Refused,       // a statement from outside the program that its confinement does not allow
    WorkLimit,     // a statement stopped (and undone) when its work passed the limit set for it
};

// Numbers the way the data-access layer reported them, so that logged errors read the same.
namespace errnum {
inline constexpr std::int32_t kProvider = -2147467259;  // 0x80004005, the provider's general failure
inline constexpr std::int32_t kDuplicateKey = -2147467259;
inline constexpr std::int32_t kNotFound = -2147467259;
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kInvalidUseOfNull = 94;
inline constexpr std::int32_t kClosed = 3704;
inline constexpr std::int32_t kNoCurrentRow = 3021;
inline constexpr std::int32_t kItemNotFound = 3265;
}  // namespace errnum

class Error : public std::runtime_error {
public:
    Error(ErrorKind kind, std::int32_t number, const std::string& description)
        : std::runtime_error(description), kind_(kind), number_(number) {}

    ErrorKind kind() const { return kind_; }
    std::int32_t number() const { return number_; }
    std::string description() const { return what(); }
    bool isDuplicateKey() const { return kind_ == ErrorKind::DuplicateKey; }

private:
    ErrorKind kind_;
    std::int32_t number_;
};

}  // namespace db
