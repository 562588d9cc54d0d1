#include "MarketDbFixture.h"
#include "appdata/ProcNames.h"
#include "appdata/records/clsDailyData.h"
#include "appdata/records/clsNote.h"
#include "appdata/records/clsSplit.h"

using namespace tarnwick;
using namespace std::chrono;

namespace {

class PriceRecords : public MarketDbTest {
protected:
    void SetUp() override {
        MarketDbTest::SetUp();
        EnsureMarketDailyTable(db(), 4);
        EnsureMarketDailyTable(db(), 5);
    }

    static clsDailyData daily(const std::string& line) {
        clsDailyData row;
        EXPECT_TRUE(row.ParseParameters(line)) << line;
        return row;
    }
    static std::string dailyRow(const char* table) {
        return text(
            std::string("SELECT DATE || '/' || COMPANYID || '/' || TotalShares || '/' || TotalAmount || '/' "
                        "|| OpeningPrice || '/' || MaxPrice || '/' || MinPrice || '/' || ClosingPrice || "
                        "'/' || isDELETED FROM ") +
            table);
    }
};

}  // namespace

TEST_F(PriceRecords, ParseDailyLine) {
    const clsDailyData row = daily("2005-3-9|77|1500|37500.5|24.5|25.75|24|25.25|NO|4");
    EXPECT_EQ(row.Date, (year_month_day{2005y, March, 9d}));
    EXPECT_EQ(row.CompanyID, 77);
    EXPECT_DOUBLE_EQ(row.TotalShares, 1500);
    EXPECT_DOUBLE_EQ(row.TotalAmount, 37500.5);
    EXPECT_DOUBLE_EQ(row.OpeningPrice, 24.5);
    EXPECT_DOUBLE_EQ(row.MaxPrice, 25.75);
    EXPECT_DOUBLE_EQ(row.MinPrice, 24);
    EXPECT_DOUBLE_EQ(row.ClosingPrice, 25.25);
    EXPECT_FALSE(row.isDeleted);
    EXPECT_EQ(row.MarketID, 4);
}

TEST_F(PriceRecords, ShortOrMalformedLinesOfEveryPriceRecord) {
    struct Case {
        const char* name;
        std::function<bool(std::string_view)> parse;
        const char* line;
        bool logs;
    };
    const auto dailyParse = [](std::string_view l) { return clsDailyData().ParseParameters(l); };
    const auto splitParse = [](std::string_view l) { return clsSplit().ParseParameters(l); };
    const auto noteParse = [](std::string_view l) { return clsNote().ParseParameters(l); };
    const Case cases[] = {
        {"daily, one field", dailyParse, "2005-3-9", false},
        {"daily, nine fields", dailyParse, "2005-3-9|77|1|2|3|4|5|6|NO", true},
        {"daily, date with slashes", dailyParse, "2005/3/9|77|1|2|3|4|5|6|NO|4", true},
        {"daily, impossible day", dailyParse, "2005-2-30|77|1|2|3|4|5|6|NO|4", true},
        {"daily, empty price", dailyParse, "2005-3-9|77|1||3|4|5|6|NO|4", true},
        {"daily, comma decimal", dailyParse, "2005-3-9|77|1|2,5|3|4|5|6|NO|4", true},
        {"split, empty line", splitParse, "", false},
        {"split, three fields", splitParse, "2005-3-9|77|2", true},
        {"split, bad ratio", splitParse, "2005-3-9|77|two|NO", true},
        {"note, one field", noteParse, "12", false},
        {"note, six fields", noteParse, "12|77|2005-3-9|t|a|NO", true},
    };
    for (const Case& tc : cases) {
        const int before = logRecords();
        EXPECT_FALSE(tc.parse(tc.line)) << tc.name;
        EXPECT_EQ(logRecords() - before, tc.logs ? 1 : 0) << tc.name;
    }
    EXPECT_TRUE(logged(procname::kClsDailyDataParseParameters));
    EXPECT_TRUE(logged(procname::kClsSplitParseParameters));
    EXPECT_TRUE(logged(procname::kClsNoteParseParameters));
}

TEST_F(PriceRecords, DailyRowGoesOnlyIntoItsMarketsTable) {
    daily("2005-3-9|77|1500|37500.5|24.5|25.75|24|25.25|NO|4").InsertDB();
    EXPECT_EQ(dailyRow("MARKETDAILY4"), "2005-03-09/77/1500.0/37500.5/24.5/25.75/24.0/25.25/0");
    EXPECT_EQ(count("SELECT count(*) FROM MARKETDAILY5"), 0);
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(PriceRecords, InsertingAnExistingDayChangesNothingAndLogsNothing) {
    daily("2005-3-9|77|1|2|3|4|5|6|NO|4").InsertDB();
    daily("2005-3-9|77|9|9|9|9|9|9|NO|4").InsertDB();
    EXPECT_EQ(dailyRow("MARKETDAILY4"), "2005-03-09/77/1.0/2.0/3.0/4.0/5.0/6.0/0");
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(PriceRecords, ADailyRowThatCannotBeStoredIsLogged) {
    daily("2005-3-9|77|1|2|3|4|5|6|NO|9").InsertDB();  // market 9 has no daily table
    EXPECT_EQ(logRecords(), 1);
    EXPECT_TRUE(logged(procname::kClsDailyDataInsertDB));
}

TEST_F(PriceRecords, DeletedFlagInsertsAMarkedRowButUpdateRemovesIt) {
    daily("2005-3-9|77|1|2|3|4|5|6|YES|4").InsertDB();
    EXPECT_EQ(count("SELECT isDELETED FROM MARKETDAILY4"), 1);
    daily("2005-3-10|77|1|2|3|4|5|6|NO|4").InsertDB();
    daily("2005-3-9|77|0|0|0|0|0|0|YES|4").UpdateDB();
    EXPECT_EQ(count("SELECT count(*) FROM MARKETDAILY4"), 1);
    EXPECT_EQ(text("SELECT DATE FROM MARKETDAILY4"), "2005-03-10");
}

TEST_F(PriceRecords, UpdateReplacesTheSixValues) {
    daily("2005-3-9|77|1|2|3|4|5|6|NO|4").InsertDB();
    daily("2005-3-9|78|1|2|3|4|5|6|NO|4").InsertDB();
    daily("2005-3-9|77|10|20|30|40|50|60|NO|4").UpdateDB();
    EXPECT_EQ(text("SELECT TotalShares || '/' || ClosingPrice FROM MARKETDAILY4 WHERE COMPANYID = 77"),
              "10.0/60.0");
    EXPECT_EQ(text("SELECT TotalShares || '/' || ClosingPrice FROM MARKETDAILY4 WHERE COMPANYID = 78"),
              "1.0/6.0");
    daily("2005-3-9|77|1|2|3|4|5|6|NO|9").UpdateDB();
    EXPECT_TRUE(logged(procname::kClsDailyDataUpdateDB));
}

TEST_F(PriceRecords, SplitInsertThenUpdateByDateAndCompany) {
    clsSplit split;
    ASSERT_TRUE(split.ParseParameters("2006-12-31|77|2.5|NO"));
    EXPECT_EQ(split.dtDate, (year_month_day{2006y, December, 31d}));
    EXPECT_DOUBLE_EQ(split.Ratio, 2.5);
    split.InsertDB();
    ASSERT_TRUE(split.ParseParameters("2006-12-31|77|3|YES"));
    split.InsertDB();
    ASSERT_TRUE(split.ParseParameters("2006-12-31|78|4|NO"));
    split.InsertDB();
    EXPECT_EQ(count("SELECT count(*) FROM Split"), 2);
    EXPECT_EQ(text("SELECT SPLITDATE || '/' || Ratio || '/' || isDELETED FROM Split WHERE COMPANYID = 77"),
              "2006-12-31/3.0/1");
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(PriceRecords, NoteLineStoredTwiceLeavesOneUnreadRow) {
    clsNote note;
    ASSERT_TRUE(note.ParseParameters("12|77|2005-3-9|Profit up|\xD8\xB1\xD8\xA8\xD8\xAD|YES|NO"));
    EXPECT_EQ(note.ID, 12);
    EXPECT_EQ(note.CompanyID, 77);
    EXPECT_EQ(note.NoteDate, (year_month_day{2005y, March, 9d}));
    EXPECT_EQ(note.Text, "Profit up");
    EXPECT_TRUE(note.HasImage);
    EXPECT_FALSE(note.isDeleted);
    note.InsertDB();

    note.isNew = "";
    note.UpdateDB();  // the user opened it
    EXPECT_EQ(text("SELECT isNew FROM Notes WHERE ID = 12"), "");

    ASSERT_TRUE(note.ParseParameters(R"(12|77|2005-3-10|Profit "up" 10%|x'y|NO|NO)"));
    note.InsertDB();
    EXPECT_EQ(count("SELECT count(*) FROM Notes"), 1);
    EXPECT_EQ(
        text("SELECT NOTEDATE || '/' || Text || '/' || AText || '/' || HasImage || '/' || isNew FROM Notes"),
        R"(2005-03-10/Profit "up" 10%/x'y/0/N)");
    EXPECT_EQ(logRecords(), 0);
}

TEST_F(PriceRecords, NoteTextsPassThroughTheLetterTable) {
    clsNote note;
    ASSERT_TRUE(note.ParseParameters("1|2|2005-3-9|a|\xD8\xA7\xD8\xA0|NO|NO"));  // alef, then a table gap
    note.InsertDB();
    EXPECT_EQ(text("SELECT AText FROM Notes"), "\u0627 ");
}
