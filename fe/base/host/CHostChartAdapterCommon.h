// The adapter operations that carry no text, shared by both forms: they call the members that the
// two control interfaces have in common.
#pragma once

#include "host/CHostChartAdapter.h"

namespace dravik {

class CHostChartAdapterCommon : public CHostChartAdapter {
public:
    com::ULONG Release() override;
    LONG MapColor(LONG color) override;
    LONG BeginDataChange(SHORT kind, LONG seriesCount, LONG pointCount) override;
    LONG EndDataChange(SHORT kind) override;
    HRESULT GetValue(LONG series, LONG point, double* value) override;
    HRESULT SetValue(LONG series, LONG point, double value) override;
    HRESULT GetValue2(LONG series, LONG point, double* value) override;
    HRESULT SetValue2(LONG series, LONG point, double value) override;
    HRESULT GetValue3(LONG series, LONG point, double* value) override;
    HRESULT SetValue3(LONG series, LONG point, double value) override;
    HRESULT GetPointCount(LONG* count) override;
    HRESULT SetPointCount(LONG count) override;
    double GetAxisValue(SHORT axis, LONG code) override;
    HRESULT SetAxisValue(SHORT axis, LONG code, double value) override;
    HRESULT GetAxisFormat(SHORT axis, com::Variant* format) override;
    HRESULT SetAxisFormat(SHORT axis, com::Variant format) override;
    HRESULT SetRects(KvlRect window, KvlRect client) override;
    HRESULT SwitchChartStyle(LONG style) override;
    LONG ExchangeChartSetting(LONG number, LONG value, LONG third) override;
    HRESULT Repaint() override;
    HRESULT GetConstantLine(SHORT index, SHORT* axis, double* value, double* width, LONG* color) override;
    HRESULT SetConstantLine(SHORT index, SHORT axis, double value, double width, LONG color) override;
    LONG GetSeriesAttribute(SHORT series, LONG code) override;
    HRESULT SetSeriesAttribute(SHORT series, LONG code, LONG value) override;
    LONG SetStripe(SHORT index, LONG axis, LONG from, LONG to, LONG color) override;
    LONG GetStripe(SHORT index, LONG* axis, LONG* from, LONG* to, LONG* color) override;
    LONG GetChartFlagA() override;
    HRESULT SetChartFlagA(LONG value) override;
    HRESULT SetSelectedSeries(SHORT series) override;
    HRESULT SetFirstVisiblePoint(LONG point) override;
    HRESULT SetPointsPerPage(LONG points) override;
    LONG GetChartFlagB() override;
    HRESULT SetChartFlagB(LONG value) override;
    LONG GetSeriesColor(SHORT series) override;
    HRESULT SetSeriesColor(SHORT series, LONG color) override;
    LONG GetSeriesBkColor(SHORT series) override;
    HRESULT SetSeriesBkColor(SHORT series, LONG color) override;
    LONG GetChartValueA() override;
    HRESULT SetChartValueA(LONG value) override;
    LONG GetChartFlagC() override;
    HRESULT SetChartFlagC(LONG value) override;
    LONG GetChartValueB() override;
    HRESULT SetChartValueB(LONG value) override;
    LONG GetChartFlagD() override;
    HRESULT SetChartFlagD(LONG value) override;
    gdi::HFONT GetTextFont(SHORT kind) override;
    LONG GetTextColor(SHORT kind) override;
    HRESULT AdviseCallback(IKvlExtensionCallback* callback, IKvlExtensionCallback** previous) override;
    LONG GetBackColor() override;
    HRESULT SetBackColor(LONG color) override;
    HRESULT RegisterCommandObject(LONG id, com::IUnknown* object) override;
    HRESULT SetSetting(LONG number, LONG value) override;
    HRESULT UnregisterCommandObject(LONG id) override;
    SHORT GetSelectedSeries() override;
    com::ComPtr<com::IUnknown> GetFontObject() override;
    HRESULT SetLegendBox(LONG left, LONG top, LONG right, LONG bottom, LONG style, LONG color,
                         LONG visible) override;
    SHORT GetLegendBox(KvlLegendBox* box) override;
    LONG GetSeriesCount() override;
    SHORT GetAxisCount() override;
    SHORT GetLeftMargin() override;
    HRESULT SetLeftMargin(SHORT pixels) override;
    SHORT GetRightMargin() override;
    HRESULT SetRightMargin(SHORT pixels) override;
    SHORT GetTopMargin() override;
    HRESULT SetTopMargin(SHORT pixels) override;
    SHORT GetBottomMargin() override;
    HRESULT SetBottomMargin(SHORT pixels) override;
    SHORT GetBorderStyle() override;
    HRESULT SetBorderStyle(SHORT style) override;
    LONG GetChartStyle() override;
    HRESULT SetChartStyle(LONG style) override;
    LONG GetStyleWord() override;
    HRESULT SetStyleWord(LONG word) override;
    LONG GetChartFlags() override;
    HRESULT SetChartFlags(LONG flags) override;
    LONG GetMouseCapture() override;
    HRESULT SetMouseCapture(LONG on) override;
    HRESULT GetChartRect(SHORT kind, KvlRect rect, KvlRect* out) override;
    SHORT HitTest(LONG x, LONG y, LONG* series, LONG* point) override;
    HRESULT ValueToPixel(double position, double value, LONG* x, LONG* y, SHORT axis) override;
    HRESULT PixelToValue(LONG x, LONG y, double* position, double* value, SHORT axis) override;
    LONG GetZoomMode() override;
    HRESULT SetZoomMode(LONG on) override;
    HRESULT ZoomTo(double firstPosition, double low, double lastPosition, double high) override;
    LONG IsStyleFlagSet() override;
    HRESULT SetStyleFlag(LONG on) override;
    HRESULT RefreshData(LONG flag) override;
    LONG RunChartCommand(SHORT id, LONG value) override;
    HRESULT GetVisibleRange(SHORT axis, double* first, double* last) override;
    HRESULT SetVisibleRange(SHORT axis, double first, double last) override;
    LONG GetChartOptions() override;
    HRESULT SetChartOptions(LONG options) override;
    double GetIndexedValue(LONG index) override;
    HRESULT SetIndexedValue(LONG index, double value) override;
    HRESULT ResetAxis(SHORT axis) override;
    HRESULT UpdateZoom() override;
    LONG GetChartColor() override;
    HRESULT SetChartColor(LONG color) override;

protected:
    explicit CHostChartAdapterCommon(korvel::IKvlControlCore* control) : control_(control) {}

    // An item of one of the control's lists, or null when the control cannot give it.
    com::ComPtr<korvel::IKvlAxis> axisItem(SHORT axis) const;

    korvel::IKvlControlCore* control_;  // no reference: the attachment outlives the adapter
};

}  // namespace dravik
