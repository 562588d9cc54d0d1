// Fixed-size text fields: UTF-8 text copied into a byte buffer of a given capacity (the capacity counts
// the terminating NUL), cut at a character boundary so a field never ends in half a character.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace com {

enum class FixedTextStatus {
    Complete,   // the whole text and its terminator were written
    Truncated,  // the text was cut at a character boundary; the buffer is terminated
    NoRoom,     // capacity 0 (or no buffer): nothing was written, not even a terminator
};

struct FixedTextResult {
    std::size_t length = 0;  // bytes of text written, terminator not counted
    FixedTextStatus status = FixedTextStatus::NoRoom;

    bool truncated() const { return status != FixedTextStatus::Complete; }
};

// Length in bytes of the longest prefix of `text` that fits in `maxBytes` without splitting a UTF-8
// character. A byte that does not start a well-formed sequence counts as a character of its own, so
// malformed input is still bounded and never makes the cut overrun.
std::size_t utf8PrefixLength(std::string_view text, std::size_t maxBytes);

// Copies `text` (up to its first NUL, as the buffer could not hold more) into `buffer`, always
// terminated when capacity > 0. Bytes after the terminator are left as they were.
FixedTextResult copyToFixed(std::string_view text, char* buffer, std::size_t capacity);

template <std::size_t N>
FixedTextResult copyToFixed(std::string_view text, char (&buffer)[N]) {
    return copyToFixed(text, buffer, N);
}

template <std::size_t N>
FixedTextResult copyToFixed(std::string_view text, std::array<char, N>& buffer) {
    return copyToFixed(text, buffer.data(), N);
}

// Reads a fixed-size field back: the bytes up to the first NUL, or all `capacity` bytes when the field
// holds no terminator (a field filled by someone else must not make us read past its end).
std::string readFixed(const char* buffer, std::size_t capacity);

template <std::size_t N>
std::string readFixed(const char (&buffer)[N]) {
    return readFixed(buffer, N);
}

template <std::size_t N>
std::string readFixed(const std::array<char, N>& buffer) {
    return readFixed(buffer.data(), N);
}

}  // namespace com
