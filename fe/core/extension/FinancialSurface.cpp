// The COM surface of the extension object: settings, the series assignment, the Data buffer, the
// toolbars and the drawing counts. The object getters are in FinancialObjects.cpp, late binding in
// FinancialDispatch.cpp.
#include <array>
#include <limits>
#include <utility>

#include "analytical/CAnalyticalChartBase.h"
#include "com/HResult.h"
#include "com/Text.h"
#include "dravik/Commands.h"
#include "extension/CFinancialCharts.h"
#include "extension/DrawingDialogs.h"
#include "korvel/KvlContract.h"

namespace dravik {
namespace {

bool isAssigned(SHORT series) {
    return series >= 0;
}

}  // namespace

// --- Small helpers -----------------------------------------------------------------------------------------

HRESULT CFinancialCharts::getShort(SHORT* out, SHORT value) {
    return com::answerOut(out, value);
}

HRESULT CFinancialCharts::putShort(SHORT& field, SHORT value) {
    field = value;
    return com::S_OK;
}

HRESULT CFinancialCharts::putPriceSeries(SHORT& field, SHORT value) {
    field = value;
    if (CAnalyticalChartBase* analytical = analyticalChart())
        analytical->PriceSeriesRebound();
    return com::S_OK;
}

HRESULT CFinancialCharts::getFlag(com::VARIANT_BOOL* out, std::uint8_t flag) {
    return com::answerOut(out, com::toVariantBool(flag != 0));
}

HRESULT CFinancialCharts::putFlag(std::uint8_t& flag, com::VARIANT_BOOL value) {
    flag = value != 0 ? 1 : 0;
    return com::S_OK;
}

HRESULT CFinancialCharts::getMask(CResourceText& mask, com::Bstr* text) {
    if (!text)
        return com::E_POINTER;
    *text = com::Bstr::fromUtf8(mask.GetText(GetResourceInstance().get()));
    return com::S_OK;
}

HRESULT CFinancialCharts::putMask(CResourceText& mask, const com::Bstr& text) {
    // The text holder cuts the text to its 40-byte field at a character boundary.
    mask.SetText(text.toUtf8(), GetResourceInstance().get());
    return com::S_OK;
}

// --- Date switches, gallery, language ----------------------------------------------------------------------

HRESULT CFinancialCharts::put_DateInfo(com::VARIANT_BOOL value) {
    settings_.dateInfo = value != 0 ? 1 : 0;
    if (settings_.dateInfo)
        settings_.dateLine = 1;
    return com::S_OK;
}

HRESULT CFinancialCharts::get_CurrentGallery(SHORT* index) {
    return com::answerOut(index, activeIndex());
}

HRESULT CFinancialCharts::get_GalleryType(SHORT index, LONG* type) {
    if (!type)
        return com::E_POINTER;
    *type = -1;
    if (index < 0 || index >= kChartTypeCount)
        return com::E_INVALIDARG;
    if (firstCommandId() == -1)
        return com::E_FAIL;
    *type = firstGalleryType() + index;
    return com::S_OK;
}

HRESULT CFinancialCharts::Language(const com::Bstr& resource, LONG* loaded) {
    LONG result = 0;
    const HRESULT status = SetResourceLanguage(resource.text(), &result);
    if (loaded)
        *loaded = result;
    return status;
}

// --- The Data buffer and the data unit ---------------------------------------------------------------------

HRESULT CFinancialCharts::get_Data(LONG index, double* value) {
    if (!value)
        return com::E_POINTER;
    *value = 0;
    if (data_.empty())
        return com::E_FAIL;
    if (index < 0 || static_cast<std::size_t>(index) >= data_.size())
        return com::E_INVALIDARG;
    *value = data_[static_cast<std::size_t>(index)];
    return com::S_OK;
}

HRESULT CFinancialCharts::put_Data(LONG index, double value) {
    if (data_.empty())
        return com::E_FAIL;
    if (index < 0 || static_cast<std::size_t>(index) >= data_.size())
        return com::E_INVALIDARG;
    data_[static_cast<std::size_t>(index)] = value;
    return com::S_OK;
}

HRESULT CFinancialCharts::get_DataUnit(LONG* unit) {
    return com::answerOut(unit, static_cast<LONG>(settings_.currentDataUnit));
}

HRESULT CFinancialCharts::put_DataUnit(LONG unit) {
    if (unit < DL_YEAR || unit > DL_POINTS)
        return com::E_INVALIDARG;
    // Periods of a unit exist only once the date scale was built over dated points: a unit without
    // its table is not taken (the points as they are always are).
    if (unit != DL_POINTS && settings_.dateScale.PeriodCount(unit) == 0)
        return com::S_OK;
    if (CGalleryBase* active = activeGallery(); active && unit != settings_.currentDataUnit)
        active->SetDataUnit(unit);
    settings_.currentDataUnit = unit;
    settings_.dateScale.SetLevel(unit);
    return com::S_OK;
}

// --- The series assignment ---------------------------------------------------------------------------------

HRESULT CFinancialCharts::get_SeriesDataErr(LONG* code) {
    if (!code)
        return com::E_POINTER;
    const SeriesBinding& b = binding_;
    const auto result = [&]() -> LONG {
        if (!isAssigned(b.closeSeries))
            return SERIES_ERR_MISSING_CLOSE;
        if (isAssigned(b.openSeries)) {
            if (!isAssigned(b.highSeries) || !isAssigned(b.lowSeries))
                return SERIES_ERR_BADOPENHIGHLOWCLOSE;
            if (!(b.lowSeries < b.openSeries && b.openSeries < b.closeSeries && b.closeSeries < b.highSeries))
                return SERIES_ERR_OPENORDER;
        }
        if (isAssigned(b.highSeries)) {
            if (!isAssigned(b.lowSeries))
                return SERIES_ERR_BADHILOWCLOSE;
            if (!(b.lowSeries < b.highSeries && b.closeSeries < b.highSeries))
                return SERIES_ERR_HIGHORDER;
        }
        if (isAssigned(b.lowSeries) && !(b.lowSeries < b.highSeries && b.lowSeries < b.closeSeries))
            return SERIES_ERR_LOWORDER;
        if (isAssigned(b.volumeSeries) && b.volumeSeries >= b.lowSeries && b.volumeSeries <= b.highSeries)
            return SERIES_ERR_VOLUMEORDER;
        // Every one of the ten user studies counts.
        LONG userSeries = 0;
        for (LONG user = 0; user < kUserStudyCount; ++user)
            userSeries += studies_[kFirstUserStudy + static_cast<std::size_t>(user)].subIndicators;
        if (b.userSeries != userSeries)
            return SERIES_ERR_NUMUSER;
        LONG chartSeries = 0;
        if (services())
            services()->GetProperty(&chartSeries, nullptr, 0, korvel::kValues);
        LONG assigned = 0;
        for (SHORT series : {b.openSeries, b.highSeries, b.lowSeries, b.closeSeries, b.volumeSeries})
            assigned += isAssigned(series) ? 1 : 0;
        if (chartSeries != userSeries + assigned)
            return SERIES_ERR_NUMSERIES;
        return SERIES_ERR_OK;
    };
    *code = result();
    return com::S_OK;
}

HRESULT CFinancialCharts::GetKvlSeries(SHORT series, SHORT* chartSeries) {
    if (!chartSeries)
        return com::E_POINTER;
    const auto orZero = [](SHORT bound) { return isAssigned(bound) ? bound : SHORT{0}; };
    switch (series) {
        case -4:
            *chartSeries = orZero(binding_.openSeries);
            break;
        case -3:
            *chartSeries = orZero(binding_.highSeries);
            break;
        case -2:
            *chartSeries = orZero(binding_.lowSeries);
            break;
        case -1:
            *chartSeries = orZero(binding_.closeSeries);
            break;
        default:
            *chartSeries = series;
    }
    return com::S_OK;
}

HRESULT CFinancialCharts::GetUsedSeries(SHORT series, SHORT* code) {
    if (!code)
        return com::E_POINTER;
    // A negative number is no chart series: it must not match an unassigned price series (-1).
    if (series < 0)
        *code = 0;
    else if (series == binding_.openSeries)
        *code = -4;
    else if (series == binding_.highSeries)
        *code = -3;
    else if (series == binding_.lowSeries)
        *code = -2;
    else if (series == binding_.closeSeries)
        *code = -1;
    else
        *code = series;
    return com::S_OK;
}

HRESULT CFinancialCharts::get_WorkSeries(LONG* series) {
    return com::answerOut(series, workSeries_);
}

HRESULT CFinancialCharts::put_WorkSeries(LONG series) {
    workSeries_ = series;
    RecalcActiveGallery();
    return com::S_OK;
}

HRESULT CFinancialCharts::get_AutoRecalc(com::VARIANT_BOOL* value) {
    return com::answerOut(value, com::toVariantBool(autoRecalc_));
}

// --- Price display -----------------------------------------------------------------------------------------

HRESULT CFinancialCharts::get_PriceStartInZero(com::VARIANT_BOOL* value) {
    return com::answerOut(value, com::toVariantBool(priceStartInZero_));
}

HRESULT CFinancialCharts::put_PriceStartInZero(com::VARIANT_BOOL value) {
    priceStartInZero_ = value == com::VARIANT_TRUE;
    return com::S_OK;
}

HRESULT CFinancialCharts::get_PriceDisplay(SHORT* display) {
    return com::answerOut(display, priceDisplay_);
}

HRESULT CFinancialCharts::put_PriceDisplay(SHORT display) {
    if (display < CLOSE_PRICE || display > NO_PRICE)
        return com::E_INVALIDARG;
    CAnalyticalChartBase* analytical = analyticalChart();
    if (analytical && activeIndex() == FINANCIAL_ANALYTICAL)
        analytical->RecalculateStudies(display);  // takes the new display itself
    priceDisplay_ = display;
    RepaintIfActive();
    return com::S_OK;
}

// --- Settings words ----------------------------------------------------------------------------------------

HRESULT CFinancialCharts::get_Options(LONG* options) {
    return com::answerOut(options, static_cast<LONG>(settings_.options));
}

HRESULT CFinancialCharts::put_Options(LONG options) {
    settings_.options = static_cast<std::uint32_t>(options);
    return com::S_OK;
}

HRESULT CFinancialCharts::get_PropPageMask(LONG* mask) {
    return com::answerOut(mask, static_cast<LONG>(settings_.propPageMask));
}

HRESULT CFinancialCharts::put_PropPageMask(LONG mask) {
    settings_.propPageMask = static_cast<std::uint32_t>(mask);
    return com::S_OK;
}

HRESULT CFinancialCharts::get_FullTechnicalStudyAxis(LONG* value) {
    return com::answerOut(value, static_cast<LONG>(settings_.fullTechnicalStudyAxis));
}

HRESULT CFinancialCharts::put_FullTechnicalStudyAxis(LONG value) {
    // The setting is saved as a short: a value it cannot hold is refused rather than cut.
    if (value < std::numeric_limits<SHORT>::min() || value > std::numeric_limits<SHORT>::max())
        return com::E_INVALIDARG;
    settings_.fullTechnicalStudyAxis = static_cast<SHORT>(value);
    return com::S_OK;
}

// --- Toolbars ----------------------------------------------------------------------------------------------

HRESULT CFinancialCharts::get_Commands(ostbar::IOstToolbar** toolbar) {
    if (!toolbar)
        return com::E_POINTER;
    *toolbar = nullptr;
    if (!toolbar_)
        return com::E_FAIL;
    *toolbar = com::ComPtr<ostbar::IOstToolbar>(toolbar_).detach();
    return com::S_OK;
}

HRESULT CFinancialCharts::get_ToolBarObj(ostbar::IOstToolbarObj** toolbar) {
    if (!toolbar)
        return com::E_POINTER;
    *toolbar = com::ComPtr<ostbar::IOstToolbarObj>(toolbarObj_).detach();
    return com::S_OK;
}

HRESULT CFinancialCharts::get_StudiesTool(com::VARIANT_BOOL* shown) {
    if (!shown)
        return com::E_POINTER;
    *shown = com::VARIANT_FALSE;
    if (auto tool = studiesTool_.as<ostbar::IOstTool>())
        tool->get_Visible(shown);
    return com::S_OK;
}

HRESULT CFinancialCharts::put_StudiesTool(com::VARIANT_BOOL show) {
    if (studiesTool_)
        showStudiesTool(show != 0 && activeIndex() == FINANCIAL_ANALYTICAL);
    return com::S_OK;
}

// --- Drawings ----------------------------------------------------------------------------------------------

HRESULT CFinancialCharts::get_DrawingNumber(LONG kind, SHORT* count) {
    return drawings_.DrawingNumber(kind, count);
}

void CFinancialCharts::deleteAllOfKind(LONG kind) {
    // The analytical chart owns the drawings' menu items and the repaint: it takes the command
    // whether or not it is the active chart type.
    if (CGalleryBase* analytical = gallery(FINANCIAL_ANALYTICAL))
        analytical->OnAxisMenuCommand(ostbar::kWmCommand, DeleteAllDrawingsCommand(kind), 0);
}

HRESULT CFinancialCharts::DeleteAllDrawing(LONG kind) {
    if (kind != -1 && !IsDrawingKind(kind))
        return com::E_INVALIDARG;
    if (kind != -1) {
        deleteAllOfKind(kind);
        return com::S_OK;
    }
    for (LONG each = 0; each < kDrawingKindCount; ++each)
        deleteAllOfKind(each);
    return com::S_OK;
}

HRESULT CFinancialCharts::DeleteDrawing(LONG kind, SHORT ordinal) {
    return drawings_.DeleteDrawing(kind, ordinal);
}

bool CFinancialCharts::RunDrawingParameters(IDrawFeature& feature, std::intptr_t parent) {
    IDrawingDialogs* dialogs = GetDrawingDialogs();
    return dialogs && dialogs->RunParameters(*this, feature, parent);
}

void CFinancialCharts::RaiseDrawingEvent(DrawingEvent event, LONG kind, SHORT ordinal) {
    using Raise = void (CExtensionEvents::*)(LONG, SHORT);
    static constexpr std::array<std::pair<DrawingEvent, Raise>, 5> kRaisers{{
        {DrawingEvent::Created, &CExtensionEvents::CreatedDrawing},
        {DrawingEvent::Deleting, &CExtensionEvents::DeletingDrawing},
        {DrawingEvent::Moved, &CExtensionEvents::MovedDrawing},
        {DrawingEvent::PageCommit, &CExtensionEvents::DrawPageCommit},
        {DrawingEvent::PrivateBytesCommit, &CExtensionEvents::DrawPrivateBytesCommit},
    }};
    for (const auto& [which, raise] : kRaisers) {
        if (which == event)
            (events_.*raise)(kind, ordinal);
    }
}

// --- Gallery commands of the chart -------------------------------------------------------------------------

HRESULT CFinancialCharts::RemoveGalleryItems(LONG deleteMask) {
    if (!isAttached())
        return com::E_FAIL;
    // At least one of the extension's chart types stays offered.
    if ((deleteMask & kAllGalleryItemsMask) == kAllGalleryItemsMask)
        return com::E_INVALIDARG;
    const CommandCollection collection = reportedCommands();
    com::ComPtr<ostbar::IOstCommandContainer> container;
    if (!collection.commands ||
        com::FAILED(collection.commands->GetContainer(collection.containerId, container.put())) || !container)
        return com::S_OK;
    // Our gallery commands have ids only once they are registered; before that every entry is another's.
    const LONG first = firstCommandId();
    const auto keeps = [&](SHORT id) {
        const LONG offset = id - first;
        return first >= 0 && offset >= 0 && offset < commandGalleryCount() &&
               (deleteMask & (1 << offset)) == 0;
    };
    SHORT count = 0;
    container->get_Count(&count);
    // A removal moves the later entries up: the position advances only past an entry that stays.
    for (SHORT position = 0; position < count;) {
        SHORT id = -1;
        container->IdAt(position, &id);
        if (keeps(id)) {
            ++position;
        } else if (com::SUCCEEDED(container->RemoveAt(position))) {
            --count;
        } else {
            ++position;
        }
    }
    if (count > 0) {
        com::ComPtr<ostbar::IOstCommand> owner;
        if (com::SUCCEEDED(
                collection.commands->Item(static_cast<SHORT>(collection.containerId), owner.put())))
            if (auto combo = owner.as<ostbar::IOstCombo>()) {
                combo->ResetSelection();
                combo->put_VisibleCount(count);
            }
    }
    return com::S_OK;
}

}  // namespace dravik
