// The chart's texts in both forms of the control interface: UTF-8 into bounded buffers, and UTF-16
// strings.
#include "KvlItems.h"
#include "com/Text.h"
#include "korvel/KvlChart.h"

namespace korvel {

using detail::copyText;
using detail::fromCText;

// --- IKvlControlA --------------------------------------------------------------------------------------

HRESULT KvlChart::GetToolTipTextA(char* buffer, LONG size) {
    return copyText(model_.toolTip(), buffer, size);
}
HRESULT KvlChart::SetToolTipTextA(const char* value) {
    model_.toolTip() = fromCText(value);
    ++toolTipsSet_;
    return com::S_OK;
}

HRESULT KvlChart::GetSeriesLegendA(SHORT series, char* buffer, LONG size) {
    const KvlSeriesState* state = model_.series(series);
    if (!state) {
        copyText(std::string(), buffer, size);
        return com::E_INVALIDARG;
    }
    return copyText(state->legend, buffer, size);
}

HRESULT KvlChart::SetSeriesLegendA(SHORT series, const char* value) {
    KvlSeriesState* state = model_.series(series);
    if (!state)
        return com::E_INVALIDARG;
    state->legend = fromCText(value);
    return com::S_OK;
}

HRESULT KvlChart::GetCaptionTextA(char* buffer, LONG size) {
    return copyText(model_.caption(), buffer, size);
}
HRESULT KvlChart::SetCaptionTextA(const char* value) {
    model_.caption() = fromCText(value);
    return com::S_OK;
}

HRESULT KvlChart::GetAxisTitleA(SHORT position, char* buffer, LONG size) {
    const std::string* title = axisTitle(position);
    if (!title) {
        copyText(std::string(), buffer, size);
        return com::E_INVALIDARG;
    }
    return copyText(*title, buffer, size);
}

HRESULT KvlChart::SetAxisTitleA(SHORT position, const char* value) {
    std::string* title = axisTitle(position);
    if (!title)
        return com::E_INVALIDARG;
    *title = fromCText(value);
    return com::S_OK;
}

HRESULT KvlChart::GetTextAtA(LONG index, char* buffer, LONG size) {
    const std::string* found = text(index);
    if (!found) {
        copyText(std::string(), buffer, size);
        return com::E_INVALIDARG;
    }
    return copyText(*found, buffer, size);
}

HRESULT KvlChart::SetTextAtA(LONG index, const char* value) {
    std::string* found = text(index);
    if (!found)
        return com::E_INVALIDARG;
    *found = fromCText(value);
    return com::S_OK;
}

// --- IKvlControlW --------------------------------------------------------------------------------------

namespace {

HRESULT giveText(const std::string* source, com::Bstr* out) {
    if (!out)
        return com::E_POINTER;
    *out = com::Bstr(u"");
    if (!source)
        return com::E_INVALIDARG;
    *out = com::Bstr::fromUtf8(*source);
    return com::S_OK;
}

HRESULT takeText(std::string* target, const com::Bstr& text) {
    if (!target)
        return com::E_INVALIDARG;
    *target = text.toUtf8();
    return com::S_OK;
}

}  // namespace

HRESULT KvlChart::GetToolTipText(com::Bstr* value) {
    return giveText(&model_.toolTip(), value);
}
HRESULT KvlChart::SetToolTipText(const com::Bstr& value) {
    ++toolTipsSet_;
    return takeText(&model_.toolTip(), value);
}
HRESULT KvlChart::GetSeriesLegend(SHORT series, com::Bstr* value) {
    KvlSeriesState* state = model_.series(series);
    return giveText(state ? &state->legend : nullptr, value);
}
HRESULT KvlChart::SetSeriesLegend(SHORT series, const com::Bstr& value) {
    KvlSeriesState* state = model_.series(series);
    return takeText(state ? &state->legend : nullptr, value);
}
HRESULT KvlChart::GetCaptionText(com::Bstr* value) {
    return giveText(&model_.caption(), value);
}
HRESULT KvlChart::SetCaptionText(const com::Bstr& value) {
    return takeText(&model_.caption(), value);
}
HRESULT KvlChart::GetAxisTitle(SHORT position, com::Bstr* value) {
    return giveText(axisTitle(position), value);
}
HRESULT KvlChart::SetAxisTitle(SHORT position, const com::Bstr& value) {
    return takeText(axisTitle(position), value);
}
HRESULT KvlChart::GetTextAt(LONG index, com::Bstr* value) {
    return giveText(text(index), value);
}
HRESULT KvlChart::SetTextAt(LONG index, const com::Bstr& value) {
    return takeText(text(index), value);
}

}  // namespace korvel
