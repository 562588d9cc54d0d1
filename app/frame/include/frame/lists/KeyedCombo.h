#pragma once

// Combo boxes whose entries stand for records: each entry keeps its record's key ("ID_n") beside its
// text, as the program's image combos do.

#include <QString>

#include <optional>
#include <string>

class QComboBox;

namespace frame {

void addKeyedEntry(QComboBox& combo, const std::string& key, const QString& text);
// The key of the entry at `index`, or none.
std::optional<std::string> entryKey(const QComboBox& combo, int index);
std::optional<std::string> selectedEntryKey(const QComboBox& combo);
// The index of the entry of `key`, -1 when there is none.
int entryIndex(const QComboBox& combo, const std::string& key);

}  // namespace frame
