#include "korvel/KvlLabelLoop.h"

#include <cmath>
#include <cstdio>

#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "korvel/KvlChartModel.h"

namespace korvel {

namespace {

// Major labels split the visible range into this many steps; minor labels halve a major step.
constexpr double kMajorSteps = 5;
constexpr double kMinorPerMajor = 2;

bool hasSeriesOn(const KvlChartModel& model, LONG axis) {
    for (LONG s = 0; s < model.seriesCount(); ++s) {
        const KvlSeriesState* state = model.series(s);
        if (state && state->attributes[kAttrYAxis] == axis)
            return true;
    }
    return false;
}

std::string numberText(double value) {
    char text[32] = {};
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

KvlLabelLoop::KvlLabelLoop(const KvlChartModel& model, gdi::DeviceContext& dc)
    : model_(model), dc_(dc), gridPen_(gdi::createPen(gdi::PS_SOLID, 1, kGridColor)) {}

KvlLabelLoop::~KvlLabelLoop() {
    gdi::deleteObject(gridPen_);
}

void KvlLabelLoop::run(IKvlExtensionGallery* gallery, LONG galleryIndex) {
    const int saved = dc_.saveDC();
    for (const LONG axis : {LONG{0}, LONG{1}, LONG{kXAxis}}) {
        if (axis == 1 && !hasSeriesOn(model_, 1))
            continue;
        for (const LONG major : {LONG{0}, LONG{1}})
            pass(gallery, galleryIndex, axis, major);
    }
    dc_.restoreDC(saved);
}

double KvlLabelLoop::ownStep(LONG axis, LONG major) const {
    const auto [low, high] = model_.visibleRange(axis);
    const double step = (high - low) / kMajorSteps;
    return major ? step : step / kMinorPerMajor;
}

void KvlLabelLoop::pass(IKvlExtensionGallery* gallery, LONG galleryIndex, LONG axis, LONG major) {
    const auto [low, high] = model_.visibleRange(axis);
    const double step = ownStep(axis, major);
    if (!(step > 0) || !std::isfinite(step))
        return;
    if (!gallery) {
        ownPass(axis, major);
        return;
    }
    double position = low;
    LONG index = 0;
    // A rounding margin so that a label exactly at the end of the axis is not lost.
    const double end = high + step * 1e-9;
    for (LONG count = 0; count < kMaxAxisLabels && position <= end; ++count) {
        dc_.selectObject(gridPen_);
        dc_.selectObject(gdi::getStockObject(gdi::NULL_BRUSH));
        char text[kAxisLabelTextSize] = {};
        KvlTextBuffer buffer{text, static_cast<LONG>(sizeof text)};
        double gap = step;
        double value = position;
        LONG next = index;
        const HRESULT result = gallery->GetGalleryAxisLabel(galleryIndex, &dc_, axis, major, &gap, position,
                                                            &value, &next, &buffer);
        text[sizeof text - 1] = '\0';
        const bool gaveNothing = com::FAILED(result) || (next == index && text[0] == '\0');
        if (gaveNothing) {
            if (count == 0)
                ownPass(axis, major);
            return;
        }
        KvlDrawnLabel label;
        label.axis = axis;
        label.major = major;
        label.index = index;
        label.position = position;
        label.value = value;
        label.gap = gap;
        label.text = major ? std::string(text) : std::string();
        label.pen = dc_.currentObject(gdi::ObjectType::Pen);
        label.brush = dc_.currentObject(gdi::ObjectType::Brush);
        draw(label);
        labels_.push_back(std::move(label));
        if (!std::isfinite(gap) || gap == 0)
            return;
        position += std::fabs(gap);
        index = next == index ? index + 1 : next;
    }
}

void KvlLabelLoop::ownPass(LONG axis, LONG major) {
    const auto [low, high] = model_.visibleRange(axis);
    const double step = ownStep(axis, major);
    const double end = high + step * 1e-9;
    LONG index = 0;
    for (double position = low; position <= end && index < kMaxAxisLabels; position = low + ++index * step) {
        dc_.selectObject(gridPen_);
        dc_.selectObject(gdi::getStockObject(gdi::NULL_BRUSH));
        KvlDrawnLabel label;
        label.axis = axis;
        label.major = major;
        label.index = index;
        label.position = position;
        label.value = position;
        label.gap = step;
        label.text = major ? numberText(position) : std::string();
        label.pen = gridPen_;
        label.brush = gdi::getStockObject(gdi::NULL_BRUSH);
        label.own = true;
        draw(label);
        labels_.push_back(std::move(label));
    }
}

void KvlLabelLoop::draw(KvlDrawnLabel& label) {
    const KvlRect plot = model_.plotRect();
    const double next = label.position + std::fabs(label.gap);
    LONG x = 0, y = 0, nextX = 0, nextY = 0;
    const bool xAxis = label.axis == kXAxis;
    const SHORT valueAxis = xAxis ? SHORT{0} : static_cast<SHORT>(label.axis);
    const double low = model_.visibleRange(valueAxis).first;
    const double first = model_.visibleRange(kXAxis).first;
    HRESULT here = xAxis ? model_.valueToPixel(label.position, low, &x, &y, valueAxis)
                         : model_.valueToPixel(first, label.position, &x, &y, valueAxis);
    HRESULT there = xAxis ? model_.valueToPixel(next, low, &nextX, &nextY, valueAxis)
                          : model_.valueToPixel(first, next, &nextX, &nextY, valueAxis);
    if (com::FAILED(here))
        return;
    label.pixel = xAxis ? x : y;
    const bool band = label.brush != gdi::getStockObject(gdi::NULL_BRUSH);
    if (band && com::SUCCEEDED(there)) {
        const gdi::Rect area =
            xAxis ? gdi::Rect{x, plot.top, nextX, plot.bottom} : gdi::Rect{plot.left, nextY, plot.right, y};
        dc_.fillRect(area, label.brush);
    }
    if (xAxis) {
        dc_.moveTo(x, plot.top);
        dc_.lineTo(x, plot.bottom);
    } else {
        dc_.moveTo(plot.left, y);
        dc_.lineTo(plot.right, y);
    }
    if (label.text.empty())
        return;
    if (xAxis)
        dc_.textOut(x, plot.bottom + 2, label.text);
    else if (label.axis == 0)
        dc_.textOut(0, y, label.text);
    else
        dc_.textOut(plot.right + 2, y, label.text);
}

}  // namespace korvel
