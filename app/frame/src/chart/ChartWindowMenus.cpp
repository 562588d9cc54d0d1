#include "frame/chart/ChartWindowMenus.h"

#include <QAction>
#include <QMenu>

#include <array>
#include <optional>
#include <tuple>
#include <utility>

#include "appdata/MarketCollections.h"
#include "appdata/Trap.h"
#include "frame/Form.h"
#include "frame/FrameHooks.h"
#include "frame/LanguageTable.h"

namespace frame::chart {
namespace {

// The menu item whose command a pop-up item runs.
constexpr const char* kPopupCommand = "command";

}  // namespace

ChartWindowMenus::ChartWindowMenus(Form& window, const FrameHooks& hooks)
    : m_window(window), m_hooks(hooks) {}

void ChartWindowMenus::setCommands(std::map<QString, std::function<void()>> commands) {
    m_commands = std::move(commands);
}

void ChartWindowMenus::setCommand(const QString& itemName, std::function<void()> command) {
    m_commands[itemName] = std::move(command);
}

void ChartWindowMenus::connectCommands() {
    connectMenus();
    enableAvailableCommands();
    makePopupMenu();
}

void ChartWindowMenus::connectMenus() {
    for (const ControlModel& c : m_window.model().controls) {
        if (c.kind != ControlKind::MenuItem)
            continue;
        if (QAction* action = m_window.menuAction(c.name)) {
            const QString name = c.name;
            QObject::connect(action, &QAction::triggered, &m_window, [this, name] { runMenuCommand(name); });
        }
    }
}

// Items that hold others and separators stay as designed; a command nobody provides is disabled.
void ChartWindowMenus::enableAvailableCommands() {
    for (ControlModel& c : m_window.model().controls) {
        if (c.kind != ControlKind::MenuItem || c.container == ControlModel::kOnForm ||
            c.caption == QLatin1String("-"))
            continue;
        c.enabled = hasMenuCommand(c.name);
    }
    m_window.applyModel();
}

bool ChartWindowMenus::hasMenuCommand(const QString& itemName) const {
    return m_commands.contains(itemName) || m_hooks.chartCommands.has(itemName);
}

bool ChartWindowMenus::runMenuCommand(const QString& itemName) {
    if (const auto it = m_commands.find(itemName); it != m_commands.end()) {
        const auto command = it->second;
        command();
        return true;
    }
    return m_hooks.chartCommands.run(itemName);
}

// The pop-up items add and remove companies of the watch list, as the WatchList menu's items do.
void ChartWindowMenus::makePopupMenu() {
    m_popup = new QMenu(&m_window);
    const std::array<std::tuple<const char*, int, const char*>, 2> items = {{
        {"mnuPopUPAdd", 190, "mnuWLAdd"},
        {"mnuPopupRemove", 191, "mnuWLRemove"},
    }};
    for (const auto& [name, tag, command] : items) {
        QAction* action = m_popup->addAction(GetLangString(tag));
        action->setObjectName(QString::fromLatin1(name));
        const QString target = QString::fromLatin1(command);
        action->setProperty(kPopupCommand, target);
        QObject::connect(action, &QAction::triggered, &m_window, [this, target] { runMenuCommand(target); });
        action->setEnabled(false);
        m_popupItems[QString::fromLatin1(name)] = action;
    }
}

bool ChartWindowMenus::menuEnabled(const QString& itemName) const {
    if (const auto it = m_popupItems.find(itemName); it != m_popupItems.end())
        return it->second->isEnabled();
    return m_window.model().control(itemName).enabled;
}

// A command that nobody provides stays disabled whatever the selection.
void ChartWindowMenus::setMenuEnabled(const char* item, bool enabled) {
    const QString name = QString::fromLatin1(item);
    if (const auto it = m_popupItems.find(name); it != m_popupItems.end())
        it->second->setEnabled(enabled && hasMenuCommand(it->second->property(kPopupCommand).toString()));
    else
        m_window.model().control(name).enabled = enabled && hasMenuCommand(name);
}

void ChartWindowMenus::enableButton(const char* window, const char* key, bool enabled) {
    if (m_hooks.chartPeers.enableButton)
        m_hooks.chartPeers.enableButton(QString::fromLatin1(window), QString::fromLatin1(key), enabled);
}

// A user watch list can be changed, a system one cannot; the template commands need a chosen template.
void ChartWindowMenus::EnableDisable() {
    tarnwick::Trap("EnableDisable", [&] {
        const ChartWindowPeers& peers = m_hooks.chartPeers;
        const auto selectedWL = peers.selectedWatchListKey ? peers.selectedWatchListKey() : std::nullopt;
        const bool userList = selectedWL && !tarnwick::gWatchLists.item(*selectedWL).isSystem;
        setMenuEnabled("mnuWLDelete", userList);
        enableButton("frmWatchList", "DeleteWL", userList);
        setMenuEnabled("mnuWLEdit", userList);
        enableButton("frmWatchList", "EditWLName", userList);
        setMenuEnabled("mnuWLAdd", userList);
        setMenuEnabled("mnuPopUPAdd", userList);
        enableButton("frmWatchList", "AddSysmbol", userList);
        const bool removable = userList && peers.companySelected && peers.companySelected();
        setMenuEnabled("mnuWLRemove", removable);
        setMenuEnabled("mnuPopupRemove", removable);
        enableButton("frmWatchList", "RemoveSymbol", removable);
        const bool templateChosen = peers.selectedTemplateKey && peers.selectedTemplateKey().has_value();
        setMenuEnabled("mnuCTSave", templateChosen);
        enableButton("frmChartSettings", "SaveCurrentTemplate", templateChosen);
        setMenuEnabled("mnuCTDelete", templateChosen);
        enableButton("frmChartSettings", "DeleteTemplate", templateChosen);
        setMenuEnabled("mnuCTChange", templateChosen);
        enableButton("frmChartSettings", "EditTemplateName", templateChosen);
    });
    m_window.applyModel();
}

}  // namespace frame::chart
