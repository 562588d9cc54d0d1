// Number conversions as the automation language converts them, and arithmetic that reports the errors
// that language raises instead of producing inf/NaN or wrapping.
//
// Rounding is "banker's rounding": a value exactly halfway between two candidates goes to the even one
// (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -2.5 -> -2). Never use std::round where a value is converted as the
// application converts it.
#pragma once

#include <concepts>
#include <cstdint>
#include <limits>
#include <string_view>
#include <utility>

namespace com::vb {

// Error numbers as the automation language reports them; components map them to their own errors.
enum class MathError : std::int32_t {
    None = 0,
    InvalidArgument = 5,  // "Invalid procedure call or argument"
    Overflow = 6,         // "Overflow"
    DivisionByZero = 11,  // "Division by zero"
};

// The language's own description of an error number ("Overflow", "Division by zero", ...).
std::string_view errorDescription(MathError error);

// A value or the error that prevented it.
template <typename T>
class Checked {
public:
    Checked(T value) : value_(value) {}
    Checked(MathError error) : error_(error) {}

    bool ok() const { return error_ == MathError::None; }
    explicit operator bool() const { return ok(); }
    MathError error() const { return error_; }
    // The value; T{} when the operation failed.
    T value() const { return value_; }
    T valueOr(T fallback) const { return ok() ? value_ : fallback; }

private:
    T value_{};
    MathError error_ = MathError::None;
};

// Rounds to a whole number, halves to even. NaN and infinities come back unchanged.
double roundHalfEven(double value);

// CInt: to a 16-bit integer, halves to even; Overflow outside -32768..32767 (32767.5 overflows,
// -32768.5 gives -32768) and for NaN or infinities.
Checked<std::int16_t> toInt16(double value);
// CLng: the same to a 32-bit integer.
Checked<std::int32_t> toInt32(double value);

// Round(value, decimals) with halves to even in the decimal sense: the value is taken as the shortest
// decimal text that reads back as the same double (what a user typed), and that decimal is rounded.
// So Round(2.675, 2) = 2.68 and Round(2.665, 2) = 2.66, although the binary doubles nearest to 2.675
// and 2.665 lie just below them. InvalidArgument for negative decimals; NaN and infinities come back
// unchanged.
Checked<double> roundDecimals(double value, int decimals);

// numerator / denominator; DivisionByZero for a zero denominator (0 / 0 included), Overflow when the
// quotient of finite operands is not finite.
Checked<double> divide(double numerator, double denominator);

// exp(value); Overflow when the result is too large for a double.
Checked<double> exp(double value);

// Narrowing of an integer to 16 bits; Overflow when it does not fit.
template <std::integral From>
Checked<std::int16_t> narrowToInt16(From value) {
    if (std::cmp_less(value, std::numeric_limits<std::int16_t>::min()) ||
        std::cmp_greater(value, std::numeric_limits<std::int16_t>::max())) {
        return MathError::Overflow;
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace com::vb
