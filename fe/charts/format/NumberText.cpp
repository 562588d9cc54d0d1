#include "format/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "com/FixedText.h"

namespace dravik {
namespace {

// The exact decimal digits of |value| (finite): digits without leading zeros and the position of the
// decimal point in them (digits before the point). Binary fractions end, so 1074 decimals are exact.
struct ExactDecimal {
    std::string digits;  // "" for zero
    int pointPosition = 0;
};

ExactDecimal exactDecimal(double value) {
    static constexpr int kExactDecimals = 1074;
    char buffer[320 + kExactDecimals];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::fixed, kExactDecimals);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t point = text.find('.');
    std::string all = std::string(text.substr(0, point)) + std::string(text.substr(point + 1));
    int pointPosition = static_cast<int>(point);
    const std::size_t first = all.find_first_not_of('0');
    if (first == std::string::npos)
        return {};
    all.erase(0, first);
    pointPosition -= static_cast<int>(first);
    all.erase(all.find_last_not_of('0') + 1);
    return {all, pointPosition};
}

// Keeps `keep` leading digits (keep may be 0 or negative: nothing kept), rounding half away from zero.
// Returns the kept digits, one longer than `keep` when the rounding carried into a new digit.
std::string roundDigits(const std::string& digits, int keep, bool& carried) {
    carried = false;
    if (keep < 0)
        return {};
    std::string kept = digits.substr(0, std::min<std::size_t>(digits.size(), static_cast<std::size_t>(keep)));
    kept.resize(static_cast<std::size_t>(keep), '0');
    const bool up =
        static_cast<std::size_t>(keep) < digits.size() && digits[static_cast<std::size_t>(keep)] >= '5';
    if (!up)
        return kept;
    std::size_t i = kept.size();
    while (i > 0 && kept[i - 1] == '9')
        kept[--i] = '0';
    if (i == 0) {
        kept.insert(kept.begin(), '1');
        carried = true;
    } else {
        ++kept[i - 1];
    }
    return kept;
}

std::string fixedText(double value, int decimals, std::string_view separator) {
    const ExactDecimal exact = exactDecimal(value);
    // Integer and fraction digits of the exact value.
    std::string integer;
    std::string fraction;
    if (exact.pointPosition <= 0) {
        integer = "0";
        fraction = std::string(static_cast<std::size_t>(-exact.pointPosition), '0') + exact.digits;
    } else {
        const std::size_t p = static_cast<std::size_t>(exact.pointPosition);
        integer = exact.digits.substr(0, std::min(p, exact.digits.size()));
        integer.resize(p, '0');
        fraction = p < exact.digits.size() ? exact.digits.substr(p) : std::string();
    }
    const std::size_t keep = static_cast<std::size_t>(decimals);
    bool carried = false;
    const std::string rounded =
        roundDigits(integer + fraction, static_cast<int>(integer.size() + keep), carried);
    const std::size_t integerDigits = integer.size() + (carried ? 1 : 0);
    std::string out = std::signbit(value) ? "-" : "";  // as printf, also for -0.0 and values rounding to 0
    out += rounded.substr(0, integerDigits);
    if (decimals > 0) {
        out += separator;
        out += rounded.substr(integerDigits);
    }
    return out;
}

std::string scientificText(double value, int decimals, std::string_view separator) {
    const ExactDecimal exact = exactDecimal(value);
    std::string out = std::signbit(value) ? "-" : "";
    int exponent = 0;
    std::string kept;
    if (exact.digits.empty()) {
        kept.assign(static_cast<std::size_t>(decimals) + 1, '0');
    } else {
        bool carried = false;
        kept = roundDigits(exact.digits, decimals + 1, carried);
        exponent = exact.pointPosition - 1 + (carried ? 1 : 0);
        kept.resize(static_cast<std::size_t>(decimals) + 1);
    }
    out += kept[0];
    if (decimals > 0) {
        out += separator;
        out += kept.substr(1);
    }
    out += exponent < 0 ? "e-" : "e+";
    const std::string magnitude = std::to_string(std::abs(exponent));
    if (magnitude.size() < 2)
        out += '0';
    out += magnitude;
    return out;
}

constexpr int kMaxDecimals = 1100;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of `text` that reads as a decimal floating number (sign excluded).
std::size_t numberSpan(std::string_view text, bool& hasNegativeExponent, bool& integerPartZero) {
    std::size_t i = 0;
    std::size_t digits = 0;
    integerPartZero = true;
    while (i < text.size() && isDigit(text[i])) {
        integerPartZero = integerPartZero && text[i] == '0';
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    hasNegativeExponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        const bool negative = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            hasNegativeExponent = negative;
            i = j;
        }
    }
    return i;
}

double readNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    text.remove_prefix(i);
    double value = 0.0;
    bool negativeExponent = false;
    bool integerZero = true;
    const std::size_t span = numberSpan(text, negativeExponent, integerZero);
    if (span == 0) {
        // "inf", "infinity" and "nan" as atof reads them.
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        if (result.ec != std::errc() || std::isfinite(value))
            return 0.0;
        return negative ? -value : value;
    }
    const auto result = std::from_chars(text.data(), text.data() + span, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = negativeExponent || integerZero ? 0.0 : std::numeric_limits<double>::infinity();
    return negative ? -value : value;
}

}  // namespace

std::string formatDoubleText(double value, int decimals, std::string_view separator, bool scientific) {
    if (decimals < 0)
        decimals = 6;
    // No double has a non-zero digit beyond the 1074th decimal; more decimals would only add zeros
    // (and let a wild count allocate without bound).
    decimals = std::min(decimals, kMaxDecimals);
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    return scientific ? scientificText(value, decimals, separator) : fixedText(value, decimals, separator);
}

int FormatDouble(char* buffer, std::size_t size, int decimals, double value, std::string_view separator,
                 bool scientific) {
    const std::string text = formatDoubleText(value, decimals, separator, scientific);
    return static_cast<int>(com::copyToFixed(text, buffer, size).length);
}

double ParseNumber(std::string_view text, std::string_view separator) {
    if (separator.empty() || separator == ".")
        return readNumber(text);
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos)
        return readNumber(text);
    std::string copy(text);
    copy.replace(at, separator.size(), ".");
    return readNumber(copy);
}

std::string_view ParseUnsigned(std::string_view text, unsigned& number) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    number = 0;
    bool any = false;
    while (i < text.size() && isDigit(text[i])) {
        const unsigned digit = static_cast<unsigned>(text[i] - '0');
        number = number > (std::numeric_limits<unsigned>::max() - digit) / 10
                     ? std::numeric_limits<unsigned>::max()
                     : number * 10 + digit;
        any = true;
        ++i;
    }
    if (any && i < text.size())
        ++i;  // the separator after the number
    return text.substr(i);
}

double ReadItemNumber(std::string_view fieldText) {
    return ParseNumber(fieldText.substr(0, 20), ".");
}

std::string FormatItemNumber(double value, int decimals) {
    char buffer[40];
    const int length = FormatDouble(buffer, sizeof buffer, decimals, value, ".", false);
    return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace dravik
