// The per-user settings store: text values by application, section and key, kept as one INI file per
// application in the settings folder. Every write is flushed to disk at once, so another process (or
// another store instance) reading afterwards sees it.
//
// The settings folder is, in this order: the folder set with setFolder(), $TARNWICK_CONFIG_DIR,
// $XDG_CONFIG_HOME/Tarnwick, ~/.config/Tarnwick.
#pragma once

#include <cstdint>
#include <optional>

#include <QString>

namespace store {

// What the program itself uses.
inline constexpr char kApplication[] = "Tarnwick";
inline constexpr char kSection[] = "Settings";

class SettingsStore {
public:
    // Redirects the store (tests use a temporary folder); an empty folder restores the default.
    static void setFolder(const QString& folder);
    static QString folder();
    // The INI file of an application; empty for a name that cannot be a file name.
    static QString filePath(const QString& application);

    // The stored text, or nullopt when the key (or the file) is missing or a name is empty.
    static std::optional<QString> value(const QString& application, const QString& section,
                                        const QString& key);
    static QString getSetting(const QString& application, const QString& section, const QString& key,
                              const QString& defaultValue = {});
    // False when a name is empty or the file could not be written.
    static bool saveSetting(const QString& application, const QString& section, const QString& key,
                            const QString& value);
    // Removes one key, or the whole section when `key` is empty. Removing what is not there succeeds.
    static bool deleteSetting(const QString& application, const QString& section, const QString& key = {});

    // Typed reads: the default when the key is missing or its text does not convert.
    static std::int32_t getInt32(const QString& application, const QString& section, const QString& key,
                                 std::int32_t defaultValue);
    static std::int16_t getInt16(const QString& application, const QString& section, const QString& key,
                                 std::int16_t defaultValue);
    static float getSingle(const QString& application, const QString& section, const QString& key,
                           float defaultValue);
    static bool getBool(const QString& application, const QString& section, const QString& key,
                        bool defaultValue);

    // Typed writes, in the text forms of SettingText.h.
    static bool saveInt32(const QString& application, const QString& section, const QString& key,
                          std::int32_t value);
    static bool saveSingle(const QString& application, const QString& section, const QString& key,
                           float value);
    static bool saveBool(const QString& application, const QString& section, const QString& key, bool value);
};

}  // namespace store
