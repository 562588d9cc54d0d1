#include "appdata/records/clsMarket.h"

#include "RecordRows.h"
#include "appdata/ArabicText.h"
#include "appdata/Globals.h"
#include "appdata/ProcNames.h"
#include "appdata/RecordLine.h"
#include "appdata/Schema.h"
#include "appdata/Trap.h"

namespace tarnwick {

bool clsMarket::ParseParameters(std::string_view Line) {
    bool parsed = false;
    Trap(procname::kClsMarketParseParameters, [&] {
        const RecordLine fields(ConvertArabicText(Line));
        if (fields.size() < 2) {
            return;
        }
        clsMarket record = *this;
        record.ID = fields.int32(0);
        record.Name = fields.text(1);
        record.AName = fields.text(2);
        record.Aprev = fields.text(3);
        record.isDeleted = fields.flag(4);
        *this = std::move(record);
        parsed = true;
    });
    return parsed;
}

bool clsMarket::InsertDB() {
    return Trap(procname::kClsMarketInsertDB, [&] {
        if (!HasRow(R"(SELECT 1 FROM "Markets" WHERE "ID" = ?)", {ID})) {
            // The tags stay empty (NULL) until the data update or the import sets them.
            gConnection.execute(InsertSql(MarketTable("Markets")),
                                {ID, Name, AName, Aprev, isDeleted, db::Null{}, db::Null{}});
        } else {
            gConnection.execute(
                R"(UPDATE "Markets" SET "NAME" = ?, "ANAME" = ?, "APREV" = ?, "isDELETED" = ? WHERE "ID" = ?)",
                {Name, AName, Aprev, isDeleted, ID});
        }
        EnsureMarketDailyTable(gConnection, ID);
    });
}

bool clsMarket::ChangeDataTag() {
    return Trap(procname::kClsMarketChangeDataTag, [&] {
        gConnection.execute(R"(UPDATE "Markets" SET "UpdateDataTag" = ? WHERE "ID" = ?)",
                            {UpdateDataTag, ID});
    });
}

bool clsMarket::ChangeNotesTag() {
    return Trap(procname::kClsMarketChangeNotesTag, [&] {
        gConnection.execute(R"(UPDATE "Markets" SET "UpdateNotesTag" = ? WHERE "ID" = ?)",
                            {UpdateNotesTag, ID});
    });
}

}  // namespace tarnwick
