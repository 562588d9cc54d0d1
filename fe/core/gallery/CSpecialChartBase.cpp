#include "gallery/CSpecialChartBase.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "com/Bstr.h"
#include "dravik/Commands.h"
#include "extension/CFinancialCharts.h"
#include "format/ValueFormat.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "host/CHostChartAdapter.h"
#include "persist/CPropertyArchive.h"
#include "series/CSeriesAttributes.h"
#include "special/LabelMask.h"
#include "special/WorkSeries.h"

namespace dravik {
namespace {

// Bytes of the label texts the base makes (tips, the information strip, values).
constexpr LONG kLabelBytes = static_cast<LONG>(korvel::kTipTextSize);
constexpr LONG kValueBytes = 64;

// Copies `text` into `buffer` of `size` bytes, cut to fit and terminated; the length copied.
LONG copyText(const std::string& text, char* buffer, LONG size) {
    if (!buffer || size <= 0)
        return 0;
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<LONG>(length);
}

std::unique_ptr<KvlValueBlock> seriesBlock(std::span<const double> values) {
    auto block = std::make_unique<KvlValueBlock>(1, static_cast<LONG>(values.size()));
    for (std::size_t p = 0; p < values.size(); ++p)
        block->at(0, static_cast<LONG>(p)) = values[p];
    return block;
}

}  // namespace

AdapterSeriesChannel AttachmentSeriesChannel::channel() {
    return AdapterSeriesChannel(owner_ ? owner_->adapter() : nullptr);
}

bool AttachmentSeriesChannel::keptInRecord(SHORT series) const {
    return series != 0 && chart_.IsTwoColoured();
}

LONG AttachmentSeriesChannel::GetColor(SHORT series) {
    if (keptInRecord(series))
        return static_cast<LONG>(chart_.seriesRecord().color[1]);
    return channel().GetColor(series);
}

HRESULT AttachmentSeriesChannel::SetColor(SHORT series, LONG color) {
    return keptInRecord(series) ? com::S_OK : channel().SetColor(series, color);
}

LONG AttachmentSeriesChannel::GetBkColor(SHORT series) {
    if (keptInRecord(series))
        return static_cast<LONG>(chart_.seriesRecord().bkColor[1]);
    return channel().GetBkColor(series);
}

HRESULT AttachmentSeriesChannel::SetBkColor(SHORT series, LONG color) {
    return keptInRecord(series) ? com::S_OK : channel().SetBkColor(series, color);
}

CSpecialChartBase::CSpecialChartBase(CFinancialCharts* owner, SHORT galleryNumber, const char16_t* prefix,
                                     std::size_t seriesRecord, DefaultSeriesIndex defaults)
    : CGalleryBase(owner, galleryNumber),
      prefix_(prefix),
      seriesChannel_(owner, *this),
      seriesRecordIndex_(seriesRecord) {
    // The legend of the chart type's series is its name.
    SeriesAttributeRecord& record = this->seriesRecord();
    record = DefaultSeriesRecord(defaults);
    record.legend.SetStringId(galleryNumber);
    record.setMask |= SA_LEGEND;
}

CSpecialChartBase::~CSpecialChartBase() = default;

// The chart type's own record among the special charts' series records, never one of the analytical
// chart's price series: those change with the price display (No Prices hides them), and series 0 would
// take that on while the chart type shows its figure there.
SeriesAttributeRecord& CSpecialChartBase::seriesRecord() {
    SeriesAttributeRecord* own =
        owner_ ? owner_->specialChartSeriesRecord(static_cast<LONG>(seriesRecordIndex_)) : nullptr;
    return own ? *own : ownRecord_;
}

bool CSpecialChartBase::isActiveChartType() const {
    return owner_ && owner_->activeGallery() == this;
}

std::string CSpecialChartBase::labelMaskText() {
    return labelMask_.GetText(ResourceModule());
}

void CSpecialChartBase::setLabelMaskText(const std::string& text) {
    labelMask_.SetText(text, ResourceModule());
}

// --- Activation ----------------------------------------------------------------------------------------

LONG CSpecialChartBase::Activate(LONG on, LONG selector) {
    if (selector != -1)
        return 0;
    CHostChartAdapter* chart = adapter();
    if (!chart)
        return CGalleryBase::Activate(on, selector);
    // The chart does not redraw while the chart type changes it.
    const LONG redraw = chart->ExchangeChartSetting(kRedrawSetting, 0, 0);
    // Through the chart type's own channel: a two-coloured chart type keeps its second colour in its
    // record, where the chart has no series 1 to read it from on leaving.
    CSeriesAttributes binding;
    binding.Bind(this, &seriesChannel_, &seriesRecord());
    binding.SetSeriesIndex(0);
    if (on)
        ActivateOn(binding);
    else
        ActivateOff(binding);
    chart->ExchangeChartSetting(kRedrawSetting, redraw, 0);
    return 0;
}

void CSpecialChartBase::ActivateOn(CSeriesAttributes& binding) {
    CHostChartAdapter* chart = adapter();
    // Series 0 shows the figure in the chart type's attributes while it is active; what it had before
    // is kept for deactivation.
    seriesBefore_ = SeriesAttributeRecord{};
    CSeriesAttributes before;
    before.Bind(this, chart, &seriesBefore_);
    before.SetSeriesIndex(0);
    before.ReadFromSeries(kSpecialSeriesMask, false, true, false);

    OnActivate();
    CheckInputValues();
    const LONG options = snapshot_.saved ? snapshot_.chartOptions : chart->GetChartOptions();
    chart->SetChartOptions(options & ~kSpecialClearedOptions);
    chart->SetChartFlagA(0);
    chart->SetChartFlagB(0);
    SwitchOffChartSettings();
    const auto style = static_cast<LONG>(snapshot_.saved ? snapshot_.axes[0].properties[0]
                                                         : chart->GetAxisValue(0, kAxisStyleCode));
    chart->SetAxisValue(yAxis_, kAxisStyleCode, (style | kAxisStyleNotify) & ~kAxisStyleAutoScale);
    BuildFigure(1);
    binding.ApplyToSeries(kSpecialSeriesMask);
}

void CSpecialChartBase::ActivateOff(CSeriesAttributes& binding) {
    // What the user changed on series 0 while the chart type was shown is the chart type's now.
    binding.ReadFromSeries(kSpecialSeriesMask, false, true, true);
    OnDeactivate();
    FreeFigure();
    CSeriesAttributes before;
    before.Bind(this, adapter(), &seriesBefore_);
    before.SetSeriesIndex(0);
    before.ApplyToSeries(kSpecialSeriesMask);
}

LONG CSpecialChartBase::OnMouseInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG scaled) {
    const LONG result = CGalleryBase::OnMouseInput(dc, rect, scaled);
    RebuildPens();
    return result;
}

// --- Persistence ---------------------------------------------------------------------------------------

void CSpecialChartBase::GetPersistSize(LONG* size) {
    if (!size)
        return;
    CGalleryBase::GetPersistSize(size);
    *size += OwnPersistSize();
}

LONG CSpecialChartBase::ExchangeProperties(CPropertyArchive& archive, LONG version, LONG flags) {
    const LONG common = CGalleryBase::ExchangeProperties(archive, version, flags);
    if (com::FAILED(common))
        return common;
    return ExchangeOwnSettings(archive, version);
}

// --- The figure ----------------------------------------------------------------------------------------

void CSpecialChartBase::AllocateFigure(LONG count) {
    CGalleryBase::AllocateFigure(count);
    figure_.Allocate(count);
}

void CSpecialChartBase::FreeFigure() {
    figure_.Free();
    count_ = 0;
    CGalleryBase::FreeFigure();
}

void CSpecialChartBase::Recalculate() {
    FreeFigure();
    needsLayout_ = 1;
    BuildFigure(1);
}

std::span<const double> CSpecialChartBase::WorkValues() {
    if (!owner_)
        return {};
    const DataCache& cache = state().dataCache;
    const SeriesBinding& binding = state().binding;
    const int series = SpecialWorkSeries(owner_->workSeries(), binding.openSeries, binding.highSeries,
                                         binding.lowSeries, binding.closeSeries, cache.seriesCount);
    const double* values = GetSeriesValues(series);
    if (!values)
        return {};
    return {values, static_cast<std::size_t>(cache.pointCount)};
}

void CSpecialChartBase::BuildFigure(LONG refresh) {
    CHostChartAdapter* chart = adapter();
    CSeriesAttributes binding;
    binding.Bind(this, &seriesChannel_, &seriesRecord());
    binding.SetSeriesIndex(chart ? 0 : -1);
    lastBuild_ = BuildOwnFigure(WorkValues());
    count_ = figure_.count();
    if (!figure_.empty()) {
        MarkSignals();
        BuildDateBreaks();
    }
    HandOverFigure(lastBuild_);
    binding.ApplyToSeries(kSpecialSeriesMask);
    if (refresh && chart)
        chart->RefreshData(1);
    RefreshValueAxis();
}

void CSpecialChartBase::HandOverFigure(const FigureBuild& build) {
    CHostChartAdapter* chart = adapter();
    korvel::IKvlExtensionServices* target = services();
    if (!chart || !target)
        return;
    const FigureHandOver handOver = HandOverOf(figure_, build);
    if (figure_.empty()) {
        // One series without points; no from-values of an older figure stay behind.
        target->SetProperty(1, 0, new KvlValueBlock(1, 0), korvel::kValues);
        target->SetProperty(1, 0, new KvlValueBlock(1, 0), korvel::kFromValues);
        return;
    }
    chart->SetSeriesAttribute(0, SAID_YAXIS, yAxis_);
    target->SetProperty(handOver.seriesCount, handOver.pointCount, seriesBlock(handOver.values).release(),
                        korvel::kValues);
    target->SetProperty(handOver.seriesCount, handOver.pointCount, seriesBlock(handOver.fromValues).release(),
                        korvel::kFromValues);
    chart->SetAxisValue(yAxis_, 0, handOver.axisMin);
    chart->SetAxisValue(yAxis_, 1, handOver.axisMax);
    chart->SetAxisValue(yAxis_, kAxisVisibleCode, 1);
    chart->SetAxisValue(static_cast<SHORT>(1 - yAxis_), kAxisVisibleCode, 0);
}

LONG CSpecialChartBase::RefreshValueAxis() {
    CHostChartAdapter* chart = adapter();
    if (!chart || !owner_)
        return 0;
    AxisSettingsRecord& axis = owner_->settings().priceAxis;
    axis.min = chart->GetAxisValue(yAxis_, 0);
    axis.max = chart->GetAxisValue(yAxis_, 1);
    return 1;
}

LONG CSpecialChartBase::GetSourcePoint(LONG element) {
    if (element < 0 || element >= figure_.count())
        return element;
    return figure_.sourcePoint[static_cast<std::size_t>(element)];
}

LONG CSpecialChartBase::GetValueRange(LONG first, LONG last, double* min, double* max) {
    if (!owner_ || !state().fitRangeToFigure || !adapter() || !adapter()->GetZoomMode())
        return CGalleryBase::GetValueRange(first, last, min, max);
    if (!min || !max)
        return 0;
    double low = 0;
    double high = 0;
    if (!FigureValueRange(figure_, first, last, low, high))
        return 0;
    *min = low;
    *max = high;
    return 1;
}

// --- Labels --------------------------------------------------------------------------------------------

LONG CSpecialChartBase::FormatValue(double value, char* text, LONG size) {
    const AxisSettingsRecord* axis = owner_ ? &owner_->settings().priceAxis : nullptr;
    const std::string formatted =
        axis ? formatAxisValueText(value, axis->decimals, axis->format, axis->scaleUnit, axis->locale) +
                   axis->symbol()
             : formatAxisValueText(value, 2, 0, 1, kUserDefaultLocale);
    return copyText(formatted, text, size);
}

LONG CSpecialChartBase::GetSignalText(char* text, LONG size, LONG element) {
    const res::ResourceModule* module = ResourceModule();
    const std::string buy = owner_ ? owner_->settings().buyMask.GetText(module) : std::string();
    const std::string sell = owner_ ? owner_->settings().sellMask.GetText(module) : std::string();
    return copyText(SignalText(figure_, element, buy, sell), text, size) > 0 ? 1 : 0;
}

LONG CSpecialChartBase::GetLabelText(char* text, LONG size, LONG, LONG element, LONG) {
    if (!text || size <= 0)
        return 0;
    LabelMaskContext context;
    context.formatValue = [this](double value) {
        char buffer[kValueBytes] = {};
        FormatValue(value, buffer, kValueBytes);
        return std::string(buffer);
    };
    const res::ResourceModule* module = ResourceModule();
    if (owner_) {
        context.buyMask = owner_->settings().buyMask.GetText(module);
        context.sellMask = owner_->settings().sellMask.GetText(module);
        context.locale = owner_->settings().dateAxis.locale;
    }
    return copyText(ExpandLabelMask(labelMaskText(), figure_, element, context), text, size);
}

void CSpecialChartBase::PaintInfoStrip(LONG which, LONG visible, LONG x) {
    CHostChartAdapter* chart = adapter();
    if (!chart || !owner_ || !owner_->site())
        return;
    gdi::DeviceContext* dc = nullptr;
    if (com::FAILED(owner_->site()->GetSurfaceDC(&dc)) || !dc)
        return;
    const LONG margin = chart->GetLeftMargin();
    gdi::Rect strip{margin, 1, plotRight_, chart->GetTopMargin()};
    const gdi::HBRUSH background =
        gdi::createSolidBrush(static_cast<gdi::COLORREF>(chart->MapColor(chart->GetBackColor())));
    dc->fillRect(strip, background);
    gdi::deleteObject(background);
    if (visible) {
        char text[kLabelBytes] = {};
        GetLabelText(text, kLabelBytes, 0, x - 1, 0);
        // The application may put a text of its own in place of the label.
        com::Bstr info = com::Bstr::fromUtf8(text);
        owner_->events().GetDateInfo(which, x - 1, &info);
        SelectLabelFont(dc);
        dc->drawText(info.toUtf8(), strip, gdi::DT_SINGLELINE | gdi::DT_BOTTOM | gdi::DT_LEFT);
        RestoreLabelFont(dc);
    }
    owner_->site()->ReleaseSurfaceDC(dc);
}

HRESULT CSpecialChartBase::GetPageClsid(LONG kind, com::CLSID* clsid) {
    if (!clsid)
        return com::E_POINTER;
    *clsid = kind == 1 ? PageClsid() : com::GUID_NULL;
    return com::S_OK;
}

// --- Series owner --------------------------------------------------------------------------------------

const res::ResourceModule* CSpecialChartBase::ResourceModule() {
    return owner_ ? owner_->GetResourceInstance().get() : BuiltInResources().get();
}

void CSpecialChartBase::RepaintIfActive() {
    if (owner_)
        owner_->RepaintIfActive();
}

HRESULT CSpecialChartBase::GetSeriesAxis(SHORT, int, SHORT* axis) {
    if (!axis)
        return com::E_POINTER;
    *axis = yAxis_;
    return com::S_OK;
}

HRESULT CSpecialChartBase::SetSeriesAxis(SHORT, int, SHORT axis) {
    if (axis != 0 && axis != 1)
        return com::E_INVALIDARG;
    if (isActiveChartType())
        SetYAxis(1, 0, axis);
    else
        yAxis_ = axis;
    return com::S_OK;
}

gdi::COLORREF CSpecialChartBase::SeriesColor(int index) {
    CHostChartAdapter* chart = adapter();
    const SeriesAttributeRecord& record = seriesRecord();
    if (!chart)
        return record.color[static_cast<std::size_t>(index & 1)];
    const LONG color = index == 0 ? chart->GetSeriesColor(0) : static_cast<LONG>(record.color[1]);
    return static_cast<gdi::COLORREF>(chart->MapColor(color));
}

}  // namespace dravik
