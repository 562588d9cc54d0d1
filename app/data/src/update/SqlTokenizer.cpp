#include "SqlTokenizer.h"

#include <array>

namespace tarnwick {

namespace {

bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

bool isWordStart(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
}

bool isWordPart(unsigned char c) {
    return isWordStart(c) || isDigit(c);
}

bool isBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr std::array<std::string_view, 6> kTwoCharSymbols = {"<=", ">=", "<>", "!=", "==", "||"};
constexpr std::string_view kOneCharSymbols = "(),.;=<>+-*/%";

class Lexer {
public:
    explicit Lexer(std::string_view sql) : sql_(sql) {}

    std::vector<SqlToken> run() {
        while (at_ < sql_.size()) {
            next();
        }
        return std::move(tokens_);
    }

private:
    unsigned char peek(std::size_t ahead = 0) const {
        return at_ + ahead < sql_.size() ? static_cast<unsigned char>(sql_[at_ + ahead]) : 0;
    }
    bool startsWith(std::string_view text) const { return sql_.substr(at_, text.size()) == text; }

    void next() {
        const unsigned char c = peek();
        if (isBlank(c)) {
            ++at_;
        } else if (startsWith("--")) {
            const std::size_t end = sql_.find('\n', at_);
            at_ = end == std::string_view::npos ? sql_.size() : end + 1;
        } else if (startsWith("/*")) {
            const std::size_t end = sql_.find("*/", at_ + 2);
            if (end == std::string_view::npos) {
                throw SqlRefusal("a comment is not closed");
            }
            at_ = end + 2;
        } else if (c == '\'' || c == '"') {
            delimited(SqlTokenKind::Text, static_cast<char>(c), static_cast<char>(c), "a text");
        } else if (c == '[') {
            delimited(SqlTokenKind::Name, '[', ']', "a name");
        } else if (c == '`') {
            delimited(SqlTokenKind::Name, '`', '`', "a name");
        } else if (c == '#') {
            delimited(SqlTokenKind::DateLiteral, '#', '#', "a date");
        } else if (isDigit(c) || (c == '.' && isDigit(peek(1)))) {
            number();
        } else if (isWordStart(c)) {
            const std::size_t start = at_;
            while (at_ < sql_.size() && isWordPart(peek())) {
                ++at_;
            }
            push(SqlTokenKind::Word, sql_.substr(start, at_ - start));
        } else {
            symbol();
        }
    }

    // A quoted part; a doubled closing delimiter stands for one (only where it differs from
    // nothing else: brackets cannot be doubled).
    void delimited(SqlTokenKind kind, char open, char close, const char* what) {
        std::string content;
        std::size_t from = at_ + 1;
        for (;;) {
            const std::size_t end = sql_.find(close, from);
            if (end == std::string_view::npos) {
                throw SqlRefusal(std::string(what) + " is not closed");
            }
            content.append(sql_.substr(from, end - from));
            if (open == close && end + 1 < sql_.size() && sql_[end + 1] == close &&
                kind != SqlTokenKind::DateLiteral) {
                content += close;
                from = end + 2;
                continue;
            }
            at_ = end + 1;
            break;
        }
        if (kind == SqlTokenKind::Name && content.empty()) {
            throw SqlRefusal("a name is empty");
        }
        push(kind, content);
    }

    void number() {
        const std::size_t start = at_;
        const auto digits = [&] {
            while (isDigit(peek())) {
                ++at_;
            }
        };
        digits();
        if (peek() == '.') {
            ++at_;
            digits();
        }
        if ((peek() == 'e' || peek() == 'E') &&
            (isDigit(peek(1)) || ((peek(1) == '+' || peek(1) == '-') && isDigit(peek(2))))) {
            at_ += 2;
            digits();
        }
        if (isWordPart(peek()) || peek() == '.') {
            throw SqlRefusal("a number runs into other characters");
        }
        push(SqlTokenKind::Number, sql_.substr(start, at_ - start));
    }

    void symbol() {
        for (std::string_view two : kTwoCharSymbols) {
            if (startsWith(two)) {
                at_ += 2;
                push(SqlTokenKind::Symbol, two);
                return;
            }
        }
        if (kOneCharSymbols.find(static_cast<char>(peek())) != std::string_view::npos) {
            push(SqlTokenKind::Symbol, sql_.substr(at_, 1));
            ++at_;
            return;
        }
        // Parameters (? : @ $) have no values here; & joins texts in the dialect but is a bit
        // operation in the engine; control characters and NUL have no place in a statement.
        throw SqlRefusal("the character at position " + std::to_string(at_ + 1) + " cannot be translated");
    }

    void push(SqlTokenKind kind, std::string_view text) { tokens_.push_back({kind, std::string(text)}); }

    std::string_view sql_;
    std::size_t at_ = 0;
    std::vector<SqlToken> tokens_;
};

}  // namespace

bool SqlToken::isWord(std::string_view word) const {
    if (kind != SqlTokenKind::Word || text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (lowerAscii(text[i]) != lowerAscii(word[i])) {
            return false;
        }
    }
    return true;
}

std::vector<SqlToken> TokenizeSql(std::string_view sql) {
    return Lexer(sql).run();
}

}  // namespace tarnwick
