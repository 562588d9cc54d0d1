#include "frame/frmChartSettings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QStyle>
#include <QToolBar>

#include "appdata/AppError.h"
#include "appdata/Globals.h"
#include "appdata/MarketCollections.h"
#include "appdata/MarketQueries.h"
#include "appdata/Trap.h"
#include "frame/FrameGlobals.h"
#include "frame/LanguageTable.h"
#include "frame/MDIForm1.h"
#include "frame/MessageBox.h"
#include "frame/chart/ExtensionCalls.h"
#include "frame/frmMain.h"
#include "korvel/KvlChartWidget.h"

namespace frame {
namespace {

using tarnwick::Trap;

const QString kSymbol = QStringLiteral("txtSymbol");
const QString kRefresh = QStringLiteral("cmdRefresh");
const QString kSearch = QStringLiteral("lblSearch");
const QString kTabs = QStringLiteral("SSTab1");
const QString kTemplates = QStringLiteral("cmbTemplates");
const QString kToolbar = QStringLiteral("Toolbar1");

// Rows of space above the tabs: the tool bar and the symbol line (twips).
constexpr int32_t kAboveTabs = 800;

// The tool-bar buttons: key, language row and the picture shown on the button.
struct ButtonDesign {
    const char* key;
    const char* tag;
    QStyle::StandardPixmap picture;
};
constexpr ButtonDesign kButtons[] = {
    {"SaveAsImage", "68", QStyle::SP_FileDialogContentsView},
    {"SaveCurrentTemplate", "69", QStyle::SP_DialogSaveButton},
    {"SaveAsNewTemplate", "70", QStyle::SP_FileIcon},
    {"DeleteTemplate", "71", QStyle::SP_TrashIcon},
    {"EditTemplateName", "72", QStyle::SP_FileDialogInfoView},
    {"DataUpdate", "73", QStyle::SP_BrowserReload},
    {"ImportFromFile", "204", QStyle::SP_DialogOpenButton},
    {"InternetSetup", "197", QStyle::SP_DriveNetIcon},
};

// The buttons that need a chosen template; no template is chosen when the window comes up.
constexpr const char* kTemplateButtons[] = {"SaveCurrentTemplate", "DeleteTemplate", "EditTemplateName"};

const char* const kPeriods[] = {"1 Month", "3 Months", "6 Month", "Year-to-Date", "1 Year",
                                "2 Years", "3 Years",  "5 Years", "10 Years",     "All"};
const char* const kIntervals[] = {"Daily", "Weekly", "Monthly"};

class DesignBuilder {
public:
    explicit DesignBuilder(FormModel& form) : m_form(form) {}

    int add(ControlModel c, int container = ControlModel::kOnForm, int tab = 0) {
        c.container = container;
        c.tab = tab;
        m_form.controls.push_back(std::move(c));
        return static_cast<int>(m_form.controls.size()) - 1;
    }
    int add(const char* name, ControlKind kind, const char* tag, const char* caption, int32_t left,
            int32_t top, int32_t width, int32_t height, int container = ControlModel::kOnForm, int tab = 0) {
        return add(designControl(name, kind, tag, QString::fromUtf8(caption), left, top, width, height),
                   container, tab);
    }
    ControlModel& last() { return m_form.controls.back(); }

private:
    FormModel& m_form;
};

QStringList texts(const auto& designTexts) {
    QStringList list;
    for (const char* text : designTexts)
        list << QString::fromLatin1(text);
    return list;
}

}  // namespace

FormModel frmChartSettings::design() {
    FormModel f;
    f.name = QStringLiteral("frmChartSettings");
    f.tag = QStringLiteral("45");
    f.caption = QStringLiteral("Chart Settings");
    f.width = 4150;
    f.height = 6000;
    f.resizable = true;
    DesignBuilder d(f);
    d.add("Toolbar1", ControlKind::ToolBar, "", "", 0, 0, 4080, 390);
    for (const ButtonDesign& b : kButtons)
        d.last().buttons.push_back(
            {QString::fromLatin1(b.key), QString::fromLatin1(b.tag), QString::fromLatin1(b.key)});
    d.add("Label1", ControlKind::Label, "49", "Symbol:", 60, 465, 800, 255);
    d.add("txtSymbol", ControlKind::TextBox, "", "", 880, 420, 1240, 315);
    d.add("cmdRefresh", ControlKind::CommandButton, "50", "Jump", 2180, 405, 840, 345);
    d.add("lblSearch", ControlKind::Label, "51", "Search", 3080, 465, 920, 255);

    const int tabs = d.add("SSTab1", ControlKind::TabControl, "", "", 0, kAboveTabs, 4080, 5200 - kAboveTabs);
    d.last().items = {QStringLiteral("Periods"), QStringLiteral("Template"), QStringLiteral("Comparison")};

    const int periods = d.add("Frame1", ControlKind::Frame, "", "", 90, 420, 3900, 1800, tabs, 0);
    d.add("Label3", ControlKind::Label, "46", "Period:", 120, 330, 1300, 255, periods);
    d.add("cmbPeriod", ControlKind::ComboBox, "", "", 1440, 270, 2280, 315, periods);
    d.last().items = texts(kPeriods);
    d.add("Label4", ControlKind::Label, "47", "Interval:", 120, 780, 1300, 255, periods);
    d.add("cmbInterval", ControlKind::ComboBox, "", "", 1440, 720, 2280, 315, periods);
    d.last().items = texts(kIntervals);
    d.add("chkAdjusted", ControlKind::CheckBox, "48", "Adjust data", 120, 1260, 3600, 300, periods);

    const int chosen = d.add("Frame2", ControlKind::Frame, "", "", 90, 420, 3900, 1300, tabs, 1);
    d.add("Label5", ControlKind::Label, "52", "Chart Template:", 120, 300, 3600, 255, chosen);
    d.add("cmbTemplates", ControlKind::ComboBox, "", "", 120, 660, 3600, 315, chosen);

    const int comparison = d.add("Frame3", ControlKind::Frame, "", "", 90, 420, 3900, 1300, tabs, 2);
    d.add("chkCatIndex", ControlKind::CheckBox, "53", "Compare with Sector Index", 120, 330, 3600, 300,
          comparison);
    d.add("chkGeneralIndex", ControlKind::CheckBox, "54", "Compare with General Index", 120, 780, 3600, 300,
          comparison);
    return f;
}

frmChartSettings::frmChartSettings(MDIForm1& frame, std::function<void()> showSearch)
    : Form(design()), m_frame(frame), m_showSearch(std::move(showSearch)) {
    stayLoadedUntilClosing();
    chart::TemplateCommandLinks links;
    links.chart = [this]() -> korvel::IKvlChart* {
        auto* chart = chartWindow().Korvel1();
        return chart ? &chart->control() : nullptr;
    };
    links.listChanged = [this] { showTemplates(); };
    links.enableDisable = [this] { chartWindow().EnableDisable(); };
    links.owner = this;
    m_commands = std::make_unique<chart::TemplateCommands>(m_templates, std::move(links));
    connectControls();
    for (const char* key : kTemplateButtons)
        enableButton(QString::fromLatin1(key), false);
    model().control(kRefresh).enabled = false;
    model().control(kSearch).enabled = static_cast<bool>(m_showSearch);
    applyModel();
    showTemplates();
}

frmChartSettings::~frmChartSettings() = default;

frmMain& frmChartSettings::chartWindow() const {
    return m_frame.chartWindow();
}

void frmChartSettings::connectControls() {
    auto* symbol = static_cast<QLineEdit*>(controlWidget(kSymbol));
    QObject::connect(symbol, &QLineEdit::textChanged, this, [this](const QString& text) {
        model().control(kSymbol).caption = text;  // the model keeps what is typed across re-layouts
        txtSymbol_Change();
    });
    QObject::connect(symbol, &QLineEdit::returnPressed, this, [this] { txtSymbol_KeyPress(kEnterKeyAscii); });
    onClick(kRefresh, [this] { cmdRefresh_Click(); });

    QWidget* search = controlWidget(kSearch);
    QFont underlined = search->font();
    underlined.setUnderline(true);
    search->setFont(underlined);
    search->setCursor(Qt::PointingHandCursor);
    search->installEventFilter(this);

    connectList("cmbPeriod", [this](int index) {
        chartWindow().chartChoices().period = static_cast<std::int16_t>(index);
        cmbPeriod_Click();
    });
    connectList("cmbInterval", [this](int index) {
        chartWindow().chartChoices().interval = static_cast<std::int16_t>(index);
        cmbInterval_Click();
    });
    connectList("cmbTemplates", [this](int index) {
        m_templates.selectIndex(index);
        cmbTemplates_Click();
    });
    connectCheckBox("chkAdjusted", [this](bool on) {
        chartWindow().chartChoices().adjusted = on ? 1 : 0;
        chkAdjusted_Click();
    });
    connectCheckBox("chkCatIndex", [this](bool on) {
        chartWindow().chartChoices().sectorIndex = on ? 1 : 0;
        chkCatIndex_Click();
    });
    connectCheckBox("chkGeneralIndex", [this](bool on) {
        chartWindow().chartChoices().generalIndex = on ? 1 : 0;
        chkGeneralIndex_Click();
    });

    auto* bar = static_cast<QToolBar*>(controlWidget(kToolbar));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setIconSize(QSize(16, 16));
    for (QAction* action : bar->actions()) {
        for (const ButtonDesign& b : kButtons)
            if (action->objectName() == QLatin1String(b.key))
                action->setIcon(style()->standardIcon(b.picture));
    }
    QObject::connect(bar, &QToolBar::actionTriggered, this,
                     [this](QAction* action) { Toolbar1_ButtonClick(action->objectName()); });
}

// Only the user's choice runs the handler: filling and marking the list from the program does not.
void frmChartSettings::connectList(const char* name, std::function<void(int)> chosen) {
    auto* list = static_cast<QComboBox*>(controlWidget(QString::fromLatin1(name)));
    QObject::connect(list, &QComboBox::activated, this, std::move(chosen));
}

void frmChartSettings::connectCheckBox(const char* name, std::function<void(bool)> checkedNow) {
    auto* box = static_cast<QCheckBox*>(controlWidget(QString::fromLatin1(name)));
    QObject::connect(box, &QCheckBox::clicked, this, std::move(checkedNow));
}

void frmChartSettings::listTemplates() {
    if (m_templatesListed)
        return;
    m_templatesListed = true;
    Trap("FillTemplateCombo", [&] {
        for (const auto& item : tarnwick::gTemplates)
            m_templates.add(item->ID, QString::fromStdString(item->Name));
    });
    showTemplates();
}

void frmChartSettings::showTemplates() {
    QStringList names;
    for (const chart::TemplateChoice::Entry& entry : m_templates.entries())
        names << entry.name;
    model().control(kTemplates).items = names;
    auto* list = static_cast<QComboBox*>(controlWidget(kTemplates));
    list->clear();
    list->addItems(names);
    list->setPlaceholderText(m_templates.noneText());
    list->setCurrentIndex(m_templates.selectedIndex());
}

void frmChartSettings::showChartChoices() {
    const frmMain::ChartChoices& c = chartWindow().chartChoices();
    static_cast<QComboBox*>(controlWidget(QStringLiteral("cmbPeriod")))->setCurrentIndex(c.period);
    static_cast<QComboBox*>(controlWidget(QStringLiteral("cmbInterval")))->setCurrentIndex(c.interval);
    static_cast<QCheckBox*>(controlWidget(QStringLiteral("chkAdjusted")))->setChecked(c.adjusted != 0);
    static_cast<QCheckBox*>(controlWidget(QStringLiteral("chkCatIndex")))->setChecked(c.sectorIndex != 0);
    static_cast<QCheckBox*>(controlWidget(QStringLiteral("chkGeneralIndex")))
        ->setChecked(c.generalIndex != 0);
}

bool frmChartSettings::chooseTemplate(std::int32_t templateId) {
    listTemplates();
    m_templates.select(templateId);
    showTemplates();
    return LoadTemplate();
}

void frmChartSettings::enableButton(const QString& key, bool enabled) {
    for (QAction* action : static_cast<QToolBar*>(controlWidget(kToolbar))->actions())
        if (action->objectName() == key)
            action->setEnabled(enabled);
}

bool frmChartSettings::buttonEnabled(const QString& key) const {
    for (QAction* action : static_cast<QToolBar*>(controlWidget(kToolbar))->actions())
        if (action->objectName() == key)
            return action->isEnabled();
    return false;
}

bool frmChartSettings::LoadTemplate() {
    const auto id = m_templates.selectedId();
    if (!id) {
        Trap("LoadTemplate", [] { throw tarnwick::AppError(91, "No chart template is selected"); });
        return false;
    }
    const bool loaded = chartWindow().LoadTemplate(*id);
    if (loaded)
        showTemplates();
    return loaded;
}

// The tabs take the window's height but the rows above them.
void frmChartSettings::Form_Resize() {
    Trap("frmChartSettings_Resize", [&] {
        const int32_t height = this->height() * kTwipsPerPixel;
        ControlModel& tabs = model().control(kTabs);
        tabs.height = height > kAboveTabs ? height - kAboveTabs : height;
        controlWidget(kTabs)->setGeometry(toPixels(tabs.left, tabs.top, tabs.width, tabs.height));
    });
}

void frmChartSettings::showSymbol(const QString& symbol) {
    static_cast<QLineEdit*>(controlWidget(kSymbol))->setText(symbol);
}

void frmChartSettings::txtSymbol_Change() {
    const bool typed = !model().control(kSymbol).caption.trimmed().isEmpty();
    model().control(kRefresh).enabled = typed;
    controlWidget(kRefresh)->setEnabled(typed);
}

void frmChartSettings::txtSymbol_KeyPress(std::int16_t KeyAscii) {
    if (KeyAscii == kEnterKeyAscii)
        cmdRefresh_Click();
}

// Charts the company of the typed ticker; surrounding blanks are not part of a ticker.
void frmChartSettings::cmdRefresh_Click() {
    Trap("cmdRefresh_Click", [&] {
        const QString ticker = model().control(kSymbol).caption.trimmed();
        if (ticker.isEmpty())
            return;
        const auto companies = tarnwick::GetCompaniyInfo(ticker.toStdString(), -1);
        if (companies.count() < 1) {
            showMessage(GetLangString(135), ui::MB_ICONINFORMATION);
            return;
        }
        const tarnwick::clsCompany& company = companies.at(0);
        frmMain& window = chartWindow();
        window.SaveKorvelCompanyProfile();
        if (m_frame.hooks().chartPeers.listNotes)
            m_frame.hooks().chartPeers.listNotes(company.ID);
        if (window.chartFill() == nullptr)
            return;
        window.chartFill()->CompanyID = company.ID;
        window.chartCurrentCompany(false);
        showChartCompanyInWatchList();
    });
}

void frmChartSettings::lblSearch_Click() {
    if (m_showSearch)
        m_showSearch();
}

void frmChartSettings::cmbPeriod_Click() {
    Trap("cmbPeriod_Click", [&] { recharts(Refill::Rebuild, true); });
}

// The work table already holds the company's days: only the grouping changes.
void frmChartSettings::cmbInterval_Click() {
    Trap("cmbInterval_Click", [&] { recharts(Refill::KeepData, true); });
}

void frmChartSettings::chkAdjusted_Click() {
    Trap("chkAdjusted_Click", [&] { recharts(Refill::Rebuild, false); });
}

void frmChartSettings::chkCatIndex_Click() {
    Trap("chkCatIndex_Click", [&] { showOverlay(true); });
}

void frmChartSettings::chkGeneralIndex_Click() {
    Trap("chkGeneralIndex_Click", [&] { showOverlay(false); });
}

void frmChartSettings::cmbTemplates_Click() {
    // A choice made while a template loads (the chart fill lets the window paint) waits for no one.
    if (chartWindow().templateLoading())
        return;
    if (!LoadTemplate() && m_templates.selectedId())
        chart::ReportTemplateFileFault(false);
}

void frmChartSettings::Toolbar1_ButtonClick(const QString& key) {
    m_frame.Toolbar1_ButtonClick(key);
}

void frmChartSettings::recharts(Refill refill, bool showInWatchList) {
    if (tarnwick::gStarting)
        return;
    frmMain& window = chartWindow();
    window.SaveKorvelCompanyProfile();
    window.chartCurrentCompany(refill == Refill::KeepData);
    if (showInWatchList)
        showChartCompanyInWatchList();
}

// The overlay series is only shown or hidden; nothing is charted again.
void frmChartSettings::showOverlay(bool sector) {
    if (tarnwick::gStarting)
        return;
    dravik::IFinancialCharts* extension = chartWindow().financialExtension();
    if (extension == nullptr)
        return;
    const frmMain::ChartChoices& c = chartWindow().chartChoices();
    chart::ExtensionStudySlots studies(extension);
    studies.put(sector ? chart::Study::USER1 : chart::Study::USER2, chart::kStudyVisible,
                com::Variant((sector ? c.sectorIndex : c.generalIndex) != 0));
}

void frmChartSettings::showChartCompanyInWatchList() {
    const tarnwick::chart::clsKorvelFill* fill = chartWindow().chartFill();
    const auto& show = m_frame.hooks().chartPeers.showWatchListCompany;
    if (fill != nullptr && show)
        show(tarnwick::RecordKey(fill->CompanyID));
}

void frmChartSettings::resizeEvent(QResizeEvent* event) {
    Form::resizeEvent(event);
    Form_Resize();
}

bool frmChartSettings::eventFilter(QObject* watched, QEvent* event) {
    if (watched == controlWidget(kSearch) && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && controlWidget(kSearch)->isEnabled()) {
        lblSearch_Click();
        return true;
    }
    return Form::eventFilter(watched, event);
}

// The window reaches the chart window through the frame; the chart window reaches the window
// through the peers, which therefore look the window up when they are called.
void ConnectChartSettings(FrameHooks& hooks, std::function<MDIForm1*()> frame,
                          std::function<void()> showSearch) {
    auto window = std::make_shared<QPointer<frmChartSettings>>();
    const auto created = [window]() -> frmChartSettings* { return window->data(); };

    hooks.createToolWindow = [window, frame, showSearch,
                              previous = hooks.createToolWindow](const QString& key) -> Form* {
        if (key != QLatin1String("frmChartSettings"))
            return previous ? previous(key) : nullptr;
        MDIForm1* owner = frame ? frame() : nullptr;
        if (owner == nullptr)
            return nullptr;
        *window = new frmChartSettings(*owner, showSearch);
        return window->data();
    };

    ChartWindowPeers& peers = hooks.chartPeers;
    peers.chartChoicesRead = [created] {
        if (frmChartSettings* w = created()) {
            w->listTemplates();
            w->showChartChoices();
            // The template commands follow the choice from the start.
            w->chartWindow().EnableDisable();
        }
    };
    peers.showSymbol = [created](const std::string& symbol) {
        if (frmChartSettings* w = created())
            w->showSymbol(QString::fromStdString(symbol));
    };
    peers.loadTemplate = [created](std::int32_t id) {
        frmChartSettings* w = created();
        return w != nullptr && w->chooseTemplate(id);
    };
    peers.selectedTemplateKey = [created]() -> std::optional<std::string> {
        frmChartSettings* w = created();
        return w ? w->templates().selectedKey() : std::nullopt;
    };
    peers.symbolChanged = [created] {
        if (frmChartSettings* w = created())
            w->txtSymbol_Change();
    };
    peers.enableButton = [created, previous = peers.enableButton](const QString& windowName,
                                                                  const QString& key, bool enabled) {
        if (windowName != QLatin1String("frmChartSettings")) {
            if (previous)
                previous(windowName, key, enabled);
        } else if (frmChartSettings* w = created()) {
            w->enableButton(key, enabled);
        }
    };

    using Command = void (chart::TemplateCommands::*)();
    const std::pair<const char*, Command> commands[] = {
        {"mnuCTSave", &chart::TemplateCommands::mnuCTSave_Click},
        {"mnuCTSaveAs", &chart::TemplateCommands::mnuCTSaveAs_Click},
        {"mnuCTChange", &chart::TemplateCommands::mnuCTChange_Click},
        {"mnuCTDelete", &chart::TemplateCommands::mnuCTDelete_Click},
    };
    // The method goes in by an init-capture: clang before 16 cannot capture a structured binding.
    for (const auto& [item, method] : commands)
        hooks.chartCommands.set(QString::fromLatin1(item), [created, command = method] {
            if (frmChartSettings* w = created())
                (w->templateCommands().*command)();
        });
}

}  // namespace frame
