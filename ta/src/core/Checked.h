// Arithmetic that fails the way the library's callers expect instead of producing inf/NaN or wrapping:
// a division by zero or a result too large raises the language's run-time error (Division by zero,
// Overflow), which an indicator's catch-all then reports as its unexpected error.
//
// Positions, periods and counts are 16-bit: every sum or difference of them goes through toInteger,
// which raises Overflow outside -32768..32767.
#pragma once

#include <cmath>
#include <cstdint>

#include "com/Types.h"

namespace indikon {

// Raises the failure of a division that divide() found to fail.
[[noreturn]] double failedDivision(double numerator, double denominator);

// numerator / denominator; Division by zero for a zero denominator, Overflow when two finite values
// give an infinite quotient. Inline, since it sits in the inner loops of the indicators.
inline double divide(double numerator, double denominator) {
    if (denominator != 0.0) {
        const double quotient = numerator / denominator;
        if (std::isfinite(quotient) || !std::isfinite(numerator) || !std::isfinite(denominator))
            return quotient;
    }
    return failedDivision(numerator, denominator);
}
double exponential(double value);
// The value itself; Overflow when it is infinite or NaN, as a product or sum too large for a double
// fails, so that no such value is ever stored.
double finiteValue(double value);

// A whole number as a 16-bit Integer; Overflow when it does not fit.
com::SHORT toInteger(std::int64_t value);
// CInt: to the nearest 16-bit Integer, halves to even; Overflow when it does not fit.
com::SHORT roundToInteger(double value);
// CLng: the same to 32 bits.
com::LONG roundToLong(double value);

// The greater (lesser) of two values; the common value when they are equal.
double greaterOf(double a, double b);
double lesserOf(double a, double b);
// Where c lies between b (0) and a (1): (c - b) / (a - b), and 0 when a = b.
double rangeRatio(double a, double b, double c);

}  // namespace indikon
