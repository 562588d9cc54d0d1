#include "frame/ProgramSettings.h"

#include "store/SettingsStore.h"

namespace frame::ProgramSettings {
namespace {

const QString& application() {
    static const QString name = QString::fromLatin1(store::kApplication);
    return name;
}

const QString& section() {
    static const QString name = QString::fromLatin1(store::kSection);
    return name;
}

}  // namespace

QString text(const QString& key, const QString& defaultValue) {
    return store::SettingsStore::getSetting(application(), section(), key, defaultValue);
}

bool boolean(const QString& key, bool defaultValue) {
    return store::SettingsStore::getBool(application(), section(), key, defaultValue);
}

int32_t int32(const QString& key, int32_t defaultValue) {
    return store::SettingsStore::getInt32(application(), section(), key, defaultValue);
}

void saveText(const QString& key, const QString& value) {
    store::SettingsStore::saveSetting(application(), section(), key, value);
}

void saveBool(const QString& key, bool value) {
    saveText(key, value ? QStringLiteral("True") : QStringLiteral("False"));
}

}  // namespace frame::ProgramSettings
