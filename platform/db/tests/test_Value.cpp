#include <gtest/gtest.h>

#include "db/Value.h"

using namespace std::chrono;

TEST(Value, IsoDateFormatting) {
    EXPECT_EQ(db::formatIsoDate(db::Date{2005y, March, 9d}), "2005-03-09");
    EXPECT_EQ(db::formatIsoDate(db::Date{year(812), January, 1d}), "0812-01-01");
}

TEST(Value, IsoDateParsing) {
    struct Case {
        const char* text;
        std::optional<db::Date> expected;
    };
    const Case cases[] = {
        {"2009-12-31", db::Date{2009y, December, 31d}},
        {"2009-12-31 14:05:00", db::Date{2009y, December, 31d}},
        {"2008-02-29", db::Date{2008y, February, 29d}},
        {"2009-02-29", std::nullopt},  // no such day
        {"2009-13-01", std::nullopt},
        {"2009-1-01", std::nullopt},
        {"2009/12/31", std::nullopt},
        {"2009-12-31x", std::nullopt},
        {"0100-01-01", db::Date{year(100), January, 1d}},
        {"9999-12-31", db::Date{year(9999), December, 31d}},
        {"0099-12-31", std::nullopt},  // before the years a date may have
        {"0000-01-01", std::nullopt},
        {"20201-01-05", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& tc : cases) {
        EXPECT_EQ(db::parseIsoDate(tc.text), tc.expected) << tc.text;
    }
}

TEST(Value, StorableDatesAreTheYears100To9999) {
    EXPECT_TRUE(db::isStorableDate(db::Date{year(100), January, 1d}));
    EXPECT_TRUE(db::isStorableDate(db::Date{year(9999), December, 31d}));
    EXPECT_FALSE(db::isStorableDate(db::Date{year(99), December, 31d}));
    EXPECT_FALSE(db::isStorableDate(db::Date{year(10000), January, 1d}));
    EXPECT_FALSE(db::isStorableDate(db::Date{2009y, February, 29d}));
}

TEST(Value, TextLiteralIsTextNotBoolean) {
    const db::Value v("True");
    EXPECT_TRUE(std::holds_alternative<std::string>(v.storage()));
    EXPECT_TRUE(db::Value(std::optional<int>()).isNull());
    EXPECT_EQ(db::Value(std::optional<std::int32_t>(4)), db::Value(std::int32_t{4}));
}
