#pragma once

// The chart window: the child window of the frame that carries the chart and the program's menus.
// The menus' data, view and help commands live here; the chart's own commands are reached through
// FrameHooks::chartCommands until the chart is built into this window.

#include <QString>

#include <array>
#include <functional>
#include <map>

#include "frame/Form.h"
#include "frame/FrameHooks.h"

namespace frame {

class MDIForm1;

class frmMain : public Form {
public:
    // Tool windows of the View items mnuViewForm(0) to mnuViewForm(3).
    static constexpr std::array<const char*, 4> kViewForms = {"frmChartSettings", "frmWatchList",
                                                              "frmNoteList", "frmData"};

    frmMain(MDIForm1& frame, const FrameHooks& hooks);

    static FormModel design();
    // The name of the View item for a tool window, or an empty text for a window without one.
    static QString viewItemFor(const QString& toolWindow);

    // Load and close of the window.
    void Form_Load();
    void Finalize();

    // Runs the command of a menu item by the item's name ("mnuExit", "mnuViewForm(2)", ...); false
    // when the item has no command.
    bool runMenuCommand(const QString& itemName);
    bool hasMenuCommand(const QString& itemName) const;

    // File, view and data commands.
    void mnuExit_Click();
    void mnuViewForm_Click(int Index);
    void mnuViewLanguage_Click();
    void mnuDatabankUpdate_Click();
    void mnuDatabankImportData_Click();
    void mnuDatabankSettings_Click();
    // Help commands.
    void mnuHelpDocumnetation_Click();
    void mnuHelpFAQ_Click();
    void mnuHelpWebsite_Click();
    void mnuHelpAbout_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void connectMenus();
    void enableAvailableCommands();
    void openDocumentation(const char* page);
    void openTarget(const QUrl& target);

    MDIForm1& m_frame;
    const FrameHooks& m_hooks;
    std::map<QString, std::function<void()>> m_commands;  // this window's own, by menu item
};

}  // namespace frame
