#include "core/Checked.h"

#include <cmath>
#include <limits>

#include "com/VbMath.h"
#include "core/Failure.h"

namespace indikon {
namespace {

template <typename T>
T valueOrRaise(const com::vb::Checked<T>& checked) {
    switch (checked.error()) {
        case com::vb::MathError::None:
            return checked.value();
        case com::vb::MathError::DivisionByZero:
            raise(RuntimeError::DivisionByZero);
        case com::vb::MathError::InvalidArgument:
            raise(RuntimeError::InvalidCall);
        case com::vb::MathError::Overflow:
            break;
    }
    raise(RuntimeError::Overflow);
}

}  // namespace

double failedDivision(double numerator, double denominator) {
    valueOrRaise(com::vb::divide(numerator, denominator));
    raise(RuntimeError::Overflow);  // divide() comes here only for a failing division
}

double exponential(double value) {
    return valueOrRaise(com::vb::exp(value));
}

double finiteValue(double value) {
    if (!std::isfinite(value))
        raise(RuntimeError::Overflow);
    return value;
}

com::SHORT toInteger(std::int64_t value) {
    return valueOrRaise(com::vb::narrowToInt16(value));
}

com::SHORT roundToInteger(double value) {
    return valueOrRaise(com::vb::toInt16(value));
}

com::LONG roundToLong(double value) {
    return valueOrRaise(com::vb::toInt32(value));
}

double greaterOf(double a, double b) {
    return a > b ? a : b;
}

double lesserOf(double a, double b) {
    return a < b ? a : b;
}

double rangeRatio(double a, double b, double c) {
    if (a == b)
        return 0;
    return divide(c - b, a - b);
}

}  // namespace indikon
