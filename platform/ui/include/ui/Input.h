// Keyboard state and the clipboard.
#pragma once

#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QString>

namespace ui {

// True while a Shift key is down.
bool isShiftDown();
// Tests fix the Shift state; none returns to the real keyboard.
void setShiftStateOverride(std::optional<bool> down);

inline constexpr std::uint32_t CF_TEXT = 1;
inline constexpr std::uint32_t CF_UNICODETEXT = 13;

// A private clipboard format by name: the same name gives the same number (0xC000 and up).
std::uint32_t registerClipboardFormat(const QString& name);
// Replaces the clipboard content with one format. Text formats take UTF-8 (CF_TEXT) or UTF-16LE
// (CF_UNICODETEXT) bytes, without terminator.
bool setClipboardData(std::uint32_t format, const QByteArray& data);
std::optional<QByteArray> clipboardData(std::uint32_t format);
bool isClipboardFormatAvailable(std::uint32_t format);
void emptyClipboard();

}  // namespace ui
