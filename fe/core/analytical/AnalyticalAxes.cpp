// The analytical chart's axes: which study axis a study gets, the bands of the panes over the plot,
// the range each axis shows, and what the axis objects see of them.
#include <algorithm>
#include <cmath>
#include <string>

#include "analytical/CAnalyticalChartBase.h"
#include "axes/AxisObjectFactory.h"
#include "axes/AxisPropertyCodes.h"
#include "dravik/IFinancialCharts.h"
#include "extension/CFinancialCharts.h"
#include "format/ScaleRounding.h"
#include "host/CHostChartAdapter.h"

namespace dravik {
namespace {

// Axis values written for each axis beyond the display minimum and maximum: the data minimum and maximum.
constexpr LONG kAxisDataMinCode = 24;
constexpr LONG kAxisDataMaxCode = 25;
constexpr SHORT kSecondValueAxis = 1;

// A view whose values are all one (a single day, a flat stretch) gives a pane no height to map them
// into: it opens around the value as the whole chart's range does.
void OpenFlatRange(double& min, double& max, const AxisSettingsRecord* settings) {
    if (min == max)
        NormaliseRange(min, max, settings ? std::max<std::int32_t>(settings->decimals, 0) : 0);
}

}  // namespace

LONG CAnalyticalChartBase::EntryOfAxis(SHORT axis) const {
    if (axis < 0 || axis >= static_cast<SHORT>(kStudyAxisCount))
        return -1;
    const SHORT owner = axes_[static_cast<std::size_t>(axis)].study;
    return owner == -1 ? -1 : FindStudyEntry(owner);
}

SHORT CAnalyticalChartBase::PickStudyAxis(SHORT preferred) {
    if (preferred < -1 || preferred > 2)
        preferred = -1;
    SHORT axis = preferred;
    if (preferred == -1) {
        const ExtensionSettings& settings = owner_->settings();
        const bool topDown = settings.top2BottomStudyAxis != 0;
        const SHORT fallback = settings.fullTechnicalStudyAxis >= 0 && settings.fullTechnicalStudyAxis <= 2
                                   ? settings.fullTechnicalStudyAxis
                                   : static_cast<SHORT>(topDown ? 0 : 2);
        for (SHORT step = 0; step < static_cast<SHORT>(kStudyAxisCount); ++step) {
            const SHORT candidate = topDown ? static_cast<SHORT>(2 - step) : step;
            if (!axes_[static_cast<std::size_t>(candidate)].inUse())
                return candidate;
        }
        axis = fallback;
    }
    if (axes_[static_cast<std::size_t>(axis)].inUse()) {
        // The axis goes to the new study: the study that holds it is hidden first.
        const LONG holder = EntryOfAxis(axis);
        if (holder >= 0 && table_[static_cast<std::size_t>(holder)].visible)
            CalculateStudy(holder, false);
        axes_[static_cast<std::size_t>(axis)].study = -1;
    }
    return axis;
}

void CAnalyticalChartBase::LayoutStudyAxes() {
    if (!IsCurrentChartType())
        return;
    std::array<LONG, kStudyAxisCount> space{};
    std::array<LONG, kStudyAxisCount> gap{};
    for (std::size_t a = 0; a < kStudyAxisCount; ++a) {
        if (const StudyRecord* study = axes_[a].inUse() ? record(axes_[a].study) : nullptr) {
            space[a] = study->space;
            gap[a] = study->spaceGap;
        }
    }
    LayoutAxisBands(axes_, space, gap);
    ApplyAxesToChart();
}

void CAnalyticalChartBase::ApplyAxesToChart() {
    CHostChartAdapter* chart = adapter();
    if (!chart || !IsCurrentChartType())
        return;
    const auto write = [chart](SHORT controlAxis, const StudyAxisRecord& axis) {
        chart->SetAxisValue(controlAxis, APC_MIN, axis.displayMin);
        chart->SetAxisValue(controlAxis, APC_MAX, axis.displayMax);
        chart->SetAxisValue(controlAxis, kAxisDataMinCode, axis.dataMin);
        chart->SetAxisValue(controlAxis, kAxisDataMaxCode, axis.dataMax);
    };
    for (const StudyAxisRecord& axis : axes_) {
        if (&axis == &axes_[kPriceAxisIndex] || axis.inUse())
            write(axis.controlAxis, axis);
    }
    write(kSecondValueAxis, axes_[kPriceAxisIndex]);
}

LONG CAnalyticalChartBase::DecimalsOfAxis(SHORT axis) {
    CHostChartAdapter* chart = adapter();
    if (!chart)
        return 0;
    // Whatever the chart holds (a template may have set anything): -1 (none given) up to a count the
    // range rounding can use, clamped before the conversion.
    constexpr double kMostDecimals = 30;
    const double decimals =
        chart->GetAxisValue(axes_.at(static_cast<std::size_t>(axis)).controlAxis, APC_DECIMALS);
    return std::isfinite(decimals) ? static_cast<LONG>(std::clamp(decimals, -1.0, kMostDecimals)) : 0;
}

void CAnalyticalChartBase::UpdateStudyAxisRange(LONG index) {
    if (index < 0 || index >= static_cast<LONG>(kStudyTableSize) ||
        table_[static_cast<std::size_t>(index)].isFree())
        return;
    StudyTableEntry& entry = table_[static_cast<std::size_t>(index)];
    const StudyRecord* study = record(entry.study);
    if (!study || study->usedAxis < 0 || study->usedAxis > kPriceAxisIndex)
        return;
    const SHORT axisIndex = study->usedAxis;
    if (entry.rangeState == 1) {
        const AxisSettingsRecord* settings =
            axisIndex == kPriceAxisIndex ? &owner_->settings().priceAxis : studyAxisSettings(entry.study);
        const std::int32_t decimals = settings ? settings->decimals : 0;
        entry.rangeState = static_cast<SHORT>(NormaliseRange(entry.min, entry.max, decimals));
        if (entry.rangeState == 0 && (owner_->settings().options & FEO_NOINFLATE) == 0)
            WidenRange(entry.min, entry.max, kRangeWidening);
    }
    StudyAxisRecord& axis = axes_[static_cast<std::size_t>(axisIndex)];
    if (entry.rangeState == 0) {
        if (axis.emptyState != kAxisHasData) {
            axis.dataMin = entry.min;
            axis.dataMax = entry.max;
            axis.emptyState = kAxisHasData;
        } else {
            axis.dataMin = std::min(axis.dataMin, entry.min);
            axis.dataMax = std::max(axis.dataMax, entry.max);
        }
    }
    if (axis.emptyState != kAxisHasData) {
        axis.dataMin = 0;
        axis.dataMax = 1;
    }
    RoundRangeToStep(axis.dataMin, axis.dataMax);
    if (study->startInZero && axis.dataMin > 0)
        axis.dataMin = 0;
}

void CAnalyticalChartBase::SetStudyAxis(bool repaint, SHORT study, SHORT value) {
    if (value != 0 && value != 1)
        return;
    StudyRecord* studyRecord = study != -1 ? record(study) : nullptr;
    if (studyRecord && !studyRecord->priceIndicator) {
        studyRecord->labelAxis = value;
        for (std::size_t a = 0; a < kStudyAxisCount; ++a) {
            if (axes_[a].study == study)
                axes_[a].display = value;
        }
    } else {
        defaultDisplay_ = value;
        axes_[kPriceAxisIndex].display = value;
    }
    if (repaint)
        RepaintIfActive();
}

// Binds the axis's settings object to its settings (the owning study's for a study axis) and to its
// control axis, and takes the chart's properties the user has not set.
void CAnalyticalChartBase::BindAxisSettings(SHORT axis) {
    if (!owner_ || axis < 0 || axis > kPriceAxisIndex)
        return;
    const StudyAxisRecord& record = axes_[static_cast<std::size_t>(axis)];
    AxisSettingsRecord* settings = nullptr;
    if (axis == kPriceAxisIndex)
        settings = &owner_->settings().priceAxis;
    else if (record.inUse())
        settings = studyAxisSettings(record.study);
    if (!settings)
        return;
    CAnalyticalAxisBase& object = *axisSettings_[static_cast<std::size_t>(axis)];
    object.Bind(owner_, nullptr, settings);
    object.BindChart(this, axis);
    object.SetAxis(IsCurrentChartType() ? axes_[kPriceAxisIndex].controlAxis : SHORT{-1}, kAllAxisProperties);
}

// --- IAnalyticalAxisChart --------------------------------------------------------------------------------

bool CAnalyticalChartBase::GetAxisScale(LONG axisNumber, AnalyticalAxisScale& scale) {
    if (axisNumber < 0 || axisNumber > kPriceAxisIndex)
        return false;
    const StudyAxisRecord& axis = axes_[static_cast<std::size_t>(axisNumber)];
    scale.min = axis.dataMin;
    scale.max = axis.dataMax;
    scale.step = axis.labelStep;
    scale.minorStep = axis.minorStep;
    return true;
}

void CAnalyticalChartBase::SetAxisScaleValue(LONG axisNumber, AnalyticalScaleField field, double value) {
    if (axisNumber < 0 || axisNumber > kPriceAxisIndex || !std::isfinite(value))
        return;
    StudyAxisRecord& axis = axes_[static_cast<std::size_t>(axisNumber)];
    switch (field) {
        case AnalyticalScaleField::Min:
            axis.dataMin = value;
            break;
        case AnalyticalScaleField::Max:
            axis.dataMax = value;
            break;
        case AnalyticalScaleField::Step:
            axis.labelStep = value;
            break;
        case AnalyticalScaleField::MinorStep:
            axis.minorStep = value;
            break;
    }
    LayoutStudyAxes();
}

bool CAnalyticalChartBase::IsCurrentChartType() {
    return owner_ && owner_->isAttached() && owner_->activeIndex() == galleryIndex();
}

SHORT CAnalyticalChartBase::StudyChartAxis() {
    return axes_[kPriceAxisIndex].controlAxis;
}

namespace {

// Pane codes of the axes the chart hands out: 50 + study axis, 53 the price axis.
constexpr SHORT kFirstPaneCode = 50;
constexpr SHORT kPricePaneCode = 53;
constexpr std::uint32_t kStudyAxisNameId = 580;  // "%s axis"

// The control's own value axes (0 and 1); the date axis is the control's axis 2.
bool isChartValueAxis(SHORT axis) {
    return axis == 0 || axis == 1;
}

}  // namespace

HRESULT CAnalyticalChartBase::CreateAxisObject(com::IUnknown** object, SHORT* axisOut, SHORT axis) {
    // The chart's value axis shows the price pane's labels, and the pane draws its grid from its own
    // record: the chart's plain axis object would copy the control's values into that record as soon as
    // it is read, so the value axis is edited as the price pane.
    if (isChartValueAxis(axis == -1 ? currentAxis() : axis))
        axis = kPricePaneCode;
    if (axis < kFirstPaneCode || axis > kPricePaneCode)
        return CGalleryBase::CreateAxisObject(object, axisOut, axis);
    if (axisOut)
        *axisOut = axis;
    if (!object)
        return com::E_INVALIDARG;
    *object = nullptr;
    if (!owner_)
        return com::E_FAIL;
    const auto number = static_cast<SHORT>(axis - kFirstPaneCode);
    const StudyAxisRecord& record = axes_[static_cast<std::size_t>(number)];
    AxisSettingsRecord* settings = nullptr;
    if (number == kPriceAxisIndex)
        settings = &owner_->settings().priceAxis;
    else if (record.inUse())
        settings = studyAxisSettings(record.study);
    if (!settings)
        return com::E_FAIL;
    ILomexAxis* made = nullptr;
    const HRESULT result = CreateAnalyticalAxisObject(*owner_, *this, number, *settings,
                                                      axes_[kPriceAxisIndex].controlAxis, &made);
    *object = made;
    return result;
}

HRESULT CAnalyticalChartBase::CreateStudyAxisObject(SHORT axis, ILomexAxis** object) {
    if (!object)
        return com::E_POINTER;
    *object = nullptr;
    if (axis < 0 || axis >= static_cast<SHORT>(kStudyAxisCount))
        return com::E_INVALIDARG;
    com::IUnknown* made = nullptr;
    SHORT code = -1;
    const HRESULT result = CreateAxisObject(&made, &code, static_cast<SHORT>(kFirstPaneCode + axis));
    *object = static_cast<ILomexAxis*>(made);
    return result;
}

LONG CAnalyticalChartBase::GetAxisCount() {
    LONG count = 2;
    for (std::size_t a = 0; a < kStudyAxisCount; ++a)
        count += axes_[a].inUse() ? 1 : 0;
    return count;
}

SHORT CAnalyticalChartBase::GetAxisName(LONG selector, SHORT* axisOut, char* text, LONG size) {
    SHORT axis = -1;
    if (selector == 0) {
        axis = kPricePaneCode;
    } else if (selector == 1) {
        axis = korvel::kXAxis;
    } else if (selector >= 2) {
        LONG wanted = selector - 2;
        for (SHORT a = 0; a < static_cast<SHORT>(kStudyAxisCount) && axis == -1; ++a) {
            if (axes_[static_cast<std::size_t>(a)].inUse() && wanted-- == 0)
                axis = static_cast<SHORT>(kFirstPaneCode + a);
        }
    }
    if (axisOut)
        *axisOut = axis;
    if (!text || size <= 0)
        return axis;
    text[0] = '\0';
    if (axis == kPricePaneCode) {
        LoadAxisName(0, text, size);
    } else if (axis >= kFirstPaneCode && axis < kPricePaneCode && owner_) {
        const SHORT study = axes_[static_cast<std::size_t>(axis - kFirstPaneCode)].study;
        std::string name = owner_->GetResourceInstance()->stringOr(kStudyAxisNameId);
        const std::size_t mark = name.find("%s");
        if (mark != std::string::npos)
            name.replace(mark, 2, owner_->studyName(study));
        const std::size_t length = std::min(name.size(), static_cast<std::size_t>(size - 1));
        name.copy(text, length);
        text[length] = '\0';
    } else {
        LoadAxisName(axis, text, size);
    }
    return axis;
}

LONG CAnalyticalChartBase::OnScrollChange(LONG first, LONG last) {
    const LONG result = CGalleryBase::OnScrollChange(first, last);
    const bool partial = first > 0 || (last >= 0 && last < points_ - 1);
    if (!owner_ || owner_->settings().zoomRescale == 0 || !IsCurrentChartType())
        return result;
    if (partial) {
        viewFirst_ = first;
        viewLast_ = last;
        FitAxesToPoints(first, last);
        axesFitToView_ = true;
    } else if (axesFitToView_) {
        // Zoomed out: the panes would otherwise keep the zoomed view's ranges over every point.
        FitAxesToAllPoints();
    }
    return result;
}

void CAnalyticalChartBase::FitAxesToAllPoints() {
    axesFitToView_ = false;
    for (std::size_t a = 0; a < kStudyAxisCount; ++a)
        axes_[a].emptyState = kAxisNoData;
    SetPriceDisplay(state().priceDisplay, -1, -1);
    for (std::size_t e = 0; e < table_.size() && !table_[e].isFree(); ++e)
        if (table_[e].visible)
            UpdateStudyAxisRange(static_cast<LONG>(e));
    LayoutStudyAxes();
    ApplyAxesToChart();
}

void CAnalyticalChartBase::FitAxesToPoints(LONG first, LONG last) {
    if (first == last || points_ <= 0)
        return;
    for (SHORT a = 0; a < static_cast<SHORT>(kStudyAxisCount); ++a) {
        const LONG index = EntryOfAxis(a);
        const StudyRecord* study =
            index >= 0 ? record(table_[static_cast<std::size_t>(index)].study) : nullptr;
        if (!study)
            continue;
        std::vector<SHORT> rows;
        for (LONG k = 0; k < study->subIndicators; ++k)
            rows.push_back(static_cast<SHORT>(table_[static_cast<std::size_t>(index)].firstSeries + k));
        // A view that holds none of the study's values (its lead-in) gives the range of an axis
        // without data, never the search's start values.
        double min = 0;
        double max = 0;
        const bool found = PriceRange(rows, first, last, min, max);
        if (!found)
            NormaliseRange(min, max, -1);
        RoundRangeToStep(min, max);
        if (study->startInZero)
            min = 0;
        if (found)
            OpenFlatRange(min, max, studyAxisSettings(table_[static_cast<std::size_t>(index)].study));
        StudyAxisRecord& axis = axes_[static_cast<std::size_t>(a)];
        axis.dataMin = min;
        axis.dataMax = max;
    }
    // The price pane: the price series and every study drawn over them.
    std::vector<SHORT> rows = priceRows_;
    for (std::size_t e = 0; e < table_.size() && !table_[e].isFree(); ++e) {
        const StudyRecord* study = record(table_[e].study);
        if (!table_[e].visible || !study || study->usedAxis != kPriceAxisIndex)
            continue;
        for (LONG k = 0; k < study->subIndicators; ++k)
            rows.push_back(static_cast<SHORT>(table_[e].firstSeries + k));
    }
    double min = 0;
    double max = 0;
    if (PriceRange(rows, first, last, min, max)) {
        RoundRangeToStep(min, max);
        OpenFlatRange(min, max, &owner_->settings().priceAxis);
        axes_[kPriceAxisIndex].dataMin = min;
        axes_[kPriceAxisIndex].dataMax = max;
    }
    LayoutStudyAxes();
}

}  // namespace dravik
