// The Three Line Break figure: a new line each time the price closes beyond the last line; a line the
// other way only when the price breaks beyond the extreme of the last BreakDays lines.
#pragma once

#include <span>

#include "special/SpecialChartSettings.h"
#include "special/SpecialFigure.h"

namespace dravik {

// Builds the lines over the work series `values` (1e308 = no value). The range is that of the values.
// Refused (E_INVALIDARG, empty figure): BreakDays below 1, or more than kMaxFigureElements lines.
FigureBuild BuildThreeLineBreakFigure(std::span<const double> values, const ThreeLineBreakSettings& settings,
                                      SpecialFigure& figure);

// Signals, for figures of more than three lines: after a run of more than `breakDays` lines one way,
// a line the other way followed by one more the same way is the next sell (after rising lines) or buy
// (after falling lines) signal.
void MarkThreeLineBreakSignals(SpecialFigure& figure, std::int16_t breakDays);

}  // namespace dravik
