#include "frame/chart/TemplateChoice.h"

#include "appdata/KeyedCollection.h"

namespace frame::chart {

std::optional<std::int32_t> TemplateChoice::selectedId() const {
    if (m_selected < 0)
        return std::nullopt;
    return m_entries[static_cast<std::size_t>(m_selected)].id;
}

std::optional<std::string> TemplateChoice::selectedKey() const {
    const auto id = selectedId();
    return id ? std::optional<std::string>(tarnwick::RecordKey(*id)) : std::nullopt;
}

QString TemplateChoice::selectedName() const {
    return m_selected < 0 ? QString() : m_entries[static_cast<std::size_t>(m_selected)].name;
}

void TemplateChoice::add(std::int32_t id, const QString& name) {
    m_entries.push_back({id, name});
}

bool TemplateChoice::select(std::int32_t id) {
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].id == id) {
            m_selected = static_cast<int>(i);
            return true;
        }
    }
    m_selected = -1;
    return false;
}

void TemplateChoice::selectIndex(int index) {
    m_selected = index >= 0 && index < static_cast<int>(m_entries.size()) ? index : -1;
}

void TemplateChoice::renameSelected(const QString& name) {
    if (m_selected >= 0)
        m_entries[static_cast<std::size_t>(m_selected)].name = name;
}

void TemplateChoice::removeSelected(const QString& noneText) {
    if (m_selected < 0)
        return;
    m_entries.erase(m_entries.begin() + m_selected);
    m_selected = -1;
    m_noneText = noneText;
}

}  // namespace frame::chart
