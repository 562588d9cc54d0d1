// The date scale of a chart: where each year, quarter, month, week and day begins in the chart's run of
// dated points, the series aggregated over those periods, and conversions between 1-based X positions,
// dates and their texts.
//
// Levels: 0 year, 1 quarter, 2 month, 3 week, 4 day, 5 the points as they are (no aggregation, no X
// values: positions are plain numbers).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "com/Types.h"
#include "format/NumberFormatRecord.h"
#include "locale/LocaleInfo.h"

namespace dravik {

enum DateLevel : std::int32_t {
    DL_YEAR = 0,
    DL_QUARTER = 1,
    DL_MONTH = 2,
    DL_WEEK = 3,
    DL_DAY = 4,
    DL_POINTS = 5,
};

inline constexpr std::int32_t kDateLevelCount = 6;
inline constexpr std::int32_t kBreakLevelCount = 5;

// One table per aggregated level (year .. day): entry i (i >= 1) is 1 when a new period begins at point
// i; entry 0 holds the number of breaks. Empty tables for no points.
using BreakTables = std::array<std::vector<std::int32_t>, kBreakLevelCount>;

class CDateScale {
public:
    // The series of a period keep: open its first value, high its maximum, low its minimum, volume the
    // sum, every other series its last value. Indices of series; -1 for none.
    struct PriceSeries {
        std::int16_t open = -1;
        std::int16_t high = -1;
        std::int16_t low = -1;
        std::int16_t volume = -1;
    };

    CDateScale() = default;
    virtual ~CDateScale() = default;

    // Finds the breaks on the first series' X values (OLE dates) and aggregates every series over the
    // periods of each level. `values` and `xValues` hold seriesCount × pointCount doubles, series after
    // series (point k of series j at j × pointCount + k). Replaces whatever the scale held; the current
    // level is kept.
    void Build(std::int32_t seriesCount, std::int32_t pointCount, const double* values, const double* xValues,
               PriceSeries prices);

    // The breaks of a run of dates. A date that cannot be converted ends the scan: it and every later
    // point stay in the period that was open. Weeks begin on Monday, or on Sunday when the run has
    // points on Sundays and none on a Friday or a Saturday (a market trading Sunday to Thursday). A
    // point begins a new week when it falls on that day or when its week's first day lay in a gap
    // since the open week began.
    static BreakTables FindBreaks(const double* dates, std::int32_t count);

    // The current level (0..5; other values are clamped).
    void SetLevel(std::int32_t level);
    std::int32_t GetLevel() const { return level_; }

    std::int32_t SeriesCount() const { return seriesCount_; }
    std::int32_t PointCount() const { return pointCount_; }
    // Periods of a level (the point count for level 5).
    std::int32_t PeriodCount(std::int32_t level) const;
    // Aggregated value of a series in a period (0-based); 1e308 where there is none.
    double Value(std::int32_t level, std::int32_t series, std::int32_t period) const;
    // X value (OLE date) of a period for a series: the date of the series' last point in that period.
    double XValue(std::int32_t level, std::int32_t series, std::int32_t period) const;
    bool HasXValues(std::int32_t level) const;

    // 1-based position on the X axis to a value of the current level: the position is clamped to the
    // periods; with X values the date of the nearest whole period, else the clamped position.
    double ValueAt(double position) const;

    // The current level's position table: the X values of positions 0 .. count - 1 (the first series'
    // periods), ascending; empty when the level has no X values.
    std::span<const double> PositionTable() const;
    // The X value at a 0-based position of the table, interpolated linearly between two entries for a
    // fractional position; -1 for a negative position, one not below the count, or no table.
    double ValueAtPosition(double position) const;
    // The 0-based (fractional) position of an X value inside [first entry, last entry]; for -1 or a value
    // outside the table, minus the table's count.
    double PositionOfValue(double value) const;

    // Text of an X value: without X values the value as "%10.2f"; else its date in the locale's short
    // form, with the time when `dateOnly` is false and the time of day is not midnight.
    std::string FormatValue(double value, loc::LCID locale, bool dateOnly) const;
    int FormatValue(double value, char* buffer, std::size_t size, loc::LCID locale, bool dateOnly) const;

    // Text to a position and value of the current level. With X values the text is a date in the
    // locale's order; the first period not earlier than it gives its 1-based position and date (a later
    // first period only with `clamp`); with `clamp` a date after the last period gives the last. Otherwise
    // position -1 and the date itself. Without X values the text is a number for both. False when the
    // text is not a date (nothing is changed).
    bool ParseValue(std::string_view text, std::int32_t& position, double& value, loc::LCID locale,
                    bool clamp) const;
    // The position and value of a date of the current level, found as ParseValue finds a date it read.
    void LocateDate(double date, std::int32_t& position, double& value, bool clamp) const;

    // The price side of the chart: a value under a format code (as value labels are formatted), and a
    // number text read with "." as separator.
    static int FormatNumberText(char* buffer, std::size_t size, double value, std::int32_t code,
                                std::int32_t decimals, const PreparedFormat& format, loc::LCID locale);
    static bool ParseNumberText(std::string_view text, double& value);

private:
    struct Level {
        std::int32_t seriesCount = 0;
        std::int32_t periodCount = 0;
        std::vector<double> values;   // periodCount per series, series after series
        std::vector<double> xValues;  // likewise
    };

    void aggregate(Level& level, const std::vector<std::int32_t>& breaks, const double* values,
                   const double* xValues, PriceSeries prices) const;

    std::array<Level, kDateLevelCount> levels_;
    std::int32_t seriesCount_ = 0;
    std::int32_t pointCount_ = 0;
    std::int32_t level_ = DL_POINTS;
};

}  // namespace dravik
