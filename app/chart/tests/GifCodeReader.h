// Test helpers that read GIF image data back without a decoder: the sub-blocks and the 9-bit
// codes in them.
#pragma once

#include <cstdint>
#include <vector>

namespace gif_test {

using Bytes = std::vector<std::uint8_t>;

// Data bytes of the sub-blocks starting at `offset`, up to the block terminator.
inline Bytes subBlockData(const Bytes& file, std::size_t offset) {
    Bytes data;
    while (offset < file.size() && file[offset] != 0) {
        const std::size_t length = file[offset];
        for (std::size_t i = 1; i <= length && offset + i < file.size(); ++i) {
            data.push_back(file[offset + i]);
        }
        offset += length + 1;
    }
    return data;
}

// The bytes read as 9-bit codes, least significant bit first; trailing bits that do not make a
// whole code are dropped.
inline std::vector<int> unpackCodes(const Bytes& data) {
    std::vector<int> codes;
    for (std::size_t bit = 0; bit + 9 <= data.size() * 8; bit += 9) {
        int code = 0;
        for (std::size_t i = 0; i < 9; ++i) {
            code |= ((data[(bit + i) / 8] >> ((bit + i) % 8)) & 1) << i;
        }
        codes.push_back(code);
    }
    return codes;
}

}  // namespace gif_test
