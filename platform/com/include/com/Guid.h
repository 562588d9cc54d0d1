// 128-bit class and interface identity, with its text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
// and its 16-byte memory image (the first three fields little-endian, the last eight bytes as they are).
#pragma once

#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace com {

struct Guid {
    std::uint32_t data1 = 0;
    std::uint16_t data2 = 0;
    std::uint16_t data3 = 0;
    std::array<std::uint8_t, 8> data4{};

    // Parses the braced text form (braces optional, hex digits in either case); nullopt on bad text.
    static std::optional<Guid> parse(std::string_view text);
    // Parses a literal known to be good; aborts the program on a malformed literal.
    static Guid fromString(std::string_view text);
    static Guid fromBytes(const std::array<std::uint8_t, 16>& bytes);

    // Upper-case braced text form.
    std::string toString() const;
    std::array<std::uint8_t, 16> toBytes() const;
    bool isNull() const { return *this == Guid{}; }

    friend bool operator==(const Guid&, const Guid&) = default;
    friend auto operator<=>(const Guid&, const Guid&) = default;
};

using IID = Guid;
using CLSID = Guid;

inline constexpr Guid GUID_NULL{};

struct GuidHash {
    std::size_t operator()(const Guid& guid) const noexcept;
};

}  // namespace com
