#pragma once

// The frame window: the program's main window. It holds the chart window and the five docked tool
// windows, runs the tool bars' commands through the chart window's menu commands, keeps the View
// menu's check marks in step with the docked windows, and shuts the program down in a fixed order.

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <array>
#include <map>

#include "frame/FormModel.h"
#include "frame/FrameHooks.h"
#include "frame/ToolWindowHost.h"

namespace frame {

class Form;
class frmMain;

class MDIForm1 : public QMainWindow {
public:
    // The tool windows in the order they are registered.
    struct ToolWindowInfo {
        const char* key;          // also the window's name
        const char* tag;          // language-table row of the window's caption
        const char* caption;      // design caption
        int group;                // dock group
        int size;                 // share of the frame across the group's panel, percent
        const char* showSetting;  // the setting that says whether it shows at load; null: see load
    };
    static const std::array<ToolWindowInfo, 5>& toolWindows();

    explicit MDIForm1(FrameHooks hooks = {});
    ~MDIForm1() override;

    void MDIForm_Load();
    void MDIForm_Activate();
    // Runs the command of a tool-bar button by its key (compared exactly); other keys do nothing.
    void Toolbar1_ButtonClick(const QString& key);

    ToolWindowHost& TabDock() { return m_dock; }
    const ToolWindowHost& TabDock() const { return m_dock; }
    // The chart window, created on first use.
    frmMain& chartWindow();
    // A registered tool window, or nullptr.
    Form* toolWindow(const QString& key) const;
    const FormModel& model() const { return m_model; }
    FrameHooks& hooks() { return m_hooks; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    static FormModel design();
    Form* createToolWindow(const ToolWindowInfo& info);
    void registerToolWindows();
    void showToolWindowsAsStored();
    void MDIForm_Unload();
    void unloadOpenWindows();
    void releaseCollections();
    void TabDock_FormShow(const QString& key);
    void TabDock_FormHide(const QString& key);
    void TabDock_FormSelect(const QString& key);

    FrameHooks m_hooks;
    FormModel m_model;
    ToolWindowHost m_dock;
    QPointer<frmMain> m_chart;
    std::map<QString, Form*> m_toolWindows;
    bool m_unloaded = false;
};

}  // namespace frame
