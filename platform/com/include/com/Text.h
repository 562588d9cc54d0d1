// Conversion between UTF-8 (the "ANSI" text of this system) and UTF-16 (text at object boundaries).
// Malformed input never fails: each ill-formed sequence becomes U+FFFD, one per maximal ill-formed
// subpart as Unicode recommends (a truncated sequence is one replacement, each stray byte is one).
#pragma once

#include <string>
#include <string_view>

namespace com {

inline constexpr char16_t kReplacementCharacter = u'\uFFFD';

std::u16string utf8ToUtf16(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string utf16ToUtf8(std::u16string_view utf16);

}  // namespace com
