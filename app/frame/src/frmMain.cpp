#include "frame/frmMain.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>

#include <filesystem>

#include "appdata/DataFolder.h"
#include "appdata/Globals.h"
#include "appdata/InternetSettings.h"
#include "appdata/Trap.h"
#include "frame/FrameGlobals.h"
#include "frame/LanguageTable.h"
#include "frame/MDIForm1.h"
#include "frame/MessageBox.h"
#include "frame/ProgramSettings.h"
#include "frame/ToolWindowHost.h"
#include "frame/frmAbout.h"
#include "frame/frmBulkData.h"
#include "ui/ModalServices.h"

namespace frame {
namespace {

using tarnwick::Trap;

ControlModel menuItem(const char* name, const char* tag, const char* caption, int container) {
    ControlModel c;
    c.name = QString::fromLatin1(name);
    c.kind = ControlKind::MenuItem;
    c.tag = QString::fromLatin1(tag);
    c.caption = QString::fromLatin1(caption);
    c.container = container;
    return c;
}

// A menu with its items: {name, tag, design caption}; an item captioned "-" is a separator.
struct MenuDesign {
    const char* name;
    const char* tag;
    const char* caption;
    std::vector<std::array<const char*, 3>> items;
};

const std::vector<MenuDesign>& menuDesigns() {
    static const std::vector<MenuDesign> menus = {
        {"mnuFile",
         "109",
         "&File",
         {{{"mnuSaveChart", "68", "Save Chart As Image"}},
          {{"mnuPrint", "120", "P&rint Chart..."}},
          {{"mnuPrintPreview", "121", "Print Preview..."}},
          {{"mnuFileSplit", "", "-"}},
          {{"mnuExit", "122", "E&xit"}}}},
        {"mnuView",
         "110",
         "&View",
         {{{"mnuViewForm(0)", "45", "Chart Settings"}},
          {{"mnuViewForm(1)", "96", "WatchList"}},
          {{"mnuViewForm(2)", "123", "Market Commentary"}},
          {{"mnuViewForm(3)", "85", "Chart Values"}},
          {{"mnuvVewSplit", "", "-"}},
          {{"mnuViewLanguage", "187", "Switch Language to Arabic"}}}},
        {"mnuCT",
         "111",
         "&Chart Template",
         {{{"mnuCTSave", "69", "Save to Selected Chart Template"}},
          {{"mnuCTSaveAs", "70", "Save as New Chart Template..."}},
          {{"mnuCTSplit", "", "-"}},
          {{"mnuCTChange", "72", "Rename Selected Chart Template..."}},
          {{"mnuCTDelete", "71", "Delete Selected Chart Template"}}}},
        {"mnuWL",
         "112",
         "&WatchList",
         {{{"mnuWLNew", "115", "Create New WatchList"}},
          {{"mnuWLEdit", "116", "Rename Selected WatchList"}},
          {{"mnuWLDelete", "117", "Delete Selected WatchList"}},
          {{"mnuWLAdd", "118", "Add Company to Selected WatchList"}},
          {{"mnuWLRemove", "119", "Remove Company from Selected WatchList"}}}},
        {"mnuDatabank",
         "113",
         "Databank",
         {{{"mnuDatabankUpdate", "73", "Update Data via Internet"}},
          {{"mnuDataBankSplit", "", "-"}},
          {{"mnuDatabankImportData", "204", "Import Data from File..."}},
          {{"mnuDataBankSep2", "", "-"}},
          {{"mnuDatabankSettings", "197", "Internet Connection Settings..."}}}},
        {"mnuHelp",
         "114",
         "Help",
         {{{"mnuHelpDocumnetation", "124", "Contents..."}},
          {{"mnuHelpFAQ", "125", "Frequently Asked Questions..."}},
          {{"mnuHelpWebsite", "126", "Tarnwick Support..."}},
          {{"mnuHelpSplit", "", "-"}},
          {{"mnuHelpAbout", "0", "About Tarnwick..."}}}},
    };
    return menus;
}

std::string text(const char* key, const char* defaultValue) {
    return ProgramSettings::text(QString::fromLatin1(key), QString::fromLatin1(defaultValue)).toStdString();
}

QString viewItemName(int index) {
    return QStringLiteral("mnuViewForm(%1)").arg(index);
}

}  // namespace

FormModel frmMain::design() {
    FormModel f;
    f.name = QStringLiteral("frmMain");
    f.caption = QString();  // the frame's caption names the program
    f.width = 9400;
    f.height = 8800;
    f.resizable = true;
    for (const MenuDesign& menu : menuDesigns()) {
        const int container = static_cast<int>(f.controls.size());
        f.controls.push_back(menuItem(menu.name, menu.tag, menu.caption, ControlModel::kOnForm));
        for (const auto& [name, tag, caption] : menu.items)
            f.controls.push_back(menuItem(name, tag, caption, container));
    }
    ControlModel chart;
    chart.name = QStringLiteral("Korvel1");
    chart.kind = ControlKind::ChartControl;
    chart.width = 9300;
    chart.height = 8370;
    f.controls.push_back(chart);
    ControlModel dialog;
    dialog.name = QStringLiteral("CommonDialog");
    dialog.kind = ControlKind::CommonDialog;
    f.controls.push_back(dialog);
    return f;
}

QString frmMain::viewItemFor(const QString& toolWindow) {
    for (size_t i = 0; i < kViewForms.size(); ++i) {
        if (toolWindow == QLatin1String(kViewForms[i]))
            return viewItemName(static_cast<int>(i));
    }
    return QString();
}

frmMain::frmMain(MDIForm1& frame, const FrameHooks& hooks) : Form(design()), m_frame(frame), m_hooks(hooks) {
    m_commands = {
        {QStringLiteral("mnuExit"), [this] { mnuExit_Click(); }},
        {QStringLiteral("mnuViewLanguage"), [this] { mnuViewLanguage_Click(); }},
        {QStringLiteral("mnuDatabankImportData"), [this] { mnuDatabankImportData_Click(); }},
        {QStringLiteral("mnuHelpDocumnetation"), [this] { mnuHelpDocumnetation_Click(); }},
        {QStringLiteral("mnuHelpFAQ"), [this] { mnuHelpFAQ_Click(); }},
        {QStringLiteral("mnuHelpWebsite"), [this] { mnuHelpWebsite_Click(); }},
        {QStringLiteral("mnuHelpAbout"), [this] { mnuHelpAbout_Click(); }},
    };
    if (m_hooks.showDataUpdate)
        m_commands[QStringLiteral("mnuDatabankUpdate")] = [this] { mnuDatabankUpdate_Click(); };
    if (m_hooks.showProxySettings)
        m_commands[QStringLiteral("mnuDatabankSettings")] = [this] { mnuDatabankSettings_Click(); };
    for (int i = 0; i < static_cast<int>(kViewForms.size()); ++i)
        m_commands[viewItemName(i)] = [this, i] { mnuViewForm_Click(i); };
    connectMenus();
    enableAvailableCommands();
}

void frmMain::connectMenus() {
    for (const ControlModel& c : model().controls) {
        if (c.kind != ControlKind::MenuItem)
            continue;
        if (QAction* action = menuAction(c.name)) {
            const QString name = c.name;
            QObject::connect(action, &QAction::triggered, this, [this, name] { runMenuCommand(name); });
        }
    }
}

// Items that hold others and separators stay as designed; a command nobody provides is disabled.
void frmMain::enableAvailableCommands() {
    for (ControlModel& c : model().controls) {
        if (c.kind != ControlKind::MenuItem || c.container == ControlModel::kOnForm ||
            c.caption == QLatin1String("-"))
            continue;
        c.enabled = hasMenuCommand(c.name);
    }
    applyModel();
}

bool frmMain::hasMenuCommand(const QString& itemName) const {
    return m_commands.contains(itemName) || m_hooks.chartCommands.has(itemName);
}

bool frmMain::runMenuCommand(const QString& itemName) {
    if (const auto it = m_commands.find(itemName); it != m_commands.end()) {
        const auto command = it->second;
        command();
        return true;
    }
    return m_hooks.chartCommands.run(itemName);
}

// What the chart window's load does before the chart itself is built: the program folder's own
// folders, the data servers and the proxy, and the end of the start-up phase.
void frmMain::Form_Load() {
    Trap("frmMain Form_Load", [&] {
        const std::filesystem::path folder = tarnwick::ProgramFolder();
        for (const char* name : {"Templates", "Notes", "Documentation"})
            std::filesystem::create_directories(folder / name);
        tarnwick::gDataServers = {
            text(tarnwick::kDataServerKey, tarnwick::kDefaultDataServer),
            text(tarnwick::kBackupDataServerKey, tarnwick::kDefaultBackupDataServer),
        };
        tarnwick::gProxyUsed = ProgramSettings::boolean(QStringLiteral("ProxyUsed"), false);
        tarnwick::gProxyServer = text("ProxyServer", "");
        tarnwick::gProxyPort =
            ProgramSettings::int32(QStringLiteral("ProxyPort"), tarnwick::kDefaultProxyPort);
        tarnwick::gProxyUserName = text("ProxyUserName", "");
        tarnwick::gProxyPassword = text("ProxyPassword", "");
    });
    tarnwick::gStarting = false;
}

// Keeps which tool windows are shown and the proxy for the next start, then closes the database. A
// tool window counts as shown also while its tab is behind another one or the frame is minimised.
void frmMain::Finalize() {
    Trap("Finalize", [&] {
        const ToolWindowHost& dock = m_frame.TabDock();
        ProgramSettings::saveBool(QStringLiteral("ShowChartSettings"),
                                  dock.isShown(QStringLiteral("frmChartSettings")));
        ProgramSettings::saveBool(QStringLiteral("ShowWatchList"),
                                  dock.isShown(QStringLiteral("frmWatchList")));
        ProgramSettings::saveBool(QStringLiteral("ShowNotes"), dock.isShown(QStringLiteral("frmNoteList")));
        ProgramSettings::saveBool(QStringLiteral("ProxyUsed"), tarnwick::gProxyUsed);
        ProgramSettings::saveText(QStringLiteral("ProxyServer"),
                                  QString::fromStdString(tarnwick::gProxyServer));
        ProgramSettings::saveText(QStringLiteral("ProxyPort"), QString::number(tarnwick::gProxyPort));
        ProgramSettings::saveText(QStringLiteral("ProxyUserName"),
                                  QString::fromStdString(tarnwick::gProxyUserName));
        ProgramSettings::saveText(QStringLiteral("ProxyPassword"),
                                  QString::fromStdString(tarnwick::gProxyPassword));
    });
    tarnwick::gConnection.close();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    Form::resizeEvent(event);
    // The chart fills the window's client area.
    if (QWidget* chart = controlWidget(QStringLiteral("Korvel1")))
        chart->setGeometry(chart->parentWidget()->rect());
}

void frmMain::mnuExit_Click() {
    m_frame.close();
}

void frmMain::mnuViewForm_Click(int Index) {
    Trap("mnuViewForm_Click", [&] {
        if (Index < 0 || Index >= static_cast<int>(kViewForms.size()))
            throw tarnwick::AppError(9, "Subscript out of range");
        const QString item = viewItemName(Index);
        const bool checked = !model().control(item).checked;
        setMenuChecked(item, checked);
        const QString key = QString::fromLatin1(kViewForms[static_cast<size_t>(Index)]);
        ToolWindowHost& dock = m_frame.TabDock();
        if (checked)
            dock.showForm(key);
        else
            dock.hideForm(key);
        dock.activateForm(key);
    });
}

// The stored language follows the running one: the switch takes effect at the next start.
void frmMain::mnuViewLanguage_Click() {
    ProgramSettings::saveText("Language", gArabic ? QStringLiteral("False") : QStringLiteral("True"));
    showMessage(GetLangString(188), ui::MB_ICONINFORMATION);
}

void frmMain::mnuDatabankUpdate_Click() {
    Trap("mnuDatabankUpdate_Click", [&] {
        if (Form* running = Form::findOpen(QStringLiteral("frmDataUpdate"))) {
            QWidget* window = running->window();
            window->show();
            window->raise();
            window->activateWindow();
            return;
        }
        if (m_hooks.showDataUpdate)
            m_hooks.showDataUpdate();
    });
}

void frmMain::mnuDatabankImportData_Click() {
    Trap("mnuDatabankImportData_Click", [&] {
        ui::FileDialogRequest request;
        request.owner = this;
        request.filter = QStringLiteral("Tarnwick Data Files | *.mqd");
        const ui::FileDialogResult chosen = ui::modalServices().openFile(request);
        if (!chosen.accepted || chosen.fileName.isEmpty())
            return;
        auto* bulk = static_cast<frmBulkData*>(Form::findOpen(QStringLiteral("frmBulkData")));
        if (bulk == nullptr)
            bulk = new frmBulkData(&m_frame);
        bulk->show();
        bulk->GetDataFromFile(chosen.fileName);
    });
}

void frmMain::mnuDatabankSettings_Click() {
    if (m_hooks.showProxySettings)
        m_hooks.showProxySettings();
}

void frmMain::mnuHelpDocumnetation_Click() {
    Trap("mnuHelpDocumnetation_Click", [&] { openDocumentation("index.htm"); });
}

void frmMain::mnuHelpFAQ_Click() {
    Trap("mnuHelpFAQ_Click", [&] { openDocumentation("faq.htm"); });
}

void frmMain::mnuHelpWebsite_Click() {
    Trap("mnuHelpWebsite_Click", [&] {
        openTarget(QUrl(QStringLiteral("http://") + QString::fromStdString(tarnwick::gDataServers[0]) +
                        QStringLiteral("/contact_us.php")));
    });
}

void frmMain::mnuHelpAbout_Click() {
    Form* about = Form::findOpen(QStringLiteral("frmAbout"));
    if (about == nullptr)
        about = new frmAbout(&m_frame);
    about->show();
    about->raise();
}

void frmMain::openDocumentation(const char* page) {
    const std::filesystem::path file =
        tarnwick::ProgramFolder() / "Documentation" / (gArabic ? "Arabic" : "English") / page;
    openTarget(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

void frmMain::openTarget(const QUrl& target) {
    if (m_hooks.openDocument)
        m_hooks.openDocument(target);
    else
        QDesktopServices::openUrl(target);
}

}  // namespace frame
