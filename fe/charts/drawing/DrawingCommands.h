// Command ids of the drawing features. Each kind starts new drawings with its own "new" command and
// owns a block of eight ids: its menu, "Remove All" and one item per drawing of the kind (six).
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "dravik/Commands.h"
#include "drawing/DrawingKind.h"

namespace dravik {

struct DrawingCommandBlock {
    DrawingKind kind;
    std::int16_t newCommand;        // starts placing a new drawing of the kind
    std::int16_t menuCommand;       // the kind's menu
    std::int16_t deleteAllCommand;  // removes every drawing of the kind
    std::int16_t firstItemCommand;  // menu item of the first drawing; the others follow
};

// One row per kind, in kind order; the ids are the extension's public command numbers.
inline constexpr std::array<DrawingCommandBlock, kDrawingKindCount> kDrawingCommandBlocks = [] {
    std::array<DrawingCommandBlock, kDrawingKindCount> blocks{};
    for (int kind = 0; kind < kDrawingKindCount; ++kind) {
        blocks[static_cast<std::size_t>(kind)] = {static_cast<DrawingKind>(kind), NewDrawingCommand(kind),
                                                  DrawingMenuCommand(kind), DeleteAllDrawingsCommand(kind),
                                                  DrawingInstanceCommand(kind, 0)};
    }
    return blocks;
}();

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
