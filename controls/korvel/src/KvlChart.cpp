#include "korvel/KvlChart.h"

#include <cmath>
#include <memory>

#include "KvlItems.h"
#include "com/FixedText.h"
#include "com/Text.h"
#include "storage/OleFont.h"

namespace korvel {

using detail::put;

using detail::copyText;
using detail::fromCText;

namespace {

// Fixed-size lists of the chart that its extensions address by index.
constexpr std::size_t kConstantLineCount = 16;
constexpr std::size_t kStripeCount = 16;
// The chart's own command that lays the chart out again and repaints it.
constexpr SHORT kCommandRelayout = 29698;

// The commands of the chart's own command bar; `row` marks those with a button on the bar.
struct ChartCommand {
    SHORT id;
    const char16_t* text;
    bool row;
};
constexpr ChartCommand kChartCommands[] = {
    {29442, u"Print", true},          {29443, u"Print...", false},
    {29444, u"Print Preview", false}, {29464, u"Copy to Clipboard", true},
    {29471, u"As a Bitmap", false},   {29472, u"As a Metafile", false},
    {29448, u"Zoom In", true},        {29440, u"Zoom Out", true},
    {29449, u"Vertical Grid", true},  {29450, u"Horizontal Grid", true},
    {29463, u"Legend Box", true},     {29457, u"Data Editor", true},
    {29499, u"Color", true},          {29488, u"Font...", false},
    {29451, u"Properties...", true},  {29452, u"Edit Title", false},
    {29505, u"Tools", true},
};
// Commands that switch something on and off.
constexpr SHORT kCheckCommands[] = {29448, 29449, 29450, 29463, 29457};

com::ComPtr<ostbar::OstCommandBar> makeCommandBar() {
    auto bar = ostbar::OstCommandBar::create();
    ostbar::OstCommandTable& table = *bar->table();
    for (const ChartCommand& command : kChartCommands) {
        table.add(command.id)->text = command.text;
        if (command.row)
            table.insertAt(ostbar::kToolbarContainer, table.row().size(), command.id);
    }
    for (const SHORT id : kCheckCommands)
        table.find(id)->style = ostbar::kStyleCheck;
    // Nothing is zoomed yet.
    table.find(static_cast<SHORT>(kCommandZoomOut))->enabled = false;
    // Copying offers its two forms.
    table.find(29464)->subCommands = {29471, 29472};
    table.setState(ostbar::kStateShown);
    return bar;
}

template <typename T>
HRESULT handOut(com::ComPtr<T> object, IKvlCollection** out) {
    if (!out)
        return com::E_POINTER;
    *out = object.detach();
    return com::S_OK;
}

// A cell of a row set as a chart value: NULL (and anything that is no number) is no value.
double cellValue(com::Variant cell) {
    if (cell.vt() == com::VT_NULL || cell.vt() == com::VT_EMPTY)
        return kNoValue;
    if (com::FAILED(cell.changeType(com::VT_R8)) || !std::isfinite(cell.r8()))
        return kNoValue;
    return cell.r8();
}

double cellDate(com::Variant cell) {
    if (cell.vt() == com::VT_DATE)
        return cell.dateVal();
    if (com::FAILED(cell.changeType(com::VT_DATE)))
        return 0;
    return cell.dateVal();
}

std::string cellText(com::Variant cell) {
    if (cell.vt() == com::VT_NULL || com::FAILED(cell.changeType(com::VT_BSTR)))
        return std::string();
    return cell.bstr().toUtf8();
}

}  // namespace

KvlChart::KvlChart() : commandBar_(makeCommandBar()), events_(points_.add(DIID_DKvlChartEvents)) {
    model_.constantLines().resize(kConstantLineCount);
    model_.stripes().resize(kStripeCount);
}

KvlChart::~KvlChart() {
    // Extensions detach while the chart can still answer them.
    driver_.unloadAll();
    callback_.reset();
}

std::string* KvlChart::text(LONG index) {
    if (index < 0)
        return nullptr;
    return &model_.texts()[index];
}

std::string* KvlChart::axisTitle(SHORT position) {
    if (position < 0 || position >= static_cast<SHORT>(model_.axisTitles().size()))
        return nullptr;
    return &model_.axisTitles()[static_cast<std::size_t>(position)];
}

HRESULT KvlChart::flag(LONG* out, LONG value) const {
    return put(out, value);
}

HRESULT KvlChart::loadRows(IKvlDataProvider* provider) {
    if (!provider)
        return com::E_POINTER;
    LONG columns = 0;
    LONG rows = 0;
    HRESULT result = provider->GetShape(&columns, &rows);
    if (com::FAILED(result))
        return result;
    if (columns < 0 || rows < 0 || columns > kMaxColumns)
        return com::E_INVALIDARG;
    std::vector<LONG> valueColumns;
    LONG xColumn = -1;
    LONG legendColumn = -1;
    for (LONG c = 0; c < columns; ++c) {
        SHORT kind = kColumnValue;
        get_ColumnKind(static_cast<SHORT>(c), &kind);
        if (kind == kColumnValue)
            valueColumns.push_back(c);
        else if (kind == kColumnXValue && xColumn < 0)
            xColumn = c;
        else if (kind == kColumnLegend && legendColumn < 0)
            legendColumn = c;
    }
    // Everything is read before the chart changes, so a failing row leaves the old data in place.
    const auto seriesCount = static_cast<LONG>(valueColumns.size());
    KvlValueBlock block(seriesCount, rows);
    std::vector<double> xValues(static_cast<std::size_t>(rows), 0.0);
    std::vector<std::string> legends(static_cast<std::size_t>(rows));
    for (LONG r = 0; r < rows; ++r) {
        com::Variant cell;
        for (LONG s = 0; s < seriesCount; ++s) {
            result = provider->GetCell(r, valueColumns[static_cast<std::size_t>(s)], &cell);
            if (com::FAILED(result))
                return result;
            block.at(s, r) = cellValue(cell);
        }
        if (xColumn >= 0) {
            result = provider->GetCell(r, xColumn, &cell);
            if (com::FAILED(result))
                return result;
            xValues[static_cast<std::size_t>(r)] = cellDate(cell);
        }
        if (legendColumn >= 0) {
            result = provider->GetCell(r, legendColumn, &cell);
            if (com::FAILED(result))
                return result;
            legends[static_cast<std::size_t>(r)] = cellText(cell);
        }
    }
    model_.takeFromValues();
    model_.replaceValues(std::move(block));
    model_.setColouredCount(seriesCount);
    for (LONG r = 0; r < rows; ++r) {
        model_.setXValue(r, xValues[static_cast<std::size_t>(r)]);
        model_.setPointLegend(r, std::move(legends[static_cast<std::size_t>(r)]));
    }
    dataChanged();
    return com::S_OK;
}

// --- IKvlControlCore -----------------------------------------------------------------------------------

// Data kinds of OpenData: 1 both counts, 2 the point count, 3 the series count.
HRESULT KvlChart::OpenData(SHORT kind, LONG seriesCount, LONG pointCount, LONG* answer) {
    if (answer)
        *answer = 0;
    if (kind < 1 || kind > 3 || seriesCount < 0 || pointCount < 0)
        return com::E_INVALIDARG;
    const LONG series = kind == 2 ? model_.seriesCount() : seriesCount;
    const LONG points = kind == 3 ? model_.pointCount() : pointCount;
    model_.resize(series, points);
    openDataKind_ = kind;
    return put(answer, LONG{1});
}

HRESULT KvlChart::CloseData(SHORT kind, LONG* answer) {
    if (answer)
        *answer = 0;
    if (kind != openDataKind_)
        return com::E_INVALIDARG;
    openDataKind_ = -1;
    model_.autoScale();
    ++repaints_;
    return put(answer, LONG{1});
}

HRESULT KvlChart::GetValue(LONG series, LONG point, double* value) {
    return model_.value(1, series, point, value);
}
HRESULT KvlChart::SetValue(LONG series, LONG point, double value) {
    return model_.setValue(1, series, point, value);
}
HRESULT KvlChart::GetValue2(LONG series, LONG point, double* value) {
    return model_.value(2, series, point, value);
}
HRESULT KvlChart::SetValue2(LONG series, LONG point, double value) {
    return model_.setValue(2, series, point, value);
}
HRESULT KvlChart::GetValue3(LONG series, LONG point, double* value) {
    return model_.value(3, series, point, value);
}
HRESULT KvlChart::SetValue3(LONG series, LONG point, double value) {
    return model_.setValue(3, series, point, value);
}

HRESULT KvlChart::GetPointCount(LONG* count) {
    return put(count, model_.pointCount());
}

HRESULT KvlChart::SetPointCount(LONG count) {
    if (count < 0)
        return com::E_INVALIDARG;
    model_.resize(model_.seriesCount(), count);
    return com::S_OK;
}

HRESULT KvlChart::GetAxes(IKvlCollection** axes) {
    return handOut(com::makeComObject<detail::KvlCollection>(*this, detail::ListKind::Axes), axes);
}

HRESULT KvlChart::SetRects(KvlRect window, KvlRect client) {
    if (window.width() < 0 || window.height() < 0 || client.width() < 0 || client.height() < 0)
        return com::E_INVALIDARG;
    model_.setRects(window, client);
    return com::S_OK;
}

HRESULT KvlChart::SwitchStyle(LONG style) {
    model_.settings().switchedStyles ^= style;
    return com::S_OK;
}

HRESULT KvlChart::ExchangeSetting(LONG number, LONG value, LONG, LONG* previous) {
    LONG& setting = model_.settings().numbered[number];
    const LONG old = setting;
    setting = value;
    return put(previous, old);
}

HRESULT KvlChart::Repaint() {
    ++repaints_;
    return com::S_OK;
}

HRESULT KvlChart::GetConstantLines(IKvlCollection** lines) {
    return handOut(com::makeComObject<detail::KvlCollection>(*this, detail::ListKind::ConstantLines), lines);
}

HRESULT KvlChart::GetSeriesList(IKvlCollection** series) {
    return handOut(com::makeComObject<detail::KvlCollection>(*this, detail::ListKind::Series), series);
}

HRESULT KvlChart::SetStripe(SHORT index, LONG axis, LONG from, LONG to, LONG color, LONG* answer) {
    if (answer)
        *answer = 0;
    if (index < 0 || static_cast<std::size_t>(index) >= model_.stripes().size() || axis < 0 ||
        axis >= model_.axisCount())
        return com::E_INVALIDARG;
    model_.stripes()[static_cast<std::size_t>(index)] = KvlStripe{axis, from, to, color};
    return put(answer, LONG{1});
}

HRESULT KvlChart::GetStripe(SHORT index, LONG* axis, LONG* from, LONG* to, LONG* color) {
    if (!axis || !from || !to || !color)
        return com::E_POINTER;
    *axis = *from = *to = *color = 0;
    if (index < 0 || static_cast<std::size_t>(index) >= model_.stripes().size())
        return com::E_INVALIDARG;
    const KvlStripe& stripe = model_.stripes()[static_cast<std::size_t>(index)];
    *axis = stripe.axis;
    *from = stripe.from;
    *to = stripe.to;
    *color = stripe.color;
    return com::S_OK;
}

HRESULT KvlChart::GetFlagA(LONG* value) {
    return flag(value, model_.settings().flagA);
}
HRESULT KvlChart::SetFlagA(LONG value) {
    model_.settings().flagA = value;
    return com::S_OK;
}

HRESULT KvlChart::SetSelectedSeries(SHORT series) {
    if (series < -1 || series >= model_.seriesCount())
        return com::E_INVALIDARG;
    selectedSeries_ = series;
    return com::S_OK;
}

HRESULT KvlChart::SetFirstVisiblePoint(LONG point) {
    if (point < 0)
        return com::E_INVALIDARG;
    firstVisiblePoint_ = point;
    return com::S_OK;
}

HRESULT KvlChart::SetPointsPerPage(LONG points) {
    if (points < 0)
        return com::E_INVALIDARG;
    pointsPerPage_ = points;
    return com::S_OK;
}

HRESULT KvlChart::GetFlagB(LONG* value) {
    return flag(value, model_.settings().flagB);
}
HRESULT KvlChart::SetFlagB(LONG value) {
    model_.settings().flagB = value;
    return com::S_OK;
}

HRESULT KvlChart::GetSeriesColor(SHORT series, LONG* color) {
    return model_.attribute(series, kAttrColor, color);
}
HRESULT KvlChart::SetSeriesColor(SHORT series, LONG color) {
    return model_.setAttribute(series, kAttrColor, color);
}
HRESULT KvlChart::GetSeriesBkColor(SHORT series, LONG* color) {
    return model_.attribute(series, kAttrBkColor, color);
}
HRESULT KvlChart::SetSeriesBkColor(SHORT series, LONG color) {
    return model_.setAttribute(series, kAttrBkColor, color);
}

HRESULT KvlChart::GetValueA(LONG* value) {
    return flag(value, model_.settings().valueA);
}
HRESULT KvlChart::SetValueA(LONG value) {
    model_.settings().valueA = value;
    return com::S_OK;
}
HRESULT KvlChart::GetFlagC(LONG* value) {
    return flag(value, model_.settings().flagC);
}
HRESULT KvlChart::SetFlagC(LONG value) {
    model_.settings().flagC = value;
    return com::S_OK;
}
HRESULT KvlChart::GetValueB(LONG* value) {
    return flag(value, model_.settings().valueB);
}
HRESULT KvlChart::SetValueB(LONG value) {
    model_.settings().valueB = value;
    return com::S_OK;
}
HRESULT KvlChart::GetFlagD(LONG* value) {
    return flag(value, model_.settings().flagD);
}
HRESULT KvlChart::SetFlagD(LONG value) {
    model_.settings().flagD = value;
    return com::S_OK;
}

HRESULT KvlChart::GetTextFont(SHORT, gdi::HFONT* font) {
    // The chart keeps no font per kind of text: callers use the font object instead.
    return put(font, gdi::HFONT{});
}

HRESULT KvlChart::GetTextColor(SHORT kind, LONG* color) {
    const auto found = model_.textColors().find(kind);
    return put(color, found == model_.textColors().end() ? LONG{0} : found->second);
}

HRESULT KvlChart::AdviseCallback(IKvlExtensionCallback* callback, IKvlExtensionCallback** previous) {
    if (previous)
        *previous = nullptr;
    com::ComPtr<IKvlExtensionCallback> old =
        std::exchange(callback_, com::ComPtr<IKvlExtensionCallback>(callback));
    if (previous)
        *previous = old.detach();
    return com::S_OK;
}

HRESULT KvlChart::GetBackColor(LONG* color) {
    return put(color, model_.settings().backColor);
}
HRESULT KvlChart::SetBackColor(LONG color) {
    model_.settings().backColor = color;
    return com::S_OK;
}

HRESULT KvlChart::RegisterCommandObject(LONG id, com::IUnknown* object) {
    if (!object)
        return com::E_POINTER;
    commandObjects_[id] = com::ComPtr<com::IUnknown>(object);
    if (hostedListener_)
        hostedListener_();
    return com::S_OK;
}

HRESULT KvlChart::SetSetting(LONG number, LONG value) {
    model_.settings().numbered[number] = value;
    return com::S_OK;
}

HRESULT KvlChart::UnregisterCommandObject(LONG id) {
    if (!commandObjects_.erase(id))
        return com::S_FALSE;
    if (hostedListener_)
        hostedListener_();
    return com::S_OK;
}

HRESULT KvlChart::GetSelectedSeries(SHORT* series) {
    return put(series, selectedSeries_);
}

HRESULT KvlChart::GetFontObject(com::IUnknown** font) {
    if (!font)
        return com::E_POINTER;
    *font = nullptr;
    if (!font_) {
        com::FONTDESC desc;
        desc.name = com::Bstr(u"DejaVu Sans");
        desc.size = 8 * 10000;
        const HRESULT result = com::createFontIndirect(desc, com::IID_IUnknown, font_.putVoid());
        if (com::FAILED(result))
            return result;
    }
    *font = com::ComPtr<com::IUnknown>(font_).detach();
    return com::S_OK;
}

HRESULT KvlChart::SetLegendBox(LONG left, LONG top, LONG right, LONG bottom, LONG style, LONG color,
                               LONG visible) {
    model_.legendBox() = KvlLegendBox{left, top, right, bottom, style, color, visible};
    return com::S_OK;
}

HRESULT KvlChart::GetLegendBox(KvlLegendBox* box, SHORT* visible) {
    if (!box || !visible)
        return com::E_POINTER;
    *box = model_.legendBox();
    *visible = box->visible ? 1 : 0;
    return com::S_OK;
}

HRESULT KvlChart::GetSeriesCount(LONG* count) {
    return put(count, model_.seriesCount());
}

HRESULT KvlChart::GetAxisCount(SHORT* count) {
    return put(count, static_cast<SHORT>(model_.axisCount()));
}

HRESULT KvlChart::GetLeftMargin(SHORT* pixels) {
    return put(pixels, model_.margins()[0]);
}
HRESULT KvlChart::SetLeftMargin(SHORT pixels) {
    if (pixels < 0)
        return com::E_INVALIDARG;
    model_.margins()[0] = pixels;
    return com::S_OK;
}
HRESULT KvlChart::GetRightMargin(SHORT* pixels) {
    return put(pixels, model_.margins()[1]);
}
HRESULT KvlChart::SetRightMargin(SHORT pixels) {
    if (pixels < 0)
        return com::E_INVALIDARG;
    model_.margins()[1] = pixels;
    return com::S_OK;
}
HRESULT KvlChart::GetTopMargin(SHORT* pixels) {
    return put(pixels, model_.margins()[2]);
}
HRESULT KvlChart::SetTopMargin(SHORT pixels) {
    if (pixels < 0)
        return com::E_INVALIDARG;
    model_.margins()[2] = pixels;
    return com::S_OK;
}
HRESULT KvlChart::GetBottomMargin(SHORT* pixels) {
    return put(pixels, model_.margins()[3]);
}
HRESULT KvlChart::SetBottomMargin(SHORT pixels) {
    if (pixels < 0)
        return com::E_INVALIDARG;
    model_.margins()[3] = pixels;
    return com::S_OK;
}

HRESULT KvlChart::GetBorderStyle(SHORT* style) {
    return put(style, model_.settings().borderStyle);
}
HRESULT KvlChart::SetBorderStyle(SHORT style) {
    model_.settings().borderStyle = style;
    return com::S_OK;
}
HRESULT KvlChart::GetChartStyle(LONG* style) {
    return put(style, model_.settings().chartStyle);
}
HRESULT KvlChart::SetChartStyle(LONG style) {
    model_.settings().chartStyle = style;
    return com::S_OK;
}
HRESULT KvlChart::GetStyleWord(LONG* word) {
    return put(word, model_.settings().styleWord);
}
HRESULT KvlChart::SetStyleWord(LONG word) {
    model_.settings().styleWord = word;
    return com::S_OK;
}
HRESULT KvlChart::GetChartFlags(LONG* flags) {
    return put(flags, model_.settings().chartFlags);
}
HRESULT KvlChart::SetChartFlags(LONG flags) {
    model_.settings().chartFlags = flags;
    return com::S_OK;
}
HRESULT KvlChart::GetMouseCapture(LONG* on) {
    return put(on, mouseCapture_);
}
HRESULT KvlChart::SetMouseCapture(LONG on) {
    mouseCapture_ = on ? 1 : 0;
    if (window_.isValid()) {
        if (on)
            window_.setCapture();
        else if (ui::WindowHandle::capture() == window_)
            ui::WindowHandle::releaseCapture();
    }
    return com::S_OK;
}

HRESULT KvlChart::GetChartRect(SHORT kind, KvlRect, KvlRect* out) {
    if (!out)
        return com::E_POINTER;
    *out = KvlRect{};
    const std::optional<KvlRect> found = model_.rect(kind);
    if (!found)
        return com::E_INVALIDARG;
    *out = *found;
    return com::S_OK;
}

HRESULT KvlChart::HitTest(LONG x, LONG y, LONG* series, LONG* point, SHORT* code) {
    if (!series || !point || !code)
        return com::E_POINTER;
    lastHit_ = model_.hitTest(x, y);
    *series = lastHit_.series;
    *point = lastHit_.point;
    *code = lastHit_.code;
    return com::S_OK;
}

HRESULT KvlChart::GetZoomMode(LONG* on) {
    return put(on, LONG{model_.zoomMode() ? 1 : 0});
}
HRESULT KvlChart::SetZoomMode(LONG on) {
    model_.setZoomMode(on != 0);
    // Leaving the zoom mode shows the whole chart again, as the Zoom command and the Zoom property do:
    // a chart type switched in with this call must not inherit the range zoomed over another
    // chart type's points.
    if (!on)
        showWholeChart();
    return com::S_OK;
}

void KvlChart::showWholeChart() {
    if (!model_.zoomed())
        return;
    const auto before = model_.visibleRange(kXAxis);
    model_.resetZoom();
    model_.autoScale();
    // The extensions hear of the X range shown again.
    if (model_.visibleRange(kXAxis) != before)
        scrolled();
    syncCommandStates();
}

HRESULT KvlChart::ZoomTo(double firstPosition, double low, double lastPosition, double high) {
    const auto before = model_.visibleRange(kXAxis);
    const HRESULT result = model_.zoomTo(firstPosition, low, lastPosition, high);
    if (com::FAILED(result))
        return result;
    ++repaints_;
    if (model_.visibleRange(kXAxis) != before)
        scrolled();
    syncCommandStates();
    return result;
}

HRESULT KvlChart::RefreshData(LONG) {
    model_.autoScale();
    ++dataRefreshes_;
    ++repaints_;
    return com::S_OK;
}

HRESULT KvlChart::RunCommand(SHORT id, LONG value, LONG* result) {
    if (result)
        *result = 0;
    if (id == kCommandSeriesProperties)
        return showSeriesDialog(value, result);
    if (id != kCommandRelayout)
        return com::E_INVALIDARG;
    model_.autoScale();
    ++repaints_;
    return com::S_OK;
}

HRESULT KvlChart::showSeriesDialog(LONG series, LONG* changed) {
    const KvlSeriesState* state = model_.series(series);
    if (!state)
        return com::E_INVALIDARG;
    KvlSeriesLook look;
    look.gallery = state->attributes[kAttrGallery];
    look.color = state->attributes[kAttrColor];
    look.lineWidth = state->attributes[kAttrLineWidth];
    look.lineStyle = state->attributes[kAttrLineStyle];
    look.legend = state->legend;
    const KvlSeriesDialogRunner& run =
        seriesDialog_ ? seriesDialog_ : KvlSeriesDialogRunner(&RunSeriesDialog);
    if (!run(window_.widget(), look))
        return com::S_OK;
    model_.setAttribute(series, kAttrGallery, look.gallery);
    model_.setAttribute(series, kAttrColor, look.color);
    model_.setAttribute(series, kAttrLineWidth, look.lineWidth);
    model_.setAttribute(series, kAttrLineStyle, look.lineStyle);
    model_.series(series)->legend = look.legend;
    if (changed)
        *changed = 1;
    ++repaints_;
    InvalidateRect(nullptr);
    return com::S_OK;
}

HRESULT KvlChart::GetOptions(LONG* options) {
    return put(options, model_.settings().options);
}
HRESULT KvlChart::SetOptions(LONG options) {
    model_.settings().options = options;
    return com::S_OK;
}

HRESULT KvlChart::GetIndexedValue(LONG index, double* value) {
    if (!value)
        return com::E_POINTER;
    *value = 0;
    if (index != 0)
        return com::E_INVALIDARG;
    *value = model_.settings().indexedValue;
    return com::S_OK;
}

HRESULT KvlChart::SetIndexedValue(LONG index, double value) {
    if (index != 0 || !std::isfinite(value))
        return com::E_INVALIDARG;
    model_.settings().indexedValue = value;
    return com::S_OK;
}

HRESULT KvlChart::UpdateZoom() {
    ++repaints_;
    return com::S_OK;
}

HRESULT KvlChart::GetChartColor(LONG* color) {
    return put(color, model_.settings().chartColor);
}
HRESULT KvlChart::SetChartColor(LONG color) {
    model_.settings().chartColor = color;
    return com::S_OK;
}

// --- IConnectionPointContainer -------------------------------------------------------------------------

HRESULT KvlChart::FindConnectionPoint(const com::IID& iid, com::IConnectionPoint** point) {
    return points_.find(iid, point);
}

// --- IOstToolbarHost ------------------------------------------------------------------------------------

HRESULT KvlChart::AddCommandBar(ostbar::IOstCommandBar* bar, LONG position, LONG) {
    if (!bar)
        return com::E_POINTER;
    com::ComPtr<ostbar::IOstCommandBar> held(bar);
    std::erase(hostedBars_, held);
    const auto size = static_cast<LONG>(hostedBars_.size());
    const LONG at = position < 0 || position > size ? size : position;
    hostedBars_.insert(hostedBars_.begin() + at, std::move(held));
    if (hostedListener_)
        hostedListener_();
    return com::S_OK;
}

HRESULT KvlChart::RemoveCommandBar(ostbar::IOstCommandBar* bar) {
    com::ComPtr<ostbar::IOstCommandBar> held(bar);
    if (!std::erase(hostedBars_, held))
        return com::S_FALSE;
    if (hostedListener_)
        hostedListener_();
    return com::S_OK;
}

}  // namespace korvel
