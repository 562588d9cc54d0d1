#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace frame {

// A run-time error of the program's own procedures, carrying the numbered error that the error log
// records. Procedures without an error trap let it reach their caller.
class RunTimeError : public std::runtime_error {
public:
    static constexpr int32_t kSubscriptOutOfRange = 9;
    static constexpr int32_t kTypeMismatch = 13;
    static constexpr int32_t kNoSuchProperty = 438;

    RunTimeError(int32_t number, const std::string& description)
        : std::runtime_error(description), m_number(number) {}

    int32_t number() const { return m_number; }

private:
    int32_t m_number;
};

}  // namespace frame
