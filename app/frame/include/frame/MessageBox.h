#pragma once

// Message boxes of the program: the platform's modal service with the program's title and, in Arabic
// mode, right alignment and right-to-left reading added to every style. Style and answer codes are
// those of ui/MessageBox.h; tests answer boxes through ui::ScriptedModalServices.

#include <QString>

#include <cstdint>

#include "ui/MessageBox.h"

namespace frame {

// The program's title, under which its message and input boxes are shown.
QString programTitle();

// `style` as shown in the current language: with ui::MB_ARABIC (1572864) when gArabic is set.
int32_t messageBoxStyle(int32_t style);

// Shows `text` with `style` adjusted for the current language and returns the answer (ui::IDOK ...).
// An empty title shows the program's.
int32_t showMessage(const QString& text, int32_t style = ui::MB_OK, const QString& title = QString());

// Shows `text` with exactly `style` in both languages, for the boxes that keep their English layout
// in Arabic mode; returns the answer. An empty title shows the program's.
int32_t showMessageInEitherLanguage(const QString& text, int32_t style, const QString& title = QString());

}  // namespace frame
