// The fillers of the watch-list and template lists, on plain widgets over a market database.
#include <QComboBox>
#include <QTreeWidget>

#include "ProgramFixture.h"
#include "appdata/MarketReaders.h"
#include "frame/lists/KeyedCombo.h"
#include "frame/lists/ListFillers.h"
#include "frame/lists/ReportListView.h"

namespace {

using frame::gWLCompanies;
using frame::ReportListView;

class ListFillersTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        tarnwick::gConnection = db::Connection::openExisting(m_home / "MQMKD.mqd");
        exec(R"(INSERT INTO "Markets" ("ID", "NAME", "ANAME") VALUES (1, 'Main', 'Main'))");
        exec(R"(INSERT INTO "Category" ("ID", "NAME", "ANAME") VALUES (3, 'Banks', 'Banks'))");
        exec(R"(INSERT INTO "Category" ("ID", "NAME", "ANAME", "isDELETED") VALUES (4, 'Gone', 'Gone', 1))");
        exec(
            R"(INSERT INTO "Company" ("ID", "TICKER", "NAME", "ANAME", "MARKET_ID", "CATEGORY_ID", "IS_INDEX"))"
            R"( VALUES (10, 'AAA', 'Alpha', 'Alpha', 1, 3, 0), (11, 'IDX', 'Index', 'Index', 1, 3, 1),)"
            R"( (12, 'OLD', 'Orphan', 'Orphan', 1, 4, 0))");
        exec(R"(INSERT INTO "WatchLists" ("ID", "NAME") VALUES (5, 'Mine'), (6, 'Empty'))");
        exec(
            R"(INSERT INTO "WatchListItem" ("ORDER", "COMPANYID", "WatchListID") VALUES (1, 11, 5), (2, 10, 5))");
        exec(R"(INSERT INTO "Templates" ("ID", "NAME") VALUES (2, 'Wide'), (1, 'Plain'))");
        tarnwick::ReadMarkets();
        tarnwick::ReadCategories();
        tarnwick::ReadWatchLists();
        tarnwick::ReadTemplates();
    }
    void TearDown() override {
        gWLCompanies.clear();
        ProgramTest::TearDown();
    }
    static void exec(const char* sql) { tarnwick::gConnection.execute(sql, {}); }

    QTreeWidget m_tree;
    ReportListView m_list{m_tree};
};

QStringList rowTexts(const QTreeWidget& tree, int row) {
    QStringList cells;
    for (int c = 0; c < tree.columnCount(); ++c)
        cells << tree.topLevelItem(row)->text(c);
    return cells;
}

TEST_F(ListFillersTest, TheWatchListComboGetsOneKeyedEntryPerListInCollectionOrderAndIsNotCleared) {
    QComboBox lists;
    lists.addItem(QStringLiteral("kept"));
    frame::FillWLCombo(lists);
    ASSERT_EQ(lists.count(), 4);
    EXPECT_EQ(lists.itemText(1), QStringLiteral("Main"));
    EXPECT_EQ(frame::entryKey(lists, 1), std::optional<std::string>("ID_-1"));
    EXPECT_EQ(lists.itemText(3), QStringLiteral("Empty"));
    EXPECT_EQ(frame::entryIndex(lists, "ID_5"), 2);
}

TEST_F(ListFillersTest, AListSelectsTheChartedCompanyElseItsFirstRowAndAnEmptyListNothing) {
    m_tree.setColumnCount(4);
    const tarnwick::clsWL& mine = tarnwick::gWatchLists.item("ID_5");
    frame::FillWLList(m_list, &mine, 10);
    ASSERT_EQ(m_list.count(), 2);
    EXPECT_EQ(rowTexts(m_tree, 0), (QStringList{"IDX", "Index", "Banks", "Yes"}));
    // Not an index: the column stays empty, not "No".
    EXPECT_EQ(rowTexts(m_tree, 1), (QStringList{"AAA", "Alpha", "Banks", ""}));
    EXPECT_EQ(m_list.selectedKey(), std::optional<std::string>("ID_10"));
    EXPECT_EQ(gWLCompanies.count(), 2U);

    frame::FillWLList(m_list, &mine, 99);
    EXPECT_EQ(m_list.selectedKey(), std::optional<std::string>("ID_11"));

    frame::FillWLList(m_list, &tarnwick::gWatchLists.item("ID_6"), 10);
    EXPECT_EQ(m_list.count(), 0);
    EXPECT_EQ(m_list.selectedKey(), std::nullopt);
    EXPECT_EQ(gWLCompanies.count(), 0U);

    // No list: nothing changes.
    frame::FillWLList(m_list, &mine, 10);
    frame::FillWLList(m_list, nullptr, 10);
    EXPECT_EQ(m_list.count(), 2);
}

TEST_F(ListFillersTest, ACompanyOfAnUnknownSectorIsListedWithAnEmptySectorAndTheRestFollows) {
    m_tree.setColumnCount(4);
    const tarnwick::clsWL& market = tarnwick::gWatchLists.item("ID_-1");
    frame::FillWLList(m_list, &market, 0);
    ASSERT_EQ(m_list.count(), 3);
    EXPECT_EQ(rowTexts(m_tree, 2), (QStringList{"OLD", "Orphan", "", ""}));
    EXPECT_EQ(errorLog(), "");
}

TEST(ListViewSort, EveryClickTurnsAscendingToDescendingAndAnythingElseToAscending) {
    frame::ListViewSort sort;
    sort.columnClick(1);
    EXPECT_EQ(sort.key, 0);
    EXPECT_EQ(sort.order, Qt::DescendingOrder);
    sort.columnClick(3);
    EXPECT_EQ(sort.key, 2);
    EXPECT_EQ(sort.order, Qt::AscendingOrder);
    sort.columnClick(3);
    EXPECT_EQ(sort.order, Qt::DescendingOrder);
    EXPECT_TRUE(sort.sorted);
}

}  // namespace
