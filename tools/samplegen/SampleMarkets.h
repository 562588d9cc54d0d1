// The reference data of the sample: two markets, their sectors, forty companies, the general and
// sector indices of each market, splits, notes and a watch list. Everything here is fixed; the
// prices come from PriceSeries.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace samplegen {

using Day = std::chrono::sys_days;

inline constexpr std::int32_t kGeneralSector = 5;  // the sector of a market's general index

struct Market {
    std::int32_t id;
    std::string name, aname, aprev;
    std::chrono::weekday weekend1, weekend2;
    std::chrono::month_day nationalDay;
};

struct Sector {
    std::int32_t id;
    std::string name, aname, aprev;
};

struct Company {
    std::int32_t id;
    std::string ticker, name, aname;
    std::int32_t marketId, sectorId;
    std::string description;
    bool isIndex;
    Day listed;         // the first day it may trade
    double startPrice;  // the index level for an index
    double baseShares;  // typical shares traded a day
};

struct Split {
    std::int32_t companyId;
    Day date;  // moved to the company's next trading day by the generator
    double ratio;
};

struct Note {
    std::int32_t id, companyId;
    Day date;
    std::string text, atext;
    bool hasImage;
};

struct Suspension {
    std::int32_t companyId;
    Day first;
    int tradingDays;
};

const std::vector<Market>& Markets();
const std::vector<Sector>& Sectors();
// Companies and indices of both markets, by market, companies before indices.
const std::vector<Company>& Companies();
const std::vector<Split>& Splits();
const std::vector<Note>& Notes();
const std::vector<Suspension>& Suspensions();

// The watch list the sample brings: its name and its companies in order.
const std::string& WatchListName();
const std::vector<std::int32_t>& WatchListCompanies();

// Trading days: not a weekend day of the market, not a holiday.
bool IsTradingDay(const Market& market, Day day);

}  // namespace samplegen
