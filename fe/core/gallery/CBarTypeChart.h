// The bar-type chart: the chart's own prices, drawn by the chart. It adds nothing to the base but its
// capability word and leaves the drawing of every point to the chart.
#pragma once

#include "gallery/CGalleryBase.h"

namespace dravik {

class CBarTypeChart final : public CGalleryBase {
public:
    explicit CBarTypeChart(CFinancialCharts* owner)
        : CGalleryBase(owner, static_cast<SHORT>(kFirstGalleryNumber + 5)) {}

    LONG GetGalleryFlags() override { return kGalleryFlagsBarType; }
    // Kind korvel::kDrawKindChart, mode 1: the chart draws the point.
    LONG DrawPoint(LONG* kind, KvlPaintRecord* record, LONG* mode) override;
    // The common keys; nothing in a body-only exchange.
    LONG ExchangeProperties(CPropertyArchive& archive, LONG version, LONG flags) override;
};

}  // namespace dravik
