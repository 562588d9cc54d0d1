// The labels of the value axis the panes share. The chart shows one value axis, spanning the price
// axis's display range over the whole plot; each pane (the used study axes from the bottom up, then the
// price pane) gets labels in its own values, each with its own gap to the next, and its own grid pen
// and interlace brush. The control runs the label loop; the first label of a pass lays the panes out.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "analytical/CAnalyticalChartBase.h"
#include "axes/AxisPropertyCodes.h"
#include "format/ScaleRounding.h"
#include "host/CHostChartAdapter.h"
#include "korvel/IKvlControl.h"

namespace dravik {
namespace {

// Label texts of a pane are formatted into at most this many bytes.
constexpr std::size_t kPaneLabelBytes = 128;
// A pane never gets more labels than the control draws in one pass.
constexpr double kMaxPaneLabels = korvel::kMaxAxisLabels;

bool finitePositive(double value) {
    return std::isfinite(value) && value > 0;
}

// The smallest of `step` x 1, 2, 5, 10, 20, ... that is at least `least` (the step itself when it is
// as wide already, or when either is not a positive finite value).
double WidenStepToFit(double step, double least) {
    if (!finitePositive(step) || !finitePositive(least) || least <= step)
        return step;
    const double ratio = least / step;
    const double power = std::pow(10.0, std::floor(std::log10(ratio)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0})
        if (ratio <= factor * power * (1 + 1e-9))
            return step * factor * power;
    return step * 10 * power;
}

// The used panes in label order: study axes 0-2 in use, then the price axis.
std::vector<SHORT> usedPanes(const std::array<StudyAxisRecord, kAxisRecordCount>& axes) {
    std::vector<SHORT> panes;
    for (SHORT a = 0; a < static_cast<SHORT>(kStudyAxisCount); ++a)
        if (axes[static_cast<std::size_t>(a)].inUse())
            panes.push_back(a);
    panes.push_back(kPriceAxisIndex);
    return panes;
}

SHORT truncatedCount(double quotient) {
    if (!std::isfinite(quotient))
        return 0;
    return static_cast<SHORT>(std::trunc(std::clamp(quotient, -kMaxPaneLabels, kMaxPaneLabels)));
}

// Copies as much of `source` as fits, always terminated.
void copyText(KvlTextBuffer& text, const char* source) {
    const std::size_t length = std::min(std::strlen(source), static_cast<std::size_t>(text.capacity) - 1);
    std::memcpy(text.data, source, length);
    text.data[length] = '\0';
}

}  // namespace

void CAnalyticalChartBase::ComputeTitleRects() {
    const KvlRect plot = plotRect();
    StudyAxisRecord& price = axes_[kPriceAxisIndex];
    price.titleRect = {plot.left, plot.top, plot.right, plot.bottom};
    CHostChartAdapter* chart = adapter();
    if (!chart)
        return;
    // A pane's value on its own control axis; where the chart has no such axis, the same place on the
    // axis the panes share, whose display range spans the same plot.
    const auto pixelOf = [chart, &price](const StudyAxisRecord& axis, double value) {
        LONG x = 0;
        LONG y = 0;
        if (com::SUCCEEDED(chart->ValueToPixel(0, value, &x, &y, axis.controlAxis)))
            return y;
        const double paneRange = axis.displayMax - axis.displayMin;
        const double shared = paneRange != 0
                                  ? price.displayMin + (value - axis.displayMin) *
                                                           (price.displayMax - price.displayMin) / paneRange
                                  : price.displayMin;
        chart->ValueToPixel(0, shared, &x, &y, price.controlAxis);
        return y;
    };
    const std::vector<SHORT> panes = usedPanes(axes_);
    for (std::size_t i = 0; i + 1 < panes.size(); ++i) {
        StudyAxisRecord& axis = axes_[static_cast<std::size_t>(panes[i])];
        const StudyAxisRecord& next = axes_[static_cast<std::size_t>(panes[i + 1])];
        axis.titleRect = {plot.left, pixelOf(next, next.dataMin) + 1, plot.right,
                          pixelOf(axis, axis.dataMax) - 1};
    }
    if (panes.size() > 1)
        price.titleRect[3] = pixelOf(price, price.dataMin) + 1;
}

// Lays every used pane out for one pass: how many labels it gets, its step in its own values and in
// the values of the shared axis, and the gap from its last label to the next pane. False when nothing
// can be laid out (no chart, a step that is zero or not finite).
bool CAnalyticalChartBase::LayoutLabelPanes(gdi::DeviceContext*, bool major, double step) {
    CHostChartAdapter* chart = adapter();
    const double shared = std::fabs(step);
    if (!chart || !finitePositive(shared))
        return false;
    if (!major) {
        blackAndWhite_ = (chart->GetStyleWord() & kStyleBlackAndWhite) != 0;
        SetViewport(nullptr);
        ComputeTitleRects();
    }
    StudyAxisRecord& price = axes_[kPriceAxisIndex];
    const double sharedRange = price.displayMax - price.displayMin;
    const KvlRect plot = plotRect();
    const auto valueAt = [&](LONG y) {
        double position = 0;
        double value = 0;
        chart->PixelToValue(plot.left, y, &position, &value, price.controlAxis);
        return value;
    };
    double bottom = price.displayMin;
    double previousTitle = 0;
    for (const SHORT a : usedPanes(axes_)) {
        StudyAxisRecord& axis = axes_[static_cast<std::size_t>(a)];
        const bool isPrice = a == kPriceAxisIndex;
        const double top = valueAt(isPrice ? plot.top : axis.titleRect[3]);
        const double titleTop = valueAt(isPrice ? plot.top : axis.titleRect[1]);
        const double height = top - bottom;
        const double toTitle = titleTop - price.displayMin;
        SHORT count = truncatedCount(height / shared);

        const AxisSettingsRecord* settings = axisSettings_[static_cast<std::size_t>(a)]->settings();
        const std::uint32_t userBit = major ? AUF_STEP : AUF_MINORSTEP;
        const double userStep = settings ? (major ? settings->step : settings->minorStep) : 0;
        if (settings && (settings->usedFields & userBit) != 0 && userStep > 0) {
            // The user's step, widened for this pass to a round multiple of itself where the pane
            // would get more labels than the chart's step leaves room for; the setting stays.
            const double paneRange = axis.displayMax - axis.displayMin;
            const double roomy = sharedRange != 0 ? shared * paneRange / sharedRange : 0;
            (major ? axis.labelStep : axis.minorStep) = WidenStepToFit(userStep, roomy);
        } else {
            if (!isPrice && count != 0 && truncatedCount((toTitle - previousTitle) / shared) == count)
                --count;
            const double dataRange = axis.dataMax - axis.dataMin;
            axis.labelStep = dataRange / std::max(count + 1, 1);
            const double rounded = RoundStepToPowerOfTen(axis.labelStep, dataRange);
            if (AxisSettingsRecord* writable = axisSettings_[static_cast<std::size_t>(a)]->settings())
                (major ? writable->step : writable->minorStep) = rounded;
            (major ? axis.labelStep : axis.minorStep) = rounded;
        }

        const double paneStep = major ? axis.labelStep : axis.minorStep;
        const double paneRange = axis.displayMax - axis.displayMin;
        double controlStep = paneRange != 0 ? sharedRange * paneStep / paneRange : 0;
        double endGap = 0;
        if (finitePositive(controlStep)) {
            count = truncatedCount(height / controlStep);
            endGap = std::max(0.0, toTitle - previousTitle - count * controlStep);
            if (endGap < controlStep) {
                endGap += controlStep;
                --count;
            }
        } else {
            // A pane without height (or without a step) gets one label that reaches to the next pane.
            controlStep = 0;
            count = 0;
            endGap = std::max(0.0, toTitle - previousTitle);
        }
        if (isPrice)
            ++count;
        axis.controlStep = controlStep;
        axis.endGap = endGap;
        axis.labelCount = count;

        previousTitle = toTitle;
        bottom = titleTop;
    }
    if (major)
        ShowPaneGridOnChart();
    for (const auto& object : axisSettings_)
        if (object)
            object->ResetPaintState();
    return true;
}

// The panes draw the grid their settings choose, not the chart's switch: the chart's horizontal grid
// switch, and with it the state of its tool-bar button, is kept showing the price pane's choice.
void CAnalyticalChartBase::ShowPaneGridOnChart() {
    CHostChartAdapter* chart = adapter();
    const AxisSettingsRecord* settings = axisSettings_[kPriceAxisIndex]->settings();
    if (!chart || !settings || !IsCurrentChartType())
        return;
    const SHORT axis = axes_[kPriceAxisIndex].controlAxis;
    const double shown = (static_cast<std::uint16_t>(settings->tickStyle) & kGridBit) != 0 ? 1 : 0;
    if (chart->GetAxisValue(axis, APC_GRID) != shown)
        chart->SetAxisValue(axis, APC_GRID, shown);
}

// One label of the pane the label index falls in. The first used pane takes indices 0..count, each
// later pane the next count + 1 indices, so every pane's labels run from its data minimum up (local
// index j = 0 .. count) and its last one hands back the gap up to the next pane.
bool CAnalyticalChartBase::GivePaneLabel(gdi::DeviceContext& dc, LONG axisCode, bool major, LONG index,
                                         double* gap, double* value, KvlTextBuffer* text) {
    const std::vector<SHORT> panes = usedPanes(axes_);
    const double passedGap = *gap;
    LONG first = 0;
    for (std::size_t i = 0; i < panes.size(); ++i) {
        const SHORT a = panes[i];
        const StudyAxisRecord& axis = axes_[static_cast<std::size_t>(a)];
        CAnalyticalAxisBase& settings = *axisSettings_[static_cast<std::size_t>(a)];
        if (index - first > axis.labelCount) {
            if (major) {
                settings.RestoreTextColor(dc);
                settings.ReleaseGridBrush();
            }
            first += axis.labelCount + 1;
            continue;
        }
        const LONG local = index - first;
        const bool last = local == axis.labelCount;
        const bool none = axis.display != axisCode;
        *gap = last ? axis.endGap : axis.controlStep;
        *value = axis.dataMin + local * axis.labelStep;
        if (major && text && text->data && text->capacity > 0) {
            if (none) {
                copyText(*text, " ");
            } else {
                char formatted[kPaneLabelBytes] = {};
                settings.FormatStepLabel(value, axis.labelStep, formatted, sizeof formatted);
                copyText(*text, formatted);
                settings.SelectTextColor(dc, blackAndWhite_);
            }
        }
        // The chart selects its own grid pen and the null brush before every label, so the pane's are
        // selected again for each label rather than once a pass.
        if (last) {
            settings.ReleaseGridPen();
            if (i + 1 < panes.size()) {
                const StudyAxisRecord& next = axes_[static_cast<std::size_t>(panes[i + 1])];
                CAnalyticalAxisBase& nextSettings = *axisSettings_[static_cast<std::size_t>(panes[i + 1])];
                nextSettings.ReleaseGridPen();
                nextSettings.SelectGridPen(major, dc, next.display != axisCode, blackAndWhite_);
            } else {
                // The top pane's last label keeps the pane's own pen.
                settings.SelectGridPen(major, dc, none, blackAndWhite_);
            }
        } else {
            settings.ReleaseGridPen();
            settings.SelectGridPen(major, dc, none, blackAndWhite_);
            settings.ReleaseGridBrush();
            settings.SelectGridBrush(major, dc, none);
        }
        if (passedGap < 0)
            *gap = -*gap;
        return true;
    }
    return false;
}

HRESULT CAnalyticalChartBase::GetAxisLabel(gdi::DeviceContext* dc, LONG axisCode, LONG major, double* gap,
                                           double position, double* value, LONG* labelIndex,
                                           KvlTextBuffer* text) {
    if (axisCode == korvel::kXAxis)
        return CGalleryBase::GetAxisLabel(dc, axisCode, major, gap, position, value, labelIndex, text);
    if (!dc || !gap || !value || !labelIndex || IsSuspended())
        return com::S_OK;
    const LONG index = *labelIndex;
    if (index == 0)
        labelsLaidOut_ = LayoutLabelPanes(dc, major != 0, *gap);
    const StudyAxisRecord& price = axes_[kPriceAxisIndex];
    // Nothing given leaves the index as it is, which ends the control's loop.
    if (!labelsLaidOut_ || index < 0 || price.displayMax == price.displayMin)
        return com::S_OK;
    if (GivePaneLabel(*dc, axisCode, major != 0, index, gap, value, text))
        *labelIndex = index + 1;
    return com::S_OK;
}

}  // namespace dravik
