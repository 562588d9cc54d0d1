// Keyboard state and the clipboard.
#pragma once

#include <cstdint>
#include <optional>

class QByteArray;
class QImage;
class QString;

namespace ui {

// True while a Shift key is down.
bool isShiftDown();
// Tests fix the Shift state; none returns to the real keyboard.
void setShiftStateOverride(std::optional<bool> down);

inline constexpr std::uint32_t CF_TEXT = 1;
inline constexpr std::uint32_t CF_BITMAP = 2;
inline constexpr std::uint32_t CF_DIB = 8;
inline constexpr std::uint32_t CF_UNICODETEXT = 13;
inline constexpr std::uint32_t CF_ENHMETAFILE = 14;

// A private clipboard format by name: the same name gives the same number (0xC000 and up).
std::uint32_t registerClipboardFormat(const QString& name);
// Replaces the clipboard content with one format. Text formats take UTF-8 (CF_TEXT) or UTF-16LE
// (CF_UNICODETEXT) bytes, without terminator. CF_DIB takes a packed device-independent bitmap (the
// bitmap info header, its colour table and the pixel rows: a .bmp file without its file header) and
// CF_ENHMETAFILE the bytes of an enhanced metafile; either is refused (false, the clipboard as it
// was) when it does not read as one. A picture is offered to other programs as an image too.
bool setClipboardData(std::uint32_t format, const QByteArray& data);
std::optional<QByteArray> clipboardData(std::uint32_t format);
bool isClipboardFormatAvailable(std::uint32_t format);
void emptyClipboard();

// A picture on the clipboard (CF_BITMAP; also readable as CF_DIB); false for an empty image.
bool setClipboardImage(const QImage& image);
// The clipboard's picture, from another program's image or from CF_DIB; none when it holds none.
std::optional<QImage> clipboardImage();

}  // namespace ui
