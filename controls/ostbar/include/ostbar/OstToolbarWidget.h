// A command bar shown as a Qt toolbar: the bar's row of buttons, drop-down menus for commands with
// sub-commands, combo boxes for combo-style commands. Choosing a command hands it to the bar, which
// delivers it as kWmCommand. The widget follows the bar's table: changes are applied on the next
// pass of the event loop (never while one of its own actions is being triggered).
#pragma once

#include <vector>

#include <QPointer>
#include <QToolBar>

#include "com/ComPtr.h"
#include "ostbar/OstCommandBar.h"

class QAction;
class QComboBox;
class QMenu;

namespace ostbar {

class OstToolbarWidget : public QToolBar {
    Q_OBJECT

public:
    explicit OstToolbarWidget(com::ComPtr<OstCommandBar> bar, QWidget* parent = nullptr);
    ~OstToolbarWidget() override;

    OstCommandBar* bar() const { return bar_.get(); }
    // The action of a command on the row (null when it is not shown there).
    QAction* actionFor(SHORT id) const;
    // The combo box of a combo-style command on the row.
    QComboBox* comboFor(SHORT id) const;
    // Builds the row again from the table now.
    void rebuild();

private:
    void scheduleRebuild();
    QAction* addCommand(const OstCommandData& command);
    QAction* addCombo(const OstCommandData& command);
    QMenu* makeMenu(const std::vector<SHORT>& entries, int depth);
    QIcon iconOf(const OstCommandData& command) const;

    com::ComPtr<OstCommandBar> bar_;
    int subscription_ = 0;
    bool rebuildPending_ = false;
    // Menu entries the rebuild under way may still add (the drop-downs of the whole row share them).
    std::size_t menuEntriesLeft_ = 0;
    // The drop-down menus of the row as built last (their submenus are their children).
    std::vector<QPointer<QMenu>> dropDowns_;
};

}  // namespace ostbar
