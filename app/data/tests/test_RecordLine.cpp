#include <gtest/gtest.h>

#include <functional>

#include "ErrorNumber.h"
#include "appdata/AppError.h"
#include "appdata/RecordLine.h"

using namespace tarnwick;
using namespace std::chrono;

namespace {

using tarnwick::test::errorNumber;

}  // namespace

TEST(RecordLine, FieldsAndConversions) {
    const RecordLine line("2005-3-9| 42 |1.5e3|-0.25|NO||yes");
    ASSERT_EQ(line.size(), 7u);
    EXPECT_EQ(line.date(0), (year_month_day{2005y, March, 9d}));
    EXPECT_EQ(line.int32(1), 42);
    EXPECT_DOUBLE_EQ(line.real(2), 1500.0);
    EXPECT_DOUBLE_EQ(line.real(3), -0.25);
    EXPECT_FALSE(line.flag(4));
    EXPECT_TRUE(line.flag(5));  // empty is not "NO"
    EXPECT_TRUE(line.flag(6));
    EXPECT_EQ(RecordLine("5-3-9|99-12-31|100-1-1").date(0), (year_month_day{2005y, March, 9d}));
    EXPECT_EQ(RecordLine("5-3-9|99-12-31|100-1-1").date(1), (year_month_day{1999y, December, 31d}));
    EXPECT_EQ(RecordLine("5-3-9|99-12-31|100-1-1").date(2), (year_month_day{year(100), January, 1d}));
    EXPECT_EQ(RecordLine("").size(), 0u);
    EXPECT_EQ(RecordLine("a||").size(), 3u);
    EXPECT_EQ(RecordLine("no bar").size(), 1u);
}

TEST(RecordLine, MalformedFieldsRaise) {
    const RecordLine line("x|2147483648|1,5|inf|2005-02-29|2005/03/09|05-3|no|2005-13-01|-5-1-1");
    struct Case {
        std::function<void()> read;
        std::int32_t number;
    };
    const Case cases[] = {
        {[&] { line.int32(0); }, 13}, {[&] { line.int32(1); }, 6}, {[&] { line.real(2); }, 13},
        {[&] { line.real(3); }, 13},  {[&] { line.date(4); }, 13}, {[&] { line.date(5); }, 13},
        {[&] { line.date(6); }, 13},  {[&] { line.text(10); }, 9}, {[&] { line.require(11); }, 9},
        {[&] { line.date(8); }, 13},  {[&] { line.date(9); }, 13}, {[&] { line.int32(0x7fff); }, 9},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(errorNumber(cases[i].read), cases[i].number) << i;
    }
    EXPECT_TRUE(line.flag(7));  // "no" is not exactly "NO"
}

TEST(RecordLine, BlankAndManyFields) {
    const RecordLine blanks("   | |  7  | 2005 - 3 - 9 ");
    EXPECT_EQ(errorNumber([&] { blanks.int32(0); }), 13);
    EXPECT_EQ(errorNumber([&] { blanks.real(1); }), 13);
    EXPECT_EQ(blanks.int32(2), 7);
    EXPECT_EQ(blanks.date(3), (year_month_day{2005y, March, 9d}));
    EXPECT_EQ(blanks.text(0), "   ");

    std::string line;
    for (int n = 0; n < 40; ++n) {
        line += std::to_string(n) + "|";
    }
    const RecordLine many(line);
    ASSERT_EQ(many.size(), 41u);
    EXPECT_EQ(many.int32(39), 39);
    EXPECT_EQ(many.text(40), "");
}

TEST(RecordLine, YearsEndAt9999) {
    EXPECT_EQ(RecordLine("9999-12-31").date(0), (year_month_day{year(9999), December, 31d}));
    // 20201 would be stored as text that sorts between 2020 and 2021.
    EXPECT_EQ(errorNumber([] { RecordLine("20201-1-5").date(0); }), 13);
    EXPECT_EQ(errorNumber([] { RecordLine("10000-1-1").date(0); }), 13);
}
