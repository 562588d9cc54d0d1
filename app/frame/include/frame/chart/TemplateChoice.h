#pragma once

// What the chart settings window's template list holds: the templates by ID with their names, in the
// order they were added, the one chosen, and the text the list shows while none is chosen. The
// window shows it; the template commands change it.

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace frame::chart {

class TemplateChoice {
public:
    struct Entry {
        std::int32_t id = 0;
        QString name;
    };

    // The text of a list without a choice, as designed.
    static constexpr const char* kDesignedNoneText = "<No Template Selected>";

    const std::vector<Entry>& entries() const { return m_entries; }
    // Position of the chosen entry, or -1.
    int selectedIndex() const { return m_selected; }
    std::optional<std::int32_t> selectedId() const;
    // The key ("ID_" and the ID) of the chosen entry.
    std::optional<std::string> selectedKey() const;
    // The chosen entry's name; empty when none is chosen.
    QString selectedName() const;
    const QString& noneText() const { return m_noneText; }

    // Adds an entry at the end; the choice stays.
    void add(std::int32_t id, const QString& name);
    // Chooses the entry of that ID; false (and nothing chosen) when it is not listed.
    bool select(std::int32_t id);
    // Chooses the entry at `index`; a position outside the list chooses none.
    void selectIndex(int index);
    void renameSelected(const QString& name);
    // Takes the chosen entry out; nothing is chosen then and the list reads `noneText`.
    void removeSelected(const QString& noneText);

private:
    std::vector<Entry> m_entries;
    int m_selected = -1;
    QString m_noneText = QString::fromLatin1(kDesignedNoneText);
};

}  // namespace frame::chart
