#include "locale/LocaleFormat.h"

#include <array>
#include <vector>

#include "com/OleDate.h"
#include "locale/LocaleRegistry.h"

namespace loc {
namespace {

// A decimal value text split into its parts; digits only, no separators.
struct DecimalText {
    bool negative = false;
    std::string integer;
    std::string fraction;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<DecimalText> parseDecimal(std::string_view text) {
    DecimalText out;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        out.negative = true;
        ++i;
    }
    while (i < text.size() && isDigit(text[i]))
        out.integer += text[i++];
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            out.fraction += text[i++];
    }
    if (i != text.size() || (out.integer.empty() && out.fraction.empty()))
        return std::nullopt;
    return out;
}

// Keeps `digits` decimals, rounding half away from zero on the decimal digits.
void roundDecimal(DecimalText& value, std::size_t digits) {
    const bool up = value.fraction.size() > digits && value.fraction[digits] >= '5';
    value.fraction.resize(digits, '0');
    if (!up)
        return;
    std::string all = value.integer + value.fraction;
    std::size_t i = all.size();
    while (i > 0 && all[i - 1] == '9')
        all[--i] = '0';
    if (i == 0)
        all.insert(all.begin(), '1');
    else
        ++all[i - 1];
    value.integer = all.substr(0, all.size() - digits);
    value.fraction = all.substr(all.size() - digits);
}

bool isZero(const DecimalText& value) {
    return value.integer.find_first_not_of('0') == std::string::npos &&
           value.fraction.find_first_not_of('0') == std::string::npos;
}

std::optional<std::vector<std::uint32_t>> groupSizes(std::uint32_t grouping) {
    if (grouping == 0)
        return std::vector<std::uint32_t>{};
    std::vector<std::uint32_t> sizes;
    for (std::string text = std::to_string(grouping); char c : text)
        sizes.push_back(static_cast<std::uint32_t>(c - '0'));
    return sizes;
}

std::string groupDigits(const std::string& digits, std::uint32_t grouping, const std::string& separator) {
    const auto sizes = groupSizes(grouping);
    if (!sizes || sizes->empty() || separator.empty())
        return digits;
    // Sizes from the decimal point leftwards; a final 0 stops grouping, another final size repeats.
    std::vector<std::size_t> cuts;  // digit counts from the right at which a separator goes
    std::size_t position = 0;
    std::size_t index = 0;
    while (true) {
        std::uint32_t size = index < sizes->size() ? (*sizes)[index] : sizes->back();
        if (size == 0)
            break;
        position += size;
        if (position >= digits.size())
            break;
        cuts.push_back(position);
        ++index;
    }
    std::string out = digits;
    for (std::size_t cut : cuts)  // ascending from the right, so earlier inserts do not shift later ones
        out.insert(digits.size() - cut, separator);
    return out;
}

std::string body(DecimalText value, std::uint32_t digits, std::uint32_t leadingZero, std::uint32_t grouping,
                 const std::string& decimalSeparator, const std::string& thousandSeparator) {
    roundDecimal(value, digits);
    std::string integer = value.integer;
    const auto first = integer.find_first_not_of('0');
    integer = first == std::string::npos ? std::string() : integer.substr(first);
    if (integer.empty() && (leadingZero != 0 || digits == 0))
        integer = "0";
    std::string out = groupDigits(integer, grouping, thousandSeparator);
    if (digits > 0)
        out += decimalSeparator + value.fraction;
    return out;
}

// At most three sizes, none 0 but the last.
bool validGrouping(std::uint32_t grouping) {
    if (grouping >= 1000)
        return false;
    const std::string text = std::to_string(grouping);
    return text.size() == 1 || text.substr(0, text.size() - 1).find('0') == std::string::npos;
}

// Replaces '$' by the symbol, 'n' by the number and '-' by the minus sign in a shape.
std::string applyShape(std::string_view shape, const std::string& number, const std::string& symbol) {
    std::string out;
    for (char c : shape) {
        if (c == 'n')
            out += number;
        else if (c == '$')
            out += symbol;
        else
            out += c;
    }
    return out;
}

constexpr std::array<std::string_view, 5> kNegativeNumberShapes = {"(n)", "-n", "- n", "n-", "n -"};
constexpr std::array<std::string_view, 4> kPositiveCurrencyShapes = {"$n", "n$", "$ n", "n $"};
constexpr std::array<std::string_view, 16> kNegativeCurrencyShapes = {
    "($n)", "-$n",  "$-n",  "$n-",  "(n$)", "-n$",  "n-$",   "n$-",
    "-n $", "-$ n", "n $-", "$ n-", "$ -n", "n- $", "($ n)", "(n $)"};

std::string twoDigits(int value) {
    std::string text = std::to_string(value);
    return text.size() < 2 ? "0" + text : text;
}

enum class PictureKind { Date, Time };

// Writes one run of a pattern letter; false for a letter that this kind does not know (copied as is).
bool formatLetterRun(char letter, std::size_t run, const SystemTime& time, const LocaleInfo& info,
                     int weekday, PictureKind kind, std::string& out) {
    if (kind == PictureKind::Date) {
        switch (letter) {
            case 'd':
                if (run == 1)
                    out += std::to_string(time.day);
                else if (run == 2)
                    out += twoDigits(time.day);
                else if (run == 3)
                    out += info.abbreviatedDayNames[static_cast<std::size_t>(weekday)];
                else
                    out += info.dayNames[static_cast<std::size_t>(weekday)];
                return true;
            case 'M':
                if (run == 1)
                    out += std::to_string(time.month);
                else if (run == 2)
                    out += twoDigits(time.month);
                else if (run == 3)
                    out += info.abbreviatedMonthNames[time.month - 1u];
                else
                    out += info.monthNames[time.month - 1u];
                return true;
            case 'y':
                if (run == 1)
                    out += std::to_string(time.year % 100);
                else if (run == 2)
                    out += twoDigits(time.year % 100);
                else
                    out += std::to_string(time.year);
                return true;
            case 'g':
                out += "A.D.";
                return true;
            default:
                return false;
        }
    }
    const int hour12 = time.hour % 12 == 0 ? 12 : time.hour % 12;
    const std::string& designator = time.hour < 12 ? info.amDesignator : info.pmDesignator;
    switch (letter) {
        case 'h':
            out += run == 1 ? std::to_string(hour12) : twoDigits(hour12);
            return true;
        case 'H':
            out += run == 1 ? std::to_string(time.hour) : twoDigits(time.hour);
            return true;
        case 'm':
            out += run == 1 ? std::to_string(time.minute) : twoDigits(time.minute);
            return true;
        case 's':
            out += run == 1 ? std::to_string(time.second) : twoDigits(time.second);
            return true;
        case 't':
            if (run == 1)
                out += designator.substr(0, designator.empty() ? 0 : 1);
            else
                out += designator;
            return true;
        default:
            return false;
    }
}

std::string formatPicture(std::string_view picture, const SystemTime& time, const LocaleInfo& info,
                          int weekday, PictureKind kind) {
    std::string out;
    for (std::size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        if (c == '\'' && i + 1 < picture.size() && picture[i + 1] == '\'') {
            out += '\'';
            i += 2;
            continue;
        }
        if (c == '\'') {
            // Quoted text; '' inside it is one quote.
            ++i;
            while (i < picture.size()) {
                if (picture[i] == '\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                        out += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += picture[i++];
            }
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        if (!formatLetterRun(c, run, time, info, weekday, kind, out))
            out.append(picture.substr(i, run));
        i += run;
    }
    return out;
}

bool validDate(const SystemTime& time) {
    return time.year >= com::kMinOleYear && time.year <= com::kMaxOleYear && time.month >= 1 &&
           time.month <= 12 && time.day >= 1 && time.day <= com::daysInMonth(time.year, time.month);
}

bool validTime(const SystemTime& time) {
    return time.hour <= 23 && time.minute <= 59 && time.second <= 59 && time.milliseconds <= 999;
}

}  // namespace

std::string getLocaleInfo(LCID lcid, LocaleItem item) {
    return localeItemText(LocaleRegistry::find(lcid), item);
}

std::uint32_t groupingValue(const std::string& text) {
    std::uint32_t value = 0;
    bool endsWithZero = false;
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size() && count < 3;) {
        if (!isDigit(text[i])) {
            ++i;
            continue;
        }
        const std::uint32_t size = static_cast<std::uint32_t>(text[i] - '0');
        ++i;
        ++count;
        endsWithZero = size == 0;
        if (size != 0)
            value = value * 10 + size;
    }
    // "3;0" repeats the 3 (value 3); "3" alone is one group of three (value 30).
    if (value != 0 && !endsWithZero)
        value *= 10;
    return value;
}

NumberFormat numberFormatOf(const LocaleInfo& info) {
    NumberFormat format;
    format.digits = static_cast<std::uint32_t>(info.digits);
    format.leadingZero = static_cast<std::uint32_t>(info.leadingZero);
    format.grouping = groupingValue(info.grouping);
    format.decimalSeparator = info.decimalSeparator;
    format.thousandSeparator = info.thousandSeparator;
    format.negativeOrder = static_cast<std::uint32_t>(info.negativeNumberOrder);
    return format;
}

CurrencyFormat currencyFormatOf(const LocaleInfo& info) {
    CurrencyFormat format;
    format.digits = static_cast<std::uint32_t>(info.currencyDigits);
    format.leadingZero = static_cast<std::uint32_t>(info.leadingZero);
    format.grouping = groupingValue(info.monetaryGrouping);
    format.decimalSeparator = info.monetaryDecimalSeparator;
    format.thousandSeparator = info.monetaryThousandSeparator;
    format.negativeOrder = static_cast<std::uint32_t>(info.negativeCurrencyOrder);
    format.positiveOrder = static_cast<std::uint32_t>(info.positiveCurrencyOrder);
    format.currencySymbol = info.currencySymbol;
    return format;
}

std::optional<std::string> formatNumber(LCID lcid, std::string_view value, const NumberFormat* format) {
    const NumberFormat own = format ? *format : numberFormatOf(LocaleRegistry::find(lcid));
    const auto decimal = parseDecimal(value);
    if (!decimal || own.digits > 9 || own.negativeOrder >= kNegativeNumberShapes.size() ||
        !validGrouping(own.grouping)) {
        return std::nullopt;
    }
    DecimalText rounded = *decimal;
    roundDecimal(rounded, own.digits);
    const std::string number = body(*decimal, own.digits, own.leadingZero, own.grouping, own.decimalSeparator,
                                    own.thousandSeparator);
    if (!decimal->negative || isZero(rounded))
        return number;
    return applyShape(kNegativeNumberShapes[own.negativeOrder], number, {});
}

std::optional<std::string> formatCurrency(LCID lcid, std::string_view value, const CurrencyFormat* format) {
    const CurrencyFormat own = format ? *format : currencyFormatOf(LocaleRegistry::find(lcid));
    const auto decimal = parseDecimal(value);
    if (!decimal || own.digits > 9 || own.negativeOrder >= kNegativeCurrencyShapes.size() ||
        own.positiveOrder >= kPositiveCurrencyShapes.size() || !validGrouping(own.grouping)) {
        return std::nullopt;
    }
    DecimalText rounded = *decimal;
    roundDecimal(rounded, own.digits);
    const std::string number = body(*decimal, own.digits, own.leadingZero, own.grouping, own.decimalSeparator,
                                    own.thousandSeparator);
    const bool negative = decimal->negative && !isZero(rounded);
    const std::string_view shape =
        negative ? kNegativeCurrencyShapes[own.negativeOrder] : kPositiveCurrencyShapes[own.positiveOrder];
    return applyShape(shape, number, own.currencySymbol);
}

std::optional<std::string> formatDate(LCID lcid, DateForm form, const SystemTime& time,
                                      std::optional<std::string_view> picture) {
    if (!validDate(time))
        return std::nullopt;
    const LocaleInfo info = LocaleRegistry::find(lcid);
    const auto date = com::toOleDate({time.year, time.month, time.day, 0, 0, 0});
    const int weekday = date ? com::weekdayFromSunday0(*date) : 0;
    const std::string_view pattern = picture                  ? *picture
                                     : form == DateForm::Long ? std::string_view(info.longDate)
                                                              : std::string_view(info.shortDate);
    return formatPicture(pattern, time, info, weekday, PictureKind::Date);
}

std::optional<std::string> formatTime(LCID lcid, const SystemTime& time,
                                      std::optional<std::string_view> picture) {
    if (!validTime(time))
        return std::nullopt;
    const LocaleInfo info = LocaleRegistry::find(lcid);
    const std::string_view pattern = picture ? *picture : std::string_view(info.timeFormat);
    return formatPicture(pattern, time, info, 0, PictureKind::Time);
}

}  // namespace loc
