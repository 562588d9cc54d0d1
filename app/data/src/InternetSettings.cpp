#include "appdata/InternetSettings.h"

#include <QString>

#include "net/HttpClient.h"

namespace tarnwick {

std::array<std::string, 2> gDataServers{kDefaultDataServer, kDefaultBackupDataServer};

bool gProxyUsed = false;
std::string gProxyServer;
std::int32_t gProxyPort = kDefaultProxyPort;
std::string gProxyUserName;
std::string gProxyPassword;

void ApplyProxySettings(net::HttpClient& http) {
    if (gProxyUsed) {
        http.setProxy(QString::fromStdString(gProxyServer) + QLatin1Char(':') + QString::number(gProxyPort));
        http.setProxyUserName(QString::fromStdString(gProxyUserName));
        http.setProxyPassword(QString::fromStdString(gProxyPassword));
    } else {
        http.setProxy(QString());
        http.setProxyUserName(QString());
        http.setProxyPassword(QString());
    }
}

}  // namespace tarnwick
