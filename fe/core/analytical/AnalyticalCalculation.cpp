// The analytical chart's studies: the dispatcher that runs a study's routine over the buffer rows,
// showing and hiding, and rebuilding the table from the study records.
#include <algorithm>
#include <span>

#include "analytical/CAnalyticalChartBase.h"
#include "dravik/Commands.h"
#include "dravik/IFinancialCharts.h"
#include "extension/ExtensionMembers.h"
#include "format/ScaleRounding.h"
#include "host/CHostChartAdapter.h"
#include "series/CSeriesAttributes.h"
#include "studies/StudyDescriptor.h"
#include "studies/StudyRows.h"

namespace dravik {
namespace {

// Calculation kinds: built-in studies up to 37, user studies up to 47; custom studies not set up
// compute nothing.
constexpr SHORT kLastBuiltInKind = 37;
constexpr SHORT kLastUserKind = 47;

bool isUserStudy(SHORT study) {
    return study >= static_cast<SHORT>(kFirstUserStudy) && study < static_cast<SHORT>(kFirstCustomStudy);
}

StudyArguments argumentsOf(const StudyRecord& study) {
    StudyArguments arguments;
    arguments.periods = study.periods;
    arguments.signal = study.parameters.signalPeriod();
    arguments.longPeriod = study.parameters.longPeriod();
    arguments.shortPeriod = study.parameters.shortPeriod();
    arguments.value = study.parameters.D();
    if (study.calcIndex == WEIGHTED_MOVINGAVG && study.parameters.linearWeights == 0)
        arguments.weights = std::span<const std::int16_t>(study.parameters.weights);
    return arguments;
}

}  // namespace

void CAnalyticalChartBase::ComputeStudy(LONG index) {
    if (index < 0 || index >= static_cast<LONG>(kStudyTableSize) ||
        table_[static_cast<std::size_t>(index)].isFree())
        return;
    StudyTableEntry& entry = table_[static_cast<std::size_t>(index)];
    const StudyRecord* study = record(entry.study);
    const SHORT kind = entry.calcKind;
    if (!study || kind < 0 || kind > kLastUserKind)
        return;
    const std::uint32_t options = state().extension.options;
    const auto points = static_cast<std::size_t>(points_);
    const std::span<double> buffer(buffer_);
    StudyRange range;
    if (kind <= kLastBuiltInKind && kind != kVolumeStudyNumber) {
        const StudyDescriptor* descriptor = FindStudyDescriptor(kind);
        const StudyInputs inputs = StudyInputRows(buffer, points, study->workSeries, boundPrices());
        const StudyOutputs outputs =
            StudyOutputRows(buffer, points, entry.firstSeries, descriptor->outputCount);
        ComputeBuiltInStudy(kind, inputs, argumentsOf(*study), outputs, (options & FEO_SHOWFULLSTUDY) != 0,
                            range);
    } else {
        // The values are in the study's rows already; the search stays inside the buffer.
        const LONG last = std::min<LONG>(entry.firstSeries + study->subIndicators, rowCount());
        for (LONG row = std::max<LONG>(entry.firstSeries, 0); row < last; ++row)
            range.TakeRow(BufferRow(buffer, points, static_cast<int>(row)));
    }
    const LONG decimals = study->priceIndicator ? DecimalsOfAxis(kPriceAxisIndex) : -1;
    entry.rangeState = static_cast<SHORT>(NormaliseRange(range.min, range.max, decimals));
    if (entry.rangeState == 0 && (options & FEO_NOINFLATE) == 0)
        WidenRange(range.min, range.max, kRangeWidening);
    entry.min = range.min;
    entry.max = range.max;
}

void CAnalyticalChartBase::RefreshStudy(LONG index) {
    ComputeStudy(index);
    if (index < 0 || index >= static_cast<LONG>(kStudyTableSize))
        return;
    const StudyTableEntry& entry = table_[static_cast<std::size_t>(index)];
    WriteStudySeries(entry, true);
    if (entry.visible)
        UpdateStudyAxisRange(index);
}

void CAnalyticalChartBase::RepaintStudy(LONG index) {
    ComputeStudy(index);
    HandBufferToChart();
    const StudyTableEntry& entry = table_.at(static_cast<std::size_t>(index));
    WriteStudySeries(entry, true);
    if (entry.visible)
        UpdateStudyAxisRange(index);
}

// Writes the visibility (and the other attributes the record has set) of every output series of the
// study to the chart.
void CAnalyticalChartBase::WriteStudySeries(const StudyTableEntry& entry, bool) {
    StudyRecord* study = record(entry.study);
    if (!study)
        return;
    const LONG outputs = std::clamp<LONG>(study->subIndicators, 0, kStudyOutputCount);
    for (LONG k = 0; k < outputs; ++k) {
        SeriesAttributeRecord& series = study->series[static_cast<std::size_t>(k)];
        series.visible = study->visible != 0 ? 1 : 0;
        series.setMask |= SA_VISIBLE;
        // Its series stand on the control axis of the axis it uses, so that they fill its pane.
        if (study->usedAxis >= 0 && study->usedAxis <= kPriceAxisIndex) {
            series.yAxis = axes_[static_cast<std::size_t>(study->usedAxis)].controlAxis;
            series.setMask |= SA_YAXIS;
        }
        const LONG chartSeries = entry.firstSeries + k;
        if (!adapter() || chartSeries < 0 || chartSeries >= adapter()->GetSeriesCount())
            continue;
        CSeriesAttributes attributes;
        attributes.Bind(this, adapter(), &series);
        attributes.SetSeriesIndex(static_cast<SHORT>(chartSeries));
        attributes.ApplyToSeries(SA_ALL);
    }
}

void CAnalyticalChartBase::CalculateStudy(LONG index, bool show) {
    if (index < 0 || index >= static_cast<LONG>(kStudyTableSize) ||
        table_[static_cast<std::size_t>(index)].isFree())
        return;
    StudyTableEntry& entry = table_[static_cast<std::size_t>(index)];
    StudyRecord* study = record(entry.study);
    if (!study)
        return;
    if (!show && !entry.visible) {
        WriteStudySeries(entry, false);
        return;
    }
    study->inUse = 1;
    if (show && !entry.visible)
        study->usedAxis = study->priceIndicator ? kPriceAxisIndex : PickStudyAxis(study->usedAxis);
    const SHORT axis = study->usedAxis;
    if (axis >= 0 && axis < static_cast<SHORT>(kStudyAxisCount)) {
        StudyAxisRecord& owned = axes_[static_cast<std::size_t>(axis)];
        owned.study = show ? entry.study : SHORT{-1};
        owned.emptyState = kAxisNoData;
        if (show) {
            owned.display = study->labelAxis;
            owned.gap = study->spaceGap;
            owned.size = study->space;
        }
        BindAxisSettings(axis);
    } else if (axis == kPriceAxisIndex) {
        BindAxisSettings(kPriceAxisIndex);
    }
    if (!show && !study->rememberAxisIndex)
        study->usedAxis = kNoAxis;
    entry.visible = show ? 1 : 0;
    study->visible = entry.visible;
    if (show)
        UpdateStudyAxisRange(index);
    else if (axis == kPriceAxisIndex)
        FitPriceAxisToShownSeries();
    LayoutStudyAxes();
    WriteStudySeries(entry, show);
    SetCommandCheck(StudyCommand(entry.study), show);
    if (IsCurrentChartType())
        RepaintIfActive();
}

void CAnalyticalChartBase::RecalculateStudies(SHORT priceDisplay) {
    SetPriceDisplay(priceDisplay, -1, -1);
    for (std::size_t e = 0; e < table_.size() && !table_[e].isFree(); ++e) {
        const StudyRecord* study = record(table_[e].study);
        if (table_[e].visible && study && study->usedAxis == kPriceAxisIndex)
            UpdateStudyAxisRange(static_cast<LONG>(e));
    }
    LayoutStudyAxes();
    ApplyAxesToChart();
}

// The price pane's range only ever grows while studies are merged into it, so a study taken off it
// would leave its room behind: the pane is fitted again to the prices and the studies still drawn
// over them (to the zoomed view's points while the panes follow a zoom).
void CAnalyticalChartBase::FitPriceAxisToShownSeries() {
    if (axesFitToView_) {
        FitAxesToPoints(viewFirst_, viewLast_);
        return;
    }
    SetPriceDisplay(state().priceDisplay, -1, -1);
    for (std::size_t e = 0; e < table_.size() && !table_[e].isFree(); ++e) {
        const StudyRecord* study = record(table_[e].study);
        if (table_[e].visible && study && study->usedAxis == kPriceAxisIndex)
            UpdateStudyAxisRange(static_cast<LONG>(e));
    }
}

void CAnalyticalChartBase::RebuildStudies() {
    const std::array<StudyTableEntry, kStudyTableSize> old = table_;
    ClearStudyTable();
    studySeries_ = 0;
    buffer_.resize(static_cast<std::size_t>(dataSeries_) * static_cast<std::size_t>(points_));
    for (std::size_t a = 0; a < kStudyAxisCount; ++a) {
        axes_[a].study = -1;
        axes_[a].emptyState = kAxisNoData;
    }
    SetPriceDisplay(state().priceDisplay, -1, -1);

    std::vector<std::pair<LONG, bool>> shown;  // entry, shown before
    for (const StudyTableEntry& before : old) {
        if (before.isFree())
            break;
        StudyRecord* study = record(before.study);
        if (!study)
            continue;
        // Re-added hidden; shown below as it was, which picks its axis again.
        const std::uint8_t visible = study->visible;
        study->visible = 0;
        LONG index = -1;
        if (isUserStudy(before.study))
            index = AddEntry(before.study, before.firstSeries, kNoAxis, false);
        else if (before.study == kVolumeStudyNumber)
            index = AddVolumeStudy();
        else
            index = AddStudy(before.study);
        study->visible = visible;
        if (index >= 0)
            shown.emplace_back(index, before.visible != 0);
    }
    const SeriesBinding& binding = state().binding;
    // User studies whose rows lie in the user area of the data set, one after the other.
    LONG userRow = binding.firstUserIndex;
    const LONG userEnd = binding.firstUserIndex + binding.userSeries;
    for (SHORT user = static_cast<SHORT>(kFirstUserStudy); user < static_cast<SHORT>(kFirstCustomStudy);
         ++user) {
        StudyRecord* study = record(user);
        const LONG outputs = std::clamp<LONG>(study->subIndicators, 0, kStudyOutputCount);
        if (outputs == 0 || userRow + outputs > userEnd)
            continue;
        if (FindStudyEntry(user) < 0) {
            const std::uint8_t visible = study->visible;
            study->visible = 0;
            const LONG index = AddEntry(user, static_cast<SHORT>(userRow), kNoAxis, false);
            study->visible = visible;
            if (index >= 0) {
                if (study->inUse == 0)
                    study->inUse = 1;
                shown.emplace_back(index, visible != 0);
            }
        }
        userRow += outputs;
    }
    for (SHORT builtIn = 0; builtIn < static_cast<SHORT>(kBuiltInStudyCount); ++builtIn) {
        StudyRecord* study = record(builtIn);
        const bool wanted = study->visible || (builtIn == kVolumeStudyNumber && binding.volumeSeries >= 0);
        if (!wanted || FindStudyEntry(builtIn) >= 0)
            continue;
        const std::uint8_t visible = study->visible;
        study->visible = 0;
        const LONG index = builtIn == kVolumeStudyNumber ? AddVolumeStudy() : AddStudy(builtIn);
        study->visible = visible;
        if (index >= 0)
            shown.emplace_back(index, visible != 0);
    }
    for (SHORT custom = static_cast<SHORT>(kFirstCustomStudy); custom < static_cast<SHORT>(kStudyCount);
         ++custom) {
        StudyRecord* study = record(custom);
        if (study->calcIndex == -1 || FindStudyEntry(custom) >= 0)
            continue;
        const std::uint8_t visible = study->visible;
        study->visible = 0;
        const LONG index = AddStudy(custom);
        study->visible = visible;
        if (index >= 0)
            shown.emplace_back(index, visible != 0);
    }

    for (const auto& [index, visible] : shown)
        ComputeStudy(index);
    HandBufferToChart();
    for (const auto& [index, visible] : shown)
        CalculateStudy(index, visible);
}

}  // namespace dravik
