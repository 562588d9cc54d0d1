// The Three Line Break chart: a new line each time the price closes beyond the last line, a reversal
// only beyond the extreme of the last BreakDays lines; drawn by the chart as two-coloured floating
// bars.
#pragma once

#include "gallery/CBoxChartBase.h"
#include "special/SpecialChartSettings.h"

namespace dravik {

class CThreeLineBreakChart final : public CBoxChartBase {
public:
    explicit CThreeLineBreakChart(CFinancialCharts* owner);

    void MarkSignals() override;
    ThreeLineBreakSettings& settings() { return settings_; }

protected:
    FigureBuild BuildOwnFigure(std::span<const double> values) override;
    LONG OwnPersistSize() const override { return ThreeLineBreakSettings::kPersistSize; }
    HRESULT ExchangeOwnSettings(CPropertyArchive& archive, LONG version) override;
    const com::CLSID& PageClsid() const override;

private:
    ThreeLineBreakSettings settings_;
};

}  // namespace dravik
