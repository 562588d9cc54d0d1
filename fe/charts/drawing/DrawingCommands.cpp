#include "drawing/DrawingCommands.h"

namespace dravik {

const DrawingCommandBlock* DrawingCommandsOf(int kind) {
    return IsDrawingKind(kind) ? &kDrawingCommandBlocks[static_cast<std::size_t>(kind)] : nullptr;
}

std::optional<DrawingCommand> ClassifyDrawingCommand(int commandId) {
    for (const DrawingCommandBlock& block : kDrawingCommandBlocks) {
        if (commandId == block.newCommand)
            return DrawingCommand{DrawingCommandRole::New, block.kind};
        if (commandId == block.menuCommand)
            return DrawingCommand{DrawingCommandRole::Menu, block.kind};
        if (commandId == block.deleteAllCommand)
            return DrawingCommand{DrawingCommandRole::DeleteAll, block.kind};
        const int item = commandId - block.firstItemCommand;
        if (item >= 0 && item < kMaxDrawingsPerKind)
            return DrawingCommand{DrawingCommandRole::Item, block.kind, static_cast<std::int16_t>(item)};
    }
    return std::nullopt;
}

std::optional<DrawingItemOwner> ItemToKind(int itemCommand) {
    const std::optional<DrawingCommand> command = ClassifyDrawingCommand(itemCommand);
    if (!command || command->role != DrawingCommandRole::Item)
        return std::nullopt;
    const DrawingCommandBlock& block = kDrawingCommandBlocks[static_cast<std::size_t>(command->kind)];
    return DrawingItemOwner{block.menuCommand, block.newCommand};
}

}  // namespace dravik
