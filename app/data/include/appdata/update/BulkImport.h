// The import of a data file: an SQLite database of the market schema whose daily rows all stand in
// one table MarketDaily, with the market that receives each row (MarketID) and whether the row
// replaces or deletes an existing one (IsUPDATE, NULL counting as false). The file is opened
// read-only; its rows go through the same record classes as the update stream.
//
// Tables are read in this order: Markets, Category, Split, Company, MarketDaily. Columns copied only
// when they hold text (a NULL or empty value leaves the field empty): the AName, Aprev and the two tags
// of a market, the Aprev of a sector. Every other column must hold a value; a NULL there, a missing
// column or a missing table ends the import with "Invalid Data".
//
// All rows are stored in one transaction on gConnection, committed also when an error ends the
// import, so that the rows stored before it stay stored. A market takes the file's tags only when
// every one of its rows was stored and the transaction commits, so that an import that failed or
// left rows out leaves the tags as they were and the next update asks for the data again. A
// transaction that the database ended on its own (a full disk) or a commit that fails stops the
// import; the user is told, and nothing of the file is kept.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "appdata/update/UpdateHooks.h"

namespace db {
class Connection;
}

namespace tarnwick {

struct ImportHooks {
    std::function<void(std::int32_t row)> status;  // a language-table row for the status line
    std::function<void(std::int64_t maximum)> setProgressMaximum;
    std::function<void(std::int64_t value)> setProgressValue;
    std::function<void(bool enabled)> enableOK;
    // A message box: what went wrong with the data and what the user can do, as a message row of the
    // language table (langrow::kImportRowsNotStored, kImportNothingStored) and the number of rows
    // that were not stored (0 when the row names none).
    std::function<void(std::int32_t row, std::int64_t rows)> tellUser;
};

enum class ImportOutcome {
    NotRun,      // an import is running already, or no file was given
    Imported,    // every row was stored
    Incomplete,  // every table was read but some rows could not be stored; the user was told
    Failed,      // an error ended the import; the rows stored before it are kept when the database could
};

class BulkImport {
public:
    explicit BulkImport(ImportHooks hooks);

    // Never raises; an error is logged under "GetDataFromFile".
    ImportOutcome GetDataFromFile(const std::filesystem::path& File);
    bool isImporting() const { return Importing; }

private:
    void importTables(db::Connection& file);

    ImportHooks hooks_;
    bool Importing = false;
    // What the user is told about this import; row 0 when all went well.
    struct Problem {
        std::int32_t row = 0;
        std::int64_t rows = 0;
    };
    Problem problem_;
};

}  // namespace tarnwick
