#include "appdata/MarketDaily.h"

#include "appdata/Schema.h"
#include "db/Connection.h"
#include "db/Error.h"

namespace tarnwick {

namespace {

// The statement text of a market's daily table. Rows arrive market by market, so the text of the
// last market is kept rather than made again for every row.
const std::string& dailyInsertSql(std::int32_t marketId) {
    thread_local std::int32_t market = 0;
    thread_local std::string sql;
    if (sql.empty() || market != marketId) {
        sql = InsertSql(MarketDailyTable(), MarketDailyTableName(marketId));
        market = marketId;
    }
    return sql;
}

}  // namespace

bool InsertDailyRow(db::Connection& connection, std::int32_t marketId, const DailyRow& row) {
    // Only the market number is formatted into the statement; every value is bound.
    try {
        connection.execute(dailyInsertSql(marketId),
                           {row.date, row.companyId, row.totalShares, row.totalAmount, row.openingPrice,
                            row.maxPrice, row.minPrice, row.closingPrice, row.isDeleted});
    } catch (const db::Error& e) {
        if (e.isDuplicateKey()) {
            return false;
        }
        throw;
    }
    return true;
}

}  // namespace tarnwick
