// The Renko chart: bricks of one size, drawn by the chart as floating bars in the rising and falling
// colours of the chart type's series (colour index 1 and 0).
#pragma once

#include "gallery/CBoxChartBase.h"
#include "special/SpecialChartSettings.h"

namespace dravik {

class CRenkoChart final : public CBoxChartBase {
public:
    explicit CRenkoChart(CFinancialCharts* owner);

    void MarkSignals() override;
    RenkoSettings& settings() { return settings_; }

protected:
    FigureBuild BuildOwnFigure(std::span<const double> values) override;
    LONG OwnPersistSize() const override { return RenkoSettings::kPersistSize; }
    HRESULT ExchangeOwnSettings(CPropertyArchive& archive, LONG version) override;
    const com::CLSID& PageClsid() const override;

private:
    RenkoSettings settings_;
};

}  // namespace dravik
