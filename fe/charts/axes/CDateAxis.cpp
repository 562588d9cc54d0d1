#include "axes/CDateAxis.h"

#include "format/DateLabelFormats.h"
#include "format/FormatPicture.h"
#include "state/ExtensionSettings.h"

namespace dravik {
namespace {

// The chart's X axis, which the date axis labels.
constexpr SHORT kDateChartAxis = 2;

bool isFormatIndex(SHORT index) {
    return index >= 0 && static_cast<std::size_t>(index) < kDateLabelFormatCount;
}

}  // namespace

CDateAxis::CDateAxis(IAxisOwner& owner) : CAxisMembers(owner), owner_(owner) {
    axis_.Bind(&owner, nullptr, &owner.AxisSettingsBlock().dateAxis);
    axis_.SetAxis(kDateChartAxis, 0);
}

HRESULT CDateAxis::get_Format(SHORT index, com::Variant* value) {
    if (value)
        *value = com::Variant();
    if (!isFormatIndex(index))
        return com::E_INVALIDARG;
    if (!value)
        return com::E_POINTER;
    *value = com::Variant(static_cast<std::int32_t>(owner_.AxisSettingsBlock().dateFormatCodes[index]));
    return com::S_OK;
}

HRESULT CDateAxis::put_Format(SHORT index, com::Variant value) {
    if (!isFormatIndex(index))
        return com::E_INVALIDARG;
    ExtensionSettings& settings = owner_.AxisSettingsBlock();
    PreparedFormat format = settings.dateFormats[index];
    std::int32_t digits = settings.dateAxis.decimals;
    FormatCode code = 0;
    if (!FormatFromVariant(value, format, digits, code, settings.dateAxis.locale))
        return com::E_FAIL;
    settings.dateFormats[index] = format;
    settings.dateFormatCodes[index] = code;
    owner_.RepaintAxisChart();
    return com::S_OK;
}

HRESULT CDateAxis::getStep(SHORT field, SHORT* out) {
    if (!out)
        return com::E_INVALIDARG;
    *out = field;
    return com::S_OK;
}

// Step kinds: -1 (automatic) to 6 (each point).
HRESULT CDateAxis::putStepKind(SHORT& field, SHORT value) {
    if (value < DAS_AUTO || value > DAS_EACHPOINT)
        return com::E_INVALIDARG;
    if (value != field) {
        field = value;
        owner_.RepaintAxisChart();
    }
    return com::S_OK;
}

// Step counts: a label every `value` steps. A count of 0 would leave the layout no step to take, so
// it is refused like a negative one.
HRESULT CDateAxis::putStepCount(SHORT& field, SHORT value) {
    if (value <= 0)
        return com::E_INVALIDARG;
    if (value != field) {
        field = value;
        owner_.RepaintAxisChart();
    }
    return com::S_OK;
}

HRESULT CDateAxis::get_DateStep(SHORT* value) {
    return getStep(owner_.AxisSettingsBlock().dateStep, value);
}
HRESULT CDateAxis::put_DateStep(SHORT value) {
    return putStepKind(owner_.AxisSettingsBlock().dateStep, value);
}
HRESULT CDateAxis::get_DateMinorStep(SHORT* value) {
    return getStep(owner_.AxisSettingsBlock().dateMinorStep, value);
}
HRESULT CDateAxis::put_DateMinorStep(SHORT value) {
    return putStepKind(owner_.AxisSettingsBlock().dateMinorStep, value);
}
HRESULT CDateAxis::get_DateStepEvery(SHORT* value) {
    return getStep(owner_.AxisSettingsBlock().dateStepEvery, value);
}
HRESULT CDateAxis::put_DateStepEvery(SHORT value) {
    return putStepCount(owner_.AxisSettingsBlock().dateStepEvery, value);
}
HRESULT CDateAxis::get_DateMinorStepEvery(SHORT* value) {
    return getStep(owner_.AxisSettingsBlock().dateMinorStepEvery, value);
}
HRESULT CDateAxis::put_DateMinorStepEvery(SHORT value) {
    return putStepCount(owner_.AxisSettingsBlock().dateMinorStepEvery, value);
}

HRESULT CDateAxis::DateStepRefresh() {
    const ExtensionSettings& settings = owner_.AxisSettingsBlock();
    owner_.ApplyDateSteps(settings.dateStep, settings.dateStepEvery, settings.dateMinorStep,
                          settings.dateMinorStepEvery);
    return com::S_OK;
}

}  // namespace dravik
