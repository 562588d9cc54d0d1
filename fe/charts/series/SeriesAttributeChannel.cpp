#include "series/SeriesAttributeChannel.h"

#include "host/CHostChartAdapter.h"

namespace dravik {

com::LONG AdapterSeriesChannel::GetAttribute(com::SHORT series, com::LONG id) {
    return adapter_ ? adapter_->GetSeriesAttribute(series, id) : 0;
}

com::HRESULT AdapterSeriesChannel::SetAttribute(com::SHORT series, com::LONG id, com::LONG value) {
    return adapter_ ? adapter_->SetSeriesAttribute(series, id, value) : com::E_FAIL;
}

com::LONG AdapterSeriesChannel::GetColor(com::SHORT series) {
    return adapter_ ? adapter_->GetSeriesColor(series) : 0;
}

com::HRESULT AdapterSeriesChannel::SetColor(com::SHORT series, com::LONG color) {
    return adapter_ ? adapter_->SetSeriesColor(series, color) : com::E_FAIL;
}

com::LONG AdapterSeriesChannel::GetBkColor(com::SHORT series) {
    return adapter_ ? adapter_->GetSeriesBkColor(series) : 0;
}

com::HRESULT AdapterSeriesChannel::SetBkColor(com::SHORT series, com::LONG color) {
    return adapter_ ? adapter_->SetSeriesBkColor(series, color) : com::E_FAIL;
}

com::HRESULT AdapterSeriesChannel::GetLegend(com::SHORT series, char* buffer, com::LONG size) {
    return adapter_ ? adapter_->GetSeriesLegend(series, buffer, size) : com::E_FAIL;
}

com::HRESULT AdapterSeriesChannel::SetLegend(com::SHORT series, const char* text) {
    return adapter_ ? adapter_->SetSeriesLegend(series, text) : com::E_FAIL;
}

}  // namespace dravik
