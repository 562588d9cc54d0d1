#include "MarketDbFixture.h"
#include "appdata/ProcNames.h"
#include "appdata/records/clsCategory.h"
#include "appdata/records/clsCompany.h"
#include "appdata/records/clsMarket.h"

using namespace tarnwick;
using namespace std::chrono;

namespace {

using MarketRecords = MarketDbTest;

clsCompany companyFrom(const std::string& line) {
    clsCompany company;
    EXPECT_TRUE(company.ParseParameters(line)) << line;
    return company;
}

}  // namespace

TEST_F(MarketRecords, ParseMarketLine) {
    clsMarket market;
    ASSERT_TRUE(market.ParseParameters("7|Cairo|\xD9\x85\xD8\xB5\xD8\xB1|CASE|NO"));
    EXPECT_EQ(market.ID, 7);
    EXPECT_EQ(market.Name, "Cairo");
    EXPECT_EQ(market.AName, "\u0645\u0635\u0631");
    EXPECT_EQ(market.Aprev, "CASE");
    EXPECT_FALSE(market.isDeleted);
    ASSERT_TRUE(market.ParseParameters("7|Cairo|x|CASE|"));
    EXPECT_TRUE(market.isDeleted);
}

TEST_F(MarketRecords, ShortAndMalformedLinesChangeNothing) {
    struct Case {
        const char* line;
        bool logs;
    };
    const Case cases[] = {
        {"", false},
        {"7", false},
        {"7|Cairo", true},
        {"7|Cairo|x|y", true},
        {"x7|Cairo|a|b|NO", true},
        {"99999999999|C|a|b|NO", true},
    };
    for (const Case& tc : cases) {
        clsMarket market;
        market.ID = 1;
        market.Name = "kept";
        const int before = logRecords();
        EXPECT_FALSE(market.ParseParameters(tc.line)) << tc.line;
        EXPECT_EQ(market.ID, 1) << tc.line;
        EXPECT_EQ(market.Name, "kept") << tc.line;
        EXPECT_EQ(logRecords() - before, tc.logs ? 1 : 0) << tc.line;
    }
    EXPECT_TRUE(logged(procname::kClsMarketParseParameters));
}

TEST_F(MarketRecords, CompanyLineOfTwoFieldsFailsAndLogsOnce) {
    clsCompany company;
    EXPECT_FALSE(company.ParseParameters("5|ABC"));
    EXPECT_EQ(logRecords(), 1);
    EXPECT_TRUE(logged("clsComapny_ParseParameters"));
    EXPECT_EQ(company.ID, 0);
}

TEST_F(MarketRecords, ParseCompanyLine) {
    const clsCompany c = companyFrom("12|ORWE|Oriental Weavers|\xD8\xA7|3|4|Carpets|NO|NO");
    EXPECT_EQ(c.ID, 12);
    EXPECT_EQ(c.Symbol, "ORWE");
    EXPECT_EQ(c.Name, "Oriental Weavers");
    EXPECT_EQ(c.AName, "\u0627");
    EXPECT_EQ(c.Market_ID, 3);
    EXPECT_EQ(c.Category_ID, 4);
    EXPECT_EQ(c.Description, "Carpets");
    EXPECT_FALSE(c.IS_INDEX);
    EXPECT_FALSE(c.isDeleted);
    const clsCompany index = companyFrom("13|CASE30|Index||3|4||YES|x");
    EXPECT_TRUE(index.IS_INDEX);
    EXPECT_TRUE(index.isDeleted);
}

TEST_F(MarketRecords, CategoryDeletionFlagAsText) {
    struct Case {
        const char* line;
        const char* isDeleted;
        std::int64_t stored;
    };
    const Case cases[] = {
        {"4|Banks|b|BK|NO", "False", 0}, {"4|Banks|b|BK|YES", "True", 1}, {"4|Banks|b|BK|", "True", 1}};
    for (const Case& tc : cases) {
        clsCategory category;
        ASSERT_TRUE(category.ParseParameters(tc.line));
        EXPECT_EQ(category.isDeleted, tc.isDeleted);
        category.InsertDB();
        EXPECT_EQ(count(R"(SELECT isDELETED FROM Category WHERE ID = 4)"), tc.stored) << tc.line;
    }
    EXPECT_EQ(count("SELECT count(*) FROM Category"), 1);
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(MarketRecords, CategoryWithANonBooleanMarkIsLoggedNotStored) {
    clsCategory category;
    category.ID = 2;
    category.isDeleted = "maybe";
    category.InsertDB();
    EXPECT_EQ(count("SELECT count(*) FROM Category"), 0);
    EXPECT_TRUE(logged(procname::kClsCategoryInsertDB));
}

TEST_F(MarketRecords, MarketInsertThenUpdateKeepsTheTags) {
    clsMarket market;
    ASSERT_TRUE(market.ParseParameters("12|Tadawul|t|TASI|NO"));
    market.InsertDB();
    EXPECT_TRUE(db().tableExists("MARKETDAILY12"));
    EXPECT_EQ(text("SELECT UpdateDataTag FROM Markets WHERE ID = 12"), "<NULL>");

    market.UpdateDataTag = "D-1";
    market.ChangeDataTag();
    market.UpdateNotesTag = "N-1";
    market.ChangeNotesTag();
    ASSERT_TRUE(market.ParseParameters("12|Saudi|s|SA|YES"));
    market.InsertDB();
    EXPECT_EQ(count("SELECT count(*) FROM Markets"), 1);
    EXPECT_EQ(
        text("SELECT NAME || '/' || ANAME || '/' || APREV || '/' || isDELETED || '/' || UpdateDataTag || '/' "
             "|| UpdateNotesTag FROM Markets WHERE ID = 12"),
        "Saudi/s/SA/1/D-1/N-1");
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(MarketRecords, QuotesAreStoredAsTyped) {
    clsMarket market;
    ASSERT_TRUE(market.ParseParameters(R"(1|Bob's "Big" Board|a'b|"|NO)"));
    market.InsertDB();
    EXPECT_EQ(text("SELECT NAME FROM Markets WHERE ID = 1"), R"(Bob's "Big" Board)");
    EXPECT_EQ(text("SELECT APREV FROM Markets WHERE ID = 1"), R"(")");
    market.UpdateDataTag = R"(x" WHERE 1=1; --)";
    market.ChangeDataTag();
    EXPECT_EQ(text("SELECT UpdateDataTag FROM Markets WHERE ID = 1"), R"(x" WHERE 1=1; --)");
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(MarketRecords, StoringAnExistingCompanyKeepsItsDrawings) {
    companyFrom("5|ABC|Abc Co|a|1|2|first|NO|NO").InsertDB();
    exec("UPDATE Company SET DrawingInfo = 'lines', AnnotationInfo = 'notes' WHERE ID = 5");
    companyFrom(R"(5|ABD|Abd "Co"|b|3|4|second|YES|YES)").InsertDB();
    EXPECT_EQ(count("SELECT count(*) FROM Company"), 1);
    EXPECT_EQ(
        text("SELECT TICKER || '/' || NAME || '/' || ANAME || '/' || MARKET_ID || '/' || CATEGORY_ID || '/' "
             "|| DESCRIPTION || '/' || IS_INDEX || '/' || IsDELETED || '/' || DrawingInfo || '/' || "
             "AnnotationInfo FROM Company"),
        R"(ABD/Abd "Co"/b/3/4/second/1/1/lines/notes)");
}

TEST_F(MarketRecords, CompanyInsertErrorsReachTheCaller) {
    db().close();
    clsCompany company;
    EXPECT_THROW(company.InsertDB(), db::Error);
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(MarketRecords, GetNotesNewestFirstInTheDisplayLanguage) {
    exec("INSERT INTO Notes VALUES (1, '2005-01-02', 5, 'old', NULL, 0, 'N', 0)");
    exec("INSERT INTO Notes VALUES (2, '2006-01-02', 5, NULL, 'arabic', 1, NULL, 1)");
    exec("INSERT INTO Notes VALUES (3, '2007-01-02', 6, 'other company', 'x', 0, 'N', 0)");
    clsCompany company;
    company.ID = 5;
    auto notes = company.GetNotes();
    ASSERT_EQ(notes.count(), 2u);
    EXPECT_EQ(notes.at(0).ID, 2);  // deleted notes are listed too
    EXPECT_EQ(notes.at(0).Text, "");
    EXPECT_EQ(notes.at(0).isNew, "");
    EXPECT_TRUE(notes.at(0).HasImage);
    EXPECT_EQ(notes.item("ID_1").Text, "old");
    EXPECT_EQ(notes.item("ID_1").NoteDate, (year_month_day{2005y, January, 2d}));
    EXPECT_EQ(notes.item("ID_1").isNew, "N");

    gArabic = true;
    notes = company.GetNotes();
    EXPECT_EQ(notes.item("ID_2").Text, "arabic");
    EXPECT_EQ(notes.item("ID_1").Text, "");
    EXPECT_EQ(logRecords(), 0);
}
