#include "axes/LinePen.h"

#include <algorithm>

namespace dravik {

gdi::HPEN MakeLinePen(std::int32_t style, std::int32_t width, gdi::COLORREF color) {
    const int penStyle = style >= gdi::PS_SOLID && style <= gdi::PS_DASHDOTDOT ? style : gdi::PS_SOLID;
    const int penWidth = std::max(1, width);
    if (penStyle == gdi::PS_SOLID || penWidth == 1)
        return gdi::createPen(penStyle, penWidth, color);
    return gdi::extCreatePen(static_cast<std::uint32_t>(gdi::PS_GEOMETRIC | penStyle), penWidth,
                             gdi::LogBrush{gdi::BS_SOLID, color, 0});
}

}  // namespace dravik
