#include "frame/chart/DrawingDates.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

#include "com/ComPtr.h"
#include "com/OleDate.h"
#include "com/VbMath.h"
#include "dravik/AxisInterfaces.h"
#include "locale/LocaleFormat.h"
#include "locale/LocaleRegistry.h"

namespace frame::chart {

namespace {

bool isMidnight(const com::CalendarTime& time) {
    return time.hour == 0 && time.minute == 0 && time.second == 0;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool startsWithNoCase(std::string_view text, std::string_view word) {
    if (word.empty() || text.size() < word.size())
        return false;
    return std::equal(word.begin(), word.end(), text.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

// The runs of digits of a text (at most six, each at most four digits), and what follows them.
struct NumberRuns {
    std::vector<int> numbers;
    std::vector<std::size_t> lengths;
    std::string_view rest;
};

// A month written as a name: its number, and the length of the name.
std::optional<std::pair<int, std::size_t>> monthName(std::string_view text, const loc::LocaleInfo* locale) {
    if (locale == nullptr)
        return std::nullopt;
    std::optional<std::pair<int, std::size_t>> best;
    for (const auto* names : {&locale->monthNames, &locale->abbreviatedMonthNames})
        for (std::size_t m = 0; m < names->size(); ++m)
            if (startsWithNoCase(text, (*names)[m]) && (!best || best->second < (*names)[m].size()))
                best = std::pair{static_cast<int>(m) + 1, (*names)[m].size()};
    return best;
}

// With `locale`, a month name counts as a number and is marked by length 0.
std::optional<NumberRuns> readNumbers(std::string_view text, std::size_t wanted,
                                      const loc::LocaleInfo* locale = nullptr) {
    NumberRuns runs;
    std::size_t i = 0;
    while (runs.numbers.size() < wanted) {
        while (i < text.size() && !isDigit(text[i])) {
            if (const auto month = monthName(text.substr(i), locale)) {
                runs.numbers.push_back(month->first);
                runs.lengths.push_back(0);
                i += month->second;
                if (runs.numbers.size() == wanted)
                    break;
                continue;
            }
            // Only separators lie between the numbers; letters end the date.
            if (std::isalpha(static_cast<unsigned char>(text[i])) ||
                static_cast<unsigned char>(text[i]) >= 0x80)
                return runs.numbers.empty() ? std::nullopt : std::optional<NumberRuns>(runs);
            ++i;
        }
        if (runs.numbers.size() == wanted)
            break;
        if (i == text.size())
            break;
        const std::size_t start = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        if (i - start > 4)
            return std::nullopt;
        runs.numbers.push_back(std::stoi(std::string(text.substr(start, i - start))));
        runs.lengths.push_back(i - start);
    }
    runs.rest = text.substr(i);
    return runs;
}

int fullYear(int year, std::size_t digits) {
    if (digits > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// "h:mm[:ss] [AM|PM]" after the date, or nothing at all.
bool readTime(std::string_view text, const loc::LocaleInfo& locale, com::CalendarTime& time) {
    text = trimmed(text);
    if (text.empty())
        return true;
    const std::optional<NumberRuns> runs = readNumbers(text, 3);
    if (!runs || runs->numbers.size() < 2)
        return false;
    time.hour = runs->numbers[0];
    time.minute = runs->numbers[1];
    time.second = runs->numbers.size() > 2 ? runs->numbers[2] : 0;
    const std::string_view designator = trimmed(runs->rest);
    if (designator.empty())
        return true;
    const bool pm = startsWithNoCase(designator, locale.pmDesignator) || startsWithNoCase(designator, "PM");
    const bool am = startsWithNoCase(designator, locale.amDesignator) || startsWithNoCase(designator, "AM");
    if ((!pm && !am) || time.hour < 1 || time.hour > 12)
        return false;
    time.hour = (time.hour % 12) + (pm ? 12 : 0);
    return true;
}

}  // namespace

std::string FixedDrawingDate(com::DATE date) {
    const std::optional<com::CalendarTime> time = com::fromOleDate(date);
    if (!time)
        return {};
    return isMidnight(*time) ? com::formatIsoDate(date) : com::formatIsoDateTime(date);
}

std::optional<com::DATE> ReadFixedDrawingDate(std::string_view text) {
    return com::parseIsoDate(text);
}

std::optional<com::DATE> ReadDrawingDate(std::string_view text, const loc::LocaleInfo& locale) {
    text = trimmed(text);
    if (const std::optional<com::DATE> fixed = ReadFixedDrawingDate(text))
        return fixed;
    const std::optional<NumberRuns> runs = readNumbers(text, 3, &locale);
    if (!runs || runs->numbers.size() != 3)
        return std::nullopt;
    const std::vector<int>& n = runs->numbers;
    com::CalendarTime time;
    const auto named = std::find(runs->lengths.begin(), runs->lengths.end(), 0U);
    if (named != runs->lengths.end()) {
        // "2 Nov 2026", "Nov 2, 2026": the month is the name, the year the last number unless the
        // locale writes the year first.
        const auto m = static_cast<std::size_t>(named - runs->lengths.begin());
        std::vector<std::size_t> others;
        for (std::size_t i = 0; i < 3; ++i)
            if (i != m)
                others.push_back(i);
        const bool yearFirst = locale.dateOrder == loc::DateOrder::YearMonthDay;
        const std::size_t y = yearFirst ? others[0] : others[1];
        const std::size_t d = yearFirst ? others[1] : others[0];
        time.month = n[m];
        time.day = n[d];
        time.year = fullYear(n[y], runs->lengths[y]);
        if (!readTime(runs->rest, locale, time))
            return std::nullopt;
        return com::toOleDate(time);
    }
    switch (locale.dateOrder) {
        case loc::DateOrder::MonthDayYear:
            time.month = n[0];
            time.day = n[1];
            time.year = fullYear(n[2], runs->lengths[2]);
            break;
        case loc::DateOrder::DayMonthYear:
            time.day = n[0];
            time.month = n[1];
            time.year = fullYear(n[2], runs->lengths[2]);
            break;
        case loc::DateOrder::YearMonthDay:
            time.year = fullYear(n[0], runs->lengths[0]);
            time.month = n[1];
            time.day = n[2];
            break;
    }
    if (!readTime(runs->rest, locale, time))
        return std::nullopt;
    return com::toOleDate(time);
}

std::string ExtensionDateText(com::DATE date, loc::LCID lcid) {
    const std::optional<com::CalendarTime> time = com::fromOleDate(date);
    if (!time)
        return {};
    loc::SystemTime system;
    system.year = static_cast<std::uint16_t>(time->year);
    system.month = static_cast<std::uint16_t>(time->month);
    system.day = static_cast<std::uint16_t>(time->day);
    system.hour = static_cast<std::uint16_t>(time->hour);
    system.minute = static_cast<std::uint16_t>(time->minute);
    system.second = static_cast<std::uint16_t>(time->second);
    std::string text = loc::formatDate(lcid, loc::DateForm::Short, system, std::nullopt).value_or("");
    if (!isMidnight(*time))
        text += " " + loc::formatTime(lcid, system, std::nullopt).value_or("");
    return text;
}

std::optional<com::DATE> ReadAnchorDate(std::string_view text, const loc::LocaleInfo& locale,
                                        korvel::IKvlChart& chart) {
    const std::string_view plain = trimmed(text);
    double number = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), number);
    if (plain.empty() || error != std::errc() || end != plain.data() + plain.size())
        return ReadDrawingDate(text, locale);
    // A position between two points stands for the nearer one.
    const double point = com::vb::roundHalfEven(number);
    com::LONG count = 0;
    if (!(point >= 1) || com::FAILED(chart.get_PointCount(&count)) || point > count)
        return std::nullopt;
    double date = 0;
    if (com::FAILED(chart.get_XValueAt(korvel::kXValues, static_cast<com::LONG>(point) - 1, &date)))
        return std::nullopt;
    return date;
}

com::HRESULT PutAnchorDate(dravik::IDrawFeature& drawing, bool start, com::DATE date, loc::LCID lcid,
                           korvel::IKvlChart& chart) {
    const auto put = start ? &dravik::IDrawFeature::put_From : &dravik::IDrawFeature::put_To;
    const com::HRESULT result = (drawing.*put)(com::Bstr::fromUtf8(ExtensionDateText(date, lcid)));
    if (result != com::E_INVALIDARG)
        return result;
    com::LONG count = 0;
    if (com::FAILED(chart.get_PointCount(&count)))
        return result;
    for (com::LONG i = 0; i < count; ++i) {
        double x = 0;
        if (com::SUCCEEDED(chart.get_XValueAt(korvel::kXValues, i, &x)) && x == date)
            return (drawing.*put)(com::Bstr::fromUtf8(std::to_string(i + 1)));
    }
    return result;
}

loc::LCID DrawingDateLocale(dravik::IFinancialCharts& extension) {
    com::ComPtr<dravik::ILomexDateAxis> axis;
    com::LONG locale = static_cast<com::LONG>(loc::LOCALE_USER_DEFAULT);
    if (com::SUCCEEDED(extension.get_DateAxis(axis.put())) && axis)
        axis->get_Locale(&locale);
    return static_cast<loc::LCID>(locale);
}

}  // namespace frame::chart
