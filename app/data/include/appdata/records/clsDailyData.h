// One day's trading of one company, kept in the daily-price table of its market.
#pragma once

#include <cstdint>
#include <string_view>

#include "db/Value.h"

namespace tarnwick {

class clsDailyData {
public:
    db::Date Date{};
    std::int32_t CompanyID = 0;
    double TotalShares = 0;
    double TotalAmount = 0;
    double OpeningPrice = 0;
    double MaxPrice = 0;
    double MinPrice = 0;
    double ClosingPrice = 0;
    std::int32_t MarketID = 0;  // selects the table MARKETDAILY<MarketID>
    bool isDeleted = false;

    // A DAILY line: date|CompanyID|TotalShares|TotalAmount|OpeningPrice|MaxPrice|MinPrice|
    // ClosingPrice|deleted flag|MarketID, the date as year-month-day. False, with nothing changed,
    // for fewer than two fields (silently) or a short or malformed line (logged).
    bool ParseParameters(std::string_view Line);
    // Inserts the row. A row of that date and company that exists already is left as it is, without
    // a log record (and counts as stored); any other failure is logged and gives false.
    bool InsertDB();
    // Deletes the row of that date and company when isDeleted, else replaces its six values. Errors
    // are logged and give false.
    bool UpdateDB();
};

}  // namespace tarnwick
