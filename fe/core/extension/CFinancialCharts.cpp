#include "extension/CFinancialCharts.h"

#include <new>

#include "com/ClassFactory.h"
#include "dravik/Commands.h"
#include "dravik/Identities.h"
#include "extension/FinancialChartsClass.h"
#include "format/DefaultRecords.h"
#include "gallery/AxisPageHost.h"
#include "korvel/KvlContract.h"
#include "state/StudyTable.h"

namespace dravik {

com::HRESULT CreateFinancialCharts(com::IUnknown* outer, const com::IID& iid, void** object) {
    return com::createComObject<CFinancialCharts>(outer, iid, object);
}

CFinancialCharts::CFinancialCharts() : CFinancialCharts(ChartTypeFactory(&CreateChartType)) {}

CFinancialCharts::CFinancialCharts(const ChartTypeFactory& makeChartType)
    : CChartExtensionBase(kChartTypeCount, kCommandChartTypeCount, kGalleryCommandBitmapId,
                          kExtensionSignature, kExtensionEndSignature, kExtensionVersion) {
    // Every forwarder relies on all six chart types: without one of them there is no object.
    std::vector<std::unique_ptr<CGalleryBase>> types;
    for (SHORT index = 0; index < kChartTypeCount; ++index) {
        std::unique_ptr<CGalleryBase> type = makeChartType ? makeChartType(index, this) : nullptr;
        if (!type)
            throw std::bad_alloc();
        types.push_back(std::move(type));
    }
    setGalleries(std::move(types));
    commandStates_ = {{ID_CLOSEPRICE, 0},  {ID_HILOWCLOSE, 0}, {ID_OPENHILOWCLOSE, 0},
                      {ID_CANDLESTICK, 0}, {ID_NOPRICE, 0},    {ID_OTHERSTUDIES, 0}};
    createCommandBar();
    const res::ResourceModule* module = GetResourceInstance().get();
    settings_.SetDefaults(module);
    studies_.reserve(kStudyCount);
    for (int study = 0; study < kStudyNumberCount; ++study)
        studies_.push_back(MakeDefaultStudyRecord(study, module));
    studyParameters_.resize(kStudyCount);
    // The analytical chart's price series start from their own defaults, which set no colour: each
    // keeps the colour the chart gave it.
    for (std::size_t role = 0; role < priceSeriesRecords_.size(); ++role)
        priceSeriesRecords_[role] = DefaultPriceSeriesRecord(role);
}

CFinancialCharts::~CFinancialCharts() {
    // Drawing objects clients still hold must not reach an extension that is going.
    drawings_.Disconnect();
    if (commandBar_)
        commandBar_->SetMessageReceiver(nullptr);
    if (studiesTool_)
        studiesTool_->Disconnect();
    studiesTool_.reset();
    toolbarObj_.reset();
    toolbar_.reset();
    commandBar_.reset();
    chartTypeState_.dataCache.clear();
    if (chartTypeState_.trackingPen != gdi::NULL_HANDLE)
        gdi::deleteObject(chartTypeState_.trackingPen);
    resetCallbackChain();
}

HRESULT CFinancialCharts::QueryInterface(const com::IID& iid, void** object) {
    if (!object)
        return com::E_POINTER;
    *object = nullptr;
    // While attached the object hands out the site it is attached to (a property page bound to the
    // chart object finds the chart that way); nothing else of the site is answered here.
    if (iid == IKvlExtensionSite::iid) {
        if (!site())
            return com::E_NOINTERFACE;
        site()->AddRef();
        *object = site();
        return com::S_OK;
    }
    // The axis pages reach the active chart type's axes through a forwarding object.
    if (iid == IAxisPageHost::iid)
        return CreateAxisPageHost(
            *this, [this] { return activeGallery(); }, object);
    void* found = nullptr;
    if (iid == IFinancialCharts::iid || iid == com::IDispatch::iid) {
        found = static_cast<IFinancialCharts*>(this);
    } else if (iid == IDrawingSelection::iid) {
        found = static_cast<IDrawingSelection*>(this);
    } else if (iid == com::ISpecifyPropertyPages::iid) {
        found = static_cast<com::ISpecifyPropertyPages*>(this);
    } else if (iid == IKvlExtensionCallback::iid) {
        found = static_cast<IKvlExtensionCallback*>(this);
    } else if (iid == ostbar::IOstMessageReceiver::iid) {
        found = static_cast<ostbar::IOstMessageReceiver*>(this);
    } else if (iid == com::IConnectionPointContainer::iid) {
        found = static_cast<com::IConnectionPointContainer*>(this);
    } else if (iid == com::IPersistStream::iid || iid == com::IPersist::iid) {
        found = static_cast<com::IPersistStream*>(this);
    }
    if (!found)
        return CChartExtensionBase::QueryInterface(iid, object);
    AddRef();
    *object = found;
    return com::S_OK;
}

CGalleryBase* CFinancialCharts::callbackTarget() const {
    CGalleryBase* active = activeGallery();
    return active && active->IsEnabled() ? active : nullptr;
}

// --- Overrides of the extension base --------------------------------------------------------------------

LONG CFinancialCharts::IsGalleryEnabled(LONG index) {
    if (busy_)
        return 0;
    if (index >= 0 && index < kChartTypeCount && isAttached()) {
        LONG seriesCount = 0;
        if (services())
            services()->GetProperty(&seriesCount, nullptr, 0, korvel::kValues);
        return seriesCount != 0 ? 1 : 0;
    }
    return 1;
}

HRESULT CFinancialCharts::GetPageClsid(LONG index, LONG kind, com::CLSID* clsid) {
    if (!clsid)
        return com::E_POINTER;
    *clsid = com::GUID_NULL;
    CGalleryBase* type = index >= 0 && index < kChartTypeCount ? gallery(index) : nullptr;
    if (!type)
        return com::S_FALSE;
    const HRESULT result = type->GetPageClsid(kind, clsid);
    if (com::FAILED(result))
        return result;
    if (kind == 2 && clsid->isNull())
        *clsid = CLSID_AxisGeneralPage;
    return clsid->isNull() ? com::S_FALSE : com::S_OK;
}

LONG CFinancialCharts::MapGalleryItemId(LONG, LONG, LONG id) {
    return activeIndex() >= 0 && activeIndex() < kChartTypeCount ? id + 16 : id;
}

void CFinancialCharts::PrepareChart(com::IUnknown* chart) {
    CHostChartAdapter* chartAdapter = adapter();
    if (!chart || !chartAdapter || !services())
        return;
    chartAdapter->SetCaptionText(kChartCaption);
    LONG coloured = 0;
    services()->GetProperty(&coloured, nullptr, 0, korvel::kColoured);
    LONG paletteSize = 0;
    void* palette = nullptr;
    services()->GetProperty(&paletteSize, &palette, 0, korvel::kPalette);
    chartAdapter->BeginDataChange(3, kPreparedSeriesCount, 0);
    const auto* colours = static_cast<const com::COLORREF*>(palette);
    if (colours && paletteSize > 0) {
        for (LONG series = std::max<LONG>(coloured, 0); series < kPreparedSeriesCount; ++series)
            chartAdapter->SetSeriesColor(static_cast<SHORT>(series),
                                         static_cast<LONG>(colours[series % paletteSize]));
    }
    chartAdapter->EndDataChange(3);
}

HRESULT CFinancialCharts::SetSeriesRange(SHORT first, SHORT count, LONG color) {
    CHostChartAdapter* chartAdapter = adapter();
    if (!chartAdapter)
        return com::E_FAIL;
    if (first < 0 || count < 0)
        return com::E_INVALIDARG;
    for (LONG series = first; series < first + count; ++series)
        chartAdapter->SetSeriesColor(static_cast<SHORT>(series), color);
    return com::S_OK;
}

HRESULT CFinancialCharts::SetResourceLanguage(const std::u16string& fileName, LONG* loaded) {
    const HRESULT result = CChartExtensionBase::SetResourceLanguage(fileName, loaded);
    if (commandBar_) {
        commandBar_->SetResourceModule(GetResourceInstance());
        commandBar_->Refresh();
    }
    if (studiesTool_)
        studiesTool_->LanguageChanged();
    return result;
}

// --- Recalculation ----------------------------------------------------------------------------------------

void CFinancialCharts::RecalcActiveGallery() {
    if (!isAttached())
        return;
    CGalleryBase* active = activeGallery();
    if (autoRecalc_ && active && activeIndex() <= CHART_THREELINEBREAK)
        active->Recalculate();
    site()->Refresh(korvel::kRefreshRepaint, 0);
}

HRESULT CFinancialCharts::put_AutoRecalc(com::VARIANT_BOOL value) {
    autoRecalc_ = value == com::VARIANT_TRUE;
    if (autoRecalc_)
        RecalcActiveGallery();
    return com::S_OK;
}

bool CFinancialCharts::isPriceIndicator(LONG study) const {
    return study >= 0 && study < kPriceIndicatorStudyCount;
}

std::string CFinancialCharts::studyName(LONG study) const {
    if (study < 0 || study >= kStudyNumberCount)
        return {};
    // The name the record holds when it was given one (by the user, a study object or a load) ...
    const res::ResourceModule* module = GetResourceInstance().get();
    CResourceText recordName = studies_[static_cast<std::size_t>(study)].name;
    CResourceText defaultName = MakeDefaultStudyRecord(static_cast<int>(study), module).name;
    if (const std::string name = recordName.GetText(module);
        !name.empty() && name != defaultName.GetText(module))
        return name;
    // ... else built-in studies have their long names; user and custom studies the caption of their
    // command.
    const std::uint32_t id = study < kBuiltInStudyNumberCount
                                 ? kStudyNameStringBase + static_cast<std::uint32_t>(study)
                                 : kCommandTextStringBase + static_cast<std::uint32_t>(StudyCommand(study));
    return GetResourceInstance()->stringOr(id);
}

}  // namespace dravik
