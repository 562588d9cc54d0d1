#include "drawing/DrawingGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace dravik {

namespace {

using Role = DrawingPenRole;

// The value that marks a point without data.
constexpr double kEmptyValue = 1e308;
// Anchor positions further out than this cannot be points of a chart.
constexpr double kLargestPosition = 1e9;

constexpr std::array<const char*, 9> kGannLabels{"8x1", "4x1", "3x1", "2x1", "1x1",
                                                 "1x2", "1x3", "1x4", "1x8"};
constexpr double kOneThird = 0.3333333333333333;

// Everything a kind's figure is built from.
struct Frame {
    const DrawingRecord& record;
    const DrawingView& view;
    DrawingPoint a;  // end 1, the anchor From/FromPrice in pixels
    DrawingPoint b;  // end 2, To/ToPrice
    DrawingLevels levels;
    DrawingShape shape;

    double top() const { return view.plot.top; }
    double bottom() const { return view.plot.bottom; }
    // The plot edge in the direction of end 2 seen from end 1.
    double edgeX() const { return b.x < a.x ? view.plot.left : view.plot.right; }
    void line(DrawingPoint from, DrawingPoint to, Role pen) { shape.lines.push_back({from, to, pen}); }
    void level(double y, Role pen) { line({a.x, y}, {b.x, y}, pen); }
    void label(DrawingPoint at, std::string text) { shape.labels.push_back({at, std::move(text)}); }
    // A line from end 1 to a point on the edge, ending on the top or bottom when it leaves the plot.
    DrawingPoint rayTo(double y, Role pen) {
        const DrawingPoint end = ClipToRows(a, {edgeX(), y}, top(), bottom());
        line(a, end, pen);
        return end;
    }
    // Height, from end 1, of the base line continued to the edge, widened as pixel differences are.
    double heightAtEdge() const { return WidenPixels(LineYAt(a, b, edgeX()) - a.y); }
};

DrawingPoint pixelOf(const DrawingView& view, double position, double price) {
    const gdi::Point p = view.toPixel(position, price);
    return {static_cast<double>(p.x), static_cast<double>(p.y)};
}

// Highest and lowest close between the anchors (both included; the first on ties), in pixels.
struct CloseExtremes {
    double high;
    double low;
};

std::optional<CloseExtremes> closeExtremes(const Frame& f) {
    const std::span<const double> closes = f.view.closes;
    const double first = std::trunc(std::min(f.record.from, f.record.to));
    const double last = std::trunc(std::max(f.record.from, f.record.to));
    const long long begin = static_cast<long long>(std::max(first, 1.0));
    const long long end = static_cast<long long>(std::min(last, static_cast<double>(closes.size())));
    std::optional<long long> high;
    std::optional<long long> low;
    for (long long position = begin; position <= end; ++position) {
        const double value = closes[static_cast<std::size_t>(position - 1)];
        if (value == kEmptyValue || !std::isfinite(value))
            continue;
        if (!high || value > closes[static_cast<std::size_t>(*high - 1)])
            high = position;
        if (!low || value < closes[static_cast<std::size_t>(*low - 1)])
            low = position;
    }
    if (!high)
        return std::nullopt;
    const auto yOf = [&](long long position) {
        return pixelOf(f.view, static_cast<double>(position), closes[static_cast<std::size_t>(position - 1)])
            .y;
    };
    return CloseExtremes{yOf(*high), yOf(*low)};
}

void trendLine(Frame& f) {
    f.line(f.a, f.b, Role::Main);
}

void gannFan(Frame& f) {
    const double span = std::abs(f.edgeX() - f.a.x) + 1.0;
    const double direction = f.b.y > f.a.y ? -1.0 : 1.0;
    for (std::size_t i = 0; i < f.levels.ratios.size() && i < kGannLabels.size(); ++i) {
        const DrawingPoint end = f.rayTo(f.a.y - span * direction * f.levels.ratios[i], Role::Main);
        f.label(LabelPoint(f.a, end, i % 2 == 0 ? 50.0 : 60.0), kGannLabels[i]);
    }
}

void fibonacciArcs(Frame& f) {
    f.line(f.a, f.b, Role::Signal);
    const double distance = PixelDistance(f.a, f.b);
    for (const double ratio : f.levels.ratios)
        f.shape.circles.push_back({f.b, distance * ratio, Role::Main});
}

void fibonacciFan(Frame& f) {
    f.line(f.a, f.b, Role::Signal);
    const double height = f.heightAtEdge();
    for (const double ratio : f.levels.ratios)
        f.rayTo(f.a.y + ratio * height, Role::Main);
}

void fibonacciRetracements(Frame& f) {
    f.line(f.a, f.b, Role::Signal);
    const double height = WidenPixels(f.a.y - f.b.y);
    const std::size_t count = f.levels.ratios.size();
    for (std::size_t i = 0; i < count; ++i) {
        const double y = f.b.y + f.levels.ratios[i] * height;
        f.level(y, i == 0 || i + 1 == count ? Role::Signal : Role::Main);
        if (i < f.levels.labels.size())
            f.label(LabelPoint({f.a.x, y}, {f.b.x, y}, 85.0), f.levels.labels[i]);
    }
}

void fibonacciTimeZones(Frame& f) {
    const double last = std::max(f.record.from, f.record.to);
    double position = std::trunc(std::min(f.record.from, f.record.to));
    double gap = 1.0;
    double nextGap = 2.0;
    for (bool first = true; position <= last; first = false) {
        const double x = pixelOf(f.view, position, f.record.fromPrice).x;
        if (x > f.view.plot.right)
            break;
        f.line({x, f.top()}, {x, f.bottom()}, first ? Role::Signal : Role::Main);
        position += gap;
        gap = std::exchange(nextGap, gap + nextGap);
    }
}

void midpointTironeLevels(Frame& f) {
    const std::optional<CloseExtremes> e = closeExtremes(f);
    if (!e)
        return;
    f.level((e->high - e->low) / 2.0 + e->low, Role::Signal);
    f.level(e->high - (e->high - e->low) / 3.0, Role::Main);
    f.level(e->low + (e->high - e->low) / 3.0, Role::Main);
}

void meanTironeLevels(Frame& f) {
    const std::optional<CloseExtremes> e = closeExtremes(f);
    if (!e)
        return;
    // End 2 is the pixel of ToPrice.
    const double mean = (e->high + f.b.y + e->low) / 3.0;
    f.level(mean, Role::Signal);
    f.level(mean + e->high - e->low, Role::Main);    // extreme high
    f.level(2.0 * mean - e->low, Role::Main);        // resistance
    f.level(2.0 * mean - e->high, Role::Main);       // support
    f.level(mean - (e->high - e->low), Role::Main);  // extreme low
}

void speedResistanceLines(Frame& f) {
    f.line(f.a, f.b, Role::Main);
    const double height = f.heightAtEdge();
    for (int i = 1; i <= 2; ++i)
        f.rayTo(f.a.y + kOneThird * i * height, Role::Main);
}

void quadrantLines(Frame& f) {
    const std::optional<CloseExtremes> e = closeExtremes(f);
    if (!e)
        return;
    const double middle = (e->high + e->low) / 2.0;
    f.level(middle, Role::Signal);
    f.level(e->high, Role::Main);
    f.level(e->low, Role::Main);
    f.level((e->high + middle) / 2.0, Role::Main);
    f.level((middle + e->low) / 2.0, Role::Main);
}

// In kind order.
constexpr std::array<void (*)(Frame&), kDrawingKindCount> kFigures{gannFan,
                                                                   fibonacciArcs,
                                                                   fibonacciFan,
                                                                   fibonacciRetracements,
                                                                   fibonacciTimeZones,
                                                                   midpointTironeLevels,
                                                                   meanTironeLevels,
                                                                   speedResistanceLines,
                                                                   quadrantLines,
                                                                   trendLine};

bool anchorsUsable(const DrawingRecord& record) {
    for (const double value : {record.from, record.to, record.fromPrice, record.toPrice}) {
        if (!std::isfinite(value))
            return false;
    }
    return std::abs(record.from) < kLargestPosition && std::abs(record.to) < kLargestPosition;
}

void takeValueAt(double position, std::span<const double> values, double& price) {
    if (!std::isfinite(position) || position < 1.0 || position >= static_cast<double>(values.size()) + 1.0)
        return;
    const double value = values[static_cast<std::size_t>(position) - 1];
    if (value != kEmptyValue && std::isfinite(value))
        price = value;
}

}  // namespace

void TakePricesFromWorkSeries(DrawingRecord& record, std::span<const double> values) {
    if (record.freeDraw)
        return;
    takeValueAt(record.from, values, record.fromPrice);
    takeValueAt(record.to, values, record.toPrice);
}

DrawingShape DrawingGeometry(const DrawingRecord& record, const DrawingView& view) {
    if (!IsDrawingKind(record.kind) || !anchorsUsable(record) || !view.toPixel)
        return {};
    Frame frame{record,
                view,
                pixelOf(view, record.from, record.fromPrice),
                pixelOf(view, record.to, record.toPrice),
                DrawingLevelsOrDefaults(record.kind, record.extraBytes),
                {}};
    kFigures[static_cast<std::size_t>(record.kind)](frame);
    return std::move(frame.shape);
}

}  // namespace dravik
