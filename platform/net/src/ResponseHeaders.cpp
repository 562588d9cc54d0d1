#include "net/ResponseHeaders.h"

namespace net {
namespace {

QString bareName(const QString& name) {
    QString bare = name.trimmed();
    if (bare.endsWith(QLatin1Char(':'))) {
        bare.chop(1);
    }
    return bare.trimmed();
}

}  // namespace

ResponseHeaders::ResponseHeaders(const QList<QPair<QByteArray, QByteArray>>& pairs) {
    for (const auto& [name, value] : pairs) {
        lines_ << QString::fromLatin1(name) + QStringLiteral(": ") + QString::fromLatin1(value);
    }
}

QString ResponseHeaders::find(const QString& name) const {
    const QString wanted = bareName(name);
    if (wanted.isEmpty()) {
        return {};
    }
    for (const QString& line : lines_) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0 && line.left(colon).trimmed().compare(wanted, Qt::CaseInsensitive) == 0) {
            return line;
        }
    }
    return {};
}

QString ResponseHeaders::value(const QString& name) const {
    const QString line = find(name);
    return line.isEmpty() ? QString() : line.mid(line.indexOf(QLatin1Char(':')) + 1).trimmed();
}

}  // namespace net
