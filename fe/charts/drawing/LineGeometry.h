// Line helpers of the drawing features, in pixels (y grows downwards).
//
// Pixel differences are widened by one away from zero before a slope or a length is taken, so that
// a drawing whose ends share a row or a column still has a usable slope and no division is by zero.
#pragma once

#include <cmath>

namespace dravik {

struct DrawingPoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const DrawingPoint&, const DrawingPoint&) = default;
};

// d moved one further from 0 (0 itself becomes 1).
constexpr double WidenPixels(double d) {
    return d < 0.0 ? d - 1.0 : d + 1.0;
}

// Slope of the line through a and b with both differences widened.
constexpr double WidenedSlope(DrawingPoint a, DrawingPoint b) {
    return WidenPixels(b.y - a.y) / WidenPixels(b.x - a.x);
}

// The line through a and b continued: its y at x, or its x at y.
constexpr double LineYAt(DrawingPoint a, DrawingPoint b, double x) {
    return a.y + WidenedSlope(a, b) * (x - a.x);
}
constexpr double LineXAt(DrawingPoint a, DrawingPoint b, double y) {
    return a.x + (y - a.y) / WidenedSlope(a, b);
}

inline double PixelDistance(DrawingPoint a, DrawingPoint b) {
    const double dx = WidenPixels(b.x - a.x);
    const double dy = WidenPixels(b.y - a.y);
    return std::sqrt(dx * dx + dy * dy);
}

// Where a label goes: `percent` of the way from a to b, plus one pixel.
constexpr DrawingPoint LabelPoint(DrawingPoint a, DrawingPoint b, double percent) {
    return {a.x + (b.x - a.x) * percent / 100.0 + 1.0, a.y + (b.y - a.y) * percent / 100.0 + 1.0};
}

// The end of a line from `start` that lies above `top` or below `bottom`, moved back along the line
// onto that edge; an end between them stays.
constexpr DrawingPoint ClipToRows(DrawingPoint start, DrawingPoint end, double top, double bottom) {
    if (end.y < top)
        return {LineXAt(start, end, top), top};
    if (end.y > bottom)
        return {LineXAt(start, end, bottom), bottom};
    return end;
}

}  // namespace dravik
