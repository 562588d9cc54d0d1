#include <gtest/gtest.h>

#include <vector>

#include "FigureTestSupport.h"
#include "special/RenkoBuilder.h"

namespace dravik {
namespace {

using test::expectFigure;
using test::kNone;

RenkoSettings fixedBrick(double brick) {
    RenkoSettings settings;
    settings.boxSize = brick;
    settings.percentualBox = 0;
    return settings;
}

FigureBuild buildWithSignals(const std::vector<double>& values, const RenkoSettings& settings,
                             SpecialFigure& figure) {
    const FigureBuild build = BuildRenkoFigure(values, settings, figure);
    MarkRenkoSignals(figure);
    return build;
}

TEST(RenkoBuilder, ARiseLaysWholeBricksAndAFallNeedsOneBrickBelowTheBrick) {
    // 12.5: two bricks up (10-11, 11-12), the brick is 11..12. 11.9 lies inside it. 9.9 is
    // trunc((11 - 9.9) / 1) = 1 brick below: 11-10, a sell signal after the rising bricks.
    SpecialFigure figure;
    const FigureBuild build = buildWithSignals({10, 12.5, 11.9, 9.9}, fixedBrick(1), figure);
    EXPECT_EQ(build.status, com::S_OK);
    EXPECT_EQ(build.count, 3);
    EXPECT_EQ(build.min, 9.9);
    EXPECT_EQ(build.max, 12.5);
    expectFigure(figure, {{10, 11, 1}, {11, 12, 1}, {11, 10, 3, -1}});
}

TEST(RenkoBuilder, SellAndBuySignalsAtEachTurn) {
    // 13: 10-11, 11-12, 12-13 (brick 12..13). 10.5: 1 brick below 12: 12-11. 8.9: 2 below 11: 11-10,
    // 10-9 (brick 9..10). 11: 1 above 10: 10-11, the first buy signal.
    SpecialFigure figure;
    const FigureBuild build = buildWithSignals({10, 13, 10.5, 8.9, 11}, fixedBrick(1), figure);
    EXPECT_EQ(build.count, 7);
    EXPECT_EQ(build.min, 8.9);
    EXPECT_EQ(build.max, 13);
    expectFigure(
        figure,
        {{10, 11, 1}, {11, 12, 1}, {12, 13, 1}, {12, 11, 2, -1}, {11, 10, 3}, {10, 9, 3}, {10, 11, 4, 1}});
}

TEST(RenkoBuilder, SignalsAreNumberedInTheirOwnSequences) {
    // Up, down, up, down: buy numbers and sell numbers count apart.
    SpecialFigure figure;
    buildWithSignals({10, 11, 9, 11, 9}, fixedBrick(1), figure);
    expectFigure(figure, {{10, 11, 1}, {10, 9, 2, -1}, {10, 11, 3, 1}, {10, 9, 4, -2}});
}

TEST(RenkoBuilder, DefaultBrickIsFivePercentOfTheFirstPrice) {
    SpecialFigure figure;
    const FigureBuild build =
        BuildRenkoFigure(std::vector<double>{kNone, 100, 111, kNone, 104}, RenkoSettings{}, figure);
    EXPECT_EQ(build.min, 100);
    EXPECT_EQ(build.max, 111);
    expectFigure(figure, {{100, 105, 2}, {105, 110, 2}});  // 104 is not a brick below 105

    // The brick is (5 x 3.23) x 0.01 = 0.16149999999999998 in that order; 5 x (3.23 x 0.01) would be
    // 0.1615 and end the brick at 3.3915.
    BuildRenkoFigure(std::vector<double>{3.23, 3.4}, RenkoSettings{}, figure);
    expectFigure(figure, {{3.23, 3.3914999999999997, 1}});
}

TEST(RenkoBuilder, NoFullBrickGivesAnEmptyFigure) {
    SpecialFigure figure;
    FigureBuild build = BuildRenkoFigure(std::vector<double>{10, 10.5, 9.5, 10.99}, fixedBrick(1), figure);
    EXPECT_EQ(build.status, com::S_OK);
    EXPECT_EQ(build.count, 0);
    EXPECT_TRUE(figure.empty());
    build = BuildRenkoFigure(std::vector<double>{kNone, kNone, kNone}, fixedBrick(1), figure);
    EXPECT_EQ(build.count, 0);
}

TEST(RenkoBuilder, RefusesBricksThatCannotMakeAFigure) {
    // 0, 1, 0, 1, ...: 39 moves of a million bricks of 1e-6 each, far more than a figure may hold.
    std::vector<double> swings(40, 0.0);
    for (std::size_t i = 1; i < swings.size(); i += 2)
        swings[i] = 1;
    struct Case {
        const char* what;
        std::vector<double> values;
        RenkoSettings settings;
    };
    const Case cases[] = {
        {"brick 0", {10, 20}, fixedBrick(0)},
        {"negative brick", {10, 20}, fixedBrick(-0.5)},
        {"percentage of price 0", {0, 20}, RenkoSettings{}},
        {"percentage of a negative price", {kNone, -1, 20}, RenkoSettings{}},
        // A thousand million bricks: refused before any is laid.
        {"too many bricks", {0, 1}, fixedBrick(1e-9)},
        {"too many bricks in all", swings, fixedBrick(1e-6)},
    };
    for (const Case& c : cases) {
        SpecialFigure figure;
        figure.Allocate(3);
        const FigureBuild build = BuildRenkoFigure(c.values, c.settings, figure);
        EXPECT_EQ(build.status, com::E_INVALIDARG) << c.what;
        EXPECT_EQ(build.count, 0) << c.what;
        EXPECT_TRUE(figure.empty()) << c.what;
    }
}

}  // namespace
}  // namespace dravik
