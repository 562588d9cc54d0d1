// A command bar's state as one self-delimiting block inside a stream, so that the bar can save itself
// in the middle of its owner's stream and the owner reads on after it.
//
// Layout (little-endian):
//   u32 magic 0x4254534F ("OSTB"), u16 version 1, u32 payload length, then the payload:
//   i32 state word; u16 command count; per command: i16 id, i16 image, i32 style,
//   u16 flags (1 enabled, 2 checked, 4 flag, 8 visible), i16 combo rows, u16 caption length and that
//   many UTF-16 units, u16 slot count and that many i16 ids; u16 row count and that many i16 ids.
#pragma once

#include <cstdint>

#include "ostbar/OstCommandTable.h"
#include "storage/StreamInterfaces.h"

namespace ostbar {

class OstStateBlock {
public:
    static constexpr std::uint32_t kMagic = 0x4254534F;
    static constexpr std::uint16_t kVersion = 1;
    static constexpr std::uint32_t kHeaderSize = 10;
    // A payload larger than this is taken for a damaged block.
    static constexpr std::uint32_t kMaxPayload = 4u << 20;

    // Writes the block at the stream's position.
    static HRESULT save(const OstCommandTable& table, com::IStream* stream);
    // Reads a block at the stream's position into the table. Once the header has been read the
    // stream is left at the block's end, whether the payload was good or not; a damaged payload
    // (STG_E_DOCFILECORRUPT) or a newer version (STG_E_INVALIDHEADER) leaves the table unchanged.
    // Drop-downs that would lead from a command back to itself, once loaded beside the table's other
    // commands, make the payload damaged.
    // A wrong magic number (STG_E_INVALIDHEADER) puts the stream back where it was.
    static HRESULT load(OstCommandTable& table, com::IStream* stream);
};

}  // namespace ostbar
