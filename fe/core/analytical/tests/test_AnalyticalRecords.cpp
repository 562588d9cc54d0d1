// The panes of the analytical chart in percent of the plot: bands, the fall-back sizes and the display
// ranges that stretch each pane's data over the whole plot.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analytical/AnalyticalRecords.h"

namespace dravik::test {
namespace {

TEST(AnalyticalRecords, NewRecordsHaveTheirDefaults) {
    const auto axes = DefaultAxisRecords();
    EXPECT_EQ(axes[0].controlAxis, 6);
    EXPECT_EQ(axes[1].controlAxis, 4);
    EXPECT_EQ(axes[2].controlAxis, 5);
    EXPECT_EQ(axes[3].controlAxis, 0);
    for (std::size_t a = 0; a < 3; ++a) {
        EXPECT_EQ(axes[a].size, 15);
        EXPECT_EQ(axes[a].gap, 3);
        EXPECT_EQ(axes[a].emptyState, 2);
        EXPECT_EQ(axes[a].study, -1);
    }
    EXPECT_EQ(axes[3].size, 75);
    EXPECT_EQ(axes[3].gap, 0);
    EXPECT_EQ(axes[3].emptyState, 0);
    EXPECT_EQ(axes[3].dataMin, 0.0);
    EXPECT_EQ(axes[3].dataMax, 100.0);
}

TEST(AnalyticalRecords, AxisBandStretchesTheDataOverThePlot) {
    StudyAxisRecord axis;
    axis.dataMin = 10;
    axis.dataMax = 20;
    // 20 % below, 60 % above: the data fill 20 % of the plot.
    ApplyAxisBand(axis, 20, 60, 100);
    EXPECT_DOUBLE_EQ(axis.displayMin, 0.0);   // 10 - 10 x 20 / 20
    EXPECT_DOUBLE_EQ(axis.displayMax, 50.0);  // 20 + 10 x 60 / 20
    // A band without height divides by nothing: the display range is the data range.
    ApplyAxisBand(axis, 50, 50, 100);
    EXPECT_EQ(axis.displayMin, 10.0);
    EXPECT_EQ(axis.displayMax, 20.0);
    axis.dataMax = std::numeric_limits<double>::infinity();
    ApplyAxisBand(axis, 20, 60, 100);
    EXPECT_EQ(axis.displayMin, 10.0);
}

TEST(AnalyticalRecords, StudyPanesAskingMoreThanNinetyPercentFallBackToFifteenAndThree) {
    auto axes = DefaultAxisRecords();
    axes[0].study = 38;
    axes[0].dataMin = 10;
    axes[0].dataMax = 20;
    axes[1].study = 39;
    axes[1].dataMin = 0;
    axes[1].dataMax = 40;
    axes[3].dataMin = 100;
    axes[3].dataMax = 122;
    // 50 + 3 twice is 106 %.
    LayoutAxisBands(axes, {50, 50, 0}, {3, 3, 0});
    EXPECT_EQ(axes[0].size, 15);
    EXPECT_EQ(axes[0].gap, 3);
    EXPECT_EQ(axes[1].size, 15);
    EXPECT_EQ(axes[1].gap, 3);
    EXPECT_EQ(axes[3].size, 64);
    // Axis 0 at the bottom: 0 % below, 85 % above.
    EXPECT_DOUBLE_EQ(axes[0].displayMin, 10.0);
    EXPECT_DOUBLE_EQ(axes[0].displayMax, 20.0 + 10.0 * 85.0 / 15.0);
    // Axis 1 above it: 18 % below, 67 % above.
    EXPECT_DOUBLE_EQ(axes[1].displayMin, -48.0);
    EXPECT_DOUBLE_EQ(axes[1].displayMax, 40.0 + 40.0 * 67.0 / 15.0);
    // The price pane on top: 36 % below.
    EXPECT_DOUBLE_EQ(axes[3].displayMin, 87.625);
    EXPECT_DOUBLE_EQ(axes[3].displayMax, 122.0);
    // An unused axis keeps its defaults.
    EXPECT_EQ(axes[2].size, 15);
}

TEST(AnalyticalRecords, StudyPanesWithinNinetyPercentKeepTheirSpace) {
    auto axes = DefaultAxisRecords();
    axes[2].study = 25;
    axes[2].dataMin = 0;
    axes[2].dataMax = 100;
    LayoutAxisBands(axes, {0, 0, 40}, {0, 0, 10});
    EXPECT_EQ(axes[2].size, 40);
    EXPECT_EQ(axes[2].gap, 10);
    EXPECT_EQ(axes[3].size, 50);
    EXPECT_DOUBLE_EQ(axes[2].displayMax, 100.0 + 100.0 * 60.0 / 40.0);
}

TEST(AnalyticalRecords, WideningMovesEachEndByItsOwnMagnitude) {
    double min = 10;
    double max = 20;
    WidenRange(min, max, 0.01);
    EXPECT_DOUBLE_EQ(min, 9.9);
    EXPECT_DOUBLE_EQ(max, 20.2);
    min = -10;
    max = -5;
    WidenRange(min, max, 0.01);
    EXPECT_DOUBLE_EQ(min, -10.1);
    EXPECT_DOUBLE_EQ(max, -4.95);
}

}  // namespace
}  // namespace dravik::test
