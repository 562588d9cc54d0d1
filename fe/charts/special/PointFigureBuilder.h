// The Point & Figure figure: columns of boxes, rising (X) or falling (O), a new column beginning only
// when the price turns by the reversal number of boxes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "special/SpecialChartSettings.h"
#include "special/SpecialFigure.h"

namespace dravik {

// Builds the columns over the work series `values` (1e308 = no value). `extraBox` is the extension
// option FEO_POINTFIG_EXTRABOX. `boxCount` receives one box count per column. The range is that of the
// values, its maximum raised by one box without `extraBox`. Refused (E_INVALIDARG, empty figure): a box
// size of zero or less, a reversal amount below 1, a percentage of a first price of zero or less, more
// than kMaxFigureElements columns or more boxes in a column than a 32-bit count holds.
FigureBuild BuildPointFigure(std::span<const double> values, const PointFigureSettings& settings,
                             bool extraBox, SpecialFigure& figure, std::vector<std::int32_t>& boxCount);

}  // namespace dravik
