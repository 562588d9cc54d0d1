#include "MarketDbFixture.h"
#include "appdata/ProcNames.h"
#include "appdata/records/clsSettings.h"
#include "appdata/records/clsTemplate.h"
#include "appdata/records/clsWL.h"

using namespace tarnwick;

namespace {

class UserRecords : public MarketDbTest {
protected:
    static clsCompany company(std::int32_t id) {
        clsCompany c;
        c.ID = id;
        return c;
    }
    static clsWL newList(const std::string& name) {
        clsWL list;
        list.Name = name;
        list.isSystem = true;  // InsertDB makes it a user list
        list.InsertDB();
        return list;
    }
    static std::string orders(std::int32_t listId) {
        return text(
            R"(SELECT group_concat(COMPANYID || ':' || "ORDER", ' ') FROM (SELECT * FROM WatchListItem )"
            R"(WHERE WatchListID = ? ORDER BY "ORDER"))",
            {listId});
    }
};

}  // namespace

TEST_F(UserRecords, ListsAndTemplatesAreNumberedByTheGreatestID) {
    const clsWL first = newList("Mine");
    EXPECT_EQ(first.ID, 1);
    EXPECT_FALSE(first.isSystem);
    clsWL second = newList(R"(Bob's "best")");
    EXPECT_EQ(second.ID, 2);
    clsWL(first).DeleteDB();
    EXPECT_EQ(newList("Third").ID, 3);  // the maximum decides, not the count
    second.DeleteDB();
    EXPECT_EQ(newList("Fourth").ID, 4);

    clsTemplate t;
    t.Name = "Candles";
    t.InsertDB();
    EXPECT_EQ(t.ID, 1);
    t.Name = R"(Candles "wide")";
    t.UpdateDB();
    EXPECT_EQ(text("SELECT NAME FROM Templates WHERE ID = 1"), R"(Candles "wide")");
    clsTemplate u;
    u.InsertDB();
    EXPECT_EQ(u.ID, 2);
    t.DeleteDB();
    EXPECT_EQ(count("SELECT count(*) FROM Templates"), 1);
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(UserRecords, ItemsAreOrderedAndKeepTheirGaps) {
    clsWL list = newList("Mine");
    EXPECT_TRUE(list.AddWLitem(company(10)));
    EXPECT_TRUE(list.AddWLitem(company(20)));
    EXPECT_FALSE(list.AddWLitem(company(10)));  // already in the list
    EXPECT_TRUE(list.AddWLitem(company(30)));
    EXPECT_EQ(orders(1), "10:1 20:2 30:3");
    list.RemoveWLItem(company(20));
    EXPECT_TRUE(list.AddWLitem(company(40)));
    EXPECT_EQ(orders(1), "10:1 30:3 40:4");

    clsWL other = newList("Other");
    EXPECT_TRUE(other.AddWLitem(company(10)));  // numbering is per list
    EXPECT_EQ(orders(2), "10:1");
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(UserRecords, DeletingAListRemovesItsItemsToo) {
    clsWL list = newList("Mine");
    list.AddWLitem(company(10));
    clsWL other = newList("Other");
    other.AddWLitem(company(10));
    list.DeleteDB();
    EXPECT_EQ(count("SELECT count(*) FROM WatchLists"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM WatchListItem"), 1);
    EXPECT_EQ(count("SELECT WatchListID FROM WatchListItem"), 2);
}

TEST_F(UserRecords, ADeleteThatFailsHalfwayKeepsTheItems) {
    clsWL list = newList("Mine");
    list.AddWLitem(company(10));
    exec("CREATE TRIGGER keep BEFORE DELETE ON WatchLists BEGIN SELECT RAISE(ABORT, 'locked'); END");
    EXPECT_FALSE(list.DeleteDB());
    EXPECT_EQ(count("SELECT count(*) FROM WatchListItem"), 1);
    EXPECT_TRUE(logged(procname::kClsWLDeleteDB));
}

TEST_F(UserRecords, WritersAnswerWhetherTheyStoredAndAListWithoutItsRowTakesNoItems) {
    clsWL list = newList("Mine");
    list.Name = "Renamed";
    EXPECT_TRUE(list.UpdateDB());
    EXPECT_TRUE(list.AddWLitem(company(10)));
    EXPECT_TRUE(list.RemoveWLItem(company(10)));

    exec("CREATE TRIGGER refuse BEFORE INSERT ON WatchLists BEGIN SELECT RAISE(ABORT, 'full'); END");
    clsWL refused;
    refused.Name = "Refused";
    EXPECT_FALSE(refused.InsertDB());
    EXPECT_TRUE(logged(procname::kClsWLInsertDB));
    EXPECT_EQ(refused.ID, 2);  // numbered, but never stored
    EXPECT_FALSE(refused.AddWLitem(company(10)));
    EXPECT_EQ(count("SELECT count(*) FROM WatchListItem"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM WatchLists"), 1);
}

TEST_F(UserRecords, AddWLitemFailsSoftlyOnError) {
    clsWL list = newList("Mine");
    db().close();
    EXPECT_FALSE(list.AddWLitem(company(10)));
    EXPECT_TRUE(logged(procname::kClsWLAddWLitem));
}

TEST_F(UserRecords, GetItemsOfUserAndSystemLists) {
    exec(
        "INSERT INTO Company (ID, TICKER, NAME, ANAME, MARKET_ID, CATEGORY_ID, IS_INDEX, IsDELETED) VALUES "
        "(1, 'B', 'Beta', 'b', 3, 2, 0, 0), (2, 'A', 'Alpha', 'a', 3, 2, 1, 0), (3, 'Z', 'Zeta', 'z', 3, 1, "
        "0, 0),"
        "(4, 'D', 'Dead', 'd', 3, 1, 0, 1), (5, 'O', 'Other', 'o', 4, 1, 0, 0)");
    clsWL list = newList("Mine");
    for (std::int32_t id : {5, 4, 1}) {
        list.AddWLitem(company(id));
    }
    auto items = list.GetItems();
    ASSERT_EQ(items.count(), 2u);  // the deleted company is left out
    EXPECT_EQ(items.at(0).ID, 5);
    EXPECT_EQ(items.at(1).Symbol, "B");
    EXPECT_EQ(items.item("ID_1").Name, "Beta");
    EXPECT_EQ(items.item("ID_1").Market_ID, 3);
    EXPECT_EQ(items.item("ID_1").Category_ID, 2);

    clsWL system{-3, "Market 3", true};
    gArabic = true;
    items = system.GetItems();
    ASSERT_EQ(items.count(), 3u);
    // By sector, companies before indexes, then by name.
    EXPECT_EQ(items.at(0).ID, 3);
    EXPECT_EQ(items.at(1).ID, 1);
    EXPECT_EQ(items.at(2).ID, 2);
    EXPECT_TRUE(items.at(2).IS_INDEX);
    EXPECT_EQ(items.at(1).Name, "b");
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(UserRecords, SettingsValueIsStoredAsTyped) {
    exec("INSERT INTO Settings VALUES ('Period', '1', 'months'), ('Other', 'x', '')");
    clsSettings setting{"period", R"(6" OR 1=1)", ""};
    setting.UpdateDB();
    EXPECT_EQ(text(R"(SELECT "VALUE" FROM Settings WHERE SettingName = 'Period')"), R"(6" OR 1=1)");
    EXPECT_EQ(text(R"(SELECT "VALUE" FROM Settings WHERE SettingName = 'Other')"), "x");
    db().close();
    setting.UpdateDB();
    EXPECT_TRUE(logged(procname::kClsSettingsUpdateDB));
}
