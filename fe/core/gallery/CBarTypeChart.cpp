#include "gallery/CBarTypeChart.h"

namespace dravik {

LONG CBarTypeChart::DrawPoint(LONG* kind, KvlPaintRecord*, LONG* mode) {
    if (kind)
        *kind = korvel::kDrawKindChart;
    if (mode)
        *mode = 1;
    return 0;
}

LONG CBarTypeChart::ExchangeProperties(CPropertyArchive& archive, LONG version, LONG flags) {
    constexpr LONG kBodyOnly = 0x2;
    if (flags & kBodyOnly)
        return 0;
    return CGalleryBase::ExchangeProperties(archive, version, flags);
}

}  // namespace dravik
