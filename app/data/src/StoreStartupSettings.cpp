#include "appdata/StoreStartupSettings.h"

#include <store/SettingsStore.h>

namespace tarnwick {

namespace {

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

std::optional<std::string> StoreStartupSettings::GetSetting(std::string_view key) {
    const std::optional<QString> value =
        store::SettingsStore::value(store::kApplication, store::kSection, qt(key));
    if (!value) {
        return std::nullopt;
    }
    return value->toStdString();
}

void StoreStartupSettings::SaveSetting(std::string_view key, std::string_view value) {
    store::SettingsStore::saveSetting(store::kApplication, store::kSection, qt(key), qt(value));
}

}  // namespace tarnwick
