#include "frame/MDIForm1.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDockWidget>
#include <QEvent>

#include <algorithm>
#include <stdexcept>

#include "appdata/Globals.h"
#include "appdata/MarketCollections.h"
#include "appdata/Trap.h"
#include "frame/Form.h"
#include "frame/FrameGlobals.h"
#include "frame/LanguageTable.h"
#include "frame/Localize.h"
#include "frame/ProgramSettings.h"
#include "frame/data/DataWindowsWiring.h"
#include "frame/frmBulkData.h"
#include "frame/frmMain.h"

namespace frame {
namespace {

using tarnwick::Trap;

// The tool-bar keys and the chart window's menu commands they run. The keys are the buttons' own,
// spelling included.
struct ButtonCommand {
    const char* key;
    const char* menuItem;
};
constexpr ButtonCommand kButtonCommands[] = {
    {"SaveAsImage", "mnuSaveChart"},
    {"NewWL", "mnuWLNew"},
    {"AddSysmbol", "mnuWLAdd"},
    {"RemoveSymbol", "mnuWLRemove"},
    {"DeleteWL", "mnuWLDelete"},
    {"EditWLName", "mnuWLEdit"},
    {"SaveCurrentTemplate", "mnuCTSave"},
    {"EditTemplateName", "mnuCTChange"},
    {"DeleteTemplate", "mnuCTDelete"},
    {"SaveAsNewTemplate", "mnuCTSaveAs"},
    {"DataUpdate", "mnuDatabankUpdate"},
    {"ImportFromFile", "mnuDatabankImportData"},
    {"InternetSetup", "mnuDatabankSettings"},
};

// The docked windows that the frame's unload leaves to the frame itself.
bool staysDocked(const QString& name) {
    return name == QLatin1String("frmChartSettings") || name == QLatin1String("frmData") ||
           name == QLatin1String("frmWatchList") || name == QLatin1String("frmNoteList");
}

// An empty tool window: only its caption, in the program's language, until the window's own design
// takes its place through FrameHooks::createToolWindow.
FormModel toolWindowDesign(const MDIForm1::ToolWindowInfo& info) {
    FormModel f;
    f.name = QString::fromLatin1(info.key);
    f.tag = QString::fromLatin1(info.tag);
    f.caption = GetLangString(tagRow(f.tag));
    f.width = 4150;
    f.height = 6000;
    f.resizable = true;
    return f;
}

template <class Step>
void ignoringErrors(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

const std::array<MDIForm1::ToolWindowInfo, 5>& MDIForm1::toolWindows() {
    static const std::array<ToolWindowInfo, 5> windows = {{
        {"frmChartSettings", "45", "Chart Settings", ToolWindowHost::kSideGroup, 38, "ShowChartSettings"},
        {"frmWatchList", "96", "WatchList", ToolWindowHost::kSideGroup, 38, "ShowWatchList"},
        {"frmNoteList", "100", "Market Commentary - All Notes", ToolWindowHost::kSideGroup, 38, "ShowNotes"},
        {"frmData", "85", "Chart Values", ToolWindowHost::kBottomGroup, 32, nullptr},
        {"frmDataEditor", "149", "Data Editor", ToolWindowHost::kBottomGroup, 42, nullptr},
    }};
    return windows;
}

FormModel MDIForm1::design() {
    FormModel f;
    f.name = QStringLiteral("MDIForm1");
    f.tag = QStringLiteral("1");
    f.caption = QStringLiteral("Tarnwick");
    f.width = 12160;
    f.height = 8670;
    ControlModel dock;
    dock.name = QStringLiteral("TabDock");
    dock.kind = ControlKind::DockingControl;
    f.controls.push_back(dock);
    return f;
}

MDIForm1::MDIForm1(FrameHooks hooks) : m_hooks(std::move(hooks)), m_model(design()) {
    setObjectName(m_model.name);
    const QRect size = Form::toPixels(0, 0, m_model.width, m_model.height);
    resize(size.size());
    m_dock.events.formShow = [this](const QString& key) { TabDock_FormShow(key); };
    m_dock.events.formHide = [this](const QString& key) { TabDock_FormHide(key); };
    m_dock.events.formSelect = [this](const QString& key) { TabDock_FormSelect(key); };
}

MDIForm1::~MDIForm1() = default;

frmMain& MDIForm1::chartWindow() {
    if (m_chart.isNull()) {
        if (m_unloaded)
            throw std::logic_error("the chart window is gone with the frame");
        m_chart = new frmMain(*this, m_hooks);
        setMenuBar(m_chart->releaseMenuBar());
        setCentralWidget(m_chart);
    }
    return *m_chart;
}

Form* MDIForm1::toolWindow(const QString& key) const {
    const auto it = m_toolWindows.find(key);
    return it == m_toolWindows.end() ? nullptr : it->second;
}

Form* MDIForm1::createToolWindow(const ToolWindowInfo& info) {
    const QString key = QString::fromLatin1(info.key);
    Form* window = m_hooks.createToolWindow ? m_hooks.createToolWindow(key) : nullptr;
    if (window == nullptr)
        window = new Form(toolWindowDesign(info), Form::Localization::AsDesigned);
    m_toolWindows[key] = window;
    return window;
}

void MDIForm1::MDIForm_Load() {
    Trap("MDIForm_Load", [&] {
        m_dock.attach(*this);
        registerToolWindows();
        LocalizeForm(m_model);
        setWindowTitle(m_model.caption);
        setLayoutDirection(m_model.exStyle & WS_EX_LAYOUTRTL ? Qt::RightToLeft : Qt::LeftToRight);
        m_dock.setPanelSize(ToolWindowHost::kBottomPanel, 2000);
        m_dock.setPanelSize(ToolWindowHost::kSidePanel, 4150);
        if (gArabic)
            m_dock.setPanelRightToLeft(ToolWindowHost::kSidePanel, true);
        m_dock.finishSetup();
        frmMain& chart = chartWindow();
        chart.show();
        chart.Form_Load();
        showToolWindowsAsStored();
        m_dock.hideForm(kDataEditor);
    });
}

void MDIForm1::registerToolWindows() {
    for (const ToolWindowInfo& info : toolWindows()) {
        const QString key = QString::fromLatin1(info.key);
        Form* window = toolWindow(key);
        if (window == nullptr)
            window = createToolWindow(info);
        m_dock.registerForm(window, info.group, 3, key, info.size);
    }
}

void MDIForm1::showToolWindowsAsStored() {
    for (const ToolWindowInfo& info : toolWindows()) {
        if (info.showSetting == nullptr)
            continue;
        const QString key = QString::fromLatin1(info.key);
        if (ProgramSettings::boolean(QString::fromLatin1(info.showSetting), true))
            m_dock.showForm(key);
        else
            m_dock.hideForm(key);
    }
}

// The bulk-import window stays in front of the frame while it is open.
void MDIForm1::MDIForm_Activate() {
    for (Form* form : Form::openForms()) {
        if (form->objectName() == QLatin1String("frmBulkData"))
            form->raise();
    }
}

void MDIForm1::Toolbar1_ButtonClick(const QString& key) {
    Trap("Toolbar1_ButtonClick", [&] {
        for (const ButtonCommand& command : kButtonCommands) {
            if (key == QLatin1String(command.key)) {
                chartWindow().runMenuCommand(QString::fromLatin1(command.menuItem));
                return;
            }
        }
    });
}

void MDIForm1::TabDock_FormShow(const QString& key) {
    Trap("TabDock_FormShow", [&] {
        if (const QString item = frmMain::viewItemFor(key); !item.isEmpty())
            chartWindow().setMenuChecked(item, true);
    });
}

void MDIForm1::TabDock_FormHide(const QString& key) {
    Trap("TabDock_FormHide", [&] {
        if (const QString item = frmMain::viewItemFor(key); !item.isEmpty())
            chartWindow().setMenuChecked(item, false);
        if (key == kDataEditor && m_hooks.dataEditorHidden)
            m_hooks.dataEditorHidden();
    });
}

void MDIForm1::TabDock_FormSelect(const QString& key) {
    if (key == QLatin1String("frmWatchList") && m_hooks.scrollWatchListSelection)
        m_hooks.scrollWatchListSelection();
}

void MDIForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        MDIForm_Activate();
}

// The chart window keeps the user's state first, then the frame unloads everything else. An import
// in progress is finished first: its rows go in under one transaction that must not be cut.
void MDIForm1::closeEvent(QCloseEvent* event) {
    if (m_unloaded) {
        event->accept();
        return;
    }
    if (const auto* bulk = static_cast<frmBulkData*>(Form::findOpen(QStringLiteral("frmBulkData")));
        bulk != nullptr && bulk->isImporting()) {
        event->ignore();
        return;
    }
    if (!m_chart.isNull())
        m_chart->Finalize();
    MDIForm_Unload();
    m_unloaded = true;
    event->accept();
}

void MDIForm1::MDIForm_Unload() {
    gClosing = true;
    // From here every step runs even when an earlier one fails.
    ignoringErrors([&] { unloadOpenWindows(); });
    releaseCollections();
}

// Last loaded first; the four docked windows go with the frame. A window carried by a dialog is
// unloaded by closing its dialog.
void MDIForm1::unloadOpenWindows() {
    const std::vector<Form*> open = Form::openForms();
    for (auto it = open.rbegin(); it != open.rend(); ++it) {
        Form* form = *it;
        if (staysDocked(form->objectName()) || !form->isLoaded())
            continue;
        if (auto* dialog = qobject_cast<QDialog*>(form->parentWidget()))
            ignoringErrors([&] { dialog->close(); });
        else
            ignoringErrors([&] { form->unload(); });
    }
}

void MDIForm1::releaseCollections() {
    ignoringErrors([] { tarnwick::gCategories.clear(); });
    ignoringErrors([] { tarnwick::gMarkets.clear(); });
    ignoringErrors([] { tarnwick::gSettings.clear(); });
    ignoringErrors([] { tarnwick::gTemplates.clear(); });
    ignoringErrors([] { tarnwick::gWatchLists.clear(); });
    if (m_hooks.releaseChartObjects)
        ignoringErrors([&] { m_hooks.releaseChartObjects(); });
}

}  // namespace frame
