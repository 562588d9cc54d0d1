#include "format/ValueParse.h"

#include <cctype>
#include <string>

#include "format/NumberText.h"
#include "format/ValueFormat.h"

namespace dravik {
namespace {

std::string_view skipBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (prefix.empty() || text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

std::uint16_t clamp16(unsigned value) {
    return static_cast<std::uint16_t>(value > 0xFFFF ? 0xFFFF : value);
}

std::string designator(loc::LCID locale, loc::LocaleItem item, const char* fallback) {
    std::string text = loc::getLocaleInfo(locale, item);
    return text.empty() ? std::string(fallback) : text;
}

}  // namespace

loc::SystemTime ParseDateText(loc::LCID locale, std::string_view text, bool timeOnly,
                              std::int32_t dateOrder) {
    loc::SystemTime time;
    if (timeOnly) {
        time.year = 1980;
        time.month = 1;
        time.day = 1;
    } else {
        unsigned fields[3] = {};
        bool given[3] = {};
        for (int i = 0; i < 3; ++i) {
            const std::string_view rest = skipBlanks(text);
            given[i] = !rest.empty() && rest.front() >= '0' && rest.front() <= '9';
            text = ParseUnsigned(text, fields[i]);
        }
        unsigned month = fields[0], day = fields[1], year = fields[2];
        bool yearGiven = given[2];
        if (dateOrder == 1) {
            day = fields[0];
            month = fields[1];
        } else if (dateOrder == 2) {
            year = fields[0];
            month = fields[1];
            day = fields[2];
            yearGiven = given[0];
        }
        // A year typed with two digits; a year not typed at all stays 0 and makes no date.
        if (!yearGiven)
            year = 0;
        else if (year < 30)
            year += 2000;
        else if (year < 100)
            year += 1900;
        time.year = clamp16(year);
        time.month = clamp16(month);
        time.day = clamp16(day);
    }
    unsigned clock[3] = {};
    for (unsigned& field : clock)
        text = ParseUnsigned(text, field);
    time.hour = clamp16(clock[0]);
    time.minute = clamp16(clock[1]);
    time.second = clamp16(clock[2]);
    time.milliseconds = 0;

    text = skipBlanks(text);
    if (startsWithNoCase(text, designator(locale, loc::LocaleItem::S2359, "PM"))) {
        if (time.hour < 12)
            time.hour = static_cast<std::uint16_t>(time.hour + 12);
    } else if (startsWithNoCase(text, designator(locale, loc::LocaleItem::S1159, "AM"))) {
        if (time.hour > 11)
            time.hour = static_cast<std::uint16_t>(time.hour - 12);
    }
    return time;
}

bool ParseValueText(std::string_view text, FormatCode code, double& value, double scaleUnit,
                    std::int32_t dateOrder, loc::LCID locale) {
    if (text.empty()) {
        value = kEmptyValue;
        return true;
    }
    double result = 0.0;
    if (isDateKind(code)) {
        const loc::SystemTime time = ParseDateText(locale, text, formatKind(code) == FC_TIME, dateOrder);
        if (!SystemTimeToVariantTimeHelper(time, result)) {
            value = kEmptyValue;
            return false;
        }
    } else {
        result = ParseNumber(text, ".");
        if (formatKind(code) == FC_PERCENT)
            result *= 0.01;
    }
    value = result * scaleUnit;
    return true;
}

}  // namespace dravik
