#include "gallery/CBarTypeChart.h"

namespace dravik {

LONG CBarTypeChart::DrawPoint(LONG* kind, KvlPaintRecord*, LONG* mode) {
    if (kind)
        *kind = korvel::kDrawKindChart;
    if (mode)
        *mode = 1;
    return 0;
}

}  // namespace dravik
