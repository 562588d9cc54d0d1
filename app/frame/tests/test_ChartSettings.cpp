// The chart settings window in the assembled program: the real chart control with the financial
// extension on a market database, the window's controls driven as the user drives them.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QToolBar>

#include <algorithm>
#include <fstream>

#include "ChartSettingsFixture.h"
#include "appdata/MarketQueries.h"
#include "appdata/MarketReaders.h"
#include "frame/MessageBox.h"
#include "frame/chart/ExtensionCalls.h"
#include "frame/frmChartSettings.h"
#include "frame/search/frmSearch.h"

namespace {

using frame::chart::Study;

constexpr std::int32_t kQuotedCompany = 207;

TEST_F(ChartSettingsTest, TheControlsShowTheStoredChoicesAndChartNothingWhileTheProgramStarts) {
    saveSetting("Period", "2");
    saveSetting("Interval", "1");
    saveSetting("Adjusted", "0");
    saveSetting("SectorIndex", "1");
    saveSetting("GeneralIndex", "0");
    loadFrame();
    EXPECT_EQ(control<QComboBox>("cmbPeriod")->currentIndex(), 2);
    EXPECT_EQ(control<QComboBox>("cmbPeriod")->currentText(), "6 Month");
    EXPECT_EQ(control<QComboBox>("cmbInterval")->currentText(), "Weekly");
    EXPECT_FALSE(control<QCheckBox>("chkAdjusted")->isChecked());
    EXPECT_TRUE(control<QCheckBox>("chkCatIndex")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("chkGeneralIndex")->isChecked());
    EXPECT_EQ(m_fills, 1);  // the chart window's own, at its load

    tarnwick::gStarting = true;
    forgetDrawingSaves();
    choose("cmbPeriod", 9);
    choose("cmbInterval", 2);
    click("chkAdjusted");
    click("chkCatIndex");
    click("chkGeneralIndex");
    EXPECT_EQ(m_fills, 1);
    EXPECT_TRUE(savedDrawingsOf().empty());
    EXPECT_TRUE(overlayShown(Study::USER1)) << "the overlays are not touched either";
    EXPECT_FALSE(overlayShown(Study::USER2));
    // The controls are the choices all the same: they are stored at the close.
    EXPECT_EQ(choices(), (Choices{9, 2, 1, 1, 0}));
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ChartSettingsTest, AnIntervalChangeRegroupsTheLastWorkTableAndAPeriodChangeRebuildsIt) {
    loadFrame();
    ASSERT_EQ(points(), 5);
    // A day that came in after the last rebuild: only a rebuild reads it.
    tarnwick::gConnection.execute(
        R"(INSERT INTO "MARKETDAILY1" ("DATE", "COMPANYID", "TotalShares", "TotalAmount", "OpeningPrice",)"
        R"( "MaxPrice", "MinPrice", "ClosingPrice") VALUES ('2026-11-09', ?, 100, 1000, 20, 21, 19, 20.5))",
        {kDefaultCompany});
    m_fills = 0;
    forgetDrawingSaves();

    choose("cmbInterval", 1);
    choose("cmbInterval", 0);  // daily again, from the same work table: still five days
    EXPECT_EQ(m_fills, 2);
    EXPECT_EQ(points(), 5);
    EXPECT_EQ(savedDrawingsOf(), (std::vector<std::int32_t>{kDefaultCompany, kDefaultCompany}));

    choose("cmbPeriod", 9);  // the table is rebuilt: the new day is charted
    EXPECT_EQ(m_fills, 3);
    EXPECT_EQ(points(), 6);
    click("chkAdjusted");
    EXPECT_EQ(m_fills, 4);
    EXPECT_EQ(choices(), (Choices{9, 0, 0, 0, 0}));
    EXPECT_EQ(savedDrawingsOf().size(), 4U);
    EXPECT_EQ(chartCompanyID(chart()), "199");
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ChartSettingsTest, TheOverlaysOnlyChangeVisibilityAndStayAsChosenAfterTheNextFill) {
    loadFrame();
    ASSERT_FALSE(overlayShown(Study::USER1));
    ASSERT_FALSE(overlayShown(Study::USER2));
    m_fills = 0;
    click("chkCatIndex");
    EXPECT_TRUE(overlayShown(Study::USER1));
    EXPECT_FALSE(overlayShown(Study::USER2));
    click("chkGeneralIndex");
    EXPECT_TRUE(overlayShown(Study::USER2));
    click("chkCatIndex");
    EXPECT_FALSE(overlayShown(Study::USER1));
    EXPECT_EQ(m_fills, 0);
    EXPECT_EQ(choices(), (Choices{4, 0, 1, 1, 0}));

    choose("cmbPeriod", 3);
    EXPECT_EQ(m_fills, 1);
    EXPECT_FALSE(overlayShown(Study::USER1));
    EXPECT_TRUE(overlayShown(Study::USER2));
}

TEST_F(ChartSettingsTest, ATypedTickerIsChartedAndAnUnknownOneIsRefusedWithTheChartKept) {
    tarnwick::gConnection.execute(
        R"(INSERT INTO "Company" ("ID", "TICKER", "NAME", "ANAME", "MARKET_ID", "CATEGORY_ID", "IS_INDEX"))"
        R"( VALUES (?, 'O''NEIL', 'O''Neil & Sons', 'O''Neil', 1, 3, 0))",
        {kQuotedCompany});
    loadFrame();
    EXPECT_FALSE(control<QAbstractButton>("cmdRefresh")->isEnabled());
    type(QStringLiteral("   "));
    EXPECT_FALSE(control<QAbstractButton>("cmdRefresh")->isEnabled());
    pressEnter();
    EXPECT_TRUE(m_script.questions().empty()) << "Enter in a blank symbol box does nothing";

    m_fills = 0;
    for (const char* unknown : {"NOPE", "T199' OR '1'='1", "'; DROP TABLE Company; --"}) {
        type(QString::fromUtf8(unknown));
        EXPECT_TRUE(control<QAbstractButton>("cmdRefresh")->isEnabled());
        pressEnter();
    }
    ASSERT_EQ(m_script.questions().size(), 3U);
    for (const auto& question : m_script.questions()) {
        EXPECT_EQ(question.text, "No such symbol.");
        EXPECT_EQ(question.style, ui::MB_ICONINFORMATION);
        EXPECT_EQ(question.caption, frame::programTitle());
    }
    EXPECT_EQ(m_fills, 0);
    EXPECT_EQ(chartCompanyID(chart()), "199");
    EXPECT_EQ(tarnwick::GetCompaniyInfo("", kDefaultCompany).count(), 1U) << "the table is still there";

    forgetDrawingSaves();
    m_notesOf.clear();
    type(QStringLiteral(" o'neil "));
    click("cmdRefresh");
    EXPECT_EQ(m_fills, 1);
    EXPECT_EQ(chartCompanyID(chart()), std::to_string(kQuotedCompany));
    EXPECT_EQ(window().chartFill()->CompanyID, kQuotedCompany);
    EXPECT_EQ(savedDrawingsOf(), std::vector<std::int32_t>{kDefaultCompany});
    ASSERT_FALSE(m_notesOf.empty());
    EXPECT_EQ(m_notesOf.front(), kQuotedCompany);
    EXPECT_EQ(m_script.questions().size(), 3U);
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ChartSettingsTest, NoSuchSymbolReadsRightToLeftInArabic) {
    gArabic = true;
    loadFrame();
    type(QStringLiteral("NOPE"));
    pressEnter();
    ASSERT_EQ(m_script.questions().size(), 1U);
    EXPECT_EQ(m_script.questions()[0].text, QStringLiteral("هذا الرمز غير موجود."));
    EXPECT_EQ(m_script.questions()[0].style, 1572928);
    EXPECT_EQ(control<QComboBox>("cmbInterval")->itemText(1), GetLangString(66));
}

TEST_F(ChartSettingsTest, ASavedTemplateComesBackWithItsStudyAndPriceDisplayAndTheVolumeDrawingKept) {
    loadFrame();
    EXPECT_EQ(shownTemplate(), "<No Template Selected>");
    EXPECT_FALSE(settings().buttonEnabled("SaveCurrentTemplate"));
    setLook({15, 3, 65});
    saveAsNewTemplate(QStringLiteral("Candles \"15\" 'quoted'"));
    ASSERT_EQ(m_script.questions().size(), 1U);
    EXPECT_EQ(m_script.questions()[0].text, "Please enter Template Name");
    EXPECT_EQ(m_script.questions()[0].caption, frame::programTitle());
    EXPECT_EQ(m_script.questions()[0].defaultText, "");
    EXPECT_EQ(storedTemplateName(1), std::optional<std::string>("Candles \"15\" 'quoted'"));
    EXPECT_TRUE(std::filesystem::exists(templateFile(1)));
    EXPECT_EQ(listedTemplates(), QStringList{"Candles \"15\" 'quoted'"});
    EXPECT_EQ(shownTemplate(), "Candles \"15\" 'quoted'");
    EXPECT_TRUE(settings().buttonEnabled("SaveCurrentTemplate"));
    EXPECT_TRUE(window().menuEnabled(QStringLiteral("mnuCTDelete")));
    com::LONG setting = 0;
    EXPECT_EQ(chart().get_Setting(32, &setting), com::S_OK);
    EXPECT_EQ(setting, 12031);

    setLook({30, 1, 40});
    m_fills = 0;
    choose("cmbTemplates", 0);
    EXPECT_EQ(look(), (Look{15, 3, 40}));
    EXPECT_EQ(window().chartFill()->PriceDisplay, 3);
    EXPECT_EQ(m_fills, 1);
    EXPECT_EQ(chartCompanyID(chart()), "199");

    // Saving into the chosen template overwrites its file without a question.
    setLook({22, 2, 40});
    pressButton("SaveCurrentTemplate");
    setLook({30, 1, 40});
    choose("cmbTemplates", 0);
    EXPECT_EQ(look(), (Look{22, 2, 40}));
    EXPECT_EQ(m_script.questions().size(), 1U);
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ChartSettingsTest, ACorruptTemplateLeavesTheChartAsItWasAndIsReported) {
    loadFrame();
    saveAsNewTemplate(QStringLiteral("Broken"));
    std::ofstream(templateFile(1), std::ios::binary | std::ios::trunc) << "not a chart template";
    setLook({30, 1, 40});
    const dravik::IFinancialCharts* extension = window().financialExtension();
    m_fills = 0;
    choose("cmbTemplates", 0);
    EXPECT_EQ(look(), (Look{30, 1, 40}));
    EXPECT_EQ(window().financialExtension(), extension);
    EXPECT_EQ(m_fills, 0);
    ASSERT_EQ(m_script.questions().size(), 2U);
    EXPECT_EQ(m_script.questions()[1].text, "The chart template could not be loaded.");
    EXPECT_EQ(m_script.questions()[1].style, ui::MB_ICONEXCLAMATION);
    EXPECT_NE(errorLog().find("Function:LoadTemplate"), std::string::npos);
}

// The folder of templates has become a file: the chart cannot write the template, and the user is
// told besides the log entry. The template's row stays, as it was stored before the file.
TEST_F(ChartSettingsTest, ATemplateFileThatCannotBeWrittenIsReported) {
    loadFrame();
    std::filesystem::remove_all(m_home / "Templates");
    std::ofstream(m_home / "Templates") << "in the way";
    saveAsNewTemplate(QStringLiteral("Nowhere"));
    ASSERT_EQ(m_script.questions().size(), 2U);
    EXPECT_EQ(m_script.questions()[1].text, "The chart template could not be saved.");
    EXPECT_EQ(m_script.questions()[1].style, ui::MB_ICONEXCLAMATION);
    EXPECT_NE(errorLog().find("Function:mnuCTSaveAs_Click"), std::string::npos);
    EXPECT_EQ(storedTemplateName(1), std::optional<std::string>("Nowhere"));
    EXPECT_EQ(shownTemplate(), "Nowhere");

    pressButton("SaveCurrentTemplate");
    ASSERT_EQ(m_script.questions().size(), 3U);
    EXPECT_EQ(m_script.questions()[2].text, "The chart template could not be saved.");
    EXPECT_NE(errorLog().find("Function:mnuCTSave_Click"), std::string::npos);
}

TEST_F(ChartSettingsTest, ATemplateIsRenamedAndDeletedButItsFileStays) {
    loadFrame();
    for (const char* item : {"mnuCTSave", "mnuCTDelete", "mnuCTChange"})
        EXPECT_FALSE(window().menuEnabled(QString::fromLatin1(item))) << item << " without a template";
    m_frame->showNormal();
    m_frame->resize(1000, 700);
    processEvents();
    const QSize chartSize = window().Korvel1()->parentWidget()->size();
    ASSERT_NE(chartSize, QSize(620, 558)) << "the chart is not at its design size";
    saveAsNewTemplate(QStringLiteral("First"));
    saveAsNewTemplate(QStringLiteral("Second"));
    m_script.answerInput(QString());  // an empty name makes nothing
    pressButton("SaveAsNewTemplate");
    m_script.answerInput(std::nullopt);
    pressButton("SaveAsNewTemplate");
    EXPECT_EQ(listedTemplates(), (QStringList{"First", "Second"}));
    EXPECT_EQ(tarnwick::gTemplates.count(), 2U);
    EXPECT_EQ(window().Korvel1()->parentWidget()->size(), chartSize)
        << "the commands leave the chart its size";

    m_script.answerInput(std::nullopt);
    ASSERT_TRUE(window().runMenuCommand(QStringLiteral("mnuCTChange")));
    EXPECT_EQ(m_script.questions().back().text, "Please enter new Template Name");
    EXPECT_EQ(m_script.questions().back().caption, frame::programTitle());
    EXPECT_EQ(m_script.questions().back().defaultText, "Second");
    EXPECT_EQ(storedTemplateName(2), std::optional<std::string>("Second"));
    m_script.answerInput(QStringLiteral("Weekly 'bars'"));
    pressButton("EditTemplateName");
    EXPECT_EQ(storedTemplateName(2), std::optional<std::string>("Weekly 'bars'"));
    EXPECT_EQ(tarnwick::gTemplates.item("ID_2").Name, "Weekly 'bars'");
    EXPECT_EQ(listedTemplates(), (QStringList{"First", "Weekly 'bars'"}));
    EXPECT_EQ(shownTemplate(), "Weekly 'bars'");

    m_script.answerMessageBox(ui::IDNO);
    pressButton("DeleteTemplate");
    EXPECT_EQ(m_script.questions().back().text,
              "Are you sure you want to delete this Chart Template 'Weekly 'bars''?");
    EXPECT_EQ(m_script.questions().back().style, 36);
    EXPECT_EQ(storedTemplateName(2), std::optional<std::string>("Weekly 'bars'"));

    m_script.answerMessageBox(ui::IDYES);
    ASSERT_TRUE(window().runMenuCommand(QStringLiteral("mnuCTDelete")));
    EXPECT_EQ(storedTemplateName(2), std::nullopt);
    EXPECT_FALSE(tarnwick::gTemplates.exists("ID_2"));
    EXPECT_EQ(listedTemplates(), QStringList{"First"});
    EXPECT_EQ(shownTemplate(), "<No Selected Template>");
    EXPECT_TRUE(std::filesystem::exists(templateFile(2)));
    for (const char* key : {"SaveCurrentTemplate", "DeleteTemplate", "EditTemplateName"})
        EXPECT_FALSE(settings().buttonEnabled(QString::fromLatin1(key))) << key;
    for (const char* item : {"mnuCTSave", "mnuCTDelete", "mnuCTChange"})
        EXPECT_FALSE(window().menuEnabled(QString::fromLatin1(item))) << item;
    EXPECT_TRUE(settings().buttonEnabled(QStringLiteral("SaveAsNewTemplate")));

    // The highest ID is free again: the next new template takes it and its file.
    const auto oldFileTime = std::filesystem::last_write_time(templateFile(2));
    saveAsNewTemplate(QStringLiteral("Third"));
    EXPECT_EQ(storedTemplateName(2), std::optional<std::string>("Third"));
    EXPECT_GE(std::filesystem::last_write_time(templateFile(2)), oldFileTime);
    EXPECT_EQ(listedTemplates(), (QStringList{"First", "Third"}));
    EXPECT_EQ(errorLog(), "");
}

// A name of blanks only would list as an empty entry that nobody can tell apart: it is refused like
// an empty answer, for a new template and for a new name.
TEST_F(ChartSettingsTest, ATemplateNameOfBlanksOnlyIsRefused) {
    loadFrame();
    for (const char* blanks : {" ", "   ", "\t", " \t  "}) {
        saveAsNewTemplate(QString::fromLatin1(blanks));
        EXPECT_TRUE(listedTemplates().isEmpty()) << '"' << blanks << '"';
    }
    EXPECT_EQ(tarnwick::gTemplates.count(), 0U);
    EXPECT_EQ(storedTemplateName(1), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(templateFile(1)));

    saveAsNewTemplate(QStringLiteral(" Kept "));
    EXPECT_EQ(storedTemplateName(1), std::optional<std::string>(" Kept ")) << "text around blanks is a name";
    m_script.answerInput(QStringLiteral("    "));
    pressButton("EditTemplateName");
    EXPECT_EQ(storedTemplateName(1), std::optional<std::string>(" Kept "));
    EXPECT_EQ(tarnwick::gTemplates.item("ID_1").Name, " Kept ");
    EXPECT_EQ(listedTemplates(), QStringList{" Kept "});
    EXPECT_EQ(errorLog(), "");
}

// A template whose file has gone cannot be applied: the user is told, not only the log.
TEST_F(ChartSettingsTest, ATemplateWhoseFileIsGoneIsReportedAndTheChartStays) {
    loadFrame();
    saveAsNewTemplate(QStringLiteral("Gone"));
    ASSERT_TRUE(std::filesystem::remove(templateFile(1)));
    setLook({30, 1, 40});
    m_fills = 0;
    choose("cmbTemplates", 0);
    EXPECT_EQ(look(), (Look{30, 1, 40}));
    EXPECT_EQ(m_fills, 0);
    ASSERT_EQ(m_script.questions().size(), 2U);
    EXPECT_EQ(m_script.questions()[1].text, "The chart template could not be loaded.");
    EXPECT_EQ(m_script.questions()[1].style, ui::MB_ICONEXCLAMATION);
    EXPECT_NE(errorLog().find("Function:LoadTemplate"), std::string::npos);
}

TEST_F(ChartSettingsTest, TheLastTemplateIsMarkedAndLoadedAtTheNextStart) {
    loadFrame();
    setLook({15, 3, 65});
    saveAsNewTemplate(QStringLiteral("Mine"));
    window().Finalize();
    EXPECT_EQ(setting("LastTemplate"), std::optional<QString>("1"));
    m_frame.reset();
    processEvents();
    tarnwick::gConnection = db::Connection::openExisting(m_home / "MQMKD.mqd");
    tarnwick::gStarting = true;
    m_fills = 0;
    loadFrame();
    EXPECT_EQ(shownTemplate(), "Mine");
    EXPECT_EQ(look(), (Look{15, 3, 65}));
    EXPECT_EQ(m_fills, 1);
    EXPECT_TRUE(settings().buttonEnabled("DeleteTemplate"));
    EXPECT_EQ(errorLog(), "");
}

TEST_F(ChartSettingsTest, TheWindowStaysLoadedWhenClosedAndItsTabsFollowItsHeight) {
    loadFrame();
    frame::frmChartSettings& w = settings();
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isLoaded());
    w.resize(w.width(), 400);  // 6000 twips
    EXPECT_EQ(w.model().control("SSTab1").height, 5200);
    EXPECT_EQ(control<QWidget>("SSTab1")->height(), 347);
    w.resize(w.width(), 40);  // 600 twips: the tabs take all of it
    EXPECT_EQ(w.model().control("SSTab1").height, 600);
}

// The Search link opens the company search; the company charted from it shows in the symbol box.
class ChartSettingsSearchTest : public ChartSettingsTest {
protected:
    void addWindows(frame::FrameHooks& hooks) override {
        frame::ConnectChartSettings(
            hooks, [this] { return m_frame.get(); },
            [this] { m_search = new frame::frmSearch([this] { return &window(); }); });
    }
    QPointer<frame::frmSearch> m_search;
};

TEST_F(ChartSettingsSearchTest, TheSearchLinkOpensTheSearchAndTheChartedTickerShowsInTheSymbolBox) {
    tarnwick::gConnection.execute(
        R"(INSERT INTO "Company" ("ID", "TICKER", "NAME", "ANAME", "MARKET_ID", "CATEGORY_ID", "IS_INDEX"))"
        R"( VALUES (?, 'O''NEIL', 'O''Neil & Sons', 'O''Neil', 1, 3, 0))",
        {kQuotedCompany});
    loadFrame();
    ASSERT_TRUE(settings().controlWidget(QStringLiteral("lblSearch"))->isEnabled());
    settings().lblSearch_Click();
    ASSERT_NE(m_search, nullptr);
    ASSERT_TRUE(m_search->search().lsvCompanies().select("ID_207"));
    m_search->cmdOK_Click();
    EXPECT_EQ(chartCompanyID(chart()), "207");
    EXPECT_EQ(control<QLineEdit>("txtSymbol")->text(), QStringLiteral("O'NEIL"));
    EXPECT_EQ(errorLog(), "");
}

}  // namespace
