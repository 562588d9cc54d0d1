// Extensions for tests of the chart: they record the calls the chart makes into one shared log and
// model what the calls mean to a chart type, so that a call with the wrong meaning shows.
//
// KvlRecordingExtension offers six galleries, enabled only while the chart has series, and installs
// its callback while one of them is active. Its model of the active chart type:
//  - the paint bracket: Paint fills first, OnMouseInput sets up (plot rectangle, scaled flag),
//  ActiveGalleryNotify lays
//    the labels out unless scaled (compares the DC's extents itself when not told), OnKeyInput clears
//    the scaled flag; a call out of that order is a fault;
//  - the label loop of value axis 0 over the panes given by panes(): pane matching by label index,
//    gap handed back (step, or the end gap on a pane's last label), pane-local value, text, and each
//    pane's grid pen selected into the DC (the next pane's on a pane's last label);
//  - tips: a zeroed buffer of kTipTextSize bytes made into "<legend> <value>" and handed to the
//    chart's SetToolTipText, with the answers of callback methods 12 and 13;
//  - the tracking line: with tracking() on, a press in the plot draws an XOR line through the site's
//    surface DC, a move moves it and the release erases it.
// KvlRecordingAnnotation has no galleries and installs its callback for as long as it is attached, as
// the annotation extension does; it sees input only through the callback chain.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "com/ComObject.h"
#include "gdi/Objects.h"
#include "korvel/IKvlControl.h"
#include "korvel/KvlContract.h"
#include "korvel/testing/KvlRecordingPage.h"

namespace korvel::testing {

// ProgIDs under which registerClass makes the classes creatable in this process.
inline constexpr const char* kRecordingExtensionProgId = "Korvel.RecordingExtension";
inline constexpr const char* kRecordingAnnotationProgId = "Korvel.RecordingAnnotation";
// The property page the recording galleries name for kind 1.
const com::CLSID& recordingPageClsid();

// One pane of the modelled label loop: its label count n (labels j = 0 .. n, the first pane also
// j = -1), its step in axis units, its end gap, its data minimum and step in its own units, and the
// colour of its grid pen.
struct KvlLabelPane {
    LONG count = 0;
    double step = 0;
    double endGap = 0;
    double dataMinimum = 0;
    double dataStep = 1;
    gdi::COLORREF gridColor = 0;
};

class KvlRecordingExtension
    : public com::ComObject<IKvlExtension, IKvlExtensionPaint, IKvlExtensionGallery, IKvlExtensionScroll,
                            KvlChainedCallback, IKvlRecordingInfo> {
public:
    static constexpr LONG kGalleryCount = 6;

    KvlRecordingExtension() : KvlRecordingExtension("ext", kGalleryCount) {}

    // Calls of every recording extension of the process, oldest first.
    static std::vector<std::string>& log();
    // Calls whose order or arguments contradict what they mean.
    static std::vector<std::string>& faults();
    // Makes both classes creatable by their ProgIDs.
    static HRESULT registerClass();
    // Registers the classes and clears the log, the faults and every setting below: a test's start.
    static HRESULT startTest();
    // What ButtonDown answers when the chained callbacks answered 0 (non-zero: the chart does nothing
    // more), per extension name.
    static LONG& buttonDownAnswer();
    static LONG& annotationButtonDownAnswer();
    // The panes of the label loop of axis 0; empty: the extension gives no labels.
    static std::vector<KvlLabelPane>& panes();
    // The date labels of the X axis (axis code 2), as a chart type lays them out: one label every
    // `step` points from the axis's start, text "D<position>", each grid line drawn with a pen of
    // `gridColor`, or with the pen the chart selected when that is empty (as the date labels of a
    // chart type leave it). No step: the extension gives no X labels.
    struct XLabels {
        double step = 0;
        std::optional<gdi::COLORREF> gridColor = 0;
    };
    static std::optional<XLabels>& xLabels();
    // The brush a box chart selects in GalleryCommand before leaving the element to the chart (none:
    // the DC's brush stays as it is).
    static std::optional<gdi::COLORREF>& barBrush();
    // What GalleryCommand answers for every element: kind kDrawKindChart and mode 1 (a box chart, the
    // bar type) unless a test sets another answer, such as mode 0 of a chart type that paints no point.
    struct DrawAnswer {
        LONG kind = kDrawKindChart;
        LONG mode = 1;
    };
    static DrawAnswer& drawAnswer();
    // Whether a press in the plot starts a tracking line.
    static bool& tracking();
    // The last extension of this class created (no reference).
    static KvlRecordingExtension*& last();

    // The modelled chart type state.
    bool scaled() const { return scaled_; }
    LONG labelLayouts() const { return labelLayouts_; }
    KvlRect viewport() const { return viewport_; }
    gdi::HPEN panePen(std::size_t pane) const {
        return pane < panePens_.size() ? panePens_[pane] : gdi::HPEN{};
    }
    IKvlExtensionSite* site() const { return site_; }

    HRESULT QueryInterface(const com::IID& iid, void** object) override;

    // IKvlRecordingInfo
    const char* Name() override { return name_.c_str(); }

    // IKvlExtension
    HRESULT SetChart(com::IUnknown* chart) override;
    HRESULT GetCaption(KvlCaption* caption) override;
    HRESULT SetHostData(LONG value) override;
    // IKvlExtensionPaint
    LONG Paint(gdi::DeviceContext* dc, const KvlRect* rect, LONG flags) override;
    LONG OnMouseInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG scaled) override;
    LONG OnKeyInput(gdi::DeviceContext* dc, const KvlRect* rect, LONG reserved) override;
    LONG OnGalleryNotify(gdi::DeviceContext* dc, LONG code, LONG reserved) override;
    LONG ReservedCall() override { return 0; }
    // IKvlExtensionGallery
    HRESULT UpdateCommandTexts(LONG galleryTypeBase, LONG firstCommandId) override;
    LONG GetGalleryCount() override { return galleryCount_; }
    LONG GetGalleryCapabilities(LONG) override { return 0; }
    LONG GetGalleryInfo(LONG) override { return 0; }
    LONG GalleryCommand(KvlPaintRecord* record, LONG* kind, LONG* mode) override;
    LONG GalleryQuery(LONG, LONG, LONG, LONG, LONG) override { return -1; }
    LONG IsGalleryEnabled(LONG index) override;
    HRESULT ActivateGallery(LONG index, LONG activate, LONG selector) override;
    HRESULT GetGalleryAxisLabel(LONG index, gdi::DeviceContext* dc, LONG axisCode, LONG major, double* gap,
                                double position, double* value, LONG* labelIndex,
                                KvlTextBuffer* text) override;
    LONG GalleryAction(LONG, LONG*, LONG*, KvlValueBlock**, LONG, LONG) override { return 0; }
    LONG NotifyGallery(LONG index, LONG code) override;
    LONG ActiveGalleryCall(LONG, LONG, LONG, LONG) override { return 0; }
    HRESULT GetPageClsid(LONG index, LONG kind, com::CLSID* clsid) override;
    LONG ActiveGalleryNotify(LONG index, gdi::DeviceContext* dc, LONG force, LONG scaled) override;
    LONG MapGalleryItemId(LONG, LONG, LONG id) override { return id; }
    HRESULT ConvertCoordinates(LONG, LONG, KvlCoordinate*, LONG, LONG, KvlTextBuffer*) override {
        return com::S_OK;
    }
    LONG ModifyGalleryFlags(LONG, LONG, LONG) override { return 0; }
    // IKvlExtensionScroll
    LONG OnScrollChange(LONG first, LONG last) override;
    LONG OnScrollPosition(LONG, LONG) override { return 0; }
    LONG ScrollReserved() override { return 0; }
    // IKvlExtensionCallback: the routed methods; the rest pass to the callback installed before.
    LONG AxisDoubleClick(const KvlHitRecord* hit, LONG x, LONG y, LONG keys) override;
    LONG AxisRightClick(LONG x, LONG y) override;
    LONG CancelTracking(LONG reason, LONG x, LONG y, LONG keys) override;
    LONG ButtonDown(LONG x, LONG y) override;
    LONG ButtonUp(LONG x, LONG y) override;
    LONG MouseMove(LONG x, LONG y) override;
    LONG PointTipText(LONG series, LONG point) override;
    LONG TipText(LONG kind, LONG a, LONG b) override;
    LONG Command(LONG id) override;

protected:
    KvlRecordingExtension(std::string name, LONG galleryCount);
    ~KvlRecordingExtension() override;

private:
    enum class Bracket { Idle, Filled, SetUp, Notified, Ended };

    void note(const std::string& entry) const;
    void fault(const std::string& entry) const;
    void advance(Bracket from, Bracket to, const char* call);
    bool routed() const { return site_ && activeIndex_ >= 0; }
    HRESULT install();
    void uninstall();
    // Makes a tip the chart type's way and hands it to the chart; true when it was handed over.
    bool handTip(LONG series, LONG point);
    HRESULT xAxisLabel(gdi::DeviceContext* dc, double* gap, double position, double* value, LONG* labelIndex,
                       LONG major, KvlTextBuffer* text);
    void drawTrackingLine(LONG x);

    std::string name_;
    LONG galleryCount_ = 0;
    IKvlExtensionSite* site_ = nullptr;          // no reference while attached
    IKvlExtensionServices* services_ = nullptr;  // no reference while attached
    IKvlControlW* control_ = nullptr;            // no reference while attached
    com::ComPtr<IKvlExtensionCallback> previousHeld_;
    LONG activeIndex_ = -1;
    Bracket bracket_ = Bracket::Idle;
    bool fillPrinting_ = false;  // the printing flag of the paint's fill
    bool scaled_ = false;
    LONG labelLayouts_ = 0;
    KvlRect viewport_{};
    int paintedElements_ = 0;
    std::vector<gdi::HPEN> panePens_;
    gdi::HPEN xLabelPen_{};
    gdi::HBRUSH barBrush_{};
    std::optional<LONG> trackingX_;
    gdi::HPEN trackingPen_{};
};

class KvlRecordingAnnotation final : public KvlRecordingExtension {
public:
    KvlRecordingAnnotation() : KvlRecordingExtension("annotation", 0) {}
};

}  // namespace korvel::testing
