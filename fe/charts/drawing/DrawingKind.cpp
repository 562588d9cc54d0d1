#include "drawing/DrawingKind.h"

#include <cmath>
#include <cstring>

#include "com/FixedText.h"

namespace dravik {

namespace {

constexpr std::array<DrawingKindInfo, kDrawingKindCount> kKinds{{
    {DrawingKind::GannFan, "GannFan", 0, 2, 9, false},
    {DrawingKind::FibonacciArcs, "FibonacciArcs", 0, 2, 3, false},
    {DrawingKind::FibonacciFan, "FibonacciFan", 0, 2, 3, false},
    {DrawingKind::FibonacciRetracements, "FibonacciRetracements", 2, 0, 6, true},
    {DrawingKind::FibonacciTimeZones, "FibonacciTimeZones", 0, 2, 0, false},
    {DrawingKind::MidPointTironeLevels, "MidPointTironeLevels", 0, 2, 0, false},
    {DrawingKind::MeanTironeLevels, "MeanTironeLevels", 0, 2, 0, false},
    {DrawingKind::SpeedResistanceLines, "SpeedResistanceLines", 0, 2, 0, false},
    {DrawingKind::QuadrantLines, "QuadrantLines", 0, 2, 0, false},
    {DrawingKind::TrendLine, "TrendLine", 0, 2, 0, false},
}};

// Slopes of the Gann fan's nine lines, from the flattest (8x1) to the steepest (1x8).
constexpr std::array<double, 9> kGannRatios{
    0.1007845609029, 0.2679491924311, 0.3394542588634, 0.4931454260313, 1.0,
    2.027799401989,  2.945905004546,  3.732050807569,  7.595754112725};
constexpr std::array<double, 3> kFibonacciRatios{0.382, 0.5, 0.618};

struct RetracementLevel {
    double ratio;
    const char* label;
};
constexpr std::array<RetracementLevel, 6> kRetracementLevels{
    {{0.0, "0%"}, {0.236, "23.6%"}, {0.382, "38.2%"}, {0.5, "50.0%"}, {0.618, "61.8%"}, {1.0, "100%"}}};

std::size_t levelBytes(const DrawingKindInfo& info) {
    return static_cast<std::size_t>(info.levelCount) * (info.labelledLevels ? kRetracementLevelBytes : 8);
}

void appendDouble(std::vector<std::uint8_t>& bytes, double value) {
    std::uint8_t raw[8];
    std::memcpy(raw, &value, 8);
    bytes.insert(bytes.end(), raw, raw + 8);
}

double readDouble(const std::uint8_t* bytes) {
    double value;
    std::memcpy(&value, bytes, 8);
    return value;
}

DrawingLevels defaultLevels(int kind) {
    DrawingLevels levels;
    switch (static_cast<DrawingKind>(kind)) {
        case DrawingKind::GannFan:
            levels.ratios.assign(kGannRatios.begin(), kGannRatios.end());
            break;
        case DrawingKind::FibonacciArcs:
        case DrawingKind::FibonacciFan:
            levels.ratios.assign(kFibonacciRatios.begin(), kFibonacciRatios.end());
            break;
        case DrawingKind::FibonacciRetracements:
            for (const RetracementLevel& level : kRetracementLevels) {
                levels.ratios.push_back(level.ratio);
                levels.labels.emplace_back(level.label);
            }
            break;
        default:
            break;
    }
    return levels;
}

}  // namespace

const DrawingKindInfo* FindDrawingKind(int kind) {
    return IsDrawingKind(kind) ? &kKinds[static_cast<std::size_t>(kind)] : nullptr;
}

std::string DrawingKeyPrefix(int kind, int ordinal) {
    const DrawingKindInfo* info = FindDrawingKind(kind);
    return std::string(info ? info->keyStem : "Error") + "(" + std::to_string(ordinal) + ").";
}

std::int16_t DrawingExtraByteCount(int kind) {
    const DrawingKindInfo* info = FindDrawingKind(kind);
    return info ? static_cast<std::int16_t>(levelBytes(*info)) : 0;
}

std::vector<std::uint8_t> DefaultDrawingExtraBytes(int kind) {
    const DrawingLevels levels = defaultLevels(kind);
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < levels.ratios.size(); ++i) {
        appendDouble(bytes, levels.ratios[i]);
        if (i < levels.labels.size()) {
            char label[kRetracementLabelBytes] = {};
            com::copyToFixed(levels.labels[i], label);
            bytes.insert(bytes.end(), label, label + kRetracementLabelBytes);
        }
    }
    return bytes;
}

std::optional<DrawingLevels> ParseDrawingLevels(int kind, std::span<const std::uint8_t> extraBytes) {
    const DrawingKindInfo* info = FindDrawingKind(kind);
    if (!info || extraBytes.size() != levelBytes(*info))
        return std::nullopt;
    const std::size_t stride = info->labelledLevels ? kRetracementLevelBytes : 8;
    DrawingLevels levels;
    for (std::size_t offset = 0; offset < extraBytes.size(); offset += stride) {
        const double ratio = readDouble(extraBytes.data() + offset);
        if (!std::isfinite(ratio))
            return std::nullopt;
        levels.ratios.push_back(ratio);
        if (info->labelledLevels)
            levels.labels.push_back(com::readFixed(
                reinterpret_cast<const char*>(extraBytes.data() + offset + 8), kRetracementLabelBytes));
    }
    return levels;
}

DrawingLevels DrawingLevelsOrDefaults(int kind, std::span<const std::uint8_t> extraBytes) {
    std::optional<DrawingLevels> levels = ParseDrawingLevels(kind, extraBytes);
    return levels ? std::move(*levels) : defaultLevels(kind);
}

}  // namespace dravik
