// What every exchange routine of the saved chart state shares: the format version, the flags, keys
// made from a prefix and a name, and the version-dependent encoding of booleans.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "com/HResult.h"
#include "persist/CPropertyArchive.h"

namespace dravik {

// The format version written by this library. Version 34 adds the weighted average's linear-weights
// flag; every older version still loads.
inline constexpr std::uint32_t kFormatVersion = 34;

// Flags of every exchange routine: a tool-bar stream is given (1), body only (2): no counts, no
// "_"-keys that only the byte stream needs.
inline constexpr std::uint32_t EXCHANGE_TOOLBAR = 0x1;
inline constexpr std::uint32_t EXCHANGE_BODY_ONLY = 0x2;

constexpr bool isBodyOnly(std::uint32_t flags) {
    return (flags & EXCHANGE_BODY_ONLY) != 0;
}

// What a damaged stream reports (a count or index outside its array).
inline constexpr com::HRESULT kDamagedState = com::STG_E_DOCFILECORRUPT;

// prefix + name, and prefix + name + "(index)".
std::u16string ExchangeKey(std::string_view prefix, std::string_view name);
std::u16string IndexedKey(std::string_view prefix, std::string_view name, int index);
// The prefix of an indexed block: format with one "%d", such as "PriceSeries(%d).".
std::string IndexedPrefix(std::string_view format, int index);

// A boolean held as 0/1: one byte from version 15, a 0/1 short before. Loading normalises to 0/1.
int ExchangeFlag(CPropertyArchive& archive, std::uint8_t* value, std::u16string_view key,
                 std::uint8_t defaultValue, std::uint32_t version);

// S_OK while the archive has met no failure, else its first failure.
inline com::HRESULT ArchiveResult(const CPropertyArchive& archive) {
    return archive.Failed() ? archive.Error() : com::S_OK;
}

// A text field of `size` bytes exchanged whole: storing writes the text, its terminator and zeros up to
// the size (never what an older, longer text left behind); loading keeps at most size - 1 bytes and
// always terminates.
int ExchangeTextField(CPropertyArchive& archive, char* field, std::int16_t size, std::u16string_view key);

// A count read from the stream that must fit the array it indexes; storing always fits.
inline bool CountFitsArray(std::int16_t count, std::size_t arraySize) {
    return count >= 0 && static_cast<std::size_t>(count) <= arraySize;
}

// Runs `exchange` on `object` when storing; when loading, on a copy that replaces the object only when
// the whole load succeeded, so that a damaged stream changes nothing.
template <typename T, typename Exchange>
com::HRESULT ExchangeWhole(T& object, CPropertyArchive& archive, Exchange exchange) {
    if (archive.IsStoring())
        return exchange(object);
    T copy = object;
    const com::HRESULT result = exchange(copy);
    if (com::SUCCEEDED(result) && !archive.Failed())
        object = std::move(copy);
    return com::SUCCEEDED(result) ? ArchiveResult(archive) : result;
}

// The flag word of a chart type: "_Flags", only in saves above version 31 and not in a body-only
// exchange.
int ExchangeChartTypeFlags(CPropertyArchive& archive, std::uint32_t* flagWord, std::uint32_t version,
                           std::uint32_t flags);

}  // namespace dravik
