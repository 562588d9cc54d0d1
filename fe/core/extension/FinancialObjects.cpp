// The objects the extension hands out (studies, drawings, axes, chart types, series), its property
// pages, the conversion between chart positions and X values, and the selection of studies.
#include <cstring>
#include <string>
#include <string_view>

#include "analytical/CAnalyticalChartBase.h"
#include "axes/AxisObjectFactory.h"
#include "dravik/Commands.h"
#include "dravik/Identities.h"
#include "extension/CFinancialCharts.h"
#include "format/NumberText.h"
#include "gallery/ChartTypeObjects.h"
#include "gallery/GalleryAxisAccess.h"
#include "studyobjects/StudyObjectFactory.h"

namespace dravik {
namespace {

constexpr LONG kMacdStudy = 24;
// The chart's bar gallery when the extension cannot name the bar chart type's number.
constexpr LONG kFallbackBarGallery = 6;
// Conversion kinds of ConvertCoordinates.
enum ConversionKind : LONG {
    kValueToPosition = 0,
    kPositionToValue = 1,
    kReadValues = 2,
    kAppendValues = 3,
};
constexpr int kConversionDecimals = 10;

template <typename T>
HRESULT clearOut(T** out) {
    if (!out)
        return com::E_POINTER;
    *out = nullptr;
    return com::S_OK;
}

std::vector<std::string_view> splitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = text.find(',', start);
        fields.push_back(
            text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos)
            return fields;
        start = comma + 1;
    }
}

}  // namespace

// --- Records -----------------------------------------------------------------------------------------------

StudyRecord* CFinancialCharts::studyRecord(LONG study) {
    return study >= 0 && study < kStudyNumberCount ? &studies_[static_cast<std::size_t>(study)] : nullptr;
}

StudyParameterEntry* CFinancialCharts::studyParameterEntry(LONG study) {
    return study >= 0 && study < kStudyNumberCount ? &studyParameters_[static_cast<std::size_t>(study)]
                                                   : nullptr;
}

CAnalyticalChartBase* CFinancialCharts::analyticalChart() const {
    return dynamic_cast<CAnalyticalChartBase*>(gallery(FINANCIAL_ANALYTICAL));
}

SHORT CFinancialCharts::StudyUnderMouse(SHORT* output) const {
    if (output)
        *output = -1;
    CAnalyticalChartBase* analytical = analyticalChart();
    if (!analytical || activeIndex() != FINANCIAL_ANALYTICAL)
        return -1;
    return analytical->ContextStudy(output);
}

// --- Object getters ----------------------------------------------------------------------------------------

HRESULT CFinancialCharts::GetStudyObject(com::DISPID dispid, com::IUnknown** study) {
    if (const HRESULT result = clearOut(study); com::FAILED(result))
        return result;
    if (dispid < DISPID_FirstStudy || dispid > DISPID_LastStudy)
        return com::E_INVALIDARG;
    return CreateStudyObject(*this, kStudyOfMember[dispid - DISPID_FirstStudy], study);
}

HRESULT CFinancialCharts::GetDrawingObject(LONG kind, const com::Variant& ordinal, com::IUnknown** drawing) {
    if (const HRESULT result = clearOut(drawing); com::FAILED(result))
        return result;
    IDrawFeature* feature = nullptr;
    const HRESULT result = drawings_.GetDrawing(kind, ordinal, &feature);
    *drawing = feature;
    return result;
}

HRESULT CFinancialCharts::get_DateAxis(ILomexDateAxis** axis) {
    return CreateDateAxisObject(*this, axis);
}

HRESULT CFinancialCharts::get_PricesAxis(ILomexAxis** axis) {
    if (const HRESULT result = clearOut(axis); com::FAILED(result))
        return result;
    CGalleryBase* active = activeGallery();
    if (!active)
        return CreateChartAxisObject(*this, settings_.priceAxis, 0, axis);
    if (activeIndex() == FINANCIAL_ANALYTICAL) {
        CAnalyticalChartBase* analytical = analyticalChart();
        return analytical ? analytical->CreatePriceAxisObject(axis) : com::E_FAIL;
    }
    // The active chart type's value axis, bound to its own settings.
    com::IUnknown* object = nullptr;
    SHORT chartAxis = 0;
    const HRESULT result = active->CreateAxisObject(&object, &chartAxis, 0);
    const auto made = com::ComPtr<com::IUnknown>::attach(object);
    if (com::FAILED(result))
        return result;
    if (!made)
        return com::E_FAIL;
    return made->QueryInterface(IID_ILomexAxis, reinterpret_cast<void**>(axis));
}

// --- What the axis objects see of the extension ------------------------------------------------------------

void CFinancialCharts::RepaintAxisChart() {
    if (isAttached())
        site()->Refresh(korvel::kRefreshRepaint, 0);
}

void CFinancialCharts::ApplyDateSteps(SHORT step, SHORT every, SHORT minorStep, SHORT minorEvery) {
    if (CGalleryBase* active = activeGallery())
        active->SetDateSteps(step, every, minorStep, minorEvery);
}

HRESULT CFinancialCharts::get_PointAndFigure(IPointFigure** object) {
    if (const HRESULT result = clearOut(object); com::FAILED(result))
        return result;
    return CreatePointFigureObject(*this, object);
}

HRESULT CFinancialCharts::get_Renko(IRenko** object) {
    if (const HRESULT result = clearOut(object); com::FAILED(result))
        return result;
    return CreateRenkoObject(*this, object);
}

HRESULT CFinancialCharts::get_Kagi(IKagi** object) {
    if (const HRESULT result = clearOut(object); com::FAILED(result))
        return result;
    return CreateKagiObject(*this, object);
}

HRESULT CFinancialCharts::get_ThreeLineBreak(IThreeLineBreak** object) {
    if (const HRESULT result = clearOut(object); com::FAILED(result))
        return result;
    return CreateThreeLineBreakObject(*this, object);
}

HRESULT CFinancialCharts::get_PriceSeries(SHORT series, IIndexSeries** object) {
    if (const HRESULT result = clearOut(object); com::FAILED(result))
        return result;
    if (series < 0 || !binding_.bindsPrice(series))
        return com::E_INVALIDARG;
    CAnalyticalChartBase* analytical = analyticalChart();
    return analytical ? analytical->CreatePriceSeriesObject(series, object) : com::E_FAIL;
}

HRESULT CFinancialCharts::get_StudiesToolObj(IStudiesTool** tool) {
    if (const HRESULT result = clearOut(tool); com::FAILED(result))
        return result;
    if (!studiesTool_)
        return com::E_INVALIDARG;
    return studiesTool_->QueryInterface(IID_IStudiesTool, reinterpret_cast<void**>(tool));
}

// --- Property pages ----------------------------------------------------------------------------------------

HRESULT CFinancialCharts::GetPages(std::vector<com::CLSID>* pages) {
    if (!pages)
        return com::E_POINTER;
    pages->clear();
    // The general axis page listed here edits the chart type as a whole: it is titled "Axes".
    setAxisGeneralPageTitled(false);
    const SHORT active = activeIndex();
    if (active < 0 || active >= kChartTypeCount)
        return com::S_OK;
    const std::uint32_t mask = settings_.propPageMask;
    const auto offer = [&](std::uint32_t bit, const com::CLSID& page) {
        if ((mask & bit) != 0)
            pages->push_back(page);
    };
    offer(FEPPM_AXIS, CLSID_AxisGeneralPage);
    switch (active) {
        case CHART_POINTANDFIGURE:
            offer(FEPPM_POINTANDFIGURE, CLSID_PointFigPage);
            break;
        case CHART_RENKO:
            offer(FEPPM_RENKO, CLSID_RenkoPage);
            break;
        case CHART_KAGI:
            offer(FEPPM_KAGI, CLSID_KagiPage);
            break;
        case CHART_THREELINEBREAK:
            offer(FEPPM_THREELINEBREAK, CLSID_ThreeLineBreakPage);
            break;
        case FINANCIAL_ANALYTICAL:
            offer(FEPPM_STUDIES, CLSID_Indices);
            if (drawings_.list().Count() > 0)
                offer(FEPPM_DRAWING, CLSID_DrawPage);
            break;
        default:
            break;  // the bar type has no page of its own
    }
    return com::S_OK;
}

// --- Coordinates -------------------------------------------------------------------------------------------

HRESULT CFinancialCharts::ConvertCoordinates(LONG index, LONG kind, KvlCoordinate* points, LONG count, LONG,
                                             KvlTextBuffer* text) {
    if (index < 0 || index >= kChartTypeCount)
        return com::E_INVALIDARG;
    // The record carries two points when the count is 2, else one.
    const std::size_t pointCount = count == 2 ? 2 : 1;
    const CDateScale& scale = settings_.dateScale;
    switch (kind) {
        case kValueToPosition:
            if (!points)
                return com::E_POINTER;
            for (std::size_t i = 0; i < pointCount; ++i) {
                if (points[i].value != -1.0)
                    points[i].position = scale.PositionOfValue(points[i].value);
            }
            return com::S_OK;
        case kPositionToValue:
            if (!points)
                return com::E_POINTER;
            for (std::size_t i = 0; i < pointCount; ++i)
                points[i].value = scale.ValueAtPosition(points[i].position);
            return com::S_OK;
        case kReadValues: {
            if (!points || !text || !text->data || text->capacity <= 0)
                return com::E_POINTER;
            const std::string_view whole(text->data,
                                         ::strnlen(text->data, static_cast<std::size_t>(text->capacity)));
            // The chart's own fields come first: one pair per point.
            const std::vector<std::string_view> fields = splitFields(whole);
            const std::size_t skip = 2 * pointCount;
            if (fields.size() < skip + pointCount)
                return com::E_INVALIDARG;  // too few fields: the values stay as they were
            for (std::size_t i = 0; i < pointCount; ++i)
                points[i].value = ParseNumber(fields[skip + i], ".");
            return com::S_OK;
        }
        case kAppendValues: {
            if (count == 0)
                return com::S_OK;
            if (!points || !text || !text->data || text->capacity <= 0)
                return com::E_POINTER;
            std::string appended(text->data, ::strnlen(text->data, static_cast<std::size_t>(text->capacity)));
            for (std::size_t i = 0; i < pointCount; ++i)
                appended += "," + formatDoubleText(points[i].value, kConversionDecimals, ".", false);
            // All or nothing: a text that does not fit its buffer is left as it was.
            if (appended.size() + 1 > static_cast<std::size_t>(text->capacity))
                return com::E_INVALIDARG;
            appended.copy(text->data, appended.size());
            text->data[appended.size()] = '\0';
            return com::S_OK;
        }
        default:
            return com::E_INVALIDARG;
    }
}

// --- Study selection ---------------------------------------------------------------------------------------

SHORT CFinancialCharts::FindCalculatedStudy(LONG study, bool* shown) {
    const StudyRecord* record = studyRecord(study);
    CAnalyticalChartBase* analytical = analyticalChart();
    const LONG entry = record && analytical ? analytical->FindStudyEntry(static_cast<SHORT>(study)) : -1;
    if (shown)
        *shown = entry >= 0 ? analytical->entry(entry).visible != 0 : record && record->visible != 0;
    return static_cast<SHORT>(entry);
}

SHORT CFinancialCharts::AddStudy(LONG study) {
    StudyRecord* record = studyRecord(study);
    CAnalyticalChartBase* analytical = analyticalChart();
    if (!record || !analytical)
        return -1;
    const auto number = static_cast<SHORT>(study);
    const LONG entry =
        study == kVolumeStudyNumber ? analytical->AddVolumeStudy() : analytical->AddStudy(number);
    if (entry >= 0 && activeIndex() == FINANCIAL_ANALYTICAL) {
        analytical->RepaintStudy(entry);
        analytical->setSelectedEntry(entry);
    }
    return static_cast<SHORT>(entry);
}

void CFinancialCharts::StudyAdded(LONG study, LONG entry) {
    CAnalyticalChartBase* analytical = analyticalChart();
    if (analytical && activeIndex() == FINANCIAL_ANALYTICAL)
        analytical->setSelectedEntry(entry);
    if (studiesTool_)
        studiesTool_->UpdateStatus(static_cast<SHORT>(study));
}

HRESULT CFinancialCharts::ToggleStudy(LONG study, bool hide) {
    StudyRecord* record = studyRecord(study);
    if (!record)
        return com::E_INVALIDARG;
    CAnalyticalChartBase* analytical = analyticalChart();
    if (!analytical)
        return com::E_FAIL;
    LONG entry = analytical->FindStudyEntry(static_cast<SHORT>(study));
    if (activeIndex() == FINANCIAL_ANALYTICAL) {
        if (entry < 0)
            entry = AddStudy(study);
        if (entry < 0)
            return com::E_FAIL;
        analytical->CalculateStudy(entry, !hide);
    } else if (entry >= 0) {
        analytical->setEntryVisible(entry, !hide);
    }
    record->visible = hide ? 0 : 1;
    if (studiesTool_)
        studiesTool_->UpdateStatus(static_cast<SHORT>(study));
    return com::S_OK;
}

void CFinancialCharts::SetDefaultStudyGalleries() {
    LONG barGallery = 0;
    if (com::FAILED(get_GalleryType(FINANCIAL_BARTYPE, &barGallery)))
        barGallery = kFallbackBarGallery;
    for (LONG study : {LONG{kVolumeStudyNumber}, kMacdStudy}) {
        // The bars are the volume and the MACD divergence, each the study's first output.
        SeriesAttributeRecord& series = studies_[static_cast<std::size_t>(study)].series[0];
        if ((series.setMask & SA_GALLERY) != 0)
            continue;
        series.gallery = static_cast<std::int16_t>(barGallery);
        series.setMask |= SA_GALLERY;
    }
}

StudyParameters& CFinancialCharts::GetStudyParamBlock(StudyParameterEntry& entry, LONG type, LONG kind) {
    const bool third = type == 22 || ((type == 14 || type == 28 || type == 32) && kind == 1) ||
                       (type == kMacdStudy && kind == 2);
    const bool second = type == kVolumeStudyNumber || (type == kMacdStudy && kind != 1 && kind != 2);
    return entry.blocks[third ? 2 : second ? 1 : 0];
}

HRESULT CFinancialCharts::UpdateCommandTexts(LONG galleryTypeBase, LONG firstId) {
    const HRESULT result = CChartExtensionBase::UpdateCommandTexts(galleryTypeBase, firstId);
    if (com::SUCCEEDED(result))
        SetDefaultStudyGalleries();
    return result;
}

}  // namespace dravik
