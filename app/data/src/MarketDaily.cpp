#include "appdata/MarketDaily.h"

#include "appdata/Schema.h"
#include "db/Connection.h"
#include "db/Error.h"

namespace tarnwick {

bool InsertDailyRow(db::Connection& connection, std::int32_t marketId, const DailyRow& row) {
    // Only the market number is formatted into the statement; every value is bound.
    const std::string sql = InsertSql(MarketDailyTable(), MarketDailyTableName(marketId));
    try {
        connection.execute(sql, {row.date, row.companyId, row.totalShares, row.totalAmount, row.openingPrice,
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
