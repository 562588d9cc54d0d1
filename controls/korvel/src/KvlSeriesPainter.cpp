#include "KvlSeriesPainter.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "korvel/KvlExtensionDriver.h"

namespace korvel::detail {

namespace {

// A bar or a candle body takes this share of its point's slot.
constexpr double kBarShare = 0.6;
constexpr LONG kDefaultMarkerSize = 3;
// Candle bodies up to this width are drawn as lines of their colour, without an outline.
constexpr LONG kNarrowBody = 2;

bool isEmpty(double v) {
    return !(v < kNoValue) || !std::isfinite(v);
}

int penStyle(LONG lineStyle) {
    return lineStyle >= gdi::PS_SOLID && lineStyle <= gdi::PS_DASHDOTDOT ? static_cast<int>(lineStyle)
                                                                         : gdi::PS_SOLID;
}

gdi::COLORREF colour(LONG value) {
    return static_cast<gdi::COLORREF>(value) & 0xFFFFFF;
}

}  // namespace

LONG KvlSeriesPainter::seriesTaken(LONG gallery) {
    switch (gallery) {
        case kGalleryHighLowClose:
            return 3;
        case kGalleryOpenHighLowClose:
        case kGalleryCandlestick:
            return 4;
        default:
            return 1;
    }
}

KvlSeriesPainter::KvlSeriesPainter(const KvlChartModel& model, gdi::DeviceContext& dc, LONG chartType)
    : model_(model), dc_(dc) {
    const KvlRect plot = model_.plotRect();
    const auto [first, last] = model_.visibleRange(kXAxis);
    const LONG count = model_.pointCount();
    if (count > 0 && last > first && std::isfinite(last - first)) {
        firstPoint_ = std::clamp<LONG>(static_cast<LONG>(std::floor(first)) - 1, 0, count - 1);
        lastPoint_ = std::clamp<LONG>(static_cast<LONG>(std::ceil(last)) - 1, 0, count - 1);
        // Zoomed in to less than a point, a slot is still no wider than the plot.
        const double slot = std::min<double>(plot.width(), plot.width() / (last - first));
        slotWidth_ = std::max<LONG>(1, static_cast<LONG>(slot));
        barWidth_ = std::max<LONG>(1, static_cast<LONG>(slot * kBarShare));
    }
    buildFigures(chartType);
}

KvlSeriesPainter::~KvlSeriesPainter() {
    for (const Figure& figure : figures_) {
        for (const gdi::HGDIOBJ object :
             {figure.pen, figure.wickPen, figure.outlinePen, figure.upPen, figure.downPen})
            gdi::deleteObject(object);
        for (const gdi::HGDIOBJ object : {figure.brush, figure.downBrush})
            gdi::deleteObject(object);
    }
}

LONG KvlSeriesPainter::galleryOf(LONG series, LONG ownType) const {
    const KvlSeriesState* state = model_.series(series);
    const LONG gallery = state ? state->attributes[kAttrGallery] : 0;
    if (isOwnGallery(gallery))
        return gallery;
    return gallery >= kFirstExtensionGalleryType ? kGalleryBars : ownType;
}

LONG KvlSeriesPainter::priceRun(LONG first, LONG gallery, LONG ownType) const {
    const LONG seriesCount = model_.values().seriesCount();
    LONG run = 1;
    while (run < seriesTaken(gallery) && first + run < seriesCount &&
           galleryOf(first + run, ownType) == gallery)
        ++run;
    return run;
}

void KvlSeriesPainter::buildFigures(LONG chartType) {
    const LONG ownType = isOwnGallery(chartType) ? chartType : kGalleryLines;
    const LONG seriesCount = model_.values().seriesCount();
    for (LONG s = 0; s < seriesCount;) {
        const KvlSeriesState* state = model_.series(s);
        LONG gallery = galleryOf(s, ownType);
        LONG taken = 1;
        if (seriesTaken(gallery) > 1) {
            // A price figure takes the run of series that share its gallery; a short run draws less.
            taken = priceRun(s, gallery, ownType);
            if (taken < 3) {
                gallery = kGalleryLines;
                taken = 1;
            } else if (taken == 3) {
                gallery = kGalleryHighLowClose;
            }
        }
        if (!state || state->attributes[kAttrVisible] == 0) {
            s += taken;
            continue;
        }
        Figure figure;
        figure.gallery = gallery;
        figure.series = s;
        figure.taken = taken;
        const auto& a = state->attributes;
        if (com::FAILED(model_.mapping(static_cast<SHORT>(a[kAttrYAxis]), &figure.map))) {
            s += taken;  // nothing to draw against: an empty or zero range
            continue;
        }
        // A line style is a line's: the bars and bodies of a price figure are drawn solid, so that a
        // bar a few pixels long still shows whole.
        const int style = taken > 1 ? gdi::PS_SOLID : penStyle(a[kAttrLineStyle]);
        figure.pen = gdi::createPen(style, std::max<LONG>(1, a[kAttrLineWidth]), colour(a[kAttrColor]));
        figure.wickPen = gdi::createPen(gdi::PS_SOLID, 1, colour(a[kAttrBorderColor]));
        // Bars and markers with a border are outlined in the border colour, otherwise in their own.
        figure.outlinePen = a[kAttrBorder] != 0
                                ? gdi::createPen(gdi::PS_SOLID, 1, colour(a[kAttrBorderColor]))
                                : gdi::createPen(gdi::PS_SOLID, 1, colour(a[kAttrColor]));
        figure.brush =
            gdi::createSolidBrush(colour(gallery == kGalleryCandlestick ? a[kAttrBkColor] : a[kAttrColor]));
        figure.downBrush = gdi::createSolidBrush(colour(a[kAttrColor]));
        if (gallery == kGalleryCandlestick) {
            figure.upPen = gdi::createPen(gdi::PS_SOLID, 1, colour(a[kAttrBkColor]));
            figure.downPen = gdi::createPen(gdi::PS_SOLID, 1, colour(a[kAttrColor]));
        }
        // Drawing is clipped to the plot only when something could leave it: the clip costs a test
        // for every pixel of a line.
        figure.clip = model_.zoomed() || a[kAttrMarkerShape] != 0 || a[kAttrLineWidth] > 1 ||
                      !insideRange(figure, taken);
        figure.markerShape = a[kAttrMarkerShape];
        figure.markerSize = a[kAttrMarkerSize] > 0 ? a[kAttrMarkerSize] : kDefaultMarkerSize;
        figures_.push_back(figure);
        s += taken;
    }
}

bool KvlSeriesPainter::insideRange(const Figure& figure, LONG taken) const {
    const auto [low, high] = model_.visibleRange(model_.series(figure.series)->attributes[kAttrYAxis]);
    for (LONG s = figure.series; s < figure.series + taken; ++s)
        for (LONG p = firstPoint_; p <= lastPoint_; ++p) {
            const double v = value(s, p);
            if (!isEmpty(v) && !(v >= low && v <= high))
                return false;
        }
    return true;
}

double KvlSeriesPainter::value(LONG series, LONG point) const {
    const KvlValueBlock& values = model_.values();
    return values.contains(series, point) ? values.at(series, point) : kNoValue;
}

bool KvlSeriesPainter::pixel(const Figure& figure, LONG series, LONG point, LONG* x, LONG* y) const {
    const double v = value(series, point);
    return !isEmpty(v) && figure.map.toPixel(point + 1.0, v, x, y);
}

LONG KvlSeriesPainter::baseline(const Figure& figure) const {
    const KvlRect& band = figure.map.band;
    if (figure.map.logBase != 0 || figure.map.low >= 0)
        return band.bottom;
    if (figure.map.high <= 0)
        return band.top;
    // An extension that stacks its panes on one band gives each pane axis the values the pane holds:
    // the bars of a pane whose values do not reach zero start at its edge nearest to zero, not across
    // the panes beside it.
    double base = 0;
    LONG onAxis = -1;
    model_.attribute(figure.series, kAttrYAxis, &onAxis);
    const KvlAxisState* axis = model_.axis(onAxis);
    if (axis != nullptr && axis->given[kAxisDataMin] && axis->given[kAxisDataMax] &&
        axis->properties[kAxisDataMin] <= axis->properties[kAxisDataMax])
        base = std::clamp(0.0, axis->properties[kAxisDataMin], axis->properties[kAxisDataMax]);
    LONG x = 0, y = band.bottom;
    figure.map.toPixel(figure.map.first, base, &x, &y);
    return y;
}

void KvlSeriesPainter::clipToBand(const Figure& figure) {
    savedDc_ = dc_.saveDC();
    if (!figure.clip)
        return;
    // The band's bottom row is where its lowest value sits: it belongs to the band.
    const KvlRect& band = figure.map.band;
    dc_.intersectClipRect(band.left, band.top, band.right, band.bottom + 1);
}

void KvlSeriesPainter::unclip() {
    dc_.restoreDC(savedDc_);
}

void KvlSeriesPainter::drawAll() {
    for (const Figure& figure : figures_) {
        clipToBand(figure);
        drawFigure(figure);
        unclip();
    }
}

void KvlSeriesPainter::drawFigure(const Figure& figure) {
    dc_.selectObject(figure.pen);
    if (figure.gallery != kGalleryLines && figure.gallery != kGalleryArea) {
        for (LONG p = firstPoint_; p <= lastPoint_; ++p)
            drawElement(figure, p);
        return;
    }
    // Lines and areas run over the stretches between empty points.
    LONG runStart = -1;
    for (LONG p = firstPoint_; p <= lastPoint_ + 1; ++p) {
        LONG x = 0, y = 0;
        const bool present = p <= lastPoint_ && pixel(figure, figure.series, p, &x, &y);
        if (present && runStart < 0)
            runStart = p;
        if (!present && runStart >= 0) {
            if (figure.gallery == kGalleryArea)
                drawAreaRun(figure, runStart, p - 1);
            else
                drawLineRun(figure, runStart, p - 1);
            runStart = -1;
        }
    }
}

void KvlSeriesPainter::drawPoint(LONG point) {
    if (point < firstPoint_ || point > lastPoint_)
        return;
    for (const Figure& figure : figures_) {
        clipToBand(figure);
        drawPointOf(figure, point);
        unclip();
    }
}

void KvlSeriesPainter::drawPointOf(const Figure& figure, LONG point) {
    dc_.selectObject(figure.pen);
    if (figure.gallery != kGalleryLines && figure.gallery != kGalleryArea) {
        drawElement(figure, point);
        return;
    }
    LONG x = 0, y = 0, px = 0, py = 0;
    if (!pixel(figure, figure.series, point, &x, &y))
        return;
    const bool joined = point > 0 && pixel(figure, figure.series, point - 1, &px, &py);
    if (figure.gallery == kGalleryArea && joined) {
        drawAreaRun(figure, point - 1, point);
    } else if (joined) {
        dc_.moveTo(px, py);
        dc_.lineTo(x, y);
    }
    drawMarker(figure, x, y);
}

void KvlSeriesPainter::drawLineRun(const Figure& figure, LONG first, LONG last) {
    std::vector<gdi::Point> points;
    points.reserve(static_cast<std::size_t>(last - first + 1));
    for (LONG p = first; p <= last; ++p) {
        LONG x = 0, y = 0;
        if (pixel(figure, figure.series, p, &x, &y))
            points.push_back(gdi::Point{x, y});
    }
    dc_.selectObject(figure.pen);
    if (points.size() == 1) {
        // A lone point still shows.
        dc_.moveTo(points[0].x, points[0].y);
        dc_.lineTo(points[0].x + 1, points[0].y);
    } else {
        dc_.polyline(points);
    }
    if (figure.markerShape != 0)
        for (const gdi::Point& point : points)
            drawMarker(figure, point.x, point.y);
}

void KvlSeriesPainter::drawAreaRun(const Figure& figure, LONG first, LONG last) {
    std::vector<gdi::Point> points;
    const LONG base = baseline(figure);
    for (LONG p = first; p <= last; ++p) {
        LONG x = 0, y = 0;
        if (!pixel(figure, figure.series, p, &x, &y))
            continue;
        if (points.empty())
            points.push_back(gdi::Point{x, base});
        points.push_back(gdi::Point{x, y});
    }
    if (points.empty())
        return;
    points.push_back(gdi::Point{points.back().x, base});
    dc_.selectObject(figure.pen);
    dc_.selectObject(figure.brush);
    dc_.polygon(points);
}

bool KvlSeriesPainter::priceAt(const Figure& figure, LONG point, Price* price) const {
    // Every value of the point must be there.
    std::array<double, 4> v{};
    for (LONG i = 0; i < figure.taken; ++i) {
        v[static_cast<std::size_t>(i)] = value(figure.series + i, point);
        if (isEmpty(v[static_cast<std::size_t>(i)]))
            return false;
    }
    const bool hasOpen = figure.taken == 4;
    // Of the three values after the open (or of all three without one) the middle one is the close.
    const auto rest = v.begin() + (hasOpen ? 1 : 0);
    std::array<double, 3> three{rest[0], rest[1], rest[2]};
    std::sort(three.begin(), three.end());
    price->close = three[1];
    price->open = hasOpen ? v[0] : three[1];
    price->high = std::max(three[2], price->open);
    price->low = std::min(three[0], price->open);
    return true;
}

void KvlSeriesPainter::drawElement(const Figure& figure, LONG point) {
    const LONG s = figure.series;
    LONG x = 0, y = 0;
    if (figure.gallery == kGalleryBars) {
        if (!pixel(figure, s, point, &x, &y))
            return;
        const LONG base = baseline(figure);
        dc_.selectObject(figure.outlinePen);
        dc_.selectObject(figure.brush);
        dc_.rectangle(x - barWidth_ / 2, std::min(y, base), x - barWidth_ / 2 + barWidth_,
                      std::max(y, base) + 1);
        return;
    }
    Price price;
    if (!priceAt(figure, point, &price))
        return;
    LONG xh = 0, yh = 0, xl = 0, yl = 0, xc = 0, yc = 0, xo = 0, yo = 0;
    const double position = point + 1.0;
    if (!figure.map.toPixel(position, price.high, &xh, &yh) ||
        !figure.map.toPixel(position, price.low, &xl, &yl) ||
        !figure.map.toPixel(position, price.close, &xc, &yc) ||
        !figure.map.toPixel(position, price.open, &xo, &yo))
        return;
    const LONG half = barWidth_ / 2;
    if (figure.gallery == kGalleryCandlestick) {
        dc_.selectObject(figure.wickPen);
        dc_.moveTo(xh, yh);
        dc_.lineTo(xh, yl + 1);
        const bool rising = price.close >= price.open;
        if (barWidth_ <= kNarrowBody) {
            // A body a pixel or two wide would be all outline: it shows its colour as a line.
            dc_.selectObject(rising ? figure.upPen : figure.downPen);
            for (LONG dx = 0; dx < barWidth_; ++dx) {
                dc_.moveTo(xo - half + dx, std::min(yo, yc));
                dc_.lineTo(xo - half + dx, std::max(yo, yc) + 1);
            }
            return;
        }
        dc_.selectObject(rising ? figure.brush : figure.downBrush);
        dc_.rectangle(xo - half, std::min(yo, yc), xo - half + barWidth_, std::max(yo, yc) + 1);
        return;
    }
    dc_.selectObject(figure.pen);
    dc_.moveTo(xh, yh);
    dc_.lineTo(xh, yl + 1);
    dc_.moveTo(xc, yc);
    dc_.lineTo(xc + half + 1, yc);
    if (figure.gallery == kGalleryOpenHighLowClose) {
        dc_.moveTo(xo - half, yo);
        dc_.lineTo(xo + 1, yo);
    }
}

void KvlSeriesPainter::drawMarker(const Figure& figure, LONG x, LONG y) {
    if (figure.markerShape == 0)
        return;
    const LONG r = figure.markerSize;
    dc_.selectObject(figure.outlinePen);
    dc_.selectObject(figure.downBrush);
    constexpr LONG kCircle = 2;
    constexpr LONG kInvertedTriangle = 9;
    if (figure.markerShape == kCircle) {
        dc_.ellipse(x - r, y - r, x + r + 1, y + r + 1);
    } else if (figure.markerShape == kInvertedTriangle) {
        const gdi::Point triangle[] = {{x - r, y - r}, {x + r, y - r}, {x, y + r}};
        dc_.polygon(triangle);
    } else {
        dc_.rectangle(x - r, y - r, x + r + 1, y + r + 1);
    }
}

}  // namespace korvel::detail
