#include "appdata/RecordLine.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "appdata/AppError.h"
#include "appdata/KeyedCollection.h"

namespace tarnwick {

namespace {

constexpr std::int32_t kOverflow = 6;

AppError typeMismatch() {
    return AppError(errnum::kTypeMismatch, "Type mismatch");
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// A leading "+" is allowed as a sign; from_chars takes only "-".
std::string_view unsigned_(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            throw typeMismatch();
        }
    }
    return text;
}

std::int64_t wholeNumber(std::string_view field) {
    const std::string_view text = unsigned_(trimmed(field));
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        throw AppError(kOverflow, "Overflow");
    }
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        throw typeMismatch();
    }
    return value;
}

template <class T>
T narrowed(std::int64_t value) {
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) {
        throw AppError(kOverflow, "Overflow");
    }
    return static_cast<T>(value);
}

// Two-digit years as the desktop's date conversion reads them by default: 0-29 are 2000-2029,
// 30-99 are 1930-1999.
int fullYear(int year) {
    if (year < 30) {
        return 2000 + year;
    }
    return year < 100 ? 1900 + year : year;
}

// Calls each(part) for every part of text between separators; an empty text has no parts.
template <class Each>
void forEachPart(std::string_view text, char separator, Each&& each) {
    if (text.empty()) {
        return;
    }
    for (std::size_t start = 0;;) {
        const std::size_t at = text.find(separator, start);
        if (at == std::string_view::npos) {
            each(text.substr(start));
            return;
        }
        each(text.substr(start, at - start));
        start = at + 1;
    }
}

}  // namespace

RecordLine::RecordLine(std::string_view line) : line_(line) {
    // An update stream parses one line per stored row: its fields take no allocation of their own.
    forEachPart(line_, '|', [&](std::string_view field) {
        if (count_ < placed_.size()) {
            placed_[count_] = field;
        } else {
            more_.push_back(field);
        }
        ++count_;
    });
}

void RecordLine::require(std::size_t count) const {
    if (count_ < count) {
        throw AppError(errnum::kSubscriptOutOfRange, "Subscript out of range");
    }
}

std::string_view RecordLine::text(std::size_t index) const {
    require(index + 1);
    return index < placed_.size() ? placed_[index] : more_[index - placed_.size()];
}

std::int32_t RecordLine::int32(std::size_t index) const {
    return narrowed<std::int32_t>(wholeNumber(text(index)));
}

double RecordLine::real(std::size_t index) const {
    const std::string_view field = unsigned_(trimmed(text(index)));
    double value = 0;
    const auto [end, ec] =
        std::from_chars(field.data(), field.data() + field.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        throw AppError(kOverflow, "Overflow");
    }
    if (ec != std::errc() || end != field.data() + field.size() || field.empty() || !std::isfinite(value)) {
        throw typeMismatch();
    }
    return value;
}

bool RecordLine::flag(std::size_t index) const {
    return text(index) != "NO";
}

db::Date RecordLine::date(std::size_t index) const {
    std::array<std::string_view, 3> parts;
    std::size_t count = 0;
    forEachPart(text(index), '-', [&](std::string_view part) {
        if (count < parts.size()) {
            parts[count] = part;
        }
        ++count;
    });
    if (count != parts.size()) {
        throw typeMismatch();
    }
    const auto year = narrowed<std::int16_t>(wholeNumber(parts[0]));
    const auto month = narrowed<std::int16_t>(wholeNumber(parts[1]));
    const auto day = narrowed<std::int16_t>(wholeNumber(parts[2]));
    // A day that does not exist is a corrupt field, not one to roll over into the next month.
    if (year < 0 || month < 1 || day < 1) {
        throw typeMismatch();
    }
    const db::Date date{std::chrono::year(fullYear(year)), std::chrono::month(static_cast<unsigned>(month)),
                        std::chrono::day(static_cast<unsigned>(day))};
    if (!db::isStorableDate(date)) {
        throw typeMismatch();
    }
    return date;
}

}  // namespace tarnwick
