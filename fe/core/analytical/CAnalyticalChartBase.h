// The analytical chart: the prices together with technical studies in panes. It keeps the table of
// the studies it calculates, a series buffer that holds the data series of the chart followed by the
// output series of every study, three study axes and the price axis, and drives the calculation of
// every study through the study routines. The whole buffer is handed to the chart as its values.
//
// Series numbers are chart series (= buffer rows). Axis numbers 0-2 name the study axes (0 lowest on
// the plot), 3 the price axis. Ranges are data values; sizes and gaps percent of the plot height.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analytical/AnalyticalRecords.h"
#include "axes/AxisOwner.h"
#include "axes/CAnalyticalAxisBase.h"
#include "dravik/AxisInterfaces.h"
#include "dravik/SeriesInterfaces.h"
#include "drawing/DrawingRecord.h"
#include "gallery/CGalleryBase.h"
#include "gdi/Types.h"
#include "korvel/IKvlControl.h"
#include "series/SeriesAttributeChannel.h"
#include "state/AxisSettingsRecord.h"
#include "state/StudyRecord.h"

namespace dravik {

struct BoundPriceSeries;

inline constexpr LONG kGalleryFlagsAnalytical = 0x2897000;
inline constexpr SHORT kAnalyticalGalleryNumber = 134;
// Bytes the chart adds to the saved size.
inline constexpr LONG kAnalyticalPersistSize = 2280;
// Options bit: studies that are hidden leave the table when the chart is left.
inline constexpr LONG kOptionDropHiddenStudies = 8192;
// Options bit: the user may move the ends of the selected drawing.
inline constexpr LONG kOptionDrawingsMoveable = 512;
// The chart's style word bit of black-and-white painting.
inline constexpr LONG kStyleBlackAndWhite = 0x1000;

class CAnalyticalChartBase : public CGalleryBase, public IAnalyticalAxisChart, public SeriesOwner {
public:
    CAnalyticalChartBase(CFinancialCharts* owner, SHORT galleryNumber);
    ~CAnalyticalChartBase() override;

    // --- Overrides of the chart-type base ---
    LONG GetGalleryFlags() override { return kGalleryFlagsAnalytical; }
    // The chart draws every point itself.
    LONG DrawPoint(LONG* kind, KvlPaintRecord* record, LONG* mode) override;
    LONG Activate(LONG on, LONG selector) override;
    void GetPersistSize(LONG* size) override;
    LONG ExchangeProperties(CPropertyArchive& archive, LONG version, LONG flags) override;
    LONG OnActivate() override;
    void OnDeactivate() override;
    void SetDataUnit(LONG unit) override;
    // With the zoom option on, a view of part of the points fits every pane to the visible points.
    LONG OnScrollChange(LONG first, LONG last) override;
    // A value the application wrote into the chart goes into the buffer too, which the chart gets
    // again at every hand-over; 1 when it was taken.
    LONG ActiveGalleryCall(LONG code, LONG series, LONG point) override;
    // The delete-all command of a drawing kind empties that kind; other commands go to the base.
    LONG OnAxisMenuCommand(LONG message, std::intptr_t id, std::intptr_t record) override;
    // Pane codes 50-52 (study axes 0-2, E_FAIL while not in use) and 53 (the price axis); other axes
    // as the base.
    HRESULT CreateAxisObject(com::IUnknown** object, SHORT* axisOut, SHORT axis) override;
    // The price axis, the date axis and one per used study axis.
    LONG GetAxisCount() override;
    // Selector 0 the price axis (53), 1 the date axis, 2-4 the used study axes from the bottom.
    SHORT GetAxisName(LONG selector, SHORT* axis, char* text, LONG size) override;
    // The chart type's page (kind 1): the drawing page while a drawing is selected, else by the series
    // under the mouse: none for a price series (its page is the chart's own general page) or a user
    // study, the studies page for any other study and when no series was under the mouse.
    HRESULT GetPageClsid(LONG kind, com::CLSID* clsid) override;
    // The study of the series under the mouse (as last clicked) and its output index; -1 for a price
    // series or none.
    SHORT ContextStudy(SHORT* output);

    // --- Added operations ---
    // Enables each study and price command only while the series it needs are bound.
    virtual void EnableStudyCommands();
    // Keeps the check mark of a command in step with a state.
    virtual void SetCommandCheck(SHORT command, bool checked);

    // --- The study table ---
    void ClearStudyTable();
    void ResetAxes(bool createSettings);
    // Index of the first free entry; kStudyTableSize when the table is full.
    LONG FindFreeEntry() const;
    // The entry index, or -1 (nothing changed) when the table is full or the study number is bad.
    LONG AddStudy(SHORT study);
    LONG AddStudyRecord(SHORT study);
    // firstSeries -1: new rows; otherwise the study reads its values from the given series.
    LONG AddStudyWithSeries(SHORT study, SHORT firstSeries, bool onPriceAxis);
    LONG AddVolumeStudy();
    // The entry of a study, -1 when it is not in the table.
    LONG FindStudyEntry(SHORT study) const;
    const StudyTableEntry& entry(LONG index) const { return table_.at(static_cast<std::size_t>(index)); }
    LONG entryCount() const { return FindFreeEntry(); }
    // The visible flag of an entry alone, for a study toggled while another chart type is current.
    void setEntryVisible(LONG index, bool visible) {
        table_.at(static_cast<std::size_t>(index)).visible = visible ? 1 : 0;
    }
    // What loading the saved properties replaces: the study table and the axis records, with the
    // ranges the axes have now (which the saved properties do not hold). A load refused after the
    // chart type read its part puts them back as they were.
    struct TableAndAxes {
        std::array<StudyTableEntry, kStudyTableSize> table;
        std::array<StudyAxisRecord, kAxisRecordCount> axes;
    };
    TableAndAxes tableAndAxes() const { return {table_, axes_}; }
    void restoreTableAndAxes(const TableAndAxes& kept) {
        table_ = kept.table;
        axes_ = kept.axes;
    }

    // --- Calculation ---
    // Computes one study into its rows and sets its range.
    void ComputeStudy(LONG entry);
    void RefreshStudy(LONG entry);
    // Hands the buffer to the chart and refreshes one study.
    void RepaintStudy(LONG entry);
    // Shows or hides one study (only touching the series' visibility when neither shown nor visible).
    void CalculateStudy(LONG entry, bool show);
    void RecalculateStudies(SHORT priceDisplay);
    // Rebuilds the table from the study records.
    void RebuildStudies();
    // Price display kind 0-4 over points first..last (-1: all).
    void SetPriceDisplay(SHORT kind, LONG first, LONG last);
    // Undoes an exchange of the open and low series made for the price display, rows and numbers,
    // so that the chart holds the price series in the order the host gave them. Called before the
    // host names its open or low series: its numbers count in that order.
    void RestoreHostPriceOrder();

    // --- Axes ---
    SHORT PickStudyAxis(SHORT preferred);
    void LayoutStudyAxes();
    void UpdateStudyAxisRange(LONG entry);
    // Values 0 and 1 only.
    void SetStudyAxis(bool repaint, SHORT study, SHORT value);
    // Writes each axis's ranges to its control axis.
    void ApplyAxesToChart();
    // Every used pane takes the range of its values over points first..last (0-based) alone; nothing
    // changes for a view of one point.
    void FitAxesToPoints(LONG first, LONG last);
    // Every used pane takes the range of all its values again, as a full refresh leaves it.
    void FitAxesToAllPoints();
    void FitPriceAxisToShownSeries();
    const StudyAxisRecord& axisRecord(LONG axis) const { return axes_.at(static_cast<std::size_t>(axis)); }
    // The settings of the axis a study owns when it is shown on a study axis (kept by the extension);
    // null for a bad study number.
    AxisSettingsRecord* studyAxisSettings(SHORT study);
    // A new axis object over the study axis `axis` (0-2) as its owning study's settings; E_FAIL while
    // the axis is free.
    HRESULT CreateStudyAxisObject(SHORT axis, ILomexAxis** object);
    void setDrawingRangeSource(IDrawingRangeSource* source) { drawingRange_ = source; }

    // --- The series buffer ---
    LONG dataSeriesCount() const { return dataSeries_; }
    LONG studySeriesCount() const { return studySeries_; }
    LONG points() const { return points_; }
    // The row of a work series (-4..-1 the bound prices) or null without a buffer.
    double* GetSeriesData(LONG workSeries);
    // Hands the whole buffer to the chart as its values and has it take them.
    void HandBufferToChart();

    // --- What the extension hands out ---
    // The price axis object (bound to the price axis while this chart is current).
    HRESULT CreatePriceAxisObject(ILomexAxis** axis);
    // A series object over the record of a price series; bound to the chart series while this chart
    // is current.
    HRESULT CreatePriceSeriesObject(SHORT series, IIndexSeries** object);
    // The entry index the last add selected (-1 none).
    LONG selectedEntry() const { return selectedEntry_; }
    void setSelectedEntry(LONG entry) { selectedEntry_ = entry; }

    // --- IAnalyticalAxisChart ---
    bool GetAxisScale(LONG axisNumber, AnalyticalAxisScale& scale) override;
    void SetAxisScaleValue(LONG axisNumber, AnalyticalScaleField field, double value) override;
    bool IsCurrentChartType() override;
    SHORT StudyChartAxis() override;

    // --- Value-axis labels of the panes (AnalyticalLabels.cpp) ---
    // One label of the shared value axis: index 0 lays the panes out for the pass, every label is
    // matched to its pane, whose value, text, gap and grid pen and brush it hands back. The X axis
    // goes to the base.
    HRESULT GetAxisLabel(gdi::DeviceContext* dc, LONG axisCode, LONG major, double* gap, double position,
                         double* value, LONG* labelIndex, KvlTextBuffer* text) override;
    // The title rectangles of the used study panes (and the price pane's) from the plot and the axes.
    void ComputeTitleRects();
    // Whether the last minor label pass found the chart in black and white.
    bool blackAndWhite() const { return blackAndWhite_; }

    // --- Before each paint (AnalyticalBands.cpp) ---
    // Mirrors the band series and writes the attributes of every study output and of the price series
    // in use to the chart again; then the base prepares the paint and the pane titles are drawn.
    LONG OnActiveNotify(gdi::DeviceContext* dc, LONG force, LONG scaled) override;
    // An attribute the chart changed on one band series of a band study (Bollinger bands, envelopes)
    // is given to both of its band series.
    void MirrorBandSeries();
    void RewriteSeriesAttributes();
    // The title strips of the used study panes (AnalyticalTitles.cpp), drawn after the base's
    // preparation of each paint.
    void PaintPaneTitles(gdi::DeviceContext& dc);

    // --- SeriesOwner ---
    const res::ResourceModule* ResourceModule() override;
    void RepaintIfActive() override;
    HRESULT GetSeriesAxis(SHORT series, int study, SHORT* axis) override;
    HRESULT SetSeriesAxis(SHORT series, int study, SHORT axis) override;

    // --- Drawings, pane resizing and commands (AnalyticalDrawings.cpp, AnalyticalMouse.cpp,
    // AnalyticalCommands.cpp) ---
    // Closes the paint bracket: the drawings are painted over what the chart drew.
    LONG OnKeyInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG reserved) override;
    LONG OnButtonDown(LONG x, LONG y) override;
    LONG OnButtonUp(LONG x, LONG y) override;
    LONG OnMouseMove(LONG x, LONG y) override;
    LONG OnCommand(LONG id) override;
    // A right click on a series opens its context menu (price or study series); other clicks go to
    // the base's axis menu.
    LONG OnAxisRightClick(LONG x, LONG y) override;
    // A double click on a series makes it the series under the mouse and leaves the rest to the
    // chart (its property frame); a double click on an axis goes to the base.
    LONG OnAxisDoubleClick(const KvlHitRecord* hit, LONG x, LONG y, LONG keys) override;
    // The tracking line runs down the plot and leaves out the title of each used study pane.
    void DrawTrackingLine(LONG x) override;
    // Every shown drawing clipped to the plot, then the handles of the selected one.
    void PaintDrawings(gdi::DeviceContext* dc, bool printing);
    // The list index of the first shown drawing under the pixel, -1 none.
    int HitTestDrawing(LONG x, LONG y);
    // A line drawn in XOR with the rubber-band pen: drawing it again erases it.
    static void DrawRubberBand(gdi::DeviceContext* dc, gdi::Point from, gdi::Point to);
    // The drawing commands (new, menu, item); -1 for any other id.
    LONG MapDrawingCommand(SHORT command);
    // A command of the chart's bar or menus: 0 when it was the chart's, 1 otherwise.
    LONG HandleChartCommand(SHORT command);
    // The command lock: while it is held the chart's commands are offered to the client and do
    // nothing more. Each command holds it while it acts.
    bool commandLocked() const { return commandLock_; }
    void setCommandLock(bool locked) { commandLock_ = locked; }
    // The list index of the selected drawing, -1 none (the selection follows the drawing when the
    // drawings before it leave the list, and ends when it leaves).
    int selectedDrawing() const;
    // Selects a drawing (-1 none), inverting the handles away and back on the surface.
    void SelectDrawing(int index);
    // Hides by range every drawing that left the data's points (or, with the option that restricts
    // drawings to the price range, the price axis's range) and brings back those inside again; a
    // drawing the client disabled is left alone (AnalyticalDrawingRanges.cpp).
    void HideDrawingsByRange();
    // The kind's menu lists its drawings' items after its fixed entries; its "new" command is enabled
    // while the kind has room for another drawing.
    void SyncDrawingMenu(int kind);
    // A drawing that is not drawn on the user's prices takes its prices from its work series (-1 the
    // close, -2 low, -3 high, -4 open, else a chart series) at its two anchors. A price series that is
    // not bound leaves the prices as they are.
    void FollowWorkSeries(DrawingRecord& drawing);

protected:
    StudyRecord* record(SHORT study) const;
    LONG rowCount() const { return dataSeries_ + studySeries_; }
    bool GrowBuffer(LONG series);
    void LoadDataSet();
    void FreeBuffer();
    void WriteStudySeries(const StudyTableEntry& entry, bool legends);
    void BindAxisSettings(SHORT axis);
    void SaveActivationState();
    void RestoreActivationState();
    void DropHiddenStudies();
    void FullRefresh();
    void SwapOpenAndLow();
    std::vector<SHORT> PriceRows(SHORT kind) const;
    void RaiseDecimals(double min, double max);
    // Minimum and maximum of the rows over points first..last; false when none holds a value.
    bool PriceRange(const std::vector<SHORT>& rows, LONG first, LONG last, double& min, double& max) const;
    LONG DecimalsOfAxis(SHORT axis);
    LONG AddEntry(SHORT study, SHORT firstSeries, SHORT usedAxis, bool pickWhenVisible);
    BoundPriceSeries boundPrices() const;
    // The entry of the study that owns a study axis, -1 none.
    LONG EntryOfAxis(SHORT axis) const;

    std::array<StudyTableEntry, kStudyTableSize> table_{};
    std::array<StudyAxisRecord, kAxisRecordCount> axes_{};
    std::array<std::unique_ptr<CAnalyticalAxisBase>, kAxisRecordCount> axisSettings_;
    std::vector<double> buffer_;
    LONG dataSeries_ = 0;
    LONG studySeries_ = 0;
    LONG points_ = 0;
    LONG selectedEntry_ = -1;
    SHORT defaultDisplay_ = 0;
    IDrawingRangeSource* drawingRange_ = nullptr;  // not owned
    AdapterSeriesChannel seriesChannel_;
    // Saved on activation, put back on deactivation.
    // Every attribute and the legend of each chart series (the chart writes styles, visibility and
    // legends into them), and the data range codes of the axes.
    struct SavedSeries {
        std::array<LONG, korvel::kSeriesAttributeCount> attributes{};
        std::string legend;
    };
    std::vector<SavedSeries> savedSeries_;
    std::array<std::array<double, 2>, korvel::kAxisCount> savedDataRanges_{};
    LONG savedChartFlags_ = 0;
    LONG savedFlagD_ = 0;
    bool activationSaved_ = false;
    // The open and low series numbers (and rows) are exchanged for the price display against the
    // order of the chart's own data. Leaving the chart, whose data then go back as they were,
    // exchanges the numbers back; a host that names the series anew gets its order back first.
    bool openLowSwapped_ = false;
    // The rows of the price series the price display shows.
    std::vector<SHORT> priceRows_;
    // Label pass state (AnalyticalLabels.cpp).
    bool LayoutLabelPanes(gdi::DeviceContext* dc, bool major, double step);
    void ShowPaneGridOnChart();
    // The chart's Horizontal Grid button: every used pane's grid on or off as the user's choice.
    void SwitchPaneGrids();
    bool GivePaneLabel(gdi::DeviceContext& dc, LONG axisCode, bool major, LONG index, double* gap,
                       double* value, KvlTextBuffer* text);
    bool blackAndWhite_ = false;
    bool labelsLaidOut_ = false;
    bool axesFitToView_ = false;  // the panes show the ranges of a zoomed view's points
    LONG viewFirst_ = 0;          // that view's first and last point
    LONG viewLast_ = 0;

    // Drawings and mouse work.
    struct DrawingDrag {
        int index = -1;        // the drawing whose end is moved (or being placed), -1 none
        int end = 0;           // 1 or 2: the end that follows the mouse
        bool placing = false;  // a new drawing: its second end is set by the release
        bool bandShown = false;
        gdi::Point fixed{};  // the other end
        gdi::Point mouse{};
    };
    struct PaneResize {
        SHORT axis = kNoAxis;
        bool topEdge = false;
        LONG startY = 0;
        LONG y = 0;
        LONG minY = 0;
        LONG maxY = 0;
    };
    DrawingRecord* drawingAt(int index);
    // Runs `paint` on the chart's surface; false (nothing run) without one.
    bool PaintOnSurface(const std::function<void(gdi::DeviceContext*)>& paint);
    // The record in state "being placed"; -1 none.
    int PlacingDrawing() const;
    // The drawing's ends in pixels; false when an anchor is off the data.
    bool DrawingEnds(DrawingRecord& drawing, gdi::Point& a, gdi::Point& b);
    void PaintDrawing(gdi::DeviceContext* dc, DrawingRecord& drawing, bool wide);
    bool DrawingInsideRanges(DrawingRecord& drawing);
    void InvertHandles(gdi::DeviceContext* dc);
    void DrawResizeLine(LONG y);
    void ShowBand(bool show);
    // The study pane whose title edge (top row, or the row above its bottom) lies under the point.
    bool PaneEdgeAt(LONG x, LONG y, SHORT* axis, bool* topEdge);
    bool StartPaneResize(LONG x, LONG y);
    void SetResizeCursor();
    // The attribute record behind a chart series: a study output's (study set) or a bound price
    // series' (study -1); null for any other series.
    SeriesAttributeRecord* SeriesRecordAt(LONG series, SHORT* study);
    void SetContextSeriesGallery(SHORT gallery);
    // Marks the attributes of `mask` as set in the record and writes them to the series under the mouse.
    void WriteContextSeries(SeriesAttributeRecord& attributes, std::uint32_t mask);
    // The palette pop-up for the series under the mouse; the colour chosen becomes its colour.
    void ChooseContextSeriesColor();
    // The chart's series property dialog for the series under the mouse; what the user confirmed is
    // kept in the series' record.
    void EditContextSeriesProperties();
    // The tick of a drawing's item follows whether its drawing is shown (the menu turns it over when
    // chosen, also when the command then does nothing).
    void SyncDrawingItemCheck(SHORT item);
    void ApplyPaneResize();
    void EndPlacing(int index);
    void FinishPlacing(LONG x, LONG y);
    LONG OnDrawingPress(LONG x, LONG y);
    // Makes the study or price series at the pixel the series under the mouse (-1 when there is none).
    void NoteSeriesUnderMouse(LONG x, LONG y);
    std::uint32_t selectedId_ = 0;  // the selected drawing's id in the list, 0 none
    std::array<gdi::Rect, 2> handles_{};
    DrawingDrag drag_;
    PaneResize resize_;
    LONG contextSeries_ = -1;    // the series under the mouse at the last click or context menu
    gdi::Point contextPoint_{};  // where that menu opened (client pixels)
    bool commandLock_ = false;
};

}  // namespace dravik
