// The extension's state inside the chart's persistence stream: a header, the settings, the series
// binding, the special charts' series, the studies, the drawings, the six chart types, the tool
// command, the toolbar's own block, the studies tool's flag and an end signature, all through one
// archive over the chart's stream.
//
// A load is all or nothing. The extension's own records are read into a copy that replaces them only
// when the end signature has been read; the chart types and the toolbar load into themselves, so
// their saved state (and the analytical chart's live study table and axes, which a load resets) is
// kept first and put back when the load is refused.
#include <algorithm>
#include <utility>

#include "analytical/CAnalyticalChartBase.h"
#include "dravik/Commands.h"
#include "dravik/Identities.h"
#include "extension/CFinancialCharts.h"
#include "extension/ExtensionStateHeader.h"
#include "persist/CMemoryArchive.h"
#include "persist/CStreamArchive.h"
#include "storage/GlobalMemory.h"

namespace dravik {
namespace {

// The chart's stream always comes with the toolbar, and never as a body alone.
constexpr std::uint32_t kSavedStateFlags = EXCHANGE_TOOLBAR;
constexpr std::uint32_t kFirstVersionWithStudiesTool = 19;

// What a chart type's exchange answered, as a result of the whole exchange: any answer other than 0
// ends it, and one that is no failure still leaves the stream in the middle of the chart type.
HRESULT chartTypeResult(LONG answer) {
    if (answer == 0)
        return com::S_OK;
    return com::FAILED(answer) ? static_cast<HRESULT>(answer) : com::E_FAIL;
}

// The saved properties of the six chart types, taken before a load reaches them.
class ChartTypeBackup {
public:
    explicit ChartTypeBackup(std::vector<CGalleryBase*> types) : types_(std::move(types)) {
        for (CGalleryBase* type : types_) {
            CMemoryArchive archive;
            type->ExchangeProperties(archive, static_cast<LONG>(kFormatVersion),
                                     static_cast<LONG>(kSavedStateFlags));
            com::HGLOBAL memory = archive.DetachGlobal();
            saved_.push_back(memory ? memory->bytes : std::vector<std::uint8_t>{});
        }
    }

    void Restore() {
        static const std::uint8_t none = 0;
        for (std::size_t i = 0; i < types_.size(); ++i) {
            const std::vector<std::uint8_t>& bytes = saved_[i];
            CMemoryArchive archive(bytes.empty() ? &none : bytes.data(), bytes.size());
            types_[i]->ExchangeProperties(archive, static_cast<LONG>(kFormatVersion),
                                          static_cast<LONG>(kSavedStateFlags));
        }
    }

private:
    std::vector<CGalleryBase*> types_;
    std::vector<std::vector<std::uint8_t>> saved_;
};

// The toolbar's block, taken before a load reaches it.
class ToolbarBackup {
public:
    explicit ToolbarBackup(ostbar::IOstCommandBar* bar) : bar_(bar) {
        if (!bar_ || com::FAILED(com::createStreamOnHGlobal(nullptr, saved_.put())) ||
            com::FAILED(bar_->ExchangeState(saved_.get(), ostbar::kExchangeSave)))
            saved_.reset();
    }

    void Restore() {
        if (!bar_ || !saved_)
            return;
        saved_->Seek(0, com::STREAM_SEEK_SET, nullptr);
        bar_->ExchangeState(saved_.get(), ostbar::kExchangeLoad);
    }

private:
    ostbar::IOstCommandBar* bar_;
    com::ComPtr<com::IStream> saved_;
};

// The analytical chart's study table and axes as they are before a load, live ranges included: its
// saved properties alone would put the axes back at their defaults.
class AnalyticalBackup {
public:
    explicit AnalyticalBackup(CAnalyticalChartBase& chart) : chart_(chart), kept_(chart.tableAndAxes()) {}
    void Restore() { chart_.restoreTableAndAxes(kept_); }

private:
    CAnalyticalChartBase& chart_;
    CAnalyticalChartBase::TableAndAxes kept_;
};

// Puts the chart types and the toolbar back unless the load went through.
class LoadRollback {
public:
    void Keep(std::unique_ptr<ChartTypeBackup> types) { types_ = std::move(types); }
    void Keep(std::unique_ptr<AnalyticalBackup> analytical) { analytical_ = std::move(analytical); }
    void Keep(std::unique_ptr<ToolbarBackup> toolbar) { toolbar_ = std::move(toolbar); }
    void Commit() { committed_ = true; }
    ~LoadRollback() {
        if (committed_)
            return;
        if (toolbar_)
            toolbar_->Restore();
        if (types_)
            types_->Restore();
        // After the chart types: their saved properties reset the analytical chart's axes.
        if (analytical_)
            analytical_->Restore();
    }

private:
    std::unique_ptr<ChartTypeBackup> types_;
    std::unique_ptr<AnalyticalBackup> analytical_;
    std::unique_ptr<ToolbarBackup> toolbar_;
    bool committed_ = false;
};

std::optional<com::ULONGLONG> streamPosition(com::IStream* stream) {
    com::ULONGLONG position = 0;
    if (com::FAILED(stream->Seek(0, com::STREAM_SEEK_CUR, &position)))
        return std::nullopt;
    return position;
}

}  // namespace

// --- IPersistStream ---------------------------------------------------------------------------------------

HRESULT CFinancialCharts::GetClassID(com::CLSID* clsid) {
    if (!clsid)
        return com::E_POINTER;
    *clsid = CLSID_FinancialCharts;
    return com::S_OK;
}

HRESULT CFinancialCharts::Load(com::IStream* stream) {
    if (!stream)
        return com::E_POINTER;
    CStreamArchive archive(stream, false);
    const HRESULT result = loadState(archive, stream);
    archive.Close();
    return result;
}

HRESULT CFinancialCharts::Save(com::IStream* stream, com::BOOL) {
    if (!stream)
        return com::E_POINTER;
    CStreamArchive archive(stream, true);
    const HRESULT result = storeState(archive, stream);
    archive.Close();
    return result;
}

HRESULT CFinancialCharts::GetSizeMax(com::ULONGLONG* size) {
    if (!size)
        return com::E_POINTER;
    std::uint64_t estimate = kStateFrameSavedSize + kExtensionSettingsSavedSize + kSeriesBindingSavedSize +
                             kSpecialChartSeriesSavedSize + kStudiesBlockSavedSize +
                             drawingList().EstimatedSaveSize();
    for (LONG index = 0; index < kChartTypeCount; ++index) {
        LONG typeSize = 0;
        gallery(index)->GetPersistSize(&typeSize);
        estimate += static_cast<std::uint64_t>(std::max<LONG>(typeSize, 0));
    }
    // The estimate counts a study record at a fixed size and leaves the toolbar out: a caller that
    // sizes its stream by the answer must not lose the end of a larger save.
    com::ComPtr<com::IStream> measure;
    if (com::SUCCEEDED(com::createStreamOnHGlobal(nullptr, measure.put())) &&
        com::SUCCEEDED(Save(measure.get(), 0))) {
        if (const auto written = streamPosition(measure.get()))
            estimate = std::max<std::uint64_t>(estimate, *written);
    }
    *size = estimate;
    return com::S_OK;
}

// --- Storing
// ------------------------------------------------------------------------------------------------

HRESULT CFinancialCharts::storeState(CPropertyArchive& archive, com::IStream* stream) {
    ExtensionStateHeader header;
    header.baseTypeCommand = stateFields_.baseTypeCommand;
    header.baseType = stateFields_.baseType;
    if (const HRESULT result = header.Exchange(archive, signature(), kFormatVersion); com::FAILED(result))
        return result;
    // While a chart type holds the chart, the chart's own settings are part of the state.
    if (activeIndex() != -1)
        settings_.chartSnapshot.persistData = 1;
    const std::unique_ptr<ExtensionSavedState> state = captureSavedState();
    if (const HRESULT result = state->ExchangeBody(archive, kFormatVersion, kSavedStateFlags);
        com::FAILED(result))
        return result;
    if (const HRESULT result = exchangeChartTypes(archive, kFormatVersion, kSavedStateFlags);
        com::FAILED(result))
        return result;
    archive.ExchangeShort(&state->toolCommand, u"_ToolCommand", 0);
    if (archive.Failed())
        return archive.Error();
    if (commandBar_) {
        const HRESULT result = commandBar_->ExchangeState(stream, ostbar::kExchangeSave);
        archive.Seek(0, ARCHIVE_CURRENT);
        if (com::FAILED(result))
            return result;
    }
    archive.ExchangeBool(&state->studiesToolShown, u"StudiesTool", 0);
    return ExchangeEndSignature(archive, endSignature());
}

// --- Loading
// -------------------------------------------------------------------------------------------------

HRESULT CFinancialCharts::loadState(CPropertyArchive& archive, com::IStream* stream) {
    ExtensionStateHeader header;
    if (const HRESULT result = header.Exchange(archive, signature(), kFormatVersion); com::FAILED(result))
        return result;
    const std::uint32_t version = header.version;
    // An older save leaves what it does not hold as it is now.
    std::unique_ptr<ExtensionSavedState> state = captureSavedState();
    state->baseTypeCommand = header.baseTypeCommand;
    state->baseType = header.baseType;
    if (const HRESULT result = state->ExchangeBody(archive, version, kSavedStateFlags); com::FAILED(result))
        return result;
    if (archive.Failed())
        return archive.Error();

    LoadRollback rollback;
    std::vector<CGalleryBase*> types;
    for (LONG index = 0; index < kChartTypeCount; ++index)
        types.push_back(gallery(index));
    rollback.Keep(std::make_unique<ChartTypeBackup>(std::move(types)));
    if (CAnalyticalChartBase* analytical = analyticalChart())
        rollback.Keep(std::make_unique<AnalyticalBackup>(*analytical));
    if (const HRESULT result = exchangeChartTypes(archive, version, kSavedStateFlags); com::FAILED(result))
        return result;
    archive.ExchangeShort(&state->toolCommand, u"_ToolCommand", 0);
    if (archive.Failed())
        return archive.Error();
    rollback.Keep(std::make_unique<ToolbarBackup>(commandBar_.get()));
    if (const HRESULT result = loadToolbarBlock(archive, stream); com::FAILED(result))
        return result;
    if (version >= kFirstVersionWithStudiesTool)
        ExchangeFlag(archive, &state->studiesToolShown, u"StudiesTool", 0, version);
    if (archive.Failed())
        return archive.Error();
    if (const HRESULT result = ExchangeEndSignature(archive, endSignature()); com::FAILED(result))
        return result;

    rollback.Commit();
    // A loaded snapshot of the chart is what the next activation puts back, not a new one.
    if (state->settings.chartSnapshot.persistData != 0)
        chartTypeState_.keepChartStateOnce = true;
    applySavedState(std::move(*state));
    SetDefaultStudyGalleries();
    RepaintIfActive();
    return com::S_OK;
}

HRESULT CFinancialCharts::exchangeChartTypes(CPropertyArchive& archive, std::uint32_t version,
                                             std::uint32_t flags) {
    std::int16_t count = static_cast<std::int16_t>(kChartTypeCount);
    archive.ExchangeShort(&count, u"_ChartImplNumber", static_cast<std::int16_t>(kChartTypeCount));
    if (archive.Failed())
        return archive.Error();
    if (count != kChartTypeCount)
        return com::E_FAIL;
    for (LONG index = 0; index < kChartTypeCount; ++index) {
        const LONG answer =
            gallery(index)->ExchangeProperties(archive, static_cast<LONG>(version), static_cast<LONG>(flags));
        if (const HRESULT result = chartTypeResult(answer); com::FAILED(result))
            return result;
    }
    return ArchiveResult(archive);
}

// The toolbar reads its own block from the stream and stops at its end. A block it refuses after
// reading its header (damaged, or of a newer toolbar) is passed over whole and the toolbar keeps its
// state. Where the toolbar finds no block it can read (a save made without a toolbar), the stream goes
// back to where the block would have begun. Either way the end signature tells whether the rest was
// read where it was written.
HRESULT CFinancialCharts::loadToolbarBlock(CPropertyArchive& archive, com::IStream* stream) {
    if (!commandBar_)
        return com::S_OK;
    const std::optional<com::ULONGLONG> start = streamPosition(stream);
    const HRESULT result = commandBar_->ExchangeState(stream, ostbar::kExchangeLoad);
    if (com::FAILED(result) && result != com::STG_E_DOCFILECORRUPT && result != com::STG_E_INVALIDHEADER) {
        if (!start)
            return result;
        stream->Seek(static_cast<com::LONGLONG>(*start), com::STREAM_SEEK_SET, nullptr);
    }
    archive.Seek(0, ARCHIVE_CURRENT);
    return com::S_OK;
}

// --- The state as a whole
// --------------------------------------------------------------------------------------

std::unique_ptr<ExtensionSavedState> CFinancialCharts::captureSavedState() {
    auto state = std::make_unique<ExtensionSavedState>();
    state->baseTypeCommand = stateFields_.baseTypeCommand;
    state->baseType = stateFields_.baseType;
    state->toolCommand = stateFields_.toolCommand;
    state->studiesToolShown = studiesToolShownNow();
    state->settings = settings_;
    state->binding = binding_;
    state->specialCharts.workSeries = static_cast<std::int16_t>(workSeries_);
    state->specialCharts.autoRecalc = autoRecalc_ ? 1 : 0;
    state->specialCharts.series = stateFields_.specialChartSeries;
    state->studies.priceDisplay = priceDisplay_;
    state->studies.priceStartInZero = priceStartInZero_ ? 1 : 0;
    state->studies.priceSeries = priceSeriesRecords_;
    std::copy_n(studies_.begin(), std::min(studies_.size(), kStudyCount), state->studies.studies.begin());
    state->studies.studyAxes = stateFields_.studyAxes;
    state->drawings = drawingList();
    return state;
}

void CFinancialCharts::applySavedState(ExtensionSavedState&& state) {
    stateFields_.baseTypeCommand = state.baseTypeCommand;
    stateFields_.baseType = state.baseType;
    stateFields_.toolCommand = state.toolCommand;
    stateFields_.studiesToolShown = state.studiesToolShown;
    settings_ = std::move(state.settings);
    binding_ = state.binding;
    workSeries_ = state.specialCharts.workSeries;
    autoRecalc_ = state.specialCharts.autoRecalc != 0;
    stateFields_.specialChartSeries = std::move(state.specialCharts.series);
    priceDisplay_ = state.studies.priceDisplay;
    priceStartInZero_ = state.studies.priceStartInZero != 0;
    priceSeriesRecords_ = std::move(state.studies.priceSeries);
    studies_.assign(std::make_move_iterator(state.studies.studies.begin()),
                    std::make_move_iterator(state.studies.studies.end()));
    stateFields_.studyAxes = std::move(state.studies.studyAxes);
    drawingList() = std::move(state.drawings);
    // The tool follows the loaded flag where it is shown at all: on the analytical chart.
    if (studiesTool_ && activeIndex() == FINANCIAL_ANALYTICAL)
        showStudiesTool(stateFields_.studiesToolShown != 0);
}

// The studies tool's own visibility where it means something (on the analytical chart), else the flag
// last loaded.
std::uint8_t CFinancialCharts::studiesToolShownNow() {
    if (studiesTool_ && activeIndex() == FINANCIAL_ANALYTICAL) {
        com::VARIANT_BOOL shown = com::VARIANT_FALSE;
        get_StudiesTool(&shown);
        return shown != 0 ? 1 : 0;
    }
    return stateFields_.studiesToolShown;
}

// --- Records the saved state keeps for others
// ----------------------------------------------------------------

SeriesAttributeRecord* CFinancialCharts::specialChartSeriesRecord(LONG chart) {
    if (chart < 0 || chart >= static_cast<LONG>(kSpecialChartSeriesCount))
        return nullptr;
    return &stateFields_.specialChartSeries[static_cast<std::size_t>(chart)];
}

AxisSettingsRecord* CFinancialCharts::studyAxisSettings(LONG study) {
    if (study < 0 || study >= kStudyNumberCount)
        return nullptr;
    return &stateFields_.studyAxes[static_cast<std::size_t>(study)];
}

}  // namespace dravik
