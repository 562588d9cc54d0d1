#include "studyobjects/StudyLink.h"

#include <algorithm>

#include "series/SeriesWrappers.h"
#include "state/StudyRecord.h"

namespace dravik {
namespace {

constexpr int kFirstUser = static_cast<int>(kFirstUserStudy);
constexpr int kFirstCustom = static_cast<int>(kFirstCustomStudy);
constexpr int kLastBuiltIn = static_cast<int>(kBuiltInStudyCount) - 1;
constexpr int kVolume = 12;
// Display axes a study may ask for: the three study axes, or -1 for none.
constexpr com::SHORT kFirstDisplayAxis = -1;
constexpr com::SHORT kLastDisplayAxis = 2;

com::VARIANT_BOOL asVariantBool(std::uint8_t flag) {
    return flag != 0 ? com::VARIANT_TRUE : com::VARIANT_FALSE;
}

template <typename T, typename Field>
com::HRESULT read(T* out, Field value) {
    if (!out)
        return com::E_POINTER;
    *out = static_cast<T>(value);
    return com::S_OK;
}

bool isDisplayAxis(com::SHORT axis) {
    return axis >= kFirstDisplayAxis && axis <= kLastDisplayAxis;
}

// The weight of day `day` as the weighted average reads it: the own table's entry, else the default of
// the table (k + 1 for position k while the weights are linear, else 1).
std::int16_t defaultWeight(const StudyParameters& parameters, std::size_t day) {
    return parameters.linearWeights != 0 ? static_cast<std::int16_t>(day + 1) : std::int16_t{1};
}

// Makes the weights table `periods` entries long: the first ones kept, the new ones at their default.
void sizeWeights(StudyParameters& parameters, std::size_t keep, std::size_t periods) {
    std::vector<std::int16_t>& weights = parameters.weights;
    weights.resize(std::min(weights.size(), keep));
    while (weights.size() < periods)
        weights.push_back(defaultWeight(parameters, weights.size()));
}

}  // namespace

StudyLink::StudyLink(IStudyOwner& owner, int study) : owner_(owner), study_(study) {
    record().inUse = 1;
}

StudyRecord& StudyLink::record() const {
    return *owner_.StudyRecordOf(study_);
}

bool StudyLink::isShown() {
    bool shown = false;
    owner_.FindStudyEntry(study_, &shown);
    return shown;
}

void StudyLink::markForRecalculation() {
    record().recalcPending = 1;
}

template <typename Change>
void StudyLink::changeWhileHidden(Change change) {
    const bool shown = isShown();
    if (shown)
        owner_.ShowStudy(study_, false);
    change();
    if (shown)
        owner_.ShowStudy(study_, true);
}

// --- Showing and layout --------------------------------------------------------------------------------

com::HRESULT StudyLink::getVisible(com::VARIANT_BOOL* value) {
    return read(value, isShown() ? com::VARIANT_TRUE : com::VARIANT_FALSE);
}

com::HRESULT StudyLink::putVisible(com::VARIANT_BOOL value) {
    const bool show = value != 0;
    if (show == isShown())
        return com::S_OK;
    return owner_.ShowStudy(study_, show);
}

com::HRESULT StudyLink::getSubIndicators(com::SHORT* value) {
    return read(value, record().subIndicators);
}

com::HRESULT StudyLink::putSubIndicators(com::SHORT value) {
    if (value < 0 || value > static_cast<com::SHORT>(kStudyOutputCount))
        return com::E_INVALIDARG;
    record().subIndicators = value;
    return com::S_OK;
}

com::HRESULT StudyLink::getSpace(com::SHORT* value) {
    return read(value, record().space);
}

com::HRESULT StudyLink::putSpace(com::SHORT value) {
    record().space = std::max<com::SHORT>(value, 0);
    if (owner_.IsAnalyticalChartActive())
        owner_.LayOutStudyAxes(study_);
    return com::S_OK;
}

com::HRESULT StudyLink::getSpaceGap(com::SHORT* value) {
    return read(value, record().spaceGap);
}

com::HRESULT StudyLink::putSpaceGap(com::SHORT value) {
    record().spaceGap = std::max<com::SHORT>(value, 0);
    if (owner_.IsAnalyticalChartActive())
        owner_.LayOutStudyAxes(study_);
    return com::S_OK;
}

com::HRESULT StudyLink::getPriceIndicator(com::VARIANT_BOOL* value) {
    return read(value, asVariantBool(record().priceIndicator));
}

com::HRESULT StudyLink::putPriceIndicator(com::VARIANT_BOOL value) {
    const std::uint8_t flag = value != 0 ? 1 : 0;
    if (flag == record().priceIndicator)
        return com::S_OK;
    changeWhileHidden([&] {
        record().priceIndicator = flag;
        if (flag != 0 && !isDisplayAxis(record().usedAxis))
            record().usedAxis = -1;
    });
    return com::S_OK;
}

com::HRESULT StudyLink::getDisplayAxisIndex(com::SHORT* value) {
    return read(value, record().usedAxis);
}

com::HRESULT StudyLink::putDisplayAxisIndex(com::SHORT value) {
    if (!isDisplayAxis(value))
        return com::E_INVALIDARG;
    if (value == record().usedAxis)
        return com::S_OK;
    changeWhileHidden([&] { record().usedAxis = value; });
    return com::S_OK;
}

com::HRESULT StudyLink::getRememberAxisIndex(com::VARIANT_BOOL* value) {
    return read(value, asVariantBool(record().rememberAxisIndex));
}

com::HRESULT StudyLink::putRememberAxisIndex(com::VARIANT_BOOL value) {
    record().rememberAxisIndex = value != 0 ? 1 : 0;
    return com::S_OK;
}

com::HRESULT StudyLink::GetSeriesAxis(com::SHORT, int, com::SHORT* axis) {
    return getDisplayAxisIndex(axis);
}

com::HRESULT StudyLink::SetSeriesAxis(com::SHORT, int, com::SHORT axis) {
    return putDisplayAxisIndex(axis);
}

com::HRESULT StudyLink::getName(com::Bstr* value) {
    if (!value)
        return com::E_INVALIDARG;
    *value = com::Bstr::fromUtf8(record().name.GetText(owner_.StudyResourceModule()));
    return com::S_OK;
}

com::HRESULT StudyLink::putName(const com::Bstr& value) {
    record().name.SetText(value.toUtf8(), owner_.StudyResourceModule());
    owner_.StudyNameChanged(study_);
    return com::S_OK;
}

// --- Parameters ------------------------------------------------------------------------------------------

com::HRESULT StudyLink::getStartInZero(com::VARIANT_BOOL* value) {
    return read(value, asVariantBool(record().startInZero));
}

com::HRESULT StudyLink::putStartInZero(com::VARIANT_BOOL value) {
    record().startInZero = value == com::VARIANT_TRUE ? 1 : 0;
    markForRecalculation();
    return com::S_OK;
}

com::HRESULT StudyLink::getPeriods(com::SHORT* value) {
    return read(value, record().periods);
}

com::HRESULT StudyLink::putPeriods(com::SHORT value) {
    const com::SHORT before = record().periods;
    if (value > before && record().calcIndex == WEIGHTED_MOVINGAVG)
        sizeWeights(record().parameters, static_cast<std::size_t>(std::max<com::SHORT>(before, 0)),
                    static_cast<std::size_t>(value));
    record().periods = value;
    markForRecalculation();
    return com::S_OK;
}

com::HRESULT StudyLink::getSignalPeriod(com::SHORT* value) {
    return read(value, record().parameters.signalPeriod());
}

com::HRESULT StudyLink::putSignalPeriod(com::SHORT value) {
    record().parameters.setSignalPeriod(value);
    markForRecalculation();
    return com::S_OK;
}

com::HRESULT StudyLink::getLongPeriod(com::SHORT* value) {
    return read(value, record().parameters.longPeriod());
}

com::HRESULT StudyLink::putLongPeriod(com::SHORT value) {
    record().parameters.setLongPeriod(value);
    markForRecalculation();
    return com::S_OK;
}

com::HRESULT StudyLink::getShortPeriod(com::SHORT* value) {
    return read(value, record().parameters.shortPeriod());
}

com::HRESULT StudyLink::putShortPeriod(com::SHORT value) {
    record().parameters.setShortPeriod(value);
    markForRecalculation();
    return com::S_OK;
}

com::HRESULT StudyLink::getD(double* value) {
    return read(value, record().parameters.D());
}

com::HRESULT StudyLink::putD(double value) {
    record().parameters.setD(value);
    markForRecalculation();
    return com::S_OK;
}

com::HRESULT StudyLink::getWeights(com::SHORT day, com::SHORT* value) {
    if (!value)
        return com::E_POINTER;
    *value = 0;
    if (day < 0 || day >= record().periods)
        return com::E_INVALIDARG;
    const auto position = static_cast<std::size_t>(day);
    const std::vector<std::int16_t>& weights = record().parameters.weights;
    *value = position < weights.size() ? weights[position] : defaultWeight(record().parameters, position);
    return com::S_OK;
}

com::HRESULT StudyLink::putWeights(com::SHORT day, com::SHORT value) {
    if (day < 0 || day >= record().periods)
        return com::E_INVALIDARG;
    StudyParameters& parameters = record().parameters;
    // The table is completed at the defaults it had before the linear weights end.
    sizeWeights(parameters, parameters.weights.size(), static_cast<std::size_t>(record().periods));
    parameters.linearWeights = 0;
    parameters.weights[static_cast<std::size_t>(day)] = value;
    markForRecalculation();
    return com::S_OK;
}

com::HRESULT StudyLink::getWorkSeries(com::SHORT* value) {
    return read(value, record().workSeries);
}

com::HRESULT StudyLink::putWorkSeries(com::SHORT value) {
    record().workSeries = value;
    markForRecalculation();
    return com::S_OK;
}

// --- Series, axis and calculation ----------------------------------------------------------------------

int StudyLink::subIndicatorOf(const com::Variant& argument) const {
    int output = record().defaultSeries;
    if (!argument.isMissing()) {
        com::Variant value = argument.dereferenced();
        if (com::FAILED(value.changeType(com::VT_I2)))
            return -1;
        output = value.i2();
    }
    return output >= 0 && output < record().subIndicators ? output : -1;
}

com::SHORT StudyLink::userSeriesOf(int output) const {
    if (study_ < kFirstUser || study_ >= kFirstCustom)
        return -1;
    int series = owner_.FirstUserSeries() + output;
    for (int user = kFirstUser; user < study_; ++user) {
        if (const StudyRecord* record = owner_.StudyRecordOf(user))
            series += record->subIndicators;
    }
    return static_cast<com::SHORT>(series);
}

com::HRESULT StudyLink::getSeriesIndex(const com::Variant& subIndicator, com::SHORT* value) {
    if (!value)
        return com::E_POINTER;
    *value = -1;
    const int output = subIndicatorOf(subIndicator);
    if (output < 0)
        return com::E_INVALIDARG;
    if (!owner_.IsAnalyticalChartActive()) {
        *value = userSeriesOf(output);
        return com::S_OK;
    }
    bool shown = false;
    if (owner_.FindStudyEntry(study_, &shown) < 0) {
        // A study that is not on the chart yet gets its series by being shown, and stays as it was.
        owner_.ShowStudy(study_, true);
        if (!shown)
            owner_.ShowStudy(study_, false);
    }
    const com::SHORT first = owner_.StudyFirstSeries(study_);
    *value = first < 0 ? com::SHORT{-1} : static_cast<com::SHORT>(first + output);
    return com::S_OK;
}

com::HRESULT StudyLink::getSeries(const com::Variant& subIndicator, com::IUnknown* self,
                                  IIndexSeries** value) {
    if (!value)
        return com::E_POINTER;
    *value = nullptr;
    const int output = subIndicatorOf(subIndicator);
    if (output < 0)
        return com::E_INVALIDARG;
    com::SHORT series = -1;
    if (owner_.IsAnalyticalChartActive()) {
        const com::SHORT first = owner_.StudyFirstSeries(study_);
        if (first >= 0)
            series = static_cast<com::SHORT>(first + output);
    }
    SeriesView view;
    view.lifetime = self;
    view.owner = this;
    view.channel = owner_.StudyOutputChannel();
    view.record = &record().series[static_cast<std::size_t>(output)];
    view.series = series;
    view.study = study_;
    *value = CreateIndexSeries(view).detach();
    return com::S_OK;
}

com::HRESULT StudyLink::getAxis(ILomexAxis** value) {
    if (!value)
        return com::E_POINTER;
    *value = nullptr;
    return owner_.CreateStudyAxis(study_, value);
}

com::HRESULT StudyLink::recalculate() {
    if (record().recalcPending == 0 || !owner_.IsAnalyticalChartActive() ||
        owner_.FindStudyEntry(study_, nullptr) < 0)
        return com::S_OK;
    owner_.RecalculateStudy(study_);
    record().recalcPending = 0;
    return com::S_OK;
}

// --- Custom studies ------------------------------------------------------------------------------------

com::HRESULT StudyLink::setUpAs(com::SHORT base, const com::Bstr& name) {
    const StudyRecord* source =
        base >= 0 && base <= kLastBuiltIn && base != kVolume ? owner_.StudyRecordOf(base) : nullptr;
    if (!source)
        return com::E_INVALIDARG;
    // The custom study keeps its own visibility, name and output legends; everything else is the base
    // study's, the weights table included (a copy the custom study owns).
    StudyRecord copy = *source;
    copy.visible = record().visible;
    copy.name = record().name;
    for (std::size_t output = 0; output < kStudyOutputCount; ++output) {
        const bool ownLegend = (record().series[output].setMask & SA_LEGEND) != 0;
        copy.series[output].legend = record().series[output].legend;
        copy.series[output].setMask =
            (copy.series[output].setMask & ~SA_LEGEND) | (ownLegend ? SA_LEGEND : 0u);
    }
    if (copy.calcIndex == WEIGHTED_MOVINGAVG)
        sizeWeights(copy.parameters, copy.parameters.weights.size(),
                    static_cast<std::size_t>(std::max<com::SHORT>(copy.periods, 0)));
    copy.calcIndex = base;
    copy.inUse = 1;
    copy.recalcPending = 1;
    record() = std::move(copy);
    putName(name);
    owner_.StudySetUp(study_, record().priceIndicator != 0);
    return com::S_OK;
}

com::HRESULT StudyLink::getClonedStudy(com::SHORT* value) {
    const bool cloned = record().calcIndex >= 0 && record().calcIndex <= kLastBuiltIn;
    return read(value, cloned ? record().calcIndex : com::SHORT{-1});
}

}  // namespace dravik
