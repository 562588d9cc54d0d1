// Text made fit for the error log: valid UTF-8 with no control characters, so that whatever an
// outside source sent (NUL bytes, broken UTF-8, stray carriage returns, megabytes on one line) reads
// back as one clean record and never pushes the rest of the log out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick {

// The most a record quotes of one outside text, and the most a description holds.
inline constexpr std::size_t kLogQuoteLimit = 400;
inline constexpr std::size_t kLogDescriptionLimit = 8192;

enum class LineBreaks {
    Kept,     // CR LF, LF and tab stay as they are (a description that holds several lines)
    Escaped,  // written as \r, \n and \t, so that a quoted text stays on its line
};

// Valid UTF-8 text is kept; each byte that is not part of a valid character, and each control
// character (C0, DEL, C1) not kept by `breaks`, is written as \xNN (tab, CR and LF as \t, \r,
// \n). When the result would
// pass `limit` bytes it is cut at a character boundary and ends in a marker that gives the size of
// the whole text.
std::string PrintableText(std::string_view text, LineBreaks breaks, std::size_t limit);

// An outside text as a record quotes it: escaped line breaks, at most kLogQuoteLimit bytes.
std::string LogQuote(std::string_view text);

}  // namespace tarnwick
