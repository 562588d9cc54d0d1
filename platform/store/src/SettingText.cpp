#include "store/SettingText.h"

#include <charconv>
#include <cmath>

#include "com/VbMath.h"

namespace store {

namespace {

// A finite number in plain or exponent notation, surrounded by optional white space. from_chars is
// locale-independent; it takes no leading '+', so one is skipped here. Out of range for T: nullopt.
template <typename T = double>
std::optional<T> parseNumber(const QString& text) {
    const QByteArray utf8 = text.trimmed().toUtf8();
    const char* begin = utf8.constData();
    const char* end = begin + utf8.size();
    const bool plus = begin != end && *begin == '+';
    if (plus) {
        ++begin;
    }
    if (begin == end || (plus && *begin == '-')) {
        return std::nullopt;
    }
    T value = 0;
    const auto [ptr, error] = std::from_chars(begin, end, value, std::chars_format::general);
    if (error != std::errc{} || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

QString formatInt32(std::int32_t value) {
    return QString::number(value);
}

QString formatSingle(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return QString::fromLatin1(text, static_cast<qsizetype>(result.ptr - text));
}

QString formatBool(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<std::int32_t> parseInt32(const QString& text) {
    const auto number = parseNumber(text);
    if (!number) {
        return std::nullopt;
    }
    const auto converted = com::vb::toInt32(*number);
    return converted ? std::optional(converted.value()) : std::nullopt;
}

std::optional<std::int16_t> parseInt16(const QString& text) {
    const auto number = parseNumber(text);
    if (!number) {
        return std::nullopt;
    }
    const auto converted = com::vb::toInt16(*number);
    return converted ? std::optional(converted.value()) : std::nullopt;
}

std::optional<float> parseSingle(const QString& text) {
    return parseNumber<float>(text);
}

std::optional<bool> parseBool(const QString& text) {
    const QString word = text.trimmed();
    if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    const auto number = parseNumber(word);
    return number ? std::optional(*number != 0.0) : std::nullopt;
}

}  // namespace store
