// The chart's axis property codes that the axes read and write through the adapter, and the masks of
// user-set bits that belong to more than one property.
#pragma once

#include <cstdint>

#include "com/Types.h"
#include "state/AxisSettingsRecord.h"

namespace dravik {

enum AxisPropertyCode : com::LONG {
    APC_MIN = 0,
    APC_MAX = 1,
    APC_STEP = 2,
    APC_SCALEUNIT = 4,
    APC_DECIMALS = 5,
    APC_STYLE = 8,
    APC_MINORSTEP = 9,
    APC_VISIBLE = 10,
    APC_TEXTCOLOR = 11,
    APC_GRID = 12,
    APC_GRIDWIDTH = 13,
    APC_GRIDSTYLE = 14,
    APC_GRIDCOLOR = 15,
    APC_MINORGRID = 16,
    APC_MINORGRIDWIDTH = 17,
    APC_MINORGRIDSTYLE = 18,
    APC_MINORGRIDCOLOR = 19,
    APC_TITLECOLOR = 20,
    APC_TICKMARK = 21,
    APC_MINORTICKMARK = 22,
    APC_LOCALE = 23,
};

// User-set bits beyond the saved used-fields: the scale was set (AutoScale, Min or Max), and the tick
// kinds apart from their grid flags.
inline constexpr std::uint32_t AUF_SCALE = 0x10;
inline constexpr std::uint32_t AUF_TICKMARK = 0x100000;
inline constexpr std::uint32_t AUF_MINORTICKMARK = 0x200000;
// A saved tick style word: its top bit shows the grid, the rest is the tick kind.
inline constexpr std::uint16_t kGridBit = 0x8000;
inline constexpr std::uint16_t kTickKindMask = 0x7FFF;
// Every property of an axis, as chart types refresh and apply them after each figure build.
inline constexpr std::uint32_t kAllAxisProperties = 0xFFFFFFF;

// The chart positions that have an axis title.
inline constexpr com::SHORT kTitledAxisCount = 4;

}  // namespace dravik
