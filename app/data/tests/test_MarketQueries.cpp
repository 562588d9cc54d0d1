#include "MarketDbFixture.h"
#include "appdata/MarketQueries.h"
#include "appdata/ProcNames.h"

using namespace tarnwick;
using namespace std::chrono;

namespace {

class MarketQueries : public MarketDbTest {
protected:
    void SetUp() override {
        MarketDbTest::SetUp();
        exec(
            "INSERT INTO Category VALUES (1, 'Banks', 'bb', '', 0), (2, 'Autos', 'aa', '', 0), (3, 'Food', "
            "'ff', '', "
            "0)");
        exec(
            "INSERT INTO Company (ID, TICKER, NAME, ANAME, MARKET_ID, CATEGORY_ID, IS_INDEX, IsDELETED) "
            "VALUES "
            "(1, 'ORWE', 'Oriental Weavers', 'ow', 3, 1, 0, 0),"
            "(2, 'CIB', 'Commercial Bank', 'cb', 3, 1, 0, 0),"
            "(3, 'HRHO', 'Hermes 100%_Co', 'hh', 4, 2, 0, 0),"
            "(4, 'CASE', 'Case 30', 'cc', 3, 1, 1, 0),"
            "(5, 'DEAD', 'Dead Co', 'dd', 3, 1, 0, 1),"
            "(6, '', 'No Ticker A', 'na', 4, 2, 0, 0),"
            "(7, '', 'No Ticker B', 'nb', 4, 2, 0, 0),"
            "(8, 'QT', 'Bob''s \"Quoted\"', 'q', 4, 2, 0, 0)");
    }
    static std::string ids(const KeyedCollection<clsCompany>& companies) {
        std::string out;
        for (const auto& c : companies) {
            out += (out.empty() ? "" : " ") + std::to_string(c->ID);
        }
        return out;
    }
};

}  // namespace

TEST_F(MarketQueries, GetCompaniyInfoByTickerOrID) {
    struct Case {
        const char* ticker;
        std::int32_t id;
        const char* expected;
    };
    const Case cases[] = {
        {"orwe", 0, "1"},         // any case
        {"", 6, "6"},             // an empty ticker finds the number only
        {"", 5, ""},              // deleted
        {"", 99, ""},             // no such company
        {"ORWE", 2, "2 1"},       // both, by name
        {"x' OR '1'='1", 0, ""},  // a ticker is only ever a value
        {"QT", 0, "8"},
    };
    for (const Case& tc : cases) {
        EXPECT_EQ(ids(GetCompaniyInfo(tc.ticker, tc.id)), tc.expected) << tc.ticker << " " << tc.id;
    }
    const auto found = GetCompaniyInfo("", 1);
    const clsCompany& c = found.item("ID_1");
    EXPECT_EQ(c.Name, "Oriental Weavers");
    EXPECT_EQ(c.Symbol, "ORWE");
    EXPECT_EQ(c.Market_ID, 3);
    EXPECT_EQ(c.Category_ID, 1);
    EXPECT_FALSE(c.IS_INDEX);
    EXPECT_EQ(c.AName, "");
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(MarketQueries, SearchCompanies) {
    struct Case {
        const char* part;
        std::int32_t market;
        std::int32_t category;
        bool index;
        bool arabic;
        const char* expected;
    };
    const Case cases[] = {
        {"", -1, -1, false, false, "2 1 8 3 6 7"},  // by market, then name
        {"", -1, -1, true, false, "4"},
        {"", 4, -1, false, false, "8 3 6 7"},
        {"", 4, 2, false, false, "8 3 6 7"},
        {"", 3, 2, false, false, ""},
        {"bank", -1, -1, false, false, "2"},
        {"ow", -1, -1, false, false, ""},  // the English name only
        {"ow", -1, -1, false, true, "1"},  // the Arabic name only
        {"100%_", -1, -1, false, false, "3"},
        {"%", -1, -1, false, false, "3"},  // found as typed, not as a wildcard
        {"_", -1, -1, false, false, "3"},
        {"x' OR '1'='1", -1, -1, false, false, ""},
        {"\" OR \"\"=\"", -1, -1, false, false, ""},
        {"\"Quoted\"", -1, -1, false, false, "8"},
        {"'s", -1, -1, false, false, "8"},
    };
    for (const Case& tc : cases) {
        gArabic = tc.arabic;
        EXPECT_EQ(ids(SearchCompanies(tc.part, tc.market, tc.category, tc.index)), tc.expected) << tc.part;
    }
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(MarketQueries, SplitsInARangeOldestFirst) {
    exec(
        "INSERT INTO Split VALUES ('2005-01-01', 1, 2, 0), ('2005-06-30', 1, 1.5, 0), ('2005-03-01', 1, 3, "
        "1),"
        "('2005-12-31', 1, 4, 0), ('2006-01-01', 1, 5, 0), ('2005-05-05', 2, 6, 0)");
    const auto splits =
        GetSplits(1, year_month_day{2005y, January, 1d}, year_month_day{2005y, December, 31d});
    ASSERT_EQ(splits.count(), 3u);  // both ends included, the deleted one left out
    EXPECT_EQ(splits.at(0).dtDate, (year_month_day{2005y, January, 1d}));
    EXPECT_DOUBLE_EQ(splits.at(1).Ratio, 1.5);
    EXPECT_EQ(splits.at(2).dtDate, (year_month_day{2005y, December, 31d}));
    EXPECT_EQ(splits.at(2).CompanyID, 1);
    EXPECT_TRUE(GetSplits(3, year_month_day{2000y, January, 1d}, year_month_day{2010y, January, 1d}).empty());
}

TEST_F(MarketQueries, AllNotesNewestFirstWithDeletedOnes) {
    exec(
        "INSERT INTO Notes VALUES (1, '2005-01-02', 5, 'one', NULL, 0, 'N', 0),"
        "(2, '2007-01-02', 6, 'two', 'arabic two', 1, '', 1), (3, '2006-01-02', 7, NULL, 'x', 0, NULL, 0)");
    auto notes = GetAllNotes();
    ASSERT_EQ(notes.count(), 3u);
    EXPECT_EQ(notes.at(0).ID, 2);
    EXPECT_EQ(notes.at(1).ID, 3);
    EXPECT_EQ(notes.item("ID_3").Text, "");
    EXPECT_EQ(notes.item("ID_3").isNew, "");
    EXPECT_EQ(notes.item("ID_1").isNew, "N");
    EXPECT_EQ(notes.item("ID_2").CompanyID, 6);
    EXPECT_TRUE(notes.item("ID_2").HasImage);
    gArabic = true;
    notes = GetAllNotes();
    EXPECT_EQ(notes.item("ID_2").Text, "arabic two");
    EXPECT_EQ(notes.item("ID_1").Text, "");
}

TEST_F(MarketQueries, CategoriesOfAMarketOnceEach) {
    auto categories = ReadMarketCategories(3);
    ASSERT_EQ(categories.count(), 1u);  // four company rows of sector 1
    EXPECT_EQ(categories.item("ID_1").Name, "Banks");
    gArabic = true;
    categories = ReadMarketCategories(4);
    ASSERT_EQ(categories.count(), 1u);
    EXPECT_EQ(categories.item("ID_2").Name, "aa");
    EXPECT_TRUE(ReadMarketCategories(9).empty());
}

TEST_F(MarketQueries, FailingQueriesAreLoggedAndGiveEmptyResults) {
    db().close();
    EXPECT_TRUE(GetCompaniyInfo("A", 1).empty());
    EXPECT_TRUE(SearchCompanies("", -1, -1, false).empty());
    EXPECT_TRUE(GetAllNotes().empty());
    EXPECT_TRUE(GetSplits(1, year_month_day{2005y, January, 1d}, year_month_day{2005y, January, 2d}).empty());
    for (std::string_view name : {procname::kGetCompaniyInfo, procname::kSearchCompanies,
                                  procname::kGetAllNotes, procname::kGetSplits}) {
        EXPECT_TRUE(logged(name)) << name;
    }
    EXPECT_EQ(logRecords(), 4);
    EXPECT_THROW(ReadMarketCategories(3), db::Error);
}
