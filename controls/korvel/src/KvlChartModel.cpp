#include "korvel/KvlChartModel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace korvel {

namespace {

// Half the range given to an axis whose visible range is a single value: this share of the value, at
// least the minimum (a value of 0).
constexpr double kFlatRangeShare = 0.05;
constexpr double kFlatRangeMinimum = 0.5;

// The chart's default series colours (COLORREF 0x00BBGGRR).
const COLORREF kDefaultPalette[] = {
    0x0000FF, 0x008000, 0xFF0000, 0x00C0C0, 0x800080, 0x808000, 0x000080, 0x008080,
    0x800000, 0x00FF00, 0xFF00FF, 0xFFFF00, 0x404040, 0x0080FF, 0x80FF00, 0xFF0080,
};

bool inTable(const KvlValueBlock& block, LONG series, LONG point) {
    return block.contains(series, point);
}

KvlValueBlock resized(const KvlValueBlock& old, LONG seriesCount, LONG pointCount) {
    KvlValueBlock block(seriesCount, pointCount);
    const LONG keepSeries = std::min(seriesCount, old.seriesCount());
    const LONG keepPoints = std::min(pointCount, old.pointCount());
    for (LONG s = 0; s < keepSeries; ++s)
        for (LONG p = 0; p < keepPoints; ++p)
            block.at(s, p) = old.at(s, p);
    return block;
}

}  // namespace

static LONG roundPixel(double pixel) {
    return static_cast<LONG>(std::llround(pixel));
}

std::unique_ptr<KvlValueBlock> KvlValueBlock::clone() const {
    auto copy = std::make_unique<KvlValueBlock>();
    copy->seriesCount_ = seriesCount_;
    copy->pointCount_ = pointCount_;
    copy->values_ = values_;
    return copy;
}

KvlChartModel::KvlChartModel()
    : axes_(static_cast<std::size_t>(kAxisCount)),
      palette_(std::begin(kDefaultPalette), std::end(kDefaultPalette)) {
    for (KvlAxisState& axis : axes_)
        setAxisDefaults(axis);
    axes_[kXAxis].properties[kAxisDecimals] = 0;
    setClientSize(kDefaultWidth, kDefaultHeight);
}

// --- data tables -------------------------------------------------------------------------------------

void KvlChartModel::resize(LONG seriesCount, LONG pointCount) {
    seriesCount = std::max<LONG>(seriesCount, 0);
    pointCount = std::max<LONG>(pointCount, 0);
    values_ = resized(values_, seriesCount, pointCount);
    fromValues_ = resized(fromValues_, seriesCount, pointCount);
    thirdValues_ = resized(thirdValues_, seriesCount, pointCount);
    xValues_.resize(static_cast<std::size_t>(pointCount), 0.0);
    pointLegends_.resize(static_cast<std::size_t>(pointCount));
    resizeSeries(seriesCount);
}

void KvlChartModel::resizeSeries(LONG count) {
    const auto old = static_cast<LONG>(series_.size());
    series_.resize(static_cast<std::size_t>(count));
    for (LONG s = old; s < count; ++s) {
        auto& a = series_[static_cast<std::size_t>(s)].attributes;
        a[kAttrColor] = defaultColor(palette_, s);
        a[kAttrBkColor] = a[kAttrColor];
        a[kAttrVisible] = 1;
        a[kAttrLineWidth] = 1;
        a[kAttrXAxis] = kXAxis;
    }
}

LONG KvlChartModel::defaultColor(const std::vector<COLORREF>& palette, LONG series) {
    if (palette.empty())
        return 0;
    return static_cast<LONG>(palette[static_cast<std::size_t>(series) % palette.size()]);
}

HRESULT KvlChartModel::value(int table, LONG series, LONG point, double* out) const {
    if (!out)
        return com::E_POINTER;
    *out = 0;
    const KvlValueBlock& block = table == 1 ? values_ : table == 2 ? fromValues_ : thirdValues_;
    if (!inTable(block, series, point))
        return com::E_INVALIDARG;
    *out = block.at(series, point);
    return com::S_OK;
}

HRESULT KvlChartModel::setValue(int table, LONG series, LONG point, double value) {
    KvlValueBlock& block = table == 1 ? values_ : table == 2 ? fromValues_ : thirdValues_;
    if (!inTable(block, series, point))
        return com::E_INVALIDARG;
    block.at(series, point) = value;
    if (table == 2)
        fromValuesUsed_ = true;
    return com::S_OK;
}

std::unique_ptr<KvlValueBlock> KvlChartModel::takeValues() {
    auto block = std::make_unique<KvlValueBlock>(std::move(values_));
    values_ = KvlValueBlock();
    return block;
}

std::unique_ptr<KvlValueBlock> KvlChartModel::takeFromValues() {
    auto block = std::make_unique<KvlValueBlock>(std::move(fromValues_));
    fromValues_ = KvlValueBlock();
    fromValuesUsed_ = false;
    return block;
}

void KvlChartModel::replaceValues(KvlValueBlock block) {
    const LONG points = block.pointCount();
    const LONG count = block.seriesCount();
    values_ = std::move(block);
    fromValues_ = resized(fromValues_, count, points);
    thirdValues_ = resized(thirdValues_, count, points);
    // X values and point legends belong to the chart's points, not to a table of values: a shorter
    // table handed over for a while (an extension's figure) leaves them for when the data come back.
    if (static_cast<std::size_t>(points) > xValues_.size())
        xValues_.resize(static_cast<std::size_t>(points), 0.0);
    if (static_cast<std::size_t>(points) > pointLegends_.size())
        pointLegends_.resize(static_cast<std::size_t>(points));
    resizeSeries(count);
    autoScale();
}

void KvlChartModel::replaceFromValues(KvlValueBlock block) {
    // From-values only mean something over the values they belong to.
    fromValues_ = resized(block, values_.seriesCount(), values_.pointCount());
    fromValuesUsed_ = block.seriesCount() > 0;
    autoScale();
}

HRESULT KvlChartModel::xValue(LONG point, double* out) const {
    if (!out)
        return com::E_POINTER;
    *out = 0;
    if (point < 0 || point >= static_cast<LONG>(xValues_.size()))
        return com::E_INVALIDARG;
    *out = xValues_[static_cast<std::size_t>(point)];
    return com::S_OK;
}

HRESULT KvlChartModel::setXValue(LONG point, double value) {
    if (point < 0 || point >= static_cast<LONG>(xValues_.size()))
        return com::E_INVALIDARG;
    xValues_[static_cast<std::size_t>(point)] = value;
    return com::S_OK;
}

const std::string& KvlChartModel::pointLegend(LONG point) const {
    static const std::string kNone;
    if (point < 0 || point >= static_cast<LONG>(pointLegends_.size()))
        return kNone;
    return pointLegends_[static_cast<std::size_t>(point)];
}

void KvlChartModel::setPointLegend(LONG point, std::string legend) {
    if (point >= 0 && point < static_cast<LONG>(pointLegends_.size()))
        pointLegends_[static_cast<std::size_t>(point)] = std::move(legend);
}

// --- series --------------------------------------------------------------------------------------------

KvlSeriesState* KvlChartModel::series(LONG index) {
    if (index < 0 || index >= static_cast<LONG>(series_.size()))
        return nullptr;
    return &series_[static_cast<std::size_t>(index)];
}

const KvlSeriesState* KvlChartModel::series(LONG index) const {
    return const_cast<KvlChartModel*>(this)->series(index);
}

HRESULT KvlChartModel::attribute(LONG index, LONG id, LONG* out) const {
    if (!out)
        return com::E_POINTER;
    *out = 0;
    const KvlSeriesState* s = series(index);
    if (!s || id < 0 || id >= kSeriesAttributeCount)
        return com::E_INVALIDARG;
    *out = s->attributes[static_cast<std::size_t>(id)];
    return com::S_OK;
}

HRESULT KvlChartModel::setAttribute(LONG index, LONG id, LONG value) {
    KvlSeriesState* s = series(index);
    if (!s || id < 0 || id >= kSeriesAttributeCount)
        return com::E_INVALIDARG;
    // A series stands on one of the chart's value axes (0, 1 or an added one), never on an X axis.
    if (id == kAttrYAxis)
        makePaneAxes(value);
    if (id == kAttrYAxis && (!isValueAxis(value) || value >= axisCount()))
        return com::E_INVALIDARG;
    s->attributes[static_cast<std::size_t>(id)] = value;
    return com::S_OK;
}

// --- axes ----------------------------------------------------------------------------------------------

void KvlChartModel::setAxisDefaults(KvlAxisState& axis) {
    axis.properties[kAxisMax] = 100;
    axis.properties[kAxisStep] = 10;
    axis.properties[kAxisDecimals] = 2;
    axis.properties[kAxisStyle] = kAxisStyleAutoScale;
    axis.properties[kAxisVisible] = 1;
    axis.properties[kAxisLocale] = 1024;
}

LONG KvlChartModel::addValueAxis() {
    if (axisCount() >= kMaxAxes)
        return -1;
    axes_.emplace_back();
    setAxisDefaults(axes_.back());
    return axisCount() - 1;
}

HRESULT KvlChartModel::setAxisBand(LONG index, double top, double bottom) {
    KvlAxisState* a = axis(index);
    if (!a || !isValueAxis(index) || !(top >= 0) || !(bottom <= 1) || !(top < bottom))
        return com::E_INVALIDARG;
    a->bandTop = top;
    a->bandBottom = bottom;
    return com::S_OK;
}

HRESULT KvlChartModel::setLogBase(LONG index, double base) {
    KvlAxisState* a = axis(index);
    // Base 1 (or below) has no logarithm; 0 makes the axis linear again.
    if (!a || !isValueAxis(index) || !std::isfinite(base) || (base != 0 && !(base > 1)))
        return com::E_INVALIDARG;
    a->logBase = base;
    autoScale();
    return com::S_OK;
}

KvlRect KvlChartModel::bandRect(LONG index) const {
    const KvlRect plot = plotRect();
    const KvlAxisState* a = axis(index);
    if (!a || !isValueAxis(index))
        return plot;
    const double height = plot.height();
    return KvlRect{plot.left, plot.top + roundPixel(a->bandTop * height), plot.right,
                   plot.top + roundPixel(a->bandBottom * height)};
}

std::optional<double> KvlChartModel::scaled(double logBase, double value) {
    if (logBase == 0)
        return value;
    if (!(value > 0))
        return std::nullopt;
    return std::log(value) / std::log(logBase);
}

double KvlChartModel::unscaled(double logBase, double coordinate) {
    return logBase == 0 ? coordinate : std::pow(logBase, coordinate);
}

KvlAxisState* KvlChartModel::axis(LONG index) {
    if (index < 0 || index >= axisCount())
        return nullptr;
    return &axes_[static_cast<std::size_t>(index)];
}

const KvlAxisState* KvlChartModel::axis(LONG index) const {
    return const_cast<KvlChartModel*>(this)->axis(index);
}

HRESULT KvlChartModel::axisValue(LONG index, LONG code, double* out) const {
    if (!out)
        return com::E_POINTER;
    *out = 0;
    const KvlAxisState* a = axis(index);
    if (!a || code < 0 || code >= kAxisPropertyCount)
        return com::E_INVALIDARG;
    *out = a->properties[static_cast<std::size_t>(code)];
    return com::S_OK;
}

bool KvlChartModel::gridShown(LONG index, bool major) const {
    const KvlAxisState* state = axis(index);
    if (!state)
        return false;
    const auto code = static_cast<std::size_t>(major ? kAxisGridShown : kAxisMinorGridShown);
    return state->given[code] ? state->properties[code] != 0 : major;
}

void KvlChartModel::makePaneAxes(LONG index) {
    if (index < kAxisCount || index >= kPaneAxisEnd)
        return;
    while (axisCount() <= index)
        addValueAxis();
}

HRESULT KvlChartModel::setAxisValue(LONG index, LONG code, double value) {
    makePaneAxes(index);
    KvlAxisState* a = axis(index);
    if (!a || code < 0 || code >= kAxisPropertyCount || !std::isfinite(value))
        return com::E_INVALIDARG;
    a->properties[static_cast<std::size_t>(code)] = value;
    a->given.set(static_cast<std::size_t>(code));
    // A scale given by hand is no longer computed from the data.
    if (code == kAxisMin || code == kAxisMax) {
        auto style = static_cast<LONG>(a->properties[kAxisStyle]);
        a->properties[kAxisStyle] = style & ~kAxisStyleAutoScale;
    }
    if (code == kAxisStyle && (static_cast<LONG>(value) & kAxisStyleAutoScale))
        autoScale();
    return com::S_OK;
}

std::pair<double, double> KvlChartModel::visibleRange(LONG index) const {
    const KvlAxisState* a = axis(index);
    if (!a)
        return {0, 0};
    if (a->zoomRange)
        return *a->zoomRange;
    if (!isValueAxis(index))
        return {0.5, std::max<LONG>(pointCount(), 1) + 0.5};
    return {a->properties[kAxisMin], a->properties[kAxisMax]};
}

HRESULT KvlChartModel::setVisibleRange(LONG index, double first, double last) {
    KvlAxisState* a = axis(index);
    if (!a || !std::isfinite(first) || !std::isfinite(last) || first >= last)
        return com::E_INVALIDARG;
    a->zoomRange = std::make_pair(first, last);
    return com::S_OK;
}

void KvlChartModel::autoScale() {
    for (LONG axisIndex = 0; axisIndex < axisCount(); ++axisIndex) {
        if (!isValueAxis(axisIndex))
            continue;
        KvlAxisState& a = axes_[static_cast<std::size_t>(axisIndex)];
        if (!(static_cast<LONG>(a.properties[kAxisStyle]) & kAxisStyleAutoScale))
            continue;
        double low = std::numeric_limits<double>::max();
        double high = -std::numeric_limits<double>::max();
        auto take = [&](const KvlValueBlock& block, LONG s) {
            for (LONG p = 0; p < block.pointCount(); ++p) {
                const double v = block.at(s, p);
                // A log axis leaves out what it cannot show.
                if (v >= kNoValue || !std::isfinite(v) || (a.logBase != 0 && !(v > 0)))
                    continue;
                low = std::min(low, v);
                high = std::max(high, v);
            }
        };
        for (LONG s = 0; s < values_.seriesCount(); ++s) {
            const auto& attributes = series_[static_cast<std::size_t>(s)].attributes;
            if (attributes[kAttrYAxis] != axisIndex || attributes[kAttrVisible] == 0)
                continue;
            take(values_, s);
            if (fromValuesUsed_)
                take(fromValues_, s);
        }
        if (low > high)
            continue;
        if (low == high) {
            low -= 1;
            high += 1;
        }
        a.properties[kAxisMin] = low;
        a.properties[kAxisMax] = high;
    }
}

// --- zoom ----------------------------------------------------------------------------------------------

bool KvlChartModel::zoomed() const {
    return std::any_of(axes_.begin(), axes_.end(),
                       [](const KvlAxisState& a) { return a.zoomRange.has_value(); });
}

HRESULT KvlChartModel::zoomTo(double firstPosition, double low, double lastPosition, double high) {
    const bool keepX = firstPosition == kNoValue && lastPosition == kNoValue;
    if (!keepX &&
        !(std::isfinite(firstPosition) && std::isfinite(lastPosition) && firstPosition < lastPosition))
        return com::E_INVALIDARG;
    if (!std::isfinite(low) || !std::isfinite(high) || low >= high)
        return com::E_INVALIDARG;
    if (!keepX)
        axes_[kXAxis].zoomRange = std::make_pair(firstPosition, lastPosition);
    axes_[0].zoomRange = std::make_pair(low, high);
    return com::S_OK;
}

void KvlChartModel::resetZoom() {
    for (KvlAxisState& a : axes_)
        a.zoomRange.reset();
}

// --- layout --------------------------------------------------------------------------------------------

void KvlChartModel::setClientSize(LONG width, LONG height) {
    client_ = KvlRect{0, 0, std::max<LONG>(width, 0), std::max<LONG>(height, 0)};
    window_ = client_;
}

void KvlChartModel::setRects(KvlRect window, KvlRect client) {
    window_ = window;
    client_ = client;
}

KvlRect KvlChartModel::plotRect() const {
    KvlRect r{client_.left + leftStrip(), client_.top + margins_[2], client_.right - margins_[1],
              client_.bottom - margins_[3]};
    if (r.right < r.left)
        r.right = r.left;
    if (r.bottom < r.top)
        r.bottom = r.top;
    return r;
}

std::optional<KvlRect> KvlChartModel::rect(SHORT kind) const {
    switch (kind) {
        case kRectClient:
            return client_;
        case kRectWindow:
            return window_;
        case kRectPlot:
        case kRectDrawArea:
            return plotRect();
        default:
            return std::nullopt;
    }
}

HRESULT KvlChartModel::mapping(SHORT axisIndex, AxisMapping* out) const {
    *out = AxisMapping{};
    const KvlAxisState* a = axis(axisIndex);
    if (!a || !isValueAxis(axisIndex))
        return com::E_INVALIDARG;
    out->logBase = a->logBase;
    out->plot = plotRect();
    out->band = bandRect(axisIndex);
    std::tie(out->first, out->last) = visibleRange(kXAxis);
    const auto [low, high] = visibleRange(axisIndex);
    std::optional<double> scaledLow = scaled(a->logBase, low);
    std::optional<double> scaledHigh = scaled(a->logBase, high);
    if (scaledLow && scaledHigh && *scaledHigh == *scaledLow && std::isfinite(*scaledLow)) {
        // A range of one value (a flat study, or a zoom onto a single day): that value sits in the
        // middle of the band instead of nothing being drawn.
        const double half = std::max(std::fabs(*scaledLow) * kFlatRangeShare, kFlatRangeMinimum);
        *scaledLow -= half;
        *scaledHigh += half;
    }
    if (out->plot.width() <= 0 || out->band.height() <= 0 || !(out->last > out->first) || !scaledLow ||
        !scaledHigh || !(*scaledHigh > *scaledLow) || !std::isfinite(*scaledHigh - *scaledLow))
        return com::E_FAIL;
    out->low = *scaledLow;
    out->high = *scaledHigh;
    return com::S_OK;
}

bool KvlChartModel::AxisMapping::toPixel(double position, double value, LONG* x, LONG* y) const {
    double coordinate = value;
    if (logBase != 0) {
        const std::optional<double> logarithm = scaled(logBase, value);
        if (!logarithm)
            return false;
        coordinate = *logarithm;
    }
    const double px = plot.left + (position - first) / (last - first) * plot.width();
    const double py = band.bottom - (coordinate - low) / (high - low) * band.height();
    // Far outside the plot the pixel would not fit a 32-bit coordinate.
    constexpr double kLimit = 1e9;
    if (!(std::fabs(px) < kLimit) || !(std::fabs(py) < kLimit))
        return false;
    *x = roundPixel(px);
    *y = roundPixel(py);
    return true;
}

HRESULT KvlChartModel::valueToPixel(double position, double value, LONG* x, LONG* y, SHORT axisIndex) const {
    if (!x || !y)
        return com::E_POINTER;
    *x = 0;
    *y = 0;
    AxisMapping m;
    if (const HRESULT result = mapping(axisIndex, &m); com::FAILED(result))
        return result;
    if (!m.toPixel(position, value, x, y)) {
        *x = *y = 0;
        return com::E_INVALIDARG;
    }
    return com::S_OK;
}

HRESULT KvlChartModel::pixelToValue(LONG x, LONG y, double* position, double* value, SHORT axisIndex) const {
    if (!position || !value)
        return com::E_POINTER;
    *position = 0;
    *value = 0;
    AxisMapping m;
    if (const HRESULT result = mapping(axisIndex, &m); com::FAILED(result))
        return result;
    *position = m.first + static_cast<double>(x - m.plot.left) / m.plot.width() * (m.last - m.first);
    *value = unscaled(m.logBase,
                      m.low + static_cast<double>(m.band.bottom - y) / m.band.height() * (m.high - m.low));
    return com::S_OK;
}

LONG KvlChartModel::seriesNear(LONG point, LONG y) const {
    // A series counts as hit within a few pixels of its value.
    constexpr LONG kReach = 3;
    for (LONG s = 0; s < seriesCount(); ++s) {
        const auto& attributes = series_[static_cast<std::size_t>(s)].attributes;
        const double v = values_.at(s, point);
        if (attributes[kAttrVisible] == 0 || v >= kNoValue || !isValueAxis(attributes[kAttrYAxis]))
            continue;
        LONG px = 0, py = 0;
        if (valueToPixel(point + 1, v, &px, &py, static_cast<SHORT>(attributes[kAttrYAxis])) == com::S_OK &&
            std::abs(py - y) <= kReach)
            return s;
    }
    return -1;
}

KvlHitRecord KvlChartModel::hitTest(LONG x, LONG y) const {
    KvlHitRecord hit;
    hit.x = x;
    hit.y = y;
    const KvlRect plot = plotRect();
    const bool acrossPlot = y >= plot.top && y < plot.bottom;
    if (x < plot.left && acrossPlot && x >= client_.left) {
        hit.code = kHitAxis0;
        hit.axis = 0;
    } else if (x >= plot.right && acrossPlot && x < client_.right) {
        hit.code = kHitAxis1;
        hit.axis = 1;
    } else if (y >= plot.bottom && x >= plot.left && x < plot.right && y < client_.bottom) {
        hit.code = kHitAxis2;
        hit.axis = kXAxis;
    } else if (x >= plot.left && x < plot.right && acrossPlot) {
        hit.code = kHitPlot;
        double position = 0;
        double value = 0;
        if (pixelToValue(x, y, &position, &value, 0) == com::S_OK) {
            const auto point = static_cast<LONG>(std::floor(position + 0.5)) - 1;
            if (point >= 0 && point < pointCount()) {
                hit.point = point;
                hit.series = seriesNear(point, y);
                if (hit.series >= 0)
                    hit.code = kHitSeries;
            }
        }
    }
    return hit;
}

}  // namespace korvel
