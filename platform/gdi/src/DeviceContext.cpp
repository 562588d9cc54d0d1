#include "gdi/DeviceContext.h"

#include <algorithm>
#include <cmath>

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QRegion>
#include <QString>
#include <QStringList>

#include "FontConvert.h"
#include "ObjectTable.h"

namespace gdi {

using detail::ObjectTable;

namespace {

HGDIOBJ& slotFor(auto& state, ObjectType type) {
    switch (type) {
        case ObjectType::Pen:
            return state.pen;
        case ObjectType::Brush:
            return state.brush;
        case ObjectType::Font:
            return state.font;
        case ObjectType::Bitmap:
            return state.bitmap;
        default:
            return state.palette;
    }
}

bool validRop2(int mode) {
    return mode >= R2_BLACK && mode <= R2_WHITE;
}

// Device units per logical unit for the fixed mapping modes, as (window extent, viewport extent)
// for one axis at `dpi` pixels per inch.
std::pair<int, int> fixedExtent(int mode, int dpi) {
    switch (mode) {
        case MM_LOMETRIC:
            return {254, dpi};
        case MM_HIMETRIC:
            return {2540, dpi};
        case MM_LOENGLISH:
            return {100, dpi};
        case MM_HIENGLISH:
            return {1000, dpi};
        case MM_TWIPS:
            return {1440, dpi};
        default:
            return {1, 1};
    }
}

}  // namespace

QColor toQColor(COLORREF color) {
    return QColor(redOf(color), greenOf(color), blueOf(color));
}
COLORREF fromQColor(const QColor& color) {
    return rgb(color.red(), color.green(), color.blue());
}

DeviceContext::DeviceContext(Kind kind) : kind_(kind) {}

DeviceContext::~DeviceContext() {
    releaseSelections();
}

void DeviceContext::releaseSelections() {
    auto& table = ObjectTable::instance();
    auto releaseAll = [&](const State& s) {
        for (HGDIOBJ h : {s.pen, s.brush, s.font, s.bitmap, s.palette}) {
            if (h != NULL_HANDLE)
                table.release(h);
        }
    };
    releaseAll(state_);
    for (const State& s : saved_)
        releaseAll(s);
    saved_.clear();
    state_.pen = state_.brush = state_.font = state_.bitmap = state_.palette = NULL_HANDLE;
}

void DeviceContext::initDefaults(HBITMAP bitmap) {
    auto& table = ObjectTable::instance();
    auto take = [&](HGDIOBJ& slot, HGDIOBJ object) {
        slot = object;
        if (object != NULL_HANDLE)
            table.retain(object);
    };
    take(state_.pen, getStockObject(BLACK_PEN));
    take(state_.brush, getStockObject(WHITE_BRUSH));
    take(state_.font, getStockObject(SYSTEM_FONT));
    take(state_.palette, getStockObject(DEFAULT_PALETTE));
    take(state_.bitmap, bitmap);
}

HGDIOBJ DeviceContext::selectObject(HGDIOBJ object) {
    const ObjectType type = getObjectType(object);
    if (type == ObjectType::None || type == ObjectType::Region)
        return NULL_HANDLE;
    if (type == ObjectType::Bitmap && !acceptsBitmap())
        return NULL_HANDLE;
    auto& table = ObjectTable::instance();
    HGDIOBJ& slot = slotFor(state_, type);
    const HGDIOBJ previous = slot;
    if (previous == object)
        return previous;
    if (type == ObjectType::Bitmap) {
        // A bitmap can be selected into one memory context at a time.
        if (auto found = table.find(object); found && found->selections > 0 && !found->isStock())
            return NULL_HANDLE;
    }
    table.retain(object);
    slot = object;
    onSelect(object);
    if (previous != NULL_HANDLE)
        table.release(previous);
    return previous;
}

HGDIOBJ DeviceContext::currentObject(ObjectType type) const {
    switch (type) {
        case ObjectType::Pen:
            return state_.pen;
        case ObjectType::Brush:
            return state_.brush;
        case ObjectType::Font:
            return state_.font;
        case ObjectType::Bitmap:
            return state_.bitmap;
        case ObjectType::Palette:
            return state_.palette;
        default:
            return NULL_HANDLE;
    }
}

int DeviceContext::setROP2(int mode) {
    if (!validRop2(mode))
        return 0;
    const int previous = std::exchange(state_.rop2, mode);
    onAttribute(Attribute::Rop2);
    return previous;
}

int DeviceContext::setBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    const int previous = std::exchange(state_.bkMode, mode);
    onAttribute(Attribute::BkMode);
    return previous;
}

COLORREF DeviceContext::setBkColor(COLORREF color) {
    const COLORREF previous = std::exchange(state_.bkColor, color & 0xFFFFFF);
    onAttribute(Attribute::BkColor);
    return previous;
}

COLORREF DeviceContext::setTextColor(COLORREF color) {
    const COLORREF previous = std::exchange(state_.textColor, color & 0xFFFFFF);
    onAttribute(Attribute::TextColor);
    return previous;
}

unsigned DeviceContext::setTextAlign(unsigned align) {
    const unsigned previous = std::exchange(state_.textAlign, align);
    onAttribute(Attribute::TextAlign);
    return previous;
}

int DeviceContext::setPolyFillMode(int mode) {
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    const int previous = std::exchange(state_.polyFillMode, mode);
    onAttribute(Attribute::PolyFillMode);
    return previous;
}

int DeviceContext::setMapMode(int mode) {
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    const int previous = std::exchange(state_.mapMode, mode);
    if (mode <= MM_TWIPS) {
        const auto [wx, vx] = fixedExtent(mode, getDeviceCaps(LOGPIXELSX));
        const auto [wy, vy] = fixedExtent(mode, getDeviceCaps(LOGPIXELSY));
        state_.windowExt = {wx, wy};
        // Every mode but MM_TEXT has y growing upwards.
        state_.viewportExt = {vx, mode == MM_TEXT ? vy : -vy};
    }
    onAttribute(Attribute::MapMode);
    return previous;
}

Point DeviceContext::setWindowOrg(int x, int y) {
    const Point previous = std::exchange(state_.windowOrg, Point{x, y});
    onAttribute(Attribute::WindowOrg);
    return previous;
}

Point DeviceContext::setViewportOrg(int x, int y) {
    const Point previous = std::exchange(state_.viewportOrg, Point{x, y});
    onAttribute(Attribute::ViewportOrg);
    return previous;
}

Size DeviceContext::setWindowExt(int cx, int cy) {
    const Size previous = state_.windowExt;
    if (state_.mapMode < MM_ISOTROPIC || cx == 0 || cy == 0)
        return previous;
    state_.windowExt = {cx, cy};
    if (state_.mapMode == MM_ISOTROPIC)
        applyIsotropic();
    onAttribute(Attribute::WindowExt);
    return previous;
}

Size DeviceContext::setViewportExt(int cx, int cy) {
    const Size previous = state_.viewportExt;
    if (state_.mapMode < MM_ISOTROPIC || cx == 0 || cy == 0)
        return previous;
    state_.viewportExt = {cx, cy};
    if (state_.mapMode == MM_ISOTROPIC)
        applyIsotropic();
    onAttribute(Attribute::ViewportExt);
    return previous;
}

// Isotropic mapping keeps one logical unit the same size on both axes by shrinking the viewport
// extent of the axis that would be stretched more.
void DeviceContext::applyIsotropic() {
    Size& v = state_.viewportExt;
    const Size& w = state_.windowExt;
    const double sx = std::abs(double(v.cx) / w.cx);
    const double sy = std::abs(double(v.cy) / w.cy);
    if (sx > sy) {
        v.cx = static_cast<int>(std::lround(std::copysign(std::abs(w.cx) * sy, double(v.cx))));
    } else if (sy > sx) {
        v.cy = static_cast<int>(std::lround(std::copysign(std::abs(w.cy) * sx, double(v.cy))));
    }
}

double DeviceContext::scaleX() const {
    return std::abs(double(state_.viewportExt.cx) / state_.windowExt.cx);
}
double DeviceContext::scaleY() const {
    return std::abs(double(state_.viewportExt.cy) / state_.windowExt.cy);
}

Point DeviceContext::lpToDp(Point p) const {
    const State& s = state_;
    // Equal non-zero extents below 2^20 scale exactly (the product stays below 2^53), so the result
    // is the shifted point itself; drawing calls map every point and skip the rounding this way.
    constexpr int kExactExtent = 1 << 20;
    auto exact = [](std::int64_t extent) { return extent != 0 && std::abs(extent) < kExactExtent; };
    if (s.windowExt == s.viewportExt && exact(s.windowExt.cx) && exact(s.windowExt.cy)) {
        const std::int64_t x = std::int64_t(p.x - s.windowOrg.x) + s.viewportOrg.x;
        const std::int64_t y = std::int64_t(p.y - s.windowOrg.y) + s.viewportOrg.y;
        return {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
    }
    const double x = double(p.x - s.windowOrg.x) * s.viewportExt.cx / s.windowExt.cx + s.viewportOrg.x;
    const double y = double(p.y - s.windowOrg.y) * s.viewportExt.cy / s.windowExt.cy + s.viewportOrg.y;
    return {static_cast<std::int32_t>(std::lround(x)), static_cast<std::int32_t>(std::lround(y))};
}

Point DeviceContext::dpToLp(Point p) const {
    const State& s = state_;
    const double x = double(p.x - s.viewportOrg.x) * s.windowExt.cx / s.viewportExt.cx + s.windowOrg.x;
    const double y = double(p.y - s.viewportOrg.y) * s.windowExt.cy / s.viewportExt.cy + s.windowOrg.y;
    return {static_cast<std::int32_t>(std::lround(x)), static_cast<std::int32_t>(std::lround(y))};
}

QRect DeviceContext::deviceRect(int left, int top, int right, int bottom) const {
    const Point a = lpToDp({left, top});
    const Point b = lpToDp({right, bottom});
    const int l = std::min(a.x, b.x), r = std::max(a.x, b.x);
    const int t = std::min(a.y, b.y), btm = std::max(a.y, b.y);
    return QRect(l, t, r - l, btm - t);
}

QRegion DeviceContext::deviceBounds() const {
    return QRegion(0, 0, getDeviceCaps(HORZRES), getDeviceCaps(VERTRES));
}

int DeviceContext::clipKind() const {
    if (!state_.clip)
        return SIMPLEREGION;
    if (state_.clip->isEmpty())
        return NULLREGION;
    return state_.clip->rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int DeviceContext::selectClipRgn(HRGN region) {
    if (region == NULL_HANDLE) {
        state_.clip.reset();
        onSelectClip(nullptr);
        return SIMPLEREGION;
    }
    auto* data = ObjectTable::instance().data<detail::RegionData>(region, ObjectType::Region);
    if (!data)
        return RGN_ERROR;
    state_.clip = std::make_shared<const QRegion>(data->region);
    onSelectClip(state_.clip.get());
    return clipKind();
}

int DeviceContext::intersectClipRect(int left, int top, int right, int bottom) {
    const QRegion current = state_.clip ? *state_.clip : deviceBounds();
    state_.clip = std::make_shared<const QRegion>(current & QRegion(deviceRect(left, top, right, bottom)));
    onIntersectClip({left, top, right, bottom});
    return clipKind();
}

int DeviceContext::excludeClipRect(int left, int top, int right, int bottom) {
    const QRegion current = state_.clip ? *state_.clip : deviceBounds();
    state_.clip = std::make_shared<const QRegion>(current - QRegion(deviceRect(left, top, right, bottom)));
    onExcludeClip({left, top, right, bottom});
    return clipKind();
}

int DeviceContext::getClipBox(Rect* box) const {
    if (!box)
        return RGN_ERROR;
    const QRect b = state_.clip ? state_.clip->boundingRect() : deviceBounds().boundingRect();
    if (b.isEmpty()) {
        *box = {};
        return NULLREGION;
    }
    const Point a = dpToLp({b.left(), b.top()});
    const Point c = dpToLp({b.right() + 1, b.bottom() + 1});
    *box = {std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y)};
    return clipKind();
}

int DeviceContext::saveDC() {
    auto& table = ObjectTable::instance();
    for (HGDIOBJ h : {state_.pen, state_.brush, state_.font, state_.bitmap, state_.palette}) {
        if (h != NULL_HANDLE)
            table.retain(h);
    }
    saved_.push_back(state_);
    onSave();
    return static_cast<int>(saved_.size());
}

bool DeviceContext::restoreDC(int level) {
    const int count = static_cast<int>(saved_.size());
    const int target = level < 0 ? count + level + 1 : level;
    if (target < 1 || target > count)
        return false;
    onRestore(target - count - 1);
    auto& table = ObjectTable::instance();
    auto releaseAll = [&](const State& s) {
        for (HGDIOBJ h : {s.pen, s.brush, s.font, s.bitmap, s.palette}) {
            if (h != NULL_HANDLE)
                table.release(h);
        }
    };
    // The saved state's references move into the current state; later saved states are dropped.
    State restored = saved_[static_cast<std::size_t>(target - 1)];
    for (std::size_t i = static_cast<std::size_t>(target); i < saved_.size(); ++i)
        releaseAll(saved_[i]);
    saved_.resize(static_cast<std::size_t>(target - 1));
    releaseAll(state_);
    state_ = std::move(restored);
    return true;
}

Point DeviceContext::moveTo(int x, int y) {
    const Point previous = std::exchange(state_.position, Point{x, y});
    onAttribute(Attribute::MoveTo);
    return previous;
}

bool DeviceContext::lineTo(int x, int y) {
    const Point from = state_.position;
    state_.position = {x, y};
    return drawLine(from, {x, y});
}

bool DeviceContext::polyline(std::span<const Point> points) {
    return points.size() >= 2 && drawPoly(points, false);
}

bool DeviceContext::polygon(std::span<const Point> points) {
    return points.size() >= 2 && drawPoly(points, true);
}

bool DeviceContext::rectangle(int left, int top, int right, int bottom) {
    return drawShape(Shape::Rectangle, {left, top, right, bottom}, {}, {});
}

bool DeviceContext::ellipse(int left, int top, int right, int bottom) {
    return drawShape(Shape::Ellipse, {left, top, right, bottom}, {}, {});
}

bool DeviceContext::roundRect(int left, int top, int right, int bottom, int width, int height) {
    return drawShape(Shape::RoundRect, {left, top, right, bottom}, {width, height}, {});
}

bool DeviceContext::arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    return drawShape(Shape::Arc, {l, t, r, b}, {xs, ys}, {xe, ye});
}

bool DeviceContext::pie(int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    return drawShape(Shape::Pie, {l, t, r, b}, {xs, ys}, {xe, ye});
}

bool DeviceContext::chord(int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    return drawShape(Shape::Chord, {l, t, r, b}, {xs, ys}, {xe, ye});
}

bool DeviceContext::fillRect(const Rect& rect, HBRUSH brush) {
    if (getObjectType(brush) != ObjectType::Brush)
        return false;
    return fillDeviceRect(rect, brush, PATCOPY);
}

bool DeviceContext::frameRect(const Rect& rect, HBRUSH brush) {
    if (getObjectType(brush) != ObjectType::Brush || rect.isEmpty())
        return false;
    // One logical unit wide on each side.
    const Rect edges[] = {{rect.left, rect.top, rect.right, rect.top + 1},
                          {rect.left, rect.bottom - 1, rect.right, rect.bottom},
                          {rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1},
                          {rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1}};
    bool ok = true;
    for (const Rect& edge : edges) {
        if (!edge.isEmpty())
            ok = fillDeviceRect(edge, brush, PATCOPY) && ok;
    }
    return ok;
}

bool DeviceContext::invertRect(const Rect& rect) {
    return fillDeviceRect(rect, NULL_HANDLE, DSTINVERT);
}

COLORREF DeviceContext::setPixel(int x, int y, COLORREF color) {
    return putPixel({x, y}, color & 0xFFFFFF);
}

COLORREF DeviceContext::getPixel(int x, int y) const {
    const Point d = lpToDp({x, y});
    if (state_.clip && !state_.clip->contains(QPoint(d.x, d.y)))
        return CLR_INVALID;
    return readPixel({x, y});
}

bool DeviceContext::textOut(int x, int y, const QString& text) {
    return extTextOut(x, y, 0, nullptr, text);
}

bool DeviceContext::textOut(int x, int y, std::string_view utf8) {
    return textOut(x, y, QString::fromUtf8(utf8));
}

bool DeviceContext::extTextOut(int x, int y, unsigned options, const Rect* rect, const QString& text) {
    Point reference{x, y};
    if (state_.textAlign & TA_UPDATECP) {
        reference = state_.position;
        state_.position.x += getTextExtent(text).cx;
    }
    return renderText(reference, options, rect, text);
}

int DeviceContext::drawText(const QString& text, Rect& rect, unsigned format) {
    const QStringList lines =
        (format & DT_SINGLELINE) ? QStringList{QString(text).replace('\n', ' ')} : text.split('\n');
    const int lineHeight = getTextMetrics().height;
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, getTextExtent(line).cx);
    const int height = lineHeight * static_cast<int>(lines.size());
    if (format & DT_CALCRECT) {
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
        return height;
    }
    int y = rect.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect.top + (rect.height() - lineHeight) / 2;
        if (format & DT_BOTTOM)
            y = rect.bottom - lineHeight;
    }
    const unsigned wanted = TA_LEFT | TA_TOP | ((format & DT_RTLREADING) ? TA_RTLREADING : 0);
    const unsigned savedAlign = state_.textAlign;
    if (savedAlign != wanted)
        setTextAlign(wanted);
    const unsigned options = (format & DT_NOCLIP) ? 0 : ETO_CLIPPED;
    for (const QString& line : lines) {
        const int w = getTextExtent(line).cx;
        int x = rect.left;
        if (format & DT_CENTER)
            x = rect.left + (rect.width() - w) / 2;
        if (format & DT_RIGHT)
            x = rect.right - w;
        renderText(Point{x, y}, options, &rect, line);
        y += lineHeight;
    }
    if (savedAlign != wanted)
        setTextAlign(savedAlign);
    return height;
}

int DeviceContext::drawText(std::string_view utf8, Rect& rect, unsigned format) {
    return drawText(QString::fromUtf8(utf8), rect, format);
}

QImage DeviceContext::image() const {
    return {};
}

QFont DeviceContext::deviceFont() const {
    const auto font = getFont(state_.font);
    return detail::toQFont(font.value_or(LogFont{}), scaleY());
}

Size DeviceContext::getTextExtent(const QString& text) const {
    return measureText(text);
}

Size DeviceContext::getTextExtent(std::string_view utf8) const {
    return getTextExtent(QString::fromUtf8(utf8));
}

Size DeviceContext::measureText(const QString& text) const {
    const QFontMetricsF metrics(deviceFont());
    const double w = metrics.horizontalAdvance(text) / scaleX();
    const double h = metrics.height() / scaleY();
    return {static_cast<std::int32_t>(std::ceil(w - 1e-6)), static_cast<std::int32_t>(std::ceil(h - 1e-6))};
}

TextMetrics DeviceContext::getTextMetrics() const {
    const QFont font = deviceFont();
    const QFontMetricsF m(font);
    const double sy = scaleY(), sx = scaleX();
    auto ly = [&](double v) { return static_cast<std::int32_t>(std::lround(v / sy)); };
    auto lx = [&](double v) { return static_cast<std::int32_t>(std::lround(v / sx)); };
    TextMetrics t;
    t.ascent = ly(m.ascent());
    t.descent = ly(m.descent());
    t.height = t.ascent + t.descent;
    t.internalLeading = std::max(0, t.height - ly(font.pixelSize()));
    t.externalLeading = std::max(0, ly(m.leading()));
    t.aveCharWidth = lx(m.averageCharWidth());
    t.maxCharWidth = lx(m.maxWidth());
    t.weight = font.weight();
    t.italic = font.italic();
    t.underlined = font.underline();
    return t;
}

bool DeviceContext::bitBlt(int x, int y, int width, int height, const DeviceContext* source, int xSrc,
                           int ySrc, DWORD rop) {
    if (width <= 0 || height <= 0)
        return false;
    const bool needsSource = ropUsesSource(rop);
    if (needsSource && !source)
        return false;
    return blit({x, y, x + width, y + height}, source, {xSrc, ySrc, xSrc + width, ySrc + height}, rop);
}

bool DeviceContext::stretchBlt(int x, int y, int width, int height, const DeviceContext* source, int xSrc,
                               int ySrc, int widthSrc, int heightSrc, DWORD rop) {
    if (width == 0 || height == 0)
        return false;
    const bool needsSource = ropUsesSource(rop);
    if (needsSource && (!source || widthSrc == 0 || heightSrc == 0))
        return false;
    return blit({x, y, x + width, y + height}, source, {xSrc, ySrc, xSrc + widthSrc, ySrc + heightSrc}, rop);
}

}  // namespace gdi
