// A decorator over a chart that records, by member name, every call made on its control interfaces
// before passing it on. It answers the site and the services of the chart as well, and can hide either
// form of the control interface (to see how a caller copes with a control that offers only one).
#pragma once

#include <string>
#include <vector>

#include "com/ComObject.h"
#include "korvel/KvlChart.h"

namespace korvel::testing {

class KvlRecordingControl final
    : public com::ComObject<IKvlControlA, IKvlControlW, IKvlExtensionSite, IKvlExtensionServices> {
public:
    struct Forms {
        bool plain = true;
        bool dual = true;
    };

    explicit KvlRecordingControl(com::ComPtr<KvlChart> inner)
        : KvlRecordingControl(std::move(inner), Forms{true, true}) {}
    KvlRecordingControl(com::ComPtr<KvlChart> inner, Forms forms);

    KvlChart& inner() { return *inner_; }
    const std::vector<std::string>& calls() const { return calls_; }
    void clear() { calls_.clear(); }

    HRESULT QueryInterface(const com::IID& iid, void** object) override;

    HRESULT OpenData(SHORT kind, LONG seriesCount, LONG pointCount, LONG* answer) override;
    HRESULT CloseData(SHORT kind, LONG* answer) override;
    HRESULT GetValue(LONG series, LONG point, double* value) override;
    HRESULT SetValue(LONG series, LONG point, double value) override;
    HRESULT GetValue2(LONG series, LONG point, double* value) override;
    HRESULT SetValue2(LONG series, LONG point, double value) override;
    HRESULT GetValue3(LONG series, LONG point, double* value) override;
    HRESULT SetValue3(LONG series, LONG point, double value) override;
    HRESULT GetPointCount(LONG* count) override;
    HRESULT SetPointCount(LONG count) override;
    HRESULT GetAxes(IKvlCollection** axes) override;
    HRESULT SetRects(KvlRect window, KvlRect client) override;
    HRESULT SwitchStyle(LONG style) override;
    HRESULT ExchangeSetting(LONG number, LONG value, LONG third, LONG* previous) override;
    HRESULT Repaint() override;
    HRESULT GetConstantLines(IKvlCollection** lines) override;
    HRESULT GetSeriesList(IKvlCollection** series) override;
    HRESULT SetStripe(SHORT index, LONG axis, LONG from, LONG to, LONG color, LONG* answer) override;
    HRESULT GetStripe(SHORT index, LONG* axis, LONG* from, LONG* to, LONG* color) override;
    HRESULT GetFlagA(LONG* value) override;
    HRESULT SetFlagA(LONG value) override;
    HRESULT SetSelectedSeries(SHORT series) override;
    HRESULT SetFirstVisiblePoint(LONG point) override;
    HRESULT SetPointsPerPage(LONG points) override;
    HRESULT GetFlagB(LONG* value) override;
    HRESULT SetFlagB(LONG value) override;
    HRESULT GetSeriesColor(SHORT series, LONG* color) override;
    HRESULT SetSeriesColor(SHORT series, LONG color) override;
    HRESULT GetSeriesBkColor(SHORT series, LONG* color) override;
    HRESULT SetSeriesBkColor(SHORT series, LONG color) override;
    HRESULT GetValueA(LONG* value) override;
    HRESULT SetValueA(LONG value) override;
    HRESULT GetFlagC(LONG* value) override;
    HRESULT SetFlagC(LONG value) override;
    HRESULT GetValueB(LONG* value) override;
    HRESULT SetValueB(LONG value) override;
    HRESULT GetFlagD(LONG* value) override;
    HRESULT SetFlagD(LONG value) override;
    HRESULT GetTextFont(SHORT kind, gdi::HFONT* font) override;
    HRESULT GetTextColor(SHORT kind, LONG* color) override;
    HRESULT AdviseCallback(IKvlExtensionCallback* callback, IKvlExtensionCallback** previous) override;
    HRESULT GetBackColor(LONG* color) override;
    HRESULT SetBackColor(LONG color) override;
    HRESULT RegisterCommandObject(LONG id, com::IUnknown* object) override;
    HRESULT SetSetting(LONG number, LONG value) override;
    HRESULT UnregisterCommandObject(LONG id) override;
    HRESULT GetSelectedSeries(SHORT* series) override;
    HRESULT GetFontObject(com::IUnknown** font) override;
    HRESULT SetLegendBox(LONG left, LONG top, LONG right, LONG bottom, LONG style, LONG color,
                         LONG visible) override;
    HRESULT GetLegendBox(KvlLegendBox* box, SHORT* visible) override;
    HRESULT GetSeriesCount(LONG* count) override;
    HRESULT GetAxisCount(SHORT* count) override;
    HRESULT GetLeftMargin(SHORT* pixels) override;
    HRESULT SetLeftMargin(SHORT pixels) override;
    HRESULT GetRightMargin(SHORT* pixels) override;
    HRESULT SetRightMargin(SHORT pixels) override;
    HRESULT GetTopMargin(SHORT* pixels) override;
    HRESULT SetTopMargin(SHORT pixels) override;
    HRESULT GetBottomMargin(SHORT* pixels) override;
    HRESULT SetBottomMargin(SHORT pixels) override;
    HRESULT GetBorderStyle(SHORT* style) override;
    HRESULT SetBorderStyle(SHORT style) override;
    HRESULT GetChartStyle(LONG* style) override;
    HRESULT SetChartStyle(LONG style) override;
    HRESULT GetStyleWord(LONG* word) override;
    HRESULT SetStyleWord(LONG word) override;
    HRESULT GetChartFlags(LONG* flags) override;
    HRESULT SetChartFlags(LONG flags) override;
    HRESULT GetMouseCapture(LONG* on) override;
    HRESULT SetMouseCapture(LONG on) override;
    HRESULT GetChartRect(SHORT kind, KvlRect rect, KvlRect* out) override;
    HRESULT HitTest(LONG x, LONG y, LONG* series, LONG* point, SHORT* code) override;
    HRESULT ValueToPixel(double position, double value, LONG* x, LONG* y, SHORT axis) override;
    HRESULT PixelToValue(LONG x, LONG y, double* position, double* value, SHORT axis) override;
    HRESULT GetZoomMode(LONG* on) override;
    HRESULT SetZoomMode(LONG on) override;
    HRESULT ZoomTo(double firstPosition, double low, double lastPosition, double high) override;
    HRESULT RefreshData(LONG flag) override;
    HRESULT RunCommand(SHORT id, LONG value, LONG* result) override;
    HRESULT GetOptions(LONG* options) override;
    HRESULT SetOptions(LONG options) override;
    HRESULT GetIndexedValue(LONG index, double* value) override;
    HRESULT SetIndexedValue(LONG index, double value) override;
    HRESULT UpdateZoom() override;
    HRESULT GetChartColor(LONG* color) override;
    HRESULT SetChartColor(LONG color) override;

    HRESULT GetToolTipTextA(char* buffer, LONG size) override;
    HRESULT SetToolTipTextA(const char* text) override;
    HRESULT GetSeriesLegendA(SHORT series, char* buffer, LONG size) override;
    HRESULT SetSeriesLegendA(SHORT series, const char* text) override;
    HRESULT GetCaptionTextA(char* buffer, LONG size) override;
    HRESULT SetCaptionTextA(const char* text) override;
    HRESULT GetAxisTitleA(SHORT position, char* buffer, LONG size) override;
    HRESULT SetAxisTitleA(SHORT position, const char* text) override;
    HRESULT GetTextAtA(LONG index, char* buffer, LONG size) override;
    HRESULT SetTextAtA(LONG index, const char* text) override;

    HRESULT GetToolTipText(com::Bstr* text) override;
    HRESULT SetToolTipText(const com::Bstr& text) override;
    HRESULT GetSeriesLegend(SHORT series, com::Bstr* text) override;
    HRESULT SetSeriesLegend(SHORT series, const com::Bstr& text) override;
    HRESULT GetCaptionText(com::Bstr* text) override;
    HRESULT SetCaptionText(const com::Bstr& text) override;
    HRESULT GetAxisTitle(SHORT position, com::Bstr* text) override;
    HRESULT SetAxisTitle(SHORT position, const com::Bstr& text) override;
    HRESULT GetTextAt(LONG index, com::Bstr* text) override;
    HRESULT SetTextAt(LONG index, const com::Bstr& text) override;

    LONG QueryInfo(KvlInfoRecord* record) override;
    HRESULT Refresh(LONG what, LONG argument) override;
    HRESULT GetWindow(ui::WindowHandle* window) override;
    HRESULT ClientToScreen(KvlPoint* point) override;
    HRESULT GetSurfaceDC(gdi::DeviceContext** dc) override;
    HRESULT ReleaseSurfaceDC(gdi::DeviceContext* dc) override;
    HRESULT InvalidateRect(const KvlRect* rect) override;
    HRESULT UpdateWindow() override;
    HRESULT CaptureMouse(LONG capture) override;
    HRESULT SetCursor(ui::HCURSOR cursor, ui::HCURSOR* previous) override;
    HRESULT GetProperty(LONG* value, void** pointer, LONG argument, LONG kind) override;
    HRESULT SetProperty(LONG seriesCount, LONG pointCount, KvlValueBlock* block, LONG kind) override;

private:
    com::ComPtr<KvlChart> inner_;
    Forms forms_;
    std::vector<std::string> calls_;
};

}  // namespace korvel::testing
