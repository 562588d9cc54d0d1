// Conversion between UTF-8 (the "ANSI" text of this system) and UTF-16 (text at object boundaries).
// Malformed input never fails: each ill-formed sequence becomes U+FFFD, one per maximal ill-formed
// subpart as Unicode recommends (a truncated sequence is one replacement, each stray byte is one).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace com {

inline constexpr char16_t kReplacementCharacter = u'\uFFFD';

std::u16string utf8ToUtf16(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);

// True for a byte that continues a UTF-8 sequence (10xxxxxx).
constexpr bool isUtf8Continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}
// The length of the well-formed UTF-8 character at `at`, or 0 where the bytes there are not one
// (overlong forms, surrogates, code points past U+10FFFF and truncated sequences included).
std::size_t utf8CharacterLength(std::string_view text, std::size_t at);

}  // namespace com
