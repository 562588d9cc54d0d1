#include "format/ValueFormat.h"

#include <algorithm>

#include "com/FixedText.h"
#include "com/OleDate.h"
#include "format/NumberText.h"

namespace dravik {
namespace {

int toBuffer(const std::string& text, char* buffer, std::size_t size) {
    return static_cast<int>(com::copyToFixed(text, buffer, size).length);
}

std::uint32_t nonNegative(std::int32_t value) {
    return static_cast<std::uint32_t>(std::max(value, 0));
}

// A record without a decimal separator would run the integer and fraction digits together.
std::string separatorOf(const NumberFormatRecord& record) {
    std::string separator = record.decimal();
    return separator.empty() ? std::string(".") : separator;
}

std::optional<std::string_view> pictureOf(const std::string& picture) {
    if (picture.empty())
        return std::nullopt;
    return std::string_view(picture);
}

std::string dateKindText(double value, FormatCode code, const PreparedFormat& format, loc::LCID locale) {
    loc::SystemTime time;
    if (!VariantTimeToSystemTimeHelper(value, time))
        return {};
    const std::string picture = hasPicture(code) ? format.pictureText() : std::string();
    return formatSystemTimeText(time, pictureOf(picture), code, locale);
}

}  // namespace

loc::NumberFormat NumberFormatRecord::asNumberFormat() const {
    loc::NumberFormat f;
    f.digits = nonNegative(digits);
    f.leadingZero = nonNegative(leadingZero);
    f.grouping = nonNegative(grouping);
    f.decimalSeparator = decimal();
    f.thousandSeparator = thousand();
    f.negativeOrder = nonNegative(negativeOrder);
    return f;
}

loc::CurrencyFormat NumberFormatRecord::asCurrencyFormat() const {
    loc::CurrencyFormat f;
    f.digits = nonNegative(digits);
    f.leadingZero = nonNegative(leadingZero);
    f.grouping = nonNegative(grouping);
    f.decimalSeparator = decimal();
    f.thousandSeparator = thousand();
    f.negativeOrder = nonNegative(negativeOrder);
    f.positiveOrder = nonNegative(positiveOrder);
    f.currencySymbol = symbol();
    return f;
}

bool VariantTimeToSystemTimeHelper(com::DATE date, loc::SystemTime& time) {
    const auto calendar = com::fromOleDate(date);
    if (!calendar)
        return false;
    time.year = static_cast<std::uint16_t>(calendar->year);
    time.month = static_cast<std::uint16_t>(calendar->month);
    time.day = static_cast<std::uint16_t>(calendar->day);
    time.hour = static_cast<std::uint16_t>(calendar->hour);
    time.minute = static_cast<std::uint16_t>(calendar->minute);
    time.second = static_cast<std::uint16_t>(calendar->second);
    time.milliseconds = 0;
    time.dayOfWeek = static_cast<std::uint16_t>(std::max(com::weekdayFromSunday0(date), 0));
    return true;
}

bool SystemTimeToVariantTimeHelper(const loc::SystemTime& time, com::DATE& date) {
    const auto converted =
        com::toOleDate({time.year, time.month, time.day, time.hour, time.minute, time.second});
    if (!converted)
        return false;
    date = *converted;
    return true;
}

std::string formatValueText(double value, FormatCode code, int decimals, const PreparedFormat& format,
                            loc::LCID locale) {
    const NumberFormatRecord& record = format.number;
    switch (formatKind(code)) {
        case FC_NUMBER: {
            const loc::NumberFormat f = record.asNumberFormat();
            return loc::formatNumber(locale, formatDoubleText(value, decimals, ".", false), &f).value_or("");
        }
        case FC_CURRENCY: {
            const loc::CurrencyFormat f = record.asCurrencyFormat();
            return loc::formatCurrency(locale, formatDoubleText(value, decimals, ".", false), &f)
                .value_or("");
        }
        case FC_SCIENTIFIC:
            return formatDoubleText(value, decimals, separatorOf(record), true);
        case FC_PERCENT:
            return formatDoubleText(value * 100.0, decimals, separatorOf(record), false) + "%";
        case FC_DATE:
        case FC_LONGDATE:
        case FC_TIME:
        case FC_DATETIME:
            return dateKindText(value, code, format, locale);
        default:
            return formatDoubleText(value, decimals, separatorOf(record), false);
    }
}

int FormatValue(char* buffer, std::size_t size, double value, FormatCode code, int decimals,
                const PreparedFormat& format, loc::LCID locale) {
    return toBuffer(formatValueText(value, code, decimals, format, locale), buffer, size);
}

std::string formatSystemTimeText(const loc::SystemTime& time, std::optional<std::string_view> picture,
                                 FormatCode code, loc::LCID locale) {
    std::optional<std::string> text;
    switch (formatKind(code)) {
        case FC_TIME:
            text = loc::formatTime(locale, time, picture);
            break;
        case FC_LONGDATE:
            text = loc::formatDate(locale, loc::DateForm::Long, time, picture);
            break;
        case FC_DATETIME:
            if (picture) {
                // The picture splits at its first time letter: date part, then time part.
                const std::size_t split = std::min(picture->size(), picture->find_first_of("Hhmst"));
                const auto date = split == 0 ? std::optional<std::string>("")
                                             : loc::formatDate(locale, loc::DateForm::Short, time,
                                                               picture->substr(0, split));
                const auto clock = split == picture->size()
                                       ? std::optional<std::string>("")
                                       : loc::formatTime(locale, time, picture->substr(split));
                if (date && clock)
                    text = *date + *clock;
            } else {
                const auto date = loc::formatDate(locale, loc::DateForm::Short, time, std::nullopt);
                const auto clock = loc::formatTime(locale, time, std::nullopt);
                if (date && clock)
                    text = *date + " " + *clock;
            }
            break;
        default:
            text = loc::formatDate(locale, loc::DateForm::Short, time, picture);
            break;
    }
    if (!text || text->empty())
        return " ";
    return *text;
}

int FormatSystemTime(const loc::SystemTime& time, std::optional<std::string_view> picture, FormatCode code,
                     char* buffer, std::size_t size, loc::LCID locale) {
    return toBuffer(formatSystemTimeText(time, picture, code, locale), buffer, size);
}

std::string formatAxisValueText(double value, int decimals, FormatCode code, double scaleUnit,
                                loc::LCID locale) {
    if (value == kEmptyValue)
        return {};
    const double scaled = value / (scaleUnit == 0.0 ? 1.0 : scaleUnit);
    switch (formatKind(code)) {
        case FC_SCIENTIFIC:
            return formatDoubleText(scaled, decimals, ".", true);
        case FC_PERCENT:
            return formatDoubleText(scaled * 100.0, decimals, ".", false);
        case FC_DATE:
        case FC_LONGDATE:
        case FC_TIME:
        case FC_DATETIME: {
            loc::SystemTime time;
            if (!VariantTimeToSystemTimeHelper(scaled, time))
                return {};
            const FormatCode kind = formatKind(code) == FC_LONGDATE ? FC_DATE : formatKind(code);
            return formatSystemTimeText(time, std::nullopt, kind, locale);
        }
        default:
            return formatDoubleText(scaled, decimals, ".", false);
    }
}

int FormatAxisValue(char* buffer, std::size_t size, double value, int decimals, FormatCode code,
                    double scaleUnit, loc::LCID locale) {
    return toBuffer(formatAxisValueText(value, decimals, code, scaleUnit, locale), buffer, size);
}

}  // namespace dravik
