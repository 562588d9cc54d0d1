// Command ids of the drawing features. Each kind starts new drawings with its own "new" command and
// owns a block of eight ids: its menu, "Remove All" and one item per drawing of the kind (six).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "drawing/DrawingKind.h"

namespace dravik {

struct DrawingCommandBlock {
    DrawingKind kind;
    std::int16_t newCommand;        // starts placing a new drawing of the kind
    std::int16_t menuCommand;       // the kind's menu
    std::int16_t deleteAllCommand;  // removes every drawing of the kind
    std::int16_t firstItemCommand;  // menu item of the first drawing; the others follow
};

// One row per kind, in kind order.
inline constexpr std::array<DrawingCommandBlock, kDrawingKindCount> kDrawingCommandBlocks{{
    {DrawingKind::GannFan, 68, 88, 89, 90},
    {DrawingKind::FibonacciArcs, 69, 96, 97, 98},
    {DrawingKind::FibonacciFan, 70, 104, 105, 106},
    {DrawingKind::FibonacciRetracements, 71, 112, 113, 114},
    {DrawingKind::FibonacciTimeZones, 72, 120, 121, 122},
    {DrawingKind::MidPointTironeLevels, 73, 128, 129, 130},
    {DrawingKind::MeanTironeLevels, 74, 136, 137, 138},
    {DrawingKind::SpeedResistanceLines, 75, 144, 145, 146},
    {DrawingKind::QuadrantLines, 76, 152, 153, 154},
    {DrawingKind::TrendLine, 77, 160, 161, 162},
}};

// The block of a kind 0-9; null for any other value.
const DrawingCommandBlock* DrawingCommandsOf(int kind);

// What a command id means to the drawings.
enum class DrawingCommandRole { New, Menu, DeleteAll, Item };

struct DrawingCommand {
    DrawingCommandRole role;
    DrawingKind kind;
    std::int16_t item = -1;  // 0-5 for an item command, else -1
    friend bool operator==(const DrawingCommand&, const DrawingCommand&) = default;
};

// Nothing for ids that are not drawing commands (the other ids 78-87 included).
std::optional<DrawingCommand> ClassifyDrawingCommand(int commandId);

// The menu and "new" command of the kind that owns an item command; nothing for other ids.
struct DrawingItemOwner {
    std::int16_t menuCommand;
    std::int16_t newCommand;
    friend bool operator==(const DrawingItemOwner&, const DrawingItemOwner&) = default;
};
std::optional<DrawingItemOwner> ItemToKind(int itemCommand);

}  // namespace dravik
