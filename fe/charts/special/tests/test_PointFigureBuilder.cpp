#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "FigureTestSupport.h"
#include "special/PointFigureBuilder.h"

namespace dravik {
namespace {

using test::expectFigure;
using test::kNone;

PointFigureSettings fixedBox(double box, std::int16_t reversal = 1) {
    PointFigureSettings settings;
    settings.boxSize = box;
    settings.reversalAmount = reversal;
    settings.percentualBox = 0;
    return settings;
}

struct PointFigureBuilt {
    FigureBuild build;
    SpecialFigure figure;
    std::vector<std::int32_t> boxes;
};

PointFigureBuilt build(const std::vector<double>& values, const PointFigureSettings& settings,
                       bool extraBox = false) {
    PointFigureBuilt built;
    built.build = BuildPointFigure(values, settings, extraBox, built.figure, built.boxes);
    return built;
}

TEST(PointFigureBuilder, OneRisingColumnStartsAtTheFirstPriceAndGetsABoxOnTop) {
    // 12 and 14 are two boxes each from the level: 4 boxes, the column closed at 14 + 1.
    const PointFigureBuilt b = build({10, 12, 14}, fixedBox(1));
    EXPECT_EQ(b.build.status, com::S_OK);
    EXPECT_EQ(b.build.count, 1);
    EXPECT_EQ(b.build.min, 10);
    EXPECT_EQ(b.build.max, 15);  // 14 plus one box
    expectFigure(b.figure, {{10, 15, 2}});
    EXPECT_EQ(b.boxes, (std::vector<std::int32_t>{4}));
}

TEST(PointFigureBuilder, AReversalClosesTheFirstColumnOneBoxAboveTheFirstPrice) {
    // 11 is three boxes below 14: the rising column closes at 14 + 1 starting at 10 + 1, the falling
    // one runs from 14 down to 11.
    const PointFigureBuilt b = build({10, 12, 14, 11}, fixedBox(1));
    EXPECT_EQ(b.build.count, 2);
    EXPECT_EQ(b.build.min, 10);
    EXPECT_EQ(b.build.max, 15);
    expectFigure(b.figure, {{11, 15, 2}, {14, 11, 3}});
    EXPECT_EQ(b.boxes, (std::vector<std::int32_t>{4, 3}));
}

TEST(PointFigureBuilder, DefaultSettingsUseFivePercentOfTheFirstPrice) {
    // Box 5 x 100 x 0.01 = 5, reversal 1. 103: less than a box. 111: 2 boxes up (level 110). 116: 1 more
    // (115). 104: 2 down, a reversal: column 0 closes 105..120 at point 3, column 1 starts at 115, level
    // 105. 98: 1 more down (100). 112: 2 up, a reversal: column 1 closes 115..100 at point 5, column 2
    // starts at 100 + 5 and rises to 110, closed at 115.
    const PointFigureBuilt b = build({100, 103, 111, 116, 104, 98, 112}, PointFigureSettings{});
    EXPECT_EQ(b.build.count, 3);
    EXPECT_EQ(b.build.min, 98);
    EXPECT_EQ(b.build.max, 121);  // 116 plus one box
    expectFigure(b.figure, {{105, 120, 3}, {115, 100, 5}, {105, 115, 6}});
    EXPECT_EQ(b.boxes, (std::vector<std::int32_t>{3, 3, 2}));
}

TEST(PointFigureBuilder, TheExtraBoxOptionRaisesTheReversalAndDropsTheTopBox) {
    // Reversal 1 + 1: 11 is three boxes down and turns the column; the rising column ends at its
    // level 14, the falling one starts a box below it with a count of -1 + 3.
    PointFigureBuilt b = build({10, 12, 14, 11}, fixedBox(1), true);
    EXPECT_EQ(b.build.count, 2);
    EXPECT_EQ(b.build.max, 14);
    expectFigure(b.figure, {{10, 14, 2}, {13, 11, 3}});
    EXPECT_EQ(b.boxes, (std::vector<std::int32_t>{4, 2}));

    // One box down turns the column without the option, not with it.
    b = build({10, 12, 14, 12.5}, fixedBox(1));
    expectFigure(b.figure, {{11, 15, 2}, {14, 13, 3}});
    b = build({10, 12, 14, 12.5}, fixedBox(1), true);
    expectFigure(b.figure, {{10, 14, 2}});
}

TEST(PointFigureBuilder, MovesAreCountedInWholeBoxesFromTheLevel) {
    // 0.99 of a box is nothing, twice 0.99 passes one box boundary from the level 10.
    PointFigureBuilt b = build({10, 10.99}, fixedBox(1));
    EXPECT_EQ(b.build.count, 0);
    EXPECT_TRUE(b.figure.empty());
    b = build({10, 10.5, 10.99}, fixedBox(1));
    EXPECT_EQ(b.build.count, 0);
    b = build({10, 10.99, 11.98}, fixedBox(1));
    expectFigure(b.figure, {{10, 12, 2}});
    EXPECT_EQ(b.boxes, (std::vector<std::int32_t>{1}));

    // A reversal of 3 boxes: two boxes down against a rising column change nothing, a rise goes on.
    b = build({10, 13, 11, 14, 10.5}, fixedBox(1, 3));
    expectFigure(b.figure, {{11, 15, 3}, {14, 11, 4}});
    EXPECT_EQ(b.boxes, (std::vector<std::int32_t>{4, 3}));
}

TEST(PointFigureBuilder, EmptyPointsAreSkippedAndSourcePointsAreChartPoints) {
    // Percentage of the first value that is there: 5 x 200 x 0.01 = 10.
    const PointFigureBuilt b = build({kNone, 200, kNone, 211, kNone}, PointFigureSettings{});
    EXPECT_EQ(b.build.min, 200);
    EXPECT_EQ(b.build.max, 221);
    expectFigure(b.figure, {{200, 220, 3}});

    const PointFigureBuilt none = build({kNone, kNone}, PointFigureSettings{});
    EXPECT_EQ(none.build.status, com::S_OK);
    EXPECT_EQ(none.build.count, 0);
    EXPECT_TRUE(none.figure.empty());
}

TEST(PointFigureBuilder, RefusesSizesThatCannotMakeAFigure) {
    PointFigureSettings percent;  // 5 percent of the first price
    struct Case {
        const char* what;
        std::vector<double> values;
        PointFigureSettings settings;
    };
    const Case cases[] = {
        {"box 0", {10, 20}, fixedBox(0)},
        {"negative box", {10, 20}, fixedBox(-1)},
        {"box not a number", {10, 20}, fixedBox(std::numeric_limits<double>::quiet_NaN())},
        {"reversal 0", {10, 20}, fixedBox(1, 0)},
        {"negative reversal", {10, 20}, fixedBox(1, -2)},
        {"percentage of price 0", {kNone, 0, 20}, percent},
        {"percentage of a negative price", {-5, 20}, percent},
        {"more boxes than a count holds", {0, 1e10}, fixedBox(1e-3)},
    };
    for (const Case& c : cases) {
        PointFigureBuilt b;
        b.figure.Allocate(2);  // an earlier figure goes
        b.boxes = {1, 2};
        b.build = BuildPointFigure(c.values, c.settings, false, b.figure, b.boxes);
        EXPECT_EQ(b.build.status, com::E_INVALIDARG) << c.what;
        EXPECT_EQ(b.build.count, 0) << c.what;
        EXPECT_TRUE(b.figure.empty()) << c.what;
        EXPECT_TRUE(b.boxes.empty()) << c.what;
    }
}

}  // namespace
}  // namespace dravik
