// The Kagi chart: one line that turns when the price moves against it by the reversal amount, thick
// (yang) above the last shoulder and thin (yin) below the last waist; drawn by the chart type itself.
#pragma once

#include <vector>

#include "gallery/CSpecialChartBase.h"
#include "gdi/Objects.h"
#include "special/SpecialChartSettings.h"

namespace dravik {

class CKagiChart final : public CSpecialChartBase {
public:
    explicit CKagiChart(CFinancialCharts* owner);
    ~CKagiChart() override;

    // Draws the element's stretch of the line; answers 1.
    LONG DrawPoint(LONG* kind, KvlPaintRecord* record, LONG* mode) override;
    void MarkSignals() override;

    KagiSettings& settings() { return settings_; }
    const std::vector<std::int16_t>& pointType() const { return pointType_; }

protected:
    FigureBuild BuildOwnFigure(std::span<const double> values) override;
    LONG OwnPersistSize() const override { return KagiSettings::kPersistSize; }
    HRESULT ExchangeOwnSettings(CPropertyArchive& archive, LONG version) override;
    const com::CLSID& PageClsid() const override;
    void RebuildPens() override;

private:
    void DeletePens();
    gdi::HPEN PenOf(bool yang, bool alternate) const;

    gdi::HPEN yangPen_ = gdi::NULL_HANDLE;
    gdi::HPEN yinPen_ = gdi::NULL_HANDLE;
    gdi::HPEN yangWidePen_ = gdi::NULL_HANDLE;
    gdi::HPEN yinWidePen_ = gdi::NULL_HANDLE;
    KagiSettings settings_;
    std::vector<std::int16_t> pointType_;
};

}  // namespace dravik
