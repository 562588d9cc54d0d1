// The identity of a menu or dialog resource: a number or a name. Names compare without regard to
// letter case, as resource names always have.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <variant>

#include <QString>
#include <QStringView>

namespace res {

class ResourceId {
public:
    ResourceId(std::uint32_t number) : value_(number) {}
    // The name is kept in upper case; an all-digit name is the same as that number.
    ResourceId(const QString& name);
    ResourceId(const char* name) : ResourceId(QString::fromUtf8(name)) {}

    // A decimal number or a name of letters, digits and '_' (at most 255 characters); nullopt else.
    static std::optional<ResourceId> parse(QStringView text);

    bool isNumber() const { return std::holds_alternative<std::uint32_t>(value_); }
    std::uint32_t number() const { return isNumber() ? std::get<std::uint32_t>(value_) : 0; }
    QString name() const { return isNumber() ? QString() : std::get<QString>(value_); }
    QString toString() const;

    friend bool operator==(const ResourceId&, const ResourceId&) = default;
    friend std::strong_ordering operator<=>(const ResourceId& a, const ResourceId& b);

private:
    std::variant<std::uint32_t, QString> value_;
};

}  // namespace res
