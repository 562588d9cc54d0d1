#include "frame/lists/KeyedCombo.h"

#include <QComboBox>

namespace frame {

void addKeyedEntry(QComboBox& combo, const std::string& key, const QString& text) {
    combo.addItem(text, QString::fromStdString(key));
}

std::optional<std::string> entryKey(const QComboBox& combo, int index) {
    if (index < 0 || index >= combo.count())
        return std::nullopt;
    return combo.itemData(index).toString().toStdString();
}

std::optional<std::string> selectedEntryKey(const QComboBox& combo) {
    return entryKey(combo, combo.currentIndex());
}

int entryIndex(const QComboBox& combo, const std::string& key) {
    return combo.findData(QString::fromStdString(key));
}

}  // namespace frame
