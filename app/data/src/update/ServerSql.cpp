#include "appdata/update/ServerSql.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <vector>

#include "SqlTokenizer.h"
#include "appdata/AppError.h"
#include "appdata/AsciiLower.h"
#include "appdata/LogText.h"
#include "appdata/Schema.h"
#include "db/Connection.h"
#include "db/Error.h"

namespace tarnwick {

namespace {

using Tokens = std::vector<SqlToken>;

bool sameName(std::string_view a, std::string_view b) {
    return AsciiLower(a) == AsciiLower(b);
}

// MARKETDAILY followed by a market number.
bool isDailyTableName(std::string_view name) {
    constexpr std::string_view prefix = "marketdaily";
    const std::string low = AsciiLower(name);
    if (low.size() <= prefix.size() || !low.starts_with(prefix)) {
        return false;
    }
    std::string_view number = std::string_view(low).substr(prefix.size());
    if (number.front() == '-') {
        number.remove_prefix(1);
    }
    return !number.empty() && std::ranges::all_of(number, [](char c) { return c >= '0' && c <= '9'; });
}

const TableDef* findTable(std::string_view name) {
    if (isDailyTableName(name)) {
        return &MarketDailyTable();
    }
    for (const TableDef& table : MarketTables()) {
        if (sameName(table.name, name)) {
            return &table;
        }
    }
    return nullptr;
}

bool isBooleanColumnName(std::string_view name) {
    const auto inTable = [&](const TableDef& table) {
        return std::ranges::any_of(table.columns, [&](const Column& column) {
            return column.type == ColumnType::Boolean && sameName(column.name, name);
        });
    };
    return inTable(MarketDailyTable()) || std::ranges::any_of(MarketTables(), inTable);
}

bool isNameToken(const SqlToken& token) {
    return token.kind == SqlTokenKind::Word || token.kind == SqlTokenKind::Name;
}

// Built-in functions a data statement of the server may need; none reaches outside the database.
constexpr std::array<std::string_view, 32> kAllowedFunctions = {
    "abs",       "avg", "coalesce", "count",     "date",   "datetime", "glob",     "group_concat",
    "ifnull",    "iif", "instr",    "julianday", "length", "like",     "lower",    "ltrim",
    "max",       "min", "nullif",   "replace",   "round",  "rtrim",    "strftime", "substr",
    "substring", "sum", "time",     "total",     "trim",   "typeof",   "upper",    "unicode",
};

// ---- translation steps ----

void requireOneDataStatement(Tokens& tokens) {
    while (!tokens.empty() && tokens.back().isSymbol(";")) {
        tokens.pop_back();
    }
    if (std::ranges::any_of(tokens, [](const SqlToken& t) { return t.isSymbol(";"); })) {
        throw SqlRefusal("the line holds more than one statement");
    }
    if (tokens.empty()) {
        throw SqlRefusal("the line holds no statement");
    }
    const SqlToken& first = tokens.front();
    if (!first.isWord("SELECT") && !first.isWord("INSERT") && !first.isWord("UPDATE") &&
        !first.isWord("DELETE")) {
        throw SqlRefusal("only SELECT, INSERT, UPDATE and DELETE are run");
    }
}

// DELETE * FROM t and DELETE t.* FROM t name no columns in the engine's dialect.
void dropDeleteStar(Tokens& tokens) {
    if (!tokens.front().isWord("DELETE") || tokens.size() < 3) {
        return;
    }
    if (tokens[1].isSymbol("*") && tokens[2].isWord("FROM")) {
        tokens.erase(tokens.begin() + 1);
    } else if (tokens.size() >= 5 && isNameToken(tokens[1]) && tokens[2].isSymbol(".") &&
               tokens[3].isSymbol("*") && tokens[4].isWord("FROM")) {
        tokens.erase(tokens.begin() + 1, tokens.begin() + 4);
    }
}

// "- 1" standing alone as a value at `at`: followed by the end, a comma, a closing parenthesis or
// a word (AND, WHERE, ...), not by an operator that would make it part of a larger expression.
bool isLoneMinusOne(const Tokens& tokens, std::size_t at) {
    if (at + 1 >= tokens.size() || !tokens[at].isSymbol("-") ||
        !tokens[at + 1].is(SqlTokenKind::Number, "1")) {
        return false;
    }
    const std::size_t after = at + 2;
    return after == tokens.size() || tokens[after].isSymbol(",") || tokens[after].isSymbol(")") ||
           tokens[after].kind == SqlTokenKind::Word;
}

// Marks the "-" of a -1 that is a Boolean column's value, which the emitter then leaves out.
void markBooleanComparisons(const Tokens& tokens, std::vector<bool>& dropped) {
    for (std::size_t i = 0; i + 3 < tokens.size(); ++i) {
        const SqlToken& op = tokens[i + 1];
        const bool comparison =
            op.isSymbol("=") || op.isSymbol("==") || op.isSymbol("<>") || op.isSymbol("!=");
        if (isNameToken(tokens[i]) && isBooleanColumnName(tokens[i].text) && comparison &&
            isLoneMinusOne(tokens, i + 2)) {
            dropped[i + 2] = true;
        }
    }
}

// The columns an INSERT names, or those of its table in order when it names none; `at` ends past
// them.
std::optional<std::vector<std::string>> insertColumns(const Tokens& tokens, std::size_t& at) {
    while (at < tokens.size() && !tokens[at].isWord("INTO")) {
        ++at;
    }
    if (at + 1 >= tokens.size() || !isNameToken(tokens[at + 1])) {
        return std::nullopt;
    }
    at += 1;
    if (at + 2 < tokens.size() && tokens[at + 1].isSymbol(".") && isNameToken(tokens[at + 2])) {
        at += 2;  // main.table
    }
    const TableDef* table = findTable(tokens[at].text);
    ++at;
    std::vector<std::string> columns;
    if (at < tokens.size() && tokens[at].isSymbol("(")) {
        for (++at; at < tokens.size() && !tokens[at].isSymbol(")"); ++at) {
            if (isNameToken(tokens[at])) {
                columns.push_back(tokens[at].text);
            }
        }
        ++at;
        return columns;
    }
    if (table == nullptr) {
        return std::nullopt;
    }
    for (const Column& column : table->columns) {
        columns.emplace_back(column.name);
    }
    return columns;
}

// INSERT INTO t (a, b) VALUES (x, -1), (...): a -1 in the place of a Boolean column.
void markBooleanInsertValues(const Tokens& tokens, std::vector<bool>& dropped) {
    if (!tokens.front().isWord("INSERT")) {
        return;
    }
    std::size_t at = 1;
    const auto columns = insertColumns(tokens, at);
    if (!columns || at >= tokens.size() || !tokens[at].isWord("VALUES")) {
        return;
    }
    int depth = 0;
    std::size_t column = 0;
    for (++at; at < tokens.size(); ++at) {
        const SqlToken& token = tokens[at];
        if (token.isSymbol("(")) {
            if (++depth == 1) {
                column = 0;
            }
        } else if (token.isSymbol(")")) {
            --depth;
        } else if (depth == 1 && token.isSymbol(",")) {
            ++column;
        }
        const bool startsValue = depth == 1 && (tokens[at - 1].isSymbol("(") || tokens[at - 1].isSymbol(","));
        if (startsValue && column < columns->size() && isBooleanColumnName((*columns)[column]) &&
            isLoneMinusOne(tokens, at)) {
            dropped[at] = true;
        }
    }
}

std::string quotedText(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') {
            out += '\'';
        }
    }
    return out + "'";
}

std::string bracketedName(std::string_view name) {
    if (name.find(']') != std::string_view::npos) {
        throw SqlRefusal("a name holds \"]\"");
    }
    return "[" + std::string(name) + "]";
}

int datePart(std::string_view text) {
    int value = -1;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty() || text.size() > 4) {
        throw SqlRefusal("the date #" + std::string(text) + "# cannot be translated");
    }
    return value;
}

// #y-m-d# as the stored date text.
std::string dateText(std::string_view literal) {
    const std::size_t first = literal.find('-');
    const std::size_t second = first == std::string_view::npos ? first : literal.find('-', first + 1);
    const auto refused = [&] {
        return SqlRefusal("the date #" + std::string(literal) + "# cannot be translated");
    };
    if (second == std::string_view::npos || literal.find('-', second + 1) != std::string_view::npos) {
        throw refused();
    }
    try {
        const db::Date date{std::chrono::year(datePart(literal.substr(0, first))),
                            std::chrono::month(static_cast<unsigned>(
                                datePart(literal.substr(first + 1, second - first - 1)))),
                            std::chrono::day(static_cast<unsigned>(datePart(literal.substr(second + 1))))};
        if (!db::isStorableDate(date)) {
            throw refused();
        }
        return "'" + db::formatIsoDate(date) + "'";
    } catch (const SqlRefusal&) {
        throw refused();
    }
}

std::string emitted(const SqlToken& token) {
    switch (token.kind) {
        case SqlTokenKind::Word:
            if (token.isWord("TRUE")) {
                return "1";
            }
            return token.isWord("FALSE") ? "0" : token.text;
        case SqlTokenKind::Text:
            return quotedText(token.text);
        case SqlTokenKind::Name:
            return bracketedName(token.text);
        case SqlTokenKind::DateLiteral:
            return dateText(token.text);
        case SqlTokenKind::Number:
        case SqlTokenKind::Symbol:
            break;
    }
    return token.text;
}

std::string translate(std::string_view line) {
    Tokens tokens = TokenizeSql(line);
    requireOneDataStatement(tokens);
    dropDeleteStar(tokens);
    std::vector<bool> dropped(tokens.size(), false);
    markBooleanComparisons(tokens, dropped);
    markBooleanInsertValues(tokens, dropped);
    std::string sql;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (dropped[i]) {
            continue;
        }
        if (!sql.empty()) {
            sql += ' ';
        }
        sql += emitted(tokens[i]);
    }
    return sql;
}

}  // namespace

TranslatedSql TranslateServerSql(std::string_view line) {
    try {
        return {translate(line), {}};
    } catch (const SqlRefusal& refusal) {
        return {{}, refusal.what()};
    }
}

const db::Confinement& MarketConfinement() {
    static const db::Confinement rules{
        [](std::string_view table) { return findTable(table) != nullptr; },
        [](std::string_view function) {
            return std::ranges::find(kAllowedFunctions, AsciiLower(function)) != kAllowedFunctions.end();
        },
    };
    return rules;
}

void RunServerSql(db::Connection& connection, std::string_view line) {
    const TranslatedSql translated = TranslateServerSql(line);
    if (!translated.refusal.empty()) {
        throw AppError(db::errnum::kProvider,
                       "The statement \"" + LogQuote(line) + "\" was not run: " + translated.refusal + ".");
    }
    try {
        connection.executeConfined(translated.sql, MarketConfinement());
    } catch (const db::Error& e) {
        throw AppError(e.number(),
                       "The statement \"" + LogQuote(line) + "\" was not run: " + LogQuote(e.description()));
    }
}

}  // namespace tarnwick
