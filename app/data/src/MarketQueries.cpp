#include "appdata/MarketQueries.h"

#include <string>

#include "appdata/Globals.h"
#include "appdata/ProcNames.h"
#include "appdata/Trap.h"
#include "records/RecordRows.h"

namespace tarnwick {

namespace {

constexpr std::int32_t kAny = -1;  // a market or sector number that leaves its column unrestricted

template <class AddRow>
void readRows(const std::string& sql, std::span<const db::Value> params, AddRow&& add) {
    db::RowSet rows = gConnection.query(sql, params, db::CursorType::ForwardOnly);
    for (; !rows.eof(); rows.moveNext()) {
        add(rows);
    }
}

void addCompany(KeyedCollection<clsCompany>& companies, const db::RowSet& rows) {
    clsCompany company = ListedCompany(rows);
    const std::string key = RecordKey(company.ID);
    companies.add(std::move(company), key);
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

// A LIKE pattern that finds `part` as typed: its own "%", "_" and the escape character are literal.
std::string containsPattern(std::string_view part) {
    std::string pattern = "%";
    for (char c : part) {
        if (c == '%' || c == '_' || c == '\\') {
            pattern += '\\';
        }
        pattern += c;
    }
    return pattern + "%";
}

}  // namespace

KeyedCollection<clsCategory> ReadMarketCategories(std::int32_t MarketID) {
    KeyedCollection<clsCategory> categories;
    const db::Value params[] = {MarketID};
    readRows(R"(SELECT DISTINCT "Category"."AName", "Category"."Name", "Category"."ID" FROM "Company")"
             R"( INNER JOIN "Category" ON "Company"."Category_ID" = "Category"."ID")"
             R"( WHERE "Company"."Market_ID" = ?)",
             params, [&](const db::RowSet& rows) {
                 clsCategory category;
                 category.ID = rows.int32("ID");
                 category.Name = DisplayText(rows, "AName", "Name");
                 const std::string key = RecordKey(category.ID);
                 categories.add(std::move(category), key);
             });
    return categories;
}

KeyedCollection<clsSplit> GetSplits(std::int32_t CompanyID, db::Date FirstDate, db::Date LastDate) {
    KeyedCollection<clsSplit> splits;
    Trap(procname::kGetSplits, [&] {
        const db::Value params[] = {CompanyID, FirstDate, LastDate};
        readRows(R"(SELECT "SplitDate", "CompanyID", "Ratio" FROM "Split" WHERE "CompanyID" = ?)"
                 R"( AND "SplitDate" BETWEEN ? AND ? AND "isDELETED" = 0 ORDER BY "SplitDate")",
                 params, [&](const db::RowSet& rows) {
                     clsSplit split;
                     split.CompanyID = rows.int32("CompanyID");
                     split.dtDate = rows.date("SplitDate");
                     split.Ratio = rows.real("Ratio");
                     splits.add(std::move(split));
                 });
    });
    return splits;
}

KeyedCollection<clsCompany> GetCompaniyInfo(std::string_view Ticker, std::int32_t CompanyID) {
    KeyedCollection<clsCompany> companies;
    Trap(procname::kGetCompaniyInfo, [&] {
        // An empty ticker must not find every company whose ticker is empty too.
        const std::string byTicker = Ticker.empty() ? std::string() : R"(UPPER("TICKER") = ? OR )";
        std::vector<db::Value> params;
        if (!Ticker.empty()) {
            params.emplace_back(upperAscii(Ticker));
        }
        params.emplace_back(CompanyID);
        readRows(R"(SELECT * FROM "Company" WHERE ()" + byTicker +
                     R"("ID" = ?) AND "IsDELETED" = 0 ORDER BY "Name")",
                 params, [&](const db::RowSet& rows) { addCompany(companies, rows); });
    });
    return companies;
}

KeyedCollection<clsNote> GetAllNotes() {
    KeyedCollection<clsNote> notes;
    Trap(procname::kGetAllNotes, [&] {
        readRows(R"(SELECT "ID", "AText", "Text", "NoteDate", "CompanyID", "HasImage", "IsNew" FROM "Notes")"
                 R"( ORDER BY "NoteDate" DESC)",
                 {}, [&](const db::RowSet& rows) {
                     clsNote note = ListedNote(rows);
                     const std::string key = RecordKey(note.ID);
                     notes.add(std::move(note), key);
                 });
    });
    return notes;
}

KeyedCollection<clsCompany> SearchCompanies(std::string_view NamePart, std::int32_t MarketID,
                                            std::int32_t CategoryID, bool IsIndex) {
    KeyedCollection<clsCompany> companies;
    Trap(procname::kSearchCompanies, [&] {
        std::string sql = R"(SELECT * FROM "Company" WHERE "IS_INDEX" = ? AND "IsDELETED" = 0)";
        std::vector<db::Value> params{IsIndex};
        if (MarketID != kAny) {
            sql += R"( AND "Market_ID" = ?)";
            params.emplace_back(MarketID);
        }
        if (CategoryID != kAny) {
            sql += R"( AND "Category_ID" = ?)";
            params.emplace_back(CategoryID);
        }
        if (!NamePart.empty()) {
            sql += gArabic ? R"( AND "AName" LIKE ? ESCAPE '\')" : R"( AND "Name" LIKE ? ESCAPE '\')";
            params.emplace_back(containsPattern(NamePart));
        }
        sql += R"( ORDER BY "Market_ID", "Name")";
        readRows(sql, params, [&](const db::RowSet& rows) { addCompany(companies, rows); });
    });
    return companies;
}

}  // namespace tarnwick
