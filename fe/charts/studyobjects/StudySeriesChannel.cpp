#include "studyobjects/StudySeriesChannel.h"

namespace dravik {

com::LONG StudySeriesChannel::GetAttribute(com::SHORT series, com::LONG id) {
    return current().GetAttribute(series, id);
}

com::HRESULT StudySeriesChannel::SetAttribute(com::SHORT series, com::LONG id, com::LONG value) {
    return current().SetAttribute(series, id, value);
}

com::LONG StudySeriesChannel::GetColor(com::SHORT series) {
    return current().GetColor(series);
}

com::HRESULT StudySeriesChannel::SetColor(com::SHORT series, com::LONG color) {
    return current().SetColor(series, color);
}

com::LONG StudySeriesChannel::GetBkColor(com::SHORT series) {
    return current().GetBkColor(series);
}

com::HRESULT StudySeriesChannel::SetBkColor(com::SHORT series, com::LONG color) {
    return current().SetBkColor(series, color);
}

com::HRESULT StudySeriesChannel::GetLegend(com::SHORT series, char* buffer, com::LONG size) {
    return current().GetLegend(series, buffer, size);
}

com::HRESULT StudySeriesChannel::SetLegend(com::SHORT series, const char* text) {
    return current().SetLegend(series, text);
}

}  // namespace dravik
