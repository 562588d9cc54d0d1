#include "frame/frmMain.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>

#include <QKeyEvent>
#include <QMenu>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

#include "appdata/DataFolder.h"
#include "appdata/Globals.h"
#include "appdata/InternetSettings.h"
#include "appdata/MarketCollections.h"
#include "appdata/MarketQueries.h"
#include "appdata/MarketReaders.h"
#include "appdata/Trap.h"
#include "dravik/SeriesInterfaces.h"
#include "frame/FrameGlobals.h"
#include "frame/LanguageTable.h"
#include "frame/MDIForm1.h"
#include "frame/MessageBox.h"
#include "frame/ProgramSettings.h"
#include "frame/ToolWindowHost.h"
#include "frame/chart/ChartCommandTexts.h"
#include "frame/chart/ChartEvents.h"
#include "frame/chart/ChartImageOutput.h"
#include "frame/chart/ChartWindowMenus.h"
#include "frame/chart/ChartWindowSettings.h"
#include "frame/chart/DefaultChartSetUp.h"
#include "frame/chart/DrawingHandles.h"
#include "frame/chart/DrawingInfoStore.h"
#include "frame/chart/ExtensionCalls.h"
#include "frame/chart/TemplateLoad.h"
#include "frame/frmAbout.h"
#include "frame/frmBulkData.h"
#include "korvel/KvlChartWidget.h"
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

korvel::IKvlChart* controlOf(korvel::KvlChartWidget* widget) {
    return widget != nullptr ? &widget->control() : nullptr;
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

frmMain::frmMain(MDIForm1& frame, const FrameHooks& hooks)
    : Form(design()),
      m_frame(frame),
      m_hooks(hooks),
      m_menus(std::make_unique<chart::ChartWindowMenus>(*this, hooks)) {
    m_menus->setCommands({
        {QStringLiteral("mnuExit"), [this] { mnuExit_Click(); }},
        {QStringLiteral("mnuViewLanguage"), [this] { mnuViewLanguage_Click(); }},
        {QStringLiteral("mnuDatabankImportData"), [this] { mnuDatabankImportData_Click(); }},
        {QStringLiteral("mnuHelpDocumnetation"), [this] { mnuHelpDocumnetation_Click(); }},
        {QStringLiteral("mnuHelpFAQ"), [this] { mnuHelpFAQ_Click(); }},
        {QStringLiteral("mnuHelpWebsite"), [this] { mnuHelpWebsite_Click(); }},
        {QStringLiteral("mnuHelpAbout"), [this] { mnuHelpAbout_Click(); }},
    });
    m_menus->setCommand(QStringLiteral("mnuPrint"), [this] { chart::PrintChart(controlOf(m_korvel)); });
    m_menus->setCommand(QStringLiteral("mnuPrintPreview"),
                        [this] { chart::PreviewChart(controlOf(m_korvel)); });
    m_menus->setCommand(QStringLiteral("mnuSaveChart"), [this] {
        chart::SaveChartAsImage({controlOf(m_korvel), gGifWriter.get(), this,
                                 [this] {
                                     if (!gChartFill || !gChartFill->Company)
                                         throw tarnwick::AppError(91, "No company is charted");
                                     return gChartFill->Company->Symbol;
                                 },
                                 [this](bool enabled) {
                                     // Only the item's action: the whole model would put the chart
                                     // back to its designed size.
                                     m_menus->setMenuEnabled("mnuSaveChart", enabled);
                                     const QString item = QStringLiteral("mnuSaveChart");
                                     if (QAction* action = menuAction(item))
                                         action->setEnabled(model().control(item).enabled);
                                     m_menus->enableButton("frmChartSettings", "SaveAsImage", enabled);
                                 }});
    });
    if (m_hooks.showDataUpdate)
        m_menus->setCommand(QStringLiteral("mnuDatabankUpdate"), [this] { mnuDatabankUpdate_Click(); });
    if (m_hooks.showProxySettings)
        m_menus->setCommand(QStringLiteral("mnuDatabankSettings"), [this] { mnuDatabankSettings_Click(); });
    for (int i = 0; i < static_cast<int>(kViewForms.size()); ++i)
        m_menus->setCommand(viewItemName(i), [this, i] { mnuViewForm_Click(i); });
    m_menus->connectCommands();
    if (QWidget* host = controlWidget(QStringLiteral("Korvel1"))) {
        m_korvel = new korvel::KvlChartWidget(host);
        m_korvel->setGeometry(host->rect());
    }
}

bool frmMain::hasMenuCommand(const QString& itemName) const {
    return m_menus->hasMenuCommand(itemName);
}

bool frmMain::runMenuCommand(const QString& itemName) {
    return m_menus->runMenuCommand(itemName);
}

namespace {

int pixels(float twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

float twips(int pixels) {
    return static_cast<float>(pixels) * kTwipsPerPixel;
}

QString number(float value) {
    return QString::number(static_cast<double>(value), 'g', 7);
}

tarnwick::chart::LanguageText languageText() {
    return [](std::int32_t entry) { return GetLangString(entry).toStdString(); };
}

std::string keyOf(std::int32_t id) {
    return "ID_" + std::to_string(id);
}

}  // namespace

frmMain::~frmMain() {
    // The overlay and the fill's view of the chart go before the chart widget and the extensions.
    if (gChartFill)
        gChartFill->Chart = nullptr;
    if (m_extensions)
        m_extensions->release();
}

dravik::IFinancialCharts* frmMain::financialExtension() const {
    return m_extensions ? m_extensions->financialExtension() : nullptr;
}

glossor::IGlosxList* frmMain::annotationList() const {
    return m_extensions ? m_extensions->annotationList() : nullptr;
}

chart::DrawingHandles* frmMain::drawingHandles() const {
    return m_extensions ? m_extensions->drawingHandles() : nullptr;
}

chart::ChartWindowExtensionLinks frmMain::extensionLinks() {
    return {[this] { return gChartFill.get(); }, [this](const QString& title) { setWindowTitle(title); },
            [this] { mnuHelpDocumnetation_Click(); },
            [this](bool shown) {
                const QString editor = QStringLiteral("frmDataEditor");
                if (shown) {
                    // The editor shares its tab row with the chart values: the user asked to see it.
                    m_frame.TabDock().showForm(editor);
                    m_frame.TabDock().activateForm(editor);
                } else {
                    m_frame.TabDock().hideForm(editor);
                }
            }};
}

// The frame window at the stored place; maximised when no place was stored.
void frmMain::placeFrame(float left, float top, float width, float height) {
    m_frame.setGeometry(pixels(left), pixels(top), std::max(1, pixels(width)), std::max(1, pixels(height)));
    if (left == chart::kUnplacedLeft)
        m_frame.setWindowState(m_frame.windowState() | Qt::WindowMaximized);
}

void frmMain::chartCurrentCompany(bool keepData) {
    if (!gChartFill)
        return;
    gChartFill->GetData(gChartFill->CompanyID, m_choices.period, m_choices.adjusted != 0, m_choices.interval,
                        m_choices.sectorIndex != 0, m_choices.generalIndex != 0, keepData, 0);
}

void frmMain::setUpDefaultChart() {
    chart::ExtensionStudySlots studies(financialExtension());
    chart::DefaultChartSetUpSteps steps;
    steps.chartCompany = [this] { chartCurrentCompany(); };
    steps.showCompanyInWatchList = [this] {
        const std::string key = keyOf(gChartFill->CompanyID);
        if (m_hooks.chartPeers.showWatchListCompany)
            m_hooks.chartPeers.showWatchListCompany(key);
    };
    steps.localizeChartCommands = [this] { localizeChartCommands(); };
    chart::SetUpDefaultChart(m_korvel->control(), *financialExtension(), studies, steps);
}

// The chart window's load: everything the last run left in the settings store comes back, and the
// company is charted once, by the template load or by the default chart.
void frmMain::Form_Load() {
    Trap("frmMain Form_Load", [&] {
        const std::filesystem::path folder = tarnwick::ProgramFolder();
        for (const char* name : {"Templates", "Notes", "Documentation"})
            std::filesystem::create_directories(folder / name);
        gChartFill = std::make_unique<tarnwick::chart::clsKorvelFill>(languageText());
        m_extensions = std::make_unique<chart::ChartWindowExtensions>(*m_korvel, m_hooks, extensionLinks());
        m_extensions->attach();
        gGifWriter = std::make_unique<appchart::GIF>();
        tarnwick::ReadMarkets();
        tarnwick::ReadCategories();
        tarnwick::ReadWatchLists();
        tarnwick::ReadTemplates();
        if (m_hooks.chartPeers.fillWatchListCombo)
            m_hooks.chartPeers.fillWatchListCombo();
        tarnwick::gDataServers = {
            text(tarnwick::kDataServerKey, tarnwick::kDefaultDataServer),
            text(tarnwick::kBackupDataServerKey, tarnwick::kDefaultBackupDataServer),
        };
        m_choices.period = 0;
        const chart::StoredChartChoices stored = chart::ReadStoredChartChoices();
        placeFrame(stored.mainLeft, stored.mainTop, stored.mainWidth, stored.mainHeight);
        restoreWatchList(stored.lastWL);
        gChartFill->CompanyID = stored.selectedCompany;
        m_choices = {stored.period, stored.interval, stored.adjusted, stored.generalIndex,
                     stored.sectorIndex};
        if (m_hooks.chartPeers.chartChoicesRead)
            m_hooks.chartPeers.chartChoicesRead();
        readConnectionSettings();
        tarnwick::gDefaultMarket = stored.defaultMarket;
        {
            chart::ExtensionStudySlots studies(financialExtension());
            if (const auto series = chart::seriesOf(studies, chart::Study::VOLUME))
                chart::Succeeded(series->put_VOLUME(65), "VOLUME");
        }
        if (!loadLastTemplate(stored.lastTemplate))
            setUpDefaultChart();
        // A loaded template replaced the extension object.
        chart::ExtensionStudySlots studies(financialExtension());
        studies.put(chart::Study::USER1, chart::kStudyVisible, com::Variant(m_choices.sectorIndex != 0));
        studies.put(chart::Study::USER2, chart::kStudyVisible, com::Variant(m_choices.generalIndex != 0));
        com::ComPtr<com::IUnknown> options;
        chart::Succeeded(m_korvel->control().get_Object80(options.put()), "Object80");
        if (const auto enabled =
                options ? options.as<korvel::IKvlOptions>() : com::ComPtr<korvel::IKvlOptions>())
            chart::Succeeded(enabled->put_Enabled(com::VARIANT_TRUE), "Object80");
        if (m_hooks.chartPeers.symbolChanged)
            m_hooks.chartPeers.symbolChanged();
    });
    // Also after a failed load: the chart settings must chart again once the program runs.
    tarnwick::gStarting = false;
}

// The stored watch list is clicked when it still exists; else the combo's first entry is marked.
void frmMain::restoreWatchList(std::int32_t lastWL) {
    const ChartWindowPeers& peers = m_hooks.chartPeers;
    if (tarnwick::gWatchLists.exists(keyOf(lastWL))) {
        if (peers.selectWatchList)
            peers.selectWatchList(lastWL);
    } else if (peers.selectFirstWatchList) {
        peers.selectFirstWatchList();
    }
}

void frmMain::readConnectionSettings() {
    tarnwick::gProxyUsed = ProgramSettings::boolean(QStringLiteral("ProxyUsed"), false);
    tarnwick::gProxyServer = text("ProxyServer", "");
    tarnwick::gProxyPort = chart::StoredInteger(QStringLiteral("ProxyPort"), tarnwick::kDefaultProxyPort, 0,
                                                std::numeric_limits<std::int32_t>::max());
    tarnwick::gProxyUserName = text("ProxyUserName", "");
    tarnwick::gProxyPassword = text("ProxyPassword", "");
}

// The chart settings window marks the template in its list and loads it; without that window the
// template is loaded here. Without the template the default chart is laid out.
bool frmMain::loadLastTemplate(std::int32_t lastTemplate) {
    if (!tarnwick::gTemplates.exists(keyOf(lastTemplate)))
        return false;
    if (m_hooks.chartPeers.loadTemplate)
        return m_hooks.chartPeers.loadTemplate(lastTemplate);
    return LoadTemplate(lastTemplate);
}

bool frmMain::LoadTemplate(std::int32_t templateId) {
    if (m_templateLoading || m_korvel == nullptr || !financialExtension() || !gChartFill)
        return false;
    m_templateLoading = true;
    const bool loaded = Trap("LoadTemplate", [&] { applyTemplateFile(templateId); });
    m_templateLoading = false;
    return loaded;
}

// Throws when the template is unknown or the chart refuses its file; the chart is then unchanged.
void frmMain::applyTemplateFile(std::int32_t templateId) {
    chart::TemplateKeptSettings kept;
    {
        chart::ExtensionStudySlots studies(financialExtension());
        kept.volumeDrawing = chart::VolumeDrawing(studies);
    }
    EnableDisable();
    SaveKorvelCompanyProfile();
    const std::filesystem::path file =
        chart::TemplateFilePath(tarnwick::gTemplates.item(keyOf(templateId)).ID);
    com::LONG result = korvel::kImportUnreadable;
    chart::Succeeded(
        m_korvel->control().ImportFile(korvel::kFileTemplate, com::Bstr::fromUtf8(file.string()), &result),
        "ImportFile");
    if (result != korvel::kImportDone)
        throw tarnwick::AppError(result, "The chart template " + file.string() + " could not be loaded");
    reattachExtensions();
    chart::AddDrawingTools(m_korvel->control());
    localizeChartCommands();
    com::SHORT display = static_cast<com::SHORT>(gChartFill->PriceDisplay);
    chart::Succeeded(financialExtension()->get_PriceDisplay(&display), "PriceDisplay");
    gChartFill->PriceDisplay = display;
    // At start-up the work table is built; later the company on the chart is only read back.
    chartCurrentCompany(!tarnwick::gStarting);
    if (m_hooks.chartPeers.showWatchListCompany)
        m_hooks.chartPeers.showWatchListCompany(keyOf(gChartFill->CompanyID));
    kept.sectorIndexShown = m_choices.sectorIndex != 0;
    kept.generalIndexShown = m_choices.generalIndex != 0;
    chart::ExtensionStudySlots studies(financialExtension());
    chart::RestoreAfterTemplate(m_korvel->control(), studies, kept);
    rebuildAverageLegends();
}

// The chart created new extension objects: the window lets go of the old ones and joins the new. The
// old overlay goes first, or its going would take the new one's place on the chart and the list.
void frmMain::reattachExtensions() {
    m_extensions->reattach();
}

// Puts the command texts of the chart's tool bars into the current language (a template import
// brings the texts it was saved with).
void frmMain::localizeChartCommands() {
    chart::LocalizeChartCommands(m_korvel->control(), [](std::int32_t row) { return GetLangString(row); });
}

// Rebuilds the captions and legends of the built-in averages from their periods, as committing the
// studies page does: the 10-period one, the 200-period one, then the 50-period one.
void frmMain::rebuildAverageLegends() {
    chart::ChartEvents* events = m_extensions ? m_extensions->events() : nullptr;
    if (events == nullptr)
        return;
    for (const com::LONG average : {0, 2, 1})
        events->gFinExt_StudiesPageCommit(average);
}

// The chart takes the window's width less 100 twips and its height less 400 (all of it in a low window).
void frmMain::Form_Resize() {
    Trap("Form_Resize", [&] {
        if (m_korvel == nullptr)
            return;
        const float width = twips(this->width());
        const float height = twips(this->height());
        const float chartWidth = std::max(0.0F, width - 100.0F);
        const float chartHeight = height > 400.0F ? height - 400.0F : height;
        // The model keeps the size too, or the next applyModel would put the design size back.
        ControlModel& place = model().control(QStringLiteral("Korvel1"));
        place.width = static_cast<std::int32_t>(chartWidth);
        place.height = static_cast<std::int32_t>(chartHeight);
        QWidget* host = m_korvel->parentWidget();
        host->setGeometry(0, 0, pixels(chartWidth), pixels(chartHeight));
        m_korvel->setGeometry(host->rect());
        m_korvel->control().put_Width(static_cast<com::LONG>(chartWidth));
        m_korvel->control().put_Height(static_cast<com::LONG>(chartHeight));
    });
}

// "r" gives the chart its standard size of 9300 by 8370 twips by resizing the frame.
void frmMain::Form_KeyPress(std::int16_t& KeyAscii) {
    if (KeyAscii != 'r' || m_korvel == nullptr)
        return;
    if (m_frame.isMaximized())
        m_frame.showNormal();
    korvel::IKvlChart& chart = m_korvel->control();
    com::LONG chartWidth = 0;
    com::LONG chartHeight = 0;
    chart.get_Width(&chartWidth);
    chart.get_Height(&chartHeight);
    const float dW = static_cast<float>(9300 - chartWidth);
    float dH = static_cast<float>(8370 - chartHeight);
    const auto shown = [](com::VARIANT_BOOL value) { return value != com::VARIANT_FALSE; };
    com::VARIANT_BOOL bar = com::VARIANT_FALSE;
    if (com::SUCCEEDED(chart.get_ToolBar(&bar)) && shown(bar))
        dH += 450.0F;
    bar = com::VARIANT_FALSE;
    if (annotationList() && com::SUCCEEDED(annotationList()->get_ToolBar(&bar)) && shown(bar))
        dH += 450.0F;
    bar = com::VARIANT_FALSE;
    if (financialExtension() && com::SUCCEEDED(financialExtension()->get_ToolBar(&bar)) && shown(bar))
        dH += 450.0F;
    m_frame.resize(pixels(twips(m_frame.width()) + dW), pixels(twips(m_frame.height()) + dH));
}

void frmMain::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    if (typed.size() == 1 && typed.at(0).unicode() < 0x8000) {
        std::int16_t key = static_cast<std::int16_t>(typed.at(0).unicode());
        Form_KeyPress(key);
    }
    Form::keyPressEvent(event);
}

// Keeps the user's working state for the next start, then closes the database. A tool window counts
// as shown also while its tab is behind another one or the frame is minimised.
void frmMain::Finalize() {
    Trap("Finalize", [&] {
        SaveKorvelCompanyProfile();
        tarnwick::gConnection.close();
        gGifWriter.reset();
        if (!m_frame.isMinimized()) {
            const QRect place = m_frame.geometry();
            ProgramSettings::saveText(QStringLiteral("MainLeft"), number(twips(place.x())));
            ProgramSettings::saveText(QStringLiteral("MainTop"), number(twips(place.y())));
            ProgramSettings::saveText(QStringLiteral("MainWidth"), number(twips(place.width())));
            ProgramSettings::saveText(QStringLiteral("MainHeight"), number(twips(place.height())));
        }
        ProgramSettings::saveText(QStringLiteral("Period"), QString::number(m_choices.period));
        ProgramSettings::saveText(QStringLiteral("Interval"), QString::number(m_choices.interval));
        ProgramSettings::saveText(QStringLiteral("Adjusted"), QString::number(m_choices.adjusted));
        ProgramSettings::saveText(QStringLiteral("SectorIndex"), QString::number(m_choices.sectorIndex));
        ProgramSettings::saveText(QStringLiteral("GeneralIndex"), QString::number(m_choices.generalIndex));
        ProgramSettings::saveText(QStringLiteral("DefaultMarket"), QString::number(tarnwick::gDefaultMarket));
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
        const ChartWindowPeers& peers = m_hooks.chartPeers;
        const auto selectedWL = peers.selectedWatchListKey ? peers.selectedWatchListKey() : std::nullopt;
        ProgramSettings::saveText(
            QStringLiteral("LastWL"),
            selectedWL ? QString::number(tarnwick::gWatchLists.item(*selectedWL).ID) : QStringLiteral("1"));
        const auto selectedTemplate = peers.selectedTemplateKey ? peers.selectedTemplateKey() : std::nullopt;
        ProgramSettings::saveText(QStringLiteral("LastTemplate"),
                                  selectedTemplate
                                      ? QString::number(tarnwick::gTemplates.item(*selectedTemplate).ID)
                                      : QStringLiteral("1"));
        ProgramSettings::saveText(QStringLiteral("SelectedCompany"),
                                  QString::number(gChartFill ? gChartFill->CompanyID : 1));
    });
    tarnwick::gConnection.close();
}

bool frmMain::menuEnabled(const QString& itemName) const {
    return m_menus->menuEnabled(itemName);
}

QMenu* frmMain::popupMenu() const {
    return m_menus->popupMenu();
}

void frmMain::EnableDisable() {
    m_menus->EnableDisable();
}

// The drawings of the company on the chart go to its row; nothing is saved before the first fill or
// for a company that is gone.
void frmMain::SaveKorvelCompanyProfile() {
    Trap("SaveKorvelCompanyProfile", [&] {
        if (m_korvel == nullptr || !gChartFill)
            return;
        com::Bstr text;
        chart::Succeeded(m_korvel->control().get_ChartCompanyID(&text), "ChartCompanyID");
        const QString id = QString::fromStdString(text.toUtf8()).trimmed();
        bool numeric = false;
        const double value = id.toDouble(&numeric);
        if (!numeric || !std::isfinite(value) || value < std::numeric_limits<std::int32_t>::min() ||
            value > std::numeric_limits<std::int32_t>::max())
            return;
        const auto companyId = static_cast<std::int32_t>(std::nearbyint(value));
        const auto companies = tarnwick::GetCompaniyInfo("", companyId);
        if (companies.count() < 1)
            return;
        chart::SaveAnnotationDrawingInfo(m_korvel->control(), companies.at(0).ID, gChartFill->DrawingText);
    });
}

void frmMain::resizeEvent(QResizeEvent* event) {
    Form::resizeEvent(event);
    Form_Resize();
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
        // The days the file brought show at once: the charted company is charted again as after an
        // update, its drawings saved first so that they come back. A failed import may have kept
        // rows too. With no company charted (an empty database at the start) nothing is redrawn.
        if (bulk->GetDataFromFile(chosen.fileName) && gChartFill && gChartFill->Company) {
            SaveKorvelCompanyProfile();
            chartCurrentCompany(false);
        }
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
