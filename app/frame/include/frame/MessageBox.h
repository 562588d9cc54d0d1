#pragma once

// Message boxes of the program. The style and result codes are the classic message-box values; in
// Arabic mode every box is right-aligned with right-to-left reading. The box itself is shown by a
// replaceable handler, so tests answer boxes without a screen.

#include <QString>

#include <cstdint>
#include <functional>

namespace frame {

inline constexpr int32_t MB_OK = 0;
inline constexpr int32_t MB_OKCANCEL = 1;
inline constexpr int32_t MB_YESNO = 4;
inline constexpr int32_t MB_ICONSTOP = 16;
inline constexpr int32_t MB_ICONQUESTION = 32;
inline constexpr int32_t MB_ICONEXCLAMATION = 48;
inline constexpr int32_t MB_ICONINFORMATION = 64;
inline constexpr int32_t MB_RIGHT = 0x80000;
inline constexpr int32_t MB_RTLREADING = 0x100000;
// What Arabic mode adds to every style: 1572864.
inline constexpr int32_t kArabicMessageStyle = MB_RIGHT | MB_RTLREADING;

inline constexpr int32_t IDOK = 1;
inline constexpr int32_t IDCANCEL = 2;
inline constexpr int32_t IDYES = 6;
inline constexpr int32_t IDNO = 7;

// `style` as shown in the current language: with kArabicMessageStyle when gArabic is set.
int32_t messageBoxStyle(int32_t style);

// Shows a modal box and returns the ID of the button pressed. An empty title shows the program's.
using MessageBoxHandler = std::function<int32_t(const QString& text, int32_t style, const QString& title)>;

// Installs `handler` (an empty one restores the on-screen box) and returns the one it replaces.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

// Shows `text` with `style` adjusted for the current language.
int32_t showMessage(const QString& text, int32_t style = MB_OK, const QString& title = QString());

}  // namespace frame
