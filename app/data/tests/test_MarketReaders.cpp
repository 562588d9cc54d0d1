#include "MarketDbFixture.h"
#include "appdata/MarketReaders.h"

using namespace tarnwick;

namespace {

class MarketReaders : public MarketDbTest {
protected:
    void SetUp() override {
        MarketDbTest::SetUp();
        // Market 12's tags are NULL, as for a market first stored from the update stream.
        exec(
            "INSERT INTO Markets VALUES (3, 'Zagreb', 'zz', 'ZSE', 0, 'D3', 'N3'), (12, 'Amman', 'aa', "
            "'ASE', 0, NULL, "
            "NULL), (7, 'Gone', 'gg', 'G', 1, 'x', 'y')");
        exec(
            "INSERT INTO Category VALUES (1, 'Banks', 'bb', 'BK', 0), (2, 'Autos', NULL, NULL, 0), (3, "
            "'Old', 'o', "
            "'O', 1)");
        exec("INSERT INTO WatchLists VALUES (12, 'Twelve'), (1, NULL)");
        exec("INSERT INTO Templates VALUES (2, 'Bars'), (1, 'Lines')");
        exec(
            "INSERT INTO Settings VALUES ('Period', '3', 'months'), ('Empty', NULL, NULL), ('Blank', '', "
            "'b')");
    }
};

}  // namespace

TEST_F(MarketReaders, MarketsAreLiveAndOrderedByEnglishName) {
    for (bool arabic : {false, true}) {
        gArabic = arabic;
        ReadMarkets();
        ASSERT_EQ(gMarkets.count(), 2u);
        EXPECT_EQ(gMarkets.at(0).ID, 12);
        EXPECT_EQ(gMarkets.at(1).ID, 3);
        EXPECT_EQ(gMarkets.item("ID_3").Name, arabic ? "zz" : "Zagreb");
        EXPECT_FALSE(ExistsInCollection("ID_7", gMarkets));
    }
    const clsMarket& zagreb = gMarkets.item("ID_3");
    EXPECT_EQ(zagreb.Aprev, "ZSE");
    EXPECT_EQ(zagreb.UpdateDataTag, "D3");
    EXPECT_EQ(zagreb.UpdateNotesTag, "N3");
    EXPECT_EQ(zagreb.AName, "");  // left unset by the reader
    EXPECT_EQ(gMarkets.item("ID_12").UpdateDataTag, "");
}

TEST_F(MarketReaders, CategoriesAreLiveWithNullTextsEmpty) {
    gArabic = true;
    ReadCategories();
    ASSERT_EQ(gCategories.count(), 2u);
    EXPECT_EQ(gCategories.at(0).ID, 2);
    EXPECT_EQ(gCategories.at(0).Name, "");
    EXPECT_EQ(gCategories.item("ID_1").Name, "bb");
    EXPECT_EQ(gCategories.item("ID_1").Aprev, "");
}

TEST_F(MarketReaders, WatchListsHaveOneSystemListPerLiveMarketFirst) {
    gArabic = true;
    ReadWatchLists();
    ASSERT_EQ(gWatchLists.count(), 4u);
    const clsWL& system12 = gWatchLists.item("ID_-12");
    EXPECT_EQ(system12.ID, -12);
    EXPECT_TRUE(system12.isSystem);
    EXPECT_EQ(system12.Name, "aa");
    EXPECT_EQ(gWatchLists.at(1).ID, -3);
    const clsWL& user12 = gWatchLists.item("ID_12");
    EXPECT_FALSE(user12.isSystem);
    EXPECT_EQ(user12.Name, "Twelve");  // user lists keep their one name
    EXPECT_EQ(gWatchLists.item("ID_1").Name, "");
    EXPECT_FALSE(ExistsInCollection("ID_-7", gWatchLists));
}

TEST_F(MarketReaders, NoMarketsMeansOnlyUserLists) {
    exec("DELETE FROM Markets");
    ReadMarkets();
    ReadWatchLists();
    EXPECT_TRUE(gMarkets.empty());
    ASSERT_EQ(gWatchLists.count(), 2u);
    EXPECT_FALSE(gWatchLists.at(0).isSystem);
}

TEST_F(MarketReaders, SettingsAndTemplates) {
    ReadSettings();
    ASSERT_EQ(gSettings.count(), 3u);
    EXPECT_EQ(gSettings.item("Period").Value, "3");
    EXPECT_EQ(gSettings.item("Period").Description, "months");
    EXPECT_EQ(gSettings.item("Empty").Value, "");
    EXPECT_EQ(gSettings.item("Blank").Value, "");
    ReadTemplates();
    ASSERT_EQ(gTemplates.count(), 2u);
    EXPECT_EQ(gTemplates.item("ID_2").Name, "Bars");
}

TEST_F(MarketReaders, ASecondCallReplacesTheCollection) {
    ReadMarkets();
    ReadSettings();
    exec("UPDATE Markets SET isDELETED = 1 WHERE ID = 3");
    exec("DELETE FROM Settings WHERE SettingName <> 'Period'");
    ReadMarkets();
    ReadSettings();
    ASSERT_EQ(gMarkets.count(), 1u);
    EXPECT_EQ(gMarkets.at(0).ID, 12);
    EXPECT_EQ(gSettings.count(), 1u);
}

TEST_F(MarketReaders, ErrorsReachTheCaller) {
    exec("DROP TABLE Templates");
    EXPECT_THROW(ReadTemplates(), db::Error);
    EXPECT_EQ(logRecords(), 0);
}
