#include <gtest/gtest.h>

#include "GlosxGeometry.h"
#include "GlosxShapes.h"

namespace glossor {
namespace {

using testing::shape;

struct Ends {
    int x1, y1, x2, y2;
    friend bool operator==(const Ends&, const Ends&) = default;
};

Ends endsOf(const GlosxData& data) {
    return {data.x1, data.y1, data.x2, data.y2};
}

TEST(GlosxGeometry, FlipsExchangeOneCoordinateOfTheEnds) {
    GlosxData line = shape(3, 10, 20, 50, 80);
    flipHorizontal(line);
    EXPECT_EQ(endsOf(line), (Ends{50, 20, 10, 80}));
    flipVertical(line);
    EXPECT_EQ(endsOf(line), (Ends{50, 80, 10, 20}));
}

TEST(GlosxGeometry, QuarterTurnsAboutTheFloorCentre) {
    // Centre (30, 50); the end (10, 20) lies 20 left and 30 up of it.
    GlosxData line = shape(3, 10, 20, 50, 80);
    rotateQuarter(line, true);
    // Clockwise on the screen: left-up goes to right-up.
    EXPECT_EQ(endsOf(line), (Ends{60, 30, 0, 70}));
    rotateQuarter(line, false);
    EXPECT_EQ(endsOf(line), (Ends{10, 20, 50, 80}));

    // Odd spans: centre (floor(11 / 2), floor(-3 / 2)) = (5, -2).
    GlosxData odd = shape(3, 0, 0, 11, -3);
    rotateQuarter(odd, true);
    EXPECT_EQ(endsOf(odd), (Ends{3, -7, 6, 4}));
}

TEST(GlosxGeometry, TurnsAndMovesStayInsideTheSixteenBitRange) {
    GlosxData edge = shape(1, 32760, 0, 32767, 100);
    const GlosxMove move = moveBy(edge, 50, -20);
    EXPECT_EQ(move.dx, 0);
    EXPECT_EQ(move.dy, -20);
    EXPECT_EQ(endsOf(edge), (Ends{32760, -20, 32767, 80}));

    GlosxData low = shape(1, -32768, -32768, -32700, -32700);
    EXPECT_EQ(moveBy(low, -5, 3).dx, 0);
    EXPECT_EQ(endsOf(low), (Ends{-32768, -32765, -32700, -32697}));

    // A turn that would reach past the right edge is shifted back whole: the shape is kept.
    GlosxData tall = shape(3, 32700, 0, 32700, 400);
    rotateQuarter(tall, true);
    EXPECT_EQ(endsOf(tall), (Ends{32767, 200, 32367, 200}));
}

TEST(GlosxGeometry, HitTestsByKind) {
    const GlosxData line = shape(3, 0, 0, 100, 100);
    EXPECT_EQ(hitTest(line, 50, 53, false), GlosxPart::Body);
    EXPECT_EQ(hitTest(line, 50, 60, false), GlosxPart::None);
    EXPECT_EQ(hitTest(line, 101, 98, true), GlosxPart::End);
    EXPECT_EQ(hitTest(line, 1, 2, true), GlosxPart::Start);
    EXPECT_EQ(hitTest(line, 1, 2, false), GlosxPart::Body);

    const GlosxData circle = shape(2, 0, 0, 100, 60);
    EXPECT_EQ(hitTest(circle, 50, 30, false), GlosxPart::Body);
    EXPECT_EQ(hitTest(circle, 2, 2, false), GlosxPart::None);  // a corner of the box, off the ellipse

    const GlosxData box = shape(1, 100, 100, 20, 40);
    EXPECT_EQ(hitTest(box, 60, 70, false), GlosxPart::Body);
    EXPECT_EQ(hitTest(box, 60, 140, false), GlosxPart::None);
    EXPECT_EQ(boundsOf(box), (GlosxBox{20, 40, 100, 100}));
}

// Every edge of a box and of an ellipse takes clicks up to kHitTolerance (4) pixels outside it, and
// not one pixel further.
TEST(GlosxGeometry, HitsReachTheToleranceOutsideEveryEdge) {
    const GlosxData box = shape(1, 100, 100, 20, 40);  // box (20, 40)-(100, 100)
    struct Probe {
        int x, y;
        GlosxPart part;
    };
    const Probe boxProbes[] = {
        {16, 70, GlosxPart::Body},  {15, 70, GlosxPart::None},   // left
        {104, 70, GlosxPart::Body}, {105, 70, GlosxPart::None},  // right
        {60, 36, GlosxPart::Body},  {60, 35, GlosxPart::None},   // top
        {60, 104, GlosxPart::Body}, {60, 105, GlosxPart::None},  // bottom
        {16, 36, GlosxPart::Body},  {15, 35, GlosxPart::None},   // a corner
    };
    for (const Probe& p : boxProbes)
        EXPECT_EQ(hitTest(box, p.x, p.y, false), p.part) << p.x << "," << p.y;

    // Centre (50, 30), half axes 50 and 30, grown by the tolerance to 54 and 34.
    const GlosxData circle = shape(2, 0, 0, 100, 60);
    const Probe circleProbes[] = {
        {-4, 30, GlosxPart::Body},
        {-5, 30, GlosxPart::None},  // left
        {104, 30, GlosxPart::Body},
        {105, 30, GlosxPart::None},  // right
        {50, -4, GlosxPart::Body},
        {50, -5, GlosxPart::None},  // top
        {50, 64, GlosxPart::Body},
        {50, 65, GlosxPart::None},  // bottom
        {-2, 30, GlosxPart::Body},
        {50, 62, GlosxPart::Body},  // just outside the drawn ellipse
        // At 45 degrees: (50 + 54 cos, 30 + 34 sin) = (88.2, 54.0) lies on the grown ellipse.
        {88, 53, GlosxPart::Body},
        {90, 55, GlosxPart::None},
    };
    for (const Probe& p : circleProbes)
        EXPECT_EQ(hitTest(circle, p.x, p.y, false), p.part) << p.x << "," << p.y;
}

TEST(GlosxGeometry, DistanceToSegmentUsesTheNearestEndBeyondTheSegment) {
    EXPECT_DOUBLE_EQ(distanceToSegment(5, 4, 0, 0, 10, 0), 4.0);
    EXPECT_DOUBLE_EQ(distanceToSegment(13, 4, 0, 0, 10, 0), 5.0);
    EXPECT_DOUBLE_EQ(distanceToSegment(3, 4, 0, 0, 0, 0), 5.0);
}

}  // namespace
}  // namespace glossor
