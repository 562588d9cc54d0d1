// One value bound into a statement or read from a row: NULL, a 32- or 64-bit integer, a double, a
// Boolean, a text or a date. Booleans are stored as 0/1 and dates as ISO text "YYYY-MM-DD".
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace db {

using Date = std::chrono::year_month_day;

struct Null {
    bool operator==(const Null&) const = default;
};

class Value {
public:
    using Storage = std::variant<Null, std::int32_t, std::int64_t, double, bool, std::string, Date>;

    Value() = default;
    Value(Null) {}
    Value(std::int32_t v) : v_(v) {}
    Value(std::int64_t v) : v_(v) {}
    Value(double v) : v_(v) {}
    Value(bool v) : v_(v) {}
    Value(std::string v) : v_(std::move(v)) {}
    Value(std::string_view v) : v_(std::string(v)) {}
    Value(const char* v) : v_(std::string(v)) {}
    Value(Date v) : v_(v) {}
    template <class T>
    Value(const std::optional<T>& v) {
        if (v) {
            *this = Value(*v);
        }
    }

    bool isNull() const { return std::holds_alternative<Null>(v_); }
    const Storage& storage() const { return v_; }
    bool operator==(const Value&) const = default;

private:
    Storage v_;
};

// The years a date may have wherever text becomes a date or a date is stored: four-digit ISO text
// sorts in date order only within them.
inline constexpr int kFirstYear = 100;
inline constexpr int kLastYear = 9999;
// A day that exists, in the years kFirstYear to kLastYear.
bool isStorableDate(Date date);

// "YYYY-MM-DD", the year padded to four digits.
std::string formatIsoDate(Date date);
// Reads "YYYY-MM-DD" with an optional " HH:MM:SS" tail (the time is ignored); nullopt when the text
// is not such a date, names a day that does not exist or a year before kFirstYear.
std::optional<Date> parseIsoDate(std::string_view text);

}  // namespace db
