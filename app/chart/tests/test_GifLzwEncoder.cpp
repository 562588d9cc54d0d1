#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "GifCodeReader.h"
#include "appchart/output/GifLzwEncoder.h"

using appchart::GifLzwEncoder;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Codes = std::vector<int>;

// The codes written for `rows`, read back from the sub-blocks the encoder hands out.
Codes encodeRows(const std::vector<Bytes>& rows) {
    Bytes data;
    GifLzwEncoder encoder([&data](std::span<const std::uint8_t> block) {
        EXPECT_EQ(block.size(), std::size_t{block[0]} + 1);
        data.insert(data.end(), block.begin() + 1, block.end());
        return true;
    });
    for (const Bytes& row : rows) {
        EXPECT_TRUE(encoder.encodeRow(row));
    }
    EXPECT_TRUE(encoder.finish());
    return gif_test::unpackCodes(data);
}

Bytes ascending(int count) {
    Bytes row(static_cast<std::size_t>(count));
    std::iota(row.begin(), row.end(), std::uint8_t{0});
    return row;
}

}  // namespace

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
    EXPECT_EQ(encodeRows({row, row}), expected);
}

TEST(GifLzwEncoder, RepeatedRunsReuseTheirOwnCodes) {
    // 0 0 0 0 0 0: 0, then 258 (0 0), then 259 (0 0 0) reached after 258 is added.
    EXPECT_EQ(encodeRows({{0, 0, 0, 0, 0, 0}}), (Codes{256, 0, 258, 259, 257}));
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
