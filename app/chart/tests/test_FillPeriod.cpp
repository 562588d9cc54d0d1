// First days of the chart periods and the days points are dated on.
#include <gtest/gtest.h>

#include "appchart/fill/ChartReading.h"
#include "appchart/fill/FillPeriod.h"

namespace tarnwick::chart {
namespace {

db::Date iso(const char* text) {
    return *db::parseIsoDate(text);
}

struct PeriodCase {
    std::int32_t period;
    const char* last;
    const char* start;
};

constexpr PeriodCase kPeriods[] = {
    {0, "2008-03-31", "2008-02-29"},  // no 31 February: the month's last day
    {1, "2008-03-31", "2007-12-31"},  {2, "2008-03-31", "2007-09-30"},  {3, "2008-03-31", "2008-01-01"},
    {4, "2008-03-31", "2007-03-31"},  {5, "2008-03-31", "2006-03-31"},  {6, "2008-03-31", "2005-03-31"},
    {7, "2008-03-31", "2003-03-31"},  {8, "2008-03-31", "1998-03-31"},  {9, "2008-03-31", "1979-11-01"},
    {-1, "2008-03-31", "1899-12-30"}, {10, "2008-03-31", "1899-12-30"}, {4, "2008-02-29", "2007-02-28"},
    {5, "2008-02-29", "2006-02-28"},  {0, "2005-03-08", "2005-02-08"},  {0, "2005-01-15", "2004-12-15"},
    {2, "2005-08-31", "2005-02-28"},  {3, "2005-01-01", "2005-01-01"},
};

TEST(FillPeriod, StartOfEveryPeriod) {
    for (const PeriodCase& c : kPeriods) {
        EXPECT_EQ(db::formatIsoDate(PeriodStart(c.period, iso(c.last))), c.start)
            << "period " << c.period << " before " << c.last;
    }
}

TEST(FillPeriod, OleDays) {
    EXPECT_EQ(OleDay(iso("1899-12-30")), 0);
    EXPECT_EQ(OleDay(iso("1900-01-01")), 2);
    EXPECT_EQ(OleDay(iso("2005-03-15")), 38426);
    EXPECT_EQ(db::formatIsoDate(DateOfOleDay(38426)), "2005-03-15");
}

TEST(FillPeriod, PointDays) {
    // The week of Sunday 2 to Saturday 8 March 2008 is dated Thursday 6 March.
    for (const char* d : {"2008-03-02", "2008-03-03", "2008-03-06", "2008-03-07", "2008-03-08"}) {
        EXPECT_EQ(db::formatIsoDate(PointDay(ChartInterval::Weekly, iso(d))), "2008-03-06") << d;
    }
    EXPECT_EQ(db::formatIsoDate(PointDay(ChartInterval::Weekly, iso("2008-03-01"))), "2008-02-28");
    EXPECT_EQ(db::formatIsoDate(PointDay(ChartInterval::Weekly, iso("2008-03-09"))), "2008-03-13");
    EXPECT_EQ(db::formatIsoDate(PointDay(ChartInterval::Monthly, iso("2008-02-29"))), "2008-02-15");
    EXPECT_EQ(db::formatIsoDate(PointDay(ChartInterval::Daily, iso("2008-02-29"))), "2008-02-29");
    EXPECT_EQ(IntervalOf(1), ChartInterval::Weekly);
    EXPECT_EQ(IntervalOf(2), ChartInterval::Monthly);
    EXPECT_EQ(IntervalOf(0), ChartInterval::Daily);
    EXPECT_EQ(IntervalOf(7), ChartInterval::Daily);
    EXPECT_EQ(IntervalOf(-1), ChartInterval::Daily);
}

}  // namespace
}  // namespace tarnwick::chart
