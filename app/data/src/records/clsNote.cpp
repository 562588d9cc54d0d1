#include "appdata/records/clsNote.h"

#include "RecordRows.h"
#include "appdata/ArabicText.h"
#include "appdata/Globals.h"
#include "appdata/ProcNames.h"
#include "appdata/RecordLine.h"
#include "appdata/Schema.h"
#include "appdata/Trap.h"

namespace tarnwick {

namespace {
constexpr const char* kUnread = "N";
}

bool clsNote::ParseParameters(std::string_view Line) {
    bool parsed = false;
    Trap(procname::kClsNoteParseParameters, [&] {
        const RecordLine fields(ConvertArabicText(Line));
        if (fields.size() < 2) {
            return;
        }
        clsNote record = *this;
        record.ID = fields.int32(0);
        record.CompanyID = fields.int32(1);
        record.NoteDate = fields.date(2);
        record.Text = fields.text(3);
        record.AText = fields.text(4);
        record.HasImage = fields.flag(5);
        record.isDeleted = fields.flag(6);
        *this = std::move(record);
        parsed = true;
    });
    return parsed;
}

bool clsNote::InsertDB() {
    return Trap(procname::kClsNoteInsertDB, [&] {
        // A note stored again from the stream counts as unread again.
        if (!HasRow(R"(SELECT 1 FROM "Notes" WHERE "ID" = ?)", {ID})) {
            gConnection.execute(InsertSql(MarketTable("Notes")),
                                {ID, NoteDate, CompanyID, Text, AText, HasImage, kUnread, isDeleted});
        } else {
            gConnection.execute(
                R"(UPDATE "Notes" SET "NOTEDATE" = ?, "COMPANYID" = ?, "Text" = ?, "AText" = ?,)"
                R"( "HasImage" = ?, "isNew" = ?, "isDELETED" = ? WHERE "ID" = ?)",
                {NoteDate, CompanyID, Text, AText, HasImage, kUnread, isDeleted, ID});
        }
    });
}

void clsNote::UpdateDB() {
    Trap(procname::kClsNoteUpdateDB, [&] {
        gConnection.execute(R"(UPDATE "Notes" SET "isNew" = ? WHERE "ID" = ?)", {isNew, ID});
    });
}

}  // namespace tarnwick
