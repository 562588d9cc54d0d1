#pragma once

// The Qt side of the interface language. The program's own windows take their texts and reading
// order from the language table; what Qt makes by itself (file, print and print-preview dialogs,
// the buttons of message boxes, pop-up menus) follows the language through this.

#include <QString>

namespace frame {

// The catalogue of Qt's own texts in Arabic, as installed beside Qt.
inline constexpr char kQtArabicCatalogue[] = "qtbase_ar";

// Makes Qt follow gArabic for the rest of the run: in Arabic, Qt's own Arabic texts are loaded,
// windows without a reading order of their own (pop-up menus, Qt's dialogs) read right to left, and
// access keys are not underlined in right-to-left widgets, where the mark would split joined Arabic
// letters; in English all of this is undone. Called once the language of the run is settled.
void ApplyProgramLanguage();

// Whether Qt's own Arabic texts are loaded.
bool QtArabicTextsLoaded();

}  // namespace frame
