#include <cmath>

#include <QImage>
#include <QPainter>

#include "ObjectTable.h"
#include "gdi/PainterDC.h"

namespace gdi {

namespace detail {
HBITMAP stockBitmap();
}

MemoryDC::MemoryDC(HBITMAP ownBitmap) : PainterDC(Kind::Memory), ownBitmap_(ownBitmap) {
    initDefaults(ownBitmap != NULL_HANDLE ? ownBitmap : detail::stockBitmap());
}

MemoryDC::~MemoryDC() {
    releaseSelections();
    if (ownBitmap_ != NULL_HANDLE)
        deleteObject(ownBitmap_);
}

PainterDC::Pixels MemoryDC::pixels() const {
    if (state().bitmap != lookedUpBitmap_) {
        auto* data =
            detail::ObjectTable::instance().data<detail::BitmapData>(state().bitmap, ObjectType::Bitmap);
        bitmapPixels_ = data ? Pixels{&data->image, data->bitsPerPixel == 1} : Pixels{};
        lookedUpBitmap_ = state().bitmap;
    }
    return bitmapPixels_;
}

QPainter* MemoryDC::beginPainter() {
    QImage* image = pixels().image;
    if (!image)
        return nullptr;
    painter_ = std::make_unique<QPainter>(image);
    return painter_->isActive() ? painter_.get() : nullptr;
}

void MemoryDC::endPainter(QPainter*) {
    painter_.reset();
}

QImage MemoryDC::image() const {
    return bitmapImage(state().bitmap);
}

COLORREF MemoryDC::readPixel(Point p) const {
    const Pixels target = pixels();
    const Point d = lpToDp(p);
    if (!target.image || !target.image->rect().contains(d.x, d.y))
        return CLR_INVALID;
    const COLORREF c = fromQColor(QColor(target.image->pixel(d.x, d.y)));
    if (target.monochrome)
        return c == 0xFFFFFF ? 0xFFFFFF : 0;
    return c;
}

int MemoryDC::getDeviceCaps(int index) const {
    constexpr int kDpi = 96;
    const Pixels target = pixels();
    const QImage* image = target.image;
    const int w = image ? image->width() : 1, h = image ? image->height() : 1;
    switch (index) {
        case TECHNOLOGY:
            return DT_RASDISPLAY;
        case HORZRES:
            return w;
        case VERTRES:
            return h;
        case HORZSIZE:
            return static_cast<int>(std::lround(w * 25.4 / kDpi));
        case VERTSIZE:
            return static_cast<int>(std::lround(h * 25.4 / kDpi));
        case LOGPIXELSX:
        case LOGPIXELSY:
            return kDpi;
        case BITSPIXEL:
            return target.monochrome ? 1 : 32;
        case PLANES:
            return 1;
        case NUMCOLORS:
            return target.monochrome ? 2 : -1;
        case RASTERCAPS:
            return RC_BITBLT | RC_DI_BITMAP | RC_STRETCHBLT;
        default:
            return 0;
    }
}

std::unique_ptr<DeviceContext> createCompatibleDC(const DeviceContext*) {
    return std::make_unique<MemoryDC>();
}

std::unique_ptr<DeviceContext> createImageDC(int width, int height) {
    const HBITMAP bitmap = createBitmap(width, height, 32);
    if (bitmap == NULL_HANDLE)
        return nullptr;
    auto dc = std::make_unique<MemoryDC>(bitmap);
    dc->fillRect({0, 0, width, height}, getStockObject(WHITE_BRUSH));
    return dc;
}

HBITMAP createCompatibleBitmap(const DeviceContext* dc, int width, int height) {
    const bool mono = dc && dc->getDeviceCaps(BITSPIXEL) == 1;
    return createBitmap(width, height, mono ? 1 : 32);
}

}  // namespace gdi
