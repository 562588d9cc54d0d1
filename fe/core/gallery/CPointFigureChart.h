// The Point & Figure chart: columns of X boxes (rising) and O boxes (falling), drawn by the chart type
// itself with the marker pen.
#pragma once

#include <vector>

#include "gallery/CSpecialChartBase.h"
#include "gdi/Objects.h"
#include "special/SpecialChartSettings.h"

namespace dravik {

class CPointFigureChart final : public CSpecialChartBase {
public:
    explicit CPointFigureChart(CFinancialCharts* owner);
    ~CPointFigureChart() override;

    // Draws the column's boxes; answers 1.
    LONG DrawPoint(LONG* kind, KvlPaintRecord* record, LONG* mode) override;

    PointFigureSettings& settings() { return settings_; }
    const std::vector<std::int32_t>& boxCount() const { return boxCount_; }
    gdi::HPEN markerPen() const { return markerPen_; }

protected:
    FigureBuild BuildOwnFigure(std::span<const double> values) override;
    LONG OwnPersistSize() const override { return PointFigureSettings::kPersistSize; }
    HRESULT ExchangeOwnSettings(CPropertyArchive& archive, LONG version) override;
    const com::CLSID& PageClsid() const override;
    void RebuildPens() override;

private:
    void DrawBoxes(gdi::DeviceContext& dc, const KvlRect& column, std::int32_t boxes, bool rising) const;

    gdi::HPEN markerPen_ = gdi::NULL_HANDLE;
    PointFigureSettings settings_;
    std::vector<std::int32_t> boxCount_;
};

}  // namespace dravik
