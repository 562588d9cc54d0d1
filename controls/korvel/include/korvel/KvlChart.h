// The chart control object without its window: the model behind every interface the chart offers
// (the application's IKvlChart, both forms of the extensions' control interface, the site and the
// services) and the driver of the extensions it hosts. The drawing widget sits on top of it.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "com/ComObject.h"
#include "com/ConnectionPoint.h"
#include "gdi/DeviceContext.h"
#include "korvel/IKvlChart.h"
#include "korvel/IKvlControl.h"
#include "korvel/KvlChartModel.h"
#include "korvel/KvlContract.h"
#include "korvel/KvlExtensionDriver.h"
#include "korvel/KvlLabelLoop.h"
#include "korvel/KvlLayout.h"
#include "korvel/KvlOverlay.h"
#include "korvel/KvlSeriesDialog.h"
#include "korvel/KvlTemplateFile.h"
#include "korvel/KvlZoomDrag.h"
#include "ostbar/OstBarContract.h"
#include "ostbar/OstCommandBar.h"
#include "ui/Cursors.h"
#include "ui/PropertyFrameRequest.h"
#include "ui/WindowHandle.h"

class QPrinter;

namespace korvel {

// ProgID of the chart control.
inline constexpr const char* kChartProgId = "KorvelLibCtl.Korvel";

// The chart's own commands that its command bar offers and that it handles itself.
inline constexpr LONG kCommandZoom = 29448;
inline constexpr LONG kCommandZoomOut = 29440;
inline constexpr LONG kCommandVerticalGrid = 29449;
inline constexpr LONG kCommandHorizontalGrid = 29450;
inline constexpr LONG kCommandLegendBox = 29463;
inline constexpr LONG kCommandProperties = 29451;
// Opens the property frame on the active gallery's page of the kind given as the command's parameter
// (3: the drawing page), with the chart type's other pages beside it.
inline constexpr LONG kCommandExtensionPage = 29697;
// The bar's print button prints as the print command does (kCommandPrint of IKvlChart.h).
inline constexpr LONG kCommandPrintButton = 29442;
inline constexpr LONG kCommandCopy = 29464;
inline constexpr LONG kCommandCopyBitmap = 29471;
inline constexpr LONG kCommandCopyMetafile = 29472;

// The control's own tips for the areas of the chart away from any point.
inline constexpr const char* kAreaTipXAxis = "X Axis";
inline constexpr const char* kAreaTipYAxis = "Y Axis";
inline constexpr const char* kAreaTipTitle = "&Top title";
inline constexpr const char* kAreaTipPlot = "Plot area";
inline constexpr const char* kAreaTipChart = "Chart area";

// Pixels to twips of the extender's Width and Height.
inline constexpr LONG kTwipsPerPixel = 15;

// The tip the chart shows for a point, and where it came from.
struct KvlTip {
    enum class Source { None, Extension, ToolTip, Legend, Area };
    std::string text;
    Source source = Source::None;
};
class KvlChart final
    : public com::ComObject<IKvlChart, IKvlControlA, IKvlControlW, IKvlExtensionSite, IKvlExtensionServices,
                            ostbar::IOstToolbarHost, com::IConnectionPointContainer> {
public:
    KvlChart();

    static com::ComPtr<KvlChart> create() { return com::makeComObject<KvlChart>(); }

    KvlChartModel& model() { return model_; }
    const KvlChartModel& model() const { return model_; }
    KvlExtensionDriver& extensions() { return driver_; }
    // The chart's own command bar, whose command collection the extensions get (QueryInfo kind 26).
    ostbar::OstCommandBar& commandBar() { return *commandBar_; }
    // The command bars of extensions shown with the chart, in order.
    const std::vector<com::ComPtr<ostbar::IOstCommandBar>>& hostedBars() const { return hostedBars_; }
    // Objects registered with the chart under a command id (the studies tool of an extension).
    const std::map<LONG, com::ComPtr<com::IUnknown>>& commandObjects() const { return commandObjects_; }
    // Told when a hosted bar or a registered object comes or goes (the widget that shows them);
    // empty: nobody.
    void setHostedListener(std::function<void()> listener) { hostedListener_ = std::move(listener); }
    // The installed extension callback (null when none).
    IKvlExtensionCallback* callback() const { return callback_.get(); }
    // QueryInfo's answer without a record: 0 system colours, non-zero the fixed colour table.
    void setSiteInfo(LONG info) { siteInfo_ = info; }
    LONG repaintCount() const { return repaints_; }
    LONG dataRefreshCount() const { return dataRefreshes_; }
    // How often the chart was painted into its surface (the screen's pictures).
    LONG surfacePaintCount() const { return surfacePaints_; }

    // The data changed from outside the extensions: rescale and tell the active gallery.
    void dataChanged();
    // One paint of the chart through the extension paint bracket; a printer or metafile DC (or
    // `printing`) makes it a scaled paint, wrapped in the callback chain's ReadDrawArea and
    // ClearDrawArea.
    LONG paint(gdi::DeviceContext* dc, const KvlRect& rect, bool printing);
    // The labels of the last paint with a DC.
    const std::vector<KvlDrawnLabel>& drawnLabels() const { return drawnLabels_; }
    // The legend box of the last paint (empty when none was drawn).
    const KvlRect& drawnLegend() const { return drawnLegend_; }

    // Input goes to an attached overlay first, then to the callback chain; true when one of them took
    // it (the chart then does nothing more). Otherwise the chart does its own: in zoom mode a drag in
    // the plot zooms to the points dragged over (with an XOR rubber band), the arrow, page, Home and
    // End keys scroll a zoomed chart. Every move raises MouseMoving first.
    bool buttonDown(LONG x, LONG y, LONG keys = 0);
    bool buttonUp(LONG x, LONG y, LONG keys = 0);
    bool mouseMove(LONG x, LONG y, LONG keys = 0);
    bool keyDown(LONG key, LONG keys);
    // Double click and right click: on an axis they go to the chain with the hit record.
    bool doubleClick(LONG x, LONG y, LONG keys);
    bool rightClick(LONG x, LONG y);
    // The mouse capture was taken away: tracking ends without a release.
    void captureLost(LONG x, LONG y);
    // Runs a command of the chart's command bar: switches a check command (unless the bar switched it
    // already), raises InternalCommand (result 1 ends it there), offers the command to the callback
    // chain, then does the chart's own action unless the chain handled it, and raises Command.
    bool runCommand(LONG id, bool checkSwitched = false);
    // True while the chart's own zoom drag runs.
    bool ownZoomDragging() const { return zoomDrag_.active(); }
    // The rubber band of the chart's own zoom drag as drawn on the surface (empty: none).
    const std::optional<KvlRect>& rubberBand() const { return zoomDrag_.band(); }
    // Scrolls a zoomed chart by a number of points (negative: back); false when it did not move.
    bool scrollBy(double points);
    // The mouse began to hover over the chart (over it, no button held), and stopped (it left, or a
    // button went down): the callback chain, then the HoverOn/HoverOff events.
    void hoverOn(LONG x, LONG y);
    void hoverOff(LONG x, LONG y);
    // The mouse left the chart.
    void mouseLeave(LONG x, LONG y);
    // The tip to show at a point after the GetTip event; nullopt when none shows.
    std::optional<std::string> tipToShow(LONG x, LONG y);

    // Something drawn over the chart (see KvlOverlay.h); null detaches. Held without a reference: the
    // overlay detaches itself before it goes away.
    void attachOverlay(KvlOverlay* overlay) { overlay_ = overlay; }
    KvlOverlay* overlay() const { return overlay_; }
    // Where the parts of the chart go at its client size.
    KvlLayout layout() const;
    // The chart's own chart type (a gallery of KvlGallery below the first extension type).
    LONG ownChartType() const { return chartType_; }
    bool toolBarShown() const { return toolBarShown_; }
    // Told when ToolBar changes (the widget showing the bar); empty: nobody.
    void setToolBarListener(std::function<void(bool shown)> listener) {
        toolBarListener_ = std::move(listener);
    }
    // Told when an extension hands the chart a new table of values, which may lack what the
    // application wrote into the series itself. Called inside the extension's call; empty: nobody.
    void setValuesListener(std::function<void()> listener) { valuesListener_ = std::move(listener); }
    // Whether the chart's values hold every value the application wrote with ValueAt since the chart
    // last got new data (an extension's table of its own may have replaced them).
    bool holdsWrittenValues() const;

    // The tip for a point (see the tip rules of KvlContract.h); the last one is kept as the shown tip.
    KvlTip tipText(LONG x, LONG y);
    const KvlTip& shownTip() const { return shownTip_; }

    // Told when Width or Height sets the control's size, in pixels: the widget showing the chart takes
    // it as its outer size and gives the chart's window what its bars leave. Empty: no such widget,
    // and the chart's client area is the whole size.
    void setSizeListener(std::function<void(LONG width, LONG height)> listener);
    // The widget showing the chart has that outer size now (pixels); Width and Height report it.
    void controlResized(LONG width, LONG height) { controlSize_ = KvlPoint{width, height}; }

    // The window the chart is shown in (none until the chart widget gives it one).
    void setWindow(const ui::WindowHandle& window);
    // The chart's surface: a back buffer of the client size, made on first use; null for a zero size.
    gdi::DeviceContext* surface();
    // Paints the chart into its surface (a screen paint) and clears what was marked.
    void paintSurface();
    // What InvalidateRect marked since the last paint of the surface (empty: nothing).
    const std::optional<KvlRect>& invalidRect() const { return invalid_; }
    ui::HCURSOR cursor() const { return cursor_; }

    // The property frame of the active gallery's page of a kind (1 the chart type's, 2 the axis page):
    // owned by the chart's window, with the chart as its one object. With `everyPage` (always for kind
    // 1) it also holds every page the extension lists for the chart type. S_FALSE (and no pages) when no
    // gallery is active or it names no page.
    HRESULT propertyFrameRequest(LONG kind, ui::PropertyFrameRequest* request, bool everyPage = false);
    // Shows that frame modally, its pages made by class id through the class registry.
    HRESULT showPropertyFrame(LONG kind, bool everyPage = false);
    // The series property dialog (kCommandSeriesProperties) for one series: its look is written back
    // when the user confirms (*changed 1). E_INVALIDARG for a series the chart does not have.
    HRESULT showSeriesDialog(LONG series, LONG* changed);
    // Runs the series property dialog instead of the Qt dialog (empty: the Qt dialog again).
    void setSeriesDialogRunner(KvlSeriesDialogRunner runner) { seriesDialog_ = std::move(runner); }
    // The connection point of the chart's events, for raising them.
    com::ConnectionPoint& events() { return *events_; }

    // Reads a provider's rows by the column kinds (2 value, 3 x value, 4 legend).
    HRESULT loadRows(IKvlDataProvider* provider);

    // --- IKvlChart ---
    HRESULT AddExtension(const com::Bstr& progId, com::IUnknown** extension) override;
    HRESULT get_PointCount(LONG* count) override;
    HRESULT get_ValueAt(SHORT series, LONG point, double* value) override;
    HRESULT get_PointXValue(LONG point, double* value) override;
    HRESULT put_ValueAt(SHORT series, LONG point, double value) override;
    HRESULT get_XValueAt(SHORT table, LONG point, double* value) override;
    HRESULT put_XValueAt(SHORT table, LONG point, double value) override;
    HRESULT get_SeriesCount(LONG* count) override;
    HRESULT get_Series(IKvlCollection** series) override;
    HRESULT get_ChartType(LONG* type) override;
    HRESULT put_ChartType(LONG type) override;
    HRESULT get_ColumnKind(SHORT column, SHORT* kind) override;
    HRESULT put_ColumnKind(SHORT column, SHORT kind) override;
    HRESULT get_TextAt(LONG index, com::Bstr* text) override;
    HRESULT put_TextAt(LONG index, const com::Bstr& text) override;
    HRESULT SetDataProvider(com::IUnknown* provider) override;
    HRESULT PixelToValue(LONG x, LONG y, double* position, double* value, SHORT axis) override;
    HRESULT ValueToPixel(double position, double value, LONG* x, LONG* y, SHORT axis) override;
    HRESULT get_TipText(com::Bstr* text) override;
    HRESULT put_TipText(const com::Bstr& text) override;
    HRESULT get_Zoom(com::VARIANT_BOOL* zoomed) override;
    HRESULT put_Zoom(com::VARIANT_BOOL zoomed) override;
    HRESULT ShowRange(double first, double low, double last, double high) override;
    HRESULT get_ToolBar(com::VARIANT_BOOL* shown) override;
    HRESULT put_ToolBar(com::VARIANT_BOOL shown) override;
    HRESULT get_ToolBarObject(com::IUnknown** toolbar) override;
    HRESULT RunCommand(LONG id, LONG parameter) override;
    HRESULT get_Setting(SHORT number, LONG* value) override;
    HRESULT put_Setting(SHORT number, LONG value) override;
    HRESULT get_ChartColor(LONG* color) override;
    HRESULT put_ChartColor(LONG color) override;
    HRESULT get_Object80(com::IUnknown** object) override;
    HRESULT get_Width(LONG* twips) override;
    HRESULT put_Width(LONG twips) override;
    HRESULT get_Height(LONG* twips) override;
    HRESULT put_Height(LONG twips) override;
    HRESULT get_ChartCompanyID(com::Bstr* id) override;
    HRESULT put_ChartCompanyID(const com::Bstr& id) override;
    HRESULT ExportFile(LONG format, const com::Bstr& path) override;
    HRESULT ImportFile(LONG format, const com::Bstr& path, LONG* result) override;

    // --- output (KvlChartOutput.cpp) ---
    // The chart drawn afresh at its client size, as on screen; null for an empty client area.
    std::unique_ptr<gdi::DeviceContext> drawnImage();
    // The same drawing recorded as an enhanced metafile; empty for an empty client area.
    QByteArray drawnMetafile();
    // The chart on one page of the printer, as large as the page allows with its proportions kept.
    bool printTo(QPrinter& printer);
    // The print command: the print dialog, then the chart on the printer chosen.
    bool printWithDialog();
    // The preview command: the chart in the print preview.
    bool printPreview();
    // The chart on the clipboard as a bitmap, or as a metafile (with the bitmap beside it).
    bool copyToClipboard(bool metafile);
    // The chart's look and its extensions' saved state, and the file holding them.
    KvlTemplate captureTemplate();
    bool exportTemplate(const QString& path);
    LONG importTemplate(const QString& path);

    // --- IKvlControlCore ---
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

    // --- IKvlControlA ---
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

    // --- IKvlControlW ---
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

    // --- IKvlExtensionSite ---
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

    // --- IKvlExtensionServices ---
    HRESULT GetProperty(LONG* value, void** pointer, LONG argument, LONG kind) override;
    HRESULT SetProperty(LONG seriesCount, LONG pointCount, KvlValueBlock* block, LONG kind) override;

    // --- IConnectionPointContainer ---
    HRESULT FindConnectionPoint(const com::IID& iid, com::IConnectionPoint** point) override;

    // --- IOstToolbarHost ---
    HRESULT AddCommandBar(ostbar::IOstCommandBar* bar, LONG position, LONG flags) override;
    HRESULT RemoveCommandBar(ostbar::IOstCommandBar* bar) override;

protected:
    // Interfaces of the attached extensions, asked for through the chart (the site).
    HRESULT queryAggregate(const com::IID& iid, void** object) override;

private:
    ~KvlChart() override;

    // Calls `method` of the installed callback; 0 without one.
    template <typename Method, typename... Args>
    LONG callChain(Method method, Args... args);
    void scrolled();
    // Ends a zoom: every point again, the value axes scaled to them.
    void showWholeChart();
    bool overlayTakes(KvlMouseAction action, LONG x, LONG y, LONG keys = 0);
    // The chart's own action of one of its commands.
    void ownCommand(LONG id);
    // A gallery command that an extension registered: its gallery becomes the chart type. False for
    // any other command.
    bool switchToGalleryOf(LONG id);
    // The bar's commands show what the chart shows: the grid and legend commands checked while their
    // part is drawn, Zoom Out enabled only while something is zoomed, the active gallery's command
    // checked.
    void syncCommandStates();
    // The chart's own paint below the extension bracket: background, plot area and frame.
    // Widens (or narrows back) the strip left of the plot to the widest value label just drawn; true
    // when the plot moved. Every later paint (printer and metafile too) keeps that strip.
    bool fitLabelStrip();
    void paintBackground(gdi::DeviceContext& dc, const KvlLayout& layout);
    void paintTitleAndLegend(gdi::DeviceContext& dc, const KvlLayout& layout);
    void paintAxisTitles(gdi::DeviceContext& dc, const KvlLayout& layout);
    // The legend box when shown: where it was placed, or in the plot's corner when it has no place.
    void paintLegend(gdi::DeviceContext& dc, const KvlLayout& layout);
    // The visible series with a legend, in series order.
    std::vector<const KvlSeriesState*> legendEntries() const;
    // An element the active extension left to the chart while from-values are in use.
    void drawFloatingBar(gdi::DeviceContext& dc, const KvlPaintRecord& record);
    // Points the active gallery left to the chart, in the chart's own galleries.
    void drawLeftPoints(gdi::DeviceContext& dc, const std::vector<LONG>& points);
    // The surface changed outside a paint: the window shows it again.
    void surfaceChanged();
    KvlTip areaTip(const KvlHitRecord& hit) const;
    void applyLook(const KvlTemplateLook& look);
    // Attaches the template's extensions in order and loads their saved state; false at the first
    // one that cannot be created or refuses its state.
    bool attachExtensions(const std::vector<KvlTemplateExtension>& extensions);
    // The extender's size changed: the widget showing the chart, else the window and the chart take it.
    void resizeClient(LONG width, LONG height);
    // The control's outer size in pixels: the widget's when one shows the chart, else the client size.
    LONG controlWidth() const;
    LONG controlHeight() const;

    std::string* text(LONG index);
    std::string* axisTitle(SHORT position);
    HRESULT flag(LONG* out, LONG value) const;

    KvlChartModel model_;
    KvlExtensionDriver driver_;
    com::ComPtr<IKvlExtensionCallback> callback_;
    // Objects registered under a command id; an id space of its own, apart from the bar's commands.
    std::map<LONG, com::ComPtr<com::IUnknown>> commandObjects_;
    com::ComPtr<ostbar::OstCommandBar> commandBar_;
    com::ConnectionPointList points_;
    com::ComPtr<com::ConnectionPoint> events_;
    std::vector<com::ComPtr<ostbar::IOstCommandBar>> hostedBars_;
    std::function<void()> hostedListener_;
    com::ComPtr<com::IUnknown> font_;
    std::map<SHORT, SHORT> columnKinds_;
    KvlHitRecord lastHit_;
    KvlPoint mouse_;  // where the mouse was last pressed, moved or released
    std::vector<KvlDrawnLabel> drawnLabels_;
    KvlRect drawnLegend_;
    KvlTip shownTip_;
    // Counts the tool-tip texts handed over, so a tip call can tell whether it got one.
    LONG toolTipsSet_ = 0;
    KvlZoomDrag zoomDrag_;
    KvlOverlay* overlay_ = nullptr;
    KvlSeriesDialogRunner seriesDialog_;
    bool toolBarShown_ = true;
    std::function<void(bool)> toolBarListener_;
    std::function<void(LONG, LONG)> sizeListener_;
    std::optional<KvlPoint> controlSize_;  // x: width, y: height, while a widget shows the chart
    std::function<void()> valuesListener_;
    // What the application wrote with ValueAt since the last new data, by series and point.
    std::map<std::pair<LONG, LONG>, double> writtenValues_;
    std::map<SHORT, LONG> settings_;  // Setting(n)
    std::string companyId_;
    com::ComPtr<com::IUnknown> options_;
    ui::WindowHandle window_;
    std::unique_ptr<gdi::DeviceContext> surface_;
    std::optional<int> surfaceDcLevel_;  // saved state of the surface DC while it is handed out
    std::optional<KvlRect> invalid_;
    ui::HCURSOR cursor_{};
    bool painting_ = false;
    // Set while the chart is drawn for a copy, a file or a printer rather than for the screen.
    bool outputPaint_ = false;
    bool queryingExtensions_ = false;
    LONG chartType_ = 0;
    LONG siteInfo_ = 0;
    LONG repaints_ = 0;
    LONG dataRefreshes_ = 0;
    LONG surfacePaints_ = 0;
    LONG mouseCapture_ = 0;
    SHORT selectedSeries_ = -1;
    LONG firstVisiblePoint_ = 0;
    LONG pointsPerPage_ = 0;
    LONG openDataKind_ = -1;
};

template <typename Method, typename... Args>
LONG KvlChart::callChain(Method method, Args... args) {
    // The chain may uninstall itself during the call.
    const com::ComPtr<IKvlExtensionCallback> chain = callback_;
    return chain ? (chain.get()->*method)(args...) : 0;
}

}  // namespace korvel
