// LZW compression of palette-indexed rows into GIF image-data sub-blocks.
//
// Every code is 9 bits wide, packed least significant bit first. Each row starts with a clear code
// and a fresh table, and a table is restarted (clear code again) once it holds 253 entries, so a
// decoder's next code stays below 512 and never asks for 10-bit codes. The table numbering is a
// standard decoder's: the first entry after a clear code is 258.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace appchart {

class GifLzwEncoder {
public:
    static constexpr std::uint16_t kClearCode = 256;
    static constexpr std::uint16_t kEndCode = 257;
    static constexpr std::uint16_t kFirstTableCode = 258;
    static constexpr int kMaxTableEntries = 253;
    static constexpr int kCodeBits = 9;
    static constexpr int kMaxBlockBytes = 255;

    // Receives each finished sub-block: its length byte (1-255) and that many data bytes. Returns
    // false when the block could not be stored; the encoder then stops and reports failure.
    using BlockSink = std::function<bool(std::span<const std::uint8_t>)>;

    explicit GifLzwEncoder(BlockSink sink);

    // Encodes one row of palette indices (top row first), beginning with a clear code.
    bool encodeRow(std::span<const std::uint8_t> row);
    // Writes the end code and the last, possibly partly filled, sub-block.
    bool finish();

    bool failed() const { return failed_; }

private:
    struct Slot {
        std::uint32_t stamp = 0;  // the entry is valid only while it equals generation_
        std::uint16_t code = 0;
    };
    // A table key is a known string (its code, below 512) followed by one pixel value.
    static constexpr std::size_t kSlotCount = std::size_t{512} * 256;

    void startTable();
    void writeCode(std::uint16_t code);
    void appendByte(std::uint8_t byte);
    void flushBlock();

    BlockSink sink_;
    std::vector<Slot> table_;
    std::uint32_t generation_ = 0;
    int tableEntries_ = 0;
    std::array<std::uint8_t, 1 + kMaxBlockBytes> block_{};  // [0] is the length byte
    int blockBytes_ = 0;
    std::uint32_t bitBuffer_ = 0;  // bits not yet stored as a whole byte, lowest first
    int bitCount_ = 0;
    bool failed_ = false;
};

}  // namespace appchart
