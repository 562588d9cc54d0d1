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

// Beyond a line's end a click within kHitTolerance (4) of the end point on both axes takes the end's
// handle on a selected line and the body on another; one pixel further it takes nothing. Beside the
// line the body reaches 4 pixels, not 5.
TEST(GlosxGeometry, ALinesEndsAndBodyReachTheToleranceAndNotOnePixelMore) {
    const GlosxData line = shape(3, 10, 20, 50, 20);  // horizontal, start (10, 20), end (50, 20)
    struct Probe {
        int x, y;
        GlosxPart selected, unselected;
    };
    const Probe probes[] = {
        {54, 20, GlosxPart::End, GlosxPart::Body},
        {55, 20, GlosxPart::None, GlosxPart::None},
        {6, 20, GlosxPart::Start, GlosxPart::Body},
        {5, 20, GlosxPart::None, GlosxPart::None},
        {50, 24, GlosxPart::End, GlosxPart::Body},
        {50, 25, GlosxPart::None, GlosxPart::None},
        {30, 16, GlosxPart::Body, GlosxPart::Body},
        {30, 15, GlosxPart::None, GlosxPart::None},
        {30, 24, GlosxPart::Body, GlosxPart::Body},
        {30, 25, GlosxPart::None, GlosxPart::None},
        // The handle is a square, the body a band with round ends: (4, 4) off the end lies 5.66 away.
        {54, 24, GlosxPart::End, GlosxPart::None},
        {55, 24, GlosxPart::None, GlosxPart::None},
        {54, 16, GlosxPart::End, GlosxPart::None},
        {6, 16, GlosxPart::Start, GlosxPart::None},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(hitTest(line, p.x, p.y, true), p.selected) << p.x << "," << p.y << " selected";
        EXPECT_EQ(hitTest(line, p.x, p.y, false), p.unselected) << p.x << "," << p.y;
    }
    // An upright line, (0, 0)-(0, 40): 4 below its lower end is a hit; (3, 4) off that end lies 5 away
    // although both offsets are inside the handle's square.
    const GlosxData upright = shape(3, 0, 0, 0, 40);
    EXPECT_EQ(hitTest(upright, 0, 44, false), GlosxPart::Body);
    EXPECT_EQ(hitTest(upright, 0, 45, false), GlosxPart::None);
    EXPECT_EQ(hitTest(upright, 3, 44, false), GlosxPart::None);
    EXPECT_EQ(hitTest(upright, 3, 44, true), GlosxPart::End);
    EXPECT_EQ(hitTest(upright, 4, 20, false), GlosxPart::Body);
    EXPECT_EQ(hitTest(upright, 5, 20, false), GlosxPart::None);
}

TEST(GlosxGeometry, DistanceToSegmentUsesTheNearestEndBeyondTheSegment) {
    EXPECT_DOUBLE_EQ(distanceToSegment(5, 4, 0, 0, 10, 0), 4.0);
    EXPECT_DOUBLE_EQ(distanceToSegment(13, 4, 0, 0, 10, 0), 5.0);
    EXPECT_DOUBLE_EQ(distanceToSegment(3, 4, 0, 0, 0, 0), 5.0);
}

}  // namespace
}  // namespace glossor
