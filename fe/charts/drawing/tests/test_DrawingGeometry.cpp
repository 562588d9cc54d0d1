#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "drawing/DrawingGeometry.h"

namespace dravik {
namespace {

using PenRole = DrawingPenRole;

// A chart 200 x 100 pixels whose points are 10 pixels apart (point n at x = 10n) and whose prices
// run 2 pixels a unit from 50 at the top to 0 at the bottom (y = 100 - 2 price). The expected
// numbers below were worked out by hand (or with a calculator) from these two rules.
struct TestChart {
    std::vector<std::pair<double, double>> converted;  // every (position, price) asked for
    std::vector<double> closes;

    DrawingView view(gdi::Rect plot = {0, 0, 200, 100}) {
        return {plot,
                [this](double position, double price) {
                    converted.emplace_back(position, price);
                    return gdi::Point{static_cast<std::int32_t>(10 * position),
                                      static_cast<std::int32_t>(100 - 2 * price)};
                },
                closes};
    }
};

DrawingRecord drawing(DrawingKind kind, double from, double fromPrice, double to, double toPrice) {
    DrawingRecord record = DrawingRecord::New(kind, 0, true, -1);
    record.from = from;
    record.fromPrice = fromPrice;
    record.to = to;
    record.toPrice = toPrice;
    return record;
}

void expectLine(const DrawingLine& line, DrawingPoint from, DrawingPoint to, PenRole pen) {
    EXPECT_DOUBLE_EQ(line.from.x, from.x);
    EXPECT_DOUBLE_EQ(line.from.y, from.y);
    EXPECT_DOUBLE_EQ(line.to.x, to.x);
    EXPECT_DOUBLE_EQ(line.to.y, to.y);
    EXPECT_EQ(line.pen, pen);
}

// Horizontal lines from x1 to x2, at the given heights and pens.
void expectLevels(const DrawingShape& shape, double x1, double x2,
                  const std::vector<std::pair<double, PenRole>>& levels) {
    ASSERT_EQ(shape.lines.size(), levels.size());
    for (std::size_t i = 0; i < levels.size(); ++i) {
        SCOPED_TRACE(i);
        expectLine(shape.lines[i], {x1, levels[i].first}, {x2, levels[i].first}, levels[i].second);
    }
}

TEST(DrawingGeometry, LineHelpersWidenPixelDifferences) {
    EXPECT_EQ(WidenPixels(5), 6);
    EXPECT_EQ(WidenPixels(-5), -6);
    EXPECT_EQ(WidenPixels(0), 1);
    // Slope (40 - 50 - 1) / (100 - 50 + 1) = -11 / 51.
    EXPECT_DOUBLE_EQ(LineYAt({50, 50}, {100, 40}, 200), 50 - 11.0 / 51.0 * 150);
    EXPECT_DOUBLE_EQ(LineXAt({50, 50}, {100, 40}, 0), 50 + 50 * 51.0 / 11.0);
    // A vertical line still has a slope: (30 + 1) / 1.
    EXPECT_DOUBLE_EQ(LineYAt({10, 10}, {10, 40}, 12), 10 + 31 * 2);
    EXPECT_DOUBLE_EQ(PixelDistance({10, 10}, {40, 50}), 51.40038910358559);  // sqrt(31² + 41²)
    EXPECT_EQ(LabelPoint({20, 30}, {120, 30}, 85), (DrawingPoint{106, 31}));
}

TEST(DrawingGeometry, TrendLineJoinsItsAnchors) {
    TestChart chart;
    const DrawingShape shape = DrawingGeometry(drawing(DrawingKind::TrendLine, 2, 10, 12, 35), chart.view());
    ASSERT_EQ(shape.lines.size(), 1u);
    expectLine(shape.lines[0], {20, 80}, {120, 30}, PenRole::Main);
    EXPECT_TRUE(shape.circles.empty());
    EXPECT_TRUE(shape.labels.empty());
}

TEST(DrawingGeometry, TimeZonesStartOnTheLowerAnchorAndFollowFibonacciGaps) {
    TestChart chart;
    // Positions 3, 4, 6, 9, 14; the next, 22, passes the higher anchor 20.
    for (const auto& [from, to] : {std::pair{3.0, 20.0}, std::pair{20.9, 3.7}}) {
        SCOPED_TRACE(from);
        const DrawingShape shape =
            DrawingGeometry(drawing(DrawingKind::FibonacciTimeZones, from, 25, to, 30), chart.view());
        ASSERT_EQ(shape.lines.size(), 5u);
        const double xs[] = {30, 40, 60, 90, 140};
        for (std::size_t i = 0; i < 5; ++i)
            expectLine(shape.lines[i], {xs[i], 0}, {xs[i], 100}, i == 0 ? PenRole::Signal : PenRole::Main);
    }
    // The plot's right edge stops them as well: 140 lies beyond 100.
    const DrawingShape narrow = DrawingGeometry(drawing(DrawingKind::FibonacciTimeZones, 3, 25, 20, 30),
                                                chart.view({0, 10, 100, 90}));
    ASSERT_EQ(narrow.lines.size(), 4u);
    expectLine(narrow.lines[3], {90, 10}, {90, 90}, PenRole::Main);
    // Both anchors on one point: that line alone.
    EXPECT_EQ(
        DrawingGeometry(drawing(DrawingKind::FibonacciTimeZones, 7, 25, 7, 30), chart.view()).lines.size(),
        1u);
}

TEST(DrawingGeometry, GannFanRunsToTheEdgeAndEndsOnTopOrBottom) {
    TestChart chart;
    // End 1 at (50, 50), end 2 up and to the right at (100, 40): the lines run to the right edge
    // (span 151) and rise; from the 2x1 line on they leave through the top.
    const DrawingShape up = DrawingGeometry(drawing(DrawingKind::GannFan, 5, 25, 10, 30), chart.view());
    ASSERT_EQ(up.lines.size(), 9u);
    const DrawingPoint upEnds[] = {{200, 34.7815313036621}, {200, 9.539671942903901}, {194.47661198693385, 0},
                                   {150.0464330327406, 0},  {99.67105263157895, 0},   {74.57700614814078, 0},
                                   {66.93464316340498, 0},  {63.37372796851624, 0},   {56.57689068013549, 0}};
    for (std::size_t i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        expectLine(up.lines[i], {50, 50}, upEnds[i], PenRole::Main);
    }
    // End 2 down and to the left: to the left edge, falling, out through the bottom.
    const DrawingShape down = DrawingGeometry(drawing(DrawingKind::GannFan, 15, 25, 10, 20), chart.view());
    ASSERT_EQ(down.lines.size(), 9u);
    const DrawingPoint downEnds[] = {
        {0, 65.21846869633791},    {0, 90.46032805709609},    {5.523388013066153, 100},
        {49.95356696725942, 100},  {100.32894736842105, 100}, {125.42299385185922, 100},
        {133.06535683659502, 100}, {136.62627203148375, 100}, {143.42310931986452, 100}};
    for (std::size_t i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        expectLine(down.lines[i], {150, 50}, downEnds[i], PenRole::Main);
    }
}

TEST(DrawingGeometry, GannFanLabelsAlternateBetweenHalfAndSixTenths) {
    TestChart chart;
    const DrawingShape shape = DrawingGeometry(drawing(DrawingKind::GannFan, 5, 25, 10, 30), chart.view());
    ASSERT_EQ(shape.labels.size(), 9u);
    const char* texts[] = {"8x1", "4x1", "3x1", "2x1", "1x1", "1x2", "1x3", "1x4", "1x8"};
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_EQ(shape.labels[i].text, texts[i]);
    // 50% of (50,50)-(200,34.78...) plus a pixel; 60% of (50,50)-(200,9.53...) plus a pixel.
    EXPECT_DOUBLE_EQ(shape.labels[0].at.x, 126.0);
    EXPECT_DOUBLE_EQ(shape.labels[0].at.y, 43.390765651831046);
    EXPECT_DOUBLE_EQ(shape.labels[1].at.x, 141.0);
    EXPECT_DOUBLE_EQ(shape.labels[1].at.y, 26.723803165742343);
    EXPECT_DOUBLE_EQ(shape.labels[4].at.x, 75.83552631578947);
    EXPECT_DOUBLE_EQ(shape.labels[4].at.y, 26.0);
}

TEST(DrawingGeometry, RetracementLevelsBetweenTheAnchors) {
    TestChart chart;
    // End 1 (20, 80), end 2 (120, 30): levels at 30 + ratio x 51.
    const DrawingShape shape =
        DrawingGeometry(drawing(DrawingKind::FibonacciRetracements, 2, 10, 12, 35), chart.view());
    ASSERT_EQ(shape.lines.size(), 7u);
    expectLine(shape.lines[0], {20, 80}, {120, 30}, PenRole::Signal);
    const std::vector<std::pair<double, PenRole>> levels{{30.0, PenRole::Signal}, {42.036, PenRole::Main},
                                                         {49.482, PenRole::Main}, {55.5, PenRole::Main},
                                                         {61.518, PenRole::Main}, {81.0, PenRole::Signal}};
    for (std::size_t i = 0; i < levels.size(); ++i) {
        SCOPED_TRACE(i);
        expectLine(shape.lines[i + 1], {20, levels[i].first}, {120, levels[i].first}, levels[i].second);
    }
    ASSERT_EQ(shape.labels.size(), 6u);
    const char* texts[] = {"0%", "23.6%", "38.2%", "50.0%", "61.8%", "100%"};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(shape.labels[i].text, texts[i]);
        EXPECT_DOUBLE_EQ(shape.labels[i].at.x, 106.0);  // 85% of the way, plus a pixel
        EXPECT_DOUBLE_EQ(shape.labels[i].at.y, levels[i].first + 1);
    }
}

TEST(DrawingGeometry, RetracementsReadTheirOwnLevels) {
    TestChart chart;
    DrawingRecord record = drawing(DrawingKind::FibonacciRetracements, 2, 10, 12, 35);
    const double half = 0.5;
    std::memcpy(record.extraBytes.data(), &half, 8);  // the first level becomes 50%
    record.extraBytes[8] = 'X';
    record.extraBytes[9] = '\0';
    const DrawingShape shape = DrawingGeometry(record, chart.view());
    ASSERT_EQ(shape.lines.size(), 7u);
    EXPECT_DOUBLE_EQ(shape.lines[1].from.y, 55.5);
    EXPECT_EQ(shape.labels[0].text, "X");
    // Bytes that do not fit the kind give way to its defaults.
    record.extraBytes.resize(100);
    EXPECT_DOUBLE_EQ(DrawingGeometry(record, chart.view()).lines[1].from.y, 30.0);
}

TEST(DrawingGeometry, TironeLevelsFromTheHighestAndLowestClose) {
    TestChart chart;
    // Between points 2 and 7 the highest close is 18 (first at point 4, again at 6) and the lowest
    // 9 (point 5; point 8 lies outside): pixels 64 and 82. The empty value at point 3 is skipped.
    chart.closes = {10, 14, 1e308, 18, 9, 18, 11, 8};
    const DrawingShape mid =
        DrawingGeometry(drawing(DrawingKind::MidPointTironeLevels, 2, 14, 7, 11), chart.view());
    // (64 - 82) / 2 + 82, 64 - (64 - 82) / 3, 82 + (64 - 82) / 3.
    expectLevels(mid, 20, 70, {{73, PenRole::Signal}, {70, PenRole::Main}, {76, PenRole::Main}});
    EXPECT_NE(std::find(chart.converted.begin(), chart.converted.end(), std::pair{4.0, 18.0}),
              chart.converted.end());
    EXPECT_NE(std::find(chart.converted.begin(), chart.converted.end(), std::pair{5.0, 9.0}),
              chart.converted.end());
    EXPECT_EQ(std::find(chart.converted.begin(), chart.converted.end(), std::pair{6.0, 18.0}),
              chart.converted.end());

    // With To's price 11 at pixel 78: mean M = (64 + 78 + 82) / 3 = 74.666..., then M + 64 - 82,
    // 2M - 82, 2M - 64 and M - (64 - 82).
    const DrawingShape mean =
        DrawingGeometry(drawing(DrawingKind::MeanTironeLevels, 2, 14, 7, 11), chart.view());
    expectLevels(mean, 20, 70,
                 {{74.66666666666667, PenRole::Signal},
                  {56.666666666666686, PenRole::Main},
                  {67.33333333333334, PenRole::Main},
                  {85.33333333333334, PenRole::Main},
                  {92.66666666666667, PenRole::Main}});
}

TEST(DrawingGeometry, QuadrantLinesSplitTheCloseRangeInFour) {
    TestChart chart;
    chart.closes = {10, 14, 12, 18, 9, 18, 11, 8};
    const DrawingShape shape =
        DrawingGeometry(drawing(DrawingKind::QuadrantLines, 2, 14, 7, 11), chart.view());
    expectLevels(shape, 20, 70,
                 {{73, PenRole::Signal},
                  {64, PenRole::Main},
                  {82, PenRole::Main},
                  {68.5, PenRole::Main},
                  {77.5, PenRole::Main}});
}

TEST(DrawingGeometry, LevelsNeedCloses) {
    TestChart chart;
    for (const DrawingKind kind :
         {DrawingKind::MidPointTironeLevels, DrawingKind::MeanTironeLevels, DrawingKind::QuadrantLines}) {
        EXPECT_TRUE(DrawingGeometry(drawing(kind, 2, 14, 7, 11), chart.view()).lines.empty());
        // Anchors beyond the data, and a range of empty values only.
        chart.closes = {10, 14};
        EXPECT_TRUE(DrawingGeometry(drawing(kind, 3, 14, 7, 11), chart.view()).lines.empty());
        chart.closes = {10, 1e308, 1e308};
        EXPECT_TRUE(DrawingGeometry(drawing(kind, 2, 14, 3, 11), chart.view()).lines.empty());
        chart.closes.clear();
    }
}

TEST(DrawingGeometry, FibonacciArcsAroundTheSecondAnchor) {
    TestChart chart;
    // (10, 10) to (40, 50): distance sqrt(31² + 41²) = 51.40038910358559.
    const DrawingShape shape =
        DrawingGeometry(drawing(DrawingKind::FibonacciArcs, 1, 45, 4, 25), chart.view());
    ASSERT_EQ(shape.lines.size(), 1u);
    expectLine(shape.lines[0], {10, 10}, {40, 50}, PenRole::Signal);
    ASSERT_EQ(shape.circles.size(), 3u);
    const double radii[] = {19.634948637569696, 25.700194551792794, 31.765440466015892};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(shape.circles[i].centre, (DrawingPoint{40, 50}));
        EXPECT_DOUBLE_EQ(shape.circles[i].radius, radii[i]);
        EXPECT_EQ(shape.circles[i].pen, PenRole::Main);
    }
}

TEST(DrawingGeometry, FanAndSpeedLinesTakeTheBaseLineHeightAtTheEdge) {
    TestChart chart;
    // Base (50, 50)-(100, 40) continued to x = 200 reaches 17.647...; widened height -33.352941...
    const DrawingShape fan = DrawingGeometry(drawing(DrawingKind::FibonacciFan, 5, 25, 10, 30), chart.view());
    ASSERT_EQ(fan.lines.size(), 4u);
    expectLine(fan.lines[0], {50, 50}, {100, 40}, PenRole::Signal);
    expectLine(fan.lines[1], {50, 50}, {200, 37.25917647058824}, PenRole::Main);
    expectLine(fan.lines[2], {50, 50}, {200, 33.32352941176471}, PenRole::Main);
    expectLine(fan.lines[3], {50, 50}, {200, 29.387882352941176}, PenRole::Main);

    const DrawingShape speed =
        DrawingGeometry(drawing(DrawingKind::SpeedResistanceLines, 5, 25, 10, 30), chart.view());
    ASSERT_EQ(speed.lines.size(), 3u);
    expectLine(speed.lines[0], {50, 50}, {100, 40}, PenRole::Main);
    expectLine(speed.lines[1], {50, 50}, {200, 38.88235294117647}, PenRole::Main);
    expectLine(speed.lines[2], {50, 50}, {200, 27.764705882352942}, PenRole::Main);

    // A steep base line: every fan line leaves through the bottom.
    const DrawingShape steep = DrawingGeometry(drawing(DrawingKind::FibonacciFan, 5, 25, 6, 5), chart.view());
    ASSERT_EQ(steep.lines.size(), 4u);
    expectLine(steep.lines[1], {50, 50}, {85.12367509099167, 100}, PenRole::Main);
    expectLine(steep.lines[2], {50, 50}, {76.86398188581595, 100}, PenRole::Main);
    expectLine(steep.lines[3], {50, 50}, {71.74938941960949, 100}, PenRole::Main);
}

TEST(DrawingGeometry, AnchoredDrawingsTakeTheirPricesFromTheWorkSeries) {
    const std::vector<double> values{10, 11, 12, 1e308, 14};
    DrawingRecord record = drawing(DrawingKind::TrendLine, 2.6, 0, 5, 0);
    record.freeDraw = 0;
    TakePricesFromWorkSeries(record, values);
    EXPECT_EQ(record.fromPrice, 11);  // point 2 (2.6 truncated)
    EXPECT_EQ(record.toPrice, 14);
    record.from = 4;  // no data there
    record.to = 6;    // beyond the values
    TakePricesFromWorkSeries(record, values);
    EXPECT_EQ(record.fromPrice, 11);
    EXPECT_EQ(record.toPrice, 14);
    record.from = 1;
    record.freeDraw = 1;  // the user's own prices stay
    TakePricesFromWorkSeries(record, values);
    EXPECT_EQ(record.fromPrice, 11);
}

TEST(DrawingGeometry, NothingForUnknownKindsOrUnusableAnchors) {
    TestChart chart;
    DrawingRecord record = drawing(DrawingKind::TrendLine, 2, 10, 12, 35);
    record.kind = 10;
    EXPECT_TRUE(DrawingGeometry(record, chart.view()).lines.empty());
    record.kind = 9;
    record.to = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(DrawingGeometry(record, chart.view()).lines.empty());
    record.to = 1e300;
    record.kind = static_cast<std::int16_t>(DrawingKind::FibonacciTimeZones);
    EXPECT_TRUE(DrawingGeometry(record, chart.view()).lines.empty());
    EXPECT_TRUE(chart.converted.empty());
}

}  // namespace
}  // namespace dravik
