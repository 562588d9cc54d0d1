// The channel through which the series objects of study outputs reach the chart: it asks for the
// chart-control adapter at every call, so a series object kept after its owner left the chart reaches
// nothing instead of an adapter that is gone.
#pragma once

#include <functional>

#include "series/SeriesAttributeChannel.h"

namespace dravik {

class StudySeriesChannel final : public SeriesAttributeChannel {
public:
    // `adapter` answers the current adapter, or null while there is none.
    explicit StudySeriesChannel(std::function<CHostChartAdapter*()> adapter) : adapter_(std::move(adapter)) {}

    com::LONG GetAttribute(com::SHORT series, com::LONG id) override;
    com::HRESULT SetAttribute(com::SHORT series, com::LONG id, com::LONG value) override;
    com::LONG GetColor(com::SHORT series) override;
    com::HRESULT SetColor(com::SHORT series, com::LONG color) override;
    com::LONG GetBkColor(com::SHORT series) override;
    com::HRESULT SetBkColor(com::SHORT series, com::LONG color) override;
    com::HRESULT GetLegend(com::SHORT series, char* buffer, com::LONG size) override;
    com::HRESULT SetLegend(com::SHORT series, const char* text) override;

private:
    // A channel over the adapter of this moment.
    AdapterSeriesChannel current() const { return AdapterSeriesChannel(adapter_ ? adapter_() : nullptr); }

    std::function<CHostChartAdapter*()> adapter_;
};

}  // namespace dravik
