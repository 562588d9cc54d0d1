#include <gtest/gtest.h>

#include <cmath>

#include "com/OleDate.h"

using namespace com;

namespace {

CalendarTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return {y, mo, d, h, mi, s};
}

}  // namespace

TEST(OleDate, KnownDatesBothWays) {
    struct Case {
        DATE date;
        CalendarTime time;
    };
    // Day numbers as automation counts them; 1900-02-28 (60) and 1900-03-01 (61) are consecutive
    // because 1900 was not a leap year.
    const Case cases[] = {
        {0.0, at(1899, 12, 30)},       {1.0, at(1899, 12, 31)},         {2.0, at(1900, 1, 1)},
        {60.0, at(1900, 2, 28)},       {61.0, at(1900, 3, 1)},          {25569.0, at(1970, 1, 1)},
        {36526.5, at(2000, 1, 1, 12)}, {45351.75, at(2024, 2, 29, 18)}, {-1.25, at(1899, 12, 29, 6)},
        {-2.5, at(1899, 12, 28, 12)},  {-1.0, at(1899, 12, 29)},        {-657434.0, at(100, 1, 1)},
        {2958465.0, at(9999, 12, 31)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fromOleDate(c.date), c.time) << c.date;
        EXPECT_EQ(toOleDate(c.time), c.date) << c.date;
    }
}

TEST(OleDate, NegativeFractionIsTheTimeOfDay) {
    // -0.25 and 0.25 are the same moment: the day is 0 either way.
    EXPECT_EQ(fromOleDate(-0.25), at(1899, 12, 30, 6));
    EXPECT_EQ(toOleDate(at(1899, 12, 30, 6)), 0.25);
    const auto t = fromOleDate(-1.0 - 13.0 / 24 - 7.0 / 1440);
    EXPECT_EQ(t, at(1899, 12, 29, 13, 7));
}

TEST(OleDate, RoundsToTheNearestSecondAcrossMidnight) {
    EXPECT_EQ(fromOleDate(36526.0 + 0.4 / 86400), at(2000, 1, 1));
    EXPECT_EQ(fromOleDate(36526.0 + 1.6 / 86400), at(2000, 1, 1, 0, 0, 2));
    EXPECT_EQ(fromOleDate(36526.0 + 86399.7 / 86400), at(2000, 1, 2));
    // Below zero the next calendar day is one day nearer zero.
    EXPECT_EQ(fromOleDate(-1.0 - 86399.7 / 86400), at(1899, 12, 30));
}

TEST(OleDate, RejectsInvalidCalendarTimesAndDates) {
    EXPECT_TRUE(toOleDate(at(2024, 2, 29)));
    EXPECT_TRUE(toOleDate(at(2000, 2, 29)));
    const CalendarTime invalid[] = {at(2023, 2, 29),       at(1900, 2, 29),         at(2024, 4, 31),
                                    at(2024, 13, 1),       at(2024, 0, 1),          at(2024, 1, 0),
                                    at(99, 12, 31),        at(10000, 1, 1),         at(2024, 1, 1, 24),
                                    at(2024, 1, 1, 0, 60), at(2024, 1, 1, 0, 0, 60)};
    for (const CalendarTime& t : invalid)
        EXPECT_FALSE(toOleDate(t)) << t.year << '-' << t.month << '-' << t.day;
    for (DATE d : {-657435.0, 2958466.0, double{NAN}, double{INFINITY}, 2958465.0 + 86399.7 / 86400}) {
        EXPECT_FALSE(fromOleDate(d)) << d;
    }
    EXPECT_TRUE(fromOleDate(-657434.999));
}

TEST(OleDate, Weekday) {
    struct Case {
        DATE date;
        int weekday;  // Sunday = 1
    };
    const Case cases[] = {{0.0, 7},      {1.0, 1},   {25569.0, 5}, {36526.0, 7},
                          {45351.75, 5}, {-1.25, 6}, {-7.0, 7},    {2958465.0, 6}};
    for (const Case& c : cases) {
        EXPECT_EQ(weekday(c.date), c.weekday) << c.date;
        EXPECT_EQ(weekdayFromSunday0(c.date), c.weekday - 1) << c.date;
    }
    EXPECT_EQ(weekday(NAN), 0);
}

TEST(OleDate, AddMonthsClampsToTheMonthEnd) {
    struct Case {
        CalendarTime from;
        int months;
        CalendarTime to;
    };
    const Case cases[] = {
        {at(2023, 1, 31), 1, at(2023, 2, 28)},
        {at(2024, 1, 31), 1, at(2024, 2, 29)},
        {at(2024, 3, 31), -1, at(2024, 2, 29)},
        {at(2024, 1, 15, 9, 30), -13, at(2022, 12, 15, 9, 30)},
        {at(2024, 2, 29), 12, at(2025, 2, 28)},
        {at(2024, 10, 31), 4, at(2025, 2, 28)},
        {at(1899, 12, 30, 6), -1, at(1899, 11, 30, 6)},
    };
    for (const Case& c : cases) {
        const auto result = addMonths(*toOleDate(c.from), c.months);
        ASSERT_TRUE(result);
        EXPECT_EQ(fromOleDate(*result), c.to) << c.from.year << '-' << c.from.month << " + " << c.months;
    }
    EXPECT_EQ(fromOleDate(*addYears(*toOleDate(at(2024, 2, 29)), 1)), at(2025, 2, 28));
    EXPECT_EQ(fromOleDate(*addYears(*toOleDate(at(2024, 2, 29)), -4)), at(2020, 2, 29));
    EXPECT_FALSE(addMonths(2958465.0, 1));
    EXPECT_FALSE(addMonths(-657434.0, -1));
    EXPECT_FALSE(addYears(36526.0, 2000000000));
}

TEST(OleDate, IsoTextOutAndIn) {
    EXPECT_EQ(formatIsoDate(-1.25), "1899-12-29");
    EXPECT_EQ(formatIsoDateTime(-1.25), "1899-12-29 06:00:00");
    EXPECT_EQ(formatIsoDateTime(2958465.0), "9999-12-31 00:00:00");
    EXPECT_EQ(formatIsoDate(-657434.0), "0100-01-01");
    EXPECT_EQ(formatIsoDate(NAN), "");
    EXPECT_EQ(parseIsoDate("1899-12-29 06:00:00"), -1.25);
    EXPECT_EQ(parseIsoDate("2024-02-29"), 45351.0);
    for (const char* bad : {"2023-02-29", "2024-2-29", "2024-02-29 24:00:00", " 2024-02-29", "2024-02-29 ",
                            "2024/02/29", "2024-02-29T06:00:00", "0099-12-31", "", "2024-02-29 06:00"}) {
        EXPECT_FALSE(parseIsoDate(bad)) << bad;
    }
}
