// The pictures of the extension's commands, drawn at start-up: 16 by 16 pixels each, side by side in
// one strip, on the mask colour that the command bar turns transparent.
#pragma once

#include <QImage>

namespace dravik {

inline constexpr int kCommandImageSide = 16;
// The mask colour of the strips (COLORREF 0xC0C0C0); no picture draws in it.
inline constexpr QRgb kCommandImageMask = 0xFFC0C0C0;

// Chart types 0-4: Point and Figure, Renko, Kagi, Three Line Break, Analytical.
QImage GalleryCommandImages();
// Price displays (line, high-low-close, open-high-low-close, candlesticks, none), the ten new
// drawings in the order of their kinds, and the studies tool.
QImage CommandImages();

}  // namespace dravik
