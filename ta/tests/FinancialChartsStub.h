// An IFinancialCharts whose every member answers E_NOTIMPL: test doubles of the extension derive from it
// and answer the members they stand for.
#pragma once

#include "com/ComObject.h"
#include "dravik/IFinancialCharts.h"

namespace indikon::test {

class FinancialChartsStub : public com::ComObject<dravik::IFinancialCharts> {
public:
    com::HRESULT Invoke(com::DISPID, std::span<com::Variant>) override { return com::E_NOTIMPL; }
    com::HRESULT InvokeMember(com::DISPID, std::uint16_t, std::span<com::Variant>, com::Variant*) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT get_Commands(ostbar::IOstToolbar**) override { return com::E_NOTIMPL; }
    com::HRESULT get_DateAxis(dravik::ILomexDateAxis**) override { return com::E_NOTIMPL; }
    com::HRESULT get_DateInfo(com::VARIANT_BOOL*) override { return com::E_NOTIMPL; }
    com::HRESULT put_DateInfo(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT get_CurrentGallery(com::SHORT*) override { return com::E_NOTIMPL; }
    com::HRESULT get_DateLine(com::VARIANT_BOOL*) override { return com::E_NOTIMPL; }
    com::HRESULT put_DateLine(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT get_GalleryType(com::SHORT, com::LONG*) override { return com::E_NOTIMPL; }
    com::HRESULT get_BuyMask(com::Bstr*) override { return com::E_NOTIMPL; }
    com::HRESULT put_BuyMask(const com::Bstr&) override { return com::E_NOTIMPL; }
    com::HRESULT get_SellMask(com::Bstr*) override { return com::E_NOTIMPL; }
    com::HRESULT put_SellMask(const com::Bstr&) override { return com::E_NOTIMPL; }
    com::HRESULT get_Data(com::LONG, double*) override { return com::E_NOTIMPL; }
    com::HRESULT put_Data(com::LONG, double) override { return com::E_NOTIMPL; }
    com::HRESULT get_DataUnit(com::LONG*) override { return com::E_NOTIMPL; }
    com::HRESULT put_DataUnit(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT get_BreakInSemester(com::VARIANT_BOOL*) override { return com::E_NOTIMPL; }
    com::HRESULT put_BreakInSemester(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT get_BreakInQuarter(com::VARIANT_BOOL*) override { return com::E_NOTIMPL; }
    com::HRESULT put_BreakInQuarter(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT Language(const com::Bstr&, com::LONG*) override { return com::E_NOTIMPL; }
    com::HRESULT get_OpenSeries(com::SHORT*) override { return com::E_NOTIMPL; }
    com::HRESULT put_OpenSeries(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_HighSeries(com::SHORT*) override { return com::E_NOTIMPL; }
    com::HRESULT put_HighSeries(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_LowSeries(com::SHORT*) override { return com::E_NOTIMPL; }
    com::HRESULT put_LowSeries(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_CloseSeries(com::SHORT*) override { return com::E_NOTIMPL; }
    com::HRESULT put_CloseSeries(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_VolumeSeries(com::SHORT*) override { return com::E_NOTIMPL; }
    com::HRESULT put_VolumeSeries(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_UserSeries(com::SHORT*) override { return com::E_NOTIMPL; }
    com::HRESULT put_UserSeries(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_FirstUserIndex(com::SHORT*) override { return com::E_NOTIMPL; }
    com::HRESULT put_FirstUserIndex(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_SeriesDataErr(com::LONG*) override { return com::E_NOTIMPL; }
    com::HRESULT GetKvlSeries(com::SHORT, com::SHORT*) override { return com::E_NOTIMPL; }
    com::HRESULT GetUsedSeries(com::SHORT, com::SHORT*) override { return com::E_NOTIMPL; }
    com::HRESULT get_WorkSeries(com::LONG*) override { return com::E_NOTIMPL; }
    com::HRESULT put_WorkSeries(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT get_AutoRecalc(com::VARIANT_BOOL*) override { return com::E_NOTIMPL; }
    com::HRESULT put_AutoRecalc(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT get_PointAndFigure(dravik::IPointFigure**) override { return com::E_NOTIMPL; }
    com::HRESULT get_Renko(dravik::IRenko**) override { return com::E_NOTIMPL; }
    com::HRESULT get_Kagi(dravik::IKagi**) override { return com::E_NOTIMPL; }
    com::HRESULT get_ThreeLineBreak(dravik::IThreeLineBreak**) override { return com::E_NOTIMPL; }
    com::HRESULT get_ToolBar(com::VARIANT_BOOL*) override { return com::E_NOTIMPL; }
    com::HRESULT put_ToolBar(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT get_ToolBarObj(ostbar::IOstToolbarObj**) override { return com::E_NOTIMPL; }
    com::HRESULT get_StudiesTool(com::VARIANT_BOOL*) override { return com::E_NOTIMPL; }
    com::HRESULT put_StudiesTool(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT get_StudiesToolObj(dravik::IStudiesTool**) override { return com::E_NOTIMPL; }
    com::HRESULT get_PriceStartInZero(com::VARIANT_BOOL*) override { return com::E_NOTIMPL; }
    com::HRESULT put_PriceStartInZero(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT get_PriceDisplay(com::SHORT*) override { return com::E_NOTIMPL; }
    com::HRESULT put_PriceDisplay(com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_PriceSeries(com::SHORT, dravik::IIndexSeries**) override { return com::E_NOTIMPL; }
    com::HRESULT get_PricesAxis(dravik::ILomexAxis**) override { return com::E_NOTIMPL; }
    com::HRESULT get_SimpleMA10(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_SimpleMA50(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_SimpleMA200(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_SimpleMA(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_ExponentialMA(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_TriangularMA(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_WeightedMA(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_BollingerBand(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_VOLUME(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_PriceVolumeTrend(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_NegativeVolumeIndex(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_OnBalanceVolume(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_RateOfChange(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_RateOfChangePercentual(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_AccumulationDistributionIndicator(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_ChaikinOscillator(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_MoneyFlowIndex(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_CommodityChannelIndex(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_LanesStochastics(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_DetrendedPriceOscillator(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_MACD(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_RSI(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_AverageTrueRange(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_MOMENTUM(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_PositiveVolumeIndex(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_StandardDeviation(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_TRIX(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_WilliamsR(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_ENVELOPES(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_MedianPrice(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_TypicalPrice(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_WeightedClose(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_EaseOfMovement(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_MassIndex(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_PERFORMANCE(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_VHF(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_VolumeOscillator(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_VolatilityChaikins(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_USER0(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_USER1(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_USER2(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_USER3(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_USER4(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_USER5(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_USER6(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_USER7(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_USER8(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_USER9(dravik::IIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_CUSTOM0(dravik::ICustomIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_CUSTOM1(dravik::ICustomIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_CUSTOM2(dravik::ICustomIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_CUSTOM3(dravik::ICustomIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_CUSTOM4(dravik::ICustomIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_CUSTOM5(dravik::ICustomIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_CUSTOM6(dravik::ICustomIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_CUSTOM7(dravik::ICustomIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_CUSTOM8(dravik::ICustomIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_CUSTOM9(dravik::ICustomIndex**) override { return com::E_NOTIMPL; }
    com::HRESULT get_GannFan(const com::Variant&, dravik::IDrawFeature**) override { return com::E_NOTIMPL; }
    com::HRESULT get_FibonacciArcs(const com::Variant&, dravik::IDrawFeature**) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT get_FibonacciFan(const com::Variant&, dravik::IDrawFeature**) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT get_FibonacciRetracements(const com::Variant&, dravik::IDrawFeature**) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT get_FibonacciTimeZones(const com::Variant&, dravik::IDrawFeature**) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT get_MidPointTironeLevels(const com::Variant&, dravik::IDrawFeature**) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT get_MeanTironeLevels(const com::Variant&, dravik::IDrawFeature**) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT get_SpeedResistanceLines(const com::Variant&, dravik::IDrawFeature**) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT get_QuadrantLines(const com::Variant&, dravik::IDrawFeature**) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT get_TrendLine(const com::Variant&, dravik::IDrawFeature**) override {
        return com::E_NOTIMPL;
    }
    com::HRESULT get_ZoomRescale(com::VARIANT_BOOL*) override { return com::E_NOTIMPL; }
    com::HRESULT put_ZoomRescale(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
    com::HRESULT FireCommand(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT get_DrawingNumber(com::LONG, com::SHORT*) override { return com::E_NOTIMPL; }
    com::HRESULT DeleteAllDrawing(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT get_Options(com::LONG*) override { return com::E_NOTIMPL; }
    com::HRESULT put_Options(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT get_PropPageMask(com::LONG*) override { return com::E_NOTIMPL; }
    com::HRESULT put_PropPageMask(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT DeleteDrawing(com::LONG, com::SHORT) override { return com::E_NOTIMPL; }
    com::HRESULT get_FullTechnicalStudyAxis(com::LONG*) override { return com::E_NOTIMPL; }
    com::HRESULT put_FullTechnicalStudyAxis(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT RemoveGalleryItems(com::LONG) override { return com::E_NOTIMPL; }
    com::HRESULT get_Top2BottomStudyAxis(com::VARIANT_BOOL*) override { return com::E_NOTIMPL; }
    com::HRESULT put_Top2BottomStudyAxis(com::VARIANT_BOOL) override { return com::E_NOTIMPL; }
};

}  // namespace indikon::test
