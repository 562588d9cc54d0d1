// Whether a text shows Arabic: any letter of the Arabic block (U+0600 to U+06FF).
#pragma once

#include <QString>

namespace frame::test {

inline bool hasArabicLetters(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x0600 && c.unicode() <= 0x06FF)
            return true;
    }
    return false;
}

}  // namespace frame::test
