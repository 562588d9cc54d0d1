#include "ChartTypeModels.h"

namespace dravik::test {

namespace {
// The chart types keep their label mask in 120 bytes.
constexpr std::size_t kMaskBytes = 119;
}  // namespace

com::HRESULT ChartTypeModel::getMask(com::Bstr* value) const {
    *value = com::Bstr::fromUtf8(labelMask);
    return com::S_OK;
}

com::HRESULT ChartTypeModel::putMask(const com::Bstr& value) {
    labelMask = value.toUtf8().substr(0, kMaskBytes);
    return com::S_OK;
}

com::HRESULT PointFigureModel::put_RectMarkers(com::VARIANT_BOOL value) {
    const bool square = onlyMinusOneIsTrue(value);
    if (square != rectMarkers) {
        rectMarkers = square;
        ++effects.repaints;
    }
    return com::S_OK;
}

ExtensionModel::ExtensionModel()
    : pointFigure(com::makeComObject<PointFigureModel>()),
      renko(com::makeComObject<RenkoModel>()),
      kagi(com::makeComObject<KagiModel>()),
      threeLineBreak(com::makeComObject<ThreeLineBreakModel>()) {}

com::HRESULT ExtensionModel::QueryInterface(const com::IID& iid, void** object) {
    if (iid == korvel::IKvlExtensionSite::iid) {
        if (!object)
            return com::E_POINTER;
        *object = nullptr;
        if (!site)
            return com::E_NOINTERFACE;
        site->AddRef();
        *object = site;
        return com::S_OK;
    }
    return FinancialChartsUnimplemented::QueryInterface(iid, object);
}

com::HRESULT ExtensionModel::get_AutoRecalc(com::VARIANT_BOOL* value) {
    ++autoRecalcCalls;
    *value = com::toVariantBool(autoRecalc);
    return com::S_OK;
}

com::HRESULT ExtensionModel::put_AutoRecalc(com::VARIANT_BOOL value) {
    ++autoRecalcCalls;
    autoRecalc = value == com::VARIANT_TRUE;
    if (autoRecalc)
        ++recalculations;
    return com::S_OK;
}

com::HRESULT ExtensionModel::put_WorkSeries(com::LONG value) {
    workSeries = value;
    ++recalculations;
    return com::S_OK;
}

com::HRESULT ExtensionModel::GetKvlSeries(com::SHORT series, com::SHORT* value) {
    // -1 is the close series; the pages' lists name the chart series.
    *value = series == -1 ? closeSeries : series;
    return com::S_OK;
}

void SiteModel::attach(const com::ComPtr<ExtensionModel>& model) {
    extension = model;
    model->site = this;
}

void SiteModel::detach() {
    if (extension)
        extension->site = nullptr;
    extension.reset();
}

com::HRESULT SiteModel::QueryInterface(const com::IID& iid, void** object) {
    if (iid == IFinancialCharts::iid && extension) {
        if (!object)
            return com::E_POINTER;
        return extension->QueryInterface(iid, object);
    }
    return ComObject::QueryInterface(iid, object);
}

com::HRESULT SiteModel::GetProperty(com::LONG* value, void** pointer, com::LONG, com::LONG kind) {
    *value = 0;
    if (pointer)
        *pointer = nullptr;
    if (kind != korvel::kPalette)
        return com::E_INVALIDARG;
    *value = static_cast<com::LONG>(palette.size());
    if (pointer)
        *pointer = palette.data();
    return com::S_OK;
}

AttachedChart::AttachedChart()
    : site(com::makeComObject<SiteModel>()), extension(com::makeComObject<ExtensionModel>()) {
    site->attach(extension);
}

AttachedChart::~AttachedChart() {
    site->detach();
}

}  // namespace dravik::test
