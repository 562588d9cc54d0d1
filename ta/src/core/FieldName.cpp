#include "core/FieldName.h"

#include <QString>

namespace indikon {

bool sameFieldName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    const QString left = QString::fromRawData(reinterpret_cast<const QChar*>(a.data()), qsizetype(a.size()));
    const QString right = QString::fromRawData(reinterpret_cast<const QChar*>(b.data()), qsizetype(b.size()));
    return left.compare(right, Qt::CaseInsensitive) == 0;
}

}  // namespace indikon
