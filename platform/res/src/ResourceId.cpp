#include "res/ResourceId.h"

#include <algorithm>

#include <QString>
#include <QStringView>

namespace res {

namespace {

constexpr qsizetype kMaxNameLength = 255;

std::optional<std::uint32_t> parseNumber(QStringView text) {
    if (text.isEmpty() || text.size() > 10) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(c.unicode() - '0');
    }
    if (value > UINT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

bool isNameCharacter(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_');
}

}  // namespace

ResourceId::ResourceId(const QString& name) : value_(name.toUpper().toStdU16String()) {
    if (const auto number = parseNumber(name)) {
        value_ = *number;
    }
}

ResourceId::ResourceId(const char* name) : ResourceId(QString::fromUtf8(name)) {}

QString ResourceId::name() const {
    return isNumber() ? QString() : QString::fromStdU16String(std::get<std::u16string>(value_));
}

std::optional<ResourceId> ResourceId::parse(QStringView text) {
    if (const auto number = parseNumber(text)) {
        return ResourceId(*number);
    }
    // An all-digit text that is no 32-bit number is an out-of-range id, not a name.
    const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (text.isEmpty() || text.size() > kMaxNameLength ||
        !std::all_of(text.begin(), text.end(), isNameCharacter) ||
        std::all_of(text.begin(), text.end(), isDigit)) {
        return std::nullopt;
    }
    return ResourceId(text.toString());
}

QString ResourceId::toString() const {
    return isNumber() ? QString::number(number()) : name();
}

std::strong_ordering operator<=>(const ResourceId& a, const ResourceId& b) {
    // Numbers sort before names.
    if (a.isNumber() != b.isNumber()) {
        return a.isNumber() ? std::strong_ordering::less : std::strong_ordering::greater;
    }
    if (a.isNumber()) {
        return a.number() <=> b.number();
    }
    // Code unit by code unit, as QString compares case-sensitively.
    const int order = std::get<std::u16string>(a.value_).compare(std::get<std::u16string>(b.value_));
    return order <=> 0;
}

}  // namespace res
