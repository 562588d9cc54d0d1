#include <gtest/gtest.h>

#include <cmath>

#include "korvel/KvlChartModel.h"

namespace korvel {
namespace {

KvlChartModel modelWith(LONG points, LONG width, LONG height) {
    KvlChartModel model;
    model.setClientSize(width, height);
    model.resize(1, points);
    for (LONG p = 0; p < points; ++p)
        model.setValue(1, 0, p, 10.0 + p);
    model.autoScale();
    return model;
}

struct Size {
    LONG points;
    LONG width;
    LONG height;
};

class PixelConversion : public ::testing::TestWithParam<Size> {};

TEST_P(PixelConversion, PixelToValueAndBackGivesThePixel) {
    const Size size = GetParam();
    const KvlChartModel model = modelWith(size.points, size.width, size.height);
    const KvlRect plot = model.plotRect();
    for (LONG x = plot.left; x < plot.right; x += 7) {
        for (LONG y = plot.top; y < plot.bottom; y += 5) {
            double position = 0, value = 0;
            ASSERT_EQ(model.pixelToValue(x, y, &position, &value, 0), com::S_OK);
            LONG backX = -1, backY = -1;
            ASSERT_EQ(model.valueToPixel(position, value, &backX, &backY, 0), com::S_OK);
            EXPECT_EQ(backX, x);
            EXPECT_EQ(backY, y);
        }
    }
}

TEST_P(PixelConversion, PointPositionsSitAtSlotCentres) {
    const Size size = GetParam();
    const KvlChartModel model = modelWith(size.points, size.width, size.height);
    const KvlRect plot = model.plotRect();
    // The visible X range runs from 0.5 to points + 0.5: position 0.5 is the left edge of the plot.
    double low = 0, high = 0;
    model.axisValue(0, 0, &low);
    model.axisValue(0, 1, &high);
    LONG x = 0, y = 0;
    ASSERT_EQ(model.valueToPixel(0.5, low, &x, &y, 0), com::S_OK);
    EXPECT_EQ(x, plot.left);
    EXPECT_EQ(y, plot.bottom);
    ASSERT_EQ(model.valueToPixel(size.points + 0.5, high, &x, &y, 0), com::S_OK);
    EXPECT_EQ(x, plot.right);
    EXPECT_EQ(y, plot.top);
}

INSTANTIATE_TEST_SUITE_P(Sizes, PixelConversion,
                         ::testing::Values(Size{10, 640, 480}, Size{1, 200, 150}, Size{250, 1024, 768},
                                           Size{3, 101, 97}));

TEST(KvlChartModel, ConversionFailsWithoutRoom) {
    KvlChartModel model = modelWith(5, 50, 40);  // margins eat the whole client area
    double position = 0, value = 0;
    EXPECT_EQ(model.pixelToValue(10, 10, &position, &value, 0), com::E_FAIL);
    LONG x = 0, y = 0;
    EXPECT_EQ(model.valueToPixel(1, 1, &x, &y, 2), com::E_INVALIDARG);
}

TEST(KvlChartModel, AutoScaleSkipsMissingPointsAndHiddenSeries) {
    KvlChartModel model;
    model.resize(3, 4);
    const double rows[3][4] = {{5, kNoValue, 7, 6}, {100, 200, 300, 400}, {-3, -1, kNoValue, 0}};
    for (LONG s = 0; s < 3; ++s)
        for (LONG p = 0; p < 4; ++p)
            model.setValue(1, s, p, rows[s][p]);
    model.setAttribute(1, kAttrVisible, 0);
    model.setAttribute(2, kAttrYAxis, 1);
    model.autoScale();
    double low = 0, high = 0;
    model.axisValue(0, 0, &low);
    model.axisValue(0, 1, &high);
    EXPECT_EQ(low, 5);
    EXPECT_EQ(high, 7);
    model.axisValue(1, 0, &low);
    model.axisValue(1, 1, &high);
    EXPECT_EQ(low, -3);
    EXPECT_EQ(high, 0);
}

TEST(KvlChartModel, ZoomWithNoValuePositionsKeepsTheXRange) {
    KvlChartModel model = modelWith(20, 640, 480);
    ASSERT_EQ(model.zoomTo(3, 12, 8, 15), com::S_OK);
    EXPECT_EQ(model.visibleRange(kXAxis), std::make_pair(3.0, 8.0));
    ASSERT_EQ(model.zoomTo(kNoValue, 11, kNoValue, 14), com::S_OK);
    EXPECT_EQ(model.visibleRange(kXAxis), std::make_pair(3.0, 8.0));
    EXPECT_EQ(model.visibleRange(0), std::make_pair(11.0, 14.0));
    EXPECT_EQ(model.zoomTo(5, 14, 6, 11), com::E_INVALIDARG);
    model.resetZoom();
    EXPECT_FALSE(model.zoomed());
    EXPECT_EQ(model.visibleRange(kXAxis), std::make_pair(0.5, 20.5));
}

TEST(KvlChartModel, HitTestNamesTheAxes) {
    const KvlChartModel model = modelWith(10, 640, 480);
    const KvlRect plot = model.plotRect();
    struct Case {
        LONG x, y;
        SHORT code;
    } cases[] = {
        {plot.left - 5, plot.top + 10, kHitAxis0},    {plot.right + 2, plot.top + 10, kHitAxis1},
        {plot.left + 10, plot.bottom + 3, kHitAxis2}, {plot.left + 1, plot.top + 1, kHitPlot},
        {plot.left - 5, plot.bottom + 3, kHitNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(model.hitTest(c.x, c.y).code, c.code) << c.x << "," << c.y;
}

TEST(KvlChartModel, ResizeKeepsWhatFits) {
    KvlChartModel model;
    model.resize(2, 3);
    model.setValue(1, 1, 2, 42);
    model.resize(3, 5);
    double value = 0;
    ASSERT_EQ(model.value(1, 1, 2, &value), com::S_OK);
    EXPECT_EQ(value, 42);
    ASSERT_EQ(model.value(1, 2, 4, &value), com::S_OK);
    EXPECT_EQ(value, kNoValue);
    EXPECT_EQ(model.value(1, 3, 0, &value), com::E_INVALIDARG);
    EXPECT_EQ(value, 0);
}

TEST(KvlChartModel, AxisMinimumGivenByHandSurvivesTheNextRescale) {
    KvlChartModel model = modelWith(5, 640, 480);  // values 10 .. 14
    ASSERT_EQ(model.setAxisValue(0, 0, 2), com::S_OK);
    double style = 0;
    model.axisValue(0, 8, &style);
    EXPECT_EQ(static_cast<LONG>(style) & kAxisStyleAutoScale, 0) << "a minimum by hand ends autoscaling";
    model.setValue(1, 0, 0, -50);
    model.autoScale();
    double low = 0, high = 0;
    model.axisValue(0, 0, &low);
    model.axisValue(0, 1, &high);
    EXPECT_EQ(low, 2);
    EXPECT_EQ(high, 14) << "the maximum autoscale had computed stays too";

    // Switching autoscale back on rescales at once.
    ASSERT_EQ(model.setAxisValue(0, 8, kAxisStyleAutoScale), com::S_OK);
    model.axisValue(0, 0, &low);
    EXPECT_EQ(low, -50);
}

TEST(KvlChartModel, ValueToPixelFailsRatherThanOverflowing) {
    KvlChartModel model = modelWith(5, 640, 480);
    LONG x = 7, y = 7;
    EXPECT_EQ(model.valueToPixel(1e12, 12, &x, &y, 0), com::E_INVALIDARG) << "far beyond any 32-bit pixel";
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(model.valueToPixel(3, -1e300, &x, &y, 0), com::E_INVALIDARG);
    EXPECT_EQ(model.valueToPixel(3, 12, &x, &y, 0), com::S_OK) << "inside, the same chart converts";

    model.setClientSize(0, 0);
    x = 7;
    y = 7;
    EXPECT_EQ(model.valueToPixel(3, 12, &x, &y, 0), com::E_FAIL) << "a zero-size plot has no pixels";
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    double position = 1, value = 1;
    EXPECT_EQ(model.pixelToValue(0, 0, &position, &value, 0), com::E_FAIL);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(value, 0);
}

TEST(KvlChartModel, HitTestEdgesBelongToTheAxes) {
    const KvlChartModel model = modelWith(10, 640, 480);
    const KvlRect plot = model.plotRect();
    // Rising values: the series runs near the bottom on the left and near the top on the right.
    EXPECT_EQ(model.hitTest(plot.right - 20, plot.bottom - 1).code, kHitPlot);
    EXPECT_EQ(model.hitTest(plot.right - 20, plot.bottom).code, kHitAxis2)
        << "the bottom row is outside the plot";
    EXPECT_EQ(model.hitTest(plot.right - 1, plot.bottom - 20).code, kHitPlot);
    EXPECT_EQ(model.hitTest(plot.right, plot.bottom - 20).code, kHitAxis1);
    EXPECT_EQ(model.hitTest(plot.left, plot.top).code, kHitPlot);
    EXPECT_EQ(model.hitTest(plot.left - 1, plot.top).code, kHitAxis0);
    EXPECT_EQ(model.hitTest(plot.left + 20, plot.top - 1).code, kHitNone);
}

TEST(KvlChartModel, HitTestFindsTheSeriesAtAPoint) {
    const KvlChartModel model = modelWith(10, 640, 480);
    LONG x = 0, y = 0;
    ASSERT_EQ(model.valueToPixel(4, 13, &x, &y, 0), com::S_OK);  // point 3 holds 13
    KvlHitRecord hit = model.hitTest(x, y + 3);
    EXPECT_EQ(hit.code, kHitSeries);
    EXPECT_EQ(hit.series, 0);
    EXPECT_EQ(hit.point, 3);
    hit = model.hitTest(x, y + 4);
    EXPECT_EQ(hit.code, kHitPlot) << "four pixels off the value is beside the series";
    EXPECT_EQ(hit.series, -1);
    EXPECT_EQ(hit.point, 3);
}

TEST(KvlChartModel, EmptyChartStillHasAnXRange) {
    KvlChartModel model;
    EXPECT_EQ(model.pointCount(), 0);
    EXPECT_EQ(model.visibleRange(kXAxis), std::make_pair(0.5, 1.5)) << "one empty slot, never a zero range";
    LONG x = 0, y = 0;
    EXPECT_EQ(model.valueToPixel(1, 50, &x, &y, 0), com::S_OK);
    const KvlRect plot = model.plotRect();
    EXPECT_EQ(x, (plot.left + plot.right) / 2);
    EXPECT_EQ(model.hitTest(x, y).point, -1) << "no point to hit";
}

TEST(KvlChartModel, EmptyOrReversedVisibleRangesAreRefused) {
    KvlChartModel model = modelWith(10, 640, 480);
    EXPECT_EQ(model.setVisibleRange(kXAxis, 5, 5), com::E_INVALIDARG);
    EXPECT_EQ(model.setVisibleRange(kXAxis, 6, 5), com::E_INVALIDARG);
    EXPECT_EQ(model.setVisibleRange(kXAxis, std::nan(""), 5), com::E_INVALIDARG);
    EXPECT_EQ(model.setVisibleRange(9, 1, 5), com::E_INVALIDARG) << "no such axis";
    EXPECT_FALSE(model.zoomed());
    EXPECT_EQ(model.visibleRange(kXAxis), std::make_pair(0.5, 10.5));
    ASSERT_EQ(model.setVisibleRange(kXAxis, 2.5, 4.5), com::S_OK);
    EXPECT_EQ(model.visibleRange(kXAxis), std::make_pair(2.5, 4.5));
}

// Every table indexed by point takes its last point and refuses the one past it (and -1), with the
// read result cleared: the tables are exactly as long as the chart has points.
TEST(KvlChartModel, PointTablesTakeTheLastPointAndRefuseOnePastIt) {
    KvlChartModel model;
    model.resize(2, 4);
    for (const int table : {1, 2, 3}) {
        SCOPED_TRACE(table);
        ASSERT_EQ(model.setValue(table, 1, 3, 7.5), com::S_OK);
        double value = 0;
        ASSERT_EQ(model.value(table, 1, 3, &value), com::S_OK);
        EXPECT_EQ(value, 7.5);
        for (const LONG outside : {4, -1}) {
            value = 99;
            EXPECT_EQ(model.value(table, 1, outside, &value), com::E_INVALIDARG) << outside;
            EXPECT_EQ(value, 0) << outside;
            EXPECT_EQ(model.setValue(table, 1, outside, 1), com::E_INVALIDARG) << outside;
        }
    }
    ASSERT_EQ(model.setXValue(3, 38000.0), com::S_OK);
    double x = 0;
    ASSERT_EQ(model.xValue(3, &x), com::S_OK);
    EXPECT_EQ(x, 38000.0);
    for (const LONG outside : {4, 5, -1}) {
        x = 99;
        EXPECT_EQ(model.xValue(outside, &x), com::E_INVALIDARG) << outside;
        EXPECT_EQ(x, 0) << outside;
        EXPECT_EQ(model.setXValue(outside, 1), com::E_INVALIDARG) << outside;
    }
    EXPECT_EQ(model.xValue(3, nullptr), com::E_POINTER);
    model.setPointLegend(3, "last");
    model.setPointLegend(4, "past");
    EXPECT_EQ(model.pointLegend(3), "last");
    EXPECT_EQ(model.pointLegend(4), "");
    // A chart shrunk to one point keeps point 0 only.
    model.resize(2, 1);
    EXPECT_EQ(model.xValue(0, &x), com::S_OK);
    EXPECT_EQ(model.xValue(1, &x), com::E_INVALIDARG);
}

}  // namespace
}  // namespace korvel
