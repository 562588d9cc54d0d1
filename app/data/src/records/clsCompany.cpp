#include "appdata/records/clsCompany.h"

#include "RecordRows.h"
#include "appdata/ArabicText.h"
#include "appdata/Globals.h"
#include "appdata/ProcNames.h"
#include "appdata/RecordLine.h"
#include "appdata/Schema.h"
#include "appdata/Trap.h"

namespace tarnwick {

bool clsCompany::ParseParameters(std::string_view Line) {
    bool parsed = false;
    Trap(procname::kClsCompanyParseParameters, [&] {
        const RecordLine fields(ConvertArabicText(Line));
        if (fields.size() < 2) {
            return;
        }
        clsCompany record = *this;
        record.ID = fields.int32(0);
        record.Symbol = fields.text(1);
        record.Name = fields.text(2);
        record.AName = fields.text(3);
        record.Market_ID = fields.int32(4);
        record.Category_ID = fields.int32(5);
        record.Description = fields.text(6);
        record.IS_INDEX = fields.flag(7);
        record.isDeleted = fields.flag(8);
        *this = std::move(record);
        parsed = true;
    });
    return parsed;
}

void clsCompany::InsertDB() {
    if (!HasRow(R"(SELECT 1 FROM "Company" WHERE "ID" = ?)", {ID})) {
        gConnection.execute(InsertSql(MarketTable("Company")),
                            {ID, Symbol, Name, AName, Market_ID, Category_ID, Description, IS_INDEX,
                             isDeleted, db::Null{}, db::Null{}});
        return;
    }
    gConnection.execute(
        R"(UPDATE "Company" SET "TICKER" = ?, "NAME" = ?, "ANAME" = ?, "MARKET_ID" = ?,)"
        R"( "CATEGORY_ID" = ?, "DESCRIPTION" = ?, "IS_INDEX" = ?, "IsDELETED" = ? WHERE "ID" = ?)",
        {Symbol, Name, AName, Market_ID, Category_ID, Description, IS_INDEX, isDeleted, ID});
}

KeyedCollection<clsNote> clsCompany::GetNotes() const {
    KeyedCollection<clsNote> notes;
    Trap(procname::kClsCompanyGetNotes, [&] {
        db::RowSet rows = gConnection.query(
            R"(SELECT "ID", "AText", "Text", "NoteDate", "CompanyID", "HasImage", "IsNew" FROM "Notes")"
            R"( WHERE "CompanyID" = ? ORDER BY "NoteDate" DESC)",
            {ID}, db::CursorType::ForwardOnly);
        for (; !rows.eof(); rows.moveNext()) {
            clsNote note = ListedNote(rows);
            const std::string key = RecordKey(note.ID);
            notes.add(std::move(note), key);
        }
    });
    return notes;
}

}  // namespace tarnwick
