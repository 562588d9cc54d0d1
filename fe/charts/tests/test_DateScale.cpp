#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "TestLocales.h"
#include "com/OleDate.h"
#include "datescale/DateScale.h"
#include "locale/LocaleRegistry.h"

namespace dravik {
namespace {

constexpr double E = 1e308;

double day(int y, int m, int d, int h = 0, int mi = 0) {
    return *com::toOleDate({y, m, d, h, mi, 0});
}

// The points (0-based) at which a level's periods begin, from a break table.
std::vector<int> breakPoints(const std::vector<std::int32_t>& table) {
    std::vector<int> points;
    for (std::size_t i = 1; i < table.size(); ++i) {
        if (table[i] != 0)
            points.push_back(static_cast<int>(i));
    }
    return points;
}

std::vector<int> breaksOf(const std::vector<double>& dates, DateLevel level) {
    const BreakTables tables = CDateScale::FindBreaks(dates.data(), static_cast<std::int32_t>(dates.size()));
    const auto& table = tables[static_cast<std::size_t>(level)];
    EXPECT_EQ(table.at(0), static_cast<std::int32_t>(breakPoints(table).size()));
    return breakPoints(table);
}

TEST(DateScaleBreaks, WeekAcrossAYearEndAndTheOtherLevels) {
    const std::vector<double> dates = {day(2024, 9, 30),  day(2024, 10, 1), day(2024, 12, 30),
                                       day(2024, 12, 31), day(2025, 1, 2),  day(2025, 1, 3),
                                       day(2025, 1, 6)};
    EXPECT_EQ(breaksOf(dates, DL_YEAR), (std::vector<int>{4}));
    EXPECT_EQ(breaksOf(dates, DL_QUARTER), (std::vector<int>{1, 4}));
    EXPECT_EQ(breaksOf(dates, DL_MONTH), (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(breaksOf(dates, DL_WEEK), (std::vector<int>{2, 6}));  // Dec 30 .. Jan 3 is one week
    EXPECT_EQ(breaksOf(dates, DL_DAY), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST(DateScaleBreaks, WeeksOfDifferentMarkets) {
    // Friday to Tuesday with the Monday missing: the Tuesday begins a week.
    EXPECT_EQ(breaksOf({day(2024, 3, 8), day(2024, 3, 12)}, DL_WEEK), (std::vector<int>{1}));
    // Monday to Friday with a holiday Monday.
    EXPECT_EQ(
        breaksOf({day(2024, 3, 4), day(2024, 3, 8), day(2024, 3, 12), day(2024, 3, 13), day(2024, 3, 18)},
                 DL_WEEK),
        (std::vector<int>{2, 4}));
    // A market trading Sunday to Thursday keeps each Sunday with the days after it.
    EXPECT_EQ(breaksOf({day(2024, 3, 3), day(2024, 3, 4), day(2024, 3, 5), day(2024, 3, 6), day(2024, 3, 7),
                        day(2024, 3, 10), day(2024, 3, 11), day(2024, 3, 14), day(2024, 3, 17)},
                       DL_WEEK),
              (std::vector<int>{5, 8}));
    // Every day of the week traded: weeks begin on Monday.
    std::vector<double> daily;
    for (int d = 1; d <= 14; ++d)
        daily.push_back(day(2024, 3, d));  // Friday 1 .. Thursday 14
    EXPECT_EQ(breaksOf(daily, DL_WEEK), (std::vector<int>{3, 10}));
    // A gap of more than a week.
    EXPECT_EQ(breaksOf({day(2024, 3, 5), day(2024, 3, 20), day(2024, 3, 21)}, DL_WEEK),
              (std::vector<int>{1}));
}

TEST(DateScaleBreaks, WeeksOfSparseRuns) {
    // March 2024: Sunday 3, Monday 4, Friday 8, Sunday 10, Monday 11, Tuesday 12, Friday 15.
    struct Case {
        const char* what;
        std::vector<double> dates;
        std::vector<int> breaks;
    };
    const std::vector<Case> cases = {
        {"Monday to Friday, two weeks",
         {day(2024, 3, 4), day(2024, 3, 5), day(2024, 3, 6), day(2024, 3, 7), day(2024, 3, 8),
          day(2024, 3, 11), day(2024, 3, 12), day(2024, 3, 13), day(2024, 3, 14), day(2024, 3, 15)},
         {5}},
        {"Mondays and Fridays only",
         {day(2024, 3, 4), day(2024, 3, 8), day(2024, 3, 11), day(2024, 3, 15)},
         {2}},
        {"Friday then Monday", {day(2024, 3, 8), day(2024, 3, 11)}, {1}},
        {"Monday then Friday", {day(2024, 3, 4), day(2024, 3, 8)}, {}},
        {"Friday to Tuesday, Monday missing", {day(2024, 3, 8), day(2024, 3, 12)}, {1}},
        {"Tuesday to the next Monday", {day(2024, 3, 5), day(2024, 3, 11)}, {1}},
        {"Wednesday to the next Tuesday", {day(2024, 3, 6), day(2024, 3, 12)}, {1}},
        {"Sundays and Thursdays only",
         {day(2024, 3, 3), day(2024, 3, 7), day(2024, 3, 10), day(2024, 3, 14)},
         {2}},
        {"Thursday then Sunday in a Sunday market",
         {day(2024, 3, 3), day(2024, 3, 7), day(2024, 3, 10)},
         {2}},
        {"Thursday to Monday, Sunday missing", {day(2024, 3, 3), day(2024, 3, 7), day(2024, 3, 11)}, {2}},
        {"a Sunday beside a Friday keeps Monday weeks",
         {day(2024, 3, 1), day(2024, 3, 3), day(2024, 3, 4)},
         {2}},
        {"a Sunday beside a Saturday keeps Monday weeks",
         {day(2024, 3, 2), day(2024, 3, 3), day(2024, 3, 4)},
         {2}},
        {"Monday to Thursday market", {day(2024, 3, 7), day(2024, 3, 11), day(2024, 3, 14)}, {1}},
        {"several points on one Monday",
         {day(2024, 3, 4, 10), day(2024, 3, 4, 14), day(2024, 3, 5, 10), day(2024, 3, 11, 9),
          day(2024, 3, 11, 15)},
         {3}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(breaksOf(c.dates, DL_WEEK), c.breaks) << c.what;
}

TEST(DateScaleBreaks, IntradayPointsAndDatesThatCannotBeRead) {
    EXPECT_EQ(breaksOf({day(2024, 3, 4, 10), day(2024, 3, 4, 14), day(2024, 3, 5, 10)}, DL_DAY),
              (std::vector<int>{2}));
    // The unreadable date ends the scan: the later month change is not seen.
    EXPECT_EQ(breaksOf({day(2024, 3, 4), day(2024, 3, 5), 1e10, day(2024, 4, 1)}, DL_MONTH),
              std::vector<int>{});
    EXPECT_EQ(breaksOf({day(2024, 3, 4), day(2024, 4, 5), std::nan(""), day(2024, 5, 1)}, DL_MONTH),
              (std::vector<int>{1}));
    EXPECT_TRUE(CDateScale::FindBreaks(nullptr, 3)[0].empty());
}

// Open, high, low, close and volume over the dates of the first test.
class DateScaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        dates_ = {day(2024, 9, 30), day(2024, 10, 1), day(2024, 12, 30), day(2024, 12, 31),
                  day(2025, 1, 2),  day(2025, 1, 3),  day(2025, 1, 6)};
        const std::vector<std::vector<double>> series = {
            {10, 11, E, 13, 14, 15, 16},           // open (the first December value is missing)
            {12, E, 15, 14, 18, 17, 16.5},         // high (none in October)
            {9, 10, E, 12, 13, 14, 15},            // low
            {11, 12, 13, 14, 15, 16, 17},          // close
            {100, 200, 300, 400, 500, 600, 700}};  // volume
        for (const auto& s : series) {
            values_.insert(values_.end(), s.begin(), s.end());
            xValues_.insert(xValues_.end(), dates_.begin(), dates_.end());
        }
        scale_.Build(5, 7, values_.data(), xValues_.data(), {0, 1, 2, 4});
    }
    void TearDown() override { loc::LocaleRegistry::reset(); }

    // Open, high, low, close, volume of one period.
    std::vector<double> period(DateLevel level, int index) const {
        std::vector<double> out;
        for (int s = 0; s < 5; ++s)
            out.push_back(scale_.Value(level, s, index));
        return out;
    }

    std::vector<double> dates_, values_, xValues_;
    CDateScale scale_;
};

TEST_F(DateScaleTest, AggregatesEachLevel) {
    struct Case {
        DateLevel level;
        int index;
        std::vector<double> expected;
        double lastDate;
    };
    const Case cases[] = {
        {DL_YEAR, 0, {10, 15, 9, 14, 1000}, day(2024, 12, 31)},
        {DL_YEAR, 1, {14, 18, 13, 17, 1800}, day(2025, 1, 6)},
        {DL_QUARTER, 0, {10, 12, 9, 11, 100}, day(2024, 9, 30)},
        {DL_QUARTER, 1, {11, 15, 10, 14, 900}, day(2024, 12, 31)},
        {DL_QUARTER, 2, {14, 18, 13, 17, 1800}, day(2025, 1, 6)},
        {DL_MONTH, 1, {11, E, 10, 12, 200}, day(2024, 10, 1)},  // a month without a high
        {DL_MONTH, 2, {13, 15, 12, 14, 700}, day(2024, 12, 31)},
        {DL_WEEK, 0, {10, 12, 9, 12, 300}, day(2024, 10, 1)},
        {DL_WEEK, 1, {13, 18, 12, 16, 1800}, day(2025, 1, 3)},
        {DL_WEEK, 2, {16, 16.5, 15, 17, 700}, day(2025, 1, 6)},
        {DL_DAY, 2, {E, 15, E, 13, 300}, day(2024, 12, 30)},
    };
    EXPECT_EQ(scale_.PeriodCount(DL_YEAR), 2);
    EXPECT_EQ(scale_.PeriodCount(DL_QUARTER), 3);
    EXPECT_EQ(scale_.PeriodCount(DL_MONTH), 4);
    EXPECT_EQ(scale_.PeriodCount(DL_WEEK), 3);
    EXPECT_EQ(scale_.PeriodCount(DL_DAY), 7);
    EXPECT_EQ(scale_.PeriodCount(DL_POINTS), 7);
    for (const Case& c : cases) {
        EXPECT_EQ(period(c.level, c.index), c.expected) << c.level << "/" << c.index;
        EXPECT_EQ(scale_.XValue(c.level, 3, c.index), c.lastDate) << c.level << "/" << c.index;
    }
    EXPECT_EQ(scale_.Value(DL_YEAR, 5, 0), E);
    EXPECT_EQ(scale_.Value(DL_YEAR, 0, 2), E);
    EXPECT_FALSE(scale_.HasXValues(DL_POINTS));
}

TEST_F(DateScaleTest, EachSeriesTakesTheDateOfItsOwnLastPoint) {
    std::vector<double> x = xValues_;
    x[7 + 3] = day(2024, 12, 31, 17);  // the high series' fourth point later in the day
    CDateScale scale;
    scale.Build(5, 7, values_.data(), x.data(), {0, 1, 2, 4});
    EXPECT_EQ(scale.XValue(DL_YEAR, 1, 0), day(2024, 12, 31, 17));
    EXPECT_EQ(scale.XValue(DL_YEAR, 0, 0), day(2024, 12, 31));
}

TEST_F(DateScaleTest, PositionsToValues) {
    scale_.SetLevel(DL_MONTH);
    EXPECT_EQ(scale_.ValueAt(0), day(2024, 9, 30));
    EXPECT_EQ(scale_.ValueAt(2.4), day(2024, 10, 1));
    EXPECT_EQ(scale_.ValueAt(2.6), day(2024, 12, 31));
    EXPECT_EQ(scale_.ValueAt(99), day(2025, 1, 6));
    scale_.SetLevel(DL_POINTS);
    EXPECT_EQ(scale_.ValueAt(0), 1.0);
    EXPECT_EQ(scale_.ValueAt(3.3), 3.3);
    EXPECT_EQ(scale_.ValueAt(99), 7.0);
    scale_.SetLevel(42);
    EXPECT_EQ(scale_.GetLevel(), DL_POINTS);
}

TEST_F(DateScaleTest, TextsUnderBothLocales) {
    scale_.SetLevel(DL_POINTS);
    EXPECT_EQ(scale_.FormatValue(3.14159, 0x400, false), "      3.14");
    EXPECT_EQ(scale_.FormatValue(-12345678.9, 0x400, false), "-12345678.90");
    scale_.SetLevel(DL_WEEK);
    test::useLocale(test::englishLocale());
    EXPECT_EQ(scale_.FormatValue(day(2025, 1, 3), 0x400, false), "1/3/2025");
    EXPECT_EQ(scale_.FormatValue(day(2025, 1, 3, 15, 30), 0x400, false), "1/3/2025 3:30:00 PM");
    EXPECT_EQ(scale_.FormatValue(day(2025, 1, 3, 15, 30), 0x400, true), "1/3/2025");
    test::useLocale(test::commaLocale());
    EXPECT_EQ(scale_.FormatValue(day(2025, 1, 3, 15, 30), 0x400, false), "03.01.2025 15:30:00");
    char small[5];
    EXPECT_EQ(scale_.FormatValue(day(2025, 1, 3), small, sizeof small, 0x400, true), 4);
    EXPECT_STREQ(small, "03.0");
}

TEST_F(DateScaleTest, ParsesDatesToPeriods) {
    test::useLocale(test::commaLocale());  // day.month.year
    scale_.SetLevel(DL_WEEK);
    struct Case {
        const char* text;
        bool clamp;
        int position;
        double value;
    };
    const Case cases[] = {
        {"03.01.2025", false, 2, day(2025, 1, 3)},   // an exact match
        {"02.01.2025", false, 2, day(2025, 1, 3)},   // the next period
        {"01.09.2024", false, -1, day(2024, 9, 1)},  // before the first period
        {"01.09.2024", true, 1, day(2024, 10, 1)},
        {"01.02.2025", false, -1, day(2025, 2, 1)},  // after the last
        {"01.02.2025", true, 3, day(2025, 1, 6)},
        {"06.01.2025 99:75", false, 3, day(2025, 1, 6)},  // impossible time fields become 0
    };
    for (const Case& c : cases) {
        std::int32_t position = 0;
        double value = 0;
        EXPECT_TRUE(scale_.ParseValue(c.text, position, value, 0x400, c.clamp)) << c.text;
        EXPECT_EQ(position, c.position) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    std::int32_t position = 7;
    double value = 7;
    EXPECT_FALSE(scale_.ParseValue("31.02.2025", position, value, 0x400, true));
    EXPECT_EQ(position, 7);
    scale_.SetLevel(DL_POINTS);
    EXPECT_TRUE(scale_.ParseValue("12.75", position, value, 0x400, false));
    EXPECT_EQ(position, 12);
    EXPECT_EQ(value, 12.75);
}

TEST(DateScale, PriceTexts) {
    test::useLocale(test::commaLocale());
    PreparedFormat format;
    format.number.setDecimal(",");
    format.number.setThousand(".");
    format.number.grouping = 3;
    format.number.digits = 2;
    format.number.negativeOrder = 1;
    char buffer[16];
    EXPECT_EQ(CDateScale::FormatNumberText(buffer, sizeof buffer, -12345.625, 1, 2, format, 0x400), 10);
    EXPECT_STREQ(buffer, "-12.345,63");  // an exact tie, away from zero
    double value = 0;
    EXPECT_TRUE(CDateScale::ParseNumberText("12.5 ", value));
    EXPECT_EQ(value, 12.5);
    loc::LocaleRegistry::reset();
}

TEST(DateScale, EmptyAndRebuilt) {
    CDateScale scale;
    EXPECT_EQ(scale.GetLevel(), DL_POINTS);
    EXPECT_EQ(scale.PeriodCount(DL_YEAR), 0);
    EXPECT_EQ(scale.ValueAt(5), 5.0);
    const double one[] = {1.0};
    const double date[] = {day(2024, 1, 1)};
    scale.Build(1, 1, one, date, {});
    EXPECT_EQ(scale.PeriodCount(DL_YEAR), 1);
    EXPECT_EQ(scale.Value(DL_YEAR, 0, 0), 1.0);
    scale.Build(1, 0, one, date, {});
    EXPECT_EQ(scale.PeriodCount(DL_YEAR), 0);
    EXPECT_EQ(scale.Value(DL_YEAR, 0, 0), E);
}

}  // namespace
}  // namespace dravik

namespace dravik {
namespace {

// One series of four dated points (OLE dates 10, 20, 30, 40 are four different days): the day level's
// position table is 10, 20, 30, 40.
CDateScale ScaleOverTheTable10To40() {
    const double values[] = {1, 2, 3, 4};
    const double dates[] = {10, 20, 30, 40};
    CDateScale scale;
    scale.Build(1, 4, values, dates, {});
    scale.SetLevel(DL_DAY);
    return scale;
}

TEST(DateScalePositionTable, ValueAtPosition) {
    const CDateScale scale = ScaleOverTheTable10To40();
    ASSERT_EQ(scale.PositionTable().size(), 4u);
    struct Case {
        double position;
        double value;
    };
    const Case cases[] = {
        {0, 10},
        {2.5, 35},
        {3, 40},
        {0.25, 12.5},  // exact entries and interpolation
        {3.5, 40},     // no next entry: the last one
        {4, -1},
        {-0.5, -1},
        {1e9, -1},  // outside the table
        {std::numeric_limits<double>::quiet_NaN(), -1},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(scale.ValueAtPosition(c.position), c.value) << c.position;
}

TEST(DateScalePositionTable, PositionOfValue) {
    const CDateScale scale = ScaleOverTheTable10To40();
    struct Case {
        double value;
        double position;
    };
    const Case cases[] = {
        {10, 0},  {25, 1.5},  {30, 2},  {40, 3}, {12, 0.2},  // inside: index or fraction past the entry below
        {50, -4}, {9.99, -4}, {-1, -4},                      // outside, and -1 (no value): minus the count
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(scale.PositionOfValue(c.value), c.position) << c.value;
}

TEST(DateScalePositionTable, NoTableAtTheLevelOfPlainPoints) {
    CDateScale scale = ScaleOverTheTable10To40();
    scale.SetLevel(DL_POINTS);
    EXPECT_TRUE(scale.PositionTable().empty());
    EXPECT_EQ(scale.ValueAtPosition(1), -1);
    EXPECT_EQ(scale.PositionOfValue(20), 0);
    const CDateScale empty;
    EXPECT_EQ(empty.ValueAtPosition(0), -1);
}

}  // namespace
}  // namespace dravik
