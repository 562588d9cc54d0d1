#include <gtest/gtest.h>

#include <vector>

#include "FigureTestSupport.h"
#include "special/ThreeLineBreakBuilder.h"

namespace dravik {
namespace {

using test::expectFigure;
using test::kNone;

ThreeLineBreakSettings lines(std::int16_t breakDays) {
    ThreeLineBreakSettings settings;
    settings.breakDays = breakDays;
    return settings;
}

FigureBuild buildWithSignals(const std::vector<double>& values, std::int16_t breakDays,
                             SpecialFigure& figure) {
    const FigureBuild build = BuildThreeLineBreakFigure(values, lines(breakDays), figure);
    MarkThreeLineBreakSignals(figure, breakDays);
    return build;
}

TEST(ThreeLineBreakBuilder, AReversalBreaksTheOldestLineOfTheWindow) {
    // Rising lines 10-11, 11-12, 12-13; 9 is below 10, the bottom of the oldest: a falling line from
    // 12, the bottom of the last rising line.
    SpecialFigure figure;
    const FigureBuild build = buildWithSignals({10, 11, 12, 13, 9}, 3, figure);
    EXPECT_EQ(build.status, com::S_OK);
    EXPECT_EQ(build.count, 4);
    EXPECT_EQ(build.min, 9);
    EXPECT_EQ(build.max, 13);
    expectFigure(figure, {{10, 11, 1}, {11, 12, 2}, {12, 13, 3}, {12, 9, 4}});
}

TEST(ThreeLineBreakBuilder, OneLineReversesWhereThreeDoNot) {
    // With 3 lines 11.5 and 10.9 stay above 10, the bottom of the oldest line, and make no line.
    SpecialFigure figure;
    FigureBuild build = buildWithSignals({10, 11, 12, 11.5, 10.9}, 3, figure);
    EXPECT_EQ(build.count, 2);
    EXPECT_EQ(build.min, 10);
    EXPECT_EQ(build.max, 12);
    expectFigure(figure, {{10, 11, 1}, {11, 12, 2}});
    // With 1 line the window holds 11-12 only: 10.9 is below 11 and reverses from there.
    build = buildWithSignals({10, 11, 12, 11.5, 10.9}, 1, figure);
    EXPECT_EQ(build.count, 3);
    expectFigure(figure, {{10, 11, 1}, {11, 12, 2}, {11, 10.9, 4}});
}

TEST(ThreeLineBreakBuilder, ANewLineDropsTheOldestFromAFullWindow) {
    // 10.5 is not below 10 and makes no line; 14 makes 13-14 and the window drops 10-11, so that 10.9,
    // below 11, now reverses (from 13, the bottom of the last rising line).
    SpecialFigure figure;
    buildWithSignals({10, 11, 12, 13, 10.5, 14, 10.9}, 3, figure);
    expectFigure(figure, {{10, 11, 1}, {11, 12, 2}, {12, 13, 3}, {13, 14, 5}, {13, 10.9, 6}});
}

TEST(ThreeLineBreakBuilder, EqualValuesBeforeTheFirstLineMakeNoLine) {
    SpecialFigure figure;
    FigureBuild build = buildWithSignals({kNone, 10, 10, kNone, 10, 9.5}, 3, figure);
    expectFigure(figure, {{10, 9.5, 5}});
    build = buildWithSignals({10, 10, 10}, 3, figure);
    EXPECT_EQ(build.status, com::S_OK);
    EXPECT_EQ(build.count, 0);
    EXPECT_TRUE(figure.empty());
}

TEST(ThreeLineBreakBuilder, SignalsAfterLongRunsFollowedByTwoLinesTheOtherWay) {
    // Four rising lines, then falling 13-9, 9-8, 8-7, 7-6 (the window shifting), then rising 7-15
    // (15 is above 9, the top of the oldest falling line) and 15-16. The run of four rising lines is
    // longer than 3 and two falling lines follow: a sell on the first of them; the same for the buy.
    SpecialFigure figure;
    const FigureBuild build = buildWithSignals({10, 11, 12, 13, 14, 9, 8, 7, 6, 15, 16}, 3, figure);
    EXPECT_EQ(build.count, 10);
    EXPECT_EQ(build.min, 6);
    EXPECT_EQ(build.max, 16);
    expectFigure(figure, {{10, 11, 1},
                          {11, 12, 2},
                          {12, 13, 3},
                          {13, 14, 4},
                          {13, 9, 5, -1},
                          {9, 8, 6},
                          {8, 7, 7},
                          {7, 6, 8},
                          {7, 15, 9, 1},
                          {15, 16, 10}});
    // A run of three lines is not longer than 3: no signal.
    buildWithSignals({10, 11, 12, 13, 9, 8}, 3, figure);
    expectFigure(figure, {{10, 11, 1}, {11, 12, 2}, {12, 13, 3}, {12, 9, 4}, {9, 8, 5}});
}

TEST(ThreeLineBreakBuilder, AValueEqualToAnEdgeMakesNoLine) {
    // 12 equals the top of the newest rising line, 10 the bottom of the oldest: neither passes it.
    SpecialFigure figure;
    FigureBuild build = buildWithSignals({10, 11, 12, 12, 10}, 3, figure);
    EXPECT_EQ(build.count, 2);
    expectFigure(figure, {{10, 11, 1}, {11, 12, 2}});
    // Falling: the same at the bottom of the newest line.
    build = buildWithSignals({12, 11, 10, 10}, 3, figure);
    EXPECT_EQ(build.count, 2);
    expectFigure(figure, {{12, 11, 1}, {11, 10, 2}});
}

TEST(ThreeLineBreakBuilder, AFourLineFigureSignalsWithOneLineToBreak) {
    // Two rising lines, then 10.5 below 11 reverses and 10 extends the fall: the run of two rising
    // lines is longer than 1 and two falling lines follow, so the first of them is a sell.
    SpecialFigure figure;
    const FigureBuild build = buildWithSignals({10, 11, 12, 10.5, 10}, 1, figure);
    EXPECT_EQ(build.count, 4);
    expectFigure(figure, {{10, 11, 1}, {11, 12, 2}, {11, 10.5, 3, -1}, {10.5, 10, 4}});
    // Rising after two falling lines: a buy.
    buildWithSignals({12, 11, 10, 11.5, 12}, 1, figure);
    expectFigure(figure, {{12, 11, 1}, {11, 10, 2}, {11, 11.5, 3, 1}, {11.5, 12, 4}});
}

TEST(ThreeLineBreakBuilder, TheRangeOfPricesBeyondTheSearchSeedsIsTheirOwn) {
    SpecialFigure figure;
    FigureBuild build = buildWithSignals({1e39, 2e39, 3e39}, 3, figure);
    EXPECT_EQ(build.min, 1e39);
    EXPECT_EQ(build.max, 3e39);
    build = buildWithSignals({-1e39, -2e39, -3e39}, 3, figure);
    EXPECT_EQ(build.min, -3e39);
    EXPECT_EQ(build.max, -1e39);
}

TEST(ThreeLineBreakBuilder, RefusesFewerThanOneLine) {
    for (const std::int16_t breakDays : {0, -1, -32768}) {
        SpecialFigure figure;
        figure.Allocate(1);
        const FigureBuild build =
            BuildThreeLineBreakFigure(std::vector<double>{10, 11, 12}, lines(breakDays), figure);
        EXPECT_EQ(build.status, com::E_INVALIDARG) << breakDays;
        EXPECT_TRUE(figure.empty()) << breakDays;
    }
}

}  // namespace
}  // namespace dravik
