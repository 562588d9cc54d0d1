// The identity of a menu or dialog resource: a number or a name. Names compare without regard to
// letter case, as resource names always have.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

class QString;
class QStringView;

namespace res {

class ResourceId {
public:
    ResourceId(std::uint32_t number) : value_(number) {}
    // The name is kept in upper case; an all-digit name is the same as that number.
    ResourceId(const QString& name);
    ResourceId(const char* name);

    // A decimal number or a name of letters, digits and '_' (at most 255 characters); nullopt else.
    static std::optional<ResourceId> parse(QStringView text);

    bool isNumber() const { return std::holds_alternative<std::uint32_t>(value_); }
    std::uint32_t number() const { return isNumber() ? std::get<std::uint32_t>(value_) : 0; }
    // Empty for a number.
    QString name() const;
    QString toString() const;

    friend bool operator==(const ResourceId&, const ResourceId&) = default;
    friend std::strong_ordering operator<=>(const ResourceId& a, const ResourceId& b);

private:
    // A name is held as UTF-16, in upper case.
    std::variant<std::uint32_t, std::u16string> value_;
};

}  // namespace res
