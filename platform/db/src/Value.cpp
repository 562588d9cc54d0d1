#include "db/Value.h"

#include <charconv>
#include <cstdio>

namespace db {

bool isStorableDate(Date date) {
    const int year = static_cast<int>(date.year());
    return date.ok() && year >= kFirstYear && year <= kLastYear;
}

std::string formatIsoDate(Date date) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return buffer;
}

namespace {

bool readNumber(std::string_view text, std::size_t from, std::size_t digits, int& out) {
    if (text.size() < from + digits) {
        return false;
    }
    const char* first = text.data() + from;
    const auto [end, ec] = std::from_chars(first, first + digits, out);
    return ec == std::errc() && end == first + digits;
}

}  // namespace

std::optional<Date> parseIsoDate(std::string_view text) {
    int year = 0;
    int month = 0;
    int day = 0;
    if (text.size() < 10 || text[4] != '-' || text[7] != '-' || !readNumber(text, 0, 4, year) ||
        !readNumber(text, 5, 2, month) || !readNumber(text, 8, 2, day)) {
        return std::nullopt;
    }
    if (text.size() > 10 && text[10] != ' ' && text[10] != 'T') {
        return std::nullopt;
    }
    const Date date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                    std::chrono::day(static_cast<unsigned>(day))};
    if (!isStorableDate(date)) {
        return std::nullopt;
    }
    return date;
}

}  // namespace db
