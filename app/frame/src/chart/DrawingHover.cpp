#include "frame/chart/DrawingHover.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "DrawingCalls.h"
#include "appdata/AppError.h"
#include "appdata/Trap.h"
#include "com/VbMath.h"
#include "dravik/AxisInterfaces.h"
#include "frame/chart/DrawingDates.h"
#include "frame/chart/DrawingKinds.h"
#include "locale/LocaleRegistry.h"

namespace frame::chart {

namespace {

using calls::dateOf;
using calls::need;
using calls::pointsOf;
using calls::tagOf;
using calls::textOf;
using calls::toShort;
using tarnwick::AppError;
using tarnwick::Trap;

// A price as the extension writes it: "." or the locale's decimal separator, group separators left
// out.
double priceOf(const std::string& text, const loc::LocaleInfo& locale) {
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        const std::string_view rest = std::string_view(text).substr(i);
        if (!locale.decimalSeparator.empty() && rest.starts_with(locale.decimalSeparator)) {
            plain += '.';
            i += locale.decimalSeparator.size();
        } else if (!locale.thousandSeparator.empty() && rest.starts_with(locale.thousandSeparator)) {
            i += locale.thousandSeparator.size();
        } else if (text[i] == ' ') {
            ++i;
        } else {
            plain += text[i++];
        }
    }
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (plain.empty() || error != std::errc() || end != plain.data() + plain.size())
        throw AppError(13, "Type mismatch");
    return value;
}

// However few points the chart has, a cursor this many pixels from a drawing's line is on it: the
// tolerance relative to the price shrinks with the points, to about two pixels on a monthly chart.
// Drawings this near the cursor all lie under it alike.
constexpr double kHoverSlackPixels = 4.0;

// How far, in pixels on the screen, the cursor at chart position (x, y) lies from the straight line
// through the two ends.
double pixelsFromLine(korvel::IKvlChart& chart, double p1, double q1, double p2, double q2, double x,
                      double y) {
    const auto pixelOf = [&](double position, double value) {
        com::LONG px = 0;
        com::LONG py = 0;
        need(chart.ValueToPixel(position, value, &px, &py, 0), "ValueToPixel");
        return std::pair{static_cast<double>(px), static_cast<double>(py)};
    };
    const auto [ax, ay] = pixelOf(p1, q1);
    const auto [bx, by] = pixelOf(p2, q2);
    const auto [cx, cy] = pixelOf(x, y);
    const double length = std::hypot(bx - ax, by - ay);
    if (length == 0)
        return std::hypot(cx - ax, cy - ay);
    return std::fabs((bx - ax) * (cy - ay) - (by - ay) * (cx - ax)) / length;
}

// Whether the point (x, y) lies on the drawing, and if so how many pixels from its line (0 for a
// drawing whose ends share a point).
std::optional<double> hitDistance(korvel::IKvlChart& chart, dravik::IDrawFeature& drawing, double x, double y,
                                  const loc::LocaleInfo& dates);

struct Hit {
    com::LONG kind = -1;
    com::SHORT index = 0;
};

// The drawing under the point. On a chart of many points the tolerance relative to the price reaches
// tens of pixels, so a line the cursor is on may have an older one within it too: the nearer on the
// screen is the one meant. Drawings within kHoverSlackPixels count as equally near, and between those
// the kinds' order of kHitKindOrder, then the lower index, decide.
std::optional<Hit> firstDrawingAt(korvel::IKvlChart& chart, dravik::IFinancialCharts& extension, double x,
                                  double y) {
    const loc::LocaleInfo dates = loc::LocaleRegistry::find(DrawingDateLocale(extension));
    std::optional<Hit> best;
    double bestDistance = 0;
    for (const com::LONG kind : kHitKindOrder) {
        const com::SHORT count = DrawingCount(extension, kind);
        for (com::SHORT index = 0; index < count; ++index) {
            const std::optional<double> distance =
                hitDistance(chart, *DrawingAt(extension, kind, index), x, y, dates);
            if (!distance)
                continue;
            const double near = std::max(*distance, kHoverSlackPixels);
            if (!best || near < bestDistance) {
                best = Hit{kind, index};
                bestDistance = near;
            }
            if (bestDistance <= kHoverSlackPixels)
                return best;
        }
    }
    return best;
}

bool within(double value, double a, double b) {
    return a == b || (value >= std::min(a, b) && value <= std::max(a, b));
}

}  // namespace

bool CheckPointDrawingHit(std::int16_t x, std::int16_t y, korvel::IKvlChart& chart, bool highlight) {
    bool hit = false;
    Trap("CheckPointDrawingHit", [&] {
        const auto extension = FinancialExtensionOf(chart);
        const auto list = AnnotationListOf(chart);
        double xv = 0;
        double yv = 0;
        need(chart.PixelToValue(x, y, &xv, &yv, 0), "PixelToValue");
        const double value = com::vb::roundDecimals(yv, 3).valueOr(yv);
        com::LONG points = 0;
        need(chart.get_PointCount(&points), "PointCount");
        com::ComPtr<dravik::ILomexAxis> axis;
        need(extension->get_PricesAxis(axis.put()), "PricesAxis");
        double low = 0;
        double high = 0;
        need(axis->get_Min(&low), "Min");
        need(axis->get_Max(&high), "Max");
        if (xv < 1 || xv > points || value < low || value > high)
            return;
        // The lines are tested where the cursor is, between points too: on a chart of few points the
        // points lie far apart.
        const auto found = firstDrawingAt(chart, *extension, xv, value);
        if (!found)
            return;
        hit = true;
        if (!highlight || CheckAnnotLineExist(*list, found->kind, found->index))
            return;
        ClearAllLineAnnot(*list);
        com::ComPtr<glossor::IGlosxObject> line;
        need(list->Add(glossor::kKindLine, com::Variant::missing(), line.put()), "Add");
        SetLineOverDrawing(chart, *DrawingAt(*extension, found->kind, found->index), *line);
        HighlightClickedDrawing(*list, *line, found->kind, found->index);
    });
    return hit;
}

namespace {

std::optional<double> hitDistance(korvel::IKvlChart& chart, dravik::IDrawFeature& drawing, double x, double y,
                                  const loc::LocaleInfo& dates) {
    std::optional<double> hit;
    Trap("isHit", [&] {
        const std::int32_t p1 =
            ValueIndex(chart, dateOf(textOf(drawing, &dravik::IDrawFeature::get_From, "From"), dates, chart));
        const std::int32_t p2 =
            ValueIndex(chart, dateOf(textOf(drawing, &dravik::IDrawFeature::get_To, "To"), dates, chart));
        const double q1 = priceOf(textOf(drawing, &dravik::IDrawFeature::get_FromPrice, "FromPrice"), dates);
        const double q2 = priceOf(textOf(drawing, &dravik::IDrawFeature::get_ToPrice, "ToPrice"), dates);
        if (!within(y, q1, q2) || !within(x, p1, p2))
            return;
        if (p1 == p2) {
            if (com::vb::roundHalfEven(x) == p1)
                hit = 0.0;
            return;
        }
        const double pixels = pixelsFromLine(chart, p1, q1, p2, q2, x, y);
        if (pixels <= kHoverSlackPixels) {
            hit = pixels;
            return;
        }
        const double lineY = GetValueFromLineEqn(p1, q1, p2, q2, x, false);
        const com::vb::Checked<double> deviation = com::vb::divide(std::fabs(lineY - y), y);
        if (!deviation)
            throw AppError(11, "Division by zero");
        com::LONG points = 0;
        need(chart.get_PointCount(&points), "PointCount");
        const double tolerance = (static_cast<double>(points) / 100) * 0.01;
        if (std::fabs(deviation.value()) <= tolerance)
            hit = pixels;
    });
    return hit;
}

}  // namespace

bool isHit(korvel::IKvlChart& chart, dravik::IDrawFeature& drawing, double x, double y,
           const loc::LocaleInfo& dates) {
    return hitDistance(chart, drawing, x, y, dates).has_value();
}

std::int32_t ValueIndex(korvel::IKvlChart& chart, double date) {
    std::int32_t index = 0;
    Trap("ValueIndex", [&] {
        com::LONG points = 0;
        need(chart.get_PointCount(&points), "PointCount");
        for (com::LONG i = 0; i < points; ++i) {
            double x = 0;
            need(chart.get_XValueAt(korvel::kXValues, i, &x), "XValueAt");
            if (x == date) {
                index = i + 1;
                return;
            }
        }
    });
    return index;
}

double GetValueFromLineEqn(double x1, double y1, double x2, double y2, double v, bool giveX) {
    double value = 0;
    Trap("GetValueFromLineEqn", [&] {
        const auto m = com::vb::divide(y2 - y1, x2 - x1);
        const auto b = com::vb::divide(y1 * x2 - x1 * y2, x2 - x1);
        if (!m || !b)
            throw AppError(11, "Division by zero");
        if (!giveX) {
            value = m.value() * v + b.value();
            return;
        }
        const auto x = com::vb::divide(v - b.value(), m.value());
        if (!x)
            throw AppError(11, "Division by zero");
        value = x.value();
    });
    return value;
}

void SetLineOverDrawing(korvel::IKvlChart& chart, dravik::IDrawFeature& drawing,
                        glossor::IGlosxObject& line) {
    Trap("SetLineOverDrawing", [&] {
        com::ComPtr<com::IUnknown> object;
        const auto extension = FinancialExtensionOf(chart);
        const loc::LocaleInfo dates = loc::LocaleRegistry::find(DrawingDateLocale(*extension));
        const auto pixel = [&](auto getDate, auto getPrice, const char* dateName, const char* priceName) {
            const std::int32_t point =
                ValueIndex(chart, dateOf(textOf(drawing, getDate, dateName), dates, chart));
            const double value = priceOf(textOf(drawing, getPrice, priceName), dates);
            com::LONG px = 0;
            com::LONG py = 0;
            need(chart.ValueToPixel(point, value, &px, &py, 0), "ValueToPixel");
            return std::pair{px, py};
        };
        const auto [px1, py1] =
            pixel(&dravik::IDrawFeature::get_From, &dravik::IDrawFeature::get_FromPrice, "From", "FromPrice");
        const auto [px2, py2] =
            pixel(&dravik::IDrawFeature::get_To, &dravik::IDrawFeature::get_ToPrice, "To", "ToPrice");
        const auto points = pointsOf(line);
        need(points->put_Y1(toShort(py1)), "Y1");
        need(points->put_X1(toShort(px1)), "X1");
        need(points->put_X2(toShort(px2)), "X2");
        need(points->put_Y2(toShort(py2)), "Y2");
    });
}

void HighlightClickedDrawing(glossor::IGlosxList& list, glossor::IGlosxObject& line, std::int32_t kind,
                             std::int16_t index) {
    Trap("HighlightClickedDrawing", [&] {
        const auto asLine = com::ComPtr<glossor::IGlosxObject>(&line).as<glossor::IGlosxLine>();
        if (!asLine)
            throw AppError(438, "Object doesn't support this property or method");
        need(asLine->put_LineMode(glossor::kLinePlain), "LineMode");
        need(line.put_Appearance(glossor::kAppearanceHighlight), "Appearance");
        need(line.put_Tag(DrawingTag(kind, index)), "Tag");
        need(list.RefreshObject(&line), "RefreshObject");
    });
}

bool CheckAnnotLineExist(glossor::IGlosxList& list, std::int32_t kind, std::int16_t index) {
    bool exists = false;
    Trap("CheckAnnotLineExist", [&] {
        com::LONG count = 0;
        need(list.get_Count(&count), "Count");
        for (com::LONG i = 1; i <= count; ++i) {
            com::ComPtr<glossor::IGlosxObject> object;
            need(list.Item(i, object.put()), "Item");
            const com::LONG tag = tagOf(*object);
            if (tag != 0 && tag == DrawingTag(kind, index)) {
                exists = true;
                return;
            }
        }
    });
    return exists;
}

void ClearAllLineAnnot(glossor::IGlosxList& list) {
    Trap("ClearAllLineAnnot", [&] {
        com::LONG count = 0;
        need(list.get_Count(&count), "Count");
        for (com::LONG i = count; i >= 1; --i) {
            com::ComPtr<glossor::IGlosxObject> object;
            need(list.Item(i, object.put()), "Item");
            if (tagOf(*object) != 0)
                need(list.Remove(i), "Remove");
        }
    });
}

}  // namespace frame::chart
