#include "CFinancialPropertyPage.h"

#include <algorithm>

#include "PageCombos.h"
#include "res/ModuleRegistry.h"
#include "resources/BuiltInResources.h"
#include "resources/ResourceText.h"

namespace dravik {
namespace {
// More colours than any chart offers: a larger count is taken as a fault of the chart and cut.
constexpr com::LONG kMaxChartColors = 256;
}  // namespace

std::vector<gdi::COLORREF> ReadChartColorTable(korvel::IKvlExtensionSite* chart) {
    std::vector<gdi::COLORREF> colours;
    com::ComPtr<korvel::IKvlExtensionServices> services;
    if (!chart ||
        com::FAILED(chart->QueryInterface(korvel::IKvlExtensionServices::iid, services.putVoid())) ||
        !services)
        return colours;
    com::LONG count = 0;
    void* table = nullptr;
    if (com::SUCCEEDED(services->GetProperty(&count, &table, 0, korvel::kPalette)) && table && count > 0) {
        const auto* first = static_cast<const gdi::COLORREF*>(table);
        colours.assign(first, first + std::min(count, kMaxChartColors));
    }
    return colours;
}

CFinancialPropertyPage::CFinancialPropertyPage(PageLayout layout) : layout_(std::move(layout)) {}

CFinancialPropertyPage::~CFinancialPropertyPage() {
    // The window calls back into the page: it must not outlive it.
    delete dialog_.data();
}

std::shared_ptr<const res::ResourceModule> CFinancialPropertyPage::textModule() {
    const auto builtIn = BuiltInResources();
    const auto current = res::ModuleRegistry::current(QString::fromLatin1(kResourceComponent));
    return current ? current : builtIn;
}

QString CFinancialPropertyPage::title() const {
    return QString::fromStdString(textModule()->stringOr(layout_.titleId));
}

void CFinancialPropertyPage::setPageSite(ui::PropertyPageSite* site) {
    site_ = site;
}

com::HRESULT CFinancialPropertyPage::setObjects(std::span<com::IUnknown* const> objects) {
    if (objects.empty()) {
        release();
        return com::E_INVALIDARG;
    }
    com::HRESULT result = BindObjects(objects.front());
    if (com::SUCCEEDED(result) && com::FAILED(BindPage())) {
        release();
        result = com::E_INVALIDARG;
    }
    return result;
}

com::HRESULT CFinancialPropertyPage::BindObjects(com::IUnknown* object) {
    release();
    if (!object)
        return com::E_INVALIDARG;
    com::ComPtr<korvel::IKvlExtensionSite> chart;
    if (com::FAILED(object->QueryInterface(korvel::IKvlExtensionSite::iid, chart.putVoid())) || !chart)
        return com::E_INVALIDARG;
    com::ComPtr<IFinancialCharts> extension;
    if (com::FAILED(chart->QueryInterface(IFinancialCharts::iid, extension.putVoid())) || !extension)
        return com::E_INVALIDARG;
    adapter_ = CreateHostChartAdapter(chart.get());
    colors_ = ReadChartColorTable(chart.get());
    chart_ = std::move(chart);
    extension_ = std::move(extension);
    return com::S_OK;
}

void CFinancialPropertyPage::release() {
    ReleasePage();
    adapter_.reset();
    extension_.reset();
    chart_.reset();
    colors_.clear();
}

std::span<const gdi::COLORREF> CFinancialPropertyPage::colorTable() const {
    return colors_;
}

QWidget* CFinancialPropertyPage::activate(QWidget* parent) {
    delete dialog_.data();
    auto* dialog = new ui::Dialog(parent, title(), layout_.size, layout_.controls, this);
    dialog->setWindowFlags(Qt::Widget);
    dialog->setProperty("dialogId", layout_.dialogId);
    dialog_ = dialog;
    dialog->initialise();
    return dialog;
}

void CFinancialPropertyPage::deactivate() {
    // The window calls back into the page, so it goes with the page's activation.
    delete dialog_.data();
    dialog_.clear();
}

void CFinancialPropertyPage::show(bool shown) {
    if (dialog_)
        dialog_->setVisible(shown);
}

com::HRESULT CFinancialPropertyPage::isPageDirty() const {
    return dirty_ ? com::S_OK : com::S_FALSE;
}

com::HRESULT CFinancialPropertyPage::apply() {
    if (!dirty_)
        return com::S_FALSE;
    if (!extension_ || !dialog_)
        return com::E_FAIL;
    com::VARIANT_BOOL autoRecalc = com::VARIANT_FALSE;
    extension_->get_AutoRecalc(&autoRecalc);
    const bool wasOn = autoRecalc != com::VARIANT_FALSE;
    if (wasOn)
        extension_->put_AutoRecalc(com::VARIANT_FALSE);
    const com::HRESULT result = ApplyPage(*dialog_);
    // Switching it on again recalculates the chart once for all the page's changes.
    if (wasOn)
        extension_->put_AutoRecalc(com::VARIANT_TRUE);
    if (com::FAILED(result))
        return result;
    changed1_ = false;
    changed2_ = false;
    SetDirty(false);
    return com::S_OK;
}

void CFinancialPropertyPage::SetDirty(bool dirty) {
    if (dirty == dirty_)
        return;
    dirty_ = dirty;
    if (site_)
        site_->onStatusChange(ui::PROPPAGESTATUS_DIRTY | ui::PROPPAGESTATUS_VALIDATE);
}

void CFinancialPropertyPage::MarkChanged1() {
    changed1_ = true;
    SetDirty(true);
}

void CFinancialPropertyPage::MarkChanged2() {
    changed2_ = true;
    SetDirty(true);
}

void CFinancialPropertyPage::ShowWorkSeries(ui::Dialog& dialog) {
    if (!extension_)
        return;
    com::LONG workSeries = 0;
    com::SHORT chartSeries = 0;
    extension_->get_WorkSeries(&workSeries);
    extension_->GetKvlSeries(static_cast<com::SHORT>(workSeries), &chartSeries);
    SelectComboItemByData(dialog, kWorkSeriesItem, chartSeries);
}

com::SHORT CFinancialPropertyPage::ReadWorkSeries(const ui::Dialog& dialog) {
    return GetComboItemData(dialog, kWorkSeriesItem);
}

com::HRESULT CFinancialPropertyPage::ApplyWorkSeries(const ui::Dialog& dialog) {
    return extension_ ? extension_->put_WorkSeries(ReadWorkSeries(dialog)) : com::E_FAIL;
}

bool CFinancialPropertyPage::onInitDialog(ui::Dialog& dialog) {
    // Filling the controls is no edit of the user's.
    loading_ = true;
    LoadPage(dialog);
    loading_ = false;
    return true;
}

bool CFinancialPropertyPage::onCommand(ui::Dialog&, int, int code) {
    if (loading_)
        return false;
    if (code == ui::EN_CHANGE || code == ui::BN_CLICKED || code == ui::CBN_SELCHANGE)
        MarkChanged1();
    return false;
}

}  // namespace dravik
