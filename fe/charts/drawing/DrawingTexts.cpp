#include "drawing/DrawingTexts.h"

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

}  // namespace

std::string DrawingDateText(const CDateScale& scale, double x) {
    if (!scale.HasXValues(scale.GetLevel()))
        return scale.FormatValue(x, loc::LOCALE_USER_DEFAULT, false);
    const std::optional<com::CalendarTime> time = com::fromOleDate(x);
    if (!time)
        return {};
    const bool midnight = time->hour == 0 && time->minute == 0 && time->second == 0;
    return midnight ? com::formatIsoDate(x) : com::formatIsoDateTime(x);
}

std::optional<DrawingAnchor> ParseDrawingDate(const CDateScale& scale, std::string_view text, bool clamp) {
    const std::string_view trimmed = trimBlanks(text);
    if (!scale.HasXValues(scale.GetLevel())) {
        // Plain point numbers: the whole text must be one.
        const std::optional<double> number = readWhole(trimmed, {".", ""});
        if (!number)
            return std::nullopt;
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
    if (priceAxis) {
        candidates[1] = {priceAxis->prepared.number.decimal(), priceAxis->prepared.number.thousand()};
        const loc::LocaleInfo locale = loc::LocaleRegistry::find(priceAxis->locale);
        candidates[2] = {locale.decimalSeparator, locale.thousandSeparator};
    }
    for (const Separators& separators : candidates) {
        if (separators.decimal.empty() && &separators != &candidates[0])
            continue;
        if (const std::optional<double> value = readWhole(number, separators))
            return *value * scale;
    }
    return std::nullopt;
}

}  // namespace dravik
