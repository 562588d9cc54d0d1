#include "host/CHostChartAdapterCommon.h"

#include "gdi/SystemColors.h"

namespace dravik {

namespace {

template <typename T, typename I>
com::ComPtr<T> item(korvel::IKvlCollection* list, SHORT index) {
    com::ComPtr<T> result;
    if (!list)
        return result;
    com::ComPtr<com::IUnknown> unknown;
    if (com::SUCCEEDED(list->Item(index, unknown.put())) && unknown)
        result = unknown.as<T>();
    return result;
}

template <typename T>
com::ComPtr<T> listItem(korvel::IKvlControlCore* control,
                        HRESULT (korvel::IKvlControlCore::*list)(korvel::IKvlCollection**), SHORT index) {
    com::ComPtr<korvel::IKvlCollection> collection;
    if (com::FAILED((control->*list)(collection.put())))
        return {};
    return item<T, korvel::IKvlCollection>(collection.get(), index);
}

// A value that the control answers through an out argument; 0 when it fails.
template <typename T, typename Call>
T answer(Call call) {
    T value{};
    if (com::FAILED(call(&value)))
        return T{};
    return value;
}

constexpr LONG kStyleFlag = 0x2000;

}  // namespace

com::ComPtr<korvel::IKvlAxis> CHostChartAdapterCommon::axisItem(SHORT axis) const {
    return listItem<korvel::IKvlAxis>(control_, &korvel::IKvlControlCore::GetAxes, axis);
}

com::ULONG CHostChartAdapterCommon::Release() {
    return control_->Release();
}

LONG CHostChartAdapterCommon::MapColor(LONG color) {
    if (color < 0)
        return static_cast<LONG>(gdi::getSysColor(color & 0xFFFF));
    return color;
}

LONG CHostChartAdapterCommon::BeginDataChange(SHORT kind, LONG seriesCount, LONG pointCount) {
    return answer<LONG>([&](LONG* out) { return control_->OpenData(kind, seriesCount, pointCount, out); });
}

LONG CHostChartAdapterCommon::EndDataChange(SHORT kind) {
    return answer<LONG>([&](LONG* out) { return control_->CloseData(kind, out); });
}

HRESULT CHostChartAdapterCommon::GetValue(LONG series, LONG point, double* value) {
    return control_->GetValue(series, point, value);
}
HRESULT CHostChartAdapterCommon::SetValue(LONG series, LONG point, double value) {
    return control_->SetValue(series, point, value);
}
HRESULT CHostChartAdapterCommon::GetValue2(LONG series, LONG point, double* value) {
    return control_->GetValue2(series, point, value);
}
HRESULT CHostChartAdapterCommon::SetValue2(LONG series, LONG point, double value) {
    return control_->SetValue2(series, point, value);
}
HRESULT CHostChartAdapterCommon::GetValue3(LONG series, LONG point, double* value) {
    return control_->GetValue3(series, point, value);
}
HRESULT CHostChartAdapterCommon::SetValue3(LONG series, LONG point, double value) {
    return control_->SetValue3(series, point, value);
}
HRESULT CHostChartAdapterCommon::GetPointCount(LONG* count) {
    return control_->GetPointCount(count);
}
HRESULT CHostChartAdapterCommon::SetPointCount(LONG count) {
    return control_->SetPointCount(count);
}

double CHostChartAdapterCommon::GetAxisValue(SHORT axis, LONG code) {
    const auto item = axisItem(axis);
    if (!item)
        return 0;
    return answer<double>([&](double* out) { return item->GetValue(code, out); });
}

HRESULT CHostChartAdapterCommon::SetAxisValue(SHORT axis, LONG code, double value) {
    const auto item = axisItem(axis);
    return item ? item->SetValue(code, value) : com::E_INVALIDARG;
}

HRESULT CHostChartAdapterCommon::GetAxisFormat(SHORT axis, com::Variant* format) {
    const auto item = axisItem(axis);
    return item ? item->GetFormat(format) : com::E_INVALIDARG;
}

HRESULT CHostChartAdapterCommon::SetAxisFormat(SHORT axis, com::Variant format) {
    const auto item = axisItem(axis);
    return item ? item->SetFormat(format) : com::E_INVALIDARG;
}

HRESULT CHostChartAdapterCommon::SetRects(KvlRect window, KvlRect client) {
    return control_->SetRects(window, client);
}
HRESULT CHostChartAdapterCommon::SwitchChartStyle(LONG style) {
    return control_->SwitchStyle(style);
}
LONG CHostChartAdapterCommon::ExchangeChartSetting(LONG number, LONG value, LONG third) {
    return answer<LONG>([&](LONG* out) { return control_->ExchangeSetting(number, value, third, out); });
}
HRESULT CHostChartAdapterCommon::Repaint() {
    return control_->Repaint();
}

HRESULT CHostChartAdapterCommon::GetConstantLine(SHORT index, SHORT* axis, double* value, double* width,
                                                 LONG* color) {
    const auto item =
        listItem<korvel::IKvlConstantLine>(control_, &korvel::IKvlControlCore::GetConstantLines, index);
    return item ? item->Get(axis, value, width, color) : com::E_INVALIDARG;
}

HRESULT CHostChartAdapterCommon::SetConstantLine(SHORT index, SHORT axis, double value, double width,
                                                 LONG color) {
    const auto item =
        listItem<korvel::IKvlConstantLine>(control_, &korvel::IKvlControlCore::GetConstantLines, index);
    return item ? item->Put(axis, value, width, color) : com::E_INVALIDARG;
}

LONG CHostChartAdapterCommon::GetSeriesAttribute(SHORT series, LONG code) {
    const auto item = listItem<korvel::IKvlSeries>(control_, &korvel::IKvlControlCore::GetSeriesList, series);
    if (!item)
        return 0;
    return answer<LONG>([&](LONG* out) { return item->GetAttribute(code, out); });
}

HRESULT CHostChartAdapterCommon::SetSeriesAttribute(SHORT series, LONG code, LONG value) {
    const auto item = listItem<korvel::IKvlSeries>(control_, &korvel::IKvlControlCore::GetSeriesList, series);
    return item ? item->SetAttribute(code, value) : com::E_INVALIDARG;
}

LONG CHostChartAdapterCommon::SetStripe(SHORT index, LONG axis, LONG from, LONG to, LONG color) {
    return answer<LONG>([&](LONG* out) { return control_->SetStripe(index, axis, from, to, color, out); });
}
LONG CHostChartAdapterCommon::GetStripe(SHORT index, LONG* axis, LONG* from, LONG* to, LONG* color) {
    return control_->GetStripe(index, axis, from, to, color);
}

LONG CHostChartAdapterCommon::GetChartFlagA() {
    return answer<LONG>([&](LONG* out) { return control_->GetFlagA(out); });
}
HRESULT CHostChartAdapterCommon::SetChartFlagA(LONG value) {
    return control_->SetFlagA(value);
}
HRESULT CHostChartAdapterCommon::SetSelectedSeries(SHORT series) {
    return control_->SetSelectedSeries(series);
}
HRESULT CHostChartAdapterCommon::SetFirstVisiblePoint(LONG point) {
    return control_->SetFirstVisiblePoint(point);
}
HRESULT CHostChartAdapterCommon::SetPointsPerPage(LONG points) {
    return control_->SetPointsPerPage(points);
}
LONG CHostChartAdapterCommon::GetChartFlagB() {
    return answer<LONG>([&](LONG* out) { return control_->GetFlagB(out); });
}
HRESULT CHostChartAdapterCommon::SetChartFlagB(LONG value) {
    return control_->SetFlagB(value);
}
LONG CHostChartAdapterCommon::GetSeriesColor(SHORT series) {
    return answer<LONG>([&](LONG* out) { return control_->GetSeriesColor(series, out); });
}
HRESULT CHostChartAdapterCommon::SetSeriesColor(SHORT series, LONG color) {
    return control_->SetSeriesColor(series, color);
}
LONG CHostChartAdapterCommon::GetSeriesBkColor(SHORT series) {
    return answer<LONG>([&](LONG* out) { return control_->GetSeriesBkColor(series, out); });
}
HRESULT CHostChartAdapterCommon::SetSeriesBkColor(SHORT series, LONG color) {
    return control_->SetSeriesBkColor(series, color);
}
LONG CHostChartAdapterCommon::GetChartValueA() {
    return answer<LONG>([&](LONG* out) { return control_->GetValueA(out); });
}
HRESULT CHostChartAdapterCommon::SetChartValueA(LONG value) {
    return control_->SetValueA(value);
}
LONG CHostChartAdapterCommon::GetChartFlagC() {
    return answer<LONG>([&](LONG* out) { return control_->GetFlagC(out); });
}
HRESULT CHostChartAdapterCommon::SetChartFlagC(LONG value) {
    return control_->SetFlagC(value);
}
LONG CHostChartAdapterCommon::GetChartValueB() {
    return answer<LONG>([&](LONG* out) { return control_->GetValueB(out); });
}
HRESULT CHostChartAdapterCommon::SetChartValueB(LONG value) {
    return control_->SetValueB(value);
}
LONG CHostChartAdapterCommon::GetChartFlagD() {
    return answer<LONG>([&](LONG* out) { return control_->GetFlagD(out); });
}
HRESULT CHostChartAdapterCommon::SetChartFlagD(LONG value) {
    return control_->SetFlagD(value);
}

gdi::HFONT CHostChartAdapterCommon::GetTextFont(SHORT kind) {
    return answer<gdi::HFONT>([&](gdi::HFONT* out) { return control_->GetTextFont(kind, out); });
}
LONG CHostChartAdapterCommon::GetTextColor(SHORT kind) {
    return answer<LONG>([&](LONG* out) { return control_->GetTextColor(kind, out); });
}
HRESULT CHostChartAdapterCommon::AdviseCallback(IKvlExtensionCallback* callback,
                                                IKvlExtensionCallback** previous) {
    return control_->AdviseCallback(callback, previous);
}
LONG CHostChartAdapterCommon::GetBackColor() {
    return answer<LONG>([&](LONG* out) { return control_->GetBackColor(out); });
}
HRESULT CHostChartAdapterCommon::SetBackColor(LONG color) {
    return control_->SetBackColor(color);
}
HRESULT CHostChartAdapterCommon::RegisterCommandObject(LONG id, com::IUnknown* object) {
    return control_->RegisterCommandObject(id, object);
}
HRESULT CHostChartAdapterCommon::SetSetting(LONG number, LONG value) {
    return control_->SetSetting(number, value);
}
HRESULT CHostChartAdapterCommon::UnregisterCommandObject(LONG id) {
    return control_->UnregisterCommandObject(id);
}
SHORT CHostChartAdapterCommon::GetSelectedSeries() {
    return answer<SHORT>([&](SHORT* out) { return control_->GetSelectedSeries(out); });
}

com::ComPtr<com::IUnknown> CHostChartAdapterCommon::GetFontObject() {
    com::ComPtr<com::IUnknown> font;
    if (com::FAILED(control_->GetFontObject(font.put())))
        font.reset();
    return font;
}

HRESULT CHostChartAdapterCommon::SetLegendBox(LONG left, LONG top, LONG right, LONG bottom, LONG style,
                                              LONG color, LONG visible) {
    return control_->SetLegendBox(left, top, right, bottom, style, color, visible);
}
SHORT CHostChartAdapterCommon::GetLegendBox(KvlLegendBox* box) {
    return answer<SHORT>([&](SHORT* out) { return control_->GetLegendBox(box, out); });
}
LONG CHostChartAdapterCommon::GetSeriesCount() {
    return answer<LONG>([&](LONG* out) { return control_->GetSeriesCount(out); });
}
SHORT CHostChartAdapterCommon::GetAxisCount() {
    return answer<SHORT>([&](SHORT* out) { return control_->GetAxisCount(out); });
}
SHORT CHostChartAdapterCommon::GetLeftMargin() {
    return answer<SHORT>([&](SHORT* out) { return control_->GetLeftMargin(out); });
}
HRESULT CHostChartAdapterCommon::SetLeftMargin(SHORT pixels) {
    return control_->SetLeftMargin(pixels);
}
SHORT CHostChartAdapterCommon::GetRightMargin() {
    return answer<SHORT>([&](SHORT* out) { return control_->GetRightMargin(out); });
}
HRESULT CHostChartAdapterCommon::SetRightMargin(SHORT pixels) {
    return control_->SetRightMargin(pixels);
}
SHORT CHostChartAdapterCommon::GetTopMargin() {
    return answer<SHORT>([&](SHORT* out) { return control_->GetTopMargin(out); });
}
HRESULT CHostChartAdapterCommon::SetTopMargin(SHORT pixels) {
    return control_->SetTopMargin(pixels);
}
SHORT CHostChartAdapterCommon::GetBottomMargin() {
    return answer<SHORT>([&](SHORT* out) { return control_->GetBottomMargin(out); });
}
HRESULT CHostChartAdapterCommon::SetBottomMargin(SHORT pixels) {
    return control_->SetBottomMargin(pixels);
}
SHORT CHostChartAdapterCommon::GetBorderStyle() {
    return answer<SHORT>([&](SHORT* out) { return control_->GetBorderStyle(out); });
}
HRESULT CHostChartAdapterCommon::SetBorderStyle(SHORT style) {
    return control_->SetBorderStyle(style);
}
LONG CHostChartAdapterCommon::GetChartStyle() {
    return answer<LONG>([&](LONG* out) { return control_->GetChartStyle(out); });
}
HRESULT CHostChartAdapterCommon::SetChartStyle(LONG style) {
    return control_->SetChartStyle(style);
}
LONG CHostChartAdapterCommon::GetStyleWord() {
    return answer<LONG>([&](LONG* out) { return control_->GetStyleWord(out); });
}
HRESULT CHostChartAdapterCommon::SetStyleWord(LONG word) {
    return control_->SetStyleWord(word);
}
LONG CHostChartAdapterCommon::GetChartFlags() {
    return answer<LONG>([&](LONG* out) { return control_->GetChartFlags(out); });
}
HRESULT CHostChartAdapterCommon::SetChartFlags(LONG flags) {
    return control_->SetChartFlags(flags);
}
LONG CHostChartAdapterCommon::GetMouseCapture() {
    return answer<LONG>([&](LONG* out) { return control_->GetMouseCapture(out); });
}
HRESULT CHostChartAdapterCommon::SetMouseCapture(LONG on) {
    return control_->SetMouseCapture(on);
}
HRESULT CHostChartAdapterCommon::GetChartRect(SHORT kind, KvlRect rect, KvlRect* out) {
    return control_->GetChartRect(kind, rect, out);
}

SHORT CHostChartAdapterCommon::HitTest(LONG x, LONG y, LONG* series, LONG* point) {
    LONG ignoredSeries = 0;
    LONG ignoredPoint = 0;
    return answer<SHORT>([&](SHORT* code) {
        return control_->HitTest(x, y, series ? series : &ignoredSeries, point ? point : &ignoredPoint, code);
    });
}

HRESULT CHostChartAdapterCommon::ValueToPixel(double position, double value, LONG* x, LONG* y, SHORT axis) {
    return control_->ValueToPixel(position, value, x, y, axis);
}
HRESULT CHostChartAdapterCommon::PixelToValue(LONG x, LONG y, double* position, double* value, SHORT axis) {
    return control_->PixelToValue(x, y, position, value, axis);
}
LONG CHostChartAdapterCommon::GetZoomMode() {
    return answer<LONG>([&](LONG* out) { return control_->GetZoomMode(out); });
}
HRESULT CHostChartAdapterCommon::SetZoomMode(LONG on) {
    return control_->SetZoomMode(on);
}
HRESULT CHostChartAdapterCommon::ZoomTo(double firstPosition, double low, double lastPosition, double high) {
    return control_->ZoomTo(firstPosition, low, lastPosition, high);
}

LONG CHostChartAdapterCommon::IsStyleFlagSet() {
    return (GetStyleWord() & kStyleFlag) != 0 ? 1 : 0;
}

HRESULT CHostChartAdapterCommon::SetStyleFlag(LONG on) {
    const LONG word = GetStyleWord();
    return SetStyleWord(on ? (word | kStyleFlag) : (word & ~kStyleFlag));
}

HRESULT CHostChartAdapterCommon::RefreshData(LONG flag) {
    return control_->RefreshData(flag);
}

LONG CHostChartAdapterCommon::RunChartCommand(SHORT id, LONG value) {
    LONG result = 0;
    if (com::FAILED(control_->RunCommand(id, value, &result)))
        return -1;
    return result;
}

HRESULT CHostChartAdapterCommon::GetVisibleRange(SHORT axis, double* first, double* last) {
    const auto item = axisItem(axis);
    return item ? item->GetVisibleRange(first, last) : com::E_INVALIDARG;
}
HRESULT CHostChartAdapterCommon::SetVisibleRange(SHORT axis, double first, double last) {
    const auto item = axisItem(axis);
    return item ? item->SetVisibleRange(first, last) : com::E_INVALIDARG;
}
LONG CHostChartAdapterCommon::GetChartOptions() {
    return answer<LONG>([&](LONG* out) { return control_->GetOptions(out); });
}
HRESULT CHostChartAdapterCommon::SetChartOptions(LONG options) {
    return control_->SetOptions(options);
}
double CHostChartAdapterCommon::GetIndexedValue(LONG index) {
    return answer<double>([&](double* out) { return control_->GetIndexedValue(index, out); });
}
HRESULT CHostChartAdapterCommon::SetIndexedValue(LONG index, double value) {
    return control_->SetIndexedValue(index, value);
}
HRESULT CHostChartAdapterCommon::ResetAxis(SHORT axis) {
    const auto item = axisItem(axis);
    return item ? item->ResetScale() : com::E_INVALIDARG;
}
HRESULT CHostChartAdapterCommon::UpdateZoom() {
    return control_->UpdateZoom();
}
LONG CHostChartAdapterCommon::GetChartColor() {
    return answer<LONG>([&](LONG* out) { return control_->GetChartColor(out); });
}
HRESULT CHostChartAdapterCommon::SetChartColor(LONG color) {
    return control_->SetChartColor(color);
}

}  // namespace dravik
