// The chart's members for the application (IKvlChart): data access, extensions, conversions, tips and
// zoom, its command bar, numbered settings, colours, the options object and the extender's size and text.
#include <algorithm>
#include <cmath>

#include <QWidget>

#include "KvlItems.h"
#include "com/ComObject.h"
#include "korvel/KvlChart.h"

namespace korvel {

using detail::put;

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

// --- IKvlChart -----------------------------------------------------------------------------------------

HRESULT KvlChart::AddExtension(const com::Bstr& progId, com::IUnknown** extension) {
    if (!extension)
        return com::E_POINTER;
    *extension = nullptr;
    if (progId.isEmpty())
        return com::E_INVALIDARG;
    com::ComPtr<com::IUnknown> object;
    const HRESULT result = driver_.addExtension(progId.toUtf8(), identity(), object);
    if (com::SUCCEEDED(result))
        *extension = object.detach();
    return result;
}

HRESULT KvlChart::get_PointCount(LONG* count) {
    return put(count, model_.pointCount());
}

HRESULT KvlChart::get_ValueAt(SHORT series, LONG point, double* value) {
    return model_.value(1, series, point, value);
}

HRESULT KvlChart::get_PointXValue(LONG point, double* value) {
    return model_.xValue(point, value);
}

// A value written from outside shows at the next paint: a caller that fills a series point by point
// after the chart was drawn (a study computed by another library) must not wait for an unrelated
// repaint. Marks made during a paint would only repeat it. The active chart type hears of the value,
// so that its own copy of the values keeps it when it hands that copy to the chart again.
HRESULT KvlChart::put_ValueAt(SHORT series, LONG point, double value) {
    const HRESULT result = model_.setValue(1, series, point, value);
    if (com::FAILED(result))
        return result;
    writtenValues_[{series, point}] = value;
    driver_.notifyValueWritten(series, point);
    if (!painting_)
        InvalidateRect(nullptr);
    return result;
}

bool KvlChart::holdsWrittenValues() const {
    return std::all_of(writtenValues_.begin(), writtenValues_.end(), [this](const auto& written) {
        double now = 0;
        return com::SUCCEEDED(model_.value(1, written.first.first, written.first.second, &now)) &&
               now == written.second;
    });
}

HRESULT KvlChart::get_XValueAt(SHORT table, LONG point, double* value) {
    if (table != kXValues) {
        if (value)
            *value = 0;
        return com::E_INVALIDARG;
    }
    return model_.xValue(point, value);
}

HRESULT KvlChart::put_XValueAt(SHORT table, LONG point, double value) {
    if (table != kXValues)
        return com::E_INVALIDARG;
    return model_.setXValue(point, value);
}

HRESULT KvlChart::get_SeriesCount(LONG* count) {
    return put(count, model_.seriesCount());
}

HRESULT KvlChart::get_Series(IKvlCollection** series) {
    return GetSeriesList(series);
}

HRESULT KvlChart::get_ChartType(LONG* type) {
    const LONG active = driver_.activeType();
    return put(type, active >= 0 ? active : chartType_);
}

HRESULT KvlChart::put_ChartType(LONG type) {
    if (type < 0)
        return com::E_INVALIDARG;
    const HRESULT result = driver_.setChartType(type);
    if (com::SUCCEEDED(result)) {
        chartType_ = type;
        ++repaints_;
    }
    return result;
}

HRESULT KvlChart::get_ColumnKind(SHORT column, SHORT* kind) {
    if (!kind)
        return com::E_POINTER;
    *kind = 0;
    if (column < 0 || column >= kMaxColumns)
        return com::E_INVALIDARG;
    const auto found = columnKinds_.find(column);
    *kind = found == columnKinds_.end() ? SHORT{kColumnValue} : found->second;
    return com::S_OK;
}

HRESULT KvlChart::put_ColumnKind(SHORT column, SHORT kind) {
    if (column < 0 || column >= kMaxColumns)
        return com::E_INVALIDARG;
    if (kind != kColumnIgnored && kind != kColumnValue && kind != kColumnXValue && kind != kColumnLegend)
        return com::E_INVALIDARG;
    columnKinds_[column] = kind;
    return com::S_OK;
}

HRESULT KvlChart::get_TextAt(LONG index, com::Bstr* value) {
    return GetTextAt(index, value);
}

HRESULT KvlChart::put_TextAt(LONG index, const com::Bstr& value) {
    return SetTextAt(index, value);
}

HRESULT KvlChart::SetDataProvider(com::IUnknown* provider) {
    if (!provider)
        return com::E_POINTER;
    com::ComPtr<IKvlDataProvider> rows;
    const HRESULT result = provider->QueryInterface(IKvlDataProvider::iid, rows.putVoid());
    if (com::FAILED(result))
        return result;
    return loadRows(rows.get());
}

HRESULT KvlChart::PixelToValue(LONG x, LONG y, double* position, double* value, SHORT axis) {
    return model_.pixelToValue(x, y, position, value, axis);
}

HRESULT KvlChart::ValueToPixel(double position, double value, LONG* x, LONG* y, SHORT axis) {
    return model_.valueToPixel(position, value, x, y, axis);
}

HRESULT KvlChart::get_TipText(com::Bstr* value) {
    return GetToolTipText(value);
}

HRESULT KvlChart::put_TipText(const com::Bstr& value) {
    return SetToolTipText(value);
}

HRESULT KvlChart::get_Zoom(com::VARIANT_BOOL* zoomed) {
    return put(zoomed, com::toVariantBool(model_.zoomed() || model_.zoomMode()));
}

HRESULT KvlChart::put_Zoom(com::VARIANT_BOOL zoomed) {
    model_.setZoomMode(zoomed != 0);
    ++repaints_;
    InvalidateRect(nullptr);
    if (!zoomed)
        showWholeChart();
    return com::S_OK;
}

HRESULT KvlChart::ShowRange(double first, double low, double last, double high) {
    if (!std::isfinite(first) || !std::isfinite(low) || !std::isfinite(last) || !std::isfinite(high))
        return com::E_INVALIDARG;
    if (low < high)
        return ZoomTo(first, low, last, high);
    // No value range: the values scale themselves again, and a range covering every point is the
    // whole chart (ShowRange (0, 0, PointCount, 0) shows everything again).
    const auto before = model_.visibleRange(kXAxis);
    model_.axis(0)->zoomRange.reset();
    const double end = std::max<LONG>(model_.pointCount(), 1) + 0.5;
    if (first <= 0.5 && last >= model_.pointCount())
        model_.axis(kXAxis)->zoomRange.reset();
    else if (com::FAILED(model_.setVisibleRange(kXAxis, std::max(first, 0.5), std::min(last, end))))
        return com::E_INVALIDARG;
    model_.autoScale();
    ++repaints_;
    InvalidateRect(nullptr);
    if (model_.visibleRange(kXAxis) != before)
        scrolled();
    syncCommandStates();
    return com::S_OK;
}

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

HRESULT KvlChart::RunCommand(LONG id, LONG parameter) {
    if (id == kCommandExtensionPage) {
        // A page the gallery does not have opens nothing; that is no failure of the command.
        const HRESULT shown = showPropertyFrame(parameter, true);
        return com::FAILED(shown) ? shown : com::S_OK;
    }
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
    *twips = controlWidth() * kTwipsPerPixel;
    return com::S_OK;
}

HRESULT KvlChart::put_Width(LONG twips) {
    if (twips < 0)
        return com::E_INVALIDARG;
    resizeClient(twips / kTwipsPerPixel, controlHeight());
    return com::S_OK;
}

HRESULT KvlChart::get_Height(LONG* twips) {
    if (!twips)
        return com::E_POINTER;
    *twips = controlHeight() * kTwipsPerPixel;
    return com::S_OK;
}

HRESULT KvlChart::put_Height(LONG twips) {
    if (twips < 0)
        return com::E_INVALIDARG;
    resizeClient(controlWidth(), twips / kTwipsPerPixel);
    return com::S_OK;
}

LONG KvlChart::controlWidth() const {
    return controlSize_ ? controlSize_->x : model_.clientRect().width();
}

LONG KvlChart::controlHeight() const {
    return controlSize_ ? controlSize_->y : model_.clientRect().height();
}

void KvlChart::setSizeListener(std::function<void(LONG width, LONG height)> listener) {
    sizeListener_ = std::move(listener);
    if (!sizeListener_)
        controlSize_.reset();
}

void KvlChart::resizeClient(LONG width, LONG height) {
    // The widget showing the chart lays its bars and the chart's window out in that size; the window
    // then gives the chart its client size.
    if (sizeListener_) {
        sizeListener_(width, height);
        return;
    }
    if (window_.isValid() && window_.widget())
        window_.widget()->resize(width, height);
    model_.setClientSize(width, height);
    InvalidateRect(nullptr);
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
