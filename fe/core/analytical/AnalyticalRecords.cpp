#include "analytical/AnalyticalRecords.h"

#include <cmath>

namespace dravik {
namespace {

// Control axes of the study axes 0-2 and of the price axis.
constexpr std::array<SHORT, kAxisRecordCount> kControlAxes{6, 4, 5, 0};
// Study panes that together ask for more than this share of the plot all fall back to 15 % and 3 %.
constexpr LONG kMostStudyShare = 90;
constexpr LONG kFallbackSpace = 15;
constexpr LONG kFallbackGap = 3;

}  // namespace

std::array<StudyAxisRecord, kAxisRecordCount> DefaultAxisRecords() {
    std::array<StudyAxisRecord, kAxisRecordCount> axes{};
    for (std::size_t a = 0; a < kAxisRecordCount; ++a)
        axes[a].controlAxis = kControlAxes[a];
    StudyAxisRecord& price = axes[kPriceAxisIndex];
    price.size = 75;
    price.gap = 0;
    price.emptyState = kAxisHasData;
    price.dataMax = 100.0;
    return axes;
}

void ApplyAxisBand(StudyAxisRecord& axis, double below, double above, double total) {
    const double band = total - below - above;
    const double range = axis.dataMax - axis.dataMin;
    axis.displayMin = axis.dataMin;
    axis.displayMax = axis.dataMax;
    if (!(band > 0) || !std::isfinite(range))
        return;
    axis.displayMin = axis.dataMin - range * below / band;
    axis.displayMax = axis.dataMax + range * above / band;
}

void LayoutAxisBands(std::array<StudyAxisRecord, kAxisRecordCount>& axes,
                     const std::array<LONG, kStudyAxisCount>& space,
                     const std::array<LONG, kStudyAxisCount>& gap) {
    LONG asked = 0;
    for (std::size_t a = 0; a < kStudyAxisCount; ++a) {
        if (!axes[a].inUse())
            continue;
        axes[a].size = space[a];
        axes[a].gap = gap[a];
        asked += space[a] + gap[a];
    }
    if (asked > kMostStudyShare) {
        for (std::size_t a = 0; a < kStudyAxisCount; ++a) {
            if (axes[a].inUse()) {
                axes[a].size = kFallbackSpace;
                axes[a].gap = kFallbackGap;
            }
        }
    }
    double below = 0;
    for (std::size_t a = 0; a < kStudyAxisCount; ++a) {
        StudyAxisRecord& axis = axes[a];
        if (!axis.inUse())
            continue;
        ApplyAxisBand(axis, below, 100.0 - axis.size - below, 100.0);
        below += axis.size + axis.gap;
    }
    StudyAxisRecord& price = axes[kPriceAxisIndex];
    price.size = static_cast<LONG>(100.0 - below);
    ApplyAxisBand(price, below, 0, 100.0);
}

void WidenRange(double& min, double& max, double fraction) {
    max += fraction * std::fabs(max);
    min -= fraction * std::fabs(min);
}

}  // namespace dravik
