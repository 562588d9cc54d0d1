#include "frame/ReadingOrder.h"

namespace frame {
namespace {

constexpr char16_t kFirstStrongIsolate = 0x2068;
constexpr char16_t kPopDirectionalIsolate = 0x2069;

}  // namespace

QString isolatedRun(const QString& text) {
    if (text.isEmpty())
        return text;
    return QChar(kFirstStrongIsolate) + text + QChar(kPopDirectionalIsolate);
}

QString shownIn(Qt::LayoutDirection direction, const QString& text) {
    return direction == Qt::RightToLeft ? isolatedRun(text) : text;
}

QString withSingleLineBreaks(const QString& text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace frame
