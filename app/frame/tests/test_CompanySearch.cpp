// The add-company dialog and the company search window over the market database of the watch-list
// tests, with a second market, an index and companies whose names hold quotes and wildcards.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "CutTexts.h"
#include "WatchListFixture.h"
#include "frame/search/frmAddSymbol.h"
#include "frame/search/frmSearch.h"

namespace {

using frame::Form;

class CompanySearchTest : public WatchListTest {
protected:
    void SetUp() override {
        WatchListTest::SetUp();
        exec(
            R"(INSERT INTO "Markets" ("ID", "NAME", "ANAME", "APREV") VALUES (2, 'Second', 'الثانية', 'SEC'))");
        exec(R"(UPDATE "Markets" SET "APREV" = 'MM' WHERE "ID" = 1)");
        exec(R"(INSERT INTO "Category" ("ID", "NAME", "ANAME") VALUES (4, 'Industry', 'الصناعة'))");
        exec(
            R"(INSERT INTO "Company" ("ID", "TICKER", "NAME", "ANAME", "MARKET_ID", "CATEGORY_ID", "IS_INDEX"))"
            R"( VALUES (300, 'IDX', 'General Index', 'المؤشر العام', 1, 3, 1),)"
            R"( (301, 'OBR', 'O''Brien "Co" 100%_x', 'أوبراين', 1, 4, 0),)"
            R"( (400, 'SEC1', 'Second Steel', 'حديد الثانية', 2, 4, 0))");
        exec(R"(UPDATE "Company" SET "ANAME" = 'بنك الأول' WHERE "ID" = 199)");
    }

    // The tickers listed in a search list, in order.
    static QStringList tickers(frame::CompanySearch& search) {
        QStringList out;
        for (int i = 0; i < search.lsvCompanies().count(); ++i)
            out << search.lsvCompanies().itemAt(i)->text(0);
        return out;
    }
    static void setText(Form& form, const char* box, const QString& text) {
        static_cast<QLineEdit*>(form.controlWidget(QString::fromLatin1(box)))->setText(text);
    }
    static void pressEnter(QWidget* widget) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &enter);
    }
    static void click(Form& form, const char* button) {
        static_cast<QPushButton*>(form.controlWidget(QString::fromLatin1(button)))->click();
    }
    static QComboBox& comboOf(Form& form, const char* name) {
        return *static_cast<QComboBox*>(form.controlWidget(QString::fromLatin1(name)));
    }
    static void chooseMarket(Form& form, frame::CompanySearch& search, int index) {
        comboOf(form, "cmbMarket").setCurrentIndex(index);
        search.cmbMarket_Click();
    }
    void readCollections() {
        tarnwick::ReadMarkets();
        tarnwick::ReadCategories();
    }
};

TEST_F(CompanySearchTest, TheDialogOpensOnTheDefaultMarketAndFindsByMarketSectorNameAndIndex) {
    readCollections();
    tarnwick::gDefaultMarket = 2;
    frame::frmAddSymbol dialog;
    frame::CompanySearch& search = dialog.search();
    EXPECT_EQ(comboOf(dialog, "cmbMarket").currentText(), QStringLiteral("Second"));
    EXPECT_EQ(tickers(search), QStringList{"SEC1"});
    EXPECT_EQ(search.lsvCompanies().selectedKey(), std::nullopt);
    EXPECT_FALSE(dialog.controlWidget(QStringLiteral("cmdAdd"))->isEnabled());
    EXPECT_EQ(search.lsvCompanies().itemAt(0)->text(3), QStringLiteral("SEC"));

    // Another market resets the sectors to "All" and searches only on Search.
    chooseMarket(dialog, search, 0);
    QComboBox& sectors = comboOf(dialog, "cmbCategory");
    EXPECT_EQ(sectors.currentText(), QStringLiteral("All"));
    EXPECT_EQ(sectors.count(), 3);
    EXPECT_EQ(tickers(search), QStringList{"SEC1"});
    click(dialog, "cmdSearch");
    EXPECT_EQ(tickers(search), (QStringList{"T199", "T205", "OBR"}));

    sectors.setCurrentIndex(sectors.findData(4));
    search.cmdSearch_Click();
    EXPECT_EQ(tickers(search), QStringList{"OBR"});

    sectors.setCurrentIndex(0);
    static_cast<QCheckBox*>(dialog.controlWidget(QStringLiteral("chkIndex")))->setChecked(true);
    search.cmdSearch_Click();
    EXPECT_EQ(tickers(search), QStringList{"IDX"});
    EXPECT_EQ(search.lsvCompanies().itemAt(0)->text(2), QStringLiteral("Banks"));
}

TEST_F(CompanySearchTest, EnterInTheNameBoxSearchesAndNeverConfirmsTheDialog) {
    readCollections();
    auto* dialog = new frame::frmAddSymbol;
    tarnwick::KeyedCollection<tarnwick::clsCompany> chosen;
    dialog->PrepareME(chosen);
    gDialogResult = false;
    setText(*dialog, "txtCompanyName", QStringLiteral("  205 "));
    pressEnter(dialog->controlWidget(QStringLiteral("txtCompanyName")));
    EXPECT_EQ(tickers(dialog->search()), QStringList{"T205"});
    EXPECT_TRUE(dialog->isLoaded());
    EXPECT_FALSE(gDialogResult);
}

TEST_F(CompanySearchTest, QuotesWildcardsAndSqlInTheNameMatchOnlyAsTyped) {
    readCollections();
    frame::frmAddSymbol dialog;
    frame::CompanySearch& search = dialog.search();
    const std::pair<const char*, QStringList> cases[] = {
        {"'", {"OBR"}},
        {"\"Co\"", {"OBR"}},
        {"100%", {"OBR"}},
        {"%", {"OBR"}},
        {"_", {"OBR"}},
        {"' OR '1'='1", {}},
        {"x'); DROP TABLE \"Company\"; --", {}},
        {"Company", {"T199", "T205"}},
    };
    for (const auto& [typed, found] : cases) {
        setText(dialog, "txtCompanyName", QString::fromUtf8(typed));
        search.cmdSearch_Click();
        EXPECT_EQ(tickers(search), found) << typed;
    }
    EXPECT_EQ(tarnwick::GetCompaniyInfo("T199", 0).count(), 1U);
    EXPECT_EQ(errorLog(), "");
}

TEST_F(CompanySearchTest, ArabicNamesAreSearchedAndShownInArabic) {
    gArabic = true;
    readCollections();
    frame::frmAddSymbol dialog;
    setText(dialog, "txtCompanyName", QStringLiteral("بنك"));
    dialog.search().cmdSearch_Click();
    ASSERT_EQ(tickers(dialog.search()), QStringList{"T199"});
    EXPECT_EQ(dialog.search().lsvCompanies().itemAt(0)->text(1), QStringLiteral("بنك الأول"));
    EXPECT_EQ(dialog.windowTitle(), GetLangString(82));
    EXPECT_EQ(comboOf(dialog, "cmbCategory").itemText(0), GetLangString(189));
}

TEST_F(CompanySearchTest, PicksByTickerOrFromTheResultKeepOneEntryEachAndOkConfirms) {
    readCollections();
    auto* dialog = new frame::frmAddSymbol;
    tarnwick::KeyedCollection<tarnwick::clsCompany> chosen;
    dialog->PrepareME(chosen);
    gDialogResult = false;

    setText(*dialog, "txtSymbol", QStringLiteral("nope"));
    EXPECT_TRUE(dialog->controlWidget(QStringLiteral("cmdAdd"))->isEnabled());
    pressEnter(dialog->controlWidget(QStringLiteral("txtSymbol")));
    ASSERT_EQ(m_script.questions().size(), 1U);
    EXPECT_EQ(m_script.questions()[0].text, QStringLiteral("No such symbol."));
    EXPECT_EQ(static_cast<QLineEdit*>(dialog->controlWidget(QStringLiteral("txtSymbol")))->text(),
              QStringLiteral("nope"));

    setText(*dialog, "txtSymbol", QStringLiteral("t205"));
    click(*dialog, "cmdAdd");
    EXPECT_EQ(static_cast<QLineEdit*>(dialog->controlWidget(QStringLiteral("txtSymbol")))->text(), QString());
    dialog->search().lsvCompanies().select("ID_205");
    dialog->cmdAddSearch_Click();
    dialog->search().lsvCompanies().select("ID_199");
    pressEnter(&dialog->search().lsvCompanies().widget());
    EXPECT_EQ(chosen.count(), 2U);
    EXPECT_EQ(chosen.at(0).ID, kOtherCompany);
    EXPECT_EQ(chosen.at(1).ID, kDefaultCompany);
    ASSERT_EQ(dialog->lstSymbols().count(), 2);
    EXPECT_EQ(dialog->lstSymbols().itemAt(0)->text(0), QStringLiteral("T205"));

    // Unpicking the selected pick; with nothing selected nothing goes.
    dialog->lstSymbols().select("ID_205");
    dialog->lstSymbols_DblClick();
    dialog->lstSymbols().widget().clearSelection();
    dialog->lstSymbols_DblClick();
    EXPECT_EQ(chosen.count(), 1U);
    EXPECT_EQ(dialog->lstSymbols().count(), 1);

    tarnwick::gDefaultMarket = 7;
    click(*dialog, "cmdOK");
    EXPECT_TRUE(gDialogResult);
    EXPECT_EQ(tarnwick::gDefaultMarket, 1);
    EXPECT_FALSE(dialog->isLoaded());
}

TEST_F(CompanySearchTest, AddPutsTheCompaniesPickedInTheProgramsDialogIntoTheList) {
    exec(R"(DELETE FROM "WatchListItem" WHERE "COMPANYID" = 205)");
    m_programPicks = true;
    loadProgram();
    tarnwick::gDefaultMarket = 2;
    WatchListTest::whenShown("frmAddSymbol", [](Form& dialog) {
        chooseMarket(dialog, static_cast<frame::frmAddSymbol&>(dialog).search(), 0);
        setText(dialog, "txtSymbol", QStringLiteral("IDX"));
        click(dialog, "cmdAdd");
        setText(dialog, "txtSymbol", QStringLiteral("T205"));
        click(dialog, "cmdAdd");
        click(dialog, "cmdOK");
    });
    window().runMenuCommand(QStringLiteral("mnuWLAdd"));
    EXPECT_EQ(storedItems(), (std::vector<std::string>{"5:199", "5:300", "5:205"}));
    EXPECT_EQ(rows(), (QStringList{"T199|Company 199|Banks|", "IDX|General Index|Banks|Yes",
                                   "T205|Company 205|Banks|"}));
    EXPECT_TRUE(gDialogResult);
    EXPECT_EQ(tarnwick::gDefaultMarket, 1);

    // Cancel adds nothing, whatever was picked.
    exec(R"(DELETE FROM "WatchListItem" WHERE "COMPANYID" = 300)");
    WatchListTest::whenShown("frmAddSymbol", [](Form& dialog) {
        setText(dialog, "txtSymbol", QStringLiteral("OBR"));
        click(dialog, "cmdAdd");
        click(dialog, "cmdCancel");
    });
    window().runMenuCommand(QStringLiteral("mnuWLAdd"));
    EXPECT_FALSE(gDialogResult);
    EXPECT_EQ(storedItems(), (std::vector<std::string>{"5:199", "5:205"}));
}

TEST_F(CompanySearchTest, TheSearchWindowChartsTheChosenCompanyAndMarksItInTheWatchList) {
    loadProgram();
    ASSERT_EQ(chartCompanyID(chart()), "199");
    forgetDrawingSaves();
    auto* search = new frame::frmSearch([this] { return &window(); });
    search->show();
    EXPECT_EQ(frame::Form::findOpen(QStringLiteral("frmSearch")), search);
    // It opens with the default market's companies and the first one selected.
    EXPECT_EQ(tickers(search->search()), (QStringList{"T199", "T205", "OBR"}));
    EXPECT_EQ(search->search().lsvCompanies().selectedKey(), std::optional<std::string>("ID_199"));

    setText(*search, "txtCompanyName", QStringLiteral("205"));
    pressEnter(search->controlWidget(QStringLiteral("txtCompanyName")));
    EXPECT_EQ(search->search().lsvCompanies().selectedKey(), std::optional<std::string>("ID_205"));
    pressEnter(&search->search().lsvCompanies().widget());

    EXPECT_EQ(chartCompanyID(chart()), "205");
    EXPECT_EQ(window().chartFill()->CompanyID, kOtherCompany);
    EXPECT_EQ(savedDrawingsOf(), std::vector<std::int32_t>{kDefaultCompany});
    EXPECT_EQ(drawingInfo(kDefaultCompany), "$$$$$$$$$");
    EXPECT_EQ(selectedKey(), std::optional<std::string>("ID_205"));
    EXPECT_EQ(tarnwick::gDefaultMarket, 1);
    EXPECT_FALSE(search->isLoaded());
}

// Both search windows at their designed size show every caption, market and sector name and column
// header whole, in both languages, with the longest names of the sample market.
TEST_F(CompanySearchTest, SearchWindowsShowEveryTextWholeInBothLanguages) {
    exec(R"(UPDATE "Markets" SET "NAME" = 'Gulf Securities Market', "ANAME" = 'سوق الخليج للأوراق المالية')"
         R"( WHERE "ID" = 1)");
    exec(R"(UPDATE "Markets" SET "NAME" = 'Levant Stock Exchange', "ANAME" = 'بورصة المشرق' WHERE "ID" = 2)");
    exec(R"(UPDATE "Category" SET "NAME" = 'Real Estate', "ANAME" = 'المؤشر العام' WHERE "ID" = 4)");
    for (const bool arabic : {false, true}) {
        gArabic = arabic;
        readCollections();
        frame::frmSearch search([] { return nullptr; });
        search.show();
        EXPECT_EQ(frame::test::cutTexts(search), QStringList()) << arabic;
        frame::frmAddSymbol add;
        add.show();
        EXPECT_EQ(frame::test::cutTexts(add), QStringList()) << arabic;
    }
}

// The search's "nothing chosen" box is a plain information box in Arabic as in English, unlike the
// program's other boxes, which read right to left in Arabic.
TEST_F(CompanySearchTest, NothingChosenIsAnInformationBoxOfTheSameStyleInBothLanguages) {
    loadProgram();
    for (const bool arabic : {false, true}) {
        gArabic = arabic;
        auto* search = new frame::frmSearch([this] { return &window(); });
        search->search().lsvCompanies().widget().clearSelection();
        click(*search, "cmdOK");
        ASSERT_FALSE(m_script.questions().empty());
        EXPECT_EQ(m_script.questions().back().text, GetLangString(136)) << arabic;
        EXPECT_EQ(m_script.questions().back().style, 64) << arabic;
        search->unload();
    }
    EXPECT_EQ(m_script.questions().size(), 2U);
}

TEST_F(CompanySearchTest, NothingChosenChartsNothingAndACompanyOutsideTheListKeepsItsSelection) {
    loadProgram();
    const int fills = m_fills;
    auto* search = new frame::frmSearch([this] { return &window(); });
    search->search().lsvCompanies().widget().clearSelection();
    click(*search, "cmdOK");
    ASSERT_EQ(m_script.questions().size(), 1U);
    EXPECT_EQ(m_script.questions()[0].text, QStringLiteral("No company selected."));
    EXPECT_EQ(m_fills, fills);
    EXPECT_TRUE(search->isLoaded());

    // Nothing found: the list is empty and the focus stays in the name box.
    setText(*search, "txtCompanyName", QStringLiteral("zzz"));
    search->controlWidget(QStringLiteral("txtCompanyName"))->setFocus();
    search->cmdSearch_Click();
    EXPECT_EQ(search->search().lsvCompanies().count(), 0);

    // The charted company once more: charted again.
    setText(*search, "txtCompanyName", QString());
    search->cmdSearch_Click();
    search->search().lsvCompanies().select("ID_199");
    click(*search, "cmdOK");
    EXPECT_EQ(m_fills, fills + 1);
    EXPECT_FALSE(search->isLoaded());

    // A company the shown list does not hold: charted, and the list keeps its selection.
    watchList().lsvWL().select("ID_205");
    window().runMenuCommand(QStringLiteral("mnuWLRemove"));
    watchList().lsvWL().select("ID_199");
    auto* again = new frame::frmSearch([this] { return &window(); });
    again->search().lsvCompanies().select("ID_205");
    click(*again, "cmdOK");
    EXPECT_EQ(chartCompanyID(chart()), "205");
    EXPECT_EQ(selectedKey(), std::optional<std::string>("ID_199"));
}

}  // namespace
