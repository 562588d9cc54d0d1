// Compaction of the market database at start-up. The database is compacted into the backup
// "MQMKD.bak", which is flushed to disk and then renamed over "MQMKD.mqd" in one step, so that a
// crash at any moment leaves a usable database.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace tarnwick {

// Writes a compacted copy of Source into Destination (which must not exist) and returns true when it
// was written completely; any failure returns false, removes a partly written Destination and leaves
// Source untouched. Nothing is logged. The workgroup file, user, password and engine type have no
// effect on this engine; they are taken so that callers need not know.
bool CompactMarketDatabase(const std::string& Source, const std::string& Destination,
                           const std::string& SystemDatabase, const std::string& UserId,
                           const std::string& Password, std::int32_t EngineType);

using Compactor = std::function<bool(const std::string& source, const std::string& destination,
                                     const std::string& systemDatabase, const std::string& userId,
                                     const std::string& password, std::int32_t engineType)>;

enum class CompactionResult {
    Compacted,  // the database was replaced by its compacted copy
    Failed,     // the database was left as it was
    Missing,    // there is no database (and no backup to restore)
};

// The start-up compaction of the database in `folder`:
// 1. A missing database with a backup beside it (a run stopped between compaction and replacement)
//    is restored from the backup first.
// 2. A leftover backup beside the database is removed.
// 3. A write-ahead log, its index or a rollback journal beside the database (a run ended by a crash)
//    is settled by an ordinary read-write open first; when one is still there afterwards, the
//    compaction is skipped and the log says why, since the copy must never meet them.
// 4. The database is compacted into the backup, which then replaces the database.
// It never raises; a failure leaves the database byte for byte as it was.
CompactionResult CompactAtStart(const std::filesystem::path& folder,
                                const Compactor& compact = CompactMarketDatabase);

}  // namespace tarnwick
