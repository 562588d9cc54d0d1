#include "gdi/PainterDC.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRegion>

#include "ObjectTable.h"

namespace gdi {

namespace {

struct RopMode {
    bool draws = true;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    std::optional<QColor> fixedColor;
};

RopMode ropMode(int rop2) {
    using M = QPainter::CompositionMode;
    switch (rop2) {
        case R2_BLACK:
            return {true, M::CompositionMode_SourceOver, QColor(Qt::black)};
        case R2_WHITE:
            return {true, M::CompositionMode_SourceOver, QColor(Qt::white)};
        case R2_NOP:
            return {false, QPainter::CompositionMode_SourceOver, std::nullopt};
        case R2_NOT:
            return {true, M::RasterOp_NotDestination, {}};
        case R2_XORPEN:
            return {true, M::RasterOp_SourceXorDestination, {}};
        case R2_NOTXORPEN:
            return {true, M::RasterOp_NotSourceXorDestination, {}};
        case R2_NOTCOPYPEN:
            return {true, M::RasterOp_NotSource, {}};
        case R2_MASKPEN:
            return {true, M::RasterOp_SourceAndDestination, {}};
        case R2_MERGEPEN:
            return {true, M::RasterOp_SourceOrDestination, {}};
        case R2_NOTMERGEPEN:
            return {true, M::RasterOp_NotSourceAndNotDestination, {}};
        case R2_MASKNOTPEN:
            return {true, M::RasterOp_NotSourceAndDestination, {}};
        case R2_MASKPENNOT:
            return {true, M::RasterOp_SourceAndNotDestination, {}};
        case R2_NOTMASKPEN:
            return {true, M::RasterOp_NotSourceOrNotDestination, {}};
        case R2_MERGENOTPEN:
            return {true, M::RasterOp_NotSourceOrDestination, {}};
        case R2_MERGEPENNOT:
            return {true, M::RasterOp_SourceOrNotDestination, {}};
        default:
            return {true, M::CompositionMode_SourceOver, std::nullopt};
    }
}

// Dash patterns of cosmetic pens: on and off lengths in pixels.
std::span<const int> dashLengths(int style) {
    static constexpr int kDash[] = {18, 6};
    static constexpr int kDot[] = {3, 3};
    static constexpr int kDashDot[] = {9, 6, 3, 6};
    static constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (style) {
        case PS_DASH:
            return kDash;
        case PS_DOT:
            return kDot;
        case PS_DASHDOT:
            return kDashDot;
        case PS_DASHDOTDOT:
            return kDashDotDot;
        default:
            return {};
    }
}

QList<qreal> cosmeticDashes(int style) {
    QList<qreal> dashes;
    for (int length : dashLengths(style))
        dashes << length;
    return dashes;
}

// Whether position `step` of a dash pattern is in a dash rather than a gap.
// `step` is within one period of the pattern.
bool inDash(std::span<const int> dashes, int step) {
    for (std::size_t i = 0; i < dashes.size(); ++i) {
        if (step < dashes[i])
            return i % 2 == 0;
        step -= dashes[i];
    }
    return true;
}

COLORREF fromRgb(QRgb c) {
    return rgb(qRed(c), qGreen(c), qBlue(c));
}
QRgb toRgb(COLORREF c) {
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

// Line positions may need more than 64 bits: step numbers and offsets are below 2^33, and their
// products are formed doubled. Lines whose steps and start lie within 2^30 of the origin (all but
// the rarest) are set up in 64 bits.
using Wide = __int128;

bool fitsIn64Bits(std::int64_t steps, std::int64_t start) {
    constexpr std::int64_t kLimit = std::int64_t(1) << 30;
    return steps < kLimit && std::abs(start) < kLimit;
}

// Division rounding towards minus and plus infinity; `den` > 0.
template <typename Int>
Int floorDiv(Int num, Int den) {
    return num >= 0 ? num / den : -((-num + den - 1) / den);
}
template <typename Int>
Int ceilDiv(Int num, Int den) {
    return -floorDiv(-num, den);
}

// The minor coordinate of a line at step i is start + floor((2 i delta + steps) / (2 steps)): the
// exact offset delta * i / steps rounded to the nearest pixel, halves upwards. |delta| <= steps.
// It is stepped with an exact remainder, so every step costs an addition and a compare.
class MinorStepper {
public:
    MinorStepper(std::int64_t start, std::int64_t delta, std::int64_t steps, std::int64_t i)
        : increment_(2 * delta), den_(2 * steps) {
        if (fitsIn64Bits(steps, start))
            begin<std::int64_t>(start, delta, steps, i);
        else
            begin<Wide>(start, delta, steps, i);
    }

    std::int64_t value() const { return value_; }
    void advance() {
        remainder_ += increment_;
        if (remainder_ >= den_) {
            remainder_ -= den_;
            ++value_;
        } else if (remainder_ < 0) {
            remainder_ += den_;
            --value_;
        }
    }

private:
    template <typename Int>
    void begin(std::int64_t start, std::int64_t delta, std::int64_t steps, std::int64_t i) {
        const Int num = 2 * Int(i) * delta + steps;
        const Int quotient = floorDiv<Int>(num, den_);
        value_ = start + static_cast<std::int64_t>(quotient);
        remainder_ = static_cast<std::int64_t>(num - quotient * den_);  // in [0, den_)
    }

    std::int64_t increment_, den_;
    std::int64_t value_ = 0, remainder_ = 0;
};

// Steps [first, last) of a line.
struct StepRange {
    std::int64_t first = 0, last = 0;

    StepRange operator&(const StepRange& other) const {
        return {std::max(first, other.first), std::min(last, other.last)};
    }
};

// The steps in [0, steps) at which the minor coordinate (see MinorStepper) lies in [low, high]. The
// coordinate is monotonic, so they form one range.
template <typename Int>
StepRange minorSteps(std::int64_t start, std::int64_t delta, std::int64_t steps, std::int64_t low,
                     std::int64_t high) {
    const Int s = steps, den = 2 * s, below = Int(low) - start, above = Int(high) - start + 1;
    Int first = 0, last = 0;
    if (delta > 0) {
        first = ceilDiv<Int>(den * below - s, 2 * Int(delta));
        last = ceilDiv<Int>(den * above - s, 2 * Int(delta));
    } else if (delta < 0) {
        first = floorDiv<Int>(s - den * above, -2 * Int(delta)) + 1;
        last = floorDiv<Int>(s - den * below, -2 * Int(delta)) + 1;
    } else if (below <= 0 && above > 0) {
        last = s;
    }
    auto clamped = [s](Int i) { return static_cast<std::int64_t>(std::clamp<Int>(i, 0, s)); };
    return {clamped(first), clamped(last)};
}

StepRange minorSteps(std::int64_t start, std::int64_t delta, std::int64_t steps, std::int64_t low,
                     std::int64_t high) {
    if (fitsIn64Bits(steps, start))
        return minorSteps<std::int64_t>(start, delta, steps, low, high);
    return minorSteps<Wide>(start, delta, steps, low, high);
}

// The steps at which the major coordinate, start + i or start - i, lies in [low, high].
StepRange majorSteps(std::int64_t start, std::int64_t delta, std::int64_t steps, std::int64_t low,
                     std::int64_t high) {
    if (delta > 0)
        return {std::max<std::int64_t>(0, low - start), std::min(steps, high + 1 - start)};
    if (delta < 0)
        return {std::max<std::int64_t>(0, start - high), std::min(steps, start - low + 1)};
    return {};
}

// A binary raster operation: bit (P << 1 | D) of (mode - 1) gives the result for pen bit P and
// destination bit D. With the pen fixed it acts bit by bit on the destination: each bit becomes what
// the operation gives for that pen bit over a set or a clear destination bit. Both masks are kept in
// the bitmap's 0xAARRGGBB layout; the result is opaque.
class PixelRop {
public:
    PixelRop(int mode, COLORREF pen) {
        const auto code = static_cast<std::uint32_t>(mode - 1);
        auto mask = [&](std::uint32_t penSet, std::uint32_t penClear) {
            return toRgb(((code & penSet) ? pen : 0) | ((code & penClear) ? ~pen : 0)) & 0xFFFFFF;
        };
        overSet_ = mask(8, 2);
        overClear_ = mask(4, 1);
    }

    QRgb apply(QRgb dest) const { return 0xFF000000 | (dest & overSet_) | (~dest & overClear_); }

private:
    QRgb overSet_ = 0, overClear_ = 0;
};

// Which positions of a dash pattern are dashes: bit p for position p. Patterns are at most 32 long.
std::uint32_t dashMask(std::span<const int> dashes, int period) {
    std::uint32_t mask = 0;
    for (int p = 0; p < period; ++p) {
        if (inDash(dashes, p))
            mask |= 1u << p;
    }
    return mask;
}

Qt::PenStyle geometricStyle(int style) {
    switch (style) {
        case PS_DASH:
            return Qt::DashLine;
        case PS_DOT:
            return Qt::DotLine;
        case PS_DASHDOT:
            return Qt::DashDotLine;
        case PS_DASHDOTDOT:
            return Qt::DashDotDotLine;
        default:
            return Qt::SolidLine;
    }
}

Qt::PenCapStyle capStyle(std::uint32_t style) {
    switch (style & PS_ENDCAP_MASK) {
        case PS_ENDCAP_SQUARE:
            return Qt::SquareCap;
        case PS_ENDCAP_FLAT:
            return Qt::FlatCap;
        default:
            return Qt::RoundCap;
    }
}

Qt::PenJoinStyle joinStyle(std::uint32_t style) {
    switch (style & PS_JOIN_MASK) {
        case PS_JOIN_BEVEL:
            return Qt::BevelJoin;
        case PS_JOIN_MITER:
            return Qt::MiterJoin;
        default:
            return Qt::RoundJoin;
    }
}

Qt::BrushStyle hatchStyle(int hatch) {
    switch (hatch) {
        case HS_HORIZONTAL:
            return Qt::HorPattern;
        case HS_VERTICAL:
            return Qt::VerPattern;
        case HS_FDIAGONAL:
            return Qt::FDiagPattern;
        case HS_BDIAGONAL:
            return Qt::BDiagPattern;
        case HS_CROSS:
            return Qt::CrossPattern;
        default:
            return Qt::DiagCrossPattern;
    }
}

QBrush qBrush(HBRUSH handle) {
    auto* data = detail::ObjectTable::instance().data<detail::BrushData>(handle, ObjectType::Brush);
    if (!data)
        return Qt::NoBrush;
    const LogBrush& b = data->brush;
    switch (b.style) {
        case BS_SOLID:
            return QBrush(toQColor(b.color));
        case BS_HATCHED:
            return QBrush(toQColor(b.color), hatchStyle(b.hatch));
        case BS_PATTERN:
            return QBrush(data->pattern);
        default:
            return Qt::NoBrush;
    }
}

// Angle in degrees (counter-clockwise on screen) of the ray from the centre through a point.
double rayAngle(QPointF centre, QPointF p) {
    return std::atan2(centre.y() - p.y(), p.x() - centre.x()) * 180.0 / std::numbers::pi;
}

// Ternary raster operation on 24-bit colours: bit i of the operation's index byte gives the
// result for pattern/source/destination bits (P << 2 | S << 1 | D).
std::uint32_t rop3(std::uint32_t rop, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
    const std::uint32_t code = (rop >> 16) & 0xFF;
    std::uint32_t result = 0;
    for (std::uint32_t i = 0; i < 8; ++i) {
        if (!(code & (1u << i)))
            continue;
        result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    }
    return result & 0xFFFFFF;
}

}  // namespace

std::optional<LogPen> PainterDC::selectedPen() const {
    if (state().pen != lookedUpPen_) {
        penSettings_ = getPen(state().pen);
        lookedUpPen_ = state().pen;
    }
    return penSettings_;
}

template <typename Fn>
bool PainterDC::paint(Fn&& fn) {
    QPainter* painter = beginPainter();
    if (!painter)
        return false;
    painter->save();
    if (state().clip)
        painter->setClipRegion(*state().clip);
    painter->setBackground(toQColor(state().bkColor));
    painter->setBackgroundMode(state().bkMode == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
    const bool result = fn(*painter);
    painter->restore();
    endPainter(painter);
    return result;
}

bool PainterDC::preparePen(QPainter& painter) const {
    const RopMode rop = ropMode(state().rop2);
    if (!rop.draws)
        return false;
    if (supportsRasterOps())
        painter.setCompositionMode(rop.mode);
    const LogPen pen = selectedPen().value_or(LogPen{PS_NULL, 0, 0});
    const int style = static_cast<int>(pen.style & PS_STYLE_MASK);
    if (style == PS_NULL) {
        painter.setPen(Qt::NoPen);
        return true;
    }
    QPen q(rop.fixedColor.value_or(toQColor(pen.color)));
    const bool geometric = (pen.style & PS_TYPE_MASK) == PS_GEOMETRIC;
    const double width = pen.width * scaleX();
    if (!geometric && width <= 1.0) {
        q.setWidth(1);
        q.setCosmetic(true);
        q.setCapStyle(Qt::FlatCap);
        if (auto dashes = cosmeticDashes(style); !dashes.isEmpty())
            q.setDashPattern(dashes);
    } else if (!geometric) {
        // A wide pen made by createPen is always solid, with round ends.
        q.setWidthF(std::round(width));
        q.setCapStyle(Qt::RoundCap);
        q.setJoinStyle(Qt::RoundJoin);
    } else {
        q.setWidthF(std::max(1.0, std::round(width)));
        q.setStyle(geometricStyle(style));
        q.setCapStyle(capStyle(pen.style));
        q.setJoinStyle(joinStyle(pen.style));
    }
    painter.setPen(q);
    painter.setBrush(Qt::NoBrush);
    return true;
}

void PainterDC::prepareBrush(QPainter& painter) const {
    QBrush brush = qBrush(state().brush);
    if (auto fixed = ropMode(state().rop2).fixedColor; fixed && brush.style() != Qt::NoBrush)
        brush.setColor(*fixed);
    painter.setBrush(brush);
}

std::optional<PainterDC::CosmeticLine> PainterDC::cosmeticLine() {
    const Pixels target = pixels();
    const auto pen = selectedPen();
    if (!target.image || !pen)
        return std::nullopt;
    const int style = static_cast<int>(pen->style & PS_STYLE_MASK);
    if (style == PS_NULL || (pen->style & PS_TYPE_MASK) == PS_GEOMETRIC || pen->width * scaleX() > 1.0)
        return std::nullopt;
    const bool mono = target.monochrome;
    auto stored = [mono](COLORREF c) { return mono ? (c == 0xFFFFFF ? c : 0) : c; };
    return CosmeticLine{
        target.image,       stored(pen->color), stored(state().bkColor), state().bkMode == OPAQUE,
        dashLengths(style), state().rop2};
}

// Steps along the longer axis from the start point, rounding the other coordinate to the nearest
// pixel; the end point itself is left out. Only the steps that fall on the bitmap (and within the
// clip's bounding box) are visited, so a line far longer than the bitmap costs no more than one
// across it.
void PainterDC::plotLine(const CosmeticLine& line, Point from, Point to, int& styleStep) const {
    const Point a = lpToDp(from), b = lpToDp(to);
    const std::int64_t dx = std::int64_t(b.x) - a.x, dy = std::int64_t(b.y) - a.y;
    const std::int64_t steps = std::max(std::abs(dx), std::abs(dy));
    const int period = std::accumulate(line.dashes.begin(), line.dashes.end(), 0);
    const std::uint32_t dashes = dashMask(line.dashes, period);
    // Only a clip of more than one rectangle needs a test per pixel.
    const QRegion* clip = state().clip ? &*state().clip : nullptr;
    QRect area = line.target->rect();
    if (clip)
        area &= clip->boundingRect();
    const QRegion* clipTest = clip && clip->rectCount() > 1 ? clip : nullptr;
    // The major coordinate moves by exactly one pixel a step.
    const bool alongX = std::abs(dx) >= std::abs(dy);
    const std::int64_t majorStart = alongX ? a.x : a.y, majorDelta = alongX ? dx : dy;
    const std::int64_t minorStart = alongX ? a.y : a.x, minorDelta = alongX ? dy : dx;
    const int majorLow = alongX ? area.left() : area.top(), majorHigh = alongX ? area.right() : area.bottom();
    const int minorLow = alongX ? area.top() : area.left(), minorHigh = alongX ? area.bottom() : area.right();
    const StepRange visited = majorSteps(majorStart, majorDelta, steps, majorLow, majorHigh) &
                              minorSteps(minorStart, minorDelta, steps, minorLow, minorHigh);
    if (visited.first < visited.last) {
        const PixelRop penRop(line.rop2, line.pen), gapRop(line.rop2, line.gap);
        auto* bits = line.target->bits();  // detaches once, not per pixel
        const qsizetype bytesPerLine = line.target->bytesPerLine();
        const std::int64_t majorStep = majorDelta > 0 ? 1 : -1;
        std::int64_t major = majorStart + majorStep * visited.first;
        MinorStepper minor(minorStart, minorDelta, steps, visited.first);
        int phase = period > 0 ? static_cast<int>((styleStep + visited.first) % period) : 0;
        for (std::int64_t i = visited.first; i < visited.last; ++i, major += majorStep, minor.advance()) {
            const bool on = period == 0 || (dashes >> phase & 1u);
            if (period > 0 && ++phase == period)
                phase = 0;
            if (!on && !line.opaqueGaps)
                continue;
            const int x = int(alongX ? major : minor.value()), y = int(alongX ? minor.value() : major);
            if (clipTest && !clipTest->contains(QPoint(x, y)))
                continue;
            QRgb& pixel = reinterpret_cast<QRgb*>(bits + y * bytesPerLine)[x];
            pixel = (on ? penRop : gapRop).apply(pixel);
        }
    }
    if (period > 0)
        styleStep = static_cast<int>((styleStep + steps) % period);
}

bool PainterDC::drawLine(Point from, Point to) {
    if (const auto line = cosmeticLine()) {
        int step = 0;
        plotLine(*line, from, to, step);
        return true;
    }
    return paint([&](QPainter& p) {
        if (!preparePen(p))
            return true;
        const Point a = lpToDp(from), b = lpToDp(to);
        p.drawLine(a.x, a.y, b.x, b.y);
        return true;
    });
}

bool PainterDC::drawPoly(std::span<const Point> points, bool closed) {
    if (!closed) {
        if (const auto line = cosmeticLine()) {
            int step = 0;
            for (std::size_t i = 1; i < points.size(); ++i)
                plotLine(*line, points[i - 1], points[i], step);
            return true;
        }
    }
    return paint([&](QPainter& p) {
        if (!preparePen(p))
            return true;
        QPolygon polygon;
        for (const Point& pt : points) {
            const Point d = lpToDp(pt);
            polygon << QPoint(d.x, d.y);
        }
        if (closed) {
            prepareBrush(p);
            p.drawPolygon(polygon, state().polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
        } else {
            p.drawPolyline(polygon);
        }
        return true;
    });
}

bool PainterDC::drawShape(Shape shape, const Rect& box, Point start, Point end) {
    return paint([&](QPainter& p) {
        if (!preparePen(p))
            return true;
        if (shape != Shape::Arc)
            prepareBrush(p);
        // GDI shapes end one pixel before the right and bottom edges.
        const QRect d = deviceRect(box.left, box.top, box.right, box.bottom);
        const QRect r(d.left(), d.top(), std::max(0, d.width() - 1), std::max(0, d.height() - 1));
        if (shape == Shape::Rectangle) {
            p.drawRect(r);
            return true;
        }
        if (shape == Shape::Ellipse) {
            p.drawEllipse(r);
            return true;
        }
        if (shape == Shape::RoundRect) {
            // `start` holds the corner ellipse's size; its radii cannot exceed half the box.
            const double rx = std::min(std::abs(start.x) * scaleX(), double(r.width())) / 2;
            const double ry = std::min(std::abs(start.y) * scaleY(), double(r.height())) / 2;
            p.drawRoundedRect(r, rx, ry, Qt::AbsoluteSize);
            return true;
        }
        const QPointF centre = QRectF(r).center();
        const Point s = lpToDp(start), e = lpToDp(end);
        const double a0 = rayAngle(centre, QPointF(s.x, s.y));
        double span = rayAngle(centre, QPointF(e.x, e.y)) - a0;
        while (span <= 0)
            span += 360.0;  // equal rays give the whole ellipse
        const int qa = static_cast<int>(std::lround(a0 * 16)), qs = static_cast<int>(std::lround(span * 16));
        if (shape == Shape::Arc)
            p.drawArc(r, qa, qs);
        if (shape == Shape::Pie)
            p.drawPie(r, qa, qs);
        if (shape == Shape::Chord)
            p.drawChord(r, qa, qs);
        return true;
    });
}

bool PainterDC::fillDeviceRect(const Rect& rect, HBRUSH brush, DWORD rop) {
    const QRect d = deviceRect(rect.left, rect.top, rect.right, rect.bottom);
    if (d.isEmpty())
        return true;
    return paint([&](QPainter& p) {
        if (rop == DSTINVERT) {
            if (!supportsRasterOps())
                return true;
            p.setCompositionMode(QPainter::RasterOp_NotDestination);
            p.fillRect(d, Qt::white);
            return true;
        }
        if (rop == BLACKNESS || rop == WHITENESS) {
            p.fillRect(d, rop == BLACKNESS ? Qt::black : Qt::white);
            return true;
        }
        const QBrush b = qBrush(brush == NULL_HANDLE ? state().brush : brush);
        if (rop == PATINVERT && supportsRasterOps())
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.fillRect(d, b);
        return true;
    });
}

bool PainterDC::renderText(Point reference, unsigned options, const Rect* rect, const QString& text) {
    return paint([&](QPainter& p) {
        const QFont font = deviceFont();
        const QFontMetricsF m(font);
        if (rect) {
            const QRect box = deviceRect(rect->left, rect->top, rect->right, rect->bottom);
            if (options & ETO_OPAQUE)
                p.fillRect(box, toQColor(state().bkColor));
            if (options & ETO_CLIPPED)
                p.setClipRect(box, Qt::IntersectClip);
        }
        const unsigned align = state().textAlign;
        const double width = m.horizontalAdvance(text);
        double x = 0;
        if ((align & TA_CENTER) == TA_CENTER) {
            x = -width / 2;
        } else if (align & TA_RIGHT) {
            x = -width;
        }
        double baseline = m.ascent();
        if ((align & TA_BASELINE) == TA_BASELINE) {
            baseline = 0;
        } else if (align & TA_BOTTOM) {
            baseline = -m.descent();
        }
        const Point d = lpToDp(reference);
        p.translate(d.x, d.y);
        const auto logFont = getFont(state().font);
        if (logFont && logFont->escapement != 0)
            p.rotate(-logFont->escapement / 10.0);
        p.setBackgroundMode(Qt::TransparentMode);
        if (state().bkMode == OPAQUE) {
            p.fillRect(QRectF(x, baseline - m.ascent(), width, m.ascent() + m.descent()),
                       toQColor(state().bkColor));
        }
        if ((align & TA_RTLREADING) || (options & ETO_RTLREADING))
            p.setLayoutDirection(Qt::RightToLeft);
        p.setFont(font);
        p.setPen(toQColor(state().textColor));
        p.drawText(QPointF(x, baseline), text);
        return true;
    });
}

namespace {

// For each destination pixel along one axis, the source pixel it takes: the destination runs from
// device coordinate d0 to d1 and the source from s0 to s1 (either may run backwards).
std::vector<int> sourceIndices(int first, int count, int d0, int d1, int s0, int s1) {
    std::vector<int> out(static_cast<std::size_t>(count));
    const double scale = double(s1 - s0) / double(d1 - d0);
    for (int i = 0; i < count; ++i) {
        // Far outside any bitmap all positions read the same white, so they are kept in int range.
        const double at = std::floor(s0 + (first + i + 0.5 - d0) * scale);
        out[std::size_t(i)] = static_cast<int>(std::clamp(at, -1.0, double(INT32_MAX)));
    }
    return out;
}

}  // namespace

bool PainterDC::blit(const Rect& dest, const DeviceContext* source, const Rect& src, DWORD rop) {
    const Point d0 = lpToDp({dest.left, dest.top}), d1 = lpToDp({dest.right, dest.bottom});
    const QRect d(QPoint(std::min(d0.x, d1.x), std::min(d0.y, d1.y)),
                  QPoint(std::max(d0.x, d1.x) - 1, std::max(d0.y, d1.y) - 1));
    if (d.isEmpty())
        return true;
    const bool needsSource = ropUsesSource(rop);
    QImage sourceImage;
    Point s0, s1;
    if (needsSource) {
        sourceImage = source->image();
        s0 = source->lpToDp({src.left, src.top});
        s1 = source->lpToDp({src.right, src.bottom});
        if (sourceImage.isNull() || s0.x == s1.x || s0.y == s1.y)
            return false;
    }
    const Pixels pixelsOfTarget = pixels();
    QImage* target = pixelsOfTarget.image;
    if (!target) {
        // Devices without pixels take copies and fills only.
        if (!needsSource) {
            const Point a = dpToLp({d.left(), d.top()}), b = dpToLp({d.right() + 1, d.bottom() + 1});
            return fillDeviceRect(
                {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)}, NULL_HANDLE,
                rop);
        }
        const QRect from(QPoint(std::min(s0.x, s1.x), std::min(s0.y, s1.y)),
                         QPoint(std::max(s0.x, s1.x) - 1, std::max(s0.y, s1.y) - 1));
        const bool mirrorX = (d1.x < d0.x) != (s1.x < s0.x), mirrorY = (d1.y < d0.y) != (s1.y < s0.y);
        const QImage piece = sourceImage.copy(from).mirrored(mirrorX, mirrorY);
        return paint([&](QPainter& p) {
            p.drawImage(d, piece);
            return true;
        });
    }
    const bool sourceMono = needsSource && source->getDeviceCaps(BITSPIXEL) == 1;
    const bool targetMono = pixelsOfTarget.monochrome;
    const COLORREF sourceBk = needsSource ? source->bkColor() : 0;
    const auto brush = getBrush(state().brush);
    const std::uint32_t pattern = brush && brush->style == BS_SOLID ? brush->color : 0;
    auto sourceColour = [&](int x, int y) -> std::uint32_t {
        if (x < 0 || y < 0 || x >= sourceImage.width() || y >= sourceImage.height())
            return 0xFFFFFF;
        const COLORREF c = fromRgb(sourceImage.pixel(x, y));
        // Monochrome to colour: white takes the background colour, black the text colour;
        // colour to monochrome: the source background colour becomes white, all else black.
        if (sourceMono && !targetMono)
            return c == 0xFFFFFF ? bkColor() : textColor();
        if (targetMono && !sourceMono)
            return c == sourceBk ? 0xFFFFFF : 0;
        return c;
    };
    const QRect visible = d & target->rect();
    if (visible.isEmpty())
        return true;
    std::vector<int> columns, rows;
    if (needsSource) {
        // Only the part over the bitmap is looked up.
        columns = sourceIndices(visible.left(), visible.width(), d0.x, d1.x, s0.x, s1.x);
        rows = sourceIndices(visible.top(), visible.height(), d0.y, d1.y, s0.y, s1.y);
    }
    QRegion region(visible);
    if (state().clip)
        region &= *state().clip;
    for (const QRect& r : region) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(target->scanLine(y));
            for (int x = r.left(); x <= r.right(); ++x) {
                const std::uint32_t s = needsSource ? sourceColour(columns[std::size_t(x - visible.left())],
                                                                   rows[std::size_t(y - visible.top())])
                                                    : 0;
                line[x] = toRgb(rop3(rop, pattern, s, fromRgb(line[x])));
            }
        }
    }
    return true;
}

COLORREF PainterDC::putPixel(Point p, COLORREF color) {
    const Point d = lpToDp(p);
    if (state().clip && !state().clip->contains(QPoint(d.x, d.y)))
        return CLR_INVALID;
    if (const Pixels target = pixels(); target.image) {
        if (!target.image->rect().contains(d.x, d.y))
            return CLR_INVALID;
        const COLORREF stored = target.monochrome ? (color == 0xFFFFFF ? 0xFFFFFF : 0) : color;
        target.image->setPixel(d.x, d.y, toQColor(stored).rgb());
        return stored;
    }
    paint([&](QPainter& painter) {
        painter.fillRect(QRect(d.x, d.y, 1, 1), toQColor(color));
        return true;
    });
    return color;
}

}  // namespace gdi
