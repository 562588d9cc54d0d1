// The chart-type base: activation and its snapshot, the held data blocks, suspension, the paint
// bracket and the persistence of the common keys. Mouse work is in GalleryTracking.cpp, the axis menu
// and the axis frame in GalleryAxisMenu.cpp.
#include "gallery/CGalleryBase.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "extension/CFinancialCharts.h"
#include "gallery/GalleryAxisAccess.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "host/CHostChartAdapter.h"
#include "korvel/IKvlChart.h"
#include "persist/CPropertyArchive.h"

namespace dravik {
namespace {

// Chart style bit set while one of the extension's chart types has the chart, and the style switched
// on activation and back on deactivation.
constexpr LONG kChartStyleExtensionActive = 0x10000000;
constexpr LONG kSwitchedChartStyle = 8192;
// The placeholder a suspended chart type hands the chart: one series of 10 points.
constexpr LONG kPlaceholderPoints = 10;
// Exchange flag: body only (no keys of the object's frame).
constexpr LONG kExchangeBodyOnly = 0x2;
// "_Flags" is saved from this format version on.
constexpr LONG kFirstVersionWithFlags = 32;

std::unique_ptr<KvlValueBlock> takeBlock(korvel::IKvlExtensionServices* services, LONG kind) {
    LONG count = 0;
    void* pointer = nullptr;
    if (!services || com::FAILED(services->GetProperty(&count, &pointer, 0, kind)))
        return nullptr;
    return std::unique_ptr<KvlValueBlock>(static_cast<KvlValueBlock*>(pointer));
}

// Hands `block` to the chart (which takes it over whatever it answers).
void giveBlock(korvel::IKvlExtensionServices* services, std::unique_ptr<KvlValueBlock> block, LONG kind) {
    if (!services || !block)
        return;
    const LONG series = block->seriesCount();
    const LONG points = block->pointCount();
    services->SetProperty(series, points, block.release(), kind);
}

}  // namespace

struct CGalleryBase::LabelFontState {
    gdi::HGDIOBJ font{};
    int bkMode = 0;
    gdi::COLORREF textColor = 0;
    bool fontSelected = false;
};

CGalleryBase::CGalleryBase(CFinancialCharts* owner, SHORT galleryNumber)
    : owner_(owner), nameId_(galleryNumber == 0 ? kUserDefinedGalleryNumber : galleryNumber) {
    labelMask_.SetSize(kLabelMaskSize);
    labelMask_.SetStringId(kLabelMaskStringId);
}

CGalleryBase::~CGalleryBase() = default;

CHostChartAdapter* CGalleryBase::adapter() const {
    return owner_ ? owner_->adapter() : nullptr;
}

korvel::IKvlExtensionServices* CGalleryBase::services() const {
    return owner_ ? owner_->services() : nullptr;
}

korvel::IKvlExtensionSite* CGalleryBase::extensionSite() const {
    return owner_ ? owner_->site() : nullptr;
}

CExtensionEvents* CGalleryBase::extensionEvents() const {
    return owner_ ? &owner_->events() : nullptr;
}

ostbar::IOstCommandBar* CGalleryBase::extensionCommandBar() const {
    return owner_ ? owner_->commandBar() : nullptr;
}

CDrawingFeatures* CGalleryBase::drawings() const {
    return owner_ ? &owner_->drawingFeatures() : nullptr;
}

IDrawingOwner* CGalleryBase::drawingOwner() const {
    return owner_;
}

IDrawingPageOwner* CGalleryBase::drawingPageOwner() const {
    return owner_;
}

ChartTypeState& CGalleryBase::state() const {
    return owner_->chartTypeState();
}

void CGalleryBase::GetName(char* buffer, LONG size) {
    if (!buffer || size <= 0)
        return;
    const auto module = owner_ ? owner_->GetResourceInstance() : BuiltInResources();
    if (!module ||
        !module->loadString(static_cast<std::uint32_t>(nameId_), buffer, static_cast<std::size_t>(size)))
        buffer[0] = '\0';
}

LONG CGalleryBase::Activate(LONG on, LONG) {
    if (on) {
        OnActivate();
        BuildDateBreaks();
    } else
        OnDeactivate();
    return 0;
}

// --- Held blocks ---------------------------------------------------------------------------------------

LONG CGalleryBase::GalleryAction(LONG* seriesCount, LONG* pointCount, KvlValueBlock** block, LONG which,
                                 LONG subCode) {
    if (seriesCount)
        *seriesCount = 0;
    if (pointCount)
        *pointCount = 0;
    if (block)
        *block = nullptr;
    std::unique_ptr<KvlValueBlock>* asked = which == korvel::kValues       ? &held_.values
                                            : which == korvel::kFromValues ? &held_.fromValues
                                                                           : nullptr;
    if (!asked || !*asked)
        return 0;
    if (subCode == 0) {
        if (seriesCount)
            *seriesCount = GetSeriesCount();
        if (pointCount)
            *pointCount = GetChartPointCount();
        return 1;
    }
    if (seriesCount)
        *seriesCount = (*asked)->seriesCount();
    if (pointCount)
        *pointCount = (*asked)->pointCount();
    if (block)
        *block = asked->get();
    if (subCode == 1 || subCode == 4 || subCode == 5) {
        // The asked block is lent: it stays alive until the next call of this kind, since the chart
        // copies it only after this call returns.
        lentBlock_ = std::move(*asked);
        // Values first: the chart fits from-values to the values they belong to.
        giveBlock(services(), std::move(held_.values), korvel::kValues);
        giveBlock(services(), std::move(held_.fromValues), korvel::kFromValues);
    }
    return 1;
}

// --- Snapshot ------------------------------------------------------------------------------------------

void CGalleryBase::TakeChartBlocks() {
    korvel::IKvlExtensionServices* chart = services();
    held_.values = takeBlock(chart, korvel::kValues | korvel::kCopyFlag);
    held_.fromValues = takeBlock(chart, korvel::kFromValues | korvel::kCopyFlag);
    held_.fromValuesUsed = 0;
    if (chart)
        chart->GetProperty(&held_.fromValuesUsed, nullptr, 0, korvel::kFromValuesUsed);
    // From-values the chart does not draw go back as none, so that giving them back does not make
    // the chart draw them.
    if (!held_.fromValuesUsed && held_.fromValues)
        held_.fromValues = std::make_unique<KvlValueBlock>();
}

void CGalleryBase::FillDataCache() {
    DataCache& cache = state().dataCache;
    cache.clear();
    if (!held_.values)
        return;
    cache.values = held_.values->values();
    cache.seriesCount = held_.values->seriesCount();
    cache.pointCount = held_.values->pointCount();
    ReadChartDates(cache);
}

void CGalleryBase::ReadChartDates(DataCache& cache) {
    // The dates are read while the chart still holds its own points: a figure handed to it later
    // replaces them.
    com::ComPtr<korvel::IKvlChart> chart;
    if (!owner_->site() ||
        com::FAILED(owner_->site()->QueryInterface(korvel::IKvlChart::iid, chart.putVoid())) || !chart)
        return;
    std::vector<double> dates(static_cast<std::size_t>(std::max<LONG>(cache.pointCount, 0)), 0.0);
    bool anyDate = false;
    for (LONG p = 0; p < cache.pointCount; ++p) {
        double date = 0;
        if (com::FAILED(chart->get_XValueAt(korvel::kXValues, p, &date)))
            return;
        dates[static_cast<std::size_t>(p)] = date;
        anyDate = anyDate || date != 0;
    }
    // A chart without dates holds zeros as its x values.
    if (anyDate)
        cache.xValues = std::move(dates);
}

void CGalleryBase::SaveChartState() {
    CHostChartAdapter* chart = adapter();
    ChartSnapshot& saved = snapshot_;
    saved = ChartSnapshot{};
    const LONG seriesCount = held_.values ? held_.values->seriesCount() : 0;
    saved.series.resize(static_cast<std::size_t>(std::max<LONG>(seriesCount, 0)));
    for (std::size_t s = 0; s < saved.series.size(); ++s) {
        saved.series[s].volume = chart->GetSeriesAttribute(static_cast<SHORT>(s), 0);
        saved.series[s].yAxis = chart->GetSeriesAttribute(static_cast<SHORT>(s), 1);
    }
    for (SHORT a = 0; a < static_cast<SHORT>(saved.axes.size()); ++a) {
        ChartSnapshot::Axis& axis = saved.axes[static_cast<std::size_t>(a)];
        axis.min = chart->GetAxisValue(a, 0);
        axis.max = chart->GetAxisValue(a, 1);
        for (std::size_t i = 0; i < ChartSnapshot::kSavedAxisCodes.size(); ++i)
            axis.properties[i] = chart->GetAxisValue(a, ChartSnapshot::kSavedAxisCodes[i]);
        axis.properties[ChartSnapshot::kVisibleSlot] =
            axis.properties[ChartSnapshot::kVisibleSlot] != 0 ? 1 : 0;
        char text[64] = {};
        chart->GetAxisText(a, text, sizeof text);
        axis.text = text;
        saved.origins[static_cast<std::size_t>(a)] = chart->GetAxisValue(a, ChartSnapshot::kOriginCode);
    }
    saved.flagA = chart->GetChartFlagA();
    saved.flagB = chart->GetChartFlagB();
    saved.valueB = chart->GetChartValueB();
    saved.chartStyle = chart->GetChartStyle();
    saved.chartOptions = chart->GetChartOptions();
    saved.saved = true;
}

void CGalleryBase::RestoreChartState() {
    CHostChartAdapter* chart = adapter();
    const ChartSnapshot& saved = snapshot_;
    const LONG seriesNow = chart->GetSeriesCount();
    for (std::size_t s = 0; s < saved.series.size() && static_cast<LONG>(s) < seriesNow; ++s) {
        chart->SetSeriesAttribute(static_cast<SHORT>(s), 0, saved.series[s].volume);
        chart->SetSeriesAttribute(static_cast<SHORT>(s), 1, saved.series[s].yAxis);
    }
    for (SHORT a = 0; a < static_cast<SHORT>(saved.axes.size()); ++a) {
        const ChartSnapshot::Axis& axis = saved.axes[static_cast<std::size_t>(a)];
        // The X axis's range follows the points; a value axis's range first, since writing a range
        // switches automatic scaling off and the style written next may switch it on again.
        if (a != korvel::kXAxis) {
            chart->SetAxisValue(a, 0, axis.min);
            chart->SetAxisValue(a, 1, axis.max);
        }
        for (std::size_t i = 0; i < ChartSnapshot::kSavedAxisCodes.size(); ++i)
            chart->SetAxisValue(a, ChartSnapshot::kSavedAxisCodes[i], axis.properties[i]);
        chart->SetAxisText(a, axis.text.c_str());
        chart->SetAxisValue(a, ChartSnapshot::kOriginCode, saved.origins[static_cast<std::size_t>(a)]);
    }
    chart->SetChartFlagA(saved.flagA);
    chart->SetChartFlagB(saved.flagB);
    chart->SetChartValueB(saved.valueB);
    chart->SetChartStyle(saved.chartStyle);
    chart->SetChartOptions(saved.chartOptions);
}

LONG CGalleryBase::OnActivate() {
    CHostChartAdapter* chart = adapter();
    if (!chart || !owner_)
        return 0;
    SetViewport(nullptr);
    lentBlock_.reset();
    TakeChartBlocks();
    ChartTypeState& shared = state();
    LONG result = 1;
    if (shared.keepChartStateOnce) {
        shared.keepChartStateOnce = false;
        result = 0;
    } else {
        FillDataCache();
        SaveChartState();
        chart->SetChartStyle(chart->GetChartStyle() | kChartStyleExtensionActive);
    }
    count_ = held_.values ? held_.values->pointCount() : 0;
    ApplyDefaultSeriesBinding();
    zoomed_ = 0;
    chart->SetZoomMode(0);
    chart->SwitchChartStyle(kSwitchedChartStyle);
    return result;
}

void CGalleryBase::OnDeactivate() {
    CHostChartAdapter* chart = adapter();
    if (!chart || !owner_)
        return;
    giveBlock(services(), std::move(held_.values), korvel::kValues);
    giveBlock(services(), std::move(held_.fromValues), korvel::kFromValues);
    held_.fromValuesUsed = 0;
    lentBlock_.reset();
    chart->SwitchChartStyle(kSwitchedChartStyle);
    // A snapshot taken while the owner kept the chart's state is none: nothing to put back.
    if (snapshot_.saved)
        RestoreChartState();
    snapshot_ = ChartSnapshot{};
    ReleaseDataCache();
}

void CGalleryBase::ReleaseDataCache() {
    if (owner_)
        state().dataCache.clear();
}

void CGalleryBase::ApplyDefaultSeriesBinding() {
    ChartTypeState& shared = state();
    SeriesBinding& binding = shared.binding;
    if (binding.openSeries != -1 || binding.highSeries != -1 || binding.lowSeries != -1 ||
        binding.closeSeries != -1 || binding.volumeSeries != -1 || binding.userSeries != 0)
        return;
    const LONG n = GetSeriesCount();
    if (n <= 0)
        return;
    if (n <= 2) {
        binding.closeSeries = 0;
        shared.priceDisplay = kCloseOnlyPriceDisplay;
        if (n == 2) {
            binding.userSeries = 1;
            binding.firstUserIndex = 1;
        }
        return;
    }
    if (n <= 4) {
        binding.lowSeries = 0;
        binding.closeSeries = 1;
        binding.highSeries = 2;
        if (n == 4)
            binding.volumeSeries = 3;
        shared.priceDisplay = kHighLowClosePriceDisplay;
        return;
    }
    binding.lowSeries = 0;
    binding.openSeries = 1;
    binding.closeSeries = 2;
    binding.highSeries = 3;
    binding.volumeSeries = 4;
    shared.priceDisplay = kOpenHighLowClosePriceDisplay;
    binding.userSeries = static_cast<SHORT>(std::min<LONG>(n - 5, 0x7FFF));
    binding.firstUserIndex = 5;
}

// --- State changes -------------------------------------------------------------------------------------

LONG CGalleryBase::OnSetState(LONG code) {
    if (code != 1 || !owner_)
        return 1;
    ChartTypeState& shared = state();
    LONG points = 0;
    if (services())
        services()->GetProperty(&points, nullptr, 0, korvel::kPointCount);
    if (points < shared.minimumPointCount)
        shared.minimumPointCount = points;
    if (shared.tracking.tracking) {
        if (adapter())
            adapter()->SetMouseCapture(0);
        shared.tracking.tracking = false;
        trackingLineShown_ = false;
    }
    // The chart holds new data now: the blocks taken at activation are out of date, and giving them
    // back would replace the new data with the old.
    held_ = HeldBlocks{};
    Activate(0, -1);
    Activate(1, -1);
    return 1;
}

void CGalleryBase::Suspend() {
    // Without a block the chart makes the placeholder itself: empty points, which draw nothing.
    if (services())
        services()->SetProperty(1, kPlaceholderPoints, nullptr, korvel::kValues);
    suspended_ = 1;
}

void CGalleryBase::Resume() {
    takeBlock(services(), korvel::kValues);  // the placeholder, freed here
    BuildFigure(1);
    suspended_ = 0;
}

void CGalleryBase::Recalculate() {
    FreeFigure();
    needsLayout_ = 1;
    AllocateFigure(owner_ ? state().dataCache.pointCount : 0);
    BuildFigure(1);
    BuildDateBreaks();
}

void CGalleryBase::SetDataUnit(LONG unit) {
    if (!owner_ || state().dataCache.empty() || unit == state().extension.currentDataUnit)
        return;
    state().extension.currentDataUnit = unit;
    Recalculate();
}

void CGalleryBase::CheckInputValues() {
    if (!owner_)
        return;
    const DataCache& cache = state().dataCache;
    for (LONG s = 0; s < cache.seriesCount; ++s)
        owner_->events().CheckInputValues(galleryIndex(), s, cache.pointCount);
}

LONG CGalleryBase::GetSeriesCount() {
    return owner_ ? state().dataCache.seriesCount : 0;
}

LONG CGalleryBase::GetChartPointCount() {
    return owner_ ? state().dataCache.pointCount : 0;
}

const double* CGalleryBase::GetSeriesValues(LONG series) {
    if (!owner_ || series < 0)
        return nullptr;
    const DataCache& cache = state().dataCache;
    if (cache.empty() || cache.seriesCount <= 0 || cache.pointCount <= 0)
        return nullptr;
    if (series >= cache.seriesCount)
        series = 0;
    return cache.values.data() +
           static_cast<std::size_t>(series) * static_cast<std::size_t>(cache.pointCount);
}

void* CGalleryBase::GetValueAxisSettings() {
    return galleryAxisAccess().GetValueAxisSettings(owner_);
}

LONG CGalleryBase::ModifyFlags(LONG set, LONG clear) {
    const LONG old = flags_;
    flags_ = (flags_ | set) & ~clear;
    return old;
}

void CGalleryBase::SetDateSteps(SHORT major, SHORT every, SHORT minor, SHORT minorEvery) {
    if (major == -1 || minor == -1) {
        needsLayout_ = 1;
    } else {
        dateStepMajor_ = major;
        dateStepEvery_ = every;
        dateStepMinor_ = minor;
        dateMinorStepEvery_ = minorEvery;
    }
    if (owner_)
        owner_->RepaintIfActive();
}

HRESULT CGalleryBase::GetPageClsid(LONG, com::CLSID* clsid) {
    if (!clsid)
        return com::E_POINTER;
    *clsid = com::GUID_NULL;
    return com::S_OK;
}

// --- Paint bracket -------------------------------------------------------------------------------------

void CGalleryBase::SetViewport(const KvlRect* rect) {
    CHostChartAdapter* chart = adapter();
    if (!chart)
        return;
    if (!rect) {
        // The plot area already lies inside the margins; its edges are taken as the rectangle a paint
        // rectangle gives after the margins.
        KvlRect query{};
        query.left = 3;  // the record's first field names the rectangle's form
        KvlRect plot{};
        if (com::FAILED(chart->GetChartRect(korvel::kRectPlot, query, &plot)))
            return;
        plotLeft_ = plot.left - 1;
        plotTop_ = plot.top;
        plotRight_ = plot.right + 1;
        plotBottom_ = plot.bottom;
        return;
    }
    plotLeft_ = rect->left + chart->GetLeftMargin() - 1;
    plotRight_ = rect->right - chart->GetRightMargin() + 1;
    plotTop_ = rect->top + chart->GetTopMargin();
    plotBottom_ = rect->bottom - chart->GetBottomMargin();
}

LONG CGalleryBase::OnMouseInput(gdi::DeviceContext*, const KvlRect*, LONG scaled) {
    SetViewport(nullptr);
    scaledDc_ = scaled != 0 ? 1 : 0;
    return 0;
}

LONG CGalleryBase::OnKeyInput(gdi::DeviceContext*, const KvlRect*, LONG) {
    scaledDc_ = 0;
    return 0;
}

LONG CGalleryBase::OnActiveNotify(gdi::DeviceContext* dc, LONG force, LONG scaled) {
    CHostChartAdapter* chart = adapter();
    if (!chart)
        return 0;
    SetViewport(nullptr);
    double first = 0;
    double last = 0;
    if (com::SUCCEEDED(chart->GetVisibleRange(korvel::kXAxis, &first, &last))) {
        // The visible positions run half a slot beyond the first and the last point (1-based).
        firstVisible_ = static_cast<LONG>(std::ceil(first));
        lastVisible_ = static_cast<LONG>(std::floor(last));
    }
    if (scaled)
        scaledDc_ = 1;
    else if (dc)
        scaledDc_ = dc->viewportExt() != dc->windowExt() ? 1 : 0;
    bool rescaled = false;
    const bool wanted =
        chart->GetZoomMode() != 0 || force != 0 || (state().extension.options & kOptionRestrictToPrices) != 0;
    double min = 0;
    double max = 0;
    if (!scaledDc_ && wanted && reentry_ < 1 &&
        GetValueRange(firstVisible_ - 1, lastVisible_ - 1, &min, &max)) {
        ++reentry_;
        chart->ZoomTo(korvel::kNoValue, min, korvel::kNoValue, max);
        chart->UpdateZoom();
        --reentry_;
        rescaled = true;
    }
    if (scaledDc_ || rescaled)
        return 0;
    if (skipLayoutOnce_) {
        skipLayoutOnce_ = 0;
        needsLayout_ = 0;
    } else {
        LayoutDateLabels(dc, firstVisible_ - 1, lastVisible_ - 1, plotRight_ - plotLeft_ + 1,
                         &dateSteps_.majorKind, &dateSteps_.minorKind, &dateSteps_.majorEvery,
                         &dateSteps_.minorEvery);
    }
    return 0;
}

HRESULT CGalleryBase::GetAxisLabel(gdi::DeviceContext* dc, LONG axisCode, LONG major, double* gap,
                                   double position, double* value, LONG* labelIndex, KvlTextBuffer* text) {
    if (axisCode != korvel::kXAxis || !owner_ || !owner_->isAttached() || suspended_)
        return com::S_OK;
    return FormatDateAxisLabel(dc, major, gap, position, value, labelIndex, text);
}

LONG CGalleryBase::ReadDrawArea(gdi::DeviceContext*, const KvlRect*) {
    KvlRect area{};
    if (adapter() &&
        com::SUCCEEDED(adapter()->GetChartRect(korvel::kRectDrawArea, KvlRect{3, 0, 0, 0}, &area)))
        scaledDc_ = 1;
    return 0;
}

LONG CGalleryBase::ClearDrawArea(gdi::DeviceContext*, const KvlRect*) {
    scaledDc_ = 0;
    return 0;
}

LONG CGalleryBase::OnHostNotify(LONG code, LONG value) {
    return OnScrollChange(code, value);
}

LONG CGalleryBase::OnScrollChange(LONG, LONG) {
    needsLayout_ = 1;
    skipLayoutOnce_ = owner_ && (state().extension.options & kOptionDateLabelsNoScroll) != 0 ? 1 : 0;
    return 0;
}

void CGalleryBase::SelectLabelFont(gdi::DeviceContext* dc) {
    CHostChartAdapter* chart = adapter();
    if (!dc || !chart)
        return;
    auto saved = std::make_unique<LabelFontState>();
    const gdi::HFONT font = chart->GetTextFont(kLabelTextKind);
    if (font != gdi::HFONT{}) {
        saved->font = dc->selectObject(font);
        saved->fontSelected = true;
    }
    saved->bkMode = dc->setBkMode(gdi::TRANSPARENT);
    saved->textColor =
        dc->setTextColor(static_cast<gdi::COLORREF>(chart->MapColor(chart->GetTextColor(kLabelTextKind))));
    labelFont_ = std::move(saved);
}

void CGalleryBase::RestoreLabelFont(gdi::DeviceContext* dc) {
    if (!dc || !labelFont_)
        return;
    if (labelFont_->fontSelected)
        dc->selectObject(labelFont_->font);
    dc->setBkMode(labelFont_->bkMode);
    dc->setTextColor(labelFont_->textColor);
    labelFont_.reset();
}

// --- Tips and labels -----------------------------------------------------------------------------------

LONG CGalleryBase::GetLabelText(char* text, LONG size, LONG, LONG, LONG) {
    if (text && size > 0)
        text[0] = '\0';
    return 0;
}

void CGalleryBase::HandTipToChart(char* text, LONG series, LONG element, LONG forTip) {
    constexpr LONG kSize = static_cast<LONG>(korvel::kTipTextSize);
    GetLabelText(text, kSize, series, element, forTip);
    text[kSize - 1] = '\0';  // whatever the expansion did, the text ends inside the buffer
    if (text[0] == '\0') {
        text[0] = ' ';
        text[1] = '\0';
    }
    if (adapter())
        adapter()->SetToolTipText(text);
}

LONG CGalleryBase::GetTipText(char* text, LONG kind, LONG a, LONG b) {
    if (!text || (kind != korvel::kTipSeriesPoint && kind != korvel::kTipPlotPoint))
        return 0;
    HandTipToChart(text, a, b, 1);
    return 0;
}

LONG CGalleryBase::GetPointTipText(char* text, LONG series, LONG point) {
    if (text)
        HandTipToChart(text, series, point, 0);
    return 1;
}

// --- Persistence ---------------------------------------------------------------------------------------

void CGalleryBase::GetPersistSize(LONG* size) {
    if (!size)
        return;
    *size += (labelMask_.isOwnText() ? labelMask_.GetSize() : 0) + 2;
}

LONG CGalleryBase::ExchangeProperties(CPropertyArchive& archive, LONG version, LONG flags) {
    const bool bodyOnly = (flags & kExchangeBodyOnly) != 0;
    if (!bodyOnly) {
        archive.ExchangeShort(&yAxis_, u"_YAxis", 0);
        // Only the two value axes can carry the chart type's values.
        if (!archive.IsStoring() && yAxis_ != 0 && yAxis_ != 1)
            yAxis_ = 0;
    }
    const std::u16string key = std::u16string(PersistPrefix()) + u"LabelMask";
    labelMask_.Exchange(archive, key, bodyOnly ? CResourceText::kExchangeTextOnly : 0);
    if (!bodyOnly && version >= kFirstVersionWithFlags) {
        auto word = static_cast<std::uint32_t>(flags_);
        archive.ExchangeUlong(&word, u"_Flags", 0);
        flags_ = static_cast<LONG>(word);
    }
    return archive.Error();
}

}  // namespace dravik
