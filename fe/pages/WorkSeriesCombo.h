// The list of chart series a drawing or a page may work on: the bound price series, the volume series
// and the user series, each item carrying its chart series index.
#pragma once

#include <cstdint>

#include "com/Types.h"
#include "ui/Dialog.h"

namespace dravik {

class CHostChartAdapter;
class IDrawingPageOwner;

// What FillWorkSeriesCombo lists (combinable).
enum WorkSeriesFlags : unsigned {
    kListPriceSeries = 0x1,          // open, high, low and close, each when bound
    kListVolumeSeries = 0x2,         // the volume series when bound
    kListPriceAxisUserSeries = 0x4,  // user series of the user studies drawn over the prices
    kListOtherUserSeries = 0x8,      // user series of the other user studies
};

// String ids of the price and volume items.
inline constexpr std::uint32_t kOpenPriceStringId = 150;
inline constexpr std::uint32_t kVolumeStringId = 184;

// Fills `combo` with the series `flags` name and selects the item of chart series `select` (else the
// first item). A user series shows the legend the chart gives it (through `adapter`, may be null),
// else "User <n>".
void FillWorkSeriesCombo(ui::Dialog& dialog, int combo, IDrawingPageOwner& extension,
                         CHostChartAdapter* adapter, com::SHORT select, unsigned flags);

}  // namespace dravik
