// The watch-list window in the assembled program: the real chart control with the financial
// extension and the annotation list on a real market database, the window created by the frame.
#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "WatchListFixture.h"

namespace {

using frame::gWLCompanies;

constexpr const char* kRow199 = "T199|Company 199|Banks|";
constexpr const char* kRow205 = "T205|Company 205|Banks|";

TEST_F(WatchListTest, TheStoredListIsShownWithTheChartedCompanySelected) {
    saveSetting("SelectedCompany", "205");
    loadProgram();
    EXPECT_EQ(comboTexts(), (QStringList{"Main Market", "Mine"}));
    EXPECT_EQ(combo().currentText(), QStringLiteral("Mine"));
    EXPECT_EQ(rows(), (QStringList{kRow199, kRow205}));
    EXPECT_EQ(selectedKey(), std::optional<std::string>("ID_205"));
    EXPECT_EQ(gWLCompanies.count(), 2U);
    // A user list with a company selected: every command is open.
    for (const char* key : {"NewWL", "EditWLName", "DeleteWL", "AddSysmbol", "RemoveSymbol"})
        EXPECT_TRUE(watchList().buttonEnabled(QString::fromLatin1(key))) << key;
    EXPECT_EQ(tree().headerItem()->text(1), QStringLiteral("Name"));
    EXPECT_EQ(errorLog(), "");
}

TEST_F(WatchListTest, PickingACompanyChartsItAndKeepsThePreviousCompanysDrawingsInItsRow) {
    loadProgram();
    ASSERT_EQ(chartCompanyID(chart()), "199");
    const int fillsBefore = m_fills;
    forgetDrawingSaves();
    const QSize chartSize = window().Korvel1()->parentWidget()->size();
    ASSERT_NE(chartSize, QSize(620, 558));  // the chart's design size, 9300 by 8370 twips

    pressRow(1, Qt::LeftButton);
    // Bringing the menus up to date after the click leaves the chart at the window's size.
    EXPECT_EQ(window().Korvel1()->parentWidget()->size(), chartSize);
    EXPECT_EQ(chartCompanyID(chart()), "205");
    EXPECT_EQ(window().chartFill()->CompanyID, kOtherCompany);
    EXPECT_EQ(m_fills, fillsBefore + 1);
    EXPECT_EQ(savedDrawingsOf(), std::vector<std::int32_t>{kDefaultCompany});
    EXPECT_EQ(drawingInfo(kDefaultCompany), "$$$$$$$$$");
    EXPECT_EQ(drawingInfo(kOtherCompany), "");
    com::LONG points = 0;
    chart().get_PointCount(&points);
    EXPECT_GE(points, 5);

    // The company on the chart: its drawings are kept again, it is not charted again.
    pressRow(1, Qt::LeftButton);
    EXPECT_EQ(m_fills, fillsBefore + 1);
    EXPECT_EQ(savedDrawingsOf(), (std::vector<std::int32_t>{kDefaultCompany, kOtherCompany}));
    EXPECT_TRUE(m_script.questions().empty());
}

TEST_F(WatchListTest, AKeyThatMovesTheSelectionChartsTheCompanyItMovesTo) {
    loadProgram();
    ASSERT_EQ(selectedKey(), std::optional<std::string>("ID_199"));
    tree().setFocus();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(&tree(), &down);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(&tree(), &up);
    EXPECT_EQ(selectedKey(), std::optional<std::string>("ID_205"));
    EXPECT_EQ(chartCompanyID(chart()), "205");

    // A key that went to a menu or dialog leaves later selections by the program alone.
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(&tree(), &alt);
    watchList().lsvWL().select("ID_199");
    EXPECT_EQ(chartCompanyID(chart()), "205");
}

TEST_F(WatchListTest, EveryHeaderClickReversesTheOrderAlsoOnAnotherColumn) {
    exec(R"(UPDATE "Company" SET "NAME" = 'alpha' WHERE "ID" = 205)");
    loadProgram();
    QHeaderView* header = tree().header();
    // The list starts ascending, so the first click sorts descending.
    emit header->sectionClicked(0);
    EXPECT_EQ(rows(), (QStringList{"T205|alpha|Banks|", kRow199}));
    emit header->sectionClicked(0);
    EXPECT_EQ(rows(), (QStringList{kRow199, "T205|alpha|Banks|"}));
    // After an ascending sort on the tickers, the names come descending ("Company" before "alpha"
    // without regard to case).
    emit header->sectionClicked(1);
    EXPECT_EQ(rows(), (QStringList{kRow199, "T205|alpha|Banks|"}));
    EXPECT_EQ(watchList().lsvWL().sort().key, 1);
    EXPECT_EQ(watchList().lsvWL().sort().order, Qt::DescendingOrder);
    emit header->sectionClicked(1);
    EXPECT_EQ(rows(), (QStringList{"T205|alpha|Banks|", kRow199}));
    EXPECT_EQ(header->sortIndicatorSection(), 1);
}

TEST_F(WatchListTest, TheRightButtonOnARowChartsItBeforeThePopUpMenuActs) {
    loadProgram();
    // The menu's second entry removes the selected company: it acts on the row just clicked.
    m_script.answerMenu(2);
    pressRow(1, Qt::RightButton);
    ASSERT_EQ(m_script.questions().size(), 1U);
    const auto& menu = m_script.questions().front();
    EXPECT_EQ(menu.kind, ui::ScriptedModalServices::Kind::Menu);
    EXPECT_EQ(menu.text, GetLangString(190));
    EXPECT_EQ(menu.style, 2);
    EXPECT_EQ(chartCompanyID(chart()), "205");
    EXPECT_EQ(rows(), QStringList{kRow199});
    EXPECT_EQ(storedItems(), std::vector<std::string>{"5:199"});
    EXPECT_FALSE(gWLCompanies.exists("ID_205"));
}

TEST_F(WatchListTest, APressOnEmptySpaceShowsTheMenuAtOnceAndChartsNothing) {
    loadProgram();
    const int fillsBefore = m_fills;
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        pressRow(-1, button);
        EXPECT_EQ(m_fills, fillsBefore);
    }
    ASSERT_EQ(m_script.questions().size(), 2U);
    EXPECT_EQ(m_script.questions()[1].kind, ui::ScriptedModalServices::Kind::Menu);
    // A later left click on a row does not bring the menu back.
    pressRow(1, Qt::LeftButton);
    EXPECT_EQ(m_script.questions().size(), 2U);
    EXPECT_EQ(chartCompanyID(chart()), "205");
}

TEST_F(WatchListTest, ASystemListTakesOnlyNewAndTheToolBarFollowsIt) {
    loadProgram();
    combo().setCurrentIndex(0);
    watchList().cmbWL_Click();
    EXPECT_EQ(rows(), (QStringList{kRow199, kRow205}));  // the market's companies
    for (const char* key : {"EditWLName", "DeleteWL", "AddSysmbol", "RemoveSymbol"})
        EXPECT_FALSE(watchList().buttonEnabled(QString::fromLatin1(key))) << key;
    m_toPick = {kOtherCompany};
    for (const char* item : {"mnuWLEdit", "mnuWLDelete", "mnuWLAdd", "mnuWLRemove"})
        window().runMenuCommand(QString::fromLatin1(item));
    EXPECT_EQ(m_picks, 0);
    EXPECT_TRUE(m_script.questions().empty());
    EXPECT_EQ(storedLists(), std::vector<std::string>{"5:Mine"});
    EXPECT_EQ(comboTexts(), (QStringList{"Main Market", "Mine"}));
}

TEST_F(WatchListTest, TheToolBarRunsTheCommandsThroughTheFrame) {
    loadProgram();
    m_script.answerMessageBox(ui::IDNO);
    auto* bar = watchList().controlWidget(QStringLiteral("Toolbar1"));
    bar->findChild<QAction*>(QStringLiteral("DeleteWL"))->trigger();
    ASSERT_EQ(m_script.questions().size(), 1U);
    EXPECT_EQ(m_script.questions()[0].text,
              QStringLiteral("Are you sure you want to delete this WatchList 'Mine'?"));
    EXPECT_EQ(m_script.questions()[0].style, ui::MB_YESNO | ui::MB_ICONQUESTION);
    EXPECT_EQ(storedLists(), std::vector<std::string>{"5:Mine"});
}

TEST_F(WatchListTest, TheWindowIsOnlyHiddenWhileTheProgramRunsAndResizesItsList) {
    loadProgram();
    frame::frmWatchList& w = watchList();
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isLoaded());

    // Outer width 4195 and height 6100 twips: the list takes 4195 - 145 by 6100 - 1100.
    w.resize((4195 - frame::Form::kChromeWidthTwips) / 15, (6100 - frame::Form::kChromeHeightTwips) / 15);
    w.Form_Resize();
    EXPECT_EQ(w.model().control(QStringLiteral("lsvWL")).width, 4050);
    EXPECT_EQ(w.model().control(QStringLiteral("lsvWL")).height, 5000);
    EXPECT_EQ(w.model().control(QStringLiteral("cmbWL")).width, 4050);
    EXPECT_EQ(w.controlWidget(QStringLiteral("lsvWL"))->width(), 270);
    // Too small in both directions: the sizes stay.
    w.resize(5, 40);
    w.Form_Resize();
    EXPECT_EQ(w.model().control(QStringLiteral("lsvWL")).width, 4050);
    EXPECT_EQ(w.model().control(QStringLiteral("lsvWL")).height, 5000);

    gClosing = true;
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(w.isLoaded());
}

TEST_F(WatchListTest, ArabicShowsTheArabicNamesAndAMirroredList) {
    gArabic = true;
    exec(R"(UPDATE "Company" SET "ANAME" = 'شركة الأولى' WHERE "ID" = 199)");
    loadProgram();
    EXPECT_EQ(tree().topLevelItem(0)->text(1), QStringLiteral("شركة الأولى"));
    EXPECT_EQ(tree().layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(tree().headerItem()->text(0), GetLangString(92));
    EXPECT_EQ(watchList().windowTitle(), GetLangString(96));
}

}  // namespace
