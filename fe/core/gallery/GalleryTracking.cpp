// The chart-type base's mouse work: the vertical tracking line that follows the points, the zoom drag
// between two points, and the value range a zoom or a rescale uses.
//
// Both lines are XOR lines on the chart's surface, so drawing a line a second time erases it and a
// finished drag leaves the surface as it was. A zoom drag keeps its start line at the point where it
// began and moves a second line; a plain tracking drag moves one line.
#include <algorithm>
#include <cmath>

#include "dravik/Commands.h"
#include "extension/CExtensionEvents.h"
#include "extension/ExtensionMembers.h"
#include "gallery/CGalleryBase.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "host/CHostChartAdapter.h"
#include "ostbar/OstBarContract.h"
#include "ui/Cursors.h"
#include "ui/Input.h"

namespace dravik {
namespace {

// The pen of the tracking line: XOR with white inverts what lies below.
constexpr gdi::COLORREF kTrackingPenColor = 0xFFFFFF;
// The cursor of a zoom drag among the module's cursors; the cross when it is not there.
constexpr int kZoomCursorResource = 436;

// The nearest point of a position: a fraction above one half rounds up, one half itself down.
double nearestPoint(double position) {
    return std::ceil(position - 0.5);
}

}  // namespace

bool CGalleryBase::PointAtPixel(LONG x, LONG y, double* position, double* value) const {
    CHostChartAdapter* chart = adapter();
    if (!chart || com::FAILED(chart->PixelToValue(x, y, position, value, yAxis_)))
        return false;
    return true;
}

void CGalleryBase::SetCursor(bool zoom) {
    if (!extensionSite())
        return;
    ui::HCURSOR cursor = zoom ? ui::loadCursorResource(kZoomCursorResource) : ui::NULL_CURSOR;
    if (cursor == ui::NULL_CURSOR)
        cursor = ui::loadSystemCursor(ui::IDC_CROSS);
    extensionSite()->SetCursor(cursor, nullptr);
}

void CGalleryBase::DrawTrackingLine(LONG x) {
    if (!extensionSite())
        return;
    korvel::IKvlExtensionSite* site = extensionSite();
    gdi::DeviceContext* dc = nullptr;
    if (com::FAILED(site->GetSurfaceDC(&dc)) || !dc)
        return;
    ChartTypeState& shared = state();
    if (shared.trackingPen == gdi::NULL_HANDLE)
        shared.trackingPen = gdi::createPen(gdi::PS_SOLID, 1, kTrackingPenColor);
    const gdi::HGDIOBJ oldPen = dc->selectObject(shared.trackingPen);
    const int oldMode = dc->setROP2(gdi::R2_XORPEN);
    dc->moveTo(x, plotTop_);
    dc->lineTo(x, plotBottom_);
    dc->setROP2(oldMode);
    dc->selectObject(oldPen);
    site->ReleaseSurfaceDC(dc);
}

LONG CGalleryBase::OnButtonDown(LONG x, LONG y) {
    if (!owner_ || !adapter())
        return 1;
    ChartTypeState& shared = state();
    TrackingRecord& track = shared.tracking;
    track.tracking = false;
    if (!(y > plotTop_ && y < plotBottom_))
        return 1;
    double position = 0;
    double value = 0;
    if (!PointAtPixel(x, y, &position, &value) || !(position > 0.5 && position < count_ + 0.5))
        return 1;
    position = nearestPoint(position);
    LONG snapped = x;
    LONG row = y;
    if (com::SUCCEEDED(adapter()->ValueToPixel(position, value, &snapped, &row, yAxis_)))
        x = snapped;

    CHostChartAdapter* chart = adapter();
    const bool chartZoomMode = chart->GetZoomMode() != 0;
    bool zoom = chartZoomMode;
    if ((shared.extension.options & kOptionShiftModeZoom) != 0)
        zoom = ui::isShiftDown() || (!zoomed_ && chartZoomMode);
    if (!shared.trackingOn && !zoom)
        return 1;

    extensionSite()->UpdateWindow();
    track.zooming = zoom;
    track.pixel = x;
    track.y = y;
    track.position = position;
    track.value = value;
    track.startPosition = position;
    if (zoom) {
        SetCursor(true);
        track.startPixel = x;  // the start line stays while the second line moves
        extensionEvents()->StartingZoomAction();
    } else {
        track.startPixel = -1;
    }
    chart->SetMouseCapture(1);
    track.tracking = true;
    DrawTrackingLine(x);
    // For a zoom the line just drawn is the start line; the moving line appears with the first move.
    trackingLineShown_ = !zoom;
    if (shared.pointInfoOn)
        ShowPointInfo(1, x);
    return 0;
}

LONG CGalleryBase::OnMouseMove(LONG x, LONG y) {
    if (!owner_ || !adapter() || !state().tracking.tracking)
        return 1;
    TrackingRecord& track = state().tracking;
    double position = 0;
    double value = 0;
    if (!PointAtPixel(x, y, &position, &value))
        return 0;
    position = std::clamp(nearestPoint(position), 1.0, static_cast<double>(std::max<LONG>(count_, 1)));
    if (track.zooming) {
        SetCursor(true);
    } else {
        SetCursor(false);
        LONG snapped = x;
        LONG row = y;
        if (com::SUCCEEDED(adapter()->ValueToPixel(position, value, &snapped, &row, yAxis_)))
            x = snapped;
    }
    if (trackingLineShown_)
        DrawTrackingLine(track.pixel);
    DrawTrackingLine(x);
    trackingLineShown_ = true;
    if (state().pointInfoOn)
        ShowPointInfo(1, x);
    track.pixel = x;
    track.y = y;
    track.position = position;
    track.value = value;
    return 0;
}

void CGalleryBase::EndTracking() {
    TrackingRecord& track = state().tracking;
    if (trackingLineShown_)
        DrawTrackingLine(track.pixel);
    if (track.zooming && track.startPixel != -1)
        DrawTrackingLine(track.startPixel);
    trackingLineShown_ = false;
    if (state().pointInfoOn)
        ShowPointInfo(0, track.pixel);
}

LONG CGalleryBase::OnButtonUp(LONG, LONG) {
    if (!owner_ || !adapter() || !state().tracking.tracking)
        return 1;
    TrackingRecord& track = state().tracking;
    EndTracking();
    if (track.zooming) {
        const double low = std::min(track.startPosition, track.position);
        const double high = std::max(track.startPosition, track.position);
        double min = 0;
        double max = 0;
        LONG cancel = 0;
        if (GetValueRange(static_cast<LONG>(low) - 1, static_cast<LONG>(high) - 1, &min, &max)) {
            extensionEvents()->EndingZoomAction(1, &cancel);
            if (!cancel) {
                adapter()->ZoomTo(low, min, high, max);
                adapter()->UpdateZoom();
                zoomed_ = 1;
            }
        } else {
            extensionEvents()->EndingZoomAction(0, &cancel);
        }
    }
    adapter()->SetMouseCapture(0);
    track.tracking = false;
    track.zooming = false;
    return 0;
}

LONG CGalleryBase::CancelTracking(LONG, LONG, LONG, LONG) {
    if (!owner_ || !state().tracking.tracking)
        return 1;
    EndTracking();
    if (adapter())
        adapter()->SetMouseCapture(0);
    state().tracking.tracking = false;
    state().tracking.zooming = false;
    return 0;
}

LONG CGalleryBase::GetValueRange(LONG first, LONG last, double* min, double* max) {
    if (min)
        *min = 0;
    if (max)
        *max = 0;
    CHostChartAdapter* chart = adapter();
    // Without elements there is nothing to fit a range to.
    if (!chart || !min || !max || count_ <= 0)
        return 0;
    *min = chart->GetAxisValue(yAxis_, 0);
    *max = chart->GetAxisValue(yAxis_, 1);
    return first != last && *max > *min ? 1 : 0;
}

void CGalleryBase::RestoreXRange(LONG store) {
    CHostChartAdapter* chart = adapter();
    if (chart && store) {
        double first = 0;
        double last = 0;
        if (com::SUCCEEDED(chart->GetVisibleRange(korvel::kXAxis, &first, &last))) {
            keptFirst_ = first - 1;
            keptLast_ = last - 1;
        }
    } else if (chart && count_ > 0) {
        const double first = std::clamp(keptFirst_, 0.0, static_cast<double>(count_ - 1));
        const double last = std::clamp(keptLast_, 0.0, static_cast<double>(count_ - 1));
        double min = 0;
        double max = 0;
        if (first < last && GetValueRange(static_cast<LONG>(first), static_cast<LONG>(last), &min, &max)) {
            chart->ZoomTo(first + 1, min, last + 1, max);
            chart->UpdateZoom();
        }
    }
    needsLayout_ = 1;
    zoomed_ = 0;
}

void CGalleryBase::OnZoomCommand() {
    LONG state = 0;
    com::ComPtr<ostbar::IOstToolbar> toolbar;
    com::ComPtr<ostbar::IOstCommand> command;
    com::VARIANT_BOOL checked = com::VARIANT_FALSE;
    if (extensionCommandBar() && com::SUCCEEDED(extensionCommandBar()->GetToolbar(toolbar.put())) &&
        toolbar && com::SUCCEEDED(toolbar->Command(static_cast<SHORT>(kZoomCommandId), command.put())) &&
        command && com::SUCCEEDED(command->get_Checked(&checked))) {
        state = checked != 0 ? 1 : 0;
    } else if (adapter()) {
        // The command lives on the chart's own bar: its check follows the chart's zoom mode.
        state = adapter()->GetZoomMode();
    }
    RestoreXRange(state);
}

LONG CGalleryBase::OnCommand(LONG id) {
    if (id == kZoomCommandId)
        OnZoomCommand();
    return 1;
}

void CGalleryBase::SetYAxis(LONG move, LONG, SHORT axis) {
    if (axis == yAxis_ || (axis != 0 && axis != 1))
        return;
    CHostChartAdapter* chart = adapter();
    if (move && chart) {
        chart->SetAxisValue(axis, 0, chart->GetAxisValue(yAxis_, 0));
        chart->SetAxisValue(axis, 1, chart->GetAxisValue(yAxis_, 1));
        chart->SetSeriesAttribute(0, 1, axis);
        chart->SetAxisValue(yAxis_, 10, 0);
        chart->SetAxisValue(axis, 10, 1);
    }
    yAxis_ = axis;
}

}  // namespace dravik
