#include "appchart/fill/TempDataTable.h"

#include <charconv>
#include <chrono>
#include <string>

#include "appdata/ErrorLog.h"
#include "appdata/Schema.h"
#include "db/Connection.h"
#include "fill/FillProcNames.h"

namespace tarnwick::chart {

namespace {

constexpr std::int32_t kGeneralIndexCategory = 5;

// Market numbers are the only values formatted into SQL text: they name the daily table.
std::string dailyTable(std::int32_t marketId) {
    return "\"" + MarketDailyTableName(marketId) + "\"";
}

std::optional<double> optionalReal(const db::RowSet& rows, int column) {
    if (rows.isNull(column)) {
        return std::nullopt;
    }
    return rows.real(column);
}

// The indexes of the market in that sector, deleted ones included, by number.
std::vector<std::int32_t> indexCompanies(db::Connection& connection, std::int32_t marketId,
                                         std::int32_t categoryId) {
    std::vector<std::int32_t> ids;
    for (db::RowSet rows =
             connection.query(R"(SELECT "ID" FROM "Company" WHERE "IS_INDEX" = 1 AND "MARKET_ID" = ?)"
                              R"( AND "CATEGORY_ID" = ? ORDER BY "ID")",
                              {marketId, categoryId}, db::CursorType::ForwardOnly);
         !rows.eof(); rows.moveNext()) {
        ids.push_back(rows.int32(0));
    }
    return ids;
}

// The close of the index on the company row's day. Should a market have several such indexes, the one
// with the highest number wins on the days it has a row.
std::string indexCloseSql(std::int32_t marketId, std::size_t indexCount) {
    if (indexCount == 0) {
        return "NULL";
    }
    const std::string lookup =
        "(SELECT \"ClosingPrice\" FROM " + dailyTable(marketId) + R"( WHERE "DATE" = "company"."DATE" AND )";
    if (indexCount == 1) {
        return lookup + R"("COMPANYID" = ?))";
    }
    std::string marks = "?";
    for (std::size_t i = 1; i < indexCount; ++i) {
        marks += ", ?";
    }
    return lookup + R"("COMPANYID" IN ()" + marks + R"() ORDER BY "COMPANYID" DESC LIMIT 1))";
}

void logSkippedSplit(const clsSplit& split) {
    char ratio[32];
    const auto end = std::to_chars(ratio, ratio + sizeof ratio, split.Ratio).ptr;
    WriteErrorLog("Split of " + db::formatIsoDate(split.dtDate) + " skipped: ratio " +
                      std::string(ratio, end) + " is not above zero",
                  errnum::kInvalidProcedureCall, kGetDataProc);
}

}  // namespace

std::optional<db::Date> TempDataTable::lastMarketDate(std::int32_t marketId) {
    db::RowSet rows = connection_.query("SELECT MAX(\"DATE\") FROM " + dailyTable(marketId));
    if (rows.eof() || rows.isNull(0)) {
        return std::nullopt;
    }
    return rows.date(0);
}

std::int64_t TempDataTable::rebuild(std::int32_t marketId, std::int32_t companyId, std::int32_t categoryId,
                                    db::Date start) {
    const std::vector<std::int32_t> sectorIndexes = indexCompanies(connection_, marketId, categoryId);
    const std::vector<std::int32_t> generalIndexes =
        indexCompanies(connection_, marketId, kGeneralIndexCategory);
    std::vector<db::Value> params(sectorIndexes.begin(), sectorIndexes.end());
    params.insert(params.end(), generalIndexes.begin(), generalIndexes.end());
    params.emplace_back(companyId);
    params.emplace_back(start);

    connection_.execute(R"(DELETE FROM "tempData")");
    // One pass over the company's rows; each index close is looked up by its day and company.
    return connection_.execute(
        R"(INSERT INTO "tempData" ("Date", "CompanyID", "TotalShares", "TotalAmount", "OpeningPrice", "MaxPrice",)"
        R"( "MinPrice", "ClosingPrice", "IndustryIndex", "GeneralIndex") SELECT "DATE", "COMPANYID", "TotalShares",)"
        R"( "TotalAmount", "OpeningPrice", "MaxPrice", "MinPrice", "ClosingPrice", )" +
            indexCloseSql(marketId, sectorIndexes.size()) + ", " +
            indexCloseSql(marketId, generalIndexes.size()) + " FROM " + dailyTable(marketId) +
            R"( AS "company" WHERE "COMPANYID" = ? AND "DATE" >= ? ORDER BY "DATE")",
        params);
}

void TempDataTable::addEmptyDays(db::Date last, int count) {
    db::Statement insert = connection_.prepare(R"(INSERT INTO "tempData" ("Date") VALUES (?))");
    for (int d = 1; d <= count; ++d) {
        insert.execute({db::Date{std::chrono::sys_days{last} + std::chrono::days{d}}});
    }
}

void TempDataTable::adjustForSplits(const KeyedCollection<clsSplit>& splits, db::Date start) {
    db::Statement divide = connection_.prepare(
        R"(UPDATE "tempData" SET "MinPrice" = "MinPrice" / ?, "MaxPrice" = "MaxPrice" / ?,)"
        R"( "OpeningPrice" = "OpeningPrice" / ?, "ClosingPrice" = "ClosingPrice" / ?,)"
        R"( "TotalShares" = "TotalShares" * ? WHERE "Date" < ? AND "Date" >= ?)");
    db::Statement mark = connection_.prepare(
        R"(UPDATE "tempData" SET "Split" = "OpeningPrice" * ?, "SplitRatio" = ? WHERE "Date" = ?)");
    double r = 1;
    for (std::size_t k = splits.count(); k-- > 0;) {
        const clsSplit& split = splits.at(k);
        const db::Date from = k == 0 ? start : splits.at(k - 1).dtDate;
        // A ratio of zero or less would turn the prices into nonsense or NULL; leaving the split out
        // keeps the rows before it adjusted for the later ones.
        const bool valid = split.Ratio > 0;
        if (valid) {
            r *= split.Ratio;
        } else {
            logSkippedSplit(split);
        }
        divide.execute({r, r, r, r, r, split.dtDate, from});
        if (valid) {
            mark.execute({kSplitMarkerFactor, split.Ratio, split.dtDate});
        }
    }
}

IndexScaling TempDataTable::scaleIndexes() {
    IndexScaling scaling;
    db::RowSet first = connection_.query(
        R"(SELECT "ClosingPrice", "IndustryIndex", "GeneralIndex" FROM "tempData")"
        R"( WHERE "IndustryIndex" IS NOT NULL AND "GeneralIndex" IS NOT NULL ORDER BY "Date" LIMIT 1)");
    if (first.eof() || first.isNull(0)) {
        return scaling;
    }
    const double close = first.real(0);
    // An index that stands at zero cannot be brought to the close; it stays as stored.
    if (const double sector = first.real(1); sector != 0) {
        scaling.sector = close / sector;
    }
    if (const double general = first.real(2); general != 0) {
        scaling.general = close / general;
    }
    first.close();
    connection_.execute(
        R"(UPDATE "tempData" SET "IndustryIndex" = "IndustryIndex" * ?, "GeneralIndex" = "GeneralIndex" * ?)",
        {scaling.sector.value_or(1.0), scaling.general.value_or(1.0)});
    return scaling;
}

std::vector<TempDataRow> TempDataTable::rowsByDate() {
    std::vector<TempDataRow> result;
    db::RowSet rows = connection_.query(
        R"(SELECT "Date", "TotalShares", "TotalAmount", "OpeningPrice", "MaxPrice", "MinPrice", "ClosingPrice",)"
        R"( "IndustryIndex", "GeneralIndex", "Split", "SplitRatio" FROM "tempData" ORDER BY "Date", rowid)",
        {}, db::CursorType::ForwardOnly);
    for (; !rows.eof(); rows.moveNext()) {
        result.push_back({rows.date(0), optionalReal(rows, 1), optionalReal(rows, 2), optionalReal(rows, 3),
                          optionalReal(rows, 4), optionalReal(rows, 5), optionalReal(rows, 6),
                          optionalReal(rows, 7), optionalReal(rows, 8), optionalReal(rows, 9),
                          optionalReal(rows, 10)});
    }
    return result;
}

std::optional<double> TempDataTable::closeOn(db::Date date) {
    db::RowSet rows = connection_.query(R"(SELECT "ClosingPrice" FROM "tempData" WHERE "Date" = ?)", {date});
    if (rows.eof()) {
        return std::nullopt;
    }
    return optionalReal(rows, 0);
}

std::optional<db::Date> TempDataTable::lastTradingDay() {
    db::RowSet rows =
        connection_.query(R"(SELECT MAX("Date") FROM "tempData" WHERE "CompanyID" IS NOT NULL)");
    if (rows.eof() || rows.isNull(0)) {
        return std::nullopt;
    }
    return rows.date(0);
}

}  // namespace tarnwick::chart
