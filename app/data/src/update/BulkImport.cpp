#include "appdata/update/BulkImport.h"

#include <string>
#include <string_view>
#include <vector>

#include "CallHook.h"
#include "appdata/AppError.h"
#include "appdata/Globals.h"
#include "appdata/LogText.h"
#include "appdata/ProcNames.h"
#include "appdata/Trap.h"
#include "appdata/records/clsCategory.h"
#include "appdata/records/clsCompany.h"
#include "appdata/records/clsDailyData.h"
#include "appdata/records/clsMarket.h"
#include "appdata/records/clsSplit.h"
#include "appdata/update/StoreTally.h"
#include "com/Yield.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "db/RowSet.h"
#include "db/Transaction.h"

namespace tarnwick {

namespace {

constexpr std::int32_t kInvalidUseOfNull = 94;

// Instructions of the engine that reading one row of the file may take; a row of a plain table takes a
// few dozen.
constexpr std::int64_t kFileStepWork = 10'000'000;

// A text column that must hold a value.
std::string RequiredText(const db::RowSet& rows, std::string_view column) {
    std::optional<std::string> text = rows.text(column);
    if (!text) {
        throw AppError(kInvalidUseOfNull, "Invalid use of Null (" + std::string(column) + ")");
    }
    return std::move(*text);
}

// A text column copied only when it holds text; NULL and empty leave the field empty.
std::string TextWhenPresent(const db::RowSet& rows, std::string_view column) {
    return rows.textOrEmpty(column);
}

clsMarket MarketRow(const db::RowSet& rows) {
    clsMarket market;
    market.ID = rows.int32("ID");
    market.AName = TextWhenPresent(rows, "AName");
    market.Name = RequiredText(rows, "Name");
    market.Aprev = TextWhenPresent(rows, "Aprev");
    market.UpdateDataTag = TextWhenPresent(rows, "UpdateDataTag");
    market.UpdateNotesTag = TextWhenPresent(rows, "UpdateNotesTag");
    market.isDeleted = rows.boolean("isDeleted");
    return market;
}

clsCategory CategoryRow(const db::RowSet& rows) {
    clsCategory category;
    category.ID = rows.int32("ID");
    category.AName = RequiredText(rows, "AName");
    category.Name = RequiredText(rows, "Name");
    category.Aprev = TextWhenPresent(rows, "Aprev");
    category.isDeleted = rows.boolean("isDeleted") ? "True" : "False";
    return category;
}

clsSplit SplitRow(const db::RowSet& rows) {
    clsSplit split;
    split.CompanyID = rows.int32("companyID");
    split.dtDate = rows.date("SplitDate");
    split.Ratio = rows.real("Ratio");
    split.isDeleted = rows.boolean("isDeleted");
    return split;
}

// The description stays empty: the data file's description column is not read.
clsCompany CompanyRow(const db::RowSet& rows) {
    clsCompany company;
    company.ID = rows.int32("ID");
    company.AName = RequiredText(rows, "AName");
    company.Name = RequiredText(rows, "Name");
    company.Category_ID = rows.int32("Category_ID");
    company.Symbol = RequiredText(rows, "Ticker");
    company.Market_ID = rows.int32("MARKET_ID");
    company.IS_INDEX = rows.boolean("IS_INDEX");
    company.isDeleted = rows.boolean("IsDeleted");
    return company;
}

struct ImportedDay {
    clsDailyData record;
    bool isUpdate = false;
};

// A data file holds tables only. A view would run the file's own SQL inside the import (a view over an
// endless recursive query never ends), a virtual table would hand the reading to a module the file
// chooses, and a trigger has no place in it (on the read-only connection none could fire). Views and
// virtual tables are found as the engine understood the schema, whatever its type column says.
void RefuseActiveSchema(db::Connection& file) {
    const auto refuse = [](const std::string& kind, const std::string& name) {
        throw AppError(db::errnum::kProvider, "The data file holds the " + kind + " \"" + LogQuote(name) +
                                                  "\"; a data file may hold tables only.");
    };
    for (db::RowSet tables = file.query("PRAGMA table_list"); !tables.eof(); tables.moveNext()) {
        if (tables.textOrEmpty("schema") == "main" && tables.textOrEmpty("type") != "table") {
            refuse(tables.textOrEmpty("type"), tables.textOrEmpty("name"));
        }
    }
    db::RowSet triggers =
        file.query(R"(SELECT "name" FROM "sqlite_master" WHERE "type" = 'trigger' LIMIT 1)");
    if (!triggers.eof()) {
        refuse("trigger", triggers.textOrEmpty(0));
    }
}

ImportedDay ReadImportedDay(const db::RowSet& rows) {
    ImportedDay day;
    clsDailyData& record = day.record;
    record.Date = rows.date("Date");
    record.CompanyID = rows.int32("COMPANYID");
    record.OpeningPrice = rows.real("OpeningPrice");
    record.MaxPrice = rows.real("MaxPrice");
    record.MinPrice = rows.real("MinPrice");
    record.ClosingPrice = rows.real("ClosingPrice");
    record.TotalShares = rows.real("TotalShares");
    record.TotalAmount = rows.real("TotalAmount");
    record.MarketID = rows.int32("MarketID");
    record.isDeleted = false;
    day.isUpdate = !rows.isNull("IsUPDATE") && rows.boolean("IsUPDATE");
    return day;
}

}  // namespace

BulkImport::BulkImport(ImportHooks hooks) : hooks_(std::move(hooks)) {}

ImportOutcome BulkImport::GetDataFromFile(const std::filesystem::path& File) {
    if (Importing || File.empty()) {
        return ImportOutcome::NotRun;
    }
    Importing = true;
    problem_ = {};
    bool read = false;
    Trap(procname::kGetDataFromFile, [&] {
        db::Connection file = db::Connection::openReadOnly(File);
        file.setStepWorkLimit(kFileStepWork);
        RefuseActiveSchema(file);
        callHook(hooks_.status, langrow::kUpdatingData);
        importTables(file);
        file.close();
        read = true;
    });
    const ImportOutcome outcome = !read               ? ImportOutcome::Failed
                                  : problem_.row == 0 ? ImportOutcome::Imported
                                                      : ImportOutcome::Incomplete;
    callHook(hooks_.status,
             outcome == ImportOutcome::Imported ? langrow::kImportDone : langrow::kImportInvalidData);
    if (problem_.row != 0) {
        callHook(hooks_.tellUser, problem_.row, problem_.rows);
    }
    // Usable after a failed import too, so that the window can be closed.
    callHook(hooks_.enableOK, true);
    Importing = false;
    return outcome;
}

void BulkImport::importTables(db::Connection& file) {
    StoreTally tally;
    const auto readTable = [&](std::string_view table, bool yieldPerRow, auto&& storeRow) {
        // Only the fixed table names above are formatted into the statements.
        const std::string name = "\"" + std::string(table) + "\"";
        const std::int64_t count = file.query("SELECT COUNT(*) FROM " + name).int64(0);
        callHook(hooks_.setProgressValue, std::int64_t{0});
        if (count > 0) {
            callHook(hooks_.setProgressMaximum, count);
        }
        db::RowSet rows = file.query("SELECT * FROM " + name, {}, db::CursorType::ForwardOnly);
        for (std::int64_t value = 1; !rows.eof(); rows.moveNext(), ++value) {
            storeRow(rows);
            RequireOpenTransaction(gConnection);
            callHook(hooks_.setProgressValue, value);
            if (yieldPerRow) {
                com::yieldToMessageLoop();
            }
        }
    };

    std::vector<clsMarket> tagged;
    db::Transaction transaction(gConnection);
    try {
        readTable("Markets", false, [&](const db::RowSet& rows) {
            clsMarket market = MarketRow(rows);
            tally.record(market.InsertDB(), market.ID);
            tagged.push_back(std::move(market));
        });
        readTable("Category", false,
                  [&](const db::RowSet& rows) { tally.record(CategoryRow(rows).InsertDB()); });
        readTable("Split", false, [&](const db::RowSet& rows) { tally.record(SplitRow(rows).InsertDB()); });
        readTable("Company", true, [](const db::RowSet& rows) { CompanyRow(rows).InsertDB(); });
        readTable("MarketDaily", true, [&](const db::RowSet& rows) {
            ImportedDay day = ReadImportedDay(rows);
            tally.record(day.isUpdate ? day.record.UpdateDB() : day.record.InsertDB(), day.record.MarketID);
        });
        // The file's tags say that a market's data is here: only true when all of it was stored.
        for (clsMarket& market : tagged) {
            if (tally.complete(market.ID)) {
                tally.record(market.ChangeDataTag() && market.ChangeNotesTag(), market.ID);
            }
        }
        RequireOpenTransaction(gConnection);
    } catch (...) {
        // A file the import cannot read ends it with "Invalid Data"; a database that cannot store it
        // is a problem the user must hear of.
        if (!KeepStoredRows(transaction, procname::kGetDataFromFile)) {
            problem_ = {langrow::kImportNothingStored, 0};
        }
        throw;
    }
    try {
        transaction.commit();
    } catch (...) {
        // Nothing of the file is stored, its tags included; the user can free space and try again.
        transaction.rollback();
        problem_ = {langrow::kImportNothingStored, 0};
        throw;
    }
    if (tally.failures() > 0) {
        problem_ = {langrow::kImportRowsNotStored, tally.failures()};
    }
}

}  // namespace tarnwick
