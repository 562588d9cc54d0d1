// The contract between the chart control and the extensions it hosts.
//
// This header is the one place where the shapes of the records, data blocks and property kinds that
// pass between the control and an extension are fixed. Later chart types depend on them, so change
// them only together with every caller.
//
// Directions:
//   control -> extension: IKvlExtension, IKvlExtensionPaint, IKvlExtensionGallery,
//                         IKvlExtensionScroll (the extension implements them), and the installed
//                         IKvlExtensionCallback.
//   extension -> control: IKvlExtensionSite and IKvlExtensionServices (the chart object answers them;
//                         an extension keeps them without a reference while it is attached), and the
//                         main control interface of IKvlControl.h through its chart adapter.
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

namespace korvel {

using com::HRESULT;
using com::LONG;
using com::SHORT;

// A point without a value holds exactly this.
inline constexpr double kNoValue = 1e308;

// A generic callback argument: wide enough for a pointer to a record.
using KvlArg = std::intptr_t;

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
    KvlValueBlock(LONG seriesCount, LONG pointCount, double fill = kNoValue);
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

struct IKvlExtensionSite : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlExtensionSite;

    // Returns the colour scheme for a null record; otherwise an HRESULT (see above).
    virtual LONG QueryInfo(KvlInfoRecord* record) = 0;
    virtual HRESULT Refresh(LONG what, LONG argument) = 0;

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

// The paint record of GalleryCommand: one element (point or figure element) to draw.
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
// DrawPoint answers in GalleryCommand's out arguments: kind 2 = let the chart draw the bar, mode 1 =
// the element was handled.
inline constexpr LONG kDrawKindChart = 2;

// GetGalleryAxisLabel (index, dc, axisCode, major, value, text, textSize, labelIndex, rect):
//   axisCode 0-2 the axis, major 1 for a major label, value the label's value (the 1-based position on
//   the X axis), text a UTF-8 buffer of textSize bytes that the extension may fill (the chart draws
//   it), labelIndex in/out: the label's index, which the extension may move on, rect the label area.

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

struct IKvlExtensionPaint : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlExtensionPaint;

    virtual LONG Paint(gdi::DeviceContext* dc, const KvlRect* rect, LONG flags) = 0;
    virtual LONG OnMouseInput(KvlArg a, KvlArg b, KvlArg c) = 0;
    virtual LONG OnKeyInput(KvlArg a, KvlArg b, KvlArg c) = 0;
    // The chart calls it with (dc, kNotifyPaintEnd, 0) after each paint: the end of the paint bracket.
    virtual LONG OnGalleryNotify(KvlArg a, KvlArg b, KvlArg c) = 0;
    virtual LONG ReservedCall() = 0;

protected:
    ~IKvlExtensionPaint() = default;
};
inline constexpr KvlArg kNotifyPaintEnd = 2;

struct IKvlExtensionGallery : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlExtensionGallery;

    virtual HRESULT UpdateCommandTexts(LONG galleryTypeBase, LONG firstCommandId) = 0;
    virtual LONG GetGalleryCount() = 0;
    virtual LONG GetGalleryCapabilities(LONG index) = 0;
    virtual LONG GetGalleryInfo(LONG index) = 0;
    // `record` begins with the gallery index (KvlPaintRecord).
    virtual LONG GalleryCommand(KvlPaintRecord* record, LONG* kind, LONG* mode) = 0;
    virtual LONG GalleryQuery(LONG index, KvlArg a, KvlArg b, KvlArg c, KvlArg d) = 0;
    virtual LONG IsGalleryEnabled(LONG index) = 0;
    // selector -1 = the whole chart.
    virtual HRESULT ActivateGallery(LONG index, LONG activate, LONG selector) = 0;
    virtual HRESULT GetGalleryAxisLabel(LONG index, gdi::DeviceContext* dc, LONG axisCode, LONG major,
                                        double value, char* text, LONG textSize, LONG* labelIndex,
                                        KvlRect* rect) = 0;
    // Lends a block (see Data blocks): which 1 values, 5 from-values.
    virtual LONG GalleryAction(LONG index, LONG* seriesCount, LONG* pointCount, KvlValueBlock** block,
                               LONG which, LONG subCode) = 0;
    // a = 1: new data.
    virtual LONG NotifyGallery(LONG index, LONG a) = 0;
    virtual LONG ActiveGalleryCall(LONG index, KvlArg b, KvlArg c, KvlArg d) = 0;
    virtual HRESULT GetPageClsid(LONG index, LONG kind, com::CLSID* clsid) = 0;
    // Before each paint: (index, dc, force, scaled).
    virtual LONG ActiveGalleryNotify(LONG index, KvlArg b, KvlArg c, KvlArg d) = 0;
    virtual LONG MapGalleryItemId(LONG a, LONG b, LONG id) = 0;
    virtual HRESULT ConvertCoordinates(LONG index, LONG kind, KvlCoordinate* points, LONG count,
                                       LONG reserved, KvlTextBuffer* text) = 0;
    virtual LONG ModifyGalleryFlags(LONG index, LONG set, LONG clear) = 0;

protected:
    ~IKvlExtensionGallery() = default;
};

struct IKvlExtensionScroll : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlExtensionScroll;

    virtual LONG OnScrollChange(KvlArg a, KvlArg b) = 0;
    virtual LONG OnScrollPosition(KvlArg a, KvlArg b) = 0;
    virtual LONG ScrollReserved() = 0;

protected:
    ~IKvlExtensionScroll() = default;
};

// ---------------------------------------------------------------------------------------------------
// The callback chain
//
// The chart calls the installed callback for mouse, cursor and tip events; a non-zero answer ends the
// chart's own handling. An installed callback calls the one installed before it (handed back by
// AdviseCallback) first, except where its own contract says otherwise. Methods are numbered 0-30.

// {FDB055A0-DCC1-47F3-B9DD-AF5E5F937A2B}
inline constexpr com::IID IID_IKvlExtensionCallback{
    0xFDB055A0, 0xDCC1, 0x47F3, {0xB9, 0xDD, 0xAF, 0x5E, 0x5F, 0x93, 0x7A, 0x2B}};

// Size of the tip text buffer of methods 12 and 13.
inline constexpr std::size_t kTipTextSize = 256;

struct IKvlExtensionCallback : com::IUnknown {
    static constexpr com::IID iid = IID_IKvlExtensionCallback;

    virtual LONG AxisDoubleClick(KvlArg hit, KvlArg x, KvlArg y, KvlArg flags) = 0;  // 0
    virtual LONG ButtonDown(KvlArg x, KvlArg y) = 0;                                 // 1
    virtual LONG ButtonUp(KvlArg x, KvlArg y) = 0;                                   // 2
    virtual LONG CancelTracking(KvlArg a, KvlArg b, KvlArg c, KvlArg d) = 0;         // 3
    virtual LONG AxisRightClick(KvlArg x, KvlArg y) = 0;                             // 4
    virtual LONG MouseLeave(KvlArg a, KvlArg b) = 0;                                 // 5
    virtual LONG MouseMove(KvlArg x, KvlArg y) = 0;                                  // 6
    virtual LONG ReadDrawArea(KvlArg dc, KvlArg rect) = 0;                           // 7
    virtual LONG ClearDrawArea(KvlArg dc, KvlArg rect) = 0;                          // 8
    virtual LONG DrawAreaNotify(KvlArg a, KvlArg b, KvlArg c, KvlArg d) = 0;         // 9
    virtual LONG DrawAreaPrepare(KvlArg a, KvlArg b) = 0;                            // 10
    virtual LONG SetCursor(KvlArg x, KvlArg y) = 0;                                  // 11
    // 12 and 13: `text` is a kTipTextSize-byte UTF-8 buffer that the callee may fill.
    virtual LONG PointTipText(KvlArg text, KvlArg point) = 0;        // 12
    virtual LONG TipText(KvlArg text, KvlArg x, KvlArg y) = 0;       // 13
    virtual LONG HoverOn(KvlArg a, KvlArg b) = 0;                    // 14
    virtual LONG HoverOff(KvlArg a, KvlArg b) = 0;                   // 15
    virtual LONG KeyDown(KvlArg key, KvlArg flags) = 0;              // 16
    virtual LONG KeyUp(KvlArg key, KvlArg flags) = 0;                // 17
    virtual LONG AxisColorDrop(KvlArg hit, KvlArg x, KvlArg y) = 0;  // 18
    virtual LONG BeforePaint(KvlArg dc, KvlArg rect) = 0;            // 19
    virtual LONG AfterPaint(KvlArg dc, KvlArg rect) = 0;             // 20
    virtual LONG BeforePrint(KvlArg dc, KvlArg rect) = 0;            // 21
    virtual LONG AfterPrint(KvlArg dc, KvlArg rect) = 0;             // 22
    virtual LONG DataChanged(KvlArg a, KvlArg b) = 0;                // 23
    virtual LONG Command(KvlArg id) = 0;                             // 24
    virtual LONG ZoomChanged(KvlArg a, KvlArg b) = 0;                // 25
    virtual LONG ScrollChanged(KvlArg a, KvlArg b) = 0;              // 26
    virtual LONG GalleryChanged(KvlArg a, KvlArg b) = 0;             // 27
    virtual LONG SettingChanged(KvlArg a, KvlArg b) = 0;             // 28
    virtual LONG HostNotify(KvlArg a, KvlArg b) = 0;                 // 29
    virtual LONG Destroying(KvlArg a, KvlArg b) = 0;                 // 30

protected:
    ~IKvlExtensionCallback() = default;
};

}  // namespace korvel
