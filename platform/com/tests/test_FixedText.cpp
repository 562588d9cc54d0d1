#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "com/FixedText.h"

using com::copyToFixed;
using com::FixedTextStatus;
using com::readFixed;

namespace {

struct BoundaryCase {
    const char* name;
    std::string text;
    std::size_t capacity;
    std::string expected;
    FixedTextStatus status;
};

// "é" is 2 bytes (C3 A9), "€" 3 bytes (E2 82 AC), "😀" 4 bytes (F0 9F 98 80); Arabic letters 2 bytes.
const BoundaryCase kBoundaryCases[] = {
    {"fits exactly", "abc", 4, "abc", FixedTextStatus::Complete},
    {"ascii cut", "abcdef", 4, "abc", FixedTextStatus::Truncated},
    {"two-byte split", "ab\xC3\xA9", 4, "ab", FixedTextStatus::Truncated},
    {"two-byte fits", "ab\xC3\xA9", 5, "ab\xC3\xA9", FixedTextStatus::Complete},
    {"three-byte, one byte room", "a\xE2\x82\xAC", 3, "a", FixedTextStatus::Truncated},
    {"three-byte, two bytes room", "a\xE2\x82\xAC", 4, "a", FixedTextStatus::Truncated},
    {"three-byte fits", "a\xE2\x82\xAC", 5, "a\xE2\x82\xAC", FixedTextStatus::Complete},
    {"four-byte, three bytes room", "\xF0\x9F\x98\x80x", 4, "", FixedTextStatus::Truncated},
    {"four-byte fits, next cut", "\xF0\x9F\x98\x80x", 5, "\xF0\x9F\x98\x80", FixedTextStatus::Truncated},
    {"arabic odd room", "\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7", 6, "\xD9\x85\xD8\xB1",
     FixedTextStatus::Truncated},
    {"arabic even room", "\xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7", 7, "\xD9\x85\xD8\xB1\xD8\xAD",
     FixedTextStatus::Truncated},
    {"capacity 1", "\xC3\xA9", 1, "", FixedTextStatus::Truncated},
    {"capacity 1, empty text", "", 1, "", FixedTextStatus::Complete},
    {"stops at embedded NUL", std::string("ab\0cd", 5), 8, "ab", FixedTextStatus::Complete},
    // A lead byte without its continuation bytes counts as one byte of its own.
    {"malformed lead kept", "a\xE2z", 4, "a\xE2z", FixedTextStatus::Complete},
    {"malformed lead at cut", "a\xE2\x82", 3, "a\xE2", FixedTextStatus::Truncated},
};

}  // namespace

TEST(FixedText, CutsOnlyAtCharacterBoundaries) {
    for (const auto& c : kBoundaryCases) {
        std::array<char, 16> buffer;
        buffer.fill('#');
        const auto result = copyToFixed(c.text, buffer.data(), c.capacity);
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_EQ(result.length, c.expected.size()) << c.name;
        EXPECT_EQ(std::string(buffer.data(), result.length), c.expected) << c.name;
        EXPECT_EQ(buffer[result.length], '\0') << c.name;
        // Nothing is written beyond the capacity.
        for (std::size_t i = c.capacity; i < buffer.size(); ++i) {
            EXPECT_EQ(buffer[i], '#') << c.name << " byte " << i;
        }
    }
}

TEST(FixedText, CapacityZeroWritesNothing) {
    char buffer[2] = {'x', 'y'};
    const auto result = copyToFixed("abc", buffer, 0);
    EXPECT_EQ(result.status, FixedTextStatus::NoRoom);
    EXPECT_TRUE(result.truncated());
    EXPECT_EQ(result.length, 0u);
    EXPECT_EQ(buffer[0], 'x');
    EXPECT_EQ(copyToFixed("abc", nullptr, 8).status, FixedTextStatus::NoRoom);
}

TEST(FixedText, ArrayOverloadsUseTheWholeArray) {
    char legend[8];
    const auto result = copyToFixed("Close Price", legend);
    EXPECT_EQ(result.length, 7u);
    EXPECT_EQ(readFixed(legend), "Close P");
    std::array<char, 4> mask{};
    EXPECT_EQ(copyToFixed("#,##0", mask).length, 3u);
    EXPECT_EQ(readFixed(mask), "#,#");
}

TEST(FixedText, ReadStopsAtNulOrCapacity) {
    const char terminated[6] = {'a', 'b', '\0', 'c', 'd', 'e'};
    EXPECT_EQ(readFixed(terminated, sizeof terminated), "ab");
    // A field without a terminator is read to its end and no further.
    const char full[8] = {'1', '2', '3', '4', '5', '6', '7', '8'};
    EXPECT_EQ(readFixed(full, 4), "1234");
    EXPECT_EQ(readFixed(full, 0), "");
    EXPECT_EQ(readFixed(nullptr, 4), "");
}
