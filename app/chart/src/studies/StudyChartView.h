// The chart as the indicator library reads it: a chart object that answers its point count, x values
// and series values from a StudyChart, and whose "Lomex.Financial" extension reports the chart's price
// series. The indicator library loads its price records through it exactly as through the chart
// control itself.
#pragma once

#include "appchart/fill/ChartTarget.h"
#include "com/ComObject.h"
#include "dravik/FinancialChartsUnimplemented.h"
#include "korvel/IKvlChart.h"

namespace tarnwick::chart {

class StudyPriceSeries final : public dravik::FinancialChartsUnimplemented {
public:
    explicit StudyPriceSeries(const PriceSeriesNumbers& numbers) : numbers_(numbers) {}

    com::HRESULT get_OpenSeries(com::SHORT* series) override { return answer(series, numbers_.open); }
    com::HRESULT get_HighSeries(com::SHORT* series) override { return answer(series, numbers_.high); }
    com::HRESULT get_LowSeries(com::SHORT* series) override { return answer(series, numbers_.low); }
    com::HRESULT get_CloseSeries(com::SHORT* series) override { return answer(series, numbers_.close); }
    com::HRESULT get_VolumeSeries(com::SHORT* series) override { return answer(series, numbers_.volume); }

private:
    static com::HRESULT answer(com::SHORT* out, com::SHORT value);

    PriceSeriesNumbers numbers_;
};

// Holds the chart by reference: it lives only while the custom studies run.
class StudyChartView final : public com::ComObject<korvel::IKvlChart> {
public:
    explicit StudyChartView(const StudyChart& chart);

    com::HRESULT AddExtension(const com::Bstr& progId, com::IUnknown** extension) override;
    com::HRESULT get_PointCount(com::LONG* count) override;
    com::HRESULT get_ValueAt(com::SHORT series, com::LONG point, double* value) override;
    com::HRESULT get_PointXValue(com::LONG point, double* value) override;

private:
    const StudyChart& chart_;
    com::ComPtr<StudyPriceSeries> prices_;
};

}  // namespace tarnwick::chart
