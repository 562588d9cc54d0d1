#include "appdata/records/clsSplit.h"

#include "RecordRows.h"
#include "appdata/Globals.h"
#include "appdata/ProcNames.h"
#include "appdata/RecordLine.h"
#include "appdata/Schema.h"
#include "appdata/Trap.h"

namespace tarnwick {

bool clsSplit::ParseParameters(std::string_view Line) {
    bool parsed = false;
    Trap(procname::kClsSplitParseParameters, [&] {
        const RecordLine fields(Line);
        if (fields.size() < 2) {
            return;
        }
        clsSplit record = *this;
        record.dtDate = fields.date(0);
        record.CompanyID = fields.int32(1);
        record.Ratio = fields.real(2);
        record.isDeleted = fields.flag(3);
        *this = record;
        parsed = true;
    });
    return parsed;
}

bool clsSplit::InsertDB() {
    return Trap(procname::kClsSplitInsertDB, [&] {
        if (!HasRow(R"(SELECT 1 FROM "Split" WHERE "SPLITDATE" = ? AND "COMPANYID" = ?)",
                    {dtDate, CompanyID})) {
            gConnection.execute(InsertSql(MarketTable("Split")), {dtDate, CompanyID, Ratio, isDeleted});
        } else {
            gConnection.execute(
                R"(UPDATE "Split" SET "Ratio" = ?, "isDELETED" = ? WHERE "SPLITDATE" = ? AND "COMPANYID" = ?)",
                {Ratio, isDeleted, dtDate, CompanyID});
        }
    });
}

}  // namespace tarnwick
