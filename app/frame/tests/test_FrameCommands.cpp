// The frame's tool-bar dispatcher and the chart window's data, view and help commands.
#include <QAction>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>

#include <filesystem>

#include "ProgramFixture.h"
#include "appdata/InternetSettings.h"
#include "frame/MDIForm1.h"
#include "frame/frmBulkData.h"
#include "frame/frmMain.h"

using frame::Form;
using frame::FrameHooks;
using frame::MDIForm1;

namespace {

const std::filesystem::path kSample = TARNWICK_SAMPLE_DIR;

// Every chart command a hook could provide, in the order of the tool-bar keys' table. Saving the
// chart as an image is the chart window's own command (its key: test_ChartImageOutput.cpp).
const QStringList kChartCommands = {
    QStringLiteral("mnuWLNew"),    QStringLiteral("mnuWLAdd"),    QStringLiteral("mnuWLRemove"),
    QStringLiteral("mnuWLDelete"), QStringLiteral("mnuWLEdit"),   QStringLiteral("mnuCTSave"),
    QStringLiteral("mnuCTChange"), QStringLiteral("mnuCTDelete"), QStringLiteral("mnuCTSaveAs")};

class FrameCommandsTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        tarnwick::gConnection = db::Connection::openExisting(m_home / "MQMKD.mqd");
    }

    // A frame whose chart commands and missing windows record their calls.
    MDIForm1& loadFrame(bool withWindowHooks = true) {
        FrameHooks hooks;
        for (const QString& name : kChartCommands)
            hooks.chartCommands.set(name, [this, name] { m_calls << name; });
        if (withWindowHooks) {
            hooks.showDataUpdate = [this] { m_calls << QStringLiteral("showDataUpdate"); };
            hooks.showProxySettings = [this] { m_calls << QStringLiteral("showProxySettings"); };
        }
        hooks.dataEditorHidden = [this] { m_calls << QStringLiteral("dataEditorHidden"); };
        hooks.openDocument = [this](const QUrl& target) { m_opened << target; };
        m_frame = std::make_unique<MDIForm1>(std::move(hooks));
        m_frame->MDIForm_Load();
        m_frame->show();
        m_calls.clear();
        return *m_frame;
    }

    void TearDown() override {
        m_frame.reset();
        tarnwick::gDataServers = {tarnwick::kDefaultDataServer, tarnwick::kDefaultBackupDataServer};
        tarnwick::gProxyUsed = false;
        tarnwick::gProxyServer.clear();
        tarnwick::gProxyPort = tarnwick::kDefaultProxyPort;
        tarnwick::gProxyUserName.clear();
        tarnwick::gProxyPassword.clear();
        ProgramTest::TearDown();
    }

    QString documentation(const char* language, const char* page) const {
        return QString::fromStdString((m_home.path() / "Documentation" / language / page).string());
    }

    std::unique_ptr<MDIForm1> m_frame;
    QStringList m_calls;
    QList<QUrl> m_opened;
};

}  // namespace

TEST_F(FrameCommandsTest, ToolBarKeysRunTheirMenuCommands) {
    MDIForm1& frame = loadFrame();
    const std::pair<const char*, const char*> cases[] = {
        {"NewWL", "mnuWLNew"},
        {"AddSysmbol", "mnuWLAdd"},
        {"RemoveSymbol", "mnuWLRemove"},
        {"DeleteWL", "mnuWLDelete"},
        {"EditWLName", "mnuWLEdit"},
        {"SaveCurrentTemplate", "mnuCTSave"},
        {"EditTemplateName", "mnuCTChange"},
        {"DeleteTemplate", "mnuCTDelete"},
        {"SaveAsNewTemplate", "mnuCTSaveAs"},
        {"DataUpdate", "showDataUpdate"},
        {"InternetSetup", "showProxySettings"},
    };
    for (const auto& [key, call] : cases) {
        m_calls.clear();
        frame.Toolbar1_ButtonClick(QString::fromLatin1(key));
        EXPECT_EQ(m_calls, QStringList{QString::fromLatin1(call)}) << key;
    }
    // Keys are compared exactly, the button's own spelling included.
    m_calls.clear();
    for (const char* key : {"AddSymbol", "addsysmbol", "SaveAsImage ", "", "Print"})
        frame.Toolbar1_ButtonClick(QString::fromLatin1(key));
    EXPECT_TRUE(m_calls.isEmpty()) << m_calls.join(QLatin1Char(',')).toStdString();
    EXPECT_TRUE(m_script.questions().empty());
}

TEST_F(FrameCommandsTest, CommandsWithoutAWindowAreDisabled) {
    MDIForm1& frame = loadFrame(false);
    frame::frmMain& chart = frame.chartWindow();
    EXPECT_FALSE(chart.menuAction(QStringLiteral("mnuDatabankUpdate"))->isEnabled());
    EXPECT_FALSE(chart.menuAction(QStringLiteral("mnuDatabankSettings"))->isEnabled());
    EXPECT_TRUE(chart.menuAction(QStringLiteral("mnuDatabankImportData"))->isEnabled());
    EXPECT_TRUE(chart.menuAction(QStringLiteral("mnuHelpAbout"))->isEnabled());
    EXPECT_TRUE(chart.menuAction(QStringLiteral("mnuWLNew"))->isEnabled());
    EXPECT_TRUE(chart.menuAction(QStringLiteral("mnuFileSplit"))->isSeparator());
    frame.Toolbar1_ButtonClick(QStringLiteral("DataUpdate"));
    EXPECT_TRUE(m_calls.isEmpty());
}

TEST_F(FrameCommandsTest, UpdateBringsAnOpenUpdateWindowForwardInsteadOfStartingAnother) {
    MDIForm1& frame = loadFrame();
    frame.chartWindow().mnuDatabankUpdate_Click();
    EXPECT_EQ(m_calls, QStringList{QStringLiteral("showDataUpdate")});
    frame::FormModel design;
    design.name = QStringLiteral("frmDataUpdate");
    design.width = 3000;
    design.height = 1500;
    auto* running = new Form(design, Form::Localization::AsDesigned);
    m_calls.clear();
    frame.chartWindow().mnuDatabankUpdate_Click();
    EXPECT_TRUE(m_calls.isEmpty());
    EXPECT_TRUE(running->isVisible());
}

TEST_F(FrameCommandsTest, ViewItemsToggleTheirToolWindows) {
    MDIForm1& frame = loadFrame();
    frame::frmMain& chart = frame.chartWindow();
    for (int i = 0; i < 4; ++i) {
        const QString key = QString::fromLatin1(frame::frmMain::kViewForms[static_cast<size_t>(i)]);
        const QString item = QStringLiteral("mnuViewForm(%1)").arg(i);
        ASSERT_TRUE(frame.TabDock().isShown(key)) << i;
        chart.mnuViewForm_Click(i);
        EXPECT_FALSE(frame.TabDock().isShown(key)) << i;
        EXPECT_FALSE(chart.model().control(item).checked) << i;
        EXPECT_FALSE(chart.menuAction(item)->isChecked()) << i;
        chart.mnuViewForm_Click(i);
        EXPECT_TRUE(frame.TabDock().isShown(key)) << i;
        EXPECT_TRUE(chart.menuAction(item)->isChecked()) << i;
    }
    EXPECT_TRUE(m_calls.isEmpty());
    // An index without a window is an error of the handler: logged, nothing changes.
    chart.mnuViewForm_Click(4);
    EXPECT_NE(errorLog().find("Function:mnuViewForm_Click"), std::string::npos);
}

TEST_F(FrameCommandsTest, HidingTheDataEditorReleasesTheChartsDataEditorButton) {
    MDIForm1& frame = loadFrame();
    frame.TabDock().showForm(QStringLiteral("frmDataEditor"));
    EXPECT_TRUE(m_calls.isEmpty());
    frame.TabDock().dock(QStringLiteral("frmDataEditor"))->close();
    EXPECT_EQ(m_calls, QStringList{QStringLiteral("dataEditorHidden")});
    EXPECT_TRUE(frame.toolWindow(QStringLiteral("frmDataEditor"))->isLoaded());
}

TEST_F(FrameCommandsTest, LanguageCommandStoresTheOtherLanguageOfTheRunningProgram) {
    MDIForm1& frame = loadFrame();
    saveSetting("Language", "False");
    frame.chartWindow().mnuViewLanguage_Click();
    EXPECT_EQ(setting("Language"), QStringLiteral("True"));
    // Twice in an English run: still Arabic, as the running language decides.
    frame.chartWindow().mnuViewLanguage_Click();
    EXPECT_EQ(setting("Language"), QStringLiteral("True"));
    ASSERT_EQ(m_script.questions().size(), 2u);
    EXPECT_EQ(m_script.questions()[0].text,
              QStringLiteral("Language will be switched the next time you open Tarnwick."));
    EXPECT_EQ(m_script.questions()[0].style, 64);

    gArabic = true;
    frame.chartWindow().mnuViewLanguage_Click();
    EXPECT_EQ(setting("Language"), QStringLiteral("False"));
    ASSERT_EQ(m_script.questions().size(), 3u);
    EXPECT_EQ(m_script.questions()[2].style, 1572928);
    EXPECT_EQ(m_script.questions()[2].text, GetLangString(188));
}

TEST_F(FrameCommandsTest, HelpOpensThePagesOfTheDisplayLanguageAndTheSupportPage) {
    saveSetting("DataServer", "prices.example.net");
    MDIForm1& frame = loadFrame();
    frame::frmMain& chart = frame.chartWindow();
    chart.mnuHelpDocumnetation_Click();
    chart.mnuHelpFAQ_Click();
    gArabic = true;
    chart.mnuHelpDocumnetation_Click();
    chart.mnuHelpFAQ_Click();
    chart.mnuHelpWebsite_Click();
    const QList<QUrl> expected = {
        QUrl::fromLocalFile(documentation("English", "index.htm")),
        QUrl::fromLocalFile(documentation("English", "faq.htm")),
        QUrl::fromLocalFile(documentation("Arabic", "index.htm")),
        QUrl::fromLocalFile(documentation("Arabic", "faq.htm")),
        QUrl(QStringLiteral("http://prices.example.net/contact_us.php")),
    };
    EXPECT_EQ(m_opened, expected);
    // The chart window's load made the program folder's own folders.
    for (const char* folder : {"Templates", "Notes", "Documentation"})
        EXPECT_TRUE(std::filesystem::is_directory(m_home / folder)) << folder;
}

TEST_F(FrameCommandsTest, AboutShowsOneAboutBox) {
    MDIForm1& frame = loadFrame();
    frame.chartWindow().mnuHelpAbout_Click();
    frame.chartWindow().mnuHelpAbout_Click();
    int about = 0;
    for (const Form* form : Form::openForms())
        about += form->objectName() == QLatin1String("frmAbout") ? 1 : 0;
    EXPECT_EQ(about, 1);
    EXPECT_TRUE(Form::findOpen(QStringLiteral("frmAbout"))->isVisible());
}

// OK is the about box's default button: Enter closes the box, on the focused OK or on the window.
TEST_F(FrameCommandsTest, EnterClosesTheAboutBox) {
    MDIForm1& frame = loadFrame();
    for (const bool onButton : {true, false}) {
        SCOPED_TRACE(onButton);
        frame.chartWindow().mnuHelpAbout_Click();
        Form* about = Form::findOpen(QStringLiteral("frmAbout"));
        ASSERT_NE(about, nullptr);
        QWidget* ok = about->controlWidget(QStringLiteral("cmdOK"));
        EXPECT_EQ(about->focusWidget(), ok);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(onButton ? ok : static_cast<QWidget*>(about), &enter);
        EXPECT_EQ(Form::findOpen(QStringLiteral("frmAbout")), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(FrameCommandsTest, ImportAsksForADataFileAndImportsIt) {
    MDIForm1& frame = loadFrame();
    // The empty database had no company to chart at the load; only the import's errors count here.
    std::filesystem::remove(m_home / "Tarnwick.log");
    m_script.answerFile({false, QString(), 1});
    frame.Toolbar1_ButtonClick(QStringLiteral("ImportFromFile"));
    ASSERT_EQ(m_script.questions().size(), 1u);
    EXPECT_EQ(m_script.questions()[0].kind, ui::ScriptedModalServices::Kind::OpenFile);
    EXPECT_EQ(Form::findOpen(QStringLiteral("frmBulkData")), nullptr);

    const QString file = QString::fromStdString((kSample / "sample-data.mqd").string());
    m_script.answerFile({true, file, 1});
    frame.chartWindow().mnuDatabankImportData_Click();
    auto* bulk = static_cast<frame::frmBulkData*>(Form::findOpen(QStringLiteral("frmBulkData")));
    ASSERT_NE(bulk, nullptr);
    EXPECT_TRUE(bulk->isVisible());
    EXPECT_FALSE(bulk->isImporting());
    EXPECT_EQ(static_cast<QLabel*>(bulk->controlWidget(QStringLiteral("lblLog")))->text(),
              QStringLiteral("Data is successfuly updated."));
    EXPECT_TRUE(bulk->controlWidget(QStringLiteral("cmdOK"))->isEnabled());
    EXPECT_EQ(tarnwick::gConnection.query("SELECT COUNT(*) FROM Markets").int64(0), 2);
    EXPECT_EQ(errorLog(), "");
}

// In Arabic the import's message about rows it could not store is the language table's, with the
// count in its place; the window's status says "Invalid Data" in Arabic.
TEST_F(FrameCommandsTest, AnImportWithARowThatCannotBeStoredTellsTheUserInArabic) {
    gArabic = true;
    MDIForm1& frame = loadFrame();
    const std::filesystem::path file = m_home / "bad-row.mqd";
    std::filesystem::copy_file(kSample / "sample-data.mqd", file);
    {
        // Market 9 has no daily table: the row is refused and the others are stored.
        db::Connection data = db::Connection::openExisting(file);
        data.execute("INSERT INTO MarketDaily VALUES ('2025-03-03', 101, 1, 2, 0.5, 1.5, 100, 150, 9, 0)");
    }
    m_script.answerFile({true, QString::fromStdString(file.string()), 1});
    frame.chartWindow().mnuDatabankImportData_Click();
    auto* bulk = static_cast<frame::frmBulkData*>(Form::findOpen(QStringLiteral("frmBulkData")));
    ASSERT_NE(bulk, nullptr);
    EXPECT_EQ(static_cast<QLabel*>(bulk->controlWidget(QStringLiteral("lblLog")))->text(),
              QStringLiteral("بيانات غير صالحة"));
    ASSERT_EQ(m_script.questions().size(), 2u);  // the file, then the message
    EXPECT_EQ(m_script.questions()[1].kind, ui::ScriptedModalServices::Kind::MessageBox);
    EXPECT_EQ(m_script.questions()[1].text,
              QStringLiteral("تعذّر تخزين 1 من صفوف الملف (راجع سجل الأخطاء). لم تتغير علامات التحديث "
                             "للأسواق المعنية، ولذلك ستُطلب بياناتها مرة أخرى."));
    // The file's other days of market 1 are stored: 565 rows, one of them an update with no day to
    // replace.
    EXPECT_EQ(tarnwick::gConnection.query("SELECT COUNT(*) FROM MARKETDAILY1").int64(0), 564);
}

TEST_F(FrameCommandsTest, AFailedImportCanBeClosed) {
    MDIForm1& frame = loadFrame();
    const std::filesystem::path notData = m_home / "notes.mqd";
    std::ofstream(notData) << "not a database";
    m_script.answerFile({true, QString::fromStdString(notData.string()), 1});
    frame.chartWindow().mnuDatabankImportData_Click();
    auto* bulk = static_cast<frame::frmBulkData*>(Form::findOpen(QStringLiteral("frmBulkData")));
    ASSERT_NE(bulk, nullptr);
    EXPECT_EQ(static_cast<QLabel*>(bulk->controlWidget(QStringLiteral("lblLog")))->text(),
              QStringLiteral("Invalid Data"));
    EXPECT_TRUE(bulk->controlWidget(QStringLiteral("cmdOK"))->isEnabled());
    bulk->cmdOK_Click();
    EXPECT_EQ(Form::findOpen(QStringLiteral("frmBulkData")), nullptr);
}

TEST_F(FrameCommandsTest, ClosingTheFrameUnloadsEveryWindowButTheFourDockedOnes) {
    MDIForm1& frame = loadFrame();
    frame.chartWindow().mnuHelpAbout_Click();
    m_script.answerFile({true, QString::fromStdString((m_home / "missing.mqd").string()), 1});
    frame.chartWindow().mnuDatabankImportData_Click();
    ASSERT_NE(Form::findOpen(QStringLiteral("frmBulkData")), nullptr);
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(Form::findOpen(QStringLiteral("frmAbout")), nullptr);
    EXPECT_EQ(Form::findOpen(QStringLiteral("frmBulkData")), nullptr);
    EXPECT_EQ(Form::findOpen(QStringLiteral("frmMain")), nullptr);
    EXPECT_EQ(Form::findOpen(QStringLiteral("frmDataEditor")), nullptr);
    EXPECT_NE(Form::findOpen(QStringLiteral("frmWatchList")), nullptr);
    EXPECT_EQ(tarnwick::gMarkets.count(), 0u);
}

TEST_F(FrameCommandsTest, DocksCarryTheCaptionsOfTheirWindows) {
    MDIForm1& frame = loadFrame();
    QDockWidget* notes = frame.TabDock().dock(QStringLiteral("frmNoteList"));
    EXPECT_EQ(notes->windowTitle(), QStringLiteral("Market Commentary - All Notes"));
    frame.toolWindow(QStringLiteral("frmNoteList"))
        ->setWindowTitle(QStringLiteral("Market Commentary - Alder"));
    EXPECT_EQ(notes->windowTitle(), QStringLiteral("Market Commentary - Alder"));
    EXPECT_EQ(frame.TabDock().dock(QStringLiteral("frmDataEditor"))->windowTitle(),
              QStringLiteral("Data Editor"));
}

TEST_F(FrameCommandsTest, TheChartWindowLoadsTheConnectionSettingsAndKeepsThemAtTheEnd) {
    saveSetting("BackupDataServer", "second.example.net");
    saveSetting("ProxyUsed", "True");
    saveSetting("ProxyServer", "proxy.example.net");
    saveSetting("ProxyPort", "3128");
    MDIForm1& frame = loadFrame();
    EXPECT_EQ(tarnwick::gDataServers[0], tarnwick::kDefaultDataServer);
    EXPECT_EQ(tarnwick::gDataServers[1], "second.example.net");
    EXPECT_TRUE(tarnwick::gProxyUsed);
    EXPECT_EQ(tarnwick::gProxyServer, "proxy.example.net");
    EXPECT_EQ(tarnwick::gProxyPort, 3128);
    EXPECT_EQ(tarnwick::gProxyUserName, "");
    // The connection settings window changes the globals; closing keeps them.
    tarnwick::gProxyUsed = false;
    tarnwick::gProxyUserName = "ana";
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(setting("ProxyUsed"), QStringLiteral("False"));
    EXPECT_EQ(setting("ProxyServer"), QStringLiteral("proxy.example.net"));
    EXPECT_EQ(setting("ProxyPort"), QStringLiteral("3128"));
    EXPECT_EQ(setting("ProxyUserName"), QStringLiteral("ana"));
    EXPECT_EQ(setting("ProxyPassword"), QStringLiteral(""));
}
