#include "KvlItems.h"

#include "com/FixedText.h"

namespace korvel::detail {

HRESULT copyText(const std::string& text, char* buffer, LONG size) {
    if (!buffer || size <= 0)
        return com::E_POINTER;
    const com::FixedTextResult result = com::copyToFixed(text, buffer, static_cast<std::size_t>(size));
    return result.truncated() ? com::S_FALSE : com::S_OK;
}

std::string fromCText(const char* text) {
    return text ? std::string(text) : std::string();
}

namespace {

template <typename T>
HRESULT handOut(com::ComPtr<T> object, com::IUnknown** out) {
    *out = static_cast<com::IUnknown*>(object.detach());
    return com::S_OK;
}

}  // namespace

// --- collection ----------------------------------------------------------------------------------------

HRESULT KvlCollection::get_Count(LONG* count) {
    if (!count)
        return com::E_POINTER;
    KvlChartModel& model = chart_->model();
    switch (kind_) {
        case ListKind::Axes:
            *count = model.axisCount();
            break;
        case ListKind::Series:
            *count = model.seriesCount();
            break;
        case ListKind::ConstantLines:
            *count = static_cast<LONG>(model.constantLines().size());
            break;
    }
    return com::S_OK;
}

HRESULT KvlCollection::Item(SHORT index, com::IUnknown** item) {
    if (!item)
        return com::E_POINTER;
    *item = nullptr;
    if (kind_ == ListKind::Axes)
        chart_->model().makePaneAxes(index);
    LONG count = 0;
    get_Count(&count);
    if (index < 0 || index >= count)
        return com::E_INVALIDARG;
    switch (kind_) {
        case ListKind::Axes:
            return handOut(com::makeComObject<KvlAxisItem>(*chart_, index), item);
        case ListKind::Series:
            return handOut(com::makeComObject<KvlSeriesItem>(*chart_, index), item);
        case ListKind::ConstantLines:
            return handOut(com::makeComObject<KvlConstantLineItem>(*chart_, index), item);
    }
    return com::E_UNEXPECTED;
}

// --- axis ----------------------------------------------------------------------------------------------

HRESULT KvlAxisItem::GetValue(LONG code, double* value) {
    return chart_->model().axisValue(index_, code, value);
}

HRESULT KvlAxisItem::SetValue(LONG code, double value) {
    return chart_->model().setAxisValue(index_, code, value);
}

HRESULT KvlAxisItem::GetFormat(com::Variant* format) {
    if (!format)
        return com::E_POINTER;
    *format = state().format;
    return com::S_OK;
}

HRESULT KvlAxisItem::SetFormat(const com::Variant& format) {
    const com::VARTYPE vt = format.vt();
    if (vt != com::VT_I2 && vt != com::VT_I4 && vt != com::VT_BSTR && vt != com::VT_EMPTY)
        return com::DISP_E_TYPEMISMATCH;
    state().format = format;
    return com::S_OK;
}

HRESULT KvlAxisItem::GetVisibleRange(double* first, double* last) {
    if (!first || !last)
        return com::E_POINTER;
    std::tie(*first, *last) = chart_->model().visibleRange(index_);
    return com::S_OK;
}

HRESULT KvlAxisItem::SetVisibleRange(double first, double last) {
    return chart_->model().setVisibleRange(index_, first, last);
}

HRESULT KvlAxisItem::GetLabelTextA(SHORT index, char* buffer, LONG size) {
    const auto found = state().labelTexts.find(index);
    return copyText(found == state().labelTexts.end() ? std::string() : found->second, buffer, size);
}

HRESULT KvlAxisItem::SetLabelTextA(SHORT index, const char* text) {
    if (index < 0)
        return com::E_INVALIDARG;
    state().labelTexts[index] = fromCText(text);
    return com::S_OK;
}

HRESULT KvlAxisItem::GetLabelText(SHORT index, com::Bstr* text) {
    if (!text)
        return com::E_POINTER;
    const auto found = state().labelTexts.find(index);
    *text = com::Bstr::fromUtf8(found == state().labelTexts.end() ? std::string() : found->second);
    return com::S_OK;
}

HRESULT KvlAxisItem::SetLabelText(SHORT index, const com::Bstr& text) {
    if (index < 0)
        return com::E_INVALIDARG;
    state().labelTexts[index] = text.toUtf8();
    return com::S_OK;
}

HRESULT KvlAxisItem::ResetScale() {
    KvlAxisState& axis = state();
    axis.labelTexts.clear();
    axis.zoomRange.reset();
    const auto style = static_cast<LONG>(axis.properties[8]);
    return chart_->model().setAxisValue(index_, 8, style | kAxisStyleAutoScale);
}

HRESULT KvlAxisItem::GetTextA(char* buffer, LONG size) {
    return copyText(state().text, buffer, size);
}

HRESULT KvlAxisItem::SetTextA(const char* text) {
    state().text = fromCText(text);
    return com::S_OK;
}

HRESULT KvlAxisItem::GetText(com::Bstr* text) {
    if (!text)
        return com::E_POINTER;
    *text = com::Bstr::fromUtf8(state().text);
    return com::S_OK;
}

HRESULT KvlAxisItem::SetText(const com::Bstr& text) {
    state().text = text.toUtf8();
    return com::S_OK;
}

// --- series --------------------------------------------------------------------------------------------

HRESULT KvlSeriesItem::GetAttribute(LONG id, LONG* value) {
    return chart_->model().attribute(index_, id, value);
}

HRESULT KvlSeriesItem::SetAttribute(LONG id, LONG value) {
    return chart_->model().setAttribute(index_, id, value);
}

HRESULT KvlSeriesItem::get_YValue(LONG point, double* value) {
    return chart_->model().value(1, index_, point, value);
}

HRESULT KvlSeriesItem::put_YValue(LONG point, double value) {
    return chart_->model().setValue(1, index_, point, value);
}

HRESULT KvlSeriesItem::get_Legend(com::Bstr* legend) {
    if (!legend)
        return com::E_POINTER;
    *legend = com::Bstr();
    const KvlSeriesState* series = chart_->model().series(index_);
    if (!series)
        return com::E_INVALIDARG;
    *legend = com::Bstr::fromUtf8(series->legend);
    return com::S_OK;
}

HRESULT KvlSeriesItem::put_Legend(const com::Bstr& legend) {
    KvlSeriesState* series = chart_->model().series(index_);
    if (!series)
        return com::E_INVALIDARG;
    series->legend = legend.toUtf8();
    return com::S_OK;
}

HRESULT KvlSeriesItem::get_Visible(com::VARIANT_BOOL* visible) {
    if (!visible)
        return com::E_POINTER;
    LONG value = 0;
    const HRESULT result = chart_->model().attribute(index_, kAttrVisible, &value);
    *visible = com::toVariantBool(value != 0);
    return result;
}

HRESULT KvlSeriesItem::put_Visible(com::VARIANT_BOOL visible) {
    return chart_->model().setAttribute(index_, kAttrVisible, visible ? 1 : 0);
}

// --- constant line -------------------------------------------------------------------------------------

HRESULT KvlConstantLineItem::Get(SHORT* axis, double* value, double* width, LONG* color) {
    if (!axis || !value || !width || !color)
        return com::E_POINTER;
    const KvlConstantLine& line = chart_->model().constantLines().at(static_cast<std::size_t>(index_));
    *axis = line.axis;
    *value = line.value;
    *width = line.width;
    *color = line.color;
    return com::S_OK;
}

HRESULT KvlConstantLineItem::Put(SHORT axis, double value, double width, LONG color) {
    if (axis < 0 || axis >= chart_->model().axisCount())
        return com::E_INVALIDARG;
    chart_->model().constantLines().at(static_cast<std::size_t>(index_)) =
        KvlConstantLine{axis, value, width, color};
    return com::S_OK;
}

}  // namespace korvel::detail
