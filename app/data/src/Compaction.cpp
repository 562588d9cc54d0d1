#include "appdata/Compaction.h"

#include <array>
#include <string_view>
#include <system_error>

#include "appdata/AppError.h"
#include "appdata/DataFolder.h"
#include "appdata/ErrorLog.h"
#include "appdata/ProcNames.h"
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

// Files the engine keeps beside a database while it is changed: a write-ahead log and its index,
// or a rollback journal. A copy renamed over the database would meet them at the next open: the log
// would be replayed, or the journal rolled back, onto a file they do not belong to.
constexpr std::array<std::string_view, 3> kJournalSuffixes = {"-wal", "-shm", "-journal"};

std::vector<std::filesystem::path> journalFiles(const std::filesystem::path& database) {
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (std::string_view suffix : kJournalSuffixes) {
        std::filesystem::path file = database;
        file += suffix;
        if (std::filesystem::exists(file, ec)) {
            found.push_back(std::move(file));
        }
    }
    return found;
}

// Lets the engine settle a database that a crash left with a journal: an ordinary read-write open
// rolls a hot journal back, or checkpoints a write-ahead log into the file and removes it. True
// when nothing is left beside the database; otherwise the reason is logged.
bool settleJournal(const std::filesystem::path& database) {
    if (journalFiles(database).empty()) {
        return true;
    }
    std::string why;
    try {
        db::Connection::openExisting(database).close();
    } catch (const std::exception& e) {
        why = std::string(" (") + e.what() + ")";
    }
    const std::vector<std::filesystem::path> left = journalFiles(database);
    if (left.empty()) {
        return true;
    }
    WriteErrorLog("The market database was not compacted: \"" + left.front().filename().string() +
                      "\" is still beside it" + why + ".",
                  errnum::kApplicationDefined, procname::kCompactAtStart);
    return false;
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
    if (ec || !settleJournal(database)) {
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
