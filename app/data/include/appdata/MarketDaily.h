// The record path of one day's trading of one company: the row goes into the daily-price table of
// its market, MARKETDAILY followed by the market's number.
#pragma once

#include <cstdint>

#include "db/Value.h"

namespace db {
class Connection;
}

namespace tarnwick {

struct DailyRow {
    db::Date date;
    std::int32_t companyId = 0;
    double totalShares = 0;
    double totalAmount = 0;
    double openingPrice = 0;
    double maxPrice = 0;
    double minPrice = 0;
    double closingPrice = 0;
    bool isDeleted = false;
};

// Inserts the row into MARKETDAILY<marketId>. Returns false, changing nothing, when a row of that
// date and company exists already; any other failure raises db::Error.
bool InsertDailyRow(db::Connection& connection, std::int32_t marketId, const DailyRow& row);

}  // namespace tarnwick
