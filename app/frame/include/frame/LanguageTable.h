#pragma once

// The language table: every user-interface text that changes with the interface language, by row
// number, in English and in Arabic. Filled once at start-up by LoadLanguageStrings, before any
// window is created; read-only afterwards.

#include <QString>

#include <array>
#include <cstdint>

#include "appdata/Globals.h"

namespace frame {

inline constexpr int32_t kLangRowCount = 211;
// Row i keeps its English text at index i and its Arabic text at index kLangRowCount + i.
inline constexpr int32_t kLangStringCount = 2 * kLangRowCount;
// The program's own messages follow the table in the same data, rows 211 on (tarnwick::langrow);
// forms and GetLangString never address them.
inline constexpr int32_t kLangMessageCount = 2;

}  // namespace frame

extern std::array<QString, frame::kLangStringCount> gLangStrings;

// gArabic, the interface language of this run, is set at start-up (appdata/Globals.h): true selects
// the Arabic half of the table, right-to-left layout and the Arabic name columns.

// Fills both halves of every row from the table compiled into the program. Cannot fail.
void LoadLanguageStrings();

// The text of `index` (0 to 210) in the current language. Throws frame::RunTimeError 9 (subscript
// out of range) for any other index.
QString GetLangString(int32_t index);

// The text of the message row `row` (211 on) in the current language. Throws frame::RunTimeError 9
// for any other row.
QString GetLangMessage(int32_t row);

namespace frame {

// Index into gLangStrings of `row` in the language `arabic`; the caller checks the row.
constexpr int32_t langStringIndex(int32_t row, bool arabic) {
    return row + kLangRowCount * (arabic ? 1 : 0);
}

}  // namespace frame
