// The program folder: the data folder that holds the market database, its backup, the error log and
// the Templates, Notes and Documentation folders. $TARNWICK_HOME when set, else
// $XDG_DATA_HOME/Tarnwick, else ~/.local/share/Tarnwick.
#pragma once

#include <filesystem>

namespace tarnwick {

inline constexpr const char* kDatabaseFileName = "MQMKD.mqd";
inline constexpr const char* kBackupFileName = "MQMKD.bak";
inline constexpr const char* kSystemDatabaseFileName = "mqsd.mqs";
inline constexpr const char* kErrorLogFileName = "Tarnwick.log";
inline constexpr const char* kInstanceLockFileName = "Tarnwick.lock";
// The workgroup user and password of the market database. SQLite has no workgroup security; they are
// kept because the compaction takes them.
inline constexpr const char* kDatabaseUser = "mqdata";
inline constexpr const char* kDatabasePassword = "h7rvestm0n";

std::filesystem::path ProgramFolder();

// Creates the program folder when it is missing and then fills it with a copy of the installation's
// seed folder (initial database, documentation pages); an existing folder is left as it is, so a
// user's lost database is never silently replaced by the sample one. Returns true when the folder
// was created. Raises AppError when the folder cannot be made.
bool PrepareProgramFolder(const std::filesystem::path& folder, const std::filesystem::path& seedFolder);

}  // namespace tarnwick
