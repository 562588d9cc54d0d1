// The application's error object: a number and a description, as every error trap logs them.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tarnwick {

namespace errnum {
inline constexpr std::int32_t kTypeMismatch = 13;
inline constexpr std::int32_t kOutOfMemory = 7;
inline constexpr std::int32_t kFileNotFound = 53;
inline constexpr std::int32_t kInputPastEndOfFile = 62;
inline constexpr std::int32_t kApplicationDefined = 95;  // a failure without a number of its own
}  // namespace errnum

class AppError : public std::runtime_error {
public:
    AppError(std::int32_t number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    std::int32_t number() const { return number_; }
    std::string description() const { return what(); }

    // The error object of the exception being handled: its own number and description for an
    // AppError or a database error, a fixed number with the message for anything else. Call only
    // inside a catch block.
    static AppError fromCurrentException() noexcept;

private:
    std::int32_t number_;
};

}  // namespace tarnwick
