#include "appdata/records/clsDailyData.h"

#include "appdata/Globals.h"
#include "appdata/MarketDaily.h"
#include "appdata/ProcNames.h"
#include "appdata/RecordLine.h"
#include "appdata/Schema.h"
#include "appdata/Trap.h"

namespace tarnwick {

bool clsDailyData::ParseParameters(std::string_view Line) {
    bool parsed = false;
    Trap(procname::kClsDailyDataParseParameters, [&] {
        const RecordLine fields(Line);
        if (fields.size() < 2) {
            return;
        }
        clsDailyData record = *this;
        record.Date = fields.date(0);
        record.CompanyID = fields.int32(1);
        record.TotalShares = fields.real(2);
        record.TotalAmount = fields.real(3);
        record.OpeningPrice = fields.real(4);
        record.MaxPrice = fields.real(5);
        record.MinPrice = fields.real(6);
        record.ClosingPrice = fields.real(7);
        record.isDeleted = fields.flag(8);
        record.MarketID = fields.int32(9);
        *this = record;
        parsed = true;
    });
    return parsed;
}

bool clsDailyData::InsertDB() {
    // A row that is there already is the normal case of a repeated download and stays quiet; any
    // other failure (no table for the market, a full disk) must not lose the row unnoticed.
    return Trap(procname::kClsDailyDataInsertDB, [&] {
        InsertDailyRow(gConnection, MarketID,
                       DailyRow{Date, CompanyID, TotalShares, TotalAmount, OpeningPrice, MaxPrice, MinPrice,
                                ClosingPrice, isDeleted});
    });
}

bool clsDailyData::UpdateDB() {
    return Trap(procname::kClsDailyDataUpdateDB, [&] {
        // Only the market number, an integer, is formatted into the statement.
        const std::string table = "\"" + MarketDailyTableName(MarketID) + "\"";
        if (isDeleted) {
            gConnection.execute("DELETE FROM " + table + R"( WHERE "DATE" = ? AND "COMPANYID" = ?)",
                                {Date, CompanyID});
            return;
        }
        gConnection.execute(
            "UPDATE " + table +
                R"( SET "TotalShares" = ?, "TotalAmount" = ?, "OpeningPrice" = ?, "MaxPrice" = ?,)"
                R"( "MinPrice" = ?, "ClosingPrice" = ? WHERE "DATE" = ? AND "COMPANYID" = ?)",
            {TotalShares, TotalAmount, OpeningPrice, MaxPrice, MinPrice, ClosingPrice, Date, CompanyID});
    });
}

}  // namespace tarnwick
