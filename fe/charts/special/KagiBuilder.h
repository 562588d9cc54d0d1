// The Kagi figure: one line that follows the price and turns only when the price moves against it by
// at least the reversal amount; each element is one vertical stretch of that line.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "special/SpecialChartSettings.h"
#include "special/SpecialFigure.h"

namespace dravik {

// Line kind of an element.
enum KagiLineKind : std::int16_t {
    KAGI_YIN = -1,          // thin: below the last low waist
    KAGI_YANG = -2,         // thick: above the last high shoulder
    KAGI_YANG_TO_YIN = -3,  // falls through the start of the element before it
    KAGI_YIN_TO_YANG = -4,  // rises through the start of the element before it
};

// Builds the elements over the work series `values` (1e308 = no value) and classifies them into
// `pointType` (one KagiLineKind per element). The range is the smallest value less the reversal amount
// to the largest plus it. Refused (E_INVALIDARG, empty figure): a reversal amount of zero or less, or a
// percentage of a first price of zero or less.
FigureBuild BuildKagiFigure(std::span<const double> values, const KagiSettings& settings,
                            SpecialFigure& figure, std::vector<std::int16_t>& pointType);

// The line kinds of a built figure (one per element).
std::vector<std::int16_t> ClassifyKagiLines(const SpecialFigure& figure);

// Signals: each element that turns yang into yin is the next sell signal, each that turns yin into
// yang the next buy signal.
void MarkKagiSignals(SpecialFigure& figure, std::span<const std::int16_t> pointType);

}  // namespace dravik
