// The chart driving its extensions: data changes, the paint, mouse and key input through the callback
// chain with the chart's own zoom drag behind it, commands and tips.
#include <algorithm>
#include <cmath>

#include "korvel/KvlChart.h"

namespace korvel {

namespace {

constexpr LONG kKeyEscape = 0x1B;

}  // namespace

template <typename Method, typename... Args>
LONG KvlChart::callChain(Method method, Args... args) {
    // The chain may uninstall itself during the call.
    const com::ComPtr<IKvlExtensionCallback> chain = callback_;
    return chain ? (chain.get()->*method)(args...) : 0;
}

void KvlChart::dataChanged() {
    model_.autoScale();
    model_.resetZoom();
    driver_.notifyNewData();
    callChain(&IKvlExtensionCallback::DataChanged, model_.seriesCount(), model_.pointCount());
    ++repaints_;
    InvalidateRect(nullptr);
}

void KvlChart::scrolled() {
    const auto [first, last] = model_.visibleRange(kXAxis);
    // Visible positions run from first - 0.5 to last + 0.5 around the 1-based points.
    const auto firstPoint = static_cast<LONG>(std::ceil(first - 0.5));
    const auto lastPoint = static_cast<LONG>(std::floor(last - 0.5)) - 1;
    driver_.notifyScroll(firstPoint, lastPoint);
    callChain(&IKvlExtensionCallback::ScrollChanged, firstPoint, lastPoint);
    ++repaints_;
    InvalidateRect(nullptr);
}

LONG KvlChart::paint(gdi::DeviceContext* dc, const KvlRect& rect, bool printing) {
    const bool scaled = printing || (dc && dc->kind() != gdi::DeviceContext::Kind::Memory);
    painting_ = true;
    if (scaled)
        callChain(&IKvlExtensionCallback::ReadDrawArea, dc, &rect);
    std::vector<KvlDrawnLabel> labels;
    const LONG leftToChart = driver_.paint(dc, rect, scaled, model_, &labels);
    if (dc)
        drawnLabels_ = std::move(labels);
    if (scaled)
        callChain(&IKvlExtensionCallback::ClearDrawArea, dc, &rect);
    painting_ = false;
    return leftToChart;
}

bool KvlChart::buttonDown(LONG x, LONG y) {
    mouse_ = KvlPoint{x, y};
    if (callChain(&IKvlExtensionCallback::ButtonDown, x, y) != 0)
        return true;
    const KvlHitRecord hit = model_.hitTest(x, y);
    if (!model_.zoomMode() || (hit.code != kHitPlot && hit.code != kHitSeries))
        return false;
    double position = 0, value = 0;
    if (com::FAILED(model_.pixelToValue(x, y, &position, &value, 0)))
        return false;
    zoomDragFrom_ = position;
    SetMouseCapture(1);
    return false;
}

bool KvlChart::mouseMove(LONG x, LONG y) {
    mouse_ = KvlPoint{x, y};
    return callChain(&IKvlExtensionCallback::MouseMove, x, y) != 0;
}

bool KvlChart::buttonUp(LONG x, LONG y) {
    mouse_ = KvlPoint{x, y};
    const bool handled = callChain(&IKvlExtensionCallback::ButtonUp, x, y) != 0;
    if (!zoomDragFrom_)
        return handled;
    const double from = *std::exchange(zoomDragFrom_, std::nullopt);
    SetMouseCapture(0);
    if (handled)
        return true;
    double to = 0, value = 0;
    if (com::FAILED(model_.pixelToValue(x, y, &to, &value, 0)))
        return false;
    // The drag covers the points whose slots it touched.
    const double first = std::floor(std::min(from, to) - 0.5) + 0.5;
    const double last = std::ceil(std::max(from, to) - 0.5) + 0.5;
    if (com::SUCCEEDED(model_.setVisibleRange(kXAxis, first, last)))
        scrolled();
    return false;
}

bool KvlChart::keyDown(LONG key, LONG keys) {
    if (callChain(&IKvlExtensionCallback::KeyDown, key, keys) != 0)
        return true;
    if (key == kKeyEscape && mouseCapture_) {
        callChain(&IKvlExtensionCallback::CancelTracking, LONG{kCancelEscape}, mouse_.x, mouse_.y, keys);
        zoomDragFrom_.reset();
        SetMouseCapture(0);
    }
    return false;
}

void KvlChart::captureLost(LONG x, LONG y) {
    if (!mouseCapture_)
        return;
    callChain(&IKvlExtensionCallback::CancelTracking, LONG{kCancelCaptureLost}, x, y, LONG{0});
    zoomDragFrom_.reset();
    mouseCapture_ = 0;
}

bool KvlChart::doubleClick(LONG x, LONG y, LONG keys) {
    lastHit_ = model_.hitTest(x, y);
    if (lastHit_.axis < 0)
        return false;
    return callChain(&IKvlExtensionCallback::AxisDoubleClick, static_cast<const KvlHitRecord*>(&lastHit_), x,
                     y, keys) != 0;
}

bool KvlChart::rightClick(LONG x, LONG y) {
    lastHit_ = model_.hitTest(x, y);
    if (lastHit_.axis < 0)
        return false;
    return callChain(&IKvlExtensionCallback::AxisRightClick, x, y) != 0;
}

bool KvlChart::runCommand(LONG id) {
    ostbar::OstCommandTable& table = *commandBar_->table();
    if (auto* command = table.find(static_cast<SHORT>(id)); command && command->style == ostbar::kStyleCheck)
        command->checked = !command->checked;
    if (callChain(&IKvlExtensionCallback::Command, id) != 0)
        return true;
    if (id == kCommandZoom) {
        const auto* command = table.find(static_cast<SHORT>(id));
        model_.setZoomMode(command && command->checked);
        if (!model_.zoomMode() && model_.zoomed()) {
            model_.resetZoom();
            scrolled();
        }
    }
    return false;
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
    else
        shownTip_ = KvlTip{model_.pointLegend(lastHit_.point), KvlTip::Source::Legend};
    return shownTip_;
}

}  // namespace korvel
