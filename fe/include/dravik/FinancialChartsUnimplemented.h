// An IFinancialCharts whose every member answers E_NOTIMPL (with a neutral result), for objects that
// stand in for the extension towards a reader of a few of its members (the indicator library reads only
// the price series): derive from it and answer the members the reader uses.
#pragma once

#include "com/ComObject.h"
#include "dravik/IFinancialCharts.h"

namespace dravik {

class FinancialChartsUnimplemented : public com::ComObject<IFinancialCharts> {
public:
    com::HRESULT Invoke(com::DISPID, std::span<com::Variant>) override { return com::E_NOTIMPL; }
    com::HRESULT InvokeMember(com::DISPID, std::uint16_t, std::span<com::Variant>,
                              com::Variant* out) override {
        return none(out);
    }
    com::HRESULT get_Commands(ostbar::IOstToolbar** out) override { return none(out); }
    com::HRESULT get_DateAxis(ILomexDateAxis** out) override { return none(out); }
    com::HRESULT get_DateInfo(com::VARIANT_BOOL* out) override { return none(out); }
    com::HRESULT put_DateInfo(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT get_CurrentGallery(com::SHORT* out) override { return none(out); }
    com::HRESULT get_DateLine(com::VARIANT_BOOL* out) override { return none(out); }
    com::HRESULT put_DateLine(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT get_GalleryType(com::SHORT, com::LONG* out) override { return none(out); }
    com::HRESULT get_BuyMask(com::Bstr* out) override { return none(out); }
    com::HRESULT put_BuyMask(const com::Bstr&) override { return com::E_NOTIMPL; }
    com::HRESULT get_SellMask(com::Bstr* out) override { return none(out); }
    com::HRESULT put_SellMask(const com::Bstr&) override { return com::E_NOTIMPL; }
    com::HRESULT get_Data(com::LONG, double* out) override { return none(out); }
    com::HRESULT put_Data(com::LONG, double) override { return com::E_NOTIMPL; }
    com::HRESULT get_DataUnit(com::LONG* out) override { return none(out); }
    com::HRESULT put_DataUnit(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT get_BreakInSemester(com::VARIANT_BOOL* out) override { return none(out); }
    com::HRESULT put_BreakInSemester(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT get_BreakInQuarter(com::VARIANT_BOOL* out) override { return none(out); }
    com::HRESULT put_BreakInQuarter(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT Language(const com::Bstr&, com::LONG* out) override { return none(out); }
    com::HRESULT get_OpenSeries(com::SHORT* out) override { return none(out); }
    com::HRESULT put_OpenSeries(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_HighSeries(com::SHORT* out) override { return none(out); }
    com::HRESULT put_HighSeries(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_LowSeries(com::SHORT* out) override { return none(out); }
    com::HRESULT put_LowSeries(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_CloseSeries(com::SHORT* out) override { return none(out); }
    com::HRESULT put_CloseSeries(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_VolumeSeries(com::SHORT* out) override { return none(out); }
    com::HRESULT put_VolumeSeries(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_UserSeries(com::SHORT* out) override { return none(out); }
    com::HRESULT put_UserSeries(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_FirstUserIndex(com::SHORT* out) override { return none(out); }
    com::HRESULT put_FirstUserIndex(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_SeriesDataErr(com::LONG* out) override { return none(out); }
    com::HRESULT GetKvlSeries(com::SHORT, com::SHORT* out) override { return none(out); }
    com::HRESULT GetUsedSeries(com::SHORT, com::SHORT* out) override { return none(out); }
    com::HRESULT get_WorkSeries(com::LONG* out) override { return none(out); }
    com::HRESULT put_WorkSeries(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT get_AutoRecalc(com::VARIANT_BOOL* out) override { return none(out); }
    com::HRESULT put_AutoRecalc(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT get_PointAndFigure(IPointFigure** out) override { return none(out); }
    com::HRESULT get_Renko(IRenko** out) override { return none(out); }
    com::HRESULT get_Kagi(IKagi** out) override { return none(out); }
    com::HRESULT get_ThreeLineBreak(IThreeLineBreak** out) override { return none(out); }
    com::HRESULT get_ToolBar(com::VARIANT_BOOL* out) override { return none(out); }
    com::HRESULT put_ToolBar(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT get_ToolBarObj(ostbar::IOstToolbarObj** out) override { return none(out); }
    com::HRESULT get_StudiesTool(com::VARIANT_BOOL* out) override { return none(out); }
    com::HRESULT put_StudiesTool(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT get_StudiesToolObj(IStudiesTool** out) override { return none(out); }
    com::HRESULT get_PriceStartInZero(com::VARIANT_BOOL* out) override { return none(out); }
    com::HRESULT put_PriceStartInZero(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT get_PriceDisplay(com::SHORT* out) override { return none(out); }
    com::HRESULT put_PriceDisplay(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_PriceSeries(com::SHORT, IIndexSeries** out) override { return none(out); }
    com::HRESULT get_PricesAxis(ILomexAxis** out) override { return none(out); }
    com::HRESULT get_SimpleMA10(IIndex** out) override { return none(out); }
    com::HRESULT get_SimpleMA50(IIndex** out) override { return none(out); }
    com::HRESULT get_SimpleMA200(IIndex** out) override { return none(out); }
    com::HRESULT get_SimpleMA(IIndex** out) override { return none(out); }
    com::HRESULT get_ExponentialMA(IIndex** out) override { return none(out); }
    com::HRESULT get_TriangularMA(IIndex** out) override { return none(out); }
    com::HRESULT get_WeightedMA(IIndex** out) override { return none(out); }
    com::HRESULT get_BollingerBand(IIndex** out) override { return none(out); }
    com::HRESULT get_VOLUME(IIndex** out) override { return none(out); }
    com::HRESULT get_PriceVolumeTrend(IIndex** out) override { return none(out); }
    com::HRESULT get_NegativeVolumeIndex(IIndex** out) override { return none(out); }
    com::HRESULT get_OnBalanceVolume(IIndex** out) override { return none(out); }
    com::HRESULT get_RateOfChange(IIndex** out) override { return none(out); }
    com::HRESULT get_RateOfChangePercentual(IIndex** out) override { return none(out); }
    com::HRESULT get_AccumulationDistributionIndicator(IIndex** out) override { return none(out); }
    com::HRESULT get_ChaikinOscillator(IIndex** out) override { return none(out); }
    com::HRESULT get_MoneyFlowIndex(IIndex** out) override { return none(out); }
    com::HRESULT get_CommodityChannelIndex(IIndex** out) override { return none(out); }
    com::HRESULT get_LanesStochastics(IIndex** out) override { return none(out); }
    com::HRESULT get_DetrendedPriceOscillator(IIndex** out) override { return none(out); }
    com::HRESULT get_MACD(IIndex** out) override { return none(out); }
    com::HRESULT get_RSI(IIndex** out) override { return none(out); }
    com::HRESULT get_AverageTrueRange(IIndex** out) override { return none(out); }
    com::HRESULT get_MOMENTUM(IIndex** out) override { return none(out); }
    com::HRESULT get_PositiveVolumeIndex(IIndex** out) override { return none(out); }
    com::HRESULT get_StandardDeviation(IIndex** out) override { return none(out); }
    com::HRESULT get_TRIX(IIndex** out) override { return none(out); }
    com::HRESULT get_WilliamsR(IIndex** out) override { return none(out); }
    com::HRESULT get_ENVELOPES(IIndex** out) override { return none(out); }
    com::HRESULT get_MedianPrice(IIndex** out) override { return none(out); }
    com::HRESULT get_TypicalPrice(IIndex** out) override { return none(out); }
    com::HRESULT get_WeightedClose(IIndex** out) override { return none(out); }
    com::HRESULT get_EaseOfMovement(IIndex** out) override { return none(out); }
    com::HRESULT get_MassIndex(IIndex** out) override { return none(out); }
    com::HRESULT get_PERFORMANCE(IIndex** out) override { return none(out); }
    com::HRESULT get_VHF(IIndex** out) override { return none(out); }
    com::HRESULT get_VolumeOscillator(IIndex** out) override { return none(out); }
    com::HRESULT get_VolatilityChaikins(IIndex** out) override { return none(out); }
    com::HRESULT get_USER0(IIndex** out) override { return none(out); }
    com::HRESULT get_USER1(IIndex** out) override { return none(out); }
    com::HRESULT get_USER2(IIndex** out) override { return none(out); }
    com::HRESULT get_USER3(IIndex** out) override { return none(out); }
    com::HRESULT get_USER4(IIndex** out) override { return none(out); }
    com::HRESULT get_USER5(IIndex** out) override { return none(out); }
    com::HRESULT get_USER6(IIndex** out) override { return none(out); }
    com::HRESULT get_USER7(IIndex** out) override { return none(out); }
    com::HRESULT get_USER8(IIndex** out) override { return none(out); }
    com::HRESULT get_USER9(IIndex** out) override { return none(out); }
    com::HRESULT get_CUSTOM0(ICustomIndex** out) override { return none(out); }
    com::HRESULT get_CUSTOM1(ICustomIndex** out) override { return none(out); }
    com::HRESULT get_CUSTOM2(ICustomIndex** out) override { return none(out); }
    com::HRESULT get_CUSTOM3(ICustomIndex** out) override { return none(out); }
    com::HRESULT get_CUSTOM4(ICustomIndex** out) override { return none(out); }
    com::HRESULT get_CUSTOM5(ICustomIndex** out) override { return none(out); }
    com::HRESULT get_CUSTOM6(ICustomIndex** out) override { return none(out); }
    com::HRESULT get_CUSTOM7(ICustomIndex** out) override { return none(out); }
    com::HRESULT get_CUSTOM8(ICustomIndex** out) override { return none(out); }
    com::HRESULT get_CUSTOM9(ICustomIndex** out) override { return none(out); }
    com::HRESULT get_GannFan(const com::Variant&, IDrawFeature** out) override { return none(out); }
    com::HRESULT get_FibonacciArcs(const com::Variant&, IDrawFeature** out) override { return none(out); }
    com::HRESULT get_FibonacciFan(const com::Variant&, IDrawFeature** out) override { return none(out); }
    com::HRESULT get_FibonacciRetracements(const com::Variant&, IDrawFeature** out) override {
        return none(out);
    }
    com::HRESULT get_FibonacciTimeZones(const com::Variant&, IDrawFeature** out) override {
        return none(out);
    }
    com::HRESULT get_MidPointTironeLevels(const com::Variant&, IDrawFeature** out) override {
        return none(out);
    }
    com::HRESULT get_MeanTironeLevels(const com::Variant&, IDrawFeature** out) override { return none(out); }
    com::HRESULT get_SpeedResistanceLines(const com::Variant&, IDrawFeature** out) override {
        return none(out);
    }
    com::HRESULT get_QuadrantLines(const com::Variant&, IDrawFeature** out) override { return none(out); }
    com::HRESULT get_TrendLine(const com::Variant&, IDrawFeature** out) override { return none(out); }
    com::HRESULT get_ZoomRescale(com::VARIANT_BOOL* out) override { return none(out); }
    com::HRESULT put_ZoomRescale(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT FireCommand(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT get_DrawingNumber(com::LONG, com::SHORT* out) override { return none(out); }
    com::HRESULT DeleteAllDrawing(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT get_Options(com::LONG* out) override { return none(out); }
    com::HRESULT put_Options(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT get_PropPageMask(com::LONG* out) override { return none(out); }
    com::HRESULT put_PropPageMask(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT DeleteDrawing(com::LONG, com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_FullTechnicalStudyAxis(com::LONG* out) override { return none(out); }
    com::HRESULT put_FullTechnicalStudyAxis(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT RemoveGalleryItems(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT get_Top2BottomStudyAxis(com::VARIANT_BOOL* out) override { return none(out); }
    com::HRESULT put_Top2BottomStudyAxis(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }

protected:
    template <typename T>
    static com::HRESULT none(T* out) {
        if (out)
            *out = T{};
        return com::E_NOTIMPL;
    }
};

}  // namespace dravik
