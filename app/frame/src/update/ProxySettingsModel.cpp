#include "frame/update/ProxySettingsModel.h"

#include "appdata/InternetSettings.h"
#include "frame/LanguageTable.h"
#include "frame/MessageBox.h"

namespace frame {
namespace {

constexpr int32_t kProgramNameRow = 1;     // "Tarnwick"
constexpr int32_t kInvalidValueRow = 207;  // "Invalid value."
constexpr int32_t kBackspace = 8;
constexpr int32_t kHighestPort = 65535;

void refuse() {
    showMessage(GetLangString(kInvalidValueRow), ui::MB_ICONCRITICAL, GetLangString(kProgramNameRow));
}

}  // namespace

void ProxySettingsModel::Form_Load() {
    useProxy = tarnwick::gProxyUsed;
    server = QString::fromStdString(tarnwick::gProxyServer);
    port = QString::number(tarnwick::gProxyPort);
    userName = QString::fromStdString(tarnwick::gProxyUserName);
    password = QString::fromStdString(tarnwick::gProxyPassword);
}

bool ProxySettingsModel::acceptsPortKey(QChar key) {
    return key.unicode() == kBackspace || (key >= QLatin1Char('0') && key <= QLatin1Char('9'));
}

std::optional<std::int32_t> ProxySettingsModel::validPort(const QString& text) {
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 5) {
        return std::nullopt;
    }
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
    }
    const int32_t value = digits.toInt();
    if (value < 1 || value > kHighestPort) {
        return std::nullopt;
    }
    return value;
}

ProxySettingsModel::OkResult ProxySettingsModel::cmdOK_Click() {
    if (!useProxy) {
        tarnwick::gProxyUsed = false;
        return {true, {}};
    }
    const std::optional<std::int32_t> number = validPort(port);
    if (!number) {
        refuse();
        return {false, QStringLiteral("txtPort")};
    }
    if (server.trimmed().isEmpty()) {
        refuse();
        return {false, QStringLiteral("txtServer")};
    }
    tarnwick::gProxyUsed = true;
    tarnwick::gProxyPort = *number;
    tarnwick::gProxyServer = server.toStdString();
    tarnwick::gProxyUserName = userName.toStdString();
    tarnwick::gProxyPassword = password.toStdString();
    return {true, {}};
}

}  // namespace frame
