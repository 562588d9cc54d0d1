// The analytical chart's mouse work: placing a new drawing with a press, a drag and a release (the
// add dialog then confirms it), moving an end of the selected drawing, selecting a drawing by a
// click, and resizing a study pane by dragging an edge of its title.
//
// Bands and the resize line are XOR lines on the chart's surface: each is drawn once to show it and
// once more to take it away, so the surface is left as it was.
#include <algorithm>
#include <functional>

#include "analytical/CAnalyticalChartBase.h"
#include "drawing/CDrawingFeatures.h"
#include "drawing/DrawingOwner.h"
#include "drawing/DrawingTexts.h"
#include "extension/DrawingDialogs.h"
#include "extension/ExtensionMembers.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "host/CHostChartAdapter.h"
#include "studyobjects/StudyOwner.h"
#include "ui/Cursors.h"
#include "ui/WindowHandle.h"

namespace dravik {
namespace {

// Pixels the resize line keeps away from the neighbouring edges.
constexpr LONG kResizeMargin = 4;

bool inside(const gdi::Rect& r, LONG x, LONG y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

int CAnalyticalChartBase::PlacingDrawing() const {
    if (!drawings())
        return -1;
    const CDrawingList& list = drawings()->list();
    for (int i = 0; i < list.Count(); ++i) {
        if (list.At(i)->state == kDrawingBeingPlaced)
            return i;
    }
    return -1;
}

bool CAnalyticalChartBase::PaintOnSurface(const std::function<void(gdi::DeviceContext*)>& paint) {
    korvel::IKvlExtensionSite* site = extensionSite();
    gdi::DeviceContext* dc = nullptr;
    if (!site || com::FAILED(site->GetSurfaceDC(&dc)) || !dc)
        return false;
    paint(dc);
    site->ReleaseSurfaceDC(dc);
    return true;
}

void CAnalyticalChartBase::ShowBand(bool show) {
    if (drag_.bandShown != show &&
        PaintOnSurface([this](gdi::DeviceContext* dc) { DrawRubberBand(dc, drag_.fixed, drag_.mouse); }))
        drag_.bandShown = show;
}

int CAnalyticalChartBase::selectedDrawing() const {
    return drawings() && selectedId_ != 0 ? drawings()->list().IndexOfId(selectedId_) : -1;
}

void CAnalyticalChartBase::SelectDrawing(int index) {
    if (index == selectedDrawing())
        return;
    const bool moveable = (state().extension.options & kOptionDrawingsMoveable) != 0;
    const DrawingRecord* drawing = drawingAt(index);
    const std::uint32_t id = drawing ? drawing->id : 0;
    // The handles are inverted away from the old selection and onto the new one.
    if (!moveable || !PaintOnSurface([&](gdi::DeviceContext* dc) {
            InvertHandles(dc);
            selectedId_ = id;
            InvertHandles(dc);
        }))
        selectedId_ = id;
}

void CAnalyticalChartBase::EndPlacing(int index) {
    if (adapter())
        adapter()->SetMouseCapture(0);
    ShowBand(false);
    drag_ = {};
    if (const DrawingRecord* drawing = drawingAt(index)) {
        const int kind = drawing->kind;
        drawings()->DeleteDrawingAt(index);
        SyncDrawingMenu(kind);
    }
    RepaintIfActive();
}

LONG CAnalyticalChartBase::OnDrawingPress(LONG x, LONG y) {
    const int placing = PlacingDrawing();
    DrawingRecord* drawing = drawingAt(placing);
    if (!drawing)
        return 1;
    double position = 0;
    double price = 0;
    const bool inPlot = x >= plotLeft_ && x <= plotRight_ && y >= plotTop_ && y <= plotBottom_;
    if (!inPlot || !PointAtPixel(x, y, &position, &price) || !(position > 0 && position < points_ + 1)) {
        EndPlacing(placing);
        return 0;
    }
    drawing->from = position;
    drawing->fromPrice = price;
    drawing->x1 = x;
    drawing->y1 = y;
    drawing->x2 = -1;
    drawing->y2 = -1;
    drag_ = {};
    drag_.index = placing;
    drag_.end = 2;
    drag_.placing = true;
    drag_.fixed = {x, y};
    drag_.mouse = {x, y};
    adapter()->SetMouseCapture(1);
    return 0;
}

void CAnalyticalChartBase::FinishPlacing(LONG x, LONG y) {
    const int index = drag_.index;
    ShowBand(false);
    if (adapter())
        adapter()->SetMouseCapture(0);
    DrawingRecord* drawing = drawingAt(index);
    double position = 0;
    double price = 0;
    const bool inPlot = x >= plotLeft_ && x <= plotRight_ && y >= plotTop_ && y <= plotBottom_;
    if (!drawing || !inPlot || !PointAtPixel(x, y, &position, &price) ||
        !(position > 0 && position < points_ + 1)) {
        EndPlacing(index);
        return;
    }
    drawing->to = position;
    drawing->toPrice = price;
    drawing->x2 = x;
    drawing->y2 = y;
    drag_ = {};
    const DrawingPlacement placement{drawing->from, drawing->fromPrice, drawing->to, drawing->toPrice};
    IDrawingDialogs* dialogs = GetDrawingDialogs();
    std::intptr_t parent = 0;
    ui::WindowHandle window;
    if (extensionSite() && com::SUCCEEDED(extensionSite()->GetWindow(&window)))
        parent = reinterpret_cast<std::intptr_t>(window.widget());
    // Without dialogs nothing can confirm the drawing: it is not kept half-made.
    if (!dialogs) {
        EndPlacing(index);
        return;
    }
    const int kind = drawing->kind;
    dialogs->RunAddDrawing(*drawingPageOwner(), index, placement, parent);
    // A cancelled drawing has left the list.
    SyncDrawingMenu(kind);
    RepaintIfActive();
}

bool CAnalyticalChartBase::PaneEdgeAt(LONG x, LONG y, SHORT* axisOut, bool* topEdge) {
    ComputeTitleRects();
    for (SHORT a = 0; a < static_cast<SHORT>(kStudyAxisCount); ++a) {
        const StudyAxisRecord& axis = axes_[static_cast<std::size_t>(a)];
        const auto& r = axis.titleRect;
        if (!axis.inUse() || r[3] <= r[1] || x < r[0] || x > r[2])
            continue;
        if (y == r[1] || y == r[3] - 1) {
            *axisOut = a;
            *topEdge = y == r[1];
            return true;
        }
    }
    return false;
}

bool CAnalyticalChartBase::StartPaneResize(LONG x, LONG y) {
    const LONG plotHeight = plotBottom_ - plotTop_;
    SHORT a = kNoAxis;
    bool top = false;
    if (plotHeight <= 0 || !PaneEdgeAt(x, y, &a, &top))
        return false;
    const auto& r = axes_[static_cast<std::size_t>(a)].titleRect;
    // The pane below: the nearest used study axis lower on the plot, else the plot's bottom.
    LONG lowerTop = plotBottom_;
    for (SHORT b = static_cast<SHORT>(a - 1); b >= 0; --b) {
        if (axes_[static_cast<std::size_t>(b)].inUse()) {
            lowerTop = axes_[static_cast<std::size_t>(b)].titleRect[1];
            break;
        }
    }
    const auto& price = axes_[kPriceAxisIndex].titleRect;
    const LONG titleHeight = r[3] - r[1];
    resize_ = {};
    resize_.axis = a;
    resize_.topEdge = top;
    resize_.startY = y;
    resize_.y = y;
    if (top) {
        resize_.minY = r[1] - (price[3] - price[1]) + plotHeight / 10 + kResizeMargin;
        resize_.maxY = lowerTop - titleHeight - kResizeMargin;
    } else {
        resize_.minY = r[1] + kResizeMargin;
        resize_.maxY = lowerTop - kResizeMargin;
    }
    SetResizeCursor();
    DrawResizeLine(y);
    if (adapter())
        adapter()->SetMouseCapture(1);
    return true;
}

void CAnalyticalChartBase::SetResizeCursor() {
    if (extensionSite())
        extensionSite()->SetCursor(ui::loadSystemCursor(ui::IDC_SIZENS), nullptr);
}

void CAnalyticalChartBase::DrawResizeLine(LONG y) {
    const auto& r = axes_[static_cast<std::size_t>(resize_.axis)].titleRect;
    PaintOnSurface([&](gdi::DeviceContext* dc) { DrawRubberBand(dc, {r[0], y}, {r[2], y}); });
}

void CAnalyticalChartBase::ApplyPaneResize() {
    const SHORT axisNumber = resize_.axis;
    DrawResizeLine(resize_.y);
    if (adapter())
        adapter()->SetMouseCapture(0);
    const LONG moved = resize_.y - resize_.startY;
    const bool topEdge = resize_.topEdge;
    resize_ = {};
    const LONG plotHeight = plotBottom_ - plotTop_;
    if (plotHeight <= 0 || axisNumber < 0)
        return;
    StudyAxisRecord& axis = axes_[static_cast<std::size_t>(axisNumber)];
    const LONG percent = moved * 100 / plotHeight;
    if (percent == 0)
        return;
    if (!topEdge)
        axis.gap += percent;
    axis.size -= percent;
    if (StudyRecord* study = record(axis.study)) {
        study->spaceGap = static_cast<SHORT>(axis.gap);
        study->space = static_cast<SHORT>(axis.size);
    }
    LayoutStudyAxes();
    ApplyAxesToChart();
    RepaintIfActive();
}

LONG CAnalyticalChartBase::OnButtonDown(LONG x, LONG y) {
    if (!owner() || !adapter())
        return 1;
    if (PlacingDrawing() >= 0)
        return OnDrawingPress(x, y);
    const int selectedIndex = selectedDrawing();
    DrawingRecord* selected = drawingAt(selectedIndex);
    if ((state().extension.options & kOptionDrawingsMoveable) != 0 && selected) {
        for (int end = 0; end < 2; ++end) {
            if (!inside(handles_[static_cast<std::size_t>(end)], x, y))
                continue;
            drag_ = {};
            drag_.index = selectedIndex;
            drag_.end = end + 1;
            drag_.fixed =
                end == 0 ? gdi::Point{selected->x2, selected->y2} : gdi::Point{selected->x1, selected->y1};
            drag_.mouse = {x, y};
            extensionSite()->SetCursor(ui::loadSystemCursor(ui::IDC_SIZEALL), nullptr);
            ShowBand(true);
            adapter()->SetMouseCapture(1);
            return 0;
        }
    }
    SelectDrawing(-1);
    if (StartPaneResize(x, y))
        return 0;
    const int hit = HitTestDrawing(x, y);
    if (hit >= 0) {
        SelectDrawing(hit);
        return 0;
    }
    // The chart's Properties command opens the page of the series clicked last.
    NoteSeriesUnderMouse(x, y);
    return CGalleryBase::OnButtonDown(x, y);
}

LONG CAnalyticalChartBase::OnMouseMove(LONG x, LONG y) {
    if (resize_.axis != kNoAxis) {
        const LONG clamped = std::clamp(y, resize_.minY, std::max(resize_.minY, resize_.maxY));
        if (clamped != resize_.y) {
            DrawResizeLine(resize_.y);
            resize_.y = clamped;
            DrawResizeLine(resize_.y);
        }
        return 0;
    }
    if (drag_.index >= 0) {
        if (x >= plotLeft_ && x <= plotRight_ && y >= plotTop_ && y <= plotBottom_) {
            ShowBand(false);
            drag_.mouse = {x, y};
            ShowBand(true);
        }
        return 0;
    }
    const LONG handled = CGalleryBase::OnMouseMove(x, y);
    SHORT axis = kNoAxis;
    bool top = false;
    if (handled != 0 && PlacingDrawing() < 0 && PaneEdgeAt(x, y, &axis, &top))
        SetResizeCursor();
    return handled;
}

LONG CAnalyticalChartBase::OnButtonUp(LONG x, LONG y) {
    if (resize_.axis != kNoAxis) {
        ApplyPaneResize();
        return 0;
    }
    if (drag_.index < 0)
        return CGalleryBase::OnButtonUp(x, y);
    if (drag_.placing) {
        FinishPlacing(x, y);
        return 0;
    }
    const int index = drag_.index;
    const int end = drag_.end;
    const gdi::Point to = drag_.mouse;
    ShowBand(false);
    drag_ = {};
    adapter()->SetMouseCapture(0);
    DrawingRecord* drawing = drawingAt(index);
    double position = 0;
    double price = 0;
    if (!drawing || !PointAtPixel(to.x, to.y, &position, &price) || !(position > 0 && position < points_ + 1))
        return 0;
    // The handles go with the old ends and come back at the new ones.
    SelectDrawing(-1);
    // The end goes onto the point whose date its text shows (and stores), with that point's x value.
    DrawingAnchor anchor{position, position};
    if (IDrawingOwner* owner = drawingOwner(); owner && owner->DrawingDateScale())
        anchor = NearestPointAnchor(*owner->DrawingDateScale(), position, owner->DrawingPointDates());
    (end == 1 ? drawing->from : drawing->to) = anchor.position;
    (end == 1 ? drawing->xFrom : drawing->xTo) = anchor.x;
    (end == 1 ? drawing->fromPrice : drawing->toPrice) = price;
    RepaintIfActive();
    SelectDrawing(index);
    drawings()->RaiseEvent(DrawingEvent::Moved, index);
    return 0;
}

}  // namespace dravik
