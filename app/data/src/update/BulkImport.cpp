#include "appdata/update/BulkImport.h"

#include <string>
#include <string_view>
#include <vector>

#include "appdata/AppError.h"
#include "appdata/Globals.h"
#include "appdata/ProcNames.h"
#include "appdata/Trap.h"
#include "appdata/records/clsCategory.h"
#include "appdata/records/clsCompany.h"
#include "appdata/records/clsDailyData.h"
#include "appdata/records/clsMarket.h"
#include "appdata/records/clsSplit.h"
#include "com/Yield.h"
#include "db/Connection.h"
#include "db/RowSet.h"
#include "db/Transaction.h"

namespace tarnwick {

namespace {

constexpr std::int32_t kInvalidUseOfNull = 94;

template <class Hook, class... Args>
void call(const Hook& hook, Args&&... args) {
    if (hook) {
        hook(std::forward<Args>(args)...);
    }
}

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

ImportedDay DailyRow(const db::RowSet& rows) {
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
    bool imported = false;
    Trap(procname::kGetDataFromFile, [&] {
        db::Connection file = db::Connection::openReadOnly(File);
        call(hooks_.status, langrow::kUpdatingData);
        importTables(file);
        file.close();
        imported = true;
    });
    if (imported) {
        call(hooks_.status, langrow::kImportDone);
    } else {
        call(hooks_.status, langrow::kImportInvalidData);
    }
    // Usable after a failed import too, so that the window can be closed.
    call(hooks_.enableOK, true);
    Importing = false;
    return imported ? ImportOutcome::Imported : ImportOutcome::Failed;
}

void BulkImport::importTables(db::Connection& file) {
    const auto readTable = [&](std::string_view table, bool yieldPerRow, auto&& storeRow) {
        // Only the fixed table names above are formatted into the statements.
        const std::string name = "\"" + std::string(table) + "\"";
        const std::int64_t count = file.query("SELECT COUNT(*) FROM " + name).int64(0);
        call(hooks_.setProgressValue, std::int64_t{0});
        if (count > 0) {
            call(hooks_.setProgressMaximum, count);
        }
        db::RowSet rows = file.query("SELECT * FROM " + name, {}, db::CursorType::ForwardOnly);
        for (std::int64_t value = 1; !rows.eof(); rows.moveNext(), ++value) {
            storeRow(rows);
            call(hooks_.setProgressValue, value);
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
            market.InsertDB();
            tagged.push_back(std::move(market));
        });
        readTable("Category", false, [](const db::RowSet& rows) { CategoryRow(rows).InsertDB(); });
        readTable("Split", false, [](const db::RowSet& rows) { SplitRow(rows).InsertDB(); });
        readTable("Company", true, [](const db::RowSet& rows) { CompanyRow(rows).InsertDB(); });
        readTable("MarketDaily", true, [](const db::RowSet& rows) {
            ImportedDay day = DailyRow(rows);
            if (day.isUpdate) {
                day.record.UpdateDB();
            } else {
                day.record.InsertDB();
            }
        });
        // The file's tags say that its data is here: only now is that true.
        for (clsMarket& market : tagged) {
            market.ChangeDataTag();
            market.ChangeNotesTag();
        }
    } catch (...) {
        transaction.commit();
        throw;
    }
    transaction.commit();
}

}  // namespace tarnwick
