#include "appdata/records/clsCategory.h"

#include "RecordRows.h"
#include "appdata/ArabicText.h"
#include "appdata/Globals.h"
#include "appdata/ProcNames.h"
#include "appdata/RecordLine.h"
#include "appdata/Schema.h"
#include "appdata/Trap.h"

namespace tarnwick {

bool clsCategory::ParseParameters(std::string_view Line) {
    bool parsed = false;
    Trap(procname::kClsCategoryParseParameters, [&] {
        const RecordLine fields(ConvertArabicText(Line));
        if (fields.size() < 2) {
            return;
        }
        clsCategory record = *this;
        record.ID = fields.int32(0);
        record.Name = fields.text(1);
        record.AName = fields.text(2);
        record.Aprev = fields.text(3);
        record.isDeleted = fields.flag(4) ? "True" : "False";
        *this = std::move(record);
        parsed = true;
    });
    return parsed;
}

bool clsCategory::InsertDB() {
    return Trap(procname::kClsCategoryInsertDB, [&] {
        const bool deleted = BooleanWord(isDeleted);
        if (!HasRow(R"(SELECT 1 FROM "Category" WHERE "ID" = ?)", {ID})) {
            gConnection.execute(InsertSql(MarketTable("Category")), {ID, Name, AName, Aprev, deleted});
        } else {
            gConnection.execute(
                R"(UPDATE "Category" SET "NAME" = ?, "ANAME" = ?, "APREV" = ?, "isDELETED" = ? WHERE "ID" = ?)",
                {Name, AName, Aprev, deleted, ID});
        }
    });
}

}  // namespace tarnwick
