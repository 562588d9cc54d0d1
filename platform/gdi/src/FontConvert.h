// Conversion of logical fonts to Qt fonts in device pixels.
#pragma once

#include <QFont>

#include "gdi/Objects.h"

namespace gdi::detail {

inline constexpr const char* kDefaultFace = "DejaVu Sans";
// The size GDI gives a font of height 0 (12 points at 96 dpi).
inline constexpr int kDefaultPixelHeight = 16;

// `scale` is device pixels per logical unit along y.
QFont toQFont(const LogFont& font, double scale);

}  // namespace gdi::detail
