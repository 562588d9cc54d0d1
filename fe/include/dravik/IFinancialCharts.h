// `IFinancialCharts`: the programmable face of the financial-chart extension "Lomex.Financial", for the
// application and for the indicator library.
//
// Members are declared in their dispatch order; the dispids are the FinancialChartsDispid constants.
// Properties are get_/put_ pairs. Booleans are VARIANT_BOOL (-1 true, 0 false); a put counts any
// non-zero value as true unless the member says otherwise. Every member returns S_OK on success,
// E_INVALIDARG for an index or code out of range, E_FAIL when an object it needs is missing; results
// are set to their neutral value (0, -1 or null) before a failure. Object getters hand out a new
// object with one reference for the caller.
//
// Late-bound callers reach every member through Invoke / InvokeMember with its dispid.
#pragma once

#include <cstdint>
#include <span>

#include "com/Bstr.h"
#include "com/Dispatch.h"
#include "com/Types.h"
#include "com/Unknown.h"
#include "com/Variant.h"

namespace ostbar {
struct IOstToolbar;
struct IOstToolbarObj;
}  // namespace ostbar

namespace dravik {

// {1D97C781-CB01-4E52-AF60-8CA2A4E4BC0F}
inline constexpr com::IID IID_IFinancialCharts{
    0x1D97C781, 0xCB01, 0x4E52, {0xAF, 0x60, 0x8C, 0xA2, 0xA4, 0xE4, 0xBC, 0x0F}};

// ProgID under which a chart hands out its attached extension.
inline constexpr const char16_t* kFinancialChartsProgId = u"Lomex.Financial";

// The objects the getters hand out; each is declared with its own interface header.
struct IIndexSeries;
struct IIndex;
struct ICustomIndex;
struct IDrawFeature;
struct ILomexAxis;
struct ILomexDateAxis;
struct IPointFigure;
struct IRenko;
struct IKagi;
struct IThreeLineBreak;
struct IStudiesTool;

// Study objects: IIndex for studies 0-47, ICustomIndex for the custom studies 48-57.
// {87A5DAD0-9ADA-4EEF-BC1B-DD22BE24E4FA}
inline constexpr com::IID IID_IIndex{
    0x87A5DAD0, 0x9ADA, 0x4EEF, {0xBC, 0x1B, 0xDD, 0x22, 0xBE, 0x24, 0xE4, 0xFA}};
// {87A5DAD1-9ADA-4EEF-BC1B-DD22BE24E4FA}
inline constexpr com::IID IID_ICustomIndex{
    0x87A5DAD1, 0x9ADA, 0x4EEF, {0xBC, 0x1B, 0xDD, 0x22, 0xBE, 0x24, 0xE4, 0xFA}};
// {3B5D26A1-624B-441D-A9F9-162C431024A7}
inline constexpr com::IID IID_IDrawFeature{
    0x3B5D26A1, 0x624B, 0x441D, {0xA9, 0xF9, 0x16, 0x2C, 0x43, 0x10, 0x24, 0xA7}};

// Dispids of IFinancialCharts (14 is not used).
enum FinancialChartsDispid : com::DISPID {
    DISPID_Commands = 1,
    DISPID_DateAxis = 2,
    DISPID_DateInfo = 3,
    DISPID_CurrentGallery = 4,
    DISPID_DateLine = 5,
    DISPID_GalleryType = 6,
    DISPID_BuyMask = 7,
    DISPID_SellMask = 8,
    DISPID_Data = 9,
    DISPID_DataUnit = 10,
    DISPID_BreakInSemester = 11,
    DISPID_BreakInQuarter = 12,
    DISPID_Language = 13,
    DISPID_OpenSeries = 15,
    DISPID_HighSeries = 16,
    DISPID_LowSeries = 17,
    DISPID_CloseSeries = 18,
    DISPID_VolumeSeries = 19,
    DISPID_UserSeries = 20,
    DISPID_FirstUserIndex = 21,
    DISPID_SeriesDataErr = 22,
    DISPID_GetKvlSeries = 23,
    DISPID_GetUsedSeries = 24,
    DISPID_WorkSeries = 25,
    DISPID_AutoRecalc = 26,
    DISPID_PointAndFigure = 27,
    DISPID_Renko = 28,
    DISPID_Kagi = 29,
    DISPID_ThreeLineBreak = 30,
    DISPID_ToolBar = 31,
    DISPID_ToolBarObj = 32,
    DISPID_StudiesTool = 33,
    DISPID_StudiesToolObj = 34,
    DISPID_PriceStartInZero = 35,
    DISPID_PriceDisplay = 36,
    DISPID_PriceSeries = 37,
    DISPID_PricesAxis = 38,
    DISPID_FirstStudy = 39,  // SimpleMA10 .. CUSTOM9: 39-96 (member order, not study order)
    DISPID_LastStudy = 96,
    DISPID_FirstDrawing = 97,  // GannFan .. TrendLine: 97-106, drawing kinds 0-9
    DISPID_LastDrawing = 106,
    DISPID_ZoomRescale = 107,
    DISPID_FireCommand = 108,
    DISPID_DrawingNumber = 109,
    DISPID_DeleteAllDrawing = 110,
    DISPID_Options = 111,
    DISPID_PropPageMask = 112,
    DISPID_DeleteDrawing = 113,
    DISPID_FullTechnicalStudyAxis = 114,
    DISPID_RemoveGalleryItems = 115,
    DISPID_Top2BottomStudyAxis = 116,
};

// The study number each study member (dispids 39-96, in member order) stands for.
inline constexpr std::int16_t kStudyOfMember[DISPID_LastStudy - DISPID_FirstStudy + 1] = {
    0,  1,  2,  3,  4,  5,  6,  7,  12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
    24, 25, 26, 27, 28, 29, 30, 31, 8,  9,  10, 11, 32, 33, 34, 35, 36, 37, 38, 39,
    40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57,
};

// Validation codes of the series assignment (SeriesDataErr).
enum lomexCheckErr : com::LONG {
    SERIES_ERR_OK = 0,
    SERIES_ERR_MISSING_CLOSE = 1,
    SERIES_ERR_BADOPENHIGHLOWCLOSE = 2,
    SERIES_ERR_BADHILOWCLOSE = 3,
    SERIES_ERR_OPENORDER = 4,
    SERIES_ERR_HIGHORDER = 5,
    SERIES_ERR_LOWORDER = 6,
    SERIES_ERR_VOLUMEORDER = 7,
    SERIES_ERR_NUMUSER = 8,
    SERIES_ERR_NUMSERIES = 9,
};

// Property pages offered (PropPageMask); the default 895 has every page bit set.
enum lomexPropPageMask : com::LONG {
    FEPPM_POINTANDFIGURE = 0x1,
    FEPPM_RENKO = 0x2,
    FEPPM_KAGI = 0x4,
    FEPPM_THREELINEBREAK = 0x8,
    FEPPM_STUDIES = 0x10,
    FEPPM_DRAWING = 0x20,
    FEPPM_AXIS = 0x40,
};
inline constexpr com::LONG kDefaultPropPageMask = 895;

// Options word bits.
enum lomexOptions : com::LONG {
    FEO_SHOWFULLSTUDY = 1,
    FEO_NOINFLATE = 2,
    FEO_UI_CHANGE_STUDYNAME = 16,
    FEO_UI_USERSTUDIES_ON_STUDIESPAGE = 1024,
    FEO_UI_SHIFTMODE_ZOOM = 2048,
};

// RemoveGalleryItems: one bit per chart-type command 0-4 (0x1F: all of them).
inline constexpr com::LONG kAllGalleryItemsMask = 0x1F;

// How a late-bound call uses a member (combinable, as automation callers do).
enum DispatchFlags : std::uint16_t {
    DISPATCH_METHOD = 0x1,
    DISPATCH_PROPERTYGET = 0x2,
    DISPATCH_PROPERTYPUT = 0x4,
};

struct IFinancialCharts : com::IDispatch {
    static constexpr com::IID iid = IID_IFinancialCharts;
    using BaseInterface = com::IDispatch;

    // --- Late binding ---
    // Invokes member `dispid`: `args` are its arguments in declaration order (for a put, the new value
    // last); `result` (may be null) receives what a get or a method answers. DISP_E_MEMBERNOTFOUND for
    // an unknown dispid or a use the member does not have, DISP_E_BADPARAMCOUNT, DISP_E_TYPEMISMATCH or
    // DISP_E_OVERFLOW for arguments it cannot take; otherwise the member's own result.
    virtual com::HRESULT InvokeMember(com::DISPID dispid, std::uint16_t flags, std::span<com::Variant> args,
                                      com::Variant* result) = 0;

    // --- Members, dispids 1-38 ---
    virtual com::HRESULT get_Commands(ostbar::IOstToolbar** CmdBar) = 0;
    virtual com::HRESULT get_DateAxis(ILomexDateAxis** pVal) = 0;
    virtual com::HRESULT get_DateInfo(com::VARIANT_BOOL* pVal) = 0;
    // Putting true also turns DateLine on.
    virtual com::HRESULT put_DateInfo(com::VARIANT_BOOL pVal) = 0;
    virtual com::HRESULT get_CurrentGallery(com::SHORT* pVal) = 0;
    virtual com::HRESULT get_DateLine(com::VARIANT_BOOL* pVal) = 0;
    virtual com::HRESULT put_DateLine(com::VARIANT_BOOL pVal) = 0;
    // The chart control's chart-type number of chart type 0-5.
    virtual com::HRESULT get_GalleryType(com::SHORT nGallery, com::LONG* pVal) = 0;
    virtual com::HRESULT get_BuyMask(com::Bstr* pVal) = 0;
    virtual com::HRESULT put_BuyMask(const com::Bstr& pVal) = 0;
    virtual com::HRESULT get_SellMask(com::Bstr* pVal) = 0;
    virtual com::HRESULT put_SellMask(const com::Bstr& pVal) = 0;
    virtual com::HRESULT get_Data(com::LONG nIndex, double* pVal) = 0;
    virtual com::HRESULT put_Data(com::LONG nIndex, double pVal) = 0;
    // 0 year, 1 quarter, 2 month, 3 week, 4 day, 5 the points as they are.
    virtual com::HRESULT get_DataUnit(com::LONG* pVal) = 0;
    virtual com::HRESULT put_DataUnit(com::LONG pVal) = 0;
    virtual com::HRESULT get_BreakInSemester(com::VARIANT_BOOL* pVal) = 0;
    virtual com::HRESULT put_BreakInSemester(com::VARIANT_BOOL pVal) = 0;
    virtual com::HRESULT get_BreakInQuarter(com::VARIANT_BOOL* pVal) = 0;
    virtual com::HRESULT put_BreakInQuarter(com::VARIANT_BOOL pVal) = 0;
    // Loads the language bundle `sResource` (empty: the built-in texts); *retval 1 when it loaded.
    virtual com::HRESULT Language(const com::Bstr& sResource, com::LONG* retval) = 0;
    // Chart series that hold the prices and the volume; -1 when none. Stored as given.
    virtual com::HRESULT get_OpenSeries(com::SHORT* pVal) = 0;
    virtual com::HRESULT put_OpenSeries(com::SHORT pVal) = 0;
    virtual com::HRESULT get_HighSeries(com::SHORT* pVal) = 0;
    virtual com::HRESULT put_HighSeries(com::SHORT pVal) = 0;
    virtual com::HRESULT get_LowSeries(com::SHORT* pVal) = 0;
    virtual com::HRESULT put_LowSeries(com::SHORT pVal) = 0;
    virtual com::HRESULT get_CloseSeries(com::SHORT* pVal) = 0;
    virtual com::HRESULT put_CloseSeries(com::SHORT pVal) = 0;
    virtual com::HRESULT get_VolumeSeries(com::SHORT* pVal) = 0;
    virtual com::HRESULT put_VolumeSeries(com::SHORT pVal) = 0;
    // Number of series the user studies occupy, and the first of them.
    virtual com::HRESULT get_UserSeries(com::SHORT* pVal) = 0;
    virtual com::HRESULT put_UserSeries(com::SHORT pVal) = 0;
    virtual com::HRESULT get_FirstUserIndex(com::SHORT* pVal) = 0;
    virtual com::HRESULT put_FirstUserIndex(com::SHORT pVal) = 0;
    // A lomexCheckErr code: the first fault of the series assignment.
    virtual com::HRESULT get_SeriesDataErr(com::LONG* pVal) = 0;
    // -4, -3, -2, -1: the open, high, low, close series (0 when unset); other values unchanged.
    virtual com::HRESULT GetKvlSeries(com::SHORT nSeries, com::SHORT* pVal) = 0;
    // The code -4 .. -1 of a price series; 0 for a value with bit 15 set; other values unchanged.
    virtual com::HRESULT GetUsedSeries(com::SHORT nSeries, com::SHORT* pVal) = 0;
    virtual com::HRESULT get_WorkSeries(com::LONG* pVal) = 0;
    virtual com::HRESULT put_WorkSeries(com::LONG pVal) = 0;
    // Put: only -1 switches it on (and recalculates); any other value switches it off.
    virtual com::HRESULT get_AutoRecalc(com::VARIANT_BOOL* pVal) = 0;
    virtual com::HRESULT put_AutoRecalc(com::VARIANT_BOOL pVal) = 0;
    virtual com::HRESULT get_PointAndFigure(IPointFigure** pVal) = 0;
    virtual com::HRESULT get_Renko(IRenko** pVal) = 0;
    virtual com::HRESULT get_Kagi(IKagi** pVal) = 0;
    virtual com::HRESULT get_ThreeLineBreak(IThreeLineBreak** pVal) = 0;
    // The financial toolbar; shown only while the analytical chart is active.
    virtual com::HRESULT get_ToolBar(com::VARIANT_BOOL* pVal) = 0;
    virtual com::HRESULT put_ToolBar(com::VARIANT_BOOL pVal) = 0;
    // Succeeds with null when the command bar does not offer that interface.
    virtual com::HRESULT get_ToolBarObj(ostbar::IOstToolbarObj** ToolBar) = 0;
    virtual com::HRESULT get_StudiesTool(com::VARIANT_BOOL* pVal) = 0;
    virtual com::HRESULT put_StudiesTool(com::VARIANT_BOOL pVal) = 0;
    virtual com::HRESULT get_StudiesToolObj(IStudiesTool** StudiesTool) = 0;
    // Put: only -1 switches it on; any other value switches it off.
    virtual com::HRESULT get_PriceStartInZero(com::VARIANT_BOOL* pVal) = 0;
    virtual com::HRESULT put_PriceStartInZero(com::VARIANT_BOOL pVal) = 0;
    // lomexPriceDisplay 0-4.
    virtual com::HRESULT get_PriceDisplay(com::SHORT* pVal) = 0;
    virtual com::HRESULT put_PriceDisplay(com::SHORT pVal) = 0;
    // The series object of the open, high, low or close series.
    virtual com::HRESULT get_PriceSeries(com::SHORT nSeries, IIndexSeries** pVal) = 0;
    virtual com::HRESULT get_PricesAxis(ILomexAxis** pVal) = 0;

    // --- Study objects, dispids 39-96 (the study number in brackets) ---
    virtual com::HRESULT get_SimpleMA10(IIndex** pVal) = 0;                         // 0
    virtual com::HRESULT get_SimpleMA50(IIndex** pVal) = 0;                         // 1
    virtual com::HRESULT get_SimpleMA200(IIndex** pVal) = 0;                        // 2
    virtual com::HRESULT get_SimpleMA(IIndex** pVal) = 0;                           // 3
    virtual com::HRESULT get_ExponentialMA(IIndex** pVal) = 0;                      // 4
    virtual com::HRESULT get_TriangularMA(IIndex** pVal) = 0;                       // 5
    virtual com::HRESULT get_WeightedMA(IIndex** pVal) = 0;                         // 6
    virtual com::HRESULT get_BollingerBand(IIndex** pVal) = 0;                      // 7
    virtual com::HRESULT get_VOLUME(IIndex** pVal) = 0;                             // 12
    virtual com::HRESULT get_PriceVolumeTrend(IIndex** pVal) = 0;                   // 13
    virtual com::HRESULT get_NegativeVolumeIndex(IIndex** pVal) = 0;                // 14
    virtual com::HRESULT get_OnBalanceVolume(IIndex** pVal) = 0;                    // 15
    virtual com::HRESULT get_RateOfChange(IIndex** pVal) = 0;                       // 16
    virtual com::HRESULT get_RateOfChangePercentual(IIndex** pVal) = 0;             // 17
    virtual com::HRESULT get_AccumulationDistributionIndicator(IIndex** pVal) = 0;  // 18
    virtual com::HRESULT get_ChaikinOscillator(IIndex** pVal) = 0;                  // 19
    virtual com::HRESULT get_MoneyFlowIndex(IIndex** pVal) = 0;                     // 20
    virtual com::HRESULT get_CommodityChannelIndex(IIndex** pVal) = 0;              // 21
    virtual com::HRESULT get_LanesStochastics(IIndex** pVal) = 0;                   // 22
    virtual com::HRESULT get_DetrendedPriceOscillator(IIndex** pVal) = 0;           // 23
    virtual com::HRESULT get_MACD(IIndex** pVal) = 0;                               // 24
    virtual com::HRESULT get_RSI(IIndex** pVal) = 0;                                // 25
    virtual com::HRESULT get_AverageTrueRange(IIndex** pVal) = 0;                   // 26
    virtual com::HRESULT get_MOMENTUM(IIndex** pVal) = 0;                           // 27
    virtual com::HRESULT get_PositiveVolumeIndex(IIndex** pVal) = 0;                // 28
    virtual com::HRESULT get_StandardDeviation(IIndex** pVal) = 0;                  // 29
    virtual com::HRESULT get_TRIX(IIndex** pVal) = 0;                               // 30
    virtual com::HRESULT get_WilliamsR(IIndex** pVal) = 0;                          // 31
    virtual com::HRESULT get_ENVELOPES(IIndex** pVal) = 0;                          // 8
    virtual com::HRESULT get_MedianPrice(IIndex** pVal) = 0;                        // 9
    virtual com::HRESULT get_TypicalPrice(IIndex** pVal) = 0;                       // 10
    virtual com::HRESULT get_WeightedClose(IIndex** pVal) = 0;                      // 11
    virtual com::HRESULT get_EaseOfMovement(IIndex** pVal) = 0;                     // 32
    virtual com::HRESULT get_MassIndex(IIndex** pVal) = 0;                          // 33
    virtual com::HRESULT get_PERFORMANCE(IIndex** pVal) = 0;                        // 34
    virtual com::HRESULT get_VHF(IIndex** pVal) = 0;                                // 35
    virtual com::HRESULT get_VolumeOscillator(IIndex** pVal) = 0;                   // 36
    virtual com::HRESULT get_VolatilityChaikins(IIndex** pVal) = 0;                 // 37
    virtual com::HRESULT get_USER0(IIndex** pVal) = 0;                              // 38
    virtual com::HRESULT get_USER1(IIndex** pVal) = 0;
    virtual com::HRESULT get_USER2(IIndex** pVal) = 0;
    virtual com::HRESULT get_USER3(IIndex** pVal) = 0;
    virtual com::HRESULT get_USER4(IIndex** pVal) = 0;
    virtual com::HRESULT get_USER5(IIndex** pVal) = 0;
    virtual com::HRESULT get_USER6(IIndex** pVal) = 0;
    virtual com::HRESULT get_USER7(IIndex** pVal) = 0;
    virtual com::HRESULT get_USER8(IIndex** pVal) = 0;
    virtual com::HRESULT get_USER9(IIndex** pVal) = 0;          // 47
    virtual com::HRESULT get_CUSTOM0(ICustomIndex** pVal) = 0;  // 48
    virtual com::HRESULT get_CUSTOM1(ICustomIndex** pVal) = 0;
    virtual com::HRESULT get_CUSTOM2(ICustomIndex** pVal) = 0;
    virtual com::HRESULT get_CUSTOM3(ICustomIndex** pVal) = 0;
    virtual com::HRESULT get_CUSTOM4(ICustomIndex** pVal) = 0;
    virtual com::HRESULT get_CUSTOM5(ICustomIndex** pVal) = 0;
    virtual com::HRESULT get_CUSTOM6(ICustomIndex** pVal) = 0;
    virtual com::HRESULT get_CUSTOM7(ICustomIndex** pVal) = 0;
    virtual com::HRESULT get_CUSTOM8(ICustomIndex** pVal) = 0;
    virtual com::HRESULT get_CUSTOM9(ICustomIndex** pVal) = 0;  // 57

    // --- Drawing features, dispids 97-106 (kinds 0-9) ---
    // vIndex: optional (missing = 0), the 0-based ordinal among the drawings of the kind, 0-5; an
    // ordinal at or beyond their number makes a new drawing of the kind.
    virtual com::HRESULT get_GannFan(const com::Variant& vIndex, IDrawFeature** pVal) = 0;
    virtual com::HRESULT get_FibonacciArcs(const com::Variant& vIndex, IDrawFeature** pVal) = 0;
    virtual com::HRESULT get_FibonacciFan(const com::Variant& vIndex, IDrawFeature** pVal) = 0;
    virtual com::HRESULT get_FibonacciRetracements(const com::Variant& vIndex, IDrawFeature** pVal) = 0;
    virtual com::HRESULT get_FibonacciTimeZones(const com::Variant& vIndex, IDrawFeature** pVal) = 0;
    virtual com::HRESULT get_MidPointTironeLevels(const com::Variant& vIndex, IDrawFeature** pVal) = 0;
    virtual com::HRESULT get_MeanTironeLevels(const com::Variant& vIndex, IDrawFeature** pVal) = 0;
    virtual com::HRESULT get_SpeedResistanceLines(const com::Variant& vIndex, IDrawFeature** pVal) = 0;
    virtual com::HRESULT get_QuadrantLines(const com::Variant& vIndex, IDrawFeature** pVal) = 0;
    virtual com::HRESULT get_TrendLine(const com::Variant& vIndex, IDrawFeature** pVal) = 0;

    // --- Members, dispids 107-116 ---
    virtual com::HRESULT get_ZoomRescale(com::VARIANT_BOOL* pVal) = 0;
    virtual com::HRESULT put_ZoomRescale(com::VARIANT_BOOL pVal) = 0;
    // Runs a lomexCmdID command as if it were chosen on the toolbar.
    virtual com::HRESULT FireCommand(com::LONG nCmdId) = 0;
    // Drawings of kind 0-9, or of every kind for -1.
    virtual com::HRESULT get_DrawingNumber(com::LONG nDraw, com::SHORT* pVal) = 0;
    // Every drawing of kind 0-9, or of every kind for -1.
    virtual com::HRESULT DeleteAllDrawing(com::LONG nDraw) = 0;
    virtual com::HRESULT get_Options(com::LONG* pVal) = 0;
    virtual com::HRESULT put_Options(com::LONG pVal) = 0;
    // lomexPropPageMask bits of the property pages offered.
    virtual com::HRESULT get_PropPageMask(com::LONG* val) = 0;
    virtual com::HRESULT put_PropPageMask(com::LONG val) = 0;
    // Drawing nIndex (0-based among its kind) of kind 0-9.
    virtual com::HRESULT DeleteDrawing(com::LONG nDraw, com::SHORT nIndex) = 0;
    virtual com::HRESULT get_FullTechnicalStudyAxis(com::LONG* pVal) = 0;
    virtual com::HRESULT put_FullTechnicalStudyAxis(com::LONG pVal) = 0;
    // Takes from the chart's command container every entry that is not one of the extension's chart-type
    // commands, and those chart-type commands whose bit is set (bit 0 Point and Figure .. bit 4
    // Analytical); all five bits set is refused.
    virtual com::HRESULT RemoveGalleryItems(com::LONG dwFEDeleteMask) = 0;
    virtual com::HRESULT get_Top2BottomStudyAxis(com::VARIANT_BOOL* pVal) = 0;
    virtual com::HRESULT put_Top2BottomStudyAxis(com::VARIANT_BOOL pVal) = 0;

protected:
    ~IFinancialCharts() = default;
};

}  // namespace dravik
