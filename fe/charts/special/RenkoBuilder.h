// The Renko figure: bricks of one size, a new brick only when the price has moved at least one brick
// beyond the current brick.
#pragma once

#include <span>

#include "special/SpecialChartSettings.h"
#include "special/SpecialFigure.h"

namespace dravik {

// Lays the bricks over the work series `values` (1e308 = no value); several bricks may share the point
// that laid them. The range is that of the values. Refused (E_INVALIDARG, empty figure): a brick size of
// zero or less, a percentage of a first price of zero or less, or more than kMaxFigureElements bricks.
FigureBuild BuildRenkoFigure(std::span<const double> values, const RenkoSettings& settings,
                             SpecialFigure& figure);

// Signals: a rising brick after one that was not rising is the next buy signal (1, 2, ...), a falling
// brick after a rising one the next sell signal (-1, -2, ...).
void MarkRenkoSignals(SpecialFigure& figure);

}  // namespace dravik
