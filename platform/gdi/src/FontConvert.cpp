#include "FontConvert.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>

namespace gdi::detail {

QFont toQFont(const LogFont& font, double scale) {
    QFont q(font.faceName.empty() ? QString(kDefaultFace) : QString::fromStdString(font.faceName));
    q.setHintingPreference(QFont::PreferFullHinting);
    const double height = font.height == 0 ? kDefaultPixelHeight : std::abs(font.height) * scale;
    int pixels = std::max(1, static_cast<int>(std::lround(height)));
    q.setPixelSize(pixels);
    if (font.height > 0) {
        // A positive height is the cell height (ascent + descent): shrink the em to fit it.
        const double cell = QFontMetricsF(q).height();
        if (cell > 0)
            q.setPixelSize(std::max(1, static_cast<int>(std::lround(height * pixels / cell))));
    }
    q.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight == 0 ? FW_NORMAL : font.weight, 100, 900)));
    q.setItalic(font.italic);
    q.setUnderline(font.underline);
    q.setStrikeOut(font.strikeOut);
    return q;
}

}  // namespace gdi::detail
