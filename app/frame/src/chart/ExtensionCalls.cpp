#include "frame/chart/ExtensionCalls.h"

#include <limits>

#include "appdata/AppError.h"
#include "dravik/AxisInterfaces.h"
#include "dravik/SeriesInterfaces.h"
#include "dravik/StudyInterfaces.h"

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

namespace {

bool isCustom(Study study) {
    return static_cast<com::DISPID>(study) >= dravik::DISPID_FirstStudy + 48;
}

// The shared members of a study object, whichever interface it is handed out under.
dravik::IIndex0* membersOf(Study study, const com::ComPtr<com::IUnknown>& object,
                           com::ComPtr<com::IUnknown>& held) {
    if (!object)
        return nullptr;
    if (isCustom(study)) {
        const auto custom = object.as<dravik::ICustomIndex>();
        held = custom;
        return custom.get();
    }
    const auto plain = object.as<dravik::IIndex>();
    held = plain;
    return plain.get();
}

template <class T>
T converted(com::Variant value, com::VARTYPE type, T (com::Variant::*read)() const) {
    if (com::FAILED(value.changeType(type)))
        throw tarnwick::AppError(com::DISP_E_TYPEMISMATCH, "Type mismatch");
    return (value.*read)();
}

}  // namespace

void ExtensionStudySlots::put(Study study, StudyMember member, com::Variant value) {
    com::ComPtr<com::IUnknown> held;
    dravik::IIndex0* s = membersOf(study, studyObject(study), held);
    if (s == nullptr)
        return;
    switch (member) {
        case kStudyVisible:
            Succeeded(s->put_Visible(converted(value, com::VT_BOOL, &com::Variant::boolVal)), "Visible");
            break;
        case kStudySubIndicators:
            Succeeded(s->put_SubIndicators(converted(value, com::VT_I2, &com::Variant::i2)), "SubIndicators");
            break;
        case kStudyPriceIndicator:
            Succeeded(s->put_PriceIndicator(converted(value, com::VT_BOOL, &com::Variant::boolVal)),
                      "PriceIndicator");
            break;
        case kStudyName:
            Succeeded(s->put_Name(converted(value, com::VT_BSTR, &com::Variant::bstr)), "Name");
            break;
        case kStudyPeriods:
            Succeeded(s->put_Periods(converted(value, com::VT_I2, &com::Variant::i2)), "Periods");
            break;
        case kStudyD:
            Succeeded(s->put_D(converted(value, com::VT_R8, &com::Variant::r8)), "D");
            break;
        case kStudyWorkSeries:
            Succeeded(s->put_WorkSeries(converted(value, com::VT_I2, &com::Variant::i2)), "WorkSeries");
            break;
        default:
            throw tarnwick::AppError(com::DISP_E_MEMBERNOTFOUND,
                                     "Object doesn't support this property or method");
    }
}

void ExtensionStudySlots::setUpAs(Study study, std::int16_t baseIndex, std::string_view name) {
    const auto object = studyObject(study);
    const auto custom = object ? object.as<dravik::ICustomIndex>() : com::ComPtr<dravik::ICustomIndex>();
    if (custom)
        Succeeded(custom->SetUpAs(baseIndex, com::Bstr::fromUtf8(name)), "SetUpAs");
}

std::int16_t ExtensionStudySlots::get16(Study study, StudyMember member, std::int16_t fallback) {
    com::ComPtr<com::IUnknown> held;
    dravik::IIndex0* s = membersOf(study, studyObject(study), held);
    if (s == nullptr)
        return fallback;
    com::SHORT value = fallback;
    com::HRESULT hr = com::E_NOTIMPL;
    if (member == kStudyVisible) {
        com::VARIANT_BOOL visible = com::VARIANT_FALSE;
        hr = s->get_Visible(&visible);
        value = visible;
    } else if (member == kStudyPeriods)
        hr = s->get_Periods(&value);
    else if (member == kStudySeriesIndex)
        hr = s->get_SeriesIndex(com::Variant::missing(), &value);
    else if (member == kStudyWorkSeries)
        hr = s->get_WorkSeries(&value);
    return Succeeded(hr, "study property") ? value : fallback;
}

com::ComPtr<com::IUnknown> ExtensionStudySlots::defaultSeries(Study study) {
    com::ComPtr<com::IUnknown> held;
    dravik::IIndex0* s = membersOf(study, studyObject(study), held);
    if (s == nullptr)
        return {};
    com::ComPtr<dravik::IIndexSeries> series;
    if (!Succeeded(s->get_Series(com::Variant::missing(), series.put()), "Series"))
        return {};
    return series;
}

com::ComPtr<dravik::IIndexSeries> seriesOf(StudySlots& studies, Study study) {
    const auto series = studies.defaultSeries(study);
    return series ? series.as<dravik::IIndexSeries>() : com::ComPtr<dravik::IIndexSeries>();
}

void CaptionAverage(StudySlots& studies, Study study, std::string_view caption) {
    constexpr std::int16_t kUnanswered = std::numeric_limits<std::int16_t>::min();
    const std::int16_t named = studies.get16(study, kStudyPeriods, kUnanswered);
    if (named != kUnanswered)
        studies.put(study, kStudyName, com::Variant::utf8(std::to_string(named) + std::string(caption)));
    const std::int16_t legend = studies.get16(study, kStudyPeriods, kUnanswered);
    const auto series = seriesOf(studies, study);
    if (legend != kUnanswered && series)
        Succeeded(series->put_Legend(com::Bstr::fromUtf8(std::to_string(legend) + " Simple M.A.")), "Legend");
}

com::ComPtr<com::IUnknown> ExtensionStudySlots::axis(Study study) {
    com::ComPtr<com::IUnknown> held;
    dravik::IIndex0* s = membersOf(study, studyObject(study), held);
    if (s == nullptr)
        return {};
    com::ComPtr<dravik::ILomexAxis> axis;
    if (!Succeeded(s->get_Axis(axis.put()), "Axis"))
        return {};
    return axis;
}

}  // namespace frame::chart
