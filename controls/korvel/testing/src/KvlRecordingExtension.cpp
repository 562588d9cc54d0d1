#include "korvel/testing/KvlRecordingExtension.h"

#include <cstdio>

#include "com/Activation.h"
#include "com/FixedText.h"
#include "com/Text.h"
#include "gdi/DeviceContext.h"

namespace korvel::testing {

namespace {

// {5E3F2C10-1B7A-4F0D-9C55-7A2E8D41B6F3}
constexpr com::CLSID kClsid{0x5E3F2C10, 0x1B7A, 0x4F0D, {0x9C, 0x55, 0x7A, 0x2E, 0x8D, 0x41, 0xB6, 0xF3}};
// {5E3F2C11-1B7A-4F0D-9C55-7A2E8D41B6F3}
constexpr com::CLSID kAnnotationClsid{
    0x5E3F2C11, 0x1B7A, 0x4F0D, {0x9C, 0x55, 0x7A, 0x2E, 0x8D, 0x41, 0xB6, 0xF3}};
// {5E3F2C12-1B7A-4F0D-9C55-7A2E8D41B6F3}: the page that the galleries name for kind 1.
constexpr com::CLSID kPageClsid{0x5E3F2C12, 0x1B7A, 0x4F0D, {0x9C, 0x55, 0x7A, 0x2E, 0x8D, 0x41, 0xB6, 0xF3}};

template <typename... Values>
std::string call(const std::string& name, Values... values) {
    std::string text = name + "(";
    bool first = true;
    for (const LONG value : {static_cast<LONG>(values)...}) {
        text += (first ? "" : ",") + std::to_string(value);
        first = false;
    }
    return text + ")";
}

}  // namespace

KvlRecordingExtension::KvlRecordingExtension(std::string name, LONG galleryCount)
    : name_(std::move(name)), galleryCount_(galleryCount) {
    last() = this;
}

KvlRecordingExtension::~KvlRecordingExtension() {
    note(site_ ? "Released while attached" : "Released");
    for (const gdi::HPEN pen : panePens_)
        gdi::deleteObject(pen);
    if (xLabelPen_ != gdi::HPEN{})
        gdi::deleteObject(xLabelPen_);
    if (barBrush_ != gdi::HBRUSH{})
        gdi::deleteObject(barBrush_);
    if (trackingPen_ != gdi::HPEN{})
        gdi::deleteObject(trackingPen_);
    if (last() == this)
        last() = nullptr;
}

std::vector<std::string>& KvlRecordingExtension::log() {
    static std::vector<std::string> entries;
    return entries;
}

std::vector<std::string>& KvlRecordingExtension::faults() {
    static std::vector<std::string> entries;
    return entries;
}

LONG& KvlRecordingExtension::buttonDownAnswer() {
    static LONG answer = 0;
    return answer;
}

LONG& KvlRecordingExtension::annotationButtonDownAnswer() {
    static LONG answer = 0;
    return answer;
}

std::vector<KvlLabelPane>& KvlRecordingExtension::panes() {
    static std::vector<KvlLabelPane> entries;
    return entries;
}

std::optional<KvlRecordingExtension::XLabels>& KvlRecordingExtension::xLabels() {
    static std::optional<XLabels> labels;
    return labels;
}

std::optional<gdi::COLORREF>& KvlRecordingExtension::barBrush() {
    static std::optional<gdi::COLORREF> colour;
    return colour;
}

KvlRecordingExtension::DrawAnswer& KvlRecordingExtension::drawAnswer() {
    static DrawAnswer answer;
    return answer;
}

bool& KvlRecordingExtension::tracking() {
    static bool on = false;
    return on;
}

KvlRecordingExtension*& KvlRecordingExtension::last() {
    static KvlRecordingExtension* extension = nullptr;
    return extension;
}

HRESULT KvlRecordingExtension::registerClass() {
    const HRESULT result =
        com::registerClassObject(com::ServerClass{kClsid, kRecordingExtensionProgId, nullptr, "Apartment",
                                                  &com::createComObject<KvlRecordingExtension>});
    if (com::FAILED(result))
        return result;
    const HRESULT page = com::registerClassObject(com::ServerClass{
        kPageClsid, "Korvel.RecordingPage", nullptr, "Apartment", &com::createComObject<KvlRecordingPage>});
    if (com::FAILED(page))
        return page;
    return com::registerClassObject(com::ServerClass{kAnnotationClsid, kRecordingAnnotationProgId, nullptr,
                                                     "Apartment",
                                                     &com::createComObject<KvlRecordingAnnotation>});
}

HRESULT KvlRecordingExtension::startTest() {
    log().clear();
    faults().clear();
    buttonDownAnswer() = 0;
    annotationButtonDownAnswer() = 0;
    panes().clear();
    xLabels().reset();
    barBrush().reset();
    drawAnswer() = DrawAnswer{};
    tracking() = false;
    return registerClass();
}

void KvlRecordingExtension::note(const std::string& entry) const {
    log().push_back(name_ == "ext" ? entry : name_ + ":" + entry);
}

void KvlRecordingExtension::fault(const std::string& entry) const {
    faults().push_back(name_ + ": " + entry);
}

void KvlRecordingExtension::advance(Bracket from, Bracket to, const char* callName) {
    if (bracket_ != from)
        fault(std::string(callName) + " out of the paint bracket");
    bracket_ = to;
}

HRESULT KvlRecordingExtension::QueryInterface(const com::IID& iid, void** object) {
    // The site this extension is attached to, as a property page asks for it.
    if (object && iid == IKvlExtensionSite::iid && site_) {
        site_->AddRef();
        *object = site_;
        return com::S_OK;
    }
    return ComObject::QueryInterface(iid, object);
}

// --- attaching -----------------------------------------------------------------------------------------

HRESULT KvlRecordingExtension::SetChart(com::IUnknown* chart) {
    note(chart ? "SetChart(chart)" : "SetChart(null)");
    if (!chart) {
        if (galleryCount_ == 0)
            uninstall();
        site_ = nullptr;
        services_ = nullptr;
        control_ = nullptr;
        return com::S_OK;
    }
    if (site_)
        return com::E_FAIL;
    com::ComPtr<com::IUnknown> unknown(chart);
    auto site = unknown.as<IKvlExtensionSite>();
    auto services = unknown.as<IKvlExtensionServices>();
    auto control = unknown.as<IKvlControlW>();
    if (!site || !services || !control)
        return com::E_FAIL;
    site_ = site.get();
    services_ = services.get();
    control_ = control.get();
    // The annotation extension sees input for as long as it is attached.
    return galleryCount_ == 0 ? install() : com::S_OK;
}

HRESULT KvlRecordingExtension::install() {
    IKvlExtensionCallback* previous = nullptr;
    const HRESULT result = control_->AdviseCallback(this, &previous);
    previousHeld_.attach(previous);
    setPrevious(previous);
    return result;
}

void KvlRecordingExtension::uninstall() {
    if (!control_)
        return;
    com::ComPtr<IKvlExtensionCallback> mine;
    control_->AdviseCallback(previousHeld_.get(), mine.put());
    previousHeld_.reset();
    setPrevious(nullptr);
}

HRESULT KvlRecordingExtension::GetCaption(KvlCaption* caption) {
    caption->flags = 1;
    com::copyToFixed("Recording", caption->caption);
    return com::S_OK;
}

HRESULT KvlRecordingExtension::SetHostData(LONG) {
    return com::S_OK;
}

HRESULT KvlRecordingExtension::UpdateCommandTexts(LONG galleryTypeBase, LONG firstCommandId) {
    note(call("UpdateCommandTexts", galleryTypeBase, firstCommandId));
    // Without a command collection there is nothing to register.
    return com::E_POINTER;
}

LONG KvlRecordingExtension::IsGalleryEnabled(LONG index) {
    if (index < 0 || index >= galleryCount_ || !services_)
        return 0;
    LONG series = 0;
    services_->GetProperty(&series, nullptr, 0, kValues);
    return series != 0 ? 1 : 0;
}

HRESULT KvlRecordingExtension::ActivateGallery(LONG index, LONG activate, LONG selector) {
    note(call("ActivateGallery", index, activate));
    if (index < 0 || index >= galleryCount_)
        return com::E_INVALIDARG;
    if (selector != -1)
        return com::S_OK;
    if (!control_)
        return com::E_FAIL;
    if (activate) {
        activeIndex_ = index;
        return install();
    }
    uninstall();
    activeIndex_ = -1;
    return com::S_OK;
}

LONG KvlRecordingExtension::NotifyGallery(LONG index, LONG code) {
    note(call("NotifyGallery", index, code));
    return 1;
}

HRESULT KvlRecordingExtension::GetPageClsid(LONG index, LONG kind, com::CLSID* clsid) {
    if (!clsid)
        return com::E_POINTER;
    *clsid = com::CLSID{};
    if (index < 0 || index >= galleryCount_ || kind != 1)
        return com::S_FALSE;
    *clsid = recordingPageClsid();
    return com::S_OK;
}

LONG KvlRecordingExtension::OnScrollChange(LONG first, LONG last) {
    note(call("OnScrollChange", first, last));
    return 0;
}

// --- the paint bracket ---------------------------------------------------------------------------------

LONG KvlRecordingExtension::OnMouseInput(gdi::DeviceContext*, const KvlRect*, LONG scaled) {
    note(call("OnMouseInput", scaled));
    advance(Bracket::Filled, Bracket::SetUp, "OnMouseInput");
    if ((scaled != 0) != fillPrinting_)
        fault("Paint's printing flag disagrees with the scaled flag");
    // SetViewport without a rectangle: the chart's plot area.
    viewport_ = KvlRect{};
    if (control_)
        control_->GetChartRect(kRectPlot, KvlRect{}, &viewport_);
    scaled_ = scaled != 0;
    return 0;
}

LONG KvlRecordingExtension::ActiveGalleryNotify(LONG index, gdi::DeviceContext* dc, LONG, LONG scaled) {
    note(call("ActiveGalleryNotify", index, scaled));
    advance(Bracket::SetUp, Bracket::Notified, "ActiveGalleryNotify");
    if (index != activeIndex_)
        fault("ActiveGalleryNotify for a gallery that is not active");
    if (!scaled && dc)
        scaled_ = dc->viewportExt().cx != dc->windowExt().cx || dc->viewportExt().cy != dc->windowExt().cy;
    else if (scaled)
        scaled_ = true;
    if (!scaled_)
        ++labelLayouts_;
    return 0;
}

LONG KvlRecordingExtension::Paint(gdi::DeviceContext*, const KvlRect*, LONG flags) {
    note(call("Paint", flags));
    advance(Bracket::Idle, Bracket::Filled, "Paint");
    fillPrinting_ = (flags & kPaintPrinting) != 0;
    return 0;
}

LONG KvlRecordingExtension::GalleryCommand(KvlPaintRecord* record, LONG* kind, LONG* mode) {
    if (bracket_ != Bracket::Notified)
        fault("GalleryCommand out of the paint bracket");
    if (record->galleryIndex != activeIndex_)
        fault("GalleryCommand for a gallery that is not active");
    if (record->flags & kPaintFirst)
        paintedElements_ = 0;
    ++paintedElements_;
    if (barBrush() && record->dc) {
        if (barBrush_ == gdi::HBRUSH{})
            barBrush_ = gdi::createSolidBrush(*barBrush());
        record->dc->selectObject(barBrush_);
    }
    *kind = drawAnswer().kind;
    *mode = drawAnswer().mode;
    return 1;
}

LONG KvlRecordingExtension::OnGalleryNotify(gdi::DeviceContext*, LONG code, LONG) {
    note(call("OnGalleryNotify", code) + " after " + std::to_string(paintedElements_));
    advance(Bracket::Notified, Bracket::Ended, "OnGalleryNotify");
    return 0;
}

LONG KvlRecordingExtension::OnKeyInput(gdi::DeviceContext*, const KvlRect*, LONG) {
    note("OnKeyInput");
    advance(Bracket::Ended, Bracket::Idle, "OnKeyInput");
    scaled_ = false;
    return 0;
}

// --- the label loop of the panes ----------------------------------------------------------------------

HRESULT KvlRecordingExtension::GetGalleryAxisLabel(LONG index, gdi::DeviceContext* dc, LONG axisCode,
                                                   LONG major, double* gap, double position, double* value,
                                                   LONG* labelIndex, KvlTextBuffer* text) {
    if (index < 0 || index >= galleryCount_)
        return com::E_INVALIDARG;
    if (bracket_ != Bracket::Notified)
        fault("GetGalleryAxisLabel out of the paint bracket");
    if (axisCode == kXAxis && xLabels() && dc && gap && value && labelIndex && text)
        return xAxisLabel(dc, gap, position, value, labelIndex, major, text);
    const std::vector<KvlLabelPane>& list = panes();
    if (axisCode != 0 || list.empty() || !dc || !gap || !value || !labelIndex || !text)
        return com::S_OK;
    while (panePens_.size() < list.size())
        panePens_.push_back(gdi::createPen(gdi::PS_SOLID, 1, list[panePens_.size()].gridColor));
    const bool negative = *gap < 0;
    // The label index picks the pane: the first takes indices 0 .. n + 1 (index 0 one step below its
    // minimum), each later pane the next n + 1.
    LONG f = 1;
    for (std::size_t p = 0; p < list.size(); ++p) {
        const KvlLabelPane& pane = list[p];
        if (*labelIndex - f > pane.count) {
            f += pane.count + 1;
            continue;
        }
        const LONG j = *labelIndex - f;
        const bool lastLabel = j == pane.count;
        *gap = lastLabel ? pane.endGap : pane.step;
        if (negative)
            *gap = -*gap;
        *value = pane.dataMinimum + j * pane.dataStep;
        if (major) {
            char label[64] = {};
            std::snprintf(label, sizeof label, "P%zu:%g", p, *value);
            com::copyToFixed(label, text->data, static_cast<std::size_t>(text->capacity));
        }
        // On a pane's last label the next pane's grid pen takes over.
        const std::size_t penPane = lastLabel && p + 1 < list.size() ? p + 1 : p;
        dc->selectObject(panePens_[penPane]);
        ++*labelIndex;
        return com::S_OK;
    }
    return com::S_OK;
}

HRESULT KvlRecordingExtension::xAxisLabel(gdi::DeviceContext* dc, double* gap, double position, double* value,
                                          LONG* labelIndex, LONG major, KvlTextBuffer* text) {
    if (xLabelPen_ == gdi::HPEN{} && xLabels()->gridColor)
        xLabelPen_ = gdi::createPen(gdi::PS_SOLID, 1, *xLabels()->gridColor);
    *gap = xLabels()->step;
    *value = position;
    if (major) {
        char label[64] = {};
        std::snprintf(label, sizeof label, "D%g", position);
        com::copyToFixed(label, text->data, static_cast<std::size_t>(text->capacity));
    }
    if (xLabelPen_ != gdi::HPEN{})
        dc->selectObject(xLabelPen_);
    ++*labelIndex;
    return com::S_OK;
}

// --- the callback chain --------------------------------------------------------------------------------

LONG KvlRecordingExtension::AxisDoubleClick(const KvlHitRecord* hit, LONG x, LONG y, LONG keys) {
    const LONG chained = KvlChainedCallback::AxisDoubleClick(hit, x, y, keys);
    note(call("AxisDoubleClick", hit ? hit->code : -1, x, y, keys));
    return chained != 0 ? 1 : 0;
}

LONG KvlRecordingExtension::AxisRightClick(LONG x, LONG y) {
    const LONG chained = KvlChainedCallback::AxisRightClick(x, y);
    note(call("AxisRightClick", x, y));
    return chained != 0 ? 1 : 0;
}

LONG KvlRecordingExtension::CancelTracking(LONG reason, LONG x, LONG y, LONG keys) {
    const LONG chained = KvlChainedCallback::CancelTracking(reason, x, y, keys);
    note(call("CancelTracking", reason, x, y, keys));
    if (trackingX_) {
        drawTrackingLine(*trackingX_);
        trackingX_.reset();
    }
    return chained != 0 ? 1 : 0;
}

LONG KvlRecordingExtension::ButtonDown(LONG x, LONG y) {
    const LONG chained = KvlChainedCallback::ButtonDown(x, y);
    note(call("ButtonDown", x, y));
    if (chained != 0)
        return 1;
    if (tracking() && routed() && y > viewport_.top && y < viewport_.bottom) {
        drawTrackingLine(x);
        trackingX_ = x;
        site_->CaptureMouse(1);
        return 1;
    }
    return galleryCount_ == 0 ? annotationButtonDownAnswer() : buttonDownAnswer();
}

LONG KvlRecordingExtension::MouseMove(LONG x, LONG y) {
    const LONG chained = KvlChainedCallback::MouseMove(x, y);
    note(call("MouseMove", x, y));
    if (chained != 0)
        return 1;
    if (trackingX_) {
        drawTrackingLine(*trackingX_);  // drawing it again erases it
        drawTrackingLine(x);
        trackingX_ = x;
        return 1;
    }
    return 0;
}

LONG KvlRecordingExtension::ButtonUp(LONG x, LONG y) {
    const LONG chained = KvlChainedCallback::ButtonUp(x, y);
    note(call("ButtonUp", x, y));
    if (chained != 0)
        return 1;
    if (trackingX_) {
        drawTrackingLine(*trackingX_);
        trackingX_.reset();
        site_->CaptureMouse(0);
        return 1;
    }
    return 0;
}

void KvlRecordingExtension::drawTrackingLine(LONG x) {
    if (trackingPen_ == gdi::HPEN{})
        trackingPen_ = gdi::createPen(gdi::PS_SOLID, 1, gdi::rgb(0x40, 0x80, 0xC0));
    gdi::DeviceContext* dc = nullptr;
    if (site_->UpdateWindow() != com::S_OK || site_->GetSurfaceDC(&dc) != com::S_OK) {
        fault("no surface DC outside the paint");
        return;
    }
    dc->setROP2(gdi::R2_XORPEN);
    dc->selectObject(trackingPen_);
    dc->moveTo(x, viewport_.top);
    dc->lineTo(x, viewport_.bottom);
    site_->ReleaseSurfaceDC(dc);
}

LONG KvlRecordingExtension::Command(LONG id) {
    const LONG chained = KvlChainedCallback::Command(id);
    note(call("Command", id));
    return chained != 0 ? 1 : 0;
}

// --- tips ------------------------------------------------------------------------------------------------

bool KvlRecordingExtension::handTip(LONG series, LONG point) {
    char text[kTipTextSize] = {};
    com::Bstr name;
    control_->GetSeriesLegend(static_cast<SHORT>(series), &name);
    double value = 0;
    control_->GetValue(series, point, &value);
    std::snprintf(text, sizeof text, "%s %g", name.toUtf8().c_str(), value);
    if (text[0] == '\0')
        com::copyToFixed(" ", text);
    return control_->SetToolTipText(com::Bstr::fromUtf8(text)) == com::S_OK;
}

LONG KvlRecordingExtension::PointTipText(LONG series, LONG point) {
    note(call("PointTipText", series, point));
    // The chart type comes before the chained callbacks here.
    bool called = false;
    if (routed()) {
        handTip(series, point);
        called = true;
    }
    const LONG chained = KvlChainedCallback::PointTipText(series, point);
    return chained != 0 || called ? 1 : 0;
}

LONG KvlRecordingExtension::TipText(LONG kind, LONG a, LONG b) {
    note(call("TipText", kind, a, b));
    if (routed() && (kind == kTipSeriesPoint || kind == kTipPlotPoint))
        handTip(a < 0 ? 0 : a, b);
    return KvlChainedCallback::TipText(kind, a, b);
}

const com::CLSID& recordingPageClsid() {
    return kPageClsid;
}

}  // namespace korvel::testing
