#include "loading/PriceTextFile.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/Failure.h"

namespace indikon {
namespace {

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The characters of the leading number with blanks removed, in the form from_chars reads.
struct NumberText {
    std::string mantissa;  // digits and at most one '.', sign first when negative
    std::string exponent;  // sign and digits, empty when none
    bool hasDigits = false;
};

NumberText scanNumber(std::string_view text) {
    NumberText number;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && isBlank(text[i]))
            ++i;
    };
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            number.mantissa += '-';
        ++i;
    }
    bool seenPoint = false;
    for (;; ++i) {
        skipBlanks();
        if (i >= text.size())
            return number;
        if (isDigit(text[i])) {
            number.mantissa += text[i];
            number.hasDigits = true;
        } else if (text[i] == '.' && !seenPoint) {
            number.mantissa += '.';
            seenPoint = true;
        } else {
            break;
        }
    }
    const char marker = text[i];
    if (!number.hasDigits || (marker != 'e' && marker != 'E' && marker != 'd' && marker != 'D'))
        return number;
    ++i;
    skipBlanks();
    std::string exponent;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        exponent += text[i++];
    for (; i < text.size(); ++i) {
        if (isBlank(text[i]))
            continue;
        if (!isDigit(text[i]))
            break;
        exponent += text[i];
    }
    if (!exponent.empty() && isDigit(exponent.back()))
        number.exponent = exponent;
    return number;
}

}  // namespace

PriceTextFile PriceTextFile::read(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        raise(RuntimeError::FileNotFound);
    if (std::filesystem::is_directory(path, error))
        raise(RuntimeError::PathFileAccess);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        raise(RuntimeError::PathFileAccess);
    std::string contents{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        raise(RuntimeError::PathFileAccess);
    return PriceTextFile(std::move(contents));
}

PriceTextFile::PriceTextFile(std::string contents) : contents_(std::move(contents)) {
    lines_ = splitLines(contents_);
}

PriceLine splitPriceLine(std::string_view line, std::string_view delimiter) {
    PriceLine result;
    std::string_view rest = line;
    for (auto& column : result.columns) {
        const std::size_t at = delimiter.empty() ? std::string_view::npos : rest.find(delimiter);
        if (at == std::string_view::npos)
            continue;
        column = rest.substr(0, at);
        rest.remove_prefix(at + delimiter.size());
    }
    result.volume = rest;
    return result;
}

double leadingNumber(std::string_view text) {
    const NumberText number = scanNumber(text);
    if (!number.hasDigits)
        return 0;
    std::string digits = number.mantissa;
    if (!number.exponent.empty())
        digits += 'e' + number.exponent;
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small a magnitude reads as 0; too large a one overflows.
        if (!number.exponent.empty() && number.exponent.front() == '-')
            return 0;
        raise(RuntimeError::Overflow);
    }
    if (error != std::errc() || end != digits.data() + digits.size())
        return 0;
    return value;
}

}  // namespace indikon
