#pragma once

// Program-wide state of the frame and its windows.

#include <QString>

#include <array>

// Set once when the frame window starts unloading. Until then the docked tool windows refuse to be
// unloaded, so closing one only hides it.
extern bool gClosing;

namespace frame {

// Host names of the data server (0) and of the backup data server (1), from the settings
// "DataServer" and "BackupDataServer".
extern std::array<QString, 2> gDataServers;

// Defaults of the two host names when the settings hold none. Names under the reserved .example
// domain never reach anybody else's machine; an installation stores its own servers in the settings.
inline constexpr char kDefaultDataServer[] = "data.tarnwick.example";
inline constexpr char kDefaultBackupDataServer[] = "backup.tarnwick.example";

}  // namespace frame
