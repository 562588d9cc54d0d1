// The base of every chart type (gallery) of the extension. The extension object owns six of them and
// forwards to the active one (or to one chosen by index) the paint, mouse, key, command, tip,
// axis-label and persistence calls the chart control makes.
//
// The base does what all chart types share: activation with a snapshot of the chart's data and
// settings that deactivation puts back exactly, the hand-over of the held data blocks, suspension, the
// default binding of the price series, the tracking line and the zoom drag, the axis menu and the axis
// property frame, the label mask, the flag word and the persistence of the common keys.
//
// Operations are listed in their fixed slot order. Pixels are client pixels of the chart; point
// positions are 1-based positions on the X axis; values are those of the chart type's Y axis.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "com/Guid.h"
#include "com/Types.h"
#include "com/Unknown.h"
#include "gallery/DateBreakTable.h"
#include "gallery/DateStepChoice.h"
#include "korvel/KvlContract.h"
#include "resources/ResourceText.h"

namespace gdi {
class DeviceContext;
}

namespace ostbar {
struct IOstCommandBar;
}

namespace ui {
struct PropertyFrameRequest;
}

namespace dravik {

using com::HRESULT;
using com::LONG;
using com::SHORT;
using korvel::KvlHitRecord;
using korvel::KvlPaintRecord;
using korvel::KvlRect;
using korvel::KvlTextBuffer;
using korvel::KvlValueBlock;

class CDrawingFeatures;
class CExtensionEvents;
class CFinancialCharts;
class CHostChartAdapter;
class IDrawingOwner;
class IDrawingPageOwner;
class CPropertyArchive;
struct ChartTypeState;
struct DataCache;

// Capability words given to the chart (GetGalleryFlags).
inline constexpr LONG kGalleryFlagsBase = 0x2081000;
inline constexpr LONG kGalleryFlagsSpecial = 0x20d7000;
inline constexpr LONG kGalleryFlagsBarType = 0x2881000;
// Bit 0 of a chart type's flag word: the chart type is disabled.
inline constexpr LONG kGalleryDisabled = 0x1;
// Gallery number of a chart type = kFirstGalleryNumber + index; it is also the string id of its name.
inline constexpr SHORT kFirstGalleryNumber = 130;
// Gallery number 0 given to the constructor stands for this one ("User Defined").
inline constexpr SHORT kUserDefinedGalleryNumber = 122;

// Options bits the base reads.
inline constexpr LONG kOptionShiftModeZoom = 0x800;        // a zoom drag needs Shift (or zoom mode)
inline constexpr LONG kOptionDateLabelsNoScroll = 0x4000;  // a scroll keeps the date labels once
inline constexpr LONG kOptionRestrictToPrices = 0x4;       // every paint fits the values to the view
// PropPageMask bits of the axis pages.
inline constexpr LONG kPageMaskAxis = 64;
inline constexpr LONG kPageMaskAxisScale = 256;
inline constexpr LONG kPageMaskAxisGrid = 512;
// lomexPriceDisplay values the default binding sets.
inline constexpr SHORT kCloseOnlyPriceDisplay = 0;
inline constexpr SHORT kHighLowClosePriceDisplay = 1;
inline constexpr SHORT kOpenHighLowClosePriceDisplay = 2;

// Strings: the default label mask, the caption of the axis property frame and the axis names.
inline constexpr std::int16_t kLabelMaskStringId = 543;  // "%t (%s)"
inline constexpr std::int16_t kLabelMaskSize = 120;
inline constexpr std::uint32_t kAxisFrameCaptionId = 549;  // "Axis"
inline constexpr std::size_t kAxisFrameCaptionLength = 40;
inline constexpr std::uint32_t kPriceAxisNameId = 577;
inline constexpr std::uint32_t kDateAxisNameId = 578;
inline constexpr std::uint32_t kUnknownAxisNameId = 579;
// The chart's text kind of axis labels (its font and colour are the label font's).
inline constexpr SHORT kLabelTextKind = 8;
// Date-axis labels: the longest text, the width taken for a label that cannot be measured, and the
// Options bit that blanks a label instead of cutting it.
inline constexpr std::size_t kDateLabelTextBytes = 57;
inline constexpr LONG kUnmeasuredLabelWidth = 25;
inline constexpr LONG kOptionNoTruncatedDateLabels = 0x80;

// What the chart settings, axis properties and chart-wide words were before a chart type was
// activated; put back exactly on deactivation.
struct ChartSnapshot {
    struct Axis {
        double min = 0;
        double max = 0;
        std::array<double, 6> properties{};  // codes kSavedAxisCodes
        std::string text;
    };
    struct Series {
        LONG volume = 0;
        LONG yAxis = 0;
    };
    // Axis property codes saved besides minimum and maximum: style, step, minor step, decimals,
    // visible, locale, origin.
    static constexpr std::array<LONG, 6> kSavedAxisCodes{8, 2, 9, 5, 10, 23};
    static constexpr std::size_t kVisibleSlot = 4;  // code 10, kept as a flag
    static constexpr LONG kOriginCode = 3;

    bool saved = false;
    std::array<Axis, 4> axes{};
    std::array<double, 4> origins{};
    std::vector<Series> series;
    LONG flagA = 0;
    LONG flagB = 0;
    LONG valueB = 0;
    LONG chartStyle = 0;
    LONG chartOptions = 0;
};

// The chart's data blocks a chart type holds while it is active: taken on activation, given back on
// deactivation or when the chart asks for them (GalleryAction).
struct HeldBlocks {
    std::unique_ptr<KvlValueBlock> values;
    std::unique_ptr<KvlValueBlock> fromValues;
    LONG fromValuesUsed = 0;
};

class CGalleryBase {
public:
    CGalleryBase(CFinancialCharts* owner, SHORT galleryNumber);
    CGalleryBase(const CGalleryBase&) = delete;
    CGalleryBase& operator=(const CGalleryBase&) = delete;

    // --- Slot order ---
    virtual ~CGalleryBase();  // Destroy
    // The name (string nameId of the resource module), cut to `size` bytes and terminated.
    virtual void GetName(char* buffer, LONG size);
    virtual LONG GetGalleryFlags() { return kGalleryFlagsBase; }
    virtual LONG GetGalleryInfo() { return 1; }
    // One point or figure element of the paint (GalleryCommand); kind and mode out.
    virtual LONG DrawPoint(LONG* kind, KvlPaintRecord* record, LONG* mode) = 0;
    virtual LONG GalleryQuery(LONG, LONG, LONG, LONG) { return 0; }
    // on non-zero: OnActivate, else OnDeactivate; `selector` -1 = the whole chart. Answers 0.
    virtual LONG Activate(LONG on, LONG selector);
    // Lends a held block (which 1 values, 5 from-values) or gives the held blocks back (sub-codes 1,
    // 4, 5); 0 when the block is not held.
    virtual LONG GalleryAction(LONG* seriesCount, LONG* pointCount, KvlValueBlock** block, LONG which,
                               LONG subCode);
    // One label of the chart's label loop (korvel::IKvlExtensionGallery::GetGalleryAxisLabel).
    virtual HRESULT GetAxisLabel(gdi::DeviceContext* dc, LONG axisCode, LONG major, double* gap,
                                 double position, double* value, LONG* labelIndex, KvlTextBuffer* text);
    virtual LONG ActiveGalleryCall(LONG, LONG, LONG) { return 0; }
    virtual LONG Paint(gdi::DeviceContext*, const KvlRect*, LONG) { return 0; }
    // The paint bracket: opened with the scaled flag, closed by OnKeyInput.
    virtual LONG OnMouseInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG scaled);
    virtual LONG OnKeyInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG reserved);
    virtual LONG OnGalleryNotify(gdi::DeviceContext*, LONG, LONG) { return 0; }
    virtual void SetModified(LONG flag) { modified_ = flag; }
    // S_OK when modified, else S_FALSE.
    virtual HRESULT IsDirty() { return modified_ ? com::S_OK : com::S_FALSE; }
    virtual void GetPersistSize(LONG* size);
    // Flags bit 2 (value 2): body only. Answers the archive's state.
    virtual LONG ExchangeProperties(CPropertyArchive& archive, LONG version, LONG flags);
    // The snapshot; 1, or 0 when the owner asked once to keep the chart's state as it is.
    virtual LONG OnActivate();
    virtual void OnDeactivate();
    virtual void ReleaseDataCache();
    virtual void AllocateFigure(LONG count) { count_ = count; }
    virtual void FreeFigure() { dateBreaks_ = {}; }
    virtual void* GetValueAxisSettings();
    // `rect` null: the chart's plot area.
    virtual void SetViewport(const KvlRect* rect);
    virtual void Recalculate();
    virtual void BuildFigure(LONG) {}
    // Date-axis labels (GalleryDateLabels.cpp).
    // The period break tables over the elements' dates (GetSourcePoint maps an element to the chart
    // point whose date it carries); freed when the chart's points have no dates.
    virtual void BuildDateBreaks();
    // Chooses the label steps for the visible elements first..last (0-based) on a plot `width` pixels
    // wide, measuring labels on `dc` (none: 25 pixels a label). A width of 0 or less lays nothing out.
    virtual void LayoutDateLabels(gdi::DeviceContext* dc, LONG first, LONG last, LONG width, SHORT* majorKind,
                                  SHORT* minorKind, SHORT* majorEvery, SHORT* minorEvery);
    // 1 when the kind is neither week nor each point and its periods differ in number from the next
    // finer kind's in the visible range.
    virtual LONG HasDistinctBreaks(LONG kind);
    // Sets or clears the centring of the X-axis labels for the major kind.
    virtual void SetDateLabelCentering(LONG kind);
    // One label of an X-axis label pass (the arguments of GetAxisLabel).
    virtual HRESULT FormatDateAxisLabel(gdi::DeviceContext* dc, LONG major, double* gap, double position,
                                        double* value, LONG* labelIndex, KvlTextBuffer* text);
    // The label text of an element of a step kind (at most kDateLabelTextBytes - 1 bytes); `first`
    // marks the first label of a pass.
    virtual std::string FormatDateText(LONG element, LONG first, LONG kind, double date);
    // The picture with each "K" replaced by `number` and each "\n" by a line break.
    virtual std::string ExpandStepNumber(std::string_view picture, LONG number);
    // The picture written for `date`: text between a pair of `delimiter` literally, "\n" as a line
    // break, every other stretch as a date picture of `code`.
    virtual std::string FormatDatePicture(double date, std::string_view picture, LONG code, char delimiter);
    virtual void ApplyDefaultSeriesBinding();
    // code 1: the chart's data changed; the chart type activates itself again. Answers 1.
    virtual LONG OnSetState(LONG code);
    virtual LONG GetSeriesCount();
    virtual LONG GetChartPointCount();
    // The values of one chart series in the data cache; null without data or for a negative series.
    virtual const double* GetSeriesValues(LONG series);
    virtual LONG GetSourcePoint(LONG element) { return element; }
    // A message of the command bar (menu command, owner-draw request); non-zero: handled.
    virtual LONG OnAxisMenuCommand(LONG message, std::intptr_t id, std::intptr_t record);
    virtual LONG OnAxisColorDrop(const KvlHitRecord* hit, LONG x, LONG y);
    // Tracking and zoom by mouse, and the axis clicks. Each answers 0 when it handled the input, which
    // ends the chart's own handling, and 1 otherwise.
    virtual LONG OnButtonDown(LONG x, LONG y);
    virtual LONG OnButtonUp(LONG x, LONG y);
    virtual LONG OnAxisDoubleClick(const KvlHitRecord* hit, LONG x, LONG y, LONG keys);
    virtual LONG CancelTracking(LONG reason, LONG x, LONG y, LONG keys);
    virtual LONG OnAxisRightClick(LONG x, LONG y);
    virtual LONG OnMouseMove(LONG x, LONG y);
    virtual LONG OnCommand(LONG id);
    // `text` is a zeroed buffer of korvel::kTipTextSize bytes; kind, a and b as korvel's TipText.
    virtual LONG GetTipText(char* text, LONG kind, LONG a, LONG b);
    virtual void OnZoomCommand();
    // The value range of elements first..last (0-based); 1 when there is a range (max above min).
    virtual LONG GetValueRange(LONG first, LONG last, double* min, double* max);
    virtual void RestoreXRange(LONG store);
    // The axis pages that PropPageMask offers (empty when it offers none).
    virtual HRESULT GetPropertyPages(std::vector<com::CLSID>* pages);
    // 1 when the frame was shown.
    virtual LONG ShowPropertyFrame(SHORT axis);
    virtual HRESULT CreateAxisObject(com::IUnknown** object, SHORT* axisOut, SHORT axis);
    virtual LONG GetAxisCount() { return 2; }
    virtual SHORT GetAxisName(LONG selector, SHORT* axis, char* text, LONG size);
    virtual void LoadAxisName(SHORT axis, char* text, LONG size);
    virtual void ShowAxisMenu(SHORT axis, LONG x, LONG y);
    virtual LONG EditAxisTitle(SHORT) { return 0; }
    virtual void ToggleAxisGrid(SHORT axis);
    virtual LONG GetAxisTextColor(SHORT axis);
    virtual void SetAxisTextColor(SHORT axis, LONG color);
    // Draws (or, drawn again, erases) the vertical tracking line at x in XOR on the chart's surface.
    virtual void DrawTrackingLine(LONG x);
    virtual void ShowPointInfo(LONG, LONG) {}
    virtual LONG OnHostNotify(LONG code, LONG value);
    virtual LONG ReadDrawArea(gdi::DeviceContext* dc, const KvlRect* rect);
    virtual LONG ClearDrawArea(gdi::DeviceContext* dc, const KvlRect* rect);
    // The two further callbacks after ClearDrawArea (callback methods 10 and 9).
    virtual LONG DrawAreaPrepare(gdi::DeviceContext*, const KvlRect*) { return 0; }
    virtual LONG DrawAreaNotify(gdi::DeviceContext*, const KvlRect*, LONG, LONG) { return 0; }
    // `text` is a zeroed buffer of korvel::kTipTextSize bytes; the point of a series. Answers 1.
    virtual LONG GetPointTipText(char* text, LONG series, LONG point);
    virtual LONG IsEnabled() { return (flags_ & kGalleryDisabled) == 0 ? 1 : 0; }
    // The visible X range changed (0-based points first .. last).
    virtual LONG OnScrollChange(LONG first, LONG last);
    // The label of an element, expanded into `text` of `size` bytes (terminated); empty in the base.
    virtual LONG GetLabelText(char* text, LONG size, LONG series, LONG element, LONG forTip);
    virtual void SelectLabelFont(gdi::DeviceContext* dc);
    virtual void RestoreLabelFont(gdi::DeviceContext* dc);
    virtual SHORT GetYAxis() { return yAxis_; }
    virtual void SetYAxis(LONG move, LONG ignored, SHORT axis);
    virtual void CheckInputValues();
    virtual void SetDataUnit(LONG unit);
    virtual LONG IsSuspended() { return suspended_; }
    virtual HRESULT GetPageClsid(LONG kind, com::CLSID* clsid);
    // Before each paint (ActiveGalleryNotify).
    virtual LONG OnActiveNotify(gdi::DeviceContext* dc, LONG force, LONG scaled);
    virtual void Suspend();
    virtual void Resume();
    virtual void SetDateSteps(SHORT major, SHORT every, SHORT minor, SHORT minorEvery);
    // Sets the bits of `set`, clears those of `clear`; answers the old word.
    virtual LONG ModifyFlags(LONG set, LONG clear);

    // --- Non-virtual access ---
    CFinancialCharts* owner() const { return owner_; }
    SHORT nameId() const { return nameId_; }
    // The lomexFinancialGallery value (gallery number - 130).
    LONG galleryIndex() const { return nameId_ - kFirstGalleryNumber; }
    LONG flags() const { return flags_; }
    LONG count() const { return count_; }
    LONG scaledDc() const { return scaledDc_; }
    LONG zoomed() const { return zoomed_; }
    SHORT currentAxis() const { return currentAxis_; }
    void setCurrentAxis(SHORT axis) { currentAxis_ = axis; }
    LONG needsLayout() const { return needsLayout_; }
    LONG skipLayoutOnce() const { return skipLayoutOnce_; }
    KvlRect plotRect() const { return KvlRect{plotLeft_, plotTop_, plotRight_, plotBottom_}; }
    LONG firstVisible() const { return firstVisible_; }
    LONG lastVisible() const { return lastVisible_; }
    const DateBreakTable& dateBreaks() const { return dateBreaks_; }
    // The steps of the last date-label layout.
    const DateSteps& dateSteps() const { return dateSteps_; }
    CResourceText& labelMask() { return labelMask_; }
    const HeldBlocks& heldBlocks() const { return held_; }
    const ChartSnapshot& snapshot() const { return snapshot_; }
    // The frame ShowPropertyFrame opens for `axis`; false when PropPageMask offers no page.
    bool PropertyFrameRequest(SHORT axis, ui::PropertyFrameRequest* request);

protected:
    // The persistence key prefix of the chart type's own keys; empty in the base.
    virtual const char16_t* PersistPrefix() const { return u""; }

    CHostChartAdapter* adapter() const;
    korvel::IKvlExtensionServices* services() const;
    // The site the owner is attached to; null while it is detached.
    korvel::IKvlExtensionSite* extensionSite() const;
    // The owner's events and its command bar; null without an owner.
    CExtensionEvents* extensionEvents() const;
    ostbar::IOstCommandBar* extensionCommandBar() const;
    // The owner's drawings and what they need of the owner; null without an owner.
    CDrawingFeatures* drawings() const;
    IDrawingOwner* drawingOwner() const;
    IDrawingPageOwner* drawingPageOwner() const;
    ChartTypeState& state() const;
    // The point position of pixel x rounded to the nearest point (a fraction above .5 rounds up).
    bool PointAtPixel(LONG x, LONG y, double* position, double* value) const;
    // The colour of a palette entry of the chart; none for an entry the palette does not have.
    std::optional<LONG> PaletteColor(LONG index) const;
    void SetCursor(bool zoom);
    void EndTracking();
    // Activation and deactivation steps.
    void TakeChartBlocks();
    void FillDataCache();
    // The chart's x values of its points into the cache (none when the chart has no dates).
    void ReadChartDates(DataCache& cache);
    void SaveChartState();
    void RestoreChartState();
    // Expands the element's label into the tip buffer (korvel::kTipTextSize bytes) and hands it to the
    // chart; a blank when the label is empty.
    void HandTipToChart(char* text, LONG series, LONG element, LONG forTip);
    // The date (OLE date) of an element: the chart's x value of its source point; none without one.
    std::optional<double> ElementDate(LONG element);
    // The visible elements (0-based, clamped to the figure); false without elements.
    bool VisibleElements(LONG* first, LONG* last) const;
    // The width in pixels of a label text with the label font on `dc`; 0 when it cannot be measured.
    LONG MeasureLabel(gdi::DeviceContext* dc, const std::string& text);
    LONG LabelWidthOfKind(gdi::DeviceContext* dc, LONG kind, LONG first, LONG last);
    // The label text, or one blank when it does not fit `space` pixels whole.
    std::string FitLabel(gdi::DeviceContext* dc, std::string text, double space, LONG* width);
    // Pixels from one point position to the next on the X axis of a visible range of `width` pixels.
    double PixelsPerSlot(LONG first, LONG last, LONG width);

    CFinancialCharts* owner_;  // not owned: the extension object owns this chart type
    LONG reentry_ = 0;
    LONG zoomed_ = 0;
    LONG modified_ = 0;
    SHORT nameId_;
    CResourceText labelMask_;
    LONG flags_ = 0;
    DateBreakTable dateBreaks_;
    LONG count_ = 0;
    SHORT yAxis_ = 0;
    SHORT currentAxis_ = -1;
    LONG axisColor_ = 0;
    LONG suspended_ = 0;
    SHORT dateStepMajor_ = -1;
    SHORT dateStepEvery_ = 0;
    SHORT dateStepMinor_ = -1;
    SHORT dateMinorStepEvery_ = 0;
    // The X range kept by RestoreXRange (0-based point positions).
    double keptFirst_ = 0;
    double keptLast_ = 0;
    LONG firstVisible_ = 0;
    LONG lastVisible_ = 0;
    LONG needsLayout_ = 0;
    LONG skipLayoutOnce_ = 0;
    // Date-label layout: the chosen steps (valid once laid out) and, during a label pass, where the
    // text of the previous label ends (a point position).
    DateSteps dateSteps_;
    bool dateStepsLaid_ = false;
    double previousLabelEnd_ = 0;
    LONG scaledDc_ = 0;
    LONG plotLeft_ = 0;
    LONG plotTop_ = 0;
    LONG plotRight_ = 0;
    LONG plotBottom_ = 0;
    // True while the moving tracking line is on the surface (the start line of a zoom drag is apart).
    bool trackingLineShown_ = false;
    // True while the axis menu is open: its commands are chosen then.
    bool axisMenuOpen_ = false;
    HeldBlocks held_;
    // A block lent to the chart by GalleryAction, kept until the next one or deactivation.
    std::unique_ptr<KvlValueBlock> lentBlock_;
    ChartSnapshot snapshot_;
    // The font and colours SelectLabelFont replaced.
    struct LabelFontState;
    std::unique_ptr<LabelFontState> labelFont_;
};

}  // namespace dravik
