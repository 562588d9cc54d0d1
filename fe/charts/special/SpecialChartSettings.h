// The figure settings of the four special chart types and their saving and loading. Each chart type
// saves its common keys first (the chart-type base) and then these, under its key prefix.
#pragma once

#include <cstdint>

#include "com/HResult.h"

namespace dravik {

class CPropertyArchive;

// Key prefixes of the four chart types.
inline constexpr char kPointFigurePrefix[] = "PointAndFigure.";
inline constexpr char kRenkoPrefix[] = "Renko.";
inline constexpr char kKagiPrefix[] = "Kagi.";
inline constexpr char kThreeLineBreakPrefix[] = "ThreeLineBreak.";

// Option of the extension object (its Options word) that adds a box to the reversal threshold and
// takes the box off the top of rising Point & Figure columns.
inline constexpr std::uint32_t FEO_POINTFIG_EXTRABOX = 0x1000;

struct PointFigureSettings {
    // Bytes the settings add to the chart type's persisted size.
    static constexpr std::int32_t kPersistSize = 14;

    double boxSize = 5;
    std::int16_t reversalAmount = 1;  // boxes for a reversal
    std::uint8_t percentualBox = 1;   // boxSize is a percentage of the first price
    std::uint8_t rectMarkers = 1;     // keep the marks square

    friend bool operator==(const PointFigureSettings&, const PointFigureSettings&) = default;
};

struct RenkoSettings {
    static constexpr std::int32_t kPersistSize = 10;

    double boxSize = 5;  // brick size
    std::uint8_t percentualBox = 1;

    friend bool operator==(const RenkoSettings&, const RenkoSettings&) = default;
};

struct KagiSettings {
    static constexpr std::int32_t kPersistSize = 10;

    double reversalAmount = 5;
    std::uint8_t percentual = 1;

    friend bool operator==(const KagiSettings&, const KagiSettings&) = default;
};

struct ThreeLineBreakSettings {
    static constexpr std::int32_t kPersistSize = 2;

    std::int16_t breakDays = 3;  // lines a reversal has to break; at least 1

    friend bool operator==(const ThreeLineBreakSettings&, const ThreeLineBreakSettings&) = default;
};

// Each exchanges its keys after the chart type's common keys: booleans one byte from version 15, a 0/1
// short before. Sizes are kept as saved (a figure refuses to build with a size of zero or less); a
// BreakDays below 1 fails the load with kDamagedState. A load that fails changes nothing.
com::HRESULT ExchangePointFigureSettings(PointFigureSettings& settings, CPropertyArchive& archive,
                                         std::uint32_t version);
com::HRESULT ExchangeRenkoSettings(RenkoSettings& settings, CPropertyArchive& archive, std::uint32_t version);
com::HRESULT ExchangeKagiSettings(KagiSettings& settings, CPropertyArchive& archive, std::uint32_t version);
com::HRESULT ExchangeThreeLineBreakSettings(ThreeLineBreakSettings& settings, CPropertyArchive& archive,
                                            std::uint32_t version);

}  // namespace dravik
