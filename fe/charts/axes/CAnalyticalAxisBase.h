// An axis that the analytical chart draws itself (a study pane's axis, or its price axis). The scale
// (minimum, maximum, steps) comes from the chart's computed data of the axis unless the user set it;
// what the user sets is written into that data while the analytical chart is current. The other
// properties live in the record: the chart draws the pane's labels and grid from it, with the paint
// helpers below, and a refresh reads them from the chart axis that the panes share.
#pragma once

#include "axes/CAxisBase.h"
#include "gdi/Objects.h"

namespace gdi {
class DeviceContext;
}

namespace dravik {

class CAnalyticalAxisBase : public CAxisBase {
public:
    ~CAnalyticalAxisBase() override;

    void Refresh(std::uint32_t mask) override;
    void Apply(std::uint32_t mask) override;
    void RepaintIfBound() override;
    std::string GetTitleText() override;
    int GetTitleLength() override;

    HRESULT get_Min(double* value) override;
    HRESULT put_Min(double value) override;
    HRESULT get_Max(double* value) override;
    HRESULT put_Max(double value) override;
    HRESULT get_Step(double* value) override;
    HRESULT put_Step(double value) override;
    HRESULT get_MinorStep(double* value) override;
    HRESULT put_MinorStep(double value) override;
    HRESULT get_AutoScale(VARIANT_BOOL* value) override;
    HRESULT put_AutoScale(VARIANT_BOOL value) override;
    HRESULT get_ScaleUnit(double* value) override;
    HRESULT put_ScaleUnit(double value) override;
    HRESULT get_Decimals(SHORT* value) override;
    HRESULT put_Decimals(SHORT value) override;
    HRESULT get_Format(com::Variant* value) override;
    HRESULT put_Format(com::Variant value) override;
    HRESULT get_TextColor(LONG* value) override;
    HRESULT put_TextColor(LONG value) override;
    HRESULT get_Grid(VARIANT_BOOL* value) override;
    HRESULT put_Grid(VARIANT_BOOL value) override;
    HRESULT get_GridWidth(SHORT* value) override;
    HRESULT put_GridWidth(SHORT value) override;
    HRESULT get_GridStyle(SHORT* value) override;
    HRESULT put_GridStyle(SHORT value) override;
    HRESULT get_GridColor(LONG* value) override;
    HRESULT put_GridColor(LONG value) override;
    HRESULT get_MinorGrid(VARIANT_BOOL* value) override;
    HRESULT put_MinorGrid(VARIANT_BOOL value) override;
    HRESULT get_MinorGridWidth(SHORT* value) override;
    HRESULT put_MinorGridWidth(SHORT value) override;
    HRESULT get_MinorGridStyle(SHORT* value) override;
    HRESULT put_MinorGridStyle(SHORT value) override;
    HRESULT get_MinorGridColor(LONG* value) override;
    HRESULT put_MinorGridColor(LONG value) override;
    HRESULT get_Title(com::Bstr* value) override;
    HRESULT put_Title(const com::Bstr& value) override;
    HRESULT get_TitleColor(LONG* value) override;
    HRESULT put_TitleColor(LONG value) override;
    HRESULT get_Style(LONG* value) override;
    HRESULT put_Style(LONG value) override;
    HRESULT get_TickMark(SHORT* value) override;
    HRESULT put_TickMark(SHORT value) override;
    HRESULT get_MinorTickMark(SHORT* value) override;
    HRESULT put_MinorTickMark(SHORT value) override;

    // Binds to the chart and its axis `axisNumber` (0-2 a study axis, 3 the price axis, -1 none).
    void BindChart(IAnalyticalAxisChart* chart, LONG axisNumber);
    LONG axisNumber() const { return axisNumber_; }

    // Paint helpers of one label pass: each selection happens once until it is released (or the paint
    // state is reset), and is undone by its release.
    void ResetPaintState();
    // A text colour set by the user goes into the DC (black when asked), keeping the DC's own.
    void SelectTextColor(gdi::DeviceContext& dc, bool black);
    void RestoreTextColor(gdi::DeviceContext& dc);
    // The grid pen of the major or minor grid: the null pen with `none` or while that grid is hidden.
    void SelectGridPen(bool major, gdi::DeviceContext& dc, bool none, bool black);
    void ReleaseGridPen();
    // The interlace brush: solid in the grid colour for a shown major grid of an interlaced axis, else
    // the null brush.
    void SelectGridBrush(bool major, gdi::DeviceContext& dc, bool none);
    void ReleaseGridBrush();

private:
    bool chartIsCurrent() const;
    HRESULT getScale(double AxisSettingsRecord::*field, std::uint32_t bit,
                     double AnalyticalAxisScale::*computed, double* out);
    HRESULT putScale(double AxisSettingsRecord::*field, std::uint32_t bit, AnalyticalScaleField which,
                     double value);
    // The record alone: the chart draws these properties itself.
    template <typename Field, typename Out>
    HRESULT getStored(Field AxisSettingsRecord::*field, Out* out);
    template <typename Field>
    HRESULT putStored(Field AxisSettingsRecord::*field, std::uint32_t bit, Field value);
    // The grid bit of a tick word as a Boolean.
    HRESULT getGridBit(std::int16_t AxisSettingsRecord::*tickWord, VARIANT_BOOL* value);
    HRESULT putWordBits(std::int16_t AxisSettingsRecord::*word, std::uint32_t bit, std::uint16_t keep,
                        std::uint16_t bits);
    com::COLORREF mapColor(std::uint32_t color) const;
    void replaceObject(gdi::DeviceContext& dc, gdi::HGDIOBJ made, gdi::HGDIOBJ& kept);

    IAnalyticalAxisChart* chart_ = nullptr;
    LONG axisNumber_ = -1;
    com::COLORREF savedTextColor_ = 0;
    bool textColorSelected_ = false;
    bool penSelected_ = false;
    bool brushSelected_ = false;
    gdi::HGDIOBJ gridPen_ = gdi::NULL_HANDLE;
    gdi::HGDIOBJ gridBrush_ = gdi::NULL_HANDLE;
};

}  // namespace dravik
