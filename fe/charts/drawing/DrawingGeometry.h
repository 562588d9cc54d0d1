// The figure of a drawing feature as lines, circles and labels, ready to be painted or hit-tested.
//
// A drawing is anchored in data coordinates (1-based point positions and prices); the chart maps
// them to pixels and the figure is built on those pixels, clipped to the plot where a line runs to
// its edge. Coordinates of the result are pixels of the chart, as doubles: the painter takes whole
// pixels of them.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "drawing/DrawingRecord.h"
#include "drawing/LineGeometry.h"
#include "gdi/Types.h"

namespace dravik {

// Which of the drawing's pens draws a part of its figure.
enum class DrawingPenRole { Main, Signal };

struct DrawingLine {
    DrawingPoint from;
    DrawingPoint to;
    DrawingPenRole pen = DrawingPenRole::Main;
    friend bool operator==(const DrawingLine&, const DrawingLine&) = default;
};

// A circle with no fill.
struct DrawingCircle {
    DrawingPoint centre;
    double radius = 0.0;
    DrawingPenRole pen = DrawingPenRole::Main;
    friend bool operator==(const DrawingCircle&, const DrawingCircle&) = default;
};

// Drawn centred on `at`, on one line and not clipped.
struct DrawingLabel {
    DrawingPoint at;
    std::string text;
    friend bool operator==(const DrawingLabel&, const DrawingLabel&) = default;
};

// In painting order within each list: lines, then circles, then labels.
struct DrawingShape {
    std::vector<DrawingLine> lines;
    std::vector<DrawingCircle> circles;
    std::vector<DrawingLabel> labels;
};

// What the figure needs of the chart.
struct DrawingView {
    gdi::Rect plot;  // the plot area in pixels; its right and bottom are the far edges
    // Pixel of a (1-based point position, price) pair, as the chart control converts it.
    std::function<gdi::Point(double position, double price)> toPixel;
    // Close values of the bound close series; index 0 holds point 1. Empty when none is bound, and
    // then the Tirone and quadrant levels have nothing to show.
    std::span<const double> closes;
};

// A drawing that is not free-drawn takes its prices from its work series before it is painted: the
// values at its anchors' points (values[0] holds point 1). A price whose point lies outside the
// values, or holds no data, stays as it is.
void TakePricesFromWorkSeries(DrawingRecord& record, std::span<const double> values);

// The figure of a drawing: nothing for an unknown kind or anchors that are not finite numbers.
DrawingShape DrawingGeometry(const DrawingRecord& record, const DrawingView& view);

}  // namespace dravik
