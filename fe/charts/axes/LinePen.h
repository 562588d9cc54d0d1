// Pens for lines drawn in a line style of the chart (the pen styles 0-4) at any width.
#pragma once

#include <cstdint>

#include "gdi/Objects.h"
#include "gdi/Types.h"

namespace dravik {

// A pen of `style` (solid, dash, dot, dash-dot, dash-dot-dot; anything else is solid), `width` pixels
// (at least 1) and `color`. Dashed pens wider than one pixel are geometric, so that they keep their
// dashes. The caller owns the pen.
gdi::HPEN MakeLinePen(std::int32_t style, std::int32_t width, gdi::COLORREF color);

}  // namespace dravik
