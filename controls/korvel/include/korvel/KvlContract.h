// The contract between the chart control and the extensions it hosts.
//
// This header is the one place where the shapes of the records, data blocks and property kinds that
// pass between the control and an extension are fixed, together with when the control makes each call
// and what the extension makes of it. Chart types depend on them, so change them only together with
// every caller.
//
// Directions:
//   control -> extension: IKvlExtension, IKvlExtensionPaint, IKvlExtensionGallery,
//                         IKvlExtensionScroll (the extension implements them), and the installed
//                         IKvlExtensionCallback.
//   extension -> control: IKvlExtensionSite (with its window channel) and IKvlExtensionServices (the
//                         chart object answers them; an extension keeps them without a reference while
//                         it is attached), and the main control interface of IKvlControl.h through its
//                         chart adapter.
//
// Who gets what: only the extension whose gallery is the active chart type gets the paint bracket and
// the gallery calls of a paint. Every other extension (the annotation extension, loaded before it, for
// one) sees input only through the callback chain: the callback installed last runs first and calls
// the one installed before it (AdviseCallback hands that one back), so the earlier extension's answer
// comes first and a non-zero answer from it ends the call.
//
// When the control calls each operation (index = the extension's 0-based gallery index):
//
//   IKvlExtension
//     SetChart (chart)               load, after creating the extension by ProgID; SetChart (null) at
//                                    unload, after the active gallery was deactivated
//     GetCaption (record)            not called by this control
//     SetHostData (value)            not called by this control
//   IKvlExtensionGallery
//     GetGalleryCount                load, right after SetChart: numbers the galleries as chart types
//     UpdateCommandTexts (type, id)  load, after GetGalleryCount: first chart type and command id
//     IsGalleryEnabled (index)       each change of the chart type to one of the extension's, before
//                                    ActivateGallery; 0 refuses the change
//     ActivateGallery (index, on, -1) chart type change: (old, 0, -1) for the gallery left, then
//                                    (new, 1, -1); (active, 0, -1) at unload
//     NotifyGallery (index, 1)       data change (rows loaded, a data refresh) while a gallery is active
//     ActiveGalleryCall (index, kGalleryCallValueWritten, series, point)
//                                    the application wrote a value with ValueAt while a gallery is
//                                    active, after the chart holds it: a gallery that keeps its own
//                                    copy of the chart's values and hands it to the chart again
//                                    (SetProperty kValues) takes the value into that copy, so that the
//                                    next hand-over does not undo the write
//     GetGalleryCapabilities, GetGalleryInfo, GalleryQuery, GalleryAction, MapGalleryItemId,
//     ConvertCoordinates, ModifyGalleryFlags
//                                    not called by this control
//     GetPageClsid (index, 1, out)   the chart's Properties command opens the property frame on the
//                                    active gallery's page, with the pages the extension lists
//                                    through ISpecifyPropertyPages (kind 2, the axis page, is the
//                                    extension's own)
//     ActiveGalleryNotify, GetGalleryAxisLabel, GalleryCommand: each paint, below
//   IKvlExtensionPaint and the paint bracket (each paint while a gallery is active, in this order):
//     1. Paint (dc, rect, flags)              kPaintPrinting for a printer or metafile DC; the
//                                            extension's fill of the chart's area, which the chart's
//                                            background and plot are then painted over
//     2. OnMouseInput (dc, rect, scaled)      set-up: scaled 1 on a printer or metafile DC, else 0
//     3. ActiveGalleryNotify (index, dc, 0, scaled)
//     4. GetGalleryAxisLabel, the label loop of each labelled axis (see "the label loop" below)
//     5. GalleryCommand (record, &kind, &mode) once per point of series 0, kPaintFirst on the first,
//        kPaintLast on the last. The gallery leaves the point to the chart by answering kind
//        kDrawKindChart or mode 0 (it paints no point itself); mode 1 with another kind means it
//        drew the point. While from-values are in use a point left with kDrawKindChart is drawn at
//        once as the bar from the record's start row to its end row, bar width wide and centred in
//        the slot, in the pen and brush selected in the DC (a box chart's element). The other points
//        left are drawn after the last GalleryCommand in the chart's own galleries, every visible
//        series in its own gallery and attributes (see KvlGallery)
//     6. OnGalleryNotify (dc, kNotifyPaintEnd, 0)
//     7. OnKeyInput (dc, rect, 0)             end of the bracket: the scaled flag is cleared
//     A paint onto a printer or metafile is further wrapped in the callback chain's ReadDrawArea
//     (before 1) and ClearDrawArea (after 7).
//   IKvlExtensionScroll
//     OnScrollChange (first, last)   the visible X range changed (zoom, scroll, reset)
//     OnScrollPosition, ScrollReserved: not called by this control
//   IKvlExtensionCallback (the installed one; a non-zero answer ends the chart's own handling). Mouse
//   input goes first to a control attached over the chart (KvlOverlay.h); what it takes never
//   reaches the chain.
//     0 AxisDoubleClick, 4 AxisRightClick   double click and right click on an axis or a series (the
//                                           hit record's code tells which); a double click on a
//                                           series left to the chart opens its property frame as
//                                           the Properties command does
//     1 ButtonDown, 6 MouseMove, 2 ButtonUp the left button pressed, the mouse moved, released; before
//                                           the chart's own zoom drag
//     3 CancelTracking                      the chart lost the mouse capture or Escape was pressed
//     12 PointTipText, 13 TipText           a tip is wanted for a point (see the tip rules below)
//     16 KeyDown                            a key pressed on the chart
//     24 Command                            a command of the chart's command bar runs, after the chart
//                                           has switched its check state and the application's
//                                           InternalCommand event left it to the chart, before its
//                                           own action
//     5 MouseLeave                          the mouse left the chart's window
//     14 HoverOn, 15 HoverOff               the mouse began to hover over the chart (it is over it
//                                           with no button held) and stopped (it left, or a button
//                                           went down); before the application's events of the same
//                                           names
//     7 ReadDrawArea, 8 ClearDrawArea       around a paint onto a printer or metafile
//     23 DataChanged                        the chart's data changed, after NotifyGallery
//     26 ScrollChanged                      the visible X range changed, after OnScrollChange
//     the other methods                     not called by this control
//
// Text inside an extension is UTF-8; the site and the services take none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "com/Unknown.h"

// Drawing types of the platform's drawing layer, declared here so that this contract needs no more.
namespace gdi {
class DeviceContext;
enum class HGDIOBJ : std::uint32_t;
using HFONT = HGDIOBJ;
}  // namespace gdi

// Window types of the platform's window layer (ui/WindowHandle.h, ui/Cursors.h).
namespace ui {
class WindowHandle;
enum class HCURSOR : std::uint32_t;
}  // namespace ui

namespace korvel {

using com::HRESULT;
using com::LONG;
using com::SHORT;

// A point without a value holds exactly this.
inline constexpr double kNoValue = 1e308;

// A rectangle in client pixels; right and bottom are exclusive.
struct KvlRect {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;

    LONG width() const { return right - left; }
    LONG height() const { return bottom - top; }
    friend bool operator==(const KvlRect&, const KvlRect&) = default;
};

// A point in client pixels (or, after ClientToScreen, screen pixels).
struct KvlPoint {
    LONG x = 0;
    LONG y = 0;
    friend bool operator==(const KvlPoint&, const KvlPoint&) = default;
};

// ---------------------------------------------------------------------------------------------------
// Data blocks
//
// A value block is a table of doubles, series-major: the value of series s at point p is
// values[s * pointCount + p]. Blocks are move-only and owned by exactly one side at any time:
//  - IKvlExtensionServices::GetProperty with kCopyFlag hands the caller a new copy; the caller owns it.
//  - GetProperty without kCopyFlag hands the caller the chart's own block; the chart is left without
//    that table (no series for kind 1, no from-values for kind 5) and the caller owns the block.
//  - IKvlExtensionServices::SetProperty always takes the block over, also when it fails (it is then
//    freed); the caller must not touch it afterwards. A null block gives a table of the given size
//    filled with kNoValue.
//  - IKvlExtensionGallery::GalleryAction lends a block: it stays owned by the extension and the chart
//    copies what it keeps before the next call into the extension.
// Blocks are freed with delete (std::unique_ptr<KvlValueBlock>); every library of the process shares
// one allocator.
class KvlValueBlock {
public:
    KvlValueBlock() = default;
    // Inline, so that an extension can make a block without linking the control.
    KvlValueBlock(LONG seriesCount, LONG pointCount, double fill = kNoValue)
        : seriesCount_(seriesCount > 0 ? seriesCount : 0),
          pointCount_(pointCount > 0 ? pointCount : 0),
          values_(static_cast<std::size_t>(seriesCount_) * static_cast<std::size_t>(pointCount_), fill) {}
    KvlValueBlock(const KvlValueBlock&) = delete;
    KvlValueBlock& operator=(const KvlValueBlock&) = delete;
    KvlValueBlock(KvlValueBlock&&) = default;
    KvlValueBlock& operator=(KvlValueBlock&&) = default;

    std::unique_ptr<KvlValueBlock> clone() const;

    LONG seriesCount() const { return seriesCount_; }
    LONG pointCount() const { return pointCount_; }
    bool contains(LONG series, LONG point) const {
        return series >= 0 && series < seriesCount_ && point >= 0 && point < pointCount_;
    }
    // The caller checks contains() first.
    double at(LONG series, LONG point) const { return values_[index(series, point)]; }
    double& at(LONG series, LONG point) { return values_[index(series, point)]; }
    const std::vector<double>& values() const { return values_; }

private:
    std::size_t index(LONG series, LONG point) const {
        return static_cast<std::size_t>(series) * static_cast<std::size_t>(pointCount_) +
               static_cast<std::size_t>(point);
    }

    LONG seriesCount_ = 0;
    LONG pointCount_ = 0;
    std::vector<double> values_;
};

// ---------------------------------------------------------------------------------------------------
// IKvlExtensionServices property kinds
//
// GetProperty (value, pointer, argument, kind); `kind` may carry kCopyFlag for the block kinds.
//   kValues (1)       value := series count; pointer (optional) := KvlValueBlock* (see above).
//   kPointCount (2)   value := point count.
//   kColoured (3)     value := number of series that already have a colour of their own (the chart
//                     colours series 0 .. value-1 itself).
//   kFromValues (5)   value := series count of the from-value table; pointer := KvlValueBlock*.
//   kFromValuesUsed (6) value := 1 when the chart draws from-values (bars from a start value), else 0.
//   kHitRecord (7)    pointer := KvlHitRecord* of the last hit test (borrowed, owned by the chart).
//   kPalette (10)     value := number of colours; pointer := const COLORREF* (borrowed; valid while the
//                     chart lives and its palette is not replaced).
// SetProperty (seriesCount, pointCount, block, kind): kValues replaces the chart's values,
// kFromValues the from-values; other kinds answer E_INVALIDARG (the block is still freed).
enum KvlPropertyKind : LONG {
    kValues = 1,
    kPointCount = 2,
    kColoured = 3,
    kFromValues = 5,
    kFromValuesUsed = 6,
    kHitRecord = 7,
    kPalette = 10,
};
inline constexpr LONG kCopyFlag = 0x800;

// The result of the chart's hit test at a client point.
struct KvlHitRecord {
    SHORT code = 0;    // KvlHitCode
    SHORT axis = -1;   // the axis for the axis codes, else -1
    LONG series = -1;  // series under the point, -1 none
    LONG point = -1;   // 0-based point under the point, -1 none
    LONG color = 0;    // a colour dropped on the chart (low 24 bits: palette entry)
    LONG x = 0;
    LONG y = 0;
};
enum KvlHitCode : SHORT {
    kHitNone = 0,
    kHitPlot = 1,
    kHitSeries = 2,
    kHitLegend = 3,
    kHitTitle = 4,
    kHitAxis0 = 5,  // hit codes 5, 6, 7 are axes 0, 1, 2
    kHitAxis1 = 6,
    kHitAxis2 = 7,
};

// ---------------------------------------------------------------------------------------------------
// IKvlExtensionSite::QueryInfo records
//
// QueryInfo (null) answers the site's colour scheme: 0 = system colours, non-zero = the fixed table.
// QueryInfo (record) looks at record->kind; kind 26 asks for the command collection of the chart's
// command bar. It answers S_OK and fills the record when the chart has a command bar, else E_FAIL
// with the record's outputs cleared. `commands` then holds a reference that the caller releases; it
// answers ostbar::IOstCommands (ostbar/OstBarContract.h), and `containerId` is the container of the
// bar's row of buttons.
inline constexpr SHORT kInfoCommands = 26;
struct KvlInfoRecord {
    SHORT kind = 0;
    SHORT commandCount = 0;             // out: number of commands in the collection
    LONG containerId = 0;               // out: id of the command container the gallery commands go to
    com::IUnknown* commands = nullptr;  // out: the command collection (with a reference)
};

// Refresh (what, argument): what 1 = repaint (argument 0: whole chart).
inline constexpr LONG kRefreshRepaint = 1;

// {8A72DDB2-11B4-4E53-87FC-2A6673DA50E4}
inline constexpr com::IID IID_IKvlExtensionSite{
    0x8A72DDB2, 0x11B4, 0x4E53, {0x87, 0xFC, 0x2A, 0x66, 0x73, 0xDA, 0x50, 0xE4}};
// {8A72DDB3-11B4-4E53-87FC-2A6673DA50E4}
inline constexpr com::IID IID_IKvlExtensionServices{
    0x8A72DDB3, 0x11B4, 0x4E53, {0x87, 0xFC, 0x2A, 0x66, 0x73, 0xDA, 0x50, 0xE4}};

// The site. QueryInterface on it answers, besides the chart's own interfaces, any interface of an
// attached extension by asking that extension (so a property page bound to the chart reaches the
// extension's automation interface); an attached extension in turn answers IKvlExtensionSite with
// the site it is attached to. An extension answers only its own interfaces: it must not pass a query
// on to the site (the site refuses a query that comes back to it while it asks its extensions).
//
// The window channel (the methods after Refresh) is what an extension uses outside a paint: its XOR
// tracking lines, rubber bands, pane-resize lines and inverted handles, and the owner of the frames,
// dialogs and menus it opens. The surface DC draws into what the user sees (the chart's back buffer,
// shown in the window), so drawing an XOR figure twice leaves the surface as it was.
struct IKvlExtensionSite : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlExtensionSite;

    // Returns the colour scheme for a null record; otherwise an HRESULT (see above).
    virtual LONG QueryInfo(KvlInfoRecord* record) = 0;
    virtual HRESULT Refresh(LONG what, LONG argument) = 0;

    // The chart's window: owner of frames, dialogs and popup menus. S_OK; S_FALSE with an empty
    // handle while the chart is not shown in a window.
    virtual HRESULT GetWindow(ui::WindowHandle* window) = 0;
    // Client to screen pixels; without a window the point stays as it is and the answer is S_FALSE.
    virtual HRESULT ClientToScreen(KvlPoint* point) = 0;
    // A DC on the chart's surface outside a paint, in client pixels, handed back with
    // ReleaseSurfaceDC; what is drawn shows at once. E_UNEXPECTED while one is out or during a paint,
    // E_FAIL while the chart has no surface (a zero client size).
    virtual HRESULT GetSurfaceDC(gdi::DeviceContext** dc) = 0;
    // Restores the DC's objects and attributes as they were handed out; E_INVALIDARG for another DC.
    virtual HRESULT ReleaseSurfaceDC(gdi::DeviceContext* dc) = 0;
    // Marks a rectangle (null: everything) for the next paint.
    virtual HRESULT InvalidateRect(const KvlRect* rect) = 0;
    // Paints what is marked at once (a pending paint done before an XOR figure is drawn over it).
    virtual HRESULT UpdateWindow() = 0;
    // Mouse capture for the chart (capture non-zero) or its release; the same state as the control's
    // SetMouseCapture.
    virtual HRESULT CaptureMouse(LONG capture) = 0;
    // Makes `cursor` the chart's cursor and hands back the previous one (previous may be null).
    virtual HRESULT SetCursor(ui::HCURSOR cursor, ui::HCURSOR* previous) = 0;

protected:
    ~IKvlExtensionSite() = default;
};

struct IKvlExtensionServices : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlExtensionServices;

    // Outputs are cleared before anything else; `pointer` may be null when the block is not wanted.
    virtual HRESULT GetProperty(LONG* value, void** pointer, LONG argument, LONG kind) = 0;
    // Takes `block` over (see Data blocks).
    virtual HRESULT SetProperty(LONG seriesCount, LONG pointCount, KvlValueBlock* block, LONG kind) = 0;

protected:
    ~IKvlExtensionServices() = default;
};

// ---------------------------------------------------------------------------------------------------
// Records handed to the extension

// GetCaption: flags 1 = the caption is given; caption is UTF-8, at most 39 bytes and terminated.
struct KvlCaption {
    LONG flags = 0;
    char caption[40] = {};
};

// The paint record of GalleryCommand: one element (point or figure element) to draw. The chart type's
// DrawPoint draws it on `dc`; with kPaintFirst it makes its brushes and pens, with kPaintLast it frees
// them; with kPaintAlternate it draws in one colour (a special chart fills its column black, a box
// chart redirects a rising element to colour position element + count).
enum KvlPaintFlags : LONG {
    kPaintFirst = 0x1,      // first element of this paint: make new brushes and pens
    kPaintLast = 0x2,       // last element: free what the paint made
    kPaintPrinting = 0x4,   // the DC is a printer or a metafile
    kPaintAlternate = 0x8,  // alternate paint (monochrome, selection)
};
struct KvlPaintRecord {
    SHORT galleryIndex = 0;  // always first: the extension dispatches on it
    SHORT series = 0;        // series being drawn
    gdi::DeviceContext* dc = nullptr;
    LONG element = 0;    // 0-based element (point) index
    LONG flags = 0;      // KvlPaintFlags
    LONG slotLeft = 0;   // left edge of the element's slot, client pixels
    LONG slotWidth = 0;  // width of the slot
    LONG barWidth = 0;   // width of a bar inside the slot
    LONG rowEnd = 0;     // pixel row of the element's value
    LONG rowStart = 0;   // pixel row of its from-value (its start); rowEnd when none
    KvlRect rect{};      // the element's rectangle (slot across, start to end rows)
};
// GalleryCommand answers in its out arguments: kind kDrawKindChart = let the chart draw the bar (a box
// chart's floating bar, a bar-type point), mode 1 = the element was handled, mode 0 = the gallery
// paints no point itself and leaves it to the chart.
inline constexpr LONG kDrawKindChart = 2;

// ActiveGalleryCall (index, code, series, point): code kGalleryCallValueWritten after the application
// wrote the chart's value of (series, point); the gallery reads it back through the control.
inline constexpr LONG kGalleryCallValueWritten = 1;

// OnGalleryNotify (dc, code, 0): code kNotifyPaintEnd after the last GalleryCommand of a paint.
inline constexpr LONG kNotifyPaintEnd = 2;

// GetGalleryAxisLabel: the label loop.
//
// For each axis with labels (value axes 0 and 1 when they have series, the X axis 2) the chart runs
// a minor pass (major 0) and then a major pass (major 1). A pass starts at the axis's visible minimum
// with label index 0 and, for each label, calls
//   GetGalleryAxisLabel (index, dc, axisCode, major, &gap, position, &value, &labelIndex, &text)
//     dc          the paint DC; the chart has selected the axis's grid pen of the pass (the axis's
//                 grid or minor grid as the chart keeps it, the null pen while that grid is off)
//                 and the null brush
//     axisCode    0-2, the axis
//     major       1 in the major pass, 0 in the minor pass
//     gap         in: the chart's step (major: a fifth of the visible range; minor: half of that);
//                 out: the distance to the next label, in axis units; a negative step in comes back
//                 negated
//     position    where on the axis this label sits (axis units); the analytical chart does not use it
//     value       out: the value the label stands for (a pane's own value, which can differ from the
//                 position when several panes share one axis)
//     labelIndex  in/out: 0 starts a pass; the extension hands back the next index
//     text        out: the label's text (UTF-8, kAxisLabelTextSize bytes, cleared before the call);
//                 drawn in the major pass only; " " gives a label without text
// After the call the chart draws the grid line at `position` with the pen then selected in the DC,
// fills the band from `position` to the next label with the brush then selected (unless it is the
// null brush), draws the text, and advances `position` by the gap handed back. The pass ends at the
// end of the axis, after kMaxAxisLabels labels, when the gap handed back is not a positive finite
// number, or when the extension gave nothing (a failed call, or the index and the text left as they
// were); when it gave nothing for the first label the chart labels that pass itself, at its own step.
inline constexpr std::size_t kAxisLabelTextSize = 512;
inline constexpr LONG kMaxAxisLabels = 1000;

// ConvertCoordinates (index, kind, points, count, reserved, text): kinds 0 value -> position,
// 1 position -> value, 2 parse text into values, 3 append values to text.
struct KvlCoordinate {
    double position = 0;  // 1-based fractional point position
    double value = 0;
};
struct KvlTextBuffer {
    char* data = nullptr;  // UTF-8, always terminated when capacity > 0
    LONG capacity = 0;     // bytes, terminator included
};

// ---------------------------------------------------------------------------------------------------
// Extension-side interfaces (the extension implements them; the control calls them)

// {6EA35781-7EC0-4ADE-A4E7-12BCC8BDA6EB}
inline constexpr com::IID IID_IKvlExtension{
    0x6EA35781, 0x7EC0, 0x4ADE, {0xA4, 0xE7, 0x12, 0xBC, 0xC8, 0xBD, 0xA6, 0xEB}};
// {6EA35780-7EC0-4ADE-A4E7-12BCC8BDA6EB}
inline constexpr com::IID IID_IKvlExtensionPaint{
    0x6EA35780, 0x7EC0, 0x4ADE, {0xA4, 0xE7, 0x12, 0xBC, 0xC8, 0xBD, 0xA6, 0xEB}};
// {FF2DC900-7EC0-4ADE-A4E7-12BCC8BDA6EB}
inline constexpr com::IID IID_IKvlExtensionGallery{
    0xFF2DC900, 0x7EC0, 0x4ADE, {0xA4, 0xE7, 0x12, 0xBC, 0xC8, 0xBD, 0xA6, 0xEB}};
// {FF2DC903-7EC0-4ADE-A4E7-12BCC8BDA6EB}
inline constexpr com::IID IID_IKvlExtensionScroll{
    0xFF2DC903, 0x7EC0, 0x4ADE, {0xA4, 0xE7, 0x12, 0xBC, 0xC8, 0xBD, 0xA6, 0xEB}};

struct IKvlExtension : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlExtension;

    // `chart` answers IKvlExtensionSite, IKvlExtensionServices and the control interfaces; null detaches.
    virtual HRESULT SetChart(com::IUnknown* chart) = 0;
    virtual HRESULT GetCaption(KvlCaption* caption) = 0;
    virtual HRESULT SetHostData(LONG value) = 0;

protected:
    ~IKvlExtension() = default;
};

// The paint bracket (see the table at the top for the order).
struct IKvlExtensionPaint : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlExtensionPaint;

    // The chart types paint nothing here (the chart paints; they draw through GalleryCommand); the
    // extension fills `rect` with its background first.
    virtual LONG Paint(gdi::DeviceContext* dc, const KvlRect* rect, LONG flags) = 0;
    // First call of each paint. The chart type takes its plot rectangle again and keeps `scaled`
    // (1: a printer or metafile DC, whose viewport extent differs from its window extent): while it
    // is set the chart type does no automatic rescale and no label layout. A suspended chart type
    // resumes here when the extension resumes automatically.
    virtual LONG OnMouseInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG scaled) = 0;
    // Last call of each paint: the chart type clears its scaled flag.
    virtual LONG OnKeyInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG reserved) = 0;
    // (dc, kNotifyPaintEnd, 0) after the paint's last GalleryCommand.
    virtual LONG OnGalleryNotify(gdi::DeviceContext* dc, LONG code, LONG reserved) = 0;
    virtual LONG ReservedCall() = 0;

protected:
    ~IKvlExtensionPaint() = default;
};

struct IKvlExtensionGallery : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlExtensionGallery;

    // The chart type number of the extension's gallery 0 and the command id of its first gallery
    // command; the extension registers (first call) or renumbers its gallery commands.
    virtual HRESULT UpdateCommandTexts(LONG galleryTypeBase, LONG firstCommandId) = 0;
    // Number of galleries in the low 16 bits.
    virtual LONG GetGalleryCount() = 0;
    // The gallery's capability word; 0 for a bad index.
    virtual LONG GetGalleryCapabilities(LONG index) = 0;
    virtual LONG GetGalleryInfo(LONG index) = 0;
    // One element of a paint: the chart type's DrawPoint (see KvlPaintRecord, kDrawKindChart).
    virtual LONG GalleryCommand(KvlPaintRecord* record, LONG* kind, LONG* mode) = 0;
    // A question to a gallery (`what` and its arguments are the gallery's); 0 in the base, -1 for a
    // bad index.
    virtual LONG GalleryQuery(LONG index, LONG what, LONG a, LONG b, LONG c) = 0;
    // 0 while the gallery cannot be the chart type (the financial galleries need series).
    virtual LONG IsGalleryEnabled(LONG index) = 0;
    // activate 1 / 0; selector -1 = the whole chart (other selectors are ignored and answer 0).
    virtual HRESULT ActivateGallery(LONG index, LONG activate, LONG selector) = 0;
    // One label of the label loop (see GetGalleryAxisLabel above). E_INVALIDARG for a bad index.
    virtual HRESULT GetGalleryAxisLabel(LONG index, gdi::DeviceContext* dc, LONG axisCode, LONG major,
                                        double* gap, double position, double* value, LONG* labelIndex,
                                        KvlTextBuffer* text) = 0;
    // Lends a block (see Data blocks): which 1 values, 5 from-values; subCode 0 asks only for the
    // counts, 1, 4 and 5 give the held blocks back to the chart.
    virtual LONG GalleryAction(LONG index, LONG* seriesCount, LONG* pointCount, KvlValueBlock** block,
                               LONG which, LONG subCode) = 0;
    // code 1: the chart's data changed (the chart type rebuilds by deactivating and activating).
    virtual LONG NotifyGallery(LONG index, LONG code) = 0;
    // A call on the active gallery only; 0 in the base and for a bad index.
    virtual LONG ActiveGalleryCall(LONG index, LONG code, LONG a, LONG b) = 0;
    // The property page of a kind: 1 the chart type's own, 2 the axis page. S_FALSE and a null CLSID
    // when the gallery has none.
    virtual HRESULT GetPageClsid(LONG index, LONG kind, com::CLSID* clsid) = 0;
    // Second call of each paint, only for the active gallery: `force` 1 asks for a vertical rescale
    // even outside zoom mode; `scaled` as OnMouseInput (0: the chart type compares the DC's extents
    // itself). The chart type rescales and lays its date labels out here.
    virtual LONG ActiveGalleryNotify(LONG index, gdi::DeviceContext* dc, LONG force, LONG scaled) = 0;
    // Maps the id of a gallery item; the extension adds 16 while one of its galleries is active.
    virtual LONG MapGalleryItemId(LONG a, LONG b, LONG id) = 0;
    virtual HRESULT ConvertCoordinates(LONG index, LONG kind, KvlCoordinate* points, LONG count,
                                       LONG reserved, KvlTextBuffer* text) = 0;
    // Sets and clears flag bits; index -1 applies to every gallery and answers the OR of the old words.
    virtual LONG ModifyGalleryFlags(LONG index, LONG set, LONG clear) = 0;

protected:
    ~IKvlExtensionGallery() = default;
};

struct IKvlExtensionScroll : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlExtensionScroll;

    // The visible X range changed to points first .. last (0-based): the chart type lays its date
    // labels out again at the next paint.
    virtual LONG OnScrollChange(LONG first, LONG last) = 0;
    virtual LONG OnScrollPosition(LONG first, LONG last) = 0;
    virtual LONG ScrollReserved() = 0;

protected:
    ~IKvlExtensionScroll() = default;
};

// ---------------------------------------------------------------------------------------------------
// The callback chain
//
// The chart calls the installed callback for mouse, cursor, tip and command events; a non-zero answer
// ends the chart's own handling. An installed callback calls the one installed before it (handed back
// by AdviseCallback) first and ends with 1 when that one answered non-zero, except for the tip
// methods 12 and 13, whose chart type runs before the chained one. Methods are numbered 0-30; x and y
// are client pixels; keys are kKey* modifier bits.

// {FDB055A0-DCC1-47F3-B9DD-AF5E5F937A2B}
inline constexpr com::IID IID_IKvlExtensionCallback{
    0xFDB055A0, 0xDCC1, 0x47F3, {0xB9, 0xDD, 0xAF, 0x5E, 0x5F, 0x93, 0x7A, 0x2B}};

// Modifier bits of the keys arguments.
enum KvlKeys : LONG { kKeyShift = 0x4, kKeyControl = 0x8 };

// Tips. When the mouse rests on the chart the chart asks for a tip:
//  - on a point of a series: PointTipText (series, point). The chart type makes the point's label in
//    a zeroed buffer of kTipTextSize bytes of its own (a blank when empty) and hands it to the chart's
//    SetToolTipText; the answer is 1 when a chained callback answered non-zero or the chart type was
//    called.
//  - when that answered 0, or elsewhere in the plot: TipText (kind, a, b). Kinds kTipSeriesPoint and
//    kTipPlotPoint (a: the series or -1, b: the point) make a tip the same way; other kinds make none.
//    The answer is the chained callbacks' answer.
// The tip shown is the text handed to SetToolTipText during those calls; when none was handed over it
// is the chart's tool-tip text if a call answered non-zero, else the point's legend.
inline constexpr std::size_t kTipTextSize = 256;
enum KvlTipKind : LONG {
    kTipPlot = 1,         // the plot away from any point: a, b -1
    kTipAxis = 2,         // an axis: a the axis, b -1
    kTipSeriesPoint = 3,  // a point of a series: a the series, b the point
    kTipPlotPoint = 4,    // a point's slot, away from its series: a -1, b the point
};

// Reasons of CancelTracking.
enum KvlCancelReason : LONG { kCancelCaptureLost = 1, kCancelEscape = 2 };

struct IKvlExtensionCallback : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlExtensionCallback;

    // 0: double click on an axis; `hit` is the chart's hit record (code 5-7 for axes 0-2).
    virtual LONG AxisDoubleClick(const KvlHitRecord* hit, LONG x, LONG y, LONG keys) = 0;
    // 1, 2: left button pressed and released (tracking line, zoom drag, drawing placement).
    virtual LONG ButtonDown(LONG x, LONG y) = 0;
    virtual LONG ButtonUp(LONG x, LONG y) = 0;
    // 3: tracking ends without a release.
    virtual LONG CancelTracking(LONG reason, LONG x, LONG y, LONG keys) = 0;
    // 4: right click on an axis (the axis menu).
    virtual LONG AxisRightClick(LONG x, LONG y) = 0;
    // 5: the mouse left the chart.
    virtual LONG MouseLeave(LONG x, LONG y) = 0;
    // 6: the mouse moved (with or without a button).
    virtual LONG MouseMove(LONG x, LONG y) = 0;
    // 7, 8: before and after a paint onto a printer or metafile; the chart's rectangle of kind
    // kRectDrawArea is the area being drawn. A chart type keeps its scaled flag set in between.
    virtual LONG ReadDrawArea(gdi::DeviceContext* dc, const KvlRect* rect) = 0;
    virtual LONG ClearDrawArea(gdi::DeviceContext* dc, const KvlRect* rect) = 0;
    // 9, 10: further draw-area notices.
    virtual LONG DrawAreaNotify(gdi::DeviceContext* dc, const KvlRect* rect, LONG code, LONG reserved) = 0;
    virtual LONG DrawAreaPrepare(gdi::DeviceContext* dc, const KvlRect* rect) = 0;
    // 11: the chart is about to set its cursor.
    virtual LONG SetCursor(LONG x, LONG y) = 0;
    // 12, 13: tips (see above).
    virtual LONG PointTipText(LONG series, LONG point) = 0;
    virtual LONG TipText(LONG kind, LONG a, LONG b) = 0;
    // 14, 15: the mouse came to rest and moved on.
    virtual LONG HoverOn(LONG x, LONG y) = 0;
    virtual LONG HoverOff(LONG x, LONG y) = 0;
    // 16, 17: keys on the chart.
    virtual LONG KeyDown(LONG key, LONG keys) = 0;
    virtual LONG KeyUp(LONG key, LONG keys) = 0;
    // 18: a colour dropped on the chart; the record's colour holds the palette entry (low 24 bits).
    virtual LONG AxisColorDrop(const KvlHitRecord* hit, LONG x, LONG y) = 0;
    // 19-22: around screen paints and print jobs.
    virtual LONG BeforePaint(gdi::DeviceContext* dc, const KvlRect* rect) = 0;
    virtual LONG AfterPaint(gdi::DeviceContext* dc, const KvlRect* rect) = 0;
    virtual LONG BeforePrint(gdi::DeviceContext* dc, const KvlRect* rect) = 0;
    virtual LONG AfterPrint(gdi::DeviceContext* dc, const KvlRect* rect) = 0;
    // 23: the chart's data changed.
    virtual LONG DataChanged(LONG seriesCount, LONG pointCount) = 0;
    // 24: a command of the chart's command bar or menus.
    virtual LONG Command(LONG id) = 0;
    // 25-28: zoom, scroll, chart type and setting changes.
    virtual LONG ZoomChanged(LONG zoomed, LONG reserved) = 0;
    virtual LONG ScrollChanged(LONG first, LONG last) = 0;
    virtual LONG GalleryChanged(LONG oldType, LONG newType) = 0;
    virtual LONG SettingChanged(LONG number, LONG value) = 0;
    // 29: a notice from the host (the chart type treats it as a scroll change).
    virtual LONG HostNotify(LONG code, LONG value) = 0;
    // 30: the chart is being destroyed.
    virtual LONG Destroying() = 0;

protected:
    ~IKvlExtensionCallback() = default;
};

// A callback that answers 0 everywhere and passes every call to the one installed before it: the base
// of test callbacks and of extensions that route only a few methods.
class KvlChainedCallback : public IKvlExtensionCallback {
public:
    IKvlExtensionCallback* previous() const { return previous_; }

    LONG AxisDoubleClick(const KvlHitRecord* hit, LONG x, LONG y, LONG keys) override {
        return chain(&IKvlExtensionCallback::AxisDoubleClick, hit, x, y, keys);
    }
    LONG ButtonDown(LONG x, LONG y) override { return chain(&IKvlExtensionCallback::ButtonDown, x, y); }
    LONG ButtonUp(LONG x, LONG y) override { return chain(&IKvlExtensionCallback::ButtonUp, x, y); }
    LONG CancelTracking(LONG reason, LONG x, LONG y, LONG keys) override {
        return chain(&IKvlExtensionCallback::CancelTracking, reason, x, y, keys);
    }
    LONG AxisRightClick(LONG x, LONG y) override {
        return chain(&IKvlExtensionCallback::AxisRightClick, x, y);
    }
    LONG MouseLeave(LONG x, LONG y) override { return chain(&IKvlExtensionCallback::MouseLeave, x, y); }
    LONG MouseMove(LONG x, LONG y) override { return chain(&IKvlExtensionCallback::MouseMove, x, y); }
    LONG ReadDrawArea(gdi::DeviceContext* dc, const KvlRect* rect) override {
        return chain(&IKvlExtensionCallback::ReadDrawArea, dc, rect);
    }
    LONG ClearDrawArea(gdi::DeviceContext* dc, const KvlRect* rect) override {
        return chain(&IKvlExtensionCallback::ClearDrawArea, dc, rect);
    }
    LONG DrawAreaNotify(gdi::DeviceContext* dc, const KvlRect* rect, LONG code, LONG reserved) override {
        return chain(&IKvlExtensionCallback::DrawAreaNotify, dc, rect, code, reserved);
    }
    LONG DrawAreaPrepare(gdi::DeviceContext* dc, const KvlRect* rect) override {
        return chain(&IKvlExtensionCallback::DrawAreaPrepare, dc, rect);
    }
    LONG SetCursor(LONG x, LONG y) override { return chain(&IKvlExtensionCallback::SetCursor, x, y); }
    LONG PointTipText(LONG series, LONG point) override {
        return chain(&IKvlExtensionCallback::PointTipText, series, point);
    }
    LONG TipText(LONG kind, LONG a, LONG b) override {
        return chain(&IKvlExtensionCallback::TipText, kind, a, b);
    }
    LONG HoverOn(LONG x, LONG y) override { return chain(&IKvlExtensionCallback::HoverOn, x, y); }
    LONG HoverOff(LONG x, LONG y) override { return chain(&IKvlExtensionCallback::HoverOff, x, y); }
    LONG KeyDown(LONG key, LONG keys) override { return chain(&IKvlExtensionCallback::KeyDown, key, keys); }
    LONG KeyUp(LONG key, LONG keys) override { return chain(&IKvlExtensionCallback::KeyUp, key, keys); }
    LONG AxisColorDrop(const KvlHitRecord* hit, LONG x, LONG y) override {
        return chain(&IKvlExtensionCallback::AxisColorDrop, hit, x, y);
    }
    LONG BeforePaint(gdi::DeviceContext* dc, const KvlRect* rect) override {
        return chain(&IKvlExtensionCallback::BeforePaint, dc, rect);
    }
    LONG AfterPaint(gdi::DeviceContext* dc, const KvlRect* rect) override {
        return chain(&IKvlExtensionCallback::AfterPaint, dc, rect);
    }
    LONG BeforePrint(gdi::DeviceContext* dc, const KvlRect* rect) override {
        return chain(&IKvlExtensionCallback::BeforePrint, dc, rect);
    }
    LONG AfterPrint(gdi::DeviceContext* dc, const KvlRect* rect) override {
        return chain(&IKvlExtensionCallback::AfterPrint, dc, rect);
    }
    LONG DataChanged(LONG seriesCount, LONG pointCount) override {
        return chain(&IKvlExtensionCallback::DataChanged, seriesCount, pointCount);
    }
    LONG Command(LONG id) override { return chain(&IKvlExtensionCallback::Command, id); }
    LONG ZoomChanged(LONG zoomed, LONG reserved) override {
        return chain(&IKvlExtensionCallback::ZoomChanged, zoomed, reserved);
    }
    LONG ScrollChanged(LONG first, LONG last) override {
        return chain(&IKvlExtensionCallback::ScrollChanged, first, last);
    }
    LONG GalleryChanged(LONG oldType, LONG newType) override {
        return chain(&IKvlExtensionCallback::GalleryChanged, oldType, newType);
    }
    LONG SettingChanged(LONG number, LONG value) override {
        return chain(&IKvlExtensionCallback::SettingChanged, number, value);
    }
    LONG HostNotify(LONG code, LONG value) override {
        return chain(&IKvlExtensionCallback::HostNotify, code, value);
    }
    LONG Destroying() override { return chain(&IKvlExtensionCallback::Destroying); }

protected:
    KvlChainedCallback() = default;
    ~KvlChainedCallback() = default;

    // The callback installed before this one (no reference: the owner keeps it alive while installed).
    void setPrevious(IKvlExtensionCallback* previous) { previous_ = previous; }

    template <typename Method, typename... Args>
    LONG chain(Method method, Args... args) {
        return previous_ ? (previous_->*method)(args...) : 0;
    }

private:
    IKvlExtensionCallback* previous_ = nullptr;
};

}  // namespace korvel
