// Helpers of the saved-state tests: an independent little-endian writer for expected byte images,
// and storing and loading through a memory archive.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "com/HResult.h"
#include "persist/CMemoryArchive.h"

namespace dravik::test {

using Bytes = std::vector<std::uint8_t>;

// Builds the bytes a save is expected to hold, value by value, little-endian.
class ByteWriter {
public:
    ByteWriter& u8(std::uint8_t value) {
        bytes_.push_back(value);
        return *this;
    }
    ByteWriter& i16(std::int16_t value) { return little(static_cast<std::uint16_t>(value), 2); }
    ByteWriter& i32(std::int32_t value) { return little(static_cast<std::uint32_t>(value), 4); }
    ByteWriter& u32(std::uint32_t value) { return little(value, 4); }
    ByteWriter& f64(double value) {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        return little(bits, 8);
    }
    // `text` and zeros up to `size` bytes.
    ByteWriter& fixed(std::string_view text, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i)
            bytes_.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
        return *this;
    }
    ByteWriter& append(const Bytes& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
        return *this;
    }
    const Bytes& bytes() const { return bytes_; }

private:
    ByteWriter& little(std::uint64_t value, int width) {
        for (int i = 0; i < width; ++i)
            bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        return *this;
    }
    Bytes bytes_;
};

// Runs a storing exchange and returns what it wrote.
template <typename Exchange>
Bytes storeWith(Exchange exchange) {
    CMemoryArchive archive;
    EXPECT_EQ(exchange(static_cast<CPropertyArchive&>(archive)), com::S_OK);
    EXPECT_FALSE(archive.Failed());
    com::HGLOBAL memory = archive.DetachGlobal();
    return memory ? memory->bytes : Bytes{};
}

// Runs a loading exchange over `bytes`; `consumed` receives the bytes read.
template <typename Exchange>
com::HRESULT loadWith(const Bytes& bytes, Exchange exchange, std::uint64_t* consumed = nullptr) {
    static const std::uint8_t none = 0;
    CMemoryArchive archive(bytes.empty() ? &none : bytes.data(), bytes.size());
    const com::HRESULT result = exchange(static_cast<CPropertyArchive&>(archive));
    if (consumed)
        *consumed = archive.Position();
    return result;
}

// Every prefix shorter than `bytes` must fail to load; `unchanged` tells whether the object kept its
// state after a failed load.
template <typename Exchange, typename Unchanged>
void expectEveryTruncationFails(const Bytes& bytes, Exchange exchange, Unchanged unchanged) {
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        const com::HRESULT result = loadWith(prefix, exchange);
        ASSERT_TRUE(com::FAILED(result))
            << "prefix of " << length << " of " << bytes.size() << " bytes loaded";
        ASSERT_TRUE(unchanged()) << "prefix of " << length << " bytes changed the object";
    }
}

}  // namespace dravik::test
