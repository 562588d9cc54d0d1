#include "host/CHostChartAdapterA.h"

#include "com/FixedText.h"

namespace dravik {

namespace {

// A failed text call still leaves a terminated (empty) buffer behind.
HRESULT clearOnFailure(HRESULT result, char* buffer, LONG size) {
    if (com::FAILED(result) && buffer && size > 0)
        buffer[0] = '\0';
    return result;
}

}  // namespace

std::unique_ptr<CHostChartAdapter> CHostChartAdapterA::Create(com::IUnknown* control) {
    if (!control)
        return nullptr;
    korvel::IKvlControlA* plain = nullptr;
    if (com::FAILED(control->QueryInterface(korvel::IKvlControlA::iid, reinterpret_cast<void**>(&plain))) ||
        !plain)
        return nullptr;
    // The adapter keeps no reference: it lives only as long as the attachment.
    plain->Release();
    return std::unique_ptr<CHostChartAdapter>(new CHostChartAdapterA(plain));
}

HRESULT CHostChartAdapterA::GetToolTipText(char* buffer, LONG size) {
    return clearOnFailure(plain_->GetToolTipTextA(buffer, size), buffer, size);
}
HRESULT CHostChartAdapterA::SetToolTipText(const char* text) {
    return plain_->SetToolTipTextA(text);
}
HRESULT CHostChartAdapterA::GetSeriesLegend(SHORT series, char* buffer, LONG size) {
    return clearOnFailure(plain_->GetSeriesLegendA(series, buffer, size), buffer, size);
}
HRESULT CHostChartAdapterA::SetSeriesLegend(SHORT series, const char* text) {
    return plain_->SetSeriesLegendA(series, text);
}
HRESULT CHostChartAdapterA::GetCaptionText(char* buffer, LONG size) {
    return clearOnFailure(plain_->GetCaptionTextA(buffer, size), buffer, size);
}
HRESULT CHostChartAdapterA::SetCaptionText(const char* text) {
    return plain_->SetCaptionTextA(text);
}
HRESULT CHostChartAdapterA::GetAxisTitle(SHORT position, char* buffer, LONG size) {
    return clearOnFailure(plain_->GetAxisTitleA(position, buffer, size), buffer, size);
}
HRESULT CHostChartAdapterA::SetAxisTitle(SHORT position, const char* text) {
    return plain_->SetAxisTitleA(position, text);
}

HRESULT CHostChartAdapterA::GetAxisLabelText(SHORT axis, SHORT index, char* buffer, LONG size) {
    const auto item = axisItem(axis);
    return clearOnFailure(item ? item->GetLabelTextA(index, buffer, size) : com::E_INVALIDARG, buffer, size);
}
HRESULT CHostChartAdapterA::SetAxisLabelText(SHORT axis, SHORT index, const char* text) {
    const auto item = axisItem(axis);
    return item ? item->SetLabelTextA(index, text) : com::E_INVALIDARG;
}

HRESULT CHostChartAdapterA::GetTextAt(LONG index, char* buffer, LONG size) {
    return clearOnFailure(plain_->GetTextAtA(index, buffer, size), buffer, size);
}
HRESULT CHostChartAdapterA::SetTextAt(LONG index, const char* text) {
    return plain_->SetTextAtA(index, text);
}

HRESULT CHostChartAdapterA::GetAxisText(SHORT axis, char* buffer, LONG size) {
    const auto item = axisItem(axis);
    return clearOnFailure(item ? item->GetTextA(buffer, size) : com::E_INVALIDARG, buffer, size);
}
HRESULT CHostChartAdapterA::SetAxisText(SHORT axis, const char* text) {
    const auto item = axisItem(axis);
    return item ? item->SetTextA(text) : com::E_INVALIDARG;
}

}  // namespace dravik
