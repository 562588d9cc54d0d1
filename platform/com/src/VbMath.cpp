#include "com/VbMath.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace com::vb {

namespace {

// A finite double as a decimal: value = (negative ? -1 : 1) * digits * 10^exponent, where `digits` is
// the shortest digit string that reads back as the same double.
struct Decimal {
    bool negative = false;
    std::string digits;
    long long exponent = 0;
};

Decimal toShortestDecimal(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    const std::string_view written(text, static_cast<std::size_t>(result.ptr - text));
    Decimal decimal;
    std::size_t pos = 0;
    if (written[pos] == '-') {
        decimal.negative = true;
        ++pos;
    }
    const std::size_t e = written.find('e');
    for (; pos < e; ++pos) {
        if (written[pos] != '.') {
            decimal.digits += written[pos];
        }
    }
    int exponent = 0;
    std::from_chars(written.data() + e + 1 + (written[e + 1] == '+' ? 1 : 0), written.data() + written.size(),
                    exponent);
    // The text is d.ddd * 10^exponent; as an integer of n digits that is digits * 10^(exponent - n + 1).
    decimal.exponent = exponent - static_cast<long long>(decimal.digits.size()) + 1;
    return decimal;
}

double fromDecimal(const Decimal& decimal) {
    const std::string text =
        (decimal.negative ? "-" : "") + decimal.digits + "e" + std::to_string(decimal.exponent);
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Whether dropping `rest` from a kept digit string whose last digit is `lastKept` rounds up,
// halves to even.
bool roundsUp(std::string_view rest, char lastKept) {
    if (rest.empty() || rest.front() < '5') {
        return false;
    }
    if (rest.front() > '5' || rest.find_first_not_of('0', 1) != std::string_view::npos) {
        return true;
    }
    return (lastKept - '0') % 2 == 1;
}

void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

template <typename Int>
Checked<Int> toInteger(double value) {
    const double rounded = roundHalfEven(value);
    // Written so that NaN fails both comparisons.
    if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
        return MathError::Overflow;
    }
    return static_cast<Int>(rounded);
}

}  // namespace

std::string_view errorDescription(MathError error) {
    switch (error) {
        case MathError::None:
            return {};
        case MathError::InvalidArgument:
            return "Invalid procedure call or argument";
        case MathError::Overflow:
            return "Overflow";
        case MathError::DivisionByZero:
            return "Division by zero";
    }
    return "Application-defined or object-defined error";
}

double roundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double floor = std::floor(value);
    // Exact: a double and its floor share enough of their binary exponent for the difference to be
    // representable.
    const double fraction = value - floor;
    if (fraction < 0.5) {
        return floor;
    }
    if (fraction > 0.5) {
        return floor + 1.0;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

Checked<std::int16_t> toInt16(double value) {
    return toInteger<std::int16_t>(value);
}

Checked<std::int32_t> toInt32(double value) {
    return toInteger<std::int32_t>(value);
}

Checked<double> roundDecimals(double value, int decimals) {
    if (decimals < 0) {
        return MathError::InvalidArgument;
    }
    if (!std::isfinite(value) || value == 0.0) {
        return value;
    }
    Decimal decimal = toShortestDecimal(value);
    // Digits whose place is below 10^-decimals are dropped.
    const long long keep = static_cast<long long>(decimal.digits.size()) + decimal.exponent + decimals;
    if (keep >= static_cast<long long>(decimal.digits.size())) {
        return value;
    }
    if (keep < 0) {
        return decimal.negative ? -0.0 : 0.0;
    }
    const std::string rest = decimal.digits.substr(static_cast<std::size_t>(keep));
    decimal.digits.resize(static_cast<std::size_t>(keep));
    const char lastKept = decimal.digits.empty() ? '0' : decimal.digits.back();
    decimal.exponent += static_cast<long long>(rest.size());
    if (roundsUp(rest, lastKept)) {
        incrementDigits(decimal.digits);
    }
    if (decimal.digits.empty()) {
        return decimal.negative ? -0.0 : 0.0;
    }
    return fromDecimal(decimal);
}

Checked<double> divide(double numerator, double denominator) {
    if (denominator == 0.0) {
        return MathError::DivisionByZero;
    }
    const double quotient = numerator / denominator;
    if (std::isfinite(numerator) && std::isfinite(denominator) && !std::isfinite(quotient)) {
        return MathError::Overflow;
    }
    return quotient;
}

Checked<double> exp(double value) {
    const double result = std::exp(value);
    if (std::isinf(result)) {
        return MathError::Overflow;
    }
    return result;
}

}  // namespace com::vb
