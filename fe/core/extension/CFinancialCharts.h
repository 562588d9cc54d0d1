// FinancialCharts, the object the chart control loads as the financial-chart extension
// ("Lomex.Financial"). It owns the six chart types, the command-bar objects and the studies tool, lets
// the control drive the chart types through the control-side interfaces, hooks itself into the
// chart's callback chain while one of its chart types is active, and raises DLomex_Events.
//
// It also holds the state its COM surface and its chart types share: the settings block, the series
// binding, the price-series and study records, the study-parameter entries, the drawing list, the
// special charts' series records, each study's axis settings and the Data buffer.
//
// COM identities: IFinancialCharts (and IDispatch for late binding), the four control-side extension
// interfaces, the callback interface, ISpecifyPropertyPages, the command bar's message receiver, the
// connection-point container and IPersistStream (its state inside the chart's stream); while attached
// it also hands out the site it is attached to (IKvlExtensionSite), so that a page bound to the object
// finds the chart.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "axes/AxisOwner.h"
#include "com/ConnectionPoint.h"
#include "com/PropertyPages.h"
#include "dravik/DrawingInterfaces.h"
#include "dravik/IFinancialCharts.h"
#include "drawing/CDrawingFeatures.h"
#include "drawing/CDrawingList.h"
#include "drawing/DrawingOwner.h"
#include "drawing/DrawingPageOwner.h"
#include "extension/CChartCallbackChain.h"
#include "extension/CChartExtensionBase.h"
#include "extension/CExtensionEvents.h"
#include "extension/ExtensionMembers.h"
#include "extension/ExtensionSavedState.h"
#include "gallery/ChartTypes.h"
#include "ostbar/OstBarContract.h"
#include "series/SeriesAttributeRecord.h"
#include "state/ExtensionSettings.h"
#include "state/SeriesBinding.h"
#include "state/StudyRecord.h"
#include "storage/Persist.h"
#include "studiestool/CStudiesTool.h"
#include "studiestool/StudiesToolOwner.h"
#include "studyobjects/StudyOwner.h"
#include "studyobjects/StudySeriesChannel.h"
#include "ui/WindowHandle.h"

namespace dravik {

class CAnalyticalChartBase;

// State of an entry in the table of command states: checked.
inline constexpr LONG kCommandStateChecked = 2;
// Entries of the indicator menus that the extension itself puts there; entries beyond them were
// added by the user and go when the analytical chart is left.
inline constexpr SHORT kPriceIndicatorMenuEntries = 11;
inline constexpr SHORT kTechnicalIndicatorMenuEntries = 30;
// Studies (state/StudyRecord.h): 38 built-in ones, then 10 user and 10 custom studies; the first 12 are
// drawn over the prices.
inline constexpr LONG kPriceIndicatorStudyCount = 12;
inline constexpr LONG kStudyNumberCount = static_cast<LONG>(kStudyCount);
inline constexpr LONG kBuiltInStudyNumberCount = static_cast<LONG>(kBuiltInStudyCount);
// The study records that the user studies occupy.
inline constexpr LONG kUserStudyCount = 10;
// The caption of the chart while the extension is attached, and the series it prepares.
inline constexpr const char* kChartCaption = "Financial";
inline constexpr LONG kPreparedSeriesCount = 56;
// Bit of the chart's flags word that allows the context menu.
inline constexpr LONG kChartFlagContextMenu = 0x4;

// A study-parameter entry: three parameter blocks, picked by GetStudyParamBlock.
struct StudyParameterEntry {
    std::array<StudyParameters, 3> blocks;
};

class CFinancialCharts final : public CChartExtensionBase,
                               public CChartCallbackChain,
                               public IFinancialCharts,
                               public com::ISpecifyPropertyPages,
                               public ostbar::IOstMessageReceiver,
                               public com::IConnectionPointContainer,
                               public IAxisOwner,
                               public IDrawingOwner,
                               public IDrawingPageOwner,
                               public IDrawingSelection,
                               public IStudyOwner,
                               public com::IPersistStream {
public:
    CFinancialCharts();
    // With the maker of the chart types; construction fails (throws) unless it makes all six.
    explicit CFinancialCharts(const ChartTypeFactory& makeChartType);

    // --- IUnknown, for every interface of the object ---
    HRESULT QueryInterface(const com::IID& iid, void** object) override;
    com::ULONG AddRef() override { return CChartExtensionBase::AddRef(); }
    com::ULONG Release() override { return CChartExtensionBase::Release(); }

    // --- Overrides of the extension base ---
    LONG IsGalleryEnabled(LONG index) override;
    HRESULT GetPageClsid(LONG index, LONG kind, com::CLSID* clsid) override;
    LONG MapGalleryItemId(LONG a, LONG b, LONG id) override;
    void OnAttachCommands(com::IUnknown* chart) override;
    void OnDetachCommands(IKvlExtensionSite* site) override;
    void OnActivateCommands(LONG active) override;
    void PrepareChart(com::IUnknown* chart) override;
    HRESULT SetResourceLanguage(const std::u16string& fileName, LONG* loaded) override;

    // --- IDispatch and late binding ---
    HRESULT Invoke(com::DISPID dispid, std::span<com::Variant> args) override;
    HRESULT InvokeMember(com::DISPID dispid, std::uint16_t flags, std::span<com::Variant> args,
                         com::Variant* result) override;

    // --- IFinancialCharts (dispatch order) ---
    HRESULT get_Commands(ostbar::IOstToolbar** toolbar) override;
    HRESULT get_DateAxis(ILomexDateAxis** axis) override;
    HRESULT get_DateInfo(com::VARIANT_BOOL* value) override { return getFlag(value, settings_.dateInfo); }
    HRESULT put_DateInfo(com::VARIANT_BOOL value) override;
    HRESULT get_CurrentGallery(SHORT* index) override;
    HRESULT get_DateLine(com::VARIANT_BOOL* value) override { return getFlag(value, settings_.dateLine); }
    HRESULT put_DateLine(com::VARIANT_BOOL value) override { return putFlag(settings_.dateLine, value); }
    HRESULT get_GalleryType(SHORT index, LONG* type) override;
    HRESULT get_BuyMask(com::Bstr* text) override { return getMask(settings_.buyMask, text); }
    HRESULT put_BuyMask(const com::Bstr& text) override { return putMask(settings_.buyMask, text); }
    HRESULT get_SellMask(com::Bstr* text) override { return getMask(settings_.sellMask, text); }
    HRESULT put_SellMask(const com::Bstr& text) override { return putMask(settings_.sellMask, text); }
    HRESULT get_Data(LONG index, double* value) override;
    HRESULT put_Data(LONG index, double value) override;
    HRESULT get_DataUnit(LONG* unit) override;
    HRESULT put_DataUnit(LONG unit) override;
    HRESULT get_BreakInSemester(com::VARIANT_BOOL* value) override {
        return getFlag(value, settings_.breakInSemester);
    }
    HRESULT put_BreakInSemester(com::VARIANT_BOOL value) override {
        return putFlag(settings_.breakInSemester, value);
    }
    HRESULT get_BreakInQuarter(com::VARIANT_BOOL* value) override {
        return getFlag(value, settings_.breakInQuarter);
    }
    HRESULT put_BreakInQuarter(com::VARIANT_BOOL value) override {
        return putFlag(settings_.breakInQuarter, value);
    }
    HRESULT Language(const com::Bstr& resource, LONG* loaded) override;
    HRESULT get_OpenSeries(SHORT* series) override { return getShort(series, binding_.openSeries); }
    HRESULT put_OpenSeries(SHORT series) override { return putOpenOrLow(binding_.openSeries, series); }
    HRESULT get_HighSeries(SHORT* series) override { return getShort(series, binding_.highSeries); }
    HRESULT put_HighSeries(SHORT series) override { return putShort(binding_.highSeries, series); }
    HRESULT get_LowSeries(SHORT* series) override { return getShort(series, binding_.lowSeries); }
    HRESULT put_LowSeries(SHORT series) override { return putOpenOrLow(binding_.lowSeries, series); }
    HRESULT get_CloseSeries(SHORT* series) override { return getShort(series, binding_.closeSeries); }
    HRESULT put_CloseSeries(SHORT series) override { return putShort(binding_.closeSeries, series); }
    HRESULT get_VolumeSeries(SHORT* series) override { return getShort(series, binding_.volumeSeries); }
    HRESULT put_VolumeSeries(SHORT series) override { return putShort(binding_.volumeSeries, series); }
    HRESULT get_UserSeries(SHORT* count) override { return getShort(count, binding_.userSeries); }
    HRESULT put_UserSeries(SHORT count) override { return putShort(binding_.userSeries, count); }
    HRESULT get_FirstUserIndex(SHORT* series) override { return getShort(series, binding_.firstUserIndex); }
    HRESULT put_FirstUserIndex(SHORT series) override { return putShort(binding_.firstUserIndex, series); }
    HRESULT get_SeriesDataErr(LONG* code) override;
    HRESULT GetKvlSeries(SHORT series, SHORT* chartSeries) override;
    HRESULT GetUsedSeries(SHORT series, SHORT* code) override;
    HRESULT get_WorkSeries(LONG* series) override;
    HRESULT put_WorkSeries(LONG series) override;
    HRESULT get_AutoRecalc(com::VARIANT_BOOL* value) override;
    // -1 sets the flag (and recalculates), any other value clears it.
    HRESULT put_AutoRecalc(com::VARIANT_BOOL value) override;
    HRESULT get_PointAndFigure(IPointFigure** object) override;
    HRESULT get_Renko(IRenko** object) override;
    HRESULT get_Kagi(IKagi** object) override;
    HRESULT get_ThreeLineBreak(IThreeLineBreak** object) override;
    HRESULT get_ToolBar(com::VARIANT_BOOL* shown) override;
    // Shows the financial toolbar (only while the analytical chart is active) or hides it.
    HRESULT put_ToolBar(com::VARIANT_BOOL show) override;
    HRESULT get_ToolBarObj(ostbar::IOstToolbarObj** toolbar) override;
    HRESULT get_StudiesTool(com::VARIANT_BOOL* shown) override;
    HRESULT put_StudiesTool(com::VARIANT_BOOL show) override;
    HRESULT get_StudiesToolObj(IStudiesTool** tool) override;
    HRESULT get_PriceStartInZero(com::VARIANT_BOOL* value) override;
    HRESULT put_PriceStartInZero(com::VARIANT_BOOL value) override;
    HRESULT get_PriceDisplay(SHORT* display) override;
    HRESULT put_PriceDisplay(SHORT display) override;
    HRESULT get_PriceSeries(SHORT series, IIndexSeries** object) override;
    HRESULT get_PricesAxis(ILomexAxis** axis) override;
    HRESULT get_SimpleMA10(IIndex** study) override { return getStudy(DISPID_FirstStudy + 0, study); }
    HRESULT get_SimpleMA50(IIndex** study) override { return getStudy(DISPID_FirstStudy + 1, study); }
    HRESULT get_SimpleMA200(IIndex** study) override { return getStudy(DISPID_FirstStudy + 2, study); }
    HRESULT get_SimpleMA(IIndex** study) override { return getStudy(DISPID_FirstStudy + 3, study); }
    HRESULT get_ExponentialMA(IIndex** study) override { return getStudy(DISPID_FirstStudy + 4, study); }
    HRESULT get_TriangularMA(IIndex** study) override { return getStudy(DISPID_FirstStudy + 5, study); }
    HRESULT get_WeightedMA(IIndex** study) override { return getStudy(DISPID_FirstStudy + 6, study); }
    HRESULT get_BollingerBand(IIndex** study) override { return getStudy(DISPID_FirstStudy + 7, study); }
    HRESULT get_VOLUME(IIndex** study) override { return getStudy(DISPID_FirstStudy + 8, study); }
    HRESULT get_PriceVolumeTrend(IIndex** study) override { return getStudy(DISPID_FirstStudy + 9, study); }
    HRESULT get_NegativeVolumeIndex(IIndex** study) override {
        return getStudy(DISPID_FirstStudy + 10, study);
    }
    HRESULT get_OnBalanceVolume(IIndex** study) override { return getStudy(DISPID_FirstStudy + 11, study); }
    HRESULT get_RateOfChange(IIndex** study) override { return getStudy(DISPID_FirstStudy + 12, study); }
    HRESULT get_RateOfChangePercentual(IIndex** study) override {
        return getStudy(DISPID_FirstStudy + 13, study);
    }
    HRESULT get_AccumulationDistributionIndicator(IIndex** study) override {
        return getStudy(DISPID_FirstStudy + 14, study);
    }
    HRESULT get_ChaikinOscillator(IIndex** study) override { return getStudy(DISPID_FirstStudy + 15, study); }
    HRESULT get_MoneyFlowIndex(IIndex** study) override { return getStudy(DISPID_FirstStudy + 16, study); }
    HRESULT get_CommodityChannelIndex(IIndex** study) override {
        return getStudy(DISPID_FirstStudy + 17, study);
    }
    HRESULT get_LanesStochastics(IIndex** study) override { return getStudy(DISPID_FirstStudy + 18, study); }
    HRESULT get_DetrendedPriceOscillator(IIndex** study) override {
        return getStudy(DISPID_FirstStudy + 19, study);
    }
    HRESULT get_MACD(IIndex** study) override { return getStudy(DISPID_FirstStudy + 20, study); }
    HRESULT get_RSI(IIndex** study) override { return getStudy(DISPID_FirstStudy + 21, study); }
    HRESULT get_AverageTrueRange(IIndex** study) override { return getStudy(DISPID_FirstStudy + 22, study); }
    HRESULT get_MOMENTUM(IIndex** study) override { return getStudy(DISPID_FirstStudy + 23, study); }
    HRESULT get_PositiveVolumeIndex(IIndex** study) override {
        return getStudy(DISPID_FirstStudy + 24, study);
    }
    HRESULT get_StandardDeviation(IIndex** study) override { return getStudy(DISPID_FirstStudy + 25, study); }
    HRESULT get_TRIX(IIndex** study) override { return getStudy(DISPID_FirstStudy + 26, study); }
    HRESULT get_WilliamsR(IIndex** study) override { return getStudy(DISPID_FirstStudy + 27, study); }
    HRESULT get_ENVELOPES(IIndex** study) override { return getStudy(DISPID_FirstStudy + 28, study); }
    HRESULT get_MedianPrice(IIndex** study) override { return getStudy(DISPID_FirstStudy + 29, study); }
    HRESULT get_TypicalPrice(IIndex** study) override { return getStudy(DISPID_FirstStudy + 30, study); }
    HRESULT get_WeightedClose(IIndex** study) override { return getStudy(DISPID_FirstStudy + 31, study); }
    HRESULT get_EaseOfMovement(IIndex** study) override { return getStudy(DISPID_FirstStudy + 32, study); }
    HRESULT get_MassIndex(IIndex** study) override { return getStudy(DISPID_FirstStudy + 33, study); }
    HRESULT get_PERFORMANCE(IIndex** study) override { return getStudy(DISPID_FirstStudy + 34, study); }
    HRESULT get_VHF(IIndex** study) override { return getStudy(DISPID_FirstStudy + 35, study); }
    HRESULT get_VolumeOscillator(IIndex** study) override { return getStudy(DISPID_FirstStudy + 36, study); }
    HRESULT get_VolatilityChaikins(IIndex** study) override {
        return getStudy(DISPID_FirstStudy + 37, study);
    }
    HRESULT get_USER0(IIndex** study) override { return getStudy(DISPID_FirstStudy + 38, study); }
    HRESULT get_USER1(IIndex** study) override { return getStudy(DISPID_FirstStudy + 39, study); }
    HRESULT get_USER2(IIndex** study) override { return getStudy(DISPID_FirstStudy + 40, study); }
    HRESULT get_USER3(IIndex** study) override { return getStudy(DISPID_FirstStudy + 41, study); }
    HRESULT get_USER4(IIndex** study) override { return getStudy(DISPID_FirstStudy + 42, study); }
    HRESULT get_USER5(IIndex** study) override { return getStudy(DISPID_FirstStudy + 43, study); }
    HRESULT get_USER6(IIndex** study) override { return getStudy(DISPID_FirstStudy + 44, study); }
    HRESULT get_USER7(IIndex** study) override { return getStudy(DISPID_FirstStudy + 45, study); }
    HRESULT get_USER8(IIndex** study) override { return getStudy(DISPID_FirstStudy + 46, study); }
    HRESULT get_USER9(IIndex** study) override { return getStudy(DISPID_FirstStudy + 47, study); }
    HRESULT get_CUSTOM0(ICustomIndex** study) override { return getStudy(DISPID_FirstStudy + 48, study); }
    HRESULT get_CUSTOM1(ICustomIndex** study) override { return getStudy(DISPID_FirstStudy + 49, study); }
    HRESULT get_CUSTOM2(ICustomIndex** study) override { return getStudy(DISPID_FirstStudy + 50, study); }
    HRESULT get_CUSTOM3(ICustomIndex** study) override { return getStudy(DISPID_FirstStudy + 51, study); }
    HRESULT get_CUSTOM4(ICustomIndex** study) override { return getStudy(DISPID_FirstStudy + 52, study); }
    HRESULT get_CUSTOM5(ICustomIndex** study) override { return getStudy(DISPID_FirstStudy + 53, study); }
    HRESULT get_CUSTOM6(ICustomIndex** study) override { return getStudy(DISPID_FirstStudy + 54, study); }
    HRESULT get_CUSTOM7(ICustomIndex** study) override { return getStudy(DISPID_FirstStudy + 55, study); }
    HRESULT get_CUSTOM8(ICustomIndex** study) override { return getStudy(DISPID_FirstStudy + 56, study); }
    HRESULT get_CUSTOM9(ICustomIndex** study) override { return getStudy(DISPID_FirstStudy + 57, study); }
    HRESULT get_GannFan(const com::Variant& ordinal, IDrawFeature** drawing) override {
        return getDrawing(0, ordinal, drawing);
    }
    HRESULT get_FibonacciArcs(const com::Variant& ordinal, IDrawFeature** drawing) override {
        return getDrawing(1, ordinal, drawing);
    }
    HRESULT get_FibonacciFan(const com::Variant& ordinal, IDrawFeature** drawing) override {
        return getDrawing(2, ordinal, drawing);
    }
    HRESULT get_FibonacciRetracements(const com::Variant& ordinal, IDrawFeature** drawing) override {
        return getDrawing(3, ordinal, drawing);
    }
    HRESULT get_FibonacciTimeZones(const com::Variant& ordinal, IDrawFeature** drawing) override {
        return getDrawing(4, ordinal, drawing);
    }
    HRESULT get_MidPointTironeLevels(const com::Variant& ordinal, IDrawFeature** drawing) override {
        return getDrawing(5, ordinal, drawing);
    }
    HRESULT get_MeanTironeLevels(const com::Variant& ordinal, IDrawFeature** drawing) override {
        return getDrawing(6, ordinal, drawing);
    }
    HRESULT get_SpeedResistanceLines(const com::Variant& ordinal, IDrawFeature** drawing) override {
        return getDrawing(7, ordinal, drawing);
    }
    HRESULT get_QuadrantLines(const com::Variant& ordinal, IDrawFeature** drawing) override {
        return getDrawing(8, ordinal, drawing);
    }
    HRESULT get_TrendLine(const com::Variant& ordinal, IDrawFeature** drawing) override {
        return getDrawing(9, ordinal, drawing);
    }
    HRESULT get_ZoomRescale(com::VARIANT_BOOL* value) override {
        return getFlag(value, settings_.zoomRescale);
    }
    HRESULT put_ZoomRescale(com::VARIANT_BOOL value) override {
        return putFlag(settings_.zoomRescale, value);
    }
    // Chosen as if from the command bar.
    HRESULT FireCommand(LONG id) override;
    HRESULT get_DrawingNumber(LONG kind, SHORT* count) override;
    HRESULT DeleteAllDrawing(LONG kind) override;
    HRESULT get_Options(LONG* options) override;
    HRESULT put_Options(LONG options) override;
    HRESULT get_PropPageMask(LONG* mask) override;
    HRESULT put_PropPageMask(LONG mask) override;
    HRESULT DeleteDrawing(LONG kind, SHORT ordinal) override;
    HRESULT get_FullTechnicalStudyAxis(LONG* value) override;
    HRESULT put_FullTechnicalStudyAxis(LONG value) override;
    HRESULT RemoveGalleryItems(LONG deleteMask) override;
    HRESULT get_Top2BottomStudyAxis(com::VARIANT_BOOL* value) override {
        return getFlag(value, settings_.top2BottomStudyAxis);
    }
    HRESULT put_Top2BottomStudyAxis(com::VARIANT_BOOL value) override {
        return putFlag(settings_.top2BottomStudyAxis, value);
    }

    // --- IOstMessageReceiver ---
    HRESULT OnToolbarMessage(std::intptr_t window, LONG message, std::intptr_t wParam, std::intptr_t lParam,
                             LONG* result) override;

    // --- IPersistStream: the extension's state inside the chart's stream (FinancialPersist.cpp) ---
    HRESULT GetClassID(com::CLSID* clsid) override;
    // Always S_OK: the state is always offered for saving.
    HRESULT IsDirty() override { return com::S_OK; }
    // All or nothing: a stream that is refused (E_INVALIDARG for another signature or a newer
    // version, E_FAIL for a broken end signature, or the failure of the part that was damaged)
    // leaves the extension, its chart types and its toolbar as they were.
    HRESULT Load(com::IStream* stream) override;
    HRESULT Save(com::IStream* stream, com::BOOL clearDirty) override;
    // Never less than what a save would write now.
    HRESULT GetSizeMax(com::ULONGLONG* size) override;

    // --- IConnectionPointContainer ---
    HRESULT FindConnectionPoint(const com::IID& iid, com::IConnectionPoint** point) override {
        return events_.find(iid, point);
    }

    // --- Members the chart types and the COM surface use ---
    CExtensionEvents& events() { return events_; }
    ChartTypeState& chartTypeState() { return chartTypeState_; }
    // Recalculates the active special chart when AutoRecalc is on, then repaints.
    void RecalcActiveGallery();
    bool autoRecalc() const { return autoRecalc_; }
    // The series the special charts build from (WorkSeries).
    LONG workSeries() const { return workSeries_; }
    // The chart's window: owner of the frames, dialogs and menus the extension opens; empty while
    // detached or while the chart is not shown.
    ui::WindowHandle hostWindow() const;
    // Opens the popup `menuId` at a client point when the chart allows context menus.
    HRESULT ShowContextMenu(SHORT menuId, LONG x, LONG y);
    // Gives consecutive chart series [first, first + count) one colour.
    HRESULT SetSeriesRange(SHORT first, SHORT count, LONG color);
    // The studies tool, made on first use; registered with the chart under its command id when asked.
    com::IUnknown* GetStudiesToolObject(bool registerWithChart);
    // The studies tool object itself (null until made).
    CStudiesTool* studiesToolForTests() const { return studiesTool_.get(); }
    bool isBusy() const { return busy_; }
    void setBusy(bool busy) { busy_ = busy; }
    SHORT toolbarId() const { return toolbarId_; }
    ostbar::IOstCommandBar* commandBar() const { return commandBar_.get(); }
    // The command's state in the table of command states (0 when it has no entry).
    LONG commandState(SHORT id) const;
    void setCommandState(SHORT id, LONG state);
    // The name of study 0-57 as its study record holds it, and whether it is drawn over the prices.
    std::string studyName(LONG study) const;
    bool isPriceIndicator(LONG study) const;
    // While the analytical chart is active: puts the study's command into its indicator menu when it is
    // missing there and gives it the study's name (and, for RegisterStudyCommand, its check mark).
    void RegisterStudyCommand(LONG study, bool checked);
    void UpdateStudyCommand(LONG study);
    // Sets the caption of a command the command bar knows.
    void SetCommandText(SHORT id, const std::string& text);
    void SetCommandEnabled(SHORT id, bool enabled);
    bool priceStartInZero() const { return priceStartInZero_; }
    // Number of user studies in use.
    LONG userStudyCount() const { return userStudyCount_; }

    // --- IAxisOwner: what the axis objects it hands out view ---
    com::IUnknown* AxisOwnerIdentity() override { return identity(); }
    CHostChartAdapter* AxisAdapter() override { return adapter(); }
    void RepaintAxisChart() override;
    ExtensionSettings& AxisSettingsBlock() override { return settings_; }
    void ApplyDateSteps(SHORT step, SHORT every, SHORT minorStep, SHORT minorEvery) override;

    // --- IDrawingOwner: what the drawing objects it hands out view ---
    com::IUnknown* DrawingOwnerIdentity() override { return identity(); }
    const CDateScale* DrawingDateScale() override { return &settings_.dateScale; }
    std::span<const double> DrawingPointDates() override { return chartTypeState_.dataCache.xValues; }
    loc::LCID DrawingDateLocale() override { return settings_.dateAxis.locale; }
    const AxisSettingsRecord* DrawingPriceAxis() override { return &settings_.priceAxis; }
    // Through the analytical chart type while it is active.
    void FollowDrawingSeries(DrawingRecord& record) override;
    void RepaintDrawings() override { RepaintIfActive(); }
    // A drawing enabled again may lie outside the data: the analytical chart hides it by range.
    void RefreshDrawings() override;
    void SetDrawingCommandChecked(std::int16_t command, bool checked) override;
    void SetDrawingCommandText(std::int16_t command, const std::string& text) override {
        SetCommandText(command, text);
    }
    void DrawingAdded(int index) override;
    void DrawingRemoved(int index, std::int16_t kind, std::int16_t command) override;
    // Through the installed drawing dialogs (extension/DrawingDialogs.h); false without them.
    bool RunDrawingParameters(IDrawFeature& feature, std::intptr_t parent) override;
    void RaiseDrawingEvent(DrawingEvent event, LONG kind, SHORT ordinal) override;

    // --- IDrawingPageOwner: what the drawing page and the drawing dialogs edit through ---
    CDrawingFeatures& PageDrawings() override { return drawings_; }
    IDrawingOwner& PageDrawingOwner() override { return *this; }
    IFinancialCharts& PageExtension() override { return *this; }
    IKvlExtensionSite* PageSite() override { return site(); }
    CHostChartAdapter* PageAdapter() override { return adapter(); }
    const SeriesBinding& PageSeriesBinding() override { return binding_; }
    const StudyRecord* PageStudyRecord(int study) override { return studyRecord(study); }
    int PageSelectedDrawing() override;

    // --- IDrawingSelection (FinancialCommands.cpp) ---
    HRESULT SelectDrawing(com::LONG kind, com::SHORT position) override;

    // --- IStudyOwner: what the study objects it hands out view (FinancialStudyOwner.cpp) ---
    com::IUnknown* StudyOwnerIdentity() override { return identity(); }
    StudyRecord* StudyRecordOf(int study) override { return studyRecord(study); }
    const res::ResourceModule* StudyResourceModule() override { return GetResourceInstance().get(); }
    SeriesAttributeChannel* StudyOutputChannel() override { return &studyChannel_; }
    SHORT FirstUserSeries() override { return binding_.firstUserIndex; }
    void StudyNameChanged(int study) override { UpdateStudyCommand(study); }
    void StudySetUp(int study, bool checked) override {
        RegisterStudyCommand(study, checked);
        if (studiesTool_)
            studiesTool_->UpdateStatus(static_cast<SHORT>(study));
    }
    void RepaintStudies() override { RepaintIfActive(); }
    bool IsAnalyticalChartActive() override;
    SHORT FindStudyEntry(int study, bool* shown) override { return FindCalculatedStudy(study, shown); }
    SHORT StudyFirstSeries(int study) override;
    HRESULT ShowStudy(int study, bool show) override { return ToggleStudy(study, !show); }
    void LayOutStudyAxes(int study) override;
    void RecalculateStudy(int study) override;
    HRESULT CreateStudyAxis(int study, ILomexAxis** axis) override;

    // --- State the chart types, pages and saved state share ---
    ExtensionSettings& settings() { return settings_; }
    SeriesBinding& seriesBinding() { return binding_; }
    // Study record 0-57; null outside.
    StudyRecord* studyRecord(LONG study);
    StudyParameterEntry* studyParameterEntry(LONG study);
    SeriesAttributeRecord& priceSeriesRecord(std::size_t which) { return priceSeriesRecords_.at(which); }
    CDrawingList& drawingList() { return drawings_.list(); }
    // The drawings with the objects handed out over them, for the chart type and the pages.
    CDrawingFeatures& drawingFeatures() { return drawings_; }
    // The series records of special chart 0-3 (Point & Figure, Renko, Kagi, Three Line Break) and the
    // axis settings of study 0-57, as saved with the extension; null outside.
    SeriesAttributeRecord* specialChartSeriesRecord(LONG chart);
    AxisSettingsRecord* studyAxisSettings(LONG study);
    // The Data buffer; replaced as a whole by whoever fills it.
    void setDataBuffer(std::vector<double> values) { data_ = std::move(values); }
    const std::vector<double>& dataBuffer() const { return data_; }

    // The study object of a study member (dispid 39-96), and the drawing feature of kind 0-9 at an
    // ordinal (a missing variant is 0). The pointer handed out is the object's IIndex (ICustomIndex
    // for studies 48-57) or IDrawFeature interface, which the typed getters pass on as it is.
    HRESULT GetStudyObject(com::DISPID dispid, com::IUnknown** study);
    HRESULT GetDrawingObject(LONG kind, const com::Variant& ordinal, com::IUnknown** drawing);

    // --- Coordinates, property pages and study selection ---
    // Kinds 0 value -> position, 1 position -> value over the date scale's current table; 2 reads the
    // values from the text, 3 appends them to it (korvel::KvlCoordinate, one point per entry).
    HRESULT ConvertCoordinates(LONG index, LONG kind, KvlCoordinate* points, LONG count, LONG reserved,
                               KvlTextBuffer* text) override;
    // ISpecifyPropertyPages: the pages of the active chart type that PropPageMask lets through.
    HRESULT GetPages(std::vector<com::CLSID>* pages) override;
    // The analytical chart type; null when the chart types were made by another maker.
    CAnalyticalChartBase* analyticalChart() const;
    // The study of the series last clicked on the analytical chart and its output index (-1, -1 for
    // none, a price series or another chart type active): the studies page opens on it.
    SHORT StudyUnderMouse(SHORT* output) const;
    // The slot of a study in the analytical chart's calculated list (-1 none) and whether it is shown.
    SHORT FindCalculatedStudy(LONG study, bool* shown);
    // Puts a study into the analytical chart's calculation; the slot or -1.
    SHORT AddStudy(LONG study);
    // Shows (hide false) or hides a study.
    HRESULT ToggleStudy(LONG study, bool hide);
    // A study the analytical chart added with its series (its slot): selected while the chart is
    // current, and listed by the studies tool.
    void StudyAdded(LONG study, LONG entry);
    // VOLUME and MACD draw as bars unless a gallery was chosen for them.
    void SetDefaultStudyGalleries();
    // The parameter block of a study-parameter entry that a study of calculation `type` uses for `kind`.
    static StudyParameters& GetStudyParamBlock(StudyParameterEntry& entry, LONG type, LONG kind);
    HRESULT UpdateCommandTexts(LONG galleryTypeBase, LONG firstId) override;

protected:
    ~CFinancialCharts() override;

    IKvlExtensionCallback* callbackInterface() override { return this; }
    com::ComPtr<IKvlExtensionCallback>& previousCallbackSlot() override { return previous_; }
    CGalleryBase* callbackTarget() const override;

private:
    struct CommandStateEntry {
        SHORT id;
        LONG state;
    };

    static HRESULT getShort(SHORT* out, SHORT value);
    static HRESULT putShort(SHORT& field, SHORT value);
    // The open or the low series number, counted in the order of the host's data.
    HRESULT putOpenOrLow(SHORT& field, SHORT value);
    static HRESULT getFlag(com::VARIANT_BOOL* out, std::uint8_t flag);
    static HRESULT putFlag(std::uint8_t& flag, com::VARIANT_BOOL value);
    HRESULT getMask(CResourceText& mask, com::Bstr* text);
    HRESULT putMask(CResourceText& mask, const com::Bstr& text);
    // The study object of a study member (dispid 39-96).
    // Every interface pointer is an IUnknown pointer: the typed getters pass on the typed interface
    // that the untyped ones hand out.
    template <typename Study>
    HRESULT getStudy(com::DISPID dispid, Study** study) {
        return GetStudyObject(dispid, reinterpret_cast<com::IUnknown**>(study));
    }
    void deleteAllOfKind(LONG kind);
    HRESULT getDrawing(LONG kind, const com::Variant& ordinal, IDrawFeature** drawing) {
        return GetDrawingObject(kind, ordinal, reinterpret_cast<com::IUnknown**>(drawing));
    }
    // The date scale's current position table (X values of positions 0 .. count - 1), empty when none.
    std::vector<double> positionTable() const;
    // The analytical chart's delete-all command of one drawing kind.
    void createCommandBar();
    void ShowFinancialToolbar(bool show, bool attach);
    void registerToolbarEntry(bool show);
    void trimIndicatorMenu(SHORT menu, SHORT keep);
    void placeStudyCommand(LONG study);
    void enableStudyCommands();
    void applyCommandStates();
    void showStudiesTool(bool show);
    // The site's command collection (QueryInfo kind 26), kept for the commands' later use.
    void keepReportedCollection();
    // The saved state in one direction (FinancialPersist.cpp); the toolbar saves itself into
    // `stream` at the archive's position.
    HRESULT storeState(CPropertyArchive& archive, com::IStream* stream);
    HRESULT loadState(CPropertyArchive& archive, com::IStream* stream);
    HRESULT exchangeChartTypes(CPropertyArchive& archive, std::uint32_t version, std::uint32_t flags);
    HRESULT loadToolbarBlock(CPropertyArchive& archive, com::IStream* stream);
    std::unique_ptr<ExtensionSavedState> captureSavedState();
    void applySavedState(ExtensionSavedState&& state);
    std::uint8_t studiesToolShownNow();

    // Command-bar objects: the bar, its toolbar, a second interface of it, the studies tool.
    com::ComPtr<ostbar::IOstCommandBar> commandBar_;
    com::ComPtr<ostbar::IOstToolbar> toolbar_;
    com::ComPtr<ostbar::IOstToolbarObj> toolbarObj_;
    com::ComPtr<CStudiesTool> studiesTool_;
    // What the studies tool sees of this object.
    std::unique_ptr<StudiesToolOwner> studiesToolOwner_;
    // The Data buffer of the COM surface.
    std::vector<double> data_;
    // Open, high, low and close series attributes; the studies' records and parameter entries.
    std::array<SeriesAttributeRecord, 4> priceSeriesRecords_;
    std::vector<StudyRecord> studies_;
    std::vector<StudyParameterEntry> studyParameters_;
    // The axis settings of each study, and the channel of the study outputs' series objects (it
    // reaches the chart only while the object is attached).
    StudySeriesChannel studyChannel_{[this] { return adapter(); }};
    // Constructed after the settings it reads and destroyed before them; disconnected first of all
    // in the destructor.
    CDrawingFeatures drawings_{*this};
    LONG userStudyCount_ = 0;
    LONG workSeries_ = -1;
    // On, as a chart that never loaded a saved state has it: a change of a special chart type's
    // settings then builds its figure again at once.
    bool autoRecalc_ = true;
    bool priceStartInZero_ = false;
    ChartTypeState chartTypeState_;
    ExtensionStateFields stateFields_ = MakeDefaultStateFields();
    // The settings block, which chart series hold the prices, the volume and the user series, and the
    // price display, as the chart types share them.
    ExtensionSettings& settings_ = chartTypeState_.extension;
    SeriesBinding& binding_ = chartTypeState_.binding;
    SHORT& priceDisplay_ = chartTypeState_.priceDisplay;
    // Set while the extension changes the chart itself; no chart type is offered then.
    bool busy_ = false;
    // Commands: the first study command id, the toolbar's entry, the collection last reported, states.
    SHORT firstStudyCommandId_ = -1;
    SHORT toolbarId_ = -1;
    com::ComPtr<ostbar::IOstCommands> keptCommands_;
    bool studiesToolRegistered_ = false;
    bool barHosted_ = false;
    LONG keptContainerId_ = 0;
    std::vector<CommandStateEntry> commandStates_;
    CExtensionEvents events_;
};

// The studies tool's view of the extension object (FinancialStudiesTool.cpp).
std::unique_ptr<StudiesToolOwner> MakeStudiesToolOwner(CFinancialCharts& charts);

}  // namespace dravik
