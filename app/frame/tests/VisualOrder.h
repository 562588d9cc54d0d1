// The characters of a text in the order a reader sees them from left to right, as Qt lays the text
// out. Directional formatting characters (marks, embeddings, isolates) have no glyph and are left out.
#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QString>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <utility>
#include <vector>

namespace frame::test {

inline bool isDirectionalFormat(char16_t c) {
    return (c >= 0x200E && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// The characters of `text` as `line` (laid out from that text) places them.
inline QString visualLeftToRight(const QTextLine& line, const QString& text) {
    // Each character is placed where its first glyph is drawn.
    std::vector<std::pair<double, QChar>> placed;
    for (int i = 0; i < text.size(); ++i) {
        if (isDirectionalFormat(text[i].unicode()))
            continue;
        const QList<QGlyphRun> runs = line.glyphRuns(i, 1);
        if (runs.isEmpty() || runs.first().positions().isEmpty())
            continue;
        placed.emplace_back(runs.first().positions().first().x(), text[i]);
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QString seen;
    for (const auto& [x, c] : placed)
        seen.append(c);
    return seen;
}

// `text` laid out on one line as a paragraph of `direction`, as list cells and labels draw it.
inline QString visualLeftToRight(const QString& text, Qt::LayoutDirection direction) {
    QTextLayout layout(text, QFont(QStringLiteral("DejaVu Sans")));
    QTextOption option;
    option.setTextDirection(direction);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(100000);
    layout.endLayout();
    return visualLeftToRight(line, text);
}

}  // namespace frame::test
