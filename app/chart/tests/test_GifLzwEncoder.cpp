#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "GifCodeReader.h"
#include "appchart/output/GifLzwEncoder.h"

using appchart::GifLzwEncoder;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Codes = std::vector<int>;

struct Encoded {
    std::vector<Bytes> blocks;  // each with its length byte
};

Encoded encodeRows(const std::vector<Bytes>& rows) {
    Encoded out;
    GifLzwEncoder encoder([&out](std::span<const std::uint8_t> block) {
        out.blocks.emplace_back(block.begin(), block.end());
        return true;
    });
    for (const Bytes& row : rows) {
        EXPECT_TRUE(encoder.encodeRow(row));
    }
    EXPECT_TRUE(encoder.finish());
    return out;
}

Codes unpackCodes(const Encoded& encoded) {
    Bytes data;
    for (const Bytes& block : encoded.blocks) {
        data.insert(data.end(), block.begin() + 1, block.end());
    }
    return gif_test::unpackCodes(data);
}

Bytes ascending(int count) {
    Bytes row(static_cast<std::size_t>(count));
    std::iota(row.begin(), row.end(), std::uint8_t{0});
    return row;
}

}  // namespace

TEST(GifLzwEncoder, SmallRowsGiveKnownSubBlocks) {
    const struct {
        const char* name;
        std::vector<Bytes> rows;
        Bytes block;
    } cases[] = {
        {"single black pixel", {{0}}, {0x04, 0x00, 0x01, 0x04, 0x04}},
        {"single white pixel", {{124}}, {0x04, 0x00, 0xF9, 0x04, 0x04}},
        // codes 256, 5, 258, 5, 257
        {"four pixels of one index", {{5, 5, 5, 5}}, {0x06, 0x00, 0x0B, 0x08, 0x2C, 0x10, 0x10}},
        // codes 256, 1, 2, 256, 3, 4, 257: the second row starts over with a clear code
        {"two rows", {{1, 2}, {3, 4}}, {0x08, 0x00, 0x03, 0x08, 0x00, 0x38, 0x80, 0x40, 0x40}},
    };
    for (const auto& c : cases) {
        const Encoded encoded = encodeRows(c.rows);
        ASSERT_EQ(encoded.blocks.size(), 1u) << c.name;
        EXPECT_EQ(encoded.blocks[0], c.block) << c.name;
    }
}

TEST(GifLzwEncoder, TableRestartsAfter253EntriesAndForEveryRow) {
    // 255 distinct pixels: every pair is new, so entries 258..510 fill the table and the 254th
    // new pair forces a clear code in mid-row. The second, equal row must not find last row's
    // entries.
    const Bytes row = ascending(255);
    Codes oneRow{256};
    for (int code = 0; code <= 253; ++code) {
        oneRow.push_back(code);
    }
    oneRow.push_back(256);
    oneRow.push_back(254);

    Codes expected = oneRow;
    expected.insert(expected.end(), oneRow.begin(), oneRow.end());
    expected.push_back(257);
    EXPECT_EQ(unpackCodes(encodeRows({row, row})), expected);
}

TEST(GifLzwEncoder, RepeatedRunsReuseTheirOwnCodes) {
    // 0 0 0 0 0 0: 0, then 258 (0 0), then 259 (0 0 0) reached after 258 is added.
    EXPECT_EQ(unpackCodes(encodeRows({{0, 0, 0, 0, 0, 0}})), (Codes{256, 0, 258, 259, 257}));
}

TEST(GifLzwEncoder, FullSubBlocksHold255Bytes) {
    const Encoded encoded = encodeRows({ascending(256), ascending(256), ascending(256)});
    ASSERT_GT(encoded.blocks.size(), 2u);
    for (std::size_t i = 0; i + 1 < encoded.blocks.size(); ++i) {
        EXPECT_EQ(encoded.blocks[i].size(), 256u);
        EXPECT_EQ(encoded.blocks[i][0], 255);
    }
    const Bytes& last = encoded.blocks.back();
    EXPECT_GE(last[0], 1);
    EXPECT_EQ(last.size(), std::size_t{last[0]} + 1);
}

TEST(GifLzwEncoder, StopsAtTheFirstFailedBlock) {
    int calls = 0;
    GifLzwEncoder encoder([&calls](std::span<const std::uint8_t>) { return ++calls < 2; });
    bool ok = true;
    for (int i = 0; i < 20 && ok; ++i) {
        ok = encoder.encodeRow(ascending(256));
    }
    EXPECT_FALSE(ok);
    EXPECT_FALSE(encoder.finish());
    EXPECT_TRUE(encoder.failed());
    EXPECT_EQ(calls, 2);
}
