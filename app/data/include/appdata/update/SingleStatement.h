// Tells whether a line of outside SQL holds exactly one statement, so that nothing runs behind a
// statement the reader of the line took for the whole of it.
#pragma once

#include <string_view>

namespace tarnwick {

// True when the text holds one statement, optionally followed by ";" and blanks or comments. Quoted
// texts ('...'), quoted names ("...", [...], `...`) and comments (-- and /* */) are skipped, so a ";"
// inside them does not count. False for an empty text, for two statements, and for an unclosed
// quote or comment.
bool IsSingleStatement(std::string_view sql);

}  // namespace tarnwick
