#include "appdata/Compaction.h"

#include <system_error>

#include "appdata/DataFolder.h"
#include "db/Connection.h"
#include "db/Files.h"

namespace tarnwick {

namespace {

// A backup is put back only when it is a readable database; a damaged one stays where it is for the
// user to rescue, and start-up then reports the missing database.
bool restoreBackup(const std::filesystem::path& backup, const std::filesystem::path& database) {
    try {
        {
            db::Connection check = db::Connection::openReadOnly(backup);
            if (check.query("PRAGMA quick_check").textOrEmpty(0) != "ok") {
                return false;
            }
        }
        db::replaceFileAtomically(backup, database);
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

bool CompactMarketDatabase(const std::string& Source, const std::string& Destination,
                           const std::string& /*SystemDatabase*/, const std::string& /*UserId*/,
                           const std::string& /*Password*/, std::int32_t /*EngineType*/) {
    try {
        db::Connection source = db::Connection::openReadOnly(Source);
        source.vacuumInto(Destination);
        return true;
    } catch (...) {
        return false;
    }
}

CompactionResult CompactAtStart(const std::filesystem::path& folder, const Compactor& compact) {
    const std::filesystem::path database = folder / kDatabaseFileName;
    const std::filesystem::path backup = folder / kBackupFileName;
    std::error_code ec;
    if (!std::filesystem::exists(database, ec)) {
        if (!std::filesystem::exists(backup, ec) || !restoreBackup(backup, database)) {
            return CompactionResult::Missing;
        }
    }
    std::filesystem::remove(backup, ec);
    if (ec) {
        return CompactionResult::Failed;
    }
    bool compacted = false;
    try {
        compacted = compact(database.string(), backup.string(), (folder / kSystemDatabaseFileName).string(),
                            kDatabaseUser, kDatabasePassword, 0);
        if (compacted) {
            db::replaceFileAtomically(backup, database);
        }
    } catch (...) {
        compacted = false;
    }
    if (!compacted) {
        std::filesystem::remove(backup, ec);
        return CompactionResult::Failed;
    }
    return CompactionResult::Compacted;
}

}  // namespace tarnwick
