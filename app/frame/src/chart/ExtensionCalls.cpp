#include "frame/chart/ExtensionCalls.h"

#include <array>

#include "appdata/AppError.h"
#include "com/Dispatch.h"

namespace frame::chart {

bool Succeeded(com::HRESULT result, std::string_view member) {
    if (com::SUCCEEDED(result))
        return true;
    if (result == com::E_NOTIMPL)
        return false;
    throw tarnwick::AppError(result, std::string(member) + " failed");
}

com::ComPtr<com::IUnknown> ExtensionStudySlots::studyObject(Study study) {
    com::Variant result;
    const com::HRESULT hr =
        extension_->InvokeMember(static_cast<com::DISPID>(study), dravik::DISPATCH_PROPERTYGET, {}, &result);
    if (!Succeeded(hr, "study"))
        return {};
    return result.unknown();
}

// The study objects answer late-bound calls through their dispatch interface: arguments in declaration
// order, the new value of a property last.
void ExtensionStudySlots::put(Study study, StudyMember member, com::Variant value) {
    const auto object = studyObject(study);
    if (!object)
        return;
    const auto dispatch = object.as<com::IDispatch>();
    if (!dispatch)
        return;
    std::array<com::Variant, 1> args{std::move(value)};
    Succeeded(dispatch->Invoke(member, args), "study property");
}

void ExtensionStudySlots::setUpAs(Study study, std::int16_t baseIndex, std::string_view name) {
    const auto object = studyObject(study);
    if (!object)
        return;
    const auto dispatch = object.as<com::IDispatch>();
    if (!dispatch)
        return;
    std::array<com::Variant, 2> args{com::Variant(baseIndex), com::Variant::utf8(name)};
    Succeeded(dispatch->Invoke(kCustomSetUpAs, args), "SetUpAs");
}

// Reading a study's properties needs the study interface itself; until the extension offers study
// objects the caller's fallback stands.
std::int16_t ExtensionStudySlots::get16(Study study, StudyMember, std::int16_t fallback) {
    studyObject(study);
    return fallback;
}

com::ComPtr<com::IUnknown> ExtensionStudySlots::defaultSeries(Study study) {
    studyObject(study);
    return {};
}

com::ComPtr<com::IUnknown> ExtensionStudySlots::axis(Study study) {
    studyObject(study);
    return {};
}

}  // namespace frame::chart
