#include "korvel/KvlLabelLoop.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string_view>

#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "korvel/KvlChartModel.h"

namespace korvel {

namespace {

// Major labels split the visible range into this many steps; minor labels halve a major step.
constexpr double kMajorSteps = 5;
constexpr double kMinorPerMajor = 2;
// A value axis's step handed to a gallery leaves this many text lines from one label to the next, so
// that an extension dividing the axis among panes finds room for several labels in each.
constexpr double kRowsPerLabel = 1.5;
// X axis style bit: the labels centred in the space up to the next label.
constexpr LONG kAxisStyleCentered = 0x200;

bool hasSeriesOn(const KvlChartModel& model, LONG axis) {
    for (LONG s = 0; s < model.seriesCount(); ++s) {
        const KvlSeriesState* state = model.series(s);
        if (state && state->attributes[kAttrYAxis] == axis)
            return true;
    }
    return false;
}

// How the chart's own labels print a number: the axis's decimals, or a picture format such as
// "#,##0.00" or "$0.0 M" (digits after the point give the decimals, a comma groups thousands, text
// before and after the digits is kept).
struct NumberFormat {
    int decimals = 0;
    bool grouped = false;
    std::string prefix, suffix;
};

// A property held as a double taken as a whole number within [low, high]: clamped before the cast, so
// that a huge value never converts out of range.
template <typename Whole>
Whole wholeProperty(double value, Whole low, Whole high, Whole fallback) {
    if (!std::isfinite(value))
        return fallback;
    return static_cast<Whole>(std::clamp(value, static_cast<double>(low), static_cast<double>(high)));
}

NumberFormat numberFormat(const KvlAxisState& axis) {
    NumberFormat format;
    const double decimals = axis.properties[kAxisDecimals];
    format.decimals = wholeProperty(decimals, 0, 10, 0);
    if (axis.format.vt() != com::VT_BSTR)
        return format;
    const std::string picture = axis.format.bstr().toUtf8();
    const std::size_t first = picture.find_first_of("#0");
    if (first == std::string::npos)
        return format;
    const std::size_t last = picture.find_last_of("#0");
    const std::string digits = picture.substr(first, last - first + 1);
    const std::size_t point = digits.find('.');
    format.decimals =
        point == std::string::npos ? 0 : std::min<int>(10, static_cast<int>(digits.size() - point - 1));
    format.grouped = digits.substr(0, point).find(',') != std::string::npos;
    format.prefix = picture.substr(0, first);
    format.suffix = picture.substr(last + 1);
    return format;
}

std::string numberText(double value, const NumberFormat& format) {
    // A value within rounding of 0 prints as 0, never as -0.
    if (std::fabs(value) < 0.5 * std::pow(10.0, -format.decimals))
        value = 0;
    char text[64] = {};
    std::snprintf(text, sizeof text, "%.*f", format.decimals, value);
    const std::string_view number = text;
    if (!format.grouped)
        return format.prefix + std::string(number) + format.suffix;
    const std::size_t start = number.starts_with('-') ? 1 : 0;
    const std::size_t end = std::min(number.find('.'), number.size());
    std::string grouped(number.substr(0, start));
    for (std::size_t at = start; at < end; ++at) {
        if (at > start && (end - at) % 3 == 0)
            grouped += ',';
        grouped += number[at];
    }
    grouped += number.substr(end);
    return format.prefix + grouped + format.suffix;
}

// A property of the axis as given from outside, else the chart's own choice.
double givenOr(const KvlAxisState& axis, LONG code, double own) {
    return axis.given[static_cast<std::size_t>(code)] ? axis.properties[static_cast<std::size_t>(code)] : own;
}

// The smallest step of 1, 2 or 5 times a power of ten that is at least `least`.
double roundStepAbove(double least) {
    if (!(least > 0) || !std::isfinite(least))
        return 0;
    const double power = std::pow(10.0, std::floor(std::log10(least)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (least <= factor * power * (1 + 1e-9))
            return factor * power;
    return 10 * power;
}

// A step of 1, 2 or 5 times a power of ten near a fifth of the range.
double niceStep(double range) {
    return roundStepAbove(range / kMajorSteps);
}

// The smallest of `step` x 1, 2, 5, 10, 20, ... that is at least `least`: a step given for the axis
// that would crowd its labels is widened to a round multiple of itself, so the labels still fall on it.
double multipleAtLeast(double step, double least) {
    if (!(step > 0) || !(least > step))
        return step;
    return step * roundStepAbove(least / step);
}

// Decimals that print values `step` apart as different texts: at least one digit of the step.
int decimalsToTellApart(double step, int decimals) {
    constexpr int kMostDecimals = 10;
    if (!(step > 0) || !std::isfinite(step))
        return decimals;
    const double needed = std::ceil(-std::log10(step) - 1e-9);
    return std::clamp(static_cast<int>(std::clamp(needed, 0.0, double{kMostDecimals})), decimals,
                      std::max(decimals, kMostDecimals));
}

}  // namespace

KvlLabelLoop::KvlLabelLoop(const KvlChartModel& model, gdi::DeviceContext& dc)
    : model_(model), dc_(dc), gridPen_(gdi::createPen(gdi::PS_SOLID, 1, kGridColor)) {}

KvlLabelLoop::~KvlLabelLoop() {
    gdi::deleteObject(gridPen_);
}

void KvlLabelLoop::run(IKvlExtensionGallery* gallery, LONG galleryIndex) {
    const int saved = dc_.saveDC();
    std::vector<LONG> axes{0};
    for (LONG axis = 1; axis < model_.axisCount(); ++axis)
        if (KvlChartModel::isValueAxis(axis) && hasSeriesOn(model_, axis))
            axes.push_back(axis);
    axes.push_back(kXAxis);
    for (const LONG axis : axes) {
        const KvlAxisState* state = model_.axis(axis);
        if (!state || state->properties[kAxisVisible] == 0)
            continue;
        // The added axes are the chart's own: the gallery labels axes 0-2 only, and the panes on the
        // added axes through axis 0 (they get no labels of the chart's own under a gallery).
        if (gallery && axis >= kAxisCount)
            continue;
        IKvlExtensionGallery* labeller = axis < kAxisCount ? gallery : nullptr;
        for (const LONG major : {LONG{0}, LONG{1}})
            pass(labeller, galleryIndex, axis, major);
    }
    dc_.restoreDC(saved);
}

double KvlLabelLoop::galleryStep(LONG axis, LONG major) const {
    const auto [low, high] = model_.visibleRange(axis);
    const double step = (high - low) / std::max(kMajorSteps, labelRows(axis));
    return major ? step : step / kMinorPerMajor;
}

double KvlLabelLoop::labelRows(LONG axis) const {
    if (axis == kXAxis)
        return 0;
    KvlChartModel::AxisMapping map;
    if (com::FAILED(model_.mapping(static_cast<SHORT>(axis), &map)))
        return 0;
    const LONG lineHeight = std::max<LONG>(dc_.getTextExtent(std::string("0")).cy, 1);
    return static_cast<double>(map.band.bottom - map.band.top) / (kRowsPerLabel * lineHeight);
}

double KvlLabelLoop::ownStep(LONG axis, LONG major) const {
    const KvlAxisState* state = model_.axis(axis);
    const auto [low, high] = model_.visibleRange(axis);
    const double range = high - low;
    // No value axis gets more labels than its height has rows for (minor grid lines: twice as many),
    // whether the step is given or the chart's own.
    const double rows = labelRows(axis);
    const double least = KvlChartModel::isValueAxis(axis) && rows > 0
                             ? range / std::max(rows, 1.0) / (major ? 1 : kMinorPerMajor)
                             : 0;
    // A step given (above 0) holds while it gives a bounded number of labels, and more than one: a
    // step wider than the visible range (the chart's default left standing after the range shrank)
    // would label the axis with a single value. One too narrow for the height is widened for this
    // paint only; the step given stays as it was.
    const LONG code = major ? kAxisStep : kAxisMinorStep;
    const double given = state->given[static_cast<std::size_t>(code)] ? state->properties[code] : 0;
    if (given > 0 && std::isfinite(given) && range / given < kMaxAxisLabels && range / given >= 1)
        return multipleAtLeast(given, least);
    double step = niceStep(range);
    if (!major)
        step /= kMinorPerMajor;
    step = std::max(step, roundStepAbove(least));
    // Points have whole positions.
    if (!KvlChartModel::isValueAxis(axis))
        step = std::max(1.0, std::round(step));
    return step;
}

void KvlLabelLoop::pass(IKvlExtensionGallery* gallery, LONG galleryIndex, LONG axis, LONG major) {
    const auto [low, high] = model_.visibleRange(axis);
    const double step = galleryStep(axis, major);
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
    // The axis's grid as the chart keeps it, unless the gallery selects a pen of its own.
    const gdi::HPEN pen = makeGridPen(axis, major);
    struct PenRelease {
        gdi::DeviceContext& dc;
        gdi::HPEN chart, made;
        ~PenRelease() {
            dc.selectObject(chart);
            gdi::deleteObject(made);
        }
    } release{dc_, gridPen_, pen};
    for (LONG count = 0; count < kMaxAxisLabels && position <= end; ++count) {
        dc_.selectObject(pen);
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
        drawLabel(KvlDrawnLabel{axis, major, index, position, value, gap,
                                major ? std::string(text) : std::string()});
        if (!(gap > 0) || !std::isfinite(gap))
            return;
        position += gap;
        index = next == index ? index + 1 : next;
    }
}

gdi::HPEN KvlLabelLoop::makeGridPen(LONG axis, LONG major) const {
    const KvlAxisState* state = model_.axis(axis);
    if (!model_.gridShown(axis, major != 0))
        return gdi::getStockObject(gdi::NULL_PEN);
    const int style =
        wholeProperty(givenOr(*state, major ? kAxisGridStyle : kAxisMinorGridStyle, gdi::PS_SOLID),
                      std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), 0);
    const int width = wholeProperty(givenOr(*state, major ? kAxisGridWidth : kAxisMinorGridWidth, 1), 1,
                                    std::numeric_limits<int>::max(), 1);
    const auto colour = wholeProperty<std::int64_t>(
        givenOr(*state, major ? kAxisGridColor : kAxisMinorGridColor, major ? kGridColor : kMinorGridColor),
        std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::uint32_t>::max(), 0);
    return gdi::createPen(style & gdi::PS_STYLE_MASK, width, static_cast<gdi::COLORREF>(colour & 0xFFFFFF));
}

void KvlLabelLoop::ownPass(LONG axis, LONG major) {
    const KvlAxisState* state = model_.axis(axis);
    const auto [low, high] = model_.visibleRange(axis);
    NumberFormat format = numberFormat(*state);
    const gdi::HPEN pen = makeGridPen(axis, major);
    std::vector<double> positions;
    if (state->logBase > 1) {
        // A log axis is labelled at the powers of its base; it has no minor labels.
        if (major && low > 0) {
            const double base = state->logBase;
            for (double k = std::ceil(std::log(low) / std::log(base) - 1e-9);
                 positions.size() < static_cast<std::size_t>(kMaxAxisLabels); ++k) {
                const double position = std::pow(base, k);
                if (!(position <= high * (1 + 1e-9)))
                    break;
                positions.push_back(position);
            }
        }
    } else {
        const double step = ownStep(axis, major);
        format.decimals = decimalsToTellApart(step, format.decimals);
        if (step > 0 && std::isfinite(step)) {
            const double end = high + step * 1e-9;
            const double start = std::ceil(low / step - 1e-9) * step;
            for (LONG i = 0; i < kMaxAxisLabels; ++i) {
                const double position = start + i * step;
                if (!(position <= end))
                    break;
                positions.push_back(position);
            }
        }
    }
    LONG index = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const double position = positions[i];
        const double gap = i + 1 < positions.size() ? positions[i + 1] - position : 0;
        dc_.selectObject(pen);
        dc_.selectObject(gdi::getStockObject(gdi::NULL_BRUSH));
        KvlDrawnLabel label{axis,
                            major,
                            index++,
                            position,
                            position,
                            gap,
                            major ? numberText(position, format) : std::string()};
        label.own = true;
        drawLabel(std::move(label));
    }
    dc_.selectObject(gridPen_);
    gdi::deleteObject(pen);
}

void KvlLabelLoop::drawLabel(KvlDrawnLabel label) {
    // The grid line and band take what is selected in the DC now: the gallery's choice, or the chart's.
    label.pen = dc_.currentObject(gdi::ObjectType::Pen);
    label.brush = dc_.currentObject(gdi::ObjectType::Brush);
    draw(label);
    labels_.push_back(std::move(label));
}

void KvlLabelLoop::draw(KvlDrawnLabel& label) {
    const KvlRect plot = model_.plotRect();
    const bool xAxis = label.axis == kXAxis;
    const SHORT valueAxis = xAxis ? SHORT{0} : static_cast<SHORT>(label.axis);
    KvlChartModel::AxisMapping map;
    if (com::FAILED(model_.mapping(valueAxis, &map)))
        return;
    // Any value the axis can show will do for the X axis's columns.
    const double bandValue = model_.visibleRange(valueAxis).first;
    const double next = label.position + std::fabs(label.gap);
    LONG x = 0, y = 0, nextX = 0, nextY = 0;
    const bool here = xAxis ? map.toPixel(label.position, bandValue, &x, &y)
                            : map.toPixel(map.first, label.position, &x, &y);
    const bool there =
        xAxis ? map.toPixel(next, bandValue, &nextX, &nextY) : map.toPixel(map.first, next, &nextX, &nextY);
    if (!here)
        return;
    label.pixel = xAxis ? x : y;
    // A label of a value axis stays inside the axis's band.
    if (!xAxis && (y < map.band.top || y > map.band.bottom))
        return;
    const bool band = label.brush != gdi::getStockObject(gdi::NULL_BRUSH);
    if (band && there && label.gap != 0) {
        const gdi::Rect area = xAxis ? gdi::Rect{x, plot.top, nextX, plot.bottom}
                                     : gdi::Rect{plot.left, std::max(nextY, map.band.top), plot.right, y};
        dc_.fillRect(area, label.brush);
    }
    if (xAxis) {
        dc_.moveTo(x, plot.top);
        dc_.lineTo(x, plot.bottom);
    } else {
        dc_.moveTo(plot.left, y);
        dc_.lineTo(plot.right, y);
    }
    if (label.text.empty() || label.text == " ")
        return;
    const KvlAxisState* state = model_.axis(label.axis);
    const int saved = dc_.saveDC();
    dc_.setBkMode(gdi::TRANSPARENT);
    dc_.setTextColor(state ? static_cast<gdi::COLORREF>(state->properties[kAxisTextColor]) & 0xFFFFFF : 0);
    const gdi::Size extent = dc_.getTextExtent(label.text);
    if (xAxis) {
        label.textLeft = xLabelLeft(label, x, there ? std::min(nextX, plot.right) : x, extent.cx);
    } else if (label.axis == 1) {
        // The right-hand strip is often narrow: axis 1 labels sit just inside the plot's right edge.
        label.textLeft = plot.right - 3 - extent.cx;
    } else {
        label.textLeft = plot.left - 3 - extent.cx;
    }
    label.textRight = label.textLeft + extent.cx;
    dc_.textOut(label.textLeft, xAxis ? plot.bottom + 3 : y - extent.cy / 2, label.text);
    dc_.restoreDC(saved);
}

LONG KvlLabelLoop::xLabelLeft(const KvlDrawnLabel& label, LONG x, LONG nextX, LONG width) const {
    const KvlRect client = model_.clientRect();
    if (label.own) {
        // The chart's own labels stand centred under their grid line, kept inside the chart.
        return std::clamp<LONG>(x - width / 2, client.left, std::max(client.left, client.right - width));
    }
    // A gallery fits each label into the space from its grid line up to the next label: the text
    // starts at the line, or is centred in that space when the axis asks for centred labels.
    const KvlAxisState* state = model_.axis(kXAxis);
    const LONG style = state ? wholeProperty<LONG>(state->properties[kAxisStyle], 0, 0x7FFFFFFF, 0) : 0;
    const LONG space = nextX - x;
    if ((style & kAxisStyleCentered) != 0 && space > width)
        return x + (space - width) / 2;
    return x;
}

}  // namespace korvel
