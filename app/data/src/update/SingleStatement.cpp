#include "appdata/update/SingleStatement.h"

#include <cctype>

namespace tarnwick {

namespace {

bool isBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The position just past the quoted part or comment that starts at `at`, or npos when it is not
// closed. `at` itself is returned when nothing of the kind starts there.
std::size_t skipQuotedOrComment(std::string_view sql, std::size_t at) {
    const char c = sql[at];
    const auto closedBy = [&](std::string_view close, std::size_t from) {
        const std::size_t end = sql.find(close, from);
        return end == std::string_view::npos ? end : end + close.size();
    };
    if (c == '\'' || c == '"' || c == '`') {
        return closedBy(std::string_view(&sql[at], 1), at + 1);
    }
    if (c == '[') {
        return closedBy("]", at + 1);
    }
    if (sql.substr(at, 2) == "--") {
        const std::size_t end = sql.find('\n', at);
        return end == std::string_view::npos ? sql.size() : end + 1;
    }
    if (sql.substr(at, 2) == "/*") {
        return closedBy("*/", at + 2);
    }
    return at;
}

// Blanks and comments only from `at` to the end.
bool onlyBlanksOrComments(std::string_view sql, std::size_t at) {
    while (at < sql.size()) {
        if (isBlank(sql[at])) {
            ++at;
            continue;
        }
        if (sql[at] == ';') {
            ++at;  // a second separator adds no statement
            continue;
        }
        if (sql.substr(at, 2) != "--" && sql.substr(at, 2) != "/*") {
            return false;
        }
        at = skipQuotedOrComment(sql, at);
        if (at == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsSingleStatement(std::string_view sql) {
    bool hasText = false;
    std::size_t at = 0;
    while (at < sql.size()) {
        const std::size_t past = skipQuotedOrComment(sql, at);
        if (past == std::string_view::npos) {
            return false;
        }
        if (past != at) {
            // A quoted part is statement text; a comment is not.
            hasText = hasText || (sql[at] != '-' && sql[at] != '/');
            at = past;
            continue;
        }
        if (sql[at] == ';') {
            return hasText && onlyBlanksOrComments(sql, at + 1);
        }
        hasText = hasText || !isBlank(sql[at]);
        ++at;
    }
    return hasText;
}

}  // namespace tarnwick
