// The analytical chart's drawings on the device context: each shown drawing painted from its figure
// and clipped to the plot, the inverted handles of the selected drawing, the XOR rubber band of an end
// being moved, and the hit test that paints the drawings with their wide pens into a one-pixel
// monochrome context until the pixel turns black.
#include <cmath>
#include <span>

#include "analytical/CAnalyticalChartBase.h"
#include "drawing/CDrawingFeatures.h"
#include "drawing/DrawingGeometry.h"
#include "extension/ExtensionMembers.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "host/CHostChartAdapter.h"

namespace dravik {
namespace {

constexpr gdi::COLORREF kWhite = 0xFFFFFF;
constexpr gdi::COLORREF kBlack = 0x000000;
// The rubber band: XOR with white inverts what lies below, so a second line erases the first.
constexpr gdi::COLORREF kRubberBandColor = 0xFFFFFF;
// Handles reach this far to each side of an end point.
constexpr int kHandleReach = 3;

int pixel(double v) {
    return static_cast<int>(std::lround(v));
}

// A pen selected for the life of the object and deleted afterwards.
class ScopedPen {
public:
    ScopedPen(gdi::DeviceContext* dc, const DrawingPen& pen)
        : dc_(dc), pen_(gdi::createPen(pen.style, pen.width, pen.color)), old_(dc->selectObject(pen_)) {}
    ~ScopedPen() {
        dc_->selectObject(old_);
        gdi::deleteObject(pen_);
    }
    ScopedPen(const ScopedPen&) = delete;
    ScopedPen& operator=(const ScopedPen&) = delete;

private:
    gdi::DeviceContext* dc_;
    gdi::HPEN pen_;
    gdi::HGDIOBJ old_;
};

const DrawingPen& penOf(const DrawingPens& pens, DrawingPenRole role, bool wide) {
    if (role == DrawingPenRole::Signal)
        return wide ? pens.wideSignal : pens.signal;
    return wide ? pens.wideMain : pens.main;
}

gdi::Rect handleAround(gdi::Point p) {
    return {p.x - kHandleReach, p.y - kHandleReach, p.x + kHandleReach, p.y + kHandleReach};
}

}  // namespace

DrawingRecord* CAnalyticalChartBase::drawingAt(int index) {
    return drawings() ? drawings()->list().At(index) : nullptr;
}

bool CAnalyticalChartBase::DrawingEnds(DrawingRecord& drawing, gdi::Point& a, gdi::Point& b) {
    CHostChartAdapter* chart = adapter();
    if (!chart || points_ <= 0)
        return false;
    const auto onData = [this](double position) {
        return std::isfinite(position) && position >= 1.0 && position <= static_cast<double>(points_);
    };
    if (!onData(drawing.from) || !onData(drawing.to))
        return false;
    FollowWorkSeries(drawing);
    if (!std::isfinite(drawing.fromPrice) || !std::isfinite(drawing.toPrice))
        return false;
    const SHORT axis = axes_[kPriceAxisIndex].controlAxis;
    LONG x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (com::FAILED(chart->ValueToPixel(drawing.from, drawing.fromPrice, &x1, &y1, axis)) ||
        com::FAILED(chart->ValueToPixel(drawing.to, drawing.toPrice, &x2, &y2, axis)))
        return false;
    drawing.x1 = x1;
    drawing.y1 = y1;
    drawing.x2 = x2;
    drawing.y2 = y2;
    a = {x1, y1};
    b = {x2, y2};
    return true;
}

void CAnalyticalChartBase::PaintDrawing(gdi::DeviceContext* dc, DrawingRecord& drawing, bool wide) {
    gdi::Point a;
    gdi::Point b;
    if (!IsDrawingKind(drawing.kind) || !DrawingEnds(drawing, a, b))
        return;
    DrawingView view;
    view.plot = {plotLeft_, plotTop_, plotRight_, plotBottom_};
    CHostChartAdapter* chart = adapter();
    const SHORT axis = axes_[kPriceAxisIndex].controlAxis;
    view.toPixel = [chart, axis](double position, double price) {
        LONG x = 0, y = 0;
        chart->ValueToPixel(position, price, &x, &y, axis);
        return gdi::Point{x, y};
    };
    if (const double* closes = GetSeriesData(-1))
        view.closes = std::span<const double>(closes, static_cast<std::size_t>(points_));
    const DrawingShape shape = DrawingGeometry(drawing, view);
    DrawingPens pens = drawing.Pens();
    const bool blackAndWhite = (chart->GetStyleWord() & kStyleBlackAndWhite) != 0;
    if (blackAndWhite) {
        pens.main.color = kBlack;
        pens.signal.color = kBlack;
    }
    const gdi::HGDIOBJ oldBrush = dc->selectObject(gdi::getStockObject(gdi::NULL_BRUSH));
    for (const DrawingLine& line : shape.lines) {
        ScopedPen pen(dc, penOf(pens, line.pen, wide));
        dc->moveTo(pixel(line.from.x), pixel(line.from.y));
        dc->lineTo(pixel(line.to.x), pixel(line.to.y));
    }
    for (const DrawingCircle& circle : shape.circles) {
        ScopedPen pen(dc, penOf(pens, circle.pen, wide));
        const double r = circle.radius;
        dc->ellipse(pixel(circle.centre.x - r), pixel(circle.centre.y - r), pixel(circle.centre.x + r),
                    pixel(circle.centre.y + r));
    }
    dc->selectObject(oldBrush);
    if (!shape.labels.empty()) {
        const int oldMode = dc->setBkMode(gdi::TRANSPARENT);
        const gdi::COLORREF oldColor = dc->setTextColor(wide || blackAndWhite ? kBlack : drawing.color);
        for (const DrawingLabel& label : shape.labels) {
            gdi::Rect at{pixel(label.at.x), pixel(label.at.y), pixel(label.at.x), pixel(label.at.y)};
            dc->drawText(label.text, at,
                         gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE | gdi::DT_NOCLIP);
        }
        dc->setTextColor(oldColor);
        dc->setBkMode(oldMode);
    }
}

void CAnalyticalChartBase::PaintDrawings(gdi::DeviceContext* dc, bool printing) {
    if (!dc || !drawings())
        return;
    CDrawingList& list = drawings()->list();
    const int saved = dc->saveDC();
    dc->intersectClipRect(plotLeft_, plotTop_, plotRight_ + 1, plotBottom_ + 1);
    for (int i = 0; i < list.Count(); ++i) {
        DrawingRecord* drawing = list.At(i);
        if (drawing && drawing->state == kDrawingShown)
            PaintDrawing(dc, *drawing, false);
    }
    dc->restoreDC(saved);
    if (printing)
        return;
    if ((state().extension.options & kOptionDrawingsMoveable) != 0)
        InvertHandles(dc);
    if (drag_.bandShown)
        DrawRubberBand(dc, drag_.fixed, drag_.mouse);
}

void CAnalyticalChartBase::InvertHandles(gdi::DeviceContext* dc) {
    DrawingRecord* drawing = drawingAt(selectedDrawing());
    if (!dc || !drawing || drawing->state != kDrawingShown)
        return;
    gdi::Point a;
    gdi::Point b;
    if (!DrawingEnds(*drawing, a, b))
        return;
    handles_ = {handleAround(a), handleAround(b)};
    dc->invertRect(handles_[0]);
    if (!(handles_[1] == handles_[0]))
        dc->invertRect(handles_[1]);
}

void CAnalyticalChartBase::DrawRubberBand(gdi::DeviceContext* dc, gdi::Point from, gdi::Point to) {
    if (!dc)
        return;
    const gdi::HPEN pen = gdi::createPen(gdi::PS_SOLID, 1, kRubberBandColor);
    const gdi::HGDIOBJ oldPen = dc->selectObject(pen);
    const int oldMode = dc->setROP2(gdi::R2_XORPEN);
    dc->moveTo(from.x, from.y);
    dc->lineTo(to.x, to.y);
    dc->setROP2(oldMode);
    dc->selectObject(oldPen);
    gdi::deleteObject(pen);
}

int CAnalyticalChartBase::HitTestDrawing(LONG x, LONG y) {
    if (!drawings())
        return -1;
    CDrawingList& list = drawings()->list();
    std::unique_ptr<gdi::DeviceContext> dc = gdi::createCompatibleDC();
    if (!dc)
        return -1;
    // The tested point falls on the context's only pixel.
    dc->setViewportOrg(-x, -y);
    dc->setTextColor(kBlack);
    dc->setBkColor(kBlack);
    dc->selectObject(gdi::getStockObject(gdi::BLACK_BRUSH));
    dc->setPixel(x, y, kWhite);
    for (int i = 0; i < list.Count(); ++i) {
        DrawingRecord* drawing = list.At(i);
        if (!drawing || drawing->state != kDrawingShown)
            continue;
        PaintDrawing(dc.get(), *drawing, true);
        if ((dc->getPixel(x, y) & 0xFFFFFF) != kWhite)
            return i;
    }
    return -1;
}

void CAnalyticalChartBase::DrawTrackingLine(LONG x) {
    ComputeTitleRects();
    ChartTypeState& shared = state();
    if (shared.trackingPen == gdi::NULL_HANDLE)
        shared.trackingPen = gdi::createPen(gdi::PS_SOLID, 1, kRubberBandColor);
    PaintOnSurface([&](gdi::DeviceContext* dc) {
        const gdi::HGDIOBJ oldPen = dc->selectObject(shared.trackingPen);
        const int oldMode = dc->setROP2(gdi::R2_XORPEN);
        // From the top of the plot down, skipping each used study pane's title (the highest first).
        LONG top = plotTop_;
        for (std::size_t a = kStudyAxisCount; a-- > 0;) {
            const StudyAxisRecord& axis = axes_[a];
            if (!axis.inUse() || axis.titleRect[3] <= axis.titleRect[1] || axis.titleRect[1] < top)
                continue;
            dc->moveTo(x, top);
            dc->lineTo(x, axis.titleRect[1]);
            top = axis.titleRect[3];
        }
        dc->moveTo(x, top);
        dc->lineTo(x, plotBottom_);
        dc->setROP2(oldMode);
        dc->selectObject(oldPen);
    });
}

LONG CAnalyticalChartBase::OnKeyInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG reserved) {
    const bool printing = scaledDc_ != 0;
    CGalleryBase::OnKeyInput(dc, rect, reserved);
    PaintDrawings(dc, printing);
    return 0;
}

}  // namespace dravik
