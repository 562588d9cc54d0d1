// The data of one annotation object and the geometry of editing it: flips, quarter turns, moves
// within the 16-bit pixel range, bounds and hit tests.
#pragma once

#include <string>

#include <QImage>
#include <QString>
#include <QStringView>

#include "com/Types.h"

namespace glossor {

struct GlosxData {
    com::SHORT kind = 0;
    com::SHORT x1 = 0;
    com::SHORT y1 = 0;
    com::SHORT x2 = 0;
    com::SHORT y2 = 0;
    com::LONG tag = 0;
    com::SHORT appearance = 0;
    com::SHORT lineMode = 0;
    com::SHORT offset = 0;
    bool rotateState = false;
    bool flipState = false;
    com::COLORREF foreColor = 0x000000;
    com::COLORREF backColor = 0xFFFFFF;
    com::LONG group = 0;  // 0: in no group
    std::u16string text;
    QImage picture;
};

// The object's text as Qt text, unit for unit. QString::fromStdU16String would take a leading U+FEFF
// or U+FFFE for a byte-order mark and drop it or byte-swap the rest.
inline QString textOf(const GlosxData& data) {
    return QStringView(data.text).toString();
}

struct GlosxBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const GlosxBox&, const GlosxBox&) = default;
};

// The box spanned by the end points, left <= right and top <= bottom (both ends included).
// A pixel value held to the 16-bit range the annotation objects store.
com::SHORT toShort(int value);

GlosxBox boundsOf(const GlosxData& data);

void flipHorizontal(GlosxData& data);
void flipVertical(GlosxData& data);
// A quarter turn about the floor-rounded centre (see IGlosxObject); the turn is cut short like a
// move where a point would leave the 16-bit range.
void rotateQuarter(GlosxData& data, bool clockwise);
// Moves both end points by (dx, dy), each cut down so that every point stays in the 16-bit range;
// answers the move made.
struct GlosxMove {
    int dx = 0;
    int dy = 0;
};
GlosxMove moveBy(GlosxData& data, int dx, int dy);

// Which part of an object lies under a point.
enum class GlosxPart { None, Body, Start, End };

// Pixels around a line or an end point that still count as a hit.
inline constexpr int kHitTolerance = 4;

// The end points first (only where `withHandles`), then the body: the line itself for lines, the
// inside of the ellipse for circles, the box for the other kinds.
GlosxPart hitTest(const GlosxData& data, int x, int y, bool withHandles);

// Distance in pixels from (x, y) to the segment (x1, y1)-(x2, y2).
double distanceToSegment(double x, double y, double x1, double y1, double x2, double y2);

}  // namespace glossor
