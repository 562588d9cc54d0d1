// The analytical chart's table, buffer, activation and saved properties. The calculation of the
// studies is in AnalyticalCalculation.cpp, the axes in AnalyticalAxes.cpp, the price display and the
// command states in AnalyticalPrices.cpp.
#include "analytical/CAnalyticalChartBase.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "axes/AxisObjectFactory.h"
#include "axes/AxisPropertyCodes.h"
#include "dravik/Commands.h"
#include "extension/CFinancialCharts.h"
#include "format/DefaultRecords.h"
#include "host/CHostChartAdapter.h"
#include "persist/CPropertyArchive.h"
#include "series/SeriesWrappers.h"
#include "state/ExchangeKeys.h"
#include "state/StudyTable.h"
#include "studies/StudyRows.h"

namespace dravik {
namespace {

// Chart-wide words the chart clears while it is active: its flags word and its style.
constexpr LONG kActiveChartFlagsMask = 0x7ffdf6ff;
constexpr LONG kActiveChartStyleMask = static_cast<LONG>(0xffdfffff);
// Axis value 8 bits cleared on the study axes and the price axis when the chart is left.
constexpr LONG kLeftAxisStyleMask = static_cast<LONG>(0xfffd7fff);
constexpr LONG kAxisOriginCode = 3;
// The data range the chart writes to its axes besides their display range.
constexpr std::array<LONG, 2> kAxisDataRangeCodes{24, 25};
// The visibility every series gets when the chart is left.
constexpr LONG kSeriesVisibleAttribute = 10;
// The chart setting held at 0 while the chart switches in or out.
constexpr LONG kSwitchSetting = 111;
// Saved forms: booleans as a byte and the first series from this version on.
constexpr LONG kFirstVersionWithBytes = 15;
constexpr SHORT kSavedAxisCount = 4;

std::u16string indexedKey(const char16_t* prefix, std::size_t index, const char16_t* name) {
    std::u16string key(prefix);
    for (char c : std::to_string(index))
        key += static_cast<char16_t>(c);
    return key + u")" + name;
}

}  // namespace

CAnalyticalChartBase::CAnalyticalChartBase(CFinancialCharts* owner, SHORT galleryNumber)
    : CGalleryBase(owner, galleryNumber) {
    ResetAxes(true);
    ClearStudyTable();
}

CAnalyticalChartBase::~CAnalyticalChartBase() = default;

StudyRecord* CAnalyticalChartBase::record(SHORT study) const {
    return owner_ ? owner_->studyRecord(study) : nullptr;
}

LONG CAnalyticalChartBase::DrawPoint(LONG* kind, KvlPaintRecord*, LONG* mode) {
    if (kind)
        *kind = 0;
    if (mode)
        *mode = 0;
    return 1;
}

// --- Table -----------------------------------------------------------------------------------------------

void CAnalyticalChartBase::ClearStudyTable() {
    for (StudyTableEntry& entry : table_)
        entry = StudyTableEntry{};
}

void CAnalyticalChartBase::ResetAxes(bool createSettings) {
    axes_ = DefaultAxisRecords();
    if (!createSettings)
        return;
    for (auto& settings : axisSettings_)
        settings = std::make_unique<CAnalyticalAxisBase>();
}

LONG CAnalyticalChartBase::FindFreeEntry() const {
    for (std::size_t e = 0; e < table_.size(); ++e) {
        if (table_[e].isFree())
            return static_cast<LONG>(e);
    }
    return static_cast<LONG>(kStudyTableSize);
}

LONG CAnalyticalChartBase::FindStudyEntry(SHORT study) const {
    for (std::size_t e = 0; e < table_.size() && !table_[e].isFree(); ++e) {
        if (table_[e].study == study)
            return static_cast<LONG>(e);
    }
    return -1;
}

AxisSettingsRecord* CAnalyticalChartBase::studyAxisSettings(SHORT study) {
    return owner_ ? owner_->studyAxisSettings(study) : nullptr;
}

// Makes the entry; usedAxis >= 0 is taken as it is, else the axis is picked when the study is shown.
LONG CAnalyticalChartBase::AddEntry(SHORT study, SHORT firstSeries, SHORT usedAxis, bool pickWhenVisible) {
    StudyRecord* studyRecord = record(study);
    const LONG index = FindFreeEntry();
    if (!studyRecord || index >= static_cast<LONG>(kStudyTableSize))
        return -1;
    StudyTableEntry& entry = table_[static_cast<std::size_t>(index)];
    entry = StudyTableEntry{};
    entry.study = study;
    entry.calcKind = studyRecord->calcIndex;
    entry.visible = studyRecord->visible != 0 ? 1 : 0;
    entry.firstSeries = static_cast<SHORT>(firstSeries >= 0 ? firstSeries : rowCount());
    if (usedAxis >= 0)
        studyRecord->usedAxis = usedAxis;
    else if (pickWhenVisible && entry.visible)
        studyRecord->usedAxis =
            studyRecord->priceIndicator ? kPriceAxisIndex : PickStudyAxis(studyRecord->usedAxis);
    // Without room for its rows the study is not added: no entry names rows the buffer lacks.
    if (firstSeries < 0 && !GrowBuffer(std::clamp<LONG>(studyRecord->subIndicators, 0, kStudyOutputCount))) {
        entry = StudyTableEntry{};
        return -1;
    }
    return index;
}

LONG CAnalyticalChartBase::AddStudy(SHORT study) {
    return AddEntry(study, -1, kNoAxis, true);
}

LONG CAnalyticalChartBase::AddStudyRecord(SHORT study) {
    return AddEntry(study, -1, kPriceAxisIndex, false);
}

LONG CAnalyticalChartBase::AddStudyWithSeries(SHORT study, SHORT firstSeries, bool onPriceAxis) {
    const LONG index = AddEntry(study, firstSeries, onPriceAxis ? kPriceAxisIndex : kNoAxis, true);
    if (index < 0)
        return -1;
    record(study)->inUse = 1;
    RepaintStudy(index);
    if (owner_)
        owner_->StudyAdded(study, index);
    return index;
}

LONG CAnalyticalChartBase::AddVolumeStudy() {
    const SHORT volume = owner_ ? owner_->seriesBinding().volumeSeries : SHORT{-1};
    const bool bound = volume >= 0 && volume < rowCount();
    const LONG index =
        AddEntry(static_cast<SHORT>(kVolumeStudyNumber), bound ? volume : SHORT{-1}, kNoAxis, true);
    if (index >= 0)
        record(static_cast<SHORT>(kVolumeStudyNumber))->inUse = 1;
    return index;
}

// --- Buffer ----------------------------------------------------------------------------------------------

bool CAnalyticalChartBase::GrowBuffer(LONG series) {
    if (series <= 0)
        return true;
    const std::size_t rows = static_cast<std::size_t>(rowCount() + series);
    if (points_ > 0) {
        try {
            buffer_.resize(rows * static_cast<std::size_t>(points_), kEmptyValue);
        } catch (const std::bad_alloc&) {
            return false;  // the rows are not there: the study computes nothing
        }
    }
    studySeries_ += series;
    return true;
}

void CAnalyticalChartBase::LoadDataSet() {
    const DataCache& cache = state().dataCache;
    dataSeries_ = std::max<LONG>(cache.seriesCount, 0);
    points_ = std::max<LONG>(cache.pointCount, 0);
    buffer_.assign(static_cast<std::size_t>(rowCount()) * static_cast<std::size_t>(points_), 0.0);
    const std::size_t data = std::min(cache.values.size(), buffer_.size());
    std::copy_n(cache.values.begin(), data, buffer_.begin());
}

void CAnalyticalChartBase::FreeBuffer() {
    buffer_.clear();
    buffer_.shrink_to_fit();
    studySeries_ = 0;
    dataSeries_ = 0;
    points_ = 0;
}

double* CAnalyticalChartBase::GetSeriesData(LONG workSeries) {
    if (buffer_.empty() || points_ <= 0)
        return nullptr;
    const BoundPriceSeries bound = boundPrices();
    const int row = WorkSeriesRow(static_cast<int>(workSeries), bound, static_cast<int>(rowCount()));
    return buffer_.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(points_);
}

void CAnalyticalChartBase::HandBufferToChart() {
    korvel::IKvlExtensionServices* chart = services();
    if (!chart || rowCount() <= 0 || points_ <= 0 || buffer_.empty())
        return;
    auto block = std::make_unique<KvlValueBlock>(rowCount(), points_);
    for (LONG s = 0; s < rowCount(); ++s) {
        const double* row = buffer_.data() + static_cast<std::size_t>(s) * static_cast<std::size_t>(points_);
        for (LONG p = 0; p < points_; ++p)
            block->at(s, p) = row[p];
    }
    chart->SetProperty(rowCount(), points_, block.release(), korvel::kValues);
    if (adapter())
        adapter()->RefreshData(0);
}

LONG CAnalyticalChartBase::ActiveGalleryCall(LONG code, LONG series, LONG point) {
    if (code != korvel::kGalleryCallValueWritten || series < 0 || series >= rowCount() || point < 0 ||
        point >= points_ || !adapter())
        return 0;
    const std::size_t at = static_cast<std::size_t>(series) * static_cast<std::size_t>(points_) +
                           static_cast<std::size_t>(point);
    double value = 0;
    if (at >= buffer_.size() || com::FAILED(adapter()->GetValue(series, point, &value)))
        return 0;
    buffer_[at] = value;
    return 1;
}

BoundPriceSeries CAnalyticalChartBase::boundPrices() const {
    BoundPriceSeries bound;
    if (!owner_)
        return bound;
    const SeriesBinding& binding = owner_->seriesBinding();
    bound.open = binding.openSeries;
    bound.high = binding.highSeries;
    bound.low = binding.lowSeries;
    bound.close = binding.closeSeries;
    bound.volume = binding.volumeSeries;
    return bound;
}

// --- Activation ------------------------------------------------------------------------------------------

LONG CAnalyticalChartBase::Activate(LONG on, LONG selector) {
    CHostChartAdapter* chart = adapter();
    if (selector != -1 || !chart)
        return 0;
    const LONG held = chart->ExchangeChartSetting(kSwitchSetting, 0, 0);
    if (on) {
        OnActivate();
        // The X axis is labelled with dates from the first paint on.
        BuildDateBreaks();
        CheckInputValues();
    } else {
        OnDeactivate();
    }
    chart->ExchangeChartSetting(kSwitchSetting, held, 0);
    return 0;
}

LONG CAnalyticalChartBase::OnActivate() {
    const LONG result = CGalleryBase::OnActivate();
    CHostChartAdapter* chart = adapter();
    if (!chart)
        return result;
    seriesChannel_.SetAdapter(chart);
    SaveActivationState();
    LoadDataSet();
    FullRefresh();
    EnableStudyCommands();
    return result;
}

void CAnalyticalChartBase::SaveActivationState() {
    CHostChartAdapter* chart = adapter();
    const LONG series = chart->GetSeriesCount();
    savedSeries_.assign(static_cast<std::size_t>(std::max<LONG>(series, 0)), {});
    for (LONG s = 0; s < series; ++s) {
        SavedSeries& saved = savedSeries_[static_cast<std::size_t>(s)];
        for (LONG a = 0; a < korvel::kSeriesAttributeCount; ++a)
            saved.attributes[static_cast<std::size_t>(a)] =
                chart->GetSeriesAttribute(static_cast<SHORT>(s), a);
        char legend[kLegendBytes] = {};
        chart->GetSeriesLegend(static_cast<SHORT>(s), legend, sizeof legend);
        saved.legend = legend;
    }
    for (SHORT axis = 0; axis < korvel::kAxisCount; ++axis) {
        for (std::size_t c = 0; c < kAxisDataRangeCodes.size(); ++c)
            savedDataRanges_[static_cast<std::size_t>(axis)][c] =
                chart->GetAxisValue(axis, kAxisDataRangeCodes[c]);
    }
    BindAxisSettings(kPriceAxisIndex);
    savedChartFlags_ = chart->GetChartFlags();
    chart->SetChartFlags(savedChartFlags_ & kActiveChartFlagsMask);
    chart->SetChartStyle(chart->GetChartStyle() & kActiveChartStyleMask);
    savedFlagD_ = chart->GetChartFlagD();
    chart->SetChartFlagA(0);
    chart->SetChartFlagB(0);
    chart->SetChartFlagD(0);
    for (SHORT axis = 0; axis < korvel::kAxisCount; ++axis)
        chart->SetAxisValue(axis, kAxisOriginCode, 0);
    activationSaved_ = true;
}

void CAnalyticalChartBase::RestoreActivationState() {
    CHostChartAdapter* chart = adapter();
    if (!activationSaved_ || !chart)
        return;
    const LONG series = chart->GetSeriesCount();
    for (LONG s = 0; s < series && static_cast<std::size_t>(s) < savedSeries_.size(); ++s) {
        const SavedSeries& saved = savedSeries_[static_cast<std::size_t>(s)];
        for (LONG a = 0; a < korvel::kSeriesAttributeCount; ++a)
            chart->SetSeriesAttribute(static_cast<SHORT>(s), a,
                                      saved.attributes[static_cast<std::size_t>(a)]);
        chart->SetSeriesLegend(static_cast<SHORT>(s), saved.legend.c_str());
    }
    for (LONG s = 0; s < series; ++s)
        chart->SetSeriesAttribute(static_cast<SHORT>(s), kSeriesVisibleAttribute, 1);
    chart->SetChartFlags(savedChartFlags_);
    chart->SetChartFlagD(savedFlagD_);
    for (SHORT axis = 0; axis < korvel::kAxisCount; ++axis) {
        for (std::size_t c = 0; c < kAxisDataRangeCodes.size(); ++c)
            chart->SetAxisValue(axis, kAxisDataRangeCodes[c],
                                savedDataRanges_[static_cast<std::size_t>(axis)][c]);
    }
    for (const StudyAxisRecord& axis : axes_) {
        const auto style = static_cast<LONG>(chart->GetAxisValue(axis.controlAxis, APC_STYLE));
        chart->SetAxisValue(axis.controlAxis, APC_STYLE, style & kLeftAxisStyleMask);
    }
    savedSeries_.clear();
    activationSaved_ = false;
}

void CAnalyticalChartBase::OnDeactivate() {
    if (owner_ && (owner_->settings().options & static_cast<std::uint32_t>(kOptionDropHiddenStudies)) != 0)
        DropHiddenStudies();
    RestoreActivationState();
    if (openLowSwapped_ && owner_) {
        SeriesBinding& binding = owner_->seriesBinding();
        std::swap(binding.openSeries, binding.lowSeries);
        openLowSwapped_ = false;
    }
    CGalleryBase::OnDeactivate();
    seriesChannel_.SetAdapter(nullptr);
    FreeBuffer();
    // The series clicked last belongs to the chart as it was: the chart type that follows replaces the
    // chart's series, and the studies may take other series when this chart comes back.
    contextSeries_ = -1;
}

// The visible and the user studies move to the front in their order; the others leave the table and
// their records forget that they were shown.
void CAnalyticalChartBase::DropHiddenStudies() {
    std::array<StudyTableEntry, kStudyTableSize> kept{};
    std::size_t count = 0;
    for (const StudyTableEntry& entry : table_) {
        if (entry.isFree())
            break;
        const bool user = entry.study >= static_cast<SHORT>(kFirstUserStudy) &&
                          entry.study < static_cast<SHORT>(kFirstCustomStudy);
        if (entry.visible || user) {
            kept[count++] = entry;
        } else if (StudyRecord* studyRecord = record(entry.study)) {
            studyRecord->visible = 0;
        }
    }
    table_ = kept;
}

void CAnalyticalChartBase::SetDataUnit(LONG unit) {
    if (!owner_ || state().dataCache.empty() || unit == state().extension.currentDataUnit)
        return;
    state().extension.currentDataUnit = unit;
    RepaintIfActive();
}

// The buffer goes to the chart, the prices are shown again, the table is rebuilt and the axes laid out.
void CAnalyticalChartBase::FullRefresh() {
    axesFitToView_ = false;
    HandBufferToChart();
    SetPriceDisplay(state().priceDisplay, -1, -1);
    RebuildStudies();
    LayoutStudyAxes();
    ApplyAxesToChart();
}

// --- Persistence -----------------------------------------------------------------------------------------

void CAnalyticalChartBase::GetPersistSize(LONG* size) {
    CGalleryBase::GetPersistSize(size);
    if (size)
        *size += kAnalyticalPersistSize;
}

LONG CAnalyticalChartBase::ExchangeProperties(CPropertyArchive& archive, LONG version, LONG flags) {
    const LONG base = CGalleryBase::ExchangeProperties(archive, version, flags);
    if (com::FAILED(base))
        return base;
    const bool storing = archive.IsStoring();
    const bool bytes = version >= kFirstVersionWithBytes;
    // Loading reads everything into copies first and applies them only when all of it fits.
    std::array<StudyAxisRecord, kAxisRecordCount> axes = storing ? axes_ : DefaultAxisRecords();
    std::array<StudyTableEntry, kStudyTableSize> table =
        storing ? table_ : std::array<StudyTableEntry, kStudyTableSize>{};

    SHORT axisCount = kSavedAxisCount;
    archive.ExchangeShort(&axisCount, u"_NumYAxis", kSavedAxisCount);
    if (!storing && !archive.Failed() && axisCount != kSavedAxisCount)
        return kDamagedState;
    for (std::size_t a = 0; a < axes.size(); ++a) {
        archive.ExchangeShort(&axes[a].study, indexedKey(u"_IndxAxis(", a, u"_AxisDispl").c_str(), -1);
        if (!storing && !archive.Failed() &&
            (axes[a].study < -1 || axes[a].study >= static_cast<SHORT>(kStudyCount)))
            return kDamagedState;
    }
    SHORT count = static_cast<SHORT>(FindFreeEntry());
    archive.ExchangeShort(&count, u"_NumCalcStudies", 0);
    if (!storing && !archive.Failed() && (count < 0 || count > static_cast<SHORT>(kStudyTableSize)))
        return kDamagedState;
    for (std::size_t e = 0; e < static_cast<std::size_t>(std::max<SHORT>(count, 0)) && !archive.Failed();
         ++e) {
        StudyTableEntry& entry = table[e];
        archive.ExchangeShort(&entry.study, indexedKey(u"_IndxStudy(", e, u"_StudyID").c_str(), -1);
        archive.ExchangeShort(&entry.calcKind, indexedKey(u"_IndxStudy(", e, u"_CalcStudy").c_str(), -1);
        if (bytes) {
            archive.ExchangeBool(&entry.visible, indexedKey(u"_IndxStudy(", e, u"_Visible").c_str(), 0);
        } else {
            SHORT visible = entry.visible;
            archive.ExchangeShort(&visible, indexedKey(u"_IndxStudy(", e, u"_Visible").c_str(), 0);
            entry.visible = visible != 0 ? 1 : 0;
        }
        SHORT remove = 1;
        archive.ExchangeShort(&remove, u"remove", 1);
        if (bytes)
            archive.ExchangeShort(&entry.firstSeries,
                                  indexedKey(u"_IndxStudy(", e, u"_FirstKvlSeries").c_str(), 0);
        if (storing || archive.Failed())
            continue;
        const bool fits = entry.study >= 0 && entry.study < static_cast<SHORT>(kStudyCount) &&
                          entry.calcKind >= -1 && entry.calcKind < static_cast<SHORT>(kStudyCount) &&
                          entry.firstSeries >= 0;
        if (!fits)
            return kDamagedState;
    }
    if (archive.Failed())
        return archive.Error();
    if (!storing) {
        axes_ = axes;
        table_ = table;
    }
    return archive.Error();
}

// --- What the extension hands out ------------------------------------------------------------------------

HRESULT CAnalyticalChartBase::CreatePriceAxisObject(ILomexAxis** axis) {
    if (!axis)
        return com::E_POINTER;
    *axis = nullptr;
    if (!owner_)
        return com::E_FAIL;
    return CreateAnalyticalAxisObject(*owner_, *this, kPriceAxisIndex, owner_->settings().priceAxis,
                                      axes_[kPriceAxisIndex].controlAxis, axis);
}

HRESULT CAnalyticalChartBase::CreatePriceSeriesObject(SHORT series, IIndexSeries** object) {
    if (!object)
        return com::E_POINTER;
    *object = nullptr;
    if (!owner_)
        return com::E_FAIL;
    const SeriesBinding& binding = owner_->seriesBinding();
    const std::array<SHORT, 4> roles{binding.openSeries, binding.highSeries, binding.lowSeries,
                                     binding.closeSeries};
    const auto role = std::find(roles.begin(), roles.end(), series);
    if (series < 0 || role == roles.end())
        return com::E_INVALIDARG;
    SeriesView view;
    view.lifetime = owner_->AxisOwnerIdentity();
    view.owner = this;
    view.channel = &seriesChannel_;
    view.record = &owner_->priceSeriesRecord(static_cast<std::size_t>(role - roles.begin()));
    view.series = IsCurrentChartType() ? series : SHORT{-1};
    com::ComPtr<IIndexSeries> made = CreateIndexSeries(view);
    if (!made)
        return com::E_OUTOFMEMORY;
    *object = made.detach();
    return com::S_OK;
}

// --- SeriesOwner -----------------------------------------------------------------------------------------

const res::ResourceModule* CAnalyticalChartBase::ResourceModule() {
    return owner_ ? owner_->GetResourceInstance().get() : nullptr;
}

void CAnalyticalChartBase::RepaintIfActive() {
    if (owner_)
        owner_->RepaintIfActive();
}

HRESULT CAnalyticalChartBase::GetSeriesAxis(SHORT, int study, SHORT* axis) {
    if (!axis)
        return com::E_POINTER;
    const StudyRecord* studyRecord = study >= 0 ? record(static_cast<SHORT>(study)) : nullptr;
    *axis = studyRecord ? studyRecord->usedAxis : kPriceAxisIndex;
    return com::S_OK;
}

HRESULT CAnalyticalChartBase::SetSeriesAxis(SHORT, int study, SHORT axis) {
    StudyRecord* studyRecord = study >= 0 ? record(static_cast<SHORT>(study)) : nullptr;
    if (!studyRecord)
        return com::E_FAIL;
    if (axis < kNoAxis || axis > kPriceAxisIndex)
        return com::E_INVALIDARG;
    studyRecord->usedAxis = axis;
    studyRecord->priceIndicator = axis == kPriceAxisIndex ? 1 : 0;
    if (const LONG entry = FindStudyEntry(static_cast<SHORT>(study)); entry >= 0 && IsCurrentChartType())
        RefreshStudy(entry);
    return com::S_OK;
}

// --- Drawing commands ----------------------------------------------------------------------------------

LONG CAnalyticalChartBase::OnAxisMenuCommand(LONG message, std::intptr_t id, std::intptr_t record) {
    if (message == ostbar::kWmCommand && owner()) {
        const auto command = static_cast<SHORT>(id & 0xFFFF);
        // The chart's own commands (AnalyticalCommands.cpp); the axis menu's go to the base.
        if (!axisMenuOpen_ && HandleChartCommand(command) == 0)
            return 1;
    }
    return CGalleryBase::OnAxisMenuCommand(message, id, record);
}

}  // namespace dravik
