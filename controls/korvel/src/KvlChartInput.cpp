// The chart driving its extensions from input: data changes, mouse and key input (an attached overlay
// first, then the callback chain, then the chart's own zoom drag with its rubber band and scrolling),
// commands with the InternalCommand and Command events, hovering and tips with the GetTip event.
#include <algorithm>
#include <cmath>

#include "gdi/Objects.h"
#include "korvel/KvlChart.h"

namespace korvel {

namespace {

constexpr LONG kKeyEscape = 0x1B;
constexpr LONG kKeyPageUp = 0x21;
constexpr LONG kKeyPageDown = 0x22;
constexpr LONG kKeyEnd = 0x23;
constexpr LONG kKeyHome = 0x24;
constexpr LONG kKeyLeft = 0x25;
constexpr LONG kKeyRight = 0x27;

// Sets a command's check mark or enabled state; true when that changed anything.
bool setChecked(ostbar::OstCommandTable& table, LONG id, bool checked) {
    ostbar::OstCommandData* command = table.find(static_cast<SHORT>(id));
    if (!command || command->checked == checked)
        return false;
    command->checked = checked;
    return true;
}

bool setEnabled(ostbar::OstCommandTable& table, LONG id, bool enabled) {
    ostbar::OstCommandData* command = table.find(static_cast<SHORT>(id));
    if (!command || command->enabled == enabled)
        return false;
    command->enabled = enabled;
    return true;
}

}  // namespace

void KvlChart::dataChanged() {
    // What the application wrote belongs to the data it wrote it over.
    writtenValues_.clear();
    model_.autoScale();
    model_.resetZoom();
    driver_.notifyNewData();
    callChain(&IKvlExtensionCallback::DataChanged, model_.seriesCount(), model_.pointCount());
    ++repaints_;
    InvalidateRect(nullptr);
    syncCommandStates();
}

void KvlChart::scrolled() {
    const auto [first, last] = model_.visibleRange(kXAxis);
    // The points drawn are those whose 1-based positions lie in the visible range, a point on its edge
    // too: the extension fits its panes to all of them, or an edge point's line leaves its pane.
    const auto firstPoint = static_cast<LONG>(std::ceil(first)) - 1;
    const auto lastPoint = static_cast<LONG>(std::floor(last)) - 1;
    driver_.notifyScroll(firstPoint, lastPoint);
    callChain(&IKvlExtensionCallback::ScrollChanged, firstPoint, lastPoint);
    ++repaints_;
    InvalidateRect(nullptr);
    syncCommandStates();
}

bool KvlChart::overlayTakes(KvlMouseAction action, LONG x, LONG y, LONG keys) {
    return overlay_ && overlay_->overlayMouse(action, x, y, keys);
}

void KvlChart::surfaceChanged() {
    if (window_.isValid())
        window_.invalidate();
}

// --- mouse and keys -------------------------------------------------------------------------------------

bool KvlChart::buttonDown(LONG x, LONG y, LONG keys) {
    mouse_ = KvlPoint{x, y};
    if (overlayTakes(KvlMouseAction::Press, x, y, keys))
        return true;
    if (callChain(&IKvlExtensionCallback::ButtonDown, x, y) != 0)
        return true;
    const KvlHitRecord hit = model_.hitTest(x, y);
    if (!model_.zoomMode() || (hit.code != kHitPlot && hit.code != kHitSeries))
        return false;
    double position = 0, value = 0;
    if (com::FAILED(model_.pixelToValue(x, y, &position, &value, 0)))
        return false;
    // A paint still pending would cover the band; it is done first.
    UpdateWindow();
    SetMouseCapture(1);
    zoomDrag_.press(x, position, model_.plotRect(), surface());
    surfaceChanged();
    return false;
}

bool KvlChart::mouseMove(LONG x, LONG y, LONG keys) {
    mouse_ = KvlPoint{x, y};
    // The application sees every movement, and may move the point it is told about.
    LONG eventX = x, eventY = y;
    events_->raiseWith(kEventMouseMoving, &eventX, &eventY);
    if (overlayTakes(KvlMouseAction::Move, x, y, keys))
        return true;
    if (callChain(&IKvlExtensionCallback::MouseMove, x, y) != 0)
        return true;
    if (zoomDrag_.active()) {
        zoomDrag_.move(x, surface());
        surfaceChanged();
    }
    return false;
}

bool KvlChart::buttonUp(LONG x, LONG y, LONG keys) {
    mouse_ = KvlPoint{x, y};
    if (overlayTakes(KvlMouseAction::Release, x, y, keys))
        return true;
    const bool handled = callChain(&IKvlExtensionCallback::ButtonUp, x, y) != 0;
    if (!zoomDrag_.active())
        return handled;
    double to = 0, value = 0;
    const bool converted = com::SUCCEEDED(model_.pixelToValue(x, y, &to, &value, 0));
    if (handled || !converted) {
        zoomDrag_.cancel(surface());
    } else {
        const auto [first, last] = zoomDrag_.release(to, surface());
        if (com::SUCCEEDED(model_.setVisibleRange(kXAxis, first, last)))
            scrolled();
    }
    surfaceChanged();
    SetMouseCapture(0);
    return handled;
}

bool KvlChart::scrollBy(double points) {
    const auto [first, last] = model_.visibleRange(kXAxis);
    const double whole = std::max<LONG>(model_.pointCount(), 1) + 0.5;
    const double width = last - first;
    if (!model_.zoomed() || !(width > 0) || !std::isfinite(points) || width >= whole - 0.5)
        return false;
    const double start = std::clamp(first + points, 0.5, whole - width);
    if (start == first)
        return false;
    if (com::FAILED(model_.setVisibleRange(kXAxis, start, start + width)))
        return false;
    scrolled();
    return true;
}

bool KvlChart::keyDown(LONG key, LONG keys) {
    if (overlay_ && overlay_->overlayKey(key, keys))
        return true;
    if (callChain(&IKvlExtensionCallback::KeyDown, key, keys) != 0)
        return true;
    if (key == kKeyEscape && mouseCapture_) {
        callChain(&IKvlExtensionCallback::CancelTracking, LONG{kCancelEscape}, mouse_.x, mouse_.y, keys);
        zoomDrag_.cancel(surface());
        surfaceChanged();
        SetMouseCapture(0);
        return false;
    }
    const auto [first, last] = model_.visibleRange(kXAxis);
    const double page = std::max(1.0, std::floor(last - first));
    const double all = std::max<LONG>(model_.pointCount(), 1);
    switch (key) {
        case kKeyLeft:
            scrollBy(-1);
            break;
        case kKeyRight:
            scrollBy(1);
            break;
        case kKeyPageUp:
            scrollBy(-page);
            break;
        case kKeyPageDown:
            scrollBy(page);
            break;
        case kKeyHome:
            scrollBy(-all);
            break;
        case kKeyEnd:
            scrollBy(all);
            break;
        default:
            break;
    }
    return false;
}

void KvlChart::captureLost(LONG x, LONG y) {
    if (!mouseCapture_)
        return;
    callChain(&IKvlExtensionCallback::CancelTracking, LONG{kCancelCaptureLost}, x, y, LONG{0});
    zoomDrag_.cancel(surface());
    surfaceChanged();
    mouseCapture_ = 0;
}

bool KvlChart::doubleClick(LONG x, LONG y, LONG keys) {
    if (overlayTakes(KvlMouseAction::DoubleClick, x, y, keys))
        return true;
    lastHit_ = model_.hitTest(x, y);
    if (lastHit_.axis < 0 && lastHit_.code != kHitSeries)
        return false;
    if (callChain(&IKvlExtensionCallback::AxisDoubleClick, static_cast<const KvlHitRecord*>(&lastHit_), x, y,
                  keys) != 0)
        return true;
    // A double click on a series that no extension took opens the chart's properties for it.
    if (lastHit_.code == kHitSeries)
        showPropertyFrame(1);
    return false;
}

bool KvlChart::rightClick(LONG x, LONG y) {
    if (overlayTakes(KvlMouseAction::RightClick, x, y))
        return true;
    lastHit_ = model_.hitTest(x, y);
    // Axes and series have context menus; the rest of the chart has none.
    if (lastHit_.axis < 0 && lastHit_.code != kHitSeries)
        return false;
    return callChain(&IKvlExtensionCallback::AxisRightClick, x, y) != 0;
}

void KvlChart::hoverOn(LONG x, LONG y) {
    callChain(&IKvlExtensionCallback::HoverOn, x, y);
    events_->raiseWith(kEventHoverOn);
}

void KvlChart::hoverOff(LONG x, LONG y) {
    callChain(&IKvlExtensionCallback::HoverOff, x, y);
    events_->raiseWith(kEventHoverOff);
}

void KvlChart::mouseLeave(LONG x, LONG y) {
    callChain(&IKvlExtensionCallback::MouseLeave, x, y);
}

// --- commands ------------------------------------------------------------------------------------------

bool KvlChart::runCommand(LONG id, bool checkSwitched) {
    ostbar::OstCommandTable& table = *commandBar_->table();
    auto* command = table.find(static_cast<SHORT>(id));
    if (!checkSwitched && command && command->style == ostbar::kStyleCheck) {
        command->checked = !command->checked;
        table.changed();
    }
    // The application may take the command over before anything else happens.
    LONG result = 0;
    events_->raiseWith(kEventInternalCommand, id, &result);
    if (result == 1)
        return true;
    if (callChain(&IKvlExtensionCallback::Command, id) != 0)
        return true;
    ownCommand(id);
    syncCommandStates();
    events_->raiseWith(kEventCommand, id);
    return false;
}

void KvlChart::ownCommand(LONG id) {
    ostbar::OstCommandTable& table = *commandBar_->table();
    const auto* command = table.find(static_cast<SHORT>(id));
    const bool checked = command && command->checked;
    switch (id) {
        case kCommandProperties:
            showPropertyFrame(1);
            return;
        case kCommandPrintButton:
        case kCommandPrint:
            printWithDialog();
            return;
        case kCommandPrintPreview:
            printPreview();
            return;
        case kCommandCopy:
        case kCommandCopyBitmap:
            copyToClipboard(false);
            return;
        case kCommandCopyMetafile:
            copyToClipboard(true);
            return;
        case kCommandZoom:
            model_.setZoomMode(checked);
            if (!model_.zoomMode() && model_.zoomed()) {
                model_.resetZoom();
                scrolled();
            }
            return;
        case kCommandZoomOut:
            model_.setZoomMode(false);
            if (setChecked(table, kCommandZoom, false))
                table.changed();
            if (model_.zoomed()) {
                model_.resetZoom();
                model_.autoScale();
                scrolled();
            }
            return;
        // The display switches turn over what is drawn now; their check marks follow (syncCommandStates).
        case kCommandVerticalGrid:
            model_.setAxisValue(kXAxis, kAxisGridShown, model_.gridShown(kXAxis, true) ? 0 : 1);
            break;
        case kCommandHorizontalGrid:
            model_.setAxisValue(0, kAxisGridShown, model_.gridShown(0, true) ? 0 : 1);
            break;
        case kCommandLegendBox:
            model_.legendBox().visible = model_.legendBox().visible ? 0 : 1;
            break;
        default:
            if (!switchToGalleryOf(id))
                return;
            break;
    }
    ++repaints_;
    InvalidateRect(nullptr);
}

bool KvlChart::switchToGalleryOf(LONG id) {
    if (id < kFirstExtensionCommandId)
        return false;
    const LONG type = chartTypeOfGalleryCommand(id);
    // A gallery that refuses to become active (no data yet) leaves the chart as it was.
    return driver_.isExtensionType(type) && com::SUCCEEDED(put_ChartType(type));
}

void KvlChart::syncCommandStates() {
    ostbar::OstCommandTable& table = *commandBar_->table();
    bool changed = setChecked(table, kCommandVerticalGrid, model_.gridShown(kXAxis, true));
    changed |= setChecked(table, kCommandHorizontalGrid, model_.gridShown(0, true));
    changed |= setChecked(table, kCommandLegendBox, model_.legendBox().visible != 0);
    changed |= setEnabled(table, kCommandZoomOut, model_.zoomed());
    const LONG active = driver_.activeType();
    for (const SHORT id : table.ids()) {
        if (id >= kFirstExtensionCommandId && driver_.isExtensionType(chartTypeOfGalleryCommand(id)))
            changed |= setChecked(table, id, chartTypeOfGalleryCommand(id) == active);
    }
    if (changed)
        table.changed();
}

// --- tips ----------------------------------------------------------------------------------------------

KvlTip KvlChart::areaTip(const KvlHitRecord& hit) const {
    const KvlLayout where = layout();
    const bool inTitle = hit.x >= where.title.left && hit.x < where.title.right && hit.y >= where.title.top &&
                         hit.y < where.title.bottom;
    const char* name = kAreaTipChart;
    if (hit.code == kHitAxis2)
        name = kAreaTipXAxis;
    else if (hit.code == kHitAxis0 || hit.code == kHitAxis1)
        name = kAreaTipYAxis;
    else if (inTitle)
        name = kAreaTipTitle;
    else if (hit.code == kHitPlot || hit.code == kHitSeries)
        name = kAreaTipPlot;
    return KvlTip{name, KvlTip::Source::Area};
}

KvlTip KvlChart::tipText(LONG x, LONG y) {
    lastHit_ = model_.hitTest(x, y);
    const LONG before = toolTipsSet_;
    LONG answer = 0;
    const bool onSeriesPoint = lastHit_.series >= 0 && lastHit_.point >= 0;
    if (onSeriesPoint)
        answer = callChain(&IKvlExtensionCallback::PointTipText, lastHit_.series, lastHit_.point);
    if (answer == 0) {
        LONG kind = kTipPlot, a = -1, b = -1;
        if (onSeriesPoint) {
            kind = kTipSeriesPoint;
            a = lastHit_.series;
            b = lastHit_.point;
        } else if (lastHit_.point >= 0) {
            kind = kTipPlotPoint;
            b = lastHit_.point;
        } else if (lastHit_.axis >= 0) {
            kind = kTipAxis;
            a = lastHit_.axis;
        }
        answer = callChain(&IKvlExtensionCallback::TipText, kind, a, b);
    }
    if (toolTipsSet_ != before)
        shownTip_ = KvlTip{model_.toolTip(), KvlTip::Source::Extension};
    else if (answer != 0)
        shownTip_ = KvlTip{model_.toolTip(), KvlTip::Source::ToolTip};
    else if (lastHit_.point >= 0)
        shownTip_ = KvlTip{model_.pointLegend(lastHit_.point), KvlTip::Source::Legend};
    else
        shownTip_ = areaTip(lastHit_);
    return shownTip_;
}

std::optional<std::string> KvlChart::tipToShow(LONG x, LONG y) {
    const KvlTip tip = tipText(x, y);
    // The application reads the tip from TipText during the event and may replace it.
    model_.toolTip() = tip.text;
    LONG result = 0;
    events_->raiseWith(kEventGetTip, static_cast<SHORT>(lastHit_.series), lastHit_.point, &result);
    if (result == 1 || model_.toolTip().empty())
        return std::nullopt;
    return model_.toolTip();
}

}  // namespace korvel
