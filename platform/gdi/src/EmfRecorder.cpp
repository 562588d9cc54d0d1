#include "gdi/EmfRecorder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include <QFontMetricsF>
#include <QTextLayout>
#include <QTransform>

#include "DibWriter.h"
#include "ObjectTable.h"
#include "gdi/WholeFile.h"

namespace gdi {

namespace {

constexpr int kDpi = 96;
constexpr double kMmPerPixel = 25.4 / kDpi;
constexpr std::uint32_t kStockFlag = 0x80000000;
constexpr std::size_t kLogFontPanoseSize = 320;
constexpr std::size_t kFaceNameChars = 32;

using dib::kInfoHeaderSize;
using dib::put16;
using dib::put32;

void putI32(QByteArray& out, std::int32_t v) {
    put32(out, static_cast<std::uint32_t>(v));
}
void putFloat(QByteArray& out, float v) {
    put32(out, std::bit_cast<std::uint32_t>(v));
}
void pad4(QByteArray& out) {
    while (out.size() % 4)
        out.append('\0');
}
void patch32(QByteArray& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out[qsizetype(at) + i] = char((v >> (8 * i)) & 0xFF);
}
// UTF-16LE text in exactly `chars` code units (cut or zero-filled).
void putUtf16(QByteArray& out, const std::u16string& text, std::size_t chars) {
    for (std::size_t i = 0; i < chars; ++i)
        put16(out, i < text.size() ? text[i] : 0);
}

// A 32-bit device-independent bitmap: BITMAPINFOHEADER, then the rows bottom-up as B, G, R, 0.
// Empty when the image is empty or too large to carry.
QByteArray encodeDib(const QImage& image) {
    const std::int64_t pixels = std::int64_t(image.width()) * image.height();
    if (image.isNull() || pixels > EMF_MAX_BITMAP_PIXELS)
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QByteArray out;
    out.reserve(qsizetype(kInfoHeaderSize + pixels * 4));
    dib::putInfoHeader(out, rgb.width(), rgb.height(), 32, static_cast<std::uint32_t>(pixels * 4));
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const char bgr0[4] = {char(qBlue(line[x])), char(qGreen(line[x])), char(qRed(line[x])), 0};
            out.append(bgr0, 4);
        }
    }
    return out;
}

bool fits16(std::span<const Point> points) {
    return std::all_of(points.begin(), points.end(), [](const Point& p) {
        return p.x >= INT16_MIN && p.x <= INT16_MAX && p.y >= INT16_MIN && p.y <= INT16_MAX;
    });
}

}  // namespace

EmfRecorder::EmfRecorder() : EmfRecorder(Options{}) {}

EmfRecorder::EmfRecorder(Options options) : DeviceContext(Kind::Metafile), options_(std::move(options)) {
    indexUsed_.push_back(true);
    // The header is written now and completed by close().
    const std::u16string description = [&] {
        if (options_.application.isEmpty() && options_.picture.isEmpty())
            return std::u16string();
        std::u16string d = options_.application.toStdU16String();
        d.push_back(0);
        d += options_.picture.toStdU16String();
        d.push_back(0);
        d.push_back(0);
        return d;
    }();
    begin(EmfRecord::Header);
    for (int i = 0; i < 8; ++i)
        put32(data_, 0);  // bounds and frame, patched on close
    put32(data_, EMF_SIGNATURE);
    put32(data_, 0x00010000);  // version
    put32(data_, 0);           // bytes, patched
    put32(data_, 0);           // records, patched
    put16(data_, 0);           // handles, patched
    put16(data_, 0);
    put32(data_, static_cast<std::uint32_t>(description.size()));
    put32(data_, description.empty() ? 0 : static_cast<std::uint32_t>(EMF_HEADER_SIZE));
    put32(data_, 0);  // palette entries
    const Size px = options_.devicePixels;
    putI32(data_, px.cx);
    putI32(data_, px.cy);
    putI32(data_, static_cast<std::int32_t>(std::lround(px.cx * kMmPerPixel)));
    putI32(data_, static_cast<std::int32_t>(std::lround(px.cy * kMmPerPixel)));
    put32(data_, 0);  // pixel format size
    put32(data_, 0);  // pixel format offset
    put32(data_, 0);  // OpenGL
    putI32(data_, static_cast<std::int32_t>(std::lround(px.cx * kMmPerPixel * 1000)));
    putI32(data_, static_cast<std::int32_t>(std::lround(px.cy * kMmPerPixel * 1000)));
    putUtf16(data_, description, description.size());
    pad4(data_);
    end();
    initDefaults(NULL_HANDLE);
    listenerToken_ =
        detail::ObjectTable::instance().addDestroyListener([this](HGDIOBJ h) { onDestroyed(h); });
}

EmfRecorder::~EmfRecorder() {
    detail::ObjectTable::instance().removeDestroyListener(listenerToken_);
    closed_ = true;  // no records while the selections are dropped
    releaseSelections();
}

void EmfRecorder::begin(EmfRecord type) {
    recordStart_ = static_cast<std::size_t>(data_.size());
    put32(data_, static_cast<std::uint32_t>(type));
    put32(data_, 0);
}

void EmfRecorder::end() {
    pad4(data_);
    patch32(data_, recordStart_ + 4, static_cast<std::uint32_t>(std::size_t(data_.size()) - recordStart_));
    ++records_;
}

void EmfRecorder::emitSimple(EmfRecord type, std::initializer_list<std::uint32_t> words) {
    if (closed_)
        return;
    begin(type);
    for (std::uint32_t w : words)
        put32(data_, w);
    end();
}

Rect EmfRecorder::bounds() const {
    if (!bounds_)
        return {0, 0, -1, -1};
    return {bounds_->left(), bounds_->top(), bounds_->right(), bounds_->bottom()};
}

QByteArray EmfRecorder::close() {
    if (closed_)
        return data_;
    begin(EmfRecord::Eof);
    put32(data_, 0);   // palette entries
    put32(data_, 16);  // offset of the (empty) palette
    put32(data_, 20);  // size of this record, repeated last
    end();
    closed_ = true;
    const Rect b = bounds();
    const Rect frame = options_.frame.value_or(
        bounds_ ? Rect{static_cast<std::int32_t>(std::lround(b.left * kMmPerPixel * 100)),
                       static_cast<std::int32_t>(std::lround(b.top * kMmPerPixel * 100)),
                       static_cast<std::int32_t>(std::lround(b.right * kMmPerPixel * 100)),
                       static_cast<std::int32_t>(std::lround(b.bottom * kMmPerPixel * 100))}
                : Rect{0, 0, -1, -1});
    const std::int32_t rects[8] = {b.left,     b.top,     b.right,     b.bottom,
                                   frame.left, frame.top, frame.right, frame.bottom};
    for (int i = 0; i < 8; ++i)
        patch32(data_, 8 + 4 * std::size_t(i), static_cast<std::uint32_t>(rects[i]));
    patch32(data_, 48, static_cast<std::uint32_t>(data_.size()));
    patch32(data_, 52, records_);
    data_[56] = char(maxHandles_ & 0xFF);
    data_[57] = char((maxHandles_ >> 8) & 0xFF);
    return data_;
}

bool EmfRecorder::saveToFile(const QString& path) {
    return writeWholeFile(path, close());
}

int EmfRecorder::getDeviceCaps(int index) const {
    const Size px = options_.devicePixels;
    switch (index) {
        case TECHNOLOGY:
            return DT_RASDISPLAY;
        case HORZRES:
            return px.cx;
        case VERTRES:
            return px.cy;
        case HORZSIZE:
            return static_cast<int>(std::lround(px.cx * kMmPerPixel));
        case VERTSIZE:
            return static_cast<int>(std::lround(px.cy * kMmPerPixel));
        case LOGPIXELSX:
        case LOGPIXELSY:
            return kDpi;
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        case NUMCOLORS:
            return -1;
        case RASTERCAPS:
            return RC_BITBLT | RC_DI_BITMAP | RC_STRETCHBLT;
        default:
            return 0;
    }
}

// --- state records ---

void EmfRecorder::onAttribute(Attribute attribute) {
    const State& s = state();
    auto pt = [this](EmfRecord type, Point p) { emitSimple(type, {std::uint32_t(p.x), std::uint32_t(p.y)}); };
    auto sz = [this](EmfRecord type, Size z) {
        emitSimple(type, {std::uint32_t(z.cx), std::uint32_t(z.cy)});
    };
    switch (attribute) {
        case Attribute::Rop2:
            emitSimple(EmfRecord::SetRop2, {std::uint32_t(s.rop2)});
            break;
        case Attribute::BkMode:
            emitSimple(EmfRecord::SetBkMode, {std::uint32_t(s.bkMode)});
            break;
        case Attribute::BkColor:
            emitSimple(EmfRecord::SetBkColor, {s.bkColor});
            break;
        case Attribute::TextColor:
            emitSimple(EmfRecord::SetTextColor, {s.textColor});
            break;
        case Attribute::TextAlign:
            emitSimple(EmfRecord::SetTextAlign, {s.textAlign});
            break;
        case Attribute::PolyFillMode:
            emitSimple(EmfRecord::SetPolyFillMode, {std::uint32_t(s.polyFillMode)});
            break;
        case Attribute::MapMode:
            emitSimple(EmfRecord::SetMapMode, {std::uint32_t(s.mapMode)});
            break;
        case Attribute::WindowOrg:
            pt(EmfRecord::SetWindowOrgEx, s.windowOrg);
            break;
        case Attribute::WindowExt:
            sz(EmfRecord::SetWindowExtEx, s.windowExt);
            break;
        case Attribute::ViewportOrg:
            pt(EmfRecord::SetViewportOrgEx, s.viewportOrg);
            break;
        case Attribute::ViewportExt:
            sz(EmfRecord::SetViewportExtEx, s.viewportExt);
            break;
        case Attribute::MoveTo:
            pt(EmfRecord::MoveToEx, s.position);
            break;
    }
}

void EmfRecorder::onSave() {
    emitSimple(EmfRecord::SaveDC, {});
}

void EmfRecorder::onRestore(int relative) {
    emitSimple(EmfRecord::RestoreDC, {std::uint32_t(relative)});
}

// Clip changes are written as the calls that made them, which every reader replays. A selection is
// a reset followed by an intersection with the region: readers take a region copied in (RGN_COPY)
// as a reset or ignore it, so the copy is used only to remove the clip.
void EmfRecorder::onSelectClip(const QRegion* region) {
    if (closed_)
        return;
    emitSimple(EmfRecord::ExtSelectClipRgn, {0, std::uint32_t(RGN_COPY)});
    if (!region)
        return;
    const auto count = static_cast<std::uint32_t>(region->rectCount());
    begin(EmfRecord::ExtSelectClipRgn);
    put32(data_, 32 + 16 * count);
    put32(data_, std::uint32_t(RGN_AND));
    // Region data: header (size 32, rectangles type 1, count, data size, bounds), then rectangles.
    put32(data_, 32);
    put32(data_, 1);
    put32(data_, count);
    put32(data_, 16 * count);
    const QRect b = region->boundingRect();
    for (int v : {b.left(), b.top(), b.right() + 1, b.bottom() + 1})
        putI32(data_, region->isEmpty() ? 0 : v);
    for (const QRect& r : *region) {
        for (int v : {r.left(), r.top(), r.right() + 1, r.bottom() + 1})
            putI32(data_, v);
    }
    end();
}

void EmfRecorder::onIntersectClip(const Rect& logical) {
    emitSimple(EmfRecord::IntersectClipRect, {std::uint32_t(logical.left), std::uint32_t(logical.top),
                                              std::uint32_t(logical.right), std::uint32_t(logical.bottom)});
}

void EmfRecorder::onExcludeClip(const Rect& logical) {
    emitSimple(EmfRecord::ExcludeClipRect, {std::uint32_t(logical.left), std::uint32_t(logical.top),
                                            std::uint32_t(logical.right), std::uint32_t(logical.bottom)});
}

// --- objects ---

void EmfRecorder::onSelect(HGDIOBJ object) {
    emitSelect(object);
}

void EmfRecorder::emitSelect(HGDIOBJ object) {
    if (closed_)
        return;
    if (getObjectType(object) == ObjectType::Palette)
        return;  // palettes are not recorded
    if (const int stock = stockIndexOf(object); stock >= 0) {
        emitSimple(EmfRecord::SelectObject, {kStockFlag | std::uint32_t(stock)});
        return;
    }
    if (auto index = ensureObject(object))
        emitSimple(EmfRecord::SelectObject, {*index});
}

std::optional<std::uint32_t> EmfRecorder::ensureObject(HGDIOBJ object) {
    const auto key = static_cast<std::uint32_t>(object);
    if (auto it = handleIndex_.find(key); it != handleIndex_.end())
        return it->second;
    auto found = detail::ObjectTable::instance().find(object);
    if (!found)
        return std::nullopt;
    const auto slot = std::find(indexUsed_.begin(), indexUsed_.end(), false);
    const auto index = static_cast<std::uint32_t>(slot - indexUsed_.begin());
    if (slot == indexUsed_.end()) {
        indexUsed_.push_back(true);
    } else {
        *slot = true;
    }
    maxHandles_ = std::max<std::uint32_t>(maxHandles_, index + 1);
    handleIndex_[key] = index;

    if (found->type == ObjectType::Pen) {
        const LogPen& pen = found->as<detail::PenData>().pen;
        if ((pen.style & ~std::uint32_t(PS_STYLE_MASK)) == 0) {
            emitSimple(EmfRecord::CreatePen, {index, pen.style, std::uint32_t(pen.width), 0, pen.color});
        } else {
            // Extended pen: no brush bitmap (offsets and sizes 0), then the pen description.
            emitSimple(EmfRecord::ExtCreatePen,
                       {index, 0, 0, 0, 0, pen.style, std::uint32_t(pen.width), BS_SOLID, pen.color, 0, 0});
        }
    } else if (found->type == ObjectType::Brush) {
        const auto& data = found->as<detail::BrushData>();
        const LogBrush& brush = data.brush;
        const QByteArray dib = brush.style == BS_PATTERN ? encodeDib(data.pattern) : QByteArray();
        if (!dib.isEmpty()) {
            // Brush index, DIB_RGB_COLORS, then offsets and sizes of the header and the bits.
            begin(EmfRecord::CreateDibPatternBrushPt);
            for (std::uint32_t v : {index, 0u, 32u, kInfoHeaderSize, 32u + kInfoHeaderSize,
                                    static_cast<std::uint32_t>(dib.size()) - kInfoHeaderSize})
                put32(data_, v);
            data_.append(dib);
            end();
        } else {
            const LogBrush plain = brush.style == BS_PATTERN ? LogBrush{BS_NULL, 0, 0} : brush;
            emitSimple(EmfRecord::CreateBrushIndirect,
                       {index, plain.style, plain.color, std::uint32_t(plain.hatch)});
        }
    } else if (found->type == ObjectType::Font) {
        const LogFont& f = found->as<detail::FontData>().font;
        begin(EmfRecord::ExtCreateFontIndirectW);
        put32(data_, index);
        const auto start = data_.size();
        for (std::int32_t v : {f.height, f.width, f.escapement, f.orientation, f.weight})
            putI32(data_, v);
        const char flags[8] = {
            char(f.italic), char(f.underline), char(f.strikeOut), char(f.charSet), 0, 0, 0, 0};
        data_.append(flags, 8);
        putUtf16(data_, QString::fromStdString(f.faceName).toStdU16String().substr(0, kFaceNameChars - 1),
                 kFaceNameChars);
        // Full name, style, version, style size, match, reserved, vendor, culture, panose: empty.
        data_.append(QByteArray(qsizetype(kLogFontPanoseSize) - (data_.size() - start), '\0'));
        end();
    }
    return index;
}

void EmfRecorder::onDestroyed(HGDIOBJ object) {
    const auto it = handleIndex_.find(static_cast<std::uint32_t>(object));
    if (it == handleIndex_.end())
        return;
    const std::uint32_t index = it->second;
    handleIndex_.erase(it);
    indexUsed_[index] = false;
    emitSimple(EmfRecord::DeleteObject, {index});
}

// --- bounds ---

int EmfRecorder::penInflate() const {
    const auto pen = getPen(state().pen);
    if (!pen || (pen->style & PS_STYLE_MASK) == PS_NULL)
        return 0;
    const double width = pen->width * scaleX();
    return width > 1.0 ? static_cast<int>(std::ceil(width / 2.0)) : 0;
}

void EmfRecorder::includeDevice(const QRect& device) {
    QRect r = device;
    if (state().clip)
        r &= state().clip->boundingRect();
    if (r.isEmpty())
        return;
    bounds_ = bounds_ ? bounds_->united(r) : r;
}

QRect EmfRecorder::includeLogical(const Rect& box) {
    const int grow = penInflate();
    QRect d = deviceRect(box.left, box.top, box.right, box.bottom);
    d.setSize(d.size() + QSize(1, 1));  // inclusive-inclusive
    d.adjust(-grow, -grow, grow, grow);
    includeDevice(d);
    return d;
}

void EmfRecorder::writeRect(const Rect& r) {
    for (std::int32_t v : {r.left, r.top, r.right, r.bottom})
        putI32(data_, v);
}

// --- drawing records ---

bool EmfRecorder::drawLine(Point from, Point to) {
    if (closed_)
        return false;
    includeLogical(
        {std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x), std::max(from.y, to.y)});
    emitSimple(EmfRecord::LineTo, {std::uint32_t(to.x), std::uint32_t(to.y)});
    return true;
}

bool EmfRecorder::drawPoly(std::span<const Point> points, bool closed) {
    if (closed_)
        return false;
    Rect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const Point& p : points) {
        box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
               std::max(box.bottom, p.y)};
    }
    const QRect own = includeLogical(box);
    const bool small = fits16(points);
    begin(small ? (closed ? EmfRecord::Polygon16 : EmfRecord::Polyline16)
                : (closed ? EmfRecord::Polygon : EmfRecord::Polyline));
    writeRect({own.left(), own.top(), own.right(), own.bottom()});
    put32(data_, static_cast<std::uint32_t>(points.size()));
    for (const Point& p : points) {
        if (small) {
            put16(data_, static_cast<std::uint16_t>(p.x));
            put16(data_, static_cast<std::uint16_t>(p.y));
        } else {
            putI32(data_, p.x);
            putI32(data_, p.y);
        }
    }
    end();
    return true;
}

bool EmfRecorder::drawShape(Shape shape, const Rect& box, Point start, Point end_) {
    if (closed_)
        return false;
    includeLogical(box);
    static constexpr EmfRecord kTypes[] = {EmfRecord::Rectangle, EmfRecord::Ellipse, EmfRecord::Arc,
                                           EmfRecord::Pie,       EmfRecord::Chord,   EmfRecord::RoundRect};
    begin(kTypes[static_cast<int>(shape)]);
    writeRect(box);
    if (shape == Shape::RoundRect) {
        putI32(data_, start.x);
        putI32(data_, start.y);
    } else if (shape != Shape::Rectangle && shape != Shape::Ellipse) {
        for (std::int32_t v : {start.x, start.y, end_.x, end_.y})
            putI32(data_, v);
    }
    end();
    return true;
}

bool EmfRecorder::fillDeviceRect(const Rect& rect, HBRUSH brush, DWORD rop) {
    if (closed_)
        return false;
    const HBRUSH current = state().brush;
    const bool swap = rop == PATCOPY && brush != NULL_HANDLE && brush != current;
    if (swap)
        emitSelect(brush);
    const QRect d = deviceRect(rect.left, rect.top, rect.right, rect.bottom);
    includeDevice(d);
    writeBlt(d, {rect.left, rect.top, rect.width(), rect.height()}, rop, 0, {}, std::nullopt);
    if (swap)
        emitSelect(current);
    return true;
}

void EmfRecorder::writeBlt(const QRect& d, const Rect& dest, DWORD rop, COLORREF sourceBk,
                           const QByteArray& dib, std::optional<Size> sourceSize) {
    const std::uint32_t fixed = sourceSize ? 108 : 100;
    begin(sourceSize ? EmfRecord::StretchBlt : EmfRecord::BitBlt);
    if (d.isEmpty()) {
        writeRect({0, 0, -1, -1});
    } else {
        writeRect({d.left(), d.top(), d.right(), d.bottom()});
    }
    for (std::int32_t v : {dest.left, dest.top, dest.right, dest.bottom})
        putI32(data_, v);  // x, y, width, height
    put32(data_, rop);
    put32(data_, 0);  // source x, y: the carried bitmap starts at the source rectangle
    put32(data_, 0);
    for (float v : {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f})
        putFloat(data_, v);  // source transform
    put32(data_, sourceBk);
    put32(data_, 0);  // DIB_RGB_COLORS
    if (dib.isEmpty()) {
        for (int i = 0; i < 4; ++i)
            put32(data_, 0);
    } else {
        put32(data_, fixed);
        put32(data_, kInfoHeaderSize);
        put32(data_, fixed + kInfoHeaderSize);
        put32(data_, static_cast<std::uint32_t>(dib.size()) - kInfoHeaderSize);
    }
    if (sourceSize) {
        putI32(data_, sourceSize->cx);
        putI32(data_, sourceSize->cy);
    }
    data_.append(dib);
    end();
}

bool EmfRecorder::renderText(Point reference, unsigned options, const Rect* rect, const QString& text) {
    if (closed_)
        return false;
    const QFont font = deviceFont();
    const QFontMetricsF metrics(font);
    const std::u16string chars = text.toStdU16String();
    const bool rtl =
        (options & ETO_RTLREADING) || (state().textAlign & TA_RTLREADING) || text.isRightToLeft();
    const std::optional<std::vector<std::int32_t>> dx = shapedAdvances(font, text, rtl);
    // The record's bounds: the text as turned, cut by its clipping box, and the opaque box.
    QRect box = textBounds(reference, metrics, getTextExtent(text));
    if (rect && (options & ETO_CLIPPED))
        box &= deviceRect(rect->left, rect->top, rect->right, rect->bottom);
    if (rect && (options & ETO_OPAQUE))
        box |= deviceRect(rect->left, rect->top, rect->right, rect->bottom);
    includeDevice(box);

    constexpr std::uint32_t kTextOffset = 76;  // fixed part of the record
    const auto stringBytes = static_cast<std::uint32_t>((chars.size() * 2 + 3) & ~std::size_t(3));
    begin(EmfRecord::ExtTextOutW);
    if (box.isEmpty()) {
        writeRect({0, 0, -1, -1});
    } else {
        writeRect({box.left(), box.top(), box.right(), box.bottom()});
    }
    put32(data_, 1);  // GM_COMPATIBLE
    putFloat(data_, static_cast<float>(kMmPerPixel * 100));
    putFloat(data_, static_cast<float>(kMmPerPixel * 100));
    putI32(data_, reference.x);
    putI32(data_, reference.y);
    put32(data_, static_cast<std::uint32_t>(chars.size()));
    put32(data_, kTextOffset);
    put32(data_, (options & (ETO_OPAQUE | ETO_CLIPPED)) | (rtl ? ETO_RTLREADING : 0));
    writeRect(rect ? *rect : Rect{0, 0, -1, -1});
    put32(data_, dx ? kTextOffset + stringBytes : 0);
    putUtf16(data_, chars, chars.size());
    pad4(data_);
    for (std::int32_t v : dx.value_or(std::vector<std::int32_t>{}))
        putI32(data_, v);
    end();
    return true;
}

namespace {

// Whether every character runs in the text's reading direction or is neutral: a run of the other
// direction (Latin words or numbers in Arabic text) is reordered by the reader, and advances in
// string order do not describe it.
bool readsOneWay(const QString& text, bool rtl) {
    return std::none_of(text.begin(), text.end(), [rtl](QChar c) {
        switch (c.direction()) {
            case QChar::DirL:
            case QChar::DirEN:
            case QChar::DirAN:
            case QChar::DirLRE:
            case QChar::DirLRO:
            case QChar::DirLRI:
                return rtl;
            case QChar::DirR:
            case QChar::DirAL:
            case QChar::DirRLE:
            case QChar::DirRLO:
            case QChar::DirRLI:
                return !rtl;
            default:
                return false;
        }
    });
}

}  // namespace

// The advance of each UTF-16 unit in logical units, in string order, taken from the text as it is
// shaped: joined letters and ligatures are as wide as they are drawn, and the advances add up to the
// drawn width. Text of both directions has no such advances: the answer is then empty.
std::optional<std::vector<std::int32_t>> EmfRecorder::shapedAdvances(const QFont& font, const QString& text,
                                                                     bool rtl) const {
    if (!readsOneWay(text, rtl))
        return std::nullopt;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(rtl ? Qt::RightToLeft : Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) {
        if (text.isEmpty())
            return std::vector<std::int32_t>();
        return std::nullopt;
    }
    const double sx = scaleX();
    const double start = line.cursorToX(0);
    std::vector<std::int32_t> advances;
    advances.reserve(std::size_t(text.size()));
    long previous = 0;
    double previousDistance = 0;
    for (int i = 1; i <= text.size(); ++i) {
        const double x = line.cursorToX(i);
        const double distance = rtl ? start - x : x - start;
        if (distance < previousDistance - 1e-6)
            return std::nullopt;
        const long here = std::lround(distance / sx);
        advances.push_back(static_cast<std::int32_t>(here - previous));
        previous = here;
        previousDistance = distance;
    }
    return advances;
}

// The device box the text covers: the unrotated box placed by the alignment at the reference point,
// turned with the font's escapement about that point.
QRect EmfRecorder::textBounds(Point reference, const QFontMetricsF& metrics, Size extent) const {
    const Point d = lpToDp(reference);
    const unsigned align = state().textAlign;
    const int width = static_cast<int>(extent.cx * scaleX());
    int left = 0;
    if ((align & TA_CENTER) == TA_CENTER) {
        left = -width / 2;
    } else if (align & TA_RIGHT) {
        left = -width;
    }
    int top = 0;
    if ((align & TA_BASELINE) == TA_BASELINE) {
        top = -static_cast<int>(std::lround(metrics.ascent()));
    } else if (align & TA_BOTTOM) {
        top = -static_cast<int>(std::lround(metrics.height()));
    }
    QRect box(left, top, width, static_cast<int>(std::lround(metrics.height())));
    const auto font = getFont(state().font);
    if (font && font->escapement % 3600 != 0) {
        QTransform turn;
        turn.rotate(-font->escapement / 10.0);  // counter-clockwise on the screen, as drawn
        box = turn.mapRect(QRectF(box)).toAlignedRect();
    }
    return box.translated(d.x, d.y);
}

bool EmfRecorder::blit(const Rect& dest, const DeviceContext* source, const Rect& src, DWORD rop) {
    if (closed_)
        return false;
    const Rect box{std::min(dest.left, dest.right), std::min(dest.top, dest.bottom),
                   std::max(dest.left, dest.right), std::max(dest.top, dest.bottom)};
    if (!ropUsesSource(rop))
        return fillDeviceRect(box, NULL_HANDLE, rop);
    const QImage image = source->image();
    const Point s0 = source->lpToDp({src.left, src.top}), s1 = source->lpToDp({src.right, src.bottom});
    const int width = std::abs(s1.x - s0.x), height = std::abs(s1.y - s0.y);
    if (image.isNull() || width == 0 || height == 0 || std::int64_t(width) * height > EMF_MAX_BITMAP_PIXELS)
        return false;
    // The source rectangle as it is read, in the colours the transfer gives it: a monochrome source
    // takes this context's text (black) and background (white) colours; outside the bitmap is white.
    const bool mono = source->getDeviceCaps(BITSPIXEL) == 1;
    QImage piece(width, height, QImage::Format_RGB32);
    const int left = std::min(s0.x, s1.x), top = std::min(s0.y, s1.y);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QPoint at(left + x, top + y);
            COLORREF c = image.rect().contains(at) ? fromQColor(QColor(image.pixel(at))) : 0xFFFFFF;
            if (mono)
                c = c == 0xFFFFFF ? bkColor() : textColor();
            line[x] = toQColor(c).rgb();
        }
    }
    // A source read backwards is carried mirrored, so the record's source extents stay positive.
    piece = piece.mirrored(s1.x < s0.x, s1.y < s0.y);
    const QByteArray dib = encodeDib(piece);
    if (dib.isEmpty())
        return false;
    const QRect d = deviceRect(box.left, box.top, box.right, box.bottom);
    includeDevice(d);
    const Rect logical{dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top};
    const bool sameSize = logical.right == width && logical.bottom == height;
    writeBlt(d, logical, rop, source->bkColor(), dib,
             sameSize ? std::nullopt : std::optional<Size>(Size{width, height}));
    return true;
}

COLORREF EmfRecorder::putPixel(Point p, COLORREF color) {
    if (closed_)
        return CLR_INVALID;
    includeLogical({p.x, p.y, p.x, p.y});
    emitSimple(EmfRecord::SetPixelV, {std::uint32_t(p.x), std::uint32_t(p.y), color});
    return color;
}

}  // namespace gdi
