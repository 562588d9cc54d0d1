// A cursor described without the widget library: its image (with alpha) and the hot spot in
// image pixels.
#pragma once

#include <QImage>
#include <QPoint>

namespace res {

struct CursorResource {
    QImage image;
    QPoint hotSpot;
};

}  // namespace res
