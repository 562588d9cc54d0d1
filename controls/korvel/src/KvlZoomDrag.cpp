#include "korvel/KvlZoomDrag.h"

#include <algorithm>
#include <cmath>

#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"

namespace korvel {

void KvlZoomDrag::press(LONG x, double position, const KvlRect& plot, gdi::DeviceContext* surface) {
    cancel(surface);
    from_ = position;
    fromX_ = x;
    plot_ = plot;
    move(x, surface);
}

void KvlZoomDrag::move(LONG x, gdi::DeviceContext* surface) {
    if (!from_ || plot_.width() <= 0)
        return;
    x = std::clamp(x, plot_.left, plot_.right - 1);
    const KvlRect band{std::min(fromX_, x), plot_.top, std::max(fromX_, x) + 1, plot_.bottom};
    if (band_ && *band_ == band)
        return;
    erase(surface);
    band_ = band;
    invert(band, surface);
}

std::pair<double, double> KvlZoomDrag::release(double position, gdi::DeviceContext* surface) {
    const double from = from_.value_or(position);
    cancel(surface);
    // The drag covers the points whose slots it touched: slots run from p - 0.5 to p + 0.5.
    const double first = std::floor(std::min(from, position) - 0.5) + 0.5;
    const double last = std::ceil(std::max(from, position) - 0.5) + 0.5;
    return {first, last};
}

void KvlZoomDrag::cancel(gdi::DeviceContext* surface) {
    erase(surface);
    from_.reset();
}

void KvlZoomDrag::repaint(gdi::DeviceContext* surface) {
    if (band_)
        invert(*band_, surface);
}

void KvlZoomDrag::erase(gdi::DeviceContext* surface) {
    if (band_)
        invert(*std::exchange(band_, std::nullopt), surface);
}

void KvlZoomDrag::invert(const KvlRect& band, gdi::DeviceContext* surface) {
    if (!surface || band.width() <= 0 || band.height() <= 0)
        return;
    const int saved = surface->saveDC();
    surface->setROP2(gdi::R2_NOT);
    surface->selectObject(gdi::getStockObject(gdi::BLACK_PEN));
    surface->selectObject(gdi::getStockObject(gdi::NULL_BRUSH));
    surface->rectangle(band.left, band.top, band.right, band.bottom);
    surface->restoreDC(saved);
}

}  // namespace korvel
