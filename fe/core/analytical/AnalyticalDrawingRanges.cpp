// Drawings kept in step with the data: a drawing whose anchors leave the points of the data set (or,
// with the option that restricts drawings to the price range, whose prices leave the price axis's
// range) is hidden by range, and comes back as it was once it lies inside again. A drawing the client
// disabled stays disabled.
#include <cmath>
#include <cstdint>
#include <span>

#include "analytical/CAnalyticalChartBase.h"
#include "drawing/CDrawingFeatures.h"
#include "drawing/DrawingGeometry.h"
#include "drawing/DrawingOwner.h"
#include "extension/ExtensionMembers.h"
#include "studies/StudyRows.h"

namespace dravik {
namespace {

// Options bit: shown drawings must lie within the price axis's range.
constexpr LONG kOptionRestrictToPriceRange = 4;

bool within(double value, double low, double high) {
    return std::isfinite(value) && value >= low && value <= high;
}

}  // namespace

void CAnalyticalChartBase::FollowWorkSeries(DrawingRecord& drawing) {
    if (drawing.freeDraw || points_ <= 0)
        return;
    if (drawing.workSeries >= -4 && drawing.workSeries <= -1) {
        const BoundPriceSeries bound = boundPrices();
        const std::int16_t priceSeries[] = {bound.open, bound.high, bound.low, bound.close};
        if (priceSeries[drawing.workSeries + 4] < 0)
            return;
    }
    if (const double* values = GetSeriesData(drawing.workSeries))
        TakePricesFromWorkSeries(drawing, std::span<const double>(values, static_cast<std::size_t>(points_)));
}

bool CAnalyticalChartBase::DrawingInsideRanges(DrawingRecord& drawing) {
    const double points = static_cast<double>(points_);
    if (!within(drawing.from, 1.0, points) || !within(drawing.to, 1.0, points))
        return false;
    if ((state().extension.options & kOptionRestrictToPriceRange) == 0)
        return true;
    FollowWorkSeries(drawing);
    const StudyAxisRecord& price = axes_[kPriceAxisIndex];
    return within(drawing.fromPrice, price.dataMin, price.dataMax) &&
           within(drawing.toPrice, price.dataMin, price.dataMax);
}

void CAnalyticalChartBase::HideDrawingsByRange() {
    if (!drawings())
        return;
    CDrawingList& list = drawings()->list();
    for (int i = 0; i < list.Count(); ++i) {
        DrawingRecord& drawing = *list.At(i);
        if (drawing.state == kDrawingBeingPlaced || drawing.lock != 0)
            continue;
        const bool inside = DrawingInsideRanges(drawing);
        const std::int16_t before = drawing.state;
        if (!inside && drawing.state == kDrawingHidden)
            drawing.state = kDrawingHiddenByRange;
        else if (!inside && drawing.state == kDrawingShown)
            drawing.state = kDrawingShownByRange;
        else if (inside && drawing.state == kDrawingHiddenByRange)
            drawing.state = kDrawingHidden;
        else if (inside && drawing.state == kDrawingShownByRange)
            drawing.state = kDrawingShown;
        if (drawing.state == before)
            continue;
        if (!drawing.Visible() && selectedDrawing() == i)
            SelectDrawing(-1);
        drawingOwner()->SetDrawingCommandChecked(drawing.toolCommand, drawing.Visible());
    }
}

}  // namespace dravik
