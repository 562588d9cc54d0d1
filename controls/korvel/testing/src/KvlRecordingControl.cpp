#include "korvel/testing/KvlRecordingControl.h"

namespace korvel::testing {

KvlRecordingControl::KvlRecordingControl(com::ComPtr<KvlChart> inner, Forms forms)
    : inner_(std::move(inner)), forms_(forms) {}

HRESULT KvlRecordingControl::QueryInterface(const com::IID& iid, void** object) {
    if (object &&
        ((!forms_.plain && iid == IKvlControlA::iid) || (!forms_.dual && iid == IKvlControlW::iid))) {
        *object = nullptr;
        return com::E_NOINTERFACE;
    }
    return ComObject::QueryInterface(iid, object);
}

HRESULT KvlRecordingControl::OpenData(SHORT kind, LONG seriesCount, LONG pointCount, LONG* answer) {
    calls_.push_back("OpenData");
    return inner_->OpenData(kind, seriesCount, pointCount, answer);
}

HRESULT KvlRecordingControl::CloseData(SHORT kind, LONG* answer) {
    calls_.push_back("CloseData");
    return inner_->CloseData(kind, answer);
}

HRESULT KvlRecordingControl::GetValue(LONG series, LONG point, double* value) {
    calls_.push_back("GetValue");
    return inner_->GetValue(series, point, value);
}

HRESULT KvlRecordingControl::SetValue(LONG series, LONG point, double value) {
    calls_.push_back("SetValue");
    return inner_->SetValue(series, point, value);
}

HRESULT KvlRecordingControl::GetValue2(LONG series, LONG point, double* value) {
    calls_.push_back("GetValue2");
    return inner_->GetValue2(series, point, value);
}

HRESULT KvlRecordingControl::SetValue2(LONG series, LONG point, double value) {
    calls_.push_back("SetValue2");
    return inner_->SetValue2(series, point, value);
}

HRESULT KvlRecordingControl::GetValue3(LONG series, LONG point, double* value) {
    calls_.push_back("GetValue3");
    return inner_->GetValue3(series, point, value);
}

HRESULT KvlRecordingControl::SetValue3(LONG series, LONG point, double value) {
    calls_.push_back("SetValue3");
    return inner_->SetValue3(series, point, value);
}

HRESULT KvlRecordingControl::GetPointCount(LONG* count) {
    calls_.push_back("GetPointCount");
    return inner_->GetPointCount(count);
}

HRESULT KvlRecordingControl::SetPointCount(LONG count) {
    calls_.push_back("SetPointCount");
    return inner_->SetPointCount(count);
}

HRESULT KvlRecordingControl::GetAxes(IKvlCollection** axes) {
    calls_.push_back("GetAxes");
    return inner_->GetAxes(axes);
}

HRESULT KvlRecordingControl::SetRects(KvlRect window, KvlRect client) {
    calls_.push_back("SetRects");
    return inner_->SetRects(window, client);
}

HRESULT KvlRecordingControl::SwitchStyle(LONG style) {
    calls_.push_back("SwitchStyle");
    return inner_->SwitchStyle(style);
}

HRESULT KvlRecordingControl::ExchangeSetting(LONG number, LONG value, LONG third, LONG* previous) {
    calls_.push_back("ExchangeSetting");
    return inner_->ExchangeSetting(number, value, third, previous);
}

HRESULT KvlRecordingControl::Repaint() {
    calls_.push_back("Repaint");
    return inner_->Repaint();
}

HRESULT KvlRecordingControl::GetConstantLines(IKvlCollection** lines) {
    calls_.push_back("GetConstantLines");
    return inner_->GetConstantLines(lines);
}

HRESULT KvlRecordingControl::GetSeriesList(IKvlCollection** series) {
    calls_.push_back("GetSeriesList");
    return inner_->GetSeriesList(series);
}

HRESULT KvlRecordingControl::SetStripe(SHORT index, LONG axis, LONG from, LONG to, LONG color, LONG* answer) {
    calls_.push_back("SetStripe");
    return inner_->SetStripe(index, axis, from, to, color, answer);
}

HRESULT KvlRecordingControl::GetStripe(SHORT index, LONG* axis, LONG* from, LONG* to, LONG* color) {
    calls_.push_back("GetStripe");
    return inner_->GetStripe(index, axis, from, to, color);
}

HRESULT KvlRecordingControl::GetFlagA(LONG* value) {
    calls_.push_back("GetFlagA");
    return inner_->GetFlagA(value);
}

HRESULT KvlRecordingControl::SetFlagA(LONG value) {
    calls_.push_back("SetFlagA");
    return inner_->SetFlagA(value);
}

HRESULT KvlRecordingControl::SetSelectedSeries(SHORT series) {
    calls_.push_back("SetSelectedSeries");
    return inner_->SetSelectedSeries(series);
}

HRESULT KvlRecordingControl::SetFirstVisiblePoint(LONG point) {
    calls_.push_back("SetFirstVisiblePoint");
    return inner_->SetFirstVisiblePoint(point);
}

HRESULT KvlRecordingControl::SetPointsPerPage(LONG points) {
    calls_.push_back("SetPointsPerPage");
    return inner_->SetPointsPerPage(points);
}

HRESULT KvlRecordingControl::GetFlagB(LONG* value) {
    calls_.push_back("GetFlagB");
    return inner_->GetFlagB(value);
}

HRESULT KvlRecordingControl::SetFlagB(LONG value) {
    calls_.push_back("SetFlagB");
    return inner_->SetFlagB(value);
}

HRESULT KvlRecordingControl::GetSeriesColor(SHORT series, LONG* color) {
    calls_.push_back("GetSeriesColor");
    return inner_->GetSeriesColor(series, color);
}

HRESULT KvlRecordingControl::SetSeriesColor(SHORT series, LONG color) {
    calls_.push_back("SetSeriesColor");
    return inner_->SetSeriesColor(series, color);
}

HRESULT KvlRecordingControl::GetSeriesBkColor(SHORT series, LONG* color) {
    calls_.push_back("GetSeriesBkColor");
    return inner_->GetSeriesBkColor(series, color);
}

HRESULT KvlRecordingControl::SetSeriesBkColor(SHORT series, LONG color) {
    calls_.push_back("SetSeriesBkColor");
    return inner_->SetSeriesBkColor(series, color);
}

HRESULT KvlRecordingControl::GetValueA(LONG* value) {
    calls_.push_back("GetValueA");
    return inner_->GetValueA(value);
}

HRESULT KvlRecordingControl::SetValueA(LONG value) {
    calls_.push_back("SetValueA");
    return inner_->SetValueA(value);
}

HRESULT KvlRecordingControl::GetFlagC(LONG* value) {
    calls_.push_back("GetFlagC");
    return inner_->GetFlagC(value);
}

HRESULT KvlRecordingControl::SetFlagC(LONG value) {
    calls_.push_back("SetFlagC");
    return inner_->SetFlagC(value);
}

HRESULT KvlRecordingControl::GetValueB(LONG* value) {
    calls_.push_back("GetValueB");
    return inner_->GetValueB(value);
}

HRESULT KvlRecordingControl::SetValueB(LONG value) {
    calls_.push_back("SetValueB");
    return inner_->SetValueB(value);
}

HRESULT KvlRecordingControl::GetFlagD(LONG* value) {
    calls_.push_back("GetFlagD");
    return inner_->GetFlagD(value);
}

HRESULT KvlRecordingControl::SetFlagD(LONG value) {
    calls_.push_back("SetFlagD");
    return inner_->SetFlagD(value);
}

HRESULT KvlRecordingControl::GetTextFont(SHORT kind, gdi::HFONT* font) {
    calls_.push_back("GetTextFont");
    return inner_->GetTextFont(kind, font);
}

HRESULT KvlRecordingControl::GetTextColor(SHORT kind, LONG* color) {
    calls_.push_back("GetTextColor");
    return inner_->GetTextColor(kind, color);
}

HRESULT KvlRecordingControl::AdviseCallback(IKvlExtensionCallback* callback,
                                            IKvlExtensionCallback** previous) {
    calls_.push_back("AdviseCallback");
    return inner_->AdviseCallback(callback, previous);
}

HRESULT KvlRecordingControl::GetBackColor(LONG* color) {
    calls_.push_back("GetBackColor");
    return inner_->GetBackColor(color);
}

HRESULT KvlRecordingControl::SetBackColor(LONG color) {
    calls_.push_back("SetBackColor");
    return inner_->SetBackColor(color);
}

HRESULT KvlRecordingControl::RegisterCommandObject(LONG id, com::IUnknown* object) {
    calls_.push_back("RegisterCommandObject");
    return inner_->RegisterCommandObject(id, object);
}

HRESULT KvlRecordingControl::SetSetting(LONG number, LONG value) {
    calls_.push_back("SetSetting");
    return inner_->SetSetting(number, value);
}

HRESULT KvlRecordingControl::UnregisterCommandObject(LONG id) {
    calls_.push_back("UnregisterCommandObject");
    return inner_->UnregisterCommandObject(id);
}

HRESULT KvlRecordingControl::GetSelectedSeries(SHORT* series) {
    calls_.push_back("GetSelectedSeries");
    return inner_->GetSelectedSeries(series);
}

HRESULT KvlRecordingControl::GetFontObject(com::IUnknown** font) {
    calls_.push_back("GetFontObject");
    return inner_->GetFontObject(font);
}

HRESULT KvlRecordingControl::SetLegendBox(LONG left, LONG top, LONG right, LONG bottom, LONG style,
                                          LONG color, LONG visible) {
    calls_.push_back("SetLegendBox");
    return inner_->SetLegendBox(left, top, right, bottom, style, color, visible);
}

HRESULT KvlRecordingControl::GetLegendBox(KvlLegendBox* box, SHORT* visible) {
    calls_.push_back("GetLegendBox");
    return inner_->GetLegendBox(box, visible);
}

HRESULT KvlRecordingControl::GetSeriesCount(LONG* count) {
    calls_.push_back("GetSeriesCount");
    return inner_->GetSeriesCount(count);
}

HRESULT KvlRecordingControl::GetAxisCount(SHORT* count) {
    calls_.push_back("GetAxisCount");
    return inner_->GetAxisCount(count);
}

HRESULT KvlRecordingControl::GetLeftMargin(SHORT* pixels) {
    calls_.push_back("GetLeftMargin");
    return inner_->GetLeftMargin(pixels);
}

HRESULT KvlRecordingControl::SetLeftMargin(SHORT pixels) {
    calls_.push_back("SetLeftMargin");
    return inner_->SetLeftMargin(pixels);
}

HRESULT KvlRecordingControl::GetRightMargin(SHORT* pixels) {
    calls_.push_back("GetRightMargin");
    return inner_->GetRightMargin(pixels);
}

HRESULT KvlRecordingControl::SetRightMargin(SHORT pixels) {
    calls_.push_back("SetRightMargin");
    return inner_->SetRightMargin(pixels);
}

HRESULT KvlRecordingControl::GetTopMargin(SHORT* pixels) {
    calls_.push_back("GetTopMargin");
    return inner_->GetTopMargin(pixels);
}

HRESULT KvlRecordingControl::SetTopMargin(SHORT pixels) {
    calls_.push_back("SetTopMargin");
    return inner_->SetTopMargin(pixels);
}

HRESULT KvlRecordingControl::GetBottomMargin(SHORT* pixels) {
    calls_.push_back("GetBottomMargin");
    return inner_->GetBottomMargin(pixels);
}

HRESULT KvlRecordingControl::SetBottomMargin(SHORT pixels) {
    calls_.push_back("SetBottomMargin");
    return inner_->SetBottomMargin(pixels);
}

HRESULT KvlRecordingControl::GetBorderStyle(SHORT* style) {
    calls_.push_back("GetBorderStyle");
    return inner_->GetBorderStyle(style);
}

HRESULT KvlRecordingControl::SetBorderStyle(SHORT style) {
    calls_.push_back("SetBorderStyle");
    return inner_->SetBorderStyle(style);
}

HRESULT KvlRecordingControl::GetChartStyle(LONG* style) {
    calls_.push_back("GetChartStyle");
    return inner_->GetChartStyle(style);
}

HRESULT KvlRecordingControl::SetChartStyle(LONG style) {
    calls_.push_back("SetChartStyle");
    return inner_->SetChartStyle(style);
}

HRESULT KvlRecordingControl::GetStyleWord(LONG* word) {
    calls_.push_back("GetStyleWord");
    return inner_->GetStyleWord(word);
}

HRESULT KvlRecordingControl::SetStyleWord(LONG word) {
    calls_.push_back("SetStyleWord");
    return inner_->SetStyleWord(word);
}

HRESULT KvlRecordingControl::GetChartFlags(LONG* flags) {
    calls_.push_back("GetChartFlags");
    return inner_->GetChartFlags(flags);
}

HRESULT KvlRecordingControl::SetChartFlags(LONG flags) {
    calls_.push_back("SetChartFlags");
    return inner_->SetChartFlags(flags);
}

HRESULT KvlRecordingControl::GetMouseCapture(LONG* on) {
    calls_.push_back("GetMouseCapture");
    return inner_->GetMouseCapture(on);
}

HRESULT KvlRecordingControl::SetMouseCapture(LONG on) {
    calls_.push_back("SetMouseCapture");
    return inner_->SetMouseCapture(on);
}

HRESULT KvlRecordingControl::GetChartRect(SHORT kind, KvlRect rect, KvlRect* out) {
    calls_.push_back("GetChartRect");
    return inner_->GetChartRect(kind, rect, out);
}

HRESULT KvlRecordingControl::HitTest(LONG x, LONG y, LONG* series, LONG* point, SHORT* code) {
    calls_.push_back("HitTest");
    return inner_->HitTest(x, y, series, point, code);
}

HRESULT KvlRecordingControl::ValueToPixel(double position, double value, LONG* x, LONG* y, SHORT axis) {
    calls_.push_back("ValueToPixel");
    return inner_->ValueToPixel(position, value, x, y, axis);
}

HRESULT KvlRecordingControl::PixelToValue(LONG x, LONG y, double* position, double* value, SHORT axis) {
    calls_.push_back("PixelToValue");
    return inner_->PixelToValue(x, y, position, value, axis);
}

HRESULT KvlRecordingControl::GetZoomMode(LONG* on) {
    calls_.push_back("GetZoomMode");
    return inner_->GetZoomMode(on);
}

HRESULT KvlRecordingControl::SetZoomMode(LONG on) {
    calls_.push_back("SetZoomMode");
    return inner_->SetZoomMode(on);
}

HRESULT KvlRecordingControl::ZoomTo(double firstPosition, double low, double lastPosition, double high) {
    calls_.push_back("ZoomTo");
    return inner_->ZoomTo(firstPosition, low, lastPosition, high);
}

HRESULT KvlRecordingControl::RefreshData(LONG flag) {
    calls_.push_back("RefreshData");
    return inner_->RefreshData(flag);
}

HRESULT KvlRecordingControl::RunCommand(SHORT id, LONG value, LONG* result) {
    calls_.push_back("RunCommand");
    return inner_->RunCommand(id, value, result);
}

HRESULT KvlRecordingControl::GetOptions(LONG* options) {
    calls_.push_back("GetOptions");
    return inner_->GetOptions(options);
}

HRESULT KvlRecordingControl::SetOptions(LONG options) {
    calls_.push_back("SetOptions");
    return inner_->SetOptions(options);
}

HRESULT KvlRecordingControl::GetIndexedValue(LONG index, double* value) {
    calls_.push_back("GetIndexedValue");
    return inner_->GetIndexedValue(index, value);
}

HRESULT KvlRecordingControl::SetIndexedValue(LONG index, double value) {
    calls_.push_back("SetIndexedValue");
    return inner_->SetIndexedValue(index, value);
}

HRESULT KvlRecordingControl::UpdateZoom() {
    calls_.push_back("UpdateZoom");
    return inner_->UpdateZoom();
}

HRESULT KvlRecordingControl::GetChartColor(LONG* color) {
    calls_.push_back("GetChartColor");
    return inner_->GetChartColor(color);
}

HRESULT KvlRecordingControl::SetChartColor(LONG color) {
    calls_.push_back("SetChartColor");
    return inner_->SetChartColor(color);
}

HRESULT KvlRecordingControl::GetToolTipTextA(char* buffer, LONG size) {
    calls_.push_back("GetToolTipTextA");
    return inner_->GetToolTipTextA(buffer, size);
}

HRESULT KvlRecordingControl::SetToolTipTextA(const char* text) {
    calls_.push_back("SetToolTipTextA");
    return inner_->SetToolTipTextA(text);
}

HRESULT KvlRecordingControl::GetSeriesLegendA(SHORT series, char* buffer, LONG size) {
    calls_.push_back("GetSeriesLegendA");
    return inner_->GetSeriesLegendA(series, buffer, size);
}

HRESULT KvlRecordingControl::SetSeriesLegendA(SHORT series, const char* text) {
    calls_.push_back("SetSeriesLegendA");
    return inner_->SetSeriesLegendA(series, text);
}

HRESULT KvlRecordingControl::GetCaptionTextA(char* buffer, LONG size) {
    calls_.push_back("GetCaptionTextA");
    return inner_->GetCaptionTextA(buffer, size);
}

HRESULT KvlRecordingControl::SetCaptionTextA(const char* text) {
    calls_.push_back("SetCaptionTextA");
    return inner_->SetCaptionTextA(text);
}

HRESULT KvlRecordingControl::GetAxisTitleA(SHORT position, char* buffer, LONG size) {
    calls_.push_back("GetAxisTitleA");
    return inner_->GetAxisTitleA(position, buffer, size);
}

HRESULT KvlRecordingControl::SetAxisTitleA(SHORT position, const char* text) {
    calls_.push_back("SetAxisTitleA");
    return inner_->SetAxisTitleA(position, text);
}

HRESULT KvlRecordingControl::GetTextAtA(LONG index, char* buffer, LONG size) {
    calls_.push_back("GetTextAtA");
    return inner_->GetTextAtA(index, buffer, size);
}

HRESULT KvlRecordingControl::SetTextAtA(LONG index, const char* text) {
    calls_.push_back("SetTextAtA");
    return inner_->SetTextAtA(index, text);
}

HRESULT KvlRecordingControl::GetToolTipText(com::Bstr* text) {
    calls_.push_back("GetToolTipText");
    return inner_->GetToolTipText(text);
}

HRESULT KvlRecordingControl::SetToolTipText(const com::Bstr& text) {
    calls_.push_back("SetToolTipText");
    return inner_->SetToolTipText(text);
}

HRESULT KvlRecordingControl::GetSeriesLegend(SHORT series, com::Bstr* text) {
    calls_.push_back("GetSeriesLegend");
    return inner_->GetSeriesLegend(series, text);
}

HRESULT KvlRecordingControl::SetSeriesLegend(SHORT series, const com::Bstr& text) {
    calls_.push_back("SetSeriesLegend");
    return inner_->SetSeriesLegend(series, text);
}

HRESULT KvlRecordingControl::GetCaptionText(com::Bstr* text) {
    calls_.push_back("GetCaptionText");
    return inner_->GetCaptionText(text);
}

HRESULT KvlRecordingControl::SetCaptionText(const com::Bstr& text) {
    calls_.push_back("SetCaptionText");
    return inner_->SetCaptionText(text);
}

HRESULT KvlRecordingControl::GetAxisTitle(SHORT position, com::Bstr* text) {
    calls_.push_back("GetAxisTitle");
    return inner_->GetAxisTitle(position, text);
}

HRESULT KvlRecordingControl::SetAxisTitle(SHORT position, const com::Bstr& text) {
    calls_.push_back("SetAxisTitle");
    return inner_->SetAxisTitle(position, text);
}

HRESULT KvlRecordingControl::GetTextAt(LONG index, com::Bstr* text) {
    calls_.push_back("GetTextAt");
    return inner_->GetTextAt(index, text);
}

HRESULT KvlRecordingControl::SetTextAt(LONG index, const com::Bstr& text) {
    calls_.push_back("SetTextAt");
    return inner_->SetTextAt(index, text);
}

LONG KvlRecordingControl::QueryInfo(KvlInfoRecord* record) {
    calls_.push_back("QueryInfo");
    return inner_->QueryInfo(record);
}

HRESULT KvlRecordingControl::Refresh(LONG what, LONG argument) {
    calls_.push_back("Refresh");
    return inner_->Refresh(what, argument);
}

HRESULT KvlRecordingControl::GetWindow(ui::WindowHandle* window) {
    calls_.push_back("GetWindow");
    return inner_->GetWindow(window);
}

HRESULT KvlRecordingControl::ClientToScreen(KvlPoint* point) {
    calls_.push_back("ClientToScreen");
    return inner_->ClientToScreen(point);
}

HRESULT KvlRecordingControl::GetSurfaceDC(gdi::DeviceContext** dc) {
    calls_.push_back("GetSurfaceDC");
    return inner_->GetSurfaceDC(dc);
}

HRESULT KvlRecordingControl::ReleaseSurfaceDC(gdi::DeviceContext* dc) {
    calls_.push_back("ReleaseSurfaceDC");
    return inner_->ReleaseSurfaceDC(dc);
}

HRESULT KvlRecordingControl::InvalidateRect(const KvlRect* rect) {
    calls_.push_back("InvalidateRect");
    return inner_->InvalidateRect(rect);
}

HRESULT KvlRecordingControl::UpdateWindow() {
    calls_.push_back("UpdateWindow");
    return inner_->UpdateWindow();
}

HRESULT KvlRecordingControl::CaptureMouse(LONG capture) {
    calls_.push_back("CaptureMouse");
    return inner_->CaptureMouse(capture);
}

HRESULT KvlRecordingControl::SetCursor(ui::HCURSOR cursor, ui::HCURSOR* previous) {
    calls_.push_back("SetCursor");
    return inner_->SetCursor(cursor, previous);
}

HRESULT KvlRecordingControl::GetProperty(LONG* value, void** pointer, LONG argument, LONG kind) {
    calls_.push_back("GetProperty");
    return inner_->GetProperty(value, pointer, argument, kind);
}

HRESULT KvlRecordingControl::SetProperty(LONG seriesCount, LONG pointCount, KvlValueBlock* block, LONG kind) {
    calls_.push_back("SetProperty");
    return inner_->SetProperty(seriesCount, pointCount, block, kind);
}

}  // namespace korvel::testing
