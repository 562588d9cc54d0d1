#include "korvel/testing/KvlRecordingExtension.h"

#include "com/Activation.h"
#include "com/FixedText.h"

namespace korvel::testing {

namespace {

// {5E3F2C10-1B7A-4F0D-9C55-7A2E8D41B6F3}
constexpr com::CLSID kClsid{0x5E3F2C10, 0x1B7A, 0x4F0D, {0x9C, 0x55, 0x7A, 0x2E, 0x8D, 0x41, 0xB6, 0xF3}};

void note(std::string entry) {
    KvlRecordingExtension::log().push_back(std::move(entry));
}

std::string call(const char* name, LONG a) {
    return std::string(name) + "(" + std::to_string(a) + ")";
}

std::string call(const char* name, LONG a, LONG b) {
    return std::string(name) + "(" + std::to_string(a) + "," + std::to_string(b) + ")";
}

}  // namespace

KvlRecordingExtension::KvlRecordingExtension() = default;

KvlRecordingExtension::~KvlRecordingExtension() {
    note(control_ ? "Released while attached" : "Released");
}

std::vector<std::string>& KvlRecordingExtension::log() {
    static std::vector<std::string> entries;
    return entries;
}

LONG& KvlRecordingExtension::buttonDownAnswer() {
    static LONG answer = 0;
    return answer;
}

HRESULT KvlRecordingExtension::registerClass() {
    return com::registerClassObject(com::ServerClass{kClsid, kRecordingExtensionProgId, nullptr, "Apartment",
                                                     &com::createComObject<KvlRecordingExtension>});
}

HRESULT KvlRecordingExtension::SetChart(com::IUnknown* chart) {
    note(chart ? "SetChart(chart)" : "SetChart(null)");
    if (!chart) {
        services_ = nullptr;
        control_ = nullptr;
        return com::S_OK;
    }
    com::ComPtr<com::IUnknown> unknown(chart);
    auto services = unknown.as<IKvlExtensionServices>();
    auto control = unknown.as<IKvlControlW>();
    if (!services || !control)
        return com::E_FAIL;
    services_ = services.get();
    control_ = control.get();
    return com::S_OK;
}

HRESULT KvlRecordingExtension::GetCaption(KvlCaption* caption) {
    caption->flags = 1;
    com::copyToFixed("Recording", caption->caption);
    return com::S_OK;
}

HRESULT KvlRecordingExtension::SetHostData(LONG) {
    return com::S_OK;
}

LONG KvlRecordingExtension::Paint(gdi::DeviceContext*, const KvlRect*, LONG flags) {
    note(call("Paint", flags));
    return 0;
}

LONG KvlRecordingExtension::OnMouseInput(KvlArg a, KvlArg, KvlArg) {
    note(call("OnMouseInput", static_cast<LONG>(a)));
    return 0;
}

LONG KvlRecordingExtension::OnKeyInput(KvlArg, KvlArg, KvlArg) {
    return 0;
}

LONG KvlRecordingExtension::OnGalleryNotify(KvlArg, KvlArg b, KvlArg) {
    note(call("OnGalleryNotify", static_cast<LONG>(b)) + " after " + std::to_string(paintedElements_));
    return 0;
}

LONG KvlRecordingExtension::ReservedCall() {
    return 0;
}

HRESULT KvlRecordingExtension::UpdateCommandTexts(LONG galleryTypeBase, LONG firstCommandId) {
    note(call("UpdateCommandTexts", galleryTypeBase, firstCommandId));
    // Without a command collection there is nothing to register.
    return com::E_POINTER;
}

LONG KvlRecordingExtension::GetGalleryCount() {
    return kGalleryCount;
}

LONG KvlRecordingExtension::GetGalleryCapabilities(LONG) {
    return 0;
}

LONG KvlRecordingExtension::GetGalleryInfo(LONG) {
    return 0;
}

LONG KvlRecordingExtension::GalleryCommand(KvlPaintRecord* record, LONG* kind, LONG* mode) {
    if (record->flags & kPaintFirst)
        paintedElements_ = 0;
    ++paintedElements_;
    *kind = kDrawKindChart;
    *mode = 1;
    return 1;
}

LONG KvlRecordingExtension::GalleryQuery(LONG, KvlArg, KvlArg, KvlArg, KvlArg) {
    return -1;
}

LONG KvlRecordingExtension::IsGalleryEnabled(LONG index) {
    if (index < 0 || index >= kGalleryCount || !services_)
        return 0;
    LONG series = 0;
    services_->GetProperty(&series, nullptr, 0, kValues);
    return series != 0 ? 1 : 0;
}

HRESULT KvlRecordingExtension::ActivateGallery(LONG index, LONG activate, LONG) {
    note(call("ActivateGallery", index, activate));
    if (!control_)
        return com::E_FAIL;
    if (activate) {
        previous_.reset();
        return control_->AdviseCallback(this, previous_.put());
    }
    com::ComPtr<IKvlExtensionCallback> mine;
    const HRESULT result = control_->AdviseCallback(previous_.get(), mine.put());
    previous_.reset();
    return result;
}

HRESULT KvlRecordingExtension::GetGalleryAxisLabel(LONG, gdi::DeviceContext*, LONG, LONG, double, char*, LONG,
                                                   LONG*, KvlRect*) {
    return com::S_OK;
}

LONG KvlRecordingExtension::GalleryAction(LONG, LONG*, LONG*, KvlValueBlock**, LONG, LONG) {
    return 0;
}

LONG KvlRecordingExtension::NotifyGallery(LONG index, LONG a) {
    note(call("NotifyGallery", index, a));
    return 1;
}

LONG KvlRecordingExtension::ActiveGalleryCall(LONG, KvlArg, KvlArg, KvlArg) {
    return 0;
}

HRESULT KvlRecordingExtension::GetPageClsid(LONG, LONG, com::CLSID*) {
    return com::E_NOTIMPL;
}

LONG KvlRecordingExtension::ActiveGalleryNotify(LONG index, KvlArg, KvlArg, KvlArg printing) {
    note(call("ActiveGalleryNotify", index, static_cast<LONG>(printing)));
    return 0;
}

LONG KvlRecordingExtension::MapGalleryItemId(LONG, LONG, LONG id) {
    return id;
}

HRESULT KvlRecordingExtension::ConvertCoordinates(LONG, LONG, KvlCoordinate*, LONG, LONG, KvlTextBuffer*) {
    return com::S_OK;
}

LONG KvlRecordingExtension::ModifyGalleryFlags(LONG, LONG, LONG) {
    return 0;
}

LONG KvlRecordingExtension::ButtonDown(KvlArg x, KvlArg y) {
    LONG answer = previous_ ? previous_->ButtonDown(x, y) : 0;
    note(call("ButtonDown", static_cast<LONG>(x), static_cast<LONG>(y)));
    return answer != 0 ? 1 : buttonDownAnswer();
}

LONG KvlRecordingExtension::ButtonUp(KvlArg x, KvlArg y) {
    return previous_ ? previous_->ButtonUp(x, y) : 0;
}

LONG KvlRecordingExtension::MouseMove(KvlArg x, KvlArg y) {
    return previous_ ? previous_->MouseMove(x, y) : 0;
}

LONG KvlRecordingExtension::TipText(KvlArg text, KvlArg, KvlArg) {
    com::copyToFixed("recorded tip", reinterpret_cast<char*>(text), kTipTextSize);
    return 1;
}

}  // namespace korvel::testing
