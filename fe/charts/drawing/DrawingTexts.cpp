#include "drawing/DrawingTexts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "com/OleDate.h"
#include "datescale/DateScale.h"
#include "format/ScaleRounding.h"
#include "format/ValueFormat.h"
#include "locale/LocaleInfo.h"
#include "locale/LocaleRegistry.h"
#include "state/AxisSettingsRecord.h"

namespace dravik {
namespace {

// Without a price axis: fixed decimals, at least two, "." as decimal point.
const AxisSettingsRecord& plainPriceAxis() {
    static const AxisSettingsRecord record = [] {
        AxisSettingsRecord plain;
        plain.format = FC_PLAIN;
        plain.decimals = 2;
        return plain;
    }();
    return record;
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

struct Separators {
    std::string decimal;
    std::string group;
};

// The number in `text` when all of it is one, read with `separators`.
std::optional<double> readWhole(std::string_view text, const Separators& separators) {
    std::string plain(text);
    if (!separators.group.empty() && separators.group != separators.decimal) {
        for (auto at = plain.find(separators.group); at != std::string::npos;
             at = plain.find(separators.group, at))
            plain.erase(at, separators.group.size());
    }
    if (!separators.decimal.empty() && separators.decimal != ".") {
        if (plain.find('.') != std::string::npos)
            return std::nullopt;
        if (const auto at = plain.find(separators.decimal); at != std::string::npos)
            plain = plain.substr(0, at) + '.' + plain.substr(at + separators.decimal.size());
    }
    std::string_view digits = plain;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Takes the first `symbol` out of `text`.
void dropSymbol(std::string& text, std::string_view symbol) {
    if (const std::size_t at = symbol.empty() ? std::string::npos : text.find(symbol);
        at != std::string::npos)
        text.erase(at, symbol.size());
}

// The unsigned number of a price written in one of the number or currency shapes ("(n)", "-n", "- n",
// "n-", "n -", and the currency shapes that add the symbol anywhere around them); `negative` tells
// whether the shape was a negative one. Nothing for a text with more than one sign.
std::optional<std::string> unsignedNumber(std::string_view text, std::string_view symbol, bool& negative) {
    std::string body(text);
    dropSymbol(body, symbol);
    body = std::string(trimBlanks(body));
    negative = false;
    if (body.size() >= 2 && body.front() == '(' && body.back() == ')') {
        body = std::string(trimBlanks(std::string_view(body).substr(1, body.size() - 2)));
        negative = true;
    }
    const bool leading = !body.empty() && body.front() == '-';
    const bool trailing = body.size() > 1 && body.back() == '-';
    if (leading || trailing) {
        if (negative)
            return std::nullopt;
        negative = true;
        body = std::string(trimBlanks(leading ? std::string_view(body).substr(1)
                                              : std::string_view(body).substr(0, body.size() - 1)));
    }
    if (body.empty() || body.front() == '-' || (negative && body.front() == '+'))
        return std::nullopt;
    return body;
}

// A price read with `separators`, in the sign shapes of the number and currency formats.
std::optional<double> readPrice(std::string_view text, const Separators& separators,
                                std::string_view symbol) {
    bool negative = false;
    const std::optional<std::string> body = unsignedNumber(text, symbol, negative);
    if (!body)
        return std::nullopt;
    const std::optional<double> value = readWhole(*body, separators);
    if (!value)
        return std::nullopt;
    return negative ? -*value : *value;
}

// The 0-based point nearest a 1-based position, within the `count` points.
std::size_t nearestPoint(double position, std::size_t count) {
    const double nearest = std::floor(position + 0.5) - 1.0;
    if (!(nearest > 0.0))
        return 0;
    return std::min(count - 1, static_cast<std::size_t>(std::min(nearest, 1e9)));
}

// The anchor of a date text while the anchors are point positions: the first point not earlier than the
// date (a date before the first point gives -1 unless `clamp`, then point 1; a date after the last gives
// the last point with `clamp`, else -1).
std::optional<DrawingAnchor> pointAnchor(std::string_view text, std::span<const double> pointDates,
                                         bool clamp) {
    const std::optional<com::DATE> date = pointDates.empty() ? std::nullopt : com::parseIsoDate(text);
    if (!date)
        return std::nullopt;
    const auto found = std::lower_bound(pointDates.begin(), pointDates.end(), *date);
    double position = -1.0;
    if (found == pointDates.end())
        position = clamp ? static_cast<double>(pointDates.size()) : -1.0;
    else if (found != pointDates.begin() || *found == *date || clamp)
        position = static_cast<double>(found - pointDates.begin() + 1);
    return DrawingAnchor{position, position};
}

}  // namespace

std::string DrawingDateText(const CDateScale& scale, double x, std::span<const double> pointDates) {
    if (!scale.HasXValues(scale.GetLevel())) {
        if (pointDates.empty())
            return scale.FormatValue(x, loc::LOCALE_USER_DEFAULT, false);
        x = pointDates[nearestPoint(x, pointDates.size())];
    }
    const std::optional<com::CalendarTime> time = com::fromOleDate(x);
    if (!time)
        return {};
    const bool midnight = time->hour == 0 && time->minute == 0 && time->second == 0;
    return midnight ? com::formatIsoDate(x) : com::formatIsoDateTime(x);
}

DrawingAnchor NearestPointAnchor(const CDateScale& scale, double position,
                                 std::span<const double> pointDates) {
    const bool dated = scale.HasXValues(scale.GetLevel());
    const std::size_t count = dated
                                  ? static_cast<std::size_t>(std::max(0, scale.PeriodCount(scale.GetLevel())))
                                  : pointDates.size();
    double whole = position;
    if (std::isfinite(position) && count > 0)
        whole = std::clamp(std::floor(position + 0.5), 1.0, static_cast<double>(count));
    return DrawingAnchor{whole, dated ? scale.ValueAtPosition(whole - 1) : whole};
}

std::optional<DrawingAnchor> ParseDrawingDate(const CDateScale& scale, std::string_view text, bool clamp,
                                              std::span<const double> pointDates) {
    const std::string_view trimmed = trimBlanks(text);
    if (!scale.HasXValues(scale.GetLevel())) {
        // Plain point numbers: the whole text must be one, or the date of a point.
        const std::optional<double> number = readWhole(trimmed, {".", ""});
        if (!number)
            return pointAnchor(trimmed, pointDates, clamp);
        const double x = *number;
        const std::int32_t position = std::fabs(x) < 2147483647.0 ? static_cast<std::int32_t>(x) : 0;
        return DrawingAnchor{static_cast<double>(position), x};
    }
    const std::optional<com::DATE> date = com::parseIsoDate(trimmed);
    if (!date)
        return std::nullopt;
    std::int32_t position = -1;
    double x = 0;
    scale.LocateDate(*date, position, x, clamp);
    return DrawingAnchor{static_cast<double>(position), x};
}

std::string DrawingPriceText(double price, const AxisSettingsRecord* priceAxis) {
    const AxisSettingsRecord& axis = priceAxis ? *priceAxis : plainPriceAxis();
    const std::int32_t decimals = CountDecimals(price, axis.format, axis.decimals);
    return formatValueText(price, axis.format, decimals, axis.prepared, axis.locale);
}

std::optional<double> ParseDrawingPrice(std::string_view text, const AxisSettingsRecord* priceAxis) {
    std::string_view number = trimBlanks(text);
    double scale = 1.0;
    if (priceAxis && formatKind(priceAxis->format) == FC_PERCENT && !number.empty() && number.back() == '%') {
        number = trimBlanks(number.substr(0, number.size() - 1));
        scale = 0.01;
    }
    std::array<Separators, 3> candidates{Separators{".", ""}};
    std::string symbol;
    if (priceAxis) {
        candidates[1] = {priceAxis->prepared.number.decimal(), priceAxis->prepared.number.thousand()};
        const loc::LocaleInfo locale = loc::LocaleRegistry::find(priceAxis->locale);
        candidates[2] = {locale.decimalSeparator, locale.thousandSeparator};
        symbol = formatKind(priceAxis->format) == FC_CURRENCY ? priceAxis->prepared.number.symbol() : "";
    }
    for (const Separators& separators : candidates) {
        if (separators.decimal.empty() && &separators != &candidates[0])
            continue;
        if (const std::optional<double> value = readPrice(number, separators, symbol))
            return *value * scale;
    }
    return std::nullopt;
}

}  // namespace dravik
