// How the program reaches its data servers: their host names and the proxy that every download goes
// through. The chart window loads these from the settings store when it opens and writes them back
// when it closes; the proxy settings window edits them in between, and each download applies them
// afresh with ApplyProxySettings.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace net {
class HttpClient;
}

namespace tarnwick {

// Settings-store keys and defaults.
inline constexpr const char* kDataServerKey = "DataServer";
inline constexpr const char* kBackupDataServerKey = "BackupDataServer";
inline constexpr const char* kDefaultDataServer = "data.tarnwick.net";
inline constexpr const char* kDefaultBackupDataServer = "data2.tarnwick.net";
inline constexpr std::int32_t kDefaultProxyPort = 8080;

// Host names (optionally "host:port") of the data server (0) and the backup data server (1).
extern std::array<std::string, 2> gDataServers;

extern bool gProxyUsed;
extern std::string gProxyServer;
extern std::int32_t gProxyPort;
extern std::string gProxyUserName;
extern std::string gProxyPassword;

// Puts the proxy globals on `http`: "server:port" with the user name and password when a proxy is
// used, else empty texts for all three (a direct connection).
void ApplyProxySettings(net::HttpClient& http);

}  // namespace tarnwick
