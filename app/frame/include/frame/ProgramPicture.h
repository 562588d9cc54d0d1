#pragma once

#include <QPixmap>

namespace frame {

// The program's picture on the splash and about windows: price candles on a dark tile, drawn to
// `side` pixels.
QPixmap programPicture(int side);

}  // namespace frame
