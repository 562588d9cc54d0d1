// The work table tempData as the chart fill builds it: the charted company's daily rows of the
// period, the closes of its sector index and of its market's general index beside them, empty days
// after the market's last day, prices adjusted for splits with their markers, and both index columns
// scaled to start at the company's close. Values reach SQL as bound parameters only.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "appdata/KeyedCollection.h"
#include "appdata/records/clsSplit.h"
#include "db/Value.h"

namespace db {
class Connection;
}

namespace tarnwick::chart {

// One row of tempData; an empty optional is a NULL cell.
struct TempDataRow {
    db::Date date;
    std::optional<double> totalShares, totalAmount;
    std::optional<double> openingPrice, maxPrice, minPrice, closingPrice;
    std::optional<double> industryIndex, generalIndex;
    std::optional<double> split, splitRatio;
};

// The factors that brought the two index columns to the company's close; nullopt for a column
// left unscaled.
struct IndexScaling {
    std::optional<double> sector;
    std::optional<double> general;
};

// A split day's marker rests this far above the day's adjusted opening price.
inline constexpr double kSplitMarkerFactor = 1.05;
inline constexpr int kEmptyDays = 30;

class TempDataTable {
public:
    explicit TempDataTable(db::Connection& connection) : connection_(connection) {}

    // The last day of the market's daily table; nullopt for an empty table.
    std::optional<db::Date> lastMarketDate(std::int32_t marketId);

    // Empties the table and copies the company's rows from `start` on into it, each with the close, on
    // that day, of its sector index (an index of the same market and sector) and of its market's
    // general index (the index of the market in sector 5); returns how many rows.
    std::int64_t rebuild(std::int32_t marketId, std::int32_t companyId, std::int32_t categoryId,
                         db::Date start);
    // Rows that carry only a date: the `count` calendar days after `last`.
    void addEmptyDays(db::Date last, int count = kEmptyDays);
    // Divides the prices before each split by the product of its own and every later split's ratio
    // (multiplying the volume), from `start` on, and marks each split day. Splits are oldest first. A
    // split whose ratio is not above zero is left out and logged.
    void adjustForSplits(const KeyedCollection<clsSplit>& splits, db::Date start);
    // Scales both index columns so that they start at the company's close on the first day both are
    // known.
    IndexScaling scaleIndexes();

    // Every row, by date (rows of one day in the order they were added).
    std::vector<TempDataRow> rowsByDate();
    // The close of the company's row of that day; nullopt without a row or a close.
    std::optional<double> closeOn(db::Date date);
    // The last day the company has a row for (the empty days have none); nullopt without any.
    std::optional<db::Date> lastTradingDay();

private:
    db::Connection& connection_;
};

}  // namespace tarnwick::chart
