// A market with one company, its sector index and the market's general index, six trading days in
// March 2005 and two splits of ratio 2, in the in-memory market database, with a chart in memory.
//
//   day         open  high  low   close  shares  amount  sector  general
//   2005-03-01  40    44    38    42     100     4000    100     1000
//   2005-03-02  42    46    40    44     200     8000    -       1010
//   2005-03-03  22    24    20    23     400     9000    104     1020    split 2
//   2005-03-04  23    25    21    24     300     7000    106     1030
//   2005-03-07  12    13    11    12.5   800     9500    108     1040    split 2
//   2005-03-08  12.5  13.5  12    13     600     7500    110     1050
#pragma once

#include <chrono>

#include "FakeChart.h"
#include "IndicatorRegistry.h"
#include "MarketDbFixture.h"
#include "appchart/fill/clsKorvelFill.h"
#include "appdata/Schema.h"

namespace tarnwick::chart::test {

inline db::Date day(int y, unsigned m, unsigned d) {
    return db::Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

inline constexpr std::int32_t kMarket = 1;
inline constexpr std::int32_t kCompany = 10;
inline constexpr std::int32_t kSectorIndex = 20;
inline constexpr std::int32_t kGeneralIndex = 30;
inline constexpr std::int32_t kSector = 2;

class ChartFillTest : public MarketDbTest {
protected:
    void SetUp() override {
        MarketDbTest::SetUp();
        gSpecial = false;
        gBaseDate = day(2026, 1, 5);
        EnsureMarketDailyTable(db(), kMarket);
        addCompany(kCompany, "ALP", "Alpha Holding", kSector, false);
        addCompany(kSectorIndex, "BNK", "Banks Index", kSector, true);
        addCompany(kGeneralIndex, "GEN", "General Index", 5, true);
        addCompany(FallbackCompanyID, "FBK", "Fallback Trading", 3, false);
        addDay(day(2005, 3, 1), kCompany, 40, 44, 38, 42, 100, 4000);
        addDay(day(2005, 3, 2), kCompany, 42, 46, 40, 44, 200, 8000);
        addDay(day(2005, 3, 3), kCompany, 22, 24, 20, 23, 400, 9000);
        addDay(day(2005, 3, 4), kCompany, 23, 25, 21, 24, 300, 7000);
        addDay(day(2005, 3, 7), kCompany, 12, 13, 11, 12.5, 800, 9500);
        addDay(day(2005, 3, 8), kCompany, 12.5, 13.5, 12, 13, 600, 7500);
        const double sector[] = {100, 0, 104, 106, 108, 110};
        const double general[] = {1000, 1010, 1020, 1030, 1040, 1050};
        const db::Date days[] = {day(2005, 3, 1), day(2005, 3, 2), day(2005, 3, 3),
                                 day(2005, 3, 4), day(2005, 3, 7), day(2005, 3, 8)};
        for (int i = 0; i < 6; ++i) {
            if (sector[i] != 0) {
                addDay(days[i], kSectorIndex, 0, 0, 0, sector[i], 0, 0);
            }
            addDay(days[i], kGeneralIndex, 0, 0, 0, general[i], 0, 0);
        }
        addSplit(day(2005, 3, 3), kCompany, 2);
        addSplit(day(2005, 3, 7), kCompany, 2);

        clsCategory banks;
        banks.ID = kSector;
        banks.Name = "Banks";
        gCategories.add(banks, RecordKey(kSector));
        clsMarket market;
        market.ID = kMarket;
        market.Aprev = "TASI";
        gMarkets.add(market, RecordKey(kMarket));

        fill.Chart = &chart;
        fill.dayLegend = [](db::Date d) { return db::formatIsoDate(d); };
    }
    void TearDown() override {
        gSpecial = true;
        MarketDbTest::TearDown();
    }

    static void addCompany(std::int32_t id, const char* ticker, const char* name, std::int32_t category,
                           bool isIndex) {
        exec(
            R"(INSERT INTO "Company" ("ID", "TICKER", "NAME", "ANAME", "MARKET_ID", "CATEGORY_ID", "IS_INDEX"))"
            R"( VALUES (?, ?, ?, ?, ?, ?, ?))",
            {id, ticker, name, name, kMarket, category, isIndex});
    }
    static void addDay(db::Date d, std::int32_t company, double open, double high, double low, double close,
                       double shares, double amount) {
        exec(
            "INSERT INTO \"MARKETDAILY1\" (\"DATE\", \"COMPANYID\", \"TotalShares\", \"TotalAmount\","
            " \"OpeningPrice\", \"MaxPrice\", \"MinPrice\", \"ClosingPrice\") VALUES (?, ?, ?, ?, ?, ?, ?, "
            "?)",
            {d, company, shares, amount, open, high, low, close});
    }
    static void addSplit(db::Date d, std::int32_t company, double ratio) {
        exec(R"(INSERT INTO "Split" ("SPLITDATE", "COMPANYID", "Ratio") VALUES (?, ?, ?))",
             {d, company, ratio});
    }

    // Period 8 (ten years) reaches back before every row of the fixture.
    void chart10(std::int16_t interval, bool adjusted = true, bool keepData = false) {
        fill.GetData(kCompany, 8, adjusted, interval, true, true, keepData, 0);
    }
    double at(int column, std::int32_t point) const { return chart.value(column, point); }

    IndicatorRegistry registry;
    FakeChart chart;
    clsKorvelFill fill{[](std::int32_t entry) { return "text" + std::to_string(entry); }};
};

}  // namespace tarnwick::chart::test
