#include <gtest/gtest.h>

#include "TestHome.h"
#include "appdata/ErrorLog.h"
#include "appdata/ProcNames.h"
#include "appdata/Translate2Date.h"
#include "appdata/Trap.h"
#include "db/Connection.h"

using namespace tarnwick;
using namespace std::chrono;

namespace {

class TrapTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetErrorLogClock([] { return std::string("T"); });
    }
    void TearDown() override { SetErrorLogClock({}); }
    std::string log() const { return readFile(home / "Tarnwick.log"); }

    TestHome home;
};

}  // namespace

TEST_F(TrapTest, LogsTheErrorAndLeavesTheResultAsItStood) {
    int result = 7;
    Trap(procname::kClsWLAddWLitem, [&] {
        result = 8;
        throw AppError(5, "Invalid procedure call or argument");
        result = 9;
    });
    EXPECT_EQ(result, 8);
    EXPECT_EQ(log(),
              "T\r\nNumber: 5\r\nDescription: Invalid procedure call or argument\r\n"
              "Function:clsWL_AddWLItem\r\n\r\n");
}

TEST_F(TrapTest, DatabaseErrorsKeepTheirNumberAndText) {
    db::Connection c = db::Connection::openInMemory();
    Trap(procname::kClsTemplateInsertDB, [&] { c.execute("INSERT INTO nowhere VALUES (1)"); });
    const std::string text = log();
    EXPECT_NE(text.find("Number: -2147467259\r\n"), std::string::npos);
    EXPECT_NE(text.find("Description: no such table: nowhere\r\n"), std::string::npos);
    EXPECT_NE(text.find("Function:clsTemplate_InsertDB\r\n"), std::string::npos);
}

TEST_F(TrapTest, NothingIsLoggedWithoutAnError) {
    bool ran = false;
    Trap(procname::kClsNoteUpdateDB, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(std::filesystem::exists(home / "Tarnwick.log"));
}

TEST(ProcNames, KeepTheLoggedSpellings) {
    EXPECT_EQ(procname::kClsWLGetItems, "clsWL_GetItem");
    EXPECT_EQ(procname::kClsWLAddWLitem, "clsWL_AddWLItem");
    EXPECT_EQ(procname::kClsCompanyParseParameters, "clsComapny_ParseParameters");
    EXPECT_EQ(procname::kFrmMainFormLoad, "frmMain Form_Load");
}

TEST_F(TrapTest, Translate2DateLiterals) {
    struct Case {
        db::Date date;
        const char* literal;
    };
    const Case cases[] = {
        {db::Date{2005y, March, 9d}, "#2005-03-09#"},
        {db::Date{2009y, December, 31d}, "#2009-12-31#"},
        {db::Date{2010y, January, 1d}, "#2010-01-01#"},
        {db::Date{year(812), October, 10d}, "#812-10-10#"},  // the year is not padded
    };
    for (const Case& tc : cases) {
        EXPECT_EQ(Translate2Date(tc.date), tc.literal);
    }
    EXPECT_FALSE(std::filesystem::exists(home / "Tarnwick.log"));
}

TEST_F(TrapTest, Translate2DateOfAnImpossibleDayIsLoggedAndEmpty) {
    EXPECT_EQ(Translate2Date(db::Date{2009y, February, 29d}), "");
    EXPECT_NE(log().find("Number: 13\r\nDescription: Type mismatch\r\nFunction:Translate2Date\r\n"),
              std::string::npos);
}
