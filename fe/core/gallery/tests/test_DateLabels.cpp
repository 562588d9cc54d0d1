// The date labels of the X axis: the period break tables, the steps chosen for the visible width, the
// label texts in the date formats, and the labels fitted into their space. Widths come from a DC that
// measures every character as 7 pixels, so that the expected steps can be worked out by hand: with the
// English locale the labels are "2024" (28 px) for years, "S1 24" / "Q1 24" (35) for the first
// semester or quarter, "Jan 24" (42) for a first month, "M/d/yyyy" short dates (56-70) for weeks and
// days, and "12:00:00 AM" (77) for each point. Labels need 1.1 times their width.
#include <cmath>
#include <string>
#include <vector>

#include "ExtensionInTheChart.h"
#include "FixedWidthDC.h"
#include "GalleryFixture.h"
#include "com/Activation.h"
#include "com/ClassFactory.h"
#include "com/InprocServer.h"
#include "com/OleDate.h"
#include "dravik/Identities.h"
#include "format/DefaultRecords.h"
#include "format/LocaleFormats.h"
#include "gallery/DateBreakTable.h"
#include "gallery/DateStepChoice.h"
#include "host/CHostChartAdapter.h"
#include "locale/LocaleRegistry.h"

namespace dravik::test {
namespace {

constexpr LONG kCharWidth = 7;
constexpr LONG kBarType = 5;

double oleDate(int year, int month, int day) {
    return *com::toOleDate(com::CalendarTime{year, month, day, 0, 0, 0});
}

using Table = std::vector<LONG>;

Table entries(const DateBreakTable& table, LONG kind) {
    Table out;
    for (LONG i = 0; i <= table.count(); ++i)
        out.push_back(table.Entry(kind, i));
    return out;
}

TEST(DateBreakTable, ASeriesCrossingTheYearEnd) {
    // Trading days Wed 27 Dec 2023 .. Mon 8 Jan 2024 (weekends and 1 January left out).
    const std::vector<double> dates{oleDate(2023, 12, 27), oleDate(2023, 12, 28), oleDate(2023, 12, 29),
                                    oleDate(2024, 1, 2),   oleDate(2024, 1, 3),   oleDate(2024, 1, 4),
                                    oleDate(2024, 1, 5),   oleDate(2024, 1, 8)};
    DateBreakTable table;
    ASSERT_TRUE(
        table.Build(8, [&](LONG i) { return std::optional<double>(dates[static_cast<std::size_t>(i)]); }));
    EXPECT_EQ(table.count(), 8);
    // Year, semester, quarter and month all begin on 2 January: 3 elements after element 0, then 5 to
    // the end.
    for (LONG kind = 0; kind <= 3; ++kind)
        EXPECT_EQ(entries(table, kind), (Table{0, 0, 0, 3, 0, 0, 0, 0, 5})) << kind;
    // Weeks count from the Sunday before 27 December: a new week on Tue 2 Jan (Mon 1 Jan is missing)
    // and on Mon 8 Jan.
    EXPECT_EQ(entries(table, 4), (Table{0, 0, 0, 3, 0, 0, 0, 4, 1}));
    EXPECT_EQ(entries(table, 5), (Table{0, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(entries(table, 6), (Table{1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(table.CountBeginnings(0, 0, 7), 1);
    EXPECT_EQ(table.CountBeginnings(4, 0, 7), 2);
    EXPECT_EQ(table.NextBeginning(0, 0, 7), 3);
    EXPECT_EQ(table.NextBeginning(0, 3, 7), -1);
}

TEST(DateBreakTable, ADateThatCannotBeReadEndsTheScan) {
    const std::vector<double> dates{oleDate(2024, 3, 28), oleDate(2024, 3, 29), NAN, oleDate(2024, 5, 2)};
    DateBreakTable table;
    ASSERT_TRUE(
        table.Build(4, [&](LONG i) { return std::optional<double>(dates[static_cast<std::size_t>(i)]); }));
    // Nothing begins after the unreadable date; the last entry runs from the last beginning (1).
    EXPECT_EQ(entries(table, 5), (Table{0, 1, 0, 0, 3}));
    EXPECT_EQ(entries(table, 3), (Table{0, 0, 0, 0, 4}));
    EXPECT_EQ(entries(table, 6), (Table{1, 1, 1, 1, 1}));

    EXPECT_FALSE(table.Build(4, [](LONG) { return std::optional<double>(); }));
    EXPECT_TRUE(table.empty());
    EXPECT_FALSE(table.Build(0, [&](LONG) { return std::optional<double>(dates[0]); }));
    EXPECT_EQ(table.Entry(0, 0), 0);
}

// The choice alone, with every label 40 px wide.
DateBreakTable dailyTable(LONG days) {
    DateBreakTable table;
    table.Build(days, [](LONG i) { return std::optional<double>(oleDate(2024, 1, 1) + i); });
    return table;
}

TEST(DateStepChoice, SpacingAndTwoRowsChangeWhatFits) {
    const DateLabelWidth forty = [](LONG) { return 40; };
    DateBreakTable table = dailyTable(20);  // 19 days begin after the first: 20 day labels
    // Days need 20 x 1.1 x 40 = 880 px, with wide spacing 20 x 1.5 x 40 = 1200 px, on two rows half.
    EXPECT_EQ(ChooseDateSteps(table, {0, 19, 900}, forty), (DateSteps{5, 5, 1, 1}));
    table.setWideSpacing(true);
    EXPECT_EQ(ChooseDateSteps(table, {0, 19, 900}, forty), (DateSteps{4, 5, 1, 1}));
    DateStepRequest twoRows{0, 19, 600};
    twoRows.twoLevels = true;
    EXPECT_EQ(ChooseDateSteps(table, twoRows, forty), (DateSteps{5, 5, 1, 1}));
    EXPECT_EQ(ChooseDateSteps(table, {0, 19, 0}, forty), DateSteps{});
}

TEST(DateStepChoice, PointsWithinOneDayAreThinned) {
    // 48 half-hour points of 2 January 2024: 47 points begin after the first, no day.
    DateBreakTable table;
    table.Build(48, [](LONG i) { return std::optional<double>(oleDate(2024, 1, 2) + i / 48.0); });
    // 440 / (1.1 x 40) = 10 labels fit: one every ceil(47 / 10) = 5 points.
    EXPECT_EQ(ChooseDateSteps(table, {0, 47, 440}, [](LONG) { return 40; }), (DateSteps{6, 6, 5, 1}));
    EXPECT_EQ(table.visibleCount(5), 0);
    EXPECT_EQ(table.visibleCount(6), 47);
}

class DateLabels : public GalleryFixture {
protected:
    void SetUp() override {
        loc::LocaleRegistry::reset();
        loc::LocaleRegistry::setUserDefault(loc::LocaleInfo::english());
        InitLocaleFormats();
        InitDefaultRecords();
        GalleryFixture::SetUp();
    }

    // One point a day for `days` days from the date given; then the bar type is activated.
    void fillDays(int year, int month, int day, LONG days) {
        korvel::KvlChartModel& model = chart->model();
        model.resize(5, days);
        const double first = oleDate(year, month, day);
        for (LONG p = 0; p < days; ++p) {
            for (LONG s = 0; s < 5; ++s)
                model.setValue(1, s, p, 100.0 + s);
            model.setXValue(p, first + p);
        }
        model.autoScale();
        ASSERT_EQ(activate(kBarType), com::S_OK);
        ASSERT_EQ(type(kBarType).dateBreaks().count(), days);
    }

    DateSteps layout(LONG width, LONG first = 0, LONG last = -1) {
        if (last < 0)
            last = type(kBarType).dateBreaks().count() - 1;
        DateSteps steps{-2, -2, -2, -2};
        type(kBarType).LayoutDateLabels(&dc, first, last, width, &steps.majorKind, &steps.minorKind,
                                        &steps.majorEvery, &steps.minorEvery);
        return steps;
    }

    // The plot `width` pixels wide (SetViewport adds one pixel on each side of the margins), in the
    // chart too: a label takes the pixels of its slots from where the chart places the points.
    void setPlotWidth(LONG width) {
        extension->adapter()->SetLeftMargin(0);
        extension->adapter()->SetRightMargin(0);
        chart->model().setClientSize(width, 100);
        ASSERT_EQ(chart->model().plotRect().right - chart->model().plotRect().left, width);
        const korvel::KvlRect rect{0, 0, width - 3, 100};
        type(kBarType).SetViewport(&rect);
        const korvel::KvlRect plot = type(kBarType).plotRect();
        ASSERT_EQ(plot.right - plot.left + 1, width);
    }

    struct Label {
        std::string text;
        double gap = 0;
        LONG next = 0;
    };
    Label label(double position, LONG index, LONG major = 1) {
        char text[korvel::kAxisLabelTextSize] = {};
        korvel::KvlTextBuffer buffer{text, static_cast<LONG>(sizeof text)};
        double gap = 5;
        double value = 0;
        EXPECT_EQ(
            type(kBarType).GetAxisLabel(&dc, korvel::kXAxis, major, &gap, position, &value, &index, &buffer),
            com::S_OK);
        return {text, gap, index};
    }

    ExtensionSettings& settings() { return shared().extension; }

    FixedWidthDC dc{kCharWidth};
};

struct StepCase {
    LONG width;
    DateSteps steps;
};

TEST_F(DateLabels, TwentyDays) {
    fillDays(2024, 1, 1, 20);
    // Beginnings after the first day: no year, semester, quarter or month, weeks on Sun 7 and Sun 14,
    // 19 days and 19 points. A kind draws one label more than it has beginnings (the first day's),
    // each as wide as its widest text: weeks need 3 x 1.1 x 63 = 207.9 px ("1/14/2024"), days
    // 20 x 1.1 x 63 = 1386, points 20 x 1.1 x 77 = 1694; points as many as days count as days.
    const StepCase cases[] = {
        {100, {3, 4, 1, 1}},   // months, with weeks between
        {600, {4, 5, 1, 1}},   // weeks, with days between
        {1400, {5, 5, 1, 1}},  // days, just (each point becomes day)
        {2000, {5, 5, 1, 1}},
    };
    for (const StepCase& c : cases)
        EXPECT_EQ(layout(c.width), c.steps) << c.width;
    const DateBreakTable& breaks = type(kBarType).dateBreaks();
    EXPECT_EQ(breaks.visibleCount(3), 0);
    EXPECT_EQ(breaks.visibleCount(4), 2);
    EXPECT_EQ(breaks.visibleCount(5), 19);
    EXPECT_EQ(breaks.visibleCount(6), 19);
    // Each kind tried was measured at the first and the last day and at every beginning between:
    // years to months 2 texts each, weeks 4 (1, 7, 14, 20 January), days and points 20. Up to weeks,
    // days, points, points: 8 + 4, then 12 + 20, then 32 + 20 twice.
    EXPECT_EQ(dc.measured.size(), 12u + 32u + 52u + 52u);
    EXPECT_EQ(dc.measured[0], "2024");
    EXPECT_EQ(dc.measured[3], "S1 24");   // 20 January is still in the first semester
    EXPECT_EQ(dc.measured[7], "Jan 24");  // and in January
    EXPECT_EQ(dc.measured[8], "1/1/2024");
    EXPECT_EQ(dc.measured[9], "1/7/2024");
    EXPECT_EQ(dc.measured[10], "1/14/2024");
    EXPECT_EQ(dc.measured[11], "1/20/2024");
    EXPECT_EQ(dc.measured[12 + 12 + 9], "1/10/2024");
    EXPECT_EQ(dc.measured[12 + 32 + 12 + 20], "12:00:00 AM");
}

TEST_F(DateLabels, TwoYears) {
    fillDays(2023, 1, 1, 731);
    // After 1 Jan 2023: 1 year, 3 semesters, 7 quarters, 23 months and 104 weeks begin, and each kind
    // draws a label at the first day too. Years need 2 x 30.8 = 61.6 px, semesters 4 x 38.5 = 154,
    // quarters 8 x 38.5 = 308, months 24 x 46.2 = 1108.8, weeks 105 x 77 = 8085. Semesters are
    // switched off by default and become years.
    const StepCase cases[] = {
        {20, {0, 0, 4, 1}},  // 20 / 30.8 = 0.65 year labels fit: one every ceil(2 / 0.65) = 4 years
        {200, {0, 2, 1, 1}},
        {500, {2, 3, 1, 1}},
        {1200, {3, 4, 1, 1}},
    };
    for (const StepCase& c : cases)
        EXPECT_EQ(layout(c.width), c.steps) << c.width;
    settings().breakInSemester = 1;
    EXPECT_EQ(layout(200), (DateSteps{1, 2, 1, 1}));
    settings().breakInQuarter = 0;
    EXPECT_EQ(layout(500), (DateSteps{1, 3, 1, 1}));
}

TEST_F(DateLabels, ThirtyYears) {
    fillDays(1990, 1, 1, 10957);  // 1 Jan 1990 .. 31 Dec 2019
    // 29 years begin after the first day: 30 year labels; at 300 px 300 / 30.8 = 9.74 fit, so a
    // label every ceil(30 / 9.74) = 4 years (8 labels, where every 3 years would draw 10). 30 years
    // need 924 px, 60 semesters 2310, 120 quarters 4620.
    const StepCase cases[] = {
        {300, {0, 0, 4, 1}},
        {1000, {0, 0, 1, 1}},  // years, semesters between become years
        {3000, {0, 2, 1, 1}},
    };
    for (const StepCase& c : cases)
        EXPECT_EQ(layout(c.width), c.steps) << c.width;
    // Only the last two years visible: 1 year and 3 semesters begin after 1 Jan 2018, 4 semester
    // labels need 154 px, 8 quarter labels 308.
    const LONG first = 10957 - 730;
    EXPECT_EQ(layout(200, first), (DateSteps{0, 2, 1, 1}));
}

TEST_F(DateLabels, TheDateAxisStepsReplaceTheChoiceOutsideZoomMode) {
    fillDays(2024, 1, 1, 20);
    settings().dateStep = 3;
    settings().dateStepEvery = 2;
    EXPECT_EQ(layout(100), (DateSteps{3, 4, 2, 1}));
    EXPECT_EQ(layout(2000), (DateSteps{3, 5, 2, 1}));
    settings().dateMinorStep = 1;
    settings().dateMinorStepEvery = 0;
    // The minor kind is at least the major one; a count of 0 counts as 1.
    EXPECT_EQ(layout(2000), (DateSteps{3, 3, 2, 1}));
    EXPECT_TRUE(dc.measured.size() > 0);
    dc.measured.clear();
    // Both steps set: nothing is measured.
    EXPECT_EQ(layout(600), (DateSteps{3, 3, 2, 1}));
    EXPECT_TRUE(dc.measured.empty());
    // In zoom mode the choice is automatic.
    chart->model().setZoomMode(true);
    EXPECT_EQ(layout(600), (DateSteps{4, 5, 1, 1}));
}

TEST_F(DateLabels, APlotWithoutWidthLaysNothingOut) {
    fillDays(2024, 1, 1, 20);
    for (const LONG width : {0, -5}) {
        EXPECT_EQ(layout(width), (DateSteps{-2, -2, -2, -2})) << width;
        EXPECT_TRUE(dc.measured.empty());
    }
}

TEST_F(DateLabels, CentringFollowsTheMajorKind) {
    fillDays(2024, 1, 1, 20);
    auto style = [&] { return static_cast<LONG>(extension->adapter()->GetAxisValue(korvel::kXAxis, 8)); };
    // Months (none begins) against weeks (two begin): distinct, so the labels are centred.
    layout(100);
    EXPECT_EQ(type(kBarType).HasDistinctBreaks(3), 1);
    EXPECT_EQ(style() & 0x200, 0x200);
    // Weeks never centre.
    layout(600);
    EXPECT_EQ(type(kBarType).HasDistinctBreaks(4), 0);
    EXPECT_EQ(style() & 0x200, 0);
    EXPECT_EQ(type(kBarType).HasDistinctBreaks(6), 0);
}

TEST_F(DateLabels, LabelsThatDoNotFitWholeAreLeftOut) {
    fillDays(2024, 1, 1, 40);  // 1 Jan .. 9 Feb: one month begins, on element 31
    settings().dateStep = 3;
    settings().dateMinorStep = 3;
    struct Case {
        LONG width;
        std::string first;
        std::string second;
    };
    // The 40 days fill the chart's plot as 41 slots (0.5 .. 40.5), a slot width / 41 px: "Jan 24" has
    // 31 slots, "Feb" the 9 slots to the end of the axis.
    const Case cases[] = {
        {82, "Jan 24", " "},    // 62 px and 18 px: "Feb" needs 21
        {96, "Jan 24", "Feb"},  // 72.6 px and 21.1 px
        {41, " ", " "},         // 31 px and 9 px: neither fits whole
        {4, " ", " "},          // not even a blank fits: the label stays one blank
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        setPlotWidth(c.width);
        layout(c.width);
        const Label first = label(0.5, 0);
        EXPECT_EQ(first.text, c.first);
        EXPECT_DOUBLE_EQ(first.gap, 31.0);
        EXPECT_EQ(first.next, 32);
        const Label second = label(31.5, first.next);
        EXPECT_EQ(second.text, c.second);
        // The last label's gap leads past the end of the axis (40.5), which ends the pass.
        EXPECT_DOUBLE_EQ(second.gap, 9.5);
        EXPECT_EQ(second.next, 41);
    }
    // With labels that are not to be cut (the option), just the same.
    settings().options |= kOptionNoTruncatedDateLabels;
    setPlotWidth(82);
    EXPECT_EQ(label(0.5, 0).text, "Jan 24");
    EXPECT_EQ(label(31.5, 32).text, " ");
    // The minor pass hands back the same steps without a text.
    const Label minor = label(0.5, 0, 0);
    EXPECT_EQ(minor.text, "");
    EXPECT_DOUBLE_EQ(minor.gap, 31.0);
}

TEST_F(DateLabels, TextsOfTheStepKinds) {
    fillDays(2001, 6, 29, 10);  // Fri 29 Jun .. Sun 8 Jul 2001
    CGalleryBase& bar = type(kBarType);
    const double july2 = oleDate(2001, 7, 2);
    EXPECT_EQ(bar.ExpandStepNumber("#S#K yy", 2), "#S#2 yy");
    EXPECT_EQ(bar.ExpandStepNumber("Q\\nK", 3), "Q\n3");
    EXPECT_EQ(bar.FormatDatePicture(july2, "#S#2 yy", 0x8005, '#'), "S2 01");
    EXPECT_EQ(bar.FormatDatePicture(july2, "#W:#MMM\\nyyyy", 0x8005, '#'), "W:Jul\n2001");
    struct Case {
        LONG element;
        LONG first;
        LONG kind;
        std::string text;
    };
    const Case cases[] = {
        {3, 0, 0, "2001"},        {3, 0, 1, "S2"},       {3, 1, 1, "S2 01"},    {0, 0, 1, "S1 01"},
        {3, 0, 2, "Q3"},          {3, 1, 2, "Q3 01"},    {3, 0, 3, "Jul"},      {3, 1, 3, "Jul 01"},
        {3, 0, 4, "7/2/2001"},    {9, 0, 4, "7/8/2001"}, {3, 0, 5, "7/2/2001"}, {4, 0, 5, "7/3/2001"},
        {4, 0, 6, "12:00:00 AM"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bar.FormatDateText(c.element, c.first, c.kind, oleDate(2001, 6, 29) + c.element), c.text)
            << c.element << '/' << c.kind;
    }
    // A month label of an own picture follows it; texts are cut to 56 bytes.
    settings().dateFormats[FI_MONTH].setPicture("MMMM yyyy");
    EXPECT_EQ(bar.FormatDateText(3, 0, 3, july2), "July 2001");
    settings().dateFormats[FI_YEAR].setPicture("dddd dddd dddd dddd dddd dddd dddd dddd dddd");
    const std::string cut = bar.FormatDateText(3, 0, 0, july2);  // nine "Monday"s would be 62 bytes
    EXPECT_EQ(cut.size(), 56u);
    EXPECT_EQ(cut.substr(0, 14), "Monday Monday ");
}

TEST_F(DateLabels, AChartWithoutDatesHasNoDateLabels) {
    ASSERT_EQ(activate(kBarType), com::S_OK);
    // The fixture's chart has dates; without them the tables stay empty.
    deactivate(kBarType);
    for (LONG p = 0; p < kPoints; ++p)
        chart->model().setXValue(p, 0);
    ASSERT_EQ(activate(kBarType), com::S_OK);
    EXPECT_TRUE(type(kBarType).dateBreaks().empty());
    EXPECT_EQ(layout(600, 0, 5), (DateSteps{-2, -2, -2, -2}));
    const Label none = label(0.5, 0);
    EXPECT_EQ(none.text, "");
    EXPECT_EQ(none.next, 0);
}

// The extension loaded by the chart by ProgID, as the program loads it, with the bar type shown.
class DateLabelsInTheChart : public ExtensionInTheChart {
protected:
    void SetUp() override {
        loc::LocaleRegistry::reset();
        loc::LocaleRegistry::setUserDefault(loc::LocaleInfo::english());
        InitLocaleFormats();
        InitDefaultRecords();
        ExtensionInTheChart::SetUp();
    }

    FixedWidthDC dc{kCharWidth};
};

TEST_F(DateLabelsInTheChart, ThePaintDrawsTheDateLabels) {
    korvel::KvlChartModel& model = chart->model();
    model.resize(4, 20);
    for (LONG p = 0; p < 20; ++p) {
        for (LONG s = 0; s < 4; ++s)
            model.setValue(1, s, p, 10.0 * s + p);
        model.setXValue(p, oleDate(2024, 1, 1) + p);
    }
    chart->dataChanged();
    ASSERT_EQ(chart->put_ChartType(kFirstGalleryNumber + kBarType), com::S_OK);
    // The plot of a 640 x 480 chart is 563 px wide: weeks with days between.
    chart->paint(&dc, korvel::KvlRect{0, 0, 640, 480}, false);
    EXPECT_EQ(extension->gallery(kBarType)->dateSteps(), (DateSteps{4, 5, 1, 1}));
    std::vector<std::string> texts;
    std::vector<double> positions;
    LONG minorLabels = 0;
    for (const korvel::KvlDrawnLabel& drawn : chart->drawnLabels()) {
        if (drawn.axis != korvel::kXAxis)
            continue;
        if (!drawn.major) {
            ++minorLabels;
            continue;
        }
        EXPECT_FALSE(drawn.own);
        texts.push_back(drawn.text);
        positions.push_back(drawn.position);
    }
    // The first day, then Sun 7 Jan (a first week) and Sun 14 Jan, each at the left of its slot.
    EXPECT_EQ(texts, (std::vector<std::string>{"1/1/2024", "1/7/2024", "1/14/2024"}));
    EXPECT_EQ(positions, (std::vector<double>{0.5, 6.5, 13.5}));
    EXPECT_EQ(minorLabels, 20);
}

}  // namespace
}  // namespace dravik::test
