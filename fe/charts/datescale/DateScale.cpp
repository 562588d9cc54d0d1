#include "datescale/DateScale.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "com/FixedText.h"
#include "com/OleDate.h"
#include "format/NumberText.h"
#include "format/ValueFormat.h"
#include "format/ValueParse.h"
#include "locale/LocaleRegistry.h"

namespace dravik {
namespace {

constexpr double kEmpty = kEmptyValue;
constexpr double kHighSeed = -3.4028235e38;
constexpr double kLowSeed = 3.4028235e38;

// Whole days since 1899-12-30 of an OLE date (the time of day dropped; before 1899-12-30 the day runs
// toward zero, as the date's integer part does).
std::int64_t dayNumber(double date) {
    return static_cast<std::int64_t>(std::trunc(date));
}

// Monday = 0 ... Sunday = 6.
int weekdayFromMonday(double date) {
    return (com::weekdayFromSunday0(date) + 6) % 7;
}

constexpr int kMonday = 0;
constexpr int kFriday = 4;
constexpr int kSaturday = 5;
constexpr int kSunday = 6;

// The day weeks begin on (Monday = 0): Monday, or Sunday for a run that has points on Sundays and
// none on a Friday or a Saturday (a market whose weekend is Friday and Saturday).
int firstWeekday(const double* dates, std::size_t count) {
    bool sunday = false;
    bool fridayOrSaturday = false;
    for (std::size_t i = 0; i < count; ++i) {
        const int weekday = weekdayFromMonday(dates[i]);
        sunday = sunday || weekday == kSunday;
        fridayOrSaturday = fridayOrSaturday || weekday == kFriday || weekday == kSaturday;
    }
    return sunday && !fridayOrSaturday ? kSunday : kMonday;
}

// Whether a point begins a new week: it falls on the week's first day, or more days have passed
// since the open week began than the point's day counted from that first day (the first day lay in
// a gap). Further points of the same day stay in their week.
bool beginsWeek(double date, double weekStart, int first) {
    const std::int64_t dayOfWeek = (weekdayFromMonday(date) - first + 7) % 7;
    const std::int64_t passed = dayNumber(date) - dayNumber(weekStart);
    return (dayOfWeek == 0 && passed != 0) || passed > dayOfWeek;
}

enum class SeriesRole { Open, High, Low, Volume, Other };

SeriesRole roleOf(std::int32_t series, const CDateScale::PriceSeries& prices) {
    if (series == prices.high)
        return SeriesRole::High;
    if (series == prices.low)
        return SeriesRole::Low;
    if (series == prices.volume)
        return SeriesRole::Volume;
    if (series == prices.open)
        return SeriesRole::Open;
    return SeriesRole::Other;
}

double seedOf(SeriesRole role) {
    switch (role) {
        case SeriesRole::High:
            return kHighSeed;
        case SeriesRole::Low:
            return kLowSeed;
        case SeriesRole::Volume:
            return 0.0;
        default:
            return kEmpty;
    }
}

double accumulate(SeriesRole role, double running, double value) {
    switch (role) {
        case SeriesRole::Open:
            return running == kEmpty ? value : running;
        case SeriesRole::High:
            return std::max(running, value);
        case SeriesRole::Low:
            return std::min(running, value);
        case SeriesRole::Volume:
            return running + value;
        default:
            return value;
    }
}

// A high or low that met no value is no value.
double stored(SeriesRole role, double running) {
    if ((role == SeriesRole::High && running == kHighSeed) ||
        (role == SeriesRole::Low && running == kLowSeed))
        return kEmpty;
    return running;
}

}  // namespace

BreakTables CDateScale::FindBreaks(const double* dates, std::int32_t count) {
    BreakTables tables;
    if (count <= 0 || !dates)
        return tables;
    for (auto& table : tables)
        table.assign(static_cast<std::size_t>(count), 0);

    // Calendar fields up to the first date that cannot be converted.
    std::vector<com::CalendarTime> times;
    for (std::int32_t i = 0; i < count; ++i) {
        const auto time = com::fromOleDate(dates[i]);
        if (!time)
            break;
        times.push_back(*time);
    }
    if (times.empty())
        return tables;
    const int weekBegins = firstWeekday(dates, times.size());

    // Where the open period of each level began.
    std::array<std::size_t, kBreakLevelCount> start{};
    for (std::size_t i = 1; i < times.size(); ++i) {
        const com::CalendarTime& t = times[i];
        const auto differs = [&](std::int32_t level) {
            const com::CalendarTime& s = times[start[static_cast<std::size_t>(level)]];
            switch (level) {
                case DL_YEAR:
                    return t.year != s.year;
                case DL_QUARTER:
                    return t.year != s.year || (t.month - 1) / 3 != (s.month - 1) / 3;
                case DL_MONTH:
                    return t.year != s.year || t.month != s.month;
                case DL_WEEK:
                    return beginsWeek(dates[i], dates[start[DL_WEEK]], weekBegins);
                default:
                    return t.year != s.year || t.month != s.month || t.day != s.day;
            }
        };
        for (std::int32_t level = 0; level < kBreakLevelCount; ++level) {
            if (differs(level)) {
                tables[static_cast<std::size_t>(level)][i] = 1;
                ++tables[static_cast<std::size_t>(level)][0];
                start[static_cast<std::size_t>(level)] = i;
            }
        }
    }
    return tables;
}

void CDateScale::aggregate(Level& level, const std::vector<std::int32_t>& breaks, const double* values,
                           const double* xValues, PriceSeries prices) const {
    const std::size_t points = static_cast<std::size_t>(pointCount_);
    level.seriesCount = seriesCount_;
    level.periodCount = breaks[0] + 1;
    const std::size_t periods = static_cast<std::size_t>(level.periodCount);
    level.values.assign(periods * static_cast<std::size_t>(seriesCount_), 0.0);
    level.xValues.assign(periods * static_cast<std::size_t>(seriesCount_), 0.0);
    for (std::int32_t series = 0; series < seriesCount_; ++series) {
        const SeriesRole role = roleOf(series, prices);
        const std::size_t base = static_cast<std::size_t>(series) * points;
        const std::size_t out = static_cast<std::size_t>(series) * periods;
        std::size_t period = 0;
        double running = seedOf(role);
        for (std::size_t k = 0; k < points; ++k) {
            if (k > 0 && breaks[k] != 0) {
                level.values[out + period] = stored(role, running);
                level.xValues[out + period] = xValues[base + k - 1];
                ++period;
                running = seedOf(role);
            }
            const double value = values[base + k];
            if (value != kEmpty)
                running = accumulate(role, running, value);
        }
        level.values[out + period] = stored(role, running);
        level.xValues[out + period] = xValues[base + points - 1];
    }
}

void CDateScale::Build(std::int32_t seriesCount, std::int32_t pointCount, const double* values,
                       const double* xValues, PriceSeries prices) {
    levels_ = {};
    const bool usable = seriesCount > 0 && pointCount > 0 && values && xValues;
    seriesCount_ = usable ? seriesCount : 0;
    pointCount_ = usable ? pointCount : 0;
    if (!usable)
        return;
    const BreakTables breaks = FindBreaks(xValues, pointCount);
    for (std::int32_t level = 0; level < kBreakLevelCount; ++level)
        aggregate(levels_[static_cast<std::size_t>(level)], breaks[static_cast<std::size_t>(level)], values,
                  xValues, prices);
    // The points as they are: positions only.
    levels_[DL_POINTS].seriesCount = seriesCount;
    levels_[DL_POINTS].periodCount = pointCount;
}

void CDateScale::SetLevel(std::int32_t level) {
    level_ = std::clamp(level, std::int32_t{0}, kDateLevelCount - 1);
}

std::int32_t CDateScale::PeriodCount(std::int32_t level) const {
    if (level < 0 || level >= kDateLevelCount)
        return 0;
    return levels_[static_cast<std::size_t>(level)].periodCount;
}

double CDateScale::Value(std::int32_t level, std::int32_t series, std::int32_t period) const {
    if (level < 0 || level >= kBreakLevelCount || series < 0 || series >= seriesCount_ || period < 0 ||
        period >= PeriodCount(level))
        return kEmpty;
    const Level& l = levels_[static_cast<std::size_t>(level)];
    return l.values[static_cast<std::size_t>(series) * static_cast<std::size_t>(l.periodCount) +
                    static_cast<std::size_t>(period)];
}

double CDateScale::XValue(std::int32_t level, std::int32_t series, std::int32_t period) const {
    if (!HasXValues(level) || series < 0 || series >= seriesCount_ || period < 0 ||
        period >= PeriodCount(level))
        return kEmpty;
    const Level& l = levels_[static_cast<std::size_t>(level)];
    return l.xValues[static_cast<std::size_t>(series) * static_cast<std::size_t>(l.periodCount) +
                     static_cast<std::size_t>(period)];
}

bool CDateScale::HasXValues(std::int32_t level) const {
    return level >= 0 && level < kDateLevelCount && !levels_[static_cast<std::size_t>(level)].xValues.empty();
}

std::span<const double> CDateScale::PositionTable() const {
    if (!HasXValues(level_) || seriesCount_ <= 0)
        return {};
    const Level& l = levels_[static_cast<std::size_t>(level_)];
    return std::span<const double>(l.xValues.data(), static_cast<std::size_t>(l.periodCount));
}

double CDateScale::ValueAtPosition(double position) const {
    const std::span<const double> table = PositionTable();
    // NaN fails every comparison: refuse it with the positions outside the table.
    if (!(position >= 0.0) || position >= static_cast<double>(table.size()))
        return -1.0;
    const auto index = static_cast<std::size_t>(position);
    const double fraction = position - static_cast<double>(index);
    if (fraction == 0.0 || index + 1 >= table.size())
        return table[index];
    return table[index] + (table[index + 1] - table[index]) * fraction;
}

double CDateScale::PositionOfValue(double value) const {
    const std::span<const double> table = PositionTable();
    const double outside = -static_cast<double>(table.size());
    if (table.empty() || value == -1.0 || !(value >= table.front() && value <= table.back()))
        return outside;
    const auto found = std::lower_bound(table.begin(), table.end(), value);
    const auto index = static_cast<std::size_t>(found - table.begin());
    if (*found == value || index == 0)
        return static_cast<double>(index);
    const double previous = table[index - 1];
    return (value - previous) / (*found - previous) + static_cast<double>(index - 1);
}

double CDateScale::ValueAt(double position) const {
    const std::int32_t periods = PeriodCount(level_);
    if (periods <= 0 || std::isnan(position))
        return position;
    const double clamped = std::clamp(position, 1.0, static_cast<double>(periods));
    if (!HasXValues(level_))
        return clamped;
    const auto period = static_cast<std::int32_t>(std::floor(clamped + 0.5)) - 1;
    return XValue(level_, 0, std::clamp(period, 0, periods - 1));
}

std::string CDateScale::FormatValue(double value, loc::LCID locale, bool dateOnly) const {
    if (!HasXValues(level_)) {
        std::string text = formatDoubleText(value, 2, ".", false);
        if (text.size() < 10)
            text.insert(0, 10 - text.size(), ' ');
        return text;
    }
    loc::SystemTime time;
    if (!VariantTimeToSystemTimeHelper(value, time))
        return {};
    const bool midnight = time.hour == 0 && time.minute == 0 && time.second == 0;
    return formatSystemTimeText(time, std::nullopt, dateOnly || midnight ? FC_DATE : FC_DATETIME, locale);
}

int CDateScale::FormatValue(double value, char* buffer, std::size_t size, loc::LCID locale,
                            bool dateOnly) const {
    return static_cast<int>(com::copyToFixed(FormatValue(value, locale, dateOnly), buffer, size).length);
}

bool CDateScale::ParseValue(std::string_view text, std::int32_t& position, double& value, loc::LCID locale,
                            bool clamp) const {
    if (!HasXValues(level_)) {
        const double number = ParseNumber(text, ".");
        value = number;
        position =
            std::isfinite(number) && std::fabs(number) < 2147483647.0 ? static_cast<std::int32_t>(number) : 0;
        return true;
    }
    const auto order = static_cast<std::int32_t>(loc::LocaleRegistry::find(locale).dateOrder);
    loc::SystemTime time = ParseDateText(locale, text, false, order);
    if (time.dayOfWeek > 7)
        time.dayOfWeek = 0;
    if (time.hour > 23)
        time.hour = 0;
    if (time.minute >= 60)
        time.minute = 0;
    if (time.second >= 60)
        time.second = 0;
    com::DATE date = 0;
    if (!SystemTimeToVariantTimeHelper(time, date))
        return false;
    LocateDate(date, position, value, clamp);
    return true;
}

void CDateScale::LocateDate(double date, std::int32_t& position, double& value, bool clamp) const {
    position = -1;
    value = date;
    const std::int32_t periods = PeriodCount(level_);
    for (std::int32_t period = 0; period < periods; ++period) {
        const double x = XValue(level_, 0, period);
        if (x < date)
            continue;
        if (x == date || period > 0 || clamp) {
            position = period + 1;
            value = x;
        }
        return;
    }
    if (clamp && periods > 0) {
        position = periods;
        value = XValue(level_, 0, periods - 1);
    }
}

}  // namespace dravik

namespace dravik {

int CDateScale::FormatNumberText(char* buffer, std::size_t size, double value, std::int32_t code,
                                 std::int32_t decimals, const PreparedFormat& format, loc::LCID locale) {
    return dravik::FormatValue(buffer, size, value, code, decimals, format, locale);
}

bool CDateScale::ParseNumberText(std::string_view text, double& value) {
    value = ParseNumber(text, ".");
    return true;
}

}  // namespace dravik
