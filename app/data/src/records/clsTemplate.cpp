#include "appdata/records/clsTemplate.h"

#include "appdata/Globals.h"
#include "appdata/ProcNames.h"
#include "appdata/Schema.h"
#include "appdata/Trap.h"

namespace tarnwick {

void clsTemplate::InsertDB() {
    Trap(procname::kClsTemplateInsertDB, [&] {
        const TableDef& table = MarketTable("Templates");
        ID = NextNumber(gConnection, table, "ID");
        gConnection.execute(InsertSql(table), {ID, Name});
    });
}

void clsTemplate::UpdateDB() {
    Trap(procname::kClsTemplateUpdateDB, [&] {
        gConnection.execute(R"(UPDATE "Templates" SET "NAME" = ? WHERE "ID" = ?)", {Name, ID});
    });
}

void clsTemplate::DeleteDB() {
    Trap(procname::kClsTemplateDeleteDB,
         [&] { gConnection.execute(R"(DELETE FROM "Templates" WHERE "ID" = ?)", {ID}); });
}

}  // namespace tarnwick
