#include "appchart/fill/ChartReading.h"

#include <algorithm>
#include <chrono>

#include "appchart/fill/FillPeriod.h"
#include "locale/LocaleFormat.h"
#include "locale/LocaleInfo.h"

namespace tarnwick::chart {

namespace {

using namespace std::chrono;

double cell(const std::optional<double>& value) {
    return value.value_or(kNoValueMark);
}

// Aggregates in the manner of SQL: empty cells are left out, an all-empty group is empty.
void keepLowest(double& into, const std::optional<double>& value) {
    if (value && (IsNoValueMark(into) || *value < into)) {
        into = *value;
    }
}
void keepHighest(double& into, const std::optional<double>& value) {
    if (value && (IsNoValueMark(into) || *value > into)) {
        into = *value;
    }
}
void addTo(double& into, const std::optional<double>& value) {
    if (value) {
        into = IsNoValueMark(into) ? *value : into + *value;
    }
}

void setCell(ChartDataSet& data, int column, std::int32_t point, double value) {
    data.values[static_cast<std::size_t>(column)][static_cast<std::size_t>(point)] = value;
}
double& cellRef(ChartDataSet& data, int column, std::int32_t point) {
    return data.values[static_cast<std::size_t>(column)][static_cast<std::size_t>(point)];
}

void readDaily(const ChartReading& reading, std::span<const TempDataRow> rows, ChartDataSet& data) {
    for (const TempDataRow& row : rows) {
        const std::int32_t p = data.addPoint(OleDay(row.date), reading.dayLegend(row.date));
        setCell(data, kLowColumn, p, cell(row.minPrice));
        setCell(data, kOpenColumn, p, cell(row.openingPrice));
        setCell(data, kCloseColumn, p, cell(row.closingPrice));
        setCell(data, kHighColumn, p, cell(row.maxPrice));
        setCell(data, kVolumeColumn, p, cell(reading.amountAsVolume ? row.totalAmount : row.totalShares));
        setCell(data, kSplitColumn, p, cell(row.split));
        setCell(data, kSectorColumn, p, cell(row.industryIndex));
        setCell(data, kGeneralColumn, p, cell(row.generalIndex));
        setCell(data, kRatioColumn, p, cell(row.splitRatio));
    }
}

std::string monthLegend(db::Date day) {
    return "15/" + std::to_string(static_cast<unsigned>(day.month())) + "/" +
           std::to_string(static_cast<int>(day.year()));
}

void readGrouped(const ChartReading& reading, std::span<const TempDataRow> rows, ChartDataSet& data) {
    db::Date current{};
    std::int32_t p = -1;
    for (const TempDataRow& row : rows) {
        const db::Date day = PointDay(reading.interval, row.date);
        if (p < 0 || day != current) {
            current = day;
            p = data.addPoint(OleDay(day), reading.interval == ChartInterval::Monthly
                                               ? monthLegend(day)
                                               : reading.dayLegend(day));
            setCell(data, kOpenColumn, p, cell(row.openingPrice));
        }
        keepLowest(cellRef(data, kLowColumn, p), row.minPrice);
        keepHighest(cellRef(data, kHighColumn, p), row.maxPrice);
        addTo(cellRef(data, kVolumeColumn, p), row.totalShares);
        keepHighest(cellRef(data, kSplitColumn, p), row.split);
        keepHighest(cellRef(data, kRatioColumn, p), row.splitRatio);
        setCell(data, kCloseColumn, p, cell(row.closingPrice));
        setCell(data, kSectorColumn, p, cell(row.industryIndex));
        setCell(data, kGeneralColumn, p, cell(row.generalIndex));
    }
}

}  // namespace

ChartInterval IntervalOf(std::int16_t value) {
    switch (value) {
        case 1:
            return ChartInterval::Weekly;
        case 2:
            return ChartInterval::Monthly;
        default:
            return ChartInterval::Daily;
    }
}

std::string ShortDateLegend(db::Date date) {
    loc::SystemTime time;
    time.year = static_cast<std::uint16_t>(static_cast<int>(date.year()));
    time.month = static_cast<std::uint16_t>(static_cast<unsigned>(date.month()));
    time.day = static_cast<std::uint16_t>(static_cast<unsigned>(date.day()));
    return loc::formatDate(loc::LOCALE_USER_DEFAULT, loc::DateForm::Short, time, std::nullopt).value_or("");
}

db::Date PointDay(ChartInterval interval, db::Date day) {
    switch (interval) {
        case ChartInterval::Weekly: {
            // Sunday to Saturday, dated on the Thursday.
            const sys_days d{day};
            const unsigned fromSunday = weekday{d}.c_encoding();
            return db::Date{d - days{fromSunday} + days{4}};
        }
        case ChartInterval::Monthly:
            return db::Date{day.year(), day.month(), std::chrono::day{15}};
        case ChartInterval::Daily:
            break;
    }
    return day;
}

ChartDataSet ChartReading::read(std::span<const TempDataRow> rows) const {
    ChartDataSet data;
    data.columnNames = {"Low",      "Open",     "Close", "High", "Volume", "Split",
                        "CatIndex", "GenIndex", "Ratio", "Date", "Legend"};
    if (interval == ChartInterval::Daily) {
        data.columnNames[kSplitColumn] = "Divident";
        readDaily(*this, rows, data);
    } else {
        readGrouped(*this, rows, data);
    }
    return data;
}

}  // namespace tarnwick::chart
