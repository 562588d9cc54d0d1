// Arabic letters of downloaded record lines. The data server sends each Arabic letter as the two
// bytes of its UTF-8 form, and the program maps every pair that begins with 216 or 217 through its
// own letter table, so only the letters it knows get through; the rest become blanks.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tarnwick {

// 96 entries: U+0600 + k for k = 33..58 (U+0621..U+063A) and k = 64..82 (U+0640..U+0652), a blank
// everywhere else. Each entry is its UTF-8 text.
const std::array<std::string_view, 96>& ArabicLetterTable();

// Bytes in, UTF-8 text out:
// - 216, c with c < 224 gives ArabicLetterTable(c - 128); 217, c with c < 224 gives
//   ArabicLetterTable(c - 64); both consume the two bytes.
// - 216 or 217 followed by a byte of 224 or more is dropped, and that byte is read on its own.
// - A pair whose table position lies outside the table is kept as it stands when it is a valid
//   UTF-8 pair (217 followed by 160..191: the Arabic digits and letters past the table); otherwise
//   the lead byte is dropped and the next byte read on its own.
// - A 216 or 217 as the last byte is an incomplete pair and is dropped.
// - Every other byte is copied unchanged.
std::string ConvertArabicText(std::string_view text);

}  // namespace tarnwick
