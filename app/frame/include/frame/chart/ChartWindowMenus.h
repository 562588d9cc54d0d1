#pragma once

// The chart window's menu commands and what the selection enables of them: the commands of its menu
// items by item name (the window's own and those FrameHooks::chartCommands brings), the watch list's
// pop-up menu, and the enabled state of the items and of the tool windows' matching buttons.

#include <QString>

#include <functional>
#include <map>

class QAction;
class QMenu;

namespace frame {

class Form;
struct FrameHooks;

namespace chart {

class ChartWindowMenus {
public:
    // `window` holds the menu items in its model; both it and `hooks` outlive this object.
    ChartWindowMenus(Form& window, const FrameHooks& hooks);
    ChartWindowMenus(const ChartWindowMenus&) = delete;
    ChartWindowMenus& operator=(const ChartWindowMenus&) = delete;

    // The window's own commands by menu item; setCommand adds or replaces one.
    void setCommands(std::map<QString, std::function<void()>> commands);
    void setCommand(const QString& itemName, std::function<void()> command);
    // Once the window's own commands are set: the items run their commands, an item whose command
    // nobody provides is disabled, and the pop-up menu is made.
    void connectCommands();

    // Whether an item has a command, and runs it by the item's name; false when it has none.
    bool hasMenuCommand(const QString& itemName) const;
    bool runMenuCommand(const QString& itemName);
    // Whether a menu item of the window or of its pop-up menu is enabled.
    bool menuEnabled(const QString& itemName) const;
    void setMenuEnabled(const char* item, bool enabled);
    void enableButton(const char* window, const char* key, bool enabled);
    // Brings the watch-list and template commands into line with what is selected.
    void EnableDisable();
    QMenu* popupMenu() const { return m_popup; }

private:
    void connectMenus();
    void enableAvailableCommands();
    void makePopupMenu();

    Form& m_window;
    const FrameHooks& m_hooks;
    std::map<QString, std::function<void()>> m_commands;  // the window's own, by menu item
    QMenu* m_popup = nullptr;
    std::map<QString, QAction*> m_popupItems;
};

}  // namespace chart
}  // namespace frame
