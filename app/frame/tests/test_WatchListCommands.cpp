// The watch-list commands and the name dialog, through the menu items of the assembled program, with
// their round trips in the market database.
#include <QLineEdit>
#include <QPushButton>

#include "WatchListFixture.h"
#include "frame/MessageBox.h"
#include "frame/watchlist/frmAddWL.h"

namespace {

using frame::Form;
using frame::gWLCompanies;

void typeName(Form& dialog, const QString& name) {
    static_cast<QLineEdit*>(dialog.controlWidget(QStringLiteral("txtName")))->setText(name);
}

void click(Form& dialog, const char* button) {
    static_cast<QPushButton*>(dialog.controlWidget(QString::fromLatin1(button)))->click();
}

// Answers the next name dialog with `name` and OK; `caption` receives the dialog's caption.
void nameWith(const QString& name, QString* caption = nullptr) {
    WatchListTest::whenShown("frmAddWL", [name, caption](Form& dialog) {
        if (caption != nullptr)
            *caption = dialog.windowTitle();
        typeName(dialog, name);
        click(dialog, "cmdOK");
    });
}

const QString kQuoted = QStringLiteral(R"(Joe's "best" list; DROP TABLE WatchLists --)");

TEST_F(WatchListTest, NewStoresAQuotedNameAsTypedThenAddsThePickedCompanies) {
    loadProgram();
    m_toPick = {kOtherCompany, kDefaultCompany};
    QString caption;
    nameWith(QStringLiteral("  ") + kQuoted, &caption);
    window().runMenuCommand(QStringLiteral("mnuWLNew"));

    EXPECT_EQ(caption, QStringLiteral("Add New WatchList"));
    const std::string stored = "6:  " + kQuoted.toStdString();
    EXPECT_EQ(storedLists(), (std::vector<std::string>{"5:Mine", stored}));
    EXPECT_EQ(storedItems(), (std::vector<std::string>{"5:199", "5:205", "6:205", "6:199"}));
    EXPECT_EQ(comboTexts(), (QStringList{"Main Market", "Mine", QStringLiteral("  ") + kQuoted}));
    EXPECT_EQ(combo().currentIndex(), 2);
    EXPECT_EQ(tarnwick::gWatchLists.item("ID_6").Name, "  " + kQuoted.toStdString());
    EXPECT_EQ(m_picks, 1);
    // In the order picked.
    EXPECT_EQ(rows(), (QStringList{"T205|Company 205|Banks|", "T199|Company 199|Banks|"}));
    EXPECT_TRUE(gWLCompanies.exists("ID_199"));
    EXPECT_TRUE(gDialogResult);
    EXPECT_EQ(errorLog(), "");
}

TEST_F(WatchListTest, CancellingTheNameOrThePicksOfNewStoresNothingOrAnEmptyList) {
    loadProgram();
    WatchListTest::whenShown("frmAddWL", [](Form& dialog) {
        typeName(dialog, QStringLiteral("Never"));
        click(dialog, "cmdCancel");
    });
    window().runMenuCommand(QStringLiteral("mnuWLNew"));
    EXPECT_EQ(storedLists(), std::vector<std::string>{"5:Mine"});
    EXPECT_EQ(m_picks, 0);

    m_confirmPicks = false;
    m_toPick = {kOtherCompany};
    nameWith(QStringLiteral("Empty"));
    window().runMenuCommand(QStringLiteral("mnuWLNew"));
    EXPECT_EQ(storedLists(), (std::vector<std::string>{"5:Mine", "6:Empty"}));
    EXPECT_EQ(storedItems(), (std::vector<std::string>{"5:199", "5:205"}));
    EXPECT_EQ(combo().currentText(), QStringLiteral("Empty"));
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(WatchListTest, AFailedInsertStopsNewTellsTheUserAndWritesNoItems) {
    exec(R"(CREATE TRIGGER refuse BEFORE INSERT ON "WatchLists" BEGIN SELECT RAISE(ABORT, 'full'); END)");
    loadProgram();
    m_toPick = {kOtherCompany};
    nameWith(QStringLiteral("Refused"));
    window().runMenuCommand(QStringLiteral("mnuWLNew"));
    ASSERT_EQ(m_script.questions().size(), 1U);
    EXPECT_EQ(m_script.questions()[0].text,
              QStringLiteral("The change to the watch list could not be saved."));
    EXPECT_EQ(m_script.questions()[0].style, ui::MB_ICONEXCLAMATION);
    EXPECT_EQ(m_picks, 0);
    EXPECT_EQ(storedLists(), std::vector<std::string>{"5:Mine"});
    EXPECT_EQ(storedItems(), (std::vector<std::string>{"5:199", "5:205"}));
    EXPECT_EQ(comboTexts(), (QStringList{"Main Market", "Mine"}));
    EXPECT_EQ(tarnwick::gWatchLists.count(), 2U);
    EXPECT_NE(errorLog().find("Function:clsWL_InsertDB"), std::string::npos) << errorLog();
}

TEST_F(WatchListTest, RenameKeepsTheKeyAndStoresAQuotedName) {
    loadProgram();
    QString caption;
    QString shown;
    WatchListTest::whenShown("frmAddWL", [&](Form& dialog) {
        caption = dialog.windowTitle();
        shown = static_cast<QLineEdit*>(dialog.controlWidget(QStringLiteral("txtName")))->text();
        typeName(dialog, kQuoted);
        click(dialog, "cmdOK");
    });
    window().runMenuCommand(QStringLiteral("mnuWLEdit"));
    EXPECT_EQ(caption, QStringLiteral("Rename WatchList"));
    EXPECT_EQ(shown, QStringLiteral("Mine"));
    EXPECT_EQ(storedLists(), std::vector<std::string>{"5:" + kQuoted.toStdString()});
    EXPECT_EQ(comboTexts(), (QStringList{"Main Market", kQuoted}));
    EXPECT_EQ(frame::selectedEntryKey(combo()), std::optional<std::string>("ID_5"));
    EXPECT_EQ(rows().size(), 2);

    // Reloaded from the database, the name is the one typed.
    tarnwick::ReadWatchLists();
    EXPECT_EQ(tarnwick::gWatchLists.item("ID_5").Name, kQuoted.toStdString());
}

// The database refuses the new name: the list keeps its old name everywhere the program shows or
// uses it, the user is told, and the failure is logged.
TEST_F(WatchListTest, ARenameThatCannotBeStoredKeepsTheOldNameAndTellsTheUser) {
    exec(
        R"(CREATE TRIGGER refuseRename BEFORE UPDATE ON "WatchLists" BEGIN SELECT RAISE(ABORT, 'locked'); END)");
    loadProgram();
    nameWith(QStringLiteral("Renamed"));
    window().runMenuCommand(QStringLiteral("mnuWLEdit"));
    ASSERT_EQ(m_script.questions().size(), 1U);
    EXPECT_EQ(m_script.questions()[0].text,
              QStringLiteral("The change to the watch list could not be saved."));
    EXPECT_EQ(m_script.questions()[0].style, ui::MB_ICONEXCLAMATION);
    EXPECT_EQ(m_script.questions()[0].caption, frame::programTitle());
    EXPECT_EQ(tarnwick::gWatchLists.item("ID_5").Name, "Mine");
    EXPECT_EQ(storedLists(), std::vector<std::string>{"5:Mine"});
    EXPECT_EQ(comboTexts(), (QStringList{"Main Market", "Mine"}));
    EXPECT_EQ(frame::selectedEntryKey(combo()), std::optional<std::string>("ID_5"));
    EXPECT_NE(errorLog().find("Function:clsWL_UpdateDB"), std::string::npos) << errorLog();

    // The next rename starts from the old name.
    QString shown;
    WatchListTest::whenShown("frmAddWL", [&](Form& dialog) {
        shown = static_cast<QLineEdit*>(dialog.controlWidget(QStringLiteral("txtName")))->text();
        click(dialog, "cmdCancel");
    });
    window().runMenuCommand(QStringLiteral("mnuWLEdit"));
    EXPECT_EQ(shown, QStringLiteral("Mine"));
    EXPECT_EQ(m_script.questions().size(), 1U);
}

TEST_F(WatchListTest, DeleteAsksAndOnYesShowsTheListBefore) {
    exec(R"(INSERT INTO "WatchLists" ("ID", "NAME") VALUES (6, 'Other'))");
    addItem(6, kOtherCompany, 1);
    loadProgram();
    combo().setCurrentIndex(2);
    watchList().cmbWL_Click();
    ASSERT_EQ(rows(), QStringList{"T205|Company 205|Banks|"});

    m_script.answerMessageBox(ui::IDNO);
    window().runMenuCommand(QStringLiteral("mnuWLDelete"));
    EXPECT_EQ(storedLists(), (std::vector<std::string>{"5:Mine", "6:Other"}));

    m_script.answerMessageBox(ui::IDYES);
    window().runMenuCommand(QStringLiteral("mnuWLDelete"));
    EXPECT_EQ(m_script.questions().back().text,
              QStringLiteral("Are you sure you want to delete this WatchList 'Other'?"));
    EXPECT_EQ(storedLists(), std::vector<std::string>{"5:Mine"});
    EXPECT_EQ(storedItems(), (std::vector<std::string>{"5:199", "5:205"}));
    EXPECT_EQ(comboTexts(), (QStringList{"Main Market", "Mine"}));
    EXPECT_EQ(combo().currentText(), QStringLiteral("Mine"));
    EXPECT_EQ(rows().size(), 2);
    EXPECT_FALSE(tarnwick::gWatchLists.exists("ID_6"));
}

TEST_F(WatchListTest, DeletingTheFirstListShowsTheNewFirstAndTheLastLeavesNothingSelected) {
    // No live market: no system lists, so the user lists are all the combo holds.
    exec(R"(UPDATE "Markets" SET "isDELETED" = 1)");
    exec(R"(INSERT INTO "WatchLists" ("ID", "NAME") VALUES (6, 'Other'))");
    addItem(6, kOtherCompany, 1);
    loadProgram();
    ASSERT_EQ(comboTexts(), (QStringList{"Mine", "Other"}));
    ASSERT_EQ(combo().currentIndex(), 0);

    m_script.answerMessageBox(ui::IDYES);
    window().runMenuCommand(QStringLiteral("mnuWLDelete"));
    EXPECT_EQ(comboTexts(), QStringList{"Other"});
    EXPECT_EQ(combo().currentIndex(), 0);
    EXPECT_EQ(rows(), QStringList{"T205|Company 205|Banks|"});
    EXPECT_TRUE(watchList().buttonEnabled(QStringLiteral("DeleteWL")));

    m_script.answerMessageBox(ui::IDYES);
    window().runMenuCommand(QStringLiteral("mnuWLDelete"));
    EXPECT_TRUE(comboTexts().isEmpty());
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_EQ(gWLCompanies.count(), 0U);
    EXPECT_TRUE(storedLists().empty());
    EXPECT_TRUE(storedItems().empty());
    EXPECT_FALSE(watchList().buttonEnabled(QStringLiteral("DeleteWL")));
    EXPECT_FALSE(window().menuEnabled(QStringLiteral("mnuWLAdd")));
    EXPECT_EQ(errorLog(), "");
}

TEST_F(WatchListTest, AddAppendsOnlyNewCompaniesInPickingOrderAndKeepsTheSelection) {
    exec(R"(INSERT INTO "Company" ("ID", "TICKER", "NAME", "ANAME", "MARKET_ID", "CATEGORY_ID", "IS_INDEX"))"
         R"( VALUES (300, 'IDX', 'General Index', 'General Index', 1, 3, 1))");
    exec(R"(DELETE FROM "WatchListItem" WHERE "COMPANYID" = 205)");
    loadProgram();
    ASSERT_EQ(selectedKey(), std::optional<std::string>("ID_199"));
    m_toPick = {300, kDefaultCompany, kOtherCompany};
    window().runMenuCommand(QStringLiteral("mnuWLAdd"));
    EXPECT_EQ(rows(), (QStringList{"T199|Company 199|Banks|", "IDX|General Index|Banks|Yes",
                                   "T205|Company 205|Banks|"}));
    EXPECT_EQ(storedItems(), (std::vector<std::string>{"5:199", "5:300", "5:205"}));
    EXPECT_EQ(selectedKey(), std::optional<std::string>("ID_199"));
    EXPECT_EQ(gWLCompanies.count(), 3U);
}

TEST_F(WatchListTest, RemoveTakesTheSelectedCompanyOutWithoutAQuestion) {
    loadProgram();
    watchList().lsvWL().select("ID_205");
    window().runMenuCommand(QStringLiteral("mnuWLRemove"));
    EXPECT_EQ(rows(), QStringList{"T199|Company 199|Banks|"});
    EXPECT_EQ(storedItems(), std::vector<std::string>{"5:199"});
    EXPECT_FALSE(gWLCompanies.exists("ID_205"));
    EXPECT_TRUE(m_script.questions().empty());

    tree().clearSelection();
    window().runMenuCommand(QStringLiteral("mnuWLRemove"));
    EXPECT_EQ(storedItems(), std::vector<std::string>{"5:199"});
}

// The selection follows the chart after a Remove, so a second Remove never takes out a row the user
// did not choose: the charted company's row, or none once that row is the one removed.
TEST_F(WatchListTest, AfterRemoveTheSelectionFollowsTheChartAndAnotherRemoveTakesNothingUnchosen) {
    exec(R"(INSERT INTO "Company" ("ID", "TICKER", "NAME", "ANAME", "MARKET_ID", "CATEGORY_ID", "IS_INDEX"))"
         R"( VALUES (300, 'T300', 'Company 300', 'Company 300', 1, 3, 0))");
    addItem(5, 300, 3);
    loadProgram();
    ASSERT_EQ(window().chartFill()->CompanyID, kDefaultCompany);
    watchList().lsvWL().select("ID_205");
    const struct {
        std::optional<std::string> selectedAfter;
        std::vector<std::string> storedAfter;
    } removes[] = {
        {"ID_199", {"5:199", "5:300"}},
        {std::nullopt, {"5:300"}},
        {std::nullopt, {"5:300"}},
    };
    for (const auto& remove : removes) {
        window().runMenuCommand(QStringLiteral("mnuWLRemove"));
        EXPECT_EQ(selectedKey(), remove.selectedAfter);
        EXPECT_EQ(storedItems(), remove.storedAfter);
    }
    EXPECT_EQ(window().chartFill()->CompanyID, kDefaultCompany);
}

class NameDialogTest : public ProgramTest {};

TEST_F(NameDialogTest, BlanksAreRefusedLeadingBlanksKeptAndCancelChangesNothing) {
    tarnwick::clsWL list;
    list.Name = "Mine";
    auto* dialog = new frame::frmAddWL;
    dialog->PrepareME(list);
    auto* name = static_cast<QLineEdit*>(dialog->controlWidget(QStringLiteral("txtName")));
    EXPECT_EQ(name->text(), QStringLiteral("Mine"));
    EXPECT_EQ(name->selectedText(), QStringLiteral("Mine"));
    gDialogResult = false;

    typeName(*dialog, QStringLiteral("   "));
    click(*dialog, "cmdOK");
    ASSERT_EQ(m_script.questions().size(), 1U);
    EXPECT_EQ(m_script.questions()[0].text, QStringLiteral("Name is missing"));
    EXPECT_EQ(m_script.questions()[0].style, ui::MB_ICONINFORMATION);
    EXPECT_TRUE(dialog->isLoaded());
    EXPECT_FALSE(gDialogResult);
    EXPECT_EQ(list.Name, "Mine");

    typeName(*dialog, QStringLiteral(" Tech "));
    click(*dialog, "cmdOK");
    EXPECT_TRUE(gDialogResult);
    EXPECT_EQ(list.Name, " Tech ");
    EXPECT_FALSE(dialog->isLoaded());

    gArabic = true;
    tarnwick::clsWL other;
    other.Name = "Kept";
    auto* second = new frame::frmAddWL;
    second->PrepareME(other);
    EXPECT_EQ(second->controlWidget(QStringLiteral("cmdCancel"))->property("text").toString(),
              GetLangString(14));
    typeName(*second, QStringLiteral("Changed"));
    click(*second, "cmdCancel");
    EXPECT_FALSE(gDialogResult);
    EXPECT_EQ(other.Name, "Kept");
    EXPECT_FALSE(second->isLoaded());
    gDialogResult = false;
}

}  // namespace
