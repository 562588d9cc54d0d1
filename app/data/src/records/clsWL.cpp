#include "appdata/records/clsWL.h"

#include "RecordRows.h"
#include "appdata/Globals.h"
#include "appdata/ProcNames.h"
#include "appdata/Schema.h"
#include "appdata/Trap.h"
#include "db/Transaction.h"

namespace tarnwick {

namespace {

db::RowSet systemListRows(std::int32_t marketId) {
    return gConnection.query(R"(SELECT * FROM "Company" WHERE "Market_ID" = ? AND "IsDELETED" = 0)"
                             R"( ORDER BY "Category_ID", "IS_INDEX", "Name")",
                             {marketId}, db::CursorType::ForwardOnly);
}

db::RowSet userListRows(std::int32_t listId) {
    return gConnection.query(
        R"(SELECT "Company"."ID", "Company"."Ticker", "Company"."Name", "Company"."AName", "Company"."Market_ID",)"
        R"( "Company"."IS_INDEX", "Company"."Category_ID" FROM "Company" INNER JOIN "WatchListItem")"
        R"( ON "Company"."ID" = "WatchListItem"."CompanyID")"
        R"( WHERE "Company"."IsDELETED" = 0 AND "WatchListItem"."WatchListID" = ?)"
        R"( ORDER BY "WatchListItem"."ORDER")",
        {listId}, db::CursorType::ForwardOnly);
}

}  // namespace

KeyedCollection<clsCompany> clsWL::GetItems() const {
    KeyedCollection<clsCompany> companies;
    Trap(procname::kClsWLGetItems, [&] {
        db::RowSet rows = isSystem ? systemListRows(NegatedID(ID)) : userListRows(ID);
        for (; !rows.eof(); rows.moveNext()) {
            clsCompany company = ListedCompany(rows);
            const std::string key = RecordKey(company.ID);
            companies.add(std::move(company), key);
        }
    });
    return companies;
}

bool clsWL::InsertDB() {
    return Trap(procname::kClsWLInsertDB, [&] {
        const TableDef& table = MarketTable("WatchLists");
        ID = NextNumber(gConnection, table, "ID");
        gConnection.execute(InsertSql(table), {ID, Name});
        isSystem = false;
    });
}

bool clsWL::UpdateDB() {
    return Trap(procname::kClsWLUpdateDB, [&] {
        gConnection.execute(R"(UPDATE "WatchLists" SET "NAME" = ? WHERE "ID" = ?)", {Name, ID});
    });
}

bool clsWL::AddWLitem(const clsCompany& Company) {
    bool added = false;
    Trap(procname::kClsWLAddWLitem, [&] {
        // Items under a list without its row would never be shown, only left behind.
        if (!HasRow(R"(SELECT 1 FROM "WatchLists" WHERE "ID" = ?)", {ID}) ||
            HasRow(R"(SELECT 1 FROM "WatchListItem" WHERE "CompanyID" = ? AND "WatchListID" = ?)",
                   {Company.ID, ID})) {
            return;
        }
        const TableDef& table = MarketTable("WatchListItem");
        const std::int32_t order = NextNumber(gConnection, table, "ORDER", "WatchListID", ID);
        gConnection.execute(InsertSql(table), {order, Company.ID, ID});
        added = true;
    });
    return added;
}

bool clsWL::RemoveWLItem(const clsCompany& Company) {
    return Trap(procname::kClsWLRemoveWLItem, [&] {
        gConnection.execute(R"(DELETE FROM "WatchListItem" WHERE "CompanyID" = ? AND "WatchListID" = ?)",
                            {Company.ID, ID});
    });
}

bool clsWL::DeleteDB() {
    return Trap(procname::kClsWLDeleteDB, [&] {
        db::Transaction transaction(gConnection);
        gConnection.execute(R"(DELETE FROM "WatchListItem" WHERE "WatchListID" = ?)", {ID});
        gConnection.execute(R"(DELETE FROM "WatchLists" WHERE "ID" = ?)", {ID});
        transaction.commit();
    });
}

}  // namespace tarnwick
