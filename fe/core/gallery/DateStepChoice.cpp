#include "gallery/DateStepChoice.h"

#include <algorithm>
#include <cmath>

namespace dravik {
namespace {

using com::LONG;
using com::SHORT;

constexpr SHORT kYearKind = 0;
constexpr SHORT kSemesterKind = 1;
constexpr SHORT kQuarterKind = 2;
constexpr SHORT kDayKind = 5;
constexpr SHORT kEachPointKind = 6;
// Labels keep this much of their width free beside them (wide: with the wide spacing of the table).
constexpr double kSpacing = 1.1;
constexpr double kWideSpacing = 1.5;
constexpr double kMaxEvery = 0x7FFF;

// The smallest step count s >= 1 with s * capacity >= wanted, as a 16-bit count.
SHORT stepsFor(double wanted, double capacityPerStep) {
    if (!(capacityPerStep > 0))
        return static_cast<SHORT>(kMaxEvery);
    return static_cast<SHORT>(std::clamp(std::ceil(wanted / capacityPerStep - 1e-9), 1.0, kMaxEvery));
}

SHORT switched(SHORT kind, bool semesters, bool quarters) {
    if (kind == kQuarterKind && !quarters)
        kind = kSemesterKind;
    if (kind == kSemesterKind && !semesters)
        kind = kYearKind;
    return kind;
}

}  // namespace

void CountVisibleBreaks(DateBreakTable& table, LONG first, LONG last) {
    for (LONG k = 0; k < kDateStepKinds; ++k)
        table.setVisibleCount(k, table.CountBeginnings(k, first, last));
}

DateSteps ChooseDateSteps(DateBreakTable& table, const DateStepRequest& request,
                          const DateLabelWidth& width) {
    DateSteps steps;
    if (request.width <= 0 || !width)
        return steps;
    const double spacing = table.wideSpacing() ? kWideSpacing : kSpacing;
    CountVisibleBreaks(table, request.first, request.last);
    LONG k = 0;
    for (; k < kDateStepKinds; ++k) {
        const double labelWidth = std::max<LONG>(width(k), 1);
        // How many labels of this kind fit the width, each spanning `majorEvery` periods.
        const double perStep = request.width / (spacing * labelWidth) * (request.twoLevels ? 2 : 1);
        double capacity = perStep * steps.majorEvery;
        const double n = table.visibleCount(k);
        // The labels drawn: one at each beginning after the first visible element, and one at that
        // element itself.
        const double labels = n + 1;
        if (k == kEachPointKind && table.visibleCount(kDayKind) <= 1) {
            // Points within one day: every point is a candidate, thinned until the labels fit.
            capacity = std::max(capacity, 1.0);
            steps.majorEvery = std::max(steps.majorEvery, stepsFor(n, capacity / steps.majorEvery));
            continue;
        }
        if (k == kYearKind && capacity < labels) {
            // Too many years for one label each: a label every few years, and the search ends.
            steps.majorEvery = stepsFor(labels, perStep);
            break;
        }
        if (capacity < labels)
            break;
    }
    steps.majorKind = static_cast<SHORT>(std::max<LONG>(k - 1, 0));
    steps.minorKind = static_cast<SHORT>(std::min<LONG>(k, kEachPointKind));
    ApplyStepSwitches(steps, table, request.semesters, request.quarters);
    return steps;
}

void ApplyStepSwitches(DateSteps& steps, const DateBreakTable& table, bool semesters, bool quarters) {
    steps.majorKind = switched(steps.majorKind, semesters, quarters);
    steps.minorKind = switched(steps.minorKind, semesters, quarters);
    const bool pointsAreDays = table.visibleCount(kEachPointKind) == table.visibleCount(kDayKind);
    if (pointsAreDays && steps.majorKind == kEachPointKind)
        steps.majorKind = kDayKind;
    if (pointsAreDays && steps.minorKind == kEachPointKind)
        steps.minorKind = kDayKind;
}

}  // namespace dravik
