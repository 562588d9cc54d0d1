#pragma once

// The program's settings: section "Settings" of the application "Tarnwick" in the settings store.
// Booleans are kept as the words "True" and "False".

#include <QString>

#include <cstdint>

namespace frame::ProgramSettings {

QString text(const QString& key, const QString& defaultValue = {});
// The stored Boolean; the default when the key is missing or its text is no Boolean.
bool boolean(const QString& key, bool defaultValue);
// The stored 32-bit integer; the default when the key is missing or its text is no such number.
int32_t int32(const QString& key, int32_t defaultValue);
void saveText(const QString& key, const QString& value);
void saveBool(const QString& key, bool value);

}  // namespace frame::ProgramSettings
