#include <gtest/gtest.h>

#include <vector>

#include "FigureTestSupport.h"
#include "special/KagiBuilder.h"
#include "special/PointFigureBuilder.h"
#include "special/RenkoBuilder.h"
#include "special/ThreeLineBreakBuilder.h"
#include "special/WorkSeries.h"
#include "studies/StudyRows.h"

namespace dravik {
namespace {

using test::kNone;

// Three elements 105-120, 115-100, 105-115 written by hand.
SpecialFigure threeColumns() {
    SpecialFigure figure;
    figure.Allocate(3);
    figure.Set(0, 105, 120, 3);
    figure.Set(1, 115, 100, 5);
    figure.Set(2, 105, 115, 6);
    return figure;
}

TEST(SpecialFigure, AllocateZeroFillsAllFourArraysAndFreeEmptiesThem) {
    SpecialFigure figure;
    figure.Allocate(4);
    EXPECT_EQ(figure.count(), 4);
    EXPECT_EQ(figure.endValues, std::vector<double>(4, 0.0));
    EXPECT_EQ(figure.startValues, std::vector<double>(4, 0.0));
    EXPECT_EQ(figure.sourcePoint, std::vector<std::int32_t>(4, 0));
    EXPECT_EQ(figure.signal, std::vector<std::int32_t>(4, 0));
    figure.Set(1, 2, 1, 7);
    EXPECT_TRUE(figure.falls(1));
    EXPECT_FALSE(figure.rises(1));
    EXPECT_FALSE(figure.rises(0));  // start equals end: neither
    EXPECT_FALSE(figure.falls(0));
    figure.Free();
    EXPECT_TRUE(figure.empty());
    EXPECT_TRUE(figure.signal.empty());
    EXPECT_TRUE(figure.sourcePoint.empty());
}

TEST(SpecialFigure, ValueRangeOverTheVisibleElements) {
    const SpecialFigure figure = threeColumns();
    double min = 0;
    double max = 0;
    EXPECT_TRUE(FigureValueRange(figure, 0, 1, min, max));
    EXPECT_EQ(min, 100);
    EXPECT_EQ(max, 120);
    // One element: its range, but no span to zoom to.
    EXPECT_FALSE(FigureValueRange(figure, 1, 1, min, max));
    EXPECT_EQ(min, 100);
    EXPECT_EQ(max, 115);
    // The last element is capped at the figure's end, the first raised to 0.
    EXPECT_TRUE(FigureValueRange(figure, 2, 40, min, max));
    EXPECT_EQ(min, 105);
    EXPECT_EQ(max, 115);
    EXPECT_TRUE(FigureValueRange(figure, -1, 0, min, max));
    EXPECT_EQ(min, 105);
    EXPECT_EQ(max, 120);
    // Nothing visible: no range, and the outputs are left alone.
    min = -7;
    max = 7;
    EXPECT_FALSE(FigureValueRange(figure, 3, 9, min, max));
    EXPECT_FALSE(FigureValueRange(SpecialFigure{}, 0, 5, min, max));
    EXPECT_EQ(min, -7);
    EXPECT_EQ(max, 7);
    // Equal values over two elements: no range.
    SpecialFigure flat;
    flat.Allocate(2);
    EXPECT_FALSE(FigureValueRange(flat, 0, 1, min, max));
}

TEST(SpecialFigure, TheVisibleRangeStartsFromTheFirstElementNotTheSearchSeeds) {
    // Every value beyond +/-3.4e38: the seeds of a range search must not stay in the result.
    SpecialFigure figure;
    figure.Allocate(2);
    figure.Set(0, 1e39, 2e39, 1);
    figure.Set(1, 2e39, 1.5e39, 2);
    double min = 0;
    double max = 0;
    EXPECT_TRUE(FigureValueRange(figure, 0, 1, min, max));
    EXPECT_EQ(min, 1e39);
    EXPECT_EQ(max, 2e39);
    figure.Set(0, -1e39, -2e39, 1);
    figure.Set(1, -2e39, -1.5e39, 2);
    EXPECT_TRUE(FigureValueRange(figure, 0, 1, min, max));
    EXPECT_EQ(min, -2e39);
    EXPECT_EQ(max, -1e39);
}

TEST(SpecialFigure, TheChartGetsEndValuesAndStartValuesAndARoundedRange) {
    const SpecialFigure figure = threeColumns();
    FigureBuild build;
    build.count = 3;
    build.min = 1003;
    build.max = 1997;
    const FigureHandOver handOver = HandOverOf(figure, build);
    EXPECT_EQ(handOver.seriesCount, 1);
    EXPECT_EQ(handOver.pointCount, 3);
    EXPECT_EQ(std::vector<double>(handOver.values.begin(), handOver.values.end()),
              (std::vector<double>{120, 100, 115}));
    ASSERT_TRUE(handOver.hasFromValues);
    EXPECT_EQ(std::vector<double>(handOver.fromValues.begin(), handOver.fromValues.end()),
              (std::vector<double>{105, 115, 105}));
    // A range of 994 is rounded outwards to tens.
    EXPECT_EQ(handOver.axisMin, 1000);
    EXPECT_EQ(handOver.axisMax, 2000);
}

TEST(SpecialFigure, EmptyFiguresHandTheChartOneSeriesWithoutPoints) {
    const std::vector<double> empty{kNone, kNone, kNone};
    const std::vector<double> flat{10, 10, 10};
    for (const auto* values : {&empty, &flat}) {
        SpecialFigure figure;
        std::vector<std::int32_t> boxes;
        std::vector<std::int16_t> kinds;
        const FigureBuild builds[] = {
            BuildPointFigure(*values, PointFigureSettings{}, false, figure, boxes),
            BuildRenkoFigure(*values, RenkoSettings{}, figure),
            BuildKagiFigure(*values, KagiSettings{}, figure, kinds),
            BuildThreeLineBreakFigure(*values, ThreeLineBreakSettings{}, figure),
        };
        for (const FigureBuild& build : builds) {
            EXPECT_EQ(build.status, com::S_OK);
            EXPECT_EQ(build.count, 0);
            EXPECT_TRUE(figure.empty());
            const FigureHandOver handOver = HandOverOf(figure, build);
            EXPECT_EQ(handOver.seriesCount, 1);
            EXPECT_EQ(handOver.pointCount, 0);
            EXPECT_TRUE(handOver.values.empty());
            EXPECT_FALSE(handOver.hasFromValues);
        }
    }
}

TEST(SpecialWorkSeries, PriceSeriesByNegativeIndexAndSeriesZeroOtherwise) {
    BoundPriceSeries bound;
    bound.open = 4;
    bound.high = 3;
    bound.close = 1;  // low is not bound
    struct Case {
        int workSeries;
        int expected;
    };
    const Case cases[] = {
        {-4, 4}, {-3, 3}, {-2, 0}, {-1, 1},  // open, high, low (unbound), close
        {2, 2},  {4, 4},  {5, 0},  {-5, 0}, {32767, 0}, {-32768, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpecialWorkSeries(c.workSeries, bound, 5), c.expected) << c.workSeries;
    // A bound series the chart does not have reads series 0.
    EXPECT_EQ(SpecialWorkSeries(-4, bound, 3), 0);
}

}  // namespace
}  // namespace dravik
