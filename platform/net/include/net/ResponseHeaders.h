// The header lines of one HTTP answer, in the order received, each kept whole as "Name: value".
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace net {

class ResponseHeaders {
public:
    ResponseHeaders() = default;
    explicit ResponseHeaders(const QList<QPair<QByteArray, QByteArray>>& pairs);

    int count() const { return static_cast<int>(lines_.size()); }
    bool empty() const { return lines_.isEmpty(); }
    const QStringList& lines() const { return lines_; }

    // The whole line of the first header called `name` (compared without regard to case; a colon
    // after the name is optional), or an empty text when the answer has none.
    QString find(const QString& name) const;
    // The value of that header with the blanks around it removed; empty when absent.
    QString value(const QString& name) const;

private:
    QStringList lines_;
};

}  // namespace net
