// A chart type with the base's behaviour only and a capability word of its own: it holds the place of
// a chart type whose figure is not built here (the analytical chart), so that
// the extension owns all six and each activates and deactivates cleanly. Its points are drawn by the
// chart, as the bar type's.
#pragma once

#include "gallery/CGalleryBase.h"

namespace dravik {

class CPlainChartType final : public CGalleryBase {
public:
    CPlainChartType(CFinancialCharts* owner, SHORT galleryNumber, LONG capabilities)
        : CGalleryBase(owner, galleryNumber), capabilities_(capabilities) {}

    LONG GetGalleryFlags() override { return capabilities_; }
    LONG DrawPoint(LONG* kind, KvlPaintRecord*, LONG* mode) override {
        if (kind)
            *kind = korvel::kDrawKindChart;
        if (mode)
            *mode = 1;
        return 0;
    }

private:
    LONG capabilities_;
};

}  // namespace dravik
