#include "RecordRows.h"

#include <charconv>
#include <limits>

#include "appdata/AppError.h"
#include "appdata/AsciiLower.h"
#include "appdata/Globals.h"
#include "appdata/records/clsCompany.h"
#include "appdata/records/clsNote.h"

namespace tarnwick {

bool HasRow(std::string_view sql, std::initializer_list<db::Value> params) {
    return !gConnection.query(sql, params, db::CursorType::Static).eof();
}

std::string DisplayText(const db::RowSet& rows, std::string_view arabicColumn,
                        std::string_view englishColumn) {
    return rows.textOrEmpty(gArabic ? arabicColumn : englishColumn);
}

bool BooleanWord(std::string_view text) {
    const std::string word = AsciiLower(text);
    if (word == "true") {
        return true;
    }
    if (word == "false") {
        return false;
    }
    double number = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), number);
    if (ec != std::errc() || end != word.data() + word.size() || word.empty()) {
        throw AppError(errnum::kTypeMismatch, "Type mismatch");
    }
    return number != 0;
}

std::int32_t NegatedID(std::int32_t id) {
    if (id == std::numeric_limits<std::int32_t>::min()) {
        throw AppError(6, "Overflow");
    }
    return -id;
}

clsCompany ListedCompany(const db::RowSet& rows) {
    clsCompany company;
    company.ID = rows.int32("ID");
    company.Name = DisplayText(rows, "AName", "Name");
    company.Category_ID = rows.int32("Category_ID");
    company.Symbol = rows.textOrEmpty("Ticker");
    company.Market_ID = rows.int32("Market_ID");
    company.IS_INDEX = rows.boolean("IS_INDEX");
    return company;
}

clsNote ListedNote(const db::RowSet& rows) {
    clsNote note;
    note.ID = rows.int32("ID");
    note.Text = DisplayText(rows, "AText", "Text");
    note.NoteDate = rows.date("NoteDate");
    note.CompanyID = rows.int32("CompanyID");
    note.HasImage = rows.boolean("HasImage");
    note.isNew = rows.textOrEmpty("IsNew");
    return note;
}

}  // namespace tarnwick
