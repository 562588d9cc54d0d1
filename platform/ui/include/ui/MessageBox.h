// Message box styles and answers, with the numeric codes that callers pass and compare.
#pragma once

#include <cstdint>

namespace ui {

// Buttons.
inline constexpr int MB_OK = 0;
inline constexpr int MB_OKCANCEL = 1;
inline constexpr int MB_ABORTRETRYIGNORE = 2;
inline constexpr int MB_YESNOCANCEL = 3;
inline constexpr int MB_YESNO = 4;
inline constexpr int MB_RETRYCANCEL = 5;
inline constexpr int MB_TYPEMASK = 0xF;
// Icons.
inline constexpr int MB_ICONCRITICAL = 16;
inline constexpr int MB_ICONQUESTION = 32;
inline constexpr int MB_ICONEXCLAMATION = 48;
inline constexpr int MB_ICONINFORMATION = 64;
inline constexpr int MB_ICONMASK = 0xF0;
// Default button.
inline constexpr int MB_DEFBUTTON1 = 0;
inline constexpr int MB_DEFBUTTON2 = 256;
inline constexpr int MB_DEFBUTTON3 = 512;
inline constexpr int MB_DEFMASK = 0xF00;
// Right alignment and right-to-left reading; together the flags an Arabic interface adds.
inline constexpr int MB_RIGHT = 0x80000;
inline constexpr int MB_RTLREADING = 0x100000;
inline constexpr int MB_ARABIC = MB_RIGHT | MB_RTLREADING;  // 1572864

// Answers.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// The style with the right-to-left flags added when the interface is Arabic.
constexpr int messageBoxStyle(int style, bool arabic) {
    return arabic ? (style | MB_ARABIC) : style;
}

// The answer of a box closed without a choice (Escape or the close box): Cancel where the box
// has it, otherwise its last button, so a caller never sees a value its box cannot give.
constexpr int dismissAnswer(int style) {
    switch (style & MB_TYPEMASK) {
        case MB_OK:
            return IDOK;
        case MB_ABORTRETRYIGNORE:
            return IDIGNORE;
        case MB_YESNO:
            return IDNO;
        default:
            return IDCANCEL;
    }
}

}  // namespace ui
