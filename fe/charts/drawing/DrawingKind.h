// The ten kinds of drawing feature and what each kind brings with it: the key prefix of old saves,
// its default pen styles and its parameters ("extra bytes": the level table that the parameter
// dialogs edit and the painting reads).
//
// Extra-byte layouts (little-endian, as saved):
//   Gann fan                    nine doubles (the slopes of its lines)
//   Fibonacci arcs and fan      three doubles
//   Fibonacci retracements      six levels of (double ratio, 16-byte label text)
//   every other kind            no extra bytes
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace dravik {

// The kind as it is saved (a short 0-9).
enum class DrawingKind : std::int16_t {
    GannFan = 0,
    FibonacciArcs = 1,
    FibonacciFan = 2,
    FibonacciRetracements = 3,
    FibonacciTimeZones = 4,
    MidPointTironeLevels = 5,
    MeanTironeLevels = 6,
    SpeedResistanceLines = 7,
    QuadrantLines = 8,
    TrendLine = 9,
};

inline constexpr int kDrawingKindCount = 10;
inline constexpr int kMaxDrawingsPerKind = 6;
// Bytes of one retracement level: the ratio and its label.
inline constexpr std::size_t kRetracementLabelBytes = 16;
inline constexpr std::size_t kRetracementLevelBytes = 8 + kRetracementLabelBytes;

constexpr bool IsDrawingKind(int kind) {
    return kind >= 0 && kind < kDrawingKindCount;
}

// What a kind brings with it.
struct DrawingKindInfo {
    DrawingKind kind;
    const char* keyStem;       // key prefix of old saves without its ordinal: "GannFan" gives "GannFan(2)."
    std::int16_t lineStyle;    // default line style of a new drawing
    std::int16_t signalStyle;  // default signal line style
    std::int16_t levelCount;   // entries of the level table (0: the kind has no parameters)
    bool labelledLevels;       // each level carries a label text (retracements)
};

// The kind's row; null for a value outside 0-9.
const DrawingKindInfo* FindDrawingKind(int kind);

// Key prefix of saves that name drawings by kind and ordinal ("GannFan(2)."); an unknown kind gives
// "Error(2).".
std::string DrawingKeyPrefix(int kind, int ordinal);

// Number of extra bytes a drawing of this kind holds (0 for kinds without parameters and for
// unknown kinds).
std::int16_t DrawingExtraByteCount(int kind);
// The extra bytes a new drawing of this kind starts with.
std::vector<std::uint8_t> DefaultDrawingExtraBytes(int kind);

// The level table read from a drawing's extra bytes.
struct DrawingLevels {
    std::vector<double> ratios;
    std::vector<std::string> labels;  // only for labelled levels, one per ratio
};

// Reads the level table when the bytes have exactly the kind's layout and every ratio is finite;
// nothing otherwise.
std::optional<DrawingLevels> ParseDrawingLevels(int kind, std::span<const std::uint8_t> extraBytes);
// The kind's level table as a drawing would use it: read from its extra bytes, or the kind's
// defaults when those bytes do not fit the kind.
DrawingLevels DrawingLevelsOrDefaults(int kind, std::span<const std::uint8_t> extraBytes);

}  // namespace dravik
