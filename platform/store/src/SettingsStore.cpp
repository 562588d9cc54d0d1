#include "store/SettingsStore.h"

#include <mutex>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStringList>

#include "store/SettingText.h"

namespace store {

namespace {

std::mutex folderMutex;
QString folderOverride;

bool validNames(const QString& application, const QString& section, const QString& key) {
    return !SettingsStore::filePath(application).isEmpty() && !section.isEmpty() && !key.isEmpty();
}

// QSettings reads a value with unquoted commas as a list; the store deals in text only.
QString asText(const QVariant& stored) {
    if (stored.typeId() == QMetaType::QStringList) {
        return stored.toStringList().join(QLatin1String(", "));
    }
    return stored.toString();
}

bool flush(QSettings& settings) {
    settings.sync();
    return settings.status() == QSettings::NoError;
}

template <typename T, typename Parse>
T readTyped(const QString& application, const QString& section, const QString& key, T defaultValue,
            Parse parse) {
    const auto text = SettingsStore::value(application, section, key);
    if (!text) {
        return defaultValue;
    }
    return parse(*text).value_or(defaultValue);
}

}  // namespace

void SettingsStore::setFolder(const QString& folder) {
    const std::lock_guard lock(folderMutex);
    folderOverride = folder;
}

QString SettingsStore::folder() {
    {
        const std::lock_guard lock(folderMutex);
        if (!folderOverride.isEmpty()) {
            return folderOverride;
        }
    }
    if (const QString redirected = qEnvironmentVariable("TARNWICK_CONFIG_DIR"); !redirected.isEmpty()) {
        return redirected;
    }
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) {
        base = QDir::homePath() + QLatin1String("/.config");
    }
    return base + QLatin1String("/Tarnwick");
}

QString SettingsStore::filePath(const QString& application) {
    // The application name becomes a file name: nothing that would leave the folder.
    if (application.isEmpty() || application == QLatin1String(".") || application == QLatin1String("..") ||
        application.contains(QLatin1Char('/')) || application.contains(QLatin1Char('\\'))) {
        return {};
    }
    return folder() + QLatin1Char('/') + application + QLatin1String(".ini");
}

std::optional<QString> SettingsStore::value(const QString& application, const QString& section,
                                            const QString& key) {
    if (!validNames(application, section, key)) {
        return std::nullopt;
    }
    QSettings settings(filePath(application), QSettings::IniFormat);
    // Picks up what another process wrote since this process last read the file.
    settings.sync();
    settings.beginGroup(section);
    if (!settings.contains(key)) {
        return std::nullopt;
    }
    return asText(settings.value(key));
}

QString SettingsStore::getSetting(const QString& application, const QString& section, const QString& key,
                                  const QString& defaultValue) {
    return value(application, section, key).value_or(defaultValue);
}

bool SettingsStore::saveSetting(const QString& application, const QString& section, const QString& key,
                                const QString& value) {
    if (!validNames(application, section, key) || !QDir().mkpath(folder())) {
        return false;
    }
    QSettings settings(filePath(application), QSettings::IniFormat);
    settings.beginGroup(section);
    settings.setValue(key, value);
    settings.endGroup();
    return flush(settings);
}

bool SettingsStore::deleteSetting(const QString& application, const QString& section, const QString& key) {
    if (filePath(application).isEmpty() || section.isEmpty()) {
        return false;
    }
    if (!QFile::exists(filePath(application))) {
        return true;
    }
    QSettings settings(filePath(application), QSettings::IniFormat);
    settings.beginGroup(section);
    // An empty key removes every key of the current group, that is the whole section.
    settings.remove(key);
    settings.endGroup();
    return flush(settings);
}

std::int32_t SettingsStore::getInt32(const QString& application, const QString& section, const QString& key,
                                     std::int32_t defaultValue) {
    return readTyped(application, section, key, defaultValue, parseInt32);
}

std::int16_t SettingsStore::getInt16(const QString& application, const QString& section, const QString& key,
                                     std::int16_t defaultValue) {
    return readTyped(application, section, key, defaultValue, parseInt16);
}

float SettingsStore::getSingle(const QString& application, const QString& section, const QString& key,
                               float defaultValue) {
    return readTyped(application, section, key, defaultValue, parseSingle);
}

bool SettingsStore::getBool(const QString& application, const QString& section, const QString& key,
                            bool defaultValue) {
    return readTyped(application, section, key, defaultValue, parseBool);
}

bool SettingsStore::saveInt32(const QString& application, const QString& section, const QString& key,
                              std::int32_t value) {
    return saveSetting(application, section, key, formatInt32(value));
}

bool SettingsStore::saveSingle(const QString& application, const QString& section, const QString& key,
                               float value) {
    return saveSetting(application, section, key, formatSingle(value));
}

bool SettingsStore::saveBool(const QString& application, const QString& section, const QString& key,
                             bool value) {
    return saveSetting(application, section, key, formatBool(value));
}

}  // namespace store
