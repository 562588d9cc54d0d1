#include "host/CHostChartAdapterText.h"

#include "com/FixedText.h"

namespace dravik {

namespace {

// The plain form's getters fill the caller's buffer themselves; a failed call still leaves a
// terminated (empty) buffer behind.
HRESULT clearOnFailure(HRESULT result, char* buffer, LONG size) {
    if (com::FAILED(result) && buffer && size > 0)
        buffer[0] = '\0';
    return result;
}

com::Bstr wide(const char* text) {
    return com::Bstr::fromUtf8(text ? std::string_view(text) : std::string_view());
}

// Calls a dual-form getter that answers a string and copies the result, bounded, into the caller's
// buffer.
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

template <typename Control>
std::unique_ptr<CHostChartAdapter> CHostChartAdapterText<Control>::Create(com::IUnknown* control) {
    if (!control)
        return nullptr;
    Control* form = nullptr;
    if (com::FAILED(control->QueryInterface(Control::iid, reinterpret_cast<void**>(&form))) || !form)
        return nullptr;
    // The adapter keeps no reference: it lives only as long as the attachment.
    form->Release();
    return std::unique_ptr<CHostChartAdapter>(new CHostChartAdapterText(form));
}

// The plain form.

template <>
HRESULT CHostChartAdapterA::GetToolTipText(char* buffer, LONG size) {
    return clearOnFailure(text_->GetToolTipTextA(buffer, size), buffer, size);
}
template <>
HRESULT CHostChartAdapterA::SetToolTipText(const char* text) {
    return text_->SetToolTipTextA(text);
}
template <>
HRESULT CHostChartAdapterA::GetSeriesLegend(SHORT series, char* buffer, LONG size) {
    return clearOnFailure(text_->GetSeriesLegendA(series, buffer, size), buffer, size);
}
template <>
HRESULT CHostChartAdapterA::SetSeriesLegend(SHORT series, const char* text) {
    return text_->SetSeriesLegendA(series, text);
}
template <>
HRESULT CHostChartAdapterA::GetCaptionText(char* buffer, LONG size) {
    return clearOnFailure(text_->GetCaptionTextA(buffer, size), buffer, size);
}
template <>
HRESULT CHostChartAdapterA::SetCaptionText(const char* text) {
    return text_->SetCaptionTextA(text);
}
template <>
HRESULT CHostChartAdapterA::GetAxisTitle(SHORT position, char* buffer, LONG size) {
    return clearOnFailure(text_->GetAxisTitleA(position, buffer, size), buffer, size);
}
template <>
HRESULT CHostChartAdapterA::SetAxisTitle(SHORT position, const char* text) {
    return text_->SetAxisTitleA(position, text);
}
template <>
HRESULT CHostChartAdapterA::GetAxisLabelText(SHORT axis, SHORT index, char* buffer, LONG size) {
    const auto item = axisItem(axis);
    return clearOnFailure(item ? item->GetLabelTextA(index, buffer, size) : com::E_INVALIDARG, buffer, size);
}
template <>
HRESULT CHostChartAdapterA::SetAxisLabelText(SHORT axis, SHORT index, const char* text) {
    const auto item = axisItem(axis);
    return item ? item->SetLabelTextA(index, text) : com::E_INVALIDARG;
}
template <>
HRESULT CHostChartAdapterA::GetTextAt(LONG index, char* buffer, LONG size) {
    return clearOnFailure(text_->GetTextAtA(index, buffer, size), buffer, size);
}
template <>
HRESULT CHostChartAdapterA::SetTextAt(LONG index, const char* text) {
    return text_->SetTextAtA(index, text);
}
template <>
HRESULT CHostChartAdapterA::GetAxisText(SHORT axis, char* buffer, LONG size) {
    const auto item = axisItem(axis);
    return clearOnFailure(item ? item->GetTextA(buffer, size) : com::E_INVALIDARG, buffer, size);
}
template <>
HRESULT CHostChartAdapterA::SetAxisText(SHORT axis, const char* text) {
    const auto item = axisItem(axis);
    return item ? item->SetTextA(text) : com::E_INVALIDARG;
}

// The dual form.

template <>
HRESULT CHostChartAdapterB::GetToolTipText(char* buffer, LONG size) {
    return narrow([&](com::Bstr* text) { return text_->GetToolTipText(text); }, buffer, size);
}
template <>
HRESULT CHostChartAdapterB::SetToolTipText(const char* text) {
    return text_->SetToolTipText(wide(text));
}
template <>
HRESULT CHostChartAdapterB::GetSeriesLegend(SHORT series, char* buffer, LONG size) {
    return narrow([&](com::Bstr* text) { return text_->GetSeriesLegend(series, text); }, buffer, size);
}
template <>
HRESULT CHostChartAdapterB::SetSeriesLegend(SHORT series, const char* text) {
    return text_->SetSeriesLegend(series, wide(text));
}
template <>
HRESULT CHostChartAdapterB::GetCaptionText(char* buffer, LONG size) {
    return narrow([&](com::Bstr* text) { return text_->GetCaptionText(text); }, buffer, size);
}
template <>
HRESULT CHostChartAdapterB::SetCaptionText(const char* text) {
    return text_->SetCaptionText(wide(text));
}
template <>
HRESULT CHostChartAdapterB::GetAxisTitle(SHORT position, char* buffer, LONG size) {
    return narrow([&](com::Bstr* text) { return text_->GetAxisTitle(position, text); }, buffer, size);
}
template <>
HRESULT CHostChartAdapterB::SetAxisTitle(SHORT position, const char* text) {
    return text_->SetAxisTitle(position, wide(text));
}
template <>
HRESULT CHostChartAdapterB::GetAxisLabelText(SHORT axis, SHORT index, char* buffer, LONG size) {
    const auto item = axisItem(axis);
    return narrow([&](com::Bstr* text) { return item ? item->GetLabelText(index, text) : com::E_INVALIDARG; },
                  buffer, size);
}
template <>
HRESULT CHostChartAdapterB::SetAxisLabelText(SHORT axis, SHORT index, const char* text) {
    const auto item = axisItem(axis);
    return item ? item->SetLabelText(index, wide(text)) : com::E_INVALIDARG;
}
template <>
HRESULT CHostChartAdapterB::GetTextAt(LONG index, char* buffer, LONG size) {
    return narrow([&](com::Bstr* text) { return text_->GetTextAt(index, text); }, buffer, size);
}
template <>
HRESULT CHostChartAdapterB::SetTextAt(LONG index, const char* text) {
    return text_->SetTextAt(index, wide(text));
}
template <>
HRESULT CHostChartAdapterB::GetAxisText(SHORT axis, char* buffer, LONG size) {
    const auto item = axisItem(axis);
    return narrow([&](com::Bstr* text) { return item ? item->GetText(text) : com::E_INVALIDARG; }, buffer,
                  size);
}
template <>
HRESULT CHostChartAdapterB::SetAxisText(SHORT axis, const char* text) {
    const auto item = axisItem(axis);
    return item ? item->SetText(wide(text)) : com::E_INVALIDARG;
}

template class CHostChartAdapterText<korvel::IKvlControlA>;
template class CHostChartAdapterText<korvel::IKvlControlW>;

}  // namespace dravik
