#include "gdi/Objects.h"

#include <array>
#include <mutex>

#include <QPolygon>

#include "ObjectTable.h"
#include "gdi/SystemColors.h"

namespace gdi {

using detail::ObjectTable;

namespace {

constexpr int kMaxBitmapSide = 32767;
constexpr std::size_t kMaxFaceNameBytes = 31;

HGDIOBJ addObject(ObjectType type, auto data, int stockIndex = -1) {
    auto object = std::make_shared<detail::GdiObject>();
    object->type = type;
    object->data = std::move(data);
    object->stockIndex = stockIndex;
    return ObjectTable::instance().add(std::move(object));
}

// Cuts a UTF-8 text to at most `limit` bytes without splitting a character.
std::string cutUtf8(const std::string& text, std::size_t limit) {
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

LogFont stockFont(int height, int weight, const char* face) {
    LogFont font;
    font.height = height;
    font.weight = weight;
    font.faceName = face;
    return font;
}

struct StockTable {
    std::array<HGDIOBJ, STOCK_LAST + 1> stock{};
    std::array<HGDIOBJ, SYSCOLOR_COUNT> sysBrushes{};
    HBITMAP bitmap{};
};

StockTable makeStockTable() {
    StockTable t;
    auto brush = [](int index, COLORREF color, std::uint32_t style = BS_SOLID) {
        return addObject(ObjectType::Brush, detail::BrushData{LogBrush{style, color, 0}, {}}, index);
    };
    auto pen = [](int index, COLORREF color, int style = PS_SOLID) {
        return addObject(ObjectType::Pen, detail::PenData{LogPen{std::uint32_t(style), 0, color}}, index);
    };
    auto font = [](int index, LogFont f) { return addObject(ObjectType::Font, detail::FontData{f}, index); };
    t.stock[WHITE_BRUSH] = brush(WHITE_BRUSH, 0xFFFFFF);
    t.stock[LTGRAY_BRUSH] = brush(LTGRAY_BRUSH, 0xC0C0C0);
    t.stock[GRAY_BRUSH] = brush(GRAY_BRUSH, 0x808080);
    t.stock[DKGRAY_BRUSH] = brush(DKGRAY_BRUSH, 0x404040);
    t.stock[BLACK_BRUSH] = brush(BLACK_BRUSH, 0x000000);
    t.stock[NULL_BRUSH] = brush(NULL_BRUSH, 0, BS_NULL);
    t.stock[WHITE_PEN] = pen(WHITE_PEN, 0xFFFFFF);
    t.stock[BLACK_PEN] = pen(BLACK_PEN, 0x000000);
    t.stock[NULL_PEN] = pen(NULL_PEN, 0, PS_NULL);
    t.stock[OEM_FIXED_FONT] = font(OEM_FIXED_FONT, stockFont(12, FW_NORMAL, "DejaVu Sans Mono"));
    t.stock[ANSI_FIXED_FONT] = font(ANSI_FIXED_FONT, stockFont(12, FW_NORMAL, "DejaVu Sans Mono"));
    t.stock[ANSI_VAR_FONT] = font(ANSI_VAR_FONT, stockFont(-11, FW_NORMAL, "DejaVu Sans"));
    t.stock[SYSTEM_FONT] = font(SYSTEM_FONT, stockFont(16, FW_BOLD, "DejaVu Sans"));
    t.stock[DEVICE_DEFAULT_FONT] = font(DEVICE_DEFAULT_FONT, stockFont(16, FW_NORMAL, "DejaVu Sans"));
    t.stock[DEFAULT_PALETTE] =
        addObject(ObjectType::Palette, detail::PaletteData{{0x000000, 0xFFFFFF}}, DEFAULT_PALETTE);
    t.stock[SYSTEM_FIXED_FONT] = font(SYSTEM_FIXED_FONT, stockFont(16, FW_NORMAL, "DejaVu Sans Mono"));
    t.stock[DEFAULT_GUI_FONT] = font(DEFAULT_GUI_FONT, stockFont(-11, FW_NORMAL, "DejaVu Sans"));
    t.bitmap = addObject(ObjectType::Bitmap, detail::BitmapData{blankImage(1, 1), 1}, -3);
    for (int i = 0; i < SYSCOLOR_COUNT; ++i) {
        t.sysBrushes[i] =
            addObject(ObjectType::Brush, detail::BrushData{LogBrush{BS_SOLID, getSysColor(i), 0}, {}}, -2);
    }
    return t;
}

const StockTable& stockTable() {
    static const StockTable table = makeStockTable();
    return table;
}

}  // namespace

namespace detail {
// The 1x1 monochrome bitmap that a new memory context starts with.
HBITMAP stockBitmap() {
    return stockTable().bitmap;
}
}  // namespace detail

HPEN createPen(int style, int width, COLORREF color) {
    const int kind = style & PS_STYLE_MASK;
    if (kind > PS_INSIDEFRAME)
        return NULL_HANDLE;
    LogPen pen{std::uint32_t(kind), std::max(0, width), color & 0xFFFFFF};
    return addObject(ObjectType::Pen, detail::PenData{pen});
}

HPEN extCreatePen(std::uint32_t style, int width, const LogBrush& brush) {
    if ((style & PS_STYLE_MASK) > PS_INSIDEFRAME || brush.style != BS_SOLID)
        return NULL_HANDLE;
    const bool geometric = (style & PS_TYPE_MASK) == PS_GEOMETRIC;
    LogPen pen{style, geometric ? std::max(0, width) : 1, brush.color & 0xFFFFFF};
    return addObject(ObjectType::Pen, detail::PenData{pen});
}

HBRUSH createSolidBrush(COLORREF color) {
    return createBrushIndirect(LogBrush{BS_SOLID, color, 0});
}

HBRUSH createHatchBrush(int hatch, COLORREF color) {
    return createBrushIndirect(LogBrush{BS_HATCHED, color, hatch});
}

HBRUSH createBrushIndirect(const LogBrush& brush) {
    if (brush.style > BS_HATCHED)
        return NULL_HANDLE;
    if (brush.style == BS_HATCHED && (brush.hatch < HS_HORIZONTAL || brush.hatch > HS_DIAGCROSS))
        return NULL_HANDLE;
    LogBrush b = brush;
    b.color &= 0xFFFFFF;
    return addObject(ObjectType::Brush, detail::BrushData{b, {}});
}

HBRUSH createPatternBrush(HBITMAP bitmap) {
    auto* data = ObjectTable::instance().data<detail::BitmapData>(bitmap, ObjectType::Bitmap);
    if (!data)
        return NULL_HANDLE;
    // The brush keeps its own copy: the bitmap may be deleted afterwards.
    return addObject(ObjectType::Brush, detail::BrushData{LogBrush{BS_PATTERN, 0, 0}, data->image.copy()});
}

HFONT createFontIndirect(const LogFont& font) {
    LogFont f = font;
    f.faceName = cutUtf8(font.faceName, kMaxFaceNameBytes);
    return addObject(ObjectType::Font, detail::FontData{f});
}

HBITMAP createBitmap(int width, int height, int bitsPerPixel) {
    if (width < 1 || height < 1 || width > kMaxBitmapSide || height > kMaxBitmapSide)
        return NULL_HANDLE;
    if (bitsPerPixel != 1 && bitsPerPixel != 32 && bitsPerPixel != 24)
        return NULL_HANDLE;
    return addObject(ObjectType::Bitmap,
                     detail::BitmapData{blankImage(width, height), bitsPerPixel == 1 ? 1 : 32});
}

HBITMAP createBitmapFromImage(const QImage& image) {
    if (image.isNull() || image.width() > kMaxBitmapSide || image.height() > kMaxBitmapSide)
        return NULL_HANDLE;
    return addObject(ObjectType::Bitmap, detail::BitmapData{image.convertToFormat(QImage::Format_RGB32), 32});
}

HRGN createRectRgn(int left, int top, int right, int bottom) {
    QRect rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized();
    return addObject(ObjectType::Region, detail::RegionData{QRegion(rect)});
}

HRGN createEllipticRgn(int left, int top, int right, int bottom) {
    QRect rect = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized();
    return addObject(ObjectType::Region, detail::RegionData{QRegion(rect, QRegion::Ellipse)});
}

HRGN createPolygonRgn(std::span<const Point> points, int fillMode) {
    if (points.size() < 3 || (fillMode != ALTERNATE && fillMode != WINDING))
        return NULL_HANDLE;
    QPolygon polygon;
    for (const Point& p : points)
        polygon << QPoint(p.x, p.y);
    const Qt::FillRule rule = fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
    return addObject(ObjectType::Region, detail::RegionData{QRegion(polygon, rule)});
}

HPALETTE createPalette(std::span<const COLORREF> entries) {
    if (entries.empty() || entries.size() > 256)
        return NULL_HANDLE;
    return addObject(ObjectType::Palette, detail::PaletteData{{entries.begin(), entries.end()}});
}

HGDIOBJ getStockObject(int index) {
    if (index < 0 || index > STOCK_LAST || index == 9)
        return NULL_HANDLE;
    return stockTable().stock[index];
}

int stockIndexOf(HGDIOBJ object) {
    auto found = ObjectTable::instance().find(object);
    return found && found->stockIndex >= 0 ? found->stockIndex : -1;
}

HBRUSH getSysColorBrush(int index) {
    if (index < 0 || index >= SYSCOLOR_COUNT)
        return NULL_HANDLE;
    return stockTable().sysBrushes[index];
}

ObjectType getObjectType(HGDIOBJ object) {
    return ObjectTable::instance().typeOf(object);
}

bool isValidObject(HGDIOBJ object) {
    return ObjectTable::instance().find(object) != nullptr;
}

std::optional<LogPen> getPen(HPEN pen) {
    auto* data = ObjectTable::instance().data<detail::PenData>(pen, ObjectType::Pen);
    return data ? std::optional(data->pen) : std::nullopt;
}

std::optional<LogBrush> getBrush(HBRUSH brush) {
    auto* data = ObjectTable::instance().data<detail::BrushData>(brush, ObjectType::Brush);
    return data ? std::optional(data->brush) : std::nullopt;
}

std::optional<LogFont> getFont(HFONT font) {
    auto* data = ObjectTable::instance().data<detail::FontData>(font, ObjectType::Font);
    return data ? std::optional(data->font) : std::nullopt;
}

std::optional<BitmapInfo> getBitmap(HBITMAP bitmap) {
    auto* data = ObjectTable::instance().data<detail::BitmapData>(bitmap, ObjectType::Bitmap);
    if (!data)
        return std::nullopt;
    return BitmapInfo{data->image.width(), data->image.height(), data->bitsPerPixel};
}

QImage bitmapImage(HBITMAP bitmap) {
    auto* data = ObjectTable::instance().data<detail::BitmapData>(bitmap, ObjectType::Bitmap);
    if (!data)
        return {};
    QImage copy = data->image.copy();
    if (data->bitsPerPixel == 1) {
        // Monochrome: only pure white stays white.
        for (int y = 0; y < copy.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(copy.scanLine(y));
            for (int x = 0; x < copy.width(); ++x) {
                line[x] = (line[x] & 0xFFFFFF) == 0xFFFFFF ? 0xFFFFFFFF : 0xFF000000;
            }
        }
    }
    return copy;
}

std::optional<std::vector<COLORREF>> getPaletteEntries(HPALETTE palette) {
    auto* data = ObjectTable::instance().data<detail::PaletteData>(palette, ObjectType::Palette);
    return data ? std::optional(data->entries) : std::nullopt;
}

bool deleteObject(HGDIOBJ object) {
    return ObjectTable::instance().requestDelete(object);
}

std::size_t liveObjectCount() {
    return ObjectTable::instance().liveCount();
}

namespace {

int regionKind(const QRegion& region) {
    if (region.isEmpty())
        return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRegion* regionOf(HRGN region) {
    auto* data = ObjectTable::instance().data<detail::RegionData>(region, ObjectType::Region);
    return data ? &data->region : nullptr;
}

}  // namespace

int combineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
    QRegion* d = regionOf(dest);
    QRegion* a = regionOf(src1);
    QRegion* b = mode == RGN_COPY ? a : regionOf(src2);
    if (!d || !a || !b)
        return RGN_ERROR;
    switch (mode) {
        case RGN_AND:
            *d = *a & *b;
            break;
        case RGN_OR:
            *d = *a | *b;
            break;
        case RGN_XOR:
            *d = *a ^ *b;
            break;
        case RGN_DIFF:
            *d = *a - *b;
            break;
        case RGN_COPY:
            *d = *a;
            break;
        default:
            return RGN_ERROR;
    }
    return regionKind(*d);
}

bool ptInRegion(HRGN region, int x, int y) {
    const QRegion* r = regionOf(region);
    return r && r->contains(QPoint(x, y));
}

int getRgnBox(HRGN region, Rect* box) {
    const QRegion* r = regionOf(region);
    if (!r || !box)
        return RGN_ERROR;
    const QRect b = r->boundingRect();
    *box = r->isEmpty() ? Rect{} : Rect{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    return regionKind(*r);
}

int offsetRgn(HRGN region, int dx, int dy) {
    QRegion* r = regionOf(region);
    if (!r)
        return RGN_ERROR;
    r->translate(dx, dy);
    return regionKind(*r);
}

bool setRectRgn(HRGN region, int left, int top, int right, int bottom) {
    QRegion* r = regionOf(region);
    if (!r)
        return false;
    *r = QRegion(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).normalized());
    return true;
}

}  // namespace gdi
