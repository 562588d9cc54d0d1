#include "GlosxGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace glossor {
namespace {

constexpr int kMin = std::numeric_limits<com::SHORT>::min();
constexpr int kMax = std::numeric_limits<com::SHORT>::max();

// Floor division: the centre of an odd span lies on the lower pixel, also for negative coordinates.
int floorHalf(int sum) {
    return sum >= 0 ? sum / 2 : -((-sum + 1) / 2);
}

}  // namespace

com::SHORT toShort(int value) {
    return static_cast<com::SHORT>(std::clamp(value, kMin, kMax));
}

GlosxBox boundsOf(const GlosxData& data) {
    return {std::min<int>(data.x1, data.x2), std::min<int>(data.y1, data.y2), std::max<int>(data.x1, data.x2),
            std::max<int>(data.y1, data.y2)};
}

void flipHorizontal(GlosxData& data) {
    std::swap(data.x1, data.x2);
}

void flipVertical(GlosxData& data) {
    std::swap(data.y1, data.y2);
}

void rotateQuarter(GlosxData& data, bool clockwise) {
    const int cx = floorHalf(data.x1 + data.x2);
    const int cy = floorHalf(data.y1 + data.y2);
    const auto turn = [&](int x, int y, int& nx, int& ny) {
        if (clockwise) {
            nx = cx - (y - cy);
            ny = cy + (x - cx);
        } else {
            nx = cx + (y - cy);
            ny = cy - (x - cx);
        }
    };
    int nx1 = 0, ny1 = 0, nx2 = 0, ny2 = 0;
    turn(data.x1, data.y1, nx1, ny1);
    turn(data.x2, data.y2, nx2, ny2);
    // Shift the turned figure back inside the range instead of squashing it.
    const int shiftX = std::max(0, kMin - std::min(nx1, nx2)) - std::max(0, std::max(nx1, nx2) - kMax);
    const int shiftY = std::max(0, kMin - std::min(ny1, ny2)) - std::max(0, std::max(ny1, ny2) - kMax);
    data.x1 = toShort(nx1 + shiftX);
    data.y1 = toShort(ny1 + shiftY);
    data.x2 = toShort(nx2 + shiftX);
    data.y2 = toShort(ny2 + shiftY);
}

GlosxMove moveBy(GlosxData& data, int dx, int dy) {
    const GlosxBox box = boundsOf(data);
    const int mx = std::clamp(dx, kMin - box.left, kMax - box.right);
    const int my = std::clamp(dy, kMin - box.top, kMax - box.bottom);
    data.x1 = toShort(data.x1 + mx);
    data.x2 = toShort(data.x2 + mx);
    data.y1 = toShort(data.y1 + my);
    data.y2 = toShort(data.y2 + my);
    return {mx, my};
}

double distanceToSegment(double x, double y, double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0.0;
    if (lengthSquared > 0.0)
        t = std::clamp(((x - x1) * dx + (y - y1) * dy) / lengthSquared, 0.0, 1.0);
    return std::hypot(x - (x1 + t * dx), y - (y1 + t * dy));
}

GlosxPart hitTest(const GlosxData& data, int x, int y, bool withHandles) {
    const auto near = [&](int px, int py) {
        return std::abs(px - x) <= kHitTolerance && std::abs(py - y) <= kHitTolerance;
    };
    if (withHandles) {
        // The end drawn last lies on top of the start when both meet.
        if (near(data.x2, data.y2))
            return GlosxPart::End;
        if (near(data.x1, data.y1))
            return GlosxPart::Start;
    }
    const GlosxBox box = boundsOf(data);
    const bool inBox = x >= box.left - kHitTolerance && x <= box.right + kHitTolerance &&
                       y >= box.top - kHitTolerance && y <= box.bottom + kHitTolerance;
    if (!inBox)
        return GlosxPart::None;
    switch (data.kind) {
        case 3:  // line
            return distanceToSegment(x, y, data.x1, data.y1, data.x2, data.y2) <= kHitTolerance
                       ? GlosxPart::Body
                       : GlosxPart::None;
        case 2: {  // circle: inside the ellipse of the box, grown by the tolerance
            const double rx = (box.right - box.left) / 2.0 + kHitTolerance;
            const double ry = (box.bottom - box.top) / 2.0 + kHitTolerance;
            const double nx = (x - (box.left + box.right) / 2.0) / rx;
            const double ny = (y - (box.top + box.bottom) / 2.0) / ry;
            return nx * nx + ny * ny <= 1.0 ? GlosxPart::Body : GlosxPart::None;
        }
        default:
            return GlosxPart::Body;
    }
}

}  // namespace glossor
