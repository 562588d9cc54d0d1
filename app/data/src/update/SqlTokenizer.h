// Splits a line of the data server's SQL into tokens: words, numbers, texts ('...' and "..."),
// names ([...] and `...`), date literals (#...#) and symbols. Blanks and comments are dropped.
// Anything the translation could not carry over faithfully (an unclosed quote or comment, a
// parameter, a character with no meaning in the dialect) raises SqlRefusal.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class SqlRefusal : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class SqlTokenKind { Word, Number, Text, Name, DateLiteral, Symbol };

struct SqlToken {
    SqlTokenKind kind;
    // Words, numbers and symbols as written; texts, names and dates without their delimiters, a
    // doubled delimiter inside undone.
    std::string text;

    bool is(SqlTokenKind k, std::string_view t) const { return kind == k && text == t; }
    bool isSymbol(std::string_view t) const { return is(SqlTokenKind::Symbol, t); }
    // A word compared without regard to case (ASCII letters).
    bool isWord(std::string_view word) const;
};

std::vector<SqlToken> TokenizeSql(std::string_view sql);

}  // namespace tarnwick
