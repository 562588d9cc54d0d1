// The chart's members for the application that the model does not already answer: its command bar,
// numbered settings, colours, the options object and the extender's size and text.
#include <algorithm>

#include "com/ComObject.h"
#include "korvel/KvlChart.h"

namespace korvel {

namespace {

// Numbered settings the chart keeps for the application; 21 is the chart's background colour.
constexpr SHORT kKeptSettings[] = {8, 21, 26, 32};
constexpr SHORT kSettingBackColor = 21;

bool isKept(SHORT number) {
    return std::find(std::begin(kKeptSettings), std::end(kKeptSettings), number) != std::end(kKeptSettings);
}

class KvlOptions final : public com::ComObject<IKvlOptions> {
public:
    HRESULT get_Enabled(com::VARIANT_BOOL* enabled) override {
        if (!enabled)
            return com::E_POINTER;
        *enabled = com::toVariantBool(enabled_);
        return com::S_OK;
    }
    HRESULT put_Enabled(com::VARIANT_BOOL enabled) override {
        enabled_ = enabled != 0;
        return com::S_OK;
    }

private:
    bool enabled_ = false;
};

}  // namespace

HRESULT KvlChart::get_ToolBar(com::VARIANT_BOOL* shown) {
    if (!shown)
        return com::E_POINTER;
    *shown = com::toVariantBool(toolBarShown_);
    return com::S_OK;
}

HRESULT KvlChart::put_ToolBar(com::VARIANT_BOOL shown) {
    toolBarShown_ = shown != 0;
    commandBar_->Show(toolBarShown_ ? 1 : 0);
    if (toolBarListener_)
        toolBarListener_(toolBarShown_);
    return com::S_OK;
}

HRESULT KvlChart::get_ToolBarObject(com::IUnknown** toolbar) {
    if (!toolbar)
        return com::E_POINTER;
    *toolbar = nullptr;
    com::ComPtr<ostbar::IOstToolbar> bar;
    const HRESULT result = commandBar_->GetToolbar(bar.put());
    if (com::FAILED(result))
        return result;
    *toolbar = bar.detach();
    return com::S_OK;
}

HRESULT KvlChart::RunCommand(LONG id, LONG) {
    if (id < 0 || id > 0x7FFF || !commandBar_->table()->find(static_cast<SHORT>(id)))
        return com::E_INVALIDARG;
    runCommand(id);
    return com::S_OK;
}

HRESULT KvlChart::get_Setting(SHORT number, LONG* value) {
    if (!value)
        return com::E_POINTER;
    *value = 0;
    if (!isKept(number))
        return com::E_INVALIDARG;
    if (number == kSettingBackColor) {
        *value = model_.settings().backColor;
        return com::S_OK;
    }
    const auto found = settings_.find(number);
    *value = found == settings_.end() ? 0 : found->second;
    return com::S_OK;
}

HRESULT KvlChart::put_Setting(SHORT number, LONG value) {
    if (!isKept(number))
        return com::E_INVALIDARG;
    if (number == kSettingBackColor) {
        model_.settings().backColor = value;
        ++repaints_;
        InvalidateRect(nullptr);
        return com::S_OK;
    }
    settings_[number] = value;
    return com::S_OK;
}

HRESULT KvlChart::get_ChartColor(LONG* color) {
    return GetChartColor(color);
}

HRESULT KvlChart::put_ChartColor(LONG color) {
    const HRESULT result = SetChartColor(color);
    ++repaints_;
    InvalidateRect(nullptr);
    return result;
}

HRESULT KvlChart::get_Object80(com::IUnknown** object) {
    if (!object)
        return com::E_POINTER;
    if (!options_)
        options_ =
            com::ComPtr<com::IUnknown>(static_cast<IKvlOptions*>(com::makeComObject<KvlOptions>().get()));
    *object = com::ComPtr<com::IUnknown>(options_).detach();
    return com::S_OK;
}

HRESULT KvlChart::get_Width(LONG* twips) {
    if (!twips)
        return com::E_POINTER;
    *twips = model_.clientRect().width() * kTwipsPerPixel;
    return com::S_OK;
}

HRESULT KvlChart::put_Width(LONG twips) {
    if (twips < 0)
        return com::E_INVALIDARG;
    const LONG pixels = twips / kTwipsPerPixel;
    if (window_.isValid() && window_.widget())
        window_.widget()->resize(pixels, model_.clientRect().height());
    model_.setClientSize(pixels, model_.clientRect().height());
    InvalidateRect(nullptr);
    return com::S_OK;
}

HRESULT KvlChart::get_Height(LONG* twips) {
    if (!twips)
        return com::E_POINTER;
    *twips = model_.clientRect().height() * kTwipsPerPixel;
    return com::S_OK;
}

HRESULT KvlChart::put_Height(LONG twips) {
    if (twips < 0)
        return com::E_INVALIDARG;
    const LONG pixels = twips / kTwipsPerPixel;
    if (window_.isValid() && window_.widget())
        window_.widget()->resize(model_.clientRect().width(), pixels);
    model_.setClientSize(model_.clientRect().width(), pixels);
    InvalidateRect(nullptr);
    return com::S_OK;
}

HRESULT KvlChart::get_ChartCompanyID(com::Bstr* id) {
    if (!id)
        return com::E_POINTER;
    *id = com::Bstr::fromUtf8(companyId_);
    return com::S_OK;
}

HRESULT KvlChart::put_ChartCompanyID(const com::Bstr& id) {
    companyId_ = id.toUtf8();
    return com::S_OK;
}

}  // namespace korvel
