#include "host/CHostChartAdapterB.h"

#include "com/FixedText.h"

namespace dravik {

namespace {

com::Bstr wide(const char* text) {
    return com::Bstr::fromUtf8(text ? std::string_view(text) : std::string_view());
}

// Calls a getter that answers a string and copies the result, bounded, into the caller's buffer.
template <typename Call>
HRESULT narrow(Call call, char* buffer, LONG size) {
    if (!buffer || size <= 0)
        return com::E_POINTER;
    buffer[0] = '\0';
    com::Bstr text;
    const HRESULT result = call(&text);
    if (com::FAILED(result))
        return result;
    const com::FixedTextResult copied =
        com::copyToFixed(text.toUtf8(), buffer, static_cast<std::size_t>(size));
    return copied.truncated() ? com::S_FALSE : result;
}

}  // namespace

std::unique_ptr<CHostChartAdapter> CHostChartAdapterB::Create(com::IUnknown* control) {
    if (!control)
        return nullptr;
    korvel::IKvlControlW* dual = nullptr;
    if (com::FAILED(control->QueryInterface(korvel::IKvlControlW::iid, reinterpret_cast<void**>(&dual))) ||
        !dual)
        return nullptr;
    // The adapter keeps no reference: it lives only as long as the attachment.
    dual->Release();
    return std::unique_ptr<CHostChartAdapter>(new CHostChartAdapterB(dual));
}

HRESULT CHostChartAdapterB::GetToolTipText(char* buffer, LONG size) {
    return narrow([&](com::Bstr* text) { return dual_->GetToolTipText(text); }, buffer, size);
}
HRESULT CHostChartAdapterB::SetToolTipText(const char* text) {
    return dual_->SetToolTipText(wide(text));
}
HRESULT CHostChartAdapterB::GetSeriesLegend(SHORT series, char* buffer, LONG size) {
    return narrow([&](com::Bstr* text) { return dual_->GetSeriesLegend(series, text); }, buffer, size);
}
HRESULT CHostChartAdapterB::SetSeriesLegend(SHORT series, const char* text) {
    return dual_->SetSeriesLegend(series, wide(text));
}
HRESULT CHostChartAdapterB::GetCaptionText(char* buffer, LONG size) {
    return narrow([&](com::Bstr* text) { return dual_->GetCaptionText(text); }, buffer, size);
}
HRESULT CHostChartAdapterB::SetCaptionText(const char* text) {
    return dual_->SetCaptionText(wide(text));
}
HRESULT CHostChartAdapterB::GetAxisTitle(SHORT position, char* buffer, LONG size) {
    return narrow([&](com::Bstr* text) { return dual_->GetAxisTitle(position, text); }, buffer, size);
}
HRESULT CHostChartAdapterB::SetAxisTitle(SHORT position, const char* text) {
    return dual_->SetAxisTitle(position, wide(text));
}

HRESULT CHostChartAdapterB::GetAxisLabelText(SHORT axis, SHORT index, char* buffer, LONG size) {
    const auto item = axisItem(axis);
    return narrow([&](com::Bstr* text) { return item ? item->GetLabelText(index, text) : com::E_INVALIDARG; },
                  buffer, size);
}
HRESULT CHostChartAdapterB::SetAxisLabelText(SHORT axis, SHORT index, const char* text) {
    const auto item = axisItem(axis);
    return item ? item->SetLabelText(index, wide(text)) : com::E_INVALIDARG;
}

HRESULT CHostChartAdapterB::GetTextAt(LONG index, char* buffer, LONG size) {
    return narrow([&](com::Bstr* text) { return dual_->GetTextAt(index, text); }, buffer, size);
}
HRESULT CHostChartAdapterB::SetTextAt(LONG index, const char* text) {
    return dual_->SetTextAt(index, wide(text));
}

HRESULT CHostChartAdapterB::GetAxisText(SHORT axis, char* buffer, LONG size) {
    const auto item = axisItem(axis);
    return narrow([&](com::Bstr* text) { return item ? item->GetText(text) : com::E_INVALIDARG; }, buffer,
                  size);
}
HRESULT CHostChartAdapterB::SetAxisText(SHORT axis, const char* text) {
    const auto item = axisItem(axis);
    return item ? item->SetText(wide(text)) : com::E_INVALIDARG;
}

}  // namespace dravik
