#pragma once

// Texts placed into right-to-left windows. Such a window lays out each text as one right-to-left
// paragraph, which breaks a run that reads left to right around its numbers: "3 Jul 2024" would show
// as "Jul 2024 3". Wrapped in a first-strong isolate the run keeps its own reading order (left to
// right for Latin text and bare numbers, right to left when it starts with an Arabic letter) and is
// placed as one unit.

#include <QString>
#include <Qt>

namespace frame {

// `text` between FIRST STRONG ISOLATE (U+2068) and POP DIRECTIONAL ISOLATE (U+2069); an empty text
// stays empty.
QString isolatedRun(const QString& text);

// `text` as a cell or label laid out in `direction` shows it: isolated in a right-to-left layout,
// unchanged in a left-to-right one.
QString shownIn(Qt::LayoutDirection direction, const QString& text);

// `text` with each CR LF made a single LF. Qt breaks a label's line at the LF and lays the CR out as a
// character of its own, which in right-to-left text pushes the first letter out of the label.
QString withSingleLineBreaks(const QString& text);

}  // namespace frame
